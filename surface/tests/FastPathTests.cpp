// The indexed steps of the library against the plain reference: every
// intermediate result and every grid value must agree bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "Derivatives.h"
#include "Reference.h"
#include "Regions.h"
#include "SharedWork.h"
#include "SurfGrid.h"
#include "TestPoints.h"
#include "Triangulation.h"

namespace meshinterp {
namespace {

using testing::Coordinates;
using testing::Samples;

bool SameTriangulation(const Triangulation& a, const Triangulation& b) {
  if (a.triangles != b.triangles || a.border.size() != b.border.size()) return false;
  for (std::size_t l = 0; l < a.border.size(); ++l) {
    if (a.border[l].start != b.border[l].start || a.border[l].end != b.border[l].end ||
        a.border[l].triangle != b.border[l].triangle) {
      return false;
    }
  }
  return true;
}

std::uint64_t Bits(double v) { return std::bit_cast<std::uint64_t>(v); }

struct Case {
  std::string name;
  Samples samples;
  int gridColumns;
  int gridRows;
  double margin;  // grid extends this far beyond the points on each side
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class FastPath : public ::testing::TestWithParam<Case> {};

TEST_P(FastPath, AgreesWithReferenceBitForBit) {
  const Case& c = GetParam();
  const std::vector<Point>& points = c.samples.points;
  const std::vector<double>& values = c.samples.values;

  const ClosestPair fastPair = FindClosestPair(points);
  const ClosestPair plainPair = reference::FindClosestPair(points);
  ASSERT_EQ(fastPair.first, plainPair.first);
  ASSERT_EQ(fastPair.second, plainPair.second);
  ASSERT_EQ(Bits(fastPair.squaredDistance), Bits(plainPair.squaredDistance));
  ASSERT_EQ(InsertionOrder(points, fastPair.first, fastPair.second),
            reference::InsertionOrder(points, fastPair.first, fastPair.second));

  ErrorFacility errors([](std::string_view text) { ADD_FAILURE() << text; });
  const Triangulation fast = Triangulate(points, errors);
  const Triangulation plain = reference::Triangulate(points, errors);
  ASSERT_FALSE(fast.triangles.empty());
  ASSERT_TRUE(SameTriangulation(fast, plain));
  EXPECT_EQ(fast.triangles.size(), 2 * points.size() - 2 - fast.border.size());

  const double largest = LargestSquaredDistance(points);
  ASSERT_EQ(Bits(largest), Bits(reference::LargestSquaredDistance(points)));
  NeighbourFinder finder(points, largest);
  Neighbourhood found;
  for (int k = 0; k < static_cast<int>(points.size()); ++k) {
    finder.Find(k, found);
    const Neighbourhood expected = reference::FindNeighbourhood(points, k, largest);
    ASSERT_EQ(Bits(found.radiusSquared), Bits(expected.radiusSquared)) << "point " << k;
    ASSERT_EQ(found.rows, expected.rows) << "point " << k;
  }

  const std::vector<PartialDerivatives> fastDerivatives = EstimateDerivatives(points, values);
  const std::vector<PartialDerivatives> plainDerivatives = reference::EstimateDerivatives(points, values);
  ASSERT_EQ(0, std::memcmp(fastDerivatives.data(), plainDerivatives.data(),
                           fastDerivatives.size() * sizeof(PartialDerivatives)));

  double xmin = points[0].x, xmax = xmin, ymin = points[0].y, ymax = ymin;
  for (const Point& p : points) {
    xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
  }
  const std::vector<double> xout = Coordinates(xmin - c.margin, xmax + c.margin, c.gridColumns);
  const std::vector<double> yout = Coordinates(ymin - c.margin, ymax + c.margin, c.gridRows);
  const NodeAssignment fastNodes = AssignNodes(points, fast, xout, yout);
  const NodeAssignment plainNodes = reference::AssignNodes(points, plain, xout, yout);
  ASSERT_EQ(fastNodes.region, plainNodes.region);
  ASSERT_EQ(fastNodes.onBoundary, plainNodes.onBoundary);

  const Samples& s = c.samples;
  const std::vector<double> xs = s.xs(), ys = s.ys();
  std::vector<double> sur(xout.size() * yout.size(), -7.0);
  ErrorFacility quiet([](std::string_view text) { ADD_FAILURE() << text; });
  SurfGrid(quiet,
           {static_cast<int>(points.size()), xs.data(), ys.data(), values.data(), static_cast<int>(xout.size()),
            static_cast<int>(yout.size()), xout.data(), yout.data()},
           sur.data(), static_cast<std::int64_t>(xout.size()));
  const auto expected = reference::Grid(points, values, xout, yout, -7.0);
  ASSERT_TRUE(expected);
  ASSERT_EQ(0, std::memcmp(sur.data(), expected->data(), sur.size() * sizeof(double)));
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    cases.push_back({"random_300_seed" + std::to_string(seed), testing::RandomSamples(300, seed), 60, 45, 10});
  }
  cases.push_back({"random_13", testing::RandomSamples(13, 9), 20, 20, 5});
  cases.push_back({"random_8", testing::RandomSamples(8, 4), 20, 20, 5});
  cases.push_back({"random_1500", testing::RandomSamples(1500, 11, 1000, 30), 100, 100, 0});
  cases.push_back({"pseudo_section_1_spread", testing::PseudoSection(1), 100, 100, 0});
  cases.push_back({"pseudo_section_3_spreads", testing::PseudoSection(3), 100, 100, 0});
  cases.push_back({"pseudo_section_5_spreads", testing::PseudoSection(5), 100, 100, 0});
  // Rows met in the other directions by the border scan.
  Samples mirrored = testing::PseudoSection(8, 12, 2.5, 3);
  for (Point& p : mirrored.points) p = {-p.x, -p.y};
  cases.push_back({"pseudo_section_8_spreads_mirrored", mirrored, 100, 60, 0});
  // Scales and offsets at which the rounding of coordinate differences is
  // coarse, the buckets tiny or huge, or the bucket grid is not used.
  auto scaled = [](int count, std::uint32_t seed, double scale, double offset) {
    Samples s = testing::RandomSamples(count, seed, 1, 1);
    for (Point& p : s.points) p = {offset + p.x * scale, offset + p.y * scale};
    return s;
  };
  cases.push_back({"random_offset_1e6_scale_1em6", scaled(400, 21, 1e-6, 1e6), 50, 50, 0});
  cases.push_back({"random_scale_1em120", scaled(200, 22, 1e-120, 0), 40, 40, 0});
  cases.push_back({"random_scale_1em150", scaled(200, 23, 1e-150, 0), 40, 40, 0});
  cases.push_back({"random_scale_1e120", scaled(200, 24, 1e120, 0), 40, 40, 0});
  cases.push_back({"random_scale_1e150", scaled(200, 25, 1e150, 0), 40, 40, 0});
  // Nearly every point on the border, which is turned by large amounts.
  cases.push_back({"thin_ellipse_shuffled", testing::ShuffledEllipse(200, 1, 1), 60, 20, 0});
  cases.push_back({"ellipse_shuffled", testing::ShuffledEllipse(300, 2, 60), 50, 50, 0});
  // Integer lattice and a grid whose nodes fall on lattice points, on
  // triangle sides and on the hull's border.
  cases.push_back({"lattice_25x20", testing::Lattice(25, 20), 49, 39, 0});
  cases.push_back({"lattice_25x20_beyond", testing::Lattice(25, 20), 59, 49, 2.5});
  cases.push_back({"lattice_60x3", testing::Lattice(60, 3, 0.5), 120, 9, 1});
  // Whole circles of integer points round the closest pair's midpoint, all
  // at exactly the same distance from it: runs of equal distances whose
  // order the insertion's exchanges decide. The closer circles come later
  // in the input, so that taking them displaces the farther ones.
  auto circles = [](std::initializer_list<long long> radiiSquared) {
    Samples s;
    s.points = {{-0.5, 0}, {0.5, 0}};
    for (const long long radiusSquared : radiiSquared) {
      const auto reach = static_cast<long long>(std::sqrt(static_cast<double>(radiusSquared)));
      for (long long x = -reach; x <= reach; ++x) {
        const long long y = std::llround(std::sqrt(static_cast<double>(radiusSquared - x * x)));
        if (x * x + y * y != radiusSquared) continue;
        s.points.push_back({static_cast<double>(x), static_cast<double>(y)});
        if (y != 0) s.points.push_back({static_cast<double>(x), static_cast<double>(-y)});
      }
    }
    for (const Point& p : s.points) s.values.push_back(std::sin(p.x / 300) + p.y / 500);
    return s;
  };
  // Circles of 32, 64 and 12 points; then one of 128, longer than the runs
  // ordered by scanning them.
  cases.push_back({"circles_round_the_closest_pair", circles({1105, 32045, 25}), 40, 40, 0});
  cases.push_back({"circle_of_128_round_the_closest_pair", circles({1105, 1185665, 25}), 40, 40, 0});
  return cases;
}

// The same grid, bit for bit, whether a second thread shares the work or
// the calling thread does it alone.
TEST(SecondThread, SerialAndThreadedGridsAreTheSame) {
  struct Serial {
    Serial() { AllowSecondThread(false); }
    ~Serial() { AllowSecondThread(true); }
  };
  // A small set shares the work too when the grid is large.
  for (const Samples& s : {testing::PseudoSection(5), testing::RandomSamples(1200, 8), testing::Lattice(40, 30),
                           testing::PseudoSection(1)}) {
    const std::vector<double> xs = s.xs(), ys = s.ys();
    const std::vector<double> xout = Coordinates(xs.front() - 3, xs.back() + 3, 80);
    const std::vector<double> yout = Coordinates(-2, 70, 60);
    auto grid = [&] {
      std::vector<double> sur(xout.size() * yout.size(), -7.0);
      ErrorFacility quiet([](std::string_view text) { ADD_FAILURE() << text; });
      SurfGrid(quiet,
               {static_cast<int>(xs.size()), xs.data(), ys.data(), s.values.data(), static_cast<int>(xout.size()),
                static_cast<int>(yout.size()), xout.data(), yout.data()},
               sur.data(), static_cast<std::int64_t>(xout.size()));
      return sur;
    };
    const long long started = SecondThreadsStarted();
    const std::vector<double> threaded = grid();
    EXPECT_EQ(SecondThreadsStarted(), started + 1);
    std::vector<double> serial;
    {
      Serial alone;
      serial = grid();
    }
    EXPECT_EQ(SecondThreadsStarted(), started + 1);
    ASSERT_EQ(0, std::memcmp(threaded.data(), serial.data(), threaded.size() * sizeof(double)));
  }
}

// A call that fails after the second thread has started gives it up and
// joins it: 1200 points on one line.
TEST(SecondThread, IsGivenUpWhenTheTriangulationFails) {
  std::vector<double> xs, ys, values;
  for (int k = 0; k < 1200; ++k) {
    xs.push_back(k * 0.5);
    ys.push_back(k * 0.25);
    values.push_back(k);
  }
  const std::vector<double> xout = Coordinates(0, 600, 20), yout = Coordinates(0, 300, 20);
  std::vector<double> sur(400, -7.0);
  std::string printed;
  ErrorFacility errors([&](std::string_view text) { printed += text; });
  const long long started = SecondThreadsStarted();
  SurfGrid(errors, {1200, xs.data(), ys.data(), values.data(), 20, 20, xout.data(), yout.data()}, sur.data(), 20);
  EXPECT_EQ(SecondThreadsStarted(), started + 1);
  EXPECT_NE(printed.find("TERMINAL ERROR 8 from SURFGRID_TRIANGULATE"), std::string::npos) << printed;
  EXPECT_EQ(sur, std::vector<double>(400, -7.0));
}

// The steps that run before a set is refused, on sets the triangulation
// refuses: equal points (the first equal pair in the plain scan's order) and
// points on a line parallel to an axis (the largest distance).
TEST(DegenerateSets, AgreeWithReferenceBitForBit) {
  std::vector<std::vector<Point>> sets;
  Samples random = testing::RandomSamples(500, 31, 1000, 30);
  std::vector<Point> repeated = random.points;
  repeated[400] = repeated[170];
  repeated[300] = repeated[170];
  repeated[450] = repeated[20];
  sets.push_back(repeated);
  sets.push_back(std::vector<Point>(200, Point{3.75, -1e-3}));
  std::vector<Point> row, column;
  for (int k = 0; k < 300; ++k) {
    const double irregular = k * 0.1 + (k * k % 17) * 1e-3 - 40;
    row.push_back({irregular, 2.5});
    column.push_back({1e8, 1e9 + irregular});
  }
  sets.push_back(row);
  sets.push_back(column);
  for (const std::vector<Point>& points : sets) {
    const ClosestPair fast = FindClosestPair(points);
    const ClosestPair plain = reference::FindClosestPair(points);
    EXPECT_EQ(fast.first, plain.first);
    EXPECT_EQ(fast.second, plain.second);
    EXPECT_EQ(Bits(fast.squaredDistance), Bits(plain.squaredDistance));
    EXPECT_EQ(Bits(LargestSquaredDistance(points)), Bits(reference::LargestSquaredDistance(points)));
  }
}

// Closest pairs at least a bucket of the search grid apart, where the pairs
// of neighbouring buckets prove nothing and the search point by point
// decides, and small sets whose grid is a few buckets wide.
TEST(ClosestPair, AgreesWithReferenceWhereNeighbouringBucketsProveNothing) {
  std::vector<std::vector<Point>> sets;
  sets.push_back({{0, 0}, {10, 0}, {0, 10}, {10, 10}, {5, 5.5}});
  sets.push_back({{0, 0}, {10, 0}, {0, 10}, {10, 10}, {5, 5}});  // four pairs at the same distance
  for (std::uint32_t seed : {4u, 5u, 6u, 7u}) sets.push_back(testing::RandomSamples(6 + seed, seed).points);
  for (const std::vector<Point>& points : sets) {
    const ClosestPair fast = FindClosestPair(points);
    const ClosestPair plain = reference::FindClosestPair(points);
    EXPECT_EQ(fast.first, plain.first);
    EXPECT_EQ(fast.second, plain.second);
    EXPECT_EQ(Bits(fast.squaredDistance), Bits(plain.squaredDistance));
  }
}

INSTANTIATE_TEST_SUITE_P(PointSets, FastPath, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace meshinterp
