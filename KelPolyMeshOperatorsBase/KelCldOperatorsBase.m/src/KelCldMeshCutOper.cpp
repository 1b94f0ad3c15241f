#include "KelCldMeshCutOper.h"

#include "KelCldMeshCopyOper.h"
#include "KelCldMeshDeleteOper.h"

KelImplementClass(KelCldMeshCutOper, KelCldTopologicalOper, KelMetaImplementation)

KelBoolean KelCldMeshCutOper::Run(KelCldPolygon* iSource, const KelRawCollint& iTriangles,
                                  KelCldPolygon* iTarget) const
{
  if (!iSource || !iTarget) return TRUE;
  const KelCldMeshCopyOper copy;
  if (!copy.Run(iSource, iTriangles, iTarget)) return FALSE;
  KelCldMeshDeleteOper deleteOper;
  return deleteOper.RunOnSelectedTriangles(iSource, iTriangles);
}
