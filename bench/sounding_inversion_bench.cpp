// One sounding inverted end to end (smooth start and few-layer Marquardt, or
// the smooth model alone), and one forward solution with its sensitivities:
// a Schlumberger sounding of 22 readings, AB/2 1 to 500 m, over 100/20/500
// Ohm*m with 5 and 15 m layers and 3 % noise. The goal is under 50 ms per
// sounding.
#include <benchmark/benchmark.h>

#include "inversion/SoundingInversion.h"
#include "inversion/layered_earth.h"

#include <cmath>
#include <numbers>
#include <random>

namespace {

using namespace inversion;

SoundingData NoisySounding()
{
    LayeredEarth earth;
    earth.resistivities = {100, 20, 500};
    earth.thicknesses = {5, 15};
    const ImageSeries series(earth);
    std::mt19937_64 random(3);
    std::normal_distribution<double> noise(0.0, 0.03);
    SoundingData data;
    data.arrayType = ArrayType::Schlumberger;
    for (int k = 0; k <= 21; ++k) {
        const double halfAB = std::pow(10.0, k / 8.0);
        const double halfMN = halfAB < 8 ? 0.25 : (halfAB < 60 ? 2.0 : 15.0);
        const double rho = ApparentResistivity(series, SoundingLayout(data.arrayType, halfAB, halfMN));
        data.spacings.push_back({halfAB, halfMN});
        data.apparentResistivities.push_back(rho * std::exp(noise(random)));
        data.relativeErrors.push_back(0.03);
    }
    return data;
}

void InvertLayers(benchmark::State &state)
{
    const SoundingData data = NoisySounding();
    InversionOptions options;
    options.layers = std::size_t(state.range(0));
    double rms = 0.0;
    for (auto _ : state) {
        const InversionResult result = InvertSounding(data, options);
        rms = result.rmsPercent;
        benchmark::DoNotOptimize(rms);
    }
    state.counters["rms_percent"] = rms;
}
BENCHMARK(InvertLayers)->Arg(3)->Arg(5)->Unit(benchmark::kMillisecond);

void InvertSmooth(benchmark::State &state)
{
    const SoundingData data = NoisySounding();
    InversionOptions options;
    options.mode = InversionMode::Smooth;
    double chi = 0.0;
    for (auto _ : state) {
        const InversionResult result = InvertSounding(data, options);
        chi = result.chiSquared;
        benchmark::DoNotOptimize(chi);
    }
    state.counters["chi_squared"] = chi;
}
BENCHMARK(InvertSmooth)->Unit(benchmark::kMillisecond);

void ForwardWithSensitivities(benchmark::State &state)
{
    const SoundingData data = NoisySounding();
    const SoundingForward forward(data.arrayType, data.spacings);
    LayerModel model;
    for (int i = 0; i < state.range(0); ++i) {
        model.resistivities.push_back(50.0 + 10.0 * i);
        if (i + 1 < state.range(0)) model.thicknesses.push_back(1.0 + i);
    }
    Eigen::MatrixXd jacobian;
    for (auto _ : state)
        benchmark::DoNotOptimize(forward.ApparentResistivities(model, jacobian));
}
BENCHMARK(ForwardWithSensitivities)->Arg(3)->Arg(30)->Unit(benchmark::kMicrosecond);

void Forward(benchmark::State &state)
{
    const SoundingData data = NoisySounding();
    const SoundingForward forward(data.arrayType, data.spacings);
    LayerModel model;
    for (int i = 0; i < state.range(0); ++i) {
        model.resistivities.push_back(50.0 + 10.0 * i);
        if (i + 1 < state.range(0)) model.thicknesses.push_back(1.0 + i);
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(forward.ApparentResistivities(model));
}
BENCHMARK(Forward)->Arg(3)->Arg(30)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
