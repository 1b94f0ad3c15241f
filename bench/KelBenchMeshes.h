#ifndef KelBenchMeshes_h
#define KelBenchMeshes_h
// Meshes of about a million triangles for the benchmarks: a shared mesh subdivided twice,
// 1-to-4 at edge midpoints (armadillo 52k -> 832k triangles, snowden 109k -> 1.75M).

#include <memory>
#include <string>

class KelCldPolygon;

struct KelBenchPolygonReleaser {
  void operator()(KelCldPolygon* iPolygon) const;
};
using KelBenchPolygonPtr = std::unique_ptr<KelCldPolygon, KelBenchPolygonReleaser>;

// A new polygon with the same points and valid triangles added by bulk insertion, left
// unlinked: its first neighbourhood query runs the linking pass.
KelCldPolygon* KelBenchCopy(const KelCldPolygon& iPolygon);

// A new polygon (one reference) whose triangles split each valid triangle of iPolygon in four
// at its edge midpoints. Midpoints follow the original points; the four children of a
// triangle follow each other. Added by bulk insertion and linked before returning.
KelCldPolygon* KelBenchSubdivide(KelCldPolygon& iPolygon);

// The shared mesh (file name in the shared data folder) as read, made once per process and
// kept; null when the file is absent or unreadable. Benchmarks that change it work on a copy.
KelCldPolygon* KelBenchSharedMesh(const std::string& iName);

// The shared mesh (file name in the shared data folder) subdivided twice, made once per
// process and kept; null when the file is absent or unreadable.
KelCldPolygon* KelBenchSubdividedMesh(const std::string& iName);

// That mesh written as an OBJ file in the build tree, once per process; empty when the mesh
// or the OBJ writer is unavailable.
std::string KelBenchSubdividedObj(const std::string& iName);

#endif
