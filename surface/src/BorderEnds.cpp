// The visible part of the border found near the ends of the ring, with a
// proof that the plain scan over the whole ring ends with the same two
// references. Points are inserted in order of their distance from the
// centre, and the border keeps the last visible part at its ends, so the
// next visible part almost always lies within a few places of them.
#include "Border.h"

#include <algorithm>
#include <cmath>

#include "CrossBounds.h"

namespace meshinterp {
namespace {

// Whether every point of the box lies on the axis-parallel line through pk
// on which the reference lies too: then t is exactly 0 for each pair, and
// only the squared distances decide.
bool OnTheReferenceLine(double dxlo, double dxhi, double dylo, double dyhi, double rx, double ry) {
  const bool finite = std::isfinite(dxlo) && std::isfinite(dxhi) && std::isfinite(dylo) && std::isfinite(dyhi) &&
                      std::isfinite(rx) && std::isfinite(ry);
  return finite && ((dylo == 0 && dyhi == 0 && ry == 0) || (dxlo == 0 && dxhi == 0 && rx == 0));
}

}  // namespace

void BorderRing::FindVisiblePart(const Point& pk, int& jmin, int& jmax) {
  if (count_ <= 2 * kEndPoints + kFine) {
    ScanVisiblePart(pk, jmin, jmax);
    return;
  }
  const Point& s0 = points_[first_];
  const double dx0 = s0.x - pk.x, dy0 = s0.y - pk.y;
  const double q0 = dx0 * dx0 + dy0 * dy0;
  Reference n{0, dx0, dy0, q0, q0 * kCollinearRatio};
  Reference x = n;
  for (int j = 1; j < kEndPoints; ++j) StepAt(pk, j, Physical(j), n, x);
  for (int j = count_ - kEndPoints; j < count_; ++j) StepAt(pk, j, Physical(j), n, x);
  scanned_ += 2 * kEndPoints - 1;
  if (ProvesCandidates(pk, n, x)) {
    jmin = n.j;
    jmax = x.j;
    return;
  }
  ScanVisiblePart(pk, jmin, jmax);
}

// The scan takes a point s over the reference r when, with
// t = dy_s dx_r - dx_s dy_r, t <= band_r and (t < -band_r or q_s < q_r) on
// the clockwise side, t >= -band_r and (t > band_r or q_s < q_r) on the
// counter-clockwise side. A candidate is proved when no other point takes
// over from it and it takes over from every other point: then the scan,
// which meets it with some other point as reference (or starts with it),
// keeps it to the end.
bool BorderRing::ProvesCandidates(const Point& pk, const Reference& n, const Reference& x) {
  const double dxlo = pushed_.xmin - pk.x, dxhi = pushed_.xmax - pk.x;
  const double dylo = pushed_.ymin - pk.y, dyhi = pushed_.ymax - pk.y;
  const Candidates c{pk, n, x, CrossMargin(dxlo, dxhi, dylo, dyhi, n.dx, n.dy),
                     CrossMargin(dxlo, dxhi, dylo, dyhi, x.dx, x.dy)};
  const int end = first_ + count_;
  if (end <= capacity_) return ProvesWithin(c, first_, end);
  return ProvesWithin(c, first_, capacity_) && ProvesWithin(c, 0, end - capacity_);
}

bool BorderRing::ProvesWithin(const Candidates& c, int from, int to) {
  int p = from;
  while (p < to) {
    if (p % kFine != 0 || p + kFine > to) {
      if (!ProvesPoint(c, p)) return false;
      ++p;
      continue;
    }
    int level = kLevels - 1;
    while (level > 0 && (p % (kFine << level) != 0 || p + (kFine << level) > to)) --level;
    if (!ProvesBlock(c, level, p / (kFine << level))) return false;
    p += kFine << level;
  }
  return true;
}

bool BorderRing::ProvesBlock(const Candidates& c, int level, int block) {
  if (ProvesBox(c, BlockBounds(level, block))) return true;
  if (level == 0) {
    for (int place = block * kFine; place < (block + 1) * kFine; ++place) {
      if (!ProvesPoint(c, place)) return false;
    }
    return true;
  }
  return ProvesBlock(c, level - 1, 2 * block) && ProvesBlock(c, level - 1, 2 * block + 1);
}

bool BorderRing::ProvesPoint(const Candidates& c, int place) const {
  // The same expressions as the scan's, so the same rounded values.
  const Point& s = points_[place];
  const double dx = s.x - c.pk.x;
  const double dy = s.y - c.pk.y;
  const double q = dx * dx + dy * dy;
  const double band = q * kCollinearRatio;
  const int j = place - first_ >= 0 ? place - first_ : place - first_ + capacity_;
  const Reference& n = c.n;
  const Reference& x = c.x;
  if (j != n.j) {
    const double t = dy * n.dx - dx * n.dy;        // s met with n as reference
    const double reverse = n.dy * dx - n.dx * dy;  // n met with s as reference
    const bool leaves = t > n.band || (t >= -n.band && q >= n.q);
    const bool givesWay = reverse <= band && (reverse < -band || n.q < q);
    if (!(leaves && givesWay)) return false;
  }
  if (j != x.j) {
    const double t = dy * x.dx - dx * x.dy;
    const double reverse = x.dy * dx - x.dx * dy;
    const bool leaves = t < -x.band || (t <= x.band && q >= x.q);
    const bool givesWay = reverse >= -band && (reverse > band || x.q < q);
    if (!(leaves && givesWay)) return false;
  }
  return true;
}

// The box holds neither candidate when this holds: each side's condition
// fails at the candidate itself (t = 0, equal squared distance). The
// largest band of a point of the box bounds every point's band; t with a
// point of the box as reference is the negated t of the other order up to
// rounding, which the margin covers.
bool BorderRing::ProvesBox(const Candidates& c, const Bounds& box) const {
  const double dxlo = box.xmin - c.pk.x, dxhi = box.xmax - c.pk.x;
  const double dylo = box.ymin - c.pk.y, dyhi = box.ymax - c.pk.y;
  const Reference& n = c.n;
  const double tn = (n.dx >= 0 ? dylo : dyhi) * n.dx - (n.dy >= 0 ? dxhi : dxlo) * n.dy - c.marginN;
  const Reference& x = c.x;
  const double tx = (x.dx >= 0 ? dyhi : dylo) * x.dx - (x.dy >= 0 ? dxlo : dxhi) * x.dy + c.marginX;
  const double band = FarthestSquaredDistance(dxlo, dxhi, dylo, dyhi) * kCollinearRatio;
  // The usual case first: the box lies clear of both references' lines.
  if (tn > n.band && tn > band && tx < -x.band && tx < -band) return true;
  if (!(tn > n.band && tn > band) &&
      !(OnTheReferenceLine(dxlo, dxhi, dylo, dyhi, n.dx, n.dy) && NearestSquaredDistance(dxlo, dxhi, dylo, dyhi) > n.q)) {
    return false;
  }
  return (tx < -x.band && tx < -band) ||
         (OnTheReferenceLine(dxlo, dxhi, dylo, dyhi, x.dx, x.dy) && NearestSquaredDistance(dxlo, dxhi, dylo, dyhi) > x.q);
}

const BorderRing::Bounds& BorderRing::BlockBounds(int level, int block) {
  Bounds& box = bounds_[level][block];
  if (!box.stale) return box;
  if (level == 0) {
    const Point* p = points_.data() + static_cast<std::size_t>(block) * kFine;
    box = {p[0].x, p[0].x, p[0].y, p[0].y, false};
    for (int i = 1; i < kFine; ++i) {
      box.xmin = std::min(box.xmin, p[i].x);
      box.xmax = std::max(box.xmax, p[i].x);
      box.ymin = std::min(box.ymin, p[i].y);
      box.ymax = std::max(box.ymax, p[i].y);
    }
    return box;
  }
  const Bounds& a = BlockBounds(level - 1, 2 * block);
  const Bounds& b = BlockBounds(level - 1, 2 * block + 1);
  box = {std::min(a.xmin, b.xmin), std::max(a.xmax, b.xmax), std::min(a.ymin, b.ymin), std::max(a.ymax, b.ymax), false};
  return box;
}

}  // namespace meshinterp
