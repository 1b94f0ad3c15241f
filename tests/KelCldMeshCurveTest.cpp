// Mesh curves: editing and neighbours, append/merge/overlap on every case of the overlap
// tables, containment, regularity and chopping on grids and on the elephant's boundary loops,
// the curve-pointer list, the factory, and the fatal assertions.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "KelCldInterfaces.h"
#include "KelCldMeshCurve.h"
#include "KelCldMeshCurveUtil.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelCldUtil.h"
#include "KelListOfKelCldMeshCurves.h"
#include "KelMathBox.h"
#include "KelMathSetOfPoints.h"
#include "KelMathSetOfPointsND.h"
#include "KelMathVector.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

namespace {

KelCldMeshPoint Vertex(int iVertex, const KelCldPolygon* iPolygon = nullptr)
{
  KelCldMeshPoint point;
  KelMathPoint position;
  if (iPolygon) iPolygon->GetPoint(iVertex, position);
  point.SetPosition(position);
  point.SetVertex(iVertex);
  return point;
}

KelCldMeshPoint Edge(int iVertex0, int iVertex1, const KelMathPoint& iPosition)
{
  KelCldMeshPoint point;
  point.SetPosition(iPosition);
  point.SetEdge(iVertex0, iVertex1);
  return point;
}

// A curve of vertex points (positions read from the polygon when there is one).
void Fill(KelCldMeshCurve& ioCurve, const std::vector<int>& iVertices)
{
  ioCurve.RemoveAllPoints();
  for (int v : iVertices) ioCurve.AppendPoint(Vertex(v, ioCurve.GetPolyMesh()));
}

std::vector<int> Merged(const std::vector<int>& iThis, const std::vector<int>& iOther, int* oResult = nullptr)
{
  KelCldMeshCurve curve, other;
  Fill(curve, iThis);
  Fill(other, iOther);
  const int result = curve.Merge(other);
  if (oResult) *oResult = result;
  return CurveVertices(curve);
}

std::vector<int> Overlap(const std::vector<int>& iThis, const std::vector<int>& iOther, bool iDouble)
{
  KelCldMeshCurve curve, other;
  Fill(curve, iThis);
  Fill(other, iOther);
  int i1 = -1, i2 = -1, j1 = -1, j2 = -1;
  const int found = iDouble ? curve.GetDoubleOverlap(other, i1, i2, j1, j2) : curve.GetOverlap(other, i1, i2, j1, j2);
  EXPECT_EQ(found, iDouble ? curve.DoubleOverlaps(other) : curve.Overlaps(other));
  return {found, i1, i2, j1, j2};
}

const char kCurveSource[] = "KelCldMeshCrv.m/src/KelCldMeshCurve";
const char kListSource[] = "ProtectedInterfaces/KelListOfKelCldMeshCurves";

}  // namespace

TEST(KelCldMeshCurve, EditingNeighboursAndCopies)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  MakeGrid(*polygon, 4, 3);
  KelCldMeshCurve curve(polygon);
  KelCldMeshPoint point;
  EXPECT_EQ(polygon->GetRefCount(), 2u);
  EXPECT_EQ(curve.GetStartPoint(point) + curve.GetEndPoint(point) + curve.Reverse() + curve.IsClosedLoop(), 0);

  curve.AppendPoint(Vertex(2, polygon));
  EXPECT_FALSE(curve.IsClosedLoop());  // one point: its start is its end, but no loop
  EXPECT_FALSE(curve.GetPreviousPoint(1, point) || curve.GetNextPoint(1, point));
  curve.PrependPoint(Vertex(1, polygon));
  curve.InsertPoint(3, Vertex(7, polygon));
  curve.InsertPoint(3, Vertex(3, polygon));
  curve.SetMeshPoint(4, Vertex(4, polygon));
  EXPECT_EQ(CurveVertices(curve), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(curve.FindPoint(Vertex(3)) * 10 + curve.FindPoint(Vertex(9)), 30);
  EXPECT_EQ(curve.FindPoint(KelCldMeshPoint()), 0);  // undefined points equal nothing
  EXPECT_TRUE(curve.GetPreviousPoint(2, point) && point == Vertex(1));
  EXPECT_FALSE(curve.GetPreviousPoint(1, point) || curve.GetNextPoint(4, point));
  KelMathPoint position;
  EXPECT_TRUE(curve.GetPoint(4, position) && position == KelMathPoint(3, 0, 0) && !curve.GetPoint(5, position));

  // A closed loop wraps around: after N comes 1, before 1 comes N.
  KelCldMeshCurve loop(polygon);
  Fill(loop, {1, 2, 6, 1});
  EXPECT_TRUE(loop.IsClosedLoop());
  EXPECT_TRUE(loop.GetNextPoint(4, point) && point == Vertex(1));
  EXPECT_TRUE(loop.GetPreviousPoint(1, point) && point == Vertex(1) && loop.GetPreviousPoint(2, point));

  // Sub-curves keep the target's polygon; a reversed range leaves the target alone.
  KelCldMeshCurve sub;
  Fill(sub, {9});
  EXPECT_EQ(curve.GetSubMeshCurve(2, 1, sub) + curve.GetSubMeshCurve(0, 2, sub) + curve.GetSubMeshCurve(3, 5, sub), 0);
  EXPECT_EQ(CurveVertices(sub), (std::vector<int>{9}));
  EXPECT_TRUE(curve.GetSubMeshCurve(2, 3, sub));
  EXPECT_TRUE(CurveVertices(sub) == (std::vector<int>{2, 3}) && sub.GetPolyMesh() == nullptr);

  // Copies take the polygon and a reference on it; equality needs the same polygon.
  KelCldMeshCurve* copy = new KelCldMeshCurve(curve);
  EXPECT_TRUE(*copy == curve && copy->GetRefCount() == 1u && polygon->GetRefCount() == 4u);
  copy->RemovePoint(2);
  EXPECT_TRUE(CurveVertices(*copy) == (std::vector<int>{1, 3, 4}) && *copy != curve);
  *copy = *copy;
  sub = curve;
  EXPECT_TRUE(sub == curve && polygon->GetRefCount() == 5u);
  sub = KelCldMeshCurve();
  EXPECT_TRUE(sub.GetPolyMesh() == nullptr && sub.GetNumPoints() == 0 && polygon->GetRefCount() == 4u);
  copy->Release();
  EXPECT_EQ(polygon->GetRefCount(), 3u);

  EXPECT_TRUE(curve.Reverse() && CurveVertices(curve) == (std::vector<int>{4, 3, 2, 1}));
  Fill(curve, {1, 1, 2, 2, 2, 3, 1, 1});
  EXPECT_EQ(curve.RemoveDuplicates(), 0);
  EXPECT_EQ(CurveVertices(curve), (std::vector<int>{1, 2, 3, 1}));
  polygon->Release();
}

TEST(KelCldMeshCurve, AppendMergeAndContains)
{
  KelCldMeshCurve curve, other;
  Fill(curve, {1, 2, 3});
  Fill(other, {3, 4, 5});
  EXPECT_TRUE(curve.Append(other) && curve.GetNumPoints() == 5);  // N1 - 1 points added
  Fill(other, {7, 8});
  EXPECT_TRUE(curve.Append(other) && CurveVertices(curve) == (std::vector<int>{1, 2, 3, 4, 5, 7, 8}));
  EXPECT_TRUE(curve.Append(KelCldMeshCurve()) && curve.GetNumPoints() == 7);
  EXPECT_TRUE(curve.Append(curve) && curve.GetNumPoints() == 14);

  int result = -1;
  EXPECT_EQ(Merged({}, {1, 2}), (std::vector<int>{1, 2}));
  EXPECT_EQ(Merged({1, 2, 3}, {3, 4, 5}), (std::vector<int>{1, 2, 3, 4, 5}));  // E0 = S1
  EXPECT_EQ(Merged({1, 2, 3}, {5, 4, 3}), (std::vector<int>{1, 2, 3, 4, 5}));  // E0 = E1
  // Touching heads read as a one-point overlap: the result runs from this curve's end.
  EXPECT_EQ(Merged({3, 4, 5}, {3, 2, 1}), (std::vector<int>{5, 4, 3, 2, 1}));
  EXPECT_EQ(Merged({3, 4, 5}, {1, 2, 3}), (std::vector<int>{5, 4, 3, 2, 1}));
  // No overlap because the other's far end lies on this curve: joined in front.
  EXPECT_EQ(Merged({3, 4, 5}, {3, 2, 4}), (std::vector<int>{4, 2, 3, 4, 5}));  // S0 = S1
  EXPECT_EQ(Merged({3, 4, 5}, {4, 2, 3}), (std::vector<int>{4, 2, 3, 4, 5}));  // S0 = E1
  EXPECT_EQ(Merged({3}, {3, 2, 1}), (std::vector<int>{3, 2, 1}));              // one point: assigned
  EXPECT_EQ(Merged({1, 2, 3}, {4, 5, 6, 4}, &result), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(result, 1);  // a closed loop changes nothing
  EXPECT_EQ(Merged({1, 2, 3}, {4, 5}, &result), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Merged({1, 2, 3, 4}, {3, 4, 5, 6}), (std::vector<int>{1, 2, 3, 4, 5, 6}));  // through GetOverlap
  EXPECT_EQ(Merged({1, 2, 3, 4}, {3, 4, 5, 1, 2}), (std::vector<int>{1, 2, 3, 4, 5, 1}));  // closes the loop

  Fill(curve, {1, 2, 3, 4, 5});
  const auto contains = [&](const std::vector<int>& iOther) {
    Fill(other, iOther);
    return curve.Contains(other);
  };
  EXPECT_TRUE(contains({2, 3, 4}) && contains({4, 3, 2}) && contains({3}) && contains({1, 2, 3, 4, 5}));
  EXPECT_FALSE(contains({2, 4}) || contains({5, 6}) || contains({}) || contains({1, 2, 3, 4, 5, 1}));
}

TEST(KelCldMeshCurve, OverlapTables)
{
  // Heads meet, tail of this is head of other, head of this is tail of other, tails meet.
  EXPECT_EQ(Overlap({10, 11, 12, 20, 21}, {12, 11, 10, 30, 31}, false), (std::vector<int>{1, 1, 3, 1, 3}));
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {3, 4, 5, 6}, false), (std::vector<int>{1, 3, 4, 1, 2}));
  EXPECT_EQ(Overlap({3, 4, 5, 6}, {1, 2, 3, 4}, false), (std::vector<int>{1, 1, 2, 3, 4}));
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {7, 6, 4, 3}, false), (std::vector<int>{1, 3, 4, 3, 4}));
  EXPECT_EQ(Merged({10, 11, 12, 20, 21}, {12, 11, 10, 30, 31}), (std::vector<int>{21, 20, 12, 11, 10, 30, 31}));
  EXPECT_EQ(Merged({3, 4, 5, 6}, {1, 2, 3, 4}), (std::vector<int>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(Merged({1, 2, 3, 4}, {7, 6, 4, 3}), (std::vector<int>{1, 2, 3, 4, 6, 7}));
  // A run that disagrees, and configurations outside the table: outputs stay unset.
  EXPECT_EQ(Overlap({1, 2, 3, 4, 5}, {3, 9, 5, 6}, false), (std::vector<int>{0, -1, -1, -1, -1}));
  EXPECT_EQ(Overlap({1, 2, 3}, {2, 9}, false), (std::vector<int>{0, -1, -1, -1, -1}));
  EXPECT_EQ(Overlap({1, 2}, {}, false), (std::vector<int>{0, -1, -1, -1, -1}));

  // Both ends of each curve in the other, the other running either way; the merge closes.
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {3, 4, 5, 1, 2}, true), (std::vector<int>{1, 2, 3, 4, 2}));
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {2, 1, 5, 4, 3}, true), (std::vector<int>{1, 2, 3, 2, 4}));
  EXPECT_EQ(Merged({1, 2, 3, 4}, {2, 1, 5, 4, 3}), (std::vector<int>{1, 2, 3, 4, 5, 1}));
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {3, 9, 4, 5, 1, 2}, true), (std::vector<int>{0, -1, -1, -1, -1}));
  EXPECT_EQ(Overlap({1, 2, 3, 4}, {3, 4, 5, 6}, true), (std::vector<int>{0, -1, -1, -1, -1}));
}

TEST(KelCldMeshCurve, RegularityGeometryAndPrintOnGrid)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  MakeGrid(*polygon, 4, 3);
  KelCldMeshCurve row(polygon);
  Fill(row, {1, 2, 3, 4});
  KelRawCollint triangles, vertices;
  EXPECT_TRUE(row.IsRegular(&triangles) && row.IsAVertexPath() && row.GetVertexPath(vertices));
  EXPECT_EQ(List(triangles), (std::vector<int>{1, 3, 5, 0}));
  EXPECT_EQ(List(vertices), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_DOUBLE_EQ(row.GetLength(), 3.0);
  KelMathBox box;
  KelMathSetOfPoints set;
  KelMathSetOfPointsND setND;
  EXPECT_TRUE(row.GetBox(box) && box.GetHigh() == KelMathPoint(3, 0, 0) && box.GetLow() == KelMathPoint(0, 0, 0));
  EXPECT_TRUE(row.GetPoints(set) && set.GetNumberOfPoints() == 4 && set[2] == KelMathPoint(2, 0, 0));
  EXPECT_TRUE(row.GetPoints(setND) && setND.GetNumberOfPoints() == 4 && setND.GetMathPoint(3) == KelMathPoint(3, 0, 0));
  KelMathVector normal;
  EXPECT_TRUE(row.GetMeshPointNormal(2, normal) && normal.GetZ() == 1.0);

  // A jump breaks regularity; with a list the scan goes on past it.
  KelCldMeshCurve jump(polygon);
  Fill(jump, {1, 3, 4});
  EXPECT_FALSE(jump.IsRegular() || jump.IsAVertexPath() || jump.GetVertexPath(vertices));
  EXPECT_FALSE(jump.IsRegular(&triangles));
  EXPECT_EQ(List(triangles), (std::vector<int>{0, 5, 0}));
  EXPECT_EQ(List(vertices), (std::vector<int>{1, 2, 3, 4}));
  Fill(jump, {1, 7});
  EXPECT_FALSE(jump.IsRegular());
  jump.InsertPoint(2, Edge(2, 6, KelMathPoint(1, 0.5, 0)));  // through the diagonal between them
  EXPECT_TRUE(jump.IsRegular() && !jump.IsAVertexPath());

  KelCldMeshCurve boundary(polygon);
  Fill(boundary, {1, 2, 3, 4, 8, 12, 11, 10, 9, 5, 1});
  EXPECT_TRUE(boundary.IsClosedLoop() && boundary.IsAVertexPath());
  EXPECT_DOUBLE_EQ(boundary.GetLength(), 10.0);

  std::ostringstream printed, point;
  Fill(jump, {2});
  jump.Print(printed);
  Vertex(2, polygon).Print(point);
  EXPECT_EQ(printed.str(), "Poly Mesh Curve\nNumber of points: 1\nCurve is regular.\n1:" + point.str() + "End curve.\n");
  polygon->Release();
}

TEST(KelCldMeshCurveUtil, IndexChopAndTriangles)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  MakeGrid(*polygon, 4, 3);
  KelCldMeshCurve row(polygon), piece1, piece2;
  Fill(row, {5, 6, 7, 8});
  const KelCldMeshPoint middle = Edge(6, 7, KelMathPoint(1.5, 1, 0));
  EXPECT_EQ(KelCldMeshCurveUtil::GetMeshPointIndex(&row, Vertex(7)), 3);
  EXPECT_EQ(KelCldMeshCurveUtil::GetMeshPointIndex(&row, middle), 2);
  EXPECT_EQ(KelCldMeshCurveUtil::GetMeshPointIndex(&row, Edge(2, 6, KelMathPoint(1, 0.5, 0))), 0);
  EXPECT_EQ(KelCldMeshCurveUtil::GetMeshPointIndex(nullptr, middle), 0);

  // Open curve: the piece runs from the lower index whatever the argument order.
  for (const bool swapped : {false, true}) {
    Fill(piece2, {1});
    const int done = swapped ? KelCldMeshCurveUtil::Chop(&row, &piece1, &piece2, Vertex(8), middle, 0)
                             : KelCldMeshCurveUtil::Chop(&row, &piece1, &piece2, middle, Vertex(8), 0);
    EXPECT_TRUE(done && CurveVertices(piece1) == (std::vector<int>{-1, 7, 8}) && piece2.GetNumPoints() == 0);
    KelCldMeshPoint start;
    EXPECT_TRUE(piece1.GetStartPoint(start) && start == middle && piece1.GetPolyMesh() == polygon);
  }

  // Closed loop: the two pieces share their ends and make up the whole loop.
  KelCldMeshCurve loop(polygon);
  Fill(loop, {1, 2, 3, 4, 8, 12, 11, 10, 9, 5, 1});
  EXPECT_TRUE(KelCldMeshCurveUtil::Chop(&loop, &piece1, &piece2, Vertex(11), Vertex(2), 1));
  EXPECT_EQ(CurveVertices(piece1), (std::vector<int>{2, 3, 4, 8, 12, 11}));
  EXPECT_EQ(CurveVertices(piece2), (std::vector<int>{2, 1, 5, 9, 10, 11}));
  const KelCldMeshPoint onFirst = Edge(1, 2, KelMathPoint(0.5, 0, 0));
  EXPECT_TRUE(KelCldMeshCurveUtil::Chop(&loop, &piece1, &piece2, onFirst, Vertex(12), 1));
  EXPECT_EQ(CurveVertices(piece1), (std::vector<int>{-1, 2, 3, 4, 8, 12}));
  EXPECT_EQ(CurveVertices(piece2), (std::vector<int>{-1, 1, 5, 9, 10, 11, 12}));
  EXPECT_DOUBLE_EQ(piece1.GetLength() + piece2.GetLength(), loop.GetLength());

  // Refusals leave the outputs alone.
  KelCldMeshCurve jump(polygon), orphan;
  Fill(jump, {1, 3});
  Fill(orphan, {5, 6});
  Fill(piece1, {9});
  EXPECT_EQ(KelCldMeshCurveUtil::Chop(&row, &piece1, nullptr, Vertex(5), Vertex(6), 0) +
                KelCldMeshCurveUtil::Chop(&row, &piece1, &piece2, Vertex(1), Vertex(6), 0) +
                KelCldMeshCurveUtil::Chop(&jump, &piece1, &piece2, Vertex(1), Vertex(3), 0) +
                KelCldMeshCurveUtil::Chop(&orphan, &piece1, &piece2, Vertex(5), Vertex(6), 1, 2, 0) +
                KelCldMeshCurveUtil::Chop(&row, &piece1, &piece2, Vertex(5), Vertex(6), 1, 9, 0),
            0);
  EXPECT_EQ(CurveVertices(piece1), (std::vector<int>{9}));

  // Triangle 5 is (3, 4, 8), triangle 12 (7, 12, 11).
  EXPECT_TRUE(KelCldMeshCurveUtil::HasTriangle(&jump, 5) && KelCldMeshCurveUtil::HasTriangle(&loop, 12));
  EXPECT_FALSE(KelCldMeshCurveUtil::HasTriangle(&jump, 12) || KelCldMeshCurveUtil::HasTriangle(&row, 13) ||
               KelCldMeshCurveUtil::HasTriangle(&orphan, 1) || KelCldMeshCurveUtil::HasTriangle(nullptr, 1));
  polygon->Release();
}

TEST(KelCldMeshCurveUtil, ElephantBoundaryLoopsChopIntoTheirTwoSides)
{
  const std::string path = SharedDataPath("elephant-with-holes.obj");
  KEL_REQUIRE_SHARED(path);
  KelCldPolygon* polygon = KelCldPolygon::Create();
  ASSERT_TRUE(ReadObj(path, *polygon));
  const std::vector<int> pairs = FreeEdgePairs(*polygon);
  const int count = int(pairs.size() / 2);
  ASSERT_GT(count, 0);
  const KelCldTopologyUtil util(polygon);
  int chopped = 0;
  for (int i = 0; i < count && chopped < 5; i += count / 5) {
    const int a0 = pairs[2 * i], b0 = pairs[2 * i + 1];
    int t = 0, t2 = 0, a = a0, b = b0;
    polygon->GetEdgeTriangles(a, b, t, t2);
    KelCldMeshCurve loop(polygon);
    loop.AppendPoint(Vertex(a0, polygon));
    do {
      loop.AppendPoint(Vertex(b, polygon));
      ASSERT_TRUE(util.GetNextHoleEdge(t, a, b));
    } while (!(a == a0 && b == b0) && loop.GetNumPoints() <= count);
    ASSERT_TRUE(loop.IsClosedLoop() && loop.IsAVertexPath());
    EXPECT_TRUE(KelCldMeshCurveUtil::HasTriangle(&loop, t));
    if (loop.GetNumPoints() < 5) continue;
    const int n = loop.GetNumPoints(), cut1 = 2, cut2 = n / 2 + 1;
    KelCldMeshPoint p1, p2;
    loop.GetMeshPoint(cut1, p1);
    loop.GetMeshPoint(cut2, p2);
    KelCldMeshCurve piece1, piece2;
    ASSERT_TRUE(KelCldMeshCurveUtil::Chop(&loop, &piece1, &piece2, p2, p1, 1));
    EXPECT_TRUE(piece1.GetNumPoints() == cut2 - cut1 + 1 && piece1.GetNumPoints() + piece2.GetNumPoints() == n + 1);
    EXPECT_NEAR(piece1.GetLength() + piece2.GetLength(), loop.GetLength(), 1e-9);
    KelCldMeshPoint start, end;
    EXPECT_TRUE(loop.Contains(piece1) && piece2.GetStartPoint(start) && piece2.GetEndPoint(end));
    EXPECT_TRUE(start == p1 && end == p2);
    KelCldMeshCurve rejoined(piece1);
    piece2.Reverse();
    EXPECT_TRUE(rejoined.Merge(piece2) && rejoined.IsClosedLoop() && rejoined.GetNumPoints() == n);
    ++chopped;
  }
  EXPECT_GT(chopped, 0);
  polygon->Release();
}

// The list operations themselves are KelListPtr's (tested there): what this list adds is the
// release helper and the assertion source (death test below).
TEST(KelListPtrKelCldMeshCurve, ReleaseGivesOneReferencePerEntry)
{
  KelCldMeshCurve* kept = new KelCldMeshCurve();
  kept->AddRef();
  KelListPtrKelCldMeshCurve list;
  for (KelCldMeshCurve* curve : {kept, new KelCldMeshCurve(), static_cast<KelCldMeshCurve*>(nullptr)}) list.Append(curve);
  KelCldUtil::ReleaseObjects(list);
  EXPECT_TRUE(list.Size() == 0 && kept->GetRefCount() == 1u);
  kept->Release();
}

TEST(KelCldMeshCurve, FactoryAndInterface)
{
  EXPECT_EQ(KelCldInterfaces::GetKelICldMeshCurve(nullptr), nullptr);
  KelCldPolygon* polygon = KelCldPolygon::Create();
  KelICldMeshCurve* curve = KelCldInterfaces::GetKelICldMeshCurve(polygon);
  ASSERT_NE(curve, nullptr);
  EXPECT_TRUE(curve->GetPolyMesh() == polygon && curve->GetRefCount() == 1u && polygon->GetRefCount() == 2u);
  KelICldMeshCurve* again = nullptr;
  EXPECT_EQ(curve->QueryInterface(IID_KelICldMeshCurve, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_TRUE(again == curve && curve->Release() == 1u && curve->IsA("KelCldMeshCurve"));
  curve->Release();
  EXPECT_EQ(polygon->GetRefCount(), 1u);
  polygon->Release();
}

TEST(KelCldMeshCurveDeathTest, IndexAssertions)
{
  KelCldMeshCurve curve;
  Fill(curve, {1});
  KelCldMeshPoint point;
  KelMathVector normal;
  EXPECT_DEATH(curve.GetPreviousPoint(0, point), FatalPattern("iIndex >= 1 && iIndex <= GetNumPoints()", kCurveSource));
  EXPECT_DEATH(curve.InsertPoint(3, point), FatalPattern("1 <= iIndex && iIndex <= GetNumPoints () + 1", kCurveSource));
  EXPECT_DEATH(curve.RemovePoint(0), FatalPattern("1 <= iIndex && iIndex <= GetNumPoints ()", kCurveSource));
  EXPECT_DEATH(curve.GetMeshPointNormal(2, normal), FatalPattern("index >= 1 && index <= GetNumPoints ()", kCurveSource));

  KelListPtrKelCldMeshCurve list;
  list.Append(&curve);
  EXPECT_DEATH(list.RemovePosition(2), FatalPattern("iPos > 0 && iPos <= _Size", kListSource));
  EXPECT_DEATH(list.InsertAt(3, &curve), FatalPattern("iPos >= 1 && iPos <= _Size+1", kListSource));
  EXPECT_DEATH(list.Swap(1, 2), FatalPattern("iPos1 > 0 && iPos1 <= _Size && iPos2 > 0 && iPos2 <= _Size", kListSource));
}
