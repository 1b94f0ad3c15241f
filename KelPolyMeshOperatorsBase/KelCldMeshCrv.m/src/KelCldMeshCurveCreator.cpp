#include "KelCldMeshCurveCreator.h"

#include <algorithm>

#include "KelCldMeshCurve.h"
#include "KelCldMeshCurveGroupOper.h"
#include "KelCldMeshPointClassifier.h"
#include "KelCldPolygon.h"
#include "KelCldUtil.h"
#include "KelListOfKelCldMeshCurves.h"

KelCldMeshCurveCreator::~KelCldMeshCurveCreator() { Clear(); }

int KelCldMeshCurveCreator::CreateMeshCurves(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                             KelMathPoint** iSegments, int iCount, KelListPtrKelCldMeshCurve& oCurves)
{
  if (!Setup(iPolygon, iTriangles, iSegments, iCount)) return 0;

  KelListPtrKelCldMeshCurve scratch;
  while (_remaining > 0) {
    KelCldMeshCurve* curve = new KelCldMeshCurve(_polygon);
    while (AddSegment(curve)) {
    }
    if (curve->GetNumPoints() == 0) {
      // Nothing left to start a curve with although segments count as remaining.
      curve->Release();
      break;
    }
    scratch.Append(curve);
  }

  KelListPtrKelCldMeshCurve kept;
  for (int i = 1; i <= scratch.Size(); ++i) {
    KelCldMeshCurve* curve = scratch[i];
    curve->RemoveDuplicates();
    bool defined = curve->GetNumPoints() > 1;
    KelCldMeshPoint point;
    for (int k = 1; defined && k <= curve->GetNumPoints(); ++k)
      defined = curve->GetMeshPoint(k, point) && point.GetType() != eUndefinedPoint;
    if (defined)
      kept.Append(curve);
    else
      curve->Release();
  }

  KelCldMeshCurveGroupOper group;
  group.Run(kept, oCurves);
  KelCldUtil::ReleaseObjects(kept);
  Clear();
  return 1;
}

int KelCldMeshCurveCreator::Setup(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles, KelMathPoint** iSegments,
                                  int iCount)
{
  if (!iPolygon || iTriangles.Size() == 0 || !iSegments || iCount != iTriangles.Size()) return 0;
  Clear();

  _polygon = iPolygon;
  _polygon->AddRef();
  _wasOptimized = _polygon->IsOptimized() != FALSE;
  if (!_wasOptimized) _polygon->Optimize();
  _triangles.assign(iTriangles.Data(), iTriangles.Data() + iCount);

  const KelCldMeshPointClassifier classifier;
  _endPoints.assign(static_cast<size_t>(iCount), {});
  for (int k = 0; k < iCount; ++k) {
    const int triangle = _triangles[static_cast<size_t>(k)];
    // A triangle the polygon does not have cannot place anything: both ends stay undefined.
    if (!iSegments[k] || !_polygon->IsTriangleValid(triangle)) continue;
    for (int end = 0; end < 2; ++end)
      classifier.Classify(_polygon, triangle, iSegments[k][end], _endPoints[static_cast<size_t>(k)][static_cast<size_t>(end)]);
  }

  _processed.assign(static_cast<size_t>(iCount), 0);
  _remaining = iCount;
  _largestTriangle = MaxIndex(iTriangles);
  _segmentMap.clear();
  _segmentMap.resize(static_cast<size_t>(_largestTriangle > 0 ? _largestTriangle + 1 : 1));
  for (int k = 0; k < iCount; ++k) {
    const int triangle = _triangles[static_cast<size_t>(k)];
    if (triangle <= 0) continue;
    std::unique_ptr<KelCldFaceSegmentMap>& segments = _segmentMap[static_cast<size_t>(triangle)];
    if (!segments) segments.reset(new KelCldFaceSegmentMap);
    segments->Append(k);
  }
  return 1;
}

void KelCldMeshCurveCreator::Clear()
{
  if (_polygon) {
    if (!_wasOptimized) _polygon->Unoptimize();
    _polygon->Release();
    _polygon = nullptr;
  }
  _wasOptimized = false;
  _triangles.clear();
  _endPoints.clear();
  _processed.clear();
  _segmentMap.clear();
  _largestTriangle = 0;
  _remaining = 0;
  _forward = false;
}

int KelCldMeshCurveCreator::MaxIndex(const KelRawCollint& iList) const
{
  if (iList.Size() == 0) return 0;
  int largest = iList[1];
  for (int i = 2; i <= iList.Size(); ++i) largest = std::max(largest, iList[i]);
  return largest;
}

int KelCldMeshCurveCreator::AddSegment(KelCldMeshCurve* ioCurve)
{
  if (!ioCurve) return 0;
  if (ioCurve->GetNumPoints() == 0) {
    int segment = 0;
    if (!GetFirstUnprocessed(segment)) return 0;
    const std::array<KelCldMeshPoint, 2>& ends = _endPoints[static_cast<size_t>(segment)];
    ioCurve->AppendPoint(ends[0]);
    ioCurve->AppendPoint(ends[1]);
    _processed[static_cast<size_t>(segment)] = 1;
    --_remaining;
    // A new curve grows at its end first, also when driven step by step.
    _forward = true;
    return 1;
  }

  KelCldMeshPoint end, next;
  if (_forward) {
    ioCurve->GetEndPoint(end);
    if (GetNextPoint(end, next)) {
      ioCurve->AppendPoint(next);
      return 1;
    }
    _forward = false;
  }
  ioCurve->GetStartPoint(end);
  if (GetNextPoint(end, next)) {
    ioCurve->PrependPoint(next);
    return 1;
  }
  return 0;
}

int KelCldMeshCurveCreator::GetFirstUnprocessed(int& oSegment) const
{
  for (size_t k = 0; k < _processed.size(); ++k)
    if (!_processed[k]) {
      oSegment = static_cast<int>(k);
      return 1;
    }
  return 0;
}

int KelCldMeshCurveCreator::GetNextPoint(const KelCldMeshPoint& iPoint, KelCldMeshPoint& oPoint)
{
  if (!_polygon) return 0;
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) {
    KelRawCollint triangles;
    _polygon->GetTrianglesAroundVertex(index0, triangles);
    for (int i = 1; i <= triangles.Size(); ++i)
      if (GetNextPoint(triangles[i], iPoint, oPoint)) return 1;
    return 0;
  }
  if (iPoint.GetEdge(index0, index1)) {
    int triangle0 = 0, triangle1 = 0;
    _polygon->GetEdgeTriangles(index0, index1, triangle0, triangle1);
    return GetNextPoint(triangle0, iPoint, oPoint) || GetNextPoint(triangle1, iPoint, oPoint) ? 1 : 0;
  }
  if (iPoint.GetTriangle(index0)) return GetNextPoint(index0, iPoint, oPoint);
  return 0;
}

int KelCldMeshCurveCreator::GetNextPoint(int iTriangle, const KelCldMeshPoint& iPoint, KelCldMeshPoint& oPoint)
{
  if (iTriangle <= 0 || iTriangle > _largestTriangle) return 0;
  const KelCldFaceSegmentMap* segments = _segmentMap[static_cast<size_t>(iTriangle)].get();
  if (!segments) return 0;
  for (int i = 1; i <= segments->Size(); ++i) {
    const size_t segment = static_cast<size_t>((*segments)[i]);
    if (_processed[segment]) continue;
    const std::array<KelCldMeshPoint, 2>& ends = _endPoints[segment];
    if (ends[0] == iPoint)
      oPoint = ends[1];
    else if (ends[1] == iPoint)
      oPoint = ends[0];
    else
      continue;
    _processed[segment] = 1;
    --_remaining;
    return 1;
  }
  return 0;
}

void KelCldMeshCurveCreator::PrintInfo(std::ostream& ioStream) const
{
  const int count = static_cast<int>(_triangles.size());
  ioStream << "Segments: " << count << ", remaining: " << _remaining << std::endl;
  for (int k = 0; k < count; ++k) {
    ioStream << k << ": triangle " << _triangles[static_cast<size_t>(k)]
             << (_processed[static_cast<size_t>(k)] ? " (used)" : "") << std::endl;
    for (const KelCldMeshPoint& end : _endPoints[static_cast<size_t>(k)]) {
      ioStream << "  ";
      end.Print(ioStream);
    }
  }
  for (int t = 1; t <= _largestTriangle; ++t) {
    const KelCldFaceSegmentMap* segments = _segmentMap[static_cast<size_t>(t)].get();
    if (!segments) continue;
    ioStream << "Triangle " << t << ":";
    for (int i = 1; i <= segments->Size(); ++i) ioStream << " " << (*segments)[i];
    ioStream << std::endl;
  }
}
