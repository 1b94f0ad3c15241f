#ifndef KelMathDirection_h
#define KelMathDirection_h
// A direction of 3D space: a vector of unit length, three doubles.
//
// Built from a zero vector it is the zero triple and IsValid() answers 0, so a degenerate
// input is visible instead of turning into NaN. It converts implicitly to KelMathVector.

#include "KelMathVector.h"

class KelMathDirection {
public:
  // (1, 0, 0).
  KelMathDirection() : _x(1.0), _y(0.0), _z(0.0) {}
  KelMathDirection(double iX, double iY, double iZ) { Set(KelMathVector(iX, iY, iZ)); }
  explicit KelMathDirection(const KelMathVector& iVector) { Set(iVector); }

  // Normalises the vector; returns 0 for a zero vector, which leaves the zero triple.
  int Set(const KelMathVector& iVector);
  int IsValid() const { return _x != 0.0 || _y != 0.0 || _z != 0.0; }

  double GetX() const { return _x; }
  double GetY() const { return _y; }
  double GetZ() const { return _z; }
  void GetCoord(double& oX, double& oY, double& oZ) const { oX = _x; oY = _y; oZ = _z; }
  void GetCoord(double oCoord[3]) const { oCoord[0] = _x; oCoord[1] = _y; oCoord[2] = _z; }
  double operator[](int iIndex) const { return iIndex == 0 ? _x : (iIndex == 1 ? _y : _z); }

  KelMathVector GetVector() const { return KelMathVector(_x, _y, _z); }
  operator KelMathVector() const { return GetVector(); }

  KelMathDirection operator-() const { KelMathDirection d(*this); d._x = -_x; d._y = -_y; d._z = -_z; return d; }
  double operator*(const KelMathVector& iVector) const { return _x * iVector.GetX() + _y * iVector.GetY() + _z * iVector.GetZ(); }
  KelMathVector operator*(double iFactor) const { return KelMathVector(_x * iFactor, _y * iFactor, _z * iFactor); }
  KelMathVector operator^(const KelMathVector& iVector) const { return GetVector() ^ iVector; }

private:
  double _x, _y, _z;
};

inline KelMathVector operator*(double iFactor, const KelMathDirection& iDirection) { return iDirection * iFactor; }

#endif
