#ifndef KelMathConstants_h
#define KelMathConstants_h
// Constants of the mathematics layer.
//
// KelEpsilon and KelEpsg are 1e-12. KelMathInfinite is 1e30, which is still finite in single
// precision, so "infinite" costs survive a round trip through float. KelGetDefaultTolerance()
// is 1e-12.

#include <cfloat>

constexpr double KelPI = 3.14159265358979323846;
constexpr double KelEpsilon = 1e-12;
constexpr double KelEpsg = 1e-12;
constexpr double KelMathInfinite = 1e30;
constexpr double KeldoubleMax = DBL_MAX;

inline double KelGetDefaultTolerance() { return 1e-12; }

#endif
