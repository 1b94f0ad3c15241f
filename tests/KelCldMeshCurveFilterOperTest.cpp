#include <gtest/gtest.h>

#include "KelCldMeshCurveFilterOper.h"
#include "KelCldUtil.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

// On a 3 x 3 unit grid: triangle 1 is (1, 2, 5), triangle 2 is (1, 5, 4).
TEST(KelCldMeshCurveFilterOperDeathTest, RemovesRedundantPoints)
{
  KelCldPolygon poly;
  MakeGrid(poly, 3, 3);
  KelCldMeshPoint inside;  // in triangle 1
  inside.SetTriangle(1);
  inside.SetPosition(KelMathPoint(0.8, 0.3, 0));
  KelListPtrKelCldMeshCurve curves;
  // A run of edge points on one edge shrinks to its two ends, between vertex ends that stay.
  curves.Append(MakeCurve(&poly, {VertexPoint(poly, 4), EdgePoint(poly, 1, 2, 0.2), EdgePoint(poly, 2, 1, 0.6),
                                  EdgePoint(poly, 1, 2, 0.4), EdgePoint(poly, 1, 2, 0.9), VertexPoint(poly, 5)}));
  // Edge, triangle, edge on one triangle loses the triangle point; edge, vertex, edge on one
  // edge the vertex.
  curves.Append(MakeCurve(&poly, {EdgePoint(poly, 1, 5, 0.5), inside, EdgePoint(poly, 2, 5, 0.5), VertexPoint(poly, 5),
                                  EdgePoint(poly, 5, 2, 0.2)}));
  // A vertex between points of two edges at it stays; a detour from a vertex to its edge and
  // back loses the edge point but keeps the vertex twice.
  curves.Append(MakeCurve(&poly, {EdgePoint(poly, 1, 2, 0.5), VertexPoint(poly, 2), EdgePoint(poly, 2, 5, 0.5),
                                  VertexPoint(poly, 5), EdgePoint(poly, 5, 4, 0.5), VertexPoint(poly, 5)}));
  curves.Append(MakeCurve(&poly, {EdgePoint(poly, 1, 2, 0.2), EdgePoint(poly, 1, 2, 0.4)}));  // too short
  {
    const KelCldMeshCurveFilterOper filter(&poly);
    EXPECT_EQ(3UL + curves.Size(), poly.GetRefCount());  // the operator and its topology utility
    ASSERT_EQ(1, filter.Run(curves));
    EXPECT_EQ(0, filter.FilterMeshCurve(nullptr));
    EXPECT_EQ(1, filter.Run(KelListPtrKelCldMeshCurve()));
  }
  EXPECT_FALSE(poly.IsOptimized());
  EXPECT_EQ(1UL + curves.Size(), poly.GetRefCount());
  EXPECT_EQ((std::vector<int>{eVertexPoint, eEdgePoint, eEdgePoint, eVertexPoint}), Types(*curves[1]));
  KelMathPoint p, q;
  curves[1]->GetPoint(2, p);
  curves[1]->GetPoint(3, q);
  EXPECT_EQ(KelMathPoint(0.2, 0, 0), p);
  EXPECT_EQ(KelMathPoint(0.9, 0, 0), q);
  EXPECT_EQ((std::vector<int>{eEdgePoint, eEdgePoint, eEdgePoint}), Types(*curves[2]));
  EXPECT_EQ((std::vector<int>{eEdgePoint, eVertexPoint, eEdgePoint, eVertexPoint, eVertexPoint}), Types(*curves[3]));
  EXPECT_EQ(2, curves[4]->GetNumPoints());

  // The run stops at a null entry: the curve after it is not filtered.
  curves[3]->InsertPoint(2, EdgePoint(poly, 1, 2, 0.7));
  curves.InsertAt(3, nullptr);
  EXPECT_EQ(0, KelCldMeshCurveFilterOper(&poly).Run(curves));
  EXPECT_EQ(6, curves[4]->GetNumPoints());

  const KelCldMeshCurveFilterOper empty(nullptr);
  EXPECT_DEATH(empty.Run(curves[1]), "AssertionFailed:_topologyUtil");
  KelCldUtil::ReleaseObjects(curves);
}

// A dense curve along a vertex path of the bunny, with edge points and a triangle point on
// each edge, keeps its ends and stays regular with two edge points per edge.
TEST(KelCldMeshCurveFilterOperTest, FiltersDenseCurveOnBunny)
{
  KelCldPolygon poly;
  KEL_READ_SHARED("bunny.obj", poly);
  const std::vector<int> vertices = GreedyVertexPath(&poly, 100, 40);
  const KelCldTopologyUtil topology(&poly);
  std::vector<KelCldMeshPoint> points;
  for (size_t k = 0; k + 1 < vertices.size(); ++k) {
    const int a = vertices[k], b = vertices[k + 1];
    points.push_back(VertexPoint(poly, a));
    for (const double t : {0.1, 0.3, 0.5, 0.7, 0.9}) points.push_back(EdgePoint(poly, a, b, t));
    points.insert(points.end() - 2, EdgePoint(poly, a, b, 0.6));
    points[points.size() - 3].SetTriangle(topology.CheckSameTriangleVertexVertex(a, b));
  }
  points.push_back(VertexPoint(poly, vertices.back()));
  KelCldMeshCurve* curve = MakeCurve(&poly, points);
  ASSERT_TRUE(curve->IsRegular());

  ASSERT_EQ(1, KelCldMeshCurveFilterOper(&poly).Run(curve));
  EXPECT_TRUE(curve->IsRegular());
  KelCldMeshPoint start, end;
  curve->GetStartPoint(start);
  curve->GetEndPoint(end);
  EXPECT_EQ(points.front(), start);
  EXPECT_EQ(points.back(), end);
  EXPECT_EQ(static_cast<int>(3 * vertices.size() - 2), curve->GetNumPoints());
  curve->Release();
}
