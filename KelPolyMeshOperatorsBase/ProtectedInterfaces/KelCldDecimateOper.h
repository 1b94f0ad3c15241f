#ifndef KelCldDecimateOper_h
#define KelCldDecimateOper_h
// Decimation: repeated edge collapses, cheapest first, on the whole polygon, a vertex list or
// a triangle region, until a stopping criterion is met.
//
// - Metric: quadric error (ChordalDeviationDecimationType, the default) or edge length.
// - Criteria: a percentage of the vertices in scope removed, a triangle count reached, the
//   cheapest collapse costing at least the squared chordal deviation (quadric metric), or the
//   shortest edge at least the edge length (length metric). Refused collapses raise their
//   edge's cost; for the first two criteria, more consecutive refusals than the scope size
//   end the run.
// - Progress goes to the operator's callback; a FALSE answer stops the run, which then
//   returns FALSE with the collapses done so far kept.
// - A region run only changes the region: the queue holds the region's edges only, and the
//   triangles returned are exactly the region's surviving triangles.

#include <vector>

#include "KelCldTopologicalOper.h"

class KelCldEdgeCollapseOper;

class KelCldDecimateOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  enum DecimationType { ChordalDeviationDecimationType = 0, EdgeLengthDecimationType = 1 };
  enum StoppingCriterion {
    PercentageStoppingCriterion = 0,
    TriangleCountStoppingCriterion = 1,
    ChordalDeviationStoppingCriterion = 2,
    EdgeLengthStoppingCriterion = 3
  };

  // Null: the collapse queue makes its own contraction operator.
  explicit KelCldDecimateOper(KelCldEdgeCollapseOper* iContraction = nullptr);
  ~KelCldDecimateOper() override;
  KelCldDecimateOper(const KelCldDecimateOper&) = delete;
  KelCldDecimateOper& operator=(const KelCldDecimateOper&) = delete;

  void SetPercentage(double iPercentage) { _percentage = iPercentage; }
  void SetTriangleCount(int iCount) { _targetTriangleCount = iCount; }
  void SetChordalDeviation(double iDeviation) { _chordalDeviation = iDeviation; }
  void SetEdgeLength(double iLength) { _edgeLength = iLength; }
  void SetChordalDeviationForFreeEdges(double iDeviation) { _chordalDeviationForFreeEdges = iDeviation; }
  void SetDecimationType(const DecimationType iType) { _DecimationType = iType; }
  void SetStoppingCriterion(const StoppingCriterion iCriterion) { _stoppingCriterion = iCriterion; }
  void SetFreezeBoundary(const unsigned char iFreeze) { _freezeBoundary = iFreeze; }

  KelBoolean Run(KelCldPolygon* iPolygon) override;
  KelBoolean RunOnSelectedVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices) override;
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override;
  // oTriangles: the triangles of the decimated region, in increasing number.
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                    KelRawCollint& oTriangles);
  using KelCldTopologicalOper::Run;

private:
  KelBoolean Decimate(KelCldPolygon* iPolygon, const KelRawCollint* iVertices);

  DecimationType _DecimationType = ChordalDeviationDecimationType;
  StoppingCriterion _stoppingCriterion = PercentageStoppingCriterion;
  double _percentage = 0.0;
  double _chordalDeviation = 0.0;
  double _edgeLength = 0.0;
  double _chordalDeviationForFreeEdges;
  int _currentTriangleCount = 0;
  int _targetTriangleCount = 0;
  unsigned char _freezeBoundary = 0;
  unsigned char* _VertexFlags = nullptr;  // region runs only: 1 for the region's vertices
  int _vertexFlagsSize = 0;
  KelCldEdgeCollapseOper* _contraction = nullptr;
};

#endif
