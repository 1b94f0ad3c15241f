#include "KelTessCldTessVertexInfo.h"

#include "KelCldPolygon.h"

// The polygon keeps an opaque pointer per vertex; for these vertices it points at the chain.
KelTessCldTessVertexInfo* KelTessCldTessVertexInfo::GetChain(const KelCldPolygon& iPolygon, const int iVertex)
{
  return reinterpret_cast<KelTessCldTessVertexInfo*>(iPolygon.GetPointAttribute(iVertex));
}

void KelTessCldTessVertexInfo::SetChain(KelCldPolygon& ioPolygon, const int iVertex, KelTessCldTessVertexInfo* iHead)
{
  ioPolygon.SetPointAttribute(iVertex, reinterpret_cast<KelCldAttribute*>(iHead));
}

void KelTessCldTessVertexInfo::DeleteChain(KelTessCldTessVertexInfo* iHead)
{
  while (iHead) {
    KelTessCldTessVertexInfo* next = iHead->_next;
    delete iHead;
    iHead = next;
  }
}
