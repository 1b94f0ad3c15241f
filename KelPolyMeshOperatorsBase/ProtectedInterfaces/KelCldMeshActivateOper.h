#ifndef KelCldMeshActivateOper_h
#define KelCldMeshActivateOper_h
// Restricts the active part of the polygon to the vertices of a triangle selection.
// A vertex selection activates the triangles around the vertices.

#include "KelCldOper.h"

class KelCldMeshActivateOper : public KelCldOper {
  KelDeclareClass

public:
  KelCldMeshActivateOper() = default;

  // No selection: TRUE, nothing changes.
  KelBoolean Run(KelCldPolygon* iPolygon) override;
  // Every vertex becomes inactive, then the vertices of the valid listed triangles active.
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override;
  using KelCldOper::Run;
};

#endif
