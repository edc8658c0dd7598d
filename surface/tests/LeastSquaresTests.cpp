#include <gtest/gtest.h>

#include "LeastSquares.h"

namespace meshinterp {
namespace {

LeastSquaresProblem Problem(std::initializer_list<std::initializer_list<double>> rows,
                            std::initializer_list<double> rhs) {
  LeastSquaresProblem p;
  for (const auto& row : rows) {
    int j = 0;
    for (double v : row) p.matrix[p.rows][j++] = v;
    p.columns = j;
    ++p.rows;
  }
  int i = 0;
  for (double v : rhs) p.rhs[i++] = v;
  return p;
}

TEST(LeastSquares, SolvesFullRankAndRankDeficientProblems) {
  // Consistent overdetermined system: exact solution (2, -1, 0.5).
  LeastSquaresSolution s = SolveLeastSquares(
      Problem({{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}, {1, -1, 2}}, {2, -1, 0.5, 1.5, 4}), 1e-12);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.rank, 3);
  EXPECT_NEAR(s.values[0], 2, 1e-14);
  EXPECT_NEAR(s.values[1], -1, 1e-14);
  EXPECT_NEAR(s.values[2], 0.5, 1e-14);

  // Two equal columns: rank 1, the pivot column (the first of equal norms)
  // carries the solution, the other gets 0.
  s = SolveLeastSquares(Problem({{1, 1}, {2, 2}, {3, 3}}, {2, 4, 6}), 1e-12);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.rank, 1);
  EXPECT_NEAR(s.values[0], 2, 1e-14);
  EXPECT_EQ(s.values[1], 0);

  // The larger column is taken first.
  s = SolveLeastSquares(Problem({{1, 10}, {1, 20}, {1, 30}}, {10, 20, 30}), 1e-12);
  EXPECT_EQ(s.rank, 2);
  EXPECT_NEAR(s.values[0], 0, 1e-12);
  EXPECT_NEAR(s.values[1], 1, 1e-14);

  // Vanishing columns: rank 0, all values 0.
  s = SolveLeastSquares(Problem({{0, 0}, {0, 0}}, {1, 2}), 1e-12);
  ASSERT_TRUE(s.ok);
  EXPECT_EQ(s.rank, 0);
  EXPECT_EQ(s.values[0], 0);
  EXPECT_EQ(s.values[1], 0);

  // A tolerance that no diagonal entry passes.
  s = SolveLeastSquares(Problem({{1, 0}, {0, 1}}, {1, 1}), 2);
  EXPECT_EQ(s.rank, 0);

  // No rows: an error.
  EXPECT_FALSE(SolveLeastSquares(LeastSquaresProblem{}, 1e-12).ok);
}

}  // namespace
}  // namespace meshinterp
