#include "KelCldFaceIterator.h"

#include "KelCldPolygon.h"

const IID IID_KelICldFaceIterator = {0x6b3c1a03, 0x4e21, 0x4c8a, {0x9d, 0x11, 0x5a, 0x20, 0x7e, 0x31, 0xc4, 0x03}};

KelImplementClass(KelCldFaceIterator, KelBaseUnknown, KelMetaImplementation)

KelCldFaceIterator::KelCldFaceIterator() = default;

KelCldFaceIterator::KelCldFaceIterator(KelCldPolygon* iPolygon) : _polygon(iPolygon)
{
  if (_polygon) _polygon->AddRef();
  int triangle = 0;
  Reset(triangle);
}

KelCldFaceIterator::~KelCldFaceIterator()
{
  if (_polygon) _polygon->Release();
  _polygon = nullptr;
}

// Stands in for the generated adapter: the iterator answers for its interface itself.
void* KelCldFaceIterator::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldFaceIterator) return static_cast<KelICldFaceIterator*>(this);
  return KelICldFaceIterator::GetInterface(iIID);
}

KelBoolean KelCldFaceIterator::Reset(int& oTriangle)
{
  if (!_polygon) return FALSE;
  _nbTriangles = _polygon->GetNbTriangles(1);
  _current = 0;
  return Next(oTriangle);
}

KelBoolean KelCldFaceIterator::Next(int& oTriangle)
{
  if (!_polygon) return FALSE;
  while (_current < _nbTriangles) {
    if (_polygon->IsTriangleActive(++_current)) {
      oTriangle = _current;
      return TRUE;
    }
  }
  return FALSE;
}
