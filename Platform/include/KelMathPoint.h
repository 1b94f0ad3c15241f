#ifndef KelMathPoint_h
#define KelMathPoint_h
// A point of 3D space, three doubles.
//
// Sums of points and products by a scalar exist for barycentres (0.5 * (A + B)).

#include "KelMathVector.h"

class KelMathPoint {
public:
  KelMathPoint() : _x(0.0), _y(0.0), _z(0.0) {}
  KelMathPoint(double iX, double iY, double iZ) : _x(iX), _y(iY), _z(iZ) {}
  explicit KelMathPoint(const double iCoord[3]) : _x(iCoord[0]), _y(iCoord[1]), _z(iCoord[2]) {}
  explicit KelMathPoint(const float iCoord[3]) : _x(iCoord[0]), _y(iCoord[1]), _z(iCoord[2]) {}

  double GetX() const { return _x; }
  double GetY() const { return _y; }
  double GetZ() const { return _z; }
  void SetX(double iX) { _x = iX; }
  void SetY(double iY) { _y = iY; }
  void SetZ(double iZ) { _z = iZ; }
  void GetCoord(double& oX, double& oY, double& oZ) const { oX = _x; oY = _y; oZ = _z; }
  void GetCoord(double oCoord[3]) const { oCoord[0] = _x; oCoord[1] = _y; oCoord[2] = _z; }
  void SetCoord(double iX, double iY, double iZ) { _x = iX; _y = iY; _z = iZ; }
  void SetCoord(const double iCoord[3]) { _x = iCoord[0]; _y = iCoord[1]; _z = iCoord[2]; }
  // Coordinate 0, 1 or 2.
  double operator[](int iIndex) const { return iIndex == 0 ? _x : (iIndex == 1 ? _y : _z); }

  double SquareDistanceTo(const KelMathPoint& iOther) const
  {
    double dx = _x - iOther._x, dy = _y - iOther._y, dz = _z - iOther._z;
    return dx * dx + dy * dy + dz * dz;
  }
  double DistanceTo(const KelMathPoint& iOther) const;

  KelMathVector operator-(const KelMathPoint& iOther) const
  {
    return KelMathVector(_x - iOther._x, _y - iOther._y, _z - iOther._z);
  }
  KelMathPoint operator+(const KelMathVector& iVector) const
  {
    return KelMathPoint(_x + iVector.GetX(), _y + iVector.GetY(), _z + iVector.GetZ());
  }
  KelMathPoint operator-(const KelMathVector& iVector) const
  {
    return KelMathPoint(_x - iVector.GetX(), _y - iVector.GetY(), _z - iVector.GetZ());
  }
  KelMathPoint& operator+=(const KelMathVector& iVector)
  {
    _x += iVector.GetX(); _y += iVector.GetY(); _z += iVector.GetZ();
    return *this;
  }
  KelMathPoint operator+(const KelMathPoint& iOther) const { return KelMathPoint(_x + iOther._x, _y + iOther._y, _z + iOther._z); }
  KelMathPoint operator*(double iFactor) const { return KelMathPoint(_x * iFactor, _y * iFactor, _z * iFactor); }
  bool operator==(const KelMathPoint& iOther) const { return _x == iOther._x && _y == iOther._y && _z == iOther._z; }
  bool operator!=(const KelMathPoint& iOther) const { return !(*this == iOther); }

private:
  double _x, _y, _z;
};

inline KelMathPoint operator*(double iFactor, const KelMathPoint& iPoint) { return iPoint * iFactor; }

#endif
