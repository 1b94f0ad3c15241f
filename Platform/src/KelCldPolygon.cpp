#include "KelCldPolygon.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cmath>
#include <cstddef>
#include <new>
#include <unordered_set>
#include <utility>

#include "KelCldBoundaryScans.h"
#include "KelIntSearch.h"

// {8B3E2F41-6C1D-4E7A-9A52-3F0D1C7B5E21}
const IID IID_KelCldPolygon = {0x8b3e2f41, 0x6c1d, 0x4e7a, {0x9a, 0x52, 0x3f, 0x0d, 0x1c, 0x7b, 0x5e, 0x21}};

KelImplementClassIn(KelCldPolygon, KelBaseUnknown, KelMetaImplementation, "KelPlatform")

namespace {

inline int TriangleOf(int iCorner) { return iCorner / 3; }
inline int IndexOf(int iCorner) { return iCorner % 3; }
// Topology stamps are unique in the process: a cache keyed on one stays valid exactly while
// the triangles of the polygon that gave it are unchanged.
std::atomic<uint64_t> gTopologyStamps{0};
uint64_t NextTopologyStamp() { return gTopologyStamps.fetch_add(1, std::memory_order_relaxed) + 1; }

// By table: the corner index is in no predictable pattern, and a compare-and-jump mispredicts.
inline int Next3(int i)
{
  static constexpr int kNext[3] = {1, 2, 0};
  return kNext[i];
}
inline int Prev3(int i)
{
  static constexpr int kPrev[3] = {2, 0, 1};
  return kPrev[i];
}

template <class Array>
size_t CapacityBytes(const Array& iArray) { return iArray.capacity() * sizeof(typename Array::value_type); }

}  // namespace

KelCldPolygon::KelCldPolygon()
{
  // Slot 0 of every array stands for "none".
  _coords.assign(3, 0.0f);
  _pointFlags.assign(1, kPointFreed);
  _vertices.assign(3, 0);
  _neighbors.assign(3, 0);
  _triangleFlags.assign(1, 0);
  _topologyStamp = 0;
}

KelCldPolygon::~KelCldPolygon()
{
  // Extensions may still read the polygon while they go.
  ReleaseExtensions();
  delete _scans;
}

KelCldPolygon* KelCldPolygon::Create() { return new (std::nothrow) KelCldPolygon(); }

KelCldPolygon* KelCldPolygon::CreateEmptyPolygon() const { return Create(); }

void* KelCldPolygon::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelCldPolygon) return this;
  return KelBaseUnknown::GetInterface(iIID);
}

void KelCldPolygon::Reserve(int iNbPoints, int iNbTriangles)
{
  if (iNbPoints > 0) {
    size_t n = static_cast<size_t>(iNbPoints) + 1;
    _coords.reserve(3 * n);
    _pointFlags.reserve(n);
  }
  if (iNbTriangles > 0) {
    size_t n = static_cast<size_t>(iNbTriangles) + 1;
    _vertices.reserve(3 * n);
    _neighbors.reserve(3 * n);
    _triangleFlags.reserve(n);
  }
}

size_t KelCldPolygon::GetMemoryUsage() const
{
  return sizeof(*this) + CapacityBytes(_coords) + CapacityBytes(_pointFlags) + _corners.CapacityBytes() +
         CapacityBytes(_pointAttributes) + CapacityBytes(_vertices) + CapacityBytes(_neighbors) +
         CapacityBytes(_triangleFlags) + CapacityBytes(_triangleAttributes) + CapacityBytes(_stamps);
}

// ---------------------------------------------------------------------------------------------
// Counts and validity

int KelCldPolygon::GetNbVertices() const
{
  EnsureLinked();
  return _nbVertices;
}

KelBoolean KelCldPolygon::IsTriangleActive(int iTriangle) const
{
  if (!IsTriangleValid(iTriangle)) return FALSE;
  const int* v = &_vertices[3 * static_cast<size_t>(iTriangle)];
  for (int i = 0; i < 3; ++i)
    if (_pointFlags[v[i]] & kPointInactive) return FALSE;
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Reads

int KelCldPolygon::GetPoint(int iVertex, float oCoord[3]) const
{
  if (!PointUsable(iVertex)) {
    oCoord[0] = oCoord[1] = oCoord[2] = 0.0f;
    return 0;
  }
  const float* p = &_coords[3 * static_cast<size_t>(iVertex)];
  oCoord[0] = p[0];
  oCoord[1] = p[1];
  oCoord[2] = p[2];
  return 1;
}

int KelCldPolygon::GetPoint(int iVertex, double oCoord[3]) const
{
  float p[3];
  int ok = GetPoint(iVertex, p);
  oCoord[0] = p[0];
  oCoord[1] = p[1];
  oCoord[2] = p[2];
  return ok;
}

int KelCldPolygon::GetPoint(int iVertex, KelMathPoint& oPoint) const
{
  float p[3];
  int ok = GetPoint(iVertex, p);
  oPoint.SetCoord(p[0], p[1], p[2]);
  return ok;
}

namespace {
void NormaliseIfAsked(double ioNormal[3], int iRaw)
{
  if (iRaw) return;
  double length = std::sqrt(ioNormal[0] * ioNormal[0] + ioNormal[1] * ioNormal[1] + ioNormal[2] * ioNormal[2]);
  if (length > 0.0)
    for (int i = 0; i < 3; ++i) ioNormal[i] /= length;
}
}  // namespace

int KelCldPolygon::GetTriangleNormal(int iTriangle, double oNormal[3], int iRaw) const
{
  oNormal[0] = oNormal[1] = oNormal[2] = 0.0;
  if (!IsTriangleValid(iTriangle)) return 0;
  const int* v = &_vertices[3 * static_cast<size_t>(iTriangle)];
  const float* p0 = &_coords[3 * static_cast<size_t>(v[0])];
  const float* p1 = &_coords[3 * static_cast<size_t>(v[1])];
  const float* p2 = &_coords[3 * static_cast<size_t>(v[2])];
  const double e1[3] = {double(p1[0]) - p0[0], double(p1[1]) - p0[1], double(p1[2]) - p0[2]};
  const double e2[3] = {double(p2[0]) - p0[0], double(p2[1]) - p0[1], double(p2[2]) - p0[2]};
  oNormal[0] = e1[1] * e2[2] - e1[2] * e2[1];
  oNormal[1] = e1[2] * e2[0] - e1[0] * e2[2];
  oNormal[2] = e1[0] * e2[1] - e1[1] * e2[0];
  NormaliseIfAsked(oNormal, iRaw);
  return 1;
}

int KelCldPolygon::GetVertexNormal(int iVertex, double oNormal[3], int iRaw) const
{
  oNormal[0] = oNormal[1] = oNormal[2] = 0.0;
  if (!IsAVertex(iVertex)) return 0;
  for (const int c : Corners(iVertex)) {
    if (!IsFirstCorner(c)) continue;
    double n[3];
    GetTriangleNormal(TriangleOf(c), n, 1);
    for (int i = 0; i < 3; ++i) oNormal[i] += n[i];
  }
  NormaliseIfAsked(oNormal, iRaw);
  return 1;
}

KelCldAttribute* KelCldPolygon::GetPointAttribute(int iVertex) const
{
  return iVertex > 0 && iVertex < static_cast<int>(_pointAttributes.size()) ? _pointAttributes[iVertex] : nullptr;
}

void KelCldPolygon::SetPointAttribute(int iVertex, KelCldAttribute* iAttribute)
{
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) return;
  // Most polygons never carry attributes: the array exists only once one is set.
  if (iVertex >= static_cast<int>(_pointAttributes.size())) {
    if (!iAttribute) return;
    _pointAttributes.resize(_pointFlags.capacity(), nullptr);
    if (iVertex >= static_cast<int>(_pointAttributes.size())) _pointAttributes.resize(_pointFlags.size(), nullptr);
  }
  _pointAttributes[iVertex] = iAttribute;
}

KelCldAttribute* KelCldPolygon::GetTriangleAttribute(int iTriangle) const
{
  return iTriangle > 0 && iTriangle < static_cast<int>(_triangleAttributes.size()) ? _triangleAttributes[iTriangle]
                                                                                   : nullptr;
}

void KelCldPolygon::SetTriangleAttribute(int iTriangle, KelCldAttribute* iAttribute)
{
  if (iTriangle <= 0 || iTriangle >= static_cast<int>(_triangleFlags.size())) return;
  if (iTriangle >= static_cast<int>(_triangleAttributes.size())) {
    if (!iAttribute) return;
    _triangleAttributes.resize(_triangleFlags.capacity(), nullptr);
    if (iTriangle >= static_cast<int>(_triangleAttributes.size())) _triangleAttributes.resize(_triangleFlags.size(), nullptr);
  }
  _triangleAttributes[iTriangle] = iAttribute;
}

int KelCldPolygon::GetAllVertices(int& oCount, int*& oVertices) const
{
  EnsureLinked();
  oCount = 0;
  oVertices = nullptr;
  if (_nbVertices == 0) return 0;
  oVertices = new (std::nothrow) int[static_cast<size_t>(_nbVertices)];
  if (!oVertices) return 0;
  const int n = GetNbPoints(1);
  for (int v = 1; v <= n; ++v)
    if (Corners(v).size()) oVertices[oCount++] = v;
  return oCount;
}

// ---------------------------------------------------------------------------------------------
// Neighbourhood

void KelCldPolygon::Optimize() { _optimized = true; }
void KelCldPolygon::Unoptimize() { _optimized = false; }
KelBoolean KelCldPolygon::IsOptimized() const { return _optimized ? TRUE : FALSE; }

void KelCldPolygon::EndInsertion() { EnsureLinked(); }

void KelCldPolygon::BuildNeighborhood() const
{
  const int nbTriangles = GetNbTriangles(1);
  int highest = 0;
  for (int t = 1; t <= nbTriangles; ++t)
    if (IsTriangleValid(t))
      for (int i = 0; i < 3; ++i) highest = std::max(highest, _vertices[3 * t + i]);
  _corners.Assign(static_cast<size_t>(highest) + 1);
  _nbVertices = 0;
  // Corners go in increasing order, which keeps the walks of a freshly read mesh close to
  // memory order.
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c)
    if (IsTriangleValid(TriangleOf(c))) InsertCorner(_vertices[c], c);

  std::fill(_neighbors.begin(), _neighbors.end(), 0);
  for (int t = 1; t <= nbTriangles; ++t) _triangleFlags[t] &= kTriangleValid;
  _linked = true;
  // Each vertex lists the sides at its corners by their other end: every side of an edge a-b
  // (a != b) is met exactly once from a, so the edges towards higher vertices are resolved
  // from one sorted list per vertex. Sides from a vertex to itself keep neighbour 0.
  std::vector<std::pair<int, int>> sides;  // (other end, side)
  for (int a = 1; a < static_cast<int>(_corners.Size()); ++a) {
    sides.clear();
    for (const int c : Corners(a)) {
      const int t = TriangleOf(c), j = IndexOf(c);
      const int* v = &_vertices[3 * static_cast<size_t>(t)];
      if (v[Next3(j)] > a) sides.emplace_back(v[Next3(j)], c);
      if (v[Prev3(j)] > a) sides.emplace_back(v[Prev3(j)], 3 * t + Prev3(j));
    }
    std::sort(sides.begin(), sides.end());
    for (size_t first = 0, last = 0; first < sides.size(); first = last) {
      while (last < sides.size() && sides[last].first == sides[first].first) ++last;
      const int nbSides = static_cast<int>(last - first);
      const int s0 = sides[first].second, s1 = nbSides > 1 ? sides[first + 1].second : 0;
      if (nbSides == 1) continue;  // a free edge: already 0 and not crowded
      if (nbSides == 2 && TriangleOf(s0) != TriangleOf(s1)) {
        SetSide(s0, TriangleOf(s1), false);
        SetSide(s1, TriangleOf(s0), false);
      } else {
        for (size_t k = first; k < last; ++k) SetSide(sides[k].second, 0, true);
      }
    }
  }
}


template <class Visit>
void KelCldPolygon::ForEdgeCorners(int iVertexA, int iVertexB, Visit&& iVisit) const
{
  CornerRange walked = Corners(iVertexA), other = Corners(iVertexB);
  int otherEnd = iVertexB;
  if (iVertexA != iVertexB && other.size() < walked.size()) {
    std::swap(walked, other);
    otherEnd = iVertexA;
  }
  // A triangle holding the edge is in both lines. One bit per triangle number modulo 64 for
  // the other end's triangles rules out most walked corners without reading their triangles;
  // the visit checks the few that pass. Past 64 corners the mask would be full anyway.
  uint64_t mask = ~uint64_t(0);
  const bool exact = iVertexA != iVertexB && other.size() <= 64;
  if (exact) {
    mask = 0;
    for (const int d : other) mask |= uint64_t(1) << (static_cast<unsigned>(TriangleOf(d)) & 63u);
  }
  for (const int c : walked) {
    if (!(mask >> (static_cast<unsigned>(TriangleOf(c)) & 63u) & 1u)) continue;
    if (!exact) {
      iVisit(c, otherEnd, -1);
      continue;
    }
    // A triangle holds the edge exactly when both lists have a corner in it; with one corner
    // each, the two corner indices tell the side. This spares a read of the triangle, which
    // on a large mesh is a wait on memory.
    const unsigned base = static_cast<unsigned>(3 * TriangleOf(c));
    int inOther = 0, inWalked = 0, d = 0;
    for (const int e : other)
      if (static_cast<unsigned>(e) - base < 3u) {
        d = e;
        ++inOther;
      }
    if (!inOther) continue;
    for (const int e : walked) inWalked += static_cast<unsigned>(e) - base < 3u;
    if (inOther != 1 || inWalked != 1) {
      iVisit(c, otherEnd, -1);
      continue;
    }
    iVisit(c, otherEnd, IndexOf(d) == Next3(IndexOf(c)) ? c : d);
  }
}

void KelCldPolygon::ScanEdge(int iVertexA, int iVertexB, EdgeScan& oScan) const
{
  oScan = EdgeScan();
  ForEdgeCorners(iVertexA, iVertexB, [&](int iCorner, int iOther, int iSide) {
    if (iSide >= 0) {
      oScan.AddSide(iSide);
      ++oScan.nbTriangles;
      return;
    }
    const int t = TriangleOf(iCorner), j = IndexOf(iCorner);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    // Edge j leaves this corner; edge j-1 arrives at it.
    const bool after = v[Next3(j)] == iOther, before = v[Prev3(j)] == iOther;
    if (after) oScan.AddSide(3 * t + j);
    if (before) oScan.AddSide(3 * t + Prev3(j));
    if ((after || before) && IsFirstCorner(iCorner)) ++oScan.nbTriangles;
  });
}

void KelCldPolygon::UpdateEdge(int iVertexA, int iVertexB) const
{
  if (iVertexA == iVertexB) {
    for (const int c : Corners(iVertexA)) {
      int t = TriangleOf(c), j = IndexOf(c);
      if (_vertices[3 * t + Next3(j)] == iVertexA) SetSide(c, 0, false);
    }
    return;
  }
  EdgeScan scan;
  ScanEdge(iVertexA, iVertexB, scan);
  ApplyEdgeScan(iVertexA, iVertexB, scan);
}

void KelCldPolygon::ApplyEdgeScan(int iVertexA, int iVertexB, const EdgeScan& iScan) const
{
  const int* sides = iScan.sides;
  if (iScan.nbSides == 1) {
    SetSide(sides[0], 0, false);
  } else if (iScan.nbSides == 2 && TriangleOf(sides[0]) != TriangleOf(sides[1])) {
    SetSide(sides[0], TriangleOf(sides[1]), false);
    SetSide(sides[1], TriangleOf(sides[0]), false);
  } else if (iScan.nbSides == 2) {
    SetSide(sides[0], 0, true);
    SetSide(sides[1], 0, true);
  } else if (iScan.nbSides > 2) {
    ForEdgeCorners(iVertexA, iVertexB, [&](int iCorner, int iOther, int iSide) {
      if (iSide >= 0) {
        SetSide(iSide, 0, true);
        return;
      }
      const int t = TriangleOf(iCorner), j = IndexOf(iCorner);
      const int* v = &_vertices[3 * static_cast<size_t>(t)];
      if (v[Next3(j)] == iOther) SetSide(3 * t + j, 0, true);
      if (v[Prev3(j)] == iOther) SetSide(3 * t + Prev3(j), 0, true);
    });
  }
}

void KelCldPolygon::InsertCorner(int iVertex, int iCorner) const
{
  // The caller has sized the corner lists for the vertex.
  if (_corners.Count(static_cast<size_t>(iVertex)) == 0) ++_nbVertices;
  _corners.Append(static_cast<size_t>(iVertex), iCorner);
}

void KelCldPolygon::EraseCorner(int iVertex, int iCorner) const
{
  // Whether this was the vertex's last corner follows no pattern: counted without a jump.
  const int removed = static_cast<int>(_corners.Remove(static_cast<size_t>(iVertex), iCorner));
  _nbVertices -= removed & static_cast<int>(_corners.Count(static_cast<size_t>(iVertex)) == 0);
}

bool KelCldPolygon::CoverPoints(int iHighest) const
{
  return _corners.Grow(static_cast<size_t>(iHighest) + 1);
}

void KelCldPolygon::LinkTriangle(int iTriangle)
{
  const int base = 3 * iTriangle;
  for (int i = 0; i < 3; ++i) InsertCorner(_vertices[base + i], base + i);
  for (int i = 0; i < 3; ++i) UpdateEdge(_vertices[base + i], _vertices[base + Next3(i)]);
}

void KelCldPolygon::UnlinkTriangle(int iTriangle)
{
  const int base = 3 * iTriangle;
  // Six independent lines, asked for together rather than one after the other.
  for (int i = 0; i < 3; ++i) {
    KelPrefetch(_corners.Address(static_cast<size_t>(_vertices[base + i])));
    KelPrefetch(&_neighbors[3 * static_cast<size_t>(NeighborAt(base + i))]);
  }
  for (int i = 0; i < 3; ++i) EraseCorner(_vertices[base + i], base + i);
  for (int i = 0; i < 3; ++i) {
    const int a = _vertices[base + i], b = _vertices[base + Next3(i)];
    const int neighbor = NeighborAt(base + i);
    if (neighbor) {
      // The edge had exactly these two sides: the neighbour's side is left alone (and was
      // not crowded, having a neighbour).
      RepointNeighbor(neighbor, iTriangle, 0, a, b);
    } else if (a != b && IsSideCrowded(base + i)) {
      UpdateEdge(a, b);
    }
  }
  for (int i = 0; i < 3; ++i) SetSide(base + i, 0, false);
}

void KelCldPolygon::SortedFirstCorners(int iVertex, std::vector<int>& oCorners) const
{
  oCorners.clear();
  for (const int c : Corners(iVertex))
    if (IsFirstCorner(c)) oCorners.push_back(c);
  std::sort(oCorners.begin(), oCorners.end());
}

int KelCldPolygon::GetTrianglesAroundVertex(int iVertex, KelRawCollint& oTriangles) const
{
  GetTrianglesAroundVertexUnordered(iVertex, oTriangles);
  if (oTriangles.Size() > 1) std::sort(oTriangles.Data(), oTriangles.Data() + oTriangles.Size());
  return oTriangles.Size();
}

int KelCldPolygon::GetTrianglesAroundVertexUnordered(int iVertex, KelRawCollint& oTriangles) const
{
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) {
    oTriangles.RemoveAll();
    return 0;
  }
  EnsureLinked();
  // Written in place and kept by count, without a branch per corner (and without emptying
  // the list first, which would only zero what is written over).
  const CornerRange corners = Corners(iVertex);
  oTriangles.Size(corners.size());
  int* const out = oTriangles.Data();
  int count = 0;
  for (const int c : corners) {
    out[count] = TriangleOf(c);
    count += IsFirstCorner(c);
  }
  oTriangles.Size(count);
  return count;
}

void KelCldPolygon::AddRing(int iVertex, KelRawCollint& ioVertices) const
{
  SortedFirstCorners(iVertex, _ringCorners);
  for (const int c : _ringCorners) {
    const int t = TriangleOf(c), j = IndexOf(c);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    for (int w : {v[Next3(j)], v[Prev3(j)]}) {
      if (_stamps[w] == _stamp) continue;
      _stamps[w] = _stamp;
      ioVertices.Append(w);
    }
  }
}

int KelCldPolygon::GetNeighborVertices(int iVertex, int iRings, int*& oRingStarts, KelRawCollint& oVertices) const
{
  oVertices.RemoveAll();
  oRingStarts = nullptr;
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size()) || iRings < 0) return 0;
  EnsureLinked();
  oRingStarts = new (std::nothrow) int[static_cast<size_t>(iRings) + 2];
  if (!oRingStarts) return 0;
  _stamps[iVertex] = NextStamp();
  oVertices.Append(iVertex);
  oRingStarts[0] = 1;
  for (int ring = 1; ring <= iRings; ++ring) {
    int first = oRingStarts[ring - 1];
    int last = oVertices.Size();  // ring - 1 ends here
    oRingStarts[ring] = last + 1;
    for (int k = first; k <= last; ++k) AddRing(oVertices[k], oVertices);
  }
  oRingStarts[iRings + 1] = oVertices.Size() + 1;
  return oVertices.Size();
}

int KelCldPolygon::GetVertexRing(int iVertex, KelRawCollint& oVertices) const
{
  oVertices.RemoveAll();
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) return 0;
  EnsureLinked();
  _stamps[iVertex] = NextStamp();
  AddRing(iVertex, oVertices);
  return oVertices.Size();
}

void KelCldPolygon::GetAllRings(std::vector<int>& oStarts, std::vector<int>& oRings,
                               std::vector<uint8_t>* oOnFreeEdge) const
{
  EnsureLinked();
  const int nbPoints = GetNbPoints(1), nbTriangles = GetNbTriangles(1);
  oStarts.assign(static_cast<size_t>(nbPoints) + 2, 0);
  if (oOnFreeEdge) oOnFreeEdge->assign(static_cast<size_t>(nbPoints) + 1, 0);
  // Two candidates per corner; triangles in increasing order give each ring its order.
  for (int t = 1; t <= nbTriangles; ++t)
    if (_triangleFlags[t] & kTriangleValid)
      for (int j = 0; j < 3; ++j) oStarts[_vertices[3 * static_cast<size_t>(t) + j] + 1] += 2;
  for (int v = 1; v <= nbPoints + 1; ++v) oStarts[v] += oStarts[v - 1];
  oRings.resize(static_cast<size_t>(oStarts[nbPoints + 1]));
  std::vector<int>& fill = _ringCorners;  // scratch: next free slot per point
  fill.assign(oStarts.begin(), oStarts.end());
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!(_triangleFlags[t] & kTriangleValid)) continue;
    const size_t base = 3 * static_cast<size_t>(t);
    const int* v = &_vertices[base];
    for (int j = 0; j < 3; ++j) {
      const int next = v[Next3(j)], prev = v[Prev3(j)];
      int& at = fill[v[j]];
      oRings[at++] = next;
      oRings[at++] = prev;
      if (oOnFreeEdge &&
          ((!NeighborAt(base + j) && next != v[j]) || (!NeighborAt(base + Prev3(j)) && prev != v[j])))
        (*oOnFreeEdge)[v[j]] = 1;
    }
  }
  // Keep the first occurrence of each ring vertex, the point itself left out, compacting.
  int out = 0;
  for (int v = 1; v <= nbPoints; ++v) {
    _stamps[v] = NextStamp();
    const int first = oStarts[v], end = oStarts[v + 1];
    oStarts[v] = out;
    for (int k = first; k < end; ++k) {
      const int w = oRings[k];
      if (_stamps[w] == _stamp) continue;
      _stamps[w] = _stamp;
      oRings[out++] = w;
    }
  }
  oStarts[nbPoints + 1] = out;
  oRings.resize(static_cast<size_t>(out));
}

int KelCldPolygon::GetEdgeTriangles(int iVertex1, int iVertex2, int& oTriangle1, int& oTriangle2) const
{
  oTriangle1 = oTriangle2 = 0;
  const int n = static_cast<int>(_pointFlags.size());
  if (iVertex1 <= 0 || iVertex1 >= n || iVertex2 <= 0 || iVertex2 >= n) return 0;
  EnsureLinked();
  EdgeScan scan;
  ScanEdge(iVertex1, iVertex2, scan);
  if (scan.nbSides == 0) return 0;
  oTriangle1 = TriangleOf(scan.lowestSide);
  const int t0 = TriangleOf(scan.sides[0]), t1 = TriangleOf(scan.sides[1]);
  if (scan.nbSides == 2 && iVertex1 != iVertex2 && t0 != t1) {
    oTriangle1 = std::min(t0, t1);
    oTriangle2 = std::max(t0, t1);
  }
  return scan.nbTriangles;
}

int KelCldPolygon::EdgeTriangles(int iVertex1, int iVertex2, KelRawCollint* oTriangles) const
{
  int distinct = 0;
  ForEdgeCorners(iVertex1, iVertex2, [&](int iCorner, int iOther, int iSide) {
    const int t = TriangleOf(iCorner), j = IndexOf(iCorner);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    if (iSide < 0 && (!IsFirstCorner(iCorner) || (v[Next3(j)] != iOther && v[Prev3(j)] != iOther))) return;
    if (oTriangles) oTriangles->Append(t);
    ++distinct;
  });
  if (oTriangles && oTriangles->Size() > 1) std::sort(oTriangles->Data(), oTriangles->Data() + oTriangles->Size());
  return distinct;
}

int KelCldPolygon::GetTrianglesAroundEdge(int iVertex1, int iVertex2, KelRawCollint& oTriangles) const
{
  oTriangles.RemoveAll();
  const int n = static_cast<int>(_pointFlags.size());
  if (iVertex1 <= 0 || iVertex1 >= n || iVertex2 <= 0 || iVertex2 >= n) return 0;
  EnsureLinked();
  return EdgeTriangles(iVertex1, iVertex2, &oTriangles);
}

int KelCldPolygon::GetFreeEdges(int& oCount, int*& oPairs, int iAsInTriangle, int iActiveOnly) const
{
  EnsureLinked();
  oCount = 0;
  oPairs = nullptr;
  const int nbTriangles = GetNbTriangles(1);
  auto counts = [&](int t) { return iActiveOnly ? IsTriangleActive(t) : IsTriangleValid(t); };
  int total = 0;
  for (int t = 1; t <= nbTriangles; ++t)
    if (counts(t))
      for (int i = 0; i < 3; ++i)
        if (!NeighborAt(3 * static_cast<size_t>(t) + i)) ++total;
  if (total == 0) return 0;
  oPairs = new (std::nothrow) int[2 * static_cast<size_t>(total)];
  if (!oPairs) return 0;
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!counts(t)) continue;
    for (int i = 0; i < 3; ++i) {
      if (NeighborAt(3 * static_cast<size_t>(t) + i)) continue;
      int a = _vertices[3 * t + i], b = _vertices[3 * t + Next3(i)];
      if (!iAsInTriangle && b < a) std::swap(a, b);
      oPairs[2 * oCount] = a;
      oPairs[2 * oCount + 1] = b;
      ++oCount;
    }
  }
  return oCount;
}

int KelCldPolygon::GetNonManifoldEdges(int& oCount, int*& oPairs) const
{
  EnsureLinked();
  oCount = 0;
  oPairs = nullptr;
  // Each edge is scanned once: scanning it again at each of its k sides would cost k times
  // its scan, quadratic on an edge shared by thousands of triangles.
  std::unordered_set<uint64_t> scanned;
  std::vector<int> pairs;
  const int nbTriangles = GetNbTriangles(1);
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) {
    // Only crowded sides can belong to an edge with more than two sides.
    if (!IsTriangleValid(TriangleOf(c)) || !IsSideCrowded(c)) continue;
    const int a = _vertices[c], b = _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))];
    const uint64_t key = uint64_t(uint32_t(std::min(a, b))) << 32 | uint32_t(std::max(a, b));
    if (!scanned.insert(key).second) continue;
    EdgeScan scan;
    ScanEdge(a, b, scan);
    // Every side of such an edge is crowded, so the walk meets it first at its lowest side:
    // each edge comes oriented as there, in the order of those sides.
    if (scan.nbSides > 2) {
      pairs.push_back(a);
      pairs.push_back(b);
    }
  }
  if (pairs.empty()) return 0;
  oPairs = new (std::nothrow) int[pairs.size()];
  if (!oPairs) return 0;
  std::copy(pairs.begin(), pairs.end(), oPairs);
  oCount = static_cast<int>(pairs.size() / 2);
  return oCount;
}

KelBoolean KelCldPolygon::IsManifold() const
{
  EnsureLinked();
  const int nbTriangles = GetNbTriangles(1);
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) {
    if (!IsTriangleValid(TriangleOf(c)) || !IsSideCrowded(c)) continue;
    EdgeScan scan;
    ScanEdge(_vertices[c], _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))], scan);
    if (scan.nbSides > 2) return FALSE;
  }
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Edits

int KelCldPolygon::AddPoint(float iX, float iY, float iZ)
{
  if (_pointFlags.size() >= static_cast<size_t>(INT_MAX / 3)) return 0;
  try {
    _coords.push_back(iX);
    _coords.push_back(iY);
    _coords.push_back(iZ);
    _pointFlags.push_back(0);
    if (!_pointAttributes.empty() && _pointAttributes.size() < _pointFlags.size())
      _pointAttributes.resize(_pointFlags.capacity(), nullptr);
  } catch (const std::bad_alloc&) {
    size_t n = _pointFlags.size();
    _coords.resize(3 * n);
    return 0;
  }
  return static_cast<int>(_pointFlags.size()) - 1;
}

int KelCldPolygon::AddPoint(const float iCoord[3]) { return AddPoint(iCoord[0], iCoord[1], iCoord[2]); }

int KelCldPolygon::AddPoint(const float iCoord[3], int& oVertex)
{
  oVertex = AddPoint(iCoord[0], iCoord[1], iCoord[2]);
  return oVertex ? 1 : 0;
}

int KelCldPolygon::AddPoint(const double iCoord[3], int& oVertex)
{
  oVertex = AddPoint(static_cast<float>(iCoord[0]), static_cast<float>(iCoord[1]), static_cast<float>(iCoord[2]));
  return oVertex ? 1 : 0;
}

int KelCldPolygon::AddPoint(const KelMathPoint& iPoint, int& oVertex)
{
  oVertex = AddPoint(static_cast<float>(iPoint.GetX()), static_cast<float>(iPoint.GetY()),
                     static_cast<float>(iPoint.GetZ()));
  return oVertex ? 1 : 0;
}

int KelCldPolygon::AddTriangle(int iVertex0, int iVertex1, int iVertex2)
{
  if (!PointUsable(iVertex0) || !PointUsable(iVertex1) || !PointUsable(iVertex2)) return 0;
  if (_triangleFlags.size() >= static_cast<size_t>(INT_MAX / 3)) return 0;
  // A linked polygon links the triangle at once: its vertices need corner slots.
  if (_linked && _triangleFlags.size() > 1 && !CoverPoints(std::max(iVertex0, std::max(iVertex1, iVertex2)))) return 0;
  try {
    _vertices.push_back(iVertex0);
    _vertices.push_back(iVertex1);
    _vertices.push_back(iVertex2);
    _neighbors.insert(_neighbors.end(), 3, 0);
    _triangleFlags.push_back(kTriangleValid);
    if (!_triangleAttributes.empty() && _triangleAttributes.size() < _triangleFlags.size())
      _triangleAttributes.resize(_triangleFlags.capacity(), nullptr);
  } catch (const std::bad_alloc&) {
    size_t n = _triangleFlags.size();
    _vertices.resize(3 * n);
    _neighbors.resize(3 * n);
    return 0;
  }
  ++_nbValidTriangles;
  const int t = static_cast<int>(_triangleFlags.size()) - 1;
  // A polygon being filled is linked in one pass later; a linked one stays linked.
  if (_linked && t > 1) LinkTriangle(t);
  else _linked = false;
  _topologyStamp = 0;
  return t;
}

int KelCldPolygon::AddTriangle(const int iVertices[3]) { return AddTriangle(iVertices[0], iVertices[1], iVertices[2]); }

int KelCldPolygon::RemoveTriangle(int iTriangle)
{
  if (!IsTriangleValid(iTriangle)) return 0;
  EnsureLinked();
  UnlinkTriangle(iTriangle);
  _triangleFlags[iTriangle] = 0;
  --_nbValidTriangles;
  _topologyStamp = 0;
  return 1;
}

int KelCldPolygon::SetTriangleVertices(int iTriangle, const int iVertices[3])
{
  if (!IsTriangleValid(iTriangle)) return 0;
  const int base = 3 * iTriangle;
  const int* old = &_vertices[base];
  // A vertex the triangle already has is in use, hence not freed: only newcomers are checked.
  for (int i = 0; i < 3; ++i)
    if (iVertices[i] != old[0] && iVertices[i] != old[1] && iVertices[i] != old[2] && !PointUsable(iVertices[i]))
      return 0;
  EnsureLinked();
  if (!CoverPoints(std::max(iVertices[0], std::max(iVertices[1], iVertices[2])))) return 0;
  // The corner lists the edit reads, asked for together: the searches in them would otherwise
  // load one list after the other.
  for (int i = 0; i < 3; ++i) {
    KelPrefetch(_corners.Address(static_cast<size_t>(old[i])));
    KelPrefetch(_corners.Address(static_cast<size_t>(iVertices[i])));
  }
  _topologyStamp = 0;
  const bool distinct = iVertices[0] != iVertices[1] && iVertices[1] != iVertices[2] && iVertices[2] != iVertices[0] &&
                        old[0] != old[1] && old[1] != old[2] && old[2] != old[0];
  if (!distinct) {
    UnlinkTriangle(iTriangle);
    for (int i = 0; i < 3; ++i) _vertices[base + i] = iVertices[i];
    LinkTriangle(iTriangle);
    return 1;
  }
  // An edge the triangle keeps keeps its sides as they are (the other triangles of the edge
  // still see this triangle on it); only edges that come or go need their sides worked out.
  int oldEdges[3][2], oldNeighbor[3];
  bool oldCrowded[3], oldKept[3] = {false, false, false};
  int kept[3] = {-1, -1, -1};  // new edge i keeps old edge kept[i]
  for (int k = 0; k < 3; ++k) {
    oldEdges[k][0] = old[k];
    oldEdges[k][1] = old[(k + 1) % 3];
    oldNeighbor[k] = NeighborAt(base + k);
    oldCrowded[k] = IsSideCrowded(base + k);
  }
  for (int i = 0; i < 3; ++i) {
    const int p = iVertices[i], q = iVertices[(i + 1) % 3];
    for (int k = 0; k < 3; ++k)
      if ((oldEdges[k][0] == p && oldEdges[k][1] == q) || (oldEdges[k][0] == q && oldEdges[k][1] == p)) {
        kept[i] = k;
        oldKept[k] = true;
      }
  }
  ReplaceVertices(iTriangle, iVertices);
  for (int i = 0; i < 3; ++i)
    if (kept[i] >= 0) SetSide(base + i, oldNeighbor[kept[i]], oldCrowded[kept[i]]);
    else SetSide(base + i, 0, false);
  for (int k = 0; k < 3; ++k) {
    if (oldKept[k]) continue;
    if (oldNeighbor[k]) RepointNeighbor(oldNeighbor[k], iTriangle, 0, oldEdges[k][0], oldEdges[k][1]);
    else if (oldCrowded[k]) UpdateEdge(oldEdges[k][0], oldEdges[k][1]);
  }
  for (int i = 0; i < 3; ++i)
    if (kept[i] < 0) UpdateEdge(iVertices[i], iVertices[(i + 1) % 3]);
  return 1;
}

void KelCldPolygon::ReplaceVertices(int iTriangle, const int iVertices[3])
{
  // Corners whose vertex stays in place stay in their lists.
  const int base = 3 * iTriangle;
  for (int i = 0; i < 3; ++i)
    if (_vertices[base + i] != iVertices[i]) EraseCorner(_vertices[base + i], base + i);
  for (int i = 0; i < 3; ++i)
    if (_vertices[base + i] != iVertices[i]) {
      _vertices[base + i] = iVertices[i];
      InsertCorner(iVertices[i], base + i);
    }
}

int KelCldPolygon::ReplaceVertexInTriangles(int iOld, int iNew)
{
  if (iOld == iNew || !PointUsable(iOld) || !PointUsable(iNew)) return 0;
  EnsureLinked();
  if (!CoverPoints(std::max(iOld, iNew))) return 0;
  std::vector<int>& corners = _ringCorners;  // scratch: iOld's corners, as they move
  corners.assign(Corners(iOld).begin(), Corners(iOld).end());
  if (corners.empty()) return 0;
  // Triangles that hold both vertices, or iOld twice, or a crowded side change their edges
  // in ways the shortcut below does not cover: one by one then.
  bool simple = true;
  for (const int c : corners) simple = simple && MovesSimply(TriangleOf(c), iOld, iNew);
  if (!simple) {
    std::vector<int> triangles;
    for (const int c : corners) triangles.push_back(TriangleOf(c));
    std::sort(triangles.begin(), triangles.end());
    triangles.erase(std::unique(triangles.begin(), triangles.end()), triangles.end());
    int changed = 0;
    for (const int t : triangles) {
      int v[3];
      for (int i = 0; i < 3; ++i) v[i] = _vertices[3 * t + i] == iOld ? iNew : _vertices[3 * t + i];
      changed += SetTriangleVertices(t, v);
    }
    return changed;
  }
  _topologyStamp = 0;
  // iNew's neighbours before the move: only edges to them gain sides. They are a handful of
  // points, listed and compared directly, where stamps in an array over all points cost a
  // scattered line each on a large mesh; a wide fan is stamped, as the comparisons would
  // grow with the square of its size.
  const size_t ringSize = 2 * static_cast<size_t>(Corners(iNew).size());
  const bool listed = ringSize <= KelShortListMost;
  const unsigned stamp = listed ? 0u : NextStamp();
  std::vector<int>& ring = _ringScratch;
  const size_t padded = listed ? KelPrepareShortList(ring, ringSize) : 0;
  // Every side of an edge iNew-x lies in a triangle of iNew or in one that moves: listing both
  // as they are walked gives each such edge's sides without scanning it afterwards.
  std::vector<std::pair<int, int>>& sides = _sideScratch;  // (x, side), the first nbSides
  const size_t most = 2 * (static_cast<size_t>(Corners(iNew).size()) + corners.size());
  if (sides.size() < most) sides.resize(most);
  size_t nbSides = 0;
  for (const int c : Corners(iNew)) {
    const int t = TriangleOf(c), j = IndexOf(c);
    const int next = _vertices[3 * t + Next3(j)], prev = _vertices[3 * t + Prev3(j)];
    if (listed) {
      ring[nbSides] = next;
      ring[nbSides + 1] = prev;
    } else {
      _stamps[next] = stamp;
      _stamps[prev] = stamp;
    }
    sides[nbSides++] = {next, 3 * t + j};
    sides[nbSides++] = {prev, 3 * t + Prev3(j)};
  }
  auto neighbourBefore = [&](const int x) { return listed ? KelIsAmong(ring.data(), padded, x) : _stamps[x] == stamp; };
  // Which moved sides meet an old neighbour of iNew follows no pattern: they are written
  // anyway and kept by count, and the neighbours met listed the same way (then made unique).
  std::vector<int>& shared = _sharedScratch;
  shared.resize(2 * corners.size());
  size_t nbShared = 0;
  for (const int c : corners) {
    EraseCorner(iOld, c);
    _vertices[c] = iNew;
    InsertCorner(iNew, c);
    const int t = TriangleOf(c), j = IndexOf(c);
    const int next = _vertices[3 * t + Next3(j)], prev = _vertices[3 * t + Prev3(j)];
    const bool nextMet = neighbourBefore(next), prevMet = neighbourBefore(prev);
    sides[nbSides] = {next, 3 * t + j};
    nbSides += nextMet;
    shared[nbShared] = next;
    nbShared += nextMet;
    sides[nbSides] = {prev, 3 * t + Prev3(j)};
    nbSides += prevMet;
    shared[nbShared] = prev;
    nbShared += prevMet;
  }
  for (size_t i = 0; i < nbShared; ++i) {
    const int x = shared[i];
    const auto before = shared.begin() + static_cast<std::ptrdiff_t>(i);
    if (std::find(shared.begin(), before, x) != before) continue;  // met before
    EdgeScan scan;
    for (size_t k = 0; k < nbSides; ++k) scan.AddSideIf(sides[k].first == x, sides[k].second);
    ApplyEdgeScan(iNew, x, scan);
  }
  return static_cast<int>(corners.size());
}

bool KelCldPolygon::MovesSimply(int iTriangle, int iOld, int iNew) const
{
  const int* v = &_vertices[3 * static_cast<size_t>(iTriangle)];
  const int nbOld = (v[0] == iOld) + (v[1] == iOld) + (v[2] == iOld);
  return nbOld == 1 && v[0] != iNew && v[1] != iNew && v[2] != iNew && !HasCrowdedSide(iTriangle);
}

bool KelCldPolygon::CollapseEdge(int iKept, int iRemoved, const int* iTriangles, int iNbTriangles, int* oWings,
                                 int* oJoinedWings)
{
  if (iNbTriangles < 1 || iNbTriangles > 2 || iKept == iRemoved || !PointUsable(iKept) || !PointUsable(iRemoved))
    return false;
  EnsureLinked();
  // Per edge triangle: the wing, and the neighbours across kept-wing and removed-wing, which
  // become each other's neighbours once the triangle between them is gone.
  int wings[2] = {0, 0}, acrossKept[2] = {0, 0}, acrossRemoved[2] = {0, 0};
  for (int i = 0; i < iNbTriangles; ++i) {
    const int t = iTriangles[i];
    if (!IsTriangleValid(t) || (i == 1 && t <= iTriangles[0])) return false;
    const int base = 3 * t;
    const int* v = &_vertices[static_cast<size_t>(base)];
    int k = -1, d = -1;
    for (int j = 0; j < 3; ++j) {
      k = v[j] == iKept ? j : k;
      d = v[j] == iRemoved ? j : d;
    }
    if (k < 0 || d < 0) return false;
    const int w = 3 - k - d;
    wings[i] = v[w];
    if (wings[i] == iKept || wings[i] == iRemoved || HasCrowdedSide(t)) return false;
    // The side between corners a and b is the one starting at whichever comes first.
    auto side = [&](const int a, const int b) { return base + (Next3(a) == b ? a : b); };
    acrossKept[i] = NeighborAt(static_cast<size_t>(side(k, w)));
    acrossRemoved[i] = NeighborAt(static_cast<size_t>(side(d, w)));
    // Across the edge itself lies the other listed triangle or nothing.
    const int acrossEdge = NeighborAt(static_cast<size_t>(side(k, d)));
    if (acrossEdge && (iNbTriangles != 2 || acrossEdge != iTriangles[1 - i])) return false;
  }
  if (iNbTriangles == 2 && wings[0] == wings[1]) return false;
  // The removed vertex's other triangles must move as ReplaceVertexInTriangles' own short
  // path requires.
  for (const int c : Corners(iRemoved)) {
    const int t = TriangleOf(c);
    if (t == iTriangles[0] || (iNbTriangles == 2 && t == iTriangles[1])) continue;
    if (!MovesSimply(t, iRemoved, iKept)) return false;
  }

  // The edge's triangles go, in the order RemoveTriangle would take them, so that the corner
  // lists end in the same order.
  for (int i = 0; i < iNbTriangles; ++i) {
    const int t = iTriangles[i], base = 3 * t;
    for (int j = 0; j < 3; ++j) EraseCorner(_vertices[static_cast<size_t>(base + j)], base + j);
    if (acrossRemoved[i]) RepointNeighbor(acrossRemoved[i], t, acrossKept[i], iRemoved, wings[i]);
    if (acrossKept[i]) RepointNeighbor(acrossKept[i], t, acrossRemoved[i], iKept, wings[i]);
    for (int j = 0; j < 3; ++j) SetSide(base + j, 0, false);
    _triangleFlags[static_cast<size_t>(t)] = 0;
    --_nbValidTriangles;
    if (oWings) oWings[i] = wings[i];
    if (oJoinedWings) oJoinedWings[i] = acrossKept[i] || acrossRemoved[i] ? wings[i] : 0;
  }
  // The rest of the removed vertex's fan takes the kept vertex: with no shared neighbour but
  // the wings, every other edge keeps its two sides and its links.
  const CornerRange moved = Corners(iRemoved);
  for (const int c : moved) {
    _vertices[static_cast<size_t>(c)] = iKept;
    InsertCorner(iKept, c);
  }
  if (moved.size()) {
    _corners.Clear(static_cast<size_t>(iRemoved));
    --_nbVertices;
  }
  _topologyStamp = 0;
  return true;
}

unsigned KelCldPolygon::NextStamp() const
{
  if (_stamps.size() < _pointFlags.size()) _stamps.resize(_pointFlags.capacity(), 0);
  if (++_stamp == 0) {  // wrapped: old stamps could collide
    std::fill(_stamps.begin(), _stamps.end(), 0);
    _stamp = 1;
  }
  return _stamp;
}

int KelCldPolygon::RemoveVertex(int iVertex)
{
  if (!IsAVertex(iVertex)) return 0;
  // What the removals will touch, in two waves instead of one triangle after the other: the
  // fan's triangles, then their vertices' corner lists and their neighbours.
  for (const int c : Corners(iVertex)) {
    KelPrefetch(&_vertices[static_cast<size_t>(c - IndexOf(c))]);
    KelPrefetch(&_neighbors[static_cast<size_t>(c - IndexOf(c))]);
  }
  for (const int c : Corners(iVertex))
    for (int k = 0; k < 3; ++k) {
      const size_t side = static_cast<size_t>(c - IndexOf(c) + k);
      KelPrefetch(_corners.Address(static_cast<size_t>(_vertices[side])));
      KelPrefetch(&_neighbors[3 * static_cast<size_t>(NeighborAt(side))]);
    }
  for (CornerRange corners = Corners(iVertex); corners.size(); corners = Corners(iVertex))
    RemoveTriangle(TriangleOf(*corners.first));
  _pointFlags[iVertex] |= kPointFreed;
  ++_nbFreedPoints;
  float* p = &_coords[3 * static_cast<size_t>(iVertex)];
  p[0] = p[1] = p[2] = 0.0f;
  return 1;
}

int KelCldPolygon::FlipEdge(int iVertex1, int iVertex2)
{
  const int a = iVertex1, b = iVertex2;
  const int n = static_cast<int>(_pointFlags.size());
  if (a == b || a <= 0 || a >= n || b <= 0 || b >= n) return 0;
  EnsureLinked();
  EdgeScan scan;
  ScanEdge(a, b, scan);
  if (scan.nbSides != 2) return 0;
  int s1 = scan.sides[0], s2 = scan.sides[1];
  // t1 must run a->b and t2 b->a: only then does the flip keep a consistent orientation.
  if (_vertices[s1] != a) std::swap(s1, s2);
  const int t1 = TriangleOf(s1), t2 = TriangleOf(s2);
  if (t1 == t2 || _vertices[s1] != a || _vertices[s2] != b) return 0;
  const int e1 = IndexOf(s1), e2 = IndexOf(s2);
  const int x = _vertices[3 * t1 + Prev3(e1)];
  const int y = _vertices[3 * t2 + Prev3(e2)];
  const int b1 = 3 * t1, b2 = 3 * t2;
  const int sideBX = b1 + Next3(e1), sideXA = b1 + Prev3(e1);
  const int sideAY = b2 + Next3(e2), sideYB = b2 + Prev3(e2);
  const int nBX = NeighborAt(sideBX), nXA = NeighborAt(sideXA), nAY = NeighborAt(sideAY), nYB = NeighborAt(sideYB);
  // The two neighbours that change sides load while the x-y check walks.
  KelPrefetch(&_neighbors[3 * static_cast<size_t>(nAY)]);
  KelPrefetch(&_neighbors[3 * static_cast<size_t>(nBX)]);
  if (x == y || x == a || x == b || y == a || y == b || EdgeTriangles(x, y, nullptr) > 0) return 0;

  // Every outer edge keeps exactly one side among t1, t2 and the new diagonal has these two
  // sides only, so neighbours move with their edges and no other edge needs a walk.
  const bool cBX = IsSideCrowded(sideBX), cXA = IsSideCrowded(sideXA), cAY = IsSideCrowded(sideAY),
             cYB = IsSideCrowded(sideYB);
  const int v1[3] = {x, a, y}, v2[3] = {y, b, x};
  ReplaceVertices(t1, v1);
  ReplaceVertices(t2, v2);
  // t1 = (x, a, y): x-a keeps t1's old side, a-y takes t2's, y-x is the diagonal.
  SetSide(b1 + 0, nXA, cXA);
  SetSide(b1 + 1, nAY, cAY);
  SetSide(b1 + 2, t2, false);
  // t2 = (y, b, x): y-b keeps t2's old side, b-x takes t1's, x-y is the diagonal.
  SetSide(b2 + 0, nYB, cYB);
  SetSide(b2 + 1, nBX, cBX);
  SetSide(b2 + 2, t1, false);
  RepointNeighbor(nAY, t2, t1, a, y);
  RepointNeighbor(nBX, t1, t2, b, x);
  _topologyStamp = 0;
  return 1;
}

void KelCldPolygon::RepointNeighbor(int iNeighbor, int iFrom, int iTo, int iVertexA, int iVertexB)
{
  if (!iNeighbor) return;
  // Links are mutual, so the side of iNeighbor on a-b is one of those pointing to iFrom: when
  // only one does, it is that side, and the neighbour's vertices need not be read.
  int* const n = &_neighbors[3 * static_cast<size_t>(iNeighbor)];
  const int nbPointing = (n[0] == iFrom) + (n[1] == iFrom) + (n[2] == iFrom);
  if (nbPointing == 1) {
    n[(n[1] == iFrom) + 2 * (n[2] == iFrom)] = iTo;
    return;
  }
  for (int k = 0; k < 3; ++k) {
    const int side = 3 * iNeighbor + k;
    const int p = _vertices[side], q = _vertices[3 * iNeighbor + Next3(k)];
    if (_neighbors[side] == iFrom && ((p == iVertexA && q == iVertexB) || (p == iVertexB && q == iVertexA)))
      _neighbors[side] = iTo;
  }
}

int KelCldPolygon::SetPoint(int iVertex, float iX, float iY, float iZ)
{
  if (!PointUsable(iVertex)) return 0;
  float* p = &_coords[3 * static_cast<size_t>(iVertex)];
  p[0] = iX;
  p[1] = iY;
  p[2] = iZ;
  return 1;
}

int KelCldPolygon::SetPoint(int iVertex, double iX, double iY, double iZ)
{
  return SetPoint(iVertex, static_cast<float>(iX), static_cast<float>(iY), static_cast<float>(iZ));
}

int KelCldPolygon::SetPoint(int iVertex, const KelMathPoint& iPoint)
{
  return SetPoint(iVertex, iPoint.GetX(), iPoint.GetY(), iPoint.GetZ());
}

int KelCldPolygon::SetPoint(int iVertex, const float iCoord[3]) { return SetPoint(iVertex, iCoord[0], iCoord[1], iCoord[2]); }

int KelCldPolygon::SetPoint(int iVertex, const double iCoord[3]) { return SetPoint(iVertex, iCoord[0], iCoord[1], iCoord[2]); }

uint64_t KelCldPolygon::GetTopologyStamp() const
{
  if (!_topologyStamp) _topologyStamp = NextTopologyStamp();
  return _topologyStamp;
}

void KelCldPolygon::NotifyModified() { ++_nbModifications; }

// ---------------------------------------------------------------------------------------------
// Activation

void KelCldPolygon::DeactivateAllVertices()
{
  for (size_t v = 1; v < _pointFlags.size(); ++v) _pointFlags[v] |= kPointInactive;
}

void KelCldPolygon::ActivateAllVertices()
{
  for (size_t v = 1; v < _pointFlags.size(); ++v) _pointFlags[v] &= static_cast<uint8_t>(~kPointInactive);
}

void KelCldPolygon::ActivateVertex(int iVertex)
{
  if (iVertex > 0 && iVertex < static_cast<int>(_pointFlags.size()))
    _pointFlags[iVertex] &= static_cast<uint8_t>(~kPointInactive);
}

void KelCldPolygon::DeactivateVertex(int iVertex)
{
  if (iVertex > 0 && iVertex < static_cast<int>(_pointFlags.size())) _pointFlags[iVertex] |= kPointInactive;
}

KelBoolean KelCldPolygon::IsVertexActive(int iVertex) const
{
  return PointUsable(iVertex) && !(_pointFlags[iVertex] & kPointInactive) ? TRUE : FALSE;
}

// ---------------------------------------------------------------------------------------------
// Geometry and services

namespace {

struct Vec3 {
  double x, y, z;
};
inline Vec3 Sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Lerp(const Vec3& a, const Vec3& b, double t) { return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)}; }
inline double Dist2(const Vec3& a, const Vec3& b) { Vec3 d = Sub(a, b); return Dot(d, d); }

// Closest point of segment ab to p; oWhere: 0 = a, 1 = b, 2 = inside.
Vec3 ClosestOnSegment(const Vec3& p, const Vec3& a, const Vec3& b, int& oWhere)
{
  Vec3 ab = Sub(b, a);
  double len2 = Dot(ab, ab);
  double t = len2 > 0.0 ? Dot(Sub(p, a), ab) / len2 : 0.0;
  if (t <= 0.0) { oWhere = 0; return a; }
  if (t >= 1.0) { oWhere = 1; return b; }
  oWhere = 2;
  return Lerp(a, b, t);
}

// Closest point of triangle abc to p with the feature it lies on:
// oFeature 0..2 = vertex, 3..5 = edge (a-b, b-c, c-a), 6 = face.
Vec3 ClosestOnTriangle(const Vec3& p, const Vec3& a, const Vec3& b, const Vec3& c, int& oFeature)
{
  Vec3 ab = Sub(b, a), ac = Sub(c, a), ap = Sub(p, a);
  Vec3 n = {ab.y * ac.z - ab.z * ac.y, ab.z * ac.x - ab.x * ac.z, ab.x * ac.y - ab.y * ac.x};
  if (Dot(n, n) <= 1e-30 * (Dot(ab, ab) * Dot(ac, ac) + 1e-300)) {
    // Degenerate: the nearest of its three edges.
    const Vec3* corners[3] = {&a, &b, &c};
    Vec3 best{};
    double bestDist = -1.0;
    for (int e = 0; e < 3; ++e) {
      int where;
      Vec3 q = ClosestOnSegment(p, *corners[e], *corners[(e + 1) % 3], where);
      double d = Dist2(p, q);
      if (bestDist < 0.0 || d < bestDist) {
        bestDist = d;
        best = q;
        oFeature = where == 2 ? 3 + e : (where == 0 ? e : (e + 1) % 3);
      }
    }
    return best;
  }
  double d1 = Dot(ab, ap), d2 = Dot(ac, ap);
  if (d1 <= 0.0 && d2 <= 0.0) { oFeature = 0; return a; }
  Vec3 bp = Sub(p, b);
  double d3 = Dot(ab, bp), d4 = Dot(ac, bp);
  if (d3 >= 0.0 && d4 <= d3) { oFeature = 1; return b; }
  double vc = d1 * d4 - d3 * d2;
  if (vc <= 0.0 && d1 >= 0.0 && d3 <= 0.0) { oFeature = 3; return Lerp(a, b, d1 / (d1 - d3)); }
  Vec3 cp = Sub(p, c);
  double d5 = Dot(ab, cp), d6 = Dot(ac, cp);
  if (d6 >= 0.0 && d5 <= d6) { oFeature = 2; return c; }
  double vb = d5 * d2 - d1 * d6;
  if (vb <= 0.0 && d2 >= 0.0 && d6 <= 0.0) { oFeature = 5; return Lerp(a, c, d2 / (d2 - d6)); }
  double va = d3 * d6 - d5 * d4;
  if (va <= 0.0 && (d4 - d3) >= 0.0 && (d5 - d6) >= 0.0) {
    oFeature = 4;
    return Lerp(b, c, (d4 - d3) / ((d4 - d3) + (d5 - d6)));
  }
  double denom = 1.0 / (va + vb + vc);
  double v = vb * denom, w = vc * denom;
  oFeature = 6;
  return {a.x + ab.x * v + ac.x * w, a.y + ab.y * v + ac.y * w, a.z + ab.z * v + ac.z * w};
}

}  // namespace

int KelCldPolygon::ProjectPoint(const KelMathPoint& iPoint, KelMathPoint& oProjection, int& oIndex1, int& oIndex2) const
{
  oIndex1 = oIndex2 = 0;
  const Vec3 p = {iPoint.GetX(), iPoint.GetY(), iPoint.GetZ()};
  double bestDist = -1.0;
  int bestTriangle = 0, bestFeature = 0;
  Vec3 best{};
  const int nbTriangles = GetNbTriangles(1);
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!IsTriangleValid(t)) continue;
    Vec3 corner[3];
    for (int i = 0; i < 3; ++i) {
      const float* q = &_coords[3 * static_cast<size_t>(_vertices[3 * t + i])];
      corner[i] = {q[0], q[1], q[2]};
    }
    int feature = 6;
    Vec3 q = ClosestOnTriangle(p, corner[0], corner[1], corner[2], feature);
    double d = Dist2(p, q);
    if (bestDist < 0.0 || d < bestDist) {
      bestDist = d;
      best = q;
      bestTriangle = t;
      bestFeature = feature;
    }
  }
  if (!bestTriangle) return KelCldProjectionNone;
  oProjection.SetCoord(best.x, best.y, best.z);
  const int* v = &_vertices[3 * static_cast<size_t>(bestTriangle)];
  if (bestFeature < 3) {
    oIndex1 = v[bestFeature];
    return KelCldProjectionOnVertex;
  }
  if (bestFeature < 6) {
    int e = bestFeature - 3;
    oIndex1 = v[e];
    oIndex2 = v[Next3(e)];
    return KelCldProjectionOnEdge;
  }
  oIndex1 = bestTriangle;
  return KelCldProjectionOnTriangle;
}

void KelCldPolygon::GetBoundingBox(KelMathBox& oBox) const
{
  EnsureLinked();
  oBox.SetToEmpty();
  for (size_t v = 1; v < _corners.Size(); ++v)
    if (_corners.Count(v)) oBox.AddPoint(_coords[3 * v], _coords[3 * v + 1], _coords[3 * v + 2]);
}

void KelCldPolygon::SetBoundaryScans(KelCldBoundaryScans* iScans)
{
  if (iScans == _scans) return;
  delete _scans;
  _scans = iScans;
}

int KelCldPolygon::BuildBoundaryScans()
{
  EnsureLinked();
  // Boundary sides: edges with exactly one side, walked in their triangle's direction.
  std::vector<int> sides;
  const int nbTriangles = GetNbTriangles(1);
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) {
    // A free side that is not crowded is the only side of its edge.
    if (!IsTriangleValid(TriangleOf(c)) || _neighbors[c] != 0) continue;
    if (_vertices[c] != _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))]) sides.push_back(c);
  }
  // Boundary sides by end vertex: a loop is followed along its triangles' direction first,
  // and against it where neighbouring triangles disagree in orientation.
  std::vector<std::pair<int, int>> byVertex;  // (vertex, 2 * position + (1 when it is the end))
  byVertex.reserve(2 * sides.size());
  auto endOf = [&](int c) { return _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))]; };
  for (size_t k = 0; k < sides.size(); ++k) {
    byVertex.push_back({_vertices[sides[k]], static_cast<int>(2 * k)});
    byVertex.push_back({endOf(sides[k]), static_cast<int>(2 * k + 1)});
  }
  std::sort(byVertex.begin(), byVertex.end());
  std::vector<char> used(sides.size(), 0);
  // The next unused side at v (leaving it if possible) and the vertex it leads to.
  auto takeFrom = [&](int v, int& oOther) -> int {
    auto first = std::lower_bound(byVertex.begin(), byVertex.end(), std::make_pair(v, -1));
    for (int pass = 0; pass < 2; ++pass)
      for (auto it = first; it != byVertex.end() && it->first == v; ++it) {
        int k = it->second / 2, atEnd = it->second % 2;
        if (used[k] || atEnd != pass) continue;
        oOther = atEnd ? _vertices[sides[k]] : endOf(sides[k]);
        return k;
      }
    return -1;
  };

  KelCldBoundaryScans* scans = new KelCldBoundaryScans();
  std::vector<int> chain;
  for (size_t k = 0; k < sides.size(); ++k) {
    if (used[k]) continue;
    KelCldBoundaryScan* scan = new KelCldBoundaryScan();
    const int start = _vertices[sides[k]];
    chain.assign(1, start);
    int current = static_cast<int>(k);
    int end = endOf(sides[k]);
    while (current >= 0) {
      used[current] = 1;
      chain.push_back(end);
      if (end == start) {
        scan->SetClosed(1);
        break;
      }
      current = takeFrom(end, end);
    }
    // Scans run against the triangles, as the border of the face that would close the hole.
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) scan->AddPoint(*it);
    scans->AddScan(scan);
  }
  SetBoundaryScans(scans);
  return scans->GetNbScans();
}




