#ifndef KelCldTopologyUtil_h
#define KelCldTopologyUtil_h
// Neighbourhood queries on a cloud polygon: vertices and neighbours of triangles, rings and
// fans around vertices, triangles of edges, free (hole) edges and walks along them, and whether
// points on the mesh share a triangle.
//
// - Nothing is cached: every answer is read from the polygon's own neighbourhood structure, so
//   it reflects the polygon as it is now. Orders are the polygon's (triangles around a vertex
//   by increasing number, rings as the polygon lists them).
// - While the utility lives the polygon reports itself optimized; the destructor unoptimizes
//   it again only when it was not optimized at construction, so utilities nest. The utility
//   holds a reference on the polygon.
// - A free (hole) edge has fewer than two triangles; a non-manifold edge reads as free, as in
//   the polygon. A hole vertex has at least one free edge to a ring-1 neighbour.
// - A triangle's edge i runs from v[i] to v[(i+1) mod 3]; neighbour i is across edge i.
// - Broken preconditions (null polygon, triangle or vertex out of range) are fatal; the
//   CheckSameTriangle family, GetNextVertex, GetPreviousVertex, GetEdge, GetTriangle,
//   NextVertexAndTriangle, GetNextHoleVertex(vertex) and the IsA... predicates answer 0 on a
//   null polygon instead.
//   Queries that find nothing leave their outputs as they were, unless they say otherwise.
// - GetNextHoleEdge, handed an edge that is not free, would turn around a closed fan forever:
//   it gives up after GetNbTriangles(1) + 1 steps and returns FALSE with its arguments
//   unchanged, like any other failed walk. GetNextHoleVertex(vertex0, vertex1) inherits this.

#include "KelBaseUnknown.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelCldMeshPoint;
class KelCldPolygon;
class KelMathLine;
class KelMathPoint;

class KelCldTopologyUtil : public KelBaseUnknown {
  KelDeclareClass

public:
  explicit KelCldTopologyUtil(KelCldPolygon* iPolygon);
  ~KelCldTopologyUtil() override;
  KelCldTopologyUtil(const KelCldTopologyUtil&) = delete;
  KelCldTopologyUtil& operator=(const KelCldTopologyUtil&) = delete;

  // ---- Triangles ----
  // Three entries each, in stored order.
  void GetVertices(const int triangle, int* oVertices) const;
  void GetNeighbors(const int triangle, int* oNeighbors) const;
  void GetOrientation(const int triangle, unsigned char& oOrientation) const;
  // The vertex not on the edge (either direction); 0 when the edge is not the triangle's.
  int GetOppositeVertex(const int triangle, const int vertex0, const int vertex1) const;
  // For vertex v[i]: v[i+1], v[i+2].
  KelBoolean GetOppositeEdge(const int triangle, const int vertex, int& oVertex0, int& oVertex1) const;
  void GetEdgeVertices(const int triangle, const int edge, int& oVertex0, int& oVertex1) const;
  // First edge index equal to the pair in either direction; FALSE at once for triangle 0.
  KelBoolean GetEdgeIndex(const int triangle, const int vertex0, const int vertex1, int& oEdge) const;
  // Position 0..2 (the last one for a repeated vertex).
  KelBoolean GetVertexIndex(const int triangle, const int vertex, int& oIndex) const;
  int GetNextVertex(const int triangle, const int vertex) const;
  int GetPreviousVertex(const int triangle, const int vertex) const;
  // +1 when the triangle runs vertex0 -> vertex1, -1 for the other way, 0 when not its edge.
  int GetEdgeOrientation(const int triangle, const int vertex0, const int vertex1) const;
  // The edge shared by two neighbours, oriented as in triangle0: returns the number of edges
  // of triangle0 facing triangle1 (normally 1). 0 when they are not neighbours (outputs
  // untouched) or when triangle1 runs the edge the same way (outputs zeroed).
  int GetEdge(const int triangle0, const int triangle1, int& oVertex0, int& oVertex1) const;
  KelBoolean IsAVertexOf(const int triangle, const int vertex) const;
  KelBoolean IsAnEdgeOf(const int triangle, const int vertex0, const int vertex1) const;
  // Triangle 0 ("none") is nobody's neighbour, even across a free edge.
  KelBoolean IsANeighborOf(const int triangle0, const int triangle1) const;
  static KelBoolean EdgeEqual(const int a0, const int a1, const int b0, const int b1);

  // ---- Rings and fans ----
  void GetNeighborVertices(const int vertex, KelRawCollint& oVertices) const;
  // Rings 1..iDepth, ring after ring (the vertex itself is left out).
  void GetNeighborVertices(const int vertex, const int iDepth, KelRawCollint& oVertices) const;
  void GetFirstNeighborTriangles(const int vertex, KelRawCollint& oTriangles) const;
  // The triangles touching the ring-1 vertices without containing the vertex, walked from its
  // first triangle in one direction; on an open fan only the part reached before the boundary,
  // and nothing when the first triangle's opposite edge is free. The walk passes around each
  // ring vertex in turn, so a triangle touching two ring vertices that are not consecutive
  // around the vertex is listed once per pass that meets it.
  void GetSecondNeighborTriangles(const int vertex, KelRawCollint& oTriangles) const;
  // The triangles touching the four vertices of an interior edge's two triangles, those two
  // excepted, by the same kind of walk; empty for a free edge.
  void GetSecondNeighborTriangles(const int vertex0, const int vertex1, KelRawCollint& oTriangles) const;
  // One step of a turn around pivot: from ioTriangle, which has the edge (pivot, ioVertex),
  // across its other edge at pivot. ioVertex becomes that edge's other end and ioTriangle the
  // triangle across it (0 across a free edge, after which the next step fails).
  KelBoolean NextVertexAndTriangle(const int pivot, int& ioVertex, int& ioTriangle) const;

  // ---- Holes ----
  KelBoolean IsValidEdge(const int vertex0, const int vertex1) const;
  // TRUE also for two vertices that share no triangle.
  KelBoolean IsHoleEdge(const int vertex0, const int vertex1) const;
  KelBoolean IsHoleVertex(const int vertex) const;
  KelBoolean IsHoleMeshPoint(const KelCldMeshPoint& iPoint) const;
  // The free edges of the triangle as vertex pairs in edge order; all six entries written.
  int GetHoleEdges(const int triangle, int* oEdges) const;
  // The first ring-1 neighbour joined to the vertex by a free edge; 0 if none.
  int GetNextHoleVertex(const int vertex) const;
  // Along the hole of the free edge (vertex0, vertex1), the vertex after vertex0 away from
  // vertex1; 0 unless the edge has exactly one triangle.
  int GetNextHoleVertex(const int vertex0, const int vertex1) const;
  // From the free edge (ioVertex0, ioVertex1) of ioTriangle to the next free edge at
  // ioVertex1: (ioVertex1, C) inside its triangle.
  KelBoolean GetNextHoleEdge(int& ioTriangle, int& ioVertex0, int& ioVertex1) const;

  // ---- Triangles shared by elements and mesh points (0: none) ----
  int CheckSameTriangleVertexVertex(const int vertex0, const int vertex1) const;
  int CheckSameTriangleVertexEdge(const int vertex, const int vertex0, const int vertex1) const;
  int CheckSameTriangleVertexTriangle(const int vertex, const int triangle) const;
  int CheckSameTriangleEdgeEdge(const int a0, const int a1, const int b0, const int b1) const;
  int CheckSameTriangleEdgeTriangle(const int vertex0, const int vertex1, const int triangle) const;
  int CheckSameTriangleMeshPointVertex(const KelCldMeshPoint& iPoint, const int vertex) const;
  int CheckSameTriangleMeshPointEdge(const KelCldMeshPoint& iPoint, const int vertex0, const int vertex1) const;
  int CheckSameTriangleMeshPointTriangle(const KelCldMeshPoint& iPoint, const int triangle) const;
  int SameTriangle(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1) const;
  // Decided from the points alone: two vertex points always share an edge.
  static KelBoolean SameEdge(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1);
  // A triangle containing the point.
  int GetTriangle(const KelCldMeshPoint& iPoint) const;

  // ---- Sets (each element once, increasing) ----
  // 1, or 0 when the polygon is null or the flags cannot be allocated (output untouched).
  int GetTrianglesFromVertices(const KelRawCollint& iVertices, KelRawCollint& oTriangles) const;
  void GetVerticesFromTriangles(const KelRawCollint& iTriangles, KelRawCollint& oVertices) const;

private:
  // The first ring-1 neighbour across a free edge, 0 if none; asserts the vertex like
  // IsHoleVertex, which is this test.
  int HoleNeighbor(const int vertex) const;
  // A step that fails counts as reaching a free edge.
  void TurnOnce(const int iPivot, int& ioVertex, int& ioTriangle) const;
  // Turns around iPivot from ioLast, entered through its edge (iPivot, ioVertex), appending the
  // triangles met before iStop; ioLast becomes the last one appended. FALSE when the turn
  // ends on a free edge instead of iStop.
  KelBoolean AppendFan(const int iPivot, const int iStop, int& ioVertex, int& ioLast, KelRawCollint& ioTriangles) const;

  KelCldPolygon* _polygon;
  KelBoolean _wasOptimized;
};

// Equal within 0.001 per coordinate, or one millionth of iPoint0's largest (signed)
// coordinate when that is beyond 1000.
KelBoolean KelCldComparePoints(const KelMathPoint& iPoint0, const KelMathPoint& iPoint1);
// The point against its orthogonal projection on the line.
KelBoolean KelCldComparePointToLine(const KelMathPoint& iPoint, const KelMathLine& iLine);

#endif
