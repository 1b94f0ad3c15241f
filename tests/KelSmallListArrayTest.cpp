#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "KelSmallListArray.h"

namespace {

std::vector<int> Sorted(const KelSmallListArray& iLists, size_t iIndex)
{
  const KelSmallListArray::Range range = iLists.Get(iIndex);
  std::vector<int> values(range.begin(), range.end());
  std::sort(values.begin(), values.end());
  return values;
}

}  // namespace

// Random appends and removals across the inline limit, against plain vectors; spilled
// storage is reused once lists come back into their lines.
TEST(KelSmallListArray, MatchesReferenceAcrossSpills)
{
  KelSmallListArray lists;
  lists.Assign(8);
  std::vector<std::vector<int>> reference(8);
  std::mt19937 random(11);
  for (int step = 0; step < 20000; ++step) {
    const size_t index = random() % 8;
    std::vector<int>& expected = reference[index];
    // Lists drift between empty and about three lines' worth.
    const bool add = expected.empty() || (expected.size() < 45 && random() % 2);
    if (add) {
      const int value = static_cast<int>(random() % 1000);
      lists.Append(index, value);
      expected.push_back(value);
    } else {
      const int value = expected[random() % expected.size()];
      ASSERT_TRUE(lists.Remove(index, value));
      expected.erase(std::find(expected.begin(), expected.end(), value));
    }
    std::vector<int> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    ASSERT_EQ(lists.Count(index), static_cast<int>(expected.size()));
    ASSERT_EQ(Sorted(lists, index), sortedExpected) << "step " << step;
    // Lookups of values present, absent, left behind in the line by removals, or equal to
    // the count kept in the line: only values in the list are found or removed.
    for (const int probe : {static_cast<int>(random() % 1000), static_cast<int>(expected.size())}) {
      const bool present = std::find(expected.begin(), expected.end(), probe) != expected.end();
      ASSERT_EQ(lists.Contains(index, probe), present) << "step " << step << " value " << probe;
      if (!present) {
        ASSERT_FALSE(lists.Remove(index, probe));
      }
    }
  }
  EXPECT_FALSE(lists.Remove(0, 5000));
  EXPECT_FALSE(lists.Contains(0, 5000));

  // Set and Clear from a spilled state; Grow keeps the lists and adds empty ones.
  const std::vector<int> many = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17};
  lists.Set(3, many.data(), static_cast<int>(many.size()));
  EXPECT_EQ(Sorted(lists, 3), many);
  lists.Set(3, many.data(), 2);
  EXPECT_EQ(Sorted(lists, 3), (std::vector<int>{1, 2}));
  lists.Clear(3);
  EXPECT_EQ(lists.Count(3), 0);
  const std::vector<int> kept = Sorted(lists, 5);
  ASSERT_TRUE(lists.Grow(20));
  EXPECT_EQ(lists.Size(), 20u);
  EXPECT_EQ(Sorted(lists, 5), kept);
  EXPECT_EQ(lists.Count(19), 0);
  lists.Assign(2);
  EXPECT_EQ(lists.Size(), 2u);
  EXPECT_EQ(lists.Count(0) + lists.Count(1), 0);
}
