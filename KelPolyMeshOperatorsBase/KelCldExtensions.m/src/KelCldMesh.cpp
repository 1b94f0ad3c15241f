#include "KelCldMesh.h"

#include <new>
#include <vector>

#include "KelCldUtilitiesBase.m/src/KelCldNumberMarks.h"

#include "KelCldAttributeMgr.h"
#include "KelCldFaceIterator.h"
#include "KelCldFieldData.h"
#include "KelCldIterators.h"
#include "KelCldPolygon.h"
#include "KelCldVertexIterator.h"
#include "KelFatalError.h"
#include "KelKelCldExtensionsTrace.h"

const IID IID_KelICldMesh = {0x6b3c1a01, 0x4e21, 0x4c8a, {0x9d, 0x11, 0x5a, 0x20, 0x7e, 0x31, 0xc4, 0x01}};

KelImplementClass(KelCldMesh, KelBaseUnknown, KelMetaDataExtension)

// Defined here with the interface identifier so that any program that asks for the mesh also
// links its registration.
static KelExtensionRegistrar gKelCldMeshRegistrar("KelCldPolygonQvm", IID_KelICldMesh, KelMetaDataExtension,
                                                  &KelCldMesh::CreateItself);

namespace {

}  // namespace

KelBaseUnknown* KelCldMesh::CreateItself() { return new (std::nothrow) KelCldMesh(); }

KelCldMesh::KelCldMesh()
    : _cldPolygon(nullptr), _vertexAttributeMgr(nullptr), _vertexFieldData(nullptr), _faceAttributeMgr(nullptr),
      _faceFieldData(nullptr)
{
  KelKelCldExtensionsTrace.TraPrint("KelCldMesh - Constructor");
  // The query reaches the extended polygon. The polygon owns the mesh, so no reference is kept.
  KelCldPolygon* polygon = nullptr;
  if (SUCCEEDED(QueryInterface(IID_KelCldPolygon, reinterpret_cast<void**>(&polygon))) && polygon) {
    _cldPolygon = polygon;
    polygon->Release();
  }
  KelAssert(_cldPolygon);
}

KelCldMesh::~KelCldMesh()
{
  KelKelCldExtensionsTrace.TraPrint("KelCldMesh - Destructor");
  if (_vertexAttributeMgr) _vertexAttributeMgr->Release();
  _vertexAttributeMgr = nullptr;
  if (_vertexFieldData) _vertexFieldData->Release();
  _vertexFieldData = nullptr;
  if (_faceAttributeMgr) _faceAttributeMgr->Release();
  _faceAttributeMgr = nullptr;
  if (_faceFieldData) _faceFieldData->Release();
  _faceFieldData = nullptr;
  _cldPolygon = nullptr;
}

// Stands in for the generated adapter: the mesh answers for its interface itself.
void* KelCldMesh::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldMesh) return static_cast<KelICldMesh*>(this);
  return KelICldMesh::GetInterface(iIID);
}

// ---------------------------------------------------------------------------------------------
// Iterators

HRESULT KelCldMesh::GetVertexIterator(KelICldVertexIterator** oIterator)
{
  return KelCldIterators::MakeIterator<KelCldVertexIterator>(_cldPolygon, IID_KelICldVertexIterator, oIterator);
}

HRESULT KelCldMesh::GetEdgeIterator(KelICldEdgeIterator**) { return E_FAIL; }

HRESULT KelCldMesh::GetFaceIterator(KelICldFaceIterator** oIterator)
{
  return KelCldIterators::MakeIterator<KelCldFaceIterator>(_cldPolygon, IID_KelICldFaceIterator, oIterator);
}

// ---------------------------------------------------------------------------------------------
// Selection conversions

KelBoolean KelCldMesh::GetVertices(const KelRawCollint& iTriangles, KelRawCollint& oVertices) const
{
  if (!_cldPolygon) return FALSE;
  const int nbPoints = _cldPolygon->GetNbPoints(1);
  KelCldNumberMarks marks;
  if (!marks.Allocate(nbPoints)) return FALSE;
  const int* triangles = iTriangles.Data();
  for (int i = 0; i < iTriangles.Size(); ++i) {
    const int noTriangle = triangles[i];
    int vertices[3], neighbors[3];
    _cldPolygon->GetTriangle(noTriangle, vertices, neighbors);
    KelAssertText(_cldPolygon->IsTriangleValid(noTriangle), "_cldPolygon->IsTriangleValid (noTriangle)");
    for (const int vertex : vertices)
      if (vertex >= 1) marks.Mark(vertex);
  }
  marks.Collect(oVertices);
  return TRUE;
}

KelBoolean KelCldMesh::GetTriangles(const KelRawCollint& iVertices, KelRawCollint& oTriangles) const
{
  if (!_cldPolygon) return FALSE;
  const KelBoolean wasOptimized = _cldPolygon->IsOptimized();
  if (!wasOptimized) _cldPolygon->Optimize();
  const int nbTriangles = _cldPolygon->GetNbTriangles(1);
  KelCldNumberMarks marks;
  if (!marks.Allocate(nbTriangles)) return FALSE;
  KelRawCollint around;
  const int* vertices = iVertices.Data();
  for (int i = 0; i < iVertices.Size(); ++i) {
    _cldPolygon->GetTrianglesAroundVertex(vertices[i], around);
    const int* triangles = around.Data();
    for (int j = 0; j < around.Size(); ++j) {
      const int triangle = triangles[j];
      KelAssertText(_cldPolygon->IsTriangleValid(triangle), "_cldPolygon->IsTriangleValid(triangle)");
      marks.Mark(triangle);
    }
  }
  marks.Collect(oTriangles);
  if (!wasOptimized) _cldPolygon->Unoptimize();
  return TRUE;
}

KelBoolean KelCldMesh::IsVertexOnAFreeEdge(const int iVertex) const
{
  if (!_cldPolygon) return FALSE;
  KelRawCollint triangles;
  if (!_cldPolygon->GetTrianglesAroundVertex(iVertex, triangles)) return FALSE;
  for (int i = 1; i <= triangles.Size(); ++i) {
    int vertices[3], neighbors[3];
    _cldPolygon->GetTriangle(triangles[i], vertices, neighbors);
    for (int edge = 0; edge < 3; ++edge)
      if (!neighbors[edge] && (vertices[edge] == iVertex || vertices[(edge + 1) % 3] == iVertex)) return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Attributes shared by vertices and faces

KelBoolean KelCldMesh::SetSizeOfField(const KelCldAttributeMgr& iMgr, KelCldFieldData& ioData, int iSize)
{
  if (iSize < iMgr.GetMinimumSizeOfField()) return FALSE;
  return ioData.SetSizeOfField(iSize);
}

KelBoolean KelCldMesh::DefineAttribute(KelCldAttributeMgr& ioMgr, KelCldFieldData& ioData, int iAttribute, int iSize)
{
  if (!ioMgr.Register(iAttribute, iSize)) return FALSE;
  const int minimum = ioMgr.GetMinimumSizeOfField();
  if (ioData.GetSizeOfField() < minimum && !ioData.SetSizeOfField(minimum)) {
    ioMgr.Unregister(iAttribute);
    return FALSE;
  }
  return TRUE;
}

KelBoolean KelCldMesh::SetElementAttribute(const KelCldAttributeMgr& iMgr, KelCldFieldData& ioData,
                                           AttributeGetter iGet, AttributeSetter iSet, int iNbElements, int iElement,
                                           int iAttribute, const char* iValue)
{
  // The polygon cannot keep a field number outside its numbers.
  if (iElement < 1 || iElement > iNbElements) return FALSE;
  KelCldAttribute* field = (_cldPolygon->*iGet)(iElement);
  if (!field) {
    field = ioData.AddField();
    (_cldPolygon->*iSet)(iElement, field);
  }
  return iMgr.SetAttributeData(ioData.GetField(field), iAttribute, iValue);
}

KelBoolean KelCldMesh::GetElementAttribute(const KelCldAttributeMgr& iMgr, const KelCldFieldData& iData,
                                           AttributeGetter iGet, int iElement, int iAttribute, char* oValue) const
{
  KelAssert(_cldPolygon);
  KelCldAttribute* field = (_cldPolygon->*iGet)(iElement);
  if (!field) return FALSE;
  return iMgr.GetAttributeData(iData.GetField(field), iAttribute, oValue);
}

// ---------------------------------------------------------------------------------------------
// Vertex attributes

KelBoolean KelCldMesh::CreateVertexAttributeMgr()
{
  KelAssert(!_vertexAttributeMgr && !_vertexFieldData);
  _vertexAttributeMgr = new (std::nothrow) KelCldAttributeMgr();
  _vertexFieldData = new (std::nothrow) KelCldFieldData();
  if (_vertexAttributeMgr && _vertexFieldData) return TRUE;
  if (_vertexAttributeMgr) _vertexAttributeMgr->Release();
  if (_vertexFieldData) _vertexFieldData->Release();
  _vertexAttributeMgr = nullptr;
  _vertexFieldData = nullptr;
  return FALSE;
}

KelBoolean KelCldMesh::SetSizeOfVertexAttributesField(int iSize)
{
  if (!_vertexAttributeMgr && !CreateVertexAttributeMgr()) return FALSE;
  KelAssert(_vertexFieldData);
  return SetSizeOfField(*_vertexAttributeMgr, *_vertexFieldData, iSize);
}

KelBoolean KelCldMesh::DefineVertexAttribute(int iAttribute, int iSize)
{
  if (!_vertexAttributeMgr && !CreateVertexAttributeMgr()) return FALSE;
  KelAssert(_vertexFieldData);
  return DefineAttribute(*_vertexAttributeMgr, *_vertexFieldData, iAttribute, iSize);
}

KelBoolean KelCldMesh::UndefineVertexAttribute(int iAttribute)
{
  return _vertexAttributeMgr ? _vertexAttributeMgr->Unregister(iAttribute) : FALSE;
}

KelBoolean KelCldMesh::HasVertexAttributeDefined(int iAttribute) const
{
  return _vertexAttributeMgr ? _vertexAttributeMgr->IsRegistered(iAttribute) : FALSE;
}

KelBoolean KelCldMesh::SetVertexAttribute(int iVertex, int iAttribute, const char* iValue)
{
  if (!_vertexAttributeMgr) return FALSE;
  KelAssert(_vertexFieldData);
  KelAssert(_cldPolygon);
  return SetElementAttribute(*_vertexAttributeMgr, *_vertexFieldData, &KelCldPolygon::GetPointAttribute,
                             &KelCldPolygon::SetPointAttribute, _cldPolygon->GetNbPoints(1), iVertex, iAttribute,
                             iValue);
}

KelBoolean KelCldMesh::SetVertexAttribute(int iAttribute, const char* iValue)
{
  if (!_vertexAttributeMgr) return FALSE;
  KelAssert(_vertexFieldData);
  KelAssert(_cldPolygon);
  KelICldVertexIterator* iterator = nullptr;
  if (FAILED(GetVertexIterator(&iterator)) || !iterator) return TRUE;
  const int nbPoints = _cldPolygon->GetNbPoints(1);
  KelBoolean result = TRUE;
  int vertex = 0;
  for (KelBoolean more = iterator->Reset(vertex); more; more = iterator->Next(vertex))
    if (!SetElementAttribute(*_vertexAttributeMgr, *_vertexFieldData, &KelCldPolygon::GetPointAttribute,
                             &KelCldPolygon::SetPointAttribute, nbPoints, vertex, iAttribute, iValue))
      result = FALSE;
  iterator->Release();
  return result;
}

KelBoolean KelCldMesh::GetVertexAttribute(int iVertex, int iAttribute, char* oValue) const
{
  if (!_vertexAttributeMgr) return FALSE;
  KelAssert(_vertexFieldData);
  return GetElementAttribute(*_vertexAttributeMgr, *_vertexFieldData, &KelCldPolygon::GetPointAttribute, iVertex,
                             iAttribute, oValue);
}

// ---------------------------------------------------------------------------------------------
// Face attributes

KelBoolean KelCldMesh::CreateFaceAttributeMgr()
{
  KelAssert(!_faceAttributeMgr && !_faceFieldData);
  _faceAttributeMgr = new (std::nothrow) KelCldAttributeMgr();
  _faceFieldData = new (std::nothrow) KelCldFieldData();
  if (_faceAttributeMgr && _faceFieldData) return TRUE;
  if (_faceAttributeMgr) _faceAttributeMgr->Release();
  if (_faceFieldData) _faceFieldData->Release();
  _faceAttributeMgr = nullptr;
  _faceFieldData = nullptr;
  return FALSE;
}

KelBoolean KelCldMesh::SetSizeOfFaceAttributesField(int iSize)
{
  if (!_faceAttributeMgr && !CreateFaceAttributeMgr()) return FALSE;
  KelAssert(_faceFieldData);
  return SetSizeOfField(*_faceAttributeMgr, *_faceFieldData, iSize);
}

KelBoolean KelCldMesh::DefineFaceAttribute(int iAttribute, int iSize)
{
  if (!_faceAttributeMgr && !CreateFaceAttributeMgr()) return FALSE;
  KelAssert(_faceFieldData);
  return DefineAttribute(*_faceAttributeMgr, *_faceFieldData, iAttribute, iSize);
}

KelBoolean KelCldMesh::UndefineFaceAttribute(int iAttribute)
{
  return _faceAttributeMgr ? _faceAttributeMgr->Unregister(iAttribute) : FALSE;
}

KelBoolean KelCldMesh::HasFaceAttributeDefined(int iAttribute) const
{
  return _faceAttributeMgr ? _faceAttributeMgr->IsRegistered(iAttribute) : FALSE;
}

KelBoolean KelCldMesh::SetFaceAttribute(int iFace, int iAttribute, const char* iValue)
{
  if (!_faceAttributeMgr) return FALSE;
  KelAssert(_faceFieldData);
  KelAssert(_cldPolygon);
  return SetElementAttribute(*_faceAttributeMgr, *_faceFieldData, &KelCldPolygon::GetTriangleAttribute,
                             &KelCldPolygon::SetTriangleAttribute, _cldPolygon->GetNbTriangles(1), iFace, iAttribute,
                             iValue);
}

KelBoolean KelCldMesh::SetFaceAttribute(int iAttribute, const char* iValue)
{
  if (!_faceAttributeMgr) return FALSE;
  KelAssert(_faceFieldData);
  KelAssert(_cldPolygon);
  KelICldFaceIterator* iterator = nullptr;
  if (FAILED(GetFaceIterator(&iterator)) || !iterator) return TRUE;
  const int nbTriangles = _cldPolygon->GetNbTriangles(1);
  KelBoolean result = TRUE;
  int face = 0;
  for (KelBoolean more = iterator->Reset(face); more; more = iterator->Next(face))
    if (!SetElementAttribute(*_faceAttributeMgr, *_faceFieldData, &KelCldPolygon::GetTriangleAttribute,
                             &KelCldPolygon::SetTriangleAttribute, nbTriangles, face, iAttribute, iValue))
      result = FALSE;
  iterator->Release();
  return result;
}

KelBoolean KelCldMesh::GetFaceAttribute(int iFace, int iAttribute, char* oValue) const
{
  if (!_faceAttributeMgr) return FALSE;
  KelAssert(_faceFieldData);
  return GetElementAttribute(*_faceAttributeMgr, *_faceFieldData, &KelCldPolygon::GetTriangleAttribute, iFace,
                             iAttribute, oValue);
}
