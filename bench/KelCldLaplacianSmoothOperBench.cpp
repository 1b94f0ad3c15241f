// Explicit smoothing: ten passes over every vertex of a shared mesh, the operator alone (the
// mesh is read and copied outside the timing).

#include <benchmark/benchmark.h>

#include "KelBenchMeshes.h"
#include "KelCldCoonsSmoothOper.h"
#include "KelCldLaplacianSmoothOper.h"
#include "KelCldPolygon.h"

namespace {

template <class Smoother>
void TenPasses(benchmark::State& ioState, const char* iName)
{
  KelCldPolygon* mesh = KelBenchSharedMesh(iName);
  if (!mesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  for (auto _ : ioState) {
    ioState.PauseTiming();
    KelBenchPolygonPtr polygon(KelBenchCopy(*mesh));
    polygon->EndInsertion();
    Smoother smoother;
    ioState.ResumeTiming();
    for (int pass = 0; pass < 10; ++pass) smoother.Run(polygon.get());
    ioState.PauseTiming();
    polygon.reset();
    ioState.ResumeTiming();
  }
  ioState.counters["vertices"] = mesh->GetNbVertices();
  ioState.counters["triangles"] = mesh->GetNbTriangles(0);
}

void LaplacianTenPasses(benchmark::State& ioState, const char* iName)
{
  TenPasses<KelCldLaplacianSmoothOper>(ioState, iName);
}

void CoonsTenPasses(benchmark::State& ioState, const char* iName) { TenPasses<KelCldCoonsSmoothOper>(ioState, iName); }

}  // namespace

BENCHMARK_CAPTURE(LaplacianTenPasses, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(CoonsTenPasses, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(10);
