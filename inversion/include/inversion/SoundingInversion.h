// 1D inversion of a resistivity sounding: a few-layer model by damped
// Gauss-Newton (Marquardt) on log-resistivities and log-thicknesses, or a
// smooth many-layer model (Occam) whose smoothing is the largest that still
// fits the data to their errors.
#pragma once

#include "inversion/LayeredEarthFilter.h"
#include "inversion/SoundingForward.h"
#include "inversion/electrode_array.h"

#include <cstddef>
#include <vector>

namespace inversion {

// The readings that take part: spacing, observed apparent resistivity
// (ohm-m, > 0) and relative error (a fraction, e.g. 0.03).
struct SoundingData {
    ArrayType arrayType = ArrayType::Schlumberger;
    std::vector<SoundingSpacing> spacings;
    std::vector<double> apparentResistivities;
    std::vector<double> relativeErrors;
};

// Relative errors below this are taken as this: no reading is trusted better
// than 1 %.
inline constexpr double ErrorFloor = 0.01;
// The relative error of a reading with quality q (percent), floored.
double RelativeErrorFromQuality(double qualityPercent);

enum class InversionMode { Layers, Smooth };

inline constexpr std::size_t MinLayers = 2;
inline constexpr std::size_t MaxLayers = 8;
inline constexpr std::size_t SmoothLayers = 30;

struct InversionOptions {
    InversionMode mode = InversionMode::Layers;
    std::size_t layers = 3; // Layers mode: 2 to 8
    std::size_t maxIterations = 40;
};

// One layer of the result; the last layer is the half-space (thickness 0,
// conductance and transverse resistance 0).
struct ModelLayer {
    double top = 0.0;           // m
    double thickness = 0.0;     // m
    double resistivity = 0.0;   // ohm-m
    double conductance = 0.0;   // S = h / rho, siemens
    double transverse = 0.0;    // T = h rho, ohm-m^2
    // The range of equivalent models (Layers mode): resistivity and thickness
    // within one standard deviation of the fit, the parameters' trade-offs
    // included; equal to the value in Smooth mode.
    double resistivityLow = 0.0, resistivityHigh = 0.0;
    double thicknessLow = 0.0, thicknessHigh = 0.0;
};

struct InversionResult {
    InversionMode mode = InversionMode::Layers;
    LayerModel model;
    std::vector<ModelLayer> layers;
    std::vector<double> response; // apparent resistivity of the model per reading
    double rmsPercent = 0.0;      // root mean square of the relative (log) misfits, %
    double chiSquared = 0.0;      // mean squared misfit in units of the readings' errors
    std::size_t iterations = 0;
};

// Throws std::invalid_argument with a message for the user when the data
// cannot be inverted: no readings, a reading without a positive resistivity
// or error, a sounding with one AB/2, fewer readings than the model's
// parameters, a layer count outside 2 to 8.
InversionResult InvertSounding(const SoundingData &data, const InversionOptions &options);

// The layer table of a model (tops, conductances, transverse resistances;
// the equivalence ranges equal to the values).
std::vector<ModelLayer> LayerTable(const LayerModel &model);

} // namespace inversion
