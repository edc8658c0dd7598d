// The border of a growing triangulation as a ring of segment start points,
// turned by moving the shorter part only, and the search for the part of it that a new point
// sees. The search gives exactly the result of the plain scan over every
// border point; it only skips blocks of points that provably cannot change
// that result.
#pragma once

#include <vector>

#include "Geometry.h"

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

  // The visibility scan of point pk from segment 0 to the last: jmin is the
  // last start point that is the most clockwise seen from pk (ties within
  // 1e-6 of the squared distance go to the nearer point), jmax the most
  // counter-clockwise one in the same way.
  void FindVisiblePart(const Point& pk, int& jmin, int& jmax);

  // Border points looked at one by one in all scans so far (for profiling).
  long long ScannedPoints() const { return scanned_; }

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
  void Step(const Point& pk, int j, Reference& n, Reference& x);
  // After its first point made the block's first reference, whether every
  // later point of the row is certain to take over from its predecessor
  // beyond the band; `sign` is +1 for counter-clockwise, -1 for clockwise.
  static bool RowTakesOver(const Box& box, const Point& pk, const Point& first, int sign);

  // Ring position of segment j, for -capacity < j < capacity.
  int Physical(int j) const {
    int p = first_ + j;
    if (p >= capacity_) p -= capacity_;
    if (p < 0) p += capacity_;
    return p;
  }
  void Copy(int from, int to);
  const Box& BlockBox(int block);

  int capacity_;
  int first_ = 0;
  int count_ = 0;
  std::vector<int> starts_;
  std::vector<Point> points_;
  std::vector<Box> boxes_;
  long long scanned_ = 0;
};

}  // namespace meshinterp
