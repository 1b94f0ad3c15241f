// Mesh points: typed accessors, equality rules and printing; the value list owning copies.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "KelCldMeshPoint.h"
#include "KelListValKelCldMeshPoint.h"

namespace {

KelCldMeshPoint Point(MeshPointType iType, int iIndex0, int iIndex1 = 0, double iX = 0.0)
{
  KelCldMeshPoint point;
  point.SetPosition(KelMathPoint(iX, 1.0, 2.0));
  if (iType == eVertexPoint) point.SetVertex(iIndex0);
  if (iType == eEdgePoint) point.SetEdge(iIndex0, iIndex1);
  if (iType == eFacePoint) point.SetTriangle(iIndex0);
  return point;
}

std::string Printed(const KelCldMeshPoint& iPoint)
{
  std::ostringstream stream;
  iPoint.Print(stream);
  return stream.str();
}

}  // namespace

TEST(KelCldMeshPoint, AccessorsAndPrint)
{
  KelCldMeshPoint point;
  int a = -1, b = -2;
  EXPECT_EQ(point.GetType(), eUndefinedPoint);
  EXPECT_EQ(point.GetVertex(a) + point.GetEdge(a, b) + point.GetTriangle(a), 0);
  EXPECT_EQ(Printed(point), "(0, 0, 0); \n");
  point.SetPosition(KelMathPoint(0.5, 2.0, 3.0));
  point.SetEdge(7, 3);
  EXPECT_TRUE(point.GetEdge(a, b) && a * 10 + b == 73);  // order kept
  EXPECT_EQ(Printed(point), "(0.5, 2, 3); Edge: (7, 3)\n");
  point.SetVertex(9);
  EXPECT_TRUE(!point.GetEdge(a, b) && a * 10 + b == 73);  // other type: outputs untouched
  EXPECT_TRUE(point.GetVertex(a) && a == 9);
  EXPECT_EQ(Printed(point), "(0.5, 2, 3); Vertex: 9\n");  // setters never move the point
  point.SetTriangle(4);
  EXPECT_TRUE(point.GetTriangle(a) && a == 4);
  EXPECT_EQ(Printed(point), "(0.5, 2, 3); Triangle: 4\n");
  point.SetType(eVertexPoint);
  EXPECT_TRUE(point.GetVertex(a) && a == 4);
}

TEST(KelCldMeshPoint, EqualityRules)
{
  EXPECT_EQ(Point(eVertexPoint, 5, 0, 0.0), Point(eVertexPoint, 5, 0, 100.0));  // positions ignored
  EXPECT_NE(Point(eVertexPoint, 5), Point(eVertexPoint, 6));
  EXPECT_NE(Point(eEdgePoint, 3, 7), Point(eEdgePoint, 3, 8));
  EXPECT_NE(Point(eEdgePoint, 3, 7, 0.0), Point(eEdgePoint, 7, 3, 0.0011));  // either order, position counts
  EXPECT_EQ(Point(eFacePoint, 2, 0, 0.0), Point(eFacePoint, 2, 0, 0.0009));
  EXPECT_NE(Point(eFacePoint, 2, 0, 0.0), Point(eFacePoint, 2, 0, 0.0011));
  EXPECT_NE(Point(eFacePoint, 2), Point(eFacePoint, 3));
  EXPECT_NE(Point(eVertexPoint, 2), Point(eFacePoint, 2));
  const KelCldMeshPoint undefined;
  EXPECT_FALSE(undefined == undefined);
}

TEST(KelListValKelCldMeshPoint, OwnsCopies)
{
  KelListValKelCldMeshPoint list;
  for (int v = 1; v <= 3; ++v) EXPECT_EQ(list.Append(Point(eVertexPoint, v)), v);
  const KelCldMeshPoint* const second = &list[2];
  KelCldMeshPoint point = Point(eVertexPoint, 0);
  list.InsertAt(1, point);
  list.InsertAt(5, Point(eFacePoint, 9));
  point.SetVertex(42);  // the list keeps its own copy
  ASSERT_EQ(list.Size(), 5);
  EXPECT_TRUE(list[1] == Point(eVertexPoint, 0) && list[5] == Point(eFacePoint, 9));
  EXPECT_EQ(&list[3], second);  // entries keep their addresses

  KelListValKelCldMeshPoint copy(list);
  copy[2].SetVertex(8);
  EXPECT_TRUE(copy != list && list[2] == Point(eVertexPoint, 1));
  copy = list;
  EXPECT_TRUE(copy == list);
  list.RemovePosition(1);
  EXPECT_TRUE(list[1] == Point(eVertexPoint, 1) && copy.Size() == 5);
  list.RemoveAll();
  list.Append(KelCldMeshPoint());  // undefined points are never equal, nor lists holding one
  EXPECT_TRUE(list != KelListValKelCldMeshPoint(list));
}

TEST(KelListValKelCldMeshPointDeathTest, PositionsOutOfRange)
{
  KelListValKelCldMeshPoint list;
  list.Append(Point(eVertexPoint, 1));
  EXPECT_DEATH(list.RemovePosition(2), "AssertionFailed:iPos > 0 && iPos <= _Size\n");
  EXPECT_DEATH(list.InsertAt(3, KelCldMeshPoint()), "AssertionFailed:iPos > 0 && iPos <= _Size \\+ 1\n");
}
