// The run dispatch of the operator base, the range entries and the callback handling.

#include <gtest/gtest.h>

#include <vector>

#include "KelCldGeometricalOper.h"
#include "KelCldMeshDeleteOper.h"
#include "KelCldOper.h"
#include "KelCldPolygon.h"
#include "KelCldTopologicalOper.h"
#include "KelFuzCallback.h"
#include "TestMeshes.h"

namespace {

// Records what reaches the one entry it overrides (0: none, 1: vertices, 2: triangles,
// 3: plain array).
class RecordingOper : public KelCldTopologicalOper {
public:
  explicit RecordingOper(int iEntry) : _entry(iEntry) {}

  KelBoolean RunOnSelectedVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices) override
  {
    if (_entry != 1) return KelCldOper::RunOnSelectedVertices(iPolygon, iVertices);
    return Record(List(iVertices));
  }
  KelBoolean RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles) override
  {
    if (_entry != 2) return KelCldOper::RunOnSelectedTriangles(iPolygon, iTriangles);
    return Record(List(iTriangles));
  }
  KelBoolean Run(KelCldPolygon* iPolygon, const int iCount, const int* iVertices) override
  {
    if (_entry != 3) return KelCldOper::Run(iPolygon, iCount, iVertices);
    return Record(std::vector<int>(iVertices, iVertices + iCount));
  }
  using KelCldOper::Run;

  std::vector<std::vector<int>> _received;

private:
  KelBoolean Record(std::vector<int> iList)
  {
    _received.push_back(std::move(iList));
    return TRUE;
  }
  int _entry;
};

// Removes the triangles one by one, reporting progress after each.
class RemovingOper : public KelCldTopologicalOper {
public:
  KelBoolean Run(KelCldPolygon* iPolygon) override
  {
    const int n = iPolygon->GetNbTriangles(1);
    for (int t = 1; t <= n; ++t) {
      iPolygon->RemoveTriangle(t);
      if (!ReportProgress(t, n)) return FALSE;
    }
    return TRUE;
  }
  using KelCldOper::Run;
};

using Lists = std::vector<std::vector<int>>;

}  // namespace

// Grid 3x3: points 1..9, triangles 1..8; vertex 5 is in triangles 1, 2, 4, 5, 7, 8.
TEST(KelCldOper, DispatchReachesTheOverriddenEntry)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);

  RecordingOper vertices(1), triangles(2), array(3), none(0);
  EXPECT_TRUE(vertices.RunOnSelectedTriangles(&grid, Coll({8, 1})));
  EXPECT_EQ(vertices._received, (Lists{{1, 2, 5, 8, 9}}));

  EXPECT_TRUE(triangles.RunOnSelectedVertices(&grid, Coll({5})));
  EXPECT_TRUE(triangles.RunOnSelectedVertices(&grid, Coll({9, 1})));
  EXPECT_EQ(triangles._received, (Lists{{1, 2, 4, 5, 7, 8}, {1, 2, 7, 8}}));

  // Neither selection entry: the loop is detected and the plain array receives vertex
  // numbers, the caller's own from the vertex entry, those of the triangles (sorted) from
  // the triangle entry. Twice, so that no flag stays set.
  for (int pass = 0; pass < 2; ++pass) {
    EXPECT_TRUE(array.RunOnSelectedVertices(&grid, Coll({7, 3, 5})));
    EXPECT_TRUE(array.RunOnSelectedTriangles(&grid, Coll({4})));
  }
  EXPECT_EQ(array._received, (Lists{{7, 3, 5}, {2, 5, 6}, {7, 3, 5}, {2, 5, 6}}));

  EXPECT_FALSE(none.RunOnSelectedVertices(&grid, Coll({5})) || none.RunOnSelectedTriangles(&grid, Coll({1})) ||
               none.Run(&grid) || none.Run(&grid, 1, std::vector<int>{5}.data()));

  // Empty selections and null polygons stop in the base class.
  for (RecordingOper* oper : {&triangles, &array}) {
    oper->_received.clear();
    EXPECT_FALSE(oper->RunOnSelectedVertices(&grid, KelRawCollint()));
    EXPECT_FALSE(oper->RunOnSelectedVertices(nullptr, Coll({5})));
  }
  vertices._received.clear();
  EXPECT_FALSE(vertices.RunOnSelectedTriangles(nullptr, Coll({1})) || array.RunOnSelectedTriangles(nullptr, Coll({1})) ||
               array.RunOnSelectedTriangles(&grid, KelRawCollint()));
  EXPECT_TRUE(vertices._received.empty() && triangles._received.empty() && array._received.empty());
  EXPECT_EQ(grid.GetNbTriangles(0), 8);
}

TEST(KelCldOper, RangesAreHalfOpenAndSkipUnusedNumbers)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  grid.AddPoint(5.f, 5.f, 5.f);  // point 10, used by no triangle
  grid.AddPoint(6.f, 5.f, 5.f);  // point 11
  grid.RemoveTriangle(3);

  RecordingOper vertices(1), triangles(2);
  EXPECT_TRUE(vertices.RunOnVertexRange(&grid, 1, grid.GetNbPoints(1)));
  EXPECT_TRUE(vertices.RunOnVertexRange(&grid, 8, 11));
  // Point 3 was only in triangle 3.
  EXPECT_EQ(vertices._received, (Lists{{1, 2, 4, 5, 6, 7, 8, 9}, {8, 9}}));
  EXPECT_TRUE(triangles.RunOnTriangleRange(&grid, 2, 6));
  EXPECT_EQ(triangles._received, (Lists{{2, 4, 5}}));

  // Empty or invalid ranges hand an empty list on: the base vertex entry answers FALSE.
  vertices._received.clear();
  RecordingOper array(3);
  for (const auto& range : std::vector<std::pair<int, int>>{{3, 3}, {0, 5}, {5, 3}, {2, 12}, {12, 12}}) {
    EXPECT_FALSE(array.RunOnVertexRange(&grid, range.first, range.second));
    EXPECT_FALSE(array.RunOnTriangleRange(&grid, range.first, range.second));
  }
  EXPECT_FALSE(array.RunOnVertexRange(nullptr, 1, 3));
  EXPECT_TRUE(array._received.empty());
}

// A triangle selection converted to vertices drops numbers that are not valid triangles
// (removed, 0, beyond the last) instead of stopping the process.
TEST(KelCldOper, TriangleSelectionSkipsTrianglesThatAreNotValid)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  grid.RemoveTriangle(3);

  RecordingOper vertices(1);
  EXPECT_TRUE(vertices.RunOnSelectedTriangles(&grid, Coll({3, 0, 8, 99, 1})));
  EXPECT_TRUE(vertices.RunOnSelectedTriangles(&grid, Coll({3})));
  EXPECT_EQ(vertices._received, (Lists{{1, 2, 5, 8, 9}, {}}));
}

TEST(KelCldOper, CallbackReferencesAreShared)
{
  KelFuzCallback* callback = new KelFuzCallback(nullptr, 0, 100);
  {
    RecordingOper oper(1);
    oper.SetCallback(callback);
    oper.SetCallback(callback);  // already held: held once
    EXPECT_EQ(callback->GetRefCount(), 2u);
    {
      RecordingOper copy(oper);
      EXPECT_TRUE(copy.GetCallback() == callback && callback->GetRefCount() == 3u);
    }
    EXPECT_TRUE(oper.GetCallback()->SetProgress(10));  // still usable by the source

    RecordingOper assigned(2);
    KelFuzCallback* other = new KelFuzCallback(nullptr, 0, 100);
    assigned.SetCallback(other);
    assigned = oper;  // drops its own callback for the source's
    EXPECT_EQ(other->GetRefCount(), 1u);
    other->Release();
    EXPECT_EQ(callback->GetRefCount(), 3u);
    assigned.SetCallback(nullptr);
    EXPECT_EQ(callback->GetRefCount(), 2u);
  }
  EXPECT_EQ(callback->GetRefCount(), 1u);
  callback->Release();
}

TEST(KelCldOper, InterruptedOperatorStopsAndKeepsItsChanges)
{
  KelCldPolygon grid;
  MakeGrid(grid, 5, 5);  // 32 triangles
  KelFuzCallback* callback = new KelFuzCallback(nullptr, 0, 100);
  callback->SetHandler([](int iPercent) { return iPercent < 50; });
  RemovingOper oper;
  oper.SetCallback(callback);
  callback->Release();
  EXPECT_FALSE(oper.Run(&grid));
  EXPECT_EQ(grid.GetNbTriangles(0), 16);  // stopped at the report that reached 50 %

  RemovingOper free;  // no callback: runs to the end
  EXPECT_TRUE(free.Run(&grid));
  EXPECT_EQ(grid.GetNbTriangles(0), 0);
}

TEST(KelCldOper, GeometricStateNeedsAMesh)
{
  KelCldPolygon grid;
  MakeGrid(grid, 2, 2);
  KelCldGeometricalOper oper;
  const int vertices[1] = {1};
  const float values[3] = {1.f, 2.f, 3.f};
  EXPECT_TRUE(oper.SetGeometricState(&grid, 1, vertices, values));
  EXPECT_FALSE(oper.SetGeometricState(nullptr, 1, vertices, values));
  EXPECT_EQ(Coords(grid, 1), std::vector<float>(3, 0.f));  // states are not kept: nothing moves

  const KelCldMeshDeleteOper deleteOper;
  EXPECT_TRUE(deleteOper.IsAKindOf("KelCldTopologicalOper") && !deleteOper.IsAKindOf("KelCldGeometricalOper"));
}
