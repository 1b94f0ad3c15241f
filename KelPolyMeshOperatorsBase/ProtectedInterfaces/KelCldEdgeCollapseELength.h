#ifndef KelCldEdgeCollapseELength_h
#define KelCldEdgeCollapseELength_h
// Collapse queue by edge length: shortest edges first, merged at their midpoint, or at the
// hole vertex when exactly one end is on a hole (boundaries do not move inward).

#include "KelCldEdgeCollapseBase.h"

class KelCldEdgeCollapseELength : public KelCldEdgeCollapseBase {
  KelDeclareClass

public:
  explicit KelCldEdgeCollapseELength(KelCldEdgeCollapseOper* iContraction) : KelCldEdgeCollapseBase(iContraction) {}

  double ComputeCostOfEdge(const int iVertex1, const int iVertex2) const override;
  void ComputeCoordinatesOfTargetVertex(const int iVertex1, const int iVertex2, double* oTarget) const override;
};

#endif
