#include "KelCldMeshCurveRelaxOper.h"

#include <algorithm>

#include "KelCldConstants.h"
#include "KelCldGeometryUtil.h"
#include "KelCldMeshCurve.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelListOfKelCldMeshCurves.h"

KelImplementClass(KelCldMeshCurveRelaxOper, KelBaseUnknown, KelMetaImplementation)

KelCldMeshCurveRelaxOper::KelCldMeshCurveRelaxOper(KelCldPolygon* iPolygon) : _polygon(iPolygon)
{
  if (!_polygon) return;
  _polygon->AddRef();
  _geometryUtil = new KelCldGeometryUtil(_polygon);
}

KelCldMeshCurveRelaxOper::~KelCldMeshCurveRelaxOper()
{
  if (_geometryUtil) _geometryUtil->Release();
  if (_polygon) _polygon->Release();
}

bool KelCldMeshCurveRelaxOper::NearEnds(const KelCldMeshPoint& iPoint, int oEnds[2], bool oNear[2]) const
{
  if (!iPoint.GetEdge(oEnds[0], oEnds[1])) return false;
  if (!_polygon->IsAVertex(oEnds[0]) || !_polygon->IsAVertex(oEnds[1])) return false;
  const KelMathPoint a = _geometryUtil->GetVertexPoint(oEnds[0]);
  const KelMathPoint b = _geometryUtil->GetVertexPoint(oEnds[1]);
  const double tolerance = std::max(KelCldDistanceEpsilon, 0.001 * a.DistanceTo(b));
  oNear[0] = a.DistanceTo(iPoint.GetPosition()) < tolerance;
  oNear[1] = b.DistanceTo(iPoint.GetPosition()) < tolerance;
  return true;
}

int KelCldMeshCurveRelaxOper::GetVertices(KelCldMeshCurve* iCurve, KelRawCollint& ioVertices) const
{
  if (!iCurve || iCurve->GetNumPoints() == 0) return 0;
  KelAssert(_geometryUtil);
  KelCldMeshPoint point;
  int ends[2];
  bool near[2];
  for (int i = 1; i <= iCurve->GetNumPoints(); ++i) {
    iCurve->GetMeshPoint(i, point);
    if (!NearEnds(point, ends, near)) continue;
    const int vertex = near[0] ? ends[0] : near[1] ? ends[1] : 0;
    if (vertex && !ioVertices.Locate(vertex)) ioVertices.Append(vertex);
  }
  return 1;
}

int KelCldMeshCurveRelaxOper::Relax(KelCldMeshCurve* ioCurve, const int iVertex) const
{
  if (!ioCurve) return 0;
  KelAssert(_geometryUtil);
  KelCldMeshPoint point;
  int ends[2];
  bool near[2];
  for (int i = 1; i <= ioCurve->GetNumPoints(); ++i) {
    ioCurve->GetMeshPoint(i, point);
    if (!NearEnds(point, ends, near)) continue;
    if (!((iVertex == ends[0] && near[0]) || (iVertex == ends[1] && near[1]))) continue;
    point.SetVertex(iVertex);
    point.SetPosition(_geometryUtil->GetVertexPoint(iVertex));
    ioCurve->SetMeshPoint(i, point);
  }
  ioCurve->RemoveDuplicates();
  return 1;
}

int KelCldMeshCurveRelaxOper::Relax(KelCldMeshCurve* ioCurve, const KelRawCollint& iVertices) const
{
  if (!ioCurve) return 0;
  int result = 1;
  for (int i = 1; i <= iVertices.Size() && result; ++i) result = Relax(ioCurve, iVertices[i]);
  return result;
}

int KelCldMeshCurveRelaxOper::Run(const KelListPtrKelCldMeshCurve& ioCurves) const
{
  KelRawCollint vertices;
  for (int i = 1; i <= ioCurves.Size(); ++i) {
    KelCldMeshCurve* curve = ioCurves[i];
    if (!curve) continue;
    GetVertices(curve, vertices);
    if (vertices.Size()) Relax(curve, vertices);
  }
  return 1;
}
