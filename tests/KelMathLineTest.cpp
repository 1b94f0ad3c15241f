#include <gtest/gtest.h>

#include "KelMathLine.h"

TEST(KelMathLine, ParamProjectionDistance)
{
  const KelMathLine seg(KelMathPoint(1, 0, 0), KelMathPoint(3, 0, 0));
  EXPECT_DOUBLE_EQ(seg.GetParam(KelMathPoint(2, 5, 0)), 0.5);
  EXPECT_EQ(seg.Projection(KelMathPoint(4, 1, 1)), KelMathPoint(4, 0, 0));
  EXPECT_DOUBLE_EQ(seg.DistanceTo(KelMathPoint(4, 3, 4)), 5.0);
  EXPECT_EQ(seg.Evaluate(1.0), KelMathPoint(3, 0, 0));

  double t = 0.0;
  EXPECT_EQ(seg.GetParam(KelMathPoint(2, 0.0005, 0), t, 0.001, 0.0, 1.0), 1);
  EXPECT_DOUBLE_EQ(t, 0.5);
  EXPECT_EQ(seg.GetParam(KelMathPoint(2, 0.002, 0), t, 0.001, 0.0, 1.0), 0);
  // Just past the end within the tolerance counts; farther does not; unbounded by default.
  EXPECT_EQ(seg.GetParam(KelMathPoint(3.0009, 0, 0), t, 0.001, 0.0, 1.0), 1);
  EXPECT_EQ(seg.GetParam(KelMathPoint(3.002, 0, 0), t, 0.001, 0.0, 1.0), 0);
  EXPECT_EQ(seg.GetParam(KelMathPoint(30, 0, 0), t, 0.001), 1);

  // A zero direction stands for its origin and fails GetParam.
  const KelMathLine point(KelMathPoint(1, 1, 1), KelMathPoint(1, 1, 1));
  EXPECT_EQ(point.GetParam(KelMathPoint(1, 1, 1), t, 0.1), 0);
  EXPECT_EQ(point.Projection(KelMathPoint(5, 5, 5)), KelMathPoint(1, 1, 1));
  EXPECT_DOUBLE_EQ(point.DistanceTo(KelMathPoint(1, 1, 3)), 2.0);
}

TEST(KelMathLine, Intersect)
{
  const KelMathLine ab(KelMathPoint(0, 0, 0), KelMathPoint(2, 0, 0));
  const KelMathLine cd(KelMathPoint(1, -1, 0), KelMathPoint(1, 1, 0));
  double s = 0.0, t = 0.0;
  EXPECT_EQ(ab.Intersect(cd, KelMathInfinite, KelEpsilon, s, t), 1);
  EXPECT_DOUBLE_EQ(s, 0.5);
  EXPECT_DOUBLE_EQ(t, 0.5);
  EXPECT_EQ(ab.Intersect(cd, 1.0, 0.001), 1);

  // Skew lines 0.5 apart; lines that cross only beyond a segment's end.
  const KelMathLine skew(KelMathPoint(1, -1, 0.5), KelMathPoint(1, 1, 0.5));
  EXPECT_EQ(ab.Intersect(skew, KelMathInfinite, 0.001, s, t), 0);
  EXPECT_EQ(ab.Intersect(skew, KelMathInfinite, 0.6, s, t), 1);
  const KelMathLine beyond(KelMathPoint(3, -1, 0), KelMathPoint(3, 1, 0));
  EXPECT_EQ(ab.Intersect(beyond, KelMathInfinite, 0.001), 1);
  EXPECT_EQ(ab.Intersect(beyond, 1.0, 0.001), 0);

  // Parallel: distinct refused, collinear reported as 2, segments only when they overlap.
  EXPECT_EQ(ab.Intersect(KelMathLine(KelMathPoint(0, 1, 0), KelMathPoint(2, 1, 0)), KelMathInfinite, 0.001), 0);
  EXPECT_EQ(ab.Intersect(KelMathLine(KelMathPoint(5, 0, 0), KelMathPoint(4, 0, 0)), KelMathInfinite, 0.001, s, t), 2);
  EXPECT_DOUBLE_EQ(s, 2.5);
  EXPECT_EQ(ab.Intersect(KelMathLine(KelMathPoint(5, 0, 0), KelMathPoint(4, 0, 0)), 1.0, 0.001), 0);
  EXPECT_EQ(ab.Intersect(KelMathLine(KelMathPoint(3, 0, 0), KelMathPoint(1.5, 0, 0)), 1.0, 0.001), 2);
  EXPECT_EQ(ab.Intersect(KelMathLine(KelMathPoint(1, 1, 1), KelMathPoint(1, 1, 1)), KelMathInfinite, 0.001), 0);
}
