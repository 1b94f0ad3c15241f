#include <gtest/gtest.h>

#include <cmath>

#include "KelGeoFactory.h"
#include "KelKnotVector.h"
#include "KelMathSetOfPoints.h"
#include "KelNurbsCurve.h"

TEST(KelGeoFactoryTest, NurbsCurvesAreCheckedAndEvaluate)
{
  KelGeoFactory factory;
  const double knots[] = {0.0, 1.0, 2.0}, decreasing[] = {0.0, 2.0, 1.0}, zeroWeight[] = {1.0, 0.0, 1.0};
  const int clamped[] = {2, 1, 2}, loose[] = {1, 1, 1};
  const KelMathPoint corners[] = {{0, 0, 0}, {2, 0, 0}, {2, 4, 0}};
  const KelMathSetOfPoints three(corners, 3), two(corners, 2);
  const KelKnotVector polyline(1, 0, 3, knots, clamped);
  EXPECT_EQ(nullptr, factory.CreateNurbsCurve(KelKnotVector(1, 0, 3, knots, loose), 0, nullptr, three));
  EXPECT_EQ(nullptr, factory.CreateNurbsCurve(KelKnotVector(1, 1, 3, knots, clamped), 0, nullptr, three));
  EXPECT_EQ(nullptr, factory.CreateNurbsCurve(KelKnotVector(1, 0, 3, decreasing, clamped), 0, nullptr, three));
  EXPECT_EQ(nullptr, factory.CreateNurbsCurve(polyline, 0, nullptr, two));
  EXPECT_EQ(nullptr, factory.CreateNurbsCurve(polyline, 1, zeroWeight, three));

  // Degree 1: through the control points at the knots, straight in between, clamped outside.
  KelNurbsCurve* curve = factory.CreateNurbsCurve(polyline, 0, zeroWeight, three);
  ASSERT_NE(nullptr, curve);
  EXPECT_EQ(1UL, curve->GetRefCount());
  EXPECT_EQ(0, curve->IsRational());
  EXPECT_EQ(1.0, curve->GetWeight(2));
  EXPECT_EQ(KelMathPoint(1, 0, 0), curve->Evaluate(0.5));
  EXPECT_EQ(KelMathPoint(2, 0, 0), curve->Evaluate(1.0));
  EXPECT_EQ(KelMathPoint(2, 1, 0), curve->Evaluate(1.25));
  EXPECT_EQ(KelMathPoint(2, 4, 0), curve->Evaluate(7.0));
  curve->Release();

  // A rational quarter of the unit circle.
  const double ends[] = {0.0, 1.0}, weights[] = {1.0, std::sqrt(0.5), 1.0};
  const int triple[] = {3, 3};
  const KelMathPoint arcPoints[] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  curve = factory.CreateNurbsCurve(KelKnotVector(2, 0, 2, ends, triple), 1, weights, KelMathSetOfPoints(arcPoints, 3));
  ASSERT_NE(nullptr, curve);
  for (double t = 0.0; t <= 1.0; t += 0.125) {
    const KelMathPoint p = curve->Evaluate(t);
    EXPECT_NEAR(1.0, std::hypot(p.GetX(), p.GetY()), 1e-12) << t;
  }
  curve->Release();
}
