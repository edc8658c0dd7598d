// Bounds of the border scan's expressions over a box of points, as the scan
// computes them point by point: every bound holds for the rounded values.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace meshinterp {

inline constexpr double kEpsilon = DBL_EPSILON;

// The margin of the bounds of t = dy * rx - dx * ry below: it covers the
// rounding of the corner values and of every point's own value many times
// over, and underflow besides.
inline double CrossMargin(double dxlo, double dxhi, double dylo, double dyhi, double rx, double ry) {
  const double mx = std::max(std::fabs(dxlo), std::fabs(dxhi));
  const double my = std::max(std::fabs(dylo), std::fabs(dyhi));
  return 16 * kEpsilon * (my * std::fabs(rx) + mx * std::fabs(ry)) + 16 * DBL_MIN;
}

// Bounds of t = dy * rx - dx * ry as the scan computes it, for every point
// whose computed (dx, dy) lie in [dxlo, dxhi] x [dylo, dyhi]. The exact t is
// linear in (dx, dy), so its extremes lie at the corners.
struct Range {
  double lo, hi;
};
inline Range CrossRange(double dxlo, double dxhi, double dylo, double dyhi, double rx, double ry) {
  const double c[4] = {dylo * rx - dxlo * ry, dylo * rx - dxhi * ry, dyhi * rx - dxlo * ry, dyhi * rx - dxhi * ry};
  const double margin = CrossMargin(dxlo, dxhi, dylo, dyhi, rx, ry);
  return {std::min({c[0], c[1], c[2], c[3]}) - margin, std::max({c[0], c[1], c[2], c[3]}) + margin};
}

// A lower bound of the computed dx * dx + dy * dy over the same points.
inline double NearestSquaredDistance(double dxlo, double dxhi, double dylo, double dyhi) {
  const double dx = dxlo > 0 ? dxlo : (dxhi < 0 ? -dxhi : 0);
  const double dy = dylo > 0 ? dylo : (dyhi < 0 ? -dyhi : 0);
  return (dx * dx + dy * dy) * (1 - 8 * kEpsilon);
}

// An upper bound of the computed dx * dx + dy * dy over the same points:
// rounding is monotone, so the farthest corner computed in the same order
// bounds every point.
inline double FarthestSquaredDistance(double dxlo, double dxhi, double dylo, double dyhi) {
  const double dx = std::max(std::fabs(dxlo), std::fabs(dxhi));
  const double dy = std::max(std::fabs(dylo), std::fabs(dyhi));
  return (dx * dx + dy * dy) * (1 + 8 * kEpsilon);
}

}  // namespace meshinterp
