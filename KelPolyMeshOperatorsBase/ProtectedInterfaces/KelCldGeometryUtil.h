#ifndef KelCldGeometryUtil_h
#define KelCldGeometryUtil_h
// Geometric queries on a cloud polygon by vertex and triangle number: positions, normals,
// which corner or edge of a triangle a point lies on, edge lengths, extreme edges and angles,
// areas, the normal at a mesh point and the projection of a point onto the mesh.
//
// - Built on one polygon for one operator run. It holds a reference on the polygon and keeps
//   it optimized while it lives; the destructor unoptimizes it only when it was not optimized
//   at construction, so utilities nest.
// - Positions are the polygon's single-precision coordinates widened to double, read in place.
// - Normals are unit length, or zero where the geometry gives no direction.
// - A triangle's corner i is its vertex i in stored order, edge i runs from corner i to corner
//   (i+1) mod 3 and angle i is the angle at corner i. Ties between equal edges or angles go to
//   the lower index, except as each operation says.
// - Broken preconditions are fatal: a null polygon ("AssertionFailed:_polygon") and vertex or
//   triangle numbers outside 1..GetNbPoints() / 1..GetNbTriangles().

#include "KelBaseUnknown.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"
#include "KelPlatformTypes.h"

class KelCldMeshPoint;
class KelCldPolygon;
class KelCldTopologyUtil;

class KelCldGeometryUtil : public KelBaseUnknown {
  KelDeclareClass

public:
  explicit KelCldGeometryUtil(KelCldPolygon* iPolygon);
  ~KelCldGeometryUtil() override;
  KelCldGeometryUtil(const KelCldGeometryUtil&) = delete;
  KelCldGeometryUtil& operator=(const KelCldGeometryUtil&) = delete;

  // ---- Positions and normals ----
  KelMathPoint GetVertexPoint(const int vertex) const;
  KelMathVector GetVertexNormal(const int vertex) const;
  KelMathVector GetTriangleNormal(const int triangle) const;
  // Normalised sum of the unit normals of the edge's (up to two) triangles.
  KelMathVector GetEdgeNormal(const int vertex0, const int vertex1) const;
  // Vertex, edge or triangle normal by the point's type; 0 (normal untouched) for another type.
  int GetMeshPointNormal(const KelCldMeshPoint& iPoint, KelMathVector& oNormal) const;
  void GetPoints(const int triangle, KelMathPoint& oPoint0, KelMathPoint& oPoint1, KelMathPoint& oPoint2) const;

  // ---- Points on a triangle ----
  // The first corner in stored order closer than 0.0001 to the point (not the nearest one);
  // 0 if none.
  int GetVertexFromPoint(const int triangle, const KelMathPoint& iPoint) const;
  // The first edge index whose infinite line (not the segment) passes closer than 0.0001 to
  // the point; -1 if none.
  int GetEdgeFromPoint(const int triangle, const KelMathPoint& iPoint) const;

  // ---- Edges ----
  double GetEdgeLength(const int vertex0, const int vertex1) const;
  // Edge index 0..2, compared by squared length; two longest (shortest) edges of equal length
  // give 0 when they are edges 0 and 1, else 2.
  int GetMaximumEdge(const int triangle) const;
  int GetMinimumEdge(const int triangle) const;
  // The triangle's longest edge is vertex0-vertex1, in either direction.
  KelBoolean IsMaximumEdge(const int triangle, const int vertex0, const int vertex1) const;

  // ---- Angles (radians) and area ----
  void GetAngles(const int triangle, double& oAngle0, double& oAngle1, double& oAngle2) const;
  // Decreasing order with the corner of each; of two equal angles below the third the higher
  // corner comes first, of two equal angles above it corner 0 does.
  void GetSortedAngles(const int triangle, double& oMax, double& oMid, double& oMin, int& oMaxIndex, int& oMidIndex,
                       int& oMinIndex) const;
  void GetSortedAngles(const int triangle, double& oMax, double& oMid, double& oMin) const;
  void GetMaximumAngle(const int triangle, int& oIndex, double& oAngle) const;
  void GetMinimumAngle(const int triangle, int& oIndex, double& oAngle) const;
  double GetTriangleArea(const int triangle) const;

  // ---- Projection ----
  // The nearest point of the mesh as a vertex, edge or triangle point (position set first);
  // 1, or 0 with the mesh point untouched when the mesh has no triangle.
  int ProjectPoint(const KelMathPoint& iPoint, KelCldMeshPoint& oMeshPoint) const;

private:
  // Position of a point number, read in place from the polygon's coordinate array.
  KelMathPoint Position(const int iVertex) const;
  // The triangle's corner positions, and its vertices when oVertices is given; asserts the
  // polygon and the triangle number.
  void Corners(const int triangle, KelMathPoint oCorners[3], int oVertices[3] = nullptr) const;

  KelCldPolygon* _polygon;
  KelCldTopologyUtil* _topologyUtil;
  KelBoolean _wasOptimized;
};

#endif
