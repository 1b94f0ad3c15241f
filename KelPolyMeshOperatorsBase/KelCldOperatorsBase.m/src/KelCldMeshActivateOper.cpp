#include "KelCldMeshActivateOper.h"

#include "KelCldPolygon.h"

KelImplementClass(KelCldMeshActivateOper, KelCldOper, KelMetaImplementation)

KelBoolean KelCldMeshActivateOper::Run(KelCldPolygon*) { return TRUE; }

KelBoolean KelCldMeshActivateOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  if (!iPolygon) return FALSE;
  iPolygon->DeactivateAllVertices();
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    const int t = iTriangles[i];
    int v[3], n[3];
    if (!iPolygon->GetTriangle(t, v, n)) continue;
    for (const int vertex : v) iPolygon->ActivateVertex(vertex);
  }
  iPolygon->NotifyModified();
  return TRUE;
}
