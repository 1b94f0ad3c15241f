#include "KelCldLaplacianSmoothOper.h"

#include "KelCldPolygon.h"

KelImplementClass(KelCldLaplacianSmoothOper, KelCldLocalSmoothOper, KelMetaImplementation)

KelMathPoint KelCldLaplacianSmoothOper::SmoothVertex(const int iVertex) const
{
  const int* ring = nullptr;
  int count = 0;
  if (!GetPassRing(iVertex, ring, count)) {
    KelRawCollint neighbors;
    GetNeighborVertices(iVertex, neighbors);
    return ComputeAverageVertex(neighbors);
  }
  // ComputeAverageVertex on the ring, without copying it.
  if (count == 0) return KelMathPoint(0.0, 0.0, 0.0);
  const float* coords = GetPolygon()->GetCoordinates();
  double sum[3] = {0.0, 0.0, 0.0};
  for (int k = 0; k < count; ++k) {
    const float* p = coords + 3 * static_cast<size_t>(ring[k]);
    sum[0] += p[0];
    sum[1] += p[1];
    sum[2] += p[2];
  }
  return KelMathPoint(sum[0] / count, sum[1] / count, sum[2] / count);
}
