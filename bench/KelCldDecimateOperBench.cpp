// Quadric decimation to 10 % of the triangles, the operator's run alone (the mesh is read and
// copied outside the timing): armadillo (52k triangles), snowden (109k, a dirty scan) and
// armadillo subdivided twice (832k).

#include <benchmark/benchmark.h>

#include "KelBenchMeshes.h"
#include "KelCldDecimateOper.h"
#include "KelCldPolygon.h"

namespace {

void DecimateToTenPercent(benchmark::State& ioState, KelCldPolygon* iMesh)
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
    decimate.SetDecimationType(KelCldDecimateOper::ChordalDeviationDecimationType);
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

void Shared(benchmark::State& ioState, const char* iName) { DecimateToTenPercent(ioState, KelBenchSharedMesh(iName)); }

void Subdivided(benchmark::State& ioState, const char* iName)
{
  DecimateToTenPercent(ioState, KelBenchSubdividedMesh(iName));
}

}  // namespace

BENCHMARK_CAPTURE(Shared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Shared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Subdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
