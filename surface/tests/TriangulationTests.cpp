#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>
#include <vector>

#include "Derivatives.h"
#include "Reference.h"
#include "TestPoints.h"
#include "Triangulation.h"

namespace meshinterp {
namespace {

Triangulation TriangulateQuietly(const std::vector<Point>& points) {
  ErrorFacility errors([](std::string_view text) { ADD_FAILURE() << text; });
  return Triangulate(points, errors);
}

// Every triangle counter-clockwise, the border closed and counter-clockwise,
// each border segment a side of its triangle, every inner side shared by
// exactly two triangles.
void ExpectWellFormed(const std::vector<Point>& points, const Triangulation& t) {
  ASSERT_FALSE(t.triangles.empty());
  std::multiset<std::pair<int, int>> sides;
  for (const TriangleVertices& v : t.triangles) {
    EXPECT_GT(Side(points[v[0]], points[v[1]], points[v[2]]), 0);
    for (int s = 0; s < 3; ++s) sides.insert(std::minmax(v[s], v[(s + 1) % 3]));
  }
  const std::size_t nl = t.border.size();
  EXPECT_EQ(t.triangles.size(), 2 * points.size() - 2 - nl);
  for (std::size_t l = 0; l < nl; ++l) {
    const BorderSegment& s = t.border[l];
    EXPECT_EQ(s.end, t.border[(l + 1) % nl].start);
    const TriangleVertices& v = t.triangles[s.triangle];
    EXPECT_TRUE((v[0] == s.start && v[1] == s.end) || (v[1] == s.start && v[2] == s.end) ||
                (v[2] == s.start && v[0] == s.end))
        << "segment " << l;
    EXPECT_EQ(sides.count(std::minmax(s.start, s.end)), 1u);
  }
  for (const auto& side : sides) EXPECT_LE(sides.count(side), 2u);
}

TEST(Triangulation, SquareKeepsTheFirstDiagonal) {
  const std::vector<Point> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  const ClosestPair pair = FindClosestPair(square);
  EXPECT_EQ(pair.first, 0);
  EXPECT_EQ(pair.second, 1);
  EXPECT_EQ(InsertionOrder(square, 0, 1), (std::vector<int>{2, 3}));
  const Triangulation t = TriangulateQuietly(square);
  EXPECT_EQ(t.triangles, (std::vector<TriangleVertices>{{0, 1, 2}, {0, 2, 3}}));
  EXPECT_EQ(t.border.size(), 4u);
  ExpectWellFormed(square, t);
}

TEST(Triangulation, PointInsideAQuadrilateral) {
  const std::vector<Point> points{{0, 0}, {4, 0.5}, {4.5, 4}, {-0.5, 3.5}, {2, 2}};
  const Triangulation t = TriangulateQuietly(points);
  EXPECT_EQ(t.triangles.size(), 4u);
  EXPECT_EQ(t.border.size(), 4u);
  ExpectWellFormed(points, t);
}

TEST(Triangulation, WellFormedOnRandomPointsAndLattices) {
  for (const auto& samples : {testing::RandomSamples(500, 3), testing::Lattice(20, 15), testing::PseudoSection(2)}) {
    ExpectWellFormed(samples.points, TriangulateQuietly(samples.points));
  }
}

TEST(Triangulation, SelectionOrderExchangesEqualDistances) {
  // Distances from the midpoint (0.5, 0) of the closest pair: points 2 and
  // 3 are equally far, point 4 nearer. Selection by exchange moves point 4
  // to the front and point 2 to its place, behind point 3.
  const std::vector<Point> points{{0, 0}, {1, 0}, {0.5, 3}, {0.5, -3}, {0.5, -2}};
  EXPECT_EQ(InsertionOrder(points, 0, 1), (std::vector<int>{4, 3, 2}));
  EXPECT_EQ(reference::InsertionOrder(points, 0, 1), (std::vector<int>{4, 3, 2}));
}

TEST(Neighbours, TiesAtTheTwelfthDistanceGoToLowerPointNumbers) {
  // Point 0 at the origin; points 1 to 10 and 19 nearer than 5, points 11
  // and 12 at exactly 5 (12th and 13th smallest equal), the rest farther.
  std::vector<Point> points{{0, 0}};
  for (int k = 1; k <= 10; ++k) points.push_back({k * 0.3, 1});
  points.push_back({3, 4});
  points.push_back({-4, 3});
  for (int k = 13; k <= 18; ++k) points.push_back({10.0 + k, 20});
  points.push_back({0, -1});
  ASSERT_EQ(points.size(), 20u);
  const double largest = LargestSquaredDistance(points);
  NeighbourFinder finder(points, largest);
  Neighbourhood found;
  finder.Find(0, found);
  EXPECT_EQ(found.radiusSquared, 25);
  EXPECT_EQ(found.rows, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
  const Neighbourhood plain = reference::FindNeighbourhood(points, 0, largest);
  EXPECT_EQ(plain.rows, found.rows);
}

TEST(Neighbours, FewerThanThirteenPointsUseTheLargestDistance) {
  const auto s = testing::RandomSamples(9, 2);
  const double largest = LargestSquaredDistance(s.points);
  NeighbourFinder finder(s.points, largest);
  Neighbourhood found;
  finder.Find(4, found);
  EXPECT_EQ(found.radiusSquared, largest);
  EXPECT_EQ(found.rows, (std::vector<int>{0, 1, 2, 3, 5, 6, 7, 8}));
}

// Each term of a row is a product taken from left to right, with a square
// taken as one factor: t dx dy = (t dx) dy and t dy^2 / 2 = (t (dy dy)) / 2.
TEST(Derivatives, RowTermsAreProductsTakenFromLeftToRight) {
  struct Case {
    double t, dx, dy;
    std::array<double, 5> row;
  };
  const Case cases[] = {
      // 3 x 0.1 = 0.30000000000000004, times 0.7 = 0.21000000000000002;
      // whereas 0.1 x 0.7 = 0.06999999999999999, times 3 = 0.20999999999999996.
      {3.0, 0.1, 0.7,
       {0x1.3333333333334p-2, 0x1.0ccccccccccccp+1, 0x1.eb851eb851ebap-7, 0x1.ae147ae147ae2p-3,
        0x1.7851eb851eb84p-1}},
      // 0.3 x 0.3 = 0.09, times 1.5 = 0.135; whereas 1.5 x 0.3 =
      // 0.44999999999999996, times 0.3 = 0.13499999999999998.
      {1.5, 0.1, 0.3,
       {0x1.3333333333334p-3, 0x1.cccccccccccccp-2, 0x1.eb851eb851ebap-8, 0x1.70a3d70a3d70bp-5,
        0x1.147ae147ae148p-4}},
  };
  for (const Case& c : cases) {
    const std::array<double, 5> row = FitRow(c.t, c.dx, c.dy);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(row[k], c.row[k]) << "t = " << c.t << ", term " << k;
  }
}

TEST(Derivatives, FourOrFivePointsFitOnlyTheFirstDerivatives) {
  const std::vector<Point> points{{0, 0}, {2, 0.5}, {1.5, 2}, {-0.5, 1.5}, {0.7, 0.9}};
  std::vector<double> values;
  for (const Point& p : points) values.push_back(1 + 2 * p.x - 3 * p.y + p.x * p.x);
  for (std::size_t n : {4u, 5u}) {
    const std::span<const Point> subset(points.data(), n);
    for (const PartialDerivatives& d : EstimateDerivatives(subset, std::span<const double>(values.data(), n))) {
      EXPECT_EQ(d.zxx, 0);
      EXPECT_EQ(d.zxy, 0);
      EXPECT_EQ(d.zyy, 0);
      EXPECT_NE(d.zx, 0);
    }
  }
}

}  // namespace
}  // namespace meshinterp
