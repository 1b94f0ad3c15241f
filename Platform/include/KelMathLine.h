#ifndef KelMathLine_h
#define KelMathLine_h
// An infinite line: an origin and a direction vector, parametrised as origin + t * direction.
//
// The direction is kept as given, not normalised: a line built from two points has parameter 0
// at the first point and 1 at the second, so parameter ranges express segments. A line with a
// zero direction stands for its origin point: projections return the origin, distances are
// measured to it and GetParam and Intersect fail.

#include "KelMathConstants.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"

class KelMathLine {
public:
  // Through (0, 0, 0) along (1, 0, 0).
  KelMathLine() : _direction(1.0, 0.0, 0.0) {}
  KelMathLine(const KelMathPoint& iOrigin, const KelMathVector& iDirection) : _origin(iOrigin), _direction(iDirection) {}
  // Parameter 0 at iStart, 1 at iEnd.
  KelMathLine(const KelMathPoint& iStart, const KelMathPoint& iEnd) : _origin(iStart), _direction(iEnd - iStart) {}

  const KelMathPoint& GetOrigin() const { return _origin; }
  const KelMathVector& GetDirection() const { return _direction; }
  void SetOrigin(const KelMathPoint& iOrigin) { _origin = iOrigin; }
  void SetDirection(const KelMathVector& iDirection) { _direction = iDirection; }
  int IsValid() const { return _direction.SquareNorm() > 0.0 ? 1 : 0; }

  KelMathPoint Evaluate(double iParam) const { return _origin + _direction * iParam; }

  // Parameter of the orthogonal projection of the point; 0 for a zero direction.
  double GetParam(const KelMathPoint& iPoint) const;
  // 1 when the point lies within iTolerance of the line and its parameter within
  // [iMinParam, iMaxParam], widened by iTolerance measured along the line, so that a point
  // within iTolerance of a segment's end still counts. oParam receives the parameter in any
  // case (0 for a zero direction, which fails).
  int GetParam(const KelMathPoint& iPoint, double& oParam, double iTolerance = KelEpsilon,
               double iMinParam = -KelMathInfinite, double iMaxParam = KelMathInfinite) const;

  // Orthogonal projection.
  KelMathPoint Projection(const KelMathPoint& iPoint) const { return Evaluate(GetParam(iPoint)); }
  double SquareDistanceTo(const KelMathPoint& iPoint) const { return Projection(iPoint).SquareDistanceTo(iPoint); }
  double DistanceTo(const KelMathPoint& iPoint) const;

  // Where two lines meet, each taken on parameters [0, iMaxParam] (1.0 for lines made of two
  // points: their segments), ends widened by iTolerance along each line; iMaxParam at or above
  // KelMathInfinite leaves both lines unbounded. Results: 0 when they do not come within
  // iTolerance of each other, or a direction is zero; 1 for a crossing, with the parameters of
  // the closest points on this line and on the other; 2 when they are collinear (directions
  // parallel, sine at most KelEpsilon, and within iTolerance) and overlap, with the parameter of
  // the other line's origin on this one and 0.
  int Intersect(const KelMathLine& iOther, double iMaxParam, double iTolerance, double& oParam, double& oOtherParam) const;
  int Intersect(const KelMathLine& iOther, double iMaxParam, double iTolerance) const;

private:
  KelMathPoint _origin;
  KelMathVector _direction;
};

#endif
