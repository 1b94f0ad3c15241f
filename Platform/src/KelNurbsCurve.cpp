#include "KelNurbsCurve.h"

#include <algorithm>
#include <cstddef>

KelImplementClassIn(KelNurbsCurve, KelCurve, KelMetaImplementation, "KelPlatform")

KelNurbsCurve::KelNurbsCurve(const KelKnotVector& iKnots, const double* iWeights, const KelMathSetOfPoints& iControlPoints)
    : _knots(iKnots), _flatKnots(iKnots.GetFlatKnots()), _controlPoints(iControlPoints)
{
  const size_t count = static_cast<size_t>(iControlPoints.GetNumberOfPoints());
  if (iWeights)
    _weights.assign(iWeights, iWeights + count);
  else
    _weights.assign(count, 1.0);
}

int KelNurbsCurve::IsRational() const
{
  for (const double weight : _weights)
    if (weight != _weights.front()) return 1;
  return 0;
}

KelMathPoint KelNurbsCurve::GetControlPoint(int iIndex) const
{
  return iIndex >= 1 && iIndex <= GetNumberOfControlPoints() ? _controlPoints.GetPoint(iIndex - 1) : KelMathPoint();
}

double KelNurbsCurve::GetWeight(int iIndex) const
{
  return iIndex >= 1 && iIndex <= GetNumberOfControlPoints() ? _weights[static_cast<size_t>(iIndex - 1)] : 0.0;
}

void KelNurbsCurve::GetParamRange(double& oStart, double& oEnd) const
{
  oStart = _knots.GetKnotValue(1);
  oEnd = _knots.GetKnotValue(_knots.GetNumberOfKnots());
}

KelMathPoint KelNurbsCurve::Evaluate(double iParam) const
{
  const int degree = _knots.GetDegree();
  const int count = GetNumberOfControlPoints();
  if (count < 1 || degree < 1 || static_cast<int>(_flatKnots.size()) != count + degree + 1) return KelMathPoint();
  double start = 0.0, end = 0.0;
  GetParamRange(start, end);
  const double t = std::min(std::max(iParam, start), end);
  // Span s with flat[s] <= t < flat[s + 1]; the last span also takes the end parameter.
  int span = degree;
  while (span < count - 1 && !(t < _flatKnots[static_cast<size_t>(span + 1)])) ++span;
  std::vector<double> h(4 * static_cast<size_t>(degree + 1));
  for (int j = 0; j <= degree; ++j) {
    const int k = span - degree + j;
    const KelMathPoint& p = _controlPoints.GetPoint(k);
    const double w = _weights[static_cast<size_t>(k)];
    double* d = &h[4 * static_cast<size_t>(j)];
    d[0] = p.GetX() * w;
    d[1] = p.GetY() * w;
    d[2] = p.GetZ() * w;
    d[3] = w;
  }
  for (int r = 1; r <= degree; ++r)
    for (int j = degree; j >= r; --j) {
      const int i = span - degree + j;
      const double lo = _flatKnots[static_cast<size_t>(i)], hi = _flatKnots[static_cast<size_t>(i + degree - r + 1)];
      const double a = hi > lo ? (t - lo) / (hi - lo) : 0.0;
      for (int c = 0; c < 4; ++c)
        h[4 * static_cast<size_t>(j) + c] = (1.0 - a) * h[4 * static_cast<size_t>(j - 1) + c] + a * h[4 * static_cast<size_t>(j) + c];
    }
  const double* d = &h[4 * static_cast<size_t>(degree)];
  return d[3] != 0.0 ? KelMathPoint(d[0] / d[3], d[1] / d[3], d[2] / d[3]) : KelMathPoint();
}
