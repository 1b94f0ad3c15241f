#ifndef KelCldMeshCutOper_h
#define KelCldMeshCutOper_h
// Moves a triangle selection into another polygon: a copy, then a delete in the source.

#include "KelCldTopologicalOper.h"

class KelCldMeshCutOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  KelCldMeshCutOper() = default;

  // TRUE without doing anything when a polygon is null; otherwise the copy's FALSE or the
  // delete's result.
  KelBoolean Run(KelCldPolygon* iSource, const KelRawCollint& iTriangles, KelCldPolygon* iTarget) const;
  using KelCldOper::Run;
};

#endif
