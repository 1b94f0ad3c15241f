#ifndef KelMathAxis_h
#define KelMathAxis_h
// An axis system: an origin and three directions.
//
// Directions are stored normalised (a zero vector stays zero), so a user may scale them by
// lengths of its own, as oriented boxes do. They are not made orthogonal: the axis keeps what
// it was given.

#include "KelMathPoint.h"
#include "KelMathVector.h"

class KelMathAxis {
public:
  // Origin (0, 0, 0), directions (1, 0, 0), (0, 1, 0), (0, 0, 1).
  KelMathAxis();
  KelMathAxis(const KelMathPoint& iOrigin, const KelMathVector& iFirstDirection, const KelMathVector& iSecondDirection,
              const KelMathVector& iThirdDirection);

  const KelMathPoint& GetOrigin() const { return _origin; }
  void GetOrigin(KelMathPoint& oOrigin) const { oOrigin = _origin; }
  void SetOrigin(const KelMathPoint& iOrigin) { _origin = iOrigin; }
  void GetDirections(KelMathVector& oFirst, KelMathVector& oSecond, KelMathVector& oThird) const;
  void SetDirections(const KelMathVector& iFirst, const KelMathVector& iSecond, const KelMathVector& iThird);
  const KelMathVector& GetFirstDirection() const { return _directions[0]; }
  const KelMathVector& GetSecondDirection() const { return _directions[1]; }
  const KelMathVector& GetThirdDirection() const { return _directions[2]; }

private:
  KelMathPoint _origin;
  KelMathVector _directions[3];
};

#endif
