#ifndef KelCldInterfaces_h
#define KelCldInterfaces_h
// Static factories of the polygon extension objects that are not kept with the polygon
// (triangle selections, hole tables, mesh curves). Each factory makes a new object on the
// polygon it is given and hands out its interface with the only reference.

class KelCldPolygon;
class KelICldHoles;
class KelICldMeshCurve;

class KelCldInterfaces {
public:
  KelCldInterfaces() = delete;

  // A new empty mesh curve on the polygon; null for a null polygon.
  static KelICldMeshCurve* GetKelICldMeshCurve(KelCldPolygon* iPolygon);
  // A new hole table of the polygon as it is now; null for a null polygon.
  static KelICldHoles* GetKelICldHoles(KelCldPolygon* iPolygon);
};

#endif
