// Time of a 2D inversion: one 48-electrode dipole-dipole spread (about 500
// readings) over a conductive block, inverted to convergence; and a long
// roll-along line (spreads of 48 electrodes moved by 24), inverted with
// progress reports until the first iteration is done and the next forward
// solution half-way, then cancelled: its memory, how soon and how often it
// reports, and how soon a cancel returns.
#include "inversion/SectionInversion.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace inversion;

// Dipole-dipole readings of a spread of `electrodes` starting at electrode
// `first` of the line.
std::vector<TSectionReading> DipoleDipole(int electrodes, double spacing, int maxDipole, int maxSeparation,
                                          int first = 0)
{
    std::vector<TSectionReading> readings;
    for (int dipole = 1; dipole <= maxDipole; ++dipole)
        for (int n = 1; n <= maxSeparation; ++n)
            for (int a = 0; a + (n + 2) * dipole < electrodes; ++a) {
                TSectionReading r;
                r.A = (first + a) * spacing;
                r.B = r.A + dipole * spacing;
                r.M = r.B + n * dipole * spacing;
                r.N = r.M + dipole * spacing;
                const double sum = 1 / (r.M - r.A) - 1 / (r.N - r.A) - 1 / (r.M - r.B) + 1 / (r.N - r.B);
                r.GeometricFactor = 2 * std::numbers::pi / std::abs(sum);
                r.MidPoint = 0.5 * (r.A + r.N);
                r.ErrorPercent = 2.0;
                readings.push_back(r);
            }
    return readings;
}

// Readings over 10 Ohm*m blocks in 100 Ohm*m, every 48 spacings, with 2 % noise.
void Synthesise(std::vector<TSectionReading> &readings, double spacing)
{
    TSectionModelling modelling(readings);
    const auto values = modelling.ApparentResistivities(modelling.TriangleResistivities([&](double x, double z) {
        const double local = std::fmod(x, 48 * spacing);
        return local > 22 * spacing && local < 26 * spacing && z > spacing && z < 3 * spacing ? 10.0 : 100.0;
    }), false);
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (std::size_t i = 0; i < readings.size(); ++i)
        readings[i].Resistivity = values[i] * std::exp(noise(random));
}

void BM_InvertSpread(benchmark::State &state)
{
    auto readings = DipoleDipole(48, 2.0, 2, 7);
    Synthesise(readings, 2.0);
    TSectionModel model;
    for (auto _ : state)
        model = InvertSection(readings, {});
    state.counters["readings"] = static_cast<double>(readings.size());
    state.counters["cells"] = static_cast<double>(model.Cells.size());
    state.counters["iterations"] = model.Iterations;
    state.counters["rms_percent"] = model.RmsPercent;
    state.counters["chi_squared"] = model.ChiSquared;
}
BENCHMARK(BM_InvertSpread)->Unit(benchmark::kSecond)->Iterations(1);

// Spreads of 48 electrodes (two 24-electrode cables), each moved by one
// cable: dipole-dipole with dipoles of 1 and 2 spacings, separations 1 to 4
// (330 readings a spread).
void BM_InvertRollAlong(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const auto spreads = static_cast<int>(state.range(0));
    std::vector<TSectionReading> readings;
    for (int spread = 0; spread < spreads; ++spread) {
        const auto spreadReadings = DipoleDipole(48, 2.0, 2, 4, spread * 24);
        readings.insert(readings.end(), spreadReadings.begin(), spreadReadings.end());
    }
    Synthesise(readings, 2.0);
    const TSectionMesh mesh(LinePositions(readings), FarPositions(readings), {},
                            TSectionModelling::WidestReading(readings));

    TSectionInversionOptions options;
    options.StageProgress = true;
    TSectionModel model;
    double firstReport = -1, largestGap = 0, cancelToReturn = -1, lastReport = 0;
    int reports = 0, largestGapStage = -1; // the stage reported at the end of the largest gap
    for (auto _ : state) {
        std::atomic<bool> cancel{false};
        const Clock::time_point start = Clock::now();
        Clock::time_point cancelledAt;
        auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
        model = InvertSection(
            readings, options,
            [&](const TSectionProgress &p) {
                const double now = seconds(Clock::now() - start);
                if (firstReport < 0)
                    firstReport = now;
                if (now - lastReport > largestGap) {
                    largestGap = now - lastReport;
                    largestGapStage = static_cast<int>(p.Stage);
                }
                lastReport = now;
                ++reports;
                if (!cancel && p.Stage == TSectionStage::Modelling && p.Iteration == 1 && p.StageFraction >= 0.5) {
                    cancelledAt = Clock::now();
                    cancel = true;
                }
            },
            &cancel);
        cancelToReturn = cancel ? seconds(Clock::now() - cancelledAt) : -1;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["readings"] = static_cast<double>(readings.size());
    state.counters["cells"] = static_cast<double>(mesh.Cells.size());
    state.counters["nodes"] = static_cast<double>(mesh.NodeCount());
    state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["first_report_s"] = firstReport;
    state.counters["largest_gap_s"] = largestGap;
    state.counters["largest_gap_stage"] = largestGapStage; // 0 model, 1 modelling, 2 solving
    state.counters["cancel_to_return_s"] = cancelToReturn;
    state.counters["reports"] = reports;
    state.counters["iterations"] = model.Iterations;
    state.counters["cancelled"] = model.Cancelled;
}
BENCHMARK(BM_InvertRollAlong)->Arg(4)->Arg(40)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
