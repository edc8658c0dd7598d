// do_approximation: grids of known point sets, the reach window, extreme
// reaches and the failures that leave the output untouched.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "vesk_pro.h"

namespace {

struct Points {
  std::vector<double> x, y, z;
};

// The four corners of a 10 x 10 square with values 1 to 4.
Points Corners() { return {{0, 10, 0, 10}, {0, 0, 10, 10}, {1, 2, 3, 4}}; }

int32_t Grid(const Points& p, double reach, int32_t columns, int32_t rows, std::vector<double>& output) {
  return do_approximation(static_cast<int32_t>(p.x.size()), reach, p.x.data(), p.y.data(), p.z.data(), columns,
                          rows, nullptr, nullptr, output.data());
}

std::vector<double> GridOf(const Points& p, double reach, int32_t columns, int32_t rows) {
  std::vector<double> output(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), -1.0);
  EXPECT_EQ(Grid(p, reach, columns, rows, output), 1);
  return output;
}

struct KnownGrid {
  std::string name;
  Points points;
  double reach;
  int32_t columns;
  int32_t rows;
  std::vector<double> expected;  // row after row
};

std::vector<KnownGrid> KnownGrids() {
  return {
      // dx = dy = 5, radius 10: edge mid-points are 5 from two corners, the
      // centre is 10 from all four and stays 0.
      {"CornersReach2", Corners(), 2.0, 3, 3, {1, 1.5, 2, 2, 0, 3, 3, 3.5, 4}},
      {"CornersReach1", Corners(), 1.0, 3, 3, {1, 0, 2, 0, 0, 0, 3, 0, 4}},
      // Two points on one node weigh alike: nodes they reach get their mean.
      {"DuplicatePoints", {{0, 0, 10, 10}, {0, 0, 10, 10}, {2, 6, 50, 50}}, 2.0, 3, 3, {4, 4, 0, 4, 0, 50, 0, 50, 50}},
      // dx = 100, dy = 1, radius 100: only row offsets reach column 0 from the
      // point at (0, 5), and the window runs from one row below the home row
      // (row 4) to two rows above it (row 7).
      {"RowWindowReachesOneRowFurtherUpward",
       {{0, 100, 100, 100}, {5, 0, 10, 5}, {7, 1, 1, 1}},
       1.0,
       2,
       11,
       {0, 1, 0, 1, 0, 1, 0, 0, 7, 1, 7, 1, 7, 1, 7, 1, 0, 0, 0, 1, 0, 1}},
  };
}

TEST(GriddingTest, KnownPointSetsGiveTheirGrids) {
  for (const KnownGrid& known : KnownGrids()) {
    SCOPED_TRACE(known.name);
    const std::vector<double> grid = GridOf(known.points, known.reach, known.columns, known.rows);
    ASSERT_EQ(grid.size(), known.expected.size());
    // A single weighted value comes back as w * z / w, exact to rounding.
    for (std::size_t node = 0; node < grid.size(); ++node) {
      EXPECT_NEAR(grid[node], known.expected[node], 1e-12) << "node " << node;
    }
  }
}

TEST(GriddingTest, WeightFallsLinearlyWithCityBlockDistance) {
  // dx = 2, dy = 1, radius 4. Node (0, 0) gets weight 1 from (0, 0) and 0.75
  // from (0, 1); node (0, 1) gets 0.5 and 0.25. The points at x = 8 are too far.
  const Points p{{0, 0, 8, 8}, {0, 1, 0, 1}, {0, 10, 12, 12}};
  const std::vector<double> grid = GridOf(p, 2.0, 5, 2);
  EXPECT_DOUBLE_EQ(grid[0], 7.5 / 1.75);
  EXPECT_DOUBLE_EQ(grid[1], 2.5 / 0.75);
  EXPECT_DOUBLE_EQ(grid[2], 0.0);
}

TEST(GriddingTest, NodeCoordinateArraysAreNotTouched) {
  const Points p = Corners();
  std::vector<double> nodeX(3, -7.0), nodeY(3, -7.0), output(9);
  ASSERT_EQ(do_approximation(4, 2.0, p.x.data(), p.y.data(), p.z.data(), 3, 3, nodeX.data(), nodeY.data(),
                             output.data()),
            1);
  EXPECT_EQ(nodeX, std::vector<double>(3, -7.0));
  EXPECT_EQ(nodeY, std::vector<double>(3, -7.0));
}

TEST(GriddingTest, ReachOfZeroOrBelowGivesAnAllZeroGrid) {
  for (const double reach : {0.0, -0.5, -1.0, -1e300, -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(reach);
    EXPECT_EQ(GridOf(Corners(), reach, 3, 3), std::vector<double>(9, 0.0));
  }
}

TEST(GriddingTest, HugeReachCoversTheWholeGridWithBoundedWork) {
  // With an infinite radius every weight is 1, so every node is the plain mean.
  EXPECT_EQ(GridOf(Corners(), std::numeric_limits<double>::infinity(), 100, 100), std::vector<double>(10000, 2.5));
  for (const double value : GridOf(Corners(), 1e12, 100, 100)) EXPECT_NEAR(value, 2.5, 1e-9);
}

struct FailureCase {
  std::string name;
  Points points;
  int32_t columns;
  int32_t rows;
  std::optional<int32_t> pointCount = std::nullopt;  // default: the number of points given
};

TEST(GriddingTest, FailuresReturn0AndLeaveTheOutputUntouched) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  const std::vector<FailureCase> cases = {
      {"ThreePoints", {{0, 10, 0}, {0, 0, 10}, {1, 2, 3}}, 3, 3},
      {"NegativePointCount", Corners(), 3, 3, -4},
      {"OneColumn", Corners(), 1, 3},
      {"OneRow", Corners(), 3, 1},
      {"NegativeColumns", Corners(), -3, 3},
      {"AllOnOneVerticalLine", {{5, 5, 5, 5}, {0, 1, 2, 3}, {1, 2, 3, 4}}, 3, 3},
      {"AllOnOneHorizontalLine", {{0, 1, 2, 3}, {5, 5, 5, 5}, {1, 2, 3, 4}}, 3, 3},
      {"NaNCoordinate", {{0, 10, nan, 10}, {0, 0, 10, 10}, {1, 2, 3, 4}}, 3, 3},
      {"InfiniteCoordinate", {{0, 10, 0, 10}, {0, 0, infinity, 10}, {1, 2, 3, 4}}, 3, 3},
      {"BoundingBoxWiderThanAnyDouble", {{-1e308, 1e308, 0, 0}, {0, 0, 10, 10}, {1, 2, 3, 4}}, 3, 3},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<double> output(9, -1.0);
    const int32_t count = c.pointCount.value_or(static_cast<int32_t>(c.points.x.size()));
    EXPECT_EQ(do_approximation(count, 2.0, c.points.x.data(), c.points.y.data(), c.points.z.data(), c.columns, c.rows,
                               nullptr, nullptr, output.data()),
              0);
    EXPECT_EQ(output, std::vector<double>(9, -1.0));
  }
}

TEST(GriddingTest, NullArraysReturn0) {
  const Points p = Corners();
  std::vector<double> output(9, -1.0);
  EXPECT_EQ(do_approximation(4, 2.0, nullptr, p.y.data(), p.z.data(), 3, 3, nullptr, nullptr, output.data()), 0);
  EXPECT_EQ(do_approximation(4, 2.0, p.x.data(), nullptr, p.z.data(), 3, 3, nullptr, nullptr, output.data()), 0);
  EXPECT_EQ(do_approximation(4, 2.0, p.x.data(), p.y.data(), nullptr, 3, 3, nullptr, nullptr, output.data()), 0);
  EXPECT_EQ(output, std::vector<double>(9, -1.0));
  EXPECT_EQ(do_approximation(4, 2.0, p.x.data(), p.y.data(), p.z.data(), 3, 3, nullptr, nullptr, nullptr), 0);
}

// The grid worked out node by node as the method states it: every point's
// window of row and column offsets, the distance test and the weight of each
// node. The library works the weights out once per call; the result must not
// differ in a single bit.
std::vector<double> PlainGrid(const Points& p, double reach, int32_t columns, int32_t rows) {
  const double xMin = *std::min_element(p.x.begin(), p.x.end()), xMax = *std::max_element(p.x.begin(), p.x.end());
  const double yMin = *std::min_element(p.y.begin(), p.y.end()), yMax = *std::max_element(p.y.begin(), p.y.end());
  const double dx = (xMax - xMin) / (columns - 1), dy = (yMax - yMin) / (rows - 1);
  const double radius = reach * std::max(dx, dy);
  std::vector<double> sums(static_cast<std::size_t>(columns * rows), 0.0), weights(sums.size(), 0.0);
  for (std::size_t i = 0; i < p.x.size() && reach > 0; ++i) {
    const auto row = static_cast<int64_t>(std::trunc((p.y[i] - yMin) / dy + 1e-6));
    const auto column = static_cast<int64_t>(std::trunc((p.x[i] - xMin) / dx + 1e-6));
    for (auto j = static_cast<int64_t>(-std::trunc(reach)); static_cast<double>(j) <= reach + 1; ++j) {
      if (row + j < 0 || row + j >= rows) continue;
      const auto kMax = static_cast<int64_t>(std::trunc(reach + 1 - std::abs(static_cast<double>(j))));
      for (int64_t k = -kMax; k <= kMax; ++k) {
        if (column + k < 0 || column + k >= columns) continue;
        const double d = static_cast<double>(std::abs(j)) * dy + static_cast<double>(std::abs(k)) * dx;
        if (!(d < radius)) continue;
        const double w = 1.0 - d / radius;
        const auto node = static_cast<std::size_t>((row + j) * columns + column + k);
        sums[node] += w * p.z[i];
        weights[node] += w;
      }
    }
  }
  for (std::size_t node = 0; node < sums.size(); ++node) sums[node] = weights[node] != 0 ? sums[node] / weights[node] : 0;
  return sums;
}

TEST(GriddingTest, RandomPointSetsGiveThePlainGridBitForBit) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> coordinate(-50.0, 400.0);
  const double reaches[] = {0.5, 1, 2.5, 3, 7.3, 25, 60};
  for (int round = 0; round < 300; ++round) {
    Points p;
    const auto n = 4 + static_cast<int>(random() % 200);
    for (int i = 0; i < n; ++i) {
      p.x.push_back(i % 9 == 0 && i > 0 ? p.x[0] : coordinate(random));  // some points share a column
      p.y.push_back(coordinate(random) / static_cast<double>(1 + random() % 20));
      p.z.push_back(coordinate(random));
    }
    const auto columns = 2 + static_cast<int32_t>(random() % 100), rows = 2 + static_cast<int32_t>(random() % 100);
    const double reach = reaches[round % 7];
    const std::vector<double> grid = GridOf(p, reach, columns, rows);
    const std::vector<double> plain = PlainGrid(p, reach, columns, rows);
    ASSERT_EQ(grid.size(), plain.size());
    for (std::size_t node = 0; node < grid.size(); ++node)
      ASSERT_EQ(grid[node], plain[node]) << "round " << round << " node " << node;
  }
}

// Grids large enough to be shared between two threads, band by band of rows:
// a pseudo-section of the map's size and grids with fewer rows than bands.
TEST(GriddingTest, SharedGridsGiveThePlainGridBitForBit) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  struct Shape {
    int points;
    double reach;
    int32_t columns;
    int32_t rows;
  };
  for (const Shape shape : {Shape{11000, 25, 100, 100}, Shape{3000, 40, 90, 3}, Shape{5000, 12.5, 7, 333},
                            Shape{20000, 2, 250, 17}}) {
    SCOPED_TRACE(std::to_string(shape.points) + " points, " + std::to_string(shape.rows) + " rows");
    Points p;
    for (int i = 0; i < shape.points; ++i) {
      // Shallow levels hold most points, as in a pseudo-section.
      const double level = std::floor(std::pow(unit(random), 2) * 30);
      p.x.push_back(std::floor(unit(random) * 400) * 0.5);
      p.y.push_back(1 + level * 0.75);
      p.z.push_back(10 + 90 * unit(random) + level);
    }
    const std::vector<double> grid = GridOf(p, shape.reach, shape.columns, shape.rows);
    const std::vector<double> plain = PlainGrid(p, shape.reach, shape.columns, shape.rows);
    ASSERT_EQ(grid.size(), plain.size());
    for (std::size_t node = 0; node < grid.size(); ++node) ASSERT_EQ(grid[node], plain[node]) << "node " << node;
    EXPECT_EQ(GridOf(p, shape.reach, shape.columns, shape.rows), grid);  // every call alike
  }
}

}  // namespace
