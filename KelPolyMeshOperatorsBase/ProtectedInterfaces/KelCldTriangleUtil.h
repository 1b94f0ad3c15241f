#ifndef KelCldTriangleUtil_h
#define KelCldTriangleUtil_h
// Formulas on three explicit points: normal, edge lengths, corner angles, area, the dihedral
// angle between two triangles, and the area of a planar polygon.
//
// - Edge i runs from Pi to P(i+1 mod 3); angle i is the angle at corner Pi.
// - Degenerate input is no error: GetTriangleNormal returns 0 (normal untouched) when the unit
//   edge vectors at P0 are parallel within 0.001 (length of their cross product), and a corner
//   with a zero-length edge (KelEpsg) keeps cosine 0, hence angle pi/2.
// - Cosines are clamped to [-1, 1] so that acos never sees rounding beyond the range.

#include "KelBaseUnknown.h"

class KelMathPoint;
class KelMathSetOfPoints;
class KelMathVector;

class KelCldTriangleUtil : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldTriangleUtil() = default;

  static int GetTriangleNormal(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                               KelMathVector& oNormal);

  static void GetTriangleEdgeLengths(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                     double* oL0, double* oL1, double* oL2);
  static void GetTriangleEdgeLengthsAngleCosines(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                 const KelMathPoint& iP2, double* oL0, double* oL1, double* oL2,
                                                 double* oC0, double* oC1, double* oC2);
  static void GetTriangleAngleCosines(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                      double* oC0, double* oC1, double* oC2);
  // Angles in radians, 0..pi.
  static void GetTriangleEdgeLengthsAngles(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                           double* oL0, double* oL1, double* oL2, double* oA0, double* oA1,
                                           double* oA2);
  static void GetTriangleAngles(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                double* oA0, double* oA1, double* oA2);

  static double GetTriangleArea(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2);

  // Angle between the unit normals of the two triangles, 0..pi (0 when either is degenerate).
  static double GetDihedralAngle(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                 const KelMathPoint& iQ0, const KelMathPoint& iQ1, const KelMathPoint& iQ2);

  // Area of the closed planar polygon through the points in order, whatever its plane.
  static double GetPolygonArea(const KelMathSetOfPoints& iPoints);
};

#endif
