#include "KelCldGeometryUtil.h"

#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelCldTriangleUtil.h"
#include "KelFatalError.h"
#include "KelMathLine.h"

KelImplementClass(KelCldGeometryUtil, KelBaseUnknown, KelMetaImplementation)

namespace {

// Snap distances of GetVertexFromPoint and GetEdgeFromPoint, compared squared.
constexpr double kSnapSquareDistance = 0.0001 * 0.0001;

// Index 0..2 of the longest of three squared edge lengths; a reversed iLess picks the shortest.
template <class Less>
int ExtremeEdge(const double d0, const double d1, const double d2, Less iLess)
{
  if (iLess(d1, d0) && iLess(d2, d0)) return 0;
  if (iLess(d0, d1) && iLess(d2, d1)) return 1;
  if (d0 == d1 && iLess(d2, d0)) return 0;
  return 2;
}

// The raw normal made unit; a zero normal stays zero.
KelMathVector UnitVector(const double iNormal[3])
{
  KelMathVector result(iNormal);
  result.Normalize();
  return result;
}

}  // namespace

KelCldGeometryUtil::KelCldGeometryUtil(KelCldPolygon* iPolygon)
    : _polygon(iPolygon), _topologyUtil(nullptr), _wasOptimized(FALSE)
{
  if (!_polygon) return;
  _polygon->AddRef();
  _wasOptimized = _polygon->IsOptimized();
  if (!_wasOptimized) _polygon->Optimize();
  _topologyUtil = new KelCldTopologyUtil(_polygon);
}

KelCldGeometryUtil::~KelCldGeometryUtil()
{
  if (_polygon) {
    if (!_wasOptimized) _polygon->Unoptimize();
    _polygon->Release();
    _polygon = nullptr;
  }
  if (_topologyUtil) {
    _topologyUtil->Release();
    _topologyUtil = nullptr;
  }
}

KelMathPoint KelCldGeometryUtil::Position(const int iVertex) const
{
  return KelMathPoint(_polygon->GetCoordinates() + 3 * static_cast<size_t>(iVertex));
}

void KelCldGeometryUtil::Corners(const int triangle, KelMathPoint oCorners[3], int oVertices[3]) const
{
  KelAssert(_polygon);
  KelAssert(triangle >= 1 && triangle <= _polygon->GetNbTriangles());
  int vertices[3];
  unsigned char orientation;
  // A removed triangle reads as vertices 0, whose slot holds zeros.
  _polygon->GetTriangleVertices(triangle, vertices, orientation);
  const float* coords = _polygon->GetCoordinates();
  for (int i = 0; i < 3; ++i) {
    oCorners[i] = KelMathPoint(coords + 3 * static_cast<size_t>(vertices[i]));
    if (oVertices) oVertices[i] = vertices[i];
  }
}

// ---------------------------------------------------------------------------------------------
// Positions and normals

KelMathPoint KelCldGeometryUtil::GetVertexPoint(const int vertex) const
{
  KelAssert(_polygon);
  KelAssert(vertex >= 1 && vertex <= _polygon->GetNbPoints());
  return Position(vertex);
}

KelMathVector KelCldGeometryUtil::GetVertexNormal(const int vertex) const
{
  KelAssert(_polygon);
  KelAssert(vertex >= 1 && vertex <= _polygon->GetNbPoints());
  double normal[3];
  _polygon->GetVertexNormal(vertex, normal, 1);
  return UnitVector(normal);
}

KelMathVector KelCldGeometryUtil::GetTriangleNormal(const int triangle) const
{
  KelAssert(_polygon);
  KelAssert(triangle >= 1 && triangle <= _polygon->GetNbTriangles());
  double normal[3];
  _polygon->GetTriangleNormal(triangle, normal, 1);
  return UnitVector(normal);
}

KelMathVector KelCldGeometryUtil::GetEdgeNormal(const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  KelAssert(vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints());
  KelAssert(vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints());
  int triangle0 = 0, triangle1 = 0;
  _polygon->GetEdgeTriangles(vertex0, vertex1, triangle0, triangle1);
  KelMathVector sum;
  if (triangle0) sum += GetTriangleNormal(triangle0);
  if (triangle1) sum += GetTriangleNormal(triangle1);
  sum.Normalize();
  return sum;
}

int KelCldGeometryUtil::GetMeshPointNormal(const KelCldMeshPoint& iPoint, KelMathVector& oNormal) const
{
  KelAssert(_polygon);
  int index0 = 0, index1 = 0;
  if (iPoint.GetVertex(index0)) {
    oNormal = GetVertexNormal(index0);
    return 1;
  }
  if (iPoint.GetEdge(index0, index1)) {
    oNormal = GetEdgeNormal(index0, index1);
    return 1;
  }
  if (iPoint.GetTriangle(index0)) {
    oNormal = GetTriangleNormal(index0);
    return 1;
  }
  return 0;
}

void KelCldGeometryUtil::GetPoints(const int triangle, KelMathPoint& oPoint0, KelMathPoint& oPoint1,
                                   KelMathPoint& oPoint2) const
{
  KelMathPoint corners[3];
  Corners(triangle, corners);
  oPoint0 = corners[0];
  oPoint1 = corners[1];
  oPoint2 = corners[2];
}

// ---------------------------------------------------------------------------------------------
// Points on a triangle

int KelCldGeometryUtil::GetVertexFromPoint(const int triangle, const KelMathPoint& iPoint) const
{
  KelMathPoint corners[3];
  int vertices[3];
  Corners(triangle, corners, vertices);
  for (int i = 0; i < 3; ++i)
    if (corners[i].SquareDistanceTo(iPoint) < kSnapSquareDistance) return vertices[i];
  return 0;
}

int KelCldGeometryUtil::GetEdgeFromPoint(const int triangle, const KelMathPoint& iPoint) const
{
  KelMathPoint corners[3];
  Corners(triangle, corners);
  for (int i = 0; i < 3; ++i)
    if (KelMathLine(corners[i], corners[(i + 1) % 3]).SquareDistanceTo(iPoint) < kSnapSquareDistance) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Edges

double KelCldGeometryUtil::GetEdgeLength(const int vertex0, const int vertex1) const
{
  KelAssert(_polygon);
  KelAssert(vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints());
  KelAssert(vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints());
  return Position(vertex0).DistanceTo(Position(vertex1));
}

int KelCldGeometryUtil::GetMaximumEdge(const int triangle) const
{
  KelMathPoint p[3];
  Corners(triangle, p);
  return ExtremeEdge(p[0].SquareDistanceTo(p[1]), p[1].SquareDistanceTo(p[2]), p[2].SquareDistanceTo(p[0]),
                     [](double a, double b) { return a < b; });
}

int KelCldGeometryUtil::GetMinimumEdge(const int triangle) const
{
  KelMathPoint p[3];
  Corners(triangle, p);
  return ExtremeEdge(p[0].SquareDistanceTo(p[1]), p[1].SquareDistanceTo(p[2]), p[2].SquareDistanceTo(p[0]),
                     [](double a, double b) { return a > b; });
}

KelBoolean KelCldGeometryUtil::IsMaximumEdge(const int triangle, const int vertex0, const int vertex1) const
{
  if (!_topologyUtil) return FALSE;
  int edge0 = 0, edge1 = 0;
  _topologyUtil->GetEdgeVertices(triangle, GetMaximumEdge(triangle), edge0, edge1);
  return KelCldTopologyUtil::EdgeEqual(edge0, edge1, vertex0, vertex1);
}

// ---------------------------------------------------------------------------------------------
// Angles and area

void KelCldGeometryUtil::GetAngles(const int triangle, double& oAngle0, double& oAngle1, double& oAngle2) const
{
  KelMathPoint p[3];
  Corners(triangle, p);
  KelCldTriangleUtil::GetTriangleAngles(p[0], p[1], p[2], &oAngle0, &oAngle1, &oAngle2);
}

void KelCldGeometryUtil::GetSortedAngles(const int triangle, double& oMax, double& oMid, double& oMin, int& oMaxIndex,
                                         int& oMidIndex, int& oMinIndex) const
{
  double a[3];
  GetAngles(triangle, a[0], a[1], a[2]);
  if (a[0] > a[1] && a[0] > a[2]) {
    oMaxIndex = 0;
    oMidIndex = a[1] > a[2] ? 1 : 2;
  } else if (a[1] > a[0] && a[1] > a[2]) {
    oMaxIndex = 1;
    oMidIndex = a[0] > a[2] ? 0 : 2;
  } else if (a[0] == a[1] && a[0] > a[2]) {
    oMaxIndex = 0;
    oMidIndex = 1;
  } else {
    oMaxIndex = 2;
    oMidIndex = a[0] > a[1] ? 0 : 1;
  }
  oMinIndex = 3 - oMaxIndex - oMidIndex;
  oMax = a[oMaxIndex];
  oMid = a[oMidIndex];
  oMin = a[oMinIndex];
}

void KelCldGeometryUtil::GetSortedAngles(const int triangle, double& oMax, double& oMid, double& oMin) const
{
  int maxIndex, midIndex, minIndex;
  GetSortedAngles(triangle, oMax, oMid, oMin, maxIndex, midIndex, minIndex);
}

void KelCldGeometryUtil::GetMaximumAngle(const int triangle, int& oIndex, double& oAngle) const
{
  double a[3];
  GetAngles(triangle, a[0], a[1], a[2]);
  int vertexIndex = -1;
  if (a[0] >= a[1] && a[0] >= a[2])
    vertexIndex = 0;
  else if (a[1] >= a[0] && a[1] >= a[2])
    vertexIndex = 1;
  else
    vertexIndex = 2;
  KelAssert(vertexIndex >= 0);
  oIndex = vertexIndex;
  oAngle = a[vertexIndex];
}

void KelCldGeometryUtil::GetMinimumAngle(const int triangle, int& oIndex, double& oAngle) const
{
  double a[3];
  GetAngles(triangle, a[0], a[1], a[2]);
  int vertexIndex = -1;
  if (a[0] <= a[1] && a[0] <= a[2])
    vertexIndex = 0;
  else if (a[1] <= a[0] && a[1] <= a[2])
    vertexIndex = 1;
  else
    vertexIndex = 2;
  KelAssert(vertexIndex >= 0);
  oIndex = vertexIndex;
  oAngle = a[vertexIndex];
}

double KelCldGeometryUtil::GetTriangleArea(const int triangle) const
{
  KelMathPoint p[3];
  Corners(triangle, p);
  return KelCldTriangleUtil::GetTriangleArea(p[0], p[1], p[2]);
}

// ---------------------------------------------------------------------------------------------
// Projection

int KelCldGeometryUtil::ProjectPoint(const KelMathPoint& iPoint, KelCldMeshPoint& oMeshPoint) const
{
  KelAssert(_polygon);
  KelMathPoint projection;
  int index1 = 0, index2 = 0;
  switch (_polygon->ProjectPoint(iPoint, projection, index1, index2)) {
    case KelCldProjectionOnVertex:
      oMeshPoint.SetPosition(Position(index1));
      oMeshPoint.SetVertex(index1);
      return 1;
    case KelCldProjectionOnEdge:
      // Onto the edge's own line, so that the position lies on the edge in double precision.
      oMeshPoint.SetPosition(KelMathLine(Position(index1), Position(index2)).Projection(projection));
      oMeshPoint.SetEdge(index1, index2);
      return 1;
    case KelCldProjectionOnTriangle:
      oMeshPoint.SetPosition(projection);
      oMeshPoint.SetTriangle(index1);
      return 1;
    default:
      return 0;
  }
}
