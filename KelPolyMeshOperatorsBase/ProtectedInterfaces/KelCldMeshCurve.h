#ifndef KelCldMeshCurve_h
#define KelCldMeshCurve_h
// A polyline of mesh points on one cloud polygon, reference counted (created with new and
// released).
//
// - Points are 1-based. Each stored point is the curve's own heap copy: insertions copy,
//   removals, RemoveAllPoints, assignment and destruction delete.
// - Points are compared with mesh-point equality (KelCldMeshPoint::operator==), never by
//   position alone.
// - A closed loop has more than one point and ends on its start point, which it therefore
//   stores twice; a curve of one point is not a loop.
// - The curve holds a reference on its polygon and does not watch it: after renumbering or
//   re-triangulating, the operator that changed the mesh rebuilds the curves it keeps.
// - Index preconditions are fatal assertions; "int" results are 1 for success and 0 for a
//   soft failure (empty curve, no match).

#include <ostream>

#include "KelCldMeshPoint.h"
#include "KelICldMeshCurve.h"
#include "KelRawColl.h"

class KelMathBox;
class KelMathSetOfPoints;
class KelMathSetOfPointsND;
class KelMathVector;

class KelCldMeshCurve : public KelICldMeshCurve {
  KelDeclareClass

public:
  explicit KelCldMeshCurve(KelCldPolygon* iPolygon = nullptr);
  // A new object (one reference) with the source's polygon and copies of its points.
  KelCldMeshCurve(const KelCldMeshCurve& iOther);
  // Takes the source's polygon and copies of its points; the refcount is not copied.
  KelCldMeshCurve& operator=(const KelCldMeshCurve& iOther);
  ~KelCldMeshCurve() override;

  // Same polygon pointer and pairwise equal points.
  bool operator==(const KelCldMeshCurve& iOther) const;
  bool operator!=(const KelCldMeshCurve& iOther) const { return !(*this == iOther); }

  KelCldPolygon* GetPolyMesh() const override { return _polygon; }
  int GetNumPoints() const { return _points.Size(); }

  // ---- Reading ----
  int GetMeshPoint(const int iIndex, KelCldMeshPoint& oPoint) const;
  // 0 outside 1..N.
  int GetPoint(const int iIndex, KelMathPoint& oPoint) const;
  // Positions at set indices 0..N-1; 0 (set untouched) for an empty curve.
  int GetPoints(KelMathSetOfPoints& oPoints) const;
  int GetPoints(KelMathSetOfPointsND& oPoints) const;
  // The box of the positions, started afresh; 0 for an empty curve.
  int GetBox(KelMathBox& oBox) const;
  int GetStartPoint(KelCldMeshPoint& oPoint) const;
  int GetEndPoint(KelCldMeshPoint& oPoint) const;
  // Neighbours along the curve, wrapping around on a closed loop; 0 at the ends of an open one.
  int GetPreviousPoint(int iIndex, KelCldMeshPoint& oPoint) const;
  int GetNextPoint(int iIndex, KelCldMeshPoint& oPoint) const;

  // ---- Editing ----
  int SetMeshPoint(const int iIndex, const KelCldMeshPoint& iPoint);
  int AppendPoint(const KelCldMeshPoint& iPoint);
  int PrependPoint(const KelCldMeshPoint& iPoint);
  // The copy becomes point iIndex (1..N+1).
  int InsertPoint(const int iIndex, const KelCldMeshPoint& iPoint);
  int RemovePoint(const int iIndex);
  int RemoveAllPoints();

  // ---- Queries ----
  // First equal point, 0 when none.
  int FindPoint(const KelCldMeshPoint& iPoint) const;
  int IsClosedLoop() const;
  // Every two consecutive points share a triangle of the polygon. oTriangles, when given, gets
  // N entries: entry k is the triangle shared by points k and k+1 (0 when none, and for N).
  int IsRegular(KelRawCollint* oTriangles = nullptr) const;
  // A regular curve made only of vertex points.
  int IsAVertexPath() const;
  // The vertex numbers of a vertex path, in order; 0 (list untouched) for another curve.
  int GetVertexPath(KelRawCollint& oVertices) const;
  double GetLength() const;
  // The mesh normal at point index (vertex, edge or triangle normal).
  int GetMeshPointNormal(const int index, KelMathVector& oNormal) const;

  // ---- Combining ----
  // Appends the other's points, without repeating this curve's end when the other starts on it.
  int Append(const KelCldMeshCurve& iOther);
  // Joins a curve that touches or overlaps this one at its ends; 0 when they do not meet.
  // A closed loop, an empty curve or this curve itself changes nothing (result 1).
  int Merge(const KelCldMeshCurve& iOther);
  // The other is a contiguous run of this curve, in either direction.
  int Contains(const KelCldMeshCurve& iOther) const;
  // One end of each curve lies in the other and the runs between agree. The outputs are the
  // overlapping index ranges, this curve's (oI1, oI2) and the other's (oJ1, oJ2); they are
  // left alone on failure.
  int Overlaps(const KelCldMeshCurve& iOther) const;
  int GetOverlap(const KelCldMeshCurve& iOther, int& oI1, int& oI2, int& oJ1, int& oJ2) const;
  // Each curve holds both ends of the other: together they close a loop.
  int DoubleOverlaps(const KelCldMeshCurve& iOther) const;
  int GetDoubleOverlap(const KelCldMeshCurve& iOther, int& oI1, int& oI2, int& oJ1, int& oJ2) const;
  // The merges for the ranges found by GetOverlap / GetDoubleOverlap.
  int MergeOverlap(const KelCldMeshCurve& iOther, const int iI1, const int iI2, const int iJ1, const int iJ2);
  int MergeDoubleOverlap(const KelCldMeshCurve& iOther, const int iI1, const int iI2, const int iJ1, const int iJ2);
  // Drops consecutive equal points; returns 0.
  int RemoveDuplicates();
  // 0 for an empty curve.
  int Reverse();
  // oCurve's points become copies of points i..j; oCurve keeps its polygon. 0 (oCurve
  // untouched) unless 1 <= i <= j <= N.
  int GetSubMeshCurve(const int i, const int j, KelCldMeshCurve& oCurve) const;

  void Print(std::ostream& ioStream) const;

protected:
  void* GetInterface(const IID& iIID) override;

private:
  const KelCldMeshPoint& At(const int iIndex) const { return *static_cast<const KelCldMeshPoint*>(_points[iIndex]); }
  KelCldMeshPoint& At(const int iIndex) { return *static_cast<KelCldMeshPoint*>(_points[iIndex]); }
  // Takes (AddRef) iPolygon after releasing the current one.
  void SetPolygon(KelCldPolygon* iPolygon);
  // Moves iOther's points and polygon into this curve; iOther is left empty.
  void Take(KelCldMeshCurve& ioOther);

  KelCldPolygon* _polygon = nullptr;
  KelRawCollPV _points;  // owned KelCldMeshPoint copies
};

#endif
