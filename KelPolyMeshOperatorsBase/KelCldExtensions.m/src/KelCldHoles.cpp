#include "KelCldHoles.h"

#include <vector>

#include "KelCldHolesExtractOper.h"
#include "KelCldMeshCurveUtil.h"
#include "KelCldPolygon.h"
#include "KelCldUtil.h"
#include "KelFatalError.h"

const IID IID_KelICldHoles = {0x3d9e52b4, 0x7a10, 0x4f63, {0xa8, 0x2c, 0x61, 0x0e, 0x95, 0xd7, 0x4b, 0x13}};

KelImplementClass(KelICldHoles, KelBaseUnknown, KelMetaInterface)
KelImplementClass(KelCldHoles, KelICldHoles, KelMetaImplementation)

KelCldHoles::KelCldHoles() : _CldPolygon(nullptr) {}

KelCldHoles::KelCldHoles(KelCldPolygon* iPolygon) : _CldPolygon(nullptr) { Initialize(iPolygon); }

KelCldHoles::~KelCldHoles() { Finalize(); }

void* KelCldHoles::GetInterface(const IID& iIID)
{
  if (iIID == IID_KelICldHoles) return static_cast<KelICldHoles*>(this);
  return KelICldHoles::GetInterface(iIID);
}

void KelCldHoles::Initialize(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return;
  KelAssert(!_CldPolygon);
  _CldPolygon = iPolygon;
  _CldPolygon->AddRef();
  FindAllHoles();
}

void KelCldHoles::FindAllHoles()
{
  ClearAllHoles();
  if (!_CldPolygon) return;
  KelCldHolesExtractOper extraction;
  extraction.Run(_CldPolygon, _holes);
}

void KelCldHoles::ClearAllHoles()
{
  KelCldUtil::ReleaseObjects(_holes);
}

void KelCldHoles::Finalize()
{
  ClearAllHoles();
  if (_CldPolygon) _CldPolygon->Release();
  _CldPolygon = nullptr;
}

KelCldPolygon* KelCldHoles::GetCldPolygon() const
{
  if (_CldPolygon) _CldPolygon->AddRef();
  return _CldPolygon;
}

KelCldMeshCurve* KelCldHoles::GetHole(const int iTriangle) const
{
  if (!iTriangle) return nullptr;
  for (int k = 1; k <= _holes.Size(); ++k) {
    KelCldMeshCurve* hole = _holes[k];
    if (!KelCldMeshCurveUtil::HasTriangle(hole, iTriangle)) continue;
    hole->AddRef();
    return hole;
  }
  return nullptr;
}

void KelCldHoles::GetHoleVertices(KelRawCollint& oVertices) const
{
  oVertices.RemoveAll();
  if (!_CldPolygon || _holes.Size() == 0) return;
  const int nbVertices = _CldPolygon->GetNbPoints(1);
  std::vector<unsigned char> onHole(static_cast<size_t>(nbVertices) + 1, 0);
  for (int k = 1; k <= _holes.Size(); ++k) {
    const KelCldMeshCurve* hole = _holes[k];
    for (int i = 1; i <= hole->GetNumPoints(); ++i) {
      KelCldMeshPoint point;
      hole->GetMeshPoint(i, point);
      int vertex = 0;
      if (!point.GetVertex(vertex)) continue;
      KelAssert(0 < vertex && vertex <= nbVertices);
      onHole[static_cast<size_t>(vertex)] = 1;
    }
  }
  for (int vertex = 1; vertex <= nbVertices; ++vertex)
    if (onHole[static_cast<size_t>(vertex)]) oVertices.Append(vertex);
}
