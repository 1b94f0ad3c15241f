// Small-angle repair: caps flipped, facing caps left alone, needles contracted into the right
// corner (on a boundary and inside a grid), the list entry points, the dirty scan, assertions.

#include "KelCldFixSmallAngleTrianglesOper.h"

#include <gtest/gtest.h>

#include <vector>

#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::vector<int> Vertices(const KelCldPolygon& iPolygon, int iTriangle)
{
  int v[3];
  unsigned char orientation;
  iPolygon.GetTriangleVertices(iTriangle, v, orientation);
  return {v[0], v[1], v[2]};
}

std::vector<int> SmallAngleTriangles(KelCldFixSmallAngleTrianglesOper& ioOper, KelCldPolygon& ioPolygon)
{
  KelRawCollint triangles;
  ioOper.GetSmallAngleTriangles(&ioPolygon, triangles);
  return List(triangles);
}

// Cap (1, 2, 3) with angles of 0.00005 rad at 1 and 2, and when iOtherApexY is given a
// triangle (2, 1, 4) across the long edge 1-2.
void MakeCap(KelCldPolygon& ioPolygon, float iOtherApexY = 0.f)
{
  ioPolygon.AddPoint(-1.f, 0.f, 0.f);
  ioPolygon.AddPoint(1.f, 0.f, 0.f);
  ioPolygon.AddPoint(0.f, 5e-5f, 0.f);
  ioPolygon.AddTriangle(1, 2, 3);
  if (iOtherApexY == 0.f) return;
  ioPolygon.AddPoint(0.f, iOtherApexY, 0.f);
  ioPolygon.AddTriangle(2, 1, 4);
}

}  // namespace

TEST(KelCldFixSmallAngleTrianglesOper, Caps)
{
  KelCldFixSmallAngleTrianglesOper oper;
  {  // With a neighbour across the long edge, the edge is flipped.
    KelCldPolygon polygon;
    MakeCap(polygon, -1.f);
    EXPECT_EQ(oper.Run(&polygon), TRUE);
    EXPECT_EQ(polygon.GetRefCount(), 1u);
    EXPECT_EQ(Vertices(polygon, 1), std::vector<int>({3, 1, 4}));
    EXPECT_EQ(Vertices(polygon, 2), std::vector<int>({4, 2, 3}));
    EXPECT_TRUE(SmallAngleTriangles(oper, polygon).empty());
  }
  {  // On a free long edge there is nothing to flip with: a run leaves it, a flip removes it.
    KelCldPolygon polygon;
    MakeCap(polygon);
    EXPECT_EQ(oper.Run(&polygon), TRUE);
    EXPECT_EQ(polygon.GetNbTriangles(0), 1);
    ASSERT_TRUE(oper.Setup(&polygon));
    EXPECT_TRUE(oper.FlipEdge(1, 2));
    EXPECT_EQ(polygon.GetNbTriangles(0), 0);
    oper.Cleanup();
  }
  {  // Two caps facing each other across their long edge are both left alone.
    KelCldPolygon polygon;
    MakeCap(polygon, -5e-5f);
    const uint64_t stamp = polygon.GetTopologyStamp();
    EXPECT_EQ(SmallAngleTriangles(oper, polygon), std::vector<int>({1, 2}));
    EXPECT_EQ(oper.Run(&polygon), TRUE);
    EXPECT_EQ(polygon.GetTopologyStamp(), stamp);
  }
}

TEST(KelCldFixSmallAngleTrianglesOper, Needles)
{
  KelCldFixSmallAngleTrianglesOper oper;
  {  // Needle (1, 2, 3) with its short edge 2-3 free: 2, after the small angle, is on the
     // boundary and kept in place.
    KelCldPolygon polygon;
    const float points[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 5e-5f, 0}, {0.5f, 1, 0}};
    for (const auto& p : points) polygon.AddPoint(p);
    polygon.AddTriangle(1, 2, 3);
    polygon.AddTriangle(1, 3, 4);
    KelRawCollint removed = Coll({99});
    EXPECT_EQ(oper.RunOnSelectedTriangles(&polygon, Coll({1, 2}), removed), TRUE);
    EXPECT_EQ(List(removed), std::vector<int>({99, 1}));
    EXPECT_FALSE(polygon.IsAVertex(3));
    EXPECT_EQ(Vertices(polygon, 2), std::vector<int>({1, 2, 4}));
    KelMathPoint kept;
    polygon.GetPoint(2, kept);
    EXPECT_EQ(kept, KelMathPoint(1, 0, 0));
  }
  {  // Inside a grid, 13 moved next to 14 makes needles 14 = (8, 14, 13) and 21 = (13, 14, 19).
     // Neither end is on the boundary: 13, the second corner after the small angle of needle
     // 14, is kept in place.
    KelCldPolygon polygon;
    MakeGrid(polygon, 5, 5);
    polygon.SetPoint(13, 2.99995f, 2.f, 0.f);
    EXPECT_EQ(SmallAngleTriangles(oper, polygon), std::vector<int>({14, 21}));
    const int triangles = polygon.GetNbTriangles(0);
    EXPECT_EQ(oper.Run(&polygon), TRUE);
    EXPECT_FALSE(polygon.IsAVertex(14));
    KelMathPoint kept;
    polygon.GetPoint(13, kept);
    EXPECT_EQ(kept, KelMathPoint(2.99995f, 2, 0));
    EXPECT_EQ(polygon.GetNbTriangles(0), triangles - 2);
    EXPECT_TRUE(SmallAngleTriangles(oper, polygon).empty());
    EXPECT_TRUE(polygon.IsManifold());
  }
}

TEST(KelCldFixSmallAngleTrianglesOper, EntryPoints)
{
  KelCldFixSmallAngleTrianglesOper oper;
  EXPECT_EQ(oper.Run(nullptr), FALSE);
  EXPECT_EQ(oper.RunOnSelectedTriangles(nullptr, KelRawCollint()), FALSE);
  KelRawCollint untouched = Coll({5});
  oper.GetSmallAngleTriangles(nullptr, untouched);
  EXPECT_EQ(List(untouched), std::vector<int>({5}));

  // A clean grid: nothing to do, but the polygon hears about each run.
  KelCldPolygon polygon;
  MakeGrid(polygon, 4, 4);
  const uint64_t stamp = polygon.GetTopologyStamp();
  const int modifications = polygon.GetNbModifications();
  EXPECT_EQ(oper.RunOnSelectedTriangles(&polygon, KelRawCollint()), TRUE);
  EXPECT_EQ(oper.Run(&polygon), TRUE);
  EXPECT_EQ(polygon.GetTopologyStamp(), stamp);
  EXPECT_EQ(polygon.GetNbModifications(), modifications + 2);

  oper.SetTolerance(0.8);  // above 45 degrees: every triangle of the grid
  EXPECT_EQ(SmallAngleTriangles(oper, polygon).size(), 18u);
  ASSERT_TRUE(oper.Setup(&polygon));
  KelRawCollint found = Coll({7});
  oper.GetSmallAngleTriangles(Coll({3, 0, 2, 40}), found);  // appends, skipping invalid numbers
  EXPECT_EQ(List(found), std::vector<int>({7, 3, 2}));
  oper.Cleanup();
}

TEST(KelCldFixSmallAngleTrianglesOper, DirtyScan)
{
  KelCldPolygon polygon;
  KEL_READ_SHARED("snowden.obj", polygon);
  KelCldFixSmallAngleTrianglesOper oper;
  oper.SetTolerance(0.01);
  const size_t before = SmallAngleTriangles(oper, polygon).size();
  ASSERT_GT(before, 0u);
  EXPECT_EQ(oper.Run(&polygon), TRUE);
  EXPECT_LT(SmallAngleTriangles(oper, polygon).size(), before);
  for (int t = 1; t <= polygon.GetNbTriangles(1); ++t) {
    const std::vector<int> v = Vertices(polygon, t);
    if (polygon.IsTriangleValid(t)) {
      ASSERT_TRUE(v[0] != v[1] && v[1] != v[2] && v[2] != v[0] && polygon.IsAVertex(v[0]) &&
                  polygon.IsAVertex(v[1]) && polygon.IsAVertex(v[2])) << t;
    }
  }
}

TEST(KelCldFixSmallAngleTrianglesOperDeathTest, Assertions)
{
  KelCldFixSmallAngleTrianglesOper oper;
  KelRawCollint list;
  int index = 0;
  double angle = 0.0;
  EXPECT_DEATH(oper.HasSmallAngle(1), "AssertionFailed:_geometryUtil\n");
  EXPECT_DEATH(oper.GetSmallAngleTriangles(list, list), "AssertionFailed:_polygon\n");
  EXPECT_DEATH(oper.OkToFlip(list, 1, index, angle), "AssertionFailed:_polygon\n");
  EXPECT_DEATH(oper.FlipEdge(1, 0), "AssertionFailed:_polygon\n");
  EXPECT_DEATH(oper.CollapseEdge(list, 1, list), "AssertionFailed:_geometryUtil\n");
  EXPECT_DEATH(oper.InternalRun(list, list), "AssertionFailed:_polygon\n");
}
