#include "LeastSquares.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <type_traits>
#include <utility>

namespace meshinterp {
namespace {

// Euclidean norm of a[from..n-1][column] from the plain sum of its squares
// taken in increasing row order; scaled when that sum may have overflowed or
// lost its accuracy to underflow.
template <class Rows>
double NormFromSum(double sum, const LeastSquaresProblem& p, Rows n, int column, int from) {
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

template <class Rows>
double ColumnNorm(const LeastSquaresProblem& p, Rows n, int column, int from) {
  double sum = 0;
  for (int i = from; i < n; ++i) sum += p.matrix[i][column] * p.matrix[i][column];
  return NormFromSum(sum, p, n, column, from);
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

// The solution of two full problems (kMaxRows x kMaxColumns) side by side.
// Each problem goes through exactly the operations of Solve in the same
// order; only the two problems' operations alternate, so that the processor
// works on one while the other waits for a result (a single solve is bound
// by the latency of its chains of sums and divisions, not by its work).
void SolveFullPair(std::array<LeastSquaresProblem, 2>& p, const std::array<double, 2>& tolerance,
                   std::array<LeastSquaresSolution, 2>& solution) {
  constexpr int K = 2;
  constexpr int n = kMaxRows;
  constexpr int m = kMaxColumns;
  const std::integral_constant<int, kMaxRows> rows;
  double norms[K][m];
  double initialNorms[K][m];
  int permutation[K][m];
  for (int j = 0; j < m; ++j) {
    double sum[K] = {};
    for (int i = 0; i < n; ++i) {
      for (int q = 0; q < K; ++q) sum[q] += p[q].matrix[i][j] * p[q].matrix[i][j];
    }
    for (int q = 0; q < K; ++q) {
      norms[q][j] = NormFromSum(sum[q], p[q], rows, j, 0);
      initialNorms[q][j] = norms[q][j];
      permutation[q][j] = j;
    }
  }

  // Step l with l a constant, so that every loop has a known trip count
  // and the sums stay in registers.
  auto step = [&]<int l>() {
    double columnNorm[K];
    double sum[K] = {};
    for (int q = 0; q < K; ++q) {
      int pivot = l;
      for (int j = l + 1; j < m; ++j) {
        if (norms[q][j] > norms[q][pivot]) pivot = j;
      }
      if (pivot != l) {
        for (int i = 0; i < n; ++i) std::swap(p[q].matrix[i][l], p[q].matrix[i][pivot]);
        std::swap(norms[q][l], norms[q][pivot]);
        std::swap(initialNorms[q][l], initialNorms[q][pivot]);
        std::swap(permutation[q][l], permutation[q][pivot]);
      }
    }
    for (int i = l; i < n; ++i) {
      for (int q = 0; q < K; ++q) sum[q] += p[q].matrix[i][l] * p[q].matrix[i][l];
    }
    bool reflects[K];
    double alpha[K];
    double vl[K];
    for (int q = 0; q < K; ++q) {
      columnNorm[q] = NormFromSum(sum[q], p[q], rows, l, l);
      reflects[q] = columnNorm[q] >= DBL_MIN;
      const double x0 = p[q].matrix[l][l];
      alpha[q] = x0 >= 0 ? -columnNorm[q] : columnNorm[q];
      vl[q] = x0 - alpha[q];
    }
    // The reflection's sums for every later column (and the right-hand side,
    // as column m) of both problems first, then their factors, then the
    // updates: each sum and each update as in Solve, but the chains of all
    // columns advance together.
    double s[K][kMaxColumns + 1];
    for (int q = 0; q < K; ++q) {
      for (int j = l + 1; j < m; ++j) s[q][j] = 0;
      s[q][m] = 0;
      for (int j = l + 1; j < m; ++j) s[q][j] += vl[q] * p[q].matrix[l][j];
      s[q][m] += vl[q] * p[q].rhs[l];
    }
    for (int i = l + 1; i < n; ++i) {
      for (int q = 0; q < K; ++q) {
        const double vi = p[q].matrix[i][l];
        for (int j = l + 1; j < m; ++j) s[q][j] += vi * p[q].matrix[i][j];
        s[q][m] += vi * p[q].rhs[i];
      }
    }
    double factor[K][kMaxColumns + 1];
    for (int q = 0; q < K; ++q) {
      for (int j = l + 1; j <= m; ++j) factor[q][j] = s[q][j] / alpha[q] / vl[q];
    }
    for (int q = 0; q < K; ++q) {
      if (!reflects[q]) continue;
      for (int j = l + 1; j < m; ++j) p[q].matrix[l][j] += factor[q][j] * vl[q];
      p[q].rhs[l] += factor[q][m] * vl[q];
      for (int i = l + 1; i < n; ++i) {
        const double vi = p[q].matrix[i][l];
        for (int j = l + 1; j < m; ++j) p[q].matrix[i][j] += factor[q][j] * vi;
        p[q].rhs[i] += factor[q][m] * vi;
      }
    }
    for (int q = 0; q < K; ++q) {
      if (!reflects[q]) continue;
      p[q].matrix[l][l] = alpha[q];
      for (int i = l + 1; i < n; ++i) p[q].matrix[i][l] = 0;
    }

    for (int q = 0; q < K; ++q) {
      for (int j = l + 1; j < m; ++j) {
        if (norms[q][j] == 0) continue;
        const double ratio = std::fabs(p[q].matrix[l][j]) / norms[q][j];
        double t = 1 - ratio * ratio;
        if (t < 0) t = 0;
        const double relative = norms[q][j] / initialNorms[q][j];
        if (1 + 0.05 * t * (relative * relative) == 1) {
          norms[q][j] = ColumnNorm(p[q], rows, j, l + 1);
          initialNorms[q][j] = norms[q][j];
        } else {
          norms[q][j] = norms[q][j] * std::sqrt(t);
        }
      }
    }
  };
  [&]<int... l>(std::integer_sequence<int, l...>) {
    (step.template operator()<l>(), ...);
  }(std::make_integer_sequence<int, m>{});

  for (int q = 0; q < K; ++q) {
    int rank = 0;
    const double limit = tolerance[q] * std::fabs(p[q].matrix[0][0]);
    while (rank < m && std::fabs(p[q].matrix[rank][rank]) > limit) ++rank;
    std::array<double, kMaxColumns> c{};
    for (int i = rank - 1; i >= 0; --i) {
      double s = p[q].rhs[i];
      for (int j = i + 1; j < rank; ++j) s -= p[q].matrix[i][j] * c[j];
      c[i] = s / p[q].matrix[i][i];
    }
    solution[q] = {};
    solution[q].ok = true;
    solution[q].rank = rank;
    for (int i = 0; i < rank; ++i) solution[q].values[permutation[q][i]] = c[i];
  }
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

void SolveLeastSquaresPair(std::array<LeastSquaresProblem, 2>& problems, const std::array<double, 2>& tolerances,
                           std::array<LeastSquaresSolution, 2>& solutions) {
  const bool full = problems[0].rows == kMaxRows && problems[0].columns == kMaxColumns &&
                    problems[1].rows == kMaxRows && problems[1].columns == kMaxColumns;
  if (full) {
    SolveFullPair(problems, tolerances, solutions);
    return;
  }
  for (int q = 0; q < 2; ++q) solutions[q] = SolveLeastSquares(problems[q], tolerances[q]);
}

}  // namespace meshinterp
