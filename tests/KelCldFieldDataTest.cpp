// Field storage: growth steps, in-place field resizing, free-list order.

#include <gtest/gtest.h>

#include <cstring>

#include "KelCldFieldData.h"

namespace {

KelCldAttribute* Handle(int iNumber) { return KelCldFieldData::FieldHandle(iNumber); }
int Number(KelCldAttribute* iField) { return KelCldFieldData::FieldNumber(iField); }

TEST(KelCldFieldData, GrowthSteps)
{
  KelCldFieldData zero;
  EXPECT_EQ(Number(zero.AddField()), 1);
  EXPECT_EQ(zero.GetNbAllocatedBytes(), 32768);

  KelCldFieldData data;
  ASSERT_TRUE(data.SetSizeOfField(16));
  EXPECT_EQ(data.GetNbAllocatedBytes(), 0);
  for (int i = 1; i <= 2047; ++i) ASSERT_EQ(Number(data.AddField()), i);
  EXPECT_EQ(data.GetNbAllocatedBytes(), 32768);
  EXPECT_EQ(Number(data.AddField()), 2048);
  EXPECT_EQ(data.GetNbAllocatedBytes(), 65536);

  // Growing the field size reserves exactly what the fields need.
  ASSERT_TRUE(data.SetSizeOfField(40));
  EXPECT_EQ(data.GetNbAllocatedBytes(), 2048 * 40);

  // A field wider than one growth step still gets room.
  KelCldFieldData wide;
  ASSERT_TRUE(wide.SetSizeOfField(40000));
  EXPECT_EQ(Number(wide.AddField()), 1);
  EXPECT_GT(wide.GetNbAllocatedBytes(), 40000);
}

TEST(KelCldFieldData, ResizingKeepsContents)
{
  KelCldFieldData data;
  ASSERT_TRUE(data.SetSizeOfField(4));
  const int nbFields = 100;
  for (int i = 1; i <= nbFields; ++i) {
    KelCldAttribute* field = data.AddField();
    const int value = 1000 + i;
    std::memcpy(data.GetField(field), &value, 4);
  }
  ASSERT_TRUE(data.SetSizeOfField(8));
  EXPECT_EQ(data.GetSizeOfField(), 8);
  for (int i = 1; i <= nbFields; ++i) {
    const char* bytes = data.GetField(Handle(i));
    int value = 0, tail = -1;
    std::memcpy(&value, bytes, 4);
    std::memcpy(&tail, bytes + 4, 4);
    ASSERT_EQ(value, 1000 + i);
    ASSERT_EQ(tail, 0);
  }
  ASSERT_TRUE(data.SetSizeOfField(2));
  for (int i = 1; i <= nbFields; ++i) {
    const int expected = 1000 + i;
    ASSERT_EQ(std::memcmp(data.GetField(Handle(i)), &expected, 2), 0);
  }
  EXPECT_FALSE(data.SetSizeOfField(-1));
  EXPECT_EQ(data.GetSizeOfField(), 2);
}

TEST(KelCldFieldData, FreedFieldsComeBackMostRecentFirst)
{
  KelCldFieldData data;
  ASSERT_TRUE(data.SetSizeOfField(8));
  for (int i = 0; i < 6; ++i) data.AddField();
  std::memset(data.GetField(Handle(5)), 7, 8);
  EXPECT_TRUE(data.FreeField(Handle(2)) && data.FreeField(Handle(5)) && !data.FreeField(Handle(7)));
  EXPECT_EQ(Number(data.AddField()), 5);
  EXPECT_EQ(data.GetField(Handle(5))[0], 7);  // a reused field is not cleared
  EXPECT_EQ(Number(data.AddField()), 2);
  EXPECT_EQ(Number(data.AddField()), 7);

  // Shrinking the buffer drops the fields past its end, also from the free list.
  data.FreeField(Handle(6));
  data.FreeField(Handle(1));
  ASSERT_TRUE(data.Reserve(3 * 8 + 4));
  EXPECT_EQ(data.GetNbFields(), 3);
  EXPECT_EQ(Number(data.AddField()), 1);
  EXPECT_EQ(Number(data.AddField()), 4);
}

TEST(KelCldFieldDataDeathTest, FieldNotHandedOut)
{
  KelCldFieldData data;
  data.SetSizeOfField(4);
  data.AddField();
  EXPECT_DEATH(data.GetField(Handle(2)), "AssertionFailed:iField < _nbFields\n"
                                         "KelPolyMeshOperatorsBase/KelCldExtensions.m/src/KelCldFieldData, line");
}

}  // namespace
