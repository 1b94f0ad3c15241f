#ifndef KelCldHeapSort_h
#define KelCldHeapSort_h
// In-place ascending sorts of the platform's 1-based collections.
//
// - KelCldHeapSort: max-heap sort, O(n log n), no extra storage, not stable. With pointers,
//   iCompare(a, b) > 0 means a sorts after b; a null iCompare orders the pointer values
//   themselves (DefaultComparison).
// - KelCldInsertionSort: stable, O(n^2); meant for short or nearly sorted lists. A null
//   iCompare falls back to DefaultComparison as well rather than failing.
// - Doubles are ordered with >: NaN values end up somewhere, without harm to the rest.

#include "KelRawColl.h"

typedef int (*KelCldCompareFunction)(const void*, const void*);

// The pointer values as signed integers: 1, -1 or 0.
int DefaultComparison(const void* iA, const void* iB);

void KelCldHeapSort(KelRawCollPV& ioList, KelCldCompareFunction iCompare = nullptr);
void KelCldHeapSort(KelRawCollint& ioList);
void KelCldHeapSort(KelRawColldouble& ioList);
void KelCldInsertionSort(KelRawCollPV& ioList, KelCldCompareFunction iCompare);

#endif
