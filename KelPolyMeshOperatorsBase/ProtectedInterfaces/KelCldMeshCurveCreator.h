#ifndef KelCldMeshCurveCreator_h
#define KelCldMeshCurveCreator_h
// Chains straight segments, each lying in one triangle of a polygon (as an intersection of two
// meshes produces them, unordered), into mesh curves.
//
// - Every segment end is classified against the segment's triangle (KelCldMeshPointClassifier);
//   an end it cannot place stays an undefined mesh point, and a curve containing one is dropped.
// - A curve starts with the first unused segment in input order, grows at its end as long as
//   an unused segment continues it there, then at its start. Segments continue each other when
//   their ends are equal mesh points and one lies in a triangle of the other's end point (the
//   triangles around a vertex, the triangles of an edge, a triangle point's own triangle).
// - The curves are then joined end to end (KelCldMeshCurveGroupOper) into the output list,
//   which is emptied first; the caller owns the curves.
// - One CreateMeshCurves call at a time; Clear, also run at destruction, gives the polygon
//   back (unoptimized again when the creator optimized it).

#include <array>
#include <memory>
#include <ostream>
#include <vector>

#include "KelCldMeshPoint.h"
#include "KelRawColl.h"

class KelCldMeshCurve;
class KelCldPolygon;
class KelListPtrKelCldMeshCurve;
class KelMathPoint;

// The segment numbers lying in one triangle, in input order.
typedef KelRawCollint KelCldFaceSegmentMap;

class KelCldMeshCurveCreator {
public:
  KelCldMeshCurveCreator() = default;
  ~KelCldMeshCurveCreator();
  KelCldMeshCurveCreator(const KelCldMeshCurveCreator&) = delete;
  KelCldMeshCurveCreator& operator=(const KelCldMeshCurveCreator&) = delete;

  // Segment k (0-based) is iSegments[k][0] to iSegments[k][1] and lies in triangle
  // iTriangles[k + 1]. 1 when the curves were built, 0 when the input is refused (null
  // polygon or segments, no triangle, or a count other than the number of triangles).
  int CreateMeshCurves(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles, KelMathPoint** iSegments,
                       int iCount, KelListPtrKelCldMeshCurve& oCurves);

  // The steps of CreateMeshCurves.
  int Setup(KelCldPolygon* iPolygon, const KelRawCollint& iTriangles, KelMathPoint** iSegments, int iCount);
  void Clear();
  // The largest entry, 0 for an empty list.
  int MaxIndex(const KelRawCollint& iList) const;
  // Starts the curve with the first unused segment or extends it by one point; 0 when neither
  // is possible.
  int AddSegment(KelCldMeshCurve* ioCurve);
  int GetFirstUnprocessed(int& oSegment) const;
  // The other end of an unused segment that has an end equal to iPoint, searched through the
  // triangles the point lies in; the segment is marked used.
  int GetNextPoint(const KelCldMeshPoint& iPoint, KelCldMeshPoint& oPoint);
  int GetNextPoint(int iTriangle, const KelCldMeshPoint& iPoint, KelCldMeshPoint& oPoint);

  // Debug listing: triangles, classified end points and the segment map.
  void PrintInfo(std::ostream& ioStream) const;

private:
  bool _wasOptimized = false;
  KelCldPolygon* _polygon = nullptr;
  std::vector<int> _triangles;                                  // per segment
  std::vector<std::array<KelCldMeshPoint, 2>> _endPoints;       // per segment
  std::vector<unsigned char> _processed;                        // per segment
  int _largestTriangle = 0;
  std::vector<std::unique_ptr<KelCldFaceSegmentMap>> _segmentMap;  // by triangle, null when none
  int _remaining = 0;
  bool _forward = false;
};

#endif
