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
  // Adds the quadric of the plane of unit normal n through p.
  static void AddPlane(const double iNormal[3], const double iPoint[3], double* ioQuadric);
};

#endif
