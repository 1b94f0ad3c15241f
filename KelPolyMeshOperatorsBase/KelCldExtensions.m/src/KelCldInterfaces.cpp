// Factories of the extension objects made on demand; each joins this file together with the
// class it makes.
#include "KelCldInterfaces.h"

#include "KelCldHoles.h"
#include "KelCldMeshCurve.h"

KelICldMeshCurve* KelCldInterfaces::GetKelICldMeshCurve(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return nullptr;
  KelCldMeshCurve* curve = new KelCldMeshCurve(iPolygon);
  KelICldMeshCurve* curveInterface = nullptr;
  curve->QueryInterface(IID_KelICldMeshCurve, reinterpret_cast<void**>(&curveInterface));
  curve->Release();
  return curveInterface;
}

KelICldHoles* KelCldInterfaces::GetKelICldHoles(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return nullptr;
  KelCldHoles* holes = new KelCldHoles(iPolygon);
  KelICldHoles* holesInterface = nullptr;
  holes->QueryInterface(IID_KelICldHoles, reinterpret_cast<void**>(&holesInterface));
  holes->Release();
  return holesInterface;
}
