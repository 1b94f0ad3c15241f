// The cloud polygon's documented semantics on small constructed meshes.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <array>
#include <cmath>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

#include "KelCldBoundaryScans.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

using Tri = std::array<int, 3>;

void Build(KelCldPolygon& ioPoly, std::initializer_list<std::array<float, 3>> iPoints,
           std::initializer_list<Tri> iTriangles)
{
  for (const auto& p : iPoints) ioPoly.AddPoint(p[0], p[1], p[2]);
  for (const auto& t : iTriangles) ioPoly.AddTriangle(t.data());
}

using Rows = std::vector<std::vector<int>>;

Rows Triangles(const KelCldPolygon& iPoly, int iFirst, int iLast)
{
  Rows rows;
  for (int t = iFirst; t <= iLast; ++t) rows.push_back(TriangleRow(iPoly, t));
  return rows;
}

std::vector<int> AroundVertex(const KelCldPolygon& iPoly, int iVertex)
{
  KelRawCollint list, unordered;
  int n = iPoly.GetTrianglesAroundVertex(iVertex, list);
  EXPECT_EQ(n, list.Size());
  // The unordered query gives the same triangles, in place of what the list held.
  for (int k = 0; k < 20; ++k) unordered.Append(-1);
  EXPECT_EQ(iPoly.GetTrianglesAroundVertexUnordered(iVertex, unordered), n);
  std::vector<int> sorted = List(unordered);
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, List(list));
  return List(list);
}

std::vector<int> AroundEdge(const KelCldPolygon& iPoly, int iA, int iB)
{
  KelRawCollint list;
  iPoly.GetTrianglesAroundEdge(iA, iB, list);
  return List(list);
}

// Return value, first and second triangle.
std::vector<int> EdgeTriangles(const KelCldPolygon& iPoly, int iA, int iB)
{
  int t1 = -1, t2 = -1, n = iPoly.GetEdgeTriangles(iA, iB, t1, t2);
  return {n, t1, t2};
}

std::vector<int> FreeEdges(const KelCldPolygon& iPoly, int iAsInTriangle = 1, int iActiveOnly = 0)
{
  int count = -1;
  int* pairs = nullptr;
  int n = iPoly.GetFreeEdges(count, pairs, iAsInTriangle, iActiveOnly);
  EXPECT_EQ(n, count);
  EXPECT_EQ(count == 0, pairs == nullptr);
  std::vector<int> result(pairs, pairs + 2 * count);
  delete[] pairs;
  return result;
}

// Return value, then the pairs.
std::vector<int> NonManifoldEdges(const KelCldPolygon& iPoly)
{
  int count = -1;
  int* pairs = nullptr;
  std::vector<int> result{iPoly.GetNonManifoldEdges(count, pairs)};
  EXPECT_EQ(count > 0, pairs != nullptr);
  if (pairs) result.insert(result.end(), pairs, pairs + 2 * count);
  delete[] pairs;
  return result;
}

std::vector<int> AllVertices(const KelCldPolygon& iPoly)
{
  int count = -1;
  int* vertices = nullptr;
  iPoly.GetAllVertices(count, vertices);
  EXPECT_EQ(count == 0, vertices == nullptr);
  std::vector<int> result(vertices, vertices + count);
  delete[] vertices;
  return result;
}

// Ring k of the vertex, for k = 0..iRings, checking the bookkeeping of ringStarts.
std::vector<std::vector<int>> Rings(const KelCldPolygon& iPoly, int iVertex, int iRings)
{
  int* starts = nullptr;
  KelRawCollint list;
  int n = iPoly.GetNeighborVertices(iVertex, iRings, starts, list);
  EXPECT_EQ(n, list.Size());
  std::vector<std::vector<int>> rings;
  if (!starts) return rings;
  EXPECT_EQ(starts[0], 1);
  EXPECT_EQ(starts[iRings + 1], list.Size() + 1);
  for (int k = 0; k <= iRings; ++k) {
    rings.emplace_back();
    for (int pos = starts[k]; pos < starts[k + 1]; ++pos) rings.back().push_back(list[pos]);
  }
  delete[] starts;
  return rings;
}

void MakeTetrahedron(KelCldPolygon& ioPoly)
{
  Build(ioPoly, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{1, 3, 2}, {1, 2, 4}, {2, 3, 4}, {3, 1, 4}});
}

}  // namespace

TEST(KelCldPolygon, NumberingAndCounts)
{
  // Extensions reach the polygon through its interface identifier.
  KelCldPolygon* created = KelCldPolygon::Create();
  void* asPolygon = nullptr;
  EXPECT_EQ(created->QueryInterface(IID_KelCldPolygon, &asPolygon), S_OK);
  EXPECT_EQ(static_cast<KelCldPolygon*>(asPolygon), created);
  created->Release();
  KelCldPolygon* empty = created->CreateEmptyPolygon();
  EXPECT_EQ(empty->GetNbPoints(1), 0);
  empty->Release();
  created->Release();

  KelCldPolygon poly;
  EXPECT_EQ(poly.AddPoint(0.f, 0.f, 0.f), 1);
  int v = 0;
  EXPECT_EQ(poly.AddPoint(KelMathPoint(1, 0, 0), v), 1);
  EXPECT_EQ(v, 2);
  const double c3[3] = {1, 1, 0}, c4[3] = {0, 1, 0};
  EXPECT_EQ(poly.AddPoint(c3, v), 1);
  EXPECT_EQ(v, 3);
  const float c5[3] = {5, 5, 5};
  EXPECT_EQ(poly.AddPoint(c4, v), 1);
  EXPECT_EQ(poly.AddPoint(c5), 5);
  EXPECT_EQ(poly.GetNbPoints(1), 5);
  for (int t = 1; t <= 3; ++t) EXPECT_EQ(poly.AddTriangle(1, 2, 3), t);
  EXPECT_EQ(poly.RemoveTriangle(2), 1);
  for (int t : {2, 0, 9}) EXPECT_EQ(poly.RemoveTriangle(t), 0) << t;
  EXPECT_FALSE(poly.IsTriangleValid(2));
  EXPECT_EQ(poly.AddTriangle(1, 3, 4), 4);  // number 2 is not reused
  EXPECT_EQ(poly.GetNbTriangles(0), 3);
  // Refused: out of range vertex numbers; nothing is numbered.
  for (const Tri& t : {Tri{0, 1, 2}, Tri{1, 2, 6}}) EXPECT_EQ(poly.AddTriangle(t.data()), 0);
  EXPECT_EQ(poly.GetNbTriangles(1), 4);
}

TEST(KelCldPolygon, VerticesInUseAndRemoveVertex)
{
  KelCldPolygon poly;
  EXPECT_EQ(AllVertices(poly), std::vector<int>{});
  Build(poly, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {7, 7, 7}}, {{1, 2, 3}, {1, 3, 4}});
  for (int v : {5, 0, 6}) EXPECT_FALSE(poly.IsAVertex(v)) << v;  // 5 is an isolated point
  EXPECT_EQ(poly.GetNbVertices(), 4);
  EXPECT_EQ(AllVertices(poly), (std::vector<int>{1, 2, 3, 4}));

  EXPECT_EQ(poly.RemoveTriangle(2), 1);
  EXPECT_FALSE(poly.IsAVertex(4));
  EXPECT_EQ(poly.GetNbVertices(), 3);
  EXPECT_EQ(AllVertices(poly), (std::vector<int>{1, 2, 3}));

  // Not a vertex: nothing happens, the point stays usable.
  for (int v : {4, 0}) EXPECT_EQ(poly.RemoveVertex(v), 0) << v;
  EXPECT_EQ(poly.GetNbPoints(0), 5);
  float p[3];
  EXPECT_NE(poly.GetPoint(4, p), 0);
  EXPECT_EQ(p[1], 1.f);
  EXPECT_EQ(poly.AddTriangle(1, 3, 4), 3);

  EXPECT_NE(poly.RemoveVertex(3), 0);
  EXPECT_FALSE(poly.IsTriangleValid(1) || poly.IsTriangleValid(3));
  EXPECT_EQ(poly.GetNbVertices(), 0);
  EXPECT_EQ(poly.GetNbPoints(0), 4);
  EXPECT_EQ(poly.GetNbPoints(1), 5);
  p[0] = p[1] = p[2] = 9.f;
  EXPECT_EQ(poly.GetPoint(3, p), 0);
  EXPECT_EQ(std::vector<float>(p, p + 3), std::vector<float>(3, 0.f));
  EXPECT_EQ(poly.RemoveVertex(3), 0);
  // A freed point is refused by every edit that would use it.
  EXPECT_EQ(poly.AddTriangle(1, 2, 3), 0);
  EXPECT_EQ(poly.GetNbTriangles(1), 3);
  int t = poly.AddTriangle(1, 2, 4);
  const int withFreed[3] = {1, 2, 3};
  EXPECT_EQ(poly.SetTriangleVertices(t, withFreed), 0);
  EXPECT_EQ(TriangleRow(poly, t), (std::vector<int>{1, 2, 4, 0, 0, 0}));
}

TEST(KelCldPolygon, InvalidReadsFillZeros)
{
  KelCldPolygon poly;
  Build(poly, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, {{1, 2, 3}, {3, 2, 1}});
  poly.RemoveTriangle(2);
  const std::vector<int> zeros(6, 0);
  for (int t : {0, 2, 3, -1}) {
    EXPECT_EQ(TriangleRow(poly, t), zeros) << t;
    int v[3] = {-1, -1, -1};
    unsigned char o = 9;
    EXPECT_EQ(poly.GetTriangleVertices(t, v, o), 0);
    EXPECT_EQ(std::vector<int>(v, v + 3), std::vector<int>(3, 0));
    EXPECT_EQ(o, 0);
  }
  for (int p : {0, 4, -2}) {
    double d[3] = {1, 1, 1};
    float f[3] = {1, 1, 1};
    KelMathPoint m(1, 1, 1);
    EXPECT_EQ(poly.GetPoint(p, d) + poly.GetPoint(p, f) + poly.GetPoint(p, m), 0);
    EXPECT_TRUE(d[0] == 0 && d[1] == 0 && d[2] == 0 && f[0] == 0 && f[1] == 0 && f[2] == 0 && m == KelMathPoint());
  }
  // Positions are single precision, whichever form is used.
  poly.SetPoint(1, 0.1, 0.2, 0.3);
  double d[3];
  poly.GetPoint(1, d);
  EXPECT_EQ(d[0], double(0.1f));
  EXPECT_EQ(d[2], double(0.3f));
}

TEST(KelCldPolygon, NeighborRuleStripFanTetrahedron)
{
  KelCldPolygon strip;
  Build(strip, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{1, 2, 3}, {1, 3, 4}});
  EXPECT_EQ(Triangles(strip, 1, 2), (Rows{{1, 2, 3, 0, 0, 2}, {1, 3, 4, 1, 0, 0}}));
  EXPECT_EQ(EdgeTriangles(strip, 3, 1), (std::vector<int>{2, 1, 2}));
  EXPECT_EQ(EdgeTriangles(strip, 2, 3), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(EdgeTriangles(strip, 2, 4), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(AroundVertex(strip, 3), (std::vector<int>{1, 2}));
  EXPECT_EQ(AroundEdge(strip, 1, 3), (std::vector<int>{1, 2}));

  // Closed fan of 6 triangles around vertex 1.
  KelCldPolygon fan;
  fan.AddPoint(0.f, 0.f, 0.f);
  for (int k = 0; k < 6; ++k) fan.AddPoint(float(k % 3), float(k / 3 + 1), 0.f);
  for (int k = 0; k < 6; ++k) fan.AddTriangle(1, 2 + k, 2 + (k + 1) % 6);
  for (int k = 0; k < 6; ++k) {
    int prev = (k + 5) % 6 + 1, next = (k + 1) % 6 + 1;
    EXPECT_EQ(TriangleRow(fan, k + 1), (std::vector<int>{1, 2 + k, 2 + (k + 1) % 6, prev, 0, next}));
  }
  EXPECT_EQ(AroundVertex(fan, 2), (std::vector<int>{1, 6}));

  KelCldPolygon tetra;
  MakeTetrahedron(tetra);
  EXPECT_EQ(Triangles(tetra, 1, 4),
            (Rows{{1, 3, 2, 4, 3, 2}, {1, 2, 4, 1, 3, 4}, {2, 3, 4, 1, 4, 2}, {3, 1, 4, 1, 2, 3}}));
  EXPECT_EQ(FreeEdges(tetra), std::vector<int>{});
  EXPECT_TRUE(tetra.IsManifold());
  EXPECT_EQ(NonManifoldEdges(tetra), std::vector<int>{0});
}

TEST(KelCldPolygon, ThreeTrianglesOnOneEdge)
{
  KelCldPolygon poly;
  Build(poly, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}}, {{1, 2, 3}, {2, 1, 4}, {1, 2, 5}});
  for (int t = 1; t <= 3; ++t) EXPECT_EQ(TriangleRow(poly, t)[3], 0) << t;  // edge 1-2 is edge 0 everywhere
  EXPECT_EQ(EdgeTriangles(poly, 2, 1), (std::vector<int>{3, 1, 0}));
  EXPECT_EQ(AroundEdge(poly, 2, 1), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(poly.IsManifold());
  const std::vector<int> nonManifold = NonManifoldEdges(poly);
  ASSERT_EQ(nonManifold.size(), 3u);
  EXPECT_EQ(nonManifold[0] * 100 + std::min(nonManifold[1], nonManifold[2]) * 10 + std::max(nonManifold[1], nonManifold[2]), 112);
  EXPECT_EQ(FreeEdges(poly).size(), 18u);  // the three 1-2 sides read as free

  // Back to two sides: the remaining pair is joined.
  poly.RemoveTriangle(1);
  EXPECT_EQ(Triangles(poly, 2, 3), (Rows{{2, 1, 4, 3, 0, 0}, {1, 2, 5, 2, 0, 0}}));
  EXPECT_TRUE(poly.IsManifold());
  // And back to three.
  EXPECT_EQ(poly.AddTriangle(2, 1, 3), 4);
  for (int t = 2; t <= 4; ++t) EXPECT_EQ(TriangleRow(poly, t)[3], 0) << t;
  EXPECT_EQ(EdgeTriangles(poly, 1, 2), (std::vector<int>{3, 2, 0}));
}

// Each crowded edge once, oriented as at its lowest side, in the order of those sides; an edge
// with its two sides in one degenerate triangle is not crowded enough to be listed.
TEST(KelCldPolygon, NonManifoldEdgesEachOnceInOrder)
{
  KelCldPolygon poly;
  const int fan = 3000;  // triangles on edge 1-2, beyond the exact corner match
  for (int i = 0; i < fan + 6; ++i) poly.AddPoint(float(i % 7), float(i % 11), float(i));
  poly.AddTriangle(4, 3, 5);
  poly.AddTriangle(3, 4, 6);
  poly.AddTriangle(4, 3, 7);
  poly.AddTriangle(5, 6, 5);
  for (int k = 0; k < fan; ++k) poly.AddTriangle(k % 2 ? 2 : 1, k % 2 ? 1 : 2, 8 + k);
  EXPECT_EQ(NonManifoldEdges(poly), (std::vector<int>{2, 4, 3, 1, 2}));
  EXPECT_FALSE(poly.IsManifold());

  // Down to two sides on 3-4: only the fan is left, now seen first from triangle 5.
  poly.RemoveTriangle(1);
  EXPECT_EQ(NonManifoldEdges(poly), (std::vector<int>{1, 1, 2}));
  for (int t = 5; t <= fan + 4; ++t) poly.RemoveTriangle(t);
  EXPECT_EQ(NonManifoldEdges(poly), std::vector<int>{0});
  EXPECT_TRUE(poly.IsManifold());
}

TEST(KelCldPolygon, DegenerateAndInconsistentTriangles)
{
  KelCldPolygon poly;
  Build(poly, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}}, {{1, 1, 2}});
  // Both sides of 1-2 in one triangle: not joined; the self edge has no neighbour.
  EXPECT_EQ(TriangleRow(poly, 1), (std::vector<int>{1, 1, 2, 0, 0, 0}));
  EXPECT_EQ(EdgeTriangles(poly, 1, 2), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(AroundVertex(poly, 1), std::vector<int>{1});
  EXPECT_TRUE(poly.IsManifold());
  poly.AddTriangle(2, 1, 3);
  EXPECT_EQ(TriangleRow(poly, 2), (std::vector<int>{2, 1, 3, 0, 0, 0}));
  EXPECT_EQ(EdgeTriangles(poly, 1, 2), (std::vector<int>{2, 1, 0}));
  EXPECT_FALSE(poly.IsManifold());
  poly.RemoveTriangle(1);
  EXPECT_EQ(poly.GetNbVertices(), 3);

  // Same direction on the shared edge: still joined, but not flippable.
  poly.AddTriangle(4, 2, 1);
  const Rows joined{{2, 1, 3, 3, 0, 0}, {4, 2, 1, 0, 2, 0}};
  EXPECT_EQ(Triangles(poly, 2, 3), joined);
  EXPECT_FALSE(poly.FlipEdge(1, 2) || poly.FlipEdge(2, 1));
  EXPECT_EQ(Triangles(poly, 2, 3), joined);
}

TEST(KelCldPolygon, FreeEdgesOrderOrientationAndActivation)
{
  KelCldPolygon poly;
  Build(poly, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{1, 2, 3}, {1, 3, 4}});
  EXPECT_EQ(FreeEdges(poly), (std::vector<int>{1, 2, 2, 3, 3, 4, 4, 1}));
  EXPECT_EQ(FreeEdges(poly, 0), (std::vector<int>{1, 2, 2, 3, 3, 4, 1, 4}));

  poly.DeactivateVertex(4);
  EXPECT_TRUE(poly.IsTriangleValid(2) && !poly.IsTriangleActive(2) && poly.IsTriangleActive(1));
  EXPECT_EQ(poly.GetNbTriangles(0), 2);
  EXPECT_EQ(FreeEdges(poly, 1, 1), (std::vector<int>{1, 2, 2, 3}));
  poly.ActivateVertex(4);
  EXPECT_TRUE(poly.IsTriangleActive(2));
  poly.DeactivateAllVertices();
  EXPECT_FALSE(poly.IsTriangleActive(1) || poly.IsVertexActive(1));
  EXPECT_EQ(poly.AddPoint(2.f, 2.f, 0.f), 5);
  EXPECT_TRUE(poly.IsVertexActive(5));  // new points are active
  poly.ActivateAllVertices();
  EXPECT_TRUE(poly.IsTriangleActive(1) && poly.IsTriangleActive(2));
  poly.RemoveTriangle(1);
  EXPECT_FALSE(poly.IsTriangleActive(1));
}

TEST(KelCldPolygon, NeighborVertexRingsOnGrid)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  using Rings_ = std::vector<std::vector<int>>;
  EXPECT_EQ(Rings(grid, 5, 2), (Rings_{{5}, {1, 2, 4, 6, 8, 9}, {3, 7}}));
  EXPECT_EQ(Rings(grid, 1, 3), (Rings_{{1}, {2, 5, 4}, {3, 6, 8, 9, 7}, {}}));
  EXPECT_EQ(Rings(grid, 9, 0), (Rings_{{9}}));
  int* starts = reinterpret_cast<int*>(1);
  KelRawCollint list;
  list.Append(3);
  EXPECT_EQ(grid.GetNeighborVertices(10, 1, starts, list), 0);
  EXPECT_EQ(starts, nullptr);
  EXPECT_EQ(list.Size(), 0);
}

// The one-sweep rings equal the per-vertex rings, and the free-edge flag the edge queries.
TEST(KelCldPolygon, AllRingsMatchPerVertexRings)
{
  // Every vertex on a free edge and every iStride-th vertex.
  auto check = [](const KelCldPolygon& iPoly, int iStride) {
    std::vector<int> starts, rings;
    std::vector<uint8_t> onFree;
    iPoly.GetAllRings(starts, rings, &onFree);
    ASSERT_EQ(starts.size(), size_t(iPoly.GetNbPoints(1)) + 2);
    for (int v = 1; v <= iPoly.GetNbPoints(1); ++v) {
      if (!onFree[v] && v % iStride) continue;
      int* ringStarts = nullptr;
      KelRawCollint list;
      iPoly.GetNeighborVertices(v, 1, ringStarts, list);
      const std::vector<int> expected(list.Data() + ringStarts[1] - 1, list.Data() + ringStarts[2] - 1);
      delete[] ringStarts;
      ASSERT_EQ(std::vector<int>(rings.begin() + starts[v], rings.begin() + starts[v + 1]), expected) << v;
      KelRawCollint ring;
      ASSERT_EQ(iPoly.GetVertexRing(v, ring), int(expected.size()));
      ASSERT_EQ(List(ring), expected) << v;
      bool free = false;
      for (const int w : expected) {
        int t1 = 0, t2 = 0;
        iPoly.GetEdgeTriangles(v, w, t1, t2);
        free = free || !t1 || !t2;
      }
      ASSERT_EQ(onFree[v] != 0, free) << v;
    }
  };
  KelCldPolygon grid;
  MakeGrid(grid, 4, 4, 4);
  grid.AddTriangle(6, 7, 6);   // degenerate
  grid.AddTriangle(1, 6, 2);   // third triangle on 1-2... and 1-6
  grid.RemoveTriangle(3);
  grid.AddPoint(9.f, 9.f, 9.f);  // isolated
  check(grid, 1);

  KelCldPolygon scan;
  KEL_READ_SHARED("snowden.obj", scan);
  check(scan, 16);
}

// Re-pointing a vertex's triangles at once equals SetTriangleVertices on each, as the edge
// contraction uses it (the edge's triangles removed first) and on arbitrary pairs.
TEST(KelCldPolygon, ReplaceVertexInTrianglesMatchesOneByOne)
{
  for (const char* name : {"bunny.obj", "snowden.obj"}) {
    KelCldPolygon bulk, single;
    KEL_READ_SHARED(name, bulk);
    ASSERT_TRUE(ReadObj(SharedDataPath(name), single));
    std::mt19937 rng(7u);
    for (int step = 0; step < 150; ++step) {
      const int t = 1 + int(rng() % unsigned(bulk.GetNbTriangles(1)));
      int v[3], n[3];
      if (!bulk.GetTriangle(t, v, n)) continue;
      int keep = v[0], remove = v[1];
      if (step % 3 == 2) remove = 1 + int(rng() % unsigned(bulk.GetNbPoints(1)));  // any vertex
      if (step % 3 != 1) {  // a contraction: the edge's triangles go first
        KelRawCollint onEdge;
        bulk.GetTrianglesAroundEdge(keep, remove, onEdge);
        for (int k = 1; k <= onEdge.Size(); ++k) bulk.RemoveTriangle(onEdge[k]), single.RemoveTriangle(onEdge[k]);
      }
      KelRawCollint around;
      single.GetTrianglesAroundVertex(remove, around);
      for (int k = 1; k <= around.Size(); ++k) {
        int w[3], m[3];
        single.GetTriangle(around[k], w, m);
        for (int& x : w) x = x == remove ? keep : x;
        single.SetTriangleVertices(around[k], w);
      }
      EXPECT_EQ(bulk.ReplaceVertexInTriangles(remove, keep) > 0, around.Size() > 0 && keep != remove) << name << step;
      ASSERT_EQ(bulk.GetNbVertices(), single.GetNbVertices());
      // The whole of the big mesh now and then; the triangles around the pair always.
      if (bulk.GetNbTriangles(1) < 10000 || step % 30 == 0 || step == 149) {
        ASSERT_EQ(Triangles(bulk, 1, bulk.GetNbTriangles(1)), Triangles(single, 1, single.GetNbTriangles(1)))
            << name << " step " << step;
      } else {
        single.GetTrianglesAroundVertex(keep, around);
        for (int k = 1; k <= around.Size(); ++k)
          ASSERT_EQ(TriangleRow(bulk, around[k]), TriangleRow(single, around[k])) << name << " step " << step;
      }
    }
  }
}

// The same on a fan whose centre takes the triangles of a vertex over four of its rim
// points, so that the centre's edges to them gain sides: a narrow centre compares its ring
// point by point, a wide one stamps it.
TEST(KelCldPolygon, ReplaceVertexInTrianglesAtNarrowAndWideFans)
{
  for (const int n : {8, 60}) {
    KelCldPolygon bulk, single;
    for (KelCldPolygon* polygon : {&bulk, &single}) {
      polygon->AddPoint(0.f, 0.f, 0.f);
      for (int i = 0; i < n; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / n;
        polygon->AddPoint(float(std::cos(angle)), float(std::sin(angle)), 0.f);
      }
      polygon->AddPoint(0.5f, 0.5f, 1.f);
      for (int i = 0; i < n; ++i) polygon->AddTriangle(1, 2 + i, 2 + (i + 1) % n);
      for (int i = 0; i < 3; ++i) polygon->AddTriangle(n + 2, 2 + i, 3 + i);
      polygon->EndInsertion();
    }
    for (int t = n + 1; t <= n + 3; ++t) {
      int w[3], m[3];
      single.GetTriangle(t, w, m);
      for (int& x : w) x = x == n + 2 ? 1 : x;
      single.SetTriangleVertices(t, w);
    }
    EXPECT_EQ(bulk.ReplaceVertexInTriangles(n + 2, 1), 3) << n;
    EXPECT_EQ(Triangles(bulk, 1, bulk.GetNbTriangles(1)), Triangles(single, 1, single.GetNbTriangles(1))) << n;
    EXPECT_FALSE(bulk.IsAVertex(n + 2));
  }
}

// The one-pass contraction leaves exactly what removing the edge's triangles and re-pointing
// the removed vertex's others leaves, corner order included (the unordered fan), or refuses
// and changes nothing.
TEST(KelCldPolygon, CollapseEdgeMatchesRemovalAndReplacement)
{
  auto unordered = [](const KelCldPolygon& iPoly, int iVertex) {
    KelRawCollint list;
    iPoly.GetTrianglesAroundVertexUnordered(iVertex, list);
    return List(list);
  };
  // Whether the ends share a neighbour besides the edge's wings: such a contraction would
  // double edges, and callers refuse it before.
  auto sharesMore = [](const KelCldPolygon& iPoly, int iA, int iB, const KelRawCollint& iOnEdge) {
    KelRawCollint ringA, ringB;
    iPoly.GetVertexRing(iA, ringA);
    iPoly.GetVertexRing(iB, ringB);
    std::set<int> wings;
    for (int k = 1; k <= iOnEdge.Size(); ++k) {
      int v[3], n[3];
      iPoly.GetTriangle(iOnEdge[k], v, n);
      for (const int x : v) wings.insert(x);
    }
    const std::vector<int> a = List(ringA), b = List(ringB);
    for (const int x : a)
      if (!wings.count(x) && std::find(b.begin(), b.end(), x) != b.end()) return true;
    return false;
  };
  // Contracts a-b in both polygons; returns whether the one-pass form took it.
  auto contract = [&](KelCldPolygon& ioPass, KelCldPolygon& ioCalls, int iKeep, int iRemove) {
    KelRawCollint onEdge;
    ioCalls.GetTrianglesAroundEdge(iKeep, iRemove, onEdge);
    // What a refusal could have touched: the two fans.
    auto fans = [&]() {
      Rows rows;
      for (const int v : {iKeep, iRemove}) {
        rows.push_back(unordered(ioPass, v));
        for (const int f : rows.back()) rows.push_back(TriangleRow(ioPass, f));
      }
      return rows;
    };
    const Rows before = fans();
    const bool taken = ioPass.CollapseEdge(iKeep, iRemove, onEdge.Data(), onEdge.Size());
    if (!taken) {
      EXPECT_EQ(fans(), before);
      for (int k = 1; k <= onEdge.Size(); ++k) ioPass.RemoveTriangle(onEdge[k]);
      ioPass.ReplaceVertexInTriangles(iRemove, iKeep);
    }
    for (int k = 1; k <= onEdge.Size(); ++k) ioCalls.RemoveTriangle(onEdge[k]);
    ioCalls.ReplaceVertexInTriangles(iRemove, iKeep);
    return taken;
  };
  auto same = [&](const KelCldPolygon& iPass, const KelCldPolygon& iCalls, int iKeep, int iRemove) {
    EXPECT_EQ(Triangles(iPass, 1, iPass.GetNbTriangles(1)), Triangles(iCalls, 1, iCalls.GetNbTriangles(1)));
    EXPECT_EQ(iPass.GetNbTriangles(0), iCalls.GetNbTriangles(0));
    EXPECT_EQ(iPass.GetNbVertices(), iCalls.GetNbVertices());
    EXPECT_FALSE(iPass.IsAVertex(iRemove));
    EXPECT_EQ(unordered(iPass, iKeep), unordered(iCalls, iKeep));
  };

  // Random contractions on real meshes, the dirty scan among them, where the link holds.
  for (const char* name : {"bunny.obj", "snowden.obj"}) {
    KelCldPolygon pass, calls;
    KEL_READ_SHARED(name, pass);
    ASSERT_TRUE(ReadObj(SharedDataPath(name), calls));
    std::mt19937 rng(11u);
    int taken = 0;
    for (int step = 0; step < 300; ++step) {
      const int t = 1 + int(rng() % unsigned(calls.GetNbTriangles(1)));
      int v[3], n[3];
      if (!calls.GetTriangle(t, v, n) || v[0] == v[1]) continue;
      KelRawCollint onEdge;
      calls.GetTrianglesAroundEdge(v[0], v[1], onEdge);
      if (sharesMore(calls, v[0], v[1], onEdge)) continue;
      taken += static_cast<int>(contract(pass, calls, v[0], v[1]));
      // Checking the whole mesh each time would be slow on the scan; the fans always.
      if (step % 50 == 0 || calls.GetNbTriangles(1) < 10000) {
        same(pass, calls, v[0], v[1]);
      } else {
        EXPECT_EQ(unordered(pass, v[0]), unordered(calls, v[0]));
        for (const int f : unordered(calls, v[0])) ASSERT_EQ(TriangleRow(pass, f), TriangleRow(calls, f)) << name << step;
      }
    }
    same(pass, calls, 1, 0);
    EXPECT_GT(taken, 100) << name;
  }

  // A grid: an inner edge (two wings), a border edge (one), and an edge whose wing side is on
  // the border, so that the neighbour across from it is none.
  {
    KelCldPolygon pass, calls;
    MakeGrid(pass, 5, 5);
    MakeGrid(calls, 5, 5);
    EXPECT_TRUE(contract(pass, calls, 7, 13));
    same(pass, calls, 7, 13);
    EXPECT_TRUE(contract(pass, calls, 1, 2));
    same(pass, calls, 1, 2);
    EXPECT_TRUE(contract(pass, calls, 3, 8));
    same(pass, calls, 3, 8);
  }
  // Refusals, nothing changed: a crowded side, a degenerate triangle, a repeated wing, the
  // kept vertex in another triangle of the removed one, a triangle without both ends.
  {
    KelCldPolygon grid;
    MakeGrid(grid, 4, 4);
    grid.AddPoint(0.5f, 0.5f, 1.f);
    const int extra = grid.AddTriangle(6, 7, grid.GetNbPoints(1));  // 6-7 has three sides
    const int onEdge[2] = {4, 9};                                   // (2, 7, 6) and (6, 7, 11)
    Rows before = Triangles(grid, 1, extra);
    EXPECT_FALSE(grid.CollapseEdge(6, 7, onEdge, 2));
    EXPECT_EQ(Triangles(grid, 1, extra), before);
    grid.RemoveTriangle(extra);
    before = Triangles(grid, 1, extra);
    const int notOnEdge[1] = {1};  // (1, 2, 6)
    EXPECT_FALSE(grid.CollapseEdge(6, 7, notOnEdge, 1));
    const int reversed[2] = {9, 4};
    EXPECT_FALSE(grid.CollapseEdge(6, 7, reversed, 2));
    EXPECT_FALSE(grid.CollapseEdge(6, 6, onEdge, 2));
    EXPECT_FALSE(grid.CollapseEdge(6, 7, onEdge, 0));
    EXPECT_EQ(Triangles(grid, 1, extra), before);
    EXPECT_TRUE(grid.CollapseEdge(6, 7, onEdge, 2));
    EXPECT_EQ(grid.GetNbTriangles(0), 16);
  }
  {
    KelCldPolygon twin;  // (1, 2, 3) and (2, 1, 3): the same wing twice
    Build(twin, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}, {2, 1, 3}});
    const int both[2] = {1, 2};
    EXPECT_FALSE(twin.CollapseEdge(1, 2, both, 2));
    EXPECT_EQ(twin.GetNbTriangles(0), 2);
  }
  {
    KelCldPolygon flat;  // a degenerate (1, 2, 1) beside (1, 2, 3)
    Build(flat, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}, {1, 2, 1}});
    const int both[2] = {1, 2};
    EXPECT_FALSE(flat.CollapseEdge(1, 2, both, 2));
    EXPECT_EQ(flat.GetNbTriangles(0), 2);
  }
  {
    KelCldPolygon fan;  // 2's other triangle (2, 4, 1) holds 1 but is not passed
    Build(fan, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}}, {{1, 2, 3}, {2, 4, 1}});
    const int first[1] = {1};
    EXPECT_FALSE(fan.CollapseEdge(1, 2, first, 1));
    EXPECT_EQ(fan.GetNbTriangles(0), 2);
  }
}

TEST(KelCldPolygon, FlipEdge)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  // T1 (1,2,5) and T2 (1,5,4) share 1-5; T2 runs 1->5 with x = 4, T1 runs 5->1 with y = 2.
  EXPECT_NE(grid.FlipEdge(1, 5), 0);
  EXPECT_EQ(TriangleRow(grid, 2), (std::vector<int>{4, 1, 2, 0, 0, 1}));
  EXPECT_EQ(TriangleRow(grid, 1), (std::vector<int>{2, 5, 4, 4, 5, 2}));
  EXPECT_EQ(TriangleRow(grid, 4)[5], 1);  // T4 (2,6,5) across 5-2
  EXPECT_EQ(TriangleRow(grid, 5)[3], 1);  // T5 (4,5,8) across 4-5
  EXPECT_EQ(EdgeTriangles(grid, 1, 5), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(AroundVertex(grid, 4), (std::vector<int>{1, 2, 5, 6}));
  // The other direction undoes it up to rotation: T1 runs 4->2 with x = 5.
  EXPECT_NE(grid.FlipEdge(4, 2), 0);
  EXPECT_EQ(Triangles(grid, 1, 2), (Rows{{5, 4, 1, 5, 0, 2}, {1, 2, 5, 0, 4, 1}}));

  // Refusals leave everything as it was.
  const Rows before = Triangles(grid, 1, 8);
  int t9 = grid.AddTriangle(5, 6, 3);  // 5-6 now has three sides
  // A boundary edge, no edge, a self edge, an invalid vertex, three sides.
  for (const auto& e : std::vector<std::pair<int, int>>{{1, 2}, {1, 9}, {5, 5}, {0, 5}, {5, 6}})
    EXPECT_EQ(grid.FlipEdge(e.first, e.second), 0) << e.first << "-" << e.second;
  grid.RemoveTriangle(t9);
  EXPECT_EQ(Triangles(grid, 1, 8), before);

  KelCldPolygon tetra;  // x and y already joined
  MakeTetrahedron(tetra);
  EXPECT_FALSE(tetra.FlipEdge(1, 2) || tetra.FlipEdge(3, 4));
  EXPECT_EQ(TriangleRow(tetra, 1), (std::vector<int>{1, 3, 2, 4, 3, 2}));

  KelCldPolygon twin;  // x == y
  Build(twin, {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{1, 2, 3}, {2, 1, 3}});
  EXPECT_EQ(TriangleRow(twin, 1), (std::vector<int>{1, 2, 3, 2, 2, 2}));
  EXPECT_EQ(twin.FlipEdge(1, 2), 0);
}

TEST(KelCldPolygon, SetTriangleVerticesAndLatePoint)
{
  KelCldPolygon poly;
  Build(poly, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{1, 2, 3}, {1, 3, 4}});
  EXPECT_EQ(poly.AddPoint(-1.f, 1.f, 0.f), 5);
  const int moved[3] = {1, 3, 5};
  EXPECT_NE(poly.SetTriangleVertices(2, moved), 0);
  EXPECT_TRUE(!poly.IsAVertex(4) && poly.IsAVertex(5));
  EXPECT_EQ(TriangleRow(poly, 2), (std::vector<int>{1, 3, 5, 1, 0, 0}));
  EXPECT_EQ(AroundVertex(poly, 5), std::vector<int>{2});
  const int away[3] = {2, 3, 5};
  EXPECT_NE(poly.SetTriangleVertices(2, away), 0);
  EXPECT_EQ(Triangles(poly, 1, 2), (Rows{{1, 2, 3, 0, 2, 0}, {2, 3, 5, 1, 0, 0}}));
  EXPECT_EQ(AroundVertex(poly, 1), std::vector<int>{1});
  const int bad[3] = {2, 3, 6};
  EXPECT_EQ(poly.SetTriangleVertices(2, bad) + poly.SetTriangleVertices(7, moved), 0);
  poly.RemoveTriangle(1);
  EXPECT_EQ(poly.SetTriangleVertices(1, moved), 0);
  EXPECT_FALSE(poly.IsTriangleValid(1));

  // A point added after triangles, then used to close a fan.
  EXPECT_EQ(poly.AddPoint(2.f, 0.f, 0.f), 6);
  EXPECT_EQ(poly.AddTriangle(3, 2, 6), 3);
  EXPECT_EQ(TriangleRow(poly, 3), (std::vector<int>{3, 2, 6, 2, 0, 0}));
  EXPECT_EQ(TriangleRow(poly, 2)[3], 3);
  EXPECT_EQ(AllVertices(poly), (std::vector<int>{2, 3, 5, 6}));
}

TEST(KelCldPolygon, NormalsBoxAndUnoptimize)
{
  KelCldPolygon poly;
  KelMathBox box;
  box.AddPoint(0, 0, 0);
  poly.GetBoundingBox(box);
  EXPECT_TRUE(box.IsEmpty());
  Build(poly, {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}, {0, 0, 4}, {50, 50, 50}}, {{1, 2, 3}, {1, 3, 4}});
  double n[3];
  auto normal = [&n] { return std::vector<double>(n, n + 3); };
  EXPECT_TRUE(poly.GetTriangleNormal(1, n) && normal() == (std::vector<double>{0, 0, 6}));
  EXPECT_TRUE(poly.GetTriangleNormal(1, n, 0) && normal() == (std::vector<double>{0, 0, 1}));
  EXPECT_TRUE(poly.GetVertexNormal(1, n) && normal() == (std::vector<double>{12, 0, 6}));
  EXPECT_NE(poly.GetVertexNormal(3, n, 0), 0);
  EXPECT_NEAR(n[0], 2 / std::sqrt(5.0), 1e-12);
  EXPECT_NEAR(n[2], 1 / std::sqrt(5.0), 1e-12);
  EXPECT_TRUE(!poly.GetTriangleNormal(3, n) && normal() == std::vector<double>(3, 0.0));

  // The isolated point 5 is not a vertex.
  poly.GetBoundingBox(box);
  EXPECT_EQ(box.GetLow(), KelMathPoint(0, 0, 0));
  EXPECT_EQ(box.GetHigh(), KelMathPoint(2, 3, 4));

  poly.Optimize();
  poly.Unoptimize();
  EXPECT_EQ(TriangleRow(poly, 1), (std::vector<int>{1, 2, 3, 0, 0, 2}));  // still linked
  poly.AddTriangle(3, 2, 5);
  EXPECT_EQ(TriangleRow(poly, 1)[4], 3);
  int a = 0;
  poly.SetTriangleAttribute(1, reinterpret_cast<KelCldAttribute*>(&a));
  EXPECT_EQ(poly.GetTriangleAttribute(1), reinterpret_cast<KelCldAttribute*>(&a));
  EXPECT_EQ(poly.GetPointAttribute(99), nullptr);  // out of range
}

TEST(KelCldPolygon, ProjectPoint)
{
  KelCldPolygon poly;
  KelMathPoint proj;
  int i1 = -1, i2 = -1;
  EXPECT_EQ(poly.ProjectPoint(KelMathPoint(0, 0, 0), proj, i1, i2), KelCldProjectionNone);
  Build(poly, {{0, 0, 0}, {2, 0, 0}, {0, 2, 0}, {10, 0, 0}, {12, 0, 0}, {10, 2, 0}}, {{1, 2, 3}, {4, 5, 6}});
  // Query, kind, index (an edge's ends as 10 * lower + higher), projection; the last two
  // pick the nearest of several triangles.
  const struct {
    KelMathPoint query;
    int kind, index;
    KelMathPoint projection;
  } rows[] = {{{0.5, 0.5, 3}, KelCldProjectionOnTriangle, 1, {0.5, 0.5, 0}},
              {{-1, -1, 0.5}, KelCldProjectionOnVertex, 1, {0, 0, 0}},
              {{1, -1, 1}, KelCldProjectionOnEdge, 12, {1, 0, 0}},
              {{10.5, 0.5, -1}, KelCldProjectionOnTriangle, 2, {10.5, 0.5, 0}},
              {{13, 0, 0}, KelCldProjectionOnVertex, 5, {12, 0, 0}}};
  for (const auto& row : rows) {
    EXPECT_EQ(poly.ProjectPoint(row.query, proj, i1, i2), row.kind);
    EXPECT_EQ(row.kind == KelCldProjectionOnEdge ? std::min(i1, i2) * 10 + std::max(i1, i2) : i1, row.index);
    EXPECT_NEAR(proj.DistanceTo(row.projection), 0, 1e-12);
  }
}

TEST(KelCldPolygon, BoundaryScans)
{
  // 4 x 4 points, the middle cell left open: an outer loop of 12 edges and a hole of 4.
  KelCldPolygon grid;
  MakeGrid(grid, 4, 4, 4);
  std::vector<int> freeEdges = FreeEdges(grid);
  std::set<std::pair<int, int>> directed;
  for (size_t k = 0; k < freeEdges.size(); k += 2) directed.insert({freeEdges[k], freeEdges[k + 1]});
  ASSERT_EQ(directed.size(), 16u);
  EXPECT_EQ(grid.BuildBoundaryScans(), 2);
  const KelCldBoundaryScans* scans = grid.GetBoundaryScans();
  ASSERT_NE(scans, nullptr);
  ASSERT_EQ(scans->GetNbScans(), 2);
  std::multiset<int> sizes;
  std::set<std::pair<int, int>> walked;
  for (int s = 1; s <= 2; ++s) {
    const KelCldBoundaryScan* scan = scans->GetScan(s);
    ASSERT_NE(scan, nullptr);
    EXPECT_TRUE(scan->IsClosed());
    int n = scan->GetNbPoints();
    sizes.insert(n);
    EXPECT_EQ(scan->GetPointIdentifier(1), scan->GetPointIdentifier(n));
    for (int j = 1; j < n; ++j)
      walked.insert({grid.GetVertexOfScanPoint(scan->GetPointIdentifier(j + 1)),
                     grid.GetVertexOfScanPoint(scan->GetPointIdentifier(j))});  // against the triangles
  }
  EXPECT_EQ(sizes, (std::multiset<int>{5, 13}));
  EXPECT_EQ(walked, directed);

  KelCldPolygon tetra;
  MakeTetrahedron(tetra);
  EXPECT_EQ(tetra.BuildBoundaryScans(), 0);
  EXPECT_TRUE(tetra.GetBoundaryScans() == nullptr || tetra.GetBoundaryScans()->GetNbScans() == 0);
}
