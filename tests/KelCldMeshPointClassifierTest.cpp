// Classifying 3D points against a triangle and an edge: interior, each edge, corners and
// outside on a constructed triangle, then centroids, corners and edge midpoints of the bunny.

#include <gtest/gtest.h>

#include <string>

#include "KelCldMeshPoint.h"
#include "KelCldMeshPointClassifier.h"
#include "KelCldPolygon.h"
#include "TestData.h"
#include "TestMeshes.h"

namespace {

// Triangle 1 = (1, 2, 3) with corners (0,0,0), (2,0,0), (0,2,0), area 2.
KelCldPolygon* MakeTriangle()
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  polygon->AddPoint(0.f, 0.f, 0.f);
  polygon->AddPoint(2.f, 0.f, 0.f);
  polygon->AddPoint(0.f, 2.f, 0.f);
  polygon->AddTriangle(1, 2, 3);
  return polygon;
}

// Type, then the indices and position of the classified point; {0} when not recognised.
std::vector<double> Classified(KelCldPolygon* iPolygon, int iTriangle, const KelMathPoint& iPoint)
{
  KelCldMeshPoint point;
  if (!KelCldMeshPointClassifier().Classify(iPolygon, iTriangle, iPoint, point)) return {0};
  int a = 0, b = 0;
  point.GetVertex(a) || point.GetEdge(a, b) || point.GetTriangle(a);
  const KelMathPoint& p = point.GetPosition();
  return {double(point.GetType() + 1), double(a), double(b), p.GetX(), p.GetY(), p.GetZ()};
}

}  // namespace

TEST(KelCldMeshPointClassifier, TriangleAndEdgeCases)
{
  KelCldPolygon* polygon = MakeTriangle();
  const double e = eEdgePoint + 1, v = eVertexPoint + 1, f = eFacePoint + 1;
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(0.5, 0.5, 0)), (std::vector<double>{f, 1, 0, 0.5, 0.5, 0}));
  // On each edge (or within the tolerance of it): the edge point at the projection.
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(1, 0.0004, 0)), (std::vector<double>{e, 1, 2, 1, 0, 0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(1, 1, 0)), (std::vector<double>{e, 2, 3, 1, 1, 0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(-0.0003, 1.5, 0)), (std::vector<double>{e, 3, 1, 0, 1.5, 0}));
  // Corners, exactly and within the coincidence tolerance.
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(0.0005, 0.0003, 0)), (std::vector<double>{v, 1, 0, 0, 0, 0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(2, 0, 0)), (std::vector<double>{v, 2, 0, 2, 0, 0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(0, 1.9995, 0)), (std::vector<double>{v, 3, 0, 0, 2, 0}));
  // Outside: away from the triangle, on an edge's line beyond its end, just off an edge.
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(3, 3, 0)), (std::vector<double>{0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(3, 0, 0)), (std::vector<double>{0}));
  EXPECT_EQ(Classified(polygon, 1, KelMathPoint(1, -0.01, 0)), (std::vector<double>{0}));
  EXPECT_TRUE(Classified(nullptr, 1, KelMathPoint(0.5, 0.5, 0)).size() == 1 &&
              Classified(polygon, 0, KelMathPoint(0.5, 0.5, 0)).size() == 1 &&
              Classified(polygon, 2, KelMathPoint(0.5, 0.5, 0)).size() == 1);

  // Against an edge: the pair keeps its order; the output is untouched when not recognised.
  const KelCldMeshPointClassifier classifier;
  KelCldMeshPoint point;
  int a = 0, b = 0;
  EXPECT_TRUE(classifier.Classify(polygon, 2, 1, KelMathPoint(0.5, 0.25, 0), point) && point.GetEdge(a, b));
  EXPECT_TRUE(a == 2 && b == 1 && point.GetPosition() == KelMathPoint(0.5, 0, 0));
  EXPECT_TRUE(classifier.Classify(polygon, 2, 1, KelMathPoint(2, 0, 0.0009), point) && point.GetVertex(a) && a == 2);
  point.SetTriangle(7);
  EXPECT_EQ(classifier.Classify(polygon, 1, 2, KelMathPoint(2.5, 0, 0), point) +
                classifier.Classify(polygon, 1, 0, KelMathPoint(1, 0, 0), point),
            0);
  EXPECT_TRUE(point.GetTriangle(a) && a == 7);
  polygon->Release();
}

TEST(KelCldMeshPointClassifier, BunnyCentroidsCornersAndMidpoints)
{
  const std::string path = SharedDataPath("bunny.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon* polygon = KelCldPolygon::Create();
  ASSERT_TRUE(ReadObj(path, *polygon));
  const KelCldMeshPointClassifier classifier;
  const int step = polygon->GetNbTriangles(1) / 300 + 1;
  for (int t = 1; t <= polygon->GetNbTriangles(1); t += step) {
    int v[3], n[3];
    ASSERT_TRUE(polygon->GetTriangle(t, v, n));
    KelMathPoint p[3];
    for (int i = 0; i < 3; ++i) polygon->GetPoint(v[i], p[i]);
    KelCldMeshPoint point;
    int index = 0, other = 0;
    EXPECT_TRUE(classifier.Classify(polygon, t, (p[0] + p[1] + p[2]) * (1.0 / 3.0), point) && point.GetTriangle(index) &&
                index == t);
    EXPECT_TRUE(classifier.Classify(polygon, t, p[1], point) && point.GetVertex(index) && index == v[1]);
    EXPECT_TRUE(classifier.Classify(polygon, t, (p[2] + p[0]) * 0.5, point) && point.GetEdge(index, other) &&
                index == v[2] && other == v[0])
        << "triangle " << t;
  }
  polygon->Release();
}
