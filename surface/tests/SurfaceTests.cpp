// What the surface must reproduce: planes and quadratics exactly (up to
// rounding), the data values at the data points, the nodes on shared sides
// and beyond the hull.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "MeshInterp.h"
#include "TestPoints.h"

namespace {

using meshinterp::testing::Coordinates;
using meshinterp::testing::RandomSamples;

using Function = std::function<double(double, double)>;

// Grids f sampled at the points with the dynamic export; SUR starts as NaN.
std::vector<double> Grid(const std::vector<double>& x, const std::vector<double>& y, const Function& f,
                         const std::vector<double>& xout, const std::vector<double>& yout) {
  std::vector<double> values;
  for (std::size_t k = 0; k < x.size(); ++k) values.push_back(f(x[k], y[k]));
  std::vector<double> sur(xout.size() * yout.size(), std::nan(""));
  SCATDATA_INTERPOL_DYN(static_cast<int32_t>(x.size()), x.data(), y.data(), values.data(),
                        static_cast<int32_t>(xout.size()), static_cast<int32_t>(yout.size()), xout.data(),
                        yout.data(), sur.data());
  return sur;
}

void ExpectReproduces(const std::vector<double>& x, const std::vector<double>& y, const Function& f,
                      const std::vector<double>& xout, const std::vector<double>& yout, double tolerance) {
  const std::vector<double> sur = Grid(x, y, f, xout, yout);
  for (std::size_t j = 0; j < yout.size(); ++j) {
    for (std::size_t i = 0; i < xout.size(); ++i) {
      ASSERT_NEAR(sur[j * xout.size() + i], f(xout[i], yout[j]), tolerance) << "node " << i << ", " << j;
    }
  }
}

TEST(Surface, ReproducesPlanesInsideAndBeyondTheHull) {
  const Function plane = [](double x, double y) { return 3 + 2 * x - 1.5 * y; };
  for (int count : {4, 5, 6, 13, 200}) {
    SCOPED_TRACE(count);
    const auto s = RandomSamples(count, 40 + count);
    // The grid reaches 30 units beyond the points' range on every side.
    ExpectReproduces(s.xs(), s.ys(), plane, Coordinates(-30, 130, 41), Coordinates(-30, 90, 31), 1e-9);
  }
}

TEST(Surface, ReproducesQuadraticsWhenEveryPointHasFiveNeighbours) {
  const Function quadratic = [](double x, double y) {
    return 1 + 0.5 * x - 0.25 * y + 0.02 * x * x - 0.03 * x * y + 0.015 * y * y;
  };
  for (int count : {6, 40, 300}) {
    SCOPED_TRACE(count);
    const auto s = RandomSamples(count, 70 + count);
    ExpectReproduces(s.xs(), s.ys(), quadratic, Coordinates(-20, 120, 36), Coordinates(-20, 80, 26), 1e-8);
  }
}

TEST(Surface, TakesTheDataValuesAtTheDataPoints) {
  // Lattice points: every grid node is a data point, on triangle vertices,
  // shared sides and the border.
  const auto s = meshinterp::testing::Lattice(9, 7, 2.5);
  const Function f = [](double x, double y) { return std::exp(-0.05 * x) * std::cos(0.3 * y) + 0.1 * x * y; };
  ExpectReproduces(s.xs(), s.ys(), f, Coordinates(0, 20, 9), Coordinates(0, 15, 7), 1e-12);
}

TEST(Surface, SquareOfFourCornersOnAThreeByThreeGrid) {
  const std::vector<double> x{0, 1, 1, 0}, y{0, 0, 1, 1};
  const std::vector<double> f{1, 2, 4, 3};
  const std::vector<double> xout{0, 0.5, 1}, yout{0, 0.5, 1};
  std::vector<double> sur(9, std::nan(""));
  SCATDATA_INTERPOL_DYN(4, x.data(), y.data(), f.data(), 3, 3, xout.data(), yout.data(), sur.data());
  EXPECT_NEAR(sur[0], 1, 1e-15);
  EXPECT_NEAR(sur[2], 2, 1e-15);
  EXPECT_NEAR(sur[8], 4, 1e-15);
  EXPECT_NEAR(sur[6], 3, 1e-15);
  // These values are not a plane (1 + x + 2y would give 4 at (1, 1) too, but
  // f(1, 0) + f(0, 1) - f(0, 0) = 4 as well), so the whole grid is that plane.
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(sur[j * 3 + i], 1 + xout[i] + 2 * yout[j], 1e-14);
  }
}

TEST(Surface, FarBeyondABorderVertexTakesTheVertexTaylorPolynomial) {
  // Four points, linear data: the derivative fit gives the plane's slope,
  // so the wedge value far beyond the corner is the plane's value.
  const std::vector<double> x{0, 1, 1, 0}, y{0, 0, 1, 1};
  const Function plane = [](double px, double py) { return 2 - px + 4 * py; };
  ExpectReproduces(x, y, plane, {-1000, 0.5, 1000}, {-1000, 0.5, 1000}, 1e-9);
}

}  // namespace
