#ifndef KelCldMesh_h
#define KelCldMesh_h
// The mesh object behind KelICldMesh: a data extension of the cloud polygon, one per polygon,
// made by the object model on the first request for the interface and destroyed with the
// polygon. It holds its polygon without a reference since the polygon owns it.
//
// Each vertex's (triangle's) attribute pointer in the polygon holds the number of its field
// in the vertex (face) field data; null until an attribute is first set on it. The attribute
// managers and field data are made by the first attribute operation that needs them.

#include "KelICldMesh.h"

class KelCldAttribute;
class KelCldAttributeMgr;
class KelCldFieldData;
class KelCldPolygon;

class KelCldMesh : public KelICldMesh {
  KelDeclareClass

public:
  // Must be made by the object model as an extension of a polygon.
  KelCldMesh();
  ~KelCldMesh() override;
  KelCldMesh(const KelCldMesh&) = delete;
  KelCldMesh& operator=(const KelCldMesh&) = delete;

  // The extension factory.
  static KelBaseUnknown* CreateItself();

  HRESULT GetVertexIterator(KelICldVertexIterator** oIterator) override;
  HRESULT GetEdgeIterator(KelICldEdgeIterator** oIterator) override;
  HRESULT GetFaceIterator(KelICldFaceIterator** oIterator) override;

  KelBoolean GetVertices(const KelRawCollint& iTriangles, KelRawCollint& oVertices) const override;
  KelBoolean IsVertexOnAFreeEdge(const int iVertex) const override;
  KelBoolean GetTriangles(const KelRawCollint& iVertices, KelRawCollint& oTriangles) const override;

  KelBoolean SetSizeOfVertexAttributesField(int iSize) override;
  KelBoolean DefineVertexAttribute(int iAttribute, int iSize) override;
  KelBoolean UndefineVertexAttribute(int iAttribute) override;
  KelBoolean HasVertexAttributeDefined(int iAttribute) const override;
  KelBoolean SetVertexAttribute(int iAttribute, const char* iValue) override;
  KelBoolean SetVertexAttribute(int iVertex, int iAttribute, const char* iValue) override;
  KelBoolean GetVertexAttribute(int iVertex, int iAttribute, char* oValue) const override;

  KelBoolean SetSizeOfFaceAttributesField(int iSize) override;
  KelBoolean DefineFaceAttribute(int iAttribute, int iSize) override;
  KelBoolean UndefineFaceAttribute(int iAttribute) override;
  KelBoolean HasFaceAttributeDefined(int iAttribute) const override;
  KelBoolean SetFaceAttribute(int iAttribute, const char* iValue) override;
  KelBoolean SetFaceAttribute(int iFace, int iAttribute, const char* iValue) override;
  KelBoolean GetFaceAttribute(int iFace, int iAttribute, char* oValue) const override;

  void EnableStates() override {}
  void DisableStates() override {}
  KelBoolean AreStatesEnabled() const override { return FALSE; }
  int Undo() override { return 0; }
  int Redo() override { return 0; }
  int GetCurrentState() override { return -1; }
  int ResetToState(const int) override { return 0; }
  void ClearStates() override {}
  int SetGeometricState(const int, const int*, const float*) override { return -1; }
  void UpdateVertexList(const int, const int, const KelRawCollint&, KelRawCollint&) const override {}

protected:
  void* GetInterface(const IID& iIID) override;

private:
  // Reads and writes of one kind of element's attribute pointer in the polygon.
  typedef KelCldAttribute* (KelCldPolygon::*AttributeGetter)(int) const;
  typedef void (KelCldPolygon::*AttributeSetter)(int, KelCldAttribute*);

  KelBoolean CreateVertexAttributeMgr();
  KelBoolean CreateFaceAttributeMgr();
  // The operations shared by both kinds of element.
  static KelBoolean SetSizeOfField(const KelCldAttributeMgr& iMgr, KelCldFieldData& ioData, int iSize);
  static KelBoolean DefineAttribute(KelCldAttributeMgr& ioMgr, KelCldFieldData& ioData, int iAttribute, int iSize);
  KelBoolean SetElementAttribute(const KelCldAttributeMgr& iMgr, KelCldFieldData& ioData, AttributeGetter iGet,
                                 AttributeSetter iSet, int iNbElements, int iElement, int iAttribute,
                                 const char* iValue);
  KelBoolean GetElementAttribute(const KelCldAttributeMgr& iMgr, const KelCldFieldData& iData,
                                 AttributeGetter iGet, int iElement, int iAttribute, char* oValue) const;

  KelCldPolygon* _cldPolygon;
  KelCldAttributeMgr* _vertexAttributeMgr;
  KelCldFieldData* _vertexFieldData;
  KelCldAttributeMgr* _faceAttributeMgr;
  KelCldFieldData* _faceFieldData;
};

#endif
