// Quadric decimation to 10 % of the triangles, the operator's run alone (the mesh is read and
// copied outside the timing): armadillo (52k triangles), snowden (109k, a dirty scan) and
// armadillo subdivided twice (832k).

#include <benchmark/benchmark.h>

#include "KelBenchDecimate.h"

namespace {

void Shared(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSharedMesh(iName));
}

void Subdivided(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSubdividedMesh(iName));
}

}  // namespace

BENCHMARK_CAPTURE(Shared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(Shared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(Subdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
