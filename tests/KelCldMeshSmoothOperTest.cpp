// The smoothing frame's parameters, volume measure and scaling.

#include <gtest/gtest.h>

#include <cmath>

#include "KelCldBoundaryScans.h"
#include "KelCldGeometryUtil.h"
#include "KelCldMeshSmoothOper.h"
#include "KelCldPolygon.h"
#include "KelTrace.h"
#include "TestMeshes.h"

namespace {

// Unit cube, triangles facing outward (or inward when iReversed).
void MakeCube(KelCldPolygon& ioPoly, bool iReversed = false)
{
  for (int k = 0; k < 8; ++k) ioPoly.AddPoint(float(k & 1), float((k >> 1) & 1), float((k >> 2) & 1));
  const int quads[6][4] = {{1, 3, 4, 2}, {5, 6, 8, 7}, {1, 2, 6, 5}, {3, 7, 8, 4}, {1, 5, 7, 3}, {2, 4, 8, 6}};
  for (const auto& q : quads) {
    if (iReversed) {
      ioPoly.AddTriangle(q[0], q[2], q[1]);
      ioPoly.AddTriangle(q[0], q[3], q[2]);
    } else {
      ioPoly.AddTriangle(q[0], q[1], q[2]);
      ioPoly.AddTriangle(q[0], q[2], q[3]);
    }
  }
}

}  // namespace

// The default tolerance 0.1 shows in the printed parameters.
TEST(KelCldMeshSmoothOper, ParametersAreStoredAndClamped)
{
  KelCldMeshSmoothOper oper;
  oper.SetIntensity(2);
  EXPECT_EQ(oper.GetIntensity(), 1.0);
  oper.SetIntensity(0.25);
  oper.SetTimeStep(3);
  oper.SetMaxDeviation(0.5);
  oper.SetSmoothHoles(0);
  oper.SetVolumePreserve(1);
  oper.SetToleranceFlag(1);

  KelTrace::Enable("KelCldOperators");
  testing::internal::CaptureStderr();
  oper.PrintParameters();
  const std::string text = testing::internal::GetCapturedStderr();
  KelTrace::Reset();
  EXPECT_EQ(text,
            "Smoothing Parameters \n Intensity   : 0.25\n Time Steps  : 3\n Tolerance   : 0.1\n"
            " MaxDev      : 0.5\n FreezeEdges : 0\n VolPres     : 1\n Tolerance   : 1\n");
  testing::internal::CaptureStderr();
  oper.PrintParameters();  // traces off again: silent
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(KelCldMeshSmoothOper, VolumeOfCubeSphereAndHoledCube)
{
  KelCldMeshSmoothOper oper;
  KelCldPolygon cube, inward, sphere, holed;
  MakeCube(cube);
  MakeCube(inward, true);
  EXPECT_FLOAT_EQ(oper.Volume(&cube), 1.0f);
  EXPECT_FLOAT_EQ(oper.Volume(&inward), -1.0f);
  EXPECT_EQ(oper.Volume(nullptr), 0.0f);
  oper.Scale(&cube, 2.0f);
  EXPECT_FLOAT_EQ(oper.Volume(&cube), 8.0f);

  const double radius = 2.0, pi = std::acos(-1.0);
  MakeSphere(sphere, radius, 4);  // 5120 triangles
  double area = 0.0;
  {
    const KelCldGeometryUtil geometry(&sphere);
    for (int t = 1; t <= sphere.GetNbTriangles(1); ++t) area += geometry.GetTriangleArea(t);
  }
  EXPECT_NEAR(area, 4.0 * pi * radius * radius, 0.01 * 4.0 * pi * radius * radius);
  EXPECT_NEAR(oper.Volume(&sphere), 4.0 / 3.0 * pi * radius * radius * radius,
              0.01 * 4.0 / 3.0 * pi * radius * radius * radius);

  // One face open: its border is one closed scan whose fan closes the hole again.
  MakeCube(holed);
  holed.RemoveTriangle(3);  // the face z = 1
  holed.RemoveTriangle(4);
  EXPECT_NEAR(oper.Volume(&holed), 2.0f / 3.0f, 1e-6);  // the open face's pyramid is missing
  ASSERT_EQ(holed.BuildBoundaryScans(), 1);
  EXPECT_NEAR(oper.Volume(&holed), 1.0f, 1e-6);
}

TEST(KelCldMeshSmoothOperDeathTest, OpenScan)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  KelCldBoundaryScans* scans = new KelCldBoundaryScans;
  KelCldBoundaryScan* open = new KelCldBoundaryScan(0);
  open->AddPoint(1);
  open->AddPoint(2);
  scans->AddScan(open);
  grid.SetBoundaryScans(scans);
  KelCldMeshSmoothOper oper;
  EXPECT_DEATH(oper.Volume(&grid),
               "AssertionFailed:scan->IsClosed\\(\\)\nKelPolyMeshOperatorsBase/KelCldOperatorsBase.m/src/KelCldMeshSmoothOper");
}
