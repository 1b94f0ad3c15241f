#ifndef KelCldHeapEvaluator_h
#define KelCldHeapEvaluator_h
// The outside order of a KelCldHeap: compares two identifiers and learns where the heap puts
// each of them, so that its client can later update or remove an identifier by position.

#include "KelBaseUnknown.h"

class KelCldHeapEvaluator : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldHeapEvaluator() = default;
  ~KelCldHeapEvaluator() override;

  // Negative when iNum1 belongs nearer the top than iNum2; only the sign is used.
  virtual int CompareValues(const int iNum1, const int iNum2) const = 0;
  // The heap has just placed iNum at the 0-based iPosition.
  virtual void UpdateNum(const int iNum, const int iPosition) = 0;
};

#endif
