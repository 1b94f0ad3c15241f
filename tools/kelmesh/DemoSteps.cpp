#include "DemoSteps.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "KelCldBoundaryScans.h"
#include "KelCldBuildEdgesOper.h"
#include "KelICldEdgeIterator.h"
#include "KelICldMesh.h"
#include "KelICldVertexIterator.h"
#include "KelCldDecimateOper.h"
#include "KelCldMeshCutOper.h"
#include "KelCldMeshValidationOper.h"
#include "KelMathBox.h"
#include "KelObjWriter.h"
#include "KelTimer.h"
#include "ReadMesh.h"
#include "SameFile.h"

namespace {

// One indented line of the demo's report.
__attribute__((format(printf, 1, 2))) void Say(const char* iFormat, ...)
{
  std::va_list arguments;
  va_start(arguments, iFormat);
  std::fputs("  ", stdout);
  std::vprintf(iFormat, arguments);
  std::fputc('\n', stdout);
  va_end(arguments);
}

int FirstVertex(const KelCldPolygon& iPolygon)
{
  const int nbPoints = iPolygon.GetNbPoints(1);
  for (int v = 1; v <= nbPoints; ++v)
    if (iPolygon.IsAVertex(v)) return v;
  return 0;
}

// Lists the loops of free edges, the first few in detail.
void ReportBoundaryLoops(KelCldPolygon& ioPolygon)
{
  const int nbLoops = ioPolygon.BuildBoundaryScans();
  const KelCldBoundaryScans* scans = ioPolygon.GetBoundaryScans();
  Say("BuildBoundaryScans: %d free-edge loop%s", nbLoops, nbLoops == 1 ? "" : "s");
  for (int k = 1; scans && k <= scans->GetNbScans() && k <= 5; ++k) {
    const KelCldBoundaryScan* scan = scans->GetScan(k);
    if (scan) Say("loop %d: %d points, %s", k, scan->GetNbPoints(), scan->IsClosed() ? "closed" : "open");
  }
  if (nbLoops > 5) Say("... and %d more", nbLoops - 5);
}

bool ReadSample(KelDemoContext& ioContext)
{
  KelTimer timer;
  timer.Start();
  if (!KelReadMesh(ioContext._inputPath, ioContext._polygon, ioContext._error)) return false;
  timer.Stop();
  Say("%s: %d points, %d triangles, read in %.3f s", ioContext._inputPath.c_str(), ioContext._polygon.GetNbPoints(0),
      ioContext._polygon.GetNbTriangles(0), timer.GetElapsed() / 1000.0);
  return true;
}

bool CountElements(KelDemoContext& ioContext)
{
  ioContext._summary = KelSummarizeMesh(ioContext._polygon);
  const KelMeshSummary& s = ioContext._summary;
  Say("%d vertices, %d triangles, %d free edges, %d non-manifold edges, %d component%s", s._vertices, s._triangles,
      s._freeEdges, s._nonManifoldEdges, s._components, s._components == 1 ? "" : "s");
  Say("edge table: %d edges, Euler characteristic V - E + T = %d", s._edges, s._euler);
  if (!ioContext.WriteText("sample-info.json", KelFormatSummaryJson(s))) return false;
  Say("wrote %s", ioContext.OutputPath("sample-info.json").c_str());
  return true;
}

bool ShowBoundingBox(KelDemoContext& ioContext)
{
  KelMathBox box;
  ioContext._polygon.GetBoundingBox(box);
  const KelMathPoint low = box.GetLow(), high = box.GetHigh();
  Say("GetBoundingBox: min (%g %g %g), max (%g %g %g), diagonal %g", low.GetX(), low.GetY(), low.GetZ(), high.GetX(),
      high.GetY(), high.GetZ(), low.DistanceTo(high));
  return true;
}

bool ShowNeighbourhood(KelDemoContext& ioContext)
{
  const KelCldPolygon& polygon = ioContext._polygon;
  const int vertex = FirstVertex(polygon);
  KelRawCollint triangles;
  polygon.GetTrianglesAroundVertex(vertex, triangles);
  Say("vertex %d: %d triangles around it", vertex, triangles.Size());

  int* ringStarts = nullptr;
  KelRawCollint rings;
  polygon.GetNeighborVertices(vertex, 2, ringStarts, rings);
  if (ringStarts) {
    Say("GetNeighborVertices: %d vertices in ring 1, %d in ring 2", ringStarts[2] - ringStarts[1],
        ringStarts[3] - ringStarts[2]);
    if (ringStarts[2] > ringStarts[1]) {
      const int neighbour = rings[ringStarts[1]];
      int triangle1 = 0, triangle2 = 0;
      const int nbSides = polygon.GetEdgeTriangles(vertex, neighbour, triangle1, triangle2);
      Say("GetEdgeTriangles(%d, %d): %d triangles, %d and %d", vertex, neighbour, nbSides, triangle1, triangle2);
    }
  }
  delete[] ringStarts;
  Say("IsManifold: %s", polygon.IsManifold() ? "yes" : "no");
  return true;
}

// Per-element data: the length of every edge kept as an edge attribute, the valence of every
// vertex as a vertex attribute of the polygon's mesh object.
bool ShowAttributes(KelDemoContext& ioContext)
{
  KelCldPolygon& polygon = ioContext._polygon;
  enum { kLength = 1, kValence = 1 };
  KelCldBuildEdgesOper edges;
  edges.Build(&polygon);
  edges.DefineEdgeAttribute(kLength, sizeof(float));
  KelICldEdgeIterator* edgeIterator = nullptr;
  double total = 0.0;
  int nbEdges = 0;
  if (SUCCEEDED(edges.GetEdgeIterator(&edgeIterator))) {
    for (int e = 0, more = edgeIterator->Reset(e); more; more = edgeIterator->Next(e)) {
      int a = 0, b = 0;
      edges.GetEdge(e, a, b);
      KelMathPoint pa, pb;
      polygon.GetPoint(a, pa);
      polygon.GetPoint(b, pb);
      const float length = static_cast<float>(pa.DistanceTo(pb));
      edges.SetEdgeAttribute(e, kLength, reinterpret_cast<const char*>(&length));
    }
    float longest = 0.0f;
    int longestEdge = 0;
    for (int e = 0, more = edgeIterator->Reset(e); more; more = edgeIterator->Next(e)) {
      float length = 0.0f;
      edges.GetEdgeAttribute(e, kLength, reinterpret_cast<char*>(&length));
      total += length;
      ++nbEdges;
      if (length > longest) longest = length, longestEdge = e;
    }
    edgeIterator->Release();
    Say("edge attribute 'length' on %d edges: mean %g, longest %g (edge %d)", nbEdges,
        nbEdges ? total / nbEdges : 0.0, longest, longestEdge);
  }

  KelICldMesh* mesh = nullptr;
  if (FAILED(polygon.QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh))) || !mesh) {
    ioContext._error = "demo: the polygon has no mesh object";
    return false;
  }
  mesh->DefineVertexAttribute(kValence, sizeof(int));
  KelICldVertexIterator* vertexIterator = nullptr;
  int lowest = 0, highest = 0, nbVertices = 0;
  if (SUCCEEDED(mesh->GetVertexIterator(&vertexIterator))) {
    KelRawCollint around;
    for (int v = 0, more = vertexIterator->Reset(v); more; more = vertexIterator->Next(v)) {
      const int valence = polygon.GetTrianglesAroundVertex(v, around);
      mesh->SetVertexAttribute(v, kValence, reinterpret_cast<const char*>(&valence));
    }
    for (int v = 0, more = vertexIterator->Reset(v); more; more = vertexIterator->Next(v)) {
      int valence = 0;
      mesh->GetVertexAttribute(v, kValence, reinterpret_cast<char*>(&valence));
      lowest = nbVertices ? std::min(lowest, valence) : valence;
      highest = nbVertices ? std::max(highest, valence) : valence;
      ++nbVertices;
    }
    vertexIterator->Release();
  }
  Say("vertex attribute 'triangles around' on %d vertices: from %d to %d", nbVertices, lowest, highest);
  mesh->UndefineVertexAttribute(kValence);
  mesh->Release();
  return true;
}

bool ShowBoundaryLoops(KelDemoContext& ioContext)
{
  ReportBoundaryLoops(ioContext._polygon);
  return true;
}

bool ProjectPoint(KelDemoContext& ioContext)
{
  KelMathBox box;
  ioContext._polygon.GetBoundingBox(box);
  const KelMathPoint low = box.GetLow(), high = box.GetHigh();
  // Above the middle of the top face, so the nearest place is on the mesh's upper side.
  const KelMathPoint query(0.5 * (low.GetX() + high.GetX()), high.GetY() + 0.25 * low.DistanceTo(high),
                           0.5 * (low.GetZ() + high.GetZ()));
  KelMathPoint projection;
  int index1 = 0, index2 = 0;
  const int location = ioContext._polygon.ProjectPoint(query, projection, index1, index2);
  static const char* const kWhere[] = {"nowhere", "vertex", "edge", "triangle"};
  std::string where = kWhere[location >= 0 && location <= 3 ? location : 0];
  where += " " + std::to_string(index1);
  if (location == KelCldProjectionOnEdge) where += "-" + std::to_string(index2);
  Say("ProjectPoint (%g %g %g): on %s at (%g %g %g), distance %g", query.GetX(), query.GetY(), query.GetZ(),
      where.c_str(), projection.GetX(), projection.GetY(), projection.GetZ(), query.DistanceTo(projection));
  return true;
}

// The copy must read back with the same coordinates, bit for bit, and the same triangles.
bool WriteCopy(KelDemoContext& ioContext)
{
  const KelCldPolygon& original = ioContext._polygon;
  const std::string path = ioContext.OutputPath("sample-copy.obj");
  if (!ioContext.WriteMesh("sample-copy.obj", original)) return false;
  KelCldPolygon copy;
  if (!KelReadMesh(path, copy, ioContext._error)) return false;

  bool same = copy.GetNbVertices() == original.GetNbVertices() && copy.GetNbTriangles(0) == original.GetNbTriangles(0);
  std::vector<int> newNumber(static_cast<size_t>(original.GetNbPoints(1)) + 1, 0);
  int copyVertex = 0;
  for (int v = 1; same && v <= original.GetNbPoints(1); ++v) {
    if (!original.IsAVertex(v)) continue;
    newNumber[static_cast<size_t>(v)] = ++copyVertex;
    float written[3], read[3];
    original.GetPoint(v, written);
    copy.GetPoint(copyVertex, read);
    same = std::memcmp(written, read, sizeof written) == 0;
  }
  int copyTriangle = 0;
  for (int t = 1; same && t <= original.GetNbTriangles(1); ++t) {
    if (!original.IsTriangleValid(t)) continue;
    int written[3], read[3];
    unsigned char orientation = 0;
    original.GetTriangleVertices(t, written, orientation);
    copy.GetTriangleVertices(++copyTriangle, read, orientation);
    for (int k = 0; k < 3; ++k) same = same && newNumber[static_cast<size_t>(written[k])] == read[k];
  }
  if (!same) {
    ioContext._error = "demo: '" + path + "' does not read back as the mesh that was written";
    return false;
  }
  Say("wrote %s and read it back: same coordinates bit for bit, same triangles", path.c_str());
  return true;
}

// Removing a vertex leaves a hole whose border is one closed loop of free edges; the file
// written afterwards is renumbered without the freed point.
bool OpenHole(KelDemoContext& ioContext)
{
  KelCldPolygon& polygon = ioContext._polygon;
  const int vertex = FirstVertex(polygon);
  const int nbBefore = polygon.GetNbTriangles(0);
  polygon.RemoveVertex(vertex);
  Say("RemoveVertex(%d): %d triangles removed, the point freed", vertex, nbBefore - polygon.GetNbTriangles(0));
  ReportBoundaryLoops(polygon);
  const KelMeshSummary summary = KelSummarizeMesh(polygon);
  Say("%d free edges, %d vertices, %d triangles", summary._freeEdges, summary._vertices, summary._triangles);
  if (!ioContext.WriteMesh("sample-holed.obj", polygon)) return false;
  Say("wrote %s (vertices renumbered without the gap)", ioContext.OutputPath("sample-holed.obj").c_str());
  return true;
}

// The operators take selections: two rings of triangles around a vertex are cut out into a
// patch of their own, and both parts still pass the edge validation.
bool CutPatch(KelDemoContext& ioContext)
{
  KelCldPolygon& polygon = ioContext._polygon;
  int vertex = 0;
  for (int v = polygon.GetNbPoints(1); v >= 1 && !vertex; --v)
    if (polygon.IsAVertex(v)) vertex = v;
  int* ringStarts = nullptr;
  KelRawCollint rings, triangles;
  polygon.GetNeighborVertices(vertex, 1, ringStarts, rings);
  delete[] ringStarts;
  KelICldMesh* mesh = nullptr;
  if (FAILED(polygon.QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh))) || !mesh) {
    ioContext._error = "demo: the polygon has no mesh object";
    return false;
  }
  mesh->GetTriangles(rings, triangles);
  mesh->Release();

  KelCldPolygon patch;
  const int nbBefore = polygon.GetNbTriangles(0);
  KelCldMeshCutOper cut;
  if (!cut.Run(&polygon, triangles, &patch)) {
    ioContext._error = "demo: cutting the patch failed";
    return false;
  }
  Say("KelCldMeshCutOper: %d triangles around vertex %d moved into a patch of %d vertices", triangles.Size(), vertex,
      patch.GetNbVertices());
  Say("the mesh went from %d to %d triangles", nbBefore, polygon.GetNbTriangles(0));
  KelCldMeshValidationOper validation;
  Say("KelCldMeshValidationOper: patch %s, rest %s", validation.Run(&patch) ? "valid" : "not valid",
      validation.Run(&polygon) ? "valid" : "not valid");
  if (!ioContext.WriteMesh("sample-patch.obj", patch)) return false;
  Say("wrote %s", ioContext.OutputPath("sample-patch.obj").c_str());
  return true;
}

// The sample as read, decimated to a tenth of its triangles with the quadric metric.
bool Decimate(KelDemoContext& ioContext)
{
  KelCldPolygon sample;
  if (!KelReadMesh(ioContext._inputPath, sample, ioContext._error)) return false;
  const int before = sample.GetNbTriangles(0);
  KelCldDecimateOper decimate;
  decimate.SetStoppingCriterion(KelCldDecimateOper::TriangleCountStoppingCriterion);
  decimate.SetTriangleCount(before / 10);
  KelTimer timer;
  timer.Start();
  const bool done = decimate.Run(&sample) != FALSE;
  timer.Stop();
  if (!done) {
    ioContext._error = "demo: the decimation failed";
    return false;
  }
  const KelMeshSummary summary = KelSummarizeMesh(sample);
  Say("KelCldDecimateOper (quadric error, triangle count): %d -> %d triangles in %.3f s", before,
      sample.GetNbTriangles(0), timer.GetElapsed() / 1000.0);
  Say("%d vertices, %d free edges, Euler characteristic %d (was %d)", summary._vertices, summary._freeEdges,
      summary._euler, ioContext._summary._euler);
  if (!ioContext.WriteMesh("sample-decimated.obj", sample)) return false;
  Say("wrote %s", ioContext.OutputPath("sample-decimated.obj").c_str());
  return true;
}

}  // namespace

std::string KelDemoContext::OutputPath(const std::string& iName) const { return _outDir + "/" + iName; }

bool KelDemoContext::OverwritesInput(const std::string& iPath)
{
  if (!KelIsSameFile(iPath, _inputPath)) return false;
  _error = "demo: '" + iPath + "' would overwrite the input";
  return true;
}

bool KelDemoContext::WriteText(const std::string& iName, const std::string& iText)
{
  const std::string path = OutputPath(iName);
  if (OverwritesInput(path)) return false;
  return KelWriteTextFile(path, iText, &_error);
}

bool KelDemoContext::WriteMesh(const std::string& iName, const KelCldPolygon& iPolygon)
{
  const std::string path = OutputPath(iName);
  if (OverwritesInput(path)) return false;
  return KelWriteObj(iPolygon, path, &_error);
}

const std::vector<KelDemoStep>& KelDemoSteps()
{
  static const std::vector<KelDemoStep> steps = {
      {"Read the sample", ReadSample},
      {"Count vertices, edges and components", CountElements},
      {"Bounding box", ShowBoundingBox},
      {"Neighbourhood of the first vertex", ShowNeighbourhood},
      {"Edge and vertex attributes", ShowAttributes},
      {"Loops of free edges", ShowBoundaryLoops},
      {"Project a point onto the mesh", ProjectPoint},
      {"Write a copy and read it back", WriteCopy},
      {"Open a hole and find its border", OpenHole},
      {"Cut a patch out with the edit operators", CutPatch},
      {"Decimate the sample to a tenth", Decimate},
  };
  return steps;
}
