// A uniform grid of square buckets over a set of points, searched ring by
// ring around a query point. The search visits every point whose squared
// distance (as computed by SquaredDistance) could be at most the current
// bound, so callers that filter the visited points exactly get the same
// answer as a scan over all points.
#pragma once

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "Geometry.h"

namespace meshinterp {

class BucketGrid {
 public:
  BucketGrid(std::span<const Point> points, double pointsPerBucket);

  // Calls visit(j) for the points in rings of buckets around `query`, ring
  // after ring, and stops before a ring whose points all lie farther than
  // bound() (squared); bound() is asked again before every ring.
  template <class Visit, class Bound>
  void Search(const Point& query, Visit&& visit, Bound&& bound) const;

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }

 private:
  int ColumnOf(double x) const;
  int RowOf(double y) const;
  // A lower bound of the squared distance from a point in bucket ring 0 to
  // any point in ring r or beyond, kept below the true value with a margin
  // that covers the rounding of bucket indices and distances.
  double RingLowerBound(int ring) const;
  template <class Visit>
  void VisitBucket(int column, int row, Visit& visit) const;

  double originX_ = 0;
  double originY_ = 0;
  double size_ = 1;
  int columns_ = 1;
  int rows_ = 1;
  std::vector<int> bucketStart_;  // rows_ * columns_ + 1 offsets into members_
  std::vector<int> members_;
};

template <class Visit>
void BucketGrid::VisitBucket(int column, int row, Visit& visit) const {
  const int bucket = row * columns_ + column;
  for (int k = bucketStart_[bucket]; k < bucketStart_[bucket + 1]; ++k) visit(members_[k]);
}

template <class Visit, class Bound>
void BucketGrid::Search(const Point& query, Visit&& visit, Bound&& bound) const {
  const int cx = ColumnOf(query.x);
  const int cy = RowOf(query.y);
  const int lastRing = std::max({cx, columns_ - 1 - cx, cy, rows_ - 1 - cy});
  for (int ring = 0; ring <= lastRing; ++ring) {
    if (RingLowerBound(ring) > bound()) return;
    if (ring == 0) {
      VisitBucket(cx, cy, visit);
      continue;
    }
    const int x0 = std::max(cx - ring, 0);
    const int x1 = std::min(cx + ring, columns_ - 1);
    if (cy - ring >= 0) {
      for (int x = x0; x <= x1; ++x) VisitBucket(x, cy - ring, visit);
    }
    if (cy + ring < rows_) {
      for (int x = x0; x <= x1; ++x) VisitBucket(x, cy + ring, visit);
    }
    const int y0 = std::max(cy - ring + 1, 0);
    const int y1 = std::min(cy + ring - 1, rows_ - 1);
    for (int y = y0; y <= y1; ++y) {
      if (cx - ring >= 0) VisitBucket(cx - ring, y, visit);
      if (cx + ring < columns_) VisitBucket(cx + ring, y, visit);
    }
  }
}

}  // namespace meshinterp
