#ifndef KelCldDecimatePlusOper_h
#define KelCldDecimatePlusOper_h
// Quadric decimation followed by a pass that removes small-angle triangles (caps and needles).
// The decimation reports on 0-80 % of the callback's range; the repair finishes at 100 %.

#include "KelCldDecimateOper.h"
#include "KelCldTopologicalOper.h"

class KelCldEdgeCollapseOper;

class KelCldDecimatePlusOper : public KelCldTopologicalOper {
  KelDeclareClass

public:
  explicit KelCldDecimatePlusOper(KelCldEdgeCollapseOper* iContraction = nullptr);
  ~KelCldDecimatePlusOper() override;
  KelCldDecimatePlusOper(const KelCldDecimatePlusOper&) = delete;
  KelCldDecimatePlusOper& operator=(const KelCldDecimatePlusOper&) = delete;

  // Each sets the quadric metric and its criterion on the inner decimation.
  void SetPercentage(double iPercentage);
  void SetTriangleCount(int iCount);
  void SetChordalDeviation(double iDeviation);
  void SetFreezeBoundary(const unsigned char iFreeze);
  void SetChordalDeviationForFreeEdges(double iDeviation);
  void SetStoppingCriterion(const KelCldDecimateOper::StoppingCriterion iCriterion);
  // Stored only.
  void SetMinimumEdgeLength(double iLength) { _minimumEdgeLength = iLength; }
  // Radians: the tolerance of the small-angle pass.
  void SetMinimumAngle(double iAngle) { _minimumAngle = iAngle; }

  KelBoolean Run(KelCldPolygon* iPolygon) override;
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override;
  // oTriangles: the decimated region's triangles, then the triangles the repair removed.
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                    KelRawCollint& oTriangles);
  using KelCldTopologicalOper::Run;

private:
  KelCldDecimateOper* _decimateOper;
  double _minimumEdgeLength = 0.001;
  double _minimumAngle = 0.0001;
};

#endif
