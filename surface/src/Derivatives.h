// Estimation of the first and second partial derivatives at every data point
// by a weighted least-squares fit of a quadratic Taylor expansion to the
// point's nearest neighbours.
#pragma once

#include <array>
#include <atomic>
#include <span>
#include <utility>
#include <vector>

#include "BucketGrid.h"
#include "Geometry.h"
#include "LeastSquares.h"

namespace meshinterp {

inline constexpr int kNeighbourCount = 12;

struct PartialDerivatives {
  double zx = 0;
  double zy = 0;
  double zxx = 0;
  double zxy = 0;
  double zyy = 0;
};

// The largest squared distance between two of the points.
double LargestSquaredDistance(std::span<const Point> points);

// The neighbours whose rows enter the fit of one point.
struct Neighbourhood {
  // R^2: the 12th smallest squared distance to the other points, or the
  // largest squared distance D^2 when there are fewer than 12 others.
  double radiusSquared = 0;
  // The first 12 other points, in increasing number, within radiusSquared.
  std::vector<int> rows;
};

// The terms of one row of a point's fit for a neighbour at (dx, dy) from it
// with weight t: (t dx, t dy, t dx^2 / 2, t dx dy, t dy^2 / 2), every
// product taken from left to right.
std::array<double, 5> FitRow(double t, double dx, double dy);

// The least-squares problem of one point's fit from its neighbourhood (D^2
// as above), with the scales of its first two columns and its tolerance;
// and the derivatives from its solution.
struct FitProblem {
  LeastSquaresProblem problem;
  double s1 = 0;
  double s2 = 0;
  double tolerance = 0;
};
FitProblem SetUpFit(std::span<const Point> points, std::span<const double> values, int point,
                    const Neighbourhood& neighbourhood, double largestSquaredDistance);
PartialDerivatives FinishFit(const FitProblem& fit, LeastSquaresSolution solution);

// The fit of one point from its neighbourhood; D^2 as above.
PartialDerivatives FitDerivatives(std::span<const Point> points, std::span<const double> values, int point,
                                  const Neighbourhood& neighbourhood, double largestSquaredDistance);

// Neighbourhoods found through a bucket grid of the points.
class NeighbourFinder {
 public:
  NeighbourFinder(std::span<const Point> points, double largestSquaredDistance);
  void Find(int point, Neighbourhood& neighbourhood);

 private:
  std::span<const Point> points_;
  double largest_;
  BucketGrid grid_;
  std::vector<int> ties_;  // points beyond the 12 nearest at the 12th distance
};

// Derivatives of every point.
std::vector<PartialDerivatives> EstimateDerivatives(std::span<const Point> points, std::span<const double> values);

// Estimates the derivatives of chunks of points, taking the next chunk from
// `next`, until none is left. Threads may share `next` and `out` (each
// point's derivatives depend on nothing but the points and values, so the
// result is the same however the chunks are shared out). Returns early,
// leaving points unestimated, once `stop` is set.
void EstimateDerivativeChunks(std::span<const Point> points, std::span<const double> values,
                              double largestSquaredDistance, std::atomic<int>& next,
                              std::span<PartialDerivatives> out, const std::atomic<bool>* stop = nullptr);

}  // namespace meshinterp
