// Selection conversions and the classes of selected vertices.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "KelCldPolygon.h"
#include "KelCldSelectionUtilities.h"
#include "TestData.h"
#include "TestMeshes.h"

using Sel = KelCldSelectionUtilities;

// Grid 3x3: t1 (1,2,5) t2 (1,5,4) t3 (2,3,6) t4 (2,6,5) t5 (4,5,8) t6 (4,8,7) t7 (5,6,9) t8 (5,9,8).
TEST(KelCldSelectionUtilities, ConversionsOnAGrid)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  KelRawCollint out = Coll({99});
  EXPECT_EQ(Sel::GetSelectedVertices(&grid, KelRawCollint(), out), 0);
  EXPECT_EQ(Sel::GetSelectedVertices(&grid, Coll({8, 1}), out), 1);
  EXPECT_EQ(List(out), (std::vector<int>{99, 1, 2, 5, 8, 9}));  // appended

  // List form: every triangle touching the vertices; array form: only those they span.
  out.RemoveAll();
  EXPECT_EQ(Sel::GetSelectedFaces(&grid, Coll({1, 2, 5}), out), 1);
  EXPECT_EQ(List(out), (std::vector<int>{1, 2, 3, 4, 5, 7, 8}));
  out.RemoveAll();
  const int spanned[3] = {1, 2, 5};
  EXPECT_EQ(Sel::GetSelectedFaces(&grid, 3, spanned, out), 1);
  EXPECT_EQ(List(out), (std::vector<int>{1}));
  EXPECT_EQ(Sel::GetSelectedFaces(&grid, 0, spanned, out), 0);
  EXPECT_EQ(Sel::GetSelectedFaces(&grid, KelRawCollint(), out), 0);

  // Inactive vertices take their triangles out of the active ones.
  grid.DeactivateVertex(9);
  EXPECT_EQ(Sel::GetActivatedTriangles(&grid, out), 1);
  EXPECT_EQ(List(out), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  out.RemoveAll();
  EXPECT_EQ(Sel::GetSelectedFaces(&grid, Coll({5}), out), 1);
  EXPECT_EQ(List(out), (std::vector<int>{1, 2, 4, 5}));
  EXPECT_EQ(Sel::GetActivatedTriangles(nullptr, out), 0);

  // The open sheet: rim on a hole, the centre inner; a lone interior vertex is border.
  KelRawCollint inner, onHole, onBorder;
  EXPECT_EQ(Sel::ClassifyVertices(&grid, Coll({1, 2, 3, 4, 5, 6, 7, 8, 9}), inner, onHole, onBorder), 1);
  EXPECT_EQ(List(inner), (std::vector<int>{5}));
  EXPECT_EQ(List(onHole), (std::vector<int>{1, 2, 3, 4, 6, 7, 8, 9}));
  EXPECT_TRUE(List(onBorder).empty());
  EXPECT_EQ(Sel::ClassifyVertices(&grid, Coll({5}), inner, onHole, onBorder), 1);
  EXPECT_TRUE(List(onBorder) == std::vector<int>{5} && List(inner).empty() && List(onHole).empty());

  onHole.RemoveAll();
  onBorder.RemoveAll();  // appended to, like the others
  EXPECT_EQ(Sel::GetBoundaryVertices(&grid, Coll({1, 2, 3, 4, 5, 6, 7, 8}), onHole, onBorder), 1);
  EXPECT_EQ(List(onHole), (std::vector<int>{1, 2, 3, 4, 6, 7, 8, 9}));
  EXPECT_TRUE(List(onBorder).empty());
  onHole.RemoveAll();
  EXPECT_EQ(Sel::GetBoundaryVertices(&grid, Coll({4, 7}), onHole, onBorder), 1);
  EXPECT_EQ(List(onHole), (std::vector<int>{2, 6, 9}));
  EXPECT_EQ(List(onBorder), (std::vector<int>{5}));
}

TEST(KelCldSelectionUtilities, ClassesOnAMeshWithHoles)
{
  KelCldPolygon elephant;
  KEL_READ_SHARED("elephant-with-holes.obj", elephant);
  // The selection: the vertices in the lower half of the bounding box.
  KelMathBox box;
  elephant.GetBoundingBox(box);
  const double middle = 0.5 * (box.GetLow().GetY() + box.GetHigh().GetY());
  std::set<int> selected;
  KelRawCollint selection;
  for (int v = 1; v <= elephant.GetNbPoints(1); ++v) {
    float p[3];
    if (elephant.IsAVertex(v) && elephant.GetPoint(v, p) && p[1] < middle) {
      selected.insert(v);
      selection.Append(v);
    }
  }
  ASSERT_GT(selection.Size(), 100);

  // Independent answers: vertices of free edges from the polygon's free-edge list, neighbours
  // from the triangles.
  const std::vector<int> pairs = FreeEdgePairs(elephant);
  const std::set<int> onFreeEdge(pairs.begin(), pairs.end());
  std::set<int> touchesOutside;
  for (int t = 1; t <= elephant.GetNbTriangles(1); ++t) {
    int v[3], n[3];
    if (!elephant.GetTriangle(t, v, n)) continue;
    for (int i = 0; i < 3; ++i)
      if (selected.count(v[i]) && (!selected.count(v[(i + 1) % 3]) || !selected.count(v[(i + 2) % 3])))
        touchesOutside.insert(v[i]);
  }
  KelRawCollint inner, onHole, onBorder;
  ASSERT_EQ(Sel::ClassifyVertices(&elephant, selection, inner, onHole, onBorder), 1);
  std::vector<int> expectedInner, expectedHole, expectedBorder;
  for (const int v : selected) {
    if (touchesOutside.count(v)) expectedBorder.push_back(v);
    else if (onFreeEdge.count(v)) expectedHole.push_back(v);
    else expectedInner.push_back(v);
  }
  EXPECT_EQ(List(inner), expectedInner);
  EXPECT_EQ(List(onHole), expectedHole);
  EXPECT_EQ(List(onBorder), expectedBorder);
  EXPECT_FALSE(expectedHole.empty() || expectedBorder.empty());
}
