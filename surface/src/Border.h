// The border of a growing triangulation as a ring of segment start points,
// turned by moving the shorter part only, and the search for the part of it
// that a new point sees. The search gives exactly the result of the plain
// scan over every border point: it either proves that a result found near
// the ends of the ring is the scan's result, or scans, skipping only blocks
// of points that provably cannot change that result.
#pragma once

#include <vector>

#include "Geometry.h"
#include "KeptStorage.h"

namespace meshinterp {

class BorderRing {
 public:
  // Room for a border of up to `capacity` segments.
  explicit BorderRing(int capacity);

  int Count() const { return count_; }
  int Start(int j) const { return starts_[Physical(j)]; }

  // Segment j becomes segment 0; the order is otherwise kept. Copies the
  // shorter of the two parts across the ring's free room.
  void Turn(int j);
  // Keeps the first `count` segments.
  void Truncate(int count) { count_ = count; }
  void Push(int start, const Point& point);

  // The result of the visibility scan of point pk from segment 0 to the
  // last: jmin is the last start point that is the most clockwise seen from
  // pk (ties within 1e-6 of the squared distance go to the nearer point),
  // jmax the most counter-clockwise one in the same way.
  void FindVisiblePart(const Point& pk, int& jmin, int& jmax);

  // Border points looked at one by one in all searches so far, and the
  // searches that scanned the whole border (for profiling and tests).
  long long ScannedPoints() const { return scanned_; }
  long long FullScans() const { return fullScans_; }

 private:
  static constexpr int kBlock = 32;
  struct Box {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    // All points on one horizontal line with x strictly monotone (a row
    // of a pseudo-section): the smallest step in x between neighbours.
    bool row = false;
    double smallestStep = 0;
    bool stale = true;
  };
  // The references of the scan: the most clockwise point so far (n) and
  // the most counter-clockwise one (x), with their differences from the
  // new point, squared distances and near-collinearity bands.
  struct Reference {
    int j;
    double dx, dy, q, band;
  };
  void Step(const Point& pk, int j, Reference& n, Reference& x) {
    ++scanned_;
    StepAt(pk, j, Physical(j), n, x);
  }
  // The step for segment j at ring place `place`, without counting it.
  void StepAt(const Point& pk, int j, int place, Reference& n, Reference& x) const {
    const Point& s = points_[place];
    const double dx = s.x - pk.x;
    const double dy = s.y - pk.y;
    const double q = dx * dx + dy * dy;
    double t = dy * n.dx - dx * n.dy;
    if (t <= n.band && (t < -n.band || q < n.q)) n = {j, dx, dy, q, q * kCollinearRatio};
    t = dy * x.dx - dx * x.dy;
    if (t >= -x.band && (t > x.band || q < x.q)) x = {j, dx, dy, q, q * kCollinearRatio};
  }
  // The plain scan, passing over blocks that cannot change its result.
  void ScanVisiblePart(const Point& pk, int& jmin, int& jmax);
  // After its first point made the block's first reference, whether every
  // later point of the row is certain to take over from its predecessor
  // beyond the band; `sign` is +1 for counter-clockwise, -1 for clockwise.
  static bool RowTakesOver(const Box& box, const Point& pk, const Point& first, int sign);

  // The scan restricted to the first and last kEndPoints segments gives
  // candidates n and x. Whatever the order of the scan, n ends as its most
  // clockwise reference when every other point, met with n as reference,
  // leaves it, and met as reference, gives way to n; likewise x. These
  // proofs go over the largest aligned blocks of 8 to 512 ring places (each
  // level twice the size of the one below) that fit, halving a block that
  // is too close to a candidate, point by point below 8 places.
  static constexpr int kEndPoints = 8;
  static constexpr int kFine = 8;
  static constexpr int kLevels = 7;  // blocks of kFine << level places
  static constexpr int kHuge = kFine << (kLevels - 1);
  struct Bounds {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool stale = true;
  };
  // The candidates of one search with the margins of their box bounds,
  // taken once for every box from the extent of all points pushed so far.
  struct Candidates {
    Point pk;
    Reference n, x;
    double marginN, marginX;
  };
  bool ProvesCandidates(const Point& pk, const Reference& n, const Reference& x);
  bool ProvesWithin(const Candidates& c, int from, int to);
  // Block `block` of the level (its places from block * (kFine << level)).
  bool ProvesBlock(const Candidates& c, int level, int block);
  bool ProvesPoint(const Candidates& c, int place) const;
  bool ProvesBox(const Candidates& c, const Bounds& box) const;
  const Bounds& BlockBounds(int level, int block);
  void MarkStale(int place) {
    boxes_[place / kBlock].stale = true;
    for (int level = 0; level < kLevels; ++level) bounds_[level][place / (kFine << level)].stale = true;
  }

  // Ring position of segment j, for -capacity < j < 2 capacity (turning a
  // nearly full ring copies up to half of it behind its last segment).
  int Physical(int j) const {
    int p = first_ + j;
    if (p >= capacity_) p -= capacity_;
    if (p >= capacity_) p -= capacity_;
    if (p < 0) p += capacity_;
    return p;
  }
  void Copy(int from, int to);
  const Box& BlockBox(int block);

  int capacity_;
  int first_ = 0;
  int count_ = 0;
  KeptVector<int> starts_;
  KeptVector<Point> points_;
  KeptVector<Box> boxes_;
  KeptVector<Bounds> bounds_[kLevels];  // per block of kFine << level ring places
  Bounds pushed_;               // extent of every point pushed so far
  long long scanned_ = 0;
  long long fullScans_ = 0;
};

}  // namespace meshinterp
