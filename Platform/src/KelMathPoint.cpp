#include "KelMathPoint.h"

#include <cmath>

double KelMathPoint::DistanceTo(const KelMathPoint& iOther) const { return std::sqrt(SquareDistanceTo(iOther)); }
