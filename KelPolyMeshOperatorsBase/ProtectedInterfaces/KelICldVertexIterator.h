#ifndef KelICldVertexIterator_h
#define KelICldVertexIterator_h
// Walks the vertex numbers of a polygon in increasing order, skipping numbers not in use.

#include "KelBaseUnknown.h"

extern const IID IID_KelICldVertexIterator;

class KelICldVertexIterator : public KelBaseUnknown {
public:
  // First vertex; FALSE when there is none.
  virtual KelBoolean Reset(int& oVertex) = 0;
  // Following vertex; FALSE past the last one.
  virtual KelBoolean Next(int& oVertex) = 0;
};

#endif
