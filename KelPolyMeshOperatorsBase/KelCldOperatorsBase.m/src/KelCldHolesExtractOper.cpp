#include "KelCldHolesExtractOper.h"

#include <new>

#include "KelCldMeshCurve.h"
#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelCldUtil.h"
#include "KelFatalError.h"
#include "KelMathPoint.h"

KelImplementClass(KelCldHolesExtractOper, KelCldOper, KelMetaImplementation)

KelCldHolesExtractOper::KelCldHolesExtractOper() : _CldPolygon(nullptr), _PolyTopo(nullptr) {}

KelCldHolesExtractOper::~KelCldHolesExtractOper()
{
  KelAssertText(_CldPolygon == nullptr, "_CldPolygon == NULL");
  KelAssertText(_PolyTopo == nullptr, "_PolyTopo == NULL");
}

KelBoolean KelCldHolesExtractOper::Run(KelCldPolygon* iPolygon, KelListPtrKelCldMeshCurve& oHoles)
{
  Initialize(iPolygon);
  for (int k = 1; k <= _holes.Size(); ++k) {
    _holes[k]->AddRef();
    oHoles.Append(_holes[k]);
  }
  Finalize();
  return TRUE;
}

void KelCldHolesExtractOper::Initialize(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return;
  KelAssert(!_CldPolygon);
  KelAssert(!_PolyTopo);
  _CldPolygon = iPolygon;
  _CldPolygon->AddRef();
  _PolyTopo = new KelCldTopologyUtil(_CldPolygon);
  FindAllHoles();
}

void KelCldHolesExtractOper::Finalize()
{
  ClearAllHoles();
  if (_PolyTopo) _PolyTopo->Release();
  _PolyTopo = nullptr;
  if (_CldPolygon) _CldPolygon->Release();
  _CldPolygon = nullptr;
}

void KelCldHolesExtractOper::ClearAllHoles()
{
  KelCldUtil::ReleaseObjects(_holes);
  _TriangleFlags.RemoveAll();
  _edgeWalks.clear();
}

int KelCldHolesExtractOper::FindAllHoles()
{
  KelAssertText(_CldPolygon && _PolyTopo, "_CldPolygon && _PolyTopo");
  const int nbTriangles = _CldPolygon->GetNbTriangles(1);
  _TriangleFlags.RemoveAll();
  _TriangleFlags.Size(nbTriangles);
  _edgeWalks.assign(6 * (static_cast<size_t>(nbTriangles) + 1), 0);
  if (nbTriangles < 1) return 0;

  int nbClosed = 0;
  for (int k = 1; k <= nbTriangles; ++k) {
    if (!_CldPolygon->IsTriangleValid(k)) {
      KelAssertText(_TriangleFlags[k] == 0, "_TriangleFlags[k] == 0");
      continue;
    }
    if (_TriangleFlags[k] != 0) continue;
    int edges[6];
    if (_PolyTopo->GetHoleEdges(k, edges) < 1) continue;
    const int vrtx0 = edges[0], vrtx1 = edges[1];
    KelAssertText(vrtx0 && vrtx1, "vrtx0 && vrtx1");
    if (ConstructHole(k, vrtx0, vrtx1)) ++nbClosed;
  }
  return nbClosed;
}

int KelCldHolesExtractOper::DirectedEdgeKey(const int iTriangle, const int iVertex0, const int iVertex1) const
{
  int v[3];
  _PolyTopo->GetVertices(iTriangle, v);
  for (int i = 0; i < 3; ++i) {
    const int next = v[(i + 1) % 3];
    if (v[i] == iVertex0 && next == iVertex1) return 6 * iTriangle + 2 * i;
    if (v[i] == iVertex1 && next == iVertex0) return 6 * iTriangle + 2 * i + 1;
  }
  return -1;
}

KelBoolean KelCldHolesExtractOper::ConstructHole(const int startTriangle, const int firstVertex,
                                                 const int secondVertex)
{
  KelAssertText(_CldPolygon && _PolyTopo, "_CldPolygon && _PolyTopo");
  KelAssertText(startTriangle && firstVertex && secondVertex, "startTriangle && firstVertex && secondVertex");
  KelAssertText(_TriangleFlags[startTriangle] == 0, "_TriangleFlags[startTriangle] == 0");

  KelCldMeshCurve* curve = new (std::nothrow) KelCldMeshCurve(_CldPolygon);
  if (!curve) return FALSE;
  const int nbHoles = _holes.Append(curve);

  auto appendVertex = [this, curve](const int iVertex) {
    KelMathPoint position;
    _CldPolygon->GetPoint(iVertex, position);
    KelCldMeshPoint point;
    point.SetPosition(position);
    point.SetVertex(iVertex);
    curve->AppendPoint(point);
  };
  // Marks the directed edge as taken by this hole; false when the walk already took it.
  auto take = [this, nbHoles](const int iTriangle, const int iVertex0, const int iVertex1) {
    const int key = DirectedEdgeKey(iTriangle, iVertex0, iVertex1);
    if (key < 0 || _edgeWalks[static_cast<size_t>(key)] == nbHoles) return false;
    _edgeWalks[static_cast<size_t>(key)] = nbHoles;
    return true;
  };

  int triangle = startTriangle, vertexA = firstVertex, vertexB = secondVertex;
  appendVertex(firstVertex);
  _TriangleFlags[startTriangle] = nbHoles;
  take(triangle, vertexA, vertexB);

  bool closed = false;
  while (_PolyTopo->GetNextHoleEdge(triangle, vertexA, vertexB)) {
    if (triangle == startTriangle && vertexA == firstVertex && vertexB == secondVertex) {
      closed = true;
      break;
    }
    if (!take(triangle, vertexA, vertexB)) break;
    appendVertex(vertexA);
    if (_TriangleFlags[triangle] == 0) _TriangleFlags[triangle] = nbHoles;
  }
  if (!closed) return FALSE;
  appendVertex(firstVertex);
  return TRUE;
}
