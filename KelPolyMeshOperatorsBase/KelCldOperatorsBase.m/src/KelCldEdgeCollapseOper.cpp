#include "KelCldEdgeCollapseOper.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "KelCldGeometryUtil.h"
#include "KelCldInterfaces.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelCldTriangleUtil.h"
#include "KelFatalError.h"
#include "KelICldHoles.h"
#include "KelIntSearch.h"
#include "KelMathConstants.h"
#include "KelMathVector.h"

KelImplementClass(KelCldEdgeCollapseOper, KelCldTopologicalOper, KelMetaImplementation)

namespace {

// Position of the corner of iVertex in the triangle, the last one for a repeated vertex; -1
// when the triangle does not have it. By table, as the corner follows no pattern.
int CornerOf(const int iVertices[3], const int iVertex)
{
  static constexpr int kLast[8] = {-1, 0, 1, 1, 2, 2, 2, 2};
  return kLast[(iVertices[0] == iVertex) | (iVertices[1] == iVertex) << 1 | (iVertices[2] == iVertex) << 2];
}

// The first corner holding neither vertex, 3 for none; by table, as for CornerOf.
int FirstOtherCorner(const int iVertices[3], const int iVertexA, const int iVertexB)
{
  static constexpr int kFirst[8] = {3, 0, 1, 0, 2, 0, 1, 0};
  auto other = [&](const int iCorner) {
    return static_cast<int>((iVertices[iCorner] != iVertexA) & (iVertices[iCorner] != iVertexB));
  };
  return kFirst[other(0) | other(1) << 1 | other(2) << 2];
}

KelMathPoint PointAt(const float* iCoords, const int iVertex)
{
  return KelMathPoint(iCoords + 3 * static_cast<size_t>(iVertex));
}

// Whether every edge of (p0, p1, p2) is at least iMinimumLength long and every corner's cosine
// at most iLargestCosine, on squares: no root and no division, for the common case of a
// triangle far from both limits. False answers are checked again exactly by the caller.
bool ClearlyWithinLimits(const KelMathVector& e0, const KelMathVector& e1, const KelMathVector& e2,
                         const double iMinimumLength, const double iLargestCosine)
{
  const double s0 = e0.SquareNorm(), s1 = e1.SquareNorm(), s2 = e2.SquareNorm();
  const double minimumSquare = iMinimumLength * iMinimumLength;
  if (iMinimumLength < 0.0 || iLargestCosine < 0.0 || s0 < minimumSquare || s1 < minimumSquare ||
      s2 < minimumSquare || s0 <= KelEpsg * KelEpsg || s1 <= KelEpsg * KelEpsg || s2 <= KelEpsg * KelEpsg)
    return false;
  // The corner between an arriving edge a and a leaving edge b has cosine -(a.b) / (|a||b|).
  // Combined without short cuts: each test is cheap, a mispredicted jump is not.
  auto cornerWithin = [&](const KelMathVector& a, const KelMathVector& b, const double sa, const double sb) {
    const double dot = -(a * b);
    return (dot <= 0.0) | (dot * dot <= iLargestCosine * iLargestCosine * sa * sb);
  };
  return cornerWithin(e2, e0, s2, s0) & cornerWithin(e0, e1, s0, s1) & cornerWithin(e1, e2, s1, s2);
}

// The same for the triangle (p0, p1, p2), from its edges p1 - p0, p2 - p1 and p0 - p2.
bool ClearlyWithinLimits(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                         const double iMinimumLength, const double iLargestCosine)
{
  return ClearlyWithinLimits(iP1 - iP0, iP2 - iP1, iP0 - iP2, iMinimumLength, iLargestCosine);
}

// The shortest edge and the largest corner cosine, as the triangle utility measures them.
void ShortestEdgeAndLargestCosine(const KelMathPoint& iP0, const KelMathPoint& iP1, const KelMathPoint& iP2,
                                  double& oShortest, double& oLargestCosine)
{
  double l[3], c[3];
  KelCldTriangleUtil::GetTriangleEdgeLengthsAngleCosines(iP0, iP1, iP2, &l[0], &l[1], &l[2], &c[0], &c[1], &c[2]);
  oShortest = std::min({l[0], l[1], l[2]});
  oLargestCosine = std::max({c[0], c[1], c[2]});
}

}  // namespace

KelCldEdgeCollapseOper::KelCldEdgeCollapseOper(KelCldPolygon* iPolygon)
    : _CldPolygon(nullptr),
      _TopoUtil(nullptr),
      _GeoUtil(nullptr),
      _HoleVertexFlags(nullptr),
      _holeVertexFlagsSize(0),
      _checkNormals(TRUE),
      _checkSizes(TRUE),
      _checkExternal(TRUE),
      _minimumAngleCosine(std::cos(0.0001)),
      _minimumEdgeLength(0.001),
      _mark(0)
{
  // Valences above this are rare; the lists grow past it when needed.
  _edgeTriangles.Reserve(4);
  _wings.Reserve(4);
  _keptTriangles.Reserve(16);
  _removedTriangles.Reserve(16);
  if (iPolygon) SetPolyMesh(iPolygon, 1);
}

KelCldEdgeCollapseOper::~KelCldEdgeCollapseOper() { Reset(); }

void KelCldEdgeCollapseOper::Reset()
{
  if (_TopoUtil) _TopoUtil->Release();
  if (_GeoUtil) _GeoUtil->Release();
  if (_CldPolygon) _CldPolygon->Release();
  _TopoUtil = nullptr;
  _GeoUtil = nullptr;
  _CldPolygon = nullptr;
  delete[] _HoleVertexFlags;
  _HoleVertexFlags = nullptr;
  _holeVertexFlagsSize = 0;
}

void KelCldEdgeCollapseOper::SetPolyMesh(KelCldPolygon* iPolygon, const unsigned char iSetHoleVertexFlags)
{
  Reset();
  if (!iPolygon) return;
  _CldPolygon = iPolygon;
  _CldPolygon->AddRef();
  _TopoUtil = new KelCldTopologyUtil(_CldPolygon);
  _GeoUtil = new KelCldGeometryUtil(_CldPolygon);
  if (iSetHoleVertexFlags) SetHoleVertexFlags();
}

void KelCldEdgeCollapseOper::SetHoleVertexFlags()
{
  KelAssert(!_HoleVertexFlags);
  if (!_CldPolygon) return;
  const int nbVertices = _CldPolygon->GetNbPoints(1);
  _HoleVertexFlags = new unsigned char[static_cast<size_t>(nbVertices) + 1]();
  _holeVertexFlagsSize = nbVertices + 1;
  KelICldHoles* holes = KelCldInterfaces::GetKelICldHoles(_CldPolygon);
  if (!holes) return;
  KelRawCollint vertices;
  holes->GetHoleVertices(vertices);
  for (int i = 1; i <= vertices.Size(); ++i) {
    const int vertex = vertices[i];
    if (vertex < 1 || vertex > nbVertices) KelAssert(0);
    _HoleVertexFlags[vertex] = 1;
  }
  holes->Release();
}

KelBoolean KelCldEdgeCollapseOper::IsHoleVertexChecked(const int iVertex) const
{
  if (_HoleVertexFlags) {
    if (iVertex < 1 || iVertex >= _holeVertexFlagsSize) KelAssert(0);
    return _HoleVertexFlags[iVertex] ? TRUE : FALSE;
  }
  return _TopoUtil ? _TopoUtil->IsHoleVertex(iVertex) : FALSE;
}

void KelCldEdgeCollapseOper::SetMinimumAngle(const double iAngle) { _minimumAngleCosine = std::cos(iAngle); }

int KelCldEdgeCollapseOper::PairContraction(const int iVertexKeep, const int iVertexRemove,
                                            const KelMathPoint& iTarget)
{
  int triangle1, triangle2, wing1, wing2;
  return PairContraction(iVertexKeep, iVertexRemove, iTarget, triangle1, triangle2, wing1, wing2);
}

int KelCldEdgeCollapseOper::PairContraction(const int iVertexKeep, const int iVertexRemove,
                                            const KelMathPoint& iTarget, int& oTriangle1, int& oTriangle2,
                                            int& oWing1, int& oWing2)
{
  KelAssert(_CldPolygon);
  oTriangle1 = oTriangle2 = oWing1 = oWing2 = 0;
  if (!IsValidPair(iVertexKeep, iVertexRemove) || !IsContractionLegal(iVertexKeep, iVertexRemove, iTarget)) return 0;
  return Contract(iVertexKeep, iVertexRemove, oTriangle1, oTriangle2, oWing1, oWing2);
}

KelBoolean KelCldEdgeCollapseOper::IsValidPair(const int iVertexKeep, const int iVertexRemove) const
{
  return _CldPolygon && iVertexKeep != iVertexRemove && _CldPolygon->IsAVertex(iVertexKeep) &&
                 _CldPolygon->IsAVertex(iVertexRemove)
             ? TRUE
             : FALSE;
}

unsigned KelCldEdgeCollapseOper::NextMark()
{
  const size_t needed = static_cast<size_t>(_CldPolygon->GetNbPoints(1)) + 1;
  if (_marks.size() < needed) _marks.resize(needed, 0);
  if (++_mark == 0) {  // wrapped: old marks could collide
    std::fill(_marks.begin(), _marks.end(), 0);
    _mark = 1;
  }
  return _mark;
}

bool KelCldEdgeCollapseOper::SharesNeighborBesidesWings(const int iVertexKeep, const int iVertexRemove)
{
  // Ring 1 of a vertex is the set of the other corners of its triangles, so the two triangle
  // lists answer without walking the rings again. K's corners are listed (K among them: only
  // triangles of D without K are tested below, so K is never asked) and each corner of D's
  // triangles is compared with the whole list: a dozen or so values, where marks in an array
  // over all points cost a scattered line per vertex around the edge on a large mesh. A wide
  // fan at K is marked instead, as a list that long would make the comparisons quadratic.
  const size_t listed = 3 * static_cast<size_t>(_keptTriangles.Size());
  if (listed > KelShortListMost) return SharesNeighborBesidesWingsByMarks(iVertexKeep, iVertexRemove);
  int v[3];
  unsigned char orientation;
  const size_t padded = KelPrepareShortList(_ring, listed);
  for (int i = 1; i <= _keptTriangles.Size(); ++i) {
    _CldPolygon->GetTriangleVertices(_keptTriangles[i], v, orientation);
    for (int k = 0; k < 3; ++k) _ring[3 * static_cast<size_t>(i - 1) + static_cast<size_t>(k)] = v[k];
  }
  // One wing per edge triangle, at most two (the caller refused more), 0 for a degenerate
  // triangle, which matches no corner.
  const int wing1 = _wings.Size() >= 1 ? _wings[1] : 0, wing2 = _wings.Size() >= 2 ? _wings[2] : 0;
  auto shared = [&](const int w) {
    return (w != iVertexRemove) & (w != wing1) & (w != wing2) & KelIsAmong(_ring.data(), padded, w);
  };
  return ListTrianglesOfRemovedWithoutKept(iVertexKeep, iVertexRemove, shared);
}

bool KelCldEdgeCollapseOper::SharesNeighborBesidesWingsByMarks(const int iVertexKeep, const int iVertexRemove)
{
  const unsigned mark = NextMark();
  int v[3];
  unsigned char orientation;
  for (int i = 1; i <= _keptTriangles.Size(); ++i) {
    _CldPolygon->GetTriangleVertices(_keptTriangles[i], v, orientation);
    for (const int w : v) _marks[w] = mark;
  }
  for (int i = 1; i <= _wings.Size(); ++i) _marks[_wings[i]] = 0;
  auto shared = [&](const int w) { return (w != iVertexRemove) & (_marks[w] == mark); };
  return ListTrianglesOfRemovedWithoutKept(iVertexKeep, iVertexRemove, shared);
}

template <class Shared>
bool KelCldEdgeCollapseOper::ListTrianglesOfRemovedWithoutKept(const int iVertexKeep, const int iVertexRemove,
                                                               const Shared& iShared)
{
  // The edge's triangles (those of D that have K) add only K, D and the wings to R2: leaving
  // them out changes nothing and leaves T2 for the geometric tests and the contraction.
  _CldPolygon->GetTrianglesAroundVertexUnordered(iVertexRemove, _removedTriangles);
  // Kept in place by count and tested bitwise: which triangles have K follows no pattern.
  int v[3];
  unsigned char orientation;
  bool shares = false;
  int out = 0;
  for (int i = 1; i <= _removedTriangles.Size(); ++i) {
    const int triangle = _removedTriangles[i];
    _CldPolygon->GetTriangleVertices(triangle, v, orientation);
    const bool withoutKept = (v[0] != iVertexKeep) & (v[1] != iVertexKeep) & (v[2] != iVertexKeep);
    _removedTriangles[out + 1] = triangle;
    out += withoutKept;
    const bool met = iShared(v[0]) | iShared(v[1]) | iShared(v[2]);
    shares |= withoutKept & met;
  }
  _removedTriangles.Size(out);
  return shares;
}

KelBoolean KelCldEdgeCollapseOper::IsContractionLegal(const int iVertexKeep, const int iVertexRemove,
                                                      const KelMathPoint& iTarget)
{
  // The edge's triangles are those around the kept vertex that have the removed one; the rest
  // are the kept vertex's triangles that survive (T1).
  _CldPolygon->GetTrianglesAroundVertexUnordered(iVertexKeep, _keptTriangles);
  // Both lists are written at every triangle and kept by count: which triangles have D
  // follows no pattern, and a branch on it mispredicts.
  _edgeTriangles.Size(_keptTriangles.Size());
  int out = 0, nbOnEdge = 0;
  int v[3];
  unsigned char orientation;
  for (int i = 1; i <= _keptTriangles.Size(); ++i) {
    const int triangle = _keptTriangles[i];
    _CldPolygon->GetTriangleVertices(triangle, v, orientation);
    const int hasRemoved = (v[0] == iVertexRemove) | (v[1] == iVertexRemove) | (v[2] == iVertexRemove);
    _keptTriangles[out + 1] = triangle;
    out += 1 - hasRemoved;
    _edgeTriangles[nbOnEdge + 1] = triangle;
    nbOnEdge += hasRemoved;
  }
  _edgeTriangles.Size(nbOnEdge);
  _keptTriangles.Size(out);
  // One wing per edge triangle, 0 for a degenerate one (K, D, K) that has none, so that the
  // two lists stay parallel.
  _wings.Size(nbOnEdge);
  for (int i = 1; i <= nbOnEdge; ++i) {
    _CldPolygon->GetTriangleVertices(_edgeTriangles[i], v, orientation);
    const int corner = FirstOtherCorner(v, iVertexKeep, iVertexRemove);
    _wings[i] = corner < 3 ? v[corner] : 0;
  }
  // The contraction removes the edge's triangles in increasing order (the first gives wing 1).
  if (nbOnEdge == 2 && _edgeTriangles[1] > _edgeTriangles[2]) {
    std::swap(_edgeTriangles[1], _edgeTriangles[2]);
    std::swap(_wings[1], _wings[2]);
  }

  if (nbOnEdge > 2) return FALSE;
  if (SharesNeighborBesidesWings(iVertexKeep, iVertexRemove)) return FALSE;
  if (nbOnEdge == 2 && IsHoleVertex(iVertexKeep) && IsHoleVertex(iVertexRemove)) return FALSE;
  if (!_checkNormals && !_checkSizes && !_checkExternal) return TRUE;

  if (!CheckGeometry(iVertexRemove, iTarget, _removedTriangles)) return FALSE;
  if (!_checkNormals && !_checkSizes && !_checkExternal) return TRUE;
  return CheckGeometry(iVertexKeep, iTarget, _keptTriangles);
}

int KelCldEdgeCollapseOper::Contract(const int iVertexKeep, const int iVertexRemove, int& oTriangle1,
                                     int& oTriangle2, int& oWing1, int& oWing2)
{
  int nbRemoved = 0;
  _wingsKnownToStay[0] = _wingsKnownToStay[1] = 0;
  auto removed = [&](const int iTriangle, const int iWing, const int iStays) {
    ++nbRemoved;
    if (nbRemoved <= 2) _wingsKnownToStay[nbRemoved - 1] = iStays;
    if (nbRemoved == 1) {
      oTriangle1 = iTriangle;
      oWing1 = iWing;
    } else if (nbRemoved == 2) {
      oTriangle2 = iTriangle;
      oWing2 = iWing;
    }
  };
  // The common case in one pass of the polygon (the link condition, checked before, is what
  // it relies on), which also tells the wings and whether they stay joined.
  if (_edgeTriangles.Size() <= 2) {
    int wings[2] = {0, 0}, stays[2] = {0, 0};
    if (_CldPolygon->CollapseEdge(iVertexKeep, iVertexRemove, _edgeTriangles.Data(), _edgeTriangles.Size(), wings,
                                  stays)) {
      for (int i = 1; i <= _edgeTriangles.Size(); ++i) removed(_edgeTriangles[i], wings[i - 1], stays[i - 1]);
      BeforeVertexRemoval(iVertexKeep, iVertexRemove);
      _CldPolygon->RemoveVertex(iVertexRemove);
      return nbRemoved;
    }
  }
  for (int i = 1; i <= _edgeTriangles.Size(); ++i) {
    const int triangle = _edgeTriangles[i];
    int v[3], n[3];
    _CldPolygon->GetTriangle(triangle, v, n);
    const int corner = FirstOtherCorner(v, iVertexKeep, iVertexRemove);
    const int wing = corner < 3 ? v[corner] : 0, side = corner < 3 ? corner : 0;
    // The kept vertex stays joined to the wing when a triangle outside the edge lies across
    // either side at the wing (that of K-W keeps it, that of D-W takes K in D's place).
    bool stays = false;
    for (const int across : {n[side], n[(side + 2) % 3]})
      if (across && !_edgeTriangles.Locate(across)) stays = true;
    if (_CldPolygon->RemoveTriangle(triangle)) removed(triangle, wing, wing && stays ? wing : 0);
  }
  // Once the edge's triangles are gone, D's other triangles take K in D's place: the same as
  // SetTriangleVertices on each, done by the polygon in one go.
  _CldPolygon->ReplaceVertexInTriangles(iVertexRemove, iVertexKeep);
  BeforeVertexRemoval(iVertexKeep, iVertexRemove);
  _CldPolygon->RemoveVertex(iVertexRemove);
  return nbRemoved;
}

void KelCldEdgeCollapseOper::BeforeVertexRemoval(const int, const int) {}

KelBoolean KelCldEdgeCollapseOper::CheckGeometry(const int iVertex, const KelMathPoint& iTarget,
                                                 const KelRawCollint& iTriangles) const
{
  KelAssert(_GeoUtil);
  KelAssert(_TopoUtil);
  const float* coords = _CldPolygon->GetCoordinates();
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    int v[3];
    unsigned char orientation;
    _CldPolygon->GetTriangleVertices(iTriangles[i], v, orientation);
    const int corner = CornerOf(v, iVertex);
    if (corner < 0) continue;
    const KelMathPoint points[3] = {PointAt(coords, v[0]), PointAt(coords, v[1]), PointAt(coords, v[2])};
    if (_checkNormals && _checkSizes) {
      const int fused = CheckNormalAndSize(points, iTarget, corner);
      if (fused == 0 || (fused < 0 && !CheckTriangleSize(points, iTarget, corner))) return FALSE;
    } else {
      if (_checkNormals && !CheckTriangleNormal(points, iTarget, corner)) return FALSE;
      if (_checkSizes && !CheckTriangleSize(points, iTarget, corner)) return FALSE;
    }
    if (_checkExternal && !CheckGeometryExternal(points, iTarget, corner)) return FALSE;
  }
  return TRUE;
}

// Both tests of the common case on shared differences, with the arithmetic of the two
// separate tests: 0 when the normal test fails, 1 when both surely pass, -1 when the size
// test needs its exact form.
int KelCldEdgeCollapseOper::CheckNormalAndSize(const KelMathPoint* iPoints, const KelMathPoint& iTarget,
                                               const int iIndex) const
{
  const KelMathPoint& p0 = iPoints[iIndex];
  const KelMathPoint& p1 = iPoints[(iIndex + 1) % 3];
  const KelMathPoint& p2 = iPoints[(iIndex + 2) % 3];
  const KelMathVector u = p1 - iTarget, w = p2 - iTarget;
  const KelMathVector oldNormal = (p1 - p0) ^ (p2 - p0);
  const KelMathVector newNormal = u ^ w;
  const double oldSquare = oldNormal.SquareNorm(), newSquare = newNormal.SquareNorm();
  if (oldSquare <= 0.0 || newSquare <= 0.0) return 0;
  const double dot = oldNormal * newNormal;
  if (!(dot >= 0.0 && 4.0 * dot * dot >= oldSquare * newSquare)) return 0;
  // The moved triangle (target, p1, p2) has the edges u, p2 - p1 and -w.
  return ClearlyWithinLimits(u, p2 - p1, -w, _minimumEdgeLength, _minimumAngleCosine) ? 1 : -1;
}

KelBoolean KelCldEdgeCollapseOper::CheckTriangleNormal(const KelMathPoint* iPoints, const KelMathPoint& iTarget,
                                                       const int iIndex) const
{
  const KelMathPoint& p0 = iPoints[iIndex];
  const KelMathPoint& p1 = iPoints[(iIndex + 1) % 3];
  const KelMathPoint& p2 = iPoints[(iIndex + 2) % 3];
  const KelMathVector oldNormal = (p1 - p0) ^ (p2 - p0);
  const KelMathVector newNormal = (p1 - iTarget) ^ (p2 - iTarget);
  // The cosine between the unit normals, without normalising either: a triangle without a
  // normal has no direction to keep and is refused. cos >= 1/2, squared on both sides.
  const double oldSquare = oldNormal.SquareNorm(), newSquare = newNormal.SquareNorm();
  if (oldSquare <= 0.0 || newSquare <= 0.0) return FALSE;
  const double dot = oldNormal * newNormal;
  return dot >= 0.0 && 4.0 * dot * dot >= oldSquare * newSquare ? TRUE : FALSE;
}

KelBoolean KelCldEdgeCollapseOper::CheckTriangleSize(const KelMathPoint* iPoints, const KelMathPoint& iTarget,
                                                     const int iIndex) const
{
  const KelMathPoint& p1 = iPoints[(iIndex + 1) % 3];
  const KelMathPoint& p2 = iPoints[(iIndex + 2) % 3];
  if (ClearlyWithinLimits(iTarget, p1, p2, _minimumEdgeLength, _minimumAngleCosine)) return TRUE;
  double newShortest, newLargestCosine;
  ShortestEdgeAndLargestCosine(iTarget, p1, p2, newShortest, newLargestCosine);
  if (newShortest >= _minimumEdgeLength && newLargestCosine <= _minimumAngleCosine) return TRUE;
  // A small or sharp triangle is still accepted when it is no worse than the one it replaces.
  double oldShortest, oldLargestCosine;
  ShortestEdgeAndLargestCosine(iPoints[iIndex], p1, p2, oldShortest, oldLargestCosine);
  return newShortest >= oldShortest && newLargestCosine <= oldLargestCosine ? TRUE : FALSE;
}

KelBoolean KelCldEdgeCollapseOper::CheckGeometryExternal(const KelMathPoint*, const KelMathPoint&, const int) const
{
  _checkExternal = FALSE;
  return TRUE;
}
