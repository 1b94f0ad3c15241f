#ifndef KelCldMeshCurveUtil_h
#define KelCldMeshCurveUtil_h
// Static operations on mesh curves: where a mesh point lies along a curve, cutting a curve at
// two mesh points, and whether a curve touches a triangle; hole tests, arc-length lookup,
// breaking, splicing, sorting, and conversion to a NURBS curve or to a ribbon mesh.

#include "KelRawColl.h"

class KelCldMeshCurve;
class KelCldMeshPoint;
class KelCldPolygon;
class KelGeoFactory;
class KelListPtrKelCldMeshCurve;
class KelMathPoint;
class KelMathSetOfPoints;
class KelMathSetOfPointsND;
class KelNurbsCurve;

class KelCldMeshCurveUtil {
public:
  KelCldMeshCurveUtil() = delete;

  // Index of the first curve point equal to iPoint, else of the first segment k..k+1 whose
  // position iPoint lies on (within 0.001); 0 when none, for a null or irregular curve.
  static int GetMeshPointIndex(const KelCldMeshCurve* iCurve, const KelCldMeshPoint& iPoint);

  // Cuts the regular curve iCurve at iPoint1 and iPoint2. oCurve1 receives the piece between
  // them; when iClosed is non-zero (iCurve is a closed loop) oCurve2 receives the rest of the
  // loop, oriented like oCurve1. Both pieces run from the point with the lower index to the
  // other. A piece that is not regular leaves its output alone and makes the result 0.
  // Returns 0 at once for an irregular curve, a null output, a point that is not on the curve
  // or a curve without polygon.
  static int Chop(const KelCldMeshCurve* iCurve, KelCldMeshCurve* oCurve1, KelCldMeshCurve* oCurve2,
                  const KelCldMeshPoint& iPoint1, const KelCldMeshPoint& iPoint2, unsigned char iClosed);
  // The same with the points' indices (GetMeshPointIndex) given.
  static int Chop(const KelCldMeshCurve* iCurve, KelCldMeshCurve* oCurve1, KelCldMeshCurve* oCurve2,
                  const KelCldMeshPoint& iPoint1, const KelCldMeshPoint& iPoint2, const int iIndex1,
                  const int iIndex2, unsigned char iClosed);

  // A point of the curve lies on the triangle (vertex, edge or inside); 0 for a null curve or
  // one without polygon.
  static int HasTriangle(const KelCldMeshCurve* iCurve, int iTriangle);

  // ---- Holes ----
  // A closed vertex path all of whose edges are free (hole) edges.
  static int IsHoleCurve(const KelCldMeshCurve* iCurve);

  // ---- Arc length (from point 1, along the positions) ----
  // The segment k (points k..k+1) whose arc-length range holds iDistance, the first one at a
  // shared bound; N - 1 beyond the total length; 0 for a negative distance or fewer than two
  // points.
  static int GetIndexFromDistance(const KelCldMeshCurve* iCurve, const double iDistance);
  // The arc length up to point iIndex; 0 outside 2..N.
  static double GetDistanceFromIndex(const KelCldMeshCurve* iCurve, const int iIndex);

  // ---- Positions along a curve ----
  // The first segment k..k+1 the position lies on (KelCldUtil::IsOnLineSegment); 0 if none.
  static int GetIndexFromPoint(const KelCldMeshCurve* iCurve, const KelMathPoint& iPoint);
  // The first point closer than 0.001 to the position, else the first segment k..k+1 it lies
  // on within 0.001; 0 if none.
  static int GetPointIndex(const KelCldMeshCurve* iCurve, const KelMathPoint& iPoint);

  // ---- Lists of curves (null entries skipped) ----
  // The positions of all points of all curves in list order, as a 3-dimensional set;
  // 0 when there is none (the set is then empty).
  static int GetPoints(const KelListPtrKelCldMeshCurve& iCurves, KelMathSetOfPointsND& oPoints);
  static int GetNumPoints(const KelListPtrKelCldMeshCurve& iCurves);
  // Shortest first (GetLength); the order of equal lengths is not kept.
  static void SortByLength(KelListPtrKelCldMeshCurve& ioCurves);

  // ---- Editing ----
  // Appends to oPieces new curves (the caller owns them) cut from the curve at the indices,
  // taken in increasing order: 1 to the first index, from there to the next, ..., the last to
  // N. Neighbouring pieces share their break point; an index outside the curve makes the
  // pieces next to it invalid, and invalid pieces are not made. 0 for a null curve.
  static int BreakMeshCurve(const KelCldMeshCurve* iCurve, const KelRawCollint& iIndices,
                            KelListPtrKelCldMeshCurve& oPieces);
  // Replaces the curve's points min(i, j) + 1 .. max(i, j) by the other curve, forward when
  // i < j and backward otherwise. The result, without consecutive duplicates,
  // is kept only when regular: 0 leaves the curve unchanged. 0 for a null curve or an index
  // below 1; indices beyond the curve count as N.
  static int Splice(KelCldMeshCurve* ioCurve, const KelCldMeshCurve* iOther, const int i, const int j);

  // ---- Conversions (the factory makes the objects; the caller owns them) ----
  // A degree-1 NURBS curve with the points as control points, knots 0, 1, ..., n - 1: the
  // polyline through them. Null without factory or for n outside 2..9999.
  static KelNurbsCurve* CreateNurbsCurve(KelGeoFactory* iFactory, const KelMathSetOfPoints& iPoints);
  static KelNurbsCurve* CreateNurbsCurve(KelGeoFactory* iFactory, const KelCldMeshCurve* iCurve);
  // A new polygon carrying the curve as a ribbon of flat triangles: point k is vertex 2k - 1,
  // the midpoint of segment k is vertex 2k, and segment k gives the triangle (2k - 1, 2k,
  // 2k + 1). Null without factory or for fewer than two points.
  static KelCldPolygon* CreateMesh(KelGeoFactory* iFactory, const KelCldMeshCurve* iCurve);
};

#endif
