#include "KelCldHeap.h"

#include <new>

#include "KelCldHeapEvaluator.h"
#include "KelFatalError.h"

KelImplementClass(KelCldHeap, KelBaseUnknown, KelMetaImplementation)

KelCldHeap::KelCldHeap(const int iCapacity, KelCldHeapEvaluator* iEvaluator) : _evaluator(iEvaluator)
{
  if (iCapacity <= 0) return;
  _heap.reset(new (std::nothrow) int[static_cast<size_t>(iCapacity)]);
  if (_heap) _capacity = iCapacity;
}

KelCldHeap::~KelCldHeap() { _evaluator = nullptr; }

KelBoolean KelCldHeap::Add(const int iNum)
{
  if (!_evaluator || _size >= _capacity) return FALSE;
  _heap[_size] = iNum;
  _evaluator->UpdateNum(iNum, _size);
  ++_size;
  UpdateParent(_size - 1);
  return TRUE;
}

void KelCldHeap::Replace(const int iPosition, const int iNum)
{
  if (iPosition < 0 || iPosition >= _size) return;
  _heap[iPosition] = iNum;
  Restore(iPosition);
}

void KelCldHeap::Remove(const int iPosition)
{
  if (_capacity < 1 || iPosition < 0 || iPosition >= _size) return;
  SwapNum(iPosition, _size - 1);
  --_size;
  if (iPosition < _size) Restore(iPosition);
}

void KelCldHeap::Restore(const int iPosition)
{
  // The identifier may come from another branch (Remove) or have a new value (Replace), so
  // it can belong above or below its place.
  if (_evaluator && iPosition > 0 &&
      _evaluator->CompareValues(_heap[iPosition], _heap[GetParent(iPosition)]) < 0)
    UpdateParent(iPosition);
  else
    UpdateChildren(iPosition);
}

void KelCldHeap::SwapNum(const int iPosition1, const int iPosition2)
{
  if (!_evaluator) return;
  if (iPosition1 < 0 || iPosition1 >= _size || iPosition2 < 0 || iPosition2 >= _size) return;
  Exchange(iPosition1, iPosition2);
}

void KelCldHeap::Exchange(const int iPosition1, const int iPosition2)
{
  const int num = _heap[iPosition1];
  _heap[iPosition1] = _heap[iPosition2];
  _heap[iPosition2] = num;
  _evaluator->UpdateNum(_heap[iPosition1], iPosition1);
  _evaluator->UpdateNum(_heap[iPosition2], iPosition2);
}

void KelCldHeap::UpdateParent(const int iPosition)
{
  if (!_evaluator || iPosition >= _size) return;
  for (int i = iPosition; i > 0;) {
    const int parent = GetParent(i);
    if (_evaluator->CompareValues(_heap[i], _heap[parent]) >= 0) return;
    Exchange(i, parent);
    i = parent;
  }
}

void KelCldHeap::UpdateChildren(const int iPosition)
{
  for (int i = iPosition; i < _size;) {
    const int j = UpdateNum(i);
    if (j == i) return;
    i = j;
  }
}

int KelCldHeap::UpdateNum(const int iPosition)
{
  if (!_evaluator) KelAssert(0);
  // Computed wide: near the largest capacities 2i+2 no longer fits an int.
  const long long child1 = 2LL * iPosition + 1;
  if (iPosition < 0 || child1 >= _size) return iPosition;
  int best = iPosition;
  if (_evaluator->CompareValues(_heap[child1], _heap[iPosition]) < 0) best = static_cast<int>(child1);
  const long long child2 = child1 + 1;
  if (child2 < _size && _evaluator->CompareValues(_heap[child2], _heap[best]) < 0) best = static_cast<int>(child2);
  if (best != iPosition) Exchange(iPosition, best);
  return best;
}
