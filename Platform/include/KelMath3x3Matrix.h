#ifndef KelMath3x3Matrix_h
#define KelMath3x3Matrix_h
// A 3x3 matrix of doubles; indices 0..2, (row, column).
//
// A matrix counts as singular when |det| <= iTolerance times the product of its row norms, the
// largest value |det| can take for those rows (Hadamard): the test ignores the matrix's scale
// and refuses a zero row outright.

#include "KelMathConstants.h"
#include "KelMathVector.h"

class KelMath3x3Matrix {
public:
  // Identity.
  KelMath3x3Matrix();
  // Row-major coefficients.
  KelMath3x3Matrix(double i00, double i01, double i02, double i10, double i11, double i12, double i20, double i21,
                   double i22);
  explicit KelMath3x3Matrix(const double iCoef[3][3]);
  // The three columns.
  KelMath3x3Matrix(const KelMathVector& iColumn0, const KelMathVector& iColumn1, const KelMathVector& iColumn2);

  double operator()(int iRow, int iColumn) const { return _m[iRow][iColumn]; }
  double Get(int iRow, int iColumn) const { return _m[iRow][iColumn]; }
  void Set(int iRow, int iColumn, double iValue) { _m[iRow][iColumn] = iValue; }
  void GetCoef(double oCoef[3][3]) const;
  KelMathVector GetColumn(int iColumn) const { return KelMathVector(_m[0][iColumn], _m[1][iColumn], _m[2][iColumn]); }

  double Determinant() const;
  KelMath3x3Matrix Transpose() const;
  // 1 and the inverse; 0 for a singular matrix, leaving oInverse untouched.
  int Inverse(KelMath3x3Matrix& oInverse, double iTolerance = KelEpsilon) const;

  KelMathVector operator*(const KelMathVector& iVector) const;
  KelMath3x3Matrix operator*(const KelMath3x3Matrix& iOther) const;
  bool operator==(const KelMath3x3Matrix& iOther) const;
  bool operator!=(const KelMath3x3Matrix& iOther) const { return !(*this == iOther); }

private:
  double _m[3][3];
};

#endif
