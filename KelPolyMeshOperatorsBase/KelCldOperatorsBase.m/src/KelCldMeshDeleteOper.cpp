#include "KelCldMeshDeleteOper.h"

#include "KelCldPolygon.h"

KelImplementClass(KelCldMeshDeleteOper, KelCldTopologicalOper, KelMetaImplementation)

KelBoolean KelCldMeshDeleteOper::Run(KelCldPolygon*) { return TRUE; }

KelBoolean KelCldMeshDeleteOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  if (!iPolygon) return FALSE;
  if (iTriangles.Size() == 0) return TRUE;
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    const int t = iTriangles[i];
    if (!iPolygon->IsTriangleValid(t)) continue;
    int v[3], n[3];
    iPolygon->GetTriangle(t, v, n);
    iPolygon->RemoveTriangle(t);
    for (const int vertex : v)
      if (vertex && !iPolygon->IsAVertex(vertex)) iPolygon->RemoveVertex(vertex);
  }
  iPolygon->NotifyModified();
  return TRUE;
}
