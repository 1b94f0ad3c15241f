#ifndef KelMathPlane_h
#define KelMathPlane_h
// A plane: an origin, two directions and the normal.
//
// The directions are stored orthonormalised (the first normalised, the second made orthogonal
// to it in the plane they span) and the normal is first x second, so the normal of the plane
// built from (O, U, V) or from three points (A, B, C) points along U x V or (B - A) x (C - A).
// Degenerate data (a zero normal, parallel directions, collinear points) gives an invalid plane:
// IsValid() is 0, the normal and directions are zero, distances are 0 and intersections fail.
// GetSignedDistance is positive on the side the normal points to; DistanceTo is its absolute
// value.

#include "KelMathConstants.h"
#include "KelMathLine.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"

class KelMathPlane {
public:
  // The plane z = 0: origin (0, 0, 0), directions (1, 0, 0) and (0, 1, 0), normal (0, 0, 1).
  KelMathPlane();
  KelMathPlane(const KelMathPoint& iOrigin, const KelMathVector& iFirstDirection, const KelMathVector& iSecondDirection);
  KelMathPlane(const KelMathPoint& iPoint0, const KelMathPoint& iPoint1, const KelMathPoint& iPoint2);
  // Directions: the coordinate axis least aligned with the normal, projected into the plane,
  // then normal x first. So the normal (0, 0, 1) gives (1, 0, 0) and (0, 1, 0).
  KelMathPlane(const KelMathPoint& iOrigin, const KelMathVector& iNormal);

  int IsValid() const { return _normal.SquareNorm() > 0.0 ? 1 : 0; }
  const KelMathPoint& GetOrigin() const { return _origin; }
  const KelMathVector& GetNormal() const { return _normal; }
  const KelMathVector& GetFirstDirection() const { return _first; }
  const KelMathVector& GetSecondDirection() const { return _second; }
  void GetDirections(KelMathVector& oFirst, KelMathVector& oSecond) const { oFirst = _first; oSecond = _second; }
  // Keeps the directions and the normal.
  void SetOrigin(const KelMathPoint& iOrigin) { _origin = iOrigin; }
  // a x + b y + c z + d = 0 with (a, b, c) the unit normal.
  void GetEquation(double& oA, double& oB, double& oC, double& oD) const;

  double GetSignedDistance(const KelMathPoint& iPoint) const { return _normal * (iPoint - _origin); }
  double DistanceTo(const KelMathPoint& iPoint) const;
  // Orthogonal projection; the point itself for an invalid plane.
  KelMathPoint Projection(const KelMathPoint& iPoint) const { return iPoint - _normal * GetSignedDistance(iPoint); }

  // Where a line meets the plane. With s0 and s1 the signed distances of the line's origin and
  // of origin + direction: 2 when both are within iTolerance (the line lies in the plane);
  // 0 when the direction is parallel to the plane (sine of the angle at most KelEpsilon) or the
  // plane or line is degenerate; otherwise 1 and the line's parameter of the crossing.
  int Intersect(const KelMathLine& iLine, double& oParam, double iTolerance = KelEpsilon) const;
  int Intersect(const KelMathLine& iLine, KelMathPoint& oPoint, double iTolerance = KelEpsilon) const;
  // The line common to two planes: 1, with a unit direction along this normal x the other's
  // and the origin at the point of the line nearest this plane's origin; 0 when the normals are
  // parallel (sine at most KelEpsilon, coincident planes included) or a plane is invalid.
  int Intersect(const KelMathPlane& iOther, KelMathLine& oLine) const;

private:
  void SetFrame(const KelMathVector& iFirstDirection, const KelMathVector& iSecondDirection);

  KelMathPoint _origin;
  KelMathVector _first;
  KelMathVector _second;
  KelMathVector _normal;
};

// Unsigned distance of a point to a plane.
inline double Distance(const KelMathPoint& iPoint, const KelMathPlane& iPlane) { return iPlane.DistanceTo(iPoint); }

#endif
