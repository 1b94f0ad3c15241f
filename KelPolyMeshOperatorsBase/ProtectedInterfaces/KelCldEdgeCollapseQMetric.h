#ifndef KelCldEdgeCollapseQMetric_h
#define KelCldEdgeCollapseQMetric_h
// Collapse queue by quadric error: each vertex carries the quadric of its triangles' planes
// (KelCldQMetric); an edge costs the error of the sum of its ends' quadrics at the point that
// minimises it, and a collapse adds the removed vertex's quadric to the kept one's.
//
// - One end on a hole: the merged vertex stays at that end. Both or neither when the 3 x 3
//   system is singular (a flat region): the best of the midpoint and the two ends, ties to
//   the midpoint, then to the first end.
// - The merged vertex is held near the edge: farther than twice the edge length from an end,
//   it goes to the midpoint.

#include <vector>

#include "KelLargeArrayAllocator.h"

#include "KelCldEdgeCollapseBase.h"

class KelCldEdgeCollapseQMetric : public KelCldEdgeCollapseBase {
  KelDeclareClass

public:
  explicit KelCldEdgeCollapseQMetric(KelCldEdgeCollapseOper* iContraction) : KelCldEdgeCollapseBase(iContraction) {}
  ~KelCldEdgeCollapseQMetric() override;

  void Reset() override;
  int ComputeCustomVertexAttributes(const KelRawCollint* iVertices) override;
  void UpdateCustomVertexData(const int iKept, const int iRemoved) override;
  double ComputeCostOfEdge(const int iVertex1, const int iVertex2) const override;
  void ComputeCoordinatesOfTargetVertex(const int iVertex1, const int iVertex2, double* oTarget) const override;

  // The cost of merging the two vertices; with oTarget, writes the merged position and
  // returns 0.
  double ComputeCostOrTargetCoordinates(const int iVertex1, const int iVertex2, double* oTarget) const;
  // The quadric of the vertex (null before preparation).
  const double* GetQuadric(const int iVertex) const;

protected:
  void PrefetchVertexData(const int iVertex) const override;

private:
  void CalculateQMatrix(const int iVertex);
  double TwoVertexRule(const double* iQuadric, const double* iA, const double* iB, double* oTarget) const;

  // 10 per vertex index; read at random places, so on large pages when big.
  std::vector<double, KelLargeArrayAllocator<double>> _QMatrixData;
};

#endif
