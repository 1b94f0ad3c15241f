#include <gtest/gtest.h>

#include <vector>

#include "KelHashTable.h"

namespace {
struct Key {
  int value;
  int id;  // tells apart equal keys
};

int gCompareCalls = 0;
bool gNullSeen = false;

// Few distinct hashes, so that lookups meet colliding hashes of unequal keys.
unsigned int CoarseHash(void* iElement)
{
  if (!iElement) gNullSeen = true;
  return iElement ? static_cast<unsigned int>(static_cast<Key*>(iElement)->value / 4) : 0u;
}
unsigned int ExactHash(void* iElement)
{
  if (!iElement) gNullSeen = true;
  return iElement ? static_cast<unsigned int>(static_cast<Key*>(iElement)->value) : 0u;
}
int CompareValues(void* iA, void* iB)
{
  ++gCompareCalls;
  if (!iA || !iB) {
    gNullSeen = true;
    return 1;
  }
  const int a = static_cast<Key*>(iA)->value;
  const int b = static_cast<Key*>(iB)->value;
  EXPECT_EQ(a / 4, b / 4) << "compare called on different hashes";
  return (a > b) - (a < b);
}

std::vector<int> Ids(const KelHashTable& iTable)
{
  std::vector<int> ids;
  KelHashCodeIter iter(iTable);
  while (void* element = iter.Next()) ids.push_back(static_cast<Key*>(element)->id);
  return ids;
}
}  // namespace

TEST(KelHashTable, InsertionOrderRefusalsAndLookups)
{
  gNullSeen = false;
  std::vector<Key> keys;
  for (int i = 0; i < 40; ++i) keys.push_back({i * 7 % 40, i});
  KelHashTable table(4, CoarseHash, CompareValues);
  EXPECT_TRUE(table.Insert(nullptr) == 0 && table.Locate(nullptr) == nullptr && table.Remove(nullptr) == nullptr);
  std::vector<int> order;
  for (Key& key : keys) {
    EXPECT_EQ(table.Insert(&key), 1);
    order.push_back(key.id);
  }
  EXPECT_EQ(Ids(table), order);
  Key twin{keys[5].value, -1};
  EXPECT_TRUE(table.Insert(&twin) == 0 && table.Locate(&twin) == &keys[5]);

  // Removed elements disappear; a re-inserted one goes to the end of the order.
  order.clear();
  for (int i = 0; i < 40; ++i) {
    Key probe{keys[static_cast<size_t>(i)].value, -1};
    if (i % 3) {
      order.push_back(i);
      continue;
    }
    EXPECT_EQ(table.Remove(&probe), &keys[static_cast<size_t>(i)]);
    EXPECT_EQ(table.Remove(&probe), nullptr);
  }
  EXPECT_EQ(table.Insert(&keys[0]), 1);
  order.push_back(0);
  EXPECT_EQ(Ids(table), order);

  // KeyLocate gives the first element of a hash value in iteration order.
  std::vector<bool> bucketSeen(10, false);
  for (int id : order) {
    const unsigned int hash = CoarseHash(&keys[static_cast<size_t>(id)]);
    if (bucketSeen[hash]) continue;
    bucketSeen[hash] = true;
    EXPECT_EQ(table.KeyLocate(hash), &keys[static_cast<size_t>(id)]) << hash;
  }
  EXPECT_EQ(table.KeyLocate(1000), nullptr);
  EXPECT_FALSE(gNullSeen);

  // With distinct hashes, looking up an absent key never calls the compare function.
  KelHashTable exact(10, ExactHash, CompareValues);
  for (Key& key : keys) exact.Insert(&key);
  gCompareCalls = 0;
  Key absent{1000, 0};
  EXPECT_TRUE(exact.Locate(&absent) == nullptr && exact.Insert(&absent) == 1);
  EXPECT_EQ(gCompareCalls, 0);
  EXPECT_TRUE(exact.Locate(&twin) == &keys[5] && gCompareCalls == 1);

  table.RemoveAll();
  EXPECT_EQ(table.Insert(&keys[1]), 1);
  EXPECT_EQ(Ids(table), std::vector<int>{1});
}

TEST(KelHashTable, RemoveDuringIteration)
{
  std::vector<Key> keys(100);
  KelHashTable table(0, ExactHash, CompareValues);
  for (int i = 0; i < 100; ++i) {
    keys[static_cast<size_t>(i)] = {i, i};
    table.Insert(&keys[static_cast<size_t>(i)]);
  }
  // Remove each even element just returned, and once an odd one ahead of the iteration.
  int position = 0, visited = 0;
  while (void* element = table.Next(position)) {
    const int value = static_cast<Key*>(element)->value;
    ++visited;
    if (value % 2 == 0) table.Remove(element);
    if (value == 10) table.Remove(&keys[51]);
  }
  EXPECT_EQ(visited, 99);
  std::vector<int> expected;
  for (int i = 1; i < 100; i += 2)
    if (i != 51) expected.push_back(i);
  EXPECT_EQ(Ids(table), expected);
}

TEST(KelHashTable, StressWithSizeHint)
{
  const int count = 50000;
  std::vector<Key> keys(count);
  KelHashTable table(count, ExactHash, CompareValues);
  for (int i = 0; i < count; ++i) {
    keys[static_cast<size_t>(i)] = {i * 3, i};
    ASSERT_EQ(table.Insert(&keys[static_cast<size_t>(i)]), 1);
  }
  // Three quarters go, so that re-inserting them compacts the storage.
  for (int i = 0; i < count; ++i)
    if (i % 4 != 3) table.Remove(&keys[static_cast<size_t>(i)]);
  for (int i = 0; i < count; ++i) {
    Key probe{i * 3, -1};
    ASSERT_EQ(table.Locate(&probe), i % 4 == 3 ? &keys[static_cast<size_t>(i)] : nullptr) << i;
  }
  for (int i = 0; i < count; ++i)
    if (i % 4 != 3) table.Insert(&keys[static_cast<size_t>(i)]);
  ASSERT_EQ(table.Size(), count);
  // The kept quarter first, then the re-inserted elements, each in order.
  std::vector<int> expected;
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < count; ++i)
      if ((i % 4 == 3) == (pass == 0)) expected.push_back(i);
  EXPECT_EQ(Ids(table), expected);
}
