#include "KelCldMeshPointClassifier.h"

#include <algorithm>
#include <cmath>

#include "KelCldBarycentric.h"
#include "KelCldMeshPoint.h"
#include "KelCldPolygon.h"
#include "KelCldTopologyUtil.h"
#include "KelFatalError.h"
#include "KelMathLine.h"

int KelCldMeshPointClassifier::Classify(KelCldPolygon* iPolygon, int iTriangle, const KelMathPoint& iPoint,
                                        KelCldMeshPoint& oPoint) const
{
  if (!iPolygon || !iTriangle) return 0;
  int vertices[3] = {0, 0, 0}, neighbors[3] = {0, 0, 0};
  // An invalid or out-of-range triangle reads as zeros: not recognised rather than fatal.
  if (!iPolygon->GetTriangle(iTriangle, vertices, neighbors)) return 0;
  KelMathPoint corners[3];
  for (int i = 0; i < 3; ++i) iPolygon->GetPoint(vertices[i], corners[i]);

  double lambdaA = 0.0, lambdaB = 0.0, lambdaC = 0.0, areaABC = 0.0;
  if (!KelCldBarycentric::ComputeBarycentricCoordinates(corners[0], corners[1], corners[2], iPoint, lambdaA, lambdaB,
                                                        lambdaC, areaABC))
    return 0;
  KelAssert(areaABC);

  // Edge e runs from corner e to corner e+1; the weight of the opposite corner measures the
  // distance from it, scaled so that the tolerance is 0.001 in length.
  const double lengths[3] = {corners[0].DistanceTo(corners[1]), corners[1].DistanceTo(corners[2]),
                             corners[2].DistanceTo(corners[0])};
  const double coordinates[3] = {lambdaC, lambdaA, lambdaB};
  const double scale = 0.001 / areaABC;
  double tolerances[3];
  for (int e = 0; e < 3; ++e) tolerances[e] = std::min(lengths[e] * scale, 1.0);

  double bestCoordinate = std::max({tolerances[0], tolerances[1], tolerances[2]});
  double bestDistance = std::max({lengths[0], lengths[1], lengths[2]});
  int chosen = -1;
  bool nearEdge = false;
  for (int e = 0; e < 3; ++e) {
    const double coordinate = std::fabs(coordinates[e]);
    if (coordinate > tolerances[e]) continue;
    nearEdge = true;
    if (coordinate >= bestCoordinate) continue;
    const double distance = KelMathLine(corners[e], corners[(e + 1) % 3]).DistanceTo(iPoint);
    if (distance < bestDistance) {
      chosen = e;
      bestDistance = distance;
      bestCoordinate = coordinate;
    }
  }
  // Near an edge whose line is no closer than the triangle is long (a tiny triangle): no edge
  // to project on, so the point is tested as an inside or corner point.
  if (nearEdge && chosen >= 0) {
    const int next = (chosen + 1) % 3;
    const KelMathPoint projection = KelMathLine(corners[chosen], corners[next]).Projection(iPoint);
    return Classify(iPolygon, vertices[chosen], vertices[next], projection, oPoint);
  }

  if (lambdaA > 0.0 && lambdaA < 1.0 && lambdaB > 0.0 && lambdaB < 1.0 && lambdaC > 0.0 && lambdaC < 1.0) {
    oPoint.SetTriangle(iTriangle);
    oPoint.SetPosition(iPoint);
    return 1;
  }
  for (int i = 0; i < 3; ++i)
    if (KelCldComparePoints(corners[i], iPoint)) {
      oPoint.SetVertex(vertices[i]);
      oPoint.SetPosition(corners[i]);
      return 1;
    }
  return 0;
}

int KelCldMeshPointClassifier::Classify(KelCldPolygon* iPolygon, const int iVertex0, const int iVertex1,
                                        const KelMathPoint& iPoint, KelCldMeshPoint& oPoint) const
{
  if (!iPolygon || !iVertex0 || !iVertex1) return 0;
  KelMathPoint position0, position1;
  iPolygon->GetPoint(iVertex0, position0);
  iPolygon->GetPoint(iVertex1, position1);
  if (KelCldComparePoints(iPoint, position0)) {
    oPoint.SetVertex(iVertex0);
    oPoint.SetPosition(position0);
    return 1;
  }
  if (KelCldComparePoints(iPoint, position1)) {
    oPoint.SetVertex(iVertex1);
    oPoint.SetPosition(position1);
    return 1;
  }
  double weight0 = 0.0, weight1 = 0.0;
  if (!KelCldBarycentric::ComputeBarycentricCoordinates(position0, position1, iPoint, weight0, weight1)) return 0;
  if (weight0 <= 0.0 || weight0 >= 1.0 || weight1 <= 0.0 || weight1 >= 1.0) return 0;
  oPoint.SetEdge(iVertex0, iVertex1);
  oPoint.SetPosition(KelMathLine(position0, position1).Projection(iPoint));
  return 1;
}
