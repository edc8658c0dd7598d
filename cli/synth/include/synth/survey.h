// Synthetic instrument readings for a list of measurements over a layered earth.
#ifndef SYNTH_SURVEY_H
#define SYNTH_SURVEY_H

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "inversion/electrode_array.h"
#include "inversion/layered_earth.h"

namespace synth {

// The layered earth and the electrode layouts are shared with the inversion.
using inversion::LayeredEarth;
using inversion::Quadripole;

struct SynthesisOptions {
  std::uint64_t seed = 1;
  // 0: no chargeability (the readings carry 0); 1 to 6: chargeability is
  // measured in the window of 60, 120, 160, 200, 240 or 320 ms.
  std::uint8_t ipWindowCode = 0;
  double ipTimeConstant = 0.5;  // s, decay time of the secondary voltage
  double badFraction = 0.015;   // share of disturbed measurements, 0 to 1
};

// What the instrument stores for one measurement, plus the noise-free model
// values it was made from.
struct Reading {
  std::uint32_t chargeability = 0;     // thousandths of a millisecond
  std::uint32_t voltage = 0;           // microvolts
  std::uint32_t current = 0;           // microamperes
  std::uint32_t quality = 0;           // thousandths of a percent
  std::uint8_t status = 1;             // 1 = in use
  std::uint32_t resistivityMilli = 0;  // k U / I of the stored U and I, thousandths of ohm-m
  double modelResistivity = 0.0;       // apparent resistivity of the model, ohm-m
  double modelChargeability = 0.0;     // chargeability of the model in the window, ms (0 when off)
  bool disturbed = false;              // one of the deliberately bad measurements
};

// The instrument's readings for every measurement, in order. Deterministic:
// the same inputs and seed give the same readings on every platform.
//
// The model behind them:
// - Contact resistance: each electrode (identified by its position) gets a
//   resistance between 300 and 3000 ohm fixed by the seed; a remote electrode
//   200 ohm. The transmitter drives 180 V through the contact resistances of
//   A and B; the current is held between 20 and 200 mA (0.5 % jitter).
// - Voltage: rho_a I / k with multiplicative noise of relative deviation
//   sqrt(s_c^2 + (20 uV / U)^2), s_c from 0.4 % to 1.6 % with the contact
//   resistance of M and N (at most 50 %).
// - Quality: the stacking deviation, 0.6 to 1.4 times the noise level in
//   percent.
// - Disturbed measurements (badFraction of them, at random): voltage off by
//   20 to 60 %, quality 5 to 25 %, chargeability off by 5 to 20 ms.
// - Chargeability (ipWindowCode > 0; the earth must carry chargeabilities):
//   apparent chargeability m_a (Seigel) of an exponential decay with
//   ipTimeConstant tau, integrated over the window T after a 20 ms delay:
//   1000 m_a tau (e^(-0.02/tau) - e^(-(0.02+T)/tau)) ms, with noise of
//   0.1 ms + 2 %.
// A dipping earth is evaluated 1D per measurement, under its mid-point.
// Throws std::invalid_argument for an invalid earth, options or layout (the
// message names the measurement). progress, when set, receives the number of
// measurements done after each one.
using ProgressFunction = std::function<void(std::size_t done)>;
std::vector<Reading> SynthesiseMeasurements(const LayeredEarth& earth, std::span<const Quadripole> measurements,
                                            const SynthesisOptions& options, const ProgressFunction& progress = {});

// The MeasureSettings block of the file header for these readings: deviation
// limit 2 %, stacking 2 to 6, the IP window code, transmitter power 100 %.
std::array<std::uint8_t, 6> MeasureSettingsFor(const SynthesisOptions& options);

}  // namespace synth

#endif  // SYNTH_SURVEY_H
