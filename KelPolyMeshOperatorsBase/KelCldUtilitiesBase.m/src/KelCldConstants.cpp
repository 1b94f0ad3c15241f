#include "KelCldConstants.h"

const double KelCldDistanceEpsilon = 0.001;
const double KelCldDistanceSquareEpsilon = 1e-06;
