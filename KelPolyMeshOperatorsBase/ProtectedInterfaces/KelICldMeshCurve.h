#ifndef KelICldMeshCurve_h
#define KelICldMeshCurve_h
// A mesh curve seen through the object model: the polygon it lies on. Hand one out with
// KelCldInterfaces::GetKelICldMeshCurve; the caller releases it.

#include "KelBaseUnknown.h"

class KelCldPolygon;

extern const IID IID_KelICldMeshCurve;

class KelICldMeshCurve : public KelBaseUnknown {
  KelDeclareClass

public:
  // The polygon the curve lies on (no reference added); null for a curve on no polygon.
  virtual KelCldPolygon* GetPolyMesh() const = 0;
};

#endif
