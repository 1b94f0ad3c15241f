#ifndef KelCldMeshDeleteOper_h
#define KelCldMeshDeleteOper_h
// Deletes a triangle selection. A vertex left without triangles stops being a vertex; its
// point stays in the polygon, unused, as RemoveVertex leaves points that are not vertices.
// A vertex selection deletes the triangles around the vertices.

#include "KelCldTopologicalOper.h"

class KelCldMeshDeleteOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  KelCldMeshDeleteOper() = default;

  // No selection, nothing to delete: TRUE.
  KelBoolean Run(KelCldPolygon* iPolygon) override;
  // Invalid and zero numbers are skipped.
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override;
  using KelCldOper::Run;
};

#endif
