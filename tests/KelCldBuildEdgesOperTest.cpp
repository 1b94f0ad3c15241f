#include "KelCldBuildEdgesOper.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "KelCldEdgeIterator.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

// Triangles (1, 2, 3) and (3, 2, 4) share edge 2-3.
KelCldPolygon* MakeTwoTriangles() { return MakePolygon(4, {{1, 2, 3}, {3, 2, 4}}); }

// Vertices then triangles of the edge.
std::vector<int> Edge(const KelCldBuildEdgesOper& iTable, int iEdge)
{
  int v0, v1, t0, t1;
  iTable.GetEdge(iEdge, v0, v1, t0, t1);
  return {v0, v1, t0, t1};
}

std::vector<int> TriangleEdges(const KelCldBuildEdgesOper& iTable, int iPosition)
{
  int e0, e1, e2;
  iTable.GetTriangleEdges(iPosition, e0, e1, e2);
  return {e0, e1, e2};
}

std::vector<int> Visited(KelICldEdgeIterator* iIterator)
{
  std::vector<int> edges;
  int edge = 0;
  for (KelBoolean more = iIterator->Reset(edge); more; more = iIterator->Next(edge)) edges.push_back(edge);
  return edges;
}

// Checks a table built on every triangle against first-appearance numbering done the plain way.
void ExpectFirstAppearanceNumbering(KelCldPolygon* iPolygon, const KelCldBuildEdgesOper& iTable)
{
  std::map<std::pair<int, int>, int> numbers;
  for (int i = 1; i <= iPolygon->GetNbTriangles(1); ++i) {
    int v[3], n[3], e[3];
    iPolygon->GetTriangle(i, v, n);
    iTable.GetTriangleEdges(i, e[0], e[1], e[2]);
    for (int k = 0; k < 3; ++k) {
      if (!iPolygon->IsTriangleValid(i)) {
        ASSERT_EQ(e[k], 0);
        continue;
      }
      const int a = v[k], b = v[(k + 1) % 3];
      const int next = static_cast<int>(numbers.size()) + 1;
      ASSERT_EQ(e[k], numbers.emplace(std::make_pair(std::min(a, b), std::max(a, b)), next).first->second)
          << "position " << i << " edge " << k;
    }
  }
  EXPECT_EQ(iTable.GetNbEdges(TRUE), static_cast<int>(numbers.size()));
}

std::string Fatal(const std::string& iCondition)
{
  return FatalPattern(iCondition, "KelCldExtensions.m/src/KelCldBuildEdgesOper");
}

}  // namespace

// The list itself is KelListVal's (tested there); what matters here is the record's equality.
TEST(CldBarRecord, EqualityAndListCopies)
{
  EXPECT_EQ(CldBarRecord(4, 9), CldBarRecord(9, 4));
  EXPECT_NE(CldBarRecord(4, 9), CldBarRecord(4, 8));
  KelListValCldBarRecord list;
  for (int i = 1; i <= 20; ++i) list.Append(CldBarRecord(i, i + 1));
  KelListValCldBarRecord copy(list);
  copy[5].SetVertices(6, 5);  // the same edge
  EXPECT_TRUE(copy == list);
  copy[5].SetVertices(1, 3);
  EXPECT_TRUE(copy != list && list[5].GetVertex1() == 6);
}

TEST(KelCldBuildEdgesOper, TwoTrianglesNumberingAndEdits)
{
  KelCldPolygon* polygon = MakeTwoTriangles();
  KelCldBuildEdgesOper table;
  KelRawCollint vertices;
  EXPECT_FALSE(table.GetVertices(vertices));  // nothing built yet
  table.Build(polygon);

  const std::vector<int> expected[5] = {{1, 2, 1, 0}, {2, 3, 1, 2}, {3, 1, 1, 0}, {2, 4, 2, 0}, {4, 3, 2, 0}};
  ASSERT_EQ(table.GetNbEdges(TRUE), 5);
  for (int e = 1; e <= 5; ++e) EXPECT_EQ(Edge(table, e), expected[e - 1]) << e;
  EXPECT_EQ(TriangleEdges(table, 2), (std::vector<int>{2, 4, 5}));

  EXPECT_FALSE(table.EdgesAreIdentical(1, 2));
  table.UpdateEdge(4, 2, 1);  // now the reverse of edge 1
  EXPECT_TRUE(table.EdgesAreIdentical(1, 4));
  table.UpdateEdge(4, 2, 4);

  KelICldEdgeIterator* iterator = nullptr;
  ASSERT_EQ(table.GetEdgeIterator(&iterator), S_OK);
  EXPECT_EQ(Visited(iterator), (std::vector<int>{1, 2, 3, 4, 5}));
  table.RemoveEdge(2);
  EXPECT_EQ(table.GetNbEdges(FALSE) * 10 + table.GetNbEdges(TRUE), 45);
  EXPECT_EQ(Visited(iterator), (std::vector<int>{1, 3, 4, 5}));
  table.RemoveEdge(4);
  table.RemoveEdge(5);
  ASSERT_TRUE(table.GetVertices(vertices));
  EXPECT_EQ(std::vector<int>(vertices.Data(), vertices.Data() + vertices.Size()), (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(table.GetTriangles(vertices));
  iterator->Release();

  KelCldEdgeIterator unbound;
  int edge = 0;
  EXPECT_FALSE(unbound.Reset(edge) || unbound.Next(edge));

  // An invalid triangle keeps its position with no edges; a removed one is left out by Build.
  table.BuildFromTriangles(polygon, Coll({2, 99, 1}));
  EXPECT_EQ(table.GetNbEdges(FALSE), 5);
  EXPECT_EQ(TriangleEdges(table, 2), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(TriangleEdges(table, 3), (std::vector<int>{4, 1, 5}));  // (1,2) (2,3) (3,1)
  polygon->RemoveTriangle(1);
  table.Build(polygon);
  EXPECT_EQ(table.GetNbEdges(TRUE), 3);
  EXPECT_EQ(Edge(table, 1), (std::vector<int>{3, 2, 2, 0}));

  // Through the mesh: the triangles around vertex 1 of a fresh pair are triangle 1 alone.
  KelCldPolygon* fresh = MakeTwoTriangles();
  table.BuildFromVertices(fresh, Coll({1}));
  EXPECT_EQ(table.GetNbEdges(TRUE), 3);
  int v0, v1;
  table.GetEdge(2, v0, v1);
  EXPECT_EQ((std::vector<int>{v0, v1}), (std::vector<int>{2, 3}));
  fresh->Release();
  polygon->Release();
}

TEST(KelCldBuildEdgesOper, FansAndNonManifoldEdges)
{
  // A closed fan of 100 triangles around vertex 1, then three triangles on edge 102-103.
  KelCldPolygon* polygon = KelCldPolygon::Create();
  for (int i = 0; i < 105; ++i) polygon->AddPoint(float(i), float(i * i % 7), 0.0f);
  for (int i = 2; i <= 101; ++i) polygon->AddTriangle(1, i, i == 101 ? 2 : i + 1);
  const int first = polygon->AddTriangle(102, 103, 104);
  polygon->AddTriangle(103, 102, 105);
  const int last = polygon->AddTriangle(102, 103, 1);
  KelCldBuildEdgesOper table;
  table.Build(polygon);
  ExpectFirstAppearanceNumbering(polygon, table);
  EXPECT_EQ(Edge(table, TriangleEdges(table, first)[0]), (std::vector<int>{102, 103, first, last}));
  EXPECT_EQ(Edge(table, 1), (std::vector<int>{1, 2, 1, 100}));  // fan edges have two triangles
  polygon->Release();
}

TEST(KelCldBuildEdgesOper, EdgeAttributes)
{
  KelCldPolygon* polygon = MakeTwoTriangles();
  KelCldBuildEdgesOper table;
  table.Build(polygon);
  const float cost = 2.5f;
  float read = 0.0f;
  EXPECT_FALSE(table.SetEdgeAttribute(1, 1, reinterpret_cast<const char*>(&cost)) || table.UndefineEdgeAttribute(1));

  ASSERT_TRUE(table.DefineEdgeAttribute(1, 4));
  ASSERT_TRUE(table.DefineEdgeAttribute(2, 4));
  EXPECT_FALSE(table.DefineEdgeAttribute(2, 4));
  EXPECT_FALSE(table.SetSizeOfEdgeAttributesField(4));
  EXPECT_TRUE(table.SetSizeOfEdgeAttributesField(16));
  EXPECT_FALSE(table.GetEdgeAttribute(3, 1, reinterpret_cast<char*>(&read)));  // no field yet
  EXPECT_EQ(table.GetEdgesRecordAttribute(3), nullptr);
  const int position = 7;
  ASSERT_TRUE(table.SetEdgeAttribute(3, 1, reinterpret_cast<const char*>(&cost)));
  ASSERT_TRUE(table.SetEdgeAttribute(3, 2, reinterpret_cast<const char*>(&position)));
  ASSERT_TRUE(table.SetEdgeAttribute(5, 1, reinterpret_cast<const char*>(&cost)));
  EXPECT_NE(table.GetEdgesRecordAttribute(3), table.GetEdgesRecordAttribute(5));
  int readPosition = 0;
  EXPECT_TRUE(table.GetEdgeAttribute(3, 1, reinterpret_cast<char*>(&read)) && read == cost);
  EXPECT_TRUE(table.GetEdgeAttribute(3, 2, reinterpret_cast<char*>(&readPosition)) && readPosition == position);

  EXPECT_TRUE(table.UndefineEdgeAttribute(2));
  EXPECT_FALSE(table.GetEdgeAttribute(3, 2, reinterpret_cast<char*>(&readPosition)));
  EXPECT_FALSE(table.SetEdgeAttribute(3, 2, reinterpret_cast<const char*>(&position)));

  // Definitions survive a rebuild; the new records start without fields.
  table.Build(polygon);
  EXPECT_EQ(table.GetEdgesRecordAttribute(3), nullptr);
  EXPECT_TRUE(table.SetEdgeAttribute(3, 1, reinterpret_cast<const char*>(&cost)));
  polygon->Release();
}

TEST(KelCldBuildEdgesOperDeathTest, RangeAssertions)
{
  KelCldPolygon* polygon = MakeTwoTriangles();
  KelCldBuildEdgesOper table;
  table.Build(polygon);
  int a, b, c, d;
  EXPECT_DEATH(table.GetEdge(6, a, b, c, d), Fatal("iEdgeIndex > 0 && iEdgeIndex <= _uniqueEdges->Size()"));
  EXPECT_DEATH(table.GetTriangleEdges(3, a, b, c), Fatal("tmpIndex > 0 && tmpIndex <= _triangleEdges.Size()"));
  EXPECT_DEATH(table.EdgesAreIdentical(1, 6), Fatal("iNoEdge1 > 0 && iNoEdge1 <= _uniqueEdges->Size() && iNoEdge2 > 0 && "
                                                    "iNoEdge2 <= _uniqueEdges->Size()"));
  EXPECT_DEATH(table.RemoveEdge(0), Fatal("iNoEdge > 0 && iNoEdge <= _uniqueEdges->Size()"));
  polygon->Release();
}

// Edge counts of the shared meshes against the counts of their README.
TEST(KelCldBuildEdgesOper, SharedMeshes)
{
  const struct {
    const char* name;
    bool closed;
    int boundaryEdges;
  } meshes[] = {{"bunny.obj", true, 0},
                {"armadillo.obj", true, 0},
                {"elephant-with-holes.obj", false, 1353},
                {"teapot.obj", false, 528},
                {"spider/spider.obj", false, 96}};
  for (const auto& mesh : meshes) {
    const std::string path = SharedDataPath(mesh.name);
    if (!FileExists(path)) continue;
    SCOPED_TRACE(mesh.name);
    KelCldPolygon* polygon = KelCldPolygon::Create();
    ASSERT_TRUE(ReadObj(path, *polygon));
    KelCldBuildEdgesOper table;
    table.Build(polygon);

    const int nbTriangles = polygon->GetNbTriangles(1);
    const int nbEdges = table.GetNbEdges(TRUE);
    int oneTriangleEdges = 0;
    for (int e = 1; e <= nbEdges; ++e) oneTriangleEdges += Edge(table, e)[3] == 0;
    EXPECT_EQ(oneTriangleEdges, mesh.boundaryEdges);
    if (mesh.closed) {
      EXPECT_EQ(2 * nbEdges, 3 * nbTriangles);
      EXPECT_EQ(polygon->GetNbVertices() - nbEdges + nbTriangles, 2);
    }
    ExpectFirstAppearanceNumbering(polygon, table);
    polygon->Release();
  }
}
