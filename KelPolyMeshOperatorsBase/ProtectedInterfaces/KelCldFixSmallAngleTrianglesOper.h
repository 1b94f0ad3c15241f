#ifndef KelCldFixSmallAngleTrianglesOper_h
#define KelCldFixSmallAngleTrianglesOper_h
// Repairs triangles with an angle below a tolerance. Caps (one angle near 180 degrees, two
// tiny ones) get their long edge flipped, or are removed when that edge is free; needles (one
// tiny angle) get their short edge contracted by the edge contraction operator with normal
// checks off.
//
// Each entry operation sets the operator up on the polygon and cleans up before it returns;
// only the tolerance persists between calls. Caps that cannot be flipped and needles whose
// contraction is refused are left as they are.

#include "KelCldTopologicalOper.h"

class KelCldEdgeCollapseOper;
class KelCldGeometryUtil;
class KelCldPolygon;
class KelCldTopologyUtil;

class KelCldFixSmallAngleTrianglesOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  KelCldFixSmallAngleTrianglesOper();
  ~KelCldFixSmallAngleTrianglesOper() override;
  KelCldFixSmallAngleTrianglesOper(const KelCldFixSmallAngleTrianglesOper&) = delete;
  KelCldFixSmallAngleTrianglesOper& operator=(const KelCldFixSmallAngleTrianglesOper&) = delete;

  // Radians: an angle strictly below it is small.
  void SetTolerance(const double iTolerance) { _tolerance = iTolerance; }
  double GetTolerance() const { return _tolerance; }

  // FALSE for a null polygon; otherwise holds it and builds the utilities and the contraction
  // operator on it.
  KelBoolean Setup(KelCldPolygon* iPolygon);
  void Cleanup();

  KelBoolean HasSmallAngle(const int iTriangle) const;
  // Appends, in input order, the valid triangles with a small angle.
  void GetSmallAngleTriangles(const KelRawCollint& iTriangles, KelRawCollint& oTriangles);
  void ClassifyTriangles(const KelRawCollint& iTriangles, KelRawCollint& oCaps, KelRawCollint& oNeedles) const;

  // Whether the long edge of cap iTriangle may be flipped: it has a neighbour across it that
  // is not itself in iCaps. oIndex is the corner of the largest angle, oAngle that angle.
  KelBoolean OkToFlip(const KelRawCollint& iCaps, const int iTriangle, int& oIndex, double& oAngle) const;
  // Flips the edge opposite corner iIndex, or removes the triangle when the edge is free.
  KelBoolean FlipEdge(const int iTriangle, const int iIndex);
  void FlipEdges(const KelRawCollint& iCaps);
  // Contracts the short edge of needle iTriangle; the removed triangles leave ioNeedles and
  // are appended to oRemoved, and the triangles around the kept vertex that no longer have a
  // small angle leave ioNeedles.
  KelBoolean CollapseEdge(KelRawCollint& ioNeedles, const int iTriangle, KelRawCollint& oRemoved);
  void CollapseEdges(const KelRawCollint& iNeedles, KelRawCollint& oRemoved);
  KelBoolean InternalRun(const KelRawCollint& iTriangles, KelRawCollint& oRemoved);

  KelBoolean Run(KelCldPolygon* iPolygon) override;
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override;
  // Appends the triangles removed by contractions to oRemoved.
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles, KelRawCollint& oRemoved);
  // Clears oTriangles, then lists every valid triangle with a small angle.
  void GetSmallAngleTriangles(KelCldPolygon* iPolygon, KelRawCollint& oTriangles);
  using KelCldOper::Run;

private:
  double _tolerance;
  KelCldGeometryUtil* _geometryUtil;
  KelCldTopologyUtil* _topologyUtil;
  KelCldPolygon* _polygon;
  KelCldEdgeCollapseOper* _edgeCollapse;
  int _nbTriangles;
};

#endif
