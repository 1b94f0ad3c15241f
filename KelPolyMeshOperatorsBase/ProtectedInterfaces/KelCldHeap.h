#ifndef KelCldHeap_h
#define KelCldHeap_h
// Fixed-capacity binary min-heap of integer identifiers ordered by a KelCldHeapEvaluator.
//
// - Positions are 0-based; the parent of i is (i-1)/2, its children 2i+1 and 2i+2. For every
//   i >= 1, CompareValues(num(i), num(parent(i))) is not negative, so GetNum(0) is the top.
// - Every move goes through SwapNum, which tells the evaluator the new position of both
//   identifiers; the evaluator therefore always knows where each identifier stands and can
//   hand that position to Replace or Remove (O(log n) each). A removed identifier was last
//   reported at a position >= Size(). Replace does not report the identifier it stores when
//   that identifier does not move: it is meant for the identifier already at that place.
// - A tie never moves anything (neither past a parent nor past a child) and of two equal
//   children the first wins, so the pop order of equal identifiers is deterministic.
// - The array is allocated once (capacity 0 when that fails or the capacity is negative);
//   the heap never grows and allocates nothing afterwards. The evaluator is not owned and
//   must outlive the heap.
// - Without an evaluator Add fails and SwapNum / UpdateParent do nothing; UpdateNum is then
//   the fatal assertion "0". Positions out of range are ignored (GetNum gives -1).

#include <memory>

#include "KelBaseUnknown.h"
#include "KelPlatformTypes.h"

class KelCldHeapEvaluator;

class KelCldHeap : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldHeap(const int iCapacity, KelCldHeapEvaluator* iEvaluator);
  ~KelCldHeap() override;
  KelCldHeap(const KelCldHeap&) = delete;
  KelCldHeap& operator=(const KelCldHeap&) = delete;

  // FALSE without an evaluator or when the heap is full.
  KelBoolean Add(const int iNum);
  int Size() const { return _size; }
  // The identifier at the position, -1 outside 0..Size()-1.
  int GetNum(const int iPosition) const
  {
    return iPosition >= 0 && iPosition < _size ? _heap[iPosition] : -1;
  }
  int GetParent(const int iPosition) const { return iPosition < 1 ? -1 : (iPosition - 1) / 2; }
  int GetChild1(const int iPosition) const { return 2 * iPosition + 1; }
  int GetChild2(const int iPosition) const { return 2 * iPosition + 2; }

  // Stores iNum at the position and restores the order after its value changed.
  void Replace(const int iPosition, const int iNum);
  // Takes the identifier at the position out; Remove(0) pops the top.
  void Remove(const int iPosition);
  void SwapNum(const int iPosition1, const int iPosition2);
  // Sift up from the position.
  void UpdateParent(const int iPosition);
  // Sift down from the position.
  void UpdateChildren(const int iPosition);
  // One level of sift down; the position where the identifier stands afterwards.
  int UpdateNum(const int iPosition);

private:
  // SwapNum without the checks, for positions known to be valid.
  void Exchange(const int iPosition1, const int iPosition2);
  // Sift up or down, whichever the identifier at the valid position needs.
  void Restore(const int iPosition);

  std::unique_ptr<int[]> _heap;
  int _capacity = 0;
  int _size = 0;
  KelCldHeapEvaluator* _evaluator = nullptr;
};

#endif
