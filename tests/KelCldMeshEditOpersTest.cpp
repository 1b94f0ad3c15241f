// The elementary edit operators: delete, activate, copy, cut and validation.

#include <gtest/gtest.h>

#include <vector>

#include "KelCldMeshActivateOper.h"
#include "KelCldMeshCopyOper.h"
#include "KelCldMeshCutOper.h"
#include "KelCldMeshDeleteOper.h"
#include "KelCldMeshValidationOper.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::vector<int> ValidTriangles(const KelCldPolygon& iPolygon)
{
  std::vector<int> triangles;
  for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t)
    if (iPolygon.IsTriangleValid(t)) triangles.push_back(t);
  return triangles;
}

}  // namespace

// Grid 3x3: t1 (1,2,5) t2 (1,5,4) t3 (2,3,6) t4 (2,6,5) t5 (4,5,8) t6 (4,8,7) t7 (5,6,9) t8 (5,9,8).
TEST(KelCldMeshDeleteOper, RemovesTrianglesAndTheVerticesLeftUnused)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  KelCldMeshDeleteOper deleteOper;

  EXPECT_TRUE(deleteOper.RunOnSelectedTriangles(&grid, Coll({3, 0, 99, 3})));
  EXPECT_EQ(ValidTriangles(grid), (std::vector<int>{1, 2, 4, 5, 6, 7, 8}));
  // 3 lost its last triangle; 2 and 6 keep theirs. The point itself stays (the polygon
  // frees vertices only), so nothing is renumbered.
  EXPECT_TRUE(!grid.IsAVertex(3) && grid.IsAVertex(2) && grid.IsAVertex(6));
  EXPECT_EQ(grid.GetNbModifications(), 1);

  // A vertex selection deletes the triangles around it; the vertex goes with them.
  EXPECT_TRUE(deleteOper.RunOnSelectedVertices(&grid, Coll({5})));
  EXPECT_EQ(ValidTriangles(grid), (std::vector<int>{6}));
  EXPECT_EQ(grid.GetNbVertices(), 3);

  // Nothing selected: TRUE and untouched; no polygon: FALSE.
  EXPECT_TRUE(deleteOper.Run(&grid));
  EXPECT_TRUE(deleteOper.RunOnSelectedTriangles(&grid, KelRawCollint()));
  EXPECT_EQ(grid.GetNbModifications(), 2);
  EXPECT_FALSE(deleteOper.RunOnSelectedTriangles(nullptr, Coll({6})));
  EXPECT_EQ(grid.GetNbTriangles(0), 1);
}

TEST(KelCldMeshActivateOper, ActivatesTheSelectedTrianglesOnly)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  KelCldMeshActivateOper activate;
  auto active = [&grid] {
    std::vector<int> vertices;
    for (int v = 1; v <= 9; ++v)
      if (grid.IsVertexActive(v)) vertices.push_back(v);
    return vertices;
  };
  EXPECT_TRUE(activate.RunOnSelectedTriangles(&grid, Coll({1, 0, 42})));
  EXPECT_EQ(active(), (std::vector<int>{1, 2, 5}));
  EXPECT_FALSE(grid.IsTriangleActive(2));

  EXPECT_TRUE(activate.RunOnSelectedVertices(&grid, Coll({9})));  // triangles 7 and 8
  EXPECT_EQ(active(), (std::vector<int>{5, 6, 8, 9}));
  EXPECT_TRUE(activate.Run(&grid));  // nothing selected: unchanged
  EXPECT_EQ(active(), (std::vector<int>{5, 6, 8, 9}));
  EXPECT_FALSE(activate.RunOnSelectedTriangles(nullptr, Coll({1})));
  EXPECT_EQ(grid.GetNbTriangles(0), 8);
}

TEST(KelCldMeshCopyOper, CopiesSharedVerticesOnce)
{
  KelCldPolygon grid, target;
  MakeGrid(grid, 3, 3);
  grid.DeactivateVertex(6);
  KelCldMeshCopyOper copy;

  // Triangles 4 (2,6,5) and 3 (2,3,6) share the edge 2-6: four points, numbered as first met.
  EXPECT_TRUE(copy.Run(&grid, Coll({4, 3}), &target));
  EXPECT_EQ(target.GetNbPoints(1), 4);
  const std::vector<int> sources = {2, 6, 5, 3};
  for (int v = 1; v <= 4; ++v) EXPECT_EQ(Coords(target, v), Coords(grid, sources[v - 1])) << v;
  // The shared edge is joined in the copy.
  EXPECT_EQ(TriangleRow(target, 1), (std::vector<int>{1, 2, 3, 2, 0, 0}));
  EXPECT_EQ(TriangleRow(target, 2), (std::vector<int>{1, 4, 2, 0, 0, 1}));
  EXPECT_TRUE(!target.IsVertexActive(2) && target.IsVertexActive(1) && target.IsVertexActive(4));

  // A second copy appends; the source never changes.
  EXPECT_TRUE(copy.Run(&grid, Coll({1}), &target));
  EXPECT_EQ(target.GetNbPoints(1), 7);
  EXPECT_EQ(grid.GetNbTriangles(0), 8);
  EXPECT_FALSE(copy.Run(&grid, KelRawCollint(), &target) || copy.Run(nullptr, Coll({1}), &target) ||
               copy.Run(&grid, Coll({1}), nullptr));
  EXPECT_EQ(target.GetNbTriangles(1), 3);
}

TEST(KelCldMeshCutOper, MovesTheSelection)
{
  const std::string path = SourcePath("data/bunny.obj");
  KelCldPolygon bunny, original, piece;
  ASSERT_TRUE(ReadObj(path, bunny) && ReadObj(path, original));
  const int nbTriangles = bunny.GetNbTriangles(0);
  KelCldMeshCutOper cut;

  EXPECT_TRUE(cut.Run(&bunny, Coll({1, 2}), nullptr));
  EXPECT_EQ(bunny.GetNbTriangles(0), nbTriangles);

  KelRawCollint selection;
  for (int t = 1; t <= 500; ++t) selection.Append(t);
  EXPECT_TRUE(cut.Run(&bunny, selection, &piece));
  EXPECT_EQ(piece.GetNbTriangles(0), 500);
  EXPECT_EQ(bunny.GetNbTriangles(0), nbTriangles - 500);
  EXPECT_EQ(ValidTriangles(bunny).front(), 501);
  // The piece's triangles are the selected ones, corner for corner.
  for (int t = 1; t <= 500; ++t)
    for (int i = 0; i < 3; ++i) ASSERT_EQ(Coords(piece, TriangleRow(piece, t)[i]), Coords(original, TriangleRow(original, t)[i])) << t;
  // Vertices on the cut line are in both parts; none is lost.
  EXPECT_GE(piece.GetNbVertices() + bunny.GetNbVertices(), original.GetNbVertices());
  EXPECT_FALSE(cut.Run(&bunny, KelRawCollint(), &piece));
}

TEST(KelCldMeshValidationOper, FindsEdgesWithMoreThanTwoTriangles)
{
  KelCldMeshValidationOper validation;
  KelCldPolygon grid, fin, bowtie;
  MakeGrid(grid, 3, 3);
  EXPECT_TRUE(validation.Run(&grid));
  EXPECT_FALSE(validation.Run(nullptr));

  MakeGrid(fin, 3, 3);
  fin.AddPoint(0.f, 0.f, 1.f);
  fin.AddTriangle(1, 5, 10);  // third triangle on 1-5
  EXPECT_FALSE(validation.Run(&fin));

  // Two fans meeting at one vertex: only edges are examined.
  for (int i = 0; i < 5; ++i) bowtie.AddPoint(float(i % 3), float(i / 3), float(i % 2));
  bowtie.AddTriangle(1, 2, 3);
  bowtie.AddTriangle(1, 4, 5);
  EXPECT_TRUE(validation.Run(&bowtie));

  const std::string snowden = SharedDataPath("snowden.obj");
  KEL_REQUIRE_SHARED(snowden);
  KelCldPolygon scan;
  ASSERT_TRUE(ReadObj(snowden, scan));
  EXPECT_FALSE(validation.Run(&scan));  // 88 non-manifold edges
}
