#ifndef KelCldQMetric_h
#define KelCldQMetric_h
// Quadric error of a vertex: the sum of the squared distances to the planes of its triangles,
// as the upper triangle of a symmetric 4 x 4 matrix in row order (10 doubles): a², ab, ac,
// ad, b², bc, bd, c², cd, d² for the plane ax + by + cz + d = 0 of unit normal (a, b, c).

#include "KelRawColl.h"

class KelCldPolygon;

class KelCldQMetric {
public:
  // The quadric of the planes of the vertex's triangles, each through the vertex, weight 1;
  // degenerate triangles add nothing. Nothing happens for a null polygon.
  static void Calculate(KelCldPolygon* iPolygon, int iVertex, double* oQuadric);
  // The same, plus for each pair of listed vertices the plane through the vertex whose normal
  // runs from the first to the second.
  static void Calculate(KelCldPolygon* iPolygon, int iVertex, const KelRawCollint& iPairs, double* oQuadric);
  // The quadrics of every vertex at once, oQuadrics[10 v ..] for vertex v (sized by the
  // caller to 10 (GetNbPoints(1) + 1)): the same sums as Calculate, vertex by vertex, in one
  // sweep over the triangles.
  static void CalculateAll(KelCldPolygon* iPolygon, double* oQuadrics);
  static double EvaluateQuadraticForm(const double* iQuadric, const double* iPoint);
  // The same without the argument check, inline for the collapse queue's many costs.
  static double QuadraticForm(const double* iQuadric, const double* iPoint)
  {
    const double* q = iQuadric;
    const double x = iPoint[0], y = iPoint[1], z = iPoint[2];
    return q[0] * x * x + q[4] * y * y + q[7] * z * z +
           2.0 * (q[1] * x * y + q[2] * x * z + q[3] * x + q[5] * y * z + q[6] * y + q[8] * z) + q[9];
  }
  // Adds the quadric of the plane of unit normal n through p.
  static void AddPlane(const double iNormal[3], const double iPoint[3], double* ioQuadric);
};

#endif
