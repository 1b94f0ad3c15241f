#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <vector>

#include "KelCldHeap.h"
#include "KelCldHeapEvaluator.h"
#include "KelCldHeapSort.h"

namespace {
// Identifiers 0..n-1 with a cost each; remembers the last position the heap reported.
struct CostEvaluator : KelCldHeapEvaluator {
  explicit CostEvaluator(size_t iCount) : cost(iCount, 0.0), position(iCount, -1) {}
  int CompareValues(const int iNum1, const int iNum2) const override
  {
    return (cost[size_t(iNum1)] > cost[size_t(iNum2)]) - (cost[size_t(iNum1)] < cost[size_t(iNum2)]);
  }
  void UpdateNum(const int iNum, const int iPosition) override { position[size_t(iNum)] = iPosition; }
  std::vector<double> cost;
  std::vector<int> position;
};

// Order invariant, and every identifier stands where the evaluator was told.
testing::AssertionResult Consistent(const KelCldHeap& iHeap, const CostEvaluator& iEval)
{
  for (int i = 0; i < iHeap.Size(); ++i) {
    if (iEval.position[size_t(iHeap.GetNum(i))] != i) return testing::AssertionFailure() << "position " << i;
    if (i > 0 && iEval.CompareValues(iHeap.GetNum(i), iHeap.GetNum(iHeap.GetParent(i))) < 0)
      return testing::AssertionFailure() << "order at " << i;
  }
  return testing::AssertionSuccess();
}

std::vector<int> Drain(KelCldHeap& ioHeap)
{
  std::vector<int> popped;
  for (; ioHeap.Size() > 0; ioHeap.Remove(0)) popped.push_back(ioHeap.GetNum(0));
  return popped;
}
}  // namespace

TEST(KelCldHeap, CapacityRangesAndRemovalAcrossBranches)
{
  CostEvaluator eval(16);
  for (size_t i = 0; i < 16; ++i) eval.cost[i] = double(i);
  KelCldHeap empty(0, &eval), heap(7, &eval);
  EXPECT_FALSE(empty.Add(1));
  for (int num : {1, 10, 2, 11, 12, 3, 4}) EXPECT_TRUE(heap.Add(num));  // nothing moves
  EXPECT_FALSE(heap.Add(0));
  EXPECT_EQ(heap.GetNum(-1) + heap.GetNum(7), -2);
  // 4 comes from the other branch into position 3 and must rise above 10.
  heap.Remove(3);
  heap.Remove(7);  // out of range: ignored
  EXPECT_EQ(heap.Size() * 10 + heap.GetNum(1), 64);
  EXPECT_TRUE(Consistent(heap, eval));
}

TEST(KelCldHeap, RandomOperationsAgainstReference)
{
  const int n = 300;
  std::mt19937 rng(7);
  CostEvaluator eval(n);
  KelCldHeap heap(n, &eval);
  std::set<int> in;
  for (int step = 0; step < 4000; ++step) {
    const unsigned op = in.empty() ? 0 : rng() % 10;
    const int num = in.empty() || op < 4 ? int(rng() % n) : *std::next(in.begin(), long(rng() % in.size()));
    const double newCost = rng() % 40;  // small range: many ties
    if (op < 4 && !in.count(num)) {
      eval.cost[size_t(num)] = newCost;
      ASSERT_TRUE(heap.Add(num));
      in.insert(num);
    } else if (op >= 4 && op < 6) {
      heap.Remove(eval.position[size_t(num)]);
      in.erase(num);
      EXPECT_GE(eval.position[size_t(num)], heap.Size());
    } else if (op >= 6 && op < 9) {
      eval.cost[size_t(num)] = newCost;
      heap.Replace(eval.position[size_t(num)], num);
    } else if (op == 9) {
      const int top = heap.GetNum(0);
      for (int other : in) ASSERT_LE(eval.cost[size_t(top)], eval.cost[size_t(other)]);
      heap.Remove(0);
      in.erase(top);
    }
    ASSERT_EQ(heap.Size(), int(in.size()));
    ASSERT_TRUE(Consistent(heap, eval)) << "after step " << step;
  }
  const std::vector<int> popped = Drain(heap);
  EXPECT_EQ(std::set<int>(popped.begin(), popped.end()), in);
  for (size_t i = 1; i < popped.size(); ++i) EXPECT_LE(eval.cost[size_t(popped[i - 1])], eval.cost[size_t(popped[i])]);
}

TEST(KelCldHeapDeathTest, WithoutEvaluator)
{
  KelCldHeap heap(4, nullptr);
  EXPECT_FALSE(heap.Add(1));
  EXPECT_DEATH(heap.UpdateNum(0),
               "AssertionFailed:0\n.*KelPolyMeshOperatorsBase/KelCldUtilitiesBase.m/src/KelCldHeap, line");
}

namespace {
int CompareKeys(const void* iA, const void* iB)
{
  const int a = *static_cast<const int*>(iA), b = *static_cast<const int*>(iB);
  return (a > b) - (a < b);
}
bool KeyLess(void* iA, void* iB) { return CompareKeys(iA, iB) < 0; }

template <class T, class... Compare>
std::vector<T> HeapSorted(std::vector<T> iValues, Compare... iCompare)
{
  KelRawColl<T> list(iValues.data(), int(iValues.size()));
  KelCldHeapSort(list, iCompare...);
  return std::vector<T>(list.Data(), list.Data() + list.Size());
}
template <class T>
std::vector<T> StdSorted(std::vector<T> iValues)
{
  std::sort(iValues.begin(), iValues.end());
  return iValues;
}
}  // namespace

TEST(KelCldHeapSort, AgainstStdSortWithTies)
{
  std::mt19937 rng(3);
  for (int n : {0, 1, 3, 257}) {
    std::vector<int> ints;
    std::vector<double> doubles;
    std::vector<std::array<int, 2>> records(static_cast<size_t>(n));  // {key, rank}
    std::vector<void*> pointers;
    for (int i = 0; i < n; ++i) {
      ints.push_back(int(rng() % 20) - 10);
      doubles.push_back((rng() % 50) * 0.25);
      records[size_t(i)] = {int(rng() % 10), i};
      pointers.push_back(records[size_t(i)].data());
    }
    std::shuffle(pointers.begin(), pointers.end(), rng);
    EXPECT_EQ(HeapSorted(ints), StdSorted(ints));
    EXPECT_EQ(HeapSorted(doubles), StdSorted(doubles));
    EXPECT_EQ(HeapSorted(pointers, KelCldCompareFunction(nullptr)), StdSorted(pointers));

    // By key the heap sort orders the keys; the insertion sort also keeps ties in input order.
    std::vector<void*> stable = pointers;
    std::stable_sort(stable.begin(), stable.end(), KeyLess);
    const std::vector<void*> byHeap = HeapSorted(pointers, CompareKeys);
    EXPECT_TRUE(std::is_sorted(byHeap.begin(), byHeap.end(), KeyLess));
    EXPECT_TRUE(std::is_permutation(byHeap.begin(), byHeap.end(), stable.begin()));
    KelRawCollPV list(pointers.data(), n);
    KelCldInsertionSort(list, CompareKeys);
    EXPECT_EQ(std::vector<void*>(list.Data(), list.Data() + n), stable);
  }
}
