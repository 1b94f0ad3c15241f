#ifndef KelCldLocalSmoothOper_h
#define KelCldLocalSmoothOper_h
// Frame of the explicit smoothers: one in-place pass that moves each listed vertex toward a
// target computed from its neighbours (SmoothVertex), blended by the intensity.
//
// - Vertices are visited in list order and moved at once, so later vertices see the new
//   positions of earlier ones. One call is one pass; repeat the call to iterate.
// - With the smooth-boundary flag off, vertices on a free edge stay in place.
// - Only positions change, never the triangulation.
// - The topology does not change during a pass, so the rings are gathered once per pass, in
//   the polygon's ring order, and served to SmoothVertex from there: in one sweep over the
//   triangles when many vertices are listed, vertex by vertex otherwise. The operator keeps
//   the swept rings and reuses them in the next pass while the polygon's triangles are
//   unchanged (its topology stamp), so repeated passes sweep once.

#include <cstdint>
#include <vector>

#include "KelCldGeometricalOper.h"
#include "KelMathPoint.h"
#include "KelRawColl.h"

class KelCldLocalSmoothOper : public KelCldGeometricalOper {
  KelDeclareClass

public:
  KelCldLocalSmoothOper() = default;

  // All vertices of the polygon; FALSE for a null polygon.
  KelBoolean Run(KelCldPolygon* iPolygon) override;
  // One pass over the listed vertices; TRUE, also for a null polygon (nothing happens).
  KelBoolean Run(KelCldPolygon* iPolygon, const int iCount, const int* iVertices) override;
  using KelCldGeometricalOper::Run;

  // Percent, clamped to 0..100 (default 100: each vertex lands on its target).
  void SetIntensity(double iIntensity);
  double GetIntensity() const { return _intensity; }
  void SetSmoothBoundary(unsigned char iSmoothBoundary) { _smoothBoundary = iSmoothBoundary; }
  unsigned char GetSmoothBoundary() const { return _smoothBoundary; }

  // Ring-1 neighbours of the vertex of the polygon being smoothed, in the polygon's order;
  // nothing without a polygon.
  void GetNeighborVertices(int iVertex, KelRawCollint& oVertices) const;
  // Mean position; (0, 0, 0) for an empty list or without a polygon.
  KelMathPoint ComputeAverageVertex(const KelRawCollint& iVertices) const;
  // The vertex's target; the frame itself has none (fatal).
  virtual KelMathPoint SmoothVertex(const int iVertex) const;

protected:
  KelCldPolygon* GetPolygon() const { return _polygon; }
  // During a pass, the ring gathered for the vertex (what GetNeighborVertices gives), without
  // copying it; false when the pass has none for it.
  bool GetPassRing(int iVertex, const int*& oRing, int& oCount) const;
  // ComputeAverageVertex of iCount vertex numbers.
  KelMathPoint AverageOf(const int* iVertices, int iCount) const;
  // ComputeAverageVertex of GetNeighborVertices, without copying the pass's ring.
  KelMathPoint AverageOfNeighbors(int iVertex) const;

private:
  KelCldPolygon* _polygon = nullptr;
  double _intensity = 100.0;
  unsigned char _smoothBoundary = 0;
  // Rings of the pass: every point's (one sweep), or the current vertex's.
  bool _allRings = false;
  uint64_t _ringsStamp = 0;  // topology stamp of the polygon the rings were gathered on
  std::vector<int> _ringStarts;
  std::vector<int> _rings;
  std::vector<uint8_t> _onFreeEdge;
  int _ringVertex = 0;
  KelRawCollint _ring;
};

#endif
