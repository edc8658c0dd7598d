#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "synth/survey.h"

namespace synth {
namespace {

using inversion::ArrayType;
using inversion::GeometricFactor;
using inversion::LineQuadripole;
using inversion::SoundingLayout;
using inversion::ZeroDLayouts;

LayeredEarth ThreeLayers() {
  LayeredEarth earth;
  earth.resistivities = {120, 25, 400};
  earth.thicknesses = {3, 8};
  earth.chargeabilities = {0.04, 0.22, 0.08};
  return earth;
}

// A 48-electrode Wenner profile (a = 1..12 steps of 2 m), as the instrument measures it.
std::vector<Quadripole> WennerProfile() {
  std::vector<Quadripole> list;
  for (int s = 1; s <= 12; ++s) {
    for (int k = 0; k + 3 * s <= 47; ++k) {
      const double x = 2.0 * k;
      list.push_back(LineQuadripole(x, x + 6.0 * s, x + 2.0 * s, x + 4.0 * s));
    }
  }
  return list;
}

std::vector<Quadripole> SchlumbergerSounding() {
  std::vector<Quadripole> list;
  for (double halfAB = 1.5; halfAB < 300.0; halfAB *= 1.4) list.push_back(SoundingLayout(ArrayType::Schlumberger, halfAB, halfAB < 20 ? 0.5 : 5.0));
  return list;
}

bool SameStoredValues(const Reading& a, const Reading& b) {
  return a.chargeability == b.chargeability && a.voltage == b.voltage && a.current == b.current &&
         a.quality == b.quality && a.status == b.status && a.resistivityMilli == b.resistivityMilli;
}

TEST(Survey, SameSeedGivesTheSameReadingsAndAnotherSeedOthers) {
  const std::vector<Quadripole> profile = WennerProfile();
  SynthesisOptions options;
  options.seed = 42;
  options.ipWindowCode = 2;
  const std::vector<Reading> first = SynthesiseMeasurements(ThreeLayers(), profile, options);
  const std::vector<Reading> second = SynthesiseMeasurements(ThreeLayers(), profile, options);
  options.seed = 43;
  const std::vector<Reading> other = SynthesiseMeasurements(ThreeLayers(), profile, options);
  ASSERT_EQ(first.size(), profile.size());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_TRUE(SameStoredValues(first[i], second[i])) << i;
    differing += SameStoredValues(first[i], other[i]) ? 0 : 1;
  }
  EXPECT_GT(differing, first.size() * 9 / 10);
}

TEST(Survey, ChargeabilityDoesNotDisturbTheOtherReadings) {
  const std::vector<Quadripole> profile = WennerProfile();
  SynthesisOptions off;
  off.seed = 7;
  SynthesisOptions on = off;
  on.ipWindowCode = 3;
  const std::vector<Reading> without = SynthesiseMeasurements(ThreeLayers(), profile, off);
  const std::vector<Reading> with = SynthesiseMeasurements(ThreeLayers(), profile, on);
  for (std::size_t i = 0; i < without.size(); ++i) {
    EXPECT_EQ(without[i].chargeability, 0u);
    EXPECT_EQ(without[i].modelChargeability, 0.0);
    EXPECT_GT(with[i].chargeability, 0u);
    EXPECT_EQ(without[i].voltage, with[i].voltage);
    EXPECT_EQ(without[i].current, with[i].current);
    EXPECT_EQ(without[i].quality, with[i].quality);
  }
}

struct SurveyCase {
  std::string name;
  std::vector<Quadripole> measurements;
};

TEST(Survey, ReadingsAreRealisticAndGiveBackTheModel) {
  const SurveyCase cases[] = {{"profile", WennerProfile()},
                              {"sounding", SchlumbergerSounding()},
                              {"single", ZeroDLayouts(40)}};
  for (const SurveyCase& c : cases) {
    SynthesisOptions options;
    options.seed = 2024;
    options.ipWindowCode = 2;
    const std::vector<Reading> readings = SynthesiseMeasurements(ThreeLayers(), c.measurements, options);
    std::vector<double> deviations;
    for (std::size_t i = 0; i < readings.size(); ++i) {
      const Reading& r = readings[i];
      const double k = GeometricFactor(c.measurements[i]);
      SCOPED_TRACE(c.name + " #" + std::to_string(i));
      EXPECT_EQ(r.status, 1);
      EXPECT_GE(r.current, 20000u);
      EXPECT_LE(r.current, 200000u);
      EXPECT_GT(r.voltage, 0u);
      const double rhoA = k * r.voltage / r.current;
      EXPECT_EQ(r.resistivityMilli, static_cast<std::uint32_t>(std::floor(1000.0 * rhoA + 0.5)));
      EXPECT_GT(r.modelResistivity, 24.0);
      EXPECT_LT(r.modelResistivity, 401.0);
      EXPECT_GE(r.modelChargeability, 4.0);
      EXPECT_LE(r.modelChargeability, 25.0);
      const double relative = rhoA / r.modelResistivity - 1.0;
      if (r.disturbed) {
        EXPECT_GE(r.quality, 5000u);
        EXPECT_GT(std::abs(relative), 0.1);
      } else {
        // Quality is 0.6 to 1.4 times the noise level; the noise stays within a few of its deviations.
        const double noise = r.quality * 1e-5 / 0.6;
        EXPECT_LT(std::abs(relative), 0.002 + 6.0 * noise);
        EXPECT_GE(r.quality, 0.6 * 400u);
        EXPECT_NEAR(r.chargeability * 1e-3, r.modelChargeability, 0.5 + 0.15 * r.modelChargeability);
        deviations.push_back(std::abs(relative));
      }
    }
    std::sort(deviations.begin(), deviations.end());
    const double median = deviations[deviations.size() / 2];
    EXPECT_GT(median, 0.001) << c.name;
    EXPECT_LT(median, 0.02) << c.name;
  }
}

TEST(Survey, AFewMeasurementsAreDisturbed) {
  const std::vector<Quadripole> profile = WennerProfile();
  std::size_t disturbed = 0;
  std::size_t total = 0;
  for (std::uint64_t seed = 1; seed <= 4; ++seed) {
    SynthesisOptions options;
    options.seed = seed;
    for (const Reading& r : SynthesiseMeasurements(ThreeLayers(), profile, options)) {
      disturbed += r.disturbed ? 1 : 0;
      ++total;
    }
  }
  EXPECT_GT(disturbed, total * 5 / 1000);
  EXPECT_LT(disturbed, total * 30 / 1000);

  SynthesisOptions clean;
  clean.badFraction = 0.0;
  for (const Reading& r : SynthesiseMeasurements(ThreeLayers(), profile, clean)) EXPECT_FALSE(r.disturbed);
}

TEST(Survey, ContactResistanceBelongsToTheElectrode) {
  // The same four electrodes every time: the current changes by the jitter only.
  const std::vector<Reading> readings = SynthesiseMeasurements(ThreeLayers(), ZeroDLayouts(30), SynthesisOptions{});
  const auto [low, high] = std::minmax_element(readings.begin(), readings.end(),
                                               [](const Reading& a, const Reading& b) { return a.current < b.current; });
  EXPECT_LT(static_cast<double>(high->current) / low->current, 1.05);

  // Along a profile, currents differ between electrode pairs.
  std::vector<std::uint32_t> currents;
  for (const Reading& r : SynthesiseMeasurements(ThreeLayers(), WennerProfile(), SynthesisOptions{})) currents.push_back(r.current);
  const auto [lowest, highest] = std::minmax_element(currents.begin(), currents.end());
  EXPECT_GT(static_cast<double>(*highest) / *lowest, 2.0);
}

TEST(Survey, SettingsBlockCarriesTheIpWindow) {
  SynthesisOptions options;
  options.ipWindowCode = 4;
  const std::array<std::uint8_t, 6> settings = MeasureSettingsFor(options);
  EXPECT_EQ(settings[3], 4);
  EXPECT_EQ(settings[4], 21);
  EXPECT_LE(settings[1], settings[2]);
}

TEST(Survey, RejectsInvalidRequests) {
  const std::vector<Quadripole> profile = WennerProfile();
  SynthesisOptions options;
  options.ipWindowCode = 7;
  EXPECT_THROW(SynthesiseMeasurements(ThreeLayers(), profile, options), std::invalid_argument);

  LayeredEarth plain = ThreeLayers();
  plain.chargeabilities.clear();
  options.ipWindowCode = 1;
  EXPECT_THROW(SynthesiseMeasurements(plain, profile, options), std::invalid_argument);

  std::vector<Quadripole> broken = profile;
  broken[2] = LineQuadripole(0, 10, 0, 5);
  try {
    SynthesiseMeasurements(ThreeLayers(), broken, SynthesisOptions{});
    ADD_FAILURE() << "no exception";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find("measurement 3"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace synth
