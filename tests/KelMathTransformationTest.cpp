#include <gtest/gtest.h>

#include "KelMathTransformation.h"

namespace {

void ExpectNear(const KelMathPoint& iActual, const KelMathPoint& iExpected)
{
  EXPECT_LT(iActual.DistanceTo(iExpected), 1e-12) << iActual.GetX() << " " << iActual.GetY() << " " << iActual.GetZ();
}

}  // namespace

TEST(KelMathTransformation, MirrorRotationScaling)
{
  // Mirror in x + y = 2 (normal (1, 1, 0) through (1, 1, 0)): (0, 0, 5) goes to (2, 2, 5).
  const KelMathPlane plane(KelMathPoint(1, 1, 0), KelMathVector(1, 1, 0));
  const KelMathTransformation mirror(plane);
  const KelMathPoint p(0, 0, 5);
  ExpectNear(mirror * p, KelMathPoint(2, 2, 5));
  ExpectNear(mirror * (mirror * p), p);
  ExpectNear((mirror * mirror) * KelMathPoint(-3, 7, 1), KelMathPoint(-3, 7, 1));
  ExpectNear(mirror * KelMathPoint(2, 0, 9), KelMathPoint(2, 0, 9));  // on the plane
  EXPECT_NEAR(mirror.GetMatrix().Determinant(), -1.0, 1e-15);
  const KelMathVector v = mirror * KelMathVector(1, 1, 0);  // vectors ignore the translation
  EXPECT_NEAR(v.GetX(), -1.0, 1e-15);

  // Quarter turn about the vertical line through (1, 0, 0): (2, 0, 3) goes to (1, 1, 3).
  const KelMathTransformation rotation(KelMathLine(KelMathPoint(1, 0, 0), KelMathVector(0, 0, 2)), KelPI / 2);
  ExpectNear(rotation * KelMathPoint(2, 0, 3), KelMathPoint(1, 1, 3));

  const KelMathTransformation scaling(KelMathPoint(1, 1, 1), 3.0);
  ExpectNear(scaling * KelMathPoint(2, 1, 0), KelMathPoint(4, 1, -2));
  ExpectNear(scaling * KelMathPoint(1, 1, 1), KelMathPoint(1, 1, 1));

  // Degenerate data: identity, and a zero scaling has no inverse.
  ExpectNear(KelMathTransformation(KelMathPlane(KelMathPoint(), KelMathVector())) * p, p);
  ExpectNear(KelMathTransformation(KelMathLine(KelMathPoint(), KelMathVector()), 1.0) * p, p);
  KelMathTransformation inverse;
  EXPECT_EQ(KelMathTransformation(KelMathPoint(), 0.0).Inverse(inverse), 0);
}

TEST(KelMathTransformation, CompositionAndInverse)
{
  const KelMathTransformation translation(KelMathVector(1, 2, 3));
  const KelMathTransformation rotation(KelMathLine(KelMathPoint(0, 0, 0), KelMathVector(1, 0, 0)), KelPI / 2);
  const KelMathPoint p(0, 1, 0);
  // Right operand first: rotate (0, 1, 0) to (0, 0, 1), then translate.
  ExpectNear((translation * rotation) * p, KelMathPoint(1, 2, 4));
  ExpectNear((rotation * translation) * p, rotation * (translation * p));

  const KelMathTransformation mixed =
      translation * rotation * KelMathTransformation(KelMathPoint(5, -1, 2), 0.5) *
      KelMathTransformation(KelMathPlane(KelMathPoint(0, 0, 1), KelMathPoint(1, 0, 2), KelMathPoint(0, 1, 1)));
  KelMathTransformation inverse;
  ASSERT_EQ(mixed.Inverse(inverse), 1);
  const KelMathPoint q(3.5, -2, 7);
  ExpectNear(inverse * (mixed * q), q);
  ExpectNear(mixed * (inverse * q), q);
}
