#include "KelCldGeometricalOper.h"

#include "KelCldPolygon.h"
#include "KelICldMesh.h"

KelImplementClass(KelCldGeometricalOper, KelCldOper, KelMetaImplementation)

KelBoolean KelCldGeometricalOper::SetGeometricState(KelCldPolygon* iPolygon, const int iCount,
                                                    const int* iVertices, const float* iValues)
{
  if (!iPolygon) return FALSE;
  KelICldMesh* mesh = nullptr;
  if (FAILED(iPolygon->QueryInterface(IID_KelICldMesh, reinterpret_cast<void**>(&mesh))) || !mesh) return FALSE;
  if (mesh->AreStatesEnabled()) mesh->SetGeometricState(iCount, iVertices, iValues);
  mesh->Release();
  return TRUE;
}
