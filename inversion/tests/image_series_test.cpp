#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "hankel_reference.h"
#include "inversion/layered_earth.h"

namespace inversion {
namespace {

LayeredEarth Earth(std::vector<double> rho, std::vector<double> h) {
  LayeredEarth earth;
  earth.resistivities = std::move(rho);
  earth.thicknesses = std::move(h);
  return earth;
}

double HalfSpacePotential(double rho, double r, double current) { return rho * current / (2.0 * std::numbers::pi * r); }

const std::vector<double> kDistances{0.3, 1.0, 4.0, 15.0, 60.0, 250.0};

TEST(ImageSeries, EqualResistivitiesGiveTheHalfSpace) {
  for (const LayeredEarth& earth : {Earth({80, 80, 80}, {3, 7}), Earth({80, 80}, {5}), Earth({80}, {})}) {
    const ImageSeries series(earth);
    EXPECT_EQ(series.TermCount(), 0u);
    for (double r : kDistances) {
      EXPECT_NEAR(series.Potential(r, 0.1), HalfSpacePotential(80, r, 0.1), 1e-14 * HalfSpacePotential(80, r, 0.1));
    }
  }
}

TEST(ImageSeries, EqualNeighbourLayersMergeIntoOne) {
  const ImageSeries merged(Earth({100, 100, 20}, {2, 3}));
  const ImageSeries single(Earth({100, 20}, {5}));
  for (double r : kDistances) EXPECT_DOUBLE_EQ(merged.Potential(r, 1.0), single.Potential(r, 1.0));
}

struct TwoLayerCase {
  double rho1, rho2, h;
};

TEST(ImageSeries, TwoLayersMatchTheHankelIntegral) {
  const TwoLayerCase cases[] = {{100, 10, 5}, {100, 1000, 5}, {30, 31, 2}, {500, 20, 0.7}, {10, 900, 12}};
  for (const TwoLayerCase& c : cases) {
    const ImageSeries series(Earth({c.rho1, c.rho2}, {c.h}));
    EXPECT_DOUBLE_EQ(series.Step(), c.h);
    for (double r : kDistances) {
      const double reference = testing::HankelPotential({c.rho1, c.rho2}, {c.h}, r, 1.0);
      EXPECT_NEAR(series.Potential(r, 1.0), reference, 1e-7 * reference)
          << c.rho1 << "/" << c.rho2 << " h " << c.h << " r " << r;
    }
  }
}

struct ThreeLayerCase {
  std::vector<double> rho, h;
};

TEST(ImageSeries, ThreeLayersMatchTheHankelIntegral) {
  // H, K, A and Q types; thicknesses on a common step, so nothing is rounded.
  const ThreeLayerCase cases[] = {{{100, 10, 1000}, {3, 5}},
                                  {{50, 800, 20}, {2, 6}},
                                  {{10, 100, 1000}, {1.5, 4.5}},
                                  {{1000, 100, 10}, {4, 2}}};
  for (const ThreeLayerCase& c : cases) {
    const ImageSeries series(Earth(c.rho, c.h));
    for (double r : kDistances) {
      const double reference = testing::HankelPotential(c.rho, c.h, r, 1.0);
      EXPECT_NEAR(series.Potential(r, 1.0), reference, 1e-7 * reference)
          << c.rho[0] << "/" << c.rho[1] << "/" << c.rho[2] << " r " << r;
    }
  }
}

TEST(ImageSeries, ThicknessesAreRoundedOnAStepWithinOnePercentOfTheThinnestLayer) {
  const std::vector<std::vector<double>> thicknesses{{5, 7.3}, {2.2, 0.9}, {1, 37.77}, {0.35, 0.35}, {10, 3.33, 4}};
  for (const std::vector<double>& h : thicknesses) {
    std::vector<double> rho{100};
    for (std::size_t i = 0; i < h.size(); ++i) rho.push_back(i % 2 == 0 ? 10 : 300);
    const ImageSeries series(Earth(rho, h));
    ASSERT_EQ(series.StepCounts().size(), h.size());
    const double thinnest = *std::min_element(h.begin(), h.end());
    for (std::size_t i = 0; i < h.size(); ++i) {
      EXPECT_LE(std::abs(series.StepCounts()[i] * series.Step() - h[i]), 0.01 * thinnest + 1e-12) << i;
    }
    // The rounded model stays close to the exact one.
    for (double r : {1.0, 10.0, 40.0}) {
      const double reference = testing::HankelPotential(rho, h, r, 1.0);
      EXPECT_NEAR(series.Potential(r, 1.0), reference, 3e-3 * reference) << "r " << r;
    }
  }
}

TEST(ImageSeries, VanishingMiddleLayerGivesTwoLayers) {
  const ImageSeries twoLayers(Earth({100, 1000}, {8}));
  const ImageSeries zeroMiddle(Earth({100, 20, 1000}, {8, 0}));
  for (double r : kDistances) EXPECT_DOUBLE_EQ(zeroMiddle.Potential(r, 1.0), twoLayers.Potential(r, 1.0));

  // A thinning conductive middle layer converges to the two-layer earth.
  double previous = 1.0;
  for (double h2 : {0.4, 0.08, 0.016}) {
    const ImageSeries thin(Earth({100, 20, 1000}, {8, h2}));
    double worst = 0.0;
    for (double r : kDistances) {
      const double expected = twoLayers.Potential(r, 1.0);
      worst = std::max(worst, std::abs(thin.Potential(r, 1.0) - expected) / expected);
    }
    EXPECT_LT(worst, 0.6 * previous) << "h2 " << h2;
    previous = worst;
  }
  EXPECT_LT(previous, 0.01);
}

// Slow decay near k = +-1: the tail integral must give what brute force summing gives.
TEST(ImageSeries, ExtremeContrastsKeepTheTailOfTheSeries) {
  const double h = 2.0;
  for (double rho2 : {19999.0 * 100.0, 100.0 / 19999.0}) {  // k = +-0.9999
    const double k = (rho2 - 100.0) / (rho2 + 100.0);
    ImageSeries::Options options;
    options.maxTerms = 300;
    const ImageSeries series(Earth({100, rho2}, {h}), options);
    EXPECT_TRUE(series.HasTail());
    for (double r : {0.5, 5.0, 80.0, 700.0}) {
      double sum = 0.0;
      double power = 1.0;
      for (int n = 1; n <= 700000; ++n) {
        power *= k;
        sum += power / std::sqrt(r * r + 4.0 * n * n * h * h);
      }
      const double expected = 100.0 / (2.0 * std::numbers::pi) * (1.0 / r + 2.0 * sum);
      EXPECT_NEAR(series.Potential(r, 1.0), expected, 1e-8 * std::abs(expected)) << "k " << k << " r " << r;
    }
  }
}

// A layer pinched almost to nothing under a strong contrast: the tail would
// need billions of panels at this distance; the series refuses instead of
// overflowing the panel count or working for hours.
TEST(ImageSeries, TailBeyondReachIsRefused) {
  const ImageSeries series(Earth({0.1, 1e5}, {1e-10}));
  ASSERT_TRUE(series.HasTail());
  EXPECT_THROW(series.Potential(235.0, 1.0), std::invalid_argument);
}

TEST(ImageSeries, TailIntegralAgreesWithLongDirectSumForThreeLayers) {
  const LayeredEarth earth = Earth({10, 200, 150000}, {1.2, 3.6});
  ImageSeries::Options shortOptions;
  shortOptions.maxTerms = 200;
  ImageSeries::Options longOptions;
  longOptions.maxTerms = 5000000;
  const ImageSeries shortSeries(earth, shortOptions);
  const ImageSeries longSeries(earth, longOptions);
  ASSERT_TRUE(shortSeries.HasTail());
  ASSERT_FALSE(longSeries.HasTail());
  for (double r : {0.4, 3.0, 30.0, 300.0}) {
    const double expected = longSeries.Potential(r, 1.0);
    EXPECT_NEAR(shortSeries.Potential(r, 1.0), expected, 1e-8 * expected) << "r " << r;
  }
}

TEST(ImageSeries, CurrentScalesThePotential) {
  const ImageSeries series(Earth({100, 10}, {5}));
  EXPECT_DOUBLE_EQ(series.Potential(7.0, 0.2), 0.2 * series.Potential(7.0, 1.0));
  EXPECT_DOUBLE_EQ(PointSourcePotential(Earth({100, 10}, {5}), 7.0, 0.2), series.Potential(7.0, 0.2));
}

TEST(ImageSeries, RejectsInvalidInput) {
  const ImageSeries series(Earth({100, 10}, {5}));
  EXPECT_THROW(series.Potential(0.0, 1.0), std::invalid_argument);
  EXPECT_THROW(series.Potential(-1.0, 1.0), std::invalid_argument);
  EXPECT_THROW(ImageSeries(Earth({}, {})), std::invalid_argument);
  EXPECT_THROW(ImageSeries(Earth({100, -10}, {5})), std::invalid_argument);
  EXPECT_THROW(ImageSeries(Earth({100, 10}, {5, 2})), std::invalid_argument);
  EXPECT_THROW(ImageSeries(Earth({100, 10}, {-5})), std::invalid_argument);
  EXPECT_THROW(ImageSeries(Earth({100, 10}, {NAN})), std::invalid_argument);
}

}  // namespace
}  // namespace inversion
