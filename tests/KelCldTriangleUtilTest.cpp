// Triangle formulas, barycentric coordinates and the housekeeping helpers: degenerate
// triangles, weights that reproduce the point, polygon areas in any plane, reference counts
// after releasing lists and taking polygons out of a body.

#include "KelCldTriangleUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "KelCldBarycentric.h"
#include "KelCldBody.h"
#include "KelCldPolygon.h"
#include "KelCldUtil.h"
#include "KelCurve.h"
#include "KelMathSetOfPoints.h"
#include "KelMathVector.h"

namespace {

KelMathPoint Weighted(const KelMathPoint* iPoints, const double* iWeights, int iCount)
{
  KelMathPoint sum;
  for (int i = 0; i < iCount; ++i) sum += (iPoints[i] - KelMathPoint()) * iWeights[i];
  return sum;
}

}  // namespace

TEST(KelCldTriangleUtil, NormalsLengthsAnglesAndAreas)
{
  const KelMathPoint o(0, 0, 0), x(4, 0, 0), y(0, 3, 0);
  KelMathVector normal;
  EXPECT_EQ(KelCldTriangleUtil::GetTriangleNormal(o, x, y, normal), 1);
  // Collinear and nearly collinear points (sine 0.0005) have none and leave the output alone.
  EXPECT_EQ(KelCldTriangleUtil::GetTriangleNormal(o, x, KelMathPoint(8, 0, 0), normal) +
                KelCldTriangleUtil::GetTriangleNormal(o, x, KelMathPoint(2, 0.001, 0), normal),
            0);
  EXPECT_EQ(normal, KelMathVector(0, 0, 1));

  double l[3], c[3], a[3];
  KelCldTriangleUtil::GetTriangleEdgeLengthsAngleCosines(o, x, y, &l[0], &l[1], &l[2], &c[0], &c[1], &c[2]);
  EXPECT_EQ(std::vector<double>(l, l + 3), std::vector<double>({4, 5, 3}));
  EXPECT_EQ(std::vector<double>(c, c + 3), std::vector<double>({0, 0.8, 0.6}));
  KelCldTriangleUtil::GetTriangleEdgeLengthsAngles(o, x, y, &l[0], &l[1], &l[2], &a[0], &a[1], &a[2]);
  EXPECT_EQ(std::vector<double>(a, a + 3), std::vector<double>({KelPI / 2, std::acos(0.8), std::acos(0.6)}));
  EXPECT_DOUBLE_EQ(KelCldTriangleUtil::GetTriangleArea(o, x, y), 6.0);
  // A zero-length edge 0: corners 0 and 1 keep cosine 0 (right angles), corner 2 gets 0.
  KelCldTriangleUtil::GetTriangleAngles(o, o, KelMathPoint(1, 0, 0), &a[0], &a[1], &a[2]);
  EXPECT_EQ(std::vector<double>(a, a + 3), std::vector<double>({KelPI / 2, KelPI / 2, 0.0}));

  // Dihedral angles: folded at a right angle, flipped.
  EXPECT_DOUBLE_EQ(KelCldTriangleUtil::GetDihedralAngle(o, x, y, o, KelMathPoint(0, 0, 2), x), KelPI / 2);
  EXPECT_DOUBLE_EQ(KelCldTriangleUtil::GetDihedralAngle(o, x, y, o, y, x), KelPI);

  // Polygon areas: a unit square tilted 45 degrees away from the origin, and a non-convex L.
  const double s = std::sqrt(0.5);
  KelMathSetOfPoints square, ell;
  for (const KelMathPoint& p : {KelMathPoint(0, 0, 0), KelMathPoint(1, 0, 0), KelMathPoint(1, s, s), KelMathPoint(0, s, s)})
    square.AddPoint(p + KelMathVector(10, -20, 30));
  for (const KelMathPoint& p : {KelMathPoint(0, 0, 5), KelMathPoint(2, 0, 5), KelMathPoint(2, 1, 5),
                                KelMathPoint(1, 1, 5), KelMathPoint(1, 2, 5), KelMathPoint(0, 2, 5)})
    ell.AddPoint(p);
  EXPECT_NEAR(KelCldTriangleUtil::GetPolygonArea(square), 1.0, 1e-12);
  EXPECT_DOUBLE_EQ(KelCldTriangleUtil::GetPolygonArea(ell), 3.0);
}

TEST(KelCldBarycentric, WeightsReproduceThePoint)
{
  // Segment: its start, beyond its end; a degenerate segment leaves the outputs alone.
  const KelMathPoint s0(1, 1, 0), s1(3, 1, 0);
  double w[4], size = 0.0;
  ASSERT_TRUE(KelCldBarycentric::ComputeBarycentricCoordinates(s0, s1, s0, w[0], w[1], size));
  EXPECT_EQ(std::vector<double>({w[0], w[1], size}), std::vector<double>({1, 0, 2}));
  ASSERT_TRUE(KelCldBarycentric::ComputeBarycentricCoordinates(s0, s1, KelMathPoint(4, 1, 0), w[0], w[1]));
  EXPECT_EQ(std::vector<double>({w[0], w[1]}), std::vector<double>({-0.5, 1.5}));
  EXPECT_FALSE(KelCldBarycentric::ComputeBarycentricCoordinates(s0, s0, s1, w[0], w[1], size));
  EXPECT_EQ(std::vector<double>({w[0], w[1], size}), std::vector<double>({-0.5, 1.5, 2}));

  // Triangle: points inside and outside are reproduced by their weights.
  const KelMathPoint t[3] = {KelMathPoint(1, 0, 2), KelMathPoint(4, 1, 2), KelMathPoint(2, 5, -1)};
  const double uvs[][2] = {{0.2, 0.3}, {0.0, 1.0}, {1.2, 0.5}, {-0.4, -0.3}};
  for (const double* uv : uvs) {
    const KelMathPoint x = t[0] + (t[1] - t[0]) * uv[0] + (t[2] - t[0]) * uv[1];
    ASSERT_TRUE(KelCldBarycentric::ComputeBarycentricCoordinates(t[0], t[1], t[2], x, w[0], w[1], w[2], size));
    EXPECT_NEAR(w[0], 1.0 - uv[0] - uv[1], 1e-12);
    EXPECT_LT(Weighted(t, w, 3).DistanceTo(x), 1e-12);
  }
  KelMathPoint weights;
  ASSERT_TRUE(KelCldBarycentric::ComputeBarycentricCoordinates(t[0], t[1], t[2], t[2], weights));
  EXPECT_EQ(weights, KelMathPoint(0, 0, 1));
  EXPECT_FALSE(KelCldBarycentric::ComputeBarycentricCoordinates(t[0], t[1], t[1], t[2], weights));

  // Tetrahedron: reproduction inside and outside; the volume is written even when flat.
  const KelMathPoint q[4] = {KelMathPoint(0, 0, 0), KelMathPoint(2, 0, 0), KelMathPoint(0, 3, 0), KelMathPoint(1, 1, 4)};
  for (const KelMathPoint& x : {KelMathPoint(0.5, 0.7, 1.0), KelMathPoint(3, -2, 5), q[3]}) {
    ASSERT_TRUE(KelCldBarycentric::ComputeBarycentricCoordinates(q[0], q[1], q[2], q[3], x, w[0], w[1], w[2], w[3], size));
    EXPECT_NEAR(w[0] + w[1] + w[2] + w[3], 1.0, 1e-12);
    EXPECT_LT(Weighted(q, w, 4).DistanceTo(x), 1e-12);
  }
  EXPECT_EQ(std::vector<double>({w[0], w[1], w[2], w[3], size}), std::vector<double>({0, 0, 0, 1, 4}));
  EXPECT_FALSE(KelCldBarycentric::ComputeBarycentricCoordinates(q[0], q[1], q[2], KelMathPoint(5, 5, 0), q[3], w[0], w[1],
                                                                w[2], w[3], size));
  EXPECT_EQ(std::vector<double>({w[3], size}), std::vector<double>({1, 0}));
}

TEST(KelCldUtil, ReleasesListsAndTakesPolygonsFromBodies)
{
  // Two extra references per curve: each helper must give back exactly one.
  KelCurve* curves[2] = {new KelCurve, new KelCurve};
  KelRawCollPV objects;
  KelListPtrKelCurve list;
  for (KelCurve* curve : curves) {
    curve->AddRef();
    curve->AddRef();
    objects.Append(curve);
    objects.Append(nullptr);
    list.Append(curve);
  }
  KelCldUtil::ReleaseObjects(objects);
  EXPECT_EQ(curves[1]->GetRefCount(), 2u);
  KelCldUtil::ReleaseObjects(list);
  EXPECT_EQ(objects.Size() + list.Size(), 0);
  EXPECT_EQ(curves[0]->GetRefCount(), 1u);

  // The deleting helpers: a leak or a mismatched delete shows in the sanitizer build.
  void* entries[] = {new KelRawCollint, nullptr, new KelRawColldouble, new KelMathSetOfPoints(3)};
  KelRawCollPV ints(entries, 2), doubles(entries + 2, 1), sets(entries + 3, 1);
  KelCldUtil::ReleaseKelListOfInt(ints);
  KelCldUtil::ReleaseKelListOfDouble(doubles);
  KelCldUtil::ReleaseKelMathSetOfPoints(sets);
  EXPECT_EQ(ints.Size() + doubles.Size() + sets.Size(), 0);

  // A body of a curve and two polygons: the first polygon comes out with a new reference.
  KelCldPolygon* polygons[2] = {KelCldPolygon::Create(), KelCldPolygon::Create()};
  KelCldBody* body = new KelCldBody;
  KelRawCollPV found;
  EXPECT_EQ(KelCldUtil::GetPolygonFromBody(nullptr), nullptr);
  body->AddCell(curves[0]);
  body->AddCell(nullptr);
  EXPECT_TRUE(KelCldUtil::GetPolygonFromBody(body) == nullptr && !KelCldUtil::GetPolygonsFromBody(body, found));
  body->AddCell(polygons[0]);
  body->AddCell(polygons[1]);
  EXPECT_EQ(KelCldUtil::GetPolygonFromBody(body), polygons[0]);
  EXPECT_EQ(polygons[0]->GetRefCount(), 3u);
  polygons[0]->Release();
  found.Append(nullptr);
  EXPECT_TRUE(KelCldUtil::GetPolygonsFromBody(body, found));
  EXPECT_EQ(std::vector<void*>(found.Data(), found.Data() + found.Size()),
            std::vector<void*>({nullptr, polygons[0], polygons[1]}));
  KelCldUtil::ReleaseObjects(found);
  body->Release();
  KelBaseUnknown* const all[] = {polygons[0], polygons[1], curves[0], curves[1]};
  for (KelBaseUnknown* object : all) {
    EXPECT_EQ(object->GetRefCount(), 1u);
    object->Release();
  }
}

TEST(KelCldUtil, IsOnLineSegment)
{
  const KelMathPoint a(1, 1, 1), b(3, 1, 1);
  EXPECT_TRUE(KelCldUtil::IsOnLineSegment(a, b, KelMathPoint(2, 1.0009, 1)) &&
              KelCldUtil::IsOnLineSegment(a, b, KelMathPoint(3.0009, 1, 1)));
  EXPECT_FALSE(KelCldUtil::IsOnLineSegment(a, b, KelMathPoint(3.002, 1, 1)) ||
               KelCldUtil::IsOnLineSegment(a, b, KelMathPoint(2, 1, 1.002)));
  // Ends closer than 0.001 make no segment, even for a point between them.
  EXPECT_FALSE(KelCldUtil::IsOnLineSegment(a, KelMathPoint(1.0009, 1, 1), KelMathPoint(1.0004, 1, 1)));
  EXPECT_TRUE(KelCldUtil::IsOnLineSegment(a, KelMathPoint(1.0011, 1, 1), KelMathPoint(1.0004, 1, 1)));
}
