#include "KelCldQMetric.h"

#include <cmath>

#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelMathConstants.h"
#include "KelMathVector.h"
#include "KelPlatformTypes.h"

namespace {

// The normal's six products a², ab, ac, b², bc, c², shared by every plane of that normal.
void NormalProducts(const double iNormal[3], double oProducts[6])
{
  const double a = iNormal[0], b = iNormal[1], c = iNormal[2];
  oProducts[0] = a * a;
  oProducts[1] = a * b;
  oProducts[2] = a * c;
  oProducts[3] = b * b;
  oProducts[4] = b * c;
  oProducts[5] = c * c;
}

// Adds the plane of unit normal n through p, the normal's products given.
void AddPlaneTerms(const double iNormal[3], const double iProducts[6], const double iPoint[3], double* ioQuadric)
{
  const double a = iNormal[0], b = iNormal[1], c = iNormal[2];
  const double d = -(a * iPoint[0] + b * iPoint[1] + c * iPoint[2]);
  double* q = ioQuadric;
  q[0] += iProducts[0];
  q[1] += iProducts[1];
  q[2] += iProducts[2];
  q[3] += a * d;
  q[4] += iProducts[3];
  q[5] += iProducts[4];
  q[6] += b * d;
  q[7] += iProducts[5];
  q[8] += c * d;
  q[9] += d * d;
}

// The unit normal of the triangle's plane; false for parallel edges (the criterion of
// KelMathVector::IsParallel), which add nothing.
bool UnitNormal(const float* iC0, const float* iC1, const float* iC2, double oNormal[3])
{
  const double e1[3] = {double(iC1[0]) - iC0[0], double(iC1[1]) - iC0[1], double(iC1[2]) - iC0[2]};
  const double e2[3] = {double(iC2[0]) - iC0[0], double(iC2[1]) - iC0[1], double(iC2[2]) - iC0[2]};
  const double cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
  const double crossSquare = cross[0] * cross[0] + cross[1] * cross[1] + cross[2] * cross[2];
  const double square1 = e1[0] * e1[0] + e1[1] * e1[1] + e1[2] * e1[2];
  const double square2 = e2[0] * e2[0] + e2[1] * e2[1] + e2[2] * e2[2];
  // |e1 x e2| <= KelEpsilon |e1| |e2|, squared on both sides.
  if (crossSquare <= KelEpsilon * KelEpsilon * square1 * square2 || crossSquare == 0.0) return false;
  const double crossNorm = std::sqrt(crossSquare);
  for (int k = 0; k < 3; ++k) oNormal[k] = cross[k] / crossNorm;
  return true;
}

}  // namespace

void KelCldQMetric::AddPlane(const double iNormal[3], const double iPoint[3], double* ioQuadric)
{
  double products[6];
  NormalProducts(iNormal, products);
  AddPlaneTerms(iNormal, products, iPoint, ioQuadric);
}

void KelCldQMetric::Calculate(KelCldPolygon* iPolygon, int iVertex, double* oQuadric)
{
  KelAssertText(oQuadric, "qCoeff");
  for (int k = 0; k < 10; ++k) oQuadric[k] = 0.0;
  if (!iPolygon) return;
  thread_local KelRawCollint triangles;
  iPolygon->GetTrianglesAroundVertex(iVertex, triangles);
  double p[3];
  iPolygon->GetPoint(iVertex, p);
  const float* coords = iPolygon->GetCoordinates();
  for (int i = 1; i <= triangles.Size(); ++i) {
    int v[3], n[3];
    iPolygon->GetTriangle(triangles[i], v, n);
    double unit[3];
    if (UnitNormal(coords + 3 * static_cast<size_t>(v[0]), coords + 3 * static_cast<size_t>(v[1]),
                   coords + 3 * static_cast<size_t>(v[2]), unit))
      AddPlane(unit, p, oQuadric);
  }
}

void KelCldQMetric::CalculateAll(KelCldPolygon* iPolygon, double* oQuadrics)
{
  KelAssertText(oQuadrics, "qCoeff");
  if (!iPolygon) return;
  const float* coords = iPolygon->GetCoordinates();
  // Triangles in increasing order: each vertex adds its planes in the order Calculate does.
  const int nbTriangles = iPolygon->GetNbTriangles(1), ahead = 8;
  for (int t = 1; t <= nbTriangles; ++t) {
    // Vertex numbers need not follow the triangles: the quadrics and positions of a triangle
    // a few iterations ahead start loading now.
    int later[3];
    unsigned char orientation;
    if (t + ahead <= nbTriangles && iPolygon->GetTriangleVertices(t + ahead, later, orientation))
      for (const int w : later) {
        KelPrefetch(oQuadrics + 10 * static_cast<size_t>(w));
        KelPrefetch(oQuadrics + 10 * static_cast<size_t>(w) + 9);
        KelPrefetch(coords + 3 * static_cast<size_t>(w));
      }
    int v[3];
    if (!iPolygon->GetTriangleVertices(t, v, orientation)) continue;
    double n[3];
    if (!UnitNormal(coords + 3 * static_cast<size_t>(v[0]), coords + 3 * static_cast<size_t>(v[1]),
                    coords + 3 * static_cast<size_t>(v[2]), n))
      continue;
    // The normal's products are the same for the three planes; only d differs.
    double products[6];
    NormalProducts(n, products);
    for (int k = 0; k < 3; ++k) {
      // A vertex twice in one triangle takes the plane once, as in Calculate.
      if ((k == 1 && v[1] == v[0]) || (k == 2 && (v[2] == v[0] || v[2] == v[1]))) continue;
      const float* c = coords + 3 * static_cast<size_t>(v[k]);
      const double p[3] = {c[0], c[1], c[2]};
      AddPlaneTerms(n, products, p, oQuadrics + 10 * static_cast<size_t>(v[k]));
    }
  }
}

void KelCldQMetric::Calculate(KelCldPolygon* iPolygon, int iVertex, const KelRawCollint& iPairs, double* oQuadric)
{
  KelAssertText(oQuadric, "qCoeff");
  Calculate(iPolygon, iVertex, oQuadric);
  if (!iPolygon) return;
  double p[3];
  iPolygon->GetPoint(iVertex, p);
  for (int k = 1; k + 1 <= iPairs.Size(); k += 2) {
    double a[3], b[3];
    iPolygon->GetPoint(iPairs[k], a);
    iPolygon->GetPoint(iPairs[k + 1], b);
    KelMathVector direction(b[0] - a[0], b[1] - a[1], b[2] - a[2]);
    if (!direction.Normalize()) continue;
    const double unit[3] = {direction.GetX(), direction.GetY(), direction.GetZ()};
    AddPlane(unit, p, oQuadric);
  }
}

double KelCldQMetric::EvaluateQuadraticForm(const double* iQuadric, const double* iPoint)
{
  KelAssertText(iQuadric && iPoint, "QCoef && v");
  return QuadraticForm(iQuadric, iPoint);
}
