#include "KelMathBox.h"

void KelMathBox::AddInside(const KelMathBox& iBox)
{
  if (iBox.IsEmpty()) return;
  AddPoint(iBox.GetLow());
  AddPoint(iBox.GetHigh());
}

void KelMathBox::Enlarge(double iMargin)
{
  if (IsEmpty()) return;
  for (int i = 0; i < 3; ++i) { _min[i] -= iMargin; _max[i] += iMargin; }
  // Shrinking past the centre would make an inverted box look empty; collapse it instead.
  for (int i = 0; i < 3; ++i)
    if (_min[i] > _max[i]) _min[i] = _max[i] = 0.5 * (_min[i] + _max[i]);
}

int KelMathBox::IsContaining(const KelMathPoint& iPoint, double iTolerance) const
{
  if (IsEmpty()) return 0;
  for (int i = 0; i < 3; ++i)
    if (iPoint[i] < _min[i] - iTolerance || iPoint[i] > _max[i] + iTolerance) return 0;
  return 1;
}

int KelMathBox::IsIntersecting(const KelMathBox& iOther, double iTolerance) const
{
  if (IsEmpty() || iOther.IsEmpty()) return 0;
  for (int i = 0; i < 3; ++i)
    if (iOther._min[i] > _max[i] + iTolerance || iOther._max[i] < _min[i] - iTolerance) return 0;
  return 1;
}
