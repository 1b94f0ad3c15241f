// Optional comparison, built only when a peer simplifier is installed: quadric decimation to
// 10 % of the triangles by KelCldDecimateOper and by meshopt_simplify, in the same run, on the
// same meshes (the timed part is each simplifier's own work on data already in memory), first
// as two separate series, then paired run by run.

#include <benchmark/benchmark.h>
#include <meshoptimizer.h>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "KelBenchDecimate.h"
#include "KelCldPolygon.h"

namespace {

// Large buffers come from the heap and stay there between runs: otherwise whether a run's
// buffers are fresh pages (a fault each) or reused ones depends on the C library's adaptive
// thresholds, which the previous run has moved, and the peer's time flips between two values.
// (The mapping threshold cannot be raised past 32 MB; no mapping at all is what holds.) Our
// own large arrays are kept for reuse by the library itself.
#if defined(M_MMAP_MAX) && defined(M_TRIM_THRESHOLD)
const bool kSteadyAllocator = mallopt(M_MMAP_MAX, 0) && mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif

// The peer's input: positions and indices with points renumbered from 0.
struct PeerMesh {
  std::vector<float> positions;
  std::vector<unsigned> indices;
  explicit PeerMesh(const KelCldPolygon& iMesh)
  {
    positions.resize(3 * static_cast<size_t>(iMesh.GetNbPoints(1)));
    for (int v = 1; v <= iMesh.GetNbPoints(1); ++v) iMesh.GetPoint(v, &positions[3 * static_cast<size_t>(v - 1)]);
    for (int t = 1; t <= iMesh.GetNbTriangles(1); ++t) {
      int v[3], n[3];
      if (!iMesh.GetTriangle(t, v, n)) continue;
      for (const int vertex : v) indices.push_back(static_cast<unsigned>(vertex - 1));
    }
  }
  // Triangles left after simplifying to a tenth of the triangles.
  size_t Simplify(std::vector<unsigned>& oResult) const
  {
    const size_t target = indices.size() / 10 / 3 * 3;
    oResult.resize(indices.size());
    float error = 0.0f;
    const size_t reached = meshopt_simplify(oResult.data(), indices.data(), indices.size(), positions.data(),
                                            positions.size() / 3, 3 * sizeof(float), target, 1.0f, 0, &error);
    benchmark::DoNotOptimize(oResult.data());
    return reached / 3;
  }
};

void Meshopt(benchmark::State& ioState, KelCldPolygon* iMesh)
{
  if (!iMesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  const PeerMesh peer(*iMesh);
  std::vector<unsigned> result;
  size_t reached = 0;
  for (auto _ : ioState) reached = peer.Simplify(result);
  ioState.counters["triangles_after"] = double(reached);
}

double Median(std::vector<double> iValues)
{
  std::sort(iValues.begin(), iValues.end());
  return iValues.empty() ? 0.0 : iValues[iValues.size() / 2];
}

// One run of each per iteration, back to back and in turns first, each on input it has just
// copied (its data as warm as the other's), and the ratio of the two: on a machine whose speed
// drifts between runs, the ratio of neighbouring runs is steadier than that of two separate
// series. The counters are medians over the iterations.
void Paired(benchmark::State& ioState, KelCldPolygon* iMesh)
{
  if (!iMesh) {
    ioState.SkipWithError("shared mesh not found");
    return;
  }
  const PeerMesh peer(*iMesh);
  std::vector<unsigned> result;
  std::vector<double> ours, theirs, ratios;
  using Clock = std::chrono::steady_clock;
  auto milliseconds = [](Clock::duration iDuration) {
    return std::chrono::duration<double, std::milli>(iDuration).count();
  };
  bool oursFirst = true;
  for (auto _ : ioState) {
    double ourTime = 0.0, theirTime = 0.0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((turn == 0) == oursFirst) {
        KelBenchDecimation decimation(*iMesh);
        const Clock::time_point start = Clock::now();
        decimation.Run();
        ourTime = milliseconds(Clock::now() - start);
      } else {
        const PeerMesh copy(peer);
        const Clock::time_point start = Clock::now();
        copy.Simplify(result);
        theirTime = milliseconds(Clock::now() - start);
      }
    }
    oursFirst = !oursFirst;
    ours.push_back(ourTime);
    theirs.push_back(theirTime);
    ratios.push_back(ourTime / theirTime);
  }
  ioState.counters["kel_ms"] = Median(ours);
  ioState.counters["meshopt_ms"] = Median(theirs);
  ioState.counters["ratio"] = Median(ratios);
}

void KelShared(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSharedMesh(iName));
}
void MeshoptShared(benchmark::State& ioState, const char* iName) { Meshopt(ioState, KelBenchSharedMesh(iName)); }
void PairedShared(benchmark::State& ioState, const char* iName) { Paired(ioState, KelBenchSharedMesh(iName)); }
void KelSubdivided(benchmark::State& ioState, const char* iName)
{
  KelBenchDecimateToTenPercent(ioState, KelBenchSubdividedMesh(iName));
}
void MeshoptSubdivided(benchmark::State& ioState, const char* iName)
{
  Meshopt(ioState, KelBenchSubdividedMesh(iName));
}
void PairedSubdivided(benchmark::State& ioState, const char* iName) { Paired(ioState, KelBenchSubdividedMesh(iName)); }

}  // namespace

BENCHMARK_CAPTURE(KelShared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(MeshoptShared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK_CAPTURE(KelShared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(MeshoptShared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(KelSubdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(MeshoptSubdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(PairedShared, armadillo, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK_CAPTURE(PairedShared, snowden, "snowden.obj")->Unit(benchmark::kMillisecond)->Iterations(8);
BENCHMARK_CAPTURE(PairedSubdivided, armadillo_x16, "armadillo.obj")->Unit(benchmark::kMillisecond)->Iterations(4);
