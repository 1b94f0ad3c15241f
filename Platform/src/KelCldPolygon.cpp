#include "KelCldPolygon.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

#include "KelCldBoundaryScans.h"

// {8B3E2F41-6C1D-4E7A-9A52-3F0D1C7B5E21}
const IID IID_KelCldPolygon = {0x8b3e2f41, 0x6c1d, 0x4e7a, {0x9a, 0x52, 0x3f, 0x0d, 0x1c, 0x7b, 0x5e, 0x21}};

KelImplementClassIn(KelCldPolygon, KelBaseUnknown, KelMetaImplementation, "KelPlatform")

namespace {

inline int TriangleOf(int iCorner) { return iCorner / 3; }
inline int IndexOf(int iCorner) { return iCorner % 3; }
inline int Next3(int i) { return i == 2 ? 0 : i + 1; }
inline int Prev3(int i) { return i == 0 ? 2 : i - 1; }

template <class T>
size_t CapacityBytes(const std::vector<T>& iVector) { return iVector.capacity() * sizeof(T); }

}  // namespace

KelCldPolygon::KelCldPolygon()
{
  // Slot 0 of every array stands for "none".
  _coords.assign(3, 0.0f);
  _pointFlags.assign(1, kPointFreed);
  _firstCorner.assign(1, 0);
  _vertices.assign(3, 0);
  _neighbors.assign(3, 0);
  _nextCorner.assign(3, 0);
  _valid.assign(1, 0);
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
    _firstCorner.reserve(n);
  }
  if (iNbTriangles > 0) {
    size_t n = static_cast<size_t>(iNbTriangles) + 1;
    _vertices.reserve(3 * n);
    _neighbors.reserve(3 * n);
    _nextCorner.reserve(3 * n);
    _valid.reserve(n);
  }
}

size_t KelCldPolygon::GetMemoryUsage() const
{
  return sizeof(*this) + CapacityBytes(_coords) + CapacityBytes(_pointFlags) + CapacityBytes(_firstCorner) +
         CapacityBytes(_pointAttributes) + CapacityBytes(_vertices) + CapacityBytes(_neighbors) +
         CapacityBytes(_nextCorner) + CapacityBytes(_valid) + CapacityBytes(_triangleAttributes) +
         CapacityBytes(_stamps);
}

// ---------------------------------------------------------------------------------------------
// Counts and validity

int KelCldPolygon::GetNbPoints(int iAll) const
{
  int highest = static_cast<int>(_pointFlags.size()) - 1;
  return iAll ? highest : highest - _nbFreedPoints;
}

int KelCldPolygon::GetNbVertices() const
{
  EnsureLinked();
  return _nbVertices;
}

int KelCldPolygon::GetNbTriangles(int iAll) const
{
  return iAll ? static_cast<int>(_valid.size()) - 1 : _nbValidTriangles;
}

bool KelCldPolygon::PointUsable(int iVertex) const
{
  return iVertex > 0 && iVertex < static_cast<int>(_pointFlags.size()) && !(_pointFlags[iVertex] & kPointFreed);
}

KelBoolean KelCldPolygon::IsAVertex(int iVertex) const
{
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) return FALSE;
  EnsureLinked();
  return _firstCorner[iVertex] != 0 ? TRUE : FALSE;
}

KelBoolean KelCldPolygon::IsTriangleValid(int iTriangle) const
{
  return iTriangle > 0 && iTriangle < static_cast<int>(_valid.size()) && _valid[iTriangle] ? TRUE : FALSE;
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

int KelCldPolygon::GetTriangle(int iTriangle, int oVertices[3], int oNeighbors[3]) const
{
  if (!IsTriangleValid(iTriangle)) {
    for (int i = 0; i < 3; ++i) oVertices[i] = oNeighbors[i] = 0;
    return 0;
  }
  EnsureLinked();
  size_t base = 3 * static_cast<size_t>(iTriangle);
  for (int i = 0; i < 3; ++i) {
    oVertices[i] = _vertices[base + i];
    oNeighbors[i] = _neighbors[base + i];
  }
  return 1;
}

int KelCldPolygon::GetTriangleVertices(int iTriangle, int oVertices[3], unsigned char& oOrientation) const
{
  if (!IsTriangleValid(iTriangle)) {
    oVertices[0] = oVertices[1] = oVertices[2] = 0;
    oOrientation = 0;
    return 0;
  }
  size_t base = 3 * static_cast<size_t>(iTriangle);
  for (int i = 0; i < 3; ++i) oVertices[i] = _vertices[base + i];
  oOrientation = 1;
  return 1;
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
  int previous = 0;
  for (int c = _firstCorner[iVertex]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c);
    if (t == previous) continue;  // a degenerate triangle lists the vertex twice
    previous = t;
    double n[3];
    GetTriangleNormal(t, n, 1);
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
  if (iTriangle <= 0 || iTriangle >= static_cast<int>(_valid.size())) return;
  if (iTriangle >= static_cast<int>(_triangleAttributes.size())) {
    if (!iAttribute) return;
    _triangleAttributes.resize(_valid.capacity(), nullptr);
    if (iTriangle >= static_cast<int>(_triangleAttributes.size())) _triangleAttributes.resize(_valid.size(), nullptr);
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
    if (_firstCorner[v]) oVertices[oCount++] = v;
  return oCount;
}

// ---------------------------------------------------------------------------------------------
// Neighbourhood

void KelCldPolygon::Optimize() { _optimized = true; }
void KelCldPolygon::Unoptimize() { _optimized = false; }
KelBoolean KelCldPolygon::IsOptimized() const { return _optimized ? TRUE : FALSE; }

void KelCldPolygon::EnsureLinked() const
{
  if (!_linked) BuildNeighborhood();
}

void KelCldPolygon::EndInsertion() { EnsureLinked(); }

void KelCldPolygon::BuildNeighborhood() const
{
  const int nbTriangles = GetNbTriangles(1);
  std::fill(_firstCorner.begin(), _firstCorner.end(), 0);
  // Pushing corners from the last to the first leaves every list in increasing order.
  for (int c = 3 * nbTriangles + 2; c >= 3; --c) {
    if (!_valid[TriangleOf(c)]) {
      _nextCorner[c] = 0;
      continue;
    }
    int v = _vertices[c];
    _nextCorner[c] = _firstCorner[v];
    _firstCorner[v] = c;
  }
  _nbVertices = 0;
  for (size_t v = 1; v < _firstCorner.size(); ++v)
    if (_firstCorner[v]) ++_nbVertices;

  // -1 marks a side whose edge has not been resolved yet; each undirected edge is resolved once.
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) _neighbors[c] = _valid[TriangleOf(c)] ? -1 : 0;
  _linked = true;
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) {
    if (_neighbors[c] != -1) continue;
    int t = TriangleOf(c), i = IndexOf(c);
    UpdateEdge(_vertices[c], _vertices[3 * t + Next3(i)]);
  }
}

int KelCldPolygon::CollectSides(int iVertexA, int iVertexB, int* oSides, int iMax) const
{
  int count = 0;
  for (int c = _firstCorner[iVertexA]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c), j = IndexOf(c);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    // Edge j runs from this corner to the next; edge j-1 arrives at this corner.
    if (v[Next3(j)] == iVertexB) {
      if (count < iMax) oSides[count] = 3 * t + j;
      ++count;
    }
    if (v[Prev3(j)] == iVertexB) {
      if (count < iMax) oSides[count] = 3 * t + Prev3(j);
      ++count;
    }
  }
  return count;
}

void KelCldPolygon::UpdateEdge(int iVertexA, int iVertexB) const
{
  if (iVertexA == iVertexB) {
    for (int c = _firstCorner[iVertexA]; c; c = _nextCorner[c]) {
      int t = TriangleOf(c), j = IndexOf(c);
      if (_vertices[3 * t + Next3(j)] == iVertexA) _neighbors[c] = 0;
    }
    return;
  }
  int sides[2];
  int count = CollectSides(iVertexA, iVertexB, sides, 2);
  if (count == 2 && TriangleOf(sides[0]) != TriangleOf(sides[1])) {
    _neighbors[sides[0]] = TriangleOf(sides[1]);
    _neighbors[sides[1]] = TriangleOf(sides[0]);
    return;
  }
  if (count <= 2) {
    for (int k = 0; k < count; ++k) _neighbors[sides[k]] = 0;
    return;
  }
  for (int c = _firstCorner[iVertexA]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c), j = IndexOf(c);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    if (v[Next3(j)] == iVertexB) _neighbors[3 * t + j] = 0;
    if (v[Prev3(j)] == iVertexB) _neighbors[3 * t + Prev3(j)] = 0;
  }
}

void KelCldPolygon::InsertCorner(int iVertex, int iCorner)
{
  int* link = &_firstCorner[iVertex];
  if (*link == 0) ++_nbVertices;
  while (*link && *link < iCorner) link = &_nextCorner[*link];
  _nextCorner[iCorner] = *link;
  *link = iCorner;
}

void KelCldPolygon::EraseCorner(int iVertex, int iCorner)
{
  int* link = &_firstCorner[iVertex];
  while (*link && *link != iCorner) link = &_nextCorner[*link];
  if (!*link) return;
  *link = _nextCorner[iCorner];
  _nextCorner[iCorner] = 0;
  if (_firstCorner[iVertex] == 0) --_nbVertices;
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
  for (int i = 0; i < 3; ++i) EraseCorner(_vertices[base + i], base + i);
  for (int i = 0; i < 3; ++i) _neighbors[base + i] = 0;
  for (int i = 0; i < 3; ++i) {
    int a = _vertices[base + i], b = _vertices[base + Next3(i)];
    if (a != b) UpdateEdge(a, b);
  }
}

int KelCldPolygon::GetTrianglesAroundVertex(int iVertex, KelRawCollint& oTriangles) const
{
  oTriangles.RemoveAll();
  if (iVertex <= 0 || iVertex >= static_cast<int>(_pointFlags.size())) return 0;
  EnsureLinked();
  int previous = 0;
  for (int c = _firstCorner[iVertex]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c);
    if (t != previous) oTriangles.Append(t);
    previous = t;
  }
  return oTriangles.Size();
}

void KelCldPolygon::AddRing(int iVertex, KelRawCollint& ioVertices) const
{
  for (int c = _firstCorner[iVertex]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c), j = IndexOf(c);
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
  if (_stamps.size() < _pointFlags.size()) _stamps.resize(_pointFlags.capacity(), 0);
  if (++_stamp == 0) {  // wrapped: old stamps could collide
    std::fill(_stamps.begin(), _stamps.end(), 0);
    _stamp = 1;
  }
  _stamps[iVertex] = _stamp;
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

int KelCldPolygon::GetEdgeTriangles(int iVertex1, int iVertex2, int& oTriangle1, int& oTriangle2) const
{
  oTriangle1 = oTriangle2 = 0;
  const int n = static_cast<int>(_pointFlags.size());
  if (iVertex1 <= 0 || iVertex1 >= n || iVertex2 <= 0 || iVertex2 >= n) return 0;
  EnsureLinked();
  int sides[2];
  int nbSides = CollectSides(iVertex1, iVertex2, sides, 2);
  if (nbSides == 0) return 0;
  // Lists are in increasing corner order, so the first side has the lowest triangle.
  oTriangle1 = TriangleOf(sides[0]);
  if (nbSides == 2 && iVertex1 != iVertex2 && TriangleOf(sides[1]) != oTriangle1) {
    oTriangle2 = TriangleOf(sides[1]);
    return 2;
  }
  if (nbSides == 1) return 1;
  return EdgeTriangles(iVertex1, iVertex2, nullptr);
}

int KelCldPolygon::EdgeTriangles(int iVertex1, int iVertex2, KelRawCollint* oTriangles) const
{
  int distinct = 0, previous = 0;
  for (int c = _firstCorner[iVertex1]; c; c = _nextCorner[c]) {
    int t = TriangleOf(c), j = IndexOf(c);
    const int* v = &_vertices[3 * static_cast<size_t>(t)];
    if ((v[Next3(j)] == iVertex2 || v[Prev3(j)] == iVertex2) && t != previous) {
      if (oTriangles) oTriangles->Append(t);
      ++distinct;
      previous = t;
    }
  }
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
        if (_neighbors[3 * t + i] == 0) ++total;
  if (total == 0) return 0;
  oPairs = new (std::nothrow) int[2 * static_cast<size_t>(total)];
  if (!oPairs) return 0;
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!counts(t)) continue;
    for (int i = 0; i < 3; ++i) {
      if (_neighbors[3 * t + i] != 0) continue;
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
  std::vector<int> pairs;
  const int nbTriangles = GetNbTriangles(1);
  for (int c = 3; c < 3 * (nbTriangles + 1); ++c) {
    // Only free-looking sides can belong to an edge with more than two sides.
    if (!_valid[TriangleOf(c)] || _neighbors[c] != 0) continue;
    int a = _vertices[c], b = _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))];
    if (a == b) continue;
    int sides[3];
    int nbSides = CollectSides(a, b, sides, 3);
    // Report the edge at its first side in triangle then edge order.
    if (nbSides > 2 && *std::min_element(sides, sides + 3) == c) {
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
    if (!_valid[TriangleOf(c)] || _neighbors[c] != 0) continue;
    int a = _vertices[c], b = _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))];
    int sides[3];
    if (a != b && CollectSides(a, b, sides, 3) > 2) return FALSE;
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
    _firstCorner.push_back(0);
    if (!_pointAttributes.empty() && _pointAttributes.size() < _pointFlags.size())
      _pointAttributes.resize(_pointFlags.capacity(), nullptr);
  } catch (const std::bad_alloc&) {
    size_t n = _pointFlags.size();
    _coords.resize(3 * n);
    _firstCorner.resize(n);
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
  if (_valid.size() >= static_cast<size_t>(INT_MAX / 3)) return 0;
  try {
    _vertices.push_back(iVertex0);
    _vertices.push_back(iVertex1);
    _vertices.push_back(iVertex2);
    _neighbors.insert(_neighbors.end(), 3, 0);
    _nextCorner.insert(_nextCorner.end(), 3, 0);
    _valid.push_back(1);
    if (!_triangleAttributes.empty() && _triangleAttributes.size() < _valid.size())
      _triangleAttributes.resize(_valid.capacity(), nullptr);
  } catch (const std::bad_alloc&) {
    size_t n = _valid.size();
    _vertices.resize(3 * n);
    _neighbors.resize(3 * n);
    _nextCorner.resize(3 * n);
    return 0;
  }
  ++_nbValidTriangles;
  const int t = static_cast<int>(_valid.size()) - 1;
  // A polygon being filled is linked in one pass later; a linked one stays linked.
  if (_linked && t > 1) LinkTriangle(t);
  else _linked = false;
  return t;
}

int KelCldPolygon::AddTriangle(const int iVertices[3]) { return AddTriangle(iVertices[0], iVertices[1], iVertices[2]); }

int KelCldPolygon::RemoveTriangle(int iTriangle)
{
  if (!IsTriangleValid(iTriangle)) return 0;
  EnsureLinked();
  _valid[iTriangle] = 0;
  --_nbValidTriangles;
  UnlinkTriangle(iTriangle);
  return 1;
}

int KelCldPolygon::SetTriangleVertices(int iTriangle, const int iVertices[3])
{
  if (!IsTriangleValid(iTriangle)) return 0;
  for (int i = 0; i < 3; ++i)
    if (!PointUsable(iVertices[i])) return 0;
  EnsureLinked();
  UnlinkTriangle(iTriangle);
  for (int i = 0; i < 3; ++i) _vertices[3 * iTriangle + i] = iVertices[i];
  LinkTriangle(iTriangle);
  return 1;
}

int KelCldPolygon::RemoveVertex(int iVertex)
{
  if (!IsAVertex(iVertex)) return 0;
  while (int c = _firstCorner[iVertex]) RemoveTriangle(TriangleOf(c));
  _pointFlags[iVertex] |= kPointFreed;
  ++_nbFreedPoints;
  float* p = &_coords[3 * static_cast<size_t>(iVertex)];
  p[0] = p[1] = p[2] = 0.0f;
  return 1;
}

int KelCldPolygon::FlipEdge(int iVertex1, int iVertex2)
{
  const int a = iVertex1, b = iVertex2;
  if (a == b || !IsAVertex(a) || !IsAVertex(b)) return 0;
  int sides[2];
  if (CollectSides(a, b, sides, 2) != 2) return 0;
  int t1 = TriangleOf(sides[0]), t2 = TriangleOf(sides[1]);
  if (t1 == t2) return 0;
  // t1 must run a->b and t2 b->a: the flip keeps a consistent orientation only then.
  if (_vertices[sides[0]] != a) std::swap(t1, t2), std::swap(sides[0], sides[1]);
  if (_vertices[sides[0]] != a || _vertices[sides[1]] != b) return 0;
  const int e1 = IndexOf(sides[0]), e2 = IndexOf(sides[1]);
  const int x = _vertices[3 * t1 + Prev3(e1)];
  const int y = _vertices[3 * t2 + Prev3(e2)];
  if (x == y || x == a || x == b || y == a || y == b || EdgeTriangles(x, y, nullptr) > 0) return 0;
  UnlinkTriangle(t1);
  UnlinkTriangle(t2);
  const int v1[3] = {x, a, y}, v2[3] = {y, b, x};
  for (int i = 0; i < 3; ++i) {
    _vertices[3 * t1 + i] = v1[i];
    _vertices[3 * t2 + i] = v2[i];
  }
  LinkTriangle(t1);
  LinkTriangle(t2);
  return 1;
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
    if (!_valid[t]) continue;
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
  for (size_t v = 1; v < _firstCorner.size(); ++v)
    if (_firstCorner[v]) oBox.AddPoint(_coords[3 * v], _coords[3 * v + 1], _coords[3 * v + 2]);
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
    if (!_valid[TriangleOf(c)] || _neighbors[c] != 0) continue;
    int a = _vertices[c], b = _vertices[3 * TriangleOf(c) + Next3(IndexOf(c))];
    int scratch[2];
    if (a != b && CollectSides(a, b, scratch, 2) == 1) sides.push_back(c);
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
  for (size_t k = 0; k < sides.size(); ++k) {
    if (used[k]) continue;
    KelCldBoundaryScan* scan = new KelCldBoundaryScan();
    const int start = _vertices[sides[k]];
    scan->AddPoint(start);
    int current = static_cast<int>(k);
    int end = endOf(sides[k]);
    while (current >= 0) {
      used[current] = 1;
      scan->AddPoint(end);
      if (end == start) {
        scan->SetClosed(1);
        break;
      }
      current = takeFrom(end, end);
    }
    scans->AddScan(scan);
  }
  SetBoundaryScans(scans);
  return scans->GetNbScans();
}
