#include "KelCldEdgeIterator.h"

#include "KelCldBuildEdgesOper.h"

KelImplementClass(KelCldEdgeIterator, KelBaseUnknown, KelMetaImplementation)

KelCldEdgeIterator::KelCldEdgeIterator() = default;

KelCldEdgeIterator::KelCldEdgeIterator(KelCldBuildEdgesOper* iEdgeTable) : _edgeTable(iEdgeTable)
{
  int edge = 0;
  Reset(edge);
}

KelCldEdgeIterator::~KelCldEdgeIterator() { _edgeTable = nullptr; }

// Stands in for the generated adapter: the iterator answers for its interface itself.
void* KelCldEdgeIterator::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldEdgeIterator) return static_cast<KelICldEdgeIterator*>(this);
  return KelICldEdgeIterator::GetInterface(iIID);
}

KelBoolean KelCldEdgeIterator::Reset(int& oEdge)
{
  if (!_edgeTable) return FALSE;
  _nbEdges = _edgeTable->GetNbEdges(TRUE);
  _current = 0;
  return Next(oEdge);
}

KelBoolean KelCldEdgeIterator::Next(int& oEdge)
{
  if (!_edgeTable) return FALSE;
  while (_current < _nbEdges) {
    if (_edgeTable->IsValidEdge(++_current)) {
      oEdge = _current;
      return TRUE;
    }
  }
  return FALSE;
}
