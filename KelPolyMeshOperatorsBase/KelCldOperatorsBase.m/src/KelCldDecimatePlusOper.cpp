#include "KelCldDecimatePlusOper.h"

#include "KelCldFixSmallAngleTrianglesOper.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelFuzCallback.h"

KelImplementClass(KelCldDecimatePlusOper, KelCldTopologicalOper, KelMetaImplementation)

KelCldDecimatePlusOper::KelCldDecimatePlusOper(KelCldEdgeCollapseOper* iContraction)
    : _decimateOper(new KelCldDecimateOper(iContraction))
{
}

KelCldDecimatePlusOper::~KelCldDecimatePlusOper()
{
  if (_decimateOper) _decimateOper->Release();
}

void KelCldDecimatePlusOper::SetPercentage(double iPercentage)
{
  KelAssert(_decimateOper);
  _decimateOper->SetDecimationType(KelCldDecimateOper::ChordalDeviationDecimationType);
  _decimateOper->SetStoppingCriterion(KelCldDecimateOper::PercentageStoppingCriterion);
  _decimateOper->SetPercentage(iPercentage);
}

void KelCldDecimatePlusOper::SetTriangleCount(int iCount)
{
  KelAssert(_decimateOper);
  _decimateOper->SetDecimationType(KelCldDecimateOper::ChordalDeviationDecimationType);
  _decimateOper->SetStoppingCriterion(KelCldDecimateOper::TriangleCountStoppingCriterion);
  _decimateOper->SetTriangleCount(iCount);
}

void KelCldDecimatePlusOper::SetChordalDeviation(double iDeviation)
{
  KelAssert(_decimateOper);
  _decimateOper->SetDecimationType(KelCldDecimateOper::ChordalDeviationDecimationType);
  _decimateOper->SetStoppingCriterion(KelCldDecimateOper::ChordalDeviationStoppingCriterion);
  _decimateOper->SetChordalDeviation(iDeviation);
}

void KelCldDecimatePlusOper::SetFreezeBoundary(const unsigned char iFreeze)
{
  KelAssert(_decimateOper);
  _decimateOper->SetFreezeBoundary(iFreeze);
}

void KelCldDecimatePlusOper::SetChordalDeviationForFreeEdges(double iDeviation)
{
  KelAssert(_decimateOper);
  _decimateOper->SetChordalDeviationForFreeEdges(iDeviation);
}

void KelCldDecimatePlusOper::SetStoppingCriterion(const KelCldDecimateOper::StoppingCriterion iCriterion)
{
  KelAssert(_decimateOper);
  _decimateOper->SetStoppingCriterion(iCriterion);
}

KelBoolean KelCldDecimatePlusOper::Run(KelCldPolygon* iPolygon)
{
  KelAssert(_decimateOper);
  KelFuzCallback* callback = GetCallback();
  KelFuzCallback* child = new KelFuzCallback(callback, 0, 80);
  _decimateOper->SetCallback(child);
  child->Release();
  const KelBoolean decimated = _decimateOper->Run(iPolygon);
  _decimateOper->SetCallback(nullptr);
  if (!decimated) return FALSE;
  KelCldFixSmallAngleTrianglesOper repair;
  repair.SetTolerance(_minimumAngle);
  const KelBoolean repaired = repair.Run(iPolygon);
  if (repaired && callback) return callback->SetProgress(100);
  return repaired;
}

KelBoolean KelCldDecimatePlusOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles)
{
  KelRawCollint triangles;
  return RunOnSelectedTriangles(iPolygon, iTriangles, triangles);
}

KelBoolean KelCldDecimatePlusOper::RunOnSelectedTriangles(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles,
                                                          KelRawCollint& oTriangles)
{
  KelAssert(_decimateOper);
  if (!_decimateOper->RunOnSelectedTriangles(iPolygon, iTriangles, oTriangles)) return FALSE;
  const KelRawCollint region = oTriangles;
  KelCldFixSmallAngleTrianglesOper repair;
  repair.SetTolerance(_minimumAngle);
  return repair.RunOnSelectedTriangles(iPolygon, region, oTriangles);
}
