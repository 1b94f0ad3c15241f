#include "KelMathAxis.h"

KelMathAxis::KelMathAxis() : _directions{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}} {}

KelMathAxis::KelMathAxis(const KelMathPoint& iOrigin, const KelMathVector& iFirstDirection,
                         const KelMathVector& iSecondDirection, const KelMathVector& iThirdDirection)
    : _origin(iOrigin)
{
  SetDirections(iFirstDirection, iSecondDirection, iThirdDirection);
}

void KelMathAxis::GetDirections(KelMathVector& oFirst, KelMathVector& oSecond, KelMathVector& oThird) const
{
  oFirst = _directions[0];
  oSecond = _directions[1];
  oThird = _directions[2];
}

void KelMathAxis::SetDirections(const KelMathVector& iFirst, const KelMathVector& iSecond, const KelMathVector& iThird)
{
  _directions[0] = iFirst;
  _directions[1] = iSecond;
  _directions[2] = iThird;
  for (KelMathVector& direction : _directions) direction.Normalize();
}
