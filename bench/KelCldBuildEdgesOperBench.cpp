// Edge table build on meshes of about a million triangles (the shared meshes subdivided
// twice). Making the mesh and destroying the table are not timed.

#include <benchmark/benchmark.h>

#include <memory>

#include "KelBenchMeshes.h"
#include "KelCldBuildEdgesOper.h"
#include "KelCldPolygon.h"

namespace {

void BuildEdges(benchmark::State& ioState, const char* iName)
{
  KelCldPolygon* mesh = KelBenchSubdividedMesh(iName);
  if (!mesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  int nbEdges = 0;
  for (auto _ : ioState) {
    auto table = std::make_unique<KelCldBuildEdgesOper>();
    table->Build(mesh);
    nbEdges = table->GetNbEdges(TRUE);
    ioState.PauseTiming();
    table.reset();
    ioState.ResumeTiming();
  }
  ioState.counters["triangles"] = mesh->GetNbTriangles(0);
  ioState.counters["vertices"] = mesh->GetNbVertices();
  ioState.counters["edges"] = nbEdges;
}

}  // namespace

BENCHMARK_CAPTURE(BuildEdges, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BuildEdges, snowden_x16, "snowden.obj")->Unit(benchmark::kMillisecond)->UseRealTime();
