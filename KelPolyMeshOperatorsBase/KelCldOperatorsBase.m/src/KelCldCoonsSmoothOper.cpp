#include "KelCldCoonsSmoothOper.h"

#include "KelCldPolygon.h"
#include "KelFatalError.h"

KelImplementClass(KelCldCoonsSmoothOper, KelCldLocalSmoothOper, KelMetaImplementation)

void KelCldCoonsSmoothOper::GetOppositeVertices(int iVertex, KelRawCollint& ioVertices) const
{
  const KelCldPolygon* polygon = GetPolygon();
  if (!polygon) return;
  polygon->GetTrianglesAroundVertex(iVertex, _triangles);
  for (int k = 1; k <= _triangles.Size(); ++k) {
    int v[3], n[3];
    polygon->GetTriangle(_triangles[k], v, n);
    const int j = v[0] == iVertex ? 0 : v[1] == iVertex ? 1 : 2;
    // The far edge a-b of this triangle is its edge j + 1.
    const int a = v[(j + 1) % 3], b = v[(j + 2) % 3], across = n[(j + 1) % 3];
    if (across <= 0) continue;
    int w[3], m[3];
    polygon->GetTriangle(across, w, m);
    const int oppVertex = w[0] != a && w[0] != b ? w[0] : w[1] != a && w[1] != b ? w[1] : w[2];
    KelAssert(oppVertex > 0);
    ioVertices.Append(oppVertex);
  }
}

KelMathPoint KelCldCoonsSmoothOper::SmoothVertex(const int iVertex) const
{
  _opposite.RemoveAll();
  GetOppositeVertices(iVertex, _opposite);
  const KelMathPoint n = AverageOfNeighbors(iVertex), o = ComputeAverageVertex(_opposite);
  return KelMathPoint(1.5 * n.GetX() - 0.5 * o.GetX(), 1.5 * n.GetY() - 0.5 * o.GetY(), 1.5 * n.GetZ() - 0.5 * o.GetZ());
}
