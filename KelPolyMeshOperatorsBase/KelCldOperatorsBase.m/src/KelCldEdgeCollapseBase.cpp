#include "KelCldEdgeCollapseBase.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <unordered_set>

#include "KelCldEdgeCollapseOper.h"
#include "KelCldGeometryUtil.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"
#include "KelICldMesh.h"
#include "KelKelCldOperatorsBaseTrace.h"
#include "KelMathConstants.h"
#include "KelMathLine.h"
#include "KelMathPoint.h"

#include "KelCldConstants.h"

KelImplementClass(KelCldEdgeCollapseBase, KelCldHeapEvaluator, KelMetaImplementation)

namespace {

// The mesh vertex attribute holding the local vertex index of a region run.
const int kLocalIndexAttribute = 10;

}  // namespace

KelCldEdgeCollapseBase::KelCldEdgeCollapseBase(KelCldEdgeCollapseOper* iContraction)
    : _PolyEdgeCollapse(iContraction), _chordalDeviationForFreeEdges(KelMathInfinite)
{
  if (_PolyEdgeCollapse) _PolyEdgeCollapse->AddRef();
  else _PolyEdgeCollapse = new KelCldEdgeCollapseOper(nullptr);
}

KelCldEdgeCollapseBase::~KelCldEdgeCollapseBase()
{
  ResetPrivate();
  if (_PolyEdgeCollapse) _PolyEdgeCollapse->Release();
  _PolyEdgeCollapse = nullptr;
}

void KelCldEdgeCollapseBase::Reset() { ResetPrivate(); }

void KelCldEdgeCollapseBase::ResetPrivate()
{
  if (_TemporaryVertexDataAttributeDefined && _mesh) _mesh->UndefineVertexAttribute(kLocalIndexAttribute);
  _TemporaryVertexDataAttributeDefined = false;
  _localIndex.clear();
  if (_mesh) _mesh->Release();
  _mesh = nullptr;
  if (_GeoUtil) _GeoUtil->Release();
  _GeoUtil = nullptr;
  if (_TopoUtil) _TopoUtil->Release();
  _TopoUtil = nullptr;
  if (_cldPolygon) _cldPolygon->Release();
  _cldPolygon = nullptr;
  _heapStorage.clear();
  _heap = nullptr;
  _heapSize = 0;
  _heapReady = false;
  _EdgesList.Assign(0);
  _edgeRecords.clear();
  _nbVertexSlots = 0;
}

// Utilities, contraction operator, mesh and polygon: the part common to both preparations.
int KelCldEdgeCollapseBase::Prepare(KelCldPolygon* iPolygon)
{
  KelAssert(!_TopoUtil);
  KelAssert(!_GeoUtil);
  _TopoUtil = new KelCldTopologyUtil(iPolygon);
  _GeoUtil = new KelCldGeometryUtil(iPolygon);
  _PolyEdgeCollapse->SetPolyMesh(iPolygon, 1);
  if (FAILED(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&_mesh))) || !_mesh) {
    _mesh = nullptr;
    return 0;
  }
  _cldPolygon = iPolygon;
  _cldPolygon->AddRef();
  return 1;
}

int KelCldEdgeCollapseBase::Set(KelCldPolygon* iPolygon)
{
  Reset();
  if (!iPolygon) return 0;
  if (_freezeBoundary) {
    KelRawCollint vertices;
    for (int v = 1; v <= iPolygon->GetNbPoints(1); ++v)
      if (iPolygon->IsAVertex(v)) vertices.Append(v);
    return SetFromVertexList(iPolygon, vertices);
  }
  if (!Prepare(iPolygon)) return 0;
  ListAllEdges();
  return CreateVertexAttributes() ? CreateEdgeAttributes() : 0;
}

// The edges of the whole mesh, numbered as the edge table numbers them (first appearance
// over the triangles in increasing order, ends as in that triangle), read from the polygon's
// neighbours: an edge with a neighbour across it has exactly two sides and first appears in
// the lower of its two triangles. Only edges without one (free, crowded or degenerate) need
// a lookup.
void KelCldEdgeCollapseBase::ListAllEdges()
{
  const int nbTriangles = _cldPolygon->GetNbTriangles(1);
  // A closed mesh has one and a half edges a triangle; the array grows if there are more.
  _edgeRecords.assign(static_cast<size_t>(_cldPolygon->GetNbTriangles(0)) * 3 / 2 + 4, EdgeRecord());
  size_t count = 1;  // edge 0 is none
  std::unordered_set<uint64_t> unpaired;
  for (int t = 1; t <= nbTriangles; ++t) {
    int v[3], n[3];
    if (!_cldPolygon->GetTriangle(t, v, n)) continue;
    if (count + 3 > _edgeRecords.size()) _edgeRecords.resize(2 * _edgeRecords.size());
    for (int k = 0; k < 3; ++k) {
      const int a = v[k], b = v[k == 2 ? 0 : k + 1];
      // Whether the lower triangle is this one follows no pattern: every side is written and
      // the count advances for new edges only.
      int isNew = static_cast<int>(n[k] >= t);
      if (!n[k]) {
        const uint64_t key = (uint64_t(uint32_t(std::min(a, b))) << 32) | uint32_t(std::max(a, b));
        isNew = static_cast<int>(unpaired.insert(key).second);
      }
      EdgeRecord& record = _edgeRecords[count];
      record.ends[0] = a;
      record.ends[1] = b;
      count += static_cast<size_t>(isNew);
    }
  }
  _edgeRecords.resize(count);
}

int KelCldEdgeCollapseBase::SetFromVertexList(KelCldPolygon* iPolygon, const KelRawCollint& iVertices)
{
  Reset();
  if (!iPolygon) return 0;
  if (!Prepare(iPolygon)) return 0;
  KelAssertText(_TemporaryVertexDataAttributeDefined == false, "_TemporaryVertexDataAttributeDefined == FALSE");
  if (!_mesh->HasVertexAttributeDefined(kLocalIndexAttribute) && _mesh->DefineVertexAttribute(kLocalIndexAttribute, 4))
    _TemporaryVertexDataAttributeDefined = true;
  if (!_TemporaryVertexDataAttributeDefined) return 0;
  const KelRawCollint* scope = &iVertices;
  KelRawCollint kept;
  if (_freezeBoundary) {
    // Vertices on or next to a free edge keep their place.
    KelRawCollint ring;
    for (int i = 1; i <= iVertices.Size(); ++i) {
      const int v = iVertices[i];
      bool nearFree = _mesh->IsVertexOnAFreeEdge(v) != FALSE;
      if (!nearFree) {
        _cldPolygon->GetVertexRing(v, ring);
        for (int k = 1; k <= ring.Size() && !nearFree; ++k) nearFree = _mesh->IsVertexOnAFreeEdge(ring[k]) != FALSE;
      }
      if (!nearFree) kept.Append(v);
    }
    scope = &kept;
  }
  // The table lists the edges of the vertices' triangles; only edges with both ends in scope
  // stay, so that no collapse moves or removes a vertex outside it.
  _edges.BuildFromVertices(_cldPolygon, *scope);
  std::vector<char> inScope(static_cast<size_t>(_cldPolygon->GetNbPoints(1)) + 1, 0);
  for (int i = 1; i <= scope->Size(); ++i) {
    const int v = (*scope)[i];
    if (v > 0 && v < static_cast<int>(inScope.size())) inScope[static_cast<size_t>(v)] = 1;
  }
  for (int e = 1; e <= _edges.GetNbEdges(TRUE); ++e) {
    int v0 = 0, v1 = 0;
    _edges.GetEdge(e, v0, v1);
    if (v0 && v1 && (!inScope[static_cast<size_t>(v0)] || !inScope[static_cast<size_t>(v1)])) _edges.RemoveEdge(e);
  }
  MirrorEdges();
  return CreateVertexAttributes() ? CreateEdgeAttributes() : 0;
}

void KelCldEdgeCollapseBase::MirrorEdges()
{
  const int nbEdges = _edges.GetNbEdges(TRUE);
  _edgeRecords.assign(static_cast<size_t>(nbEdges) + 1, EdgeRecord());
  for (int e = 1; e <= nbEdges; ++e) {
    EdgeRecord& record = _edgeRecords[static_cast<size_t>(e)];
    _edges.GetEdge(e, record.ends[0], record.ends[1]);
  }
}

// Once the run starts only the records are read, so the edge table is left as it was built.
void KelCldEdgeCollapseBase::SetEnds(int iEdge, int iVertex0, int iVertex1)
{
  _edgeRecords[static_cast<size_t>(iEdge)].ends[0] = iVertex0;
  _edgeRecords[static_cast<size_t>(iEdge)].ends[1] = iVertex1;
}

int KelCldEdgeCollapseBase::SetTemporaryVertexAttributes()
{
  KelRawCollint vertices;
  _edges.GetVertices(vertices);
  _localIndex.assign(static_cast<size_t>(_cldPolygon->GetNbPoints(1)) + 1, 0);
  for (int i = 1; i <= vertices.Size(); ++i) {
    const int index = i;
    _mesh->SetVertexAttribute(vertices[i], kLocalIndexAttribute, reinterpret_cast<const char*>(&index));
    _localIndex[static_cast<size_t>(vertices[i])] = index;
  }
  return vertices.Size();
}

int KelCldEdgeCollapseBase::CreateVertexAttributes()
{
  KelAssertText(_cldPolygon, "_polymesh");
  _nbVertexSlots = _TemporaryVertexDataAttributeDefined ? SetTemporaryVertexAttributes() : _cldPolygon->GetNbPoints(1);
  if (_nbVertexSlots <= 0) return 0;
  KelAssert(_EdgesList.Size() == 0);
  _EdgesList.Assign(static_cast<size_t>(_nbVertexSlots) + 1);
  SetEdgeListForEachVertex();
  if (!_TemporaryVertexDataAttributeDefined) return ComputeCustomVertexAttributes(nullptr);
  KelRawCollint vertices;
  _edges.GetVertices(vertices);
  return ComputeCustomVertexAttributes(&vertices);
}

void KelCldEdgeCollapseBase::SetEdgeListForEachVertex()
{
  const int nbEdges = NbEdgeSlots();
  for (int e = 1; e <= nbEdges; ++e) {
    int v0 = 0, v1 = 0;
    PrefetchEnds(e + kPrefetchDistance, true);
    Ends(e, v0, v1);
    if (!v0 || !v1) continue;
    _EdgesList.Append(static_cast<size_t>(GetVertexIndex(v0)), e);
    if (v1 != v0) _EdgesList.Append(static_cast<size_t>(GetVertexIndex(v1)), e);
  }
}

// The sweeps over all edges read both ends' data at random places (vertex numbers need not
// follow the edges): each asks for the data of an edge a few iterations ahead.
void KelCldEdgeCollapseBase::PrefetchEnds(int iEdge, bool iListsOnly) const
{
  if (iEdge > NbEdgeSlots()) return;
  int v0 = 0, v1 = 0;
  Ends(iEdge, v0, v1);
  if (!v0 || !v1) return;
  for (const int v : {v0, v1}) {
    if (iListsOnly) {
      KelPrefetch(_EdgesList.Address(static_cast<size_t>(GetVertexIndex(v))));
      continue;
    }
    PrefetchVertexData(v);
    KelPrefetch(Coordinates() + 3 * static_cast<size_t>(v));
  }
}

int KelCldEdgeCollapseBase::CreateEdgeAttributes()
{
  KelAssertText(!_heapReady, "!_edgeCostHeap");
  const int nbEdges = NbEdgeSlots();
  // Three spare entries let position 1 start a cache line wherever the array lands.
  _heapStorage.assign(static_cast<size_t>(nbEdges) + 4, HeapEntry{});
  const uintptr_t address = reinterpret_cast<uintptr_t>(_heapStorage.data());
  _heap = _heapStorage.data() + (64 + 48 - address % 64) % 64 / sizeof(HeapEntry);
  _heapSize = 0;
  _heapReady = true;
  for (EdgeRecord& record : _edgeRecords) {
    record.cost = 0.0f;
    record.heapPosition = -1;
  }
  double minimum = KelMathInfinite, maximum = -KelMathInfinite;
  for (int e = 1; e <= nbEdges; ++e) {
    int v0 = 0, v1 = 0;
    PrefetchEnds(e + kPrefetchDistance, false);
    Ends(e, v0, v1);
    if (!v0 || !v1) continue;
    const double cost = ComputeCostOfEdge(v0, v1);
    _edgeRecords[static_cast<size_t>(e)].cost = static_cast<float>(cost);
    _edgeRecords[static_cast<size_t>(e)].heapPosition = HeapSize();
    _heap[_heapSize++] = {static_cast<float>(cost), e, SquareLength(e)};
    minimum = std::min(minimum, cost);
    if (cost < KelMathInfinite) maximum = std::max(maximum, cost);
  }
  // Ordered bottom-up in linear time rather than by one insertion per edge.
  if (HeapSize() > 1)
    for (int i = (HeapSize() - 2) / 4; i >= 0; --i) HeapSiftDown(i);
  if (KelKelCldOperatorsBaseTrace.IsActive()) {
    KelKelCldOperatorsBaseTrace.TraPrintf("Minimum cost:%g\n", minimum);
    KelKelCldOperatorsBaseTrace.TraPrintf("Maximum cost:%g\n", maximum);
  }
  return 1;
}

int KelCldEdgeCollapseBase::ComputeCustomVertexAttributes(const KelRawCollint*) { return 1; }

void KelCldEdgeCollapseBase::UpdateCustomVertexData(const int, const int) {}

double KelCldEdgeCollapseBase::SquareLength(int iEdge) const
{
  int a = 0, b = 0;
  Ends(iEdge, a, b);
  const float* coords = Coordinates();
  const float* p = coords + 3 * static_cast<size_t>(a);
  const float* q = coords + 3 * static_cast<size_t>(b);
  const double dx = double(p[0]) - q[0], dy = double(p[1]) - q[1], dz = double(p[2]) - q[2];
  return dx * dx + dy * dy + dz * dz;
}

int KelCldEdgeCollapseBase::SetKey(int iEdge, float iCost)
{
  EdgeRecord& record = _edgeRecords[static_cast<size_t>(iEdge)];
  record.cost = iCost;
  const int position = record.heapPosition;
  if (position < 0 || position >= HeapSize() || _heap[static_cast<size_t>(position)].edge != iEdge) return -1;
  _heap[static_cast<size_t>(position)].cost = iCost;
  _heap[static_cast<size_t>(position)].squareLength = SquareLength(iEdge);
  return position;
}

int KelCldEdgeCollapseBase::CompareValues(const int iEdge1, const int iEdge2) const
{
  KelAssert(_cldPolygon);
  return Before(iEdge1, iEdge2) ? -1 : 1;
}

inline bool KelCldEdgeCollapseBase::Before(const HeapEntry& iEntry1, const HeapEntry& iEntry2)
{
  // Without branches: a sift compares keys in no predictable pattern.
  const bool tie = std::fabs(iEntry1.cost - iEntry2.cost) < 1e-5f;
  const bool shorter = iEntry1.squareLength < iEntry2.squareLength, cheaper = iEntry1.cost < iEntry2.cost;
  return (tie & shorter) | (!tie & cheaper);
}

inline int KelCldEdgeCollapseBase::CheaperChild(int iFirst, int iLast) const
{
  // Without branches: which child wins follows no pattern. Four children play two pairs and
  // then the winners, so that each level waits on two comparisons rather than three in a row;
  // in each match the first of equals wins.
  if (iLast - iFirst == 3) {
    const int a = iFirst + static_cast<int>(Before(_heap[iFirst + 1], _heap[iFirst]));
    const int b = iFirst + 2 + static_cast<int>(Before(_heap[iFirst + 3], _heap[iFirst + 2]));
    return a ^ ((a ^ b) & -static_cast<int>(Before(_heap[b], _heap[a])));
  }
  int best = iFirst;
  for (int c = iFirst + 1; c <= iLast; ++c) best ^= (best ^ c) & -static_cast<int>(Before(_heap[c], _heap[best]));
  return best;
}

bool KelCldEdgeCollapseBase::Before(int iEdge1, int iEdge2) const
{
  const HeapEntry e1 = {_edgeRecords[static_cast<size_t>(iEdge1)].cost, iEdge1, SquareLength(iEdge1)};
  const HeapEntry e2 = {_edgeRecords[static_cast<size_t>(iEdge2)].cost, iEdge2, SquareLength(iEdge2)};
  return Before(e1, e2);
}

void KelCldEdgeCollapseBase::HeapRemove(int iPosition)
{
  const int last = HeapSize() - 1;
  if (iPosition < 0 || iPosition > last) return;
  const int removed = _heap[static_cast<size_t>(iPosition)].edge;
  _heap[static_cast<size_t>(iPosition)] = _heap[static_cast<size_t>(last)];
  --_heapSize;
  _edgeRecords[static_cast<size_t>(removed)].heapPosition = last;  // outside the heap now
  if (iPosition < last) HeapRestore(iPosition);
}

// The queue is a 4-ary heap: half the levels of a binary one, and a node's children fill one
// cache line, which matters once the heap outgrows the cache.
void KelCldEdgeCollapseBase::HeapRestore(int iPosition)
{
  if (iPosition > 0 && Before(_heap[static_cast<size_t>(iPosition)], _heap[static_cast<size_t>((iPosition - 1) / 4)]))
    HeapSiftUp(iPosition);
  else
    HeapSiftDown(iPosition);
}

void KelCldEdgeCollapseBase::HeapSiftUp(int iPosition)
{
  HeapEntry* heap = _heap;
  const HeapEntry entry = heap[iPosition];
  int i = iPosition;
  while (i > 0) {
    const int parent = (i - 1) / 4;
    if (!Before(entry, heap[parent])) break;
    heap[i] = heap[parent];
    _edgeRecords[static_cast<size_t>(heap[i].edge)].heapPosition = i;
    i = parent;
  }
  heap[i] = entry;
  _edgeRecords[static_cast<size_t>(entry.edge)].heapPosition = i;
}

void KelCldEdgeCollapseBase::HeapSiftDown(int iPosition)
{
  HeapEntry* heap = _heap;
  const int size = HeapSize();
  const HeapEntry entry = heap[iPosition];
  const int lastPosition = size - 1;
  int i = iPosition;
  for (;;) {
    const int first = 4 * i + 1;
    if (first > lastPosition) break;
    // The grandchildren are sixteen entries in a row: asking for them while the children are
    // compared saves a wait per level once the heap outgrows the cache. A node without them
    // asks for the heap's last sixteen entries instead: a test would mispredict, and an
    // address far past the heap costs a page walk.
    const size_t grandchildren =
        std::min(16 * static_cast<size_t>(i) + 5, static_cast<size_t>(std::max(lastPosition - 15, 0)));
    const uintptr_t block = reinterpret_cast<uintptr_t>(heap + grandchildren);
    for (int line = 0; line < 4; ++line) KelPrefetch(reinterpret_cast<const void*>(block + 64 * line));
    const int best = CheaperChild(first, std::min(first + 3, lastPosition));
    if (!Before(heap[best], entry)) break;
    heap[i] = heap[best];
    _edgeRecords[static_cast<size_t>(heap[i].edge)].heapPosition = i;
    i = best;
  }
  heap[i] = entry;
  _edgeRecords[static_cast<size_t>(entry.edge)].heapPosition = i;
}

// The queue's own heap reports positions itself; an outside KelCldHeap ordered by this
// evaluator reports them here.
void KelCldEdgeCollapseBase::UpdateNum(const int iEdge, const int iPosition)
{
  _edgeRecords[static_cast<size_t>(iEdge)].heapPosition = iPosition;
}

float KelCldEdgeCollapseBase::GetMinimalCost() const
{
  if (!_heapReady || _heapSize == 0) return static_cast<float>(KelMathInfinite);
  return _heap[0].cost;
}

bool KelCldEdgeCollapseBase::CheckFreeEdgeChordalDeviation(int iKept, int iRemoved, const double* iTarget) const
{
  if (!_TopoUtil || !_GeoUtil || !iKept || !iRemoved) return true;
  const int p = _TopoUtil->GetNextHoleVertex(iKept, iRemoved);
  const int q = _TopoUtil->GetNextHoleVertex(iRemoved, iKept);
  if (!p || !q) return true;
  KelMathPoint P, A, B, Q;
  _cldPolygon->GetPoint(p, P);
  _cldPolygon->GetPoint(iKept, A);
  _cldPolygon->GetPoint(iRemoved, B);
  _cldPolygon->GetPoint(q, Q);
  const KelMathPoint T(iTarget[0], iTarget[1], iTarget[2]);
  const double limit = _chordalDeviationForFreeEdges;
  if (T.SquareDistanceTo(P) > KelCldDistanceSquareEpsilon) {
    const KelMathLine line(P, T);
    if (line.DistanceTo(A) > limit || line.DistanceTo(B) > limit) return false;
  }
  if (T.SquareDistanceTo(Q) > KelCldDistanceSquareEpsilon) {
    const KelMathLine line(T, Q);
    if (line.DistanceTo(A) > limit || line.DistanceTo(B) > limit) return false;
  }
  return true;
}

int KelCldEdgeCollapseBase::Step(int& oRemovedVertex)
{
  KelAssert(_cldPolygon);
  KelAssert(_PolyEdgeCollapse);
  oRemovedVertex = 0;
  if (!_heapReady || _heapSize == 0) return 0;
  const int edge = _heap[0].edge;
  int kept = 0, removed = 0;
  Ends(edge, kept, removed);
  if (!IsHoleVertex(kept) && IsHoleVertex(removed)) std::swap(kept, removed);
  // The cheaper child of the top is nearly always the next step's edge (this step's costs
  // rarely undercut it): its data is asked for in stages while this step works, each stage
  // reading what the one before asked for.
  const int expected = HeapSize() > 1 ? _heap[CheaperChild(1, std::min(4, HeapSize() - 1))].edge : 0;
  KelPrefetch(&_edgeRecords[static_cast<size_t>(expected)]);
  // The contraction test walks both ends' triangles, and the collapse re-costs the edges
  // around both ends: all of it starts loading now, the polygon's lines first.
  _cldPolygon->PrefetchVertex(kept);
  _cldPolygon->PrefetchVertex(removed);
  PrefetchAround(kept);
  PrefetchAround(removed);
  _cldPolygon->PrefetchTrianglesAroundVertex(kept);
  _cldPolygon->PrefetchTrianglesAroundVertex(removed);
  double target[3];
  ComputeCoordinatesOfTargetVertex(kept, removed, target);
  bool refused = false;
  if (IsHoleVertex(kept) && IsHoleVertex(removed)) refused = !CheckFreeEdgeChordalDeviation(kept, removed, target);
  int nbRemoved = 0, t1 = 0, t2 = 0, w1 = 0, w2 = 0;
  if (!refused)
    nbRemoved = _PolyEdgeCollapse->PairContraction(kept, removed, KelMathPoint(target[0], target[1], target[2]), t1,
                                                   t2, w1, w2);
  int expectedEnds[2] = {0, 0};
  PrefetchStepStart(expected, expectedEnds);
  if (nbRemoved) {
    oRemovedVertex = removed;
    _cldPolygon->SetPoint(kept, target[0], target[1], target[2]);
    UpdateCustomVertexData(kept, removed);
    UpdateEdgeData(edge, kept, removed, w1, w2, expectedEnds);
    return nbRemoved;
  }
  // Refused: the edge waits until the edges around it have been handled.
  const float cost = _edgeRecords[static_cast<size_t>(edge)].cost;
  const double old = cost < 0.0f ? 0.0 : double(cost);
  const int heapIndex = SetKey(edge, static_cast<float>(std::min(std::max(old * 2.0 + 0.001, 0.0), KelMathInfinite)));
  KelAssert(heapIndex == 0);
  PrefetchRecordsAround(expectedEnds);
  HeapRestore(0);
  return 0;
}

void KelCldEdgeCollapseBase::PrefetchVertexData(const int) const {}

void KelCldEdgeCollapseBase::PrefetchStepStart(int iEdge, int oEnds[2]) const
{
  if (iEdge <= 0) return;
  Ends(iEdge, oEnds[0], oEnds[1]);
  for (int k = 0; k < 2; ++k) {
    const int v = oEnds[k];
    if (v <= 0) continue;
    _cldPolygon->PrefetchVertex(v);
    KelPrefetch(_EdgesList.Address(static_cast<size_t>(GetVertexIndex(v))));
    PrefetchVertexData(v);
  }
}

void KelCldEdgeCollapseBase::PrefetchAround(int iVertex) const
{
  for (const int f : _EdgesList.Get(static_cast<size_t>(GetVertexIndex(iVertex)))) {
    const int far = FarEnd(f, iVertex);
    PrefetchVertexData(far);
    _cldPolygon->PrefetchVertex(far);
    KelPrefetch(_EdgesList.Address(static_cast<size_t>(GetVertexIndex(far))));
    const int position = _edgeRecords[static_cast<size_t>(f)].heapPosition;
    if (position >= 0 && position < HeapSize()) KelPrefetch(&_heap[static_cast<size_t>(position)]);
  }
}

// Takes an edge of the kept vertex out of the queue, the table and its far vertex's list.
void KelCldEdgeCollapseBase::DeleteEdge(int iEdge, int iFarVertex)
{
  const int noEdge = iEdge;
  const bool listed = _EdgesList.Remove(static_cast<size_t>(GetVertexIndex(iFarVertex)), noEdge);
  KelAssertText(listed, "edgesListToUpdate->Locate (noEdge)");
  HeapRemove(_edgeRecords[static_cast<size_t>(iEdge)].heapPosition);
  SetEnds(iEdge, 0, 0);
}

void KelCldEdgeCollapseBase::UpdateEdgeData(int iCollapsedEdge, int iKept, int iRemoved, int iWing1, int iWing2,
                                            const int iExpectedEnds[2])
{
  const int iNoEdgeToCollapse = iCollapsedEdge, iNoVertex1Keep = iKept;
  KelAssert(_cldPolygon);
  KelAssertText(_heapReady, "_edgeCostHeap");
  // Read in place: deleting an edge edits only the list of its far end, never these two (no
  // edge joins a vertex to itself), and removals do not move other lists.
  const size_t keptSlot = static_cast<size_t>(GetVertexIndex(iKept));
  const size_t removedSlot = static_cast<size_t>(GetVertexIndex(iRemoved));
  const KelSmallListArray::Range edgesListVertex1 = _EdgesList.Get(keptSlot);
  const KelSmallListArray::Range edgesListVertex2 = _EdgesList.Get(removedSlot);
  KelAssertText(_EdgesList.Contains(keptSlot, iNoEdgeToCollapse), "edgesListVertex1.Locate (iNoEdgeToCollapse)");
  KelAssertText(_EdgesList.Contains(removedSlot, iNoEdgeToCollapse), "edgesListVertex2.Locate (iNoEdgeToCollapse)");

  // The removed vertex's edges now end at the kept vertex (the collapsed one too, cleared
  // below); by masks, as which end is the removed one follows no pattern.
  auto renamed = [&](const int iEnd) { return iEnd ^ ((iEnd ^ iKept) & -static_cast<int>(iEnd == iRemoved)); };
  for (const int f : edgesListVertex2) {
    int a = 0, b = 0;
    Ends(f, a, b);
    SetEnds(f, renamed(a), renamed(b));
  }
  // The kept vertex has moved, but its edges keep their old keys until they are costed again
  // below: the heap stays ordered on the keys it holds while other entries leave it.
  HeapRemove(0);
  SetEnds(iNoEdgeToCollapse, 0, 0);

  // N: the edges of both lists but the collapsed one and the duplicates at the wings. Where
  // those lie in a list follows no pattern, so every edge is written and kept by count, and
  // the few that end at a wing are noted and decided after each list, in the list's order.
  const size_t most = static_cast<size_t>(edgesListVertex1.size() + edgesListVertex2.size());
  if (_newList.size() < most) _newList.resize(most);
  if (_wingSlots.size() < most) _wingSlots.resize(most);
  int* const list = _newList.data();
  int count = 0;
  auto gather = [&](const KelSmallListArray::Range& iEdges) {
    int nbAtWings = 0;
    for (const int f : iEdges) {
      int a = 0, b = 0;
      Ends(f, a, b);
      // One end is the kept vertex (the collapsed edge, cleared, aside): the smallest of the
      // differences is 0.
      KelAssertText(std::min({static_cast<unsigned>(a ^ iNoVertex1Keep), static_cast<unsigned>(b ^ iNoVertex1Keep),
                              static_cast<unsigned>(f ^ iNoEdgeToCollapse)}) == 0,
                    "edgeVertex1 == iNoVertex1Keep");
      const int far = a ^ b ^ iKept;
      const int listed = static_cast<int>(f != iNoEdgeToCollapse);
      list[count] = f;
      _wingSlots[static_cast<size_t>(nbAtWings)] = count;
      nbAtWings += listed & (static_cast<int>(far == iWing1) | static_cast<int>(far == iWing2));
      count += listed;
    }
    return nbAtWings;
  };
  // Kept vertex to wing: deleted when no triangle holds it any more.
  const int keptAtWings = gather(edgesListVertex1);
  for (int i = 0; i < keptAtWings; ++i) {
    const int slot = _wingSlots[static_cast<size_t>(i)], f = list[slot], far = FarEnd(f, iKept);
    int s1 = 0, s2 = 0;
    if (!_PolyEdgeCollapse->IsWingKnownToStay(far) && _cldPolygon->GetEdgeTriangles(iKept, far, s1, s2) == 0) {
      DeleteEdge(f, far);
      list[slot] = 0;
    }
  }
  // Removed vertex to wing: duplicates the kept vertex's edge to the wing.
  const int removedAtWings = gather(edgesListVertex2);
  for (int i = 0; i < removedAtWings; ++i) {
    const int slot = _wingSlots[static_cast<size_t>(i)], f = list[slot];
    DeleteEdge(f, FarEnd(f, iKept));
    list[slot] = 0;
  }
  int out = 0;
  for (int i = 0; i < count; ++i) {
    list[out] = list[i];
    out += static_cast<int>(list[i] != 0);
  }
  PrefetchRecordsAround(iExpectedEnds);
  // The sifts run one after the other and each starts by reading its entry's children: those
  // lines are asked for first, and load while the new costs are computed.
  if (_newCosts.size() < static_cast<size_t>(out)) _newCosts.resize(static_cast<size_t>(out));
  const size_t lastPosition = static_cast<size_t>(std::max(HeapSize() - 1, 0));
  for (int i = 0; i < out; ++i) {
    const int position = std::max(_edgeRecords[static_cast<size_t>(list[i])].heapPosition, 0);
    KelPrefetch(&_heap[std::min(4 * static_cast<size_t>(position) + 1, lastPosition)]);
  }
  for (int i = 0; i < out; ++i) {
    int a = 0, b = 0;
    Ends(list[i], a, b);
    _newCosts[static_cast<size_t>(i)] = static_cast<float>(ComputeCostOfEdge(a, b));
  }
  for (int i = 0; i < out; ++i) {
    const int position = SetKey(list[i], _newCosts[static_cast<size_t>(i)]);
    if (position >= 0) HeapRestore(position);
  }
  _EdgesList.Clear(removedSlot);
  _EdgesList.Set(keptSlot, list, out);
}
