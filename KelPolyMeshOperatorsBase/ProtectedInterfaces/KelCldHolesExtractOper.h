#ifndef KelCldHolesExtractOper_h
#define KelCldHolesExtractOper_h
// Finds the holes of a polygon: every closed loop of free edges, as a mesh curve of vertex
// points that repeats its first point as its last (a loop of n vertices gives n + 1 points).
//
// - Triangles are scanned in increasing number; a valid triangle that is on no hole yet and
//   has a free edge starts a hole at its first free edge, in the triangle's direction. Holes
//   therefore come in the order of their lowest-numbered triangle and run like the triangles
//   along them.
// - Free edges are the topology utility's: an edge with more than two triangles reads as free
//   in each of them. A walk along such a boundary can come back to its start edge in another
//   triangle of the edge, so a hole closes only when the walk is back at its start triangle
//   AND its start edge; until then the walk goes on, and the hole may pass that edge twice.
// - A triangle may lie on several holes (its flag keeps the first). On a mesh whose triangles
//   are not degenerate the walks partition the free edges: every free edge of a triangle lies
//   on the hole that first reaches the triangle.
// - Walks are bounded: a walk stops when it comes back to a triangle edge it has already taken
//   in the same direction without having closed (possible only around triangles that repeat a
//   vertex), or when the topology utility cannot find the next free edge. Such a hole stays in
//   the list as an open curve (its first point is not repeated) and does not count as closed.
//   No real mesh therefore stops the extraction; the remaining fatal assertions are broken
//   calling sequences.
// - Run hands out the curves with one new reference each; the operator releases its own at
//   Finalize.

#include <vector>

#include "KelCldOper.h"
#include "KelListOfKelCldMeshCurves.h"

class KelCldTopologyUtil;

class KelCldHolesExtractOper : public KelCldOper {
  KelDeclareClass

public:
  KelCldHolesExtractOper();
  // Fatal "AssertionFailed:_CldPolygon == NULL" / "AssertionFailed:_PolyTopo == NULL" between
  // Initialize and Finalize.
  ~KelCldHolesExtractOper() override;
  KelCldHolesExtractOper(const KelCldHolesExtractOper&) = delete;
  KelCldHolesExtractOper& operator=(const KelCldHolesExtractOper&) = delete;

  // Appends every hole of the polygon to oHoles (not emptied first). TRUE, also for a null
  // polygon (nothing found).
  KelBoolean Run(KelCldPolygon* iPolygon, KelListPtrKelCldMeshCurve& oHoles);
  using KelCldOper::Run;

  // Holds the polygon and a topology utility on it, and finds all holes. Nothing for null.
  void Initialize(KelCldPolygon* iPolygon);
  // Releases the holes, the utility and the polygon.
  void Finalize();
  // The number of holes that closed.
  int FindAllHoles();
  // Walks one hole from the free edge (firstVertex, secondVertex) of startTriangle, which must
  // be on no hole yet; TRUE when the loop closed. A curve that cannot be allocated gives FALSE.
  KelBoolean ConstructHole(const int startTriangle, const int firstVertex, const int secondVertex);

  // The holes found so far, owned by the operator.
  const KelListPtrKelCldMeshCurve& GetHoles() const { return _holes; }

private:
  void ClearAllHoles();
  // Identifies the triangle's edge (iVertex0, iVertex1) with its direction; -1 when it is not
  // an edge of the triangle.
  int DirectedEdgeKey(const int iTriangle, const int iVertex0, const int iVertex1) const;

  KelCldPolygon* _CldPolygon;
  KelCldTopologyUtil* _PolyTopo;
  KelRawCollint _TriangleFlags;  // 0, or the first hole through the triangle
  KelListPtrKelCldMeshCurve _holes;
  std::vector<int> _edgeWalks;   // per directed triangle edge: the last hole that took it
};

#endif
