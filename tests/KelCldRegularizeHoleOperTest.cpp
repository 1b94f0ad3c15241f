// Hole boundary curves: the listed cases on a triangle, a square ring and a grid, both curves
// between two points of every elephant hole against the hole table, and the fatal
// preconditions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KelCldHoles.h"
#include "KelCldPolygon.h"
#include "KelCldRegularizeHoleOper.h"
#include "TestData.h"
#include "TestMeshCurves.h"
#include "TestMeshes.h"

namespace {

KelCldMeshPoint Vertex(int iVertex)
{
  KelCldMeshPoint point;
  point.SetVertex(iVertex);
  return point;
}

KelCldMeshPoint Edge(int iVertex0, int iVertex1)
{
  KelCldMeshPoint point;
  point.SetEdge(iVertex0, iVertex1);
  return point;
}

std::string Fatal(const std::string& iCondition)
{
  return FatalPattern(iCondition, "KelCldOperatorsBase.m/src/KelCldRegularizeHoleOper");
}

}  // namespace

TEST(KelCldRegularizeHoleOper, SingleTriangle)
{
  KelCldPolygon polygon;
  MakeGrid(polygon, 2, 2);
  polygon.RemoveTriangle(2);  // (1, 2, 4): A = 1, B = 2, C = 4
  {
    KelCldRegularizeHoleOper oper(&polygon);
    EXPECT_TRUE(polygon.IsOptimized());
    KelCldMeshCurve curve0(&polygon), curve1(&polygon);
    // A's first hole neighbour is B: the first curve leaves A away from B.
    // Start, end, both curves' vertices (-1 for an edge point).
    const struct {
      KelCldMeshPoint start, end;
      std::vector<int> curve0, curve1;
    } rows[] = {{Vertex(1), Vertex(4), {1, 4}, {1, 2, 4}}, {Vertex(2), Vertex(2), {2}, {2}},
                {Edge(1, 2), Vertex(4), {-1, 1, 4}, {-1, 2, 4}}};
    for (const auto& row : rows) {
      EXPECT_TRUE(oper.Run(row.start, row.end, &curve0, &curve1));
      EXPECT_EQ(CurveVertices(curve0), row.curve0);
      EXPECT_EQ(CurveVertices(curve1), row.curve1);
    }
    EXPECT_TRUE(oper.SameHole(Vertex(1), Edge(2, 4)));
  }
  EXPECT_FALSE(polygon.IsOptimized());
  EXPECT_EQ(polygon.GetRefCount(), 1u);
}

TEST(KelCldRegularizeHoleOper, TwoHolesAndPointsOffHoles)
{
  KelCldPolygon ring;  // outer loop of 12 vertices, inner loop 6, 7, 11, 10
  MakeGrid(ring, 4, 4, 4);
  KelCldRegularizeHoleOper oper(&ring);
  KelCldMeshCurve curve0(&ring), curve1(&ring), closed(&ring), fromEdge(&ring);
  curve0.AppendPoint(Vertex(16));
  EXPECT_FALSE(oper.SameHole(Vertex(1), Vertex(6)));
  EXPECT_FALSE(oper.Run(Vertex(1), Vertex(6), &curve0, &curve1));
  EXPECT_EQ(CurveVertices(curve0), (std::vector<int>{16}));
  EXPECT_EQ(curve1.GetNumPoints(), 0);
  EXPECT_TRUE(oper.SameHole(Vertex(1), Vertex(16)));

  // Closed: n + 1 points from a vertex, appended to what the curve held; from an edge
  // iStart, a, ..., b, iStart.
  EXPECT_TRUE(oper.Run(Vertex(6), &closed));
  EXPECT_TRUE(closed.GetNumPoints() == 5 && closed.IsClosedLoop() && closed.IsRegular());
  EXPECT_TRUE(oper.Run(Vertex(1), &curve0));
  EXPECT_EQ(curve0.GetNumPoints(), 1 + 13);
  EXPECT_TRUE(oper.Run(Edge(2, 3), &fromEdge));
  EXPECT_EQ(CurveVertices(fromEdge), (std::vector<int>{-1, 2, 1, 5, 9, 13, 14, 15, 16, 12, 8, 4, 3, -1}));
  EXPECT_TRUE(fromEdge.IsClosedLoop() && fromEdge.IsRegular());

  KelCldPolygon grid;  // vertex 5 is interior
  MakeGrid(grid, 3, 3);
  KelCldRegularizeHoleOper gridOper(&grid);
  KelCldMeshPoint inside;
  inside.SetTriangle(1);
  KelCldMeshCurve curve(&grid), other(&grid);
  EXPECT_FALSE(gridOper.Run(inside, Vertex(1), &curve, &other) || gridOper.Run(inside, &curve));
  EXPECT_FALSE(gridOper.Run(Vertex(1), Vertex(5), &curve, &other) || gridOper.Run(Vertex(5), &curve));
  EXPECT_EQ(curve.GetNumPoints() + other.GetNumPoints(), 0);
}

// From the first point of each elephant hole to its middle point the two curves make up the
// hole; the closed curve through the first point is the hole, one way or the other.
TEST(KelCldRegularizeHoleOper, ElephantHoles)
{
  KelCldPolygon polygon;
  KEL_READ_SHARED("elephant-with-holes.obj", polygon);
  const KelCldHoles table(&polygon);
  KelCldRegularizeHoleOper oper(&polygon);
  for (int k = 1; k <= table.GetNumberOfHoles(); ++k) {
    const std::vector<int> loop = CurveVertices(*table.GetHoles()[k]), reversed(loop.rbegin(), loop.rend());
    KelCldMeshCurve curve0(&polygon), curve1(&polygon), closed(&polygon);
    ASSERT_TRUE(oper.Run(Vertex(loop[0]), Vertex(loop[loop.size() / 2]), &curve0, &curve1)) << k;
    std::vector<int> joined = CurveVertices(curve0), back = CurveVertices(curve1);
    joined.insert(joined.end(), back.rbegin() + 1, back.rend());
    EXPECT_TRUE(joined == loop || joined == reversed) << k;
    ASSERT_TRUE(oper.Run(Vertex(loop[0]), &closed)) << k;
    EXPECT_TRUE(CurveVertices(closed) == loop || CurveVertices(closed) == reversed) << k;
  }
}

TEST(KelCldRegularizeHoleOperDeathTest, Preconditions)
{
  KelCldPolygon grid;
  MakeGrid(grid, 3, 3);
  KelCldRegularizeHoleOper oper(&grid), unbound(nullptr);
  KelCldMeshCurve curve(&grid), broken(&grid);
  broken.AppendPoint(Vertex(1));
  broken.AppendPoint(Vertex(9));  // no triangle has both
  KelRawCollint vertices;
  KelCldMeshPoint inside;
  inside.SetTriangle(1);
  EXPECT_DEATH(oper.Run(Vertex(1), Vertex(3), nullptr, &curve), Fatal("meshCurve0"));
  EXPECT_DEATH(oper.Run(Vertex(5), Vertex(3), &broken, &curve), Fatal("meshCurve0->IsRegular()"));
  EXPECT_DEATH(oper.TraverseHole(0, 2, Vertex(3), vertices), Fatal("iVertex0 > 0"));
  EXPECT_DEATH(oper.TraverseHole(1, 2, inside, vertices),
               Fatal("meshPoint.GetType() == eVertexPoint || meshPoint.GetType() == eEdgePoint"));
  EXPECT_DEATH(unbound.Run(Vertex(1), Vertex(3), &curve, &curve), Fatal("_topologyUtil"));
  EXPECT_DEATH(unbound.Run(Vertex(1), &curve), Fatal("_geometryUtil"));
}
