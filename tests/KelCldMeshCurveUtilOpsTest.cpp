#include <gtest/gtest.h>

#include "KelCldBoundaryScan.h"
#include "KelCldBoundaryScans.h"
#include "KelCldMeshCurveUtil.h"
#include "KelCldUtil.h"
#include "KelGeoFactory.h"
#include "KelKnotVector.h"
#include "KelMathSetOfPoints.h"
#include "KelMathSetOfPointsND.h"
#include "KelNurbsCurve.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

// A 6 x 3 unit grid: row y = 0 holds vertices 1..6, row y = 1 vertices 7..12, row y = 2 13..18.
class KelCldMeshCurveUtilOpsTest : public ::testing::Test {
protected:
  void SetUp() override { MakeGrid(_poly, 6, 3); }
  void TearDown() override { KelCldUtil::ReleaseObjects(_curves); }
  KelCldMeshCurve* Path(const std::vector<int>& iVertices)
  {
    _curves.Append(MakeVertexPath(&_poly, iVertices));
    return _curves[_curves.Size()];
  }

  KelCldPolygon _poly;
  KelListPtrKelCldMeshCurve _curves;  // released at the end
};

TEST_F(KelCldMeshCurveUtilOpsTest, ArcLengthAndPositions)
{
  const KelCldMeshCurve* row = Path({1, 2, 3, 4, 5});
  EXPECT_EQ(2, KelCldMeshCurveUtil::GetIndexFromDistance(row, 1.5));
  EXPECT_EQ(1, KelCldMeshCurveUtil::GetIndexFromDistance(row, 1.0));  // shared bound: the first
  EXPECT_EQ(4, KelCldMeshCurveUtil::GetIndexFromDistance(row, 10.0));
  EXPECT_EQ(0, KelCldMeshCurveUtil::GetIndexFromDistance(row, -0.5));
  EXPECT_DOUBLE_EQ(3.0, KelCldMeshCurveUtil::GetDistanceFromIndex(row, 4));
  EXPECT_DOUBLE_EQ(0.0, KelCldMeshCurveUtil::GetDistanceFromIndex(row, 6));

  EXPECT_EQ(3, KelCldMeshCurveUtil::GetPointIndex(row, KelMathPoint(2.0004, 0, 0)));
  EXPECT_EQ(3, KelCldMeshCurveUtil::GetPointIndex(row, KelMathPoint(2.5, 0.0005, 0)));
  EXPECT_EQ(0, KelCldMeshCurveUtil::GetPointIndex(row, KelMathPoint(2.5, 0.01, 0)));
  EXPECT_EQ(2, KelCldMeshCurveUtil::GetIndexFromPoint(row, KelMathPoint(2, 0, 0)));  // first segment
  EXPECT_EQ(0, KelCldMeshCurveUtil::GetIndexFromPoint(row, KelMathPoint(3.5, 0.5, 0)));
}

TEST_F(KelCldMeshCurveUtilOpsTest, BreakSpliceSortAndCount)
{
  KelCldMeshCurve* row = Path({1, 2, 3, 4, 5});
  KelListPtrKelCldMeshCurve pieces;
  pieces.Append(row);  // breaking appends
  ASSERT_EQ(1, KelCldMeshCurveUtil::BreakMeshCurve(row, Coll({3}), pieces));
  ASSERT_EQ(3, pieces.Size());
  EXPECT_EQ((std::vector<int>{1, 2, 3}), VertexPath(*pieces[2]));
  EXPECT_EQ((std::vector<int>{3, 4, 5}), VertexPath(*pieces[3]));
  pieces.RemovePosition(1);
  _curves.Append(pieces);
  pieces.RemoveAll();
  // Indices are sorted; one beyond the curve spoils the pieces next to it.
  ASSERT_EQ(1, KelCldMeshCurveUtil::BreakMeshCurve(row, Coll({4, 2, 9}), pieces));
  _curves.Append(pieces);
  ASSERT_EQ(2, pieces.Size());
  EXPECT_EQ((std::vector<int>{2, 3, 4}), VertexPath(*pieces[2]));

  // i > j puts the other curve in backwards between points 2 and 5.
  KelCldMeshCurve* wide = Path({1, 2, 3, 4, 5, 6});
  ASSERT_EQ(1, KelCldMeshCurveUtil::Splice(wide, Path({11, 10, 9}), 4, 2));
  EXPECT_EQ((std::vector<int>{1, 2, 9, 10, 11, 5, 6}), VertexPath(*wide));
  ASSERT_EQ(1, KelCldMeshCurveUtil::Splice(wide, Path({10, 4}), 4, 5));  // forward, for 11
  EXPECT_EQ((std::vector<int>{1, 2, 9, 10, 4, 5, 6}), VertexPath(*wide));
  EXPECT_EQ(0, KelCldMeshCurveUtil::Splice(wide, Path({18}), 2, 3));  // not regular: unchanged
  EXPECT_EQ(7, wide->GetNumPoints());

  KelListPtrKelCldMeshCurve byLength;
  for (KelCldMeshCurve* curve : {Path({1, 2, 3, 4}), Path({7, 8}), Path({13, 14, 15})}) byLength.Append(curve);
  KelCldMeshCurveUtil::SortByLength(byLength);
  for (int i = 1; i <= 3; ++i) EXPECT_DOUBLE_EQ(i, byLength[i]->GetLength());
  byLength.Append(nullptr);
  EXPECT_EQ(9, KelCldMeshCurveUtil::GetNumPoints(byLength));
  KelMathSetOfPointsND points;
  ASSERT_EQ(1, KelCldMeshCurveUtil::GetPoints(byLength, points));
  EXPECT_EQ(KelMathPoint(3, 0, 0), points.GetMathPoint(8));
}

TEST_F(KelCldMeshCurveUtilOpsTest, HoleCurves)
{
  EXPECT_EQ(1, KelCldMeshCurveUtil::IsHoleCurve(Path({1, 2, 3, 4, 5, 6, 12, 18, 17, 16, 15, 14, 13, 7, 1})));
  EXPECT_EQ(0, KelCldMeshCurveUtil::IsHoleCurve(Path({8, 9, 15, 14, 8})));  // inner edges

  KelCldPolygon elephant;
  KEL_READ_SHARED("elephant-with-holes.obj", elephant);
  elephant.BuildBoundaryScans();
  const KelCldBoundaryScans* scans = elephant.GetBoundaryScans();
  int holes = 0;
  for (int s = 1; scans && s <= scans->GetNbScans(); ++s) {
    const KelCldBoundaryScan* scan = scans->GetScan(s);
    std::vector<int> loop;
    for (int j = 1; j <= scan->GetNbPoints(); ++j) loop.push_back(elephant.GetVertexOfScanPoint(scan->GetPointIdentifier(j)));
    KelCldMeshCurve* curve = MakeVertexPath(&elephant, loop);
    holes += KelCldMeshCurveUtil::IsHoleCurve(curve);
    curve->Release();
  }
  EXPECT_EQ(106, holes);
}

TEST_F(KelCldMeshCurveUtilOpsTest, NurbsCurveAndRibbonMesh)
{
  KelGeoFactory factory;
  const KelCldMeshCurve* bend = Path({1, 2, 8});
  KelNurbsCurve* nurbs = KelCldMeshCurveUtil::CreateNurbsCurve(&factory, bend);
  ASSERT_NE(nullptr, nurbs);
  EXPECT_EQ(2.0, nurbs->GetKnotVector().GetKnotValue(3));
  EXPECT_EQ(KelMathPoint(1, 0.5, 0), nurbs->Evaluate(1.5));
  nurbs->Release();
  EXPECT_EQ(nullptr, KelCldMeshCurveUtil::CreateNurbsCurve(&factory, Path({1})));
  EXPECT_EQ(nullptr, KelCldMeshCurveUtil::CreateNurbsCurve(&factory, KelMathSetOfPoints(10000)));

  KelCldPolygon* ribbon = KelCldMeshCurveUtil::CreateMesh(&factory, bend);
  ASSERT_NE(nullptr, ribbon);
  EXPECT_EQ(5, ribbon->GetNbPoints(1));
  EXPECT_EQ(KelMathPoint(1, 0.5, 0), Position(*ribbon, 4));
  EXPECT_EQ((std::vector<int>{3, 4, 5, 0, 0, 0}), TriangleRow(*ribbon, 2));
  ribbon->Release();
  EXPECT_EQ(nullptr, KelCldMeshCurveUtil::CreateMesh(nullptr, bend));
  EXPECT_EQ(nullptr, KelCldMeshCurveUtil::CreateMesh(&factory, Path({3})));
}
