#include "KelMath3x3Matrix.h"

#include <cmath>

KelMath3x3Matrix::KelMath3x3Matrix() : _m{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}} {}

KelMath3x3Matrix::KelMath3x3Matrix(double i00, double i01, double i02, double i10, double i11, double i12, double i20,
                                   double i21, double i22)
    : _m{{i00, i01, i02}, {i10, i11, i12}, {i20, i21, i22}}
{
}

KelMath3x3Matrix::KelMath3x3Matrix(const double iCoef[3][3])
{
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) _m[i][j] = iCoef[i][j];
}

KelMath3x3Matrix::KelMath3x3Matrix(const KelMathVector& iColumn0, const KelMathVector& iColumn1,
                                   const KelMathVector& iColumn2)
{
  for (int i = 0; i < 3; ++i) {
    _m[i][0] = iColumn0[i];
    _m[i][1] = iColumn1[i];
    _m[i][2] = iColumn2[i];
  }
}

void KelMath3x3Matrix::GetCoef(double oCoef[3][3]) const
{
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) oCoef[i][j] = _m[i][j];
}

double KelMath3x3Matrix::Determinant() const
{
  return _m[0][0] * (_m[1][1] * _m[2][2] - _m[1][2] * _m[2][1]) - _m[0][1] * (_m[1][0] * _m[2][2] - _m[1][2] * _m[2][0]) +
         _m[0][2] * (_m[1][0] * _m[2][1] - _m[1][1] * _m[2][0]);
}

KelMath3x3Matrix KelMath3x3Matrix::Transpose() const
{
  return KelMath3x3Matrix(_m[0][0], _m[1][0], _m[2][0], _m[0][1], _m[1][1], _m[2][1], _m[0][2], _m[1][2], _m[2][2]);
}

int KelMath3x3Matrix::Inverse(KelMath3x3Matrix& oInverse, double iTolerance) const
{
  const double det = Determinant();
  double bound = 1.0;
  for (int i = 0; i < 3; ++i) bound *= std::sqrt(_m[i][0] * _m[i][0] + _m[i][1] * _m[i][1] + _m[i][2] * _m[i][2]);
  if (!(std::fabs(det) > iTolerance * bound)) return 0;
  // Adjugate over determinant: each entry is a cofactor of the transpose.
  KelMath3x3Matrix inverse;
  for (int i = 0; i < 3; ++i) {
    const int i1 = (i + 1) % 3, i2 = (i + 2) % 3;
    for (int j = 0; j < 3; ++j) {
      const int j1 = (j + 1) % 3, j2 = (j + 2) % 3;
      inverse._m[j][i] = (_m[i1][j1] * _m[i2][j2] - _m[i1][j2] * _m[i2][j1]) / det;
    }
  }
  oInverse = inverse;
  return 1;
}

KelMathVector KelMath3x3Matrix::operator*(const KelMathVector& iVector) const
{
  const double x = iVector.GetX(), y = iVector.GetY(), z = iVector.GetZ();
  return KelMathVector(_m[0][0] * x + _m[0][1] * y + _m[0][2] * z, _m[1][0] * x + _m[1][1] * y + _m[1][2] * z,
                       _m[2][0] * x + _m[2][1] * y + _m[2][2] * z);
}

KelMath3x3Matrix KelMath3x3Matrix::operator*(const KelMath3x3Matrix& iOther) const
{
  KelMath3x3Matrix product;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      product._m[i][j] = _m[i][0] * iOther._m[0][j] + _m[i][1] * iOther._m[1][j] + _m[i][2] * iOther._m[2][j];
  return product;
}

bool KelMath3x3Matrix::operator==(const KelMath3x3Matrix& iOther) const
{
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (_m[i][j] != iOther._m[i][j]) return false;
  return true;
}
