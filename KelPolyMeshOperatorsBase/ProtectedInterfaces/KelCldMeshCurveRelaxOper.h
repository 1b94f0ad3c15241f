#ifndef KelCldMeshCurveRelaxOper_h
#define KelCldMeshCurveRelaxOper_h
// Snaps edge points of mesh curves that lie very near one end of their edge onto that vertex,
// in place, so that curves passing close to mesh vertices go through them exactly.
//
// - Tolerance for an edge of length L: max(KelCldDistanceEpsilon, 0.001 * L), strict (a point
//   at exactly the tolerance stays). A point within it of both ends goes to the first vertex
//   of its edge pair.
// - Consecutive points that become the same vertex are merged (RemoveDuplicates). A vertex
//   lies in every triangle of its edges, so a regular curve stays regular.
// - Run collects snap candidates curve after curve into one list that is never emptied, so a
//   curve also snaps toward vertices found on the curves before it.
// - Edge points naming a vertex the polygon does not have are left alone.
// - The operator holds the polygon. Built on a null polygon it can only relax empty lists:
//   GetVertices and Relax on a curve are the fatal "AssertionFailed:_geometryUtil".

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

class KelCldGeometryUtil;
class KelCldMeshCurve;
class KelCldMeshPoint;
class KelCldPolygon;
class KelListPtrKelCldMeshCurve;

class KelCldMeshCurveRelaxOper : public KelBaseUnknown {
  KelDeclareClass

public:
  explicit KelCldMeshCurveRelaxOper(KelCldPolygon* iPolygon);
  ~KelCldMeshCurveRelaxOper() override;
  KelCldMeshCurveRelaxOper(const KelCldMeshCurveRelaxOper&) = delete;
  KelCldMeshCurveRelaxOper& operator=(const KelCldMeshCurveRelaxOper&) = delete;

  // Null entries are skipped. Returns 1.
  int Run(const KelListPtrKelCldMeshCurve& ioCurves) const;
  // Appends to ioVertices, each once, the vertices that an edge point of the curve is close
  // enough to snap to. 0 for a null or empty curve.
  int GetVertices(KelCldMeshCurve* iCurve, KelRawCollint& ioVertices) const;
  // Snaps the curve's edge points that are close enough to the vertex. 0 for a null curve.
  int Relax(KelCldMeshCurve* ioCurve, const int iVertex) const;
  // Relax for each vertex in order, stopping at the first 0; 1 for an empty list, 0 for a null
  // curve.
  int Relax(KelCldMeshCurve* ioCurve, const KelRawCollint& iVertices) const;

private:
  // For an edge point whose vertices the polygon has: its two vertices in stored order and
  // whether the point lies within the snap tolerance of each. False for any other point.
  bool NearEnds(const KelCldMeshPoint& iPoint, int oEnds[2], bool oNear[2]) const;

  KelCldPolygon* _polygon = nullptr;
  KelCldGeometryUtil* _geometryUtil = nullptr;
};

#endif
