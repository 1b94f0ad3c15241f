#ifndef KelCldRegularizeHoleOper_h
#define KelCldRegularizeHoleOper_h
// Boundary curves of a hole: the two curves that join two points of a hole, one each way
// around it, or the whole hole through one point as a closed curve. Points on a hole are
// vertex points on a hole vertex or edge points on a free edge; their curves are made of
// vertex points on the hole's vertices, the given points themselves at the ends.
//
// - Bound to one polygon for its lifetime; keeps it optimized while it lives and never
//   changes it, only the curves it is given.
// - Walks follow the topology utility's GetNextHoleVertex, which needs free edges with a
//   single triangle: a walk that reaches an edge of several triangles, or that does not come
//   back within as many steps as the polygon has triangle edges, fails.
// - Points that are not on a hole, points on different holes and walks that cannot continue
//   give false; the curves are then left as they were.
// - Broken preconditions are fatal: null curves, missing utilities, non-positive vertices,
//   points that are neither vertex nor edge points, and curves that are not regular at the
//   end of the two-curve Run.

#include "KelCldOper.h"

class KelCldGeometryUtil;
class KelCldMeshCurve;
class KelCldMeshPoint;
class KelCldTopologyUtil;

class KelCldRegularizeHoleOper : public KelCldOper {
  KelDeclareClass

public:
  explicit KelCldRegularizeHoleOper(KelCldPolygon* iPolygon);
  ~KelCldRegularizeHoleOper() override;
  KelCldRegularizeHoleOper(const KelCldRegularizeHoleOper&) = delete;
  KelCldRegularizeHoleOper& operator=(const KelCldRegularizeHoleOper&) = delete;

  // Walks along the hole from iVertex0, away from its hole neighbour iVertex1, appending each
  // vertex to oVertices (iVertex0 first) until it meets meshPoint's vertex or one of its edge's
  // vertices; false when it comes back to iVertex0 or cannot go on.
  bool TraverseHole(const int iVertex0, const int iVertex1, const KelCldMeshPoint& meshPoint,
                    KelRawCollint& oVertices) const;
  // meshCurve0 and meshCurve1 become the boundary from iStart to iEnd one way and the other
  // way round the hole; both are rebuilt only when both walks succeed.
  bool Run(const KelCldMeshPoint& iStart, const KelCldMeshPoint& iEnd, KelCldMeshCurve* meshCurve0,
           KelCldMeshCurve* meshCurve1);
  // Appends the whole hole through iStart to oCurve, closed: a, ..., a for a vertex start on
  // a, and iStart, a, ..., b, iStart for an edge start on (a, b).
  bool Run(const KelCldMeshPoint& iStart, KelCldMeshCurve* oCurve);
  using KelCldOper::Run;
  // Both points lie on the same hole.
  bool SameHole(const KelCldMeshPoint& iPoint0, const KelCldMeshPoint& iPoint1);

private:
  // The start edge (a, b) of a walk from iPoint: its edge, or its vertex and that vertex's
  // first hole neighbour.
  void GetStartEdge(const KelCldMeshPoint& iPoint, int& oVertex0, int& oVertex1) const;
  void AppendVertexPoints(const KelRawCollint& iVertices, KelCldMeshCurve& ioCurve) const;
  // The most steps a walk can take before it must have come back.
  int GetWalkLimit() const;

  KelCldPolygon* _polygon;
  KelBoolean _wasOptimized;
  KelCldGeometryUtil* _geometryUtil;
  KelCldTopologyUtil* _topologyUtil;
};

#endif
