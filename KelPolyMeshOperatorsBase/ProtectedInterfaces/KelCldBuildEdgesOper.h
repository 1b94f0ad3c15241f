#ifndef KelCldBuildEdgesOper_h
#define KelCldBuildEdgesOper_h
// Edge table: the unique undirected edges of a set of triangles of a polygon.
//
// - Edges are numbered 1, 2, ... in order of first appearance, scanning the input triangles
//   in list order and, in each triangle (a, b, c), the edges (a, b), (b, c), (c, a).
// - For input position i, GetTriangleEdges(i) gives the numbers of those three edges; a
//   triangle that is not valid gets 0, 0, 0 and creates no edge.
// - Each edge records its first triangle in build order and the last later one (0 if none).
// - Numbers are never reused: a removed edge keeps its slot with vertices (0, 0).
// - Edge attributes follow the scheme of the mesh's vertex attributes; they survive rebuilds.
//
// A plain class (not reference counted) that holds a reference on the polygon of its last
// build. An edge iterator obtained from it holds the table without a reference, so the table
// must outlive the iterator.

#include "KelListValCldBarRecord.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelCldAttribute;
class KelCldAttributeMgr;
class KelCldFieldData;
class KelCldPolygon;
class KelICldEdgeIterator;

class KelCldBuildEdgesOper {
public:
  KelCldBuildEdgesOper();
  ~KelCldBuildEdgesOper();
  KelCldBuildEdgesOper(const KelCldBuildEdgesOper&) = delete;
  KelCldBuildEdgesOper& operator=(const KelCldBuildEdgesOper&) = delete;

  // ---- Building ----
  // Every valid triangle, in increasing number order (positions count valid triangles).
  void Build(KelCldPolygon* iPolygon);
  // The triangles incident to the vertices, as the polygon's mesh lists them.
  void BuildFromVertices(KelCldPolygon* iPolygon, const KelRawCollint& iVertices);
  void BuildFromTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles);

  // ---- Queries ----
  // TRUE: number of edge slots, removed ones included; FALSE: live edges.
  int GetNbEdges(unsigned char iAll) const;
  void GetEdge(int iEdgeIndex, int& oVertex0, int& oVertex1) const;
  void GetEdge(int iEdgeIndex, int& oVertex0, int& oVertex1, int& oTriangle0, int& oTriangle1) const;
  // iPosition is the position in the list the table was built from.
  void GetTriangleEdges(int iPosition, int& oEdge0, int& oEdge1, int& oEdge2) const;
  KelBoolean EdgesAreIdentical(const int iNoEdge1, const int iNoEdge2) const;
  KelBoolean IsValidEdge(const int iNoEdge) const;
  // Ends of the live edges, each once, increasing; FALSE before any build.
  KelBoolean GetVertices(KelRawCollint& oVertices) const;
  // Not offered by the edge table: FALSE.
  KelBoolean GetTriangles(KelRawCollint& oTriangles) const;
  HRESULT GetEdgeIterator(KelICldEdgeIterator** oIterator);

  // ---- Editing ----
  // For live edges only: vertices become (0, 0); triangles and attribute stay.
  KelBoolean RemoveEdge(const int iNoEdge);
  KelBoolean UpdateEdge(const int iNoEdge, const int iV0, const int iV1);

  // ---- Edge attributes ----
  KelBoolean SetSizeOfEdgeAttributesField(int iSize);
  KelBoolean DefineEdgeAttribute(int iAttribute, int iSize);
  KelBoolean UndefineEdgeAttribute(int iAttribute);
  KelBoolean SetEdgeAttribute(int iNoEdge, int iAttribute, const char* iValue);
  KelBoolean GetEdgeAttribute(int iNoEdge, int iAttribute, char* oValue) const;
  KelCldAttribute* GetEdgesRecordAttribute(const int iNoEdge) const;
  void SetEdgesRecordAttribute(const int iNoEdge, KelCldAttribute* iAttribute);

private:
  void CreateEdgeAttributeStore();

  KelCldPolygon* _polygon = nullptr;
  KelListValCldBarRecord* _uniqueEdges = nullptr;
  KelRawCollint _triangleEdges;
  int _nbLiveEdges = 0;
  KelCldAttributeMgr* _edgeAttributeMgr = nullptr;
  KelCldFieldData* _edgeFieldData = nullptr;
};

#endif
