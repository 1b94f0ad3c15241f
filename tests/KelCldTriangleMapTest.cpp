#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "KelCldTriangleMap.h"

namespace {
KelRawCollint List(std::vector<int> iValues) { return KelRawCollint(iValues.data(), int(iValues.size())); }

KelRawCollint Children(const KelCldTriangleMap& iMap, int iRoot)
{
  KelRawCollint children = List({-1});  // replaced, not appended to
  EXPECT_TRUE(iMap.GetChildren(iRoot, children)) << "root " << iRoot;
  return children;
}

int Parent(const KelCldTriangleMap& iMap, int iTriangle)
{
  const KelCldTriangleMap::TriangleParent* parent = iMap.FindParent(iTriangle);
  return parent ? parent->_parent : 0;
}
}  // namespace

TEST(KelCldTriangleMap, ChainedReplacements)
{
  KelCldTriangleMap map;
  map.UpdateTriangle(5, List({7, 8}));
  EXPECT_EQ(Parent(map, 8), 5);
  map.UpdateTriangle(7, List({9}));
  EXPECT_EQ(Children(map, 5), List({9, 8}));
  EXPECT_EQ(Parent(map, 9), 5);
  EXPECT_EQ(map.FindParent(7), nullptr);
  map.UpdateTriangle(8, 0);
  EXPECT_EQ(Children(map, 5), List({9}));
  EXPECT_EQ(map.FindParent(8), nullptr);
  KelRawCollint untouched = List({42});
  EXPECT_FALSE(map.GetChildren(9, untouched));
  EXPECT_EQ(untouched, List({42}));

  map.UpdateTriangle(1, List({2, 3, 4}));
  map.UpdateTriangle(3, List({10, 11}));  // spliced in the middle
  // T -> T makes T its own root; replacing it by a list that contains it keeps it current.
  map.UpdateTriangle(20, 20);
  map.UpdateTriangle(20, List({20, 21}));
  EXPECT_EQ(Parent(map, 20), 20);
  // A root that is no longer current cannot be replaced again; a child keeps its first root.
  map.UpdateTriangle(5, List({30}));
  EXPECT_FALSE(map.AddParent(9, 1));
  EXPECT_TRUE(map.RemoveParent(9));
  EXPECT_FALSE(map.RemoveParent(9));

  KelRawCollint roots, fresh = List({1});
  map.GetRefinedTriangles(roots);
  map.GetNewTriangles(fresh);
  EXPECT_EQ(roots, List({5, 1, 20}));
  EXPECT_EQ(fresh, List({9, 2, 10, 11, 4, 20, 21}));
  std::ostringstream out;
  map.Print(out);
  EXPECT_EQ(out.str(), "***** maps *****\n5\t9 \n1\t2 10 11 4 \n20\t20 21 \n"
                       "***** parents *****\n2\t1\n4\t1\n10\t1\n11\t1\n20\t20\n21\t20\n");
  map.Clear();
  map.GetRefinedTriangles(roots);
  EXPECT_EQ(roots.Size(), 0);
  EXPECT_EQ(map.FindParent(2), nullptr);
}

TEST(KelCldTriangleMap, CopiesAndComposition)
{
  KelCldTriangleMap first, assigned;
  first.UpdateTriangle(1, List({2, 3}));
  first.UpdateTriangle(4, 0);
  KelCldTriangleMap copy(first);
  assigned.UpdateTriangle(50, 51);
  assigned = first;
  for (const KelCldTriangleMap* map : {&copy, &assigned}) {
    KelRawCollint roots;
    map->GetRefinedTriangles(roots);
    EXPECT_EQ(roots, List({1, 4}));
    EXPECT_EQ(Parent(*map, 3), 1);
  }

  // A later history whose roots are current triangles of the first composes with it.
  KelCldTriangleMap second;
  second.UpdateTriangle(3, List({5, 6}));
  second.UpdateTriangle(7, 8);
  first.Update(second);
  EXPECT_EQ(Parent(first, 6), 1);
  EXPECT_EQ(Children(copy, 1), List({2, 3}));
  KelRawCollint roots;
  KelRawCollint* children = nullptr;
  first.GetTriangles(roots, children);
  ASSERT_NE(children, nullptr);
  EXPECT_EQ(roots, List({1, 4, 7}));
  EXPECT_EQ(children[0], List({2, 5, 6}));
  EXPECT_EQ(children[1].Size(), 0);
  EXPECT_EQ(children[2], List({8}));
  delete[] children;
  KelCldTriangleMap().GetTriangles(roots, children);
  EXPECT_EQ(children, nullptr);
}

TEST(KelCldTriangleMapDeathTest, InconsistentParentRecords)
{
  const std::string path = "\n.*KelPolyMeshOperatorsBase/KelCldUtilitiesBase.m/src/KelCldTriangleMap, line";
  KelCldTriangleMap map;
  map.UpdateTriangle(1, List({2}));
  map.AddParent(10, 99);  // a root that does not exist
  map.AddParent(11, 1);   // a root that does not list it
  EXPECT_DEATH(map.UpdateTriangle(10, 12), "AssertionFailed:map" + path);
  EXPECT_DEATH(map.UpdateTriangle(11, 12), "AssertionFailed:pos > 0" + path);
}
