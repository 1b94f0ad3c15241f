// Geometry utility: bookkeeping of the polygon, snapping to corners and edge lines, extreme
// edges and angles, areas and normals of the closed bunny against a computation of their own,
// projection onto a bumpy grid against sampling, and the fatal assertions.

#include "KelCldGeometryUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelMathLine.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

std::string Fatal(const std::string& iCondition)
{
  return FatalPattern(iCondition, "KelCldUtilitiesBase.m/src/KelCldGeometryUtil, line");
}

// One triangle stored as vertices (3, 1, 2), so that vertex numbers and corners differ.
KelCldPolygon* MakeTriangle(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  int v = 0;
  for (const KelMathPoint* p : {&iP1, &iP2, &iP0}) polygon->AddPoint(*p, v);
  polygon->AddTriangle(3, 1, 2);
  return polygon;
}

// A utility that alone holds its polygon (one triangle unless given another).
struct OneTriangle : KelCldGeometryUtil {
  explicit OneTriangle(KelCldPolygon* iPolygon) : KelCldGeometryUtil(iPolygon) { iPolygon->Release(); }
  OneTriangle(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2)
      : OneTriangle(MakeTriangle(iP0, iP1, iP2)) {}
};

double Gap(const KelMathVector& iA, const KelMathVector& iB) { return (iA - iB).Norm(); }

}  // namespace

TEST(KelCldGeometryUtil, HoldsPolygonOptimizedWhileItLives)
{
  KelCldPolygon* polygon = MakeTriangle(KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(0, 1, 0));
  {
    KelCldGeometryUtil util(polygon);
    { KelCldGeometryUtil nested(polygon); }
    EXPECT_TRUE(polygon->IsOptimized());
  }
  EXPECT_TRUE(!polygon->IsOptimized() && polygon->GetRefCount() == 1u);
  polygon->Optimize();
  { KelCldGeometryUtil util(polygon); }
  EXPECT_TRUE(polygon->IsOptimized());
  polygon->Release();
  EXPECT_FALSE(KelCldGeometryUtil(nullptr).IsMaximumEdge(1, 1, 2));
}

TEST(KelCldGeometryUtil, SnapsPointsToCornersAndEdgeLines)
{
  // Corners 1 and 2 are 0.00014 apart: 0.00009 from corner 1 and 0.00005 from corner 2 snaps
  // to corner 1, the first in stored order.
  const OneTriangle close(KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(1, 0.00014, 0));
  EXPECT_EQ(close.GetVertexFromPoint(1, KelMathPoint(1, 0.00009, 0)), 1);
  EXPECT_EQ(close.GetVertexFromPoint(1, KelMathPoint(0.00005, 0.00005, 0)), 3);
  EXPECT_EQ(close.GetVertexFromPoint(1, KelMathPoint(0.5, 0, 0)), 0);

  // The infinite line counts, not the segment; of two lines through the point the lower edge.
  const OneTriangle right(KelMathPoint(0, 0, 0), KelMathPoint(2, 0, 0), KelMathPoint(0, 2, 0));
  EXPECT_EQ(right.GetEdgeFromPoint(1, KelMathPoint(5, 0.00005, 0)), 0);
  EXPECT_EQ(right.GetEdgeFromPoint(1, KelMathPoint(0, -3, 0.00009)), 2);
  EXPECT_EQ(right.GetEdgeFromPoint(1, KelMathPoint(0, 0, 0)), 0);
  EXPECT_EQ(right.GetEdgeFromPoint(1, KelMathPoint(1, 0, 0.0002)), -1);
  EXPECT_DOUBLE_EQ(right.GetEdgeLength(1, 2), std::sqrt(8.0));
}

TEST(KelCldGeometryUtil, ExtremeEdgesAndAngles)
{
  // Squared lengths 4, 4, 1: longest edge 0 (tied with edge 1), shortest 2. Then 1, 1, 4.
  const OneTriangle isosceles(KelMathPoint(-0.5, 0, 0), KelMathPoint(0, std::sqrt(3.75), 0), KelMathPoint(0.5, 0, 0));
  EXPECT_EQ(isosceles.GetMaximumEdge(1) * 10 + isosceles.GetMinimumEdge(1), 2);
  EXPECT_TRUE(isosceles.IsMaximumEdge(1, 1, 3));
  const OneTriangle flat(KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(2, 0, 0));
  EXPECT_EQ(flat.GetMaximumEdge(1) * 10 + flat.GetMinimumEdge(1), 20);

  // Right isosceles with the right angle at corner 2: of the equal angles 1 sorts before 0.
  const OneTriangle util(KelMathPoint(1, 0, 0), KelMathPoint(0, 1, 0), KelMathPoint(0, 0, 0));
  int maxIndex = -1, minIndex = -1, sorted[3];
  double maxAngle = 0.0, minAngle = 0.0, big, mid, small;
  util.GetMaximumAngle(1, maxIndex, maxAngle);
  util.GetMinimumAngle(1, minIndex, minAngle);
  EXPECT_EQ(std::vector<int>({maxIndex, minIndex}), std::vector<int>({2, 0}));
  EXPECT_EQ(maxAngle, KelPI / 2);
  EXPECT_DOUBLE_EQ(minAngle, KelPI / 4);
  util.GetSortedAngles(1, big, mid, small, sorted[0], sorted[1], sorted[2]);
  EXPECT_EQ(std::vector<int>(sorted, sorted + 3), std::vector<int>({2, 1, 0}));
  EXPECT_EQ(std::vector<double>({big, mid}), std::vector<double>({maxAngle, small}));
  EXPECT_DOUBLE_EQ(util.GetTriangleArea(1), 0.5);
}

TEST(KelCldGeometryUtil, BunnyAreasAndNormalsMatchOwnComputation)
{
  const std::string path = SharedDataPath("bunny.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon* polygon = KelCldPolygon::Create();
  ASSERT_TRUE(ReadObj(path, *polygon));
  KelCldGeometryUtil util(polygon);

  std::vector<KelMathVector> vertexSums(static_cast<size_t>(polygon->GetNbPoints()) + 1);
  KelMathVector closure;
  double total = 0.0, volume = 0.0;
  for (int t = 1; t <= polygon->GetNbTriangles(); ++t) {
    int v[3];
    unsigned char orientation;
    polygon->GetTriangleVertices(t, v, orientation);
    KelMathPoint p[3];
    for (int i = 0; i < 3; ++i) polygon->GetPoint(v[i], p[i]);
    const KelMathVector cross = (p[1] - p[0]) ^ (p[2] - p[0]);
    const double area = util.GetTriangleArea(t);
    const KelMathVector normal = util.GetTriangleNormal(t);
    EXPECT_NEAR(area, 0.5 * cross.Norm(), 1e-12);
    EXPECT_LE(Gap(normal, cross * (1.0 / cross.Norm())), 1e-12);
    total += area;
    volume += area * (normal * (p[0] - KelMathPoint())) / 3.0;
    closure += normal * area;
    for (int i = 0; i < 3; ++i) vertexSums[static_cast<size_t>(v[i])] += cross;

  }
  // Area and enclosed volume (outward normals) as computed from the file apart; the
  // area-weighted normals of a closed surface cancel.
  EXPECT_NEAR(total, 218.6893, 1e-3);
  EXPECT_NEAR(volume, 194.2884, 1e-3);
  EXPECT_LT(closure.Norm(), 1e-9 * total);
  for (int v = 1; v <= polygon->GetNbPoints(); ++v) {
    vertexSums[static_cast<size_t>(v)].Normalize();
    EXPECT_LE(Gap(util.GetVertexNormal(v), vertexSums[static_cast<size_t>(v)]), 1e-9);
  }

  // An edge point's normal bisects its two triangles' normals; an undefined point has none.
  int t0 = 0, t1 = 0;
  ASSERT_EQ(polygon->GetEdgeTriangles(1, 2, t0, t1), 2);
  KelMathVector bisector = util.GetTriangleNormal(t0) + util.GetTriangleNormal(t1), normal(7, 7, 7);
  bisector.Normalize();
  KelCldMeshPoint point;
  EXPECT_EQ(util.GetMeshPointNormal(point, normal), 0);
  point.SetEdge(2, 1);
  EXPECT_EQ(util.GetMeshPointNormal(point, normal), 1);
  EXPECT_LE(Gap(normal, bisector), 1e-12);
  polygon->Release();
}

TEST(KelCldGeometryUtil, ProjectionMatchesSampledNearestPoint)
{
  // 4 x 4 grid with interior vertices 6 and 11 moved up and down.
  KelCldPolygon* polygon = KelCldPolygon::Create();
  MakeGrid(*polygon, 4, 4);
  polygon->SetPoint(6, 1.0, 1.0, 0.8);
  polygon->SetPoint(11, 2.0, 2.0, -0.5);
  KelCldGeometryUtil util(polygon);
  const KelMathPoint queries[] = {{0.3, 0.6, 1.0}, {1.0, 1.0, 2.0}, {-1.0, -1.0, 0.5}, {1.5, -0.7, 0.1},
                                  {2.2, 1.9, -2.0}, {3.4, 1.5, 0.3}, {1.6, 1.4, 0.4}, {0.9, 2.7, -0.2}};
  int types[4] = {0, 0, 0, 0};
  for (const KelMathPoint& query : queries) {
    KelCldMeshPoint projected;
    ASSERT_EQ(util.ProjectPoint(query, projected), 1);
    const KelMathPoint& position = projected.GetPosition();
    ++types[projected.GetType()];
    int a = 0, b = 0;
    if (projected.GetVertex(a)) {
      EXPECT_EQ(position, util.GetVertexPoint(a));
    } else if (projected.GetEdge(a, b)) {
      const KelMathLine edge(util.GetVertexPoint(a), util.GetVertexPoint(b));
      EXPECT_LT(edge.DistanceTo(position), 1e-12);
      EXPECT_NEAR((query - position) * edge.GetDirection(), 0.0, 1e-6);
    }
    // No sample of any triangle is nearer than the projection, and the nearest is close.
    double nearest = 1e30;
    for (int t = 1; t <= polygon->GetNbTriangles(); ++t) {
      KelMathPoint p0, p1, p2;
      util.GetPoints(t, p0, p1, p2);
      for (int i = 0; i <= 40; ++i)
        for (int j = 0; i + j <= 40; ++j)
          nearest = std::min(nearest, query.DistanceTo(p0 + (p1 - p0) * (i / 40.0) + (p2 - p0) * (j / 40.0)));
    }
    EXPECT_LE(query.DistanceTo(position), nearest + 1e-9);
    EXPECT_GT(query.DistanceTo(position), nearest - 0.05);
  }
  EXPECT_TRUE(types[eVertexPoint] && types[eEdgePoint] && types[eFacePoint]);
  polygon->Release();

  KelCldMeshPoint untouched;
  untouched.SetVertex(4);
  EXPECT_EQ(OneTriangle(KelCldPolygon::Create()).ProjectPoint(KelMathPoint(1, 2, 3), untouched), 0);
  EXPECT_EQ(untouched.GetType(), eVertexPoint);
}

TEST(KelCldGeometryUtilDeathTest, BrokenPreconditionsAreFatal)
{
  const OneTriangle util(KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(0, 1, 0));
  const KelCldGeometryUtil none(nullptr);
  KelCldMeshPoint point;
  KelMathVector normal;
  KelMathPoint p;
  EXPECT_DEATH(none.ProjectPoint(p, point), Fatal("_polygon"));
  EXPECT_DEATH(util.GetVertexNormal(0), Fatal("vertex >= 1 && vertex <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.GetEdgeNormal(0, 1), Fatal("vertex0 >= 1 && vertex0 <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.GetEdgeLength(1, 4), Fatal("vertex1 >= 1 && vertex1 <= _polygon->GetNbPoints()"));
  EXPECT_DEATH(util.GetPoints(0, p, p, p), Fatal("triangle >= 1 && triangle <= _polygon->GetNbTriangles()"));
}
