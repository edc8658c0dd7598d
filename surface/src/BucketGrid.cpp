#include "BucketGrid.h"

#include <limits>

namespace meshinterp {
namespace {

// Buckets smaller than this would put the ring bounds near the range of
// subnormal squares; such point sets use one bucket.
constexpr double kSmallestBucket = 1e-140;
constexpr double kLargestExtent = 1e140;
// Bounds the rounding error of bucket indices far below kRingMargin.
constexpr double kMaxBuckets = 4e6;

}  // namespace

BucketGrid::BucketGrid(std::span<const Point> points, double pointsPerBucket) {
  const int n = static_cast<int>(points.size());
  if (n > 0) {
    const auto [xmin, xmax, ymin, ymax] = ExtentOf(points);
    const double width = xmax - xmin;
    const double height = ymax - ymin;
    const double target = std::clamp(n / pointsPerBucket, 1.0, kMaxBuckets / 4);
    double size = std::max(std::sqrt(width * height / target), std::max(width, height) / target);
    const bool usable = std::isfinite(width) && std::isfinite(height) && std::isfinite(size) &&
                        width <= kLargestExtent && height <= kLargestExtent && size >= kSmallestBucket;
    if (usable) {
      originX_ = xmin;
      originY_ = ymin;
      size_ = size;
      columns_ = static_cast<int>(std::min(std::floor(width / size) + 1, kMaxBuckets));
      rows_ = static_cast<int>(std::min(std::floor(height / size) + 1, kMaxBuckets));
      if (static_cast<double>(columns_) * rows_ > kMaxBuckets) columns_ = rows_ = 1;
    }
    if (columns_ == 1 && rows_ == 1) size_ = std::numeric_limits<double>::infinity();
  }

  const int buckets = columns_ * rows_;
  bucketStart_.assign(static_cast<std::size_t>(buckets) + 1, 0);
  KeptVector<int> bucketOf(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    bucketOf[i] = RowOf(points[i].y) * columns_ + ColumnOf(points[i].x);
    ++bucketStart_[bucketOf[i] + 1];
  }
  for (int b = 0; b < buckets; ++b) bucketStart_[b + 1] += bucketStart_[b];
  members_.resize(static_cast<std::size_t>(n));
  KeptVector<int> fill(bucketStart_.begin(), bucketStart_.end() - 1);
  for (int i = 0; i < n; ++i) members_[fill[bucketOf[i]]++] = i;
}

int BucketGrid::ColumnOf(double x) const {
  if (columns_ == 1) return 0;
  const double c = std::floor((x - originX_) / size_);
  return static_cast<int>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

int BucketGrid::RowOf(double y) const {
  if (rows_ == 1) return 0;
  const double r = std::floor((y - originY_) / size_);
  return static_cast<int>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
}

double BucketGrid::RingLowerBound(int ring) const {
  // A point in ring r lies at least (r - 1) bucket sizes away along one axis,
  // less the rounding of the indices.
  if (ring < 2) return 0;
  const double gap = (ring - 1) * size_ * (1 - kRingMargin);
  return gap * gap * (1 - kRingMargin);
}

}  // namespace meshinterp
