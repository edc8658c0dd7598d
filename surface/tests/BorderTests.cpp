// The border search against the plain scan over every border point, on
// rings with long exactly collinear rows, rows bent within and beyond the
// near-collinearity band, regular polygons seen from just outside, and
// rings that are no hull at all; each ring turned so that it wraps around
// its storage.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Border.h"
#include "Reference.h"

namespace meshinterp {
namespace {

struct RingCase {
  std::string name;
  std::vector<Point> ring;  // counter-clockwise where it is a hull
  std::vector<Point> seen;  // points the ring is searched from
};

// Rows y = 0 (x increasing) and y = height (x decreasing) with `bend` added
// to the inner points' heights.
std::vector<Point> Strip(int count, double height, double bend) {
  std::vector<Point> ring;
  for (int i = 0; i < count; ++i) ring.push_back({double(i), i == 0 || i + 1 == count ? 0 : -bend * std::sin(i)});
  for (int i = count - 1; i >= 0; --i) ring.push_back({double(i), height});
  return ring;
}

std::vector<Point> AroundTheStrip(int count, double height) {
  const double w = count - 1, m = std::floor(w / 2) + 0.3;
  std::vector<Point> seen;
  for (double d : {0.5, 1.0, 1e3}) {
    for (Point p : {Point{w + d, 0}, Point{-d, 0}, Point{w + d, height}, Point{-d, height}}) seen.push_back(p);
  }
  for (double e : {1e-12, 1e-9, 1e-7, 1e-5, 1e-3, 1.0}) {
    for (Point p : {Point{w + 1, e}, Point{w + 1, -e}, Point{-1, height + e}, Point{-1, height - e}, Point{m, -e},
                    Point{m, height + e}}) {
      seen.push_back(p);
    }
  }
  for (Point p : {Point{w + 1, -1}, Point{-1, height + 1}, Point{1e6, 3}, Point{-1e6, -1e6}}) seen.push_back(p);
  return seen;
}

std::vector<RingCase> Cases() {
  std::vector<RingCase> cases;
  for (double bend : {0.0, 1e-9, 1e-6, 1e-3}) {
    std::ostringstream name;
    name << "strip bent by " << bend;
    cases.push_back({name.str(), Strip(150, 7, bend), AroundTheStrip(150, 7)});
  }
  RingCase polygon{"regular polygon", {}, {}};
  const double pi = std::numbers::pi;
  for (int i = 0; i < 200; ++i) polygon.ring.push_back({100 * std::cos(2 * pi * i / 200), 100 * std::sin(2 * pi * i / 200)});
  for (double r : {1 + 1e-12, 1 + 1e-6, 1.01, 10.0, 1e5}) {
    for (double a : {0.0, 0.5, 1.3, 2.0 * pi / 400, 3.0}) polygon.seen.push_back({100 * r * std::cos(a), 100 * r * std::sin(a)});
  }
  cases.push_back(polygon);
  RingCase scattered{"scattered points", {}, {}};
  std::mt19937 random(5);
  std::uniform_real_distribution<double> u(0, 100);
  for (int i = 0; i < 300; ++i) scattered.ring.push_back({u(random), u(random) * 0.01});
  for (int i = 0; i < 40; ++i) scattered.seen.push_back({u(random) * 3 - 100, u(random) - 50});
  cases.push_back(scattered);
  return cases;
}

// Turns the ring by `turn` places and compares the two searches from pk;
// true when the search proved its result near the ends without a scan.
bool ExpectSameSearch(BorderRing& ring, std::vector<Point>& order, int turn, const Point& pk, const std::string& where) {
  ring.Turn(turn);
  std::rotate(order.begin(), order.begin() + turn, order.end());
  const long long scans = ring.FullScans();
  int jmin = -1, jmax = -1, plainMin = -1, plainMax = -1;
  ring.FindVisiblePart(pk, jmin, jmax);
  reference::FindVisiblePart(order, pk, plainMin, plainMax);
  EXPECT_EQ(jmin, plainMin) << where << ", turn " << turn;
  EXPECT_EQ(jmax, plainMax) << where << ", turn " << turn;
  return ring.FullScans() == scans;
}

TEST(BorderSearch, GivesThePlainScansResultWhereverTheRingStarts) {
  for (const RingCase& c : Cases()) {
    const int count = static_cast<int>(c.ring.size());
    BorderRing ring(count + 1);
    for (int i = 0; i < count; ++i) ring.Push(i, c.ring[i]);
    std::vector<Point> order = c.ring;  // the ring's order as the plain scan sees it
    int nearEnds = 0, proved = 0;
    for (std::size_t s = 0; s < c.seen.size(); ++s) {
      const std::string where = c.name + ", point " + std::to_string(s);
      // Anywhere in the ring, and as the triangulation leaves it: the
      // visible part at the ends or a few places from them.
      for (int turn : {37, 101, count / 2}) ExpectSameSearch(ring, order, turn, c.seen[s], where);
      for (int offset : {0, 2, count - 3}) {
        int plainMin = 0, plainMax = 0;
        reference::FindVisiblePart(order, c.seen[s], plainMin, plainMax);
        proved += ExpectSameSearch(ring, order, (plainMin + offset) % count, c.seen[s], where) ? 1 : 0;
        ++nearEnds;
      }
      if (::testing::Test::HasFailure()) return;
    }
    // The search near the ends proves many of these results (the others
    // are near-ties that need the scan), except among scattered points.
    if (c.name != "scattered points") {
      EXPECT_GT(3 * proved, nearEnds) << c.name;
    }
  }
}

}  // namespace
}  // namespace meshinterp
