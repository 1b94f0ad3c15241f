#ifndef KelMathTransformation_h
#define KelMathTransformation_h
// An affine transformation: x -> M x + T, with M a 3x3 matrix and T a translation.
//
// Vectors are transformed by M alone. (A * B) applies B first, then A. Built from degenerate
// data (invalid plane, zero rotation axis) the transformation is the identity; a scaling by 0
// is kept but has no inverse.

#include "KelMath3x3Matrix.h"
#include "KelMathLine.h"
#include "KelMathPlane.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"

class KelMathTransformation {
public:
  // Identity.
  KelMathTransformation() {}
  KelMathTransformation(const KelMath3x3Matrix& iMatrix, const KelMathVector& iTranslation)
      : _matrix(iMatrix), _translation(iTranslation) {}
  explicit KelMathTransformation(const KelMathVector& iTranslation) : _translation(iTranslation) {}
  // Reflection in the plane.
  explicit KelMathTransformation(const KelMathPlane& iMirrorPlane);
  // Rotation by iAngle radians about the line, right-handed about its direction (counter-
  // clockwise when the direction points at the viewer).
  KelMathTransformation(const KelMathLine& iAxis, double iAngle);
  // Uniform scaling about a centre, which stays in place.
  KelMathTransformation(const KelMathPoint& iCenter, double iScale);

  const KelMath3x3Matrix& GetMatrix() const { return _matrix; }
  const KelMathVector& GetTranslation() const { return _translation; }

  KelMathPoint operator*(const KelMathPoint& iPoint) const;
  KelMathVector operator*(const KelMathVector& iVector) const { return _matrix * iVector; }
  KelMathTransformation operator*(const KelMathTransformation& iOther) const;
  // 1 and the inverse; 0 when the matrix is singular (oInverse untouched).
  int Inverse(KelMathTransformation& oInverse) const;

private:
  KelMath3x3Matrix _matrix;
  KelMathVector _translation;
};

#endif
