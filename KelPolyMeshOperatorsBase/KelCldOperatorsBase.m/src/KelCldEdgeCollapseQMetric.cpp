#include "KelCldEdgeCollapseQMetric.h"

#include <cmath>

#include "KelCldPolygon.h"
#include "KelCldQMetric.h"
#include "KelFatalError.h"
#include "KelMathConstants.h"

KelImplementClass(KelCldEdgeCollapseQMetric, KelCldEdgeCollapseBase, KelMetaImplementation)

namespace {

// A vertex position from the polygon's float array, widened.
void Position(const float* iCoordinates, int iVertex, double oPoint[3])
{
  const float* p = iCoordinates + 3 * static_cast<size_t>(iVertex);
  oPoint[0] = p[0];
  oPoint[1] = p[1];
  oPoint[2] = p[2];
}

// The point where the quadric is least: the symmetric 3 x 3 system inverted by cofactors,
// singular under the criterion of KelMath3x3Matrix::Inverse (|det| against KelEpsilon times
// the product of the row norms).
bool SolveMinimiser(const double* iQuadric, double oPoint[3])
{
  const double* q = iQuadric;
  const double m00 = q[0], m01 = q[1], m02 = q[2], m11 = q[4], m12 = q[5], m22 = q[7];
  const double c00 = m11 * m22 - m12 * m12, c01 = m12 * m02 - m01 * m22, c02 = m01 * m12 - m11 * m02;
  const double det = m00 * c00 + m01 * c01 + m02 * c02;
  // |det| > KelEpsilon * |row 0| |row 1| |row 2|, squared on both sides.
  const double squareBound = (m00 * m00 + m01 * m01 + m02 * m02) * (m01 * m01 + m11 * m11 + m12 * m12) *
                             (m02 * m02 + m12 * m12 + m22 * m22);
  if (!(det * det > KelEpsilon * KelEpsilon * squareBound)) return false;
  const double c11 = m00 * m22 - m02 * m02, c12 = m01 * m02 - m00 * m12, c22 = m00 * m11 - m01 * m01;
  const double r0 = -q[3], r1 = -q[6], r2 = -q[8];
  // One division for the three coordinates: the queue solves one system per edge it costs.
  const double inverse = 1.0 / det;
  oPoint[0] = (c00 * r0 + c01 * r1 + c02 * r2) * inverse;
  oPoint[1] = (c01 * r0 + c11 * r1 + c12 * r2) * inverse;
  oPoint[2] = (c02 * r0 + c12 * r1 + c22 * r2) * inverse;
  return true;
}

}  // namespace

KelCldEdgeCollapseQMetric::~KelCldEdgeCollapseQMetric() { _QMatrixData.clear(); }

void KelCldEdgeCollapseQMetric::Reset()
{
  _QMatrixData.clear();
  KelCldEdgeCollapseBase::Reset();
}

const double* KelCldEdgeCollapseQMetric::GetQuadric(const int iVertex) const
{
  const int index = GetVertexIndex(iVertex);
  if (_QMatrixData.empty() || index < 0 || index > GetNbVertexSlots()) return nullptr;
  return &_QMatrixData[10 * static_cast<size_t>(index)];
}

void KelCldEdgeCollapseQMetric::CalculateQMatrix(const int iVertex)
{
  KelCldQMetric::Calculate(_cldPolygon, iVertex, &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iVertex))]);
}

int KelCldEdgeCollapseQMetric::ComputeCustomVertexAttributes(const KelRawCollint* iVertices)
{
  const int count = GetNbVertexSlots();
  if (!_cldPolygon || count <= 0) return 0;
  KelAssert(_QMatrixData.empty());
  _QMatrixData.assign(10 * (static_cast<size_t>(count) + 1), 0.0);
  if (iVertices) {
    KelAssert(IsTemporaryIndexDefined());
    for (int i = 1; i <= iVertices->Size(); ++i) {
      const int noVertex = (*iVertices)[i];
      KelAssertText(_cldPolygon->IsAVertex(noVertex), "_cldPolygon->IsAVertex (noVertex)");
      CalculateQMatrix(noVertex);
    }
  } else {
    KelAssertText(!IsTemporaryIndexDefined(), "!_TemporaryVertexDataAttributeDefined");
    // Indexed by vertex number: every vertex's quadric in one sweep over the triangles.
    KelCldQMetric::CalculateAll(_cldPolygon, _QMatrixData.data());
  }
  return 1;
}

void KelCldEdgeCollapseQMetric::UpdateCustomVertexData(const int iKept, const int iRemoved)
{
  double* kept = &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iKept))];
  const double* removed = &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iRemoved))];
  for (int k = 0; k < 10; ++k) kept[k] += removed[k];
}

// The best of the midpoint and the two ends; ties prefer the midpoint, then A.
double KelCldEdgeCollapseQMetric::TwoVertexRule(const double* iQuadric, const double* iA, const double* iB,
                                                double* oTarget) const
{
  const double m[3] = {0.5 * (iA[0] + iB[0]), 0.5 * (iA[1] + iB[1]), 0.5 * (iA[2] + iB[2])};
  const double* best = m;
  double cost = KelCldQMetric::QuadraticForm(iQuadric, m);
  const double costA = KelCldQMetric::QuadraticForm(iQuadric, iA);
  if (costA < cost) {
    best = iA;
    cost = costA;
  }
  const double costB = KelCldQMetric::QuadraticForm(iQuadric, iB);
  if (costB < cost) {
    best = iB;
    cost = costB;
  }
  if (!oTarget) return cost;
  for (int k = 0; k < 3; ++k) oTarget[k] = best[k];
  return 0.0;
}

// Inline in its two callers, so that each keeps only its own case (cost or target) and the
// queue's many costs take no jump on which one is asked.
inline double KelCldEdgeCollapseQMetric::ComputeCostOrTargetCoordinates(const int iVertex1, const int iVertex2,
                                                                        double* oTarget) const
{
  // The queue only asks for its own edges, whose ends have slots.
  const double* q1 = &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iVertex1))];
  const double* q2 = &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iVertex2))];
  double q[10];
  for (int k = 0; k < 10; ++k) q[k] = q1[k] + q2[k];
  const bool hole1 = IsHoleVertex(iVertex1) != FALSE, hole2 = IsHoleVertex(iVertex2) != FALSE;
  double point[3];
  if (!hole1 && !hole2 && SolveMinimiser(q, point)) {
    if (!oTarget) return KelCldQMetric::QuadraticForm(q, point);
    for (int k = 0; k < 3; ++k) oTarget[k] = point[k];
    return 0.0;
  }
  // The ends' positions only serve the hole and singular cases.
  double a[3], b[3];
  Position(Coordinates(), iVertex1, a);
  Position(Coordinates(), iVertex2, b);
  if (hole1 != hole2) {
    const double* onHole = hole1 ? a : b;
    if (!oTarget) return KelCldQMetric::QuadraticForm(q, onHole);
    for (int k = 0; k < 3; ++k) oTarget[k] = onHole[k];
    return 0.0;
  }
  return TwoVertexRule(q, a, b, oTarget);
}

void KelCldEdgeCollapseQMetric::PrefetchVertexData(const int iVertex) const
{
  // A quadric spans two cache lines.
  const double* quadric = &_QMatrixData[10 * static_cast<size_t>(GetVertexIndex(iVertex))];
  KelPrefetch(quadric);
  KelPrefetch(quadric + 9);
}

double KelCldEdgeCollapseQMetric::ComputeCostOfEdge(const int iVertex1, const int iVertex2) const
{
  return ComputeCostOrTargetCoordinates(iVertex1, iVertex2, nullptr);
}

void KelCldEdgeCollapseQMetric::ComputeCoordinatesOfTargetVertex(const int iVertex1, const int iVertex2,
                                                                 double* oTarget) const
{
  KelAssert(_cldPolygon);
  ComputeCostOrTargetCoordinates(iVertex1, iVertex2, oTarget);
  double a[3], b[3];
  Position(Coordinates(), iVertex1, a);
  Position(Coordinates(), iVertex2, b);
  auto distance = [](const double* p, const double* q) {
    return std::sqrt((p[0] - q[0]) * (p[0] - q[0]) + (p[1] - q[1]) * (p[1] - q[1]) + (p[2] - q[2]) * (p[2] - q[2]));
  };
  const double length = distance(a, b);
  if (distance(oTarget, a) > 2.0 * length || distance(oTarget, b) > 2.0 * length)
    for (int k = 0; k < 3; ++k) oTarget[k] = 0.5 * (a[k] + b[k]);
}
