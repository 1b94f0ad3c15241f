#ifndef KelICldHoles_h
#define KelICldHoles_h
// The hole table of a polygon: its closed loops of free edges as mesh curves of vertex
// points, computed once when the table is made (see KelCldHolesExtractOper). Get one with
// KelCldInterfaces::GetKelICldHoles and release it when done.

#include "KelBaseUnknown.h"
#include "KelRawColl.h"

class KelCldMeshCurve;
class KelCldPolygon;
class KelListPtrKelCldMeshCurve;

extern const IID IID_KelICldHoles;

class KelICldHoles : public KelBaseUnknown {
  KelDeclareClass

public:
  // The polygon with a new reference, or null.
  virtual KelCldPolygon* GetCldPolygon() const = 0;
  virtual int GetNumberOfHoles() const = 0;
  // The table's own list: the caller neither keeps nor releases its curves.
  virtual const KelListPtrKelCldMeshCurve& GetHoles() const = 0;
  // The first hole with a point on the triangle, with a new reference; null for 0 or none.
  virtual KelCldMeshCurve* GetHole(const int iTriangle) const = 0;
  // Every vertex on a hole, each once, increasing; emptied first.
  virtual void GetHoleVertices(KelRawCollint& oVertices) const = 0;
};

#endif
