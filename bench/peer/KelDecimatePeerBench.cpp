// Optional comparison, built only when a peer simplifier is installed: quadric decimation to
// 10 % of the triangles by KelCldDecimateOper and by meshopt_simplify, in the same run, on the
// same meshes (the timed part is each simplifier's own work on data already in memory).

#include <benchmark/benchmark.h>
#include <meshoptimizer.h>

#include <vector>

#include "KelBenchDecimate.h"
#include "KelCldPolygon.h"

namespace {

void Meshopt(benchmark::State& ioState, KelCldPolygon* iMesh)
{
  if (!iMesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  // Positions and indices as the peer wants them: points renumbered from 0.
  std::vector<float> positions(3 * static_cast<size_t>(iMesh->GetNbPoints(1)));
  for (int v = 1; v <= iMesh->GetNbPoints(1); ++v) iMesh->GetPoint(v, &positions[3 * static_cast<size_t>(v - 1)]);
  std::vector<unsigned> indices;
  for (int t = 1; t <= iMesh->GetNbTriangles(1); ++t) {
    int v[3], n[3];
    if (!iMesh->GetTriangle(t, v, n)) continue;
    for (const int vertex : v) indices.push_back(static_cast<unsigned>(vertex - 1));
  }
  const size_t target = indices.size() / 10 / 3 * 3;
  std::vector<unsigned> result(indices.size());
  size_t reached = 0;
  for (auto _ : ioState) {
    float error = 0.0f;
    reached = meshopt_simplify(result.data(), indices.data(), indices.size(), positions.data(), positions.size() / 3,
                               3 * sizeof(float), target, 1.0f, 0, &error);
    benchmark::DoNotOptimize(result.data());
  }
  ioState.counters["triangles_after"] = double(reached / 3);
}

void KelShared(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSharedMesh(iName));
}
void MeshoptShared(benchmark::State& ioState, const char* iName) { Meshopt(ioState, KelBenchSharedMesh(iName)); }
void KelSubdivided(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSubdividedMesh(iName));
}
void MeshoptSubdivided(benchmark::State& ioState, const char* iName)
{
  Meshopt(ioState, KelBenchSubdividedMesh(iName));
}

}  // namespace

BENCHMARK_CAPTURE(KelShared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(MeshoptShared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(KelShared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(MeshoptShared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KelSubdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(MeshoptSubdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
