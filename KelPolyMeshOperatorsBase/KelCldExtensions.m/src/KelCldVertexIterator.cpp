#include "KelCldVertexIterator.h"

#include "KelCldPolygon.h"

const IID IID_KelICldVertexIterator = {0x6b3c1a02, 0x4e21, 0x4c8a, {0x9d, 0x11, 0x5a, 0x20, 0x7e, 0x31, 0xc4, 0x02}};

KelImplementClass(KelCldVertexIterator, KelBaseUnknown, KelMetaImplementation)

KelCldVertexIterator::KelCldVertexIterator() = default;

KelCldVertexIterator::KelCldVertexIterator(KelCldPolygon* iPolygon) : _polygon(iPolygon)
{
  if (_polygon) _polygon->AddRef();
  int vertex = 0;
  Reset(vertex);
}

KelCldVertexIterator::~KelCldVertexIterator()
{
  if (_polygon) _polygon->Release();
  _polygon = nullptr;
}

// Stands in for the generated adapter: the iterator answers for its interface itself.
void* KelCldVertexIterator::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldVertexIterator) return static_cast<KelICldVertexIterator*>(this);
  return KelICldVertexIterator::GetInterface(iIID);
}

KelBoolean KelCldVertexIterator::Reset(int& oVertex)
{
  if (!_polygon) return FALSE;
  _nbPoints = _polygon->GetNbPoints(1);
  _current = 0;
  return Next(oVertex);
}

KelBoolean KelCldVertexIterator::Next(int& oVertex)
{
  if (!_polygon) return FALSE;
  while (_current < _nbPoints) {
    if (_polygon->IsAVertex(++_current)) {
      oVertex = _current;
      return TRUE;
    }
  }
  return FALSE;
}
