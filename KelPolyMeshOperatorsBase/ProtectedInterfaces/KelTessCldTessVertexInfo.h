#ifndef KelTessCldTessVertexInfo_h
#define KelTessCldTessVertexInfo_h
// A host record attached to a vertex of the polygon. A vertex's records form a singly linked
// chain headed by the vertex's attribute pointer; each record belongs to its chain, which
// DeleteChain destroys. Only source-edge records (KelTessCldTessVertexInfoEdge) are read by
// the library.

class KelCldPolygon;
class KelTessCldTessVertexInfoEdge;

class KelTessCldTessVertexInfo {
public:
  KelTessCldTessVertexInfo() = default;
  virtual ~KelTessCldTessVertexInfo() = default;
  KelTessCldTessVertexInfo(const KelTessCldTessVertexInfo&) = delete;
  KelTessCldTessVertexInfo& operator=(const KelTessCldTessVertexInfo&) = delete;

  // The record as a source-edge record, null for other kinds.
  virtual KelTessCldTessVertexInfoEdge* AsEdge() { return nullptr; }
  virtual const KelTessCldTessVertexInfoEdge* AsEdge() const { return nullptr; }

  KelTessCldTessVertexInfo* GetNext() const { return _next; }
  void SetNext(KelTessCldTessVertexInfo* iNext) { _next = iNext; }

  // The chain of a vertex, null when it has none.
  static KelTessCldTessVertexInfo* GetChain(const KelCldPolygon& iPolygon, const int iVertex);
  // Stores the chain's head in the vertex's attribute pointer (the previous chain is not freed).
  static void SetChain(KelCldPolygon& ioPolygon, const int iVertex, KelTessCldTessVertexInfo* iHead);
  // Deletes every record from iHead on.
  static void DeleteChain(KelTessCldTessVertexInfo* iHead);

private:
  KelTessCldTessVertexInfo* _next = nullptr;
};

#endif
