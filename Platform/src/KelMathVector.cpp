#include "KelMathVector.h"

#include <cmath>

double KelMathVector::Norm() const { return std::sqrt(SquareNorm()); }

int KelMathVector::Normalize()
{
  double n = Norm();
  if (n == 0.0) return 0;
  _x /= n; _y /= n; _z /= n;
  return 1;
}

double KelMathVector::GetAngleTo(const KelMathVector& iOther) const
{
  // atan2 keeps full precision near 0 and pi, where acos of the cosine does not.
  return std::atan2((*this ^ iOther).Norm(), *this * iOther);
}

int KelMathVector::IsParallel(const KelMathVector& iOther, double iTolerance) const
{
  return (*this ^ iOther).Norm() <= iTolerance * Norm() * iOther.Norm() ? 1 : 0;
}

int KelMathVector::IsOrthogonal(const KelMathVector& iOther, double iTolerance) const
{
  return std::fabs(*this * iOther) <= iTolerance * Norm() * iOther.Norm() ? 1 : 0;
}
