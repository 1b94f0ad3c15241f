#include <gtest/gtest.h>

#include "KelRawColl.h"

TEST(KelRawColl, OneBasedEditing)
{
  KelRawCollint list;
  for (int v : {7, 3, 7, 9}) list.Append(v);
  EXPECT_EQ(list.Locate(7, 2), 3);
  EXPECT_EQ(list.Locate(7, 4), 0);
  EXPECT_EQ(list.Locate(7, -5), 1);

  // Removing a value takes its first occurrence and reports where it was.
  EXPECT_EQ(list.RemoveValue(7), 1);
  EXPECT_EQ(list.RemoveValue(42), 0);
  list.InsertAt(1, 1);
  list.InsertAt(list.Size() + 1, 100);
  list.InsertAt(3, 50);
  list.RemovePosition(5);
  const int expected[] = {1, 3, 50, 7, 100};
  EXPECT_EQ(list, KelRawCollint(expected, 5));

  // Grow, shrink, grow again: regrown entries are zero, not the old values.
  list.Size(2);
  list.Size(4);
  EXPECT_EQ(list[2], 3);
  EXPECT_EQ(list[3], 0);
  EXPECT_EQ(list[4], 0);

  // A list appended to itself doubles; equality looks at the entries only, not at what a
  // shrunk list still stores past its size.
  list.Size(2);
  list.Append(list);
  const int doubled[] = {1, 3, 1, 3};
  EXPECT_EQ(list, KelRawCollint(doubled, 4));
  list.Size(3);
  list.Append(8);
  const int shrunk[] = {1, 3, 1, 8};
  EXPECT_EQ(list, KelRawCollint(shrunk, 4));
  EXPECT_NE(list, KelRawCollint(shrunk, 3));
  EXPECT_EQ(list.NbOccur(1), 2);
  list.RemoveAll(1);
  EXPECT_EQ(list.Data(), nullptr);
  list.InsertAt(1, 5);
  EXPECT_EQ(list.Size(), 1);
  EXPECT_EQ(list[1], 5);

  KelRawCollint reused(1000);
  for (int i = 0; i < 1000; ++i) reused.Append(i);
  const int* storage = reused.Data();
  reused.RemoveAll();
  EXPECT_EQ(reused.Size(), 0);
  for (int i = 0; i < 1000; ++i) reused.Append(-i);
  EXPECT_EQ(reused.Data(), storage);
}

TEST(KelRawCollDeathTest, PositionOutOfRange)
{
  KelRawCollint list;
  list.Append(1);
  EXPECT_DEATH(list[2], "AssertionFailed:iPos > 0 && iPos <= _Size");
}
