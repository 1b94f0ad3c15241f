// Layout of attribute fields: first-fit offsets, minimum field size, data copies.

#include <gtest/gtest.h>

#include <cstring>

#include "KelCldAttributeMgr.h"

namespace {

int Offset(const KelCldAttributeMgr& iMgr, int iAttribute)
{
  const KelCldAttributeRecord* record = iMgr.GetAttributeRecord(iAttribute);
  return record ? record->offset : -1;
}

TEST(KelCldAttributeMgr, FirstFitOffsetsReuseGaps)
{
  KelCldAttributeMgr mgr;
  EXPECT_EQ(mgr.GetMinimumSizeOfField(), 0);
  EXPECT_EQ(mgr.GetValidOffset(16), 0);

  ASSERT_TRUE(mgr.Register(3, 8));
  ASSERT_TRUE(mgr.Register(1, 4));
  EXPECT_EQ(Offset(mgr, 3), 0);
  EXPECT_EQ(Offset(mgr, 1), 8);
  EXPECT_EQ(mgr.GetMinimumSizeOfField(), 12);

  ASSERT_TRUE(mgr.Unregister(3));
  EXPECT_EQ(mgr.GetMinimumSizeOfField(), 12);
  ASSERT_TRUE(mgr.Register(2, 8));
  EXPECT_EQ(Offset(mgr, 2), 0);
  ASSERT_TRUE(mgr.Register(4, 12));
  EXPECT_EQ(Offset(mgr, 4), 12);
  EXPECT_EQ(mgr.GetMinimumSizeOfField(), 24);

  // A gap too small for the request is skipped, a later one that fits is taken.
  ASSERT_TRUE(mgr.Unregister(2));  // gap [0, 8)
  ASSERT_TRUE(mgr.Unregister(4));  // field now ends at 12
  ASSERT_TRUE(mgr.Register(5, 2));
  EXPECT_EQ(Offset(mgr, 5), 0);
  ASSERT_TRUE(mgr.Register(6, 8));  // [2, 10) would hit attribute 1 at 8
  EXPECT_EQ(Offset(mgr, 6), 12);
  ASSERT_TRUE(mgr.Register(7, 6));  // [2, 8) fits exactly
  EXPECT_EQ(Offset(mgr, 7), 2);
  EXPECT_EQ(mgr.GetValidOffset(0), 0);
}

TEST(KelCldAttributeMgr, RegistrationRulesAndData)
{
  KelCldAttributeMgr mgr;
  EXPECT_FALSE(mgr.Register(0, 4) || mgr.Register(-2, 4));
  EXPECT_TRUE(mgr.Register(2, 4));
  EXPECT_FALSE(mgr.Register(2, 8));
  EXPECT_TRUE(mgr.GetAttributeSize(2) == 4 && mgr.IsRegistered(2) && !mgr.IsRegistered(1));
  EXPECT_TRUE(mgr.GetAttributeSize(1) == 0 && mgr.GetAttributeRecord(99) == nullptr && !mgr.Unregister(1));

  ASSERT_TRUE(mgr.Register(1, 8));  // after attribute 2: offset 4
  char field[12];
  std::memset(field, 0x55, sizeof(field));
  const double value = 3.25;
  ASSERT_TRUE(mgr.SetAttributeData(field, 1, reinterpret_cast<const char*>(&value)));
  double read = 0;
  ASSERT_TRUE(mgr.GetAttributeData(field, 1, reinterpret_cast<char*>(&read)));
  EXPECT_EQ(read, value);
  EXPECT_EQ(std::memcmp(field + 4, &value, 8), 0);
  EXPECT_EQ(static_cast<unsigned char>(field[0]), 0x55);  // other attributes untouched

  char untouched[4] = {1, 2, 3, 4};
  EXPECT_FALSE(mgr.GetAttributeData(field, 7, untouched));
  EXPECT_EQ(untouched[0], 1);

  // A copy starts empty; assigning keeps the target's registrations.
  KelCldAttributeMgr copy(mgr);
  EXPECT_TRUE(!copy.IsRegistered(1) && copy.GetMinimumSizeOfField() == 0);
  KelCldAttributeMgr target;
  target.Register(5, 2);
  target = mgr;
  EXPECT_TRUE(target.IsRegistered(5) && !target.IsRegistered(1));
}

}  // namespace
