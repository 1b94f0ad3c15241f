#include "KelCldMeshSmoothOper.h"

#include <memory>

#include "KelCldBoundaryScans.h"
#include "KelCldPolygon.h"
#include "KelFatalError.h"
#include "KelKelCldOperatorsBaseTrace.h"

KelImplementClass(KelCldMeshSmoothOper, KelCldGeometricalOper, KelMetaImplementation)

void KelCldMeshSmoothOper::SetIntensity(double iIntensity)
{
  _intensity = iIntensity < 0.0 ? 0.0 : iIntensity > 1.0 ? 1.0 : iIntensity;
}

float KelCldMeshSmoothOper::PyramidVolume(float* iP, float* iQ, float* iR)
{
  const float e1[3] = {iQ[0] - iP[0], iQ[1] - iP[1], iQ[2] - iP[2]};
  const float e2[3] = {iR[0] - iP[0], iR[1] - iP[1], iR[2] - iP[2]};
  const double normal[3] = {double(e1[1]) * e2[2] - double(e1[2]) * e2[1],
                            double(e1[2]) * e2[0] - double(e1[0]) * e2[2],
                            double(e1[0]) * e2[1] - double(e1[1]) * e2[0]};
  float centroid[3];
  for (int k = 0; k < 3; ++k) centroid[k] = float((iP[k] + iQ[k] + iR[k]) / 3.0f);
  return float(centroid[0] * normal[0] + centroid[1] * normal[1] + centroid[2] * normal[2]);
}

float KelCldMeshSmoothOper::Volume(KelCldPolygon* iPolygon)
{
  if (!iPolygon) return 0.0f;
  if (KelKelCldOperatorsBaseTrace.IsActive()) KelKelCldOperatorsBaseTrace.TraPrint(" Computing volume ofthe polyMesh ");
  float sum = 0.0f;
  const int nbTriangles = iPolygon->GetNbTriangles(1);
  for (int t = 1; t <= nbTriangles; ++t) {
    if (!iPolygon->IsTriangleValid(t)) continue;
    int v[3], n[3];
    iPolygon->GetTriangle(t, v, n);
    float p[3][3];
    for (int k = 0; k < 3; ++k) iPolygon->GetPoint(v[k], p[k]);
    sum += PyramidVolume(p[0], p[1], p[2]);
  }
  // Each hole is closed by a fan from the centroid of its border.
  if (const KelCldBoundaryScans* scans = iPolygon->GetBoundaryScans()) {
    for (int i = 1; i <= scans->GetNbScans(); ++i) {
      const KelCldBoundaryScan* scan = scans->GetScan(i);
      if (!scan) continue;
      KelAssert(scan->IsClosed());
      const int n = scan->GetNbPoints();
      if (n == 0) continue;
      std::unique_ptr<float[]> points(new float[3 * static_cast<size_t>(n)]);
      float centroid[3] = {0.0f, 0.0f, 0.0f};
      for (int k = 0; k < n; ++k) {
        float* p = &points[3 * static_cast<size_t>(k)];
        iPolygon->GetPoint(iPolygon->GetVertexOfScanPoint(scan->GetPointIdentifier(k + 1)), p);
        for (int c = 0; c < 3; ++c) centroid[c] += p[c];
      }
      for (float& c : centroid) c /= float(n);
      for (int k = 0; k + 1 < n; ++k)
        sum += PyramidVolume(&points[3 * static_cast<size_t>(k)], &points[3 * static_cast<size_t>(k + 1)], centroid);
    }
  }
  return sum / 6.0f;
}

void KelCldMeshSmoothOper::Scale(KelCldPolygon* iPolygon, float iFactor)
{
  if (!iPolygon) return;
  int count = 0;
  int* vertices = nullptr;
  iPolygon->GetAllVertices(count, vertices);
  const std::unique_ptr<int[]> owned(vertices);
  for (int i = 0; i < count; ++i) {
    float p[3];
    iPolygon->GetPoint(vertices[i], p);
    iPolygon->SetPoint(vertices[i], p[0] * iFactor, p[1] * iFactor, p[2] * iFactor);
  }
}

void KelCldMeshSmoothOper::PrintParameters()
{
  const KelTrace& trace = KelKelCldOperatorsBaseTrace;
  if (!trace.IsActive()) return;
  trace.TraPrint("Smoothing Parameters ");
  trace.TraPrintf(" Intensity   : %g\n", _intensity);
  trace.TraPrintf(" Time Steps  : %d\n", _timeStep);
  trace.TraPrintf(" Tolerance   : %g\n", _tolerance);
  trace.TraPrintf(" MaxDev      : %g\n", _maxDeviation);
  trace.TraPrintf(" FreezeEdges : %d\n", int(_smoothHoles));
  trace.TraPrintf(" VolPres     : %d\n", int(_volumePreserve));
  trace.TraPrintf(" Tolerance   : %d\n", int(_toleranceFlag));
}
