#include "KelCldRegularizeHoleOper.h"

#include "KelCldGeometryUtil.h"
#include "KelCldMeshCurve.h"
#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"

KelImplementClass(KelCldRegularizeHoleOper, KelCldOper, KelMetaImplementation)

KelCldRegularizeHoleOper::KelCldRegularizeHoleOper(KelCldPolygon* iPolygon)
    : _polygon(iPolygon), _wasOptimized(FALSE), _geometryUtil(nullptr), _topologyUtil(nullptr)
{
  if (!_polygon) return;
  _polygon->AddRef();
  _wasOptimized = _polygon->IsOptimized();
  if (!_wasOptimized) _polygon->Optimize();
  _topologyUtil = new KelCldTopologyUtil(_polygon);
  _geometryUtil = new KelCldGeometryUtil(_polygon);
}

KelCldRegularizeHoleOper::~KelCldRegularizeHoleOper()
{
  if (_geometryUtil) _geometryUtil->Release();
  _geometryUtil = nullptr;
  if (_topologyUtil) _topologyUtil->Release();
  _topologyUtil = nullptr;
  if (!_polygon) return;
  if (!_wasOptimized) _polygon->Unoptimize();
  _polygon->Release();
  _polygon = nullptr;
}

// A hole has at most one free edge per triangle side, so a longer walk is going round in a
// loop that does not contain its start.
int KelCldRegularizeHoleOper::GetWalkLimit() const { return 3 * _polygon->GetNbTriangles(1) + 1; }

void KelCldRegularizeHoleOper::GetStartEdge(const KelCldMeshPoint& iPoint, int& oVertex0, int& oVertex1) const
{
  oVertex0 = oVertex1 = 0;
  if (iPoint.GetEdge(oVertex0, oVertex1)) return;
  if (iPoint.GetVertex(oVertex0)) oVertex1 = _topologyUtil->GetNextHoleVertex(oVertex0);
}

void KelCldRegularizeHoleOper::AppendVertexPoints(const KelRawCollint& iVertices, KelCldMeshCurve& ioCurve) const
{
  for (int i = 1; i <= iVertices.Size(); ++i) {
    KelCldMeshPoint point;
    point.SetPosition(_geometryUtil->GetVertexPoint(iVertices[i]));
    point.SetVertex(iVertices[i]);
    ioCurve.AppendPoint(point);
  }
}

bool KelCldRegularizeHoleOper::TraverseHole(const int iVertex0, const int iVertex1, const KelCldMeshPoint& meshPoint,
                                            KelRawCollint& oVertices) const
{
  KelAssert(_topologyUtil);
  KelAssert(iVertex0 > 0);
  KelAssert(iVertex1 > 0);
  KelAssert(meshPoint.GetType() == eVertexPoint || meshPoint.GetType() == eEdgePoint);
  int target0 = 0, target1 = 0;
  if (!meshPoint.GetVertex(target0)) meshPoint.GetEdge(target0, target1);

  oVertices.RemoveAll();
  oVertices.Append(iVertex0);
  int current = iVertex0, previous = iVertex1;
  for (int steps = GetWalkLimit(); steps > 0; --steps) {
    if (current == target0 || current == target1) return true;
    const int next = _topologyUtil->GetNextHoleVertex(current, previous);
    if (!next) return false;
    oVertices.Append(next);
    previous = current;
    current = next;
    if (current == iVertex0) return false;
  }
  return false;
}

bool KelCldRegularizeHoleOper::Run(const KelCldMeshPoint& iStart, const KelCldMeshPoint& iEnd,
                                   KelCldMeshCurve* meshCurve0, KelCldMeshCurve* meshCurve1)
{
  KelAssert(meshCurve0);
  KelAssert(meshCurve1);
  KelAssert(_topologyUtil);
  KelAssert(_geometryUtil);

  bool result = false;
  if (_topologyUtil->IsHoleMeshPoint(iStart) && _topologyUtil->IsHoleMeshPoint(iEnd)) {
    const bool edgeStart = iStart.GetType() == eEdgePoint;
    int vertex0 = 0, vertex1 = 0;
    GetStartEdge(iStart, vertex0, vertex1);
    KelAssert(vertex1 > 0);
    KelRawCollint vertices0, vertices1;
    result = TraverseHole(vertex0, vertex1, iEnd, vertices0);
    if (result && edgeStart) {
      result = TraverseHole(vertex1, vertex0, iEnd, vertices1);
    } else if (result) {
      // Leaving vertex0 away from its other hole neighbour heads towards vertex1.
      const int vertex = _topologyUtil->GetNextHoleVertex(vertex0, vertex1);
      KelAssert(vertex > 0);
      result = TraverseHole(vertex0, vertex, iEnd, vertices1);
    }
    if (result) {
      KelCldMeshCurve* curves[2] = {meshCurve0, meshCurve1};
      const KelRawCollint* lists[2] = {&vertices0, &vertices1};
      for (int k = 0; k < 2; ++k) {
        curves[k]->RemoveAllPoints();
        if (edgeStart) curves[k]->AppendPoint(iStart);
        AppendVertexPoints(*lists[k], *curves[k]);
        KelCldMeshPoint last;
        curves[k]->GetEndPoint(last);
        if (last != iEnd) curves[k]->AppendPoint(iEnd);
      }
    }
  }
  KelAssert(meshCurve0->IsRegular());
  KelAssert(meshCurve1->IsRegular());
  return result;
}

bool KelCldRegularizeHoleOper::Run(const KelCldMeshPoint& iStart, KelCldMeshCurve* oCurve)
{
  KelAssert(_geometryUtil);
  KelAssert(_topologyUtil);
  if (!oCurve || !_topologyUtil->IsHoleMeshPoint(iStart)) return false;
  int vertex0 = 0, vertex1 = 0;
  GetStartEdge(iStart, vertex0, vertex1);
  if (vertex0 <= 0 || vertex1 <= 0) return false;

  KelRawCollint vertices;
  vertices.Append(vertex0);
  int current = vertex0, previous = vertex1;
  for (int steps = GetWalkLimit(); current != vertex0 || vertices.Size() == 1; --steps) {
    const int next = steps > 0 ? _topologyUtil->GetNextHoleVertex(current, previous) : 0;
    if (!next) return false;
    vertices.Append(next);
    previous = current;
    current = next;
  }

  const bool edgeStart = iStart.GetType() == eEdgePoint;
  if (edgeStart) oCurve->AppendPoint(iStart);
  AppendVertexPoints(vertices, *oCurve);
  if (edgeStart) oCurve->SetMeshPoint(oCurve->GetNumPoints(), iStart);
  return true;
}

bool KelCldRegularizeHoleOper::SameHole(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1)
{
  KelCldMeshCurve curve0(_polygon), curve1(_polygon);
  return Run(iPoint0, iPoint1, &curve0, &curve1);
}
