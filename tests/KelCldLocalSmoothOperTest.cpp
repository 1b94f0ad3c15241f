// Explicit smoothing: the in-place pass, boundary handling, the Laplacian and Coons targets.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KelCldCoonsSmoothOper.h"
#include "KelCldLaplacianSmoothOper.h"
#include "KelCldLocalSmoothOper.h"
#include "KelCldMeshSmoothOper.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::vector<float> Coordinates(const KelCldPolygon& iPolygon)
{
  const float* begin = iPolygon.GetCoordinates();
  return std::vector<float>(begin + 3, begin + 3 * (iPolygon.GetNbPoints(1) + 1));
}

std::vector<int> Triangles(const KelCldPolygon& iPolygon)
{
  std::vector<int> all;
  for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t) {
    const std::vector<int> row = TriangleRow(iPolygon, t);
    all.insert(all.end(), row.begin(), row.end());
  }
  return all;
}

}  // namespace

TEST(KelCldLocalSmoothOper, PassOnAPlanarGrid)
{
  KelCldPolygon grid;
  MakeGrid(grid, 5, 5);  // 13 is the centre, 1 a corner, 3 the middle of the bottom border
  grid.SetPoint(13, 2.f, 2.f, 1.f);
  KelCldLaplacianSmoothOper laplacian;
  laplacian.SetIntensity(150);
  EXPECT_EQ(laplacian.GetIntensity(), 100.0);  // clamped to [0, 100]
  laplacian.SetIntensity(-1);

  const std::vector<float> before = Coordinates(grid);
  EXPECT_TRUE(laplacian.Run(&grid));  // intensity 0: nothing moves
  EXPECT_EQ(Coordinates(grid), before);

  // Half way to the ring's mean, which lies in the plane: the lifted centre comes down half.
  laplacian.SetIntensity(50);
  const int centre = 13;
  EXPECT_TRUE(laplacian.Run(&grid, 1, &centre));
  EXPECT_EQ(Coords(grid, 13), (std::vector<float>{2.f, 2.f, 0.5f}));

  // A symmetric ring keeps the vertex; boundary vertices stay unless asked.
  laplacian.SetIntensity(100);
  grid.SetPoint(13, 2.f, 2.f, 0.f);
  const std::vector<float> flat = Coordinates(grid);
  EXPECT_TRUE(laplacian.Run(&grid));
  EXPECT_EQ(Coordinates(grid), flat);
  laplacian.SetSmoothBoundary(1);
  EXPECT_TRUE(laplacian.Run(&grid));
  EXPECT_NE(Coords(grid, 3), (std::vector<float>{2.f, 0.f, 0.f}));

  // Coons on the flat grid: the centre's ring and opposite vertices both average to it.
  KelCldPolygon flatGrid;
  MakeGrid(flatGrid, 5, 5);
  KelCldCoonsSmoothOper coons;
  EXPECT_TRUE(coons.Run(&flatGrid, 1, &centre));
  EXPECT_EQ(Coords(flatGrid, 13), (std::vector<float>{2.f, 2.f, 0.f}));

  // Null polygons; an isolated point is pulled toward the origin.
  EXPECT_FALSE(laplacian.Run(nullptr));
  EXPECT_TRUE(laplacian.Run(nullptr, 1, &centre));
  const int lone = flatGrid.AddPoint(4.f, 8.f, 2.f);
  laplacian.SetIntensity(25);
  EXPECT_TRUE(laplacian.Run(&flatGrid, 1, &lone));
  EXPECT_EQ(Coords(flatGrid, lone), (std::vector<float>{3.f, 6.f, 1.5f}));
}

TEST(KelCldLocalSmoothOper, SmoothsTheBunnyInPlace)
{
  const std::string path = SourcePath("data/bunny.obj");
  KelCldPolygon swept, oneByOne, coonsBunny;
  ASSERT_TRUE(ReadObj(path, swept) && ReadObj(path, oneByOne) && ReadObj(path, coonsBunny));
  const std::vector<int> triangles = Triangles(swept);
  KelCldMeshSmoothOper measure;
  const float volume = measure.Volume(&swept);

  // The whole-mesh pass (rings gathered in one sweep) and vertex-by-vertex calls (rings
  // gathered per vertex) see the same rings in the same order: identical bits.
  KelCldLaplacianSmoothOper laplacian;
  laplacian.SetIntensity(60);
  for (int pass = 0; pass < 3; ++pass) {
    EXPECT_TRUE(laplacian.Run(&swept));
    for (int v = 1; v <= oneByOne.GetNbPoints(1); ++v) laplacian.Run(&oneByOne, 1, &v);
  }
  EXPECT_EQ(Coordinates(swept), Coordinates(oneByOne));
  EXPECT_EQ(Triangles(swept), triangles);  // positions only

  // Both shrink the closed bunny; the Coons target shrinks it less.
  KelCldCoonsSmoothOper coons;
  coons.SetIntensity(60);
  for (int pass = 0; pass < 3; ++pass) coons.Run(&coonsBunny);
  const float laplacianVolume = measure.Volume(&swept), coonsVolume = measure.Volume(&coonsBunny);
  EXPECT_LT(laplacianVolume, volume);
  EXPECT_LT(coonsVolume, volume);
  EXPECT_GT(coonsVolume, laplacianVolume);
}

// One operator keeps the rings between passes; an edit of the triangles in between must be
// seen, as by a fresh operator.
TEST(KelCldLocalSmoothOper, RingsFollowEditsBetweenPasses)
{
  KelCldPolygon kept, fresh;
  for (KelCldPolygon* grid : {&kept, &fresh}) {
    MakeGrid(*grid, 6, 6);
    for (int v = 1; v <= 36; ++v) grid->SetPoint(v, float((v - 1) % 6), float((v - 1) / 6), float(v * v % 5));
  }
  KelCldLaplacianSmoothOper reused;
  reused.SetIntensity(70);
  reused.Run(&kept);
  KelCldLaplacianSmoothOper first;
  first.SetIntensity(70);
  first.Run(&fresh);
  ASSERT_EQ(Coordinates(kept), Coordinates(fresh));

  const uint64_t stamp = kept.GetTopologyStamp();
  kept.SetPoint(1, 0.f, 0.f, 3.f);
  fresh.SetPoint(1, 0.f, 0.f, 3.f);
  EXPECT_EQ(kept.GetTopologyStamp(), stamp);  // positions are not topology
  ASSERT_TRUE(kept.FlipEdge(15, 22) && fresh.FlipEdge(15, 22));
  EXPECT_NE(kept.GetTopologyStamp(), stamp);
  EXPECT_NE(kept.GetTopologyStamp(), fresh.GetTopologyStamp());  // unique across polygons
  const int lone = kept.AddPoint(9.f, 9.f, 9.f);
  fresh.AddPoint(9.f, 9.f, 9.f);

  reused.Run(&kept);
  KelCldLaplacianSmoothOper second;
  second.SetIntensity(70);
  second.Run(&fresh);
  EXPECT_EQ(Coordinates(kept), Coordinates(fresh));
  EXPECT_EQ(Coords(kept, lone), (std::vector<float>{9.f, 9.f, 9.f}));  // not a vertex: not listed
}

TEST(KelCldLocalSmoothOper, SelectionsReachThePass)
{
  KelCldPolygon grid;
  MakeGrid(grid, 5, 5);
  for (int v = 1; v <= 25; ++v) grid.SetPoint(v, float((v - 1) % 5), float((v - 1) / 5), float(v * v % 7));
  const std::vector<float> before = Coordinates(grid);
  KelCldLaplacianSmoothOper laplacian;
  // Only the three vertices of triangle 11, (7, 8, 13), move.
  int v[3], n[3];
  grid.GetTriangle(11, v, n);
  EXPECT_TRUE(laplacian.RunOnSelectedTriangles(&grid, Coll({11})));
  const std::vector<float> after = Coordinates(grid);
  for (int p = 1; p <= 25; ++p) {
    const bool listed = p == v[0] || p == v[1] || p == v[2];
    const bool moved = std::memcmp(&before[3 * (p - 1)], &after[3 * (p - 1)], 3 * sizeof(float)) != 0;
    EXPECT_EQ(moved, listed) << p;
  }
}

TEST(KelCldLocalSmoothOperDeathTest, FrameHasNoTarget)
{
  const KelCldLocalSmoothOper frame;
  EXPECT_DEATH(frame.SmoothVertex(1),
               "AssertionFailed:0\nKelPolyMeshOperatorsBase/KelCldOperatorsBase.m/src/KelCldLocalSmoothOper, line");
}
