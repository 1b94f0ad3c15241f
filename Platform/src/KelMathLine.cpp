#include "KelMathLine.h"

#include <algorithm>
#include <cmath>

double KelMathLine::GetParam(const KelMathPoint& iPoint) const
{
  const double squareNorm = _direction.SquareNorm();
  if (squareNorm == 0.0) return 0.0;
  return ((iPoint - _origin) * _direction) / squareNorm;
}

int KelMathLine::GetParam(const KelMathPoint& iPoint, double& oParam, double iTolerance, double iMinParam,
                          double iMaxParam) const
{
  oParam = GetParam(iPoint);
  if (!IsValid()) return 0;
  if (Evaluate(oParam).DistanceTo(iPoint) > iTolerance) return 0;
  const double slack = iTolerance / _direction.Norm();
  return (oParam >= iMinParam - slack && oParam <= iMaxParam + slack) ? 1 : 0;
}

double KelMathLine::DistanceTo(const KelMathPoint& iPoint) const { return std::sqrt(SquareDistanceTo(iPoint)); }

int KelMathLine::Intersect(const KelMathLine& iOther, double iMaxParam, double iTolerance, double& oParam,
                           double& oOtherParam) const
{
  if (!IsValid() || !iOther.IsValid()) return 0;
  const bool bounded = iMaxParam < KelMathInfinite;
  const KelMathVector& d1 = _direction;
  const KelMathVector& d2 = iOther._direction;
  const double slack1 = iTolerance / d1.Norm();
  const double slack2 = iTolerance / d2.Norm();
  if (d1.IsParallel(d2)) {
    if (iOther.DistanceTo(_origin) > iTolerance) return 0;
    // Collinear: compare the other segment's ends in this line's parameter.
    const double u0 = GetParam(iOther._origin);
    if (bounded) {
      const double u1 = GetParam(iOther.Evaluate(iMaxParam));
      if (std::max(u0, u1) < -slack1 || std::min(u0, u1) > iMaxParam + slack1) return 0;
    }
    oParam = u0;
    oOtherParam = 0.0;
    return 2;
  }
  // Closest points: (O1 + s d1 - O2 - t d2) orthogonal to d1 and to d2.
  const KelMathVector w = _origin - iOther._origin;
  const double a = d1 * d1, b = d1 * d2, c = d2 * d2, d = d1 * w, e = d2 * w;
  const double den = a * c - b * b;
  const double s = (b * e - c * d) / den;
  const double t = (a * e - b * d) / den;
  if (Evaluate(s).DistanceTo(iOther.Evaluate(t)) > iTolerance) return 0;
  if (bounded && (s < -slack1 || s > iMaxParam + slack1 || t < -slack2 || t > iMaxParam + slack2)) return 0;
  oParam = s;
  oOtherParam = t;
  return 1;
}

int KelMathLine::Intersect(const KelMathLine& iOther, double iMaxParam, double iTolerance) const
{
  double s = 0.0, t = 0.0;
  return Intersect(iOther, iMaxParam, iTolerance, s, t);
}
