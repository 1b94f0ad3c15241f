#include "KelCldMeshCurveFilterOper.h"

#include <algorithm>

#include "KelCldMeshCurve.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"
#include "KelListOfKelCldMeshCurves.h"

KelImplementClass(KelCldMeshCurveFilterOper, KelBaseUnknown, KelMetaImplementation)

KelCldMeshCurveFilterOper::KelCldMeshCurveFilterOper(KelCldPolygon* iPolygon) : _polygon(iPolygon)
{
  if (!_polygon) return;
  _polygon->AddRef();
  _wasOptimized = _polygon->IsOptimized() != FALSE;
  if (!_wasOptimized) _polygon->Optimize();
  _topologyUtil = new KelCldTopologyUtil(_polygon);
}

KelCldMeshCurveFilterOper::~KelCldMeshCurveFilterOper()
{
  if (_topologyUtil) _topologyUtil->Release();
  if (_polygon) {
    if (!_wasOptimized) _polygon->Unoptimize();
    _polygon->Release();
  }
}

int KelCldMeshCurveFilterOper::IsRedundant(const KelCldMeshPoint& iP, const KelCldMeshPoint& iQ,
                                           const KelCldMeshPoint& iR) const
{
  const MeshPointType p = iP.GetType(), q = iQ.GetType(), r = iR.GetType();
  if (p == eEdgePoint && r == eEdgePoint && (q == eVertexPoint || q == eEdgePoint))
    return KelCldTopologyUtil::SameEdge(iP, iQ) && KelCldTopologyUtil::SameEdge(iP, iR) ? 1 : 0;
  if (p == eVertexPoint && q == eEdgePoint && r == eVertexPoint) {
    int vertexP = 0, vertexR = 0, edge0 = 0, edge1 = 0;
    iP.GetVertex(vertexP);
    iR.GetVertex(vertexR);
    iQ.GetEdge(edge0, edge1);
    return vertexP == vertexR && (vertexP == edge0 || vertexP == edge1) ? 1 : 0;
  }
  if (p == eEdgePoint && q == eFacePoint && r == eEdgePoint) {
    int triangle = 0;
    iQ.GetTriangle(triangle);
    return _topologyUtil->CheckSameTriangleMeshPointTriangle(iP, triangle) &&
                   _topologyUtil->CheckSameTriangleMeshPointTriangle(iR, triangle)
               ? 1
               : 0;
  }
  return 0;
}

int KelCldMeshCurveFilterOper::FilterMeshCurve(KelCldMeshCurve* ioCurve) const
{
  if (!ioCurve) return 0;
  KelAssert(_topologyUtil);
  // A removal at q = i + 1 changes only the triples starting at i - 1 and i: the earlier ones
  // did not match and still do not, so resuming at i - 1 gives what a new pass from 1 gives.
  KelCldMeshPoint p, q, r;
  int i = 1;
  while (i + 2 <= ioCurve->GetNumPoints()) {
    ioCurve->GetMeshPoint(i, p);
    ioCurve->GetMeshPoint(i + 1, q);
    ioCurve->GetMeshPoint(i + 2, r);
    if (IsRedundant(p, q, r)) {
      ioCurve->RemovePoint(i + 1);
      i = std::max(1, i - 1);
    } else {
      ++i;
    }
  }
  return 1;
}

int KelCldMeshCurveFilterOper::Run(const KelListPtrKelCldMeshCurve& ioCurves) const
{
  int result = 1;
  for (int i = 1; i <= ioCurves.Size() && result; ++i) result = FilterMeshCurve(ioCurves[i]);
  return result;
}

int KelCldMeshCurveFilterOper::Run(KelCldMeshCurve* ioCurve) const
{
  KelListPtrKelCldMeshCurve curves;
  curves.Append(ioCurve);
  return Run(curves);
}
