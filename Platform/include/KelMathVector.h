#ifndef KelMathVector_h
#define KelMathVector_h
// A vector of 3D space, three doubles.
//
// Tests against a tolerance are relative (sine or cosine of the angle), so they do not depend
// on the vectors' lengths. A zero vector is parallel and orthogonal to everything, and its angle
// to anything is 0: callers treat degenerate edges as "no direction" without a special case.

#include "KelMathConstants.h"

class KelMathVector {
public:
  KelMathVector() : _x(0.0), _y(0.0), _z(0.0) {}
  KelMathVector(double iX, double iY, double iZ) : _x(iX), _y(iY), _z(iZ) {}
  explicit KelMathVector(const double iCoord[3]) : _x(iCoord[0]), _y(iCoord[1]), _z(iCoord[2]) {}

  double GetX() const { return _x; }
  double GetY() const { return _y; }
  double GetZ() const { return _z; }
  void GetCoord(double& oX, double& oY, double& oZ) const { oX = _x; oY = _y; oZ = _z; }
  void GetCoord(double oCoord[3]) const { oCoord[0] = _x; oCoord[1] = _y; oCoord[2] = _z; }
  void SetCoord(double iX, double iY, double iZ) { _x = iX; _y = iY; _z = iZ; }
  double operator[](int iIndex) const { return iIndex == 0 ? _x : (iIndex == 1 ? _y : _z); }

  double SquareNorm() const { return _x * _x + _y * _y + _z * _z; }
  double Norm() const;
  // Scales to unit length; returns 0 (and leaves the vector) when its norm is 0, else 1.
  int Normalize();

  double operator*(const KelMathVector& iOther) const { return _x * iOther._x + _y * iOther._y + _z * iOther._z; }
  KelMathVector operator^(const KelMathVector& iOther) const
  {
    return KelMathVector(_y * iOther._z - _z * iOther._y, _z * iOther._x - _x * iOther._z,
                         _x * iOther._y - _y * iOther._x);
  }
  KelMathVector operator+(const KelMathVector& iOther) const { return KelMathVector(_x + iOther._x, _y + iOther._y, _z + iOther._z); }
  KelMathVector operator-(const KelMathVector& iOther) const { return KelMathVector(_x - iOther._x, _y - iOther._y, _z - iOther._z); }
  KelMathVector operator-() const { return KelMathVector(-_x, -_y, -_z); }
  KelMathVector operator*(double iFactor) const { return KelMathVector(_x * iFactor, _y * iFactor, _z * iFactor); }
  KelMathVector& operator+=(const KelMathVector& iOther) { _x += iOther._x; _y += iOther._y; _z += iOther._z; return *this; }
  KelMathVector& operator-=(const KelMathVector& iOther) { _x -= iOther._x; _y -= iOther._y; _z -= iOther._z; return *this; }
  KelMathVector& operator*=(double iFactor) { _x *= iFactor; _y *= iFactor; _z *= iFactor; return *this; }
  bool operator==(const KelMathVector& iOther) const { return _x == iOther._x && _y == iOther._y && _z == iOther._z; }
  bool operator!=(const KelMathVector& iOther) const { return !(*this == iOther); }

  // Unsigned angle in radians, 0..pi.
  double GetAngleTo(const KelMathVector& iOther) const;
  // 1 when |sin(angle)| <= iTolerance.
  int IsParallel(const KelMathVector& iOther, double iTolerance = KelEpsilon) const;
  // 1 when |cos(angle)| <= iTolerance.
  int IsOrthogonal(const KelMathVector& iOther, double iTolerance = KelEpsilon) const;

private:
  double _x, _y, _z;
};

inline KelMathVector operator*(double iFactor, const KelMathVector& iVector) { return iVector * iFactor; }

#endif
