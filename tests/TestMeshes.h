#ifndef TestMeshes_h
#define TestMeshes_h
// Meshes built or read by several tests, and conversions of 1-based lists for comparisons.

#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "KelRawColl.h"

// iNx * iNy unit-grid points numbered row by row from 1; cell (a, b, d, e) with b = a + 1 and
// d = a + iNx gives triangles (a, b, e) and (a, e, d), cells row by row, except iSkipCell.
inline void MakeGrid(KelCldPolygon& ioPoly, int iNx, int iNy, int iSkipCell = -1)
{
  for (int j = 0; j < iNy; ++j)
    for (int i = 0; i < iNx; ++i) ioPoly.AddPoint(float(i), float(j), 0.f);
  for (int j = 0, cell = 0; j + 1 < iNy; ++j)
    for (int i = 0; i + 1 < iNx; ++i, ++cell) {
      if (cell == iSkipCell) continue;
      const int a = j * iNx + i + 1, b = a + 1, d = a + iNx, e = d + 1;
      ioPoly.AddTriangle(a, b, e);
      ioPoly.AddTriangle(a, e, d);
    }
}

// Sphere of radius iRadius about the origin: an icosahedron whose triangles are split in four
// iLevels times, points pushed onto the sphere; outward-facing, closed, 20 * 4^iLevels
// triangles.
inline void MakeSphere(KelCldPolygon& ioPoly, double iRadius, int iLevels)
{
  const double g = (1.0 + std::sqrt(5.0)) / 2.0;
  std::vector<std::vector<double>> points = {{-1, g, 0}, {1, g, 0}, {-1, -g, 0}, {1, -g, 0}, {0, -1, g}, {0, 1, g},
                                             {0, -1, -g}, {0, 1, -g}, {g, 0, -1}, {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
  std::vector<std::vector<int>> faces = {{0, 11, 5}, {0, 5, 1}, {0, 1, 7}, {0, 7, 10}, {0, 10, 11}, {1, 5, 9}, {5, 11, 4},
                                         {11, 10, 2}, {10, 7, 6}, {7, 1, 8}, {3, 9, 4}, {3, 4, 2}, {3, 2, 6}, {3, 6, 8},
                                         {3, 8, 9}, {4, 9, 5}, {2, 4, 11}, {6, 2, 10}, {8, 6, 7}, {9, 8, 1}};
  for (int level = 0; level < iLevels; ++level) {
    std::map<std::pair<int, int>, int> middles;
    auto middle = [&](int a, int b) {
      const auto key = std::minmax(a, b);
      const auto found = middles.find(key);
      if (found != middles.end()) return found->second;
      points.push_back({(points[a][0] + points[b][0]) / 2, (points[a][1] + points[b][1]) / 2,
                        (points[a][2] + points[b][2]) / 2});
      return middles[key] = int(points.size()) - 1;
    };
    std::vector<std::vector<int>> split;
    for (const auto& f : faces) {
      const int ab = middle(f[0], f[1]), bc = middle(f[1], f[2]), ca = middle(f[2], f[0]);
      split.insert(split.end(), {{f[0], ab, ca}, {ab, f[1], bc}, {ca, bc, f[2]}, {ab, bc, ca}});
    }
    faces.swap(split);
  }
  for (const auto& p : points) {
    const double scale = iRadius / std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    ioPoly.AddPoint(float(p[0] * scale), float(p[1] * scale), float(p[2] * scale));
  }
  for (const auto& f : faces) ioPoly.AddTriangle(f[0] + 1, f[1] + 1, f[2] + 1);
}

// Points (i, i * i % 7, i % 3) for i = 0 .. iNbPoints - 1, no three in a line along the
// numbering, then the triangles.
inline KelCldPolygon* MakePolygon(int iNbPoints, const std::vector<std::vector<int>>& iTriangles)
{
  KelCldPolygon* polygon = KelCldPolygon::Create();
  for (int i = 0; i < iNbPoints; ++i) polygon->AddPoint(float(i), float(i * i % 7), float(i % 3));
  for (const std::vector<int>& t : iTriangles) polygon->AddTriangle(t[0], t[1], t[2]);
  return polygon;
}

inline bool ReadObj(const std::string& iPath, KelCldPolygon& oPolygon)
{
  KelCldObjModel model;
  return model.Read(iPath.c_str()) && model.GetPolyMesh(&oPolygon);
}

// Vertices then neighbours; zeros for an invalid triangle.
inline std::vector<int> TriangleRow(const KelCldPolygon& iPoly, int iTriangle)
{
  int v[3] = {-1, -1, -1}, n[3] = {-1, -1, -1};
  iPoly.GetTriangle(iTriangle, v, n);
  return {v[0], v[1], v[2], n[0], n[1], n[2]};
}

inline std::vector<float> Coords(const KelCldPolygon& iPoly, int iPoint)
{
  float p[3];
  iPoly.GetPoint(iPoint, p);
  return {p[0], p[1], p[2]};
}

// The free edges as in their triangles, as flat (a, b) pairs.
inline std::vector<int> FreeEdgePairs(const KelCldPolygon& iPoly)
{
  int count = 0;
  int* pairs = nullptr;
  iPoly.GetFreeEdges(count, pairs);
  std::vector<int> result(pairs, pairs + 2 * count);
  delete[] pairs;
  return result;
}

// Every valid triangle has three distinct vertices that are vertices of the polygon.
inline bool TrianglesSound(const KelCldPolygon& iPoly)
{
  for (int t = 1; t <= iPoly.GetNbTriangles(1); ++t) {
    int v[3], n[3];
    if (!iPoly.GetTriangle(t, v, n)) continue;
    if (v[0] == v[1] || v[1] == v[2] || v[2] == v[0]) return false;
    for (const int vertex : v)
      if (!iPoly.IsAVertex(vertex)) return false;
  }
  return true;
}

inline std::vector<int> List(const KelRawCollint& iList)
{
  return std::vector<int>(iList.Data(), iList.Data() + iList.Size());
}

inline KelRawCollint Coll(const std::vector<int>& iValues)
{
  return KelRawCollint(iValues.data(), int(iValues.size()));
}

#endif
