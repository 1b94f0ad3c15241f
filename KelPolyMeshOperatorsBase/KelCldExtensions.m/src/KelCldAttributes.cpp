#include "KelCldAttributes.h"

#include <new>

#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelHashTable.h"
#include "KelICldFaceIterator.h"
#include "KelICldMesh.h"
#include "KelICldVertexIterator.h"

KelImplementClass(KelCldAttributes, KelBaseUnknown, KelMetaImplementation)

namespace {

// Size hint of the tables.
constexpr int kTableSize = 32768;

struct SavedAttribute {
  int element;
  KelCldAttribute* attribute;
};

unsigned int HashSaved(void* iRecord)
{
  return iRecord ? static_cast<unsigned int>(static_cast<SavedAttribute*>(iRecord)->element) : 0;
}

int CompareSaved(void* iRecord1, void* iRecord2)
{
  if (!iRecord1 || !iRecord2) return 1;
  const int key1 = static_cast<SavedAttribute*>(iRecord1)->element;
  const int key2 = static_cast<SavedAttribute*>(iRecord2)->element;
  return key1 < key2 ? -1 : (key1 == key2 ? 0 : 1);
}

// Deletes the records and the table without putting anything back.
void DeleteTable(KelHashTable*& ioTable)
{
  if (!ioTable) return;
  KelHashCodeIter iter(*ioTable);
  while (void* record = iter.Next()) delete static_cast<SavedAttribute*>(record);
  ioTable->RemoveAll();
  delete ioTable;
  ioTable = nullptr;
}

// Moves the non-null pointers of the elements that the mesh's iterator visits into a new
// table; the table is kept only when it received something.
template <class Iterator>
KelBoolean SaveAttributes(KelCldPolygon* iPolygon, HRESULT (KelICldMesh::*iGetIterator)(Iterator**),
                          KelCldAttribute* (KelCldPolygon::*iGet)(int) const,
                          void (KelCldPolygon::*iSet)(int, KelCldAttribute*), unsigned char& ioSaved,
                          KelHashTable*& oTable)
{
  oTable = new (std::nothrow) KelHashTable(kTableSize, HashSaved, CompareSaved);
  if (!oTable) return FALSE;
  KelICldMesh* mesh = nullptr;
  if (SUCCEEDED(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh))) && mesh) {
    Iterator* iterator = nullptr;
    if (SUCCEEDED((mesh->*iGetIterator)(&iterator)) && iterator) {
      int element = 0;
      for (KelBoolean more = iterator->Reset(element); more; more = iterator->Next(element)) {
        KelCldAttribute* attribute = (iPolygon->*iGet)(element);
        if (!attribute) continue;
        SavedAttribute* record = new (std::nothrow) SavedAttribute{element, attribute};
        if (!record) continue;
        if (!oTable->Insert(record)) {
          delete record;
          continue;
        }
        (iPolygon->*iSet)(element, nullptr);
      }
    }
    ioSaved = TRUE;
    if (iterator) iterator->Release();
    mesh->Release();
  }
  if (oTable->Size() == 0) {
    DeleteTable(oTable);
    return FALSE;
  }
  return TRUE;
}

// Puts every saved pointer back, in the table's order; an element that received a pointer
// meanwhile is a broken precondition (iMessage).
void RestoreAttributes(KelCldPolygon* iPolygon, KelCldAttribute* (KelCldPolygon::*iGet)(int) const,
                       void (KelCldPolygon::*iSet)(int, KelCldAttribute*), const char* iMessage,
                       unsigned char& ioSaved, KelHashTable*& ioTable)
{
  KelHashCodeIter iter(*ioTable);
  while (void* saved = iter.Next()) {
    const SavedAttribute* record = static_cast<SavedAttribute*>(saved);
    const int noVrtx = record->element;
    if ((iPolygon->*iGet)(noVrtx) != nullptr) KelFatalError(iMessage, __FILE__, __LINE__);
    (iPolygon->*iSet)(noVrtx, record->attribute);
  }
  DeleteTable(ioTable);
  ioSaved = FALSE;
}

}  // namespace

KelCldAttributes::KelCldAttributes(KelCldPolygon* iPolygon) : _polygon(iPolygon)
{
  if (_polygon) _polygon->AddRef();
}

KelCldAttributes::~KelCldAttributes()
{
  if (_polygon) _polygon->Release();
  _polygon = nullptr;
  DeleteTable(_vertexTable);
  DeleteTable(_faceTable);
}

KelBoolean KelCldAttributes::SaveVertexAttributes()
{
  if (_verticesSaved || _vertexTable || !_polygon) return FALSE;
  return SaveAttributes(_polygon, &KelICldMesh::GetVertexIterator, &KelCldPolygon::GetPointAttribute,
                        &KelCldPolygon::SetPointAttribute, _verticesSaved, _vertexTable);
}

KelBoolean KelCldAttributes::SaveFaceAttributes()
{
  if (_facesSaved || _faceTable || !_polygon) return FALSE;
  return SaveAttributes(_polygon, &KelICldMesh::GetFaceIterator, &KelCldPolygon::GetTriangleAttribute,
                        &KelCldPolygon::SetTriangleAttribute, _facesSaved, _faceTable);
}

KelBoolean KelCldAttributes::RestoreVertexAttributes()
{
  if (!_verticesSaved || !_vertexTable || !_polygon) return FALSE;
  RestoreAttributes(_polygon, &KelCldPolygon::GetPointAttribute, &KelCldPolygon::SetPointAttribute,
                    "AssertionFailed:cldPolygon->GetPointAttribute (noVrtx) == NULL", _verticesSaved, _vertexTable);
  return TRUE;
}

KelBoolean KelCldAttributes::RestoreFaceAttributes()
{
  if (!_facesSaved || !_faceTable || !_polygon) return FALSE;
  RestoreAttributes(_polygon, &KelCldPolygon::GetTriangleAttribute, &KelCldPolygon::SetTriangleAttribute,
                    "AssertionFailed:cldPolygon->GetTriangleAttribute (noVrtx) == NULL", _facesSaved, _faceTable);
  return TRUE;
}
