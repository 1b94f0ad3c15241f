#include "KelCldBarycentric.h"

#include <cmath>

#include "KelMathConstants.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iX, double& oW0, double& oW1,
                                                      double& oLength)
{
  const KelMathVector axis = iP1 - iP0;
  const double length = axis.Norm();
  if (length < KelEpsilon) return false;
  const KelMathVector toEnd = iP1 - iX;
  const KelMathVector toStart = iP0 - iX;
  // Each weight is the distance to the other end; its sign says on which side of that end X is.
  oW0 = toEnd.Norm() / length;
  if (toEnd * axis < 0.0) oW0 = -oW0;
  oW1 = toStart.Norm() / length;
  if (toStart * axis > 0.0) oW1 = -oW1;
  oLength = length;
  return true;
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iX, double& oW0, double& oW1)
{
  double length;
  return ComputeBarycentricCoordinates(iP0, iP1, iX, oW0, oW1, length);
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, const KelMathPoint& iX, double& oW0,
                                                      double& oW1, double& oW2, double& oArea)
{
  const KelMathVector n = (iP1 - iP0) ^ (iP2 - iP0);
  const double area = 0.5 * n.Norm();
  if (area < KelEpsilon) return false;
  const KelMathVector a = iP0 - iX, b = iP1 - iX, c = iP2 - iX;
  // Sub-triangle areas opposite each corner, signed by their orientation against the triangle.
  const KelMathVector c0 = b ^ c, c1 = c ^ a, c2 = a ^ b;
  const double scale = 0.5 / area;
  oW0 = c0.Norm() * scale;
  if (c0 * n < 0.0) oW0 = -oW0;
  oW1 = c1.Norm() * scale;
  if (c1 * n < 0.0) oW1 = -oW1;
  oW2 = c2.Norm() * scale;
  if (c2 * n < 0.0) oW2 = -oW2;
  oArea = area;
  return true;
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, const KelMathPoint& iX, double& oW0,
                                                      double& oW1, double& oW2)
{
  double area;
  return ComputeBarycentricCoordinates(iP0, iP1, iP2, iX, oW0, oW1, oW2, area);
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, const KelMathPoint& iX,
                                                      KelMathPoint& oWeights)
{
  double w0, w1, w2;
  if (!ComputeBarycentricCoordinates(iP0, iP1, iP2, iX, w0, w1, w2)) return false;
  oWeights.SetCoord(w0, w1, w2);
  return true;
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, const KelMathPoint& iP3,
                                                      const KelMathPoint& iX, double& oW0, double& oW1, double& oW2,
                                                      double& oW3, double& oVolume)
{
  const double d = ((iP1 - iP0) ^ (iP2 - iP0)) * (iP3 - iP0);
  oVolume = std::fabs(d) / 6.0;
  if (oVolume < KelEpsilon) return false;
  const KelMathVector a = iP0 - iX, b = iP1 - iX, c = iP2 - iX, e = iP3 - iX;
  // Signed volumes of the sub-tetrahedra opposite each corner, over the whole.
  oW0 = ((b ^ c) * e) / d;
  oW1 = ((c ^ a) * e) / d;
  oW2 = ((a ^ b) * e) / d;
  oW3 = -((a ^ b) * c) / d;
  return true;
}

bool KelCldBarycentric::ComputeBarycentricCoordinates(const KelMathPoint& iP0, const KelMathPoint& iP1,
                                                      const KelMathPoint& iP2, const KelMathPoint& iP3,
                                                      const KelMathPoint& iX, double& oW0, double& oW1, double& oW2,
                                                      double& oW3)
{
  double volume;
  return ComputeBarycentricCoordinates(iP0, iP1, iP2, iP3, iX, oW0, oW1, oW2, oW3, volume);
}
