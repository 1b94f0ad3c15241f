#ifndef KelCldMeshValidationOper_h
#define KelCldMeshValidationOper_h
// Checks that no edge of the polygon has more than two triangles. Vertices are not examined:
// two fans meeting at one vertex pass.

#include "KelCldOper.h"

class KelCldMeshValidationOper : public KelCldOper {
  KelDeclareClass

public:
  KelCldMeshValidationOper() = default;

  // FALSE for a null polygon or when an edge has more than two triangles.
  KelBoolean Run(KelCldPolygon* iPolygon) override;
  using KelCldOper::Run;
};

#endif
