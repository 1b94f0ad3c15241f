#ifndef KelICldMesh_h
#define KelICldMesh_h
// The mesh object of a polygon: one per polygon, created on the first request for
// IID_KelICldMesh and destroyed with the polygon. Ask the polygon for the interface, use it
// within the call and release it.
//
// - Selection conversions: GetVertices / GetTriangles give the distinct vertices of a set of
//   triangles / the distinct triangles around a set of vertices, in increasing order; the
//   output is emptied first. GetTriangles leaves the polygon optimised exactly as it found it.
// - Attributes: typed fixed-size data per vertex and per face, by attribute number (>= 1).
//   Define an attribute (its size in bytes) before setting or reading it. Values are copied
//   in and out with the registered size. Attributes live as long as the polygon. The mesh
//   uses the polygon's per-element attribute pointers to find each element's data.
// - States: the mesh keeps no history; the state operations are inert.

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

class KelICldVertexIterator;
class KelICldEdgeIterator;
class KelICldFaceIterator;

extern const IID IID_KelICldMesh;

class KelICldMesh : public KelBaseUnknown {
public:
  virtual HRESULT GetVertexIterator(KelICldVertexIterator** oIterator) = 0;
  // Always E_FAIL: edge iterators come from an edge table.
  virtual HRESULT GetEdgeIterator(KelICldEdgeIterator** oIterator) = 0;
  virtual HRESULT GetFaceIterator(KelICldFaceIterator** oIterator) = 0;

  virtual KelBoolean GetVertices(const KelRawCollint& iTriangles, KelRawCollint& oVertices) const = 0;
  // Needs the polygon's neighbourhood; does not optimise it.
  virtual KelBoolean IsVertexOnAFreeEdge(const int iVertex) const = 0;
  virtual KelBoolean GetTriangles(const KelRawCollint& iVertices, KelRawCollint& oTriangles) const = 0;

  // Field size in bytes; FALSE below the end of the furthest defined attribute.
  virtual KelBoolean SetSizeOfVertexAttributesField(int iSize) = 0;
  // FALSE when the number is below 1 or already defined.
  virtual KelBoolean DefineVertexAttribute(int iAttribute, int iSize) = 0;
  virtual KelBoolean UndefineVertexAttribute(int iAttribute) = 0;
  virtual KelBoolean HasVertexAttributeDefined(int iAttribute) const = 0;
  // On every vertex; TRUE only when every vertex took the value.
  virtual KelBoolean SetVertexAttribute(int iAttribute, const char* iValue) = 0;
  virtual KelBoolean SetVertexAttribute(int iVertex, int iAttribute, const char* iValue) = 0;
  // FALSE when the vertex never received an attribute.
  virtual KelBoolean GetVertexAttribute(int iVertex, int iAttribute, char* oValue) const = 0;

  virtual KelBoolean SetSizeOfFaceAttributesField(int iSize) = 0;
  virtual KelBoolean DefineFaceAttribute(int iAttribute, int iSize) = 0;
  virtual KelBoolean UndefineFaceAttribute(int iAttribute) = 0;
  virtual KelBoolean HasFaceAttributeDefined(int iAttribute) const = 0;
  // On every active face.
  virtual KelBoolean SetFaceAttribute(int iAttribute, const char* iValue) = 0;
  virtual KelBoolean SetFaceAttribute(int iFace, int iAttribute, const char* iValue) = 0;
  virtual KelBoolean GetFaceAttribute(int iFace, int iAttribute, char* oValue) const = 0;

  virtual void EnableStates() = 0;
  virtual void DisableStates() = 0;
  virtual KelBoolean AreStatesEnabled() const = 0;
  virtual int Undo() = 0;
  virtual int Redo() = 0;
  virtual int GetCurrentState() = 0;
  virtual int ResetToState(const int iState) = 0;
  virtual void ClearStates() = 0;
  virtual int SetGeometricState(const int iCount, const int* iVertices, const float* iValues) = 0;
  virtual void UpdateVertexList(const int, const int, const KelRawCollint&, KelRawCollint&) const = 0;
};

#endif
