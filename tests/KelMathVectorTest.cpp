#include <gtest/gtest.h>

#include <cmath>

#include "KelMathDirection.h"
#include "KelMathPoint.h"
#include "KelMathVector.h"

TEST(KelMathVector, AnglesAndTests)
{
  const KelMathVector x(1, 0, 0), y(0, 2, 0), zero;
  EXPECT_DOUBLE_EQ(x.GetAngleTo(y), KelPI / 2);
  EXPECT_DOUBLE_EQ(x.GetAngleTo(KelMathVector(-3, 0, 0)), KelPI);
  EXPECT_DOUBLE_EQ(x.GetAngleTo(KelMathVector(1, 1, 0)), KelPI / 4);
  // Tiny angles keep their precision (acos of a cosine would give 0).
  EXPECT_NEAR(x.GetAngleTo(KelMathVector(1, 1e-9, 0)), 1e-9, 1e-20);
  EXPECT_EQ(x.GetAngleTo(zero), 0.0);

  EXPECT_EQ(x.IsParallel(KelMathVector(-5, 0, 0)), 1);
  EXPECT_EQ(x.IsParallel(y), 0);
  EXPECT_EQ(x.IsParallel(zero), 1);
  EXPECT_EQ(x.IsOrthogonal(y), 1);
  EXPECT_EQ(x.IsOrthogonal(KelMathVector(1, 1, 0)), 0);
  EXPECT_EQ(x.IsOrthogonal(KelMathVector(1e-3, 1, 0), 1e-2), 1);
}

TEST(KelMathVector, PointsAndDirections)
{
  const KelMathPoint a(1, 2, 3), b(3, 2, 1);
  EXPECT_EQ(0.5 * (a + b), KelMathPoint(2, 2, 2));
  EXPECT_DOUBLE_EQ(a.DistanceTo(b), std::sqrt(8.0));

  const KelMathDirection d(KelMathVector(0, 3, 4));
  EXPECT_EQ(d.IsValid(), 1);
  EXPECT_DOUBLE_EQ(d.GetY(), 0.6);
  EXPECT_DOUBLE_EQ(d.GetZ(), 0.8);
  EXPECT_DOUBLE_EQ(KelMathVector(d).Norm(), 1.0);
  EXPECT_DOUBLE_EQ(d * KelMathVector(0, 5, 0), 3.0);

  KelMathDirection bad(KelMathVector(0, 0, 0));
  EXPECT_EQ(bad.IsValid(), 0);
  EXPECT_EQ(bad.Set(KelMathVector()), 0);
  EXPECT_EQ(bad.Set(KelMathVector(0, 0, -2)), 1);
  EXPECT_EQ(bad.GetZ(), -1.0);
}
