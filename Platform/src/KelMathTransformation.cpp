#include "KelMathTransformation.h"

#include <cmath>

namespace {

KelMathVector ToVector(const KelMathPoint& iPoint) { return KelMathVector(iPoint.GetX(), iPoint.GetY(), iPoint.GetZ()); }

}  // namespace

KelMathTransformation::KelMathTransformation(const KelMathPlane& iMirrorPlane)
{
  // x' = x - 2 n (n . (x - O)): M = I - 2 n n^T, T = 2 (n . O) n. A zero normal gives identity.
  const KelMathVector& n = iMirrorPlane.GetNormal();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) _matrix.Set(i, j, (i == j ? 1.0 : 0.0) - 2.0 * n[i] * n[j]);
  _translation = n * (2.0 * (n * ToVector(iMirrorPlane.GetOrigin())));
}

KelMathTransformation::KelMathTransformation(const KelMathLine& iAxis, double iAngle)
{
  KelMathVector u(iAxis.GetDirection());
  if (!u.Normalize()) return;
  // Rodrigues: M = c I + s [u]x + (1 - c) u u^T, and the axis origin stays fixed.
  const double c = std::cos(iAngle), s = std::sin(iAngle), t = 1.0 - c;
  const double x = u.GetX(), y = u.GetY(), z = u.GetZ();
  _matrix = KelMath3x3Matrix(c + t * x * x, t * x * y - s * z, t * x * z + s * y,
                             t * x * y + s * z, c + t * y * y, t * y * z - s * x,
                             t * x * z - s * y, t * y * z + s * x, c + t * z * z);
  const KelMathVector origin = ToVector(iAxis.GetOrigin());
  _translation = origin - _matrix * origin;
}

KelMathTransformation::KelMathTransformation(const KelMathPoint& iCenter, double iScale)
{
  _matrix = KelMath3x3Matrix(iScale, 0.0, 0.0, 0.0, iScale, 0.0, 0.0, 0.0, iScale);
  _translation = ToVector(iCenter) * (1.0 - iScale);
}

KelMathPoint KelMathTransformation::operator*(const KelMathPoint& iPoint) const
{
  const KelMathVector image = _matrix * ToVector(iPoint) + _translation;
  return KelMathPoint(image.GetX(), image.GetY(), image.GetZ());
}

KelMathTransformation KelMathTransformation::operator*(const KelMathTransformation& iOther) const
{
  return KelMathTransformation(_matrix * iOther._matrix, _matrix * iOther._translation + _translation);
}

int KelMathTransformation::Inverse(KelMathTransformation& oInverse) const
{
  KelMath3x3Matrix inverse;
  if (!_matrix.Inverse(inverse)) return 0;
  oInverse = KelMathTransformation(inverse, -(inverse * _translation));
  return 1;
}
