#ifndef KelCldLaplacianSmoothOper_h
#define KelCldLaplacianSmoothOper_h
// Explicit smoothing toward the mean of the ring-1 neighbours. A vertex without neighbours
// has the origin as its target.

#include "KelCldLocalSmoothOper.h"

class KelCldLaplacianSmoothOper : public KelCldLocalSmoothOper {
  KelDeclareClass

public:
  KelCldLaplacianSmoothOper() = default;
  KelMathPoint SmoothVertex(const int iVertex) const override;
};

#endif
