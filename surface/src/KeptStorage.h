// Large blocks of working storage kept for the next call instead of being
// handed back to the system. The C library returns large freed blocks to
// the system, and the first touch of each fresh page costs more than most
// steps spend working on it, so a call that repeats one just made would
// otherwise spend much of its time taking pages afresh. At most
// kKeptBytes stay kept between calls; blocks below kSmallestKept go the
// usual way.
#pragma once

#include <cstddef>
#include <vector>

namespace meshinterp {

inline constexpr std::size_t kSmallestKept = 32 * 1024;
inline constexpr std::size_t kKeptBytes = 32 * 1024 * 1024;

// A block of at least `bytes`, aligned for any scalar type; kept blocks
// are taken smallest first among those large enough.
void* TakeBlock(std::size_t bytes);
// Gives back a block from TakeBlock with the same `bytes`.
void GiveBackBlock(void* block, std::size_t bytes);
// The bytes kept now (for tests).
std::size_t KeptBytes();

template <class T>
struct KeptAllocator {
  using value_type = T;
  KeptAllocator() = default;
  template <class U>
  KeptAllocator(const KeptAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(TakeBlock(n * sizeof(T))); }
  void deallocate(T* block, std::size_t n) { GiveBackBlock(block, n * sizeof(T)); }
  template <class U>
  bool operator==(const KeptAllocator<U>&) const {
    return true;
  }
};

template <class T>
using KeptVector = std::vector<T, KeptAllocator<T>>;

}  // namespace meshinterp
