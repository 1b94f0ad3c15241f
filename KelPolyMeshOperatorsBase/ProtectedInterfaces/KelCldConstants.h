#ifndef KelCldConstants_h
#define KelCldConstants_h
// Distance tolerances used throughout the library.

extern const double KelCldDistanceEpsilon;        // 0.001
extern const double KelCldDistanceSquareEpsilon;  // 1e-06

#endif
