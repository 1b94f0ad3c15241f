#include "KelCldLocalSmoothOper.h"

#include <memory>

#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"

KelImplementClass(KelCldLocalSmoothOper, KelCldGeometricalOper, KelMetaImplementation)

void KelCldLocalSmoothOper::SetIntensity(double iIntensity)
{
  _intensity = iIntensity > 100.0 ? 100.0 : iIntensity < 0.0 ? 0.0 : iIntensity;
}

KelBoolean KelCldLocalSmoothOper::Run(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return FALSE;
  int count = 0;
  int* vertices = nullptr;
  iPolygon->GetAllVertices(count, vertices);
  std::unique_ptr<int[]> owned(vertices);
  return Run(iPolygon, count, vertices) ? TRUE : FALSE;
}

KelBoolean KelCldLocalSmoothOper::Run(KelCldPolygon* iPolygon, const int iCount, const int* iVertices)
{
  _polygon = iPolygon;
  if (_polygon) {
    _polygon->Optimize();
    {
      const KelCldTopologyUtil topology(_polygon);
      const int nbPoints = _polygon->GetNbPoints(1);
      // A sweep over all triangles pays off once a fair share of the points is listed.
      _allRings = iCount > 0 && iCount >= nbPoints / 16;
      // Rings depend on the triangles only: those of the previous pass serve again while the
      // triangles are unchanged (repeated passes).
      const uint64_t stamp = _polygon->GetTopologyStamp();
      if (_allRings && (stamp != _ringsStamp || _ringStarts.size() != static_cast<size_t>(nbPoints) + 2)) {
        _polygon->GetAllRings(_ringStarts, _rings, &_onFreeEdge);
        _ringsStamp = stamp;
      }
      const double w = _intensity / 100.0, wOld = 1.0 - _intensity / 100.0;
      for (int i = 0; i < iCount; ++i) {
        const int v = iVertices[i];
        bool onHole = false;
        if (v < 1 || v > nbPoints) {
          _ringVertex = v;  // no ring: the target alone decides
          _ring.RemoveAll();
        } else if (_allRings) {
          onHole = _onFreeEdge[v] != 0;
        } else {
          _ringVertex = v;
          _polygon->GetVertexRing(v, _ring);
          onHole = topology.IsHoleVertex(v) != FALSE;
        }
        if (onHole && !_smoothBoundary) continue;
        const KelMathPoint target = SmoothVertex(v);
        double p[3];
        _polygon->GetPoint(v, p);
        _polygon->SetPoint(v, w * target.GetX() + wOld * p[0], w * target.GetY() + wOld * p[1],
                           w * target.GetZ() + wOld * p[2]);
      }
      _allRings = false;
      _ringVertex = 0;
    }
    _polygon->Unoptimize();
  }
  _polygon = nullptr;
  return TRUE;
}

bool KelCldLocalSmoothOper::GetPassRing(int iVertex, const int*& oRing, int& oCount) const
{
  if (!_polygon) return false;
  if (_allRings && iVertex >= 1 && iVertex + 1 < static_cast<int>(_ringStarts.size())) {
    oRing = _rings.data() + _ringStarts[iVertex];
    oCount = _ringStarts[iVertex + 1] - _ringStarts[iVertex];
    return true;
  }
  if (iVertex == 0 || iVertex != _ringVertex) return false;
  oRing = _ring.Data();
  oCount = _ring.Size();
  return true;
}

void KelCldLocalSmoothOper::GetNeighborVertices(int iVertex, KelRawCollint& oVertices) const
{
  if (!_polygon) return;
  oVertices.RemoveAll();
  const int* ring = nullptr;
  int count = 0;
  if (GetPassRing(iVertex, ring, count)) {
    for (int k = 0; k < count; ++k) oVertices.Append(ring[k]);
    return;
  }
  int* ringStarts = nullptr;
  KelRawCollint rings;
  _polygon->GetNeighborVertices(iVertex, 1, ringStarts, rings);
  if (!ringStarts) return;
  for (int k = ringStarts[1]; k < ringStarts[2]; ++k) oVertices.Append(rings[k]);
  delete[] ringStarts;
}

KelMathPoint KelCldLocalSmoothOper::ComputeAverageVertex(const KelRawCollint& iVertices) const
{
  return AverageOf(iVertices.Data(), iVertices.Size());
}

KelMathPoint KelCldLocalSmoothOper::AverageOf(const int* iVertices, int iCount) const
{
  if (!_polygon || iCount <= 0) return KelMathPoint(0.0, 0.0, 0.0);
  const float* coords = _polygon->GetCoordinates();
  const int nbPoints = _polygon->GetNbPoints(1);
  double sum[3] = {0.0, 0.0, 0.0};
  for (int k = 0; k < iCount; ++k) {
    const int v = iVertices[k];
    if (v < 1 || v > nbPoints) continue;  // reads as the origin
    const float* p = coords + 3 * static_cast<size_t>(v);
    sum[0] += p[0];
    sum[1] += p[1];
    sum[2] += p[2];
  }
  return KelMathPoint(sum[0] / iCount, sum[1] / iCount, sum[2] / iCount);
}

KelMathPoint KelCldLocalSmoothOper::AverageOfNeighbors(int iVertex) const
{
  const int* ring = nullptr;
  int count = 0;
  if (GetPassRing(iVertex, ring, count)) return AverageOf(ring, count);
  KelRawCollint neighbors;
  GetNeighborVertices(iVertex, neighbors);
  return ComputeAverageVertex(neighbors);
}

KelMathPoint KelCldLocalSmoothOper::SmoothVertex(const int) const
{
  KelAssertText(0, "0");
  return KelMathPoint(0.0, 0.0, 0.0);
}
