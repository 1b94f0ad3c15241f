#include "KelCldEdgeCollapseOperWithAttribut.h"

#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelTessCldTessVertexInfo.h"
#include "KelTessCldTessVertexInfoEdge.h"

KelImplementClass(KelCldEdgeCollapseOperWithAttribut, KelCldEdgeCollapseOper, KelMetaImplementation)

namespace {

// Squared distance below which two vertices are merged whatever the other tests say.
constexpr float kCoincidentSquareDistance = 0.0001f;

bool HasSourceEdge(const KelTessCldTessVertexInfo* iChain)
{
  for (; iChain; iChain = iChain->GetNext())
    if (iChain->AsEdge()) return true;
  return false;
}

KelTessCldTessVertexInfoEdge* FindSourceEdge(KelTessCldTessVertexInfo* iChain, const int iSourceEdge)
{
  for (; iChain; iChain = iChain->GetNext()) {
    KelTessCldTessVertexInfoEdge* edge = iChain->AsEdge();
    if (edge && edge->GetSourceEdge() == iSourceEdge) return edge;
  }
  return nullptr;
}

}  // namespace

KelCldEdgeCollapseOperWithAttribut::KelCldEdgeCollapseOperWithAttribut(KelCldPolygon* iPolygon)
    : KelCldEdgeCollapseOper(iPolygon)
{
}

int KelCldEdgeCollapseOperWithAttribut::PairContraction(const int iVertexKeep, const int iVertexRemove,
                                                        const KelMathPoint& iTarget, int& oTriangle1,
                                                        int& oTriangle2, int& oWing1, int& oWing2)
{
  KelAssert(_CldPolygon);
  oTriangle1 = oTriangle2 = oWing1 = oWing2 = 0;
  if (!IsValidPair(iVertexKeep, iVertexRemove)) return 0;
  bool legal = IsContractionLegal(iVertexKeep, iVertexRemove, iTarget) != FALSE;
  if (legal && OnDifferentSourceEdges(iVertexKeep, iVertexRemove)) legal = false;
  if (!legal) {
    float keep[3], remove[3];
    _CldPolygon->GetPoint(iVertexKeep, keep);
    _CldPolygon->GetPoint(iVertexRemove, remove);
    const float dx = keep[0] - remove[0], dy = keep[1] - remove[1], dz = keep[2] - remove[2];
    if (dx * dx + dy * dy + dz * dz >= kCoincidentSquareDistance) return 0;
  }
  return Contract(iVertexKeep, iVertexRemove, oTriangle1, oTriangle2, oWing1, oWing2);
}

bool KelCldEdgeCollapseOperWithAttribut::OnDifferentSourceEdges(const int iVertexKeep, const int iVertexRemove) const
{
  KelTessCldTessVertexInfo* keep = KelTessCldTessVertexInfo::GetChain(*_CldPolygon, iVertexKeep);
  const KelTessCldTessVertexInfo* remove = KelTessCldTessVertexInfo::GetChain(*_CldPolygon, iVertexRemove);
  if (!HasSourceEdge(keep) || !HasSourceEdge(remove)) return false;
  for (; remove; remove = remove->GetNext()) {
    const KelTessCldTessVertexInfoEdge* edge = remove->AsEdge();
    if (edge && FindSourceEdge(keep, edge->GetSourceEdge())) return false;
  }
  return true;
}

void KelCldEdgeCollapseOperWithAttribut::BeforeVertexRemoval(const int iVertexKeep, const int iVertexRemove)
{
  KelTessCldTessVertexInfo* keep = KelTessCldTessVertexInfo::GetChain(*_CldPolygon, iVertexKeep);
  KelTessCldTessVertexInfo* remove = KelTessCldTessVertexInfo::GetChain(*_CldPolygon, iVertexRemove);
  for (const KelTessCldTessVertexInfo* record = remove; record; record = record->GetNext()) {
    const KelTessCldTessVertexInfoEdge* edge = record->AsEdge();
    if (!edge) continue;
    KelTessCldTessVertexInfoEdge* same = FindSourceEdge(keep, edge->GetSourceEdge());
    if (same) {
      if (edge->GetValue() > same->GetValue()) same->SetValue(edge->GetValue());
    } else {
      KelTessCldTessVertexInfoEdge* added = new KelTessCldTessVertexInfoEdge(edge->GetSourceEdge(), edge->GetValue());
      added->SetNext(keep);
      keep = added;
    }
  }
  KelTessCldTessVertexInfo::SetChain(*_CldPolygon, iVertexKeep, keep);
  KelTessCldTessVertexInfo::DeleteChain(remove);
  KelTessCldTessVertexInfo::SetChain(*_CldPolygon, iVertexRemove, nullptr);
}
