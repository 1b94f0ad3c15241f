#include <gtest/gtest.h>

#include "KelMathAxis.h"
#include "KelMathBox.h"
#include "KelMathSetOfPoints.h"
#include "KelMathSetOfPointsND.h"

TEST(KelMathBox, ContainIntersectUnionEnlarge)
{
  const KelMathBox unit(0, 1, 0, 1, 0, 1), empty;
  EXPECT_EQ(unit.IsContaining(KelMathPoint(1, 0.5, 0)), 1);
  EXPECT_EQ(unit.IsContaining(KelMathPoint(1.1, 0.5, 0)), 0);
  EXPECT_EQ(unit.IsContaining(KelMathPoint(1.1, 0.5, 0), 0.2), 1);
  EXPECT_EQ(empty.IsContaining(KelMathPoint()), 0);

  const KelMathBox touching(1, 2, 0, 1, 0, 1), apart(1.5, 2, 0, 1, 0, 1), diagonal(1.5, 2, 1.5, 2, 0, 1);
  EXPECT_EQ(unit.IsIntersecting(touching, 0.0), 1);
  EXPECT_EQ(unit.IsIntersecting(apart, 0.0), 0);
  EXPECT_EQ(unit.IsIntersecting(apart, 0.5), 1);
  EXPECT_EQ(unit.IsIntersecting(diagonal, 0.4), 0);
  EXPECT_EQ(unit.IsIntersecting(empty, 10.0), 0);

  KelMathBox box(unit);
  box.AddInside(empty);
  box.AddInside(KelMathBox(-1, 0, 2, 3, 0, 0));
  EXPECT_EQ(box.GetLow(), KelMathPoint(-1, 0, 0));
  EXPECT_EQ(box.GetHigh(), KelMathPoint(1, 3, 1));
  box.Enlarge(0.5);
  EXPECT_EQ(box.GetLow(), KelMathPoint(-1.5, -0.5, -0.5));
  KelMathBox thin(0, 2, 0, 10, 0, 2);
  thin.Enlarge(-1.5);  // past the centre in x and z: collapses there, stays non-empty
  EXPECT_EQ(thin.GetLow(), KelMathPoint(1, 1.5, 1));
  EXPECT_EQ(thin.GetHigh(), KelMathPoint(1, 8.5, 1));
  KelMathBox stillEmpty;
  stillEmpty.Enlarge(1.0);
  EXPECT_TRUE(stillEmpty.IsEmpty());
}

TEST(KelMathBox, AxisAndPointSets)
{
  const KelMathAxis axis(KelMathPoint(1, 2, 3), KelMathVector(2, 0, 0), KelMathVector(0, 0, 5), KelMathVector());
  KelMathVector u, v, w;
  axis.GetDirections(u, v, w);
  EXPECT_EQ(u, KelMathVector(1, 0, 0));
  EXPECT_EQ(v, KelMathVector(0, 0, 1));
  EXPECT_EQ(w, KelMathVector());
  EXPECT_EQ(KelMathAxis().GetThirdDirection(), KelMathVector(0, 0, 1));

  KelMathSetOfPoints set(2);
  set.SetPoint(1, KelMathPoint(4, 5, 6));
  EXPECT_EQ(set.AddPoint(KelMathPoint(7, 8, 9)), 3);
  EXPECT_EQ(set[0], KelMathPoint());
  EXPECT_EQ(set.GetPoint(2), KelMathPoint(7, 8, 9));
  set.Resize(2);
  EXPECT_EQ(set.GetNumberOfPoints(), 2);
  EXPECT_DEATH(set.GetPoint(2), "AssertionFailed:iIndex >= 0 && iIndex < GetNumberOfPoints\\(\\)");

  KelMathSetOfPointsND nd(3, 2);
  nd.SetPoint(1, KelMathPoint(1, 2, 3));
  EXPECT_EQ(nd.GetCoord(1, 2), 3.0);
  EXPECT_EQ(nd.GetMathPoint(1), KelMathPoint(1, 2, 3));
  EXPECT_DEATH(nd.GetCoord(0, 3), "AssertionFailed:iCoord >= 0 && iCoord < GetDimension\\(\\)");
}
