// Cloud polygon on meshes of about a million triangles: the linking pass after a bulk
// insertion, memory per triangle, and random local edits.

#include <benchmark/benchmark.h>

#include <random>

#include "KelBenchMeshes.h"
#include "KelCldPolygon.h"

namespace {

// Time of the first neighbourhood query after a bulk insertion (the insertion is not timed).
void Neighborhood(benchmark::State& ioState, const char* iName)
{
  KelCldPolygon* mesh = KelBenchSubdividedMesh(iName);
  if (!mesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  size_t bytes = 0;
  for (auto _ : ioState) {
    ioState.PauseTiming();
    KelBenchPolygonPtr polygon(KelBenchCopy(*mesh));
    ioState.ResumeTiming();
    KelRawCollint around;
    polygon->GetTrianglesAroundVertex(1, around);
    benchmark::DoNotOptimize(around.Data());
    ioState.PauseTiming();
    bytes = polygon->GetMemoryUsage();
    polygon.reset();
    ioState.ResumeTiming();
  }
  const int nbTriangles = mesh->GetNbTriangles(0);
  ioState.counters["triangles"] = nbTriangles;
  ioState.counters["vertices"] = mesh->GetNbVertices();
  ioState.counters["bytes_per_triangle"] = double(bytes) / nbTriangles;
}

// One million edits, each at a random valid triangle: FlipEdge of one of its edges (48%),
// RemoveTriangle then AddTriangle of the same vertices (30%), SetTriangleVertices with its
// vertices rotated (20%) or RemoveVertex of one of its vertices (2%).
void LocalEdits(benchmark::State& ioState, const char* iName)
{
  KelCldPolygon* mesh = KelBenchSubdividedMesh(iName);
  if (!mesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  const int nbEdits = 1000000;
  int flipped = 0;
  for (auto _ : ioState) {
    ioState.PauseTiming();
    KelBenchPolygonPtr polygon(KelBenchCopy(*mesh));
    polygon->EndInsertion();
    std::mt19937 rng(20240501u);
    flipped = 0;
    ioState.ResumeTiming();
    for (int done = 0; done < nbEdits;) {
      const int t = 1 + int(rng() % unsigned(polygon->GetNbTriangles(1)));
      int v[3], n[3];
      if (!polygon->GetTriangle(t, v, n)) continue;
      const unsigned kind = rng() % 100, i = rng() % 3;
      if (kind < 48) {
        flipped += polygon->FlipEdge(v[i], v[(i + 1) % 3]) != 0;
      } else if (kind < 78) {
        polygon->RemoveTriangle(t);
        polygon->AddTriangle(v);
      } else if (kind < 98) {
        const int rotated[3] = {v[1], v[2], v[0]};
        polygon->SetTriangleVertices(t, rotated);
      } else {
        polygon->RemoveVertex(v[i]);
      }
      ++done;
    }
    ioState.PauseTiming();
    polygon.reset();
    ioState.ResumeTiming();
  }
  ioState.counters["triangles"] = mesh->GetNbTriangles(0);
  ioState.counters["flipped"] = flipped;
  ioState.counters["time_per_edit"] =
      benchmark::Counter(nbEdits, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK_CAPTURE(Neighborhood, armadillo_x16, "armadillo.obj")->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Neighborhood, snowden_x16, "snowden.obj")->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LocalEdits, armadillo_x16, "armadillo.obj")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LocalEdits, snowden_x16, "snowden.obj")->Iterations(1)->Unit(benchmark::kMillisecond);
