#include "KelCldEdgeCollapseELength.h"

#include "KelCldGeometryUtil.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"

KelImplementClass(KelCldEdgeCollapseELength, KelCldEdgeCollapseBase, KelMetaImplementation)

double KelCldEdgeCollapseELength::ComputeCostOfEdge(const int iVertex1, const int iVertex2) const
{
  KelAssert(_GeoUtil);
  return _GeoUtil->GetEdgeLength(iVertex1, iVertex2);
}

void KelCldEdgeCollapseELength::ComputeCoordinatesOfTargetVertex(const int iVertex1, const int iVertex2,
                                                                 double* oTarget) const
{
  KelAssert(_cldPolygon);
  const bool hole1 = IsHoleVertex(iVertex1) != FALSE, hole2 = IsHoleVertex(iVertex2) != FALSE;
  double a[3], b[3];
  _cldPolygon->GetPoint(iVertex1, a);
  _cldPolygon->GetPoint(iVertex2, b);
  if (hole1 != hole2) {
    const double* onHole = hole1 ? a : b;
    for (int k = 0; k < 3; ++k) oTarget[k] = onHole[k];
    return;
  }
  for (int k = 0; k < 3; ++k) oTarget[k] = 0.5 * (a[k] + b[k]);
}
