#include "KelCldHeapSort.h"

#include <cstdint>

namespace {

// The helpers work on the collection's contiguous storage with 1-based positions: element k
// is oValues[k - 1]. This skips the collection's range check in the inner loops.
template <class T>
void Swap(T* ioValues, const int iPosition1, const int iPosition2)
{
  const T value = ioValues[iPosition1 - 1];
  ioValues[iPosition1 - 1] = ioValues[iPosition2 - 1];
  ioValues[iPosition2 - 1] = value;
}

// Sifts element iPosition down within the first iCount elements; a child replaces the pick
// only when strictly greater.
template <class T, class Greater>
void UpdateHeap(T* ioValues, const int iCount, int iPosition, const Greater& iGreater)
{
  // Testing against iCount / 2 first keeps 2 * iPosition from overflowing.
  while (iPosition <= iCount / 2) {
    int pick = iPosition;
    const int child1 = 2 * iPosition;
    const int child2 = child1 + 1;
    if (iGreater(ioValues[child1 - 1], ioValues[pick - 1])) pick = child1;
    if (child2 <= iCount && iGreater(ioValues[child2 - 1], ioValues[pick - 1])) pick = child2;
    if (pick == iPosition) return;
    Swap(ioValues, iPosition, pick);
    iPosition = pick;
  }
}

template <class T, class Greater>
void HeapSort(KelRawColl<T>& ioList, const Greater& iGreater)
{
  const int n = ioList.Size();
  if (n < 2) return;
  T* values = ioList.Data();
  for (int i = n / 2; i >= 1; --i) UpdateHeap(values, n, i, iGreater);
  for (int k = n; k > 1; --k) {
    Swap(values, k, 1);
    UpdateHeap(values, k - 1, 1, iGreater);
  }
}

}  // namespace

int DefaultComparison(const void* iA, const void* iB)
{
  const intptr_t a = reinterpret_cast<intptr_t>(iA);
  const intptr_t b = reinterpret_cast<intptr_t>(iB);
  return (a > b) - (a < b);
}

void KelCldHeapSort(KelRawCollPV& ioList, KelCldCompareFunction iCompare)
{
  const KelCldCompareFunction compare = iCompare ? iCompare : DefaultComparison;
  HeapSort(ioList, [compare](const void* iA, const void* iB) { return compare(iA, iB) > 0; });
}

void KelCldHeapSort(KelRawCollint& ioList)
{
  HeapSort(ioList, [](const int iA, const int iB) { return iA > iB; });
}

void KelCldHeapSort(KelRawColldouble& ioList)
{
  HeapSort(ioList, [](const double iA, const double iB) { return iA > iB; });
}

void KelCldInsertionSort(KelRawCollPV& ioList, KelCldCompareFunction iCompare)
{
  const KelCldCompareFunction compare = iCompare ? iCompare : DefaultComparison;
  const int n = ioList.Size();
  void** values = ioList.Data();
  for (int k = 2; k <= n; ++k) {
    void* const x = values[k - 1];
    int j = k;
    // Shifting instead of swapping writes each moved element once.
    for (; j > 1 && compare(values[j - 2], x) > 0; --j) values[j - 1] = values[j - 2];
    values[j - 1] = x;
  }
}
