// Nodes on the boundaries between regions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "Derivatives.h"
#include "Reference.h"
#include "Regions.h"
#include "SurfaceEvaluation.h"
#include "TestPoints.h"
#include "Triangulation.h"

namespace meshinterp {
namespace {

struct Fixture {
  testing::Samples samples = testing::Lattice(7, 5);
  Triangulation triangulation;
  std::vector<PartialDerivatives> derivatives;
  Fixture() {
    for (std::size_t k = 0; k < samples.points.size(); ++k) {
      const Point& p = samples.points[k];
      samples.values[k] = std::sin(p.x) * std::exp(0.2 * p.y);  // no polynomial
    }
    ErrorFacility errors([](std::string_view text) { ADD_FAILURE() << text; });
    triangulation = Triangulate(samples.points, errors);
    derivatives = EstimateDerivatives(samples.points, samples.values);
  }
  double ValueOfRegion(int region, const Point& node) const {
    return EvaluateRegionPolynomial(
        BuildRegionPolynomial(samples.points, samples.values, derivatives, triangulation, region), node);
  }
};

TEST(Regions, NodeOnASharedSideGoesToTheLowerTriangleAndBothAgree) {
  const Fixture f;
  // Sides shared by two triangles, by their end points.
  std::map<std::pair<int, int>, std::vector<int>> sides;
  for (int t = 0; t < static_cast<int>(f.triangulation.triangles.size()); ++t) {
    const TriangleVertices& v = f.triangulation.triangles[t];
    for (int s = 0; s < 3; ++s) sides[std::minmax(v[s], v[(s + 1) % 3])].push_back(t);
  }
  int checked = 0;
  for (const auto& [ends, triangles] : sides) {
    if (triangles.size() != 2) continue;
    // The side's midpoint lies exactly on it (half-integer coordinates).
    const Point& a = f.samples.points[ends.first];
    const Point& b = f.samples.points[ends.second];
    const Point middle{(a.x + b.x) / 2, (a.y + b.y) / 2};
    const std::vector<double> xout{middle.x}, yout{middle.y};
    const NodeAssignment assignment = AssignNodes(f.samples.points, f.triangulation, xout, yout);
    EXPECT_EQ(assignment.region[0], std::min(triangles[0], triangles[1]));
    EXPECT_EQ(assignment.onBoundary[0], 1);
    EXPECT_NEAR(f.ValueOfRegion(triangles[0], middle), f.ValueOfRegion(triangles[1], middle), 1e-12);
    ++checked;
  }
  EXPECT_GT(checked, 40);
}

TEST(Regions, NodeOnTheBorderGoesToItsTriangleAndNodesBeyondToStripsAndWedges) {
  const Fixture f;
  const int nt = static_cast<int>(f.triangulation.triangles.size());
  // The lattice spans [0, 6] x [0, 4]: (3, 0) lies on the border, (3, -2)
  // beyond a border segment, (-1, -1) beyond the corner (0, 0).
  const std::vector<double> xout{-1, 3}, yout{-2, -1, 0};
  const NodeAssignment a = AssignNodes(f.samples.points, f.triangulation, xout, yout);
  EXPECT_LT(a.region[2 * 2 + 1], nt);  // (3, 0): a triangle
  EXPECT_EQ(a.onBoundary[2 * 2 + 1], 1);
  const int strip = a.region[0 * 2 + 1];  // (3, -2)
  ASSERT_GE(strip, nt);
  EXPECT_EQ((strip - nt) % 2, 0);
  const int wedge = a.region[1 * 2 + 0];  // (-1, -1)
  ASSERT_GE(wedge, nt);
  EXPECT_EQ((wedge - nt) % 2, 1);
  EXPECT_EQ(f.triangulation.border[(wedge - nt) / 2].end, 0);  // at the corner point 0
  // The wedge's value is the corner's quadratic Taylor polynomial.
  const PartialDerivatives& d = f.derivatives[0];
  const double z0 = f.samples.values[0];
  const double expected = z0 - 1 * (d.zy - 1 * d.zyy / 2) - 1 * (d.zx - 1 * d.zxy - 1 * d.zxx / 2);
  EXPECT_NEAR(f.ValueOfRegion(wedge, {-1, -1}), expected, 1e-14);
}

}  // namespace
}  // namespace meshinterp

namespace meshinterp {
namespace {

TEST(Regions, UnevenGridLinesGiveThePlainAssignment) {
  const Fixture f;
  // Lines crowded at one end and sparse at the other, with the lattice's
  // own lines (nodes on sides and on the border) among them.
  std::vector<double> xout, yout;
  for (int i = 0; i < 40; ++i) xout.push_back(-2 + 10 * std::pow(i / 39.0, 3));
  for (int i = 0; i < 30; ++i) yout.push_back(-1.5 + 7 * std::sqrt(i / 29.0));
  for (int k = 0; k <= 6; ++k) xout.push_back(k);
  for (int k = 0; k <= 4; ++k) yout.push_back(k);
  for (std::vector<double>* v : {&xout, &yout}) {
    std::sort(v->begin(), v->end());
    v->erase(std::unique(v->begin(), v->end()), v->end());
  }
  const NodeAssignment fast = AssignNodes(f.samples.points, f.triangulation, xout, yout);
  const NodeAssignment plain = reference::AssignNodes(f.samples.points, f.triangulation, xout, yout);
  EXPECT_EQ(fast.region, plain.region);
  EXPECT_EQ(fast.onBoundary, plain.onBoundary);
}

TEST(Regions, ANodeInsideSeveralRegionsIsListedOnceByTheFirst) {
  // Two overlapping triangles (as rounding can make neighbouring regions
  // overlap): the nodes inside both belong to the first, each node once.
  const std::vector<Point> points{{0, 0}, {4, 0}, {0, 4}, {1, 1}, {5, 1}, {1, 5}};
  Triangulation t;
  t.triangles = {{0, 1, 2}, {3, 4, 5}};
  t.border = {{0, 1, 0}, {1, 2, 0}, {2, 0, 0}};
  const std::vector<double> xout{0.5, 1.5, 2.5, 3.5, 4.5}, yout{0.5, 1.5, 2.5, 3.5, 4.5};
  const NodeAssignment a = AssignNodes(points, t, xout, yout);
  EXPECT_EQ(a.region[1 * 5 + 1], 0);  // (1.5, 1.5) inside both
  EXPECT_EQ(a.onBoundary[1 * 5 + 1], 0);
  EXPECT_EQ(a.region[1 * 5 + 3], 1);  // (3.5, 1.5) inside the second only
  EXPECT_EQ(a.region.size(), 25u);
}

}  // namespace
}  // namespace meshinterp
