#ifndef TestMeshCurves_h
#define TestMeshCurves_h
// Mesh points and curves built by the tests of the curve operators.

#include <algorithm>
#include <vector>

#include "KelCldMeshCurve.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"

inline KelMathPoint Position(const KelCldPolygon& iPoly, int iVertex)
{
  KelMathPoint p;
  iPoly.GetPoint(iVertex, p);
  return p;
}

inline KelCldMeshPoint VertexPoint(const KelCldPolygon& iPoly, int iVertex)
{
  KelCldMeshPoint point;
  point.SetVertex(iVertex);
  point.SetPosition(Position(iPoly, iVertex));
  return point;
}

// At iT along the edge from iVertex0 to iVertex1.
inline KelCldMeshPoint EdgePoint(const KelCldPolygon& iPoly, int iVertex0, int iVertex1, double iT)
{
  KelCldMeshPoint point;
  point.SetEdge(iVertex0, iVertex1);
  point.SetPosition(Position(iPoly, iVertex0) * (1.0 - iT) + Position(iPoly, iVertex1) * iT);
  return point;
}

// A new curve (one reference).
inline KelCldMeshCurve* MakeCurve(KelCldPolygon* iPoly, const std::vector<KelCldMeshPoint>& iPoints)
{
  KelCldMeshCurve* curve = new KelCldMeshCurve(iPoly);
  for (const KelCldMeshPoint& point : iPoints) curve->AppendPoint(point);
  return curve;
}

inline KelCldMeshCurve* MakeVertexPath(KelCldPolygon* iPoly, const std::vector<int>& iVertices)
{
  std::vector<KelCldMeshPoint> points;
  for (const int vertex : iVertices) points.push_back(VertexPoint(*iPoly, vertex));
  return MakeCurve(iPoly, points);
}

// Up to iLength distinct vertices from iStart, each the first unvisited ring-1 neighbour of
// the one before.
inline std::vector<int> GreedyVertexPath(KelCldPolygon* iPoly, int iStart, int iLength)
{
  const KelCldTopologyUtil topology(iPoly);
  std::vector<int> path = {iStart};
  KelRawCollint ring;
  for (bool grown = true; grown && static_cast<int>(path.size()) < iLength;) {
    topology.GetNeighborVertices(path.back(), ring);
    grown = false;
    for (int i = 1; i <= ring.Size() && !grown; ++i) {
      grown = std::find(path.begin(), path.end(), ring[i]) == path.end();
      if (grown) path.push_back(ring[i]);
    }
  }
  return path;
}

inline std::vector<int> Types(const KelCldMeshCurve& iCurve)
{
  std::vector<int> types;
  KelCldMeshPoint point;
  for (int i = 1; i <= iCurve.GetNumPoints(); ++i) {
    iCurve.GetMeshPoint(i, point);
    types.push_back(point.GetType());
  }
  return types;
}

// Vertex numbers of the curve's points, -1 for a point of another type.
inline std::vector<int> CurveVertices(const KelCldMeshCurve& iCurve)
{
  std::vector<int> vertices;
  KelCldMeshPoint point;
  for (int i = 1; i <= iCurve.GetNumPoints(); ++i) {
    int v = -1;
    iCurve.GetMeshPoint(i, point);
    point.GetVertex(v);
    vertices.push_back(v);
  }
  return vertices;
}

// Empty unless the curve is a vertex path.
inline std::vector<int> VertexPath(const KelCldMeshCurve& iCurve)
{
  KelRawCollint vertices;
  if (!iCurve.GetVertexPath(vertices)) return {};
  return std::vector<int>(vertices.Data(), vertices.Data() + vertices.Size());
}

#endif
