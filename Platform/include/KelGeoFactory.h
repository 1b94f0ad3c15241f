#ifndef KelGeoFactory_h
#define KelGeoFactory_h
// The geometric modeller's factory, reduced to what the library asks of it: NURBS curves and
// new empty cloud polygons. Every object it makes has one reference, which the caller owns.

#include "KelBaseUnknown.h"

class KelCldPolygon;
class KelKnotVector;
class KelMathSetOfPoints;
class KelNurbsCurve;

class KelGeoFactory : public KelBaseUnknown {
  KelDeclareClass

public:
  KelGeoFactory() = default;
  ~KelGeoFactory() override = default;
  KelGeoFactory(const KelGeoFactory&) = delete;
  KelGeoFactory& operator=(const KelGeoFactory&) = delete;

  // Null when the knot vector is not valid, the number of control points is not the one it
  // supports, or (with iIsRational) the weights are missing or not all positive. Without
  // iIsRational the weights are ignored and all 1.
  KelNurbsCurve* CreateNurbsCurve(const KelKnotVector& iKnots, int iIsRational, const double* iWeights,
                                  const KelMathSetOfPoints& iControlPoints);
  KelCldPolygon* CreateCldPolygon();
};

#endif
