#include <gtest/gtest.h>

#include <string>

#include "KelListPtr.h"
#include "KelListVal.h"

namespace {
struct Item {
  int key;
};
int CompareKeys(Item* iA, Item* iB) { return (iA->key > iB->key) - (iA->key < iB->key); }

struct Record {
  int a = 0;
  std::string name;
  bool operator==(const Record& iOther) const { return a == iOther.a && name == iOther.name; }
};
typedef KelListPtr<Item> ItemList;
}  // namespace

TEST(KelListPtr, LocateAndRemoveSemantics)
{
  Item a{1}, b{2}, c{3};
  Item* init[] = {&a, &b, &a, &c, &a};
  ItemList list(init, 5);
  EXPECT_EQ(list.Locate(&a, 2), 3);
  EXPECT_EQ(list.Locate(&a, 6), 0);
  EXPECT_EQ(list.RemoveValue(&c), 4);
  EXPECT_EQ(list.RemoveValue(&c), 0);

  // Each entry of the argument removes one occurrence, the first one left.
  Item* twiceA[] = {&a, &a, &c};
  EXPECT_EQ(list.Remove(ItemList(twiceA, 3)), 2);
  Item* left[] = {&b, &a};
  EXPECT_EQ(list, ItemList(left, 2));
  ItemList copy(list);
  EXPECT_EQ(copy.Remove(copy), 2);
  EXPECT_EQ(copy.Size(), 0);

  list.InsertAt(1, &c);
  list.InsertAt(4, &c);
  list.Append(list);  // c b a c c b a c
  ItemList removed;
  EXPECT_EQ(list.RemoveDuplicates(&removed), 5);
  Item* firsts[] = {&c, &b, &a};
  EXPECT_EQ(list, ItemList(firsts, 3));
  Item* later[] = {&c, &c, &b, &a, &c};
  EXPECT_EQ(removed, ItemList(later, 5));

  list.Size(5);
  EXPECT_TRUE(list[5] == nullptr && list.RemoveNulls() == 2 && list.Size() == 3);
}

TEST(KelListPtr, SortCompareIntersection)
{
  Item items[6] = {{5}, {1}, {4}, {1}, {3}, {2}};
  ItemList list;
  for (Item& item : items) list.Append(&item);
  list.QuickSort(CompareKeys);
  for (int i = 2; i <= list.Size(); ++i) EXPECT_LE(list[i - 1]->key, list[i]->key);
  EXPECT_EQ(list[1], &items[1]);  // equal keys keep their order
  EXPECT_EQ(list[2], &items[3]);

  ItemList shorter(list);
  shorter.RemovePosition(6);
  EXPECT_EQ(ItemList::Compare(shorter, list, CompareKeys), -1);
  EXPECT_EQ(ItemList::Compare(list, shorter, CompareKeys), 1);
  ItemList other(list);
  other.Swap(3, 6);
  EXPECT_LT(ItemList::Compare(list, other, CompareKeys), 0);
  other.Swap(3, 6);
  other.Swap(1, 2);  // equal keys: the same for the comparator
  EXPECT_EQ(ItemList::Compare(list, other, CompareKeys), 0);

  Item* pickedEntries[] = {&items[4], &items[0]};
  ItemList picked(pickedEntries, 2);
  ItemList result;
  result.Append(&items[2]);
  ItemList::Intersection(list, picked, result);  // appends, in the first list's order
  Item* expected[] = {&items[2], &items[4], &items[0]};
  EXPECT_EQ(result, ItemList(expected, 3));
  ItemList::Intersection(picked, picked, picked);
  EXPECT_EQ(picked.Size(), 4);
}

TEST(KelListVal, StableAddressesAndDeepCopies)
{
  KelListVal<Record> list;
  list.Append({1, "one"});
  Record* first = &list[1];
  for (int i = 2; i <= 1000; ++i) list.Append({i, std::to_string(i)});
  EXPECT_EQ(&list[1], first);
  EXPECT_EQ(list[1].name, "one");
  Record* last = &list[1000];
  list.RemovePosition(1);
  EXPECT_EQ(&list[999], last);
  EXPECT_EQ(list.Locate({500, "500"}), 499);
  EXPECT_EQ(list.Locate({500, "x"}), 0);

  KelListVal<Record> copy(list);
  copy[1].a = -1;
  EXPECT_TRUE(copy != list && list[1].a == 2);
  copy = copy;
  EXPECT_EQ(copy[1].a, -1);
  copy = list;
  EXPECT_EQ(copy, list);
}

TEST(KelListDeathTest, PositionOutOfRange)
{
  Item a{1};
  ItemList list;
  list.Append(&a);
  KelListVal<Record> values;
  values.Append({});
  EXPECT_DEATH(list.RemovePosition(0), "AssertionFailed:iPos > 0 && iPos <= _Size");
  EXPECT_DEATH(list.InsertAt(3, &a), "AssertionFailed:iPos >= 1 && iPos <= _Size\\+1");
  EXPECT_DEATH(values[0], "AssertionFailed:iPos > 0 && iPos <= _Size");
}
