#include "KelLargeArrayAllocator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

struct alignas(64) Line {
  int values[16];
};

template <class T>
using LargeVector = std::vector<T, KelLargeArrayAllocator<T>>;

}  // namespace

// Arrays on both sides of the large-page size keep their contents and alignment through
// growth, each step freeing an array by the path that allocated it.
TEST(KelLargeArrayAllocator, ArraysAroundTheLargeSizeKeepContentsAndAlignment)
{
  LargeVector<int> ints;
  LargeVector<Line> lines;
  for (const size_t bytes : {size_t(4) << 10, (size_t(512) << 10) - 64, size_t(512) << 10, size_t(3) << 20}) {
    const size_t count = bytes / sizeof(int);
    const size_t before = ints.size();
    ints.resize(count);
    for (size_t i = before; i < count; ++i) ints[i] = static_cast<int>(i * 7u);
    for (size_t i = 0; i < count; i += 997) ASSERT_EQ(ints[i], static_cast<int>(i * 7u)) << bytes;

    lines.resize(bytes / sizeof(Line));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(lines.data()) % alignof(Line), 0u) << bytes;
    lines.back().values[15] = 42;
    EXPECT_EQ(lines.back().values[15], 42);
  }
  LargeVector<int> copy(ints);
  EXPECT_EQ(copy, ints);
  ints.clear();
  ints.shrink_to_fit();
  EXPECT_EQ(ints.capacity(), 0u);

  // A count whose size overflows fails as allocation failure, not as a small array.
  KelLargeArrayAllocator<Line> allocator;
  EXPECT_THROW(allocator.allocate(static_cast<size_t>(-1) / 2), std::bad_alloc);
}

// Freed large arrays wait for the next array of their size, up to the retention limit, oldest
// given back first; releasing gives back all.
TEST(KelLargeArrayAllocator, FreedArraysAreKeptForTheNextOfTheirSize)
{
  KelReleaseLargeArrays();
  ASSERT_EQ(KelRetainedLargeArrayBytes(), 0u);
  const size_t mb = size_t(1) << 20;
  void* first = KelAllocateLargeArray(3 * mb, 64);
  static_cast<char*>(first)[3 * mb - 1] = 7;
  KelFreeLargeArray(first, 3 * mb, 64);
  if (KelRetainedLargeArrayBytes() == 0) GTEST_SKIP() << "large arrays come from operator new here";
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 4 * mb);  // whole large pages

  // Another size maps its own block; the same size (to the large page) takes the kept one.
  void* other = KelAllocateLargeArray(5 * mb, 64);
  EXPECT_NE(other, first);
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 4 * mb);
  void* again = KelAllocateLargeArray(4 * mb - 100, 64);
  EXPECT_EQ(again, first);
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 0u);
  static_cast<char*>(again)[4 * mb - 101] = 1;
  KelFreeLargeArray(again, 4 * mb - 100, 64);
  KelFreeLargeArray(other, 5 * mb, 64);
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 10 * mb);

  // Past the limit the oldest go: five blocks of a quarter of the limit keep the last four.
  KelReleaseLargeArrays();
  const size_t quarter = KelLargeArrayRetentionLimit() / 4 / (size_t(2) << 20) * (size_t(2) << 20);
  std::vector<void*> blocks;
  for (int i = 0; i < 5; ++i) blocks.push_back(KelAllocateLargeArray(quarter, 64));
  for (void* block : blocks) KelFreeLargeArray(block, quarter, 64);
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 4 * quarter);
  std::vector<void*> taken;
  for (int i = 0; i < 4; ++i) taken.push_back(KelAllocateLargeArray(quarter, 64));
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 0u);
  for (void* block : taken) EXPECT_NE(block, blocks[0]);
  for (void* block : taken) KelFreeLargeArray(block, quarter, 64);

  KelReleaseLargeArrays();
  EXPECT_EQ(KelRetainedLargeArrayBytes(), 0u);
}

// Threads allocating and freeing at once share the kept blocks without losing or doubling one.
TEST(KelLargeArrayAllocator, ThreadsShareTheKeptArrays)
{
  KelReleaseLargeArrays();
  auto churn = [](int iSeed) {
    for (int i = 0; i < 200; ++i) {
      const size_t bytes = (size_t(1) << 20) * static_cast<size_t>(1 + (i + iSeed) % 3);
      LargeVector<int> array(bytes / sizeof(int), iSeed);
      array.back() += i;
      ASSERT_EQ(array.front(), iSeed);
    }
  };
  std::thread a(churn, 1), b(churn, 2);
  a.join();
  b.join();
  EXPECT_LE(KelRetainedLargeArrayBytes(), KelLargeArrayRetentionLimit());
  // Every kept block is distinct: taking them all back yields distinct addresses.
  std::vector<void*> taken;
  for (int i = 0; i < 12; ++i) taken.push_back(KelAllocateLargeArray(size_t(2) << 20, 64));
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(std::adjacent_find(taken.begin(), taken.end()), taken.end());
  for (void* block : taken) KelFreeLargeArray(block, size_t(2) << 20, 64);
  KelReleaseLargeArrays();
}
