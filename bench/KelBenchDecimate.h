#ifndef KelBenchDecimate_h
#define KelBenchDecimate_h
// Quadric decimation to 10 % of the triangles, the operator's run alone (the copy of the mesh
// is made outside the timing); shared by the decimation benchmark and the peer comparison.

#include <benchmark/benchmark.h>

#include <memory>

#include "KelBenchMeshes.h"
#include "KelCldDecimateOper.h"
#include "KelCldPolygon.h"

// A fresh linked copy of the mesh and a quadric decimation set to a tenth of its triangles.
struct KelBenchDecimation {
  KelBenchPolygonPtr polygon;
  KelCldDecimateOper decimate;
  static int Target(const KelCldPolygon& iMesh) { return iMesh.GetNbTriangles(0) / 10; }
  explicit KelBenchDecimation(const KelCldPolygon& iMesh) : polygon(KelBenchCopy(iMesh))
  {
    polygon->EndInsertion();
    decimate.SetStoppingCriterion(KelCldDecimateOper::TriangleCountStoppingCriterion);
    decimate.SetTriangleCount(Target(iMesh));
  }
  void Run() { decimate.Run(polygon.get()); }
};

inline void KelBenchDecimateToTenPercent(benchmark::State& ioState, KelCldPolygon* iMesh)
{
  if (!iMesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  const int target = KelBenchDecimation::Target(*iMesh);
  int reached = 0;
  for (auto _ : ioState) {
    ioState.PauseTiming();
    auto decimation = std::make_unique<KelBenchDecimation>(*iMesh);
    ioState.ResumeTiming();
    decimation->Run();
    ioState.PauseTiming();
    reached = decimation->polygon->GetNbTriangles(0);
    decimation.reset();
    ioState.ResumeTiming();
  }
  ioState.counters["triangles_before"] = iMesh->GetNbTriangles(0);
  ioState.counters["target"] = target;
  ioState.counters["triangles_after"] = reached;
}

#endif
