// Time of a 2D inversion: one 48-electrode dipole-dipole spread (about 500
// readings) over a conductive block, inverted to convergence.
#include "inversion/SectionInversion.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace inversion;

std::vector<TSectionReading> DipoleDipole(int electrodes, double spacing, int maxDipole, int maxSeparation)
{
    std::vector<TSectionReading> readings;
    for (int dipole = 1; dipole <= maxDipole; ++dipole)
        for (int n = 1; n <= maxSeparation; ++n)
            for (int a = 0; a + (n + 2) * dipole < electrodes; ++a) {
                TSectionReading r;
                r.A = a * spacing;
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

} // namespace

BENCHMARK_MAIN();
