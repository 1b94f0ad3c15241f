#ifndef KelICldEdgeIterator_h
#define KelICldEdgeIterator_h
// Walks the valid edge numbers of an edge table in increasing order. Only an edge table
// hands these out: the mesh and the iterator extension refuse to.

#include "KelBaseUnknown.h"

// Defined beside the iterator extension, which declares the getter that hands these out.
extern const IID IID_KelICldEdgeIterator;

class KelICldEdgeIterator : public KelBaseUnknown {
public:
  // First valid edge; FALSE when there is none.
  virtual KelBoolean Reset(int& oEdge) = 0;
  // Following valid edge; FALSE past the last one.
  virtual KelBoolean Next(int& oEdge) = 0;
};

#endif
