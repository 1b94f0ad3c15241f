#include "KelMathDirection.h"

int KelMathDirection::Set(const KelMathVector& iVector)
{
  KelMathVector unit(iVector);
  const int ok = unit.Normalize();
  if (!ok) unit = KelMathVector();
  unit.GetCoord(_x, _y, _z);
  return ok;
}
