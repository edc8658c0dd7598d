#include "LeastSquares.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <type_traits>
#include <utility>

namespace meshinterp {
namespace {

// Euclidean norm of a[from..n-1][column]; scaled when the plain sum of
// squares may have overflowed or lost its accuracy to underflow.
template <class Rows>
double ColumnNorm(const LeastSquaresProblem& p, Rows n, int column, int from) {
  double sum = 0;
  for (int i = from; i < n; ++i) sum += p.matrix[i][column] * p.matrix[i][column];
  if (sum > 1e-280 && sum < 1e280) return std::sqrt(sum);
  double scale = 0;
  for (int i = from; i < n; ++i) scale = std::max(scale, std::fabs(p.matrix[i][column]));
  if (scale == 0) return 0;
  sum = 0;
  for (int i = from; i < n; ++i) {
    const double r = p.matrix[i][column] / scale;
    sum += r * r;
  }
  return scale * std::sqrt(sum);
}

// The solution for n rows and m columns. Instantiated with constant sizes
// for the usual full problem, so that the compiler knows every trip count;
// the operations and their order are the same for every instantiation.
template <class Rows, class Columns>
LeastSquaresSolution Solve(LeastSquaresProblem& p, double tolerance, Rows n, Columns m) {
  LeastSquaresSolution solution;
  std::array<double, kMaxColumns> norms{};
  std::array<double, kMaxColumns> initialNorms{};
  std::array<int, kMaxColumns> permutation{};
  for (int j = 0; j < m; ++j) {
    norms[j] = ColumnNorm(p, n, j, 0);
    initialNorms[j] = norms[j];
    permutation[j] = j;
  }

  const int steps = std::min<int>(n, m);
  for (int l = 0; l < steps; ++l) {
    int pivot = l;
    for (int j = l + 1; j < m; ++j) {
      if (norms[j] > norms[pivot]) pivot = j;
    }
    if (pivot != l) {
      for (int i = 0; i < n; ++i) std::swap(p.matrix[i][l], p.matrix[i][pivot]);
      std::swap(norms[l], norms[pivot]);
      std::swap(initialNorms[l], initialNorms[pivot]);
      std::swap(permutation[l], permutation[pivot]);
    }

    const double columnNorm = ColumnNorm(p, n, l, l);
    if (columnNorm >= DBL_MIN) {
      // The reflection H = I - 2 v v^T / v^T v with v = x - alpha e_l maps x
      // onto alpha e_l, alpha = -sign(x_l) |x|.
      const double x0 = p.matrix[l][l];
      const double alpha = x0 >= 0 ? -columnNorm : columnNorm;
      std::array<double, kMaxRows> v{};
      v[l] = x0 - alpha;
      for (int i = l + 1; i < n; ++i) v[i] = p.matrix[i][l];
      // v^T v = -2 alpha v_l, so H a = a + (v^T a / alpha / v_l) v.
      auto reflect = [&](auto&& element) {
        double s = 0;
        for (int i = l; i < n; ++i) s += v[i] * element(i);
        const double factor = s / alpha / v[l];
        for (int i = l; i < n; ++i) element(i) += factor * v[i];
      };
      for (int j = l + 1; j < m; ++j) reflect([&](int i) -> double& { return p.matrix[i][j]; });
      reflect([&](int i) -> double& { return p.rhs[i]; });
      p.matrix[l][l] = alpha;
      for (int i = l + 1; i < n; ++i) p.matrix[i][l] = 0;
    }

    for (int j = l + 1; j < m; ++j) {
      if (norms[j] == 0) continue;
      const double ratio = std::fabs(p.matrix[l][j]) / norms[j];
      double t = 1 - ratio * ratio;
      if (t < 0) t = 0;
      const double relative = norms[j] / initialNorms[j];
      if (1 + 0.05 * t * (relative * relative) == 1) {
        norms[j] = ColumnNorm(p, n, j, l + 1);
        initialNorms[j] = norms[j];
      } else {
        norms[j] = norms[j] * std::sqrt(t);
      }
    }
  }

  int rank = 0;
  const double limit = tolerance * std::fabs(p.matrix[0][0]);
  while (rank < steps && std::fabs(p.matrix[rank][rank]) > limit) ++rank;

  std::array<double, kMaxColumns> c{};
  for (int i = rank - 1; i >= 0; --i) {
    double s = p.rhs[i];
    for (int j = i + 1; j < rank; ++j) s -= p.matrix[i][j] * c[j];
    c[i] = s / p.matrix[i][i];
  }
  solution.ok = true;
  solution.rank = rank;
  for (int i = 0; i < rank; ++i) solution.values[permutation[i]] = c[i];
  return solution;
}

}  // namespace

LeastSquaresSolution SolveLeastSquares(LeastSquaresProblem p, double tolerance) {
  const int n = p.rows;
  const int m = p.columns;
  if (n < 1 || m < 1 || n > kMaxRows || m > kMaxColumns) return {};
  if (n == kMaxRows && m == kMaxColumns) {
    return Solve(p, tolerance, std::integral_constant<int, kMaxRows>{}, std::integral_constant<int, kMaxColumns>{});
  }
  return Solve(p, tolerance, n, m);
}

}  // namespace meshinterp
