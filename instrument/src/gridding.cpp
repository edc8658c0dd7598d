// do_approximation: distance-weighted gridding of scattered values.
//
// The grid spans the bounding box of the points. Every point spreads its value
// over the nodes around its home node with a weight that falls linearly with
// the city-block distance and reaches zero at the radius; each node ends as the
// weighted mean of what reached it, or 0 when nothing did.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "vesk_pro.h"

namespace {

constexpr int32_t kSuccess = 1;
constexpr int32_t kFailure = 0;
constexpr int32_t kMinPointCount = 4;
constexpr int32_t kMinNodeCount = 2;
// Lifts a coordinate that lies on a node but computes a hair below it.
constexpr double kHomeNodeOffset = 1e-6;

struct Grid {
  double xMin;
  double yMin;
  double dx;
  double dy;
  int64_t columns;
  int64_t rows;
};

bool IsPositiveFinite(double value) { return value > 0.0 && std::isfinite(value); }

// The grid over the points' bounding box, or nothing when the box is flat in
// x or y, or when a coordinate or a node step is not a finite number.
std::optional<Grid> GridOverPoints(int32_t pointCount, const double* x, const double* y, int32_t columns,
                                   int32_t rows) {
  double xMin = x[0];
  double xMax = x[0];
  double yMin = y[0];
  double yMax = y[0];
  for (int32_t i = 0; i < pointCount; ++i) {
    if (!std::isfinite(x[i]) || !std::isfinite(y[i])) return std::nullopt;
    xMin = std::min(xMin, x[i]);
    xMax = std::max(xMax, x[i]);
    yMin = std::min(yMin, y[i]);
    yMax = std::max(yMax, y[i]);
  }
  if (xMin == xMax || yMin == yMax) return std::nullopt;
  const Grid grid{xMin, yMin, (xMax - xMin) / (columns - 1), (yMax - yMin) / (rows - 1), columns, rows};
  if (!IsPositiveFinite(grid.dx) || !IsPositiveFinite(grid.dy)) return std::nullopt;
  return grid;
}

// Index of the node at or just below the coordinate. The coordinate lies in
// the bounding box, so the index is within the grid; the clamp only keeps the
// conversion defined whatever rounding does.
int64_t HomeIndex(double coordinate, double minimum, double step, int64_t nodeCount) {
  const double index = std::trunc((coordinate - minimum) / step + kHomeNodeOffset);
  return static_cast<int64_t>(std::clamp(index, 0.0, static_cast<double>(nodeCount - 1)));
}

// The weights a point gives the nodes around its home node. They depend on
// the offsets alone, so they are worked out once per call, with the same
// arithmetic as for each node. Row offsets run from -trunc(reach) up to
// reach + 1 and column offsets from -kmax to kmax; the window is clamped to
// what a grid of this size can hold, which keeps it bounded for any reach.
// Along a row the distance grows with |k|, so the nodes closer than the
// radius are one run -limit .. limit. Expects reach > 0.
class SpreadWindow {
 public:
  // Without Build the window reaches no node.
  void Build(const Grid& grid, double reach, double radius) {
    firstRow_ = static_cast<int64_t>(std::max(-std::trunc(reach), static_cast<double>(1 - grid.rows)));
    lastRow_ = static_cast<int64_t>(std::min(std::floor(reach + 1.0), static_cast<double>(grid.rows - 1)));
    maxColumn_ = grid.columns - 1;
    for (int64_t j = firstRow_; j <= lastRow_; ++j) {
      const auto rowOffset = static_cast<double>(j < 0 ? -j : j);
      const double kMax = std::trunc(reach + 1.0 - rowOffset);
      std::vector<double> half;  // weights of column offsets 0, 1, ... while within the radius
      for (int64_t k = 0; kMax >= 0.0 && k <= maxColumn_ && static_cast<double>(k) <= kMax; ++k) {
        const double distance = rowOffset * grid.dy + static_cast<double>(k) * grid.dx;
        if (!(distance < radius)) break;
        half.push_back(1.0 - distance / radius);
      }
      const auto limit = static_cast<int64_t>(half.size()) - 1;
      std::vector<double> row(half.empty() ? 0 : 2 * half.size() - 1);
      for (int64_t k = 0; k <= limit; ++k) {
        row[static_cast<std::size_t>(limit + k)] = half[static_cast<std::size_t>(k)];
        row[static_cast<std::size_t>(limit - k)] = half[static_cast<std::size_t>(k)];
      }
      limits_.push_back(limit);
      weights_.push_back(std::move(row));
    }
  }

  // Adds the weighted value of one point to the nodes around its home node
  // that lie in grid rows bandFirst .. bandLast.
  void Spread(const Grid& grid, int64_t homeRow, int64_t homeColumn, double value, int64_t bandFirst,
              int64_t bandLast, double* sums, double* weights) const {
    const int64_t firstRow = std::max(firstRow_, bandFirst - homeRow);
    const int64_t lastRow = std::min(lastRow_, bandLast - homeRow);
    for (int64_t j = firstRow; j <= lastRow; ++j) {
      const auto rowIndex = static_cast<std::size_t>(j - firstRow_);
      const int64_t limit = limits_[rowIndex];
      if (limit < 0) continue;  // no node of this row is closer than the radius
      const int64_t firstColumn = std::max(-limit, -homeColumn);
      const int64_t lastColumn = std::min(limit, grid.columns - 1 - homeColumn);
      const double* rowWeights = weights_[rowIndex].data() + limit;
      const auto rowStart = static_cast<std::size_t>((homeRow + j) * grid.columns + homeColumn);
      for (int64_t k = firstColumn; k <= lastColumn; ++k) {
        const double weight = rowWeights[k];
        const auto node = rowStart + static_cast<std::size_t>(k);
        sums[node] += weight * value;
        weights[node] += weight;
      }
    }
  }

  // Nodes one point reaches at most: the cost of spreading it.
  int64_t NodesPerPoint() const {
    int64_t nodes = 0;
    for (const int64_t limit : limits_) nodes += limit < 0 ? 0 : 2 * limit + 1;
    return nodes;
  }

 private:
  int64_t firstRow_ = 0;
  int64_t lastRow_ = -1;
  int64_t maxColumn_ = 0;
  std::vector<int64_t> limits_;              // per row offset: the last column offset within the radius
  std::vector<std::vector<double>> weights_; // per row offset: weights of column offsets -limit .. limit
};

// Below this many node updates a second thread costs about what it saves.
constexpr int64_t kSmallestSharedWork = 400000;
// Bands of grid rows handed out to the threads one at a time.
constexpr int64_t kBands = 16;

// The spreading and the weighted means, band by band of grid rows. Each node
// lies in one band and gets the points' contributions in the points' order,
// so the grid has the same bits however the bands are shared between threads.
class BandedSpread {
 public:
  BandedSpread(const Grid& grid, const SpreadWindow& window, const std::vector<int64_t>& homeRows,
               const std::vector<int64_t>& homeColumns, const double* values, double* sums, double* weights)
      : grid_(grid), window_(window), homeRows_(homeRows), homeColumns_(homeColumns), values_(values), sums_(sums),
        weights_(weights), bandRows_((grid.rows + kBands - 1) / kBands) {}

  // Takes bands until none is left; both threads may call it at once.
  void Work() {
    for (int64_t band = nextBand_.fetch_add(1); band * bandRows_ < grid_.rows; band = nextBand_.fetch_add(1)) {
      const int64_t first = band * bandRows_;
      const int64_t last = std::min(grid_.rows, first + bandRows_) - 1;
      for (std::size_t i = 0; i < homeRows_.size(); ++i) {
        window_.Spread(grid_, homeRows_[i], homeColumns_[i], values_[i], first, last, sums_, weights_);
      }
      const auto begin = static_cast<std::size_t>(first * grid_.columns);
      const auto end = static_cast<std::size_t>((last + 1) * grid_.columns);
      for (std::size_t node = begin; node < end; ++node) {
        sums_[node] = weights_[node] != 0.0 ? sums_[node] / weights_[node] : 0.0;
      }
    }
  }

 private:
  const Grid& grid_;
  const SpreadWindow& window_;
  const std::vector<int64_t>& homeRows_;
  const std::vector<int64_t>& homeColumns_;
  const double* values_;
  double* sums_;
  double* weights_;
  int64_t bandRows_;
  std::atomic<int64_t> nextBand_{0};
};

}  // namespace

extern "C" int32_t do_approximation(int32_t pointCount, double reach, const double* x, const double* y,
                                    const double* z, int32_t columns, int32_t rows, double* /*nodeX*/,
                                    double* /*nodeY*/, double* output) {
  if (pointCount < kMinPointCount || columns < kMinNodeCount || rows < kMinNodeCount) return kFailure;
  if (x == nullptr || y == nullptr || z == nullptr || output == nullptr) return kFailure;
  const std::optional<Grid> grid = GridOverPoints(pointCount, x, y, columns, rows);
  if (!grid) return kFailure;

  const auto nodeCount = static_cast<std::size_t>(grid->rows) * static_cast<std::size_t>(grid->columns);
  const double radius = reach * std::max(grid->dx, grid->dy);
  // Distances are never negative, so a reach of 0 or below (or NaN) leaves
  // every node without weight. Everything that can fail comes before the
  // output is touched, so that a failure leaves it as it was.
  std::vector<double> weights;
  SpreadWindow window;
  std::vector<int64_t> homeRows, homeColumns;
  try {
    weights.assign(nodeCount, 0.0);
    if (reach > 0.0) window.Build(*grid, reach, radius);
    homeRows.resize(static_cast<std::size_t>(pointCount));
    homeColumns.resize(static_cast<std::size_t>(pointCount));
  } catch (const std::bad_alloc&) {
    return kFailure;
  } catch (const std::length_error&) {
    return kFailure;
  }
  for (int32_t i = 0; i < pointCount; ++i) {
    homeRows[static_cast<std::size_t>(i)] = HomeIndex(y[i], grid->yMin, grid->dy, grid->rows);
    homeColumns[static_cast<std::size_t>(i)] = HomeIndex(x[i], grid->xMin, grid->dx, grid->columns);
  }

  std::fill(output, output + nodeCount, 0.0);
  BandedSpread spread(*grid, window, homeRows, homeColumns, z, output, weights.data());
  std::thread second;
  if (window.NodesPerPoint() * pointCount >= kSmallestSharedWork) {
    try {
      second = std::thread([&spread] { spread.Work(); });
    } catch (const std::system_error&) {
      // No thread: the calling thread takes every band.
    }
  }
  spread.Work();
  if (second.joinable()) second.join();
  return kSuccess;
}
