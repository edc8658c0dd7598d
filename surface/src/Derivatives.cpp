#include "Derivatives.h"

#include <algorithm>
#include <cmath>
#include <limits>


namespace meshinterp {
namespace {

constexpr double kEpsilon = 2.220446049250313e-16;

// Largest |difference| of two coordinates taken from the ranges [lo1, hi1]
// and [lo2, hi2], rounded as the differences of the points themselves are,
// so that it bounds every computed difference (rounding is monotonic).
double LargestDifference(double lo1, double hi1, double lo2, double hi2) {
  return std::max(std::fabs(hi2 - lo1), std::fabs(lo2 - hi1));
}

struct Box {
  double xmin = std::numeric_limits<double>::infinity();
  double xmax = -std::numeric_limits<double>::infinity();
  double ymin = std::numeric_limits<double>::infinity();
  double ymax = -std::numeric_limits<double>::infinity();
  void Add(const Point& p) {
    xmin = std::min(xmin, p.x);
    xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
};

double LargestSquaredDistanceByScan(std::span<const Point> points) {
  double largest = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = i + 1; j < points.size(); ++j) largest = std::max(largest, SquaredDistance(points[i], points[j]));
  }
  return largest;
}

// The points nearest to one point seen so far: the 12 smallest squared
// distances in increasing order (among equal ones, in the order offered)
// with their points, and the points beyond the 12 whose distance equals the
// 12th (they are within the radius as well).
class NearestList {
 public:
  // `ties` keeps its storage from one search to the next.
  explicit NearestList(std::vector<int>& ties) : ties_(ties) { ties_.clear(); }
  void Offer(double e, int j) {
    if (count_ < kNeighbourCount) {
      Insert(count_++, e, j);
      return;
    }
    const double bound = distances_[kNeighbourCount - 1];
    if (e > bound) return;
    if (e == bound) {
      ties_.push_back(j);
      return;
    }
    // The 12th leaves the list; it stays within the radius only when the
    // new 12th is as far.
    const int leaving = points_[kNeighbourCount - 1];
    Insert(kNeighbourCount - 1, e, j);
    if (distances_[kNeighbourCount - 1] == bound) {
      ties_.push_back(leaving);
    } else {
      ties_.clear();
    }
  }
  double Bound() const {
    return count_ < kNeighbourCount ? std::numeric_limits<double>::infinity() : distances_[kNeighbourCount - 1];
  }
  // The first 12 points, in increasing number, of those within the radius.
  void TakeRows(std::vector<int>& rows) const {
    rows.assign(points_, points_ + count_);
    rows.insert(rows.end(), ties_.begin(), ties_.end());
    std::sort(rows.begin(), rows.end());
    rows.resize(kNeighbourCount);
  }

 private:
  // Puts (e, j) into the list at or before `free` (an unused place).
  void Insert(int free, double e, int j) {
    int i = free;
    while (i > 0 && distances_[i - 1] > e) {
      distances_[i] = distances_[i - 1];
      points_[i] = points_[i - 1];
      --i;
    }
    distances_[i] = e;
    points_[i] = j;
  }

  double distances_[kNeighbourCount] = {};
  int points_[kNeighbourCount] = {};
  int count_ = 0;
  std::vector<int>& ties_;
};

}  // namespace

double LargestSquaredDistance(std::span<const Point> points) {
  const int n = static_cast<int>(points.size());
  if (n < 64) return LargestSquaredDistanceByScan(points);

  // A first value from the extreme points in eight directions.
  int extremes[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  auto key = [&](int i, int d) {
    const Point& p = points[i];
    switch (d) {
      case 0: return p.x;
      case 1: return p.y;
      case 2: return p.x + p.y;
      default: return p.x - p.y;
    }
  };
  for (int i = 1; i < n; ++i) {
    for (int d = 0; d < 4; ++d) {
      if (key(i, d) < key(extremes[2 * d], d)) extremes[2 * d] = i;
      if (key(i, d) > key(extremes[2 * d + 1], d)) extremes[2 * d + 1] = i;
    }
  }
  double largest = 0;
  for (int a = 0; a < 8; ++a) {
    for (int b = a + 1; b < 8; ++b) largest = std::max(largest, SquaredDistance(points[extremes[a]], points[extremes[b]]));
  }

  // Cells of a coarse grid with the boxes of their points; only pairs of
  // cells that could hold a larger distance are scanned point by point.
  Box all;
  for (const Point& p : points) all.Add(p);
  const int side = std::clamp(static_cast<int>(std::sqrt(n / 8.0)), 1, 32);
  const double width = all.xmax - all.xmin;
  const double height = all.ymax - all.ymin;
  if (width == 0 || height == 0) {
    // Points on one line parallel to an axis: every computed difference
    // across it is 0 and, rounding being monotonic, none along it exceeds
    // the extent's, so the scan's largest value is the extent's square.
    const double along = width == 0 ? height : width;
    return std::max(largest, along * along);
  }
  if (!(std::isfinite(width) && std::isfinite(height))) return LargestSquaredDistanceByScan(points);
  auto cellOf = [&](const Point& p) {
    const double cx = std::clamp(std::floor((p.x - all.xmin) / width * side), 0.0, side - 1.0);
    const double cy = std::clamp(std::floor((p.y - all.ymin) / height * side), 0.0, side - 1.0);
    return static_cast<int>(cy) * side + static_cast<int>(cx);
  };
  const int cells = side * side;
  std::vector<int> start(static_cast<std::size_t>(cells) + 1, 0);
  std::vector<int> cellOfPoint(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    cellOfPoint[i] = cellOf(points[i]);
    ++start[cellOfPoint[i] + 1];
  }
  for (int c = 0; c < cells; ++c) start[c + 1] += start[c];
  std::vector<int> members(static_cast<std::size_t>(n));
  std::vector<int> fill(start.begin(), start.end() - 1);
  for (int i = 0; i < n; ++i) members[fill[cellOfPoint[i]]++] = i;
  std::vector<Box> boxes(static_cast<std::size_t>(cells));
  std::vector<int> occupied;
  for (int c = 0; c < cells; ++c) {
    if (start[c] == start[c + 1]) continue;
    occupied.push_back(c);
    for (int k = start[c]; k < start[c + 1]; ++k) boxes[c].Add(points[members[k]]);
  }

  for (std::size_t a = 0; a < occupied.size(); ++a) {
    const Box& boxA = boxes[occupied[a]];
    for (std::size_t b = a; b < occupied.size(); ++b) {
      const Box& boxB = boxes[occupied[b]];
      const double dx = LargestDifference(boxA.xmin, boxA.xmax, boxB.xmin, boxB.xmax);
      const double dy = LargestDifference(boxA.ymin, boxA.ymax, boxB.ymin, boxB.ymax);
      if (dy * dy + dx * dx <= largest) continue;
      const int ca = occupied[a];
      const int cb = occupied[b];
      for (int i = start[ca]; i < start[ca + 1]; ++i) {
        const Point& p = points[members[i]];
        for (int j = (ca == cb ? i + 1 : start[cb]); j < start[cb + 1]; ++j) {
          largest = std::max(largest, SquaredDistance(p, points[members[j]]));
        }
      }
    }
  }
  return largest;
}

std::array<double, 5> FitRow(double t, double dx, double dy) {
  return {t * dx, t * dy, t * (dx * dx) / 2, t * dx * dy, t * (dy * dy) / 2};
}

FitProblem SetUpFit(std::span<const Point> points, std::span<const double> values, int point,
                    const Neighbourhood& neighbourhood, double largestSquaredDistance) {
  const Point pk = points[point];
  const double fk = values[point];
  const double r = std::sqrt(neighbourhood.radiusSquared);
  const double d = std::sqrt(largestSquaredDistance);

  FitProblem fit;
  LeastSquaresProblem& problem = fit.problem;
  double& s1 = fit.s1;
  double& s2 = fit.s2;
  for (int j : neighbourhood.rows) {
    const Point pj = points[j];
    const double dx = pj.x - pk.x;
    const double dy = pj.y - pk.y;
    const double t = r / std::sqrt(SquaredDistance(pk, pj));
    auto& row = problem.matrix[problem.rows];
    row = FitRow(t, dx, dy);
    problem.rhs[problem.rows] = t * (values[j] - fk);
    s1 = std::max(s1, std::fabs(row[0]));
    s2 = std::max(s2, std::fabs(row[1]));
    ++problem.rows;
  }
  problem.columns = problem.rows >= 5 ? 5 : 2;
  for (int i = 0; i < problem.rows; ++i) {
    if (s1 > 1) problem.matrix[i][0] *= s1;
    if (s2 > 1) problem.matrix[i][1] *= s2;
  }
  fit.tolerance = 100 * kEpsilon * d / r;
  return fit;
}

PartialDerivatives FinishFit(const FitProblem& fit, LeastSquaresSolution solution) {
  if (fit.s1 > 1) solution.values[0] *= fit.s1;
  if (fit.s2 > 1) solution.values[1] *= fit.s2;
  const int used = solution.ok ? fit.problem.columns : 0;
  PartialDerivatives result;
  double* fields[5] = {&result.zx, &result.zy, &result.zxx, &result.zxy, &result.zyy};
  for (int i = 0; i < used; ++i) *fields[i] = solution.values[i];
  return result;
}

PartialDerivatives FitDerivatives(std::span<const Point> points, std::span<const double> values, int point,
                                  const Neighbourhood& neighbourhood, double largestSquaredDistance) {
  const FitProblem fit = SetUpFit(points, values, point, neighbourhood, largestSquaredDistance);
  return FinishFit(fit, SolveLeastSquares(fit.problem, fit.tolerance));
}

NeighbourFinder::NeighbourFinder(std::span<const Point> points, double largestSquaredDistance)
    : points_(points), largest_(largestSquaredDistance), grid_(points, 2.0) {}

void NeighbourFinder::Find(int k, Neighbourhood& neighbourhood) {
  const int n = static_cast<int>(points_.size());
  neighbourhood.rows.clear();
  if (n - 1 < kNeighbourCount) {
    neighbourhood.radiusSquared = largest_;
    for (int j = 0; j < n; ++j) {
      if (j != k) neighbourhood.rows.push_back(j);
    }
    return;
  }
  // Every point within the 12th smallest distance is met before the search
  // stops; those within the final radius are then taken by point number.
  const Point pk = points_[k];
  NearestList nearest(ties_);
  grid_.Search(
      pk,
      [&](int j) {
        if (j == k) return;
        nearest.Offer(SquaredDistance(pk, points_[j]), j);
      },
      [&] { return nearest.Bound(); });
  neighbourhood.radiusSquared = nearest.Bound();
  nearest.TakeRows(neighbourhood.rows);
}

std::vector<PartialDerivatives> EstimateDerivatives(std::span<const Point> points, std::span<const double> values) {
  std::vector<PartialDerivatives> derivatives(points.size());
  std::atomic<int> next{0};
  EstimateDerivativeChunks(points, values, LargestSquaredDistance(points), next, derivatives);
  return derivatives;
}

void EstimateDerivativeChunks(std::span<const Point> points, std::span<const double> values,
                              double largestSquaredDistance, std::atomic<int>& next,
                              std::span<PartialDerivatives> out, const std::atomic<bool>* stop) {
  constexpr int kChunk = 64;
  const int n = static_cast<int>(points.size());
  if (next.load() >= n) return;
  NeighbourFinder finder(points, largestSquaredDistance);
  Neighbourhood neighbourhood;
  // Points are fitted four at a time, their least-squares problems solved
  // side by side; the last points of a chunk one by one.
  constexpr int kSideBySide = 4;
  std::array<FitProblem, kSideBySide> fits;
  std::array<LeastSquaresProblem, kSideBySide> problems;
  std::array<LeastSquaresSolution, kSideBySide> solutions;
  for (int first = next.fetch_add(kChunk); first < n; first = next.fetch_add(kChunk)) {
    const int end = std::min(n, first + kChunk);
    for (int k = first; k < end; k += kSideBySide) {
      if (stop != nullptr && stop->load(std::memory_order_relaxed)) return;
      if (k + kSideBySide > end) {
        for (int single = k; single < end; ++single) {
          finder.Find(single, neighbourhood);
          out[single] = FitDerivatives(points, values, single, neighbourhood, largestSquaredDistance);
        }
        continue;
      }
      std::array<double, kSideBySide> tolerances;
      for (int q = 0; q < kSideBySide; ++q) {
        finder.Find(k + q, neighbourhood);
        fits[q] = SetUpFit(points, values, k + q, neighbourhood, largestSquaredDistance);
        problems[q] = fits[q].problem;
        tolerances[q] = fits[q].tolerance;
      }
      SolveLeastSquaresSideBySide(problems, tolerances, solutions);
      for (int q = 0; q < kSideBySide; ++q) out[k + q] = FinishFit(fits[q], solutions[q]);
    }
  }
}

}  // namespace meshinterp
