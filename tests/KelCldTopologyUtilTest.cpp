// Topology utility: triangle and hole queries on small constructed meshes, hole walks on the
// elephant's 106 boundary loops, second rings against brute force on the closed bunny, the
// optimized-state bookkeeping and the fatal assertions.

#include "KelCldTopologyUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelMathLine.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::set<int> Set(const KelRawCollint& iList) { return std::set<int>(iList.Data(), iList.Data() + iList.Size()); }

// Triangles (1, 2, 5), (1, 5, 4), (2, 3, 6), (2, 6, 5), (4, 5, 8), (4, 8, 7), (5, 6, 9), (5, 9, 8);
// vertex 5 is the only interior vertex.
KelCldPolygon* Grid3x3()
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  MakeGrid(*polygon, 3, 3);
  return polygon;
}

KelCldPolygon* ReadShared(const std::string& iPath)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  EXPECT_TRUE(ReadObj(iPath, *polygon));
  return polygon;
}

KelCldMeshPoint MeshPoint(MeshPointType iType, int iIndex0, int iIndex1 = 0)
{
  KelCldMeshPoint point;
  if (iType == eVertexPoint) point.SetVertex(iIndex0);
  if (iType == eEdgePoint) point.SetEdge(iIndex0, iIndex1);
  if (iType == eFacePoint) point.SetTriangle(iIndex0);
  return point;
}

std::string Fatal(const std::string& iCondition)
{
  return FatalPattern(iCondition, "KelCldUtilitiesBase.m/src/KelCldTopologyUtil, line");
}

}  // namespace

TEST(KelCldTopologyUtil, OptimizedStateAndReferenceAreRestored)
{
  KelCldPolygon* polygon = Grid3x3();
  {
    KelCldTopologyUtil outer(polygon);
    EXPECT_EQ(polygon->GetRefCount(), 2u);
    EXPECT_TRUE(polygon->IsOptimized());
    { KelCldTopologyUtil inner(polygon); }  // finds it optimized and leaves it so
    EXPECT_TRUE(polygon->IsOptimized());
  }
  EXPECT_TRUE(!polygon->IsOptimized() && polygon->GetRefCount() == 1u);
  polygon->Optimize();
  KelCldTopologyUtil* util = new KelCldTopologyUtil(polygon);
  util->Release();
  EXPECT_TRUE(polygon->IsOptimized());
  polygon->Release();

  // Without a polygon the non-asserting queries answer "nothing".
  const KelCldTopologyUtil none(nullptr);
  int v = 7, t = 3;
  KelRawCollint out = Coll({4});
  EXPECT_EQ(none.GetNextVertex(1, 1) + none.GetPreviousVertex(1, 1) + none.GetEdge(1, 2, v, t) + none.GetNextHoleVertex(1), 0);
  EXPECT_EQ(none.CheckSameTriangleVertexVertex(1, 2) + none.SameTriangle(MeshPoint(eFacePoint, 1), MeshPoint(eFacePoint, 1)), 0);
  EXPECT_FALSE(none.NextVertexAndTriangle(1, v, t) || none.GetTrianglesFromVertices(Coll({1}), out));
  none.GetVerticesFromTriangles(Coll({1}), out);
  EXPECT_EQ(List(out), std::vector<int>{4});
}

TEST(KelCldTopologyUtil, TriangleQueries)
{
  KelCldPolygon* polygon = MakePolygon(4, {{1, 2, 3}, {3, 2, 4}, {2, 3, 4}, {1, 1, 2}});
  const KelCldTopologyUtil util(polygon);
  int v[3], n[3], a = -1, b = -1;
  unsigned char orientation = 0;
  util.GetVertices(2, v);
  util.GetNeighbors(1, n);
  util.GetOrientation(2, orientation);
  EXPECT_EQ(std::vector<int>(v, v + 3), (std::vector<int>{3, 2, 4}));
  EXPECT_EQ(std::vector<int>(n, n + 3), (std::vector<int>{0, 0, 0}));  // 2-3 has three triangles
  EXPECT_EQ(orientation, 1);
  EXPECT_EQ(util.GetOppositeVertex(2, 4, 2) * 10 + util.GetOppositeVertex(2, 1, 2), 30);
  EXPECT_TRUE(util.GetOppositeEdge(2, 4, a, b) && a * 10 + b == 32 && !util.GetOppositeEdge(2, 1, a, b));
  util.GetEdgeVertices(2, 2, a, b);
  EXPECT_EQ(a * 10 + b, 43);
  EXPECT_TRUE(util.GetEdgeIndex(2, 3, 4, a) && a == 2);
  EXPECT_FALSE(util.GetEdgeIndex(0, 3, 4, a) || util.GetEdgeIndex(2, 1, 4, a));
  EXPECT_TRUE(util.GetVertexIndex(4, 1, a) && a == 1);  // repeated vertex: the last position
  EXPECT_TRUE(!util.GetVertexIndex(2, 1, a) && a == 1);  // absent: untouched
  EXPECT_EQ(util.GetNextVertex(2, 4) * 10 + util.GetPreviousVertex(2, 4), 32);
  EXPECT_EQ(util.GetNextVertex(0, 4) + util.GetNextVertex(2, 1) + util.GetPreviousVertex(2, 1), 0);
  EXPECT_TRUE(util.GetEdgeOrientation(2, 2, 4) == 1 && util.GetEdgeOrientation(2, 4, 2) == -1);
  EXPECT_EQ(util.GetEdgeOrientation(2, 1, 2) + util.GetEdgeOrientation(0, 2, 4), 0);
  EXPECT_TRUE(util.IsAnEdgeOf(2, 4, 3) && !util.IsAnEdgeOf(2, 4, 4) && !util.IsAVertexOf(2, 1));
  polygon->Release();

  // Neighbours across 2-5: consistent orientation gives the edge as in the first triangle;
  // triangles (1, 2, 5) and (2, 5, 6) run it the same way.
  polygon = MakePolygon(6, {{1, 2, 5}, {2, 6, 5}, {2, 5, 6}});
  polygon->RemoveTriangle(3);
  const KelCldTopologyUtil pair(polygon);
  EXPECT_TRUE(pair.GetEdge(1, 2, a, b) == 1 && a * 10 + b == 25);
  EXPECT_TRUE(pair.IsANeighborOf(1, 2) && !pair.IsANeighborOf(1, 0) && !pair.IsANeighborOf(1, 1));
  a = b = 7;
  EXPECT_TRUE(pair.GetEdge(1, 3, a, b) == 0 && a * 10 + b == 77);  // not neighbours: untouched
  polygon->SetTriangleVertices(2, std::vector<int>{2, 5, 6}.data());
  EXPECT_TRUE(pair.GetEdge(1, 2, a, b) == 0 && a * 10 + b == 0);  // same direction: zeroed
  polygon->Release();
}

TEST(KelCldTopologyUtil, HolesOnSmallMeshes)
{
  KelCldPolygon* polygon = MakePolygon(4, {{1, 2, 3}});
  const KelCldTopologyUtil single(polygon);
  int edges[6], t = 1, a = 1, b = 2;
  EXPECT_EQ(single.GetHoleEdges(1, edges), 3);
  EXPECT_EQ(std::vector<int>(edges, edges + 6), (std::vector<int>{1, 2, 2, 3, 3, 1}));
  EXPECT_TRUE(single.GetNextHoleEdge(t, a, b) && (std::vector<int>{t, a, b}) == (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(single.GetNextHoleVertex(2, 1) == 3 && single.GetNextHoleVertex(1, 4) == 0);  // 1-4: not an edge
  EXPECT_TRUE(single.IsHoleEdge(1, 4) && !single.IsValidEdge(1, 4) && single.IsValidEdge(3, 1));
  EXPECT_TRUE(!single.IsHoleVertex(4) && single.GetNextHoleVertex(4) == 0 && single.GetNextHoleVertex(1) == 2);
  a = 1;
  EXPECT_TRUE(single.NextVertexAndTriangle(2, a, t) && t * 10 + a == 3);  // across the free edge 2-3
  EXPECT_FALSE(single.NextVertexAndTriangle(2, a, t));
  KelRawCollint ring = Coll({9});
  single.GetSecondNeighborTriangles(1, ring);
  EXPECT_EQ(ring.Size(), 0);  // the first triangle's opposite edge is free
  EXPECT_TRUE(single.IsHoleMeshPoint(MeshPoint(eVertexPoint, 1)) && single.IsHoleMeshPoint(MeshPoint(eEdgePoint, 1, 4)));
  EXPECT_FALSE(single.IsHoleMeshPoint(MeshPoint(eFacePoint, 1)) || single.IsHoleMeshPoint(KelCldMeshPoint()));
  polygon->Release();

  // Closed tetrahedron: no free edge, and a hole walk from an interior edge gives up.
  polygon = MakePolygon(4, {{1, 3, 2}, {1, 2, 4}, {2, 3, 4}, {3, 1, 4}});
  const KelCldTopologyUtil closed(polygon);
  std::fill(edges, edges + 6, -1);
  EXPECT_EQ(closed.GetHoleEdges(2, edges), 0);
  EXPECT_EQ(std::vector<int>(edges, edges + 6), std::vector<int>(6, 0));
  t = 2, a = 1, b = 2;
  EXPECT_FALSE(closed.GetNextHoleEdge(t, a, b));
  EXPECT_TRUE((std::vector<int>{t, a, b}) == (std::vector<int>{2, 1, 2}) && closed.GetNextHoleVertex(1, 2) == 0);
  EXPECT_FALSE(closed.IsHoleVertex(1) || closed.IsHoleEdge(1, 2) || closed.IsHoleMeshPoint(MeshPoint(eEdgePoint, 2, 1)));
  polygon->Release();
}

TEST(KelCldTopologyUtil, RingsAndSetsOnGrid)
{
  KelCldPolygon* polygon = Grid3x3();
  const KelCldTopologyUtil util(polygon);
  KelRawCollint out = Coll({99});
  // A closed fan whose first triangle's opposite edge is free gives nothing.
  util.GetSecondNeighborTriangles(5, out);
  EXPECT_EQ(out.Size(), 0);
  // Open fan of 4 (first triangle 2): the walk stops at the top boundary, before triangle 1.
  util.GetSecondNeighborTriangles(4, out);
  EXPECT_EQ(List(out), (std::vector<int>{4, 7, 8}));
  util.GetSecondNeighborTriangles(5, 9, out);
  EXPECT_EQ(List(out), (std::vector<int>{1, 2, 5, 6}));  // stops around 8
  util.GetSecondNeighborTriangles(1, 2, out);
  EXPECT_EQ(out.Size(), 0);  // free edge
  util.GetNeighborVertices(1, 2, out);  // ring 1 from triangles 1 and 2, next then previous
  EXPECT_EQ(std::vector<int>(out.Data(), out.Data() + 3), (std::vector<int>{2, 5, 4}));
  EXPECT_EQ(Set(out), (std::set<int>{2, 3, 4, 5, 6, 7, 8, 9}));

  EXPECT_TRUE(util.GetTrianglesFromVertices(Coll({9, 3, 9}), out) && List(out) == (std::vector<int>{3, 7, 8}));
  EXPECT_TRUE(util.GetTrianglesFromVertices(KelRawCollint(), out) && out.Size() == 0);
  util.GetVerticesFromTriangles(Coll({8, 1}), out);
  EXPECT_EQ(List(out), (std::vector<int>{1, 2, 5, 8, 9}));

  // Shared triangles of mesh points, every type against every type.
  const KelCldMeshPoint v5 = MeshPoint(eVertexPoint, 5), v3 = MeshPoint(eVertexPoint, 3), e59 = MeshPoint(eEdgePoint, 9, 5),
                        e89 = MeshPoint(eEdgePoint, 8, 9), f4 = MeshPoint(eFacePoint, 4), none;
  const std::vector<int> shared{util.SameTriangle(v5, MeshPoint(eVertexPoint, 9)), util.SameTriangle(v5, e89),
                                util.SameTriangle(e89, v5), util.SameTriangle(e59, e89), util.SameTriangle(f4, v5),
                                util.SameTriangle(v5, f4), util.SameTriangle(f4, MeshPoint(eEdgePoint, 6, 2)),
                                util.SameTriangle(e59, f4), util.SameTriangle(f4, f4), util.SameTriangle(f4, MeshPoint(eFacePoint, 3))};
  EXPECT_EQ(shared, (std::vector<int>{7, 8, 8, 8, 4, 4, 4, 0, 4, 0}));
  EXPECT_EQ(util.SameTriangle(v5, v3) + util.SameTriangle(v3, e59) + util.SameTriangle(none, v5), 0);
  EXPECT_EQ(util.GetTriangle(v5) * 100 + util.GetTriangle(e59) * 10 + util.GetTriangle(f4) + util.GetTriangle(none), 174);
  EXPECT_TRUE(KelCldTopologyUtil::SameEdge(v5, v3) && KelCldTopologyUtil::SameEdge(e59, MeshPoint(eEdgePoint, 5, 9)));
  EXPECT_TRUE(KelCldTopologyUtil::SameEdge(e59, v5) && KelCldTopologyUtil::SameEdge(v5, e59));
  EXPECT_FALSE(KelCldTopologyUtil::SameEdge(v3, e59) || KelCldTopologyUtil::SameEdge(f4, f4) ||
               KelCldTopologyUtil::SameEdge(e59, e89));
  polygon->Release();
}

TEST(KelCldTopologyUtil, ElephantHoleWalksVisitEveryLoopOnce)
{
  const std::string path = SharedDataPath("elephant-with-holes.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon* polygon = ReadShared(path);
  const KelCldTopologyUtil util(polygon);
  const std::vector<int> pairs = FreeEdgePairs(*polygon);
  const int count = int(pairs.size() / 2);
  ASSERT_EQ(count, 1353);
  std::map<std::pair<int, int>, int> visits;  // undirected free edge -> times walked
  for (int i = 0; i < count; ++i) visits[std::minmax(pairs[2 * i], pairs[2 * i + 1])] = 0;
  int loops = 0;
  for (int i = 0; i < count; ++i) {
    const int a0 = pairs[2 * i], b0 = pairs[2 * i + 1];
    if (visits[std::minmax(a0, b0)]) continue;
    ++loops;
    int t = 0, t2 = 0, a = a0, b = b0, previous = a0, current = b0;
    polygon->GetEdgeTriangles(a, b, t, t2);
    std::vector<int> byEdges, byVertices;
    do {
      ASSERT_TRUE(util.IsHoleEdge(a, b));
      ++visits[std::minmax(a, b)];
      byEdges.push_back(b);
      ASSERT_TRUE(util.GetNextHoleEdge(t, a, b));
      ASSERT_TRUE(util.IsAnEdgeOf(t, a, b));
    } while (!(a == a0 && b == b0) && byEdges.size() <= size_t(count));
    do {
      byVertices.push_back(current);
      const int next = util.GetNextHoleVertex(current, previous);
      previous = current;
      current = next;
    } while (current && !(previous == a0 && current == b0) && byVertices.size() <= size_t(count));
    EXPECT_EQ(byVertices, byEdges);
  }
  EXPECT_EQ(loops, 106);
  EXPECT_TRUE(std::all_of(visits.begin(), visits.end(), [](const auto& iEdge) { return iEdge.second == 1; }));
  // The loops are simple: as many hole vertices as free edges.
  int holeVertices = 0;
  for (int v = 1; v <= polygon->GetNbPoints(); ++v)
    if (util.IsHoleVertex(v)) holeVertices += util.IsHoleEdge(v, util.GetNextHoleVertex(v));
  EXPECT_EQ(holeVertices, count);
  polygon->Release();
}

TEST(KelCldTopologyUtil, BunnySecondRingsMatchBruteForce)
{
  const std::string path = SharedDataPath("bunny.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon* polygon = ReadShared(path);
  const KelCldTopologyUtil util(polygon);
  const int nbPoints = polygon->GetNbPoints();
  std::vector<std::set<int>> fans(size_t(nbPoints) + 1);
  for (int v = 1; v <= nbPoints; ++v) {
    KelRawCollint around;
    util.GetFirstNeighborTriangles(v, around);
    fans[size_t(v)] = Set(around);
  }
  // Triangles touching any of the vertices, except the excluded ones.
  auto bruteForce = [&](const int* iVertices, int iCount, const std::set<int>& iExcluded) {
    std::set<int> result;
    for (int i = 0; i < iCount; ++i)
      for (const int t : fans[size_t(iVertices[i])])
        if (!iExcluded.count(t)) result.insert(t);
    return result;
  };
  KelRawCollint ring, result;
  for (int v = 1; v <= nbPoints; ++v) {
    util.GetNeighborVertices(v, ring);
    util.GetSecondNeighborTriangles(v, result);
    ASSERT_EQ(Set(result), bruteForce(ring.Data(), ring.Size(), fans[size_t(v)])) << "vertex " << v;
  }
  for (int t = 1; t <= polygon->GetNbTriangles(); t += 3) {
    int v[3], a = 0, b = 0, both[6];
    util.GetVertices(t, v);
    polygon->GetEdgeTriangles(v[0], v[1], a, b);
    util.GetVertices(a, both);
    util.GetVertices(b, both + 3);
    util.GetSecondNeighborTriangles(v[0], v[1], result);
    ASSERT_EQ(Set(result), bruteForce(both, 6, {a, b})) << "edge " << v[0] << "-" << v[1];
  }
  polygon->Release();
}

TEST(KelCldComparePoints, Tolerances)
{
  // The largest coordinate scales the tolerance of all three.
  EXPECT_TRUE(KelCldComparePoints(KelMathPoint(0, 0, 0), KelMathPoint(0.001, 0, 0)));
  EXPECT_FALSE(KelCldComparePoints(KelMathPoint(0, 0, 0), KelMathPoint(0, 0, -0.0011)));
  EXPECT_TRUE(KelCldComparePoints(KelMathPoint(5000, 0, 0), KelMathPoint(5000.004, 0, 0)));
  EXPECT_FALSE(KelCldComparePoints(KelMathPoint(-5000, 0, 0), KelMathPoint(-5000.004, 0, 0)));
  EXPECT_TRUE(KelCldComparePoints(KelMathPoint(0, 0, 5000), KelMathPoint(0.004, 0, 5000)));
  const KelMathLine line(KelMathPoint(0, 0, 0), KelMathVector(1, 0, 0));
  EXPECT_TRUE(KelCldComparePointToLine(KelMathPoint(7, 0.0009, 0), line));
  EXPECT_FALSE(KelCldComparePointToLine(KelMathPoint(7, 0, 0.002), line));
  EXPECT_TRUE(KelCldComparePointToLine(KelMathPoint(6000, 0.005, 0), line));  // scale of the projection
}

TEST(KelCldTopologyUtilDeathTest, AssertionMessages)
{
  KelCldPolygon* polygon = Grid3x3();
  polygon->RemoveTriangle(8);
  const KelCldTopologyUtil util(polygon), none(nullptr);
  int v[6], a = 0, b = 0, t = 9;
  KelRawCollint out;
  EXPECT_DEATH(none.GetVertices(1, v), Fatal("_polygon"));
  EXPECT_DEATH(util.GetVertices(0, v), Fatal("triangle > 0 && triangle <= _polygon->GetNbTriangles()"));
  EXPECT_DEATH(util.GetNextHoleEdge(t, a, b), Fatal("triangle >= 1 && triangle <= _polygon->GetNbTriangles()"));
  EXPECT_DEATH(util.GetEdgeIndex(9, 1, 2, a), Fatal("triangle <= _polygon->GetNbTriangles ()"));
  EXPECT_DEATH(util.IsValidEdge(0, 1), Fatal("vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.IsHoleEdge(1, 10), Fatal("vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.IsHoleVertex(10), Fatal("vertex >= 1 && vertex <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.GetEdgeVertices(1, 3, a, b), Fatal("edge >= 0 && edge <= 2"));
  EXPECT_DEATH(util.GetVerticesFromTriangles(Coll({1, 8}), out), Fatal("_polygon->IsTriangleValid(triangle)"));
  polygon->Release();
}
