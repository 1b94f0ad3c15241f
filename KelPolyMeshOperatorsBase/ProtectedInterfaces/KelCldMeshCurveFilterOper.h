#ifndef KelCldMeshCurveFilterOper_h
#define KelCldMeshCurveFilterOper_h
// Removes redundant middle points from mesh curves, in place: a point whose two neighbours
// already share its edge or its triangle, and the edge point of a detour from a vertex out to
// one of its edges and back. Curves projected from sampled points carry many such points.
//
// For three consecutive points p, q, r, q goes when (types in that order):
//   edge, vertex, edge     p, q and r lie on one edge (q at one of its ends);
//   vertex, edge, vertex   p and r are the same vertex, an end of q's edge (the vertex then
//                          stays twice in a row);
//   edge, triangle, edge   p and r both lie on q's triangle;
//   edge, edge, edge       the three points are on one edge.
// Removals repeat until none applies; end points never go, so a regular curve stays regular
// with the same ends.
//
// The operator holds the polygon and keeps it optimized while it lives. Built on a null
// polygon it can only filter empty lists: filtering a curve is the fatal
// "AssertionFailed:_topologyUtil".

#include "KelBaseUnknown.h"

class KelCldMeshCurve;
class KelCldMeshPoint;
class KelCldPolygon;
class KelCldTopologyUtil;
class KelListPtrKelCldMeshCurve;

class KelCldMeshCurveFilterOper : public KelBaseUnknown {
  KelDeclareClass

public:
  explicit KelCldMeshCurveFilterOper(KelCldPolygon* iPolygon);
  ~KelCldMeshCurveFilterOper() override;
  KelCldMeshCurveFilterOper(const KelCldMeshCurveFilterOper&) = delete;
  KelCldMeshCurveFilterOper& operator=(const KelCldMeshCurveFilterOper&) = delete;

  // 1 when filtered (a curve of fewer than three points is left as it is), 0 for a null curve.
  int FilterMeshCurve(KelCldMeshCurve* ioCurve) const;
  // Filters in list order and stops at the first curve that gives 0; the last result, 1 for an
  // empty list.
  int Run(const KelListPtrKelCldMeshCurve& ioCurves) const;
  int Run(KelCldMeshCurve* ioCurve) const;

private:
  // The rule for the points (p, q, r) says q is redundant.
  int IsRedundant(const KelCldMeshPoint& iP, const KelCldMeshPoint& iQ, const KelCldMeshPoint& iR) const;

  KelCldPolygon* _polygon = nullptr;
  bool _wasOptimized = false;
  KelCldTopologyUtil* _topologyUtil = nullptr;
};

#endif
