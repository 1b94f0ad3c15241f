#include "KelCldMeshCurveUtil.h"

#include <algorithm>
#include <vector>

#include "KelCldHeapSort.h"
#include "KelCldMeshCurve.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelCldUtil.h"
#include "KelGeoFactory.h"
#include "KelKnotVector.h"
#include "KelListOfKelCldMeshCurves.h"
#include "KelMathLine.h"
#include "KelMathSetOfPoints.h"
#include "KelMathSetOfPointsND.h"
#include "KelNurbsCurve.h"

int KelCldMeshCurveUtil::GetMeshPointIndex(const KelCldMeshCurve* iCurve, const KelCldMeshPoint& iPoint)
{
  if (!iCurve || !iCurve->IsRegular()) return 0;
  if (const int index = iCurve->FindPoint(iPoint)) return index;
  const KelMathPoint& p = iPoint.GetPosition();
  KelMathPoint a, b;
  iCurve->GetPoint(1, a);
  for (int k = 1; k < iCurve->GetNumPoints(); ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    if (p.DistanceTo(a) + p.DistanceTo(b) <= a.DistanceTo(b) + 0.001 && KelMathLine(a, b).DistanceTo(p) < 0.001)
      return k;
  }
  return 0;
}

int KelCldMeshCurveUtil::Chop(const KelCldMeshCurve* iCurve, KelCldMeshCurve* oCurve1, KelCldMeshCurve* oCurve2,
                              const KelCldMeshPoint& iPoint1, const KelCldMeshPoint& iPoint2, unsigned char iClosed)
{
  return Chop(iCurve, oCurve1, oCurve2, iPoint1, iPoint2, GetMeshPointIndex(iCurve, iPoint1),
              GetMeshPointIndex(iCurve, iPoint2), iClosed);
}

namespace {

// Starts a piece at a cut point: a vertex point is the curve's own point at its index, any
// other point comes by itself ahead of the run after its index. Returns the first index of the
// curve to copy next.
int StartAt(const KelCldMeshPoint& iPoint, const int iIndex, KelCldMeshCurve& ioPiece)
{
  if (iPoint.GetType() == eVertexPoint) return iIndex;
  ioPiece.AppendPoint(iPoint);
  return iIndex + 1;
}

void AppendRun(const KelCldMeshCurve& iCurve, const int iFrom, const int iTo, KelCldMeshCurve& ioPiece)
{
  KelCldMeshPoint point;
  for (int k = iFrom; k <= iTo; ++k) {
    iCurve.GetMeshPoint(k, point);
    ioPiece.AppendPoint(point);
  }
}

// A vertex point already ended the run at its index.
void EndAt(const KelCldMeshPoint& iPoint, KelCldMeshCurve& ioPiece)
{
  if (iPoint.GetType() != eVertexPoint) ioPiece.AppendPoint(iPoint);
}

}  // namespace

int KelCldMeshCurveUtil::Chop(const KelCldMeshCurve* iCurve, KelCldMeshCurve* oCurve1, KelCldMeshCurve* oCurve2,
                              const KelCldMeshPoint& iPoint1, const KelCldMeshPoint& iPoint2, const int iIndex1,
                              const int iIndex2, unsigned char iClosed)
{
  if (!iCurve || !oCurve1 || !oCurve2 || iIndex1 < 1 || iIndex2 < 1 || !iCurve->GetPolyMesh()) return 0;
  if (iIndex1 > iCurve->GetNumPoints() || iIndex2 > iCurve->GetNumPoints() || !iCurve->IsRegular()) return 0;

  // Both pieces run from the cut point with the lower index to the other.
  const bool inOrder = iIndex1 < iIndex2;
  const KelCldMeshPoint& first = inOrder ? iPoint1 : iPoint2;
  const KelCldMeshPoint& last = inOrder ? iPoint2 : iPoint1;
  const int firstIndex = inOrder ? iIndex1 : iIndex2;
  const int lastIndex = inOrder ? iIndex2 : iIndex1;

  KelCldMeshCurve piece1(iCurve->GetPolyMesh());
  AppendRun(*iCurve, StartAt(first, firstIndex, piece1), lastIndex, piece1);
  EndAt(last, piece1);

  KelCldMeshCurve piece2(iCurve->GetPolyMesh());
  if (iClosed) {
    AppendRun(*iCurve, StartAt(last, lastIndex, piece2), iCurve->GetNumPoints(), piece2);
    AppendRun(*iCurve, 1, firstIndex, piece2);
    EndAt(first, piece2);
    piece2.Reverse();
  }

  int result = 1;
  for (KelCldMeshCurve* piece : {&piece1, &piece2}) {
    piece->RemoveDuplicates();
    if (!piece->IsRegular()) {
      result = 0;
      continue;
    }
    *(piece == &piece1 ? oCurve1 : oCurve2) = *piece;
  }
  return result;
}

int KelCldMeshCurveUtil::HasTriangle(const KelCldMeshCurve* iCurve, int iTriangle)
{
  if (!iCurve || !iCurve->GetPolyMesh() || iTriangle < 1) return 0;
  if (iTriangle > iCurve->GetPolyMesh()->GetNbTriangles(1)) return 0;
  const KelCldTopologyUtil topology(iCurve->GetPolyMesh());
  KelCldMeshPoint point;
  for (int i = 1; i <= iCurve->GetNumPoints(); ++i) {
    iCurve->GetMeshPoint(i, point);
    if (topology.CheckSameTriangleMeshPointTriangle(point, iTriangle)) return 1;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Holes, arc length and positions along a curve

namespace {

// Within 0.001 of the segment: the detour through the point is at most 0.001 longer and the
// point is that close to the segment's line.
bool OnSegment(const KelMathPoint& iPoint, const KelMathPoint& iStart, const KelMathPoint& iEnd)
{
  return iPoint.DistanceTo(iStart) + iPoint.DistanceTo(iEnd) <= iStart.DistanceTo(iEnd) + 0.001 &&
         KelMathLine(iStart, iEnd).DistanceTo(iPoint) < 0.001;
}

}  // namespace

int KelCldMeshCurveUtil::IsHoleCurve(const KelCldMeshCurve* iCurve)
{
  KelRawCollint vertices;
  if (!iCurve || !iCurve->GetPolyMesh() || !iCurve->IsClosedLoop() || !iCurve->GetVertexPath(vertices)) return 0;
  const KelCldTopologyUtil topology(iCurve->GetPolyMesh());
  for (int k = 1; k < vertices.Size(); ++k)
    if (!topology.IsHoleEdge(vertices[k], vertices[k + 1])) return 0;
  return 1;
}

int KelCldMeshCurveUtil::GetIndexFromDistance(const KelCldMeshCurve* iCurve, const double iDistance)
{
  if (!iCurve || iCurve->GetNumPoints() < 2 || iDistance < 0.0) return 0;
  double sum = 0.0;
  KelMathPoint a, b;
  iCurve->GetPoint(1, a);
  for (int k = 1; k < iCurve->GetNumPoints(); ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    const double length = a.DistanceTo(b);
    if (iDistance >= sum && iDistance <= sum + length) return k;
    sum += length;
  }
  return iDistance > sum ? iCurve->GetNumPoints() - 1 : 0;
}

double KelCldMeshCurveUtil::GetDistanceFromIndex(const KelCldMeshCurve* iCurve, const int iIndex)
{
  if (!iCurve || iIndex < 2 || iIndex > iCurve->GetNumPoints()) return 0.0;
  double sum = 0.0;
  KelMathPoint a, b;
  iCurve->GetPoint(1, a);
  for (int k = 1; k < iIndex; ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    sum += a.DistanceTo(b);
  }
  return sum;
}

int KelCldMeshCurveUtil::GetIndexFromPoint(const KelCldMeshCurve* iCurve, const KelMathPoint& iPoint)
{
  if (!iCurve) return 0;
  KelMathPoint a, b;
  if (!iCurve->GetPoint(1, a)) return 0;
  for (int k = 1; k < iCurve->GetNumPoints(); ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    if (KelCldUtil::IsOnLineSegment(a, b, iPoint)) return k;
  }
  return 0;
}

int KelCldMeshCurveUtil::GetPointIndex(const KelCldMeshCurve* iCurve, const KelMathPoint& iPoint)
{
  if (!iCurve) return 0;
  KelMathPoint a, b;
  for (int k = 1; k <= iCurve->GetNumPoints(); ++k) {
    iCurve->GetPoint(k, a);
    if (a.DistanceTo(iPoint) < 0.001) return k;
  }
  if (!iCurve->GetPoint(1, a)) return 0;
  for (int k = 1; k < iCurve->GetNumPoints(); ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    if (OnSegment(iPoint, a, b)) return k;
  }
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Lists of curves

int KelCldMeshCurveUtil::GetPoints(const KelListPtrKelCldMeshCurve& iCurves, KelMathSetOfPointsND& oPoints)
{
  KelMathSetOfPointsND points(3, GetNumPoints(iCurves));
  int next = 0;
  KelMathPoint position;
  for (int i = 1; i <= iCurves.Size(); ++i) {
    const KelCldMeshCurve* curve = iCurves[i];
    for (int k = 1; curve && k <= curve->GetNumPoints(); ++k) {
      curve->GetPoint(k, position);
      points.SetPoint(next++, position);
    }
  }
  oPoints = points;
  return next > 0 ? 1 : 0;
}

int KelCldMeshCurveUtil::GetNumPoints(const KelListPtrKelCldMeshCurve& iCurves)
{
  int count = 0;
  for (int i = 1; i <= iCurves.Size(); ++i)
    if (iCurves[i]) count += iCurves[i]->GetNumPoints();
  return count;
}

namespace {

int CompareLengths(const void* iCurve0, const void* iCurve1)
{
  if (!iCurve0 || !iCurve1) return 0;
  const double length0 = static_cast<const KelCldMeshCurve*>(iCurve0)->GetLength();
  const double length1 = static_cast<const KelCldMeshCurve*>(iCurve1)->GetLength();
  return length0 < length1 ? -1 : length0 > length1 ? 1 : 0;
}

}  // namespace

void KelCldMeshCurveUtil::SortByLength(KelListPtrKelCldMeshCurve& ioCurves)
{
  KelRawCollPV curves(ioCurves.Size());
  for (int i = 1; i <= ioCurves.Size(); ++i) curves.Append(ioCurves[i]);
  KelCldHeapSort(curves, CompareLengths);
  for (int i = 1; i <= curves.Size(); ++i) ioCurves[i] = static_cast<KelCldMeshCurve*>(curves[i]);
}

// ---------------------------------------------------------------------------------------------
// Editing

int KelCldMeshCurveUtil::BreakMeshCurve(const KelCldMeshCurve* iCurve, const KelRawCollint& iIndices,
                                        KelListPtrKelCldMeshCurve& oPieces)
{
  if (!iCurve) return 0;
  KelRawCollint breaks(iIndices);
  KelCldHeapSort(breaks);
  breaks.Append(iCurve->GetNumPoints());
  int from = 1;
  for (int k = 1; k <= breaks.Size(); ++k) {
    KelCldMeshCurve* piece = new KelCldMeshCurve(iCurve->GetPolyMesh());
    if (iCurve->GetSubMeshCurve(from, breaks[k], *piece))
      oPieces.Append(piece);
    else
      piece->Release();
    from = breaks[k];
  }
  return 1;
}

int KelCldMeshCurveUtil::Splice(KelCldMeshCurve* ioCurve, const KelCldMeshCurve* iOther, const int i, const int j)
{
  if (!ioCurve || !iOther || i < 1 || j < 1) return 0;
  const int n = ioCurve->GetNumPoints();
  const int lo = std::min(std::min(i, j), n), hi = std::min(std::max(i, j), n);
  KelCldMeshCurve spliced(ioCurve->GetPolyMesh());
  KelCldMeshPoint point;
  for (int k = 1; k <= lo; ++k) {
    ioCurve->GetMeshPoint(k, point);
    spliced.AppendPoint(point);
  }
  const int m = iOther->GetNumPoints();
  for (int k = 1; k <= m; ++k) {
    iOther->GetMeshPoint(i < j ? k : m + 1 - k, point);
    spliced.AppendPoint(point);
  }
  for (int k = hi + 1; k <= n; ++k) {
    ioCurve->GetMeshPoint(k, point);
    spliced.AppendPoint(point);
  }
  spliced.RemoveDuplicates();
  if (!spliced.IsRegular()) return 0;
  *ioCurve = spliced;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Conversions

KelNurbsCurve* KelCldMeshCurveUtil::CreateNurbsCurve(KelGeoFactory* iFactory, const KelMathSetOfPoints& iPoints)
{
  const int n = iPoints.GetNumberOfPoints();
  if (!iFactory || n < 2 || n >= 10000) return nullptr;
  std::vector<double> knots(static_cast<size_t>(n));
  std::vector<int> multiplicities(static_cast<size_t>(n), 1);
  for (int k = 0; k < n; ++k) knots[static_cast<size_t>(k)] = k;
  multiplicities.front() = multiplicities.back() = 2;
  const std::vector<double> weights(static_cast<size_t>(n), 1.0);
  const KelKnotVector knotVector(1, 0, n, knots.data(), multiplicities.data());
  return iFactory->CreateNurbsCurve(knotVector, 0, weights.data(), iPoints);
}

KelNurbsCurve* KelCldMeshCurveUtil::CreateNurbsCurve(KelGeoFactory* iFactory, const KelCldMeshCurve* iCurve)
{
  KelMathSetOfPoints points;
  if (!iCurve || !iCurve->GetPoints(points)) return nullptr;
  return CreateNurbsCurve(iFactory, points);
}

KelCldPolygon* KelCldMeshCurveUtil::CreateMesh(KelGeoFactory* iFactory, const KelCldMeshCurve* iCurve)
{
  if (!iCurve || iCurve->GetNumPoints() < 2 || !iFactory) return nullptr;
  KelCldPolygon* polygon = iFactory->CreateCldPolygon();
  if (!polygon) return nullptr;
  const int n = iCurve->GetNumPoints();
  KelMathPoint a, b;
  int vertex = 0;
  iCurve->GetPoint(1, a);
  for (int k = 1; k < n; ++k, a = b) {
    iCurve->GetPoint(k + 1, b);
    polygon->AddPoint(a, vertex);
    polygon->AddPoint((a + b) * 0.5, vertex);
  }
  polygon->AddPoint(a, vertex);
  for (int k = 1; k < n; ++k) polygon->AddTriangle(2 * k - 1, 2 * k, 2 * k + 1);
  polygon->EndInsertion();
  return polygon;
}
