#include "synth/survey.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "random_stream.h"

namespace synth {

using inversion::ApparentResistivity;
using inversion::ArrayMidPoint;
using inversion::GeometricFactor;
using inversion::ImageSeries;
using inversion::LayeringAt;
using inversion::SurfacePoint;
using inversion::ValidateEarth;

namespace {

// Contacts and transmitter.
constexpr double kMinContactOhm = 300.0;
constexpr double kMaxContactOhm = 3000.0;
constexpr double kRemoteContactOhm = 200.0;
constexpr double kTransmitterVolt = 180.0;
constexpr double kMinCurrentAmpere = 0.020;
constexpr double kMaxCurrentAmpere = 0.200;
constexpr double kCurrentJitter = 0.005;

// Voltage noise and quality.
constexpr double kMinContactNoise = 0.004;
constexpr double kMaxContactNoise = 0.016;
constexpr double kNoiseFloorVolt = 20e-6;
constexpr double kMaxRelativeNoise = 0.5;
constexpr double kQualitySpreadLow = 0.6;
constexpr double kQualitySpreadHigh = 1.4;

// Disturbed measurements.
constexpr double kBadErrorLow = 0.2;
constexpr double kBadErrorHigh = 0.6;
constexpr double kBadQualityLow = 5.0;   // percent
constexpr double kBadQualityHigh = 25.0;
constexpr double kBadChargeLow = 5.0;    // ms
constexpr double kBadChargeHigh = 20.0;

// Chargeability.
constexpr double kIpDelaySecond = 0.020;
constexpr double kChargeNoiseMs = 0.1;
constexpr double kChargeNoiseRelative = 0.02;
constexpr std::array<double, 7> kIpWindowSecond{0.0, 0.060, 0.120, 0.160, 0.200, 0.240, 0.320};

// Settings block.
constexpr std::uint8_t kDeviationLimitPercent = 2;
constexpr std::uint8_t kMinStacking = 2;
constexpr std::uint8_t kMaxStacking = 6;
constexpr std::uint8_t kFullPowerCode = 21;

std::uint32_t StoredValue(double value) {
  if (!(value > 0.0)) return 0;
  constexpr double kLargest = std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(std::min(kLargest, std::floor(value + 0.5)));
}

// Electrodes are told apart by their position to the millimetre.
std::uint64_t PositionKey(const SurfacePoint& p) {
  const auto mm = [](double metres) { return static_cast<std::uint64_t>(std::llround(metres * 1000.0)); };
  return mm(p.x) * 0x100000001B3ULL ^ mm(p.y);
}

double ContactResistance(std::uint64_t seed, const std::optional<SurfacePoint>& electrode) {
  if (!electrode) return kRemoteContactOhm;
  return kMinContactOhm + (kMaxContactOhm - kMinContactOhm) * detail::KeyedUniform(seed, PositionKey(*electrode));
}

// Both image series of one layering: as given, and with rho / (1 - m) for the
// chargeability.
struct LocalModels {
  std::unique_ptr<ImageSeries> plain;
  std::unique_ptr<ImageSeries> charged;
};

LocalModels BuildModels(const LayeredEarth& earth, double midPoint, bool chargeable) {
  LayeredEarth local = LayeringAt(earth, midPoint);
  LocalModels models;
  models.plain = std::make_unique<ImageSeries>(local);
  if (chargeable) {
    for (std::size_t i = 0; i < local.resistivities.size(); ++i) {
      local.resistivities[i] /= 1.0 - local.chargeabilities[i];
    }
    models.charged = std::make_unique<ImageSeries>(local);
  }
  return models;
}

// The random draws of one measurement, always all of them in this order, so
// that one option (chargeability on or off) does not shift another's noise.
struct Draws {
  double currentJitter, voltageNoise, qualitySpread, badChoice, badSize, badSign, badQuality, chargeNoise, badCharge;
};

Draws NextDraws(detail::RandomStream& random) {
  Draws d{};
  d.currentJitter = random.StandardNormal();
  d.voltageNoise = random.StandardNormal();
  d.qualitySpread = random.Uniform();
  d.badChoice = random.Uniform();
  d.badSize = random.Uniform();
  d.badSign = random.Uniform();
  d.badQuality = random.Uniform();
  d.chargeNoise = random.StandardNormal();
  d.badCharge = random.Uniform();
  return d;
}

void ValidateOptions(const LayeredEarth& earth, const SynthesisOptions& options) {
  ValidateEarth(earth);
  if (options.ipWindowCode >= kIpWindowSecond.size()) throw std::invalid_argument("the IP window code must be 0 to 6");
  if (options.ipWindowCode != 0 && earth.chargeabilities.empty()) {
    throw std::invalid_argument("chargeability is wanted but the earth model has no chargeabilities");
  }
  if (!(options.ipTimeConstant > 0.0) || !std::isfinite(options.ipTimeConstant)) {
    throw std::invalid_argument("the IP time constant must be positive");
  }
  if (!(options.badFraction >= 0.0 && options.badFraction <= 1.0)) {
    throw std::invalid_argument("the share of disturbed measurements must lie in [0, 1]");
  }
}

}  // namespace

std::vector<Reading> SynthesiseMeasurements(const LayeredEarth& earth, std::span<const Quadripole> measurements,
                                            const SynthesisOptions& options, const ProgressFunction& progress) {
  ValidateOptions(earth, options);
  const bool chargeable = options.ipWindowCode != 0;
  const double tau = options.ipTimeConstant;
  const double window = kIpWindowSecond[options.ipWindowCode];
  const double decayIntegralMs =
      1000.0 * tau * (std::exp(-kIpDelaySecond / tau) - std::exp(-(kIpDelaySecond + window) / tau));

  // Without dip every measurement sees the same layering; with dip, arrays
  // sharing a mid-point share it.
  std::map<double, LocalModels> models;
  const auto modelsFor = [&](double midPoint) -> const LocalModels& {
    const double key = earth.dipDegrees == 0.0 ? 0.0 : midPoint;
    auto found = models.find(key);
    if (found == models.end()) found = models.emplace(key, BuildModels(earth, key, chargeable)).first;
    return found->second;
  };

  detail::RandomStream random(options.seed);
  std::vector<Reading> readings;
  readings.reserve(measurements.size());
  for (std::size_t i = 0; i < measurements.size(); ++i) {
    const Quadripole& q = measurements[i];
    const Draws draws = NextDraws(random);
    Reading reading;
    try {
      const double k = GeometricFactor(q);
      const LocalModels& local = modelsFor(ArrayMidPoint(q));
      reading.modelResistivity = ApparentResistivity(*local.plain, q);
      if (chargeable) {
        const double mA = 1.0 - reading.modelResistivity / ApparentResistivity(*local.charged, q);
        reading.modelChargeability = mA * decayIntegralMs;
      }

      const double contactA = ContactResistance(options.seed, q.a);
      const double contactB = ContactResistance(options.seed, q.b);
      const double contactM = ContactResistance(options.seed, q.m);
      const double contactN = ContactResistance(options.seed, q.n);
      const double current = std::clamp(kTransmitterVolt / (contactA + contactB) * (1.0 + kCurrentJitter * draws.currentJitter),
                                        kMinCurrentAmpere, kMaxCurrentAmpere);

      const double trueVoltage = std::abs(reading.modelResistivity) * current / k;
      const double contactShare = (contactM + contactN - 2.0 * kMinContactOhm) / (2.0 * (kMaxContactOhm - kMinContactOhm));
      const double contactNoise = kMinContactNoise + (kMaxContactNoise - kMinContactNoise) * std::clamp(contactShare, 0.0, 1.0);
      const double floorNoise = kNoiseFloorVolt / std::max(trueVoltage, 1e-12);
      const double noise = std::min(kMaxRelativeNoise, std::sqrt(contactNoise * contactNoise + floorNoise * floorNoise));

      reading.disturbed = draws.badChoice < options.badFraction;
      double voltage = trueVoltage * (1.0 + noise * draws.voltageNoise);
      double qualityPercent = 100.0 * noise * (kQualitySpreadLow + (kQualitySpreadHigh - kQualitySpreadLow) * draws.qualitySpread);
      double chargeMs = reading.modelChargeability +
                        (kChargeNoiseMs + kChargeNoiseRelative * reading.modelChargeability) * draws.chargeNoise;
      if (reading.disturbed) {
        const double sign = draws.badSign < 0.5 ? -1.0 : 1.0;
        voltage *= 1.0 + sign * (kBadErrorLow + (kBadErrorHigh - kBadErrorLow) * draws.badSize);
        qualityPercent = kBadQualityLow + (kBadQualityHigh - kBadQualityLow) * draws.badQuality;
        chargeMs += sign * (kBadChargeLow + (kBadChargeHigh - kBadChargeLow) * draws.badCharge);
      }

      reading.current = StoredValue(current * 1e6);
      reading.voltage = std::max<std::uint32_t>(1, StoredValue(voltage * 1e6));
      reading.quality = StoredValue(qualityPercent * 1000.0);
      reading.chargeability = chargeable ? StoredValue(chargeMs * 1000.0) : 0;
      reading.status = 1;
      reading.resistivityMilli = reading.current == 0
                                     ? 0
                                     : StoredValue(1000.0 * k * static_cast<double>(reading.voltage) /
                                                   static_cast<double>(reading.current));
    } catch (const std::invalid_argument& error) {
      throw std::invalid_argument("measurement " + std::to_string(i + 1) + ": " + error.what());
    }
    readings.push_back(reading);
    if (progress) progress(readings.size());
  }
  return readings;
}

std::array<std::uint8_t, 6> MeasureSettingsFor(const SynthesisOptions& options) {
  return {kDeviationLimitPercent, kMinStacking, kMaxStacking, options.ipWindowCode, kFullPowerCode, 0};
}

}  // namespace synth
