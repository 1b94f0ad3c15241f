#ifndef KelCldMeshPointClassifier_h
#define KelCldMeshPointClassifier_h
// Turns a 3D point near a triangle or an edge of the polygon into a mesh point: a vertex point
// when it coincides with a corner (KelCldComparePoints), an edge point (projected onto the
// edge's line) when it lies on an edge, a triangle point (at its own position) when strictly
// inside. Stateless.
//
// Both forms return 1 with oPoint filled, or 0 with oPoint untouched when the point is not
// recognised or the polygon is null or an element number is 0.

class KelCldMeshPoint;
class KelCldPolygon;
class KelMathPoint;

class KelCldMeshPointClassifier {
public:
  KelCldMeshPointClassifier() = default;
  ~KelCldMeshPointClassifier() = default;

  // Against triangle iTriangle. A triangle of zero area is the fatal "AssertionFailed:areaABC".
  int Classify(KelCldPolygon* iPolygon, int iTriangle, const KelMathPoint& iPoint, KelCldMeshPoint& oPoint) const;
  // Against the edge iVertex0-iVertex1; the edge point keeps the vertices in that order.
  int Classify(KelCldPolygon* iPolygon, const int iVertex0, const int iVertex1, const KelMathPoint& iPoint,
               KelCldMeshPoint& oPoint) const;
};

#endif
