#include "Border.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>

#include "CrossBounds.h"

namespace meshinterp {

BorderRing::BorderRing(int capacity)
    : capacity_(std::max(kHuge, (capacity + kHuge - 1) / kHuge * kHuge)),
      starts_(static_cast<std::size_t>(capacity_)),
      points_(static_cast<std::size_t>(capacity_)),
      boxes_(static_cast<std::size_t>(capacity_ / kBlock)) {
  for (int level = 0; level < kLevels; ++level) bounds_[level].resize(static_cast<std::size_t>(capacity_ / (kFine << level)));
}

void BorderRing::Push(int start, const Point& point) {
  const int p = Physical(count_);
  starts_[p] = start;
  points_[p] = point;
  MarkStale(p);
  if (count_ == 0 && pushed_.stale) pushed_ = {point.x, point.x, point.y, point.y, false};
  pushed_.xmin = std::min(pushed_.xmin, point.x);
  pushed_.xmax = std::max(pushed_.xmax, point.x);
  pushed_.ymin = std::min(pushed_.ymin, point.y);
  pushed_.ymax = std::max(pushed_.ymax, point.y);
  ++count_;
}

void BorderRing::Copy(int from, int to) {
  starts_[to] = starts_[from];
  points_[to] = points_[from];
  MarkStale(to);
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
  box = Box{};
  box.xmin = box.xmax = p[0].x;
  box.ymin = box.ymax = p[0].y;
  box.stale = false;
  bool increasing = true, decreasing = true;
  box.smallestStep = std::numeric_limits<double>::infinity();
  for (int i = 1; i < kBlock; ++i) {
    box.xmin = std::min(box.xmin, p[i].x);
    box.xmax = std::max(box.xmax, p[i].x);
    box.ymin = std::min(box.ymin, p[i].y);
    box.ymax = std::max(box.ymax, p[i].y);
    increasing = increasing && p[i].x > p[i - 1].x;
    decreasing = decreasing && p[i].x < p[i - 1].x;
    box.smallestStep = std::min(box.smallestStep, std::fabs(p[i].x - p[i - 1].x));
  }
  box.row = box.ymin == box.ymax && (increasing || decreasing);
  return box;
}

bool BorderRing::RowTakesOver(const Box& box, const Point& pk, const Point& first, int sign) {
  // Between neighbours on the row, t = dy (dx_before - dx) exactly, with dy
  // the row's common difference; bound it from below against rounding and
  // compare with the largest band a point of the block can have.
  const double dy = box.ymin - pk.y;
  const double mx = std::max(std::fabs(box.xmin - pk.x), std::fabs(box.xmax - pk.x));
  const double step = box.smallestStep - 16 * kEpsilon * mx;
  if (!(step > 0)) return false;
  // Moving along the row, x goes the way of its second point.
  const double direction = box.xmax == first.x ? -1.0 : 1.0;  // +1: x increases along the block
  // t = dy * (x_before - x) has the sign of -dy * direction.
  if (-dy * direction * sign <= 0) return false;
  const double smallestT = std::fabs(dy) * step - 16 * kEpsilon * std::fabs(dy) * mx - 16 * DBL_MIN;
  const double largestBand = (mx * mx + dy * dy) * (1 + 16 * kEpsilon) * kCollinearRatio;
  return smallestT > largestBand;
}

void BorderRing::ScanVisiblePart(const Point& pk, int& jmin, int& jmax) {
  ++fullScans_;
  const Point& s0 = points_[first_];
  const double dx0 = s0.x - pk.x, dy0 = s0.y - pk.y;
  const double q0 = dx0 * dx0 + dy0 * dy0;
  Reference n{0, dx0, dy0, q0, q0 * kCollinearRatio};
  Reference x = n;
  int j = 1;
  while (j < count_) {
    const int p = Physical(j);
    if (p % kBlock != 0 || j + kBlock > count_) {
      Step(pk, j, n, x);
      ++j;
      continue;
    }
    // A point becomes the most clockwise one when it lies clockwise of
    // the present one beyond the near-collinearity band, or within the
    // band and nearer; likewise counter-clockwise. A block none of whose
    // points can do either leaves both as they are.
    const Box& box = BlockBox(p / kBlock);
    const double dxlo = box.xmin - pk.x, dxhi = box.xmax - pk.x;
    const double dylo = box.ymin - pk.y, dyhi = box.ymax - pk.y;
    const Range tn = CrossRange(dxlo, dxhi, dylo, dyhi, n.dx, n.dy);
    const Range tx = CrossRange(dxlo, dxhi, dylo, dyhi, x.dx, x.dy);
    const double q = NearestSquaredDistance(dxlo, dxhi, dylo, dyhi);
    const bool keepsN = tn.lo > n.band || (tn.lo > -n.band && q >= n.q);
    const bool keepsX = tx.hi < -x.band || (tx.hi <= x.band && q >= x.q);
    if (keepsN && keepsX) {
      j += kBlock;
      continue;
    }
    // A row that turns steadily one way as seen from pk: once its first
    // point has become the reference on that side, each later point takes
    // over from its predecessor, and none can change the other side.
    if (box.row) {
      const Point& first = points_[p];
      Step(pk, j, n, x);
      const Point* last = &points_[p + kBlock - 1];
      if (x.j == j && n.j != j && keepsN && RowTakesOver(box, pk, first, +1)) {
        const double dx = last->x - pk.x, dy = last->y - pk.y;
        const double ql = dx * dx + dy * dy;
        x = {j + kBlock - 1, dx, dy, ql, ql * kCollinearRatio};
        j += kBlock;
        continue;
      }
      if (n.j == j && x.j != j && keepsX && RowTakesOver(box, pk, first, -1)) {
        const double dx = last->x - pk.x, dy = last->y - pk.y;
        const double ql = dx * dx + dy * dy;
        n = {j + kBlock - 1, dx, dy, ql, ql * kCollinearRatio};
        j += kBlock;
        continue;
      }
      ++j;
      continue;
    }
    Step(pk, j, n, x);
    ++j;
  }
  jmin = n.j;
  jmax = x.j;
}

}  // namespace meshinterp
