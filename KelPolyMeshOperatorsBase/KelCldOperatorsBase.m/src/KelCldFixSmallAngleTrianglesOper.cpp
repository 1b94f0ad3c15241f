#include "KelCldFixSmallAngleTrianglesOper.h"

#include "KelCldEdgeCollapseOper.h"
#include "KelCldGeometryUtil.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"
#include "KelMathPoint.h"

KelImplementClass(KelCldFixSmallAngleTrianglesOper, KelCldTopologicalOper, KelMetaImplementation)

KelCldFixSmallAngleTrianglesOper::KelCldFixSmallAngleTrianglesOper()
    : _tolerance(0.0001),
      _geometryUtil(nullptr),
      _topologyUtil(nullptr),
      _polygon(nullptr),
      _edgeCollapse(nullptr),
      _nbTriangles(0)
{
}

KelCldFixSmallAngleTrianglesOper::~KelCldFixSmallAngleTrianglesOper() { Cleanup(); }

KelBoolean KelCldFixSmallAngleTrianglesOper::Setup(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return FALSE;
  Cleanup();
  _polygon = iPolygon;
  _polygon->AddRef();
  _geometryUtil = new KelCldGeometryUtil(_polygon);
  _topologyUtil = new KelCldTopologyUtil(_polygon);
  _edgeCollapse = new KelCldEdgeCollapseOper(_polygon);
  // Needles are contracted into one of their own corners: the turn of the normals is not
  // what decides whether the repair is worth it.
  _edgeCollapse->SetCheckNormals(0);
  _nbTriangles = _polygon->GetNbTriangles();
  return TRUE;
}

void KelCldFixSmallAngleTrianglesOper::Cleanup()
{
  if (_geometryUtil) _geometryUtil->Release();
  if (_topologyUtil) _topologyUtil->Release();
  if (_polygon) _polygon->Release();
  if (_edgeCollapse) _edgeCollapse->Release();
  _geometryUtil = nullptr;
  _topologyUtil = nullptr;
  _polygon = nullptr;
  _edgeCollapse = nullptr;
}

KelBoolean KelCldFixSmallAngleTrianglesOper::HasSmallAngle(const int iTriangle) const
{
  KelAssert(_geometryUtil);
  double a0, a1, a2;
  _geometryUtil->GetAngles(iTriangle, a0, a1, a2);
  return a0 < _tolerance || a1 < _tolerance || a2 < _tolerance ? TRUE : FALSE;
}

void KelCldFixSmallAngleTrianglesOper::GetSmallAngleTriangles(const KelRawCollint& iTriangles,
                                                              KelRawCollint& oTriangles)
{
  KelAssert(_polygon);
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    const int triangle = iTriangles[i];
    if (_polygon->IsTriangleValid(triangle) && HasSmallAngle(triangle)) oTriangles.Append(triangle);
  }
}

void KelCldFixSmallAngleTrianglesOper::ClassifyTriangles(const KelRawCollint& iTriangles, KelRawCollint& oCaps,
                                                         KelRawCollint& oNeedles) const
{
  KelAssert(_geometryUtil);
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    double largest, middle, smallest;
    _geometryUtil->GetSortedAngles(iTriangles[i], largest, middle, smallest);
    if (largest > 100.0 * middle && largest > 100.0 * smallest) oCaps.Append(iTriangles[i]);
    else oNeedles.Append(iTriangles[i]);
  }
}

KelBoolean KelCldFixSmallAngleTrianglesOper::OkToFlip(const KelRawCollint& iCaps, const int iTriangle, int& oIndex,
                                                      double& oAngle) const
{
  KelAssert(_polygon);
  KelAssert(_geometryUtil);
  KelAssert(_topologyUtil);
  _geometryUtil->GetMaximumAngle(iTriangle, oIndex, oAngle);
  int v[3];
  _topologyUtil->GetVertices(iTriangle, v);
  int a = 0, b = 0;
  if (!_topologyUtil->GetOppositeEdge(iTriangle, v[oIndex], a, b)) return FALSE;
  int triangle1 = 0, triangle2 = 0;
  _polygon->GetEdgeTriangles(a, b, triangle1, triangle2);
  const int other = triangle1 == iTriangle ? triangle2 : triangle1;
  if (!other) return FALSE;
  return iCaps.Locate(other) ? FALSE : TRUE;
}

KelBoolean KelCldFixSmallAngleTrianglesOper::FlipEdge(const int iTriangle, const int iIndex)
{
  KelAssert(_polygon);
  KelAssert(_topologyUtil);
  int v[3];
  _topologyUtil->GetVertices(iTriangle, v);
  int a = 0, b = 0;
  if (iIndex < 0 || iIndex > 2 || !_topologyUtil->GetOppositeEdge(iTriangle, v[iIndex], a, b)) return FALSE;
  int triangle1 = 0, triangle2 = 0;
  _polygon->GetEdgeTriangles(a, b, triangle1, triangle2);
  if (triangle1 && triangle2) _polygon->FlipEdge(a, b);
  else _polygon->RemoveTriangle(iTriangle);
  return TRUE;
}

void KelCldFixSmallAngleTrianglesOper::FlipEdges(const KelRawCollint& iCaps)
{
  KelRawCollint caps = iCaps;
  bool flipped = true;
  while (caps.Size() > 0 && flipped) {
    flipped = false;
    for (int i = 1; i <= caps.Size(); ++i) {
      const int triangle = caps[i];
      int index = -1;
      double angle = 0.0;
      // A cap removed by an earlier repair has no edge left to flip.
      if (!_polygon->IsTriangleValid(triangle) || !OkToFlip(caps, triangle, index, angle)) continue;
      caps.RemovePosition(i);
      FlipEdge(triangle, index);
      flipped = true;
      break;
    }
  }
}

KelBoolean KelCldFixSmallAngleTrianglesOper::CollapseEdge(KelRawCollint& ioNeedles, const int iTriangle,
                                                          KelRawCollint& oRemoved)
{
  KelAssert(_geometryUtil);
  KelAssert(_topologyUtil);
  KelAssert(_edgeCollapse);
  KelAssert(_polygon);
  int index = -1;
  double angle = 0.0;
  _geometryUtil->GetMinimumAngle(iTriangle, index, angle);
  int v[3];
  _topologyUtil->GetVertices(iTriangle, v);
  int a = 0, b = 0;
  if (!_topologyUtil->GetOppositeEdge(iTriangle, v[index], a, b)) return FALSE;
  // A boundary vertex stays where it is, so the hole keeps its outline.
  const int keep = _edgeCollapse->IsHoleVertex(a) ? a : b;
  const int remove = keep == a ? b : a;
  KelMathPoint target;
  _polygon->GetPoint(keep, target);
  int triangle1 = 0, triangle2 = 0, wing1 = 0, wing2 = 0;
  if (!_edgeCollapse->PairContraction(keep, remove, target, triangle1, triangle2, wing1, wing2)) return FALSE;
  for (const int removed : {triangle1, triangle2}) {
    if (!removed) continue;
    ioNeedles.RemoveValue(removed);
    oRemoved.Append(removed);
  }
  KelRawCollint around;
  _polygon->GetTrianglesAroundVertex(keep, around);
  for (int i = 1; i <= around.Size(); ++i)
    if (!HasSmallAngle(around[i])) ioNeedles.RemoveValue(around[i]);
  return TRUE;
}

void KelCldFixSmallAngleTrianglesOper::CollapseEdges(const KelRawCollint& iNeedles, KelRawCollint& oRemoved)
{
  KelAssert(_polygon);
  KelRawCollint needles = iNeedles;
  bool collapsed = true;
  while (needles.Size() > 0 && collapsed) {
    collapsed = false;
    for (int i = 1; i <= needles.Size(); ++i) {
      const int triangle = needles[i];
      if (_polygon->IsTriangleValid(triangle) && CollapseEdge(needles, triangle, oRemoved)) {
        collapsed = true;
        break;
      }
    }
  }
}

KelBoolean KelCldFixSmallAngleTrianglesOper::InternalRun(const KelRawCollint& iTriangles, KelRawCollint& oRemoved)
{
  KelAssert(_polygon);
  KelRawCollint small, caps, needles;
  GetSmallAngleTriangles(iTriangles, small);
  ClassifyTriangles(small, caps, needles);
  FlipEdges(caps);
  CollapseEdges(needles, oRemoved);
  _polygon->NotifyModified();
  return TRUE;
}

KelBoolean KelCldFixSmallAngleTrianglesOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon,
                                                                    const KelRawCollint& iTriangles)
{
  KelRawCollint removed;
  return RunOnSelectedTriangles(iPolygon, iTriangles, removed);
}

KelBoolean KelCldFixSmallAngleTrianglesOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon,
                                                                    const KelRawCollint& iTriangles,
                                                                    KelRawCollint& oRemoved)
{
  if (!Setup(iPolygon)) return FALSE;
  const KelBoolean result = InternalRun(iTriangles, oRemoved);
  Cleanup();
  return result;
}

KelBoolean KelCldFixSmallAngleTrianglesOper::Run(KelCldPolygon* iPolygon)
{
  if (!Setup(iPolygon)) return FALSE;
  KelAssert(_polygon);
  KelRawCollint triangles(_nbTriangles), removed;
  for (int t = 1; t <= _nbTriangles; ++t)
    if (_polygon->IsTriangleValid(t)) triangles.Append(t);
  const KelBoolean result = InternalRun(triangles, removed);
  Cleanup();
  return result;
}

void KelCldFixSmallAngleTrianglesOper::GetSmallAngleTriangles(KelCldPolygon* iPolygon, KelRawCollint& oTriangles)
{
  if (!Setup(iPolygon)) return;
  KelAssert(_polygon);
  oTriangles.RemoveAll();
  for (int t = 1; t <= _nbTriangles; ++t)
    if (_polygon->IsTriangleValid(t) && HasSmallAngle(t)) oTriangles.Append(t);
  Cleanup();
}
