// Akima gridding of pseudo-section point sets (Wenner levels 1 to 15 over
// 48-electrode spreads joined by roll-along) onto a 100 x 100 grid over the
// points' bounding box, and in the same run SciPy's cubic griddata on the
// same points and grid, with the ratio of the two times.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "MeshInterp.h"
#include "TestPoints.h"

namespace {

constexpr int kGridSize = 100;
constexpr int kSpreads[] = {1, 5, 20, 40};

struct GridInput {
  std::vector<double> x, y, f, gx, gy;
};

GridInput MakeInput(int spreads) {
  const meshinterp::testing::Samples samples = meshinterp::testing::PseudoSection(spreads);
  GridInput in{samples.xs(), samples.ys(), samples.values, {}, {}};
  const auto [xmin, xmax] = std::minmax_element(in.x.begin(), in.x.end());
  const auto [ymin, ymax] = std::minmax_element(in.y.begin(), in.y.end());
  for (int i = 0; i < kGridSize; ++i) {
    in.gx.push_back(*xmin + i / double(kGridSize - 1) * (*xmax - *xmin));
    in.gy.push_back(*ymin + i / double(kGridSize - 1) * (*ymax - *ymin));
  }
  return in;
}

void BM_AkimaPseudoSection(benchmark::State& state) {
  const GridInput in = MakeInput(static_cast<int>(state.range(0)));
  std::vector<double> sur(kGridSize * kGridSize);
  for (auto _ : state) {
    SCATDATA_INTERPOL_DYN(static_cast<int32_t>(in.x.size()), in.x.data(), in.y.data(), in.f.data(), kGridSize,
                          kGridSize, in.gx.data(), in.gy.data(), sur.data());
    benchmark::DoNotOptimize(sur.data());
  }
  state.counters["points"] = static_cast<double>(in.x.size());
}
BENCHMARK(BM_AkimaPseudoSection)->Arg(1)->Arg(5)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);

// Keeps the real time of every benchmark while printing as usual: the
// median of the repetitions when the run repeats (--benchmark_repetitions),
// otherwise the mean of the single run.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const std::string name = run.run_name.str();
      if (run.run_type == Run::RT_Iteration && run.repetitions <= 1) times[name] = run.GetAdjustedRealTime();
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") times[name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;  // in the run's time unit (ms)
};

double SciPyMilliseconds(const GridInput& in) {
  char path[] = "/tmp/meshinterp_bench_XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) return -1;
  FILE* file = fdopen(fd, "wb");
  for (std::size_t k = 0; k < in.x.size(); ++k) {
    const double triple[3] = {in.x[k], in.y[k], in.f[k]};
    std::fwrite(triple, sizeof triple, 1, file);
  }
  std::fclose(file);
  const std::string command = std::string("/usr/bin/python3 ") + SCIPY_GRIDDATA_SCRIPT + " " + path + " " +
                              std::to_string(kGridSize) + " " + std::to_string(kGridSize) + " 9";
  double fastest = -1;
  double ms = -1;  // the median of the runs
  if (FILE* pipe = popen(command.c_str(), "r")) {
    if (std::fscanf(pipe, "%lf %lf", &fastest, &ms) != 2) ms = -1;
    pclose(pipe);
  }
  std::remove(path);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\nAkima (MeshInterp) against scipy.interpolate.griddata(method=\"cubic\"), 100 x 100 grid\n");
  std::printf("%8s %8s %14s %14s %10s\n", "spreads", "points", "MeshInterp ms", "SciPy ms", "ratio");
  std::printf("(medians of the repetitions and of 9 SciPy runs)\n");
  for (int spreads : kSpreads) {
    const std::string name = "BM_AkimaPseudoSection/" + std::to_string(spreads);
    const auto found = reporter.times.find(name);
    if (found == reporter.times.end()) continue;
    const GridInput in = MakeInput(spreads);
    const double scipy = SciPyMilliseconds(in);
    if (scipy > 0) {
      std::printf("%8d %8zu %14.3f %14.3f %10.3f\n", spreads, in.x.size(), found->second, scipy,
                  found->second / scipy);
    } else {
      std::printf("%8d %8zu %14.3f %14s %10s\n", spreads, in.x.size(), found->second, "n/a", "n/a");
    }
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident memory of the benchmark process: %.1f MiB\n", usage.ru_maxrss / 1024.0);
  benchmark::Shutdown();
  return 0;
}
