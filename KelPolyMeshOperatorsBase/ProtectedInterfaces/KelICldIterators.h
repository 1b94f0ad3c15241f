#ifndef KelICldIterators_h
#define KelICldIterators_h
// Vertex and face iterators of a polygon without going through its mesh object. Ask a
// polygon for IID_KelICldIterators; each getter hands out a new iterator reference and
// releases what *oIterator pointed to before.

#include "KelBaseUnknown.h"

class KelICldVertexIterator;
class KelICldEdgeIterator;
class KelICldFaceIterator;

extern const IID IID_KelICldIterators;

class KelICldIterators : public KelBaseUnknown {
public:
  virtual HRESULT GetVertexIterator(KelICldVertexIterator** oIterator) = 0;
  // Always E_FAIL: edge iterators come from an edge table.
  virtual HRESULT GetEdgeIterator(KelICldEdgeIterator** oIterator) = 0;
  virtual HRESULT GetFaceIterator(KelICldFaceIterator** oIterator) = 0;
};

#endif
