// Edge contraction: topological refusals, the geometric tests, source-edge records, and random
// contractions on closed real meshes, which must stay closed and manifold.

#include "KelCldEdgeCollapseOper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "KelCldEdgeCollapseOperWithAttribut.h"
#include "KelCldPolygon.h"
#include "KelTessCldTessVertexInfoEdge.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

// What a contraction may change: each triangle's validity and vertices, and the positions.
std::vector<float> Snapshot(const KelCldPolygon& iPolygon)
{
  std::vector<float> state;
  for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t) {
    int v[3];
    unsigned char orientation;
    state.push_back(float(iPolygon.GetTriangleVertices(t, v, orientation)));
    state.insert(state.end(), {float(v[0]), float(v[1]), float(v[2])});
  }
  const float* coords = iPolygon.GetCoordinates();
  state.insert(state.end(), coords, coords + 3 * (iPolygon.GetNbPoints(1) + 1));
  return state;
}

KelMathPoint Position(const KelCldPolygon& iPolygon, int iVertex)
{
  KelMathPoint p;
  iPolygon.GetPoint(iVertex, p);
  return p;
}

int NbFreeEdges(const KelCldPolygon& iPolygon)
{
  int count = 0, *pairs = nullptr;
  iPolygon.GetFreeEdges(count, pairs);
  delete[] pairs;
  return count;
}

}  // namespace

TEST(KelCldEdgeCollapseOper, InteriorEdgeOfAGrid)
{
  KelCldPolygon polygon;
  MakeGrid(polygon, 4, 4);
  KelCldEdgeCollapseOper collapse(&polygon);
  EXPECT_TRUE(collapse.GetCheckExternal());
  EXPECT_FALSE(collapse.IsHoleVertex(6));
  EXPECT_TRUE(collapse.IsHoleVertex(2));

  // Edge 6-7 lies in triangles 4 = (2, 7, 6) and 9 = (6, 7, 11).
  const int freeEdges = NbFreeEdges(polygon), triangles = polygon.GetNbTriangles(0);
  int t1, t2, w1, w2;
  ASSERT_EQ(collapse.PairContraction(6, 7, KelMathPoint(1.5, 1, 0), t1, t2, w1, w2), 2);
  EXPECT_EQ(std::vector<int>({t1, t2, w1, w2}), std::vector<int>({4, 9, 2, 11}));
  EXPECT_FALSE(collapse.GetCheckExternal());  // the default hook switched itself off
  EXPECT_EQ(polygon.GetNbTriangles(0), triangles - 2);
  EXPECT_FALSE(polygon.IsAVertex(7));
  EXPECT_EQ(Position(polygon, 6), KelMathPoint(1, 1, 0));  // the caller moves the kept vertex
  EXPECT_TRUE(polygon.IsManifold() && NbFreeEdges(polygon) == freeEdges);

  const std::vector<float> before = Snapshot(polygon);  // malformed pairs
  EXPECT_EQ(collapse.PairContraction(6, 6, KelMathPoint()), 0);
  EXPECT_EQ(collapse.PairContraction(6, 7, KelMathPoint()), 0);
  EXPECT_EQ(collapse.PairContraction(6, 99, KelMathPoint()), 0);
  EXPECT_EQ(Snapshot(polygon), before);
}

TEST(KelCldEdgeCollapseOper, TopologicalRefusals)
{
  {  // An interior edge between two hole vertices pinches the strip; a free one does not.
    KelCldPolygon polygon;
    MakeGrid(polygon, 3, 2);
    KelCldEdgeCollapseOper collapse(&polygon);
    const std::vector<float> before = Snapshot(polygon);
    EXPECT_EQ(collapse.PairContraction(2, 5, Position(polygon, 2)), 0);
    EXPECT_EQ(Snapshot(polygon), before);
    int t1, t2, w1, w2;
    EXPECT_EQ(collapse.PairContraction(1, 2, Position(polygon, 1), t1, t2, w1, w2), 1);
    EXPECT_EQ(std::vector<int>({t1, t2, w1, w2}), std::vector<int>({1, 0, 5, 0}));
  }
  // Fan around 4 over (1, 2, 3): 1 and 2 share 3 besides the wing 4, and the link condition
  // refuses even without geometric checks. Edge 1-2 of three triangles is not manifold. Both
  // are merged by the variant when 1 and 2 nearly coincide.
  for (const float x : {1.f, 0.005f}) {
    KelCldPolygon fan, crowded;
    const float fanPoints[4][3] = {{0, 0, 0}, {x, 0, 0}, {0.5f, 0.9f, 0}, {0.5f, 0.3f, 0}};
    const float crowdedPoints[5][3] = {{0, 0, 0}, {x, 0, 0}, {0.5f, 1, 0}, {0.5f, -1, 0}, {0.5f, 0, 1}};
    for (const auto& p : fanPoints) fan.AddPoint(p);
    for (const auto& p : crowdedPoints) crowded.AddPoint(p);
    for (const int w : {3, 4, 5}) crowded.AddTriangle(1, 2, w);
    fan.AddTriangle(1, 2, 4);
    fan.AddTriangle(2, 3, 4);
    fan.AddTriangle(3, 1, 4);
    KelCldEdgeCollapseOper collapse(&fan);
    collapse.SetCheckNormals(0);
    collapse.SetCheckSizes(0);
    const std::vector<float> before = Snapshot(fan);
    EXPECT_EQ(collapse.PairContraction(1, 2, Position(fan, 1)), 0);
    EXPECT_EQ(Snapshot(fan), before);
    EXPECT_EQ(KelCldEdgeCollapseOper(&crowded).PairContraction(1, 2, KelMathPoint()), 0);
    const bool close = x < 0.01f;
    EXPECT_EQ(KelCldEdgeCollapseOperWithAttribut(&fan).PairContraction(1, 2, Position(fan, 1)), close ? 1 : 0);
    EXPECT_EQ(KelCldEdgeCollapseOperWithAttribut(&crowded).PairContraction(1, 2, KelMathPoint()), close ? 3 : 0);
    // Four triangles on the edge: the contraction refuses, the variant merges all four.
    KelCldPolygon crowdedMore;
    for (const auto& p : crowdedPoints) crowdedMore.AddPoint(p);
    const float sixth[3] = {0.5f, 0, -1};
    crowdedMore.AddPoint(sixth);
    for (const int w : {3, 4, 5, 6}) crowdedMore.AddTriangle(1, 2, w);
    EXPECT_EQ(KelCldEdgeCollapseOper(&crowdedMore).PairContraction(1, 2, KelMathPoint()), 0);
    EXPECT_EQ(KelCldEdgeCollapseOperWithAttribut(&crowdedMore).PairContraction(1, 2, KelMathPoint()), close ? 4 : 0);
    if (close) {
      EXPECT_EQ(crowdedMore.GetNbTriangles(0), 0);
    }
  }
}

// A disc fanned around its centre 1 with rim 2 .. n + 1: the spoke 1-2 has the wings 3 and
// n + 1 and shares nothing else with the centre, so it contracts. A flap (2, 5, n + 2) makes 5
// a neighbour of both ends besides the wings: refused. Narrow fans compare the rings
// directly, wide ones mark them; both must answer alike.
TEST(KelCldEdgeCollapseOper, LinkConditionOnNarrowAndWideFans)
{
  for (const int n : {6, 12, 34, 35, 60}) {  // 34 is the widest compared directly
    for (const bool flap : {false, true}) {
      KelCldPolygon fan;
      fan.AddPoint(0.f, 0.f, 0.f);
      for (int i = 0; i < n; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / n;
        fan.AddPoint(float(std::cos(angle)), float(std::sin(angle)), 0.f);
      }
      for (int i = 0; i < n; ++i) fan.AddTriangle(1, 2 + i, 2 + (i + 1) % n);
      if (flap) {
        fan.AddPoint(0.f, 0.f, 1.f);
        fan.AddTriangle(2, 5, n + 2);
      }
      KelCldEdgeCollapseOper collapse(&fan);
      collapse.SetCheckNormals(0);
      collapse.SetCheckSizes(0);
      const std::vector<float> before = Snapshot(fan);
      int t1, t2, w1, w2;
      const int removed = collapse.PairContraction(1, 2, Position(fan, 1), t1, t2, w1, w2);
      if (flap) {
        EXPECT_EQ(removed, 0) << n;
        EXPECT_EQ(Snapshot(fan), before) << n;
      } else {
        EXPECT_EQ(removed, 2) << n;
        EXPECT_EQ(std::vector<int>({t1, t2, w1, w2}), std::vector<int>({1, n, 3, n + 1})) << n;
        EXPECT_FALSE(fan.IsAVertex(2));
      }
    }
  }
}

// A degenerate triangle (4, 3, 4) lies on edge 3-4 beside (4, 1, 3) and has no wing. Once
// 2 has gone into 1, vertex 3 lists the degenerate triangle first; the edge is then refused
// (both ends are on holes) rather than sorted by a wing it does not have.
TEST(KelCldEdgeCollapseOper, EdgeWithADegenerateTriangle)
{
  KelCldPolygon polygon;
  const float points[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
  for (const auto& p : points) polygon.AddPoint(p);
  polygon.AddTriangle(1, 2, 3);
  polygon.AddTriangle(4, 1, 3);
  polygon.AddTriangle(4, 3, 4);
  KelCldEdgeCollapseOper collapse(&polygon);
  ASSERT_EQ(collapse.PairContraction(1, 2, Position(polygon, 1)), 1);
  KelRawCollint around;
  polygon.GetTrianglesAroundVertexUnordered(3, around);
  EXPECT_EQ(List(around), std::vector<int>({3, 2}));
  const std::vector<float> before = Snapshot(polygon);
  int t1, t2, w1, w2;
  EXPECT_EQ(collapse.PairContraction(3, 4, Position(polygon, 3), t1, t2, w1, w2), 0);
  EXPECT_EQ(std::vector<int>({t1, t2, w1, w2}), std::vector<int>({0, 0, 0, 0}));
  EXPECT_EQ(Snapshot(polygon), before);
}

TEST(KelCldEdgeCollapseOper, GeometricTests)
{
  KelCldEdgeCollapseOper collapse;
  const KelMathPoint right[3] = {KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(0, 1, 0)};
  // Corner 0 lifted to height h turns the normal by acos(1 / sqrt(2h^2 + 1)): 60 degrees at
  // h = sqrt(1.5).
  EXPECT_TRUE(collapse.CheckTriangleNormal(right, KelMathPoint(0, 0, 1.2), 0));
  EXPECT_FALSE(collapse.CheckTriangleNormal(right, KelMathPoint(0, 0, 1.25), 0));
  EXPECT_FALSE(collapse.CheckTriangleNormal(right, KelMathPoint(0.5, 0.5, 0), 0));  // degenerate

  // Below the minima, a triangle no worse than the old one still passes.
  const KelMathPoint small[3] = {KelMathPoint(0, 0, 0), KelMathPoint(0.5, 0, 0), KelMathPoint(0, 0.5, 0)};
  EXPECT_TRUE(collapse.CheckTriangleSize(small, KelMathPoint(2, 2, 0), 0));  // sharp, above the minima
  collapse.SetMinimumEdgeLength(1.0);
  EXPECT_TRUE(collapse.CheckTriangleSize(small, KelMathPoint(-0.1, -0.1, 0), 0));
  EXPECT_FALSE(collapse.CheckTriangleSize(small, KelMathPoint(0.05, 0.05, 0), 0));  // shorter edge
  EXPECT_FALSE(collapse.CheckTriangleSize(small, KelMathPoint(2, 2, 0), 0));        // sharper angle
  collapse.SetMinimumEdgeLength(0.001);
  collapse.SetMinimumAngle(0.5);  // the sharp one is now below the minimum angle
  EXPECT_FALSE(collapse.CheckTriangleSize(small, KelMathPoint(2, 2, 0), 0));

  // The fused test answers as the two tests do, near their limits too: short edges around the
  // minimum length, sharp corners around the minimum angle, normals turned near 60 degrees.
  std::mt19937 rng(11u);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  KelCldEdgeCollapseOper fused;
  fused.SetMinimumEdgeLength(0.05);
  int borderline = 0;
  for (int i = 0; i < 20000; ++i) {
    const double scale = i % 3 == 0 ? 0.06 : 1.0;
    const KelMathPoint corners[3] = {KelMathPoint(unit(rng), unit(rng), 0.0),
                                     KelMathPoint(scale * unit(rng), scale * unit(rng), 0.0),
                                     KelMathPoint(scale * unit(rng), scale * unit(rng), 0.0)};
    const KelMathPoint target(scale * unit(rng), scale * unit(rng), i % 2 ? 2.0 * unit(rng) : 0.0);
    const int corner = i % 3;
    fused.SetMinimumAngle(i % 4 < 2 ? 0.3 : 0.0001);
    const bool expected =
        fused.CheckTriangleNormal(corners, target, corner) && fused.CheckTriangleSize(corners, target, corner);
    const int answer = fused.CheckNormalAndSize(corners, target, corner);
    borderline += answer < 0;
    ASSERT_EQ(answer < 0 ? bool(fused.CheckTriangleSize(corners, target, corner)) : answer == 1, expected) << i;
    if (answer < 0) {
      ASSERT_TRUE(fused.CheckTriangleNormal(corners, target, corner)) << i;
    }
  }
  EXPECT_GT(borderline, 100);

  // In a grid: a target below edge 2-3 flips (2, 3, 6); one lifted by 2 turns triangles by
  // more than 60 degrees, by 1 it does not.
  KelCldPolygon polygon;
  MakeGrid(polygon, 3, 3);
  KelCldEdgeCollapseOper onGrid(&polygon);
  const std::vector<float> before = Snapshot(polygon);
  EXPECT_EQ(onGrid.PairContraction(5, 6, KelMathPoint(1.5, -0.5, 0)), 0);
  EXPECT_EQ(onGrid.PairContraction(5, 6, KelMathPoint(1.5, 1, 2)), 0);
  EXPECT_EQ(Snapshot(polygon), before);
  EXPECT_EQ(onGrid.PairContraction(5, 6, KelMathPoint(1.5, 1, 1)), 2);
}

TEST(KelCldEdgeCollapseOper, SourceEdgeRecords)
{
  KelCldPolygon polygon;
  MakeGrid(polygon, 4, 4);
  KelCldEdgeCollapseOperWithAttribut collapse(&polygon);
  auto attach = [&](int iVertex, int iEdge, int iValue) {
    auto* record = new KelTessCldTessVertexInfoEdge(iEdge, iValue);
    record->SetNext(KelTessCldTessVertexInfo::GetChain(polygon, iVertex));
    KelTessCldTessVertexInfo::SetChain(polygon, iVertex, record);
  };
  attach(6, 1, 10);
  attach(7, 2, 5);
  const std::vector<float> before = Snapshot(polygon);
  EXPECT_EQ(collapse.PairContraction(6, 7, KelMathPoint(1.5, 1, 0)), 0);  // different source edges
  EXPECT_EQ(Snapshot(polygon), before);

  attach(7, 1, 30);  // 7 now also lies on edge 1, with a larger value
  ASSERT_EQ(collapse.PairContraction(6, 7, KelMathPoint(1.5, 1, 0)), 2);
  EXPECT_EQ(KelTessCldTessVertexInfo::GetChain(polygon, 7), nullptr);
  std::vector<std::pair<int, int>> records;
  for (auto* r = KelTessCldTessVertexInfo::GetChain(polygon, 6); r; r = r->GetNext())
    records.push_back({r->AsEdge()->GetSourceEdge(), r->AsEdge()->GetValue()});
  EXPECT_EQ(records, (std::vector<std::pair<int, int>>{{2, 5}, {1, 30}}));

  attach(11, 3, 1);  // a vertex without records does not block the merge
  EXPECT_EQ(collapse.PairContraction(10, 11, KelMathPoint(1.5, 2, 0)), 2);
  EXPECT_EQ(KelTessCldTessVertexInfo::GetChain(polygon, 10)->AsEdge()->GetSourceEdge(), 3);
  for (int v = 1; v <= polygon.GetNbPoints(1); ++v)
    KelTessCldTessVertexInfo::DeleteChain(KelTessCldTessVertexInfo::GetChain(polygon, v));
}

// Random contractions at edge midpoints, the kept vertex then moved as the collapse queue does.
void ContractAtRandom(KelCldPolygon& ioPolygon, int iAttempts, int iCheckEvery)
{
  KelCldEdgeCollapseOper collapse(&ioPolygon);
  std::mt19937 random(7);
  int performed = 0, compared = 0;
  for (int attempt = 0; attempt < iAttempts; ++attempt) {
    int t = 0, v[3];
    unsigned char orientation;
    while (!ioPolygon.IsTriangleValid(t)) t = 1 + int(random() % unsigned(ioPolygon.GetNbTriangles(1)));
    ioPolygon.GetTriangleVertices(t, v, orientation);
    const int keep = v[attempt % 3], remove = v[(attempt + 1) % 3];
    const KelMathPoint target = (Position(ioPolygon, keep) + Position(ioPolygon, remove)) * 0.5;
    const int vertices = ioPolygon.GetNbVertices(), triangles = ioPolygon.GetNbTriangles(0);
    // Every edit of the triangles changes the stamp; a few refusals are compared in full.
    const uint64_t stamp = ioPolygon.GetTopologyStamp();
    const std::vector<float> before = compared < 3 && triangles < 5000 ? Snapshot(ioPolygon) : std::vector<float>();
    const int removed = collapse.PairContraction(keep, remove, target);
    if (!removed) {
      ASSERT_EQ(ioPolygon.GetTopologyStamp(), stamp);
      if (!before.empty()) {
        ASSERT_EQ(Snapshot(ioPolygon), before);
        ++compared;
      }
      continue;
    }
    ioPolygon.SetPoint(keep, target);
    ASSERT_EQ(removed, 2);
    ASSERT_EQ(ioPolygon.GetNbTriangles(0), triangles - 2);
    ASSERT_EQ(ioPolygon.GetNbVertices(), vertices - 1);
    if (++performed % iCheckEvery == 0) {
      ASSERT_TRUE(ioPolygon.IsManifold() && NbFreeEdges(ioPolygon) == 0);
    }
  }
  EXPECT_GT(performed, iAttempts / 2);
  EXPECT_TRUE(ioPolygon.IsManifold());
  EXPECT_EQ(NbFreeEdges(ioPolygon), 0);
  // Closed: E = 3F / 2, so the Euler characteristic V - E + F is V - F / 2.
  EXPECT_EQ(2 * ioPolygon.GetNbVertices() - ioPolygon.GetNbTriangles(0), 4);
  for (int t = 1; t <= ioPolygon.GetNbTriangles(1); ++t) {
    int v[3];
    unsigned char orientation;
    if (ioPolygon.GetTriangleVertices(t, v, orientation)) {
      ASSERT_TRUE(v[0] != v[1] && v[1] != v[2] && v[2] != v[0]);
    }
  }
}

TEST(KelCldEdgeCollapseOper, RandomContractionsOnClosedMeshes)
{
  for (const auto& [name, attempts] : {std::pair<const char*, int>{"bunny.obj", 1500}, {"armadillo.obj", 3000}}) {
    const std::string path = SharedDataPath(name);
    KEL_REQUIRE_SHARED(path);
    KelCldPolygon polygon;
    ASSERT_TRUE(ReadObj(path, polygon));
    ContractAtRandom(polygon, attempts, attempts / 10);
  }
}

TEST(KelCldEdgeCollapseOperDeathTest, Assertions)
{
  KelCldEdgeCollapseOper none;
  EXPECT_FALSE(none.IsHoleVertex(1));
  EXPECT_DEATH(none.PairContraction(1, 2, KelMathPoint()), "AssertionFailed:_CldPolygon\n");
  EXPECT_DEATH(none.CheckGeometry(1, KelMathPoint(), KelRawCollint()), "AssertionFailed:_GeoUtil\n");
  KelCldPolygon polygon;
  MakeGrid(polygon, 3, 3);
  KelCldEdgeCollapseOper collapse(&polygon);
  EXPECT_DEATH(collapse.SetHoleVertexFlags(), "AssertionFailed:!_HoleVertexFlags\n");
  EXPECT_DEATH(collapse.IsHoleVertex(10), "AssertionFailed:0\n.*KelCldEdgeCollapseOper, line");
  collapse.SetPolyMesh(&polygon, 0);  // without flags the topology answers
  EXPECT_TRUE(collapse.IsHoleVertex(1));
  EXPECT_FALSE(collapse.IsHoleVertex(5));
}
