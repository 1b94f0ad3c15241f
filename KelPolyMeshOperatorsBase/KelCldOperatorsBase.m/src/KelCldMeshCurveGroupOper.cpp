#include "KelCldMeshCurveGroupOper.h"

#include "KelCldMeshCurve.h"
#include "KelListOfKelCldMeshCurves.h"

KelImplementClass(KelCldMeshCurveGroupOper, KelBaseUnknown, KelMetaImplementation)

int KelCldMeshCurveGroupOper::MeetEndToEnd(const KelCldMeshCurve& iCurve0, const KelCldMeshCurve& iCurve1)
{
  if (iCurve0.GetPolyMesh() != iCurve1.GetPolyMesh() || iCurve0.IsClosedLoop() || iCurve1.IsClosedLoop()) return 0;
  KelCldMeshPoint start0, end0, start1, end1;
  if (!iCurve0.GetStartPoint(start0) || !iCurve0.GetEndPoint(end0) || !iCurve1.GetStartPoint(start1) ||
      !iCurve1.GetEndPoint(end1))
    return 0;
  return start0 == start1 || start0 == end1 || end0 == start1 || end0 == end1 ? 1 : 0;
}

int KelCldMeshCurveGroupOper::Run(const KelListPtrKelCldMeshCurve& iCurves, KelListPtrKelCldMeshCurve& oCurves) const
{
  // Copies first: iCurves may be oCurves itself.
  KelListPtrKelCldMeshCurve groups;
  for (int i = 1; i <= iCurves.Size(); ++i)
    if (iCurves[i] && iCurves[i]->GetNumPoints() > 0) groups.Append(new KelCldMeshCurve(*iCurves[i]));

  for (int i = 1; i <= groups.Size(); ++i) {
    // After a join the grown curve may meet curves already passed over: look again from the
    // start until nothing joins.
    for (int j = i + 1; j <= groups.Size();) {
      if (MeetEndToEnd(*groups[i], *groups[j]) && groups[i]->Merge(*groups[j])) {
        groups[j]->Release();
        groups.RemovePosition(j);
        j = i + 1;
      } else {
        ++j;
      }
    }
  }

  oCurves.RemoveAll();
  oCurves.Append(groups);
  return oCurves.Size();
}
