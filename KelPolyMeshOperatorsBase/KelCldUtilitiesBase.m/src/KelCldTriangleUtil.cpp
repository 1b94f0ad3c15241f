#include "KelCldTriangleUtil.h"

#include <algorithm>
#include <cmath>

#include "KelMathConstants.h"
#include "KelMathPoint.h"
#include "KelMathSetOfPoints.h"
#include "KelMathVector.h"

KelImplementClass(KelCldTriangleUtil, KelBaseUnknown, KelMetaImplementation)

namespace {

// Cosine of the angle between two edges leaving the same corner; 0 when one has no length.
double CornerCosine(const KelMathVector& iEdgeA, const KelMathVector& iEdgeB, const double iLengthA,
                    const double iLengthB)
{
  if (std::fabs(iLengthA) <= KelEpsg || std::fabs(iLengthB) <= KelEpsg) return 0.0;
  return std::clamp((iEdgeA * iEdgeB) / (iLengthA * iLengthB), -1.0, 1.0);
}

}  // namespace

int KelCldTriangleUtil::GetTriangleNormal(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                          KelMathVector& oNormal)
{
  // Unit edges make the test a sine of the corner angle, independent of the triangle's size.
  KelMathVector u = iP1 - iP0;
  KelMathVector v = iP2 - iP0;
  u.Normalize();
  v.Normalize();
  const KelMathVector n = u ^ v;
  const double length = n.Norm();
  if (length <= 0.001) return 0;
  oNormal = n * (1.0 / length);
  return 1;
}

void KelCldTriangleUtil::GetTriangleEdgeLengths(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                const KelMathPoint& iP2, double* oL0, double* oL1, double* oL2)
{
  *oL0 = iP0.DistanceTo(iP1);
  *oL1 = iP1.DistanceTo(iP2);
  *oL2 = iP2.DistanceTo(iP0);
}

void KelCldTriangleUtil::GetTriangleEdgeLengthsAngleCosines(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                            const KelMathPoint& iP2, double* oL0, double* oL1,
                                                            double* oL2, double* oC0, double* oC1, double* oC2)
{
  const KelMathVector e0 = iP1 - iP0, e1 = iP2 - iP1, e2 = iP0 - iP2;
  *oL0 = e0.Norm();
  *oL1 = e1.Norm();
  *oL2 = e2.Norm();
  *oC0 = CornerCosine(e0, -e2, *oL0, *oL2);
  *oC1 = CornerCosine(e1, -e0, *oL1, *oL0);
  *oC2 = CornerCosine(e2, -e1, *oL2, *oL1);
}

void KelCldTriangleUtil::GetTriangleAngleCosines(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                 const KelMathPoint& iP2, double* oC0, double* oC1, double* oC2)
{
  double l0, l1, l2;
  GetTriangleEdgeLengthsAngleCosines(iP0, iP1, iP2, &l0, &l1, &l2, oC0, oC1, oC2);
}

void KelCldTriangleUtil::GetTriangleEdgeLengthsAngles(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, double* oL0, double* oL1, double* oL2,
                                                      double* oA0, double* oA1, double* oA2)
{
  double c0, c1, c2;
  GetTriangleEdgeLengthsAngleCosines(iP0, iP1, iP2, oL0, oL1, oL2, &c0, &c1, &c2);
  *oA0 = std::acos(c0);
  *oA1 = std::acos(c1);
  *oA2 = std::acos(c2);
}

void KelCldTriangleUtil::GetTriangleAngles(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                           double* oA0, double* oA1, double* oA2)
{
  double l0, l1, l2;
  GetTriangleEdgeLengthsAngles(iP0, iP1, iP2, &l0, &l1, &l2, oA0, oA1, oA2);
}

double KelCldTriangleUtil::GetTriangleArea(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2)
{
  return 0.5 * ((iP1 - iP0) ^ (iP2 - iP0)).Norm();
}

double KelCldTriangleUtil::GetDihedralAngle(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                            const KelMathPoint& iQ0, const KelMathPoint& iQ1, const KelMathPoint& iQ2)
{
  KelMathVector n0 = (iP1 - iP0) ^ (iP2 - iP0);
  KelMathVector n1 = (iQ1 - iQ0) ^ (iQ2 - iQ0);
  n0.Normalize();
  n1.Normalize();
  return n0.GetAngleTo(n1);
}

double KelCldTriangleUtil::GetPolygonArea(const KelMathSetOfPoints& iPoints)
{
  // Twice the vector area: sum of the cross products of consecutive position vectors. Its
  // length is independent of the origin and of the polygon's plane.
  const int count = iPoints.GetNumberOfPoints();
  const KelMathPoint origin;
  KelMathVector sum;
  for (int i = 0; i < count; ++i)
    sum += (iPoints[i] - origin) ^ (iPoints[(i + 1) % count] - origin);
  return 0.5 * sum.Norm();
}
