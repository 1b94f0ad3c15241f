#include "KelCldMeshCopyOper.h"

#include <memory>
#include <new>

#include "KelCldPolygon.h"
#include "KelFatalError.h"

KelImplementClass(KelCldMeshCopyOper, KelCldTopologicalOper, KelMetaImplementation)

KelBoolean KelCldMeshCopyOper::Run(KelCldPolygon* iSource, const KelRawCollint& iTriangles,
                                   KelCldPolygon* iTarget) const
{
  if (!iSource || !iTarget || iTriangles.Size() == 0) return FALSE;
  const int nbPoints = iSource->GetNbPoints(1);
  std::unique_ptr<int[]> newVertices(new (std::nothrow) int[nbPoints + 1]());
  if (!newVertices) return FALSE;
  for (int i = 1; i <= iTriangles.Size(); ++i) {
    int v[3];
    unsigned char orientation = 0;
    if (!iSource->GetTriangleVertices(iTriangles[i], v, orientation)) continue;
    int copied[3];
    for (int j = 0; j < 3; ++j) {
      int& target = newVertices[v[j]];
      if (!target) {
        float xyz[3];
        iSource->GetPoint(v[j], xyz);
        target = iTarget->AddPoint(xyz);
        if (target && !iSource->IsVertexActive(v[j])) iTarget->DeactivateVertex(target);
      }
      KelAssertText(newVertices[v[j]], "newVertices[j]");
      copied[j] = target;
    }
    iTarget->AddTriangle(copied);
  }
  iTarget->EndInsertion();
  return TRUE;
}
