#ifndef KelCldEdgeCollapseOper_h
#define KelCldEdgeCollapseOper_h
// One edge contraction: the removed vertex D is merged into the kept vertex K, whose triangles
// then meet at a target point, after checks that the mesh stays manifold (at most two
// triangles on the edge, the link condition, no pinch between two holes) and that no
// surrounding triangle flips, turns steeply or degenerates.
//
// - The collapse queue calls PairContraction once per step, so a contraction works only on the
//   neighbourhood of the edge and allocates nothing once its scratch lists have grown.
// - A refused contraction returns 0 and leaves the polygon untouched. A performed one removes
//   the edge's triangles, re-points D's other triangles to K and removes D; K keeps its
//   position (the caller moves it to the target).
// - Hole vertices are flagged once, when the operator is set on a polygon: the flags describe
//   the polygon as it was then.

#include <cstddef>
#include <vector>

#include "KelCldTopologicalOper.h"
#include "KelMathPoint.h"

class KelCldGeometryUtil;
class KelCldPolygon;
class KelCldTopologyUtil;

class KelCldEdgeCollapseOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  // A null polygon leaves the operator unset; otherwise SetPolyMesh(iPolygon, 1).
  explicit KelCldEdgeCollapseOper(KelCldPolygon* iPolygon = nullptr);
  ~KelCldEdgeCollapseOper() override;
  KelCldEdgeCollapseOper(const KelCldEdgeCollapseOper&) = delete;
  KelCldEdgeCollapseOper& operator=(const KelCldEdgeCollapseOper&) = delete;

  // Reset, then holds the polygon and builds the utilities on it; a nonzero
  // iSetHoleVertexFlags also flags the hole vertices.
  void SetPolyMesh(KelCldPolygon* iPolygon, const unsigned char iSetHoleVertexFlags);
  void SetHoleVertexFlags();
  KelBoolean IsHoleVertex(const int iVertex) const
  {
    // The flags answer the queue's many calls inline; the rest (no flags, or a number outside
    // them) goes through the checked path.
    if (_HoleVertexFlags && iVertex >= 1 && iVertex < _holeVertexFlagsSize) return _HoleVertexFlags[iVertex] ? TRUE : FALSE;
    return IsHoleVertexChecked(iVertex);
  }
  // Releases the polygon and the utilities and frees the flags; the settings stay.
  void Reset();

  void SetCheckNormals(const unsigned char iCheck) { _checkNormals = iCheck ? TRUE : FALSE; }
  void SetCheckSizes(const unsigned char iCheck) { _checkSizes = iCheck ? TRUE : FALSE; }
  // Radians; the cosine is what the size test compares.
  void SetMinimumAngle(const double iAngle);
  void SetMinimumEdgeLength(const double iLength) { _minimumEdgeLength = iLength; }

  KelBoolean GetCheckNormals() const { return _checkNormals; }
  KelBoolean GetCheckSizes() const { return _checkSizes; }
  KelBoolean GetCheckExternal() const { return _checkExternal; }
  double GetMinimumAngleCosine() const { return _minimumAngleCosine; }
  double GetMinimumEdgeLength() const { return _minimumEdgeLength; }
  // After a contraction: whether the kept vertex is sure to remain joined to the wing by an
  // edge (known from the removed triangles' neighbours); false means "ask the polygon".
  bool IsWingKnownToStay(const int iWing) const
  {
    return iWing && (iWing == _wingsKnownToStay[0] || iWing == _wingsKnownToStay[1]);
  }
  // Without a new reference; null when unset.
  KelCldPolygon* GetPolyMesh() const { return _CldPolygon; }

  // Contracts iVertexRemove into iVertexKeep for the target point. Returns the number of
  // triangles removed, 0 when refused. oTriangle1/oTriangle2 are the first two removed
  // triangles and oWing1/oWing2 their third vertices (0 when absent). Vertex numbers that are
  // equal or not vertices are refused.
  virtual int PairContraction(const int iVertexKeep, const int iVertexRemove, const KelMathPoint& iTarget,
                              int& oTriangle1, int& oTriangle2, int& oWing1, int& oWing2);
  int PairContraction(const int iVertexKeep, const int iVertexRemove, const KelMathPoint& iTarget);

  // Whether the listed triangles of iVertex stay acceptable with iVertex moved to iTarget.
  KelBoolean CheckGeometry(const int iVertex, const KelMathPoint& iTarget, const KelRawCollint& iTriangles) const;
  // Both tests below at once: 0 fails, 1 passes, -1 leaves the size test to its exact form.
  int CheckNormalAndSize(const KelMathPoint* iPoints, const KelMathPoint& iTarget, const int iIndex) const;
  // iPoints are the triangle's three corners and iIndex the corner that moves to iTarget.
  // Accepts a turn of the normal by at most 60 degrees.
  KelBoolean CheckTriangleNormal(const KelMathPoint* iPoints, const KelMathPoint& iTarget, const int iIndex) const;
  // Accepts a triangle above the minimum edge length and angle, or one no worse than before.
  KelBoolean CheckTriangleSize(const KelMathPoint* iPoints, const KelMathPoint& iTarget, const int iIndex) const;
  // Hook for derived operators; the default switches the external check off and accepts.
  virtual KelBoolean CheckGeometryExternal(const KelMathPoint* iPoints, const KelMathPoint& iTarget,
                                           const int iIndex) const;

protected:
  // Both numbers are distinct vertices of the polygon.
  KelBoolean IsValidPair(const int iVertexKeep, const int iVertexRemove) const;
  // The topological and geometric tests (steps before any change). Fills the scratch lists
  // _edgeTriangles, _wings, _keptTriangles and _removedTriangles for Contract.
  KelBoolean IsContractionLegal(const int iVertexKeep, const int iVertexRemove, const KelMathPoint& iTarget);
  // Performs the contraction prepared by IsContractionLegal (legal or not).
  int Contract(const int iVertexKeep, const int iVertexRemove, int& oTriangle1, int& oTriangle2, int& oWing1,
               int& oWing2);
  // Called by Contract after the triangles are re-pointed, before the vertex is removed.
  virtual void BeforeVertexRemoval(const int iVertexKeep, const int iVertexRemove);

  KelCldPolygon* _CldPolygon;
  KelCldTopologyUtil* _TopoUtil;
  KelCldGeometryUtil* _GeoUtil;
  unsigned char* _HoleVertexFlags;
  int _holeVertexFlagsSize;
  KelBoolean _checkNormals;
  KelBoolean _checkSizes;
  mutable KelBoolean _checkExternal;
  double _minimumAngleCosine;
  double _minimumEdgeLength;

private:
  KelBoolean IsHoleVertexChecked(const int iVertex) const;
  // The link condition fails: the ends share a ring-1 vertex besides the wings. Lists T2.
  bool SharesNeighborBesidesWings(const int iVertexKeep, const int iVertexRemove);
  // The same through marks, for a kept vertex with more corners than KelShortListMost.
  bool SharesNeighborBesidesWingsByMarks(const int iVertexKeep, const int iVertexRemove);
  // Lists T2 and tells whether a corner of it besides D is shared with K's ring.
  template <class Shared>
  bool ListTrianglesOfRemovedWithoutKept(const int iVertexKeep, const int iVertexRemove, const Shared& iShared);
  // A fresh mark value for _marks, sized to the polygon.
  unsigned NextMark();

  // Scratch reused by every contraction.
  KelRawCollint _edgeTriangles;
  KelRawCollint _wings;
  int _wingsKnownToStay[2] = {0, 0};
  KelRawCollint _keptTriangles;
  KelRawCollint _removedTriangles;
  std::vector<int> _ring;  // the corners of K's triangles other than the edge's
  std::vector<unsigned> _marks;
  unsigned _mark;
};

#endif
