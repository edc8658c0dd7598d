#include "KeptStorage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>

namespace meshinterp {
namespace {

// Each kept-size block starts with a header holding its usable size, so a
// block handed out for a smaller request goes back with its full size.
constexpr std::size_t kHeader = alignof(std::max_align_t) > sizeof(std::size_t) ? alignof(std::max_align_t)
                                                                                 : sizeof(std::size_t);

constexpr int kMostBlocks = 64;

struct Kept {
  std::mutex mutex;
  std::pair<std::size_t, char*> blocks[kMostBlocks];  // usable size, start of the header; oldest first
  int count = 0;
  std::size_t bytes = 0;
  void Remove(int i) {
    bytes -= blocks[i].first;
    std::move(blocks + i + 1, blocks + count, blocks + i);
    --count;
  }
};

Kept& TheKept() {
  static Kept* kept = new Kept;  // never destroyed: blocks may come back during exit
  return *kept;
}

}  // namespace

void* TakeBlock(std::size_t bytes) {
  if (bytes < kSmallestKept) return ::operator new(bytes);
  {
    Kept& kept = TheKept();
    std::lock_guard lock(kept.mutex);
    int best = -1;
    for (int i = 0; i < kept.count; ++i) {
      if (kept.blocks[i].first >= bytes && (best < 0 || kept.blocks[i].first < kept.blocks[best].first)) best = i;
    }
    if (best >= 0) {
      char* start = kept.blocks[best].second;
      kept.Remove(best);
      return start + kHeader;
    }
  }
  if (bytes > SIZE_MAX - kHeader) throw std::bad_alloc();
  char* start = static_cast<char*>(std::malloc(kHeader + bytes));
  if (start == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(start) = bytes;
  return start + kHeader;
}

void GiveBackBlock(void* block, std::size_t bytes) {
  if (block == nullptr) return;
  if (bytes < kSmallestKept) {
    ::operator delete(block);
    return;
  }
  char* start = static_cast<char*>(block) - kHeader;
  const std::size_t usable = *reinterpret_cast<std::size_t*>(start);
  Kept& kept = TheKept();
  std::lock_guard lock(kept.mutex);
  if (kept.count == kMostBlocks) {
    std::free(kept.blocks[0].second);
    kept.Remove(0);
  }
  kept.blocks[kept.count++] = {usable, start};
  kept.bytes += usable;
  // Beyond the limit the oldest blocks go back to the system.
  while (kept.bytes > kKeptBytes) {
    std::free(kept.blocks[0].second);
    kept.Remove(0);
  }
}

std::size_t KeptBytes() {
  Kept& kept = TheKept();
  std::lock_guard lock(kept.mutex);
  return kept.bytes;
}

}  // namespace meshinterp
