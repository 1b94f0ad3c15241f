#include "KelGeoFactory.h"

#include "KelCldPolygon.h"
#include "KelKnotVector.h"
#include "KelMathSetOfPoints.h"
#include "KelNurbsCurve.h"

KelImplementClassIn(KelGeoFactory, KelBaseUnknown, KelMetaImplementation, "KelPlatform")

KelNurbsCurve* KelGeoFactory::CreateNurbsCurve(const KelKnotVector& iKnots, int iIsRational, const double* iWeights,
                                               const KelMathSetOfPoints& iControlPoints)
{
  const int count = iControlPoints.GetNumberOfPoints();
  if (!iKnots.IsValid() || iKnots.GetNumberOfControlPoints() != count) return nullptr;
  if (iIsRational) {
    if (!iWeights) return nullptr;
    for (int i = 0; i < count; ++i)
      if (!(iWeights[i] > 0.0)) return nullptr;
  }
  return new KelNurbsCurve(iKnots, iIsRational ? iWeights : nullptr, iControlPoints);
}

KelCldPolygon* KelGeoFactory::CreateCldPolygon() { return KelCldPolygon::Create(); }
