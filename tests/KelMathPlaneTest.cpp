#include <gtest/gtest.h>

#include "KelMathPlane.h"

TEST(KelMathPlane, ConstructionAndDistances)
{
  const KelMathPlane xy;
  EXPECT_EQ(xy.GetNormal(), KelMathVector(0, 0, 1));

  // Normal along (B - A) x (C - A); the second direction is orthonormalised.
  const KelMathPlane abc(KelMathPoint(0, 0, 2), KelMathPoint(2, 0, 2), KelMathPoint(1, 1, 2));
  EXPECT_EQ(abc.GetNormal(), KelMathVector(0, 0, 1));
  EXPECT_EQ(abc.GetSecondDirection(), KelMathVector(0, 1, 0));
  const KelMathPlane flipped(KelMathPoint(0, 0, 2), KelMathVector(0, 1, 0), KelMathVector(1, 0, 0));
  EXPECT_EQ(flipped.GetNormal(), KelMathVector(0, 0, -1));

  const KelMathPoint above(5, 5, 3), below(1, 1, -1);
  EXPECT_DOUBLE_EQ(abc.GetSignedDistance(above), 1.0);
  EXPECT_DOUBLE_EQ(abc.GetSignedDistance(below), -3.0);
  EXPECT_DOUBLE_EQ(flipped.GetSignedDistance(above), -1.0);
  EXPECT_DOUBLE_EQ(abc.DistanceTo(below), 3.0);
  EXPECT_DOUBLE_EQ(Distance(below, flipped), 3.0);
  EXPECT_EQ(abc.Projection(below), KelMathPoint(1, 1, 2));

  const KelMathPlane byNormal(KelMathPoint(0, 0, 1), KelMathVector(0, 0, 3));
  EXPECT_EQ(byNormal.GetFirstDirection(), KelMathVector(1, 0, 0));
  EXPECT_EQ(byNormal.GetSecondDirection(), KelMathVector(0, 1, 0));
  double a, b, c, d;
  byNormal.GetEquation(a, b, c, d);
  EXPECT_EQ(d, -1.0);

  // Degenerate inputs give invalid planes, never NaN.
  const KelMathPlane collinear(KelMathPoint(0, 0, 0), KelMathPoint(1, 1, 1), KelMathPoint(2, 2, 2));
  EXPECT_EQ(collinear.IsValid(), 0);
  EXPECT_EQ(collinear.DistanceTo(above), 0.0);
  EXPECT_EQ(KelMathPlane(KelMathPoint(), KelMathVector()).IsValid(), 0);
}

TEST(KelMathPlane, Intersections)
{
  const KelMathPlane z1(KelMathPoint(0, 0, 1), KelMathVector(0, 0, 1));
  KelMathPoint p;
  double t = 0.0;
  EXPECT_EQ(z1.Intersect(KelMathLine(KelMathPoint(1, 1, 0), KelMathPoint(3, 1, 4)), p), 1);
  EXPECT_EQ(p, KelMathPoint(1.5, 1, 1));
  EXPECT_EQ(z1.Intersect(KelMathLine(KelMathPoint(1, 1, 0), KelMathPoint(3, 1, 4)), t), 1);
  EXPECT_DOUBLE_EQ(t, 0.25);
  // Parallel off the plane refused; in the plane (within the tolerance) reported as 2.
  EXPECT_EQ(z1.Intersect(KelMathLine(KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0)), p), 0);
  EXPECT_EQ(z1.Intersect(KelMathLine(KelMathPoint(0, 0, 1), KelMathPoint(1, 5, 1)), p), 2);
  EXPECT_EQ(z1.Intersect(KelMathLine(KelMathPoint(0, 0, 1.0005), KelMathPoint(1, 0, 0.9995)), p, 0.001), 2);
  EXPECT_EQ(KelMathPlane(KelMathPoint(), KelMathVector()).Intersect(KelMathLine(), p), 0);

  const KelMathPlane x2(KelMathPoint(2, 7, 7), KelMathVector(1, 0, 0));
  KelMathLine line;
  ASSERT_EQ(z1.Intersect(x2, line), 1);
  EXPECT_DOUBLE_EQ(line.GetDirection().Norm(), 1.0);
  EXPECT_EQ(line.GetDirection().IsParallel(KelMathVector(0, 1, 0)), 1);
  EXPECT_EQ(line.GetOrigin(), KelMathPoint(2, 0, 1));
  EXPECT_EQ(z1.Intersect(KelMathPlane(KelMathPoint(0, 0, 5), KelMathVector(0, 0, -1)), line), 0);
  EXPECT_EQ(z1.Intersect(z1, line), 0);
}
