#ifndef KelCldUtil_h
#define KelCldUtil_h
// Housekeeping helpers: releasing collections of objects, finding the cloud polygons of a
// body, and whether a point lies on a segment.
//
// - The release helpers skip null entries and leave the collection empty.
// - ReleaseObjects gives back one reference per entry; the other helpers delete what the
//   entries point to: KelRawCollint lists, KelRawColldouble lists and KelMathSetOfPoints sets.
// - The polygons handed out by the body helpers carry a new reference for the caller.

#include "KelListOfKelCldMeshCurves.h"
#include "KelListPtrKelCurve.h"
#include "KelPlatformTypes.h"
#include "KelRawColl.h"

class KelCldBody;
class KelCldPolygon;
class KelMathPoint;

class KelCldUtil {
public:
  // The entries are KelBaseUnknown objects.
  static void ReleaseObjects(KelRawCollPV& ioObjects);
  static void ReleaseObjects(KelListPtrKelCurve& ioCurves);
  static void ReleaseObjects(KelListPtrKelCldMeshCurve& ioCurves);

  static void ReleaseKelListOfInt(KelRawCollPV& ioLists);
  static void ReleaseKelListOfDouble(KelRawCollPV& ioLists);
  static void ReleaseKelMathSetOfPoints(KelRawCollPV& ioSets);

  // The body's first cell that is a cloud polygon; null when the body is null or has none.
  static KelCldPolygon* GetPolygonFromBody(KelCldBody* iBody);
  // Appends every cloud polygon cell of the body; TRUE when at least one was appended.
  static KelBoolean GetPolygonsFromBody(KelCldBody* iBody, KelRawCollPV& oPolygons);

  // The point is within KelCldDistanceEpsilon of the segment, ends included; FALSE for a
  // segment whose squared length is at most KelCldDistanceSquareEpsilon.
  static KelBoolean IsOnLineSegment(const KelMathPoint& iStart, const KelMathPoint& iEnd, const KelMathPoint& iPoint);
};

#endif
