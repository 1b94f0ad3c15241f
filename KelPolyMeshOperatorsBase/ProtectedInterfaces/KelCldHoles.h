#ifndef KelCldHoles_h
#define KelCldHoles_h
// The hole table behind KelICldHoles. It holds its polygon and one reference on each hole
// curve, and does not follow later changes of the polygon: call FindAllHoles again (or make a
// new table) after editing the triangles.
//
// Not kept with the polygon: every KelCldInterfaces::GetKelICldHoles makes a new table, and an
// operator may make one directly on the stack or with new.

#include "KelICldHoles.h"
#include "KelListOfKelCldMeshCurves.h"

class KelCldHoles : public KelICldHoles {
  KelDeclareClass

public:
  KelCldHoles();
  explicit KelCldHoles(KelCldPolygon* iPolygon);
  ~KelCldHoles() override;
  KelCldHoles(const KelCldHoles&) = delete;
  KelCldHoles& operator=(const KelCldHoles&) = delete;

  // Takes the polygon (nothing for null) and finds its holes; fatal
  // "AssertionFailed:!_CldPolygon" when a polygon is already held.
  void Initialize(KelCldPolygon* iPolygon);
  // Drops the holes and extracts them again from the polygon as it is now.
  void FindAllHoles();
  void ClearAllHoles();
  // Drops the holes and the polygon.
  void Finalize();

  KelCldPolygon* GetCldPolygon() const override;
  int GetNumberOfHoles() const override { return _holes.Size(); }
  const KelListPtrKelCldMeshCurve& GetHoles() const override { return _holes; }
  KelCldMeshCurve* GetHole(const int iTriangle) const override;
  // A listed vertex outside 1..GetNbPoints(1) is fatal
  // ("AssertionFailed:0 < vertex && vertex <= nbVertices").
  void GetHoleVertices(KelRawCollint& oVertices) const override;

protected:
  void* GetInterface(const IID& iIID) override;

private:
  KelCldPolygon* _CldPolygon;
  KelListPtrKelCldMeshCurve _holes;
};

#endif
