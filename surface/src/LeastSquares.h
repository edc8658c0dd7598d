// Least squares by Householder QR with column pivoting, for the small
// problems of the derivative estimation (at most 12 rows and 5 columns).
#pragma once

#include <array>
#include <cstddef>

namespace meshinterp {

inline constexpr int kMaxRows = 12;
inline constexpr int kMaxColumns = 5;

struct LeastSquaresProblem {
  int rows = 0;
  int columns = 0;
  std::array<std::array<double, kMaxColumns>, kMaxRows> matrix{};
  std::array<double, kMaxRows> rhs{};
};

struct LeastSquaresSolution {
  bool ok = false;  // false when the problem has no rows or no columns
  int rank = 0;
  std::array<double, kMaxColumns> values{};
};

// Solves min |A c - b| over the first `rank` pivoted columns, where the rank
// counts the leading diagonal entries of R with |R_ii| > tolerance * |R_11|.
LeastSquaresSolution SolveLeastSquares(LeastSquaresProblem problem, double tolerance);

// Two or four problems at once, with the same results as SolveLeastSquares
// calls, bit for bit; faster when all are full (kMaxRows x kMaxColumns),
// whose steps then go side by side in the two lanes of vector instructions,
// two problems to an instruction.
template <std::size_t N>
void SolveLeastSquaresSideBySide(std::array<LeastSquaresProblem, N>& problems, const std::array<double, N>& tolerances,
                                 std::array<LeastSquaresSolution, N>& solutions);

inline void SolveLeastSquaresPair(std::array<LeastSquaresProblem, 2>& problems, const std::array<double, 2>& tolerances,
                                  std::array<LeastSquaresSolution, 2>& solutions) {
  SolveLeastSquaresSideBySide<2>(problems, tolerances, solutions);
}

}  // namespace meshinterp
