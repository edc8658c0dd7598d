#include "Border.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace meshinterp {
namespace {

constexpr double kEpsilon = DBL_EPSILON;

// Bounds of t = dy * rx - dx * ry as the scan computes it, for every point
// whose computed (dx, dy) lie in [dxlo, dxhi] x [dylo, dyhi]. The exact t is
// linear in (dx, dy), so its extremes lie at the corners; the margin covers
// the rounding of the corner values and of every point's own value many
// times over, and underflow besides.
struct Range {
  double lo, hi;
};
Range CrossRange(double dxlo, double dxhi, double dylo, double dyhi, double rx, double ry) {
  const double c[4] = {dylo * rx - dxlo * ry, dylo * rx - dxhi * ry, dyhi * rx - dxlo * ry, dyhi * rx - dxhi * ry};
  const double mx = std::max(std::fabs(dxlo), std::fabs(dxhi));
  const double my = std::max(std::fabs(dylo), std::fabs(dyhi));
  const double margin = 16 * kEpsilon * (my * std::fabs(rx) + mx * std::fabs(ry)) + 16 * DBL_MIN;
  return {std::min({c[0], c[1], c[2], c[3]}) - margin, std::max({c[0], c[1], c[2], c[3]}) + margin};
}

}  // namespace

BorderRing::BorderRing(int capacity)
    : capacity_(std::max(kBlock, (capacity + kBlock - 1) / kBlock * kBlock)),
      starts_(static_cast<std::size_t>(capacity_)),
      points_(static_cast<std::size_t>(capacity_)),
      boxes_(static_cast<std::size_t>(capacity_ / kBlock)) {}

void BorderRing::Push(int start, const Point& point) {
  const int p = Physical(count_);
  starts_[p] = start;
  points_[p] = point;
  boxes_[p / kBlock].stale = true;
  ++count_;
}

void BorderRing::Copy(int from, int to) {
  starts_[to] = starts_[from];
  points_[to] = points_[from];
  boxes_[to / kBlock].stale = true;
}

void BorderRing::Turn(int j) {
  if (j <= 0 || j >= count_) return;
  if (j <= count_ - j) {
    // The first j segments move behind the last one.
    for (int i = 0; i < j; ++i) Copy(Physical(i), Physical(count_ + i));
    first_ = Physical(j);
  } else {
    // The last count - j segments move before the first one.
    for (int i = count_ - 1; i >= j; --i) Copy(Physical(i), Physical(i - count_));
    first_ = Physical(j - count_);
  }
}

const BorderRing::Box& BorderRing::BlockBox(int block) {
  Box& box = boxes_[block];
  if (!box.stale) return box;
  const Point* p = points_.data() + static_cast<std::size_t>(block) * kBlock;
  box = {p[0].x, p[0].x, p[0].y, p[0].y, false};
  for (int i = 1; i < kBlock; ++i) {
    box.xmin = std::min(box.xmin, p[i].x);
    box.xmax = std::max(box.xmax, p[i].x);
    box.ymin = std::min(box.ymin, p[i].y);
    box.ymax = std::max(box.ymax, p[i].y);
  }
  return box;
}

void BorderRing::FindVisiblePart(const Point& pk, int& jmin, int& jmax) {
  const Point& s0 = points_[first_];
  jmin = 0;
  jmax = 0;
  double dxn = s0.x - pk.x, dyn = s0.y - pk.y;
  double dxx = dxn, dyx = dyn;
  double qn = dxn * dxn + dyn * dyn;
  double qx = qn;
  double an = qn * kCollinearRatio;
  double ax = an;
  int j = 1;
  while (j < count_) {
    const int p = Physical(j);
    if (p % kBlock == 0 && j + kBlock <= count_) {
      // A whole block lies strictly counter-clockwise of the most clockwise
      // point so far and strictly clockwise of the most counter-clockwise
      // one, beyond the near-collinearity bands: none of its points can
      // become either, so the references stay as they are.
      const Box& box = BlockBox(p / kBlock);
      const double dxlo = box.xmin - pk.x, dxhi = box.xmax - pk.x;
      const double dylo = box.ymin - pk.y, dyhi = box.ymax - pk.y;
      if (CrossRange(dxlo, dxhi, dylo, dyhi, dxn, dyn).lo > an &&
          CrossRange(dxlo, dxhi, dylo, dyhi, dxx, dyx).hi < -ax) {
        j += kBlock;
        continue;
      }
    }
    ++scanned_;
    const Point& s = points_[p];
    const double dx = s.x - pk.x;
    const double dy = s.y - pk.y;
    const double q = dx * dx + dy * dy;
    double t = dy * dxn - dx * dyn;
    if (t <= an && (t < -an || q < qn)) {
      jmin = j;
      dxn = dx;
      dyn = dy;
      qn = q;
      an = q * kCollinearRatio;
    }
    t = dy * dxx - dx * dyx;
    if (t >= -ax && (t > ax || q < qx)) {
      jmax = j;
      dxx = dx;
      dyx = dy;
      qx = q;
      ax = q * kCollinearRatio;
    }
    ++j;
  }
}

}  // namespace meshinterp
