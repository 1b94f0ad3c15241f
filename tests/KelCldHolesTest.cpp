// Hole extraction and the hole table: the listed small cases, the elephant's 106 loops,
// non-manifold meshes (a walk passing its start edge twice, the snowden scan, random
// soups), the factory's references and the fatal calling sequences.

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "KelCldHoles.h"
#include "KelCldHolesExtractOper.h"
#include "KelCldInterfaces.h"
#include "KelCldPolygon.h"
#include "KelCldUtil.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

typedef std::vector<std::vector<int>> Loops;

Loops HoleVertices(const KelListPtrKelCldMeshCurve& iHoles)
{
  Loops holes(static_cast<size_t>(iHoles.Size()));
  for (int k = 1; k <= iHoles.Size(); ++k) {
    KelRawCollint path;
    EXPECT_TRUE(iHoles[k]->GetVertexPath(path)) << "hole " << k;
    holes[static_cast<size_t>(k - 1)] = List(path);
  }
  return holes;
}

// Directed edges (a, b): the polygon's free edges as in their triangles, or the holes' steps.
std::map<std::pair<int, int>, int> FreeEdges(const KelCldPolygon& iPolygon)
{
  const std::vector<int> pairs = FreeEdgePairs(iPolygon);
  std::map<std::pair<int, int>, int> edges;
  for (size_t i = 0; i < pairs.size(); i += 2) ++edges[{pairs[i], pairs[i + 1]}];
  return edges;
}

std::map<std::pair<int, int>, int> HoleEdges(const KelListPtrKelCldMeshCurve& iHoles)
{
  std::map<std::pair<int, int>, int> edges;
  for (const std::vector<int>& hole : HoleVertices(iHoles))
    for (size_t i = 0; i + 1 < hole.size(); ++i) ++edges[{hole[i], hole[i + 1]}];
  return edges;
}

// Every free edge lies on a hole, one way or the other, and every hole closed.
void ExpectAllFreeEdgesOnClosedHoles(const KelCldPolygon& iPolygon, const KelListPtrKelCldMeshCurve& iHoles)
{
  const std::map<std::pair<int, int>, int> onHoles = HoleEdges(iHoles);
  for (const auto& edge : FreeEdges(iPolygon))
    EXPECT_TRUE(onHoles.count(edge.first) || onHoles.count({edge.first.second, edge.first.first}))
        << edge.first.first << "-" << edge.first.second;
  for (int k = 1; k <= iHoles.Size(); ++k) EXPECT_TRUE(iHoles[k]->IsClosedLoop()) << "hole " << k;
}

}  // namespace

TEST(KelCldHolesExtractOper, SmallMeshes)
{
  KelCldHolesExtractOper extraction;
  KelListPtrKelCldMeshCurve holes;
  EXPECT_TRUE(extraction.Run(nullptr, holes));
  KelCldPolygon triangle, square, ring, sphere;
  MakeGrid(triangle, 2, 2);
  triangle.RemoveTriangle(2);  // (1, 2, 4) is left
  EXPECT_TRUE(extraction.Run(&triangle, holes));
  ASSERT_EQ(holes.Size(), 1);
  // Run appends: the square's hole comes after the triangle's.
  MakeGrid(square, 2, 2);
  extraction.Run(&square, holes);
  EXPECT_EQ(HoleVertices(holes), (Loops{{1, 2, 4, 1}, {1, 2, 4, 3, 1}}));
  EXPECT_TRUE(holes[2]->GetPolyMesh() == &square && holes[2]->GetRefCount() == 1);
  KelCldUtil::ReleaseObjects(holes);

  // 3 x 3 cells without the middle one: the outer loop has triangle 1, the inner one starts
  // in the first triangle beside the missing cell.
  MakeGrid(ring, 4, 4, 4);
  extraction.Run(&ring, holes);
  EXPECT_EQ(HoleVertices(holes), (Loops{{1, 2, 3, 4, 8, 12, 16, 15, 14, 13, 9, 5, 1}, {7, 6, 10, 11, 7}}));
  KelCldUtil::ReleaseObjects(holes);

  MakeSphere(sphere, 1.0, 1);
  extraction.Run(&sphere, holes);
  EXPECT_EQ(holes.Size(), 0);
}

TEST(KelCldHoles, TableQueriesAndFactory)
{
  EXPECT_EQ(KelCldInterfaces::GetKelICldHoles(nullptr), nullptr);
  KelCldPolygon* grid = KelCldPolygon::Create();
  MakeGrid(*grid, 5, 5);  // one loop of 16 vertices; triangle 11 (7, 8, 13) is away from it
  KelICldHoles* table = KelCldInterfaces::GetKelICldHoles(grid);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GetRefCount(), 1u);
  EXPECT_EQ(table->GetCldPolygon(), grid);
  EXPECT_EQ(grid->GetRefCount(), 4u);  // creator, table, its curve, this call
  grid->Release();

  ASSERT_EQ(table->GetNumberOfHoles(), 1);
  KelRawCollint vertices;
  vertices.Append(99);
  table->GetHoleVertices(vertices);
  EXPECT_EQ(List(vertices), (std::vector<int>{1, 2, 3, 4, 5, 6, 10, 11, 15, 16, 20, 21, 22, 23, 24, 25}));
  EXPECT_TRUE(table->GetHole(0) == nullptr && table->GetHole(11) == nullptr);
  KelCldMeshCurve* hole = table->GetHole(1);
  ASSERT_EQ(hole, table->GetHoles()[1]);
  EXPECT_EQ(hole->GetRefCount(), 2u);
  hole->Release();

  // The table keeps what it found until asked again.
  KelCldHoles direct(grid);
  grid->RemoveTriangle(11);
  EXPECT_EQ(direct.GetNumberOfHoles(), 1);
  direct.FindAllHoles();
  EXPECT_EQ(direct.GetNumberOfHoles(), 2);
  table->Release();
  grid->Release();
  KelCldHoles().GetHoleVertices(vertices);
  EXPECT_EQ(vertices.Size(), 0);
}

// Each loop once, closed, regular, every free edge used once in its triangle's direction.
TEST(KelCldHoles, ElephantLoops)
{
  KelCldPolygon polygon;
  KEL_READ_SHARED("elephant-with-holes.obj", polygon);
  const KelCldHoles table(&polygon);
  ASSERT_EQ(table.GetNumberOfHoles(), 106);
  ExpectAllFreeEdgesOnClosedHoles(polygon, table.GetHoles());
  const std::map<std::pair<int, int>, int> free = FreeEdges(polygon);
  EXPECT_EQ(free.size(), 1353u);
  EXPECT_EQ(HoleEdges(table.GetHoles()), free);
}

// Edges with three triangles read as free: every extraction completes and covers them.
TEST(KelCldHoles, NonManifoldMeshes)
{
  KelCldPolygon pinched;
  for (int i = 0; i < 7; ++i) pinched.AddPoint(float(i), float(i * i % 5), float(i % 3));
  // The walk from (2, 7) in triangle 1 passes (2, 7) again in triangle 5 and goes on until it
  // is back in triangle 1.
  for (const std::vector<int>& t : Loops{{2, 7, 3}, {7, 6, 5}, {2, 5, 3}, {5, 2, 7}, {7, 6, 2}})
    pinched.AddTriangle(t[0], t[1], t[2]);
  const KelCldHoles pinchedHoles(&pinched);
  EXPECT_EQ(HoleVertices(pinchedHoles.GetHoles()), (Loops{{2, 7, 3, 5, 6, 2, 7, 2}}));
  ExpectAllFreeEdgesOnClosedHoles(pinched, pinchedHoles.GetHoles());

  // Soups of 12 triangles on 7 vertices: crowded edges, pinched vertices, mixed orientations;
  // every other soup has triangles that repeat a vertex, where only completion is checked.
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> vertex(1, 7);
  for (int round = 0; round < 300; ++round) {
    KelCldPolygon soup;
    for (int i = 0; i < 7; ++i) soup.AddPoint(float(i), float(i * i % 5), float(i % 3));
    for (int t = 0; t < 12; ++t) {
      const int a = vertex(random), b = vertex(random), c = vertex(random);
      if (round % 2 || (a != b && b != c && c != a)) soup.AddTriangle(a, b, c);
    }
    const KelCldHoles holes(&soup);
    if (round % 2 == 0) ExpectAllFreeEdgesOnClosedHoles(soup, holes.GetHoles());
  }

  KelCldPolygon snowden;
  KEL_READ_SHARED("snowden.obj", snowden);
  ExpectAllFreeEdgesOnClosedHoles(snowden, KelCldHoles(&snowden).GetHoles());
}

TEST(KelCldHolesDeathTest, CallingSequences)
{
  const std::string file = "KelCldOperatorsBase.m/src/KelCldHolesExtractOper";
  KelCldPolygon square;
  MakeGrid(square, 2, 2);
  EXPECT_DEATH(KelCldHolesExtractOper().FindAllHoles(), FatalPattern("_CldPolygon && _PolyTopo", file));
  EXPECT_DEATH(KelCldHolesExtractOper().Initialize(&square), FatalPattern("_CldPolygon == NULL", file));
  KelCldHolesExtractOper extraction;
  extraction.Initialize(&square);
  EXPECT_EQ(extraction.GetHoles().Size(), 1);
  EXPECT_DEATH(extraction.Initialize(&square), FatalPattern("!_CldPolygon", file));
  EXPECT_DEATH(extraction.ConstructHole(1, 1, 2), FatalPattern("_TriangleFlags[startTriangle] == 0", file));
  EXPECT_DEATH(extraction.ConstructHole(0, 1, 2), FatalPattern("startTriangle && firstVertex && secondVertex", file));
  extraction.Finalize();
  EXPECT_EQ(extraction.GetHoles().Size(), 0);
  KelCldHoles table(&square);
  EXPECT_DEATH(table.Initialize(&square), FatalPattern("!_CldPolygon", "KelCldExtensions.m/src/KelCldHoles"));
}
