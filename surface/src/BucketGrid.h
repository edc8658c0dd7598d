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
#include "KeptStorage.h"

namespace meshinterp {

class BucketGrid {
 public:
  BucketGrid(std::span<const Point> points, double pointsPerBucket);

  // Calls visit(j) for the points in rings of buckets around `query`, ring
  // after ring, and stops before a ring whose points all lie farther than
  // bound() (squared); bound() is asked again before every ring and every
  // bucket, and a bucket whose points all lie farther is passed over.
  template <class Visit, class Bound>
  void Search(const Point& query, Visit&& visit, Bound&& bound) const;

  // Calls pair(i, j) once for every two points that lie in one bucket or in
  // neighbouring ones (sides or corners touching), until it returns false.
  template <class Pair>
  void VisitNeighbourPairs(Pair&& pair) const;
  // A lower bound of the squared distance between two points whose buckets
  // are not neighbours.
  double FartherBucketsLowerBound() const { return RingLowerBound(2); }

  int Columns() const { return columns_; }
  int Rows() const { return rows_; }

 private:
  int ColumnOf(double x) const;
  int RowOf(double y) const;
  // A lower bound of the squared distance from a point in bucket ring 0 to
  // any point in ring r or beyond, kept below the true value with a margin
  // that covers the rounding of bucket indices and distances.
  double RingLowerBound(int ring) const;
  // A lower bound of the distance along one axis from the query, at `offset`
  // from the start of its bucket `queryCell`, to any point in bucket `cell`,
  // kept below the true value by the same margin.
  double GapLowerBound(int cell, int queryCell, double offset) const {
    if (cell == queryCell) return 0;
    const double gap = cell > queryCell ? (cell - queryCell) * size_ - offset : offset + (queryCell - cell - 1) * size_;
    return std::max(0.0, gap - kRingMargin * size_);
  }
  // Buckets' distances are bounded with this relative margin, far above the
  // rounding of bucket indices (at most kMaxBuckets per axis) and distances.
  static constexpr double kRingMargin = 1e-6;
  template <class Visit>
  void VisitBucket(int column, int row, Visit& visit) const;

  double originX_ = 0;
  double originY_ = 0;
  double size_ = 1;
  int columns_ = 1;
  int rows_ = 1;
  KeptVector<int> bucketStart_;  // rows_ * columns_ + 1 offsets into members_
  KeptVector<int> members_;
};

template <class Visit>
void BucketGrid::VisitBucket(int column, int row, Visit& visit) const {
  const int bucket = row * columns_ + column;
  for (int k = bucketStart_[bucket]; k < bucketStart_[bucket + 1]; ++k) visit(members_[k]);
}

template <class Pair>
void BucketGrid::VisitNeighbourPairs(Pair&& pair) const {
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) {
      const int bucket = row * columns_ + column;
      const int begin = bucketStart_[bucket], end = bucketStart_[bucket + 1];
      if (begin == end) continue;
      for (int a = begin; a < end; ++a) {
        for (int b = a + 1; b < end; ++b) {
          if (!pair(members_[a], members_[b])) return;
        }
      }
      // The neighbours ahead: to the right, and the three in the next row.
      const int ahead[4][2] = {{column + 1, row}, {column - 1, row + 1}, {column, row + 1}, {column + 1, row + 1}};
      for (const auto& [x, y] : ahead) {
        if (x < 0 || x >= columns_ || y >= rows_) continue;
        const int other = y * columns_ + x;
        for (int a = begin; a < end; ++a) {
          for (int b = bucketStart_[other]; b < bucketStart_[other + 1]; ++b) {
            if (!pair(members_[a], members_[b])) return;
          }
        }
      }
    }
  }
}

template <class Visit, class Bound>
void BucketGrid::Search(const Point& query, Visit&& visit, Bound&& bound) const {
  const int cx = ColumnOf(query.x);
  const int cy = RowOf(query.y);
  const int lastRing = std::max({cx, columns_ - 1 - cx, cy, rows_ - 1 - cy});
  VisitBucket(cx, cy, visit);
  if (lastRing == 0) return;
  // The query's offsets within its bucket (the bucket size is finite when
  // there is more than one bucket).
  const double fx = (query.x - originX_) - cx * size_;
  const double fy = (query.y - originY_) - cy * size_;
  auto visitNear = [&](int x, int y) {
    const double gx = GapLowerBound(x, cx, fx);
    const double gy = GapLowerBound(y, cy, fy);
    if ((gx * gx + gy * gy) * (1 - kRingMargin) > bound()) return;
    VisitBucket(x, y, visit);
  };
  for (int ring = 1; ring <= lastRing; ++ring) {
    if (RingLowerBound(ring) > bound()) return;
    const int x0 = std::max(cx - ring, 0);
    const int x1 = std::min(cx + ring, columns_ - 1);
    if (cy - ring >= 0) {
      for (int x = x0; x <= x1; ++x) visitNear(x, cy - ring);
    }
    if (cy + ring < rows_) {
      for (int x = x0; x <= x1; ++x) visitNear(x, cy + ring);
    }
    const int y0 = std::max(cy - ring + 1, 0);
    const int y1 = std::min(cy + ring - 1, rows_ - 1);
    for (int y = y0; y <= y1; ++y) {
      if (cx - ring >= 0) visitNear(cx - ring, y);
      if (cx + ring < columns_) visitNear(cx + ring, y);
    }
  }
}

}  // namespace meshinterp
