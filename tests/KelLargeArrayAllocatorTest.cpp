#include "KelLargeArrayAllocator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct alignas(64) Line {
  int values[16];
};

template <class T>
using LargeVector = std::vector<T, KelLargeArrayAllocator<T>>;

}  // namespace

// Arrays on both sides of the large-page size keep their contents and alignment through
// growth (each step frees an array by the path that allocated it; the sanitizer build checks
// the pairing).
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
