#include "KelCldUtil.h"

#include "KelCldBody.h"
#include "KelCldConstants.h"
#include "KelCldPolygon.h"
#include "KelMathLine.h"
#include "KelMathSetOfPoints.h"

namespace {

// Deletes every non-null entry as a T, then empties the collection.
template <class T>
void DeleteEntries(KelRawCollPV& ioEntries)
{
  for (int i = 1; i <= ioEntries.Size(); ++i) delete static_cast<T*>(ioEntries[i]);
  ioEntries.RemoveAll();
}

// The cell as a cloud polygon, or null for a cell of another type.
KelCldPolygon* AsPolygon(KelBaseUnknown* iCell) { return dynamic_cast<KelCldPolygon*>(iCell); }

}  // namespace

void KelCldUtil::ReleaseObjects(KelRawCollPV& ioObjects)
{
  for (int i = 1; i <= ioObjects.Size(); ++i)
    if (ioObjects[i]) static_cast<KelBaseUnknown*>(ioObjects[i])->Release();
  ioObjects.RemoveAll();
}

void KelCldUtil::ReleaseObjects(KelListPtrKelCurve& ioCurves)
{
  for (int i = 1; i <= ioCurves.Size(); ++i)
    if (ioCurves[i]) ioCurves[i]->Release();
  ioCurves.RemoveAll();
}

void KelCldUtil::ReleaseObjects(KelListPtrKelCldMeshCurve& ioCurves)
{
  for (int i = 1; i <= ioCurves.Size(); ++i)
    if (ioCurves[i]) ioCurves[i]->Release();
  ioCurves.RemoveAll();
}

void KelCldUtil::ReleaseKelListOfInt(KelRawCollPV& ioLists) { DeleteEntries<KelRawCollint>(ioLists); }

void KelCldUtil::ReleaseKelListOfDouble(KelRawCollPV& ioLists) { DeleteEntries<KelRawColldouble>(ioLists); }

void KelCldUtil::ReleaseKelMathSetOfPoints(KelRawCollPV& ioSets) { DeleteEntries<KelMathSetOfPoints>(ioSets); }

KelCldPolygon* KelCldUtil::GetPolygonFromBody(KelCldBody* iBody)
{
  if (!iBody) return nullptr;
  for (int i = 1; i <= iBody->GetNbCells(); ++i)
    if (KelCldPolygon* polygon = AsPolygon(iBody->GetCell(i))) {
      polygon->AddRef();
      return polygon;
    }
  return nullptr;
}

KelBoolean KelCldUtil::GetPolygonsFromBody(KelCldBody* iBody, KelRawCollPV& oPolygons)
{
  if (!iBody) return FALSE;
  KelBoolean found = FALSE;
  for (int i = 1; i <= iBody->GetNbCells(); ++i)
    if (KelCldPolygon* polygon = AsPolygon(iBody->GetCell(i))) {
      polygon->AddRef();
      oPolygons.Append(polygon);
      found = TRUE;
    }
  return found;
}

KelBoolean KelCldUtil::IsOnLineSegment(const KelMathPoint& iStart, const KelMathPoint& iEnd, const KelMathPoint& iPoint)
{
  if (iStart.SquareDistanceTo(iEnd) <= KelCldDistanceSquareEpsilon) return FALSE;
  double param = 0.0;
  return KelMathLine(iStart, iEnd).GetParam(iPoint, param, KelCldDistanceEpsilon, 0.0, 1.0) ? TRUE : FALSE;
}
