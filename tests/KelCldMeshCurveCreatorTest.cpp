#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "KelCldMeshCurveCreator.h"
#include "KelCldMeshCurveGroupOper.h"
#include "KelCldUtil.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

namespace {

// Segments as the creator takes them: a pair of points per entry, and its triangle.
struct Segments {
  std::vector<std::array<KelMathPoint, 2>> ends;
  std::vector<KelMathPoint*> pointers;
  KelRawCollint triangles;

  void Add(int iTriangle, const KelMathPoint& iStart, const KelMathPoint& iEnd)
  {
    ends.push_back({iStart, iEnd});
    triangles.Append(iTriangle);
    pointers.clear();
    for (auto& pair : ends) pointers.push_back(pair.data());
  }
};

}  // namespace

// Along y = 0.25 on a 4 x 2 grid: A inside triangle 2, B on edge 1-6, C on edge 2-6, D inside
// triangle 4, given as BC (triangle 1), AB (triangle 2), CD (triangle 4).
TEST(KelCldMeshCurveCreatorTest, ChainsSegmentsEndFirstThenStart)
{
  KelCldPolygon poly;
  MakeGrid(poly, 4, 2);
  const KelMathPoint a(0.1, 0.25, 0), b(0.25, 0.25, 0), c(1, 0.25, 0), d(1.1, 0.25, 0);
  Segments segments;
  segments.Add(1, b, c);
  segments.Add(2, a, b);
  segments.Add(4, c, d);

  KelCldMeshCurveCreator creator;
  ASSERT_EQ(1, creator.Setup(&poly, segments.triangles, segments.pointers.data(), 3));
  EXPECT_TRUE(poly.IsOptimized());
  KelCldMeshCurve curve(&poly);
  KelMathPoint p;
  for (const KelMathPoint& expected : {c, d, a}) {  // B C, then B C D, then A B C D
    ASSERT_EQ(1, creator.AddSegment(&curve));
    curve.GetPoint(expected == a ? 1 : curve.GetNumPoints(), p);
    EXPECT_EQ(expected, p);
  }
  EXPECT_EQ(0, creator.AddSegment(&curve));
  EXPECT_EQ((std::vector<int>{eFacePoint, eEdgePoint, eEdgePoint, eFacePoint}), Types(curve));
  creator.Clear();
  EXPECT_FALSE(poly.IsOptimized());

  // A segment with an end off its triangle makes a curve with an undefined point: dropped.
  segments.Add(5, KelMathPoint(2.5, 0.2, 0), KelMathPoint(9, 9, 0));
  KelListPtrKelCldMeshCurve curves;
  const unsigned long references = poly.GetRefCount();
  ASSERT_EQ(1, creator.CreateMeshCurves(&poly, segments.triangles, segments.pointers.data(), 4, curves));
  ASSERT_EQ(1, curves.Size());
  EXPECT_EQ(curve, *curves[1]);
  EXPECT_EQ(references + 1, poly.GetRefCount());  // the new curve's only
  EXPECT_FALSE(poly.IsOptimized());
  KelCldUtil::ReleaseObjects(curves);

  // Refusals; triangles the polygon does not have and missing segments place nothing.
  EXPECT_EQ(0, creator.CreateMeshCurves(nullptr, segments.triangles, segments.pointers.data(), 4, curves));
  EXPECT_EQ(0, creator.CreateMeshCurves(&poly, KelRawCollint(), segments.pointers.data(), 0, curves));
  EXPECT_EQ(0, creator.CreateMeshCurves(&poly, segments.triangles, nullptr, 4, curves));
  EXPECT_EQ(0, creator.CreateMeshCurves(&poly, segments.triangles, segments.pointers.data(), 3, curves));
  Segments stray;
  stray.Add(99, a, b);
  stray.Add(-3, a, b);
  stray.pointers[1] = nullptr;
  EXPECT_EQ(1, creator.CreateMeshCurves(&poly, stray.triangles, stray.pointers.data(), 2, curves));
  EXPECT_EQ(0, curves.Size());
}

// A vertex path of the bunny cut into segments, shuffled, every other one backwards, comes
// back whole.
TEST(KelCldMeshCurveCreatorTest, RebuildsShuffledVertexPathOnBunny)
{
  KelCldPolygon poly;
  KEL_READ_SHARED("bunny.obj", poly);
  const std::vector<int> vertices = GreedyVertexPath(&poly, 1, 60);
  ASSERT_GT(vertices.size(), 20u);
  const KelCldTopologyUtil topology(&poly);
  std::vector<size_t> order(vertices.size() - 1);
  for (size_t k = 0; k < order.size(); ++k) order[k] = k;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  Segments segments;
  for (const size_t k : order) {
    const int from = vertices[k + k % 2], to = vertices[k + 1 - k % 2];
    segments.Add(topology.CheckSameTriangleVertexVertex(from, to), Position(poly, from), Position(poly, to));
  }
  KelCldMeshCurveCreator creator;
  KelListPtrKelCldMeshCurve curves;
  ASSERT_EQ(1, creator.CreateMeshCurves(&poly, segments.triangles, segments.pointers.data(), int(order.size()), curves));
  ASSERT_EQ(1, curves.Size());
  std::vector<int> rebuilt = VertexPath(*curves[1]);
  if (!rebuilt.empty() && rebuilt.front() != vertices.front()) std::reverse(rebuilt.begin(), rebuilt.end());
  EXPECT_EQ(vertices, rebuilt);
  KelCldUtil::ReleaseObjects(curves);
}

TEST(KelCldMeshCurveGroupOperTest, JoinsCurvesMeetingEndToEnd)
{
  KelCldPolygon poly, other;
  MakeGrid(poly, 4, 4);
  MakeGrid(other, 4, 4);
  KelListPtrKelCldMeshCurve input, output;
  for (KelCldMeshCurve* curve : {MakeVertexPath(&poly, {1, 2, 3}), MakeVertexPath(&poly, {7, 3}),
                                 MakeVertexPath(&poly, {6, 7, 11, 10, 6}),  // closed: kept apart
                                 MakeVertexPath(&other, {1, 5}),            // on another polygon
                                 MakeVertexPath(&poly, {5, 1}), static_cast<KelCldMeshCurve*>(nullptr)})
    input.Append(curve);
  output.Append(input[1]);  // emptied first
  const KelCldMeshCurveGroupOper group;
  ASSERT_EQ(3, group.Run(input, output));
  std::vector<int> joined = VertexPath(*output[1]);
  if (!joined.empty() && joined.front() != 5) std::reverse(joined.begin(), joined.end());
  EXPECT_EQ((std::vector<int>{5, 1, 2, 3, 7}), joined);
  EXPECT_EQ(*input[3], *output[2]);
  EXPECT_EQ(*input[4], *output[3]);
  EXPECT_EQ(0, input.Locate(output[3]));                           // new curves
  EXPECT_EQ((std::vector<int>{1, 2, 3}), VertexPath(*input[1]));  // inputs unchanged
  KelCldUtil::ReleaseObjects(input);
  KelCldUtil::ReleaseObjects(output);
}
