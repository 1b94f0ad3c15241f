#ifndef MeshSummary_h
#define MeshSummary_h
// The counts that `kelmesh info` reports, and their plain and JSON forms.

#include <string>

class KelCldPolygon;

struct KelMeshSummary {
  int _vertices = 0;          // points used by a valid triangle
  int _points = 0;            // points not freed
  int _triangles = 0;         // valid triangles
  int _freeEdges = 0;         // undirected edges with exactly one side
  int _nonManifoldEdges = 0;  // undirected edges with more than two sides
  int _holes = 0;             // loops of free edges, as the hole table finds them
  int _components = 0;        // groups of triangles joined through shared vertices
  int _edges = 0;             // unique edges of the valid triangles, from the edge table
  int _euler = 0;             // vertices - edges + triangles
  double _area = 0.0;         // sum of the triangle areas
  double _volume = 0.0;       // enclosed volume, holes closed (the smoothing frame's measure)
  double _bboxMin[3] = {0.0, 0.0, 0.0};
  double _bboxMax[3] = {0.0, 0.0, 0.0};
};

// Sides are counted as the polygon counts them: occurrences of the edge among the edges of
// the valid triangles, an edge from a vertex to itself left out. Linear in the mesh size.
// The triangles are not changed; the edge table only holds the polygon while it counts. The
// volume closes each hole by a fan from the centroid of its border: the polygon's boundary
// scans are replaced by its closed free-edge loops (a border that does not close, at a
// non-manifold edge, stays open).
KelMeshSummary KelSummarizeMesh(KelCldPolygon& iPolygon);

// One "name: value" line per count.
std::string KelFormatSummary(const KelMeshSummary& iSummary);
// One JSON object with the same names.
std::string KelFormatSummaryJson(const KelMeshSummary& iSummary);

#endif
