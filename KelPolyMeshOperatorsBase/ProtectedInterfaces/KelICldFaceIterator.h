#ifndef KelICldFaceIterator_h
#define KelICldFaceIterator_h
// Walks the active triangles of a polygon in increasing number order.

#include "KelBaseUnknown.h"

extern const IID IID_KelICldFaceIterator;

class KelICldFaceIterator : public KelBaseUnknown {
public:
  // First active triangle; FALSE when there is none.
  virtual KelBoolean Reset(int& oTriangle) = 0;
  // Following active triangle; FALSE past the last one.
  virtual KelBoolean Next(int& oTriangle) = 0;
};

#endif
