#ifndef KelBenchDecimate_h
#define KelBenchDecimate_h
// Quadric decimation to 10 % of the triangles, the operator's run alone (the copy of the mesh
// is made outside the timing); shared by the decimation benchmark and the peer comparison.

#include <benchmark/benchmark.h>

#include "KelBenchMeshes.h"
#include "KelCldDecimateOper.h"
#include "KelCldPolygon.h"

inline void KelBenchDecimateToTenPercent(benchmark::State& ioState, KelCldPolygon* iMesh)
{
  if (!iMesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  const int target = iMesh->GetNbTriangles(0) / 10;
  int reached = 0;
  for (auto _ : ioState) {
    ioState.PauseTiming();
    KelBenchPolygonPtr polygon(KelBenchCopy(*iMesh));
    polygon->EndInsertion();
    KelCldDecimateOper decimate;
    decimate.SetStoppingCriterion(KelCldDecimateOper::TriangleCountStoppingCriterion);
    decimate.SetTriangleCount(target);
    ioState.ResumeTiming();
    decimate.Run(polygon.get());
    ioState.PauseTiming();
    reached = polygon->GetNbTriangles(0);
    polygon.reset();
    ioState.ResumeTiming();
  }
  ioState.counters["triangles_before"] = iMesh->GetNbTriangles(0);
  ioState.counters["target"] = target;
  ioState.counters["triangles_after"] = reached;
}

#endif
