#include <gtest/gtest.h>

#include <random>
#include <unordered_set>
#include <vector>

#include "KelHashTableOfInt.h"

namespace {
std::vector<int> Walk(const KelHashTableOfInt& iSet)
{
  std::vector<int> values;
  for (const int* p = iSet.Next(nullptr); p; p = iSet.GetTheNext(p)) values.push_back(*p);
  return values;
}
}  // namespace

TEST(KelHashTableOfInt, SemanticsWalksAndBothNames)
{
  KelHashTableOfInt set;
  EXPECT_TRUE(set.Insert(5));
  EXPECT_FALSE(set.AddAnInteger(5));
  ASSERT_NE(set.Locate(5), nullptr);
  EXPECT_EQ(*set.Dislocate(5), 5);
  EXPECT_TRUE(set.Remove(5));
  EXPECT_FALSE(set.GetRidOf(5));
  EXPECT_EQ(set.HowBig(), 0);

  for (int v : {0, -3, 7, 2}) EXPECT_TRUE(set.Insert(v));
  KelRawCollint values = KelRawCollint(std::vector<int>{99}.data(), 1);
  set.Fetch(values);  // appends
  EXPECT_EQ(values, KelRawCollint(std::vector<int>{99, 0, -3, 7, 2}.data(), 5));
  // The value just returned may be removed before asking for the next one.
  std::vector<int> kept;
  for (const int* p = set.Next(nullptr); p; p = set.Next(p)) {
    if (*p < 3) set.Remove(*p);
    else kept.push_back(*p);
  }
  EXPECT_EQ(kept, std::vector<int>{7});
  // A walk may resume from any stored element; one that is not stored ends it.
  for (int v : {8, 9}) set.Insert(v);
  EXPECT_EQ(*set.Next(set.Locate(7)), 8);
  const int stranger = 8;
  EXPECT_EQ(set.Next(&stranger), nullptr);

  set.GetRidOfEvidence();
  EXPECT_EQ(set.Size(), 0);
  EXPECT_EQ(set.Next(nullptr), nullptr);
  EXPECT_TRUE(set.Insert(8));
}

TEST(KelHashTableOfInt, RandomOperationsAgainstUnorderedSet)
{
  std::mt19937 rng(11);
  KelHashTableOfInt set;
  std::unordered_set<int> reference;
  for (int step = 0; step < 20000; ++step) {
    const int value = int(rng() % 2000) - 1000;
    const int* box = set.Locate(value);
    ASSERT_EQ(box ? *box : 5000, reference.count(value) ? value : 5000);
    if (rng() % 2) {
      ASSERT_EQ(set.Insert(value) == TRUE, reference.insert(value).second);
    } else {
      ASSERT_EQ(set.Remove(value) == TRUE, reference.erase(value) == 1);
    }
    ASSERT_EQ(set.Size(), int(reference.size()));
  }
  const std::vector<int> walked = Walk(set);
  KelRawCollint got;
  set.Get(got);
  EXPECT_EQ(std::vector<int>(got.Data(), got.Data() + got.Size()), walked);
  EXPECT_EQ(std::unordered_set<int>(walked.begin(), walked.end()), reference);
  EXPECT_EQ(walked.size(), reference.size());
}
