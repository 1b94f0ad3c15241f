// Reading an OBJ file of about a million triangles into a cloud polygon (Read + GetPolyMesh).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "KelBenchMeshes.h"
#include "KelCldObjModel.h"
#include "KelCldPolygon.h"
#include "KelTimer.h"

namespace {

void ReadObj(benchmark::State& ioState, const char* iName)
{
  const std::string path = KelBenchSubdividedObj(iName);
  if (path.empty()) {
    ioState.SkipWithError("shared mesh or OBJ writer not available");
    return;
  }
  KelTimer readTimer, meshTimer;
  int nbTriangles = 0;
  for (auto _ : ioState) {
    auto model = std::make_unique<KelCldObjModel>();
    KelBenchPolygonPtr polygon(KelCldPolygon::Create());
    readTimer.Start();
    const bool read = model->Read(path.c_str());
    readTimer.Stop();
    meshTimer.Start();
    const bool converted = read && model->GetPolyMesh(polygon.get());
    meshTimer.Stop();
    if (!converted) {
      ioState.SkipWithError("cannot read the OBJ file");
      break;
    }
    nbTriangles = polygon->GetNbTriangles(0);
    ioState.PauseTiming();
    polygon.reset();
    model.reset();
    ioState.ResumeTiming();
  }
  const auto fileSize = std::filesystem::file_size(path);
  ioState.SetBytesProcessed(int64_t(ioState.iterations()) * int64_t(fileSize));
  ioState.counters["triangles"] = nbTriangles;
  ioState.counters["read_ms"] = benchmark::Counter(readTimer.GetElapsed(), benchmark::Counter::kAvgIterations);
  ioState.counters["polymesh_ms"] = benchmark::Counter(meshTimer.GetElapsed(), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK_CAPTURE(ReadObj, armadillo_x16, "armadillo.obj")->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadObj, snowden_x16, "snowden.obj")->Iterations(3)->Unit(benchmark::kMillisecond);
