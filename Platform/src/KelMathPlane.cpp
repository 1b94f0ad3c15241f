#include "KelMathPlane.h"

#include <cmath>

KelMathPlane::KelMathPlane() : _first(1.0, 0.0, 0.0), _second(0.0, 1.0, 0.0), _normal(0.0, 0.0, 1.0) {}

KelMathPlane::KelMathPlane(const KelMathPoint& iOrigin, const KelMathVector& iFirstDirection,
                           const KelMathVector& iSecondDirection)
    : _origin(iOrigin)
{
  SetFrame(iFirstDirection, iSecondDirection);
}

KelMathPlane::KelMathPlane(const KelMathPoint& iPoint0, const KelMathPoint& iPoint1, const KelMathPoint& iPoint2)
    : _origin(iPoint0)
{
  SetFrame(iPoint1 - iPoint0, iPoint2 - iPoint0);
}

KelMathPlane::KelMathPlane(const KelMathPoint& iOrigin, const KelMathVector& iNormal) : _origin(iOrigin)
{
  KelMathVector n(iNormal);
  if (!n.Normalize()) return;
  int axis = 0;
  if (std::fabs(n[1]) < std::fabs(n[axis])) axis = 1;
  if (std::fabs(n[2]) < std::fabs(n[axis])) axis = 2;
  const KelMathVector e(axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0);
  const KelMathVector first = e - n * (n * e);
  SetFrame(first, n ^ first);
}

void KelMathPlane::SetFrame(const KelMathVector& iFirstDirection, const KelMathVector& iSecondDirection)
{
  _first = _second = _normal = KelMathVector();
  KelMathVector first(iFirstDirection), second(iSecondDirection);
  if (first.IsParallel(second)) return;
  first.Normalize();
  second -= first * (first * second);
  second.Normalize();
  _first = first;
  _second = second;
  _normal = first ^ second;
  _normal.Normalize();
}

void KelMathPlane::GetEquation(double& oA, double& oB, double& oC, double& oD) const
{
  _normal.GetCoord(oA, oB, oC);
  oD = -(oA * _origin.GetX() + oB * _origin.GetY() + oC * _origin.GetZ());
}

double KelMathPlane::DistanceTo(const KelMathPoint& iPoint) const { return std::fabs(GetSignedDistance(iPoint)); }

int KelMathPlane::Intersect(const KelMathLine& iLine, double& oParam, double iTolerance) const
{
  if (!IsValid() || !iLine.IsValid()) return 0;
  const double s0 = GetSignedDistance(iLine.GetOrigin());
  const double slope = _normal * iLine.GetDirection();
  const double s1 = s0 + slope;
  if (std::fabs(s0) <= iTolerance && std::fabs(s1) <= iTolerance) return 2;
  if (std::fabs(slope) <= KelEpsilon * iLine.GetDirection().Norm()) return 0;
  oParam = -s0 / slope;
  return 1;
}

int KelMathPlane::Intersect(const KelMathLine& iLine, KelMathPoint& oPoint, double iTolerance) const
{
  double param = 0.0;
  const int kind = Intersect(iLine, param, iTolerance);
  if (kind == 1) oPoint = iLine.Evaluate(param);
  return kind;
}

int KelMathPlane::Intersect(const KelMathPlane& iOther, KelMathLine& oLine) const
{
  if (!IsValid() || !iOther.IsValid()) return 0;
  const KelMathVector& n1 = _normal;
  const KelMathVector& n2 = iOther._normal;
  KelMathVector direction = n1 ^ n2;
  const double sine2 = direction.SquareNorm();
  if (sine2 <= KelEpsilon * KelEpsilon) return 0;
  // Nearest point to this origin: O1 + b (n2 - c n1), which stays on this plane.
  const double c = n1 * n2;
  const double b = (n2 * (iOther._origin - _origin)) / sine2;
  direction.Normalize();
  oLine = KelMathLine(_origin + (n2 - n1 * c) * b, direction);
  return 1;
}
