#include <gtest/gtest.h>

#include "KelCldMeshCurveRelaxOper.h"
#include "KelCldUtil.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

namespace {

// Triangles (1, 2, 3) and (2, 4, 3) on a square of side iSide.
void MakeSquare(KelCldPolygon& ioPoly, float iSide)
{
  for (const float y : {0.f, iSide})
    for (const float x : {0.f, iSide}) ioPoly.AddPoint(x, y, 0.f);
  ioPoly.AddTriangle(1, 2, 3);
  ioPoly.AddTriangle(2, 4, 3);
}

// At iDistance from iVertex0 along the edge.
KelCldMeshPoint EdgeAt(const KelCldPolygon& iPoly, int iVertex0, int iVertex1, double iDistance)
{
  return EdgePoint(iPoly, iVertex0, iVertex1, iDistance / Position(iPoly, iVertex0).DistanceTo(Position(iPoly, iVertex1)));
}

}  // namespace

TEST(KelCldMeshCurveRelaxOperDeathTest, SnapsWithinToleranceOfTheEdge)
{
  KelCldPolygon small, large, tiny;
  MakeSquare(small, 0.1f);
  MakeSquare(large, 10.f);
  MakeSquare(tiny, 0.0015f);

  // Edge length 0.1: tolerance KelCldDistanceEpsilon.
  KelCldMeshCurve* curve = MakeCurve(&small, {VertexPoint(small, 3), EdgeAt(small, 1, 2, 0.0005), EdgeAt(small, 2, 3, 0.05)});
  const KelCldMeshCurveRelaxOper relaxSmall(&small);
  KelRawCollint vertices;
  ASSERT_EQ(1, relaxSmall.GetVertices(curve, vertices));
  EXPECT_EQ((std::vector<int>{1}), List(vertices));
  ASSERT_EQ(1, relaxSmall.Relax(curve, 1));
  KelCldMeshPoint snapped;
  curve->GetMeshPoint(2, snapped);
  EXPECT_EQ(Position(small, 1), snapped.GetPosition());
  EXPECT_EQ((std::vector<int>{eVertexPoint, eVertexPoint, eEdgePoint}), Types(*curve));
  curve->Release();

  // Edge length 10: tolerance 0.01, strict; a candidate found twice is listed once.
  curve = MakeCurve(&large, {EdgeAt(large, 1, 2, 0.009), EdgeAt(large, 2, 4, 0.0101), EdgeAt(large, 2, 4, 9.995),
                             EdgeAt(large, 3, 4, 9.999)});
  vertices.RemoveAll();
  const KelCldMeshCurveRelaxOper relaxLarge(&large);
  ASSERT_EQ(1, relaxLarge.GetVertices(curve, vertices));
  EXPECT_EQ((std::vector<int>{1, 4}), List(vertices));
  ASSERT_EQ(1, relaxLarge.Relax(curve, vertices));
  EXPECT_EQ((std::vector<int>{eVertexPoint, eEdgePoint, eVertexPoint}), Types(*curve));  // 4 twice: merged
  curve->Release();

  // Near both ends of the edge (2, 1): vertex 2, the first of its pair. The first curve also
  // makes 2 a candidate for the second, whose point near both ends of (1, 2) alone would go to 1.
  KelListPtrKelCldMeshCurve curves;
  curves.Append(MakeCurve(&tiny, {EdgeAt(tiny, 2, 1, 0.00075), EdgeAt(tiny, 2, 3, 0.0002), VertexPoint(tiny, 3)}));
  curves.Append(nullptr);
  curves.Append(MakeCurve(&tiny, {VertexPoint(tiny, 3), EdgeAt(tiny, 1, 2, 0.00075)}));
  KelCldMeshCurve* alone = new KelCldMeshCurve(*curves[3]);
  const KelCldMeshCurveRelaxOper relaxTiny(&tiny);
  ASSERT_EQ(1, relaxTiny.Run(curves));
  EXPECT_EQ((std::vector<int>{2, 3}), VertexPath(*curves[1]));
  EXPECT_EQ((std::vector<int>{3, 2}), VertexPath(*curves[3]));
  KelCldUtil::ReleaseObjects(curves);
  curves.Append(alone);
  ASSERT_EQ(1, relaxTiny.Run(curves));
  EXPECT_EQ((std::vector<int>{3, 1}), VertexPath(*alone));

  KelCldMeshCurve empty(&small);
  EXPECT_EQ(0, relaxSmall.GetVertices(&empty, vertices));
  EXPECT_EQ(1, relaxSmall.Relax(&empty, KelRawCollint()));
  const KelCldMeshCurveRelaxOper unset(nullptr);
  EXPECT_EQ(1, unset.Run(KelListPtrKelCldMeshCurve()));
  EXPECT_DEATH(unset.GetVertices(alone, vertices), "AssertionFailed:_geometryUtil");
  EXPECT_DEATH(unset.Relax(alone, 1), "AssertionFailed:_geometryUtil");
  KelCldUtil::ReleaseObjects(curves);
}

// Edge points a hair from the vertices of a bunny vertex path (the first one an end point)
// snap onto them; the curve stays regular.
TEST(KelCldMeshCurveRelaxOperTest, KeepsBunnyCurveRegular)
{
  KelCldPolygon poly;
  KEL_READ_SHARED("bunny.obj", poly);
  const std::vector<int> vertices = GreedyVertexPath(&poly, 500, 40);
  std::vector<KelCldMeshPoint> points;
  for (size_t k = 0; k + 1 < vertices.size(); ++k) {
    const int a = vertices[k], b = vertices[k + 1];
    for (const double t : {1e-5, 0.5, 1.0 - 1e-5}) points.push_back(EdgePoint(poly, a, b, t));
    points.push_back(VertexPoint(poly, b));
  }
  KelCldMeshCurve* curve = MakeCurve(&poly, points);
  ASSERT_TRUE(curve->IsRegular());
  KelListPtrKelCldMeshCurve curves;
  curves.Append(curve);
  ASSERT_EQ(1, KelCldMeshCurveRelaxOper(&poly).Run(curves));
  EXPECT_TRUE(curve->IsRegular());
  EXPECT_EQ(static_cast<int>(2 * vertices.size() - 1), curve->GetNumPoints());  // vertex, middle, ...
  KelCldMeshPoint start;
  curve->GetStartPoint(start);
  EXPECT_EQ(VertexPoint(poly, vertices.front()), start);
  curve->Release();
}
