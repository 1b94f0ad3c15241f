#ifndef KelCldPolygon_h
#define KelCldPolygon_h
// The cloud polygon: numbered points with single-precision positions and numbered triangles
// with their neighbours. It is the mesh container of the whole library.
//
// Numbering
// - Points and triangles are numbered from 1; 0 means "none". Numbers are append-only:
//   AddPoint and AddTriangle always take the next number (the first point of an empty
//   polygon is 1; the new triangle's number equals GetNbTriangles(1) right after the call).
//   Numbers are never reused or compacted.
// - GetNbPoints(1) / GetNbTriangles(1) are the highest numbers. GetNbTriangles(0) is the number
//   of valid triangles; GetNbPoints(0) the number of points not freed by RemoveVertex.
// - A point is a vertex (IsAVertex) while at least one valid triangle uses it. GetNbVertices
//   counts exactly those; GetAllVertices lists them in increasing order.
// - RemoveVertex removes the vertex's remaining triangles, then frees the point: a freed point
//   reads as zeros and can no longer be used by a triangle. On a number that is not a vertex
//   it does nothing and returns 0.
// - Positions are stored as float[3]; double forms convert on the way in and out.
// - New points are active. A triangle is active when it is valid and its three vertices are
//   active.
// - Reading a triangle (GetTriangle, GetTriangleVertices) or a point that is 0, out of range,
//   invalid or freed fills zeros and returns 0.
//
// Neighbourhood
// - The neighbourhood data (vertex-to-triangle lists and neighbours across edges) is correct
//   after every edit. Optimize / Unoptimize only switch what IsOptimized reports: several
//   operators unoptimize unconditionally while others still rely on the structure.
// - The sides of an undirected edge a-b (a != b) are its occurrences among the edges of the
//   valid triangles. A neighbour across an edge is set only when the edge has exactly two
//   sides and they belong to two different triangles; otherwise it is 0 in every triangle of
//   the edge, so an edge with three or more triangles reads as a free edge in each of them.
//   An edge from a vertex to itself has neighbour 0. Degenerate, non-manifold and
//   inconsistently oriented triangles are accepted.
// - GetEdgeTriangles gives (t, 0) for an edge with one side, (lower, higher) when the
//   neighbour rule above joins two triangles, and (lowest, 0) otherwise; (0, 0) for no side.
// - GetTrianglesAroundVertex: increasing triangle number. GetTrianglesAroundEdge: every
//   triangle having the edge, increasing. GetFreeEdges: the edges whose neighbour is 0, in
//   triangle order then edge order, each pair oriented as in its triangle. IsManifold: no
//   edge has more than two sides (edges only; vertices are not examined).
// - GetNeighborVertices: ring 0 is the vertex itself; ring 1 lists vertices in order of first
//   appearance going through the incident triangles in increasing order and, in each, the
//   vertex after v then the vertex before it; ring k+1 is built the same way from each vertex
//   of ring k in order (breadth first). ringStarts has rings + 2 entries: ring k occupies list
//   positions ringStarts[k] .. ringStarts[k+1]-1. The caller deletes ringStarts (delete[]).
//
// Edits
// - FlipEdge(a, b) acts only when the neighbour rule joins two triangles on the edge, t1 runs
//   a->b as (a, b, x) and t2 runs b->a as (b, a, y) in their stored rotation, x != y, and x and
//   y are not already joined by an edge: t1 becomes (x, a, y) and t2 becomes (y, b, x), both
//   numbers kept, orientation kept. Otherwise it returns 0 and changes nothing.
// - Every local edit updates the neighbourhood in time proportional to the degrees involved.
//   Triangles added to a polygon whose neighbourhood was never built (a fresh polygon being
//   filled) are linked in one linear pass on the first query or edit that needs them.
//
// Arrays handed out (GetAllVertices, GetFreeEdges, GetNonManifoldEdges, GetNeighborVertices)
// are allocated with new[] and deleted by the caller with delete[].

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "KelBaseUnknown.h"
#include "KelLargeArrayAllocator.h"
#include "KelSmallListArray.h"
#include "KelMathBox.h"
#include "KelMathPoint.h"
#include "KelRawColl.h"

class KelCldAttribute;  // opaque per-element pointer; the polygon only stores it
class KelCldBoundaryScans;

extern const IID IID_KelCldPolygon;

// Where ProjectPoint found the nearest point of the mesh.
enum KelCldProjectionLocation {
  KelCldProjectionNone = 0,      // no triangle
  KelCldProjectionOnVertex = 1,  // oIndex1 = the vertex
  KelCldProjectionOnEdge = 2,    // oIndex1, oIndex2 = the edge's vertices
  KelCldProjectionOnTriangle = 3 // oIndex1 = the triangle
};

class KelCldPolygon : public KelBaseUnknown {
  KelDeclareClass

public:
  KelCldPolygon();
  ~KelCldPolygon() override;
  KelCldPolygon(const KelCldPolygon&) = delete;
  KelCldPolygon& operator=(const KelCldPolygon&) = delete;

  // A new empty polygon with one reference (the polygon's factory).
  static KelCldPolygon* Create();
  KelCldPolygon* CreateEmptyPolygon() const;
  // The implementation object: equal for two interface pointers to the same polygon.
  const KelCldPolygon* GetImpl() const { return this; }
  const char* GetLateType() const override { return "KelCldPolygonQvm"; }

  // Sizes the storage for this many points and triangles in all.
  void Reserve(int iNbPoints, int iNbTriangles);
  // Bytes held by the polygon's arrays (capacity, not size).
  size_t GetMemoryUsage() const;

  // ---- Counts and validity ----
  int GetNbPoints(int iAll = 1) const
  {
    const int highest = static_cast<int>(_pointFlags.size()) - 1;
    return iAll ? highest : highest - _nbFreedPoints;
  }
  int GetNbVertices() const;
  int GetNbTriangles(int iAll = 1) const
  {
    return iAll ? static_cast<int>(_triangleFlags.size()) - 1 : _nbValidTriangles;
  }
  KelBoolean IsAVertex(int iVertex) const
  {
    if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) return FALSE;
    EnsureLinked();
    return Corners(iVertex).size() != 0 ? TRUE : FALSE;
  }
  KelBoolean IsTriangleValid(int iTriangle) const
  {
    return iTriangle > 0 && iTriangle < static_cast<int>(_triangleFlags.size()) &&
                   (_triangleFlags[iTriangle] & kTriangleValid)
               ? TRUE
               : FALSE;
  }
  KelBoolean IsTriangleActive(int iTriangle) const;

  // ---- Reads ----
  int GetPoint(int iVertex, KelMathPoint& oPoint) const;
  int GetPoint(int iVertex, float oCoord[3]) const;
  int GetPoint(int iVertex, double oCoord[3]) const;
  int GetTriangle(int iTriangle, int oVertices[3], int oNeighbors[3]) const
  {
    if (!IsTriangleValid(iTriangle)) {
      for (int i = 0; i < 3; ++i) oVertices[i] = oNeighbors[i] = 0;
      return 0;
    }
    EnsureLinked();
    const size_t base = 3 * static_cast<size_t>(iTriangle);
    for (int i = 0; i < 3; ++i) {
      oVertices[i] = _vertices[base + i];
      oNeighbors[i] = NeighborAt(base + i);
    }
    return 1;
  }
  // Vertices in stored order; the orientation flag is 1 for a valid triangle.
  int GetTriangleVertices(int iTriangle, int oVertices[3], unsigned char& oOrientation) const
  {
    // Inline: operators read triangles in their innermost loops.
    if (!IsTriangleValid(iTriangle)) {
      oVertices[0] = oVertices[1] = oVertices[2] = 0;
      oOrientation = 0;
      return 0;
    }
    const int* v = &_vertices[3 * static_cast<size_t>(iTriangle)];
    oVertices[0] = v[0];
    oVertices[1] = v[1];
    oVertices[2] = v[2];
    oOrientation = 1;
    return 1;
  }
  // (P1 - P0) x (P2 - P0), unit length when iRaw is 0. Zeros and 0 for an invalid triangle.
  int GetTriangleNormal(int iTriangle, double oNormal[3], int iRaw = 1) const;
  // Sum of the raw normals of the vertex's triangles, unit length when iRaw is 0.
  int GetVertexNormal(int iVertex, double oNormal[3], int iRaw = 1) const;
  KelCldAttribute* GetPointAttribute(int iVertex) const;
  void SetPointAttribute(int iVertex, KelCldAttribute* iAttribute);
  KelCldAttribute* GetTriangleAttribute(int iTriangle) const;
  void SetTriangleAttribute(int iTriangle, KelCldAttribute* iAttribute);
  // Every vertex number in increasing order; oVertices is null when there is none.
  int GetAllVertices(int& oCount, int*& oVertices) const;
  // The coordinates of every point, three floats per point from point 0 (unused) on, for loops
  // that read many positions; freed points read as zeros. Valid until the next AddPoint.
  const float* GetCoordinates() const { return _coords.data(); }

  // ---- Neighbourhood ----
  void Optimize();
  void Unoptimize();
  KelBoolean IsOptimized() const;
  // Returns the number of triangles listed.
  int GetTrianglesAroundVertex(int iVertex, KelRawCollint& oTriangles) const;
  // The same triangles in no fixed order, for callers that need the set only (no sort).
  int GetTrianglesAroundVertexUnordered(int iVertex, KelRawCollint& oTriangles) const;
  // Hints for a caller about to work around a vertex: its corner list and position, then
  // (once those have arrived) its triangles' vertices. They change nothing.
  void PrefetchVertex(int iVertex) const
  {
    if (iVertex <= 0 || iVertex >= static_cast<int>(_corners.Size())) return;
    KelPrefetch(_corners.Address(static_cast<size_t>(iVertex)));
    KelPrefetch(&_coords[3 * static_cast<size_t>(iVertex)]);
  }
  void PrefetchTrianglesAroundVertex(int iVertex) const
  {
    if (iVertex <= 0 || iVertex >= static_cast<int>(_corners.Size())) return;
    for (const int c : _corners.Get(static_cast<size_t>(iVertex))) KelPrefetch(&_vertices[static_cast<size_t>(c - c % 3)]);
  }
  // Returns the number of vertices listed (ring 0 included); ringStarts is null and the list
  // empty for a number out of range.
  int GetNeighborVertices(int iVertex, int iRings, int*& oRingStarts, KelRawCollint& oVertices) const;
  // Ring 1 of the vertex, without the vertex itself, in GetNeighborVertices' order; nothing is
  // allocated once oVertices has grown (for hot loops). Returns the number listed.
  int GetVertexRing(int iVertex, KelRawCollint& oVertices) const;
  // Ring 1 of every point in one linear sweep, each in GetNeighborVertices' order: the ring of
  // point v is oRings[oStarts[v] .. oStarts[v + 1] - 1] (oStarts has GetNbPoints(1) + 2
  // entries). When oOnFreeEdge is given, (*oOnFreeEdge)[v] is 1 when an edge from v to a ring
  // vertex has neighbour 0 (a free or crowded edge). The vectors are reused: pass the same ones
  // again to avoid allocations.
  void GetAllRings(std::vector<int>& oStarts, std::vector<int>& oRings, std::vector<uint8_t>* oOnFreeEdge) const;
  // Changes with every edit of the triangles (add, remove, set vertices, flip, vertex
  // removal). Stamps are unique within the process, across polygons: a cache keyed on one
  // stays valid exactly while the triangles that gave it are unchanged.
  uint64_t GetTopologyStamp() const;
  // Returns the number of distinct triangles having the edge.
  int GetEdgeTriangles(int iVertex1, int iVertex2, int& oTriangle1, int& oTriangle2) const;
  int GetTrianglesAroundEdge(int iVertex1, int iVertex2, KelRawCollint& oTriangles) const;
  // With iAsInTriangle 0 each pair is given low vertex first; with iActiveOnly 1 only active
  // triangles contribute. Returns oCount; oPairs is null when there is no free edge.
  int GetFreeEdges(int& oCount, int*& oPairs, int iAsInTriangle = 1, int iActiveOnly = 0) const;
  // Edges with more than two sides, each once, as met in triangle then edge order.
  int GetNonManifoldEdges(int& oCount, int*& oPairs) const;
  KelBoolean IsManifold() const;

  // ---- Edits ----
  // Return 1 and the new number in oVertex, or 0 (oVertex = 0) when no number is left.
  int AddPoint(const KelMathPoint& iPoint, int& oVertex);
  int AddPoint(const float iCoord[3], int& oVertex);
  int AddPoint(const double iCoord[3], int& oVertex);
  // Return the new vertex number, 0 on failure.
  int AddPoint(const float iCoord[3]);
  int AddPoint(float iX, float iY, float iZ);
  // Returns the new triangle number, or 0 when a vertex number is out of range or freed.
  int AddTriangle(const int iVertices[3]);
  int AddTriangle(int iVertex0, int iVertex1, int iVertex2);
  // Returns 1, or 0 for a triangle that is not valid.
  int RemoveTriangle(int iTriangle);
  // Replaces the vertices of a valid triangle; 0 (nothing changed) for an invalid triangle or
  // a vertex number out of range or freed.
  int SetTriangleVertices(int iTriangle, const int iVertices[3]);
  int RemoveVertex(int iVertex);
  // Puts iNew in place of iOld in every valid triangle of iOld (the order of each triangle's
  // vertices kept), with the same result as SetTriangleVertices on each of them; used when
  // an edge is contracted. Edges to vertices that were not neighbours of iNew keep their
  // sides as they are, so only the edges the two fans share are worked out again. Returns the
  // number of triangles changed; 0 when a number is not usable or both are equal.
  int ReplaceVertexInTriangles(int iOld, int iNew);
  // Contracts the edge iKept-iRemoved in one pass: removes its triangles (one or two valid
  // triangles holding both ends, in increasing order) and gives the removed vertex's other
  // triangles the kept vertex, with the same result as RemoveTriangle on each and then
  // ReplaceVertexInTriangles. The caller has checked that the two ends share no neighbour but
  // the wings (the third corners of the edge's triangles): other edges would be doubled.
  // Returns false, with nothing changed, where a triangle is not simple (a degenerate or
  // crowded one, a wing repeated, the kept vertex among the removed one's other triangles);
  // the general calls apply there. When given, oWings[i] is the wing of triangle i and
  // oJoinedWings[i] the same wing when the kept vertex is still joined to it (a triangle lay
  // across kept-wing or removed-wing), 0 otherwise.
  bool CollapseEdge(int iKept, int iRemoved, const int* iTriangles, int iNbTriangles, int* oWings = nullptr,
                    int* oJoinedWings = nullptr);
  int FlipEdge(int iVertex1, int iVertex2);
  int SetPoint(int iVertex, double iX, double iY, double iZ);
  int SetPoint(int iVertex, float iX, float iY, float iZ);
  int SetPoint(int iVertex, const KelMathPoint& iPoint);
  int SetPoint(int iVertex, const float iCoord[3]);
  int SetPoint(int iVertex, const double iCoord[3]);
  // Tells the polygon that operators changed it; the calls are counted.
  void NotifyModified();
  int GetNbModifications() const { return _nbModifications; }
  // Closing update after a bulk insertion of points and triangles: links what was added.
  void EndInsertion();

  // ---- Vertex activation ----
  void DeactivateAllVertices();
  void ActivateAllVertices();
  void ActivateVertex(int iVertex);
  void DeactivateVertex(int iVertex);
  KelBoolean IsVertexActive(int iVertex) const;

  // ---- Geometry and services ----
  // Nearest point of the valid triangles (brute force); returns a KelCldProjectionLocation.
  int ProjectPoint(const KelMathPoint& iPoint, KelMathPoint& oProjection, int& oIndex1, int& oIndex2) const;
  // Box of the vertices; empty when there is none.
  void GetBoundingBox(KelMathBox& oBox) const;
  // The boundary scans, null when the polygon has none. The polygon owns them.
  KelCldBoundaryScans* GetBoundaryScans() const { return _scans; }
  // Replaces the scans (the polygon takes ownership; null drops them).
  void SetBoundaryScans(KelCldBoundaryScans* iScans);
  // Scan point identifiers are vertex numbers.
  int GetVertexOfScanPoint(int iIdentifier) const { return iIdentifier; }
  // Replaces the scans by one scan per chain of edges that have exactly one side. A chain is
  // followed against the direction of its triangles (against it where neighbouring triangles
  // disagree), so a scan runs like the border of the face that would close the hole: a fan
  // over a closed scan is oriented like the surface. A chain that comes back to its start
  // gives a closed scan. Returns the number of scans.
  int BuildBoundaryScans();

protected:
  void* GetInterface(const IID& iIID) override;

private:
  enum : uint8_t { kPointFreed = 1, kPointInactive = 2 };
  enum : uint8_t { kTriangleValid = 1 };
  // A side is "crowded" when its edge has three or more sides, or two sides in this same
  // triangle: its neighbour reads as 0 although it is not the edge's only side, and removing
  // a triangle walks only around crowded edges. The mark is kept in the neighbour slot itself,
  // so that linking a side writes one line, not the neighbour's flags as well.
  static constexpr int kCrowded = -1;

  // What one walk around an edge a-b finds.
  struct EdgeScan {
    int nbSides = 0;      // occurrences of a-b among the edges of valid triangles
    int sides[3] = {0, 0, 0};  // the first two sides met (side = 3t + edge index); [2] is scratch
    int lowestSide = 0;   // lowest side, i.e. the first in triangle then edge order
    int nbTriangles = 0;  // distinct triangles having the edge
    void AddSide(int iSide) { AddSideIf(true, iSide); }
    // Counts the side when iMatch, else nothing; without branches, for scans over mixed sides.
    void AddSideIf(bool iMatch, int iSide)
    {
      // Masks rather than conditions, which the compiler may turn back into jumps.
      const int match = -static_cast<int>(iMatch);
      sides[(std::min(nbSides, 2) & match) | (2 & ~match)] = iSide;
      nbSides -= match;
      // 0 (none yet) as the largest unsigned, so that the smaller of the two is the lowest.
      const unsigned candidate = static_cast<unsigned>((iSide & match) | (lowestSide & ~match)) - 1u;
      lowestSide = static_cast<int>(std::min(static_cast<unsigned>(lowestSide) - 1u, candidate) + 1u);
    }
  };

  // A point's corners, unordered (queries sort the few triangles they return), in the point's
  // own cache line up to a dozen or so. An edge's triangles are then found by matching the
  // lines of its two ends, without reading the other triangles around them.
  using CornerRange = KelSmallListArray::Range;

  bool PointUsable(int iVertex) const
  {
    return iVertex > 0 && iVertex < static_cast<int>(_pointFlags.size()) && !(_pointFlags[iVertex] & kPointFreed);
  }
  void EnsureLinked() const
  {
    if (!_linked) BuildNeighborhood();
  }
  void BuildNeighborhood() const;
  void LinkTriangle(int iTriangle);
  void UnlinkTriangle(int iTriangle);
  // The vertex's corners in no particular order; empty for a number without slots.
  CornerRange Corners(int iVertex) const
  {
    if (iVertex <= 0 || iVertex >= static_cast<int>(_corners.Size())) return {nullptr, nullptr};
    return _corners.Get(static_cast<size_t>(iVertex));
  }
  // Gives points up to iHighest their corner slots; false when memory runs out.
  bool CoverPoints(int iHighest) const;
  void InsertCorner(int iVertex, int iCorner) const;
  void EraseCorner(int iVertex, int iCorner) const;
  // Puts new vertices in a linked triangle, moving only the corners whose vertex changes;
  // neighbours are left to the caller.
  void ReplaceVertices(int iTriangle, const int iVertices[3]);
  bool IsFirstCorner(int iCorner) const
  {
    // A degenerate triangle lists a vertex at two corners; only the first one counts.
    const int* v = &_vertices[static_cast<size_t>(iCorner - iCorner % 3)];
    const int j = iCorner % 3;
    // Bitwise, without branches: the corner index follows no pattern.
    return !(((j > 0) & (v[0] == v[j])) | ((j > 1) & (v[1] == v[j])));
  }
  // Calls iVisit(corner, other, side) for the corners of a or of b (whichever is cheaper)
  // whose triangle may hold the edge a-b, "other" being the end not at the corner. When the
  // triangle holds each end once, "side" is its side on the edge, read off the two corner
  // lists (the triangle itself is not read); otherwise it is -1 and the visitor reads it.
  template <class Visit>
  void ForEdgeCorners(int iVertexA, int iVertexB, Visit&& iVisit) const;
  void ScanEdge(int iVertexA, int iVertexB, EdgeScan& oScan) const;
  // Sets the neighbours of every side of a-b from its scan.
  void ApplyEdgeScan(int iVertexA, int iVertexB, const EdgeScan& iScan) const;
  void SetSide(int iSide, int iNeighbor, bool iCrowded) const { _neighbors[iSide] = iCrowded ? kCrowded : iNeighbor; }
  bool IsSideCrowded(int iSide) const { return _neighbors[iSide] < 0; }
  bool HasCrowdedSide(int iTriangle) const
  {
    const int base = 3 * iTriangle;
    return IsSideCrowded(base) || IsSideCrowded(base + 1) || IsSideCrowded(base + 2);
  }
  // Whether the triangle holds iOld once, not iNew, and no crowded side: giving it iNew in
  // iOld's place then moves only its two sides at that corner.
  bool MovesSimply(int iTriangle, int iOld, int iNew) const;
  int NeighborAt(size_t iSide) const { return std::max(_neighbors[iSide], 0); }
  // Recomputes the neighbours of every side of the edge a-b.
  void UpdateEdge(int iVertexA, int iVertexB) const;
  // In triangle iNeighbor, the side on edge a-b that pointed to iFrom now points to iTo.
  void RepointNeighbor(int iNeighbor, int iFrom, int iTo, int iVertexA, int iVertexB);
  // Distinct triangles having the edge, increasing; appended to oTriangles when given.
  int EdgeTriangles(int iVertex1, int iVertex2, KelRawCollint* oTriangles) const;
  // The vertex's corners, one per triangle, in increasing order.
  void SortedFirstCorners(int iVertex, std::vector<int>& oCorners) const;
  void AddRing(int iVertex, KelRawCollint& ioVertices) const;

  template <class T>
  using LargeArray = std::vector<T, KelLargeArrayAllocator<T>>;

  // Points: slot 0 unused.
  LargeArray<float> _coords;  // 3 per point
  LargeArray<uint8_t> _pointFlags;
  std::vector<KelCldAttribute*> _pointAttributes;  // empty until a pointer is set
  // Corners by point, sized up to the highest point a linked triangle has used, so that a
  // plain point cloud carries none.
  mutable KelSmallListArray _corners;
  // Triangles: slot 0 unused; corner c = 3t + i is vertex i of triangle t.
  LargeArray<int> _vertices;
  mutable LargeArray<int> _neighbors;
  mutable LargeArray<uint8_t> _triangleFlags;
  std::vector<KelCldAttribute*> _triangleAttributes;

  int _nbValidTriangles = 0;
  int _nbFreedPoints = 0;
  mutable int _nbVertices = 0;
  mutable bool _linked = true;  // false while added triangles wait for the linking pass
  bool _optimized = false;
  int _nbModifications = 0;
  // 0 after an edit: the next GetTopologyStamp draws a fresh one. Drawing is an atomic
  // increment, which waits for every pending store; an edit itself only writes this field.
  mutable uint64_t _topologyStamp = 0;
  KelCldBoundaryScans* _scans = nullptr;

  // Scratch of the ring walk: a stamp per point, reused between calls.
  mutable std::vector<unsigned> _stamps;
  mutable unsigned _stamp = 0;
  // A fresh stamp value for _stamps, sized to the points.
  unsigned NextStamp() const;
  mutable std::vector<int> _ringCorners;
  std::vector<int> _sharedScratch;  // ReplaceVertexInTriangles: ring points the edit joins
  std::vector<int> _ringScratch;    // ReplaceVertexInTriangles: iNew's ring points before the move
  std::vector<std::pair<int, int>> _sideScratch;  // ReplaceVertexInTriangles: (ring point, side)
};

#endif
