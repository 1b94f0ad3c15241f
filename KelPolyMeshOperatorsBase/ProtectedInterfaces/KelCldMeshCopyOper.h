#ifndef KelCldMeshCopyOper_h
#define KelCldMeshCopyOper_h
// Copies a triangle selection into another polygon. Shared vertices are copied once, so the
// copy keeps the selection's connectivity; new vertices are numbered in the order in which
// they are first met, and a vertex inactive in the source is inactive in the copy.

#include "KelCldTopologicalOper.h"

class KelCldMeshCopyOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  KelCldMeshCopyOper() = default;

  // FALSE for a null polygon or an empty list. Triangles that are not valid are skipped.
  KelBoolean Run(KelCldPolygon* iSource, const KelRawCollint& iTriangles, KelCldPolygon* iTarget) const;
  using KelCldOper::Run;
};

#endif
