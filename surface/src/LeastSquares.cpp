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

// Two doubles that the processor adds, multiplies and divides as one, each
// lane rounded exactly as the same operation on a single double.
using Lanes = double __attribute__((vector_size(2 * sizeof(double))));

// The square root of a column's sum of squares where NormFromSum takes it
// directly; false where it would rescale (the caller then solves each
// problem on its own).
bool PlainNorm(double sum, double& norm) {
  if (!(sum > 1e-280 && sum < 1e280)) return false;
  norm = std::sqrt(sum);
  return true;
}

// The solution of 2 G full problems (kMaxRows x kMaxColumns) side by side:
// problem q in lane q % 2 of group q / 2 of every element, the right-hand
// side as the last column. Each lane goes through exactly the operations
// of Solve in the same order, so a single instruction does the same step of
// two problems, and the groups' chains of sums and divisions overlap.
// Columns whose norms need rescaling (sums outside the range where the
// plain square root is taken, which includes vanishing columns) leave the
// problems to Solve: false, and nothing written.
template <int G>
bool SolveFullSideBySide(const LeastSquaresProblem* p, const double* tolerance, LeastSquaresSolution* solution) {
  constexpr int K = 2 * G;
  constexpr int n = kMaxRows;
  constexpr int m = kMaxColumns;
  Lanes a[n][m + 1][G];
  for (int i = 0; i < n; ++i) {
    for (int g = 0; g < G; ++g) {
      for (int j = 0; j < m; ++j) a[i][j][g] = Lanes{p[2 * g].matrix[i][j], p[2 * g + 1].matrix[i][j]};
      a[i][m][g] = Lanes{p[2 * g].rhs[i], p[2 * g + 1].rhs[i]};
    }
  }
  auto at = [&](int i, int j, int q) { return a[i][j][q / 2][q % 2]; };
  double norms[K][m];
  double initialNorms[K][m];
  int permutation[K][m];
  for (int j = 0; j < m; ++j) {
    Lanes sum[G] = {};
    for (int i = 0; i < n; ++i) {
      for (int g = 0; g < G; ++g) sum[g] += a[i][j][g] * a[i][j][g];
    }
    for (int q = 0; q < K; ++q) {
      if (!PlainNorm(sum[q / 2][q % 2], norms[q][j])) return false;
      initialNorms[q][j] = norms[q][j];
      permutation[q][j] = j;
    }
  }

  // Step l with l a constant, so that every loop has a known trip count.
  auto step = [&]<int l>() -> bool {
    for (int q = 0; q < K; ++q) {
      int pivot = l;
      for (int j = l + 1; j < m; ++j) {
        if (norms[q][j] > norms[q][pivot]) pivot = j;
      }
      if (pivot == l) continue;
      for (int i = 0; i < n; ++i) {
        const double held = at(i, l, q);
        a[i][l][q / 2][q % 2] = at(i, pivot, q);
        a[i][pivot][q / 2][q % 2] = held;
      }
      std::swap(norms[q][l], norms[q][pivot]);
      std::swap(initialNorms[q][l], initialNorms[q][pivot]);
      std::swap(permutation[q][l], permutation[q][pivot]);
    }
    Lanes sum[G] = {};
    for (int i = l; i < n; ++i) {
      for (int g = 0; g < G; ++g) sum[g] += a[i][l][g] * a[i][l][g];
    }
    // Every column reflects here: a plain norm is far above DBL_MIN.
    Lanes alpha[G] = {}, vl[G] = {};
    for (int q = 0; q < K; ++q) {
      double columnNorm;
      if (!PlainNorm(sum[q / 2][q % 2], columnNorm)) return false;
      const double x0 = at(l, l, q);
      alpha[q / 2][q % 2] = x0 >= 0 ? -columnNorm : columnNorm;
      vl[q / 2][q % 2] = x0 - alpha[q / 2][q % 2];
    }
    // The reflection's sums for every later column and the right-hand side,
    // their factors, then the updates, each as in Solve.
    Lanes s[m + 1][G];
    for (int j = l + 1; j <= m; ++j) {
      for (int g = 0; g < G; ++g) {
        s[j][g] = Lanes{};
        s[j][g] += vl[g] * a[l][j][g];
      }
    }
    for (int i = l + 1; i < n; ++i) {
      for (int j = l + 1; j <= m; ++j) {
        for (int g = 0; g < G; ++g) s[j][g] += a[i][l][g] * a[i][j][g];
      }
    }
    Lanes factor[m + 1][G];
    for (int j = l + 1; j <= m; ++j) {
      for (int g = 0; g < G; ++g) factor[j][g] = s[j][g] / alpha[g] / vl[g];
    }
    for (int j = l + 1; j <= m; ++j) {
      for (int g = 0; g < G; ++g) a[l][j][g] += factor[j][g] * vl[g];
    }
    for (int i = l + 1; i < n; ++i) {
      for (int j = l + 1; j <= m; ++j) {
        for (int g = 0; g < G; ++g) a[i][j][g] += factor[j][g] * a[i][l][g];
      }
    }
    for (int g = 0; g < G; ++g) {
      a[l][l][g] = alpha[g];
      for (int i = l + 1; i < n; ++i) a[i][l][g] = Lanes{};
    }

    for (int q = 0; q < K; ++q) {
      for (int j = l + 1; j < m; ++j) {
        if (norms[q][j] == 0) continue;
        const double ratio = std::fabs(at(l, j, q)) / norms[q][j];
        double t = 1 - ratio * ratio;
        if (t < 0) t = 0;
        const double relative = norms[q][j] / initialNorms[q][j];
        if (1 + 0.05 * t * (relative * relative) == 1) {
          double below = 0;
          for (int i = l + 1; i < n; ++i) below += at(i, j, q) * at(i, j, q);
          if (!PlainNorm(below, norms[q][j])) return false;
          initialNorms[q][j] = norms[q][j];
        } else {
          norms[q][j] = norms[q][j] * std::sqrt(t);
        }
      }
    }
    return true;
  };
  const bool solved = [&]<int... l>(std::integer_sequence<int, l...>) {
    return (step.template operator()<l>() && ...);
  }(std::make_integer_sequence<int, m>{});
  if (!solved) return false;

  for (int q = 0; q < K; ++q) {
    int rank = 0;
    const double limit = tolerance[q] * std::fabs(at(0, 0, q));
    while (rank < m && std::fabs(at(rank, rank, q)) > limit) ++rank;
    std::array<double, kMaxColumns> c{};
    for (int i = rank - 1; i >= 0; --i) {
      double s = at(i, m, q);
      for (int j = i + 1; j < rank; ++j) s -= at(i, j, q) * c[j];
      c[i] = s / at(i, i, q);
    }
    solution[q] = {};
    solution[q].ok = true;
    solution[q].rank = rank;
    for (int i = 0; i < rank; ++i) solution[q].values[permutation[q][i]] = c[i];
  }
  return true;
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

template <std::size_t N>
void SolveLeastSquaresSideBySide(std::array<LeastSquaresProblem, N>& problems, const std::array<double, N>& tolerances,
                                 std::array<LeastSquaresSolution, N>& solutions) {
  static_assert(N == 2 || N == 4);
  const bool full = std::all_of(problems.begin(), problems.end(), [](const LeastSquaresProblem& p) {
    return p.rows == kMaxRows && p.columns == kMaxColumns;
  });
  if (full && SolveFullSideBySide<N / 2>(problems.data(), tolerances.data(), solutions.data())) return;
  for (std::size_t q = 0; q < N; ++q) solutions[q] = SolveLeastSquares(problems[q], tolerances[q]);
}

template void SolveLeastSquaresSideBySide<2>(std::array<LeastSquaresProblem, 2>&, const std::array<double, 2>&,
                                             std::array<LeastSquaresSolution, 2>&);
template void SolveLeastSquaresSideBySide<4>(std::array<LeastSquaresProblem, 4>&, const std::array<double, 4>&,
                                             std::array<LeastSquaresSolution, 4>&);

}  // namespace meshinterp
