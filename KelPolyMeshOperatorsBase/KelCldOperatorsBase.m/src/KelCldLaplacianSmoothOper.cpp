#include "KelCldLaplacianSmoothOper.h"

KelImplementClass(KelCldLaplacianSmoothOper, KelCldLocalSmoothOper, KelMetaImplementation)

KelMathPoint KelCldLaplacianSmoothOper::SmoothVertex(const int iVertex) const { return AverageOfNeighbors(iVertex); }
