#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "KeptStorage.h"

namespace meshinterp {
namespace {

// A large block given back is kept and handed out again for a request it
// can hold, with its contents as left; small blocks are not kept; what is
// kept never exceeds the limit, however much is given back.
TEST(KeptStorage, KeepsLargeBlocksForTheNextRequestUpToTheLimit) {
  const std::size_t before = KeptBytes();
  void* small = TakeBlock(kSmallestKept - 1);
  GiveBackBlock(small, kSmallestKept - 1);
  EXPECT_EQ(KeptBytes(), before);

  const std::size_t size = 3 * kSmallestKept;
  char* block = static_cast<char*>(TakeBlock(size));
  std::memset(block, 7, size);
  GiveBackBlock(block, size);
  EXPECT_EQ(KeptBytes(), before + size);
  char* again = static_cast<char*>(TakeBlock(size - 100));  // smaller: the same block serves
  EXPECT_EQ(again, block);
  EXPECT_EQ(again[size - 1], 7);
  EXPECT_EQ(KeptBytes(), before);
  GiveBackBlock(again, size - 100);
  EXPECT_EQ(KeptBytes(), before + size);  // back with its full size

  std::vector<char*> many;
  for (std::size_t total = 0; total <= 2 * kKeptBytes; total += kKeptBytes / 8) {
    many.push_back(static_cast<char*>(TakeBlock(kKeptBytes / 8)));
  }
  for (char* b : many) GiveBackBlock(b, kKeptBytes / 8);
  EXPECT_LE(KeptBytes(), kKeptBytes);
  EXPECT_GE(KeptBytes(), kKeptBytes / 2);
}

TEST(KeptStorage, RequestsBeyondAnyBlockAreRefused) {
  EXPECT_THROW(TakeBlock(SIZE_MAX - 4), std::bad_alloc);
}

TEST(KeptStorage, VectorsOnKeptStorageBehaveAsVectors) {
  KeptVector<int> values(100000, -1);
  values.push_back(5);
  EXPECT_EQ(values.size(), 100001u);
  EXPECT_EQ(values.front(), -1);
  EXPECT_EQ(values.back(), 5);
  KeptVector<int> copy = values;
  EXPECT_EQ(copy, values);
}

}  // namespace
}  // namespace meshinterp
