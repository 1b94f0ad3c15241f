#include "MeshSummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>
#include <vector>

#include "KelCldBoundaryScans.h"
#include "KelCldBuildEdgesOper.h"
#include "KelCldGeometryUtil.h"
#include "KelCldHoles.h"
#include "KelCldMeshSmoothOper.h"
#include "KelCldPolygon.h"
#include "KelMathBox.h"

namespace {

// Vertices of the valid triangles, three per triangle.
std::vector<int> CollectTriangles(const KelCldPolygon& iPolygon)
{
  std::vector<int> corners;
  corners.reserve(3 * static_cast<size_t>(iPolygon.GetNbTriangles(0)));
  const int nbTriangles = iPolygon.GetNbTriangles(1);
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!iPolygon.IsTriangleValid(t)) continue;
    int vertices[3];
    unsigned char orientation = 0;
    iPolygon.GetTriangleVertices(t, vertices, orientation);
    corners.insert(corners.end(), vertices, vertices + 3);
  }
  return corners;
}

// Buckets the sides by their lower vertex (a counting sort), then counts equal higher vertices
// inside each small bucket: linear, where sorting all edge keys would not be.
void CountEdges(const std::vector<int>& iCorners, int iNbPoints, KelMeshSummary& ioSummary)
{
  std::vector<int> starts(static_cast<size_t>(iNbPoints) + 2, 0);
  auto forEachSide = [&iCorners](auto&& iVisit) {
    for (size_t c = 0; c < iCorners.size(); c += 3)
      for (size_t e = 0; e < 3; ++e) {
        const int a = iCorners[c + e], b = iCorners[c + (e + 1) % 3];
        if (a != b) iVisit(std::min(a, b), std::max(a, b));
      }
  };
  forEachSide([&starts](int iLow, int) { ++starts[static_cast<size_t>(iLow) + 1]; });
  std::partial_sum(starts.begin(), starts.end(), starts.begin());
  std::vector<int> highs(static_cast<size_t>(starts.back()));
  std::vector<int> fill(starts.begin(), starts.end() - 1);
  forEachSide([&](int iLow, int iHigh) { highs[static_cast<size_t>(fill[static_cast<size_t>(iLow)]++)] = iHigh; });

  for (int low = 1; low <= iNbPoints; ++low) {
    const auto first = highs.begin() + starts[static_cast<size_t>(low)];
    const auto last = highs.begin() + starts[static_cast<size_t>(low) + 1];
    std::sort(first, last);
    for (auto run = first; run != last;) {
      const auto runEnd = std::upper_bound(run, last, *run);
      const auto nbSides = runEnd - run;
      if (nbSides == 1) ++ioSummary._freeEdges;
      else if (nbSides > 2) ++ioSummary._nonManifoldEdges;
      run = runEnd;
    }
  }
}

int FindRoot(std::vector<int>& ioParent, int iVertex)
{
  while (ioParent[static_cast<size_t>(iVertex)] != iVertex) {
    int& parent = ioParent[static_cast<size_t>(iVertex)];
    parent = ioParent[static_cast<size_t>(parent)];  // path halving
    iVertex = parent;
  }
  return iVertex;
}

int CountComponents(const KelCldPolygon& iPolygon, const std::vector<int>& iCorners, int iNbPoints)
{
  std::vector<int> parent(static_cast<size_t>(iNbPoints) + 1);
  std::iota(parent.begin(), parent.end(), 0);
  for (size_t c = 0; c < iCorners.size(); c += 3) {
    const int root = FindRoot(parent, iCorners[c]);
    for (size_t k = 1; k < 3; ++k) parent[static_cast<size_t>(FindRoot(parent, iCorners[c + k]))] = root;
  }
  int nbComponents = 0;
  for (int v = 1; v <= iNbPoints; ++v)
    if (iPolygon.IsAVertex(v) && FindRoot(parent, v) == v) ++nbComponents;
  return nbComponents;
}

// The volume measure closes holes along closed scans only.
float EnclosedVolume(KelCldPolygon& ioPolygon)
{
  ioPolygon.BuildBoundaryScans();
  const KelCldBoundaryScans* all = ioPolygon.GetBoundaryScans();
  KelCldBoundaryScans* closed = new KelCldBoundaryScans();
  for (int k = 1; all && k <= all->GetNbScans(); ++k) {
    const KelCldBoundaryScan* scan = all->GetScan(k);
    if (!scan || !scan->IsClosed()) continue;
    KelCldBoundaryScan* copy = new KelCldBoundaryScan(1);
    for (int j = 1; j <= scan->GetNbPoints(); ++j) copy->AddPoint(scan->GetPointIdentifier(j));
    closed->AddScan(copy);
  }
  ioPolygon.SetBoundaryScans(closed);
  KelCldMeshSmoothOper measure;
  return measure.Volume(&ioPolygon);
}

std::string FormatNumber(double iValue, bool iJson)
{
  if (iJson && !std::isfinite(iValue)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", iValue);
  return text;
}

std::string FormatTriple(const double iValues[3], bool iJson)
{
  const char* separator = iJson ? ", " : " ";
  std::string text = FormatNumber(iValues[0], iJson) + separator + FormatNumber(iValues[1], iJson) + separator +
                     FormatNumber(iValues[2], iJson);
  return iJson ? "[" + text + "]" : text;
}

}  // namespace

KelMeshSummary KelSummarizeMesh(KelCldPolygon& iPolygon)
{
  KelMeshSummary summary;
  summary._vertices = iPolygon.GetNbVertices();
  summary._points = iPolygon.GetNbPoints(0);
  summary._triangles = iPolygon.GetNbTriangles(0);

  const int nbPoints = iPolygon.GetNbPoints(1);
  const std::vector<int> corners = CollectTriangles(iPolygon);
  CountEdges(corners, nbPoints, summary);
  summary._components = CountComponents(iPolygon, corners, nbPoints);
  summary._holes = KelCldHoles(&iPolygon).GetNumberOfHoles();
  {
    KelCldBuildEdgesOper edges;
    edges.Build(&iPolygon);
    summary._edges = edges.GetNbEdges(FALSE);
  }
  summary._euler = summary._vertices - summary._edges + summary._triangles;
  {
    const KelCldGeometryUtil geometry(&iPolygon);
    for (int t = 1; t <= iPolygon.GetNbTriangles(1); ++t)
      if (iPolygon.IsTriangleValid(t)) summary._area += geometry.GetTriangleArea(t);
  }
  summary._volume = EnclosedVolume(iPolygon);

  KelMathBox box;
  iPolygon.GetBoundingBox(box);
  if (!box.IsEmpty()) {
    double* lo = summary._bboxMin;
    double* hi = summary._bboxMax;
    box.GetExtremities(lo[0], hi[0], lo[1], hi[1], lo[2], hi[2]);
  }
  return summary;
}

std::string KelFormatSummary(const KelMeshSummary& iSummary)
{
  const KelMeshSummary& s = iSummary;
  return "vertices: " + std::to_string(s._vertices) + "\npoints: " + std::to_string(s._points) +
         "\ntriangles: " + std::to_string(s._triangles) + "\nfree_edges: " + std::to_string(s._freeEdges) +
         "\nnon_manifold_edges: " + std::to_string(s._nonManifoldEdges) + "\nholes: " + std::to_string(s._holes) +
         "\ncomponents: " + std::to_string(s._components) + "\nedges: " + std::to_string(s._edges) +
         "\neuler: " + std::to_string(s._euler) + "\narea: " + FormatNumber(s._area, false) +
         "\nvolume: " + FormatNumber(s._volume, false) + "\nbbox_min: " + FormatTriple(s._bboxMin, false) +
         "\nbbox_max: " + FormatTriple(s._bboxMax, false) + "\n";
}

std::string KelFormatSummaryJson(const KelMeshSummary& iSummary)
{
  const KelMeshSummary& s = iSummary;
  return "{\n  \"vertices\": " + std::to_string(s._vertices) + ",\n  \"points\": " + std::to_string(s._points) +
         ",\n  \"triangles\": " + std::to_string(s._triangles) +
         ",\n  \"free_edges\": " + std::to_string(s._freeEdges) +
         ",\n  \"non_manifold_edges\": " + std::to_string(s._nonManifoldEdges) +
         ",\n  \"holes\": " + std::to_string(s._holes) +
         ",\n  \"components\": " + std::to_string(s._components) +
         ",\n  \"edges\": " + std::to_string(s._edges) + ",\n  \"euler\": " + std::to_string(s._euler) +
         ",\n  \"area\": " + FormatNumber(s._area, true) + ",\n  \"volume\": " + FormatNumber(s._volume, true) +
         ",\n  \"bbox_min\": " + FormatTriple(s._bboxMin, true) +
         ",\n  \"bbox_max\": " + FormatTriple(s._bboxMax, true) + "\n}\n";
}
