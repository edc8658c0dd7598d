#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

#include "inversion/electrode_array.h"

namespace inversion {
namespace {

LayeredEarth Earth(std::vector<double> rho, std::vector<double> h) {
  LayeredEarth earth;
  earth.resistivities = std::move(rho);
  earth.thicknesses = std::move(h);
  return earth;
}

// The sounding geometric factor the data tables use, from AB/2 and MN/2.
double SoundingFactor(ArrayType type, double L, double l) {
  double f = 0.0;
  switch (type) {
    case ArrayType::Wenner:
    case ArrayType::Schlumberger:
    case ArrayType::Custom: f = (L * L - l * l) / (2 * l); break;
    case ArrayType::DipoleDipole:
    case ArrayType::WennerBeta: f = 2 / (2 / (L + l) - 1 / (2 * L) - 1 / (2 * l)); break;
    case ArrayType::WennerGamma: f = 2 / (2 / (L - l) - 1 / (2 * L) - 1 / (2 * l)); break;
    case ArrayType::FwdPoleDipole:
    case ArrayType::RevPoleDipole: f = (L * L - l * l) / l; break;
    case ArrayType::PolePole: f = 2 * L; break;
    case ArrayType::EquatorialDipoleDipole: f = 2 / (1 / L - 1 / std::sqrt(L * L + l * l)); break;
  }
  return std::abs(std::numbers::pi * f);
}

const ArrayType kAllTypes[] = {ArrayType::Wenner,        ArrayType::Schlumberger,  ArrayType::DipoleDipole,
                               ArrayType::WennerBeta,    ArrayType::WennerGamma,   ArrayType::FwdPoleDipole,
                               ArrayType::RevPoleDipole, ArrayType::PolePole,      ArrayType::EquatorialDipoleDipole,
                               ArrayType::Custom};

// A profile measurement as the 2D generator lays it out: first electrode at
// position k, separation s and dipole length m in electrode steps of `spacing` metres.
Quadripole ProfileMeasurement(ArrayType type, int k, int s, int m, double spacing) {
  const auto x = [&](int steps) { return (k + steps) * spacing; };
  switch (type) {
    case ArrayType::Wenner: return LineQuadripole(x(0), x(3 * s), x(s), x(2 * s));
    case ArrayType::Schlumberger: return LineQuadripole(x(0), x(2 * s + m), x(s), x(s + m));
    case ArrayType::DipoleDipole: return LineQuadripole(x(0), x(m), x(m + s), x(2 * m + s));
    case ArrayType::WennerBeta: return LineQuadripole(x(0), x(s), x(2 * s), x(3 * s));
    case ArrayType::WennerGamma: return LineQuadripole(x(0), x(2 * s), x(s), x(3 * s));
    case ArrayType::FwdPoleDipole: return LineQuadripole(x(0), std::nullopt, x(s), x(s + m));
    case ArrayType::RevPoleDipole: return LineQuadripole(x(m + s), std::nullopt, x(m), x(0));
    default: return LineQuadripole(x(0), std::nullopt, x(s), std::nullopt);
  }
}

Quadripole Swapped(const Quadripole& q) {
  Quadripole swapped;
  swapped.a = q.m;
  swapped.b = q.n;
  swapped.m = q.a;
  swapped.n = q.b;
  return swapped;
}

TEST(ElectrodeArray, SoundingLayoutsHaveTheSoundingFactorAndAreCentred) {
  for (ArrayType type : kAllTypes) {
    for (auto [L, l] : {std::pair{3.0, 1.0}, {25.0, 2.5}, {150.0, 40.0}}) {
      const Quadripole q = SoundingLayout(type, L, l, 12.0);
      const std::string label = std::to_string(static_cast<int>(type)) + " L " + std::to_string(L);
      EXPECT_NEAR(GeometricFactor(q), SoundingFactor(type, L, l), 1e-9 * SoundingFactor(type, L, l)) << label;
      EXPECT_NEAR(ArrayMidPoint(q), 12.0, 1e-12) << label;
    }
  }
}

TEST(ElectrodeArray, MidPointFollowsTheArrayType) {
  // Wenner A 0, M 10, N 20, B 30.
  EXPECT_DOUBLE_EQ(ArrayMidPoint(LineQuadripole(0, 30, 10, 20)), 15.0);
  EXPECT_DOUBLE_EQ(ArrayMidPoint(ProfileMeasurement(ArrayType::DipoleDipole, 0, 2, 1, 5.0)), (0.0 + 20.0) / 2);
  EXPECT_DOUBLE_EQ(ArrayMidPoint(LineQuadripole(0, std::nullopt, 10, 15)), (0.0 + 12.5) / 2);
  EXPECT_DOUBLE_EQ(ArrayMidPoint(LineQuadripole(0, std::nullopt, 10, std::nullopt)), 5.0);
}

TEST(ElectrodeArray, WennerGeometricFactorIsTwoPiA) {
  EXPECT_NEAR(GeometricFactor(LineQuadripole(0, 30, 10, 20)), 20 * std::numbers::pi, 1e-12);
  EXPECT_NEAR(GeometricFactor(LineQuadripole(0, std::nullopt, 5, std::nullopt)), 10 * std::numbers::pi, 1e-12);
}

TEST(ElectrodeArray, HomogeneousEarthGivesItsResistivityForEveryArray) {
  const LayeredEarth homogeneous = Earth({137.0}, {});
  for (ArrayType type : kAllTypes) {
    std::vector<Quadripole> layouts{SoundingLayout(type, 30.0, 4.0)};
    if (static_cast<int>(type) <= 7) {
      layouts.push_back(ProfileMeasurement(type, 3, 1, 1, 5.0));
      layouts.push_back(ProfileMeasurement(type, 0, 7, 3, 2.5));
    }
    for (const Quadripole& q : layouts) {
      EXPECT_NEAR(ApparentResistivity(homogeneous, q), 137.0, 1e-10) << static_cast<int>(type);
      EXPECT_NEAR(ApparentResistivity(homogeneous, Swapped(q)), 137.0, 1e-10) << static_cast<int>(type);
    }
  }
  // The electrode order does not change the sign: M and N exchanged.
  EXPECT_NEAR(ApparentResistivity(homogeneous, LineQuadripole(0, 30, 20, 10)), 137.0, 1e-10);
}

TEST(ElectrodeArray, ReciprocityOnALayeredEarth) {
  const LayeredEarth earth = Earth({100, 15, 600}, {4, 9});
  const Quadripole cases[] = {
      ProfileMeasurement(ArrayType::Wenner, 0, 3, 1, 2.0),
      ProfileMeasurement(ArrayType::Schlumberger, 0, 5, 2, 2.0),
      ProfileMeasurement(ArrayType::DipoleDipole, 0, 4, 2, 2.0),
      ProfileMeasurement(ArrayType::FwdPoleDipole, 0, 6, 1, 2.0),
      ProfileMeasurement(ArrayType::PolePole, 0, 9, 1, 2.0),
      LineQuadripole(-3.0, 41.5, 7.25, 19.0),
      SoundingLayout(ArrayType::EquatorialDipoleDipole, 20.0, 6.0),
  };
  for (const Quadripole& q : cases) {
    const double forward = ApparentResistivity(earth, q);
    EXPECT_NEAR(ApparentResistivity(earth, Swapped(q)), forward, 1e-9 * forward);
  }
}

TEST(ElectrodeArray, TwoLayerWennerCurveTendsToBothResistivities) {
  for (double rho2 : {10.0, 1000.0}) {
    const LayeredEarth earth = Earth({100.0, rho2}, {5.0});
    const auto wenner = [&](double a) { return ApparentResistivity(earth, LineQuadripole(-1.5 * a, 1.5 * a, -0.5 * a, 0.5 * a)); };
    EXPECT_NEAR(wenner(0.05), 100.0, 0.001 * 100.0);
    EXPECT_NEAR(wenner(20000.0), rho2, 0.01 * rho2);
    double previous = wenner(0.05);
    for (double a = 0.1; a < 20000.0; a *= 1.6) {
      const double value = wenner(a);
      if (rho2 > 100.0) {
        EXPECT_GE(value, previous - 1e-9) << a;
      } else {
        EXPECT_LE(value, previous + 1e-9) << a;
      }
      previous = value;
    }
  }
}

TEST(ElectrodeArray, DippingEarthUsesTheLayeringUnderTheMidPoint) {
  LayeredEarth dipping = Earth({100, 20, 500}, {6, 10});
  dipping.dipDegrees = 5.0;
  dipping.dipOrigin = 40.0;
  const Quadripole q = LineQuadripole(70, 130, 90, 110);  // mid-point 100
  const double top = 6.0 + 60.0 * std::tan(5.0 * std::numbers::pi / 180.0);

  const LayeredEarth local = LayeringAt(dipping, 100.0);
  ASSERT_EQ(local.thicknesses.size(), 2u);
  EXPECT_NEAR(local.thicknesses[0], top, 1e-12);
  EXPECT_NEAR(local.thicknesses[1], 10.0, 1e-12);
  const double flat = ApparentResistivity(Earth({100, 20, 500}, {top, 10}), q);
  EXPECT_NEAR(ApparentResistivity(dipping, q), flat, 1e-12 * flat);

  // Up-dip the interfaces reach the surface: first the top layer pinches out,
  // then the second.
  const double perMetre = std::tan(5.0 * std::numbers::pi / 180.0);
  const LayeredEarth oneGone = LayeringAt(dipping, 40.0 - 10.0 / perMetre);
  ASSERT_EQ(oneGone.resistivities, (std::vector<double>{20, 500}));
  EXPECT_NEAR(oneGone.thicknesses[0], 6.0, 1e-9);
  const Quadripole farUpDip = LineQuadripole(-1000, -960, -990, -970);
  EXPECT_NEAR(ApparentResistivity(dipping, farUpDip), 500.0, 1e-9);
}

TEST(ElectrodeArray, ApparentChargeabilityAveragesTheLayers) {
  LayeredEarth homogeneous = Earth({50.0}, {});
  homogeneous.chargeabilities = {0.08};
  EXPECT_NEAR(ApparentChargeability(homogeneous, LineQuadripole(0, 30, 10, 20)), 0.08, 1e-12);

  LayeredEarth layered = Earth({100.0, 30.0}, {5.0});
  layered.chargeabilities = {0.02, 0.2};
  const auto wenner = [&](double a) { return LineQuadripole(-1.5 * a, 1.5 * a, -0.5 * a, 0.5 * a); };
  EXPECT_NEAR(ApparentChargeability(layered, wenner(0.05)), 0.02, 1e-3);
  EXPECT_NEAR(ApparentChargeability(layered, wenner(5000.0)), 0.2, 2e-3);
  const double middle = ApparentChargeability(layered, wenner(5.0));
  EXPECT_GT(middle, 0.03);
  EXPECT_LT(middle, 0.19);

  EXPECT_EQ(ApparentChargeability(Earth({100.0, 30.0}, {5.0}), wenner(5.0)), 0.0);
}

TEST(ElectrodeArray, RejectsImpossibleLayouts) {
  const LayeredEarth earth = Earth({100, 10}, {5});
  EXPECT_THROW(ApparentResistivity(earth, LineQuadripole(0, 30, 0, 20)), std::invalid_argument);   // A = M
  EXPECT_THROW(ApparentResistivity(earth, LineQuadripole(0, 30, 10, 10)), std::invalid_argument);  // M = N
  Quadripole bisector;  // M and N on the perpendicular bisector of AB: no voltage
  bisector.a = {-1, 0};
  bisector.b = SurfacePoint{1, 0};
  bisector.m = {0, 1};
  bisector.n = SurfacePoint{0, 3};
  EXPECT_THROW(GeometricFactor(bisector), std::invalid_argument);
  EXPECT_THROW(ApparentResistivity(earth, bisector), std::invalid_argument);
  EXPECT_THROW(SoundingLayout(ArrayType::Schlumberger, 5.0, 5.0), std::invalid_argument);
  EXPECT_THROW(SoundingLayout(ArrayType::Schlumberger, 5.0, 0.0), std::invalid_argument);
  EXPECT_THROW(SoundingLayout(ArrayType::PolePole, 0.0, 0.0), std::invalid_argument);
  EXPECT_THROW(SoundingLayout(static_cast<ArrayType>(10), 5.0, 1.0), std::invalid_argument);
  EXPECT_NO_THROW(SoundingLayout(ArrayType::PolePole, 5.0, 0.0));
  LayeredEarth badDip = earth;
  badDip.dipDegrees = 90.0;
  EXPECT_THROW(ApparentResistivity(badDip, LineQuadripole(0, 30, 10, 20)), std::invalid_argument);
}

}  // namespace
}  // namespace inversion
