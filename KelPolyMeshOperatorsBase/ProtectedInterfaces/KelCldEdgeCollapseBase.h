#ifndef KelCldEdgeCollapseBase_h
#define KelCldEdgeCollapseBase_h
// The collapse queue of decimation: the unique edges of a polygon (or of a vertex region)
// ordered by a collapse cost, and one step that takes the cheapest edge, lets the contraction
// operator check and perform its collapse, and updates the costs around it.
//
// - Cheapest first; costs closer than 1e-5 go to the shorter edge. A refused edge gets the
//   cost 2 c + 0.001 and waits for the edges around it.
// - The surviving vertex of an edge is the hole vertex when exactly one end is on a hole.
// - Subclasses give the cost of an edge and the position of the merged vertex.
// - Each edge has one record (ends, cost in single precision, heap position) indexed by edge
//   number, and each heap entry carries the key it is ordered by, so that a comparison reads
//   the heap alone; each vertex keeps the list of its edges, so a step touches only the edges
//   around the collapse.
// - The queue is a 4-ary min-heap ordered by CompareValues with the order rules of
//   KelCldHeap (a tie never moves an edge; of two equal children the first wins, a node's
//   four children playing two pairs and then the winners), kept inline here so that its
//   comparisons need no call through the evaluator interface.
// - After any change of the polygon made outside Step, prepare the queue again.

#include <vector>

#include "KelCldBuildEdgesOper.h"
#include "KelCldEdgeCollapseOper.h"
#include "KelCldHeapEvaluator.h"
#include "KelCldPolygon.h"
#include "KelLargeArrayAllocator.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"
#include "KelSmallListArray.h"

class KelCldGeometryUtil;
class KelCldTopologyUtil;
class KelICldMesh;

class KelCldEdgeCollapseBase : public KelCldHeapEvaluator {
  KelDeclareClass

public:
  // Null: the queue creates its own contraction operator.
  explicit KelCldEdgeCollapseBase(KelCldEdgeCollapseOper* iContraction);
  ~KelCldEdgeCollapseBase() override;
  KelCldEdgeCollapseBase(const KelCldEdgeCollapseBase&) = delete;
  KelCldEdgeCollapseBase& operator=(const KelCldEdgeCollapseBase&) = delete;

  // Every edge of the polygon (with freeze boundary, those away from free edges). 0 for a
  // null polygon or one without mesh.
  int Set(KelCldPolygon* iPolygon);
  // The edges joining two listed vertices: collapses never move or remove a vertex outside
  // the list (with freeze boundary, nor one on or next to a free edge).
  int SetFromVertexList(KelCldPolygon* iPolygon, const KelRawCollint& iVertices);
  virtual void Reset();
  // Takes effect at the next preparation.
  void SetFreezeBoundary(unsigned char iFreeze) { _freezeBoundary = iFreeze != 0; }
  // Read at every step: how far a boundary may move when both ends of an edge are on holes.
  void SetChordalDeviationForFreeEdges(double iDeviation) { _chordalDeviationForFreeEdges = iDeviation; }

  // One collapse attempt: the number of triangles removed (0 when refused or when the queue
  // is empty) and the removed vertex (0 when none).
  int Step(int& oRemovedVertex);
  // Cost of the cheapest edge; KelMathInfinite when the queue is empty.
  float GetMinimalCost() const;
  KelBoolean IsHoleVertex(const int iVertex) const
  {
    return _PolyEdgeCollapse ? _PolyEdgeCollapse->IsHoleVertex(iVertex) : FALSE;
  }
  // The vertex's slot in the per-vertex data: its number, or its local index in a region run
  // (0 outside the region).
  int GetVertexIndex(const int iVertex) const
  {
    if (!_TemporaryVertexDataAttributeDefined) return iVertex;
    return iVertex > 0 && iVertex < static_cast<int>(_localIndex.size()) ? _localIndex[static_cast<size_t>(iVertex)] : 0;
  }

  int CompareValues(const int iEdge1, const int iEdge2) const override;
  void UpdateNum(const int iEdge, const int iPosition) override;

  virtual int ComputeCustomVertexAttributes(const KelRawCollint* iVertices);
  virtual void UpdateCustomVertexData(const int iKept, const int iRemoved);
  virtual double ComputeCostOfEdge(const int iVertex1, const int iVertex2) const = 0;
  virtual void ComputeCoordinatesOfTargetVertex(const int iVertex1, const int iVertex2, double* oTarget) const = 0;

protected:
  // Asks the memory for the vertex's own data ahead of its use; the default does nothing.
  virtual void PrefetchVertexData(const int iVertex) const;
  // The number of vertex slots of the per-vertex arrays.
  int GetNbVertexSlots() const { return _nbVertexSlots; }
  bool IsTemporaryIndexDefined() const { return _TemporaryVertexDataAttributeDefined; }
  const float* Coordinates() const { return _cldPolygon->GetCoordinates(); }

  KelCldPolygon* _cldPolygon = nullptr;
  KelICldMesh* _mesh = nullptr;
  KelCldTopologyUtil* _TopoUtil = nullptr;
  KelCldGeometryUtil* _GeoUtil = nullptr;

private:
  void ResetPrivate();
  int Prepare(KelCldPolygon* iPolygon);
  int CreateVertexAttributes();
  int CreateEdgeAttributes();
  int SetTemporaryVertexAttributes();
  void SetEdgeListForEachVertex();
  bool CheckFreeEdgeChordalDeviation(int iKept, int iRemoved, const double* iTarget) const;
  // iExpectedEnds: the ends of the edge expected next (0 when none), for the look-ahead.
  void UpdateEdgeData(int iCollapsedEdge, int iKept, int iRemoved, int iWing1, int iWing2, const int iExpectedEnds[2]);
  void DeleteEdge(int iEdge, int iFarVertex);
  // The squared length from the ends' current positions.
  double SquareLength(int iEdge) const;
  // The edge table's edges into the records (region runs).
  void MirrorEdges();
  // The records of every edge of the mesh, numbered as the edge table numbers them.
  void ListAllEdges();
  // Asks the memory for what the collapse of an edge at the vertex will read.
  void PrefetchAround(int iVertex) const;
  static constexpr int kPrefetchDistance = 8;
  // Asks for the edge's ends' edge lists, or their cost data and positions.
  void PrefetchEnds(int iEdge, bool iListsOnly) const;
  // Look-ahead for the edge expected at the next step: gives its ends and asks for what a
  // step reads first of them (polygon lines, edge lists, cost data).
  void PrefetchStepStart(int iEdge, int oEnds[2]) const;
  // Then the records of the edges around those ends, once their lists have arrived.
  void PrefetchRecordsAround(const int iVertices[2]) const
  {
    for (int k = 0; k < 2; ++k)
      if (const int v = iVertices[k]; v > 0)
        for (const int f : _EdgesList.Get(static_cast<size_t>(GetVertexIndex(v))))
          KelPrefetch(&_edgeRecords[static_cast<size_t>(f)]);
  }
  int NbEdgeSlots() const { return _edgeRecords.empty() ? 0 : static_cast<int>(_edgeRecords.size()) - 1; }
  void Ends(int iEdge, int& oVertex0, int& oVertex1) const
  {
    const EdgeRecord& record = _edgeRecords[static_cast<size_t>(iEdge)];
    oVertex0 = record.ends[0];
    oVertex1 = record.ends[1];
  }
  void SetEnds(int iEdge, int iVertex0, int iVertex1);
  // The end of the edge other than the vertex (one of its ends).
  int FarEnd(int iEdge, int iVertex) const
  {
    int a = 0, b = 0;
    Ends(iEdge, a, b);
    return a ^ b ^ iVertex;
  }

  KelCldBuildEdgesOper _edges;
  KelCldEdgeCollapseOper* _PolyEdgeCollapse = nullptr;
  // The heap: edge numbers by position (0 is the cheapest).
  int HeapSize() const { return _heapSize; }
  void HeapRemove(int iPosition);
  // The edge at the position changed cost: moves it up or down.
  void HeapRestore(int iPosition);
  void HeapSiftUp(int iPosition);
  void HeapSiftDown(int iPosition);
  // The cheaper of the entries at positions iFirst..iLast (siblings): of two equal ones, the
  // first; four play two pairs, then the winners.
  int CheaperChild(int iFirst, int iLast) const;
  bool Before(int iEdge1, int iEdge2) const;  // CompareValues < 0
  // A heap entry carries the edge's cost and squared length, so that the comparisons of a
  // sift read the heap's own memory, not scattered per-edge arrays.
  struct alignas(16) HeapEntry {
    float cost;
    int edge;
    double squareLength;
  };
  static bool Before(const HeapEntry& iEntry1, const HeapEntry& iEntry2);
  // Sets the edge's cost, and in its heap entry the cost and the squared length of its ends
  // now; returns the entry's position, -1 for an edge outside the heap.
  int SetKey(int iEdge, float iCost);
  // Position p is _heap[p]; position 1 starts a cache line, so that the four children of a
  // node (4 i + 1 .. 4 i + 4) share one line and its sixteen grandchildren four.
  std::vector<HeapEntry, KelLargeArrayAllocator<HeapEntry>> _heapStorage;
  HeapEntry* _heap = nullptr;
  int _heapSize = 0;
  bool _heapReady = false;
  int _nbVertexSlots = 0;
  KelSmallListArray _EdgesList;  // per vertex index
  bool _TemporaryVertexDataAttributeDefined = false;
  std::vector<int> _localIndex;            // per vertex number, with the temporary index
  bool _freezeBoundary = false;
  double _chordalDeviationForFreeEdges;
  // Everything the queue keeps of an edge, in one place: a step reads an edge's ends, cost and
  // heap position together. Sixteen bytes, four to a cache line; the squared length used to
  // break ties lives in the heap entry alone.
  struct EdgeRecord {
    int ends[2] = {0, 0};
    int heapPosition = -1;
    float cost = 0.0f;
  };
  std::vector<EdgeRecord, KelLargeArrayAllocator<EdgeRecord>> _edgeRecords;  // per edge number
  std::vector<int> _newList;             // scratch of UpdateEdgeData: the edges N, grown only
  std::vector<int> _wingSlots;           // scratch of UpdateEdgeData
  std::vector<float> _newCosts;          // scratch of UpdateEdgeData
};

#endif
