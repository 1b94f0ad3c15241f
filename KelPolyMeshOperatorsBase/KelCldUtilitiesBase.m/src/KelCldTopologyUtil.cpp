#include "KelCldTopologyUtil.h"

#include "KelCldNumberMarks.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

#include "KelCldConstants.h"
#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelMathLine.h"
#include "KelMathPoint.h"

KelImplementClass(KelCldTopologyUtil, KelBaseUnknown, KelMetaImplementation)

namespace {

// Position of the value among the three, -1 when absent.
int PositionIn(const int iValues[3], const int iValue)
{
  for (int i = 0; i < 3; ++i)
    if (iValues[i] == iValue) return i;
  return -1;
}

}  // namespace

KelCldTopologyUtil::KelCldTopologyUtil(KelCldPolygon* iPolygon) : _polygon(iPolygon), _wasOptimized(FALSE)
{
  if (!_polygon) return;
  _polygon->AddRef();
  _wasOptimized = _polygon->IsOptimized();
  if (!_wasOptimized) _polygon->Optimize();
}

KelCldTopologyUtil::~KelCldTopologyUtil()
{
  if (!_polygon) return;
  if (!_wasOptimized) _polygon->Unoptimize();
  _polygon->Release();
  _polygon = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Triangles

void KelCldTopologyUtil::GetVertices(const int triangle, int* oVertices) const
{
  KelAssert(_polygon);
  KelAssert(triangle > 0 && triangle <= _polygon->GetNbTriangles());
  int neighbors[3];
  _polygon->GetTriangle(triangle, oVertices, neighbors);
}

void KelCldTopologyUtil::GetNeighbors(const int triangle, int* oNeighbors) const
{
  KelAssert(_polygon);
  KelAssert(triangle > 0 && triangle <= _polygon->GetNbTriangles());
  int vertices[3];
  _polygon->GetTriangle(triangle, vertices, oNeighbors);
}

void KelCldTopologyUtil::GetOrientation(const int triangle, unsigned char& oOrientation) const
{
  KelAssert(_polygon);
  KelAssert(triangle > 0 && triangle <= _polygon->GetNbTriangles());
  int vertices[3];
  _polygon->GetTriangleVertices(triangle, vertices, oOrientation);
}

int KelCldTopologyUtil::GetOppositeVertex(const int triangle, const int vertex0, const int vertex1) const
{
  int v[3];
  GetVertices(triangle, v);
  for (int i = 0; i < 3; ++i)
    if (EdgeEqual(v[i], v[(i + 1) % 3], vertex0, vertex1)) return v[(i + 2) % 3];
  return 0;
}

KelBoolean KelCldTopologyUtil::GetOppositeEdge(const int triangle, const int vertex, int& oVertex0, int& oVertex1) const
{
  int v[3];
  GetVertices(triangle, v);
  const int i = PositionIn(v, vertex);
  if (i < 0) return FALSE;
  oVertex0 = v[(i + 1) % 3];
  oVertex1 = v[(i + 2) % 3];
  return TRUE;
}

void KelCldTopologyUtil::GetEdgeVertices(const int triangle, const int edge, int& oVertex0, int& oVertex1) const
{
  int v[3];
  GetVertices(triangle, v);
  KelAssert(edge >= 0 && edge <= 2);
  oVertex0 = v[edge];
  oVertex1 = v[(edge + 1) % 3];
}

KelBoolean KelCldTopologyUtil::GetEdgeIndex(const int triangle, const int vertex0, const int vertex1, int& oEdge) const
{
  if (!_polygon || !triangle) return FALSE;
  KelAssert(triangle <= _polygon->GetNbTriangles ());
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  for (int i = 0; i < 3; ++i) {
    if (EdgeEqual(v[i], v[(i + 1) % 3], vertex0, vertex1)) {
      oEdge = i;
      return TRUE;
    }
  }
  return FALSE;
}

KelBoolean KelCldTopologyUtil::GetVertexIndex(const int triangle, const int vertex, int& oIndex) const
{
  int v[3];
  GetVertices(triangle, v);
  KelBoolean found = FALSE;
  for (int i = 0; i < 3; ++i) {
    if (v[i] == vertex) {
      oIndex = i;
      found = TRUE;
    }
  }
  return found;
}

int KelCldTopologyUtil::GetNextVertex(const int triangle, const int vertex) const
{
  if (!_polygon || !triangle) return 0;
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  const int i = PositionIn(v, vertex);
  return i < 0 ? 0 : v[(i + 1) % 3];
}

int KelCldTopologyUtil::GetPreviousVertex(const int triangle, const int vertex) const
{
  if (!_polygon || !triangle) return 0;
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  const int i = PositionIn(v, vertex);
  return i < 0 ? 0 : v[(i + 2) % 3];
}

int KelCldTopologyUtil::GetEdgeOrientation(const int triangle, const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  if (!triangle) return 0;
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  for (int i = 0; i < 3; ++i)
    if (v[i] == vertex0 && v[(i + 1) % 3] == vertex1) return 1;
  for (int i = 0; i < 3; ++i)
    if (v[i] == vertex1 && v[(i + 1) % 3] == vertex0) return -1;
  return 0;
}

int KelCldTopologyUtil::GetEdge(const int triangle0, const int triangle1, int& oVertex0, int& oVertex1) const
{
  if (!_polygon || !triangle0 || !triangle1) return 0;
  int v[3], n[3];
  _polygon->GetTriangle(triangle0, v, n);
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    if (n[i] == triangle1) {
      oVertex0 = v[i];
      ++count;
    }
  }
  if (!count) return 0;
  oVertex1 = GetNextVertex(triangle0, oVertex0);
  // Consistently oriented neighbours run their common edge in opposite directions.
  if (GetNextVertex(triangle1, oVertex1) == oVertex0) return count;
  oVertex0 = oVertex1 = 0;
  return 0;
}

KelBoolean KelCldTopologyUtil::IsAVertexOf(const int triangle, const int vertex) const
{
  if (!_polygon || !triangle) return FALSE;
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  return PositionIn(v, vertex) >= 0 ? TRUE : FALSE;
}

KelBoolean KelCldTopologyUtil::IsAnEdgeOf(const int triangle, const int vertex0, const int vertex1) const
{
  return vertex0 != vertex1 && IsAVertexOf(triangle, vertex0) && IsAVertexOf(triangle, vertex1) ? TRUE : FALSE;
}

KelBoolean KelCldTopologyUtil::IsANeighborOf(const int triangle0, const int triangle1) const
{
  if (!_polygon || !triangle0 || !triangle1) return FALSE;
  int v[3], n[3];
  _polygon->GetTriangle(triangle0, v, n);
  return PositionIn(n, triangle1) >= 0 ? TRUE : FALSE;
}

KelBoolean KelCldTopologyUtil::EdgeEqual(const int a0, const int a1, const int b0, const int b1)
{
  return (a0 == b0 && a1 == b1) || (a0 == b1 && a1 == b0) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------------------------
// Rings and fans

void KelCldTopologyUtil::GetNeighborVertices(const int vertex, KelRawCollint& oVertices) const
{
  GetNeighborVertices(vertex, 1, oVertices);
}

void KelCldTopologyUtil::GetNeighborVertices(const int vertex, const int iDepth, KelRawCollint& oVertices) const
{
  KelAssert(_polygon);
  oVertices.RemoveAll();
  int* ringStarts = nullptr;
  KelRawCollint rings;
  _polygon->GetNeighborVertices(vertex, iDepth, ringStarts, rings);
  if (!ringStarts) return;
  for (int i = ringStarts[1]; i < ringStarts[iDepth + 1]; ++i) oVertices.Append(rings[i]);
  delete[] ringStarts;
}

void KelCldTopologyUtil::GetFirstNeighborTriangles(const int vertex, KelRawCollint& oTriangles) const
{
  KelAssert(_polygon);
  _polygon->GetTrianglesAroundVertex(vertex, oTriangles);
}

KelBoolean KelCldTopologyUtil::NextVertexAndTriangle(const int pivot, int& ioVertex, int& ioTriangle) const
{
  if (!_polygon || ioTriangle < 1 || ioTriangle > _polygon->GetNbTriangles()) return FALSE;
  int v[3], n[3];
  _polygon->GetTriangle(ioTriangle, v, n);
  const int k = PositionIn(v, ioVertex);
  if (k < 0) return FALSE;
  // Either way the other edge at the pivot is edge j.
  const int j = (k + 1) % 3;
  int next;
  if (v[j] == pivot)
    next = v[(k + 2) % 3];
  else if (v[(k + 2) % 3] == pivot)
    next = v[j];
  else
    return FALSE;
  ioVertex = next;
  ioTriangle = n[j];
  return TRUE;
}

void KelCldTopologyUtil::TurnOnce(const int iPivot, int& ioVertex, int& ioTriangle) const
{
  if (!NextVertexAndTriangle(iPivot, ioVertex, ioTriangle)) ioTriangle = 0;
}

KelBoolean KelCldTopologyUtil::AppendFan(const int iPivot, const int iStop, int& ioVertex, int& ioLast,
                                         KelRawCollint& ioTriangles) const
{
  int triangle = ioLast;
  TurnOnce(iPivot, ioVertex, triangle);
  // A fan has fewer triangles than the polygon: more steps mean a walk that does not close.
  for (int steps = _polygon->GetNbTriangles(1); triangle && triangle != iStop; --steps) {
    if (steps <= 0) return FALSE;
    ioTriangles.Append(triangle);
    ioLast = triangle;
    TurnOnce(iPivot, ioVertex, triangle);
  }
  return triangle ? TRUE : FALSE;
}

void KelCldTopologyUtil::GetSecondNeighborTriangles(const int vertex, KelRawCollint& oTriangles) const
{
  KelAssert(_polygon);
  _polygon->GetTrianglesAroundVertex(vertex, oTriangles);
  if (!oTriangles.Size()) return;
  const int first = oTriangles[1];
  int v[3];
  unsigned char orientation = 0;
  _polygon->GetTriangleVertices(first, v, orientation);
  const int k = PositionIn(v, vertex);
  if (k < 0) KelAssert(0);
  const int next = v[(k + 1) % 3], previous = v[(k + 2) % 3];
  int across0 = 0, across1 = 0;
  _polygon->GetEdgeTriangles(next, previous, across0, across1);
  const int outer = across0 && across1 ? (across0 == first ? across1 : across0) : 0;
  oTriangles.RemoveAll();
  if (!outer) return;

  // Turn around the vertex; around each ring vertex, append the outer triangles between the
  // one that ended the previous ring vertex's pass and the inner triangle.
  int ring = next, previousRing = next, inner = first, last = outer;
  KelBoolean reached = TRUE;
  TurnOnce(vertex, ring, inner);
  for (int steps = _polygon->GetNbTriangles(1); inner && inner != first && steps > 0; --steps) {
    int from = previousRing;
    reached = AppendFan(ring, inner, from, last, oTriangles);
    previousRing = ring;
    TurnOnce(vertex, ring, inner);
    if (!reached) return;
  }
  // Closed fan: around the first ring vertex again, up to the first triangle (outer included).
  if (inner == first && reached) AppendFan(ring, first, previousRing, last, oTriangles);
}

void KelCldTopologyUtil::GetSecondNeighborTriangles(const int vertex0, const int vertex1, KelRawCollint& oTriangles) const
{
  KelAssert(_polygon);
  oTriangles.RemoveAll();
  int triangleA = 0, triangleB = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangleA, triangleB);
  if (!triangleA || !triangleB) return;

  // The triangle across (vertex0, far vertex of A) is left for the last pass, which ends there.
  int farA = vertex1, skipped = triangleA;
  TurnOnce(vertex0, farA, skipped);
  if (!skipped) return;
  int last = skipped, farB = farA;
  if (!AppendFan(vertex0, triangleB, farB, last, oTriangles)) return;
  int from = vertex0;
  if (!AppendFan(farB, triangleB, from, last, oTriangles)) return;
  from = farB;
  if (!AppendFan(vertex1, triangleA, from, last, oTriangles)) return;
  from = vertex1;
  AppendFan(farA, triangleA, from, last, oTriangles);
}

// ---------------------------------------------------------------------------------------------
// Holes

KelBoolean KelCldTopologyUtil::IsValidEdge(const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  KelAssert(vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints());
  KelAssert(vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints());
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  return triangle0 || triangle1 ? TRUE : FALSE;
}

KelBoolean KelCldTopologyUtil::IsHoleEdge(const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  KelAssert(vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints());
  KelAssert(vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints());
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  return triangle0 && triangle1 ? FALSE : TRUE;
}

KelBoolean KelCldTopologyUtil::IsHoleVertex(const int vertex) const { return HoleNeighbor(vertex) ? TRUE : FALSE; }

int KelCldTopologyUtil::HoleNeighbor(const int vertex) const
{
  KelAssert(_polygon);
  KelAssert(vertex >= 1 && vertex <= _polygon->GetNbPoints());
  KelRawCollint neighbors;
  GetNeighborVertices(vertex, neighbors);
  for (int i = 1; i <= neighbors.Size(); ++i) {
    int triangle0 = 0, triangle1 = 0;
    _polygon->GetEdgeTriangles(vertex, neighbors[i], triangle0, triangle1);
    if (!triangle0 || !triangle1) return neighbors[i];
  }
  return 0;
}

KelBoolean KelCldTopologyUtil::IsHoleMeshPoint(const KelCldMeshPoint& iPoint) const
{
  int vertex0 = 0, vertex1 = 0;
  if (iPoint.GetVertex(vertex0)) return IsHoleVertex(vertex0);
  if (iPoint.GetEdge(vertex0, vertex1)) return IsHoleEdge(vertex0, vertex1);
  return FALSE;
}

int KelCldTopologyUtil::GetHoleEdges(const int triangle, int* oEdges) const
{
  KelAssert(_polygon);
  KelAssert(triangle >= 1 && triangle <= _polygon->GetNbTriangles());
  int v[3], n[3];
  _polygon->GetTriangle(triangle, v, n);
  int count = 0;
  for (int i = 0; i < 3; ++i) {
    if (n[i]) continue;
    oEdges[2 * count] = v[i];
    oEdges[2 * count + 1] = v[(i + 1) % 3];
    ++count;
  }
  std::fill(oEdges + 2 * count, oEdges + 6, 0);
  return count;
}

int KelCldTopologyUtil::GetNextHoleVertex(const int vertex) const { return _polygon ? HoleNeighbor(vertex) : 0; }

int KelCldTopologyUtil::GetNextHoleVertex(const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  if (!triangle0 == !triangle1) return 0;
  // Turn around vertex0, starting from vertex1.
  int triangle = triangle0 ? triangle0 : triangle1;
  int vrtx1 = vertex1, vrtx2 = vertex0;
  if (!GetNextHoleEdge(triangle, vrtx1, vrtx2)) return 0;
  KelAssert(vrtx1 == vertex0);
  return vrtx2;
}

KelBoolean KelCldTopologyUtil::GetNextHoleEdge(int& ioTriangle, int& ioVertex0, int& ioVertex1) const
{
  KelAssert(_polygon);
  const int triangle = ioTriangle;
  KelAssert(triangle >= 1 && triangle <= _polygon->GetNbTriangles());
  const int pivot = ioVertex1;
  int vertex = ioVertex0, current = triangle, last = triangle;
  for (int steps = _polygon->GetNbTriangles(1) + 1; steps > 0; --steps) {
    if (!NextVertexAndTriangle(pivot, vertex, current)) return FALSE;
    if (!current) {
      ioTriangle = last;
      ioVertex0 = pivot;
      ioVertex1 = vertex;
      return TRUE;
    }
    last = current;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Shared triangles

int KelCldTopologyUtil::CheckSameTriangleVertexVertex(const int vertex0, const int vertex1) const
{
  if (!_polygon) return 0;
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  return triangle0 > 0 ? triangle0 : (triangle1 > 0 ? triangle1 : 0);
}

int KelCldTopologyUtil::CheckSameTriangleVertexEdge(const int vertex, const int vertex0, const int vertex1) const
{
  if (!_polygon) return 0;
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  if (IsAVertexOf(triangle0, vertex)) return triangle0;
  if (IsAVertexOf(triangle1, vertex)) return triangle1;
  return 0;
}

int KelCldTopologyUtil::CheckSameTriangleVertexTriangle(const int vertex, const int triangle) const
{
  if (!_polygon || !vertex || !triangle) return 0;
  return IsAVertexOf(triangle, vertex) ? triangle : 0;
}

int KelCldTopologyUtil::CheckSameTriangleEdgeEdge(const int a0, const int a1, const int b0, const int b1) const
{
  if (!_polygon) return 0;
  int a[2] = {0, 0}, b[2] = {0, 0};
  _polygon->GetEdgeTriangles(a0, a1, a[0], a[1]);
  _polygon->GetEdgeTriangles(b0, b1, b[0], b[1]);
  for (const int triangle : a)
    if (triangle > 0 && (triangle == b[0] || triangle == b[1])) return triangle;
  return 0;
}

int KelCldTopologyUtil::CheckSameTriangleEdgeTriangle(const int vertex0, const int vertex1, const int triangle) const
{
  return IsAnEdgeOf(triangle, vertex0, vertex1) ? triangle : 0;
}

int KelCldTopologyUtil::CheckSameTriangleMeshPointVertex(const KelCldMeshPoint& iPoint, const int vertex) const
{
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) return CheckSameTriangleVertexVertex(index0, vertex);
  if (iPoint.GetEdge(index0, index1)) return CheckSameTriangleVertexEdge(vertex, index0, index1);
  if (iPoint.GetTriangle(index0)) return CheckSameTriangleVertexTriangle(vertex, index0);
  return 0;
}

int KelCldTopologyUtil::CheckSameTriangleMeshPointEdge(const KelCldMeshPoint& iPoint, const int vertex0,
                                                       const int vertex1) const
{
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) return CheckSameTriangleVertexEdge(index0, vertex0, vertex1);
  if (iPoint.GetEdge(index0, index1)) return CheckSameTriangleEdgeEdge(index0, index1, vertex0, vertex1);
  if (iPoint.GetTriangle(index0)) return CheckSameTriangleEdgeTriangle(vertex0, vertex1, index0);
  return 0;
}

int KelCldTopologyUtil::CheckSameTriangleMeshPointTriangle(const KelCldMeshPoint& iPoint, const int triangle) const
{
  if (!_polygon) return 0;
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) return CheckSameTriangleVertexTriangle(index0, triangle);
  if (iPoint.GetEdge(index0, index1)) return CheckSameTriangleEdgeTriangle(index0, index1, triangle);
  if (iPoint.GetTriangle(index0)) return index0 == triangle ? triangle : 0;
  return 0;
}

int KelCldTopologyUtil::SameTriangle(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1) const
{
  int index0 = 0, index1 = 0;
  if (iPoint1.GetVertex(index0)) return CheckSameTriangleMeshPointVertex(iPoint0, index0);
  if (iPoint1.GetEdge(index0, index1)) return CheckSameTriangleMeshPointEdge(iPoint0, index0, index1);
  if (iPoint1.GetTriangle(index0)) return CheckSameTriangleMeshPointTriangle(iPoint0, index0);
  return 0;
}

KelBoolean KelCldTopologyUtil::SameEdge(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1)
{
  int vertex = 0, a0 = 0, a1 = 0, b0 = 0, b1 = 0;
  if (iPoint0.GetType() == eVertexPoint && iPoint1.GetType() == eVertexPoint) return TRUE;
  if (iPoint0.GetEdge(a0, a1) && iPoint1.GetEdge(b0, b1)) return EdgeEqual(a0, a1, b0, b1);
  if ((iPoint0.GetVertex(vertex) && iPoint1.GetEdge(a0, a1)) || (iPoint1.GetVertex(vertex) && iPoint0.GetEdge(a0, a1)))
    return vertex == a0 || vertex == a1 ? TRUE : FALSE;
  return FALSE;
}

int KelCldTopologyUtil::GetTriangle(const KelCldMeshPoint& iPoint) const
{
  if (!_polygon) return 0;
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) {
    KelRawCollint triangles;
    _polygon->GetTrianglesAroundVertex(index0, triangles);
    return triangles.Size() ? triangles[1] : 0;
  }
  if (iPoint.GetEdge(index0, index1)) return CheckSameTriangleVertexVertex(index0, index1);
  if (iPoint.GetTriangle(index0)) return index0;
  return 0;
}

// ---------------------------------------------------------------------------------------------
// Sets

int KelCldTopologyUtil::GetTrianglesFromVertices(const KelRawCollint& iVertices, KelRawCollint& oTriangles) const
{
  if (!_polygon) return 0;
  const int nbTriangles = _polygon->GetNbTriangles();
  KelCldNumberMarks flags;
  if (!flags.Allocate(nbTriangles)) return 0;
  KelRawCollint around;
  for (int i = 1; i <= iVertices.Size(); ++i) {
    _polygon->GetTrianglesAroundVertex(iVertices[i], around);
    for (int j = 1; j <= around.Size(); ++j) {
      const int triangle = around[j];
      KelAssert(_polygon->IsTriangleValid(triangle));
      flags.Mark(triangle);
    }
  }
  flags.Collect(oTriangles);
  return 1;
}

void KelCldTopologyUtil::GetVerticesFromTriangles(const KelRawCollint& iTriangles, KelRawCollint& oVertices) const
{
  if (!_polygon) return;
  const int nbPoints = _polygon->GetNbPoints();
  KelCldNumberMarks flags;
  if (!flags.Allocate(nbPoints)) return;
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    const int triangle = iTriangles[i];
    KelAssert(_polygon->IsTriangleValid(triangle));
    int v[3], n[3];
    _polygon->GetTriangle(triangle, v, n);
    for (const int vertex : v)
      if (vertex >= 1) flags.Mark(vertex);
  }
  flags.Collect(oVertices);
}

// ---------------------------------------------------------------------------------------------
// Point comparison

KelBoolean KelCldComparePoints(const KelMathPoint& iPoint0, const KelMathPoint& iPoint1)
{
  // Signed on purpose: large negative coordinates keep the absolute tolerance.
  const double scale = std::max({iPoint0.GetX(), iPoint0.GetY(), iPoint0.GetZ()}) / 1000.0;
  const double tolerance = scale < 1.0 ? KelCldDistanceEpsilon : KelCldDistanceEpsilon * scale;
  return std::fabs(iPoint0.GetX() - iPoint1.GetX()) <= tolerance &&
                 std::fabs(iPoint0.GetY() - iPoint1.GetY()) <= tolerance &&
                 std::fabs(iPoint0.GetZ() - iPoint1.GetZ()) <= tolerance
             ? TRUE
             : FALSE;
}

KelBoolean KelCldComparePointToLine(const KelMathPoint& iPoint, const KelMathLine& iLine)
{
  return KelCldComparePoints(iLine.Projection(iPoint), iPoint);
}
