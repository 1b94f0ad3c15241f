#ifndef KelCldGeometricalOper_h
#define KelCldGeometricalOper_h
// Base of the operators that move vertices.

#include "KelCldOper.h"

class KelCldGeometricalOper : public KelCldOper {
  KelDeclareClass

public:
  KelCldGeometricalOper() = default;

  // Hands the new values of the vertices to the polygon's mesh when it keeps states. TRUE
  // when the polygon has a mesh, whether or not it keeps states.
  KelBoolean SetGeometricState(KelCldPolygon* iPolygon, const int iCount, const int* iVertices,
                               const float* iValues);
};

#endif
