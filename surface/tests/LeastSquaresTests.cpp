#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "LeastSquares.h"
#include "Reference.h"

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

void ExpectSameSolution(const LeastSquaresSolution& fast, const LeastSquaresSolution& plain, const std::string& what) {
  ASSERT_EQ(fast.ok, plain.ok) << what;
  ASSERT_EQ(fast.rank, plain.rank) << what;
  for (int j = 0; j < kMaxColumns; ++j) {
    ASSERT_EQ(std::bit_cast<std::uint64_t>(fast.values[j]), std::bit_cast<std::uint64_t>(plain.values[j]))
        << what << ", value " << j;
  }
}

// The solve, alone and two problems side by side, against the plain one,
// bit for bit, on problems of every size, at extreme scales (the scaled
// column norms), with signed zeros and with dependent or vanishing columns.
TEST(LeastSquares, AgreesWithThePlainSolveBitForBit) {
  struct Shape {
    int rows, columns;
  };
  const Shape shapes[] = {{12, 5}, {12, 2}, {9, 5}, {5, 5}, {4, 2}, {3, 5}, {1, 1}, {12, 1}};
  enum class Kind { Plain, Tiny, Huge, MixedScales, DuplicateColumn, ZeroColumn, SignedZeros };
  const Kind kinds[] = {Kind::Plain,           Kind::Tiny,       Kind::Huge,       Kind::MixedScales,
                        Kind::DuplicateColumn, Kind::ZeroColumn, Kind::SignedZeros};
  std::mt19937 random(17);
  std::uniform_real_distribution<double> uniform(-1, 1);
  std::vector<std::pair<LeastSquaresProblem, std::string>> problems;
  for (const Shape& shape : shapes) {
    for (const Kind kind : kinds) {
      for (int draw = 0; draw < 40; ++draw) {
        LeastSquaresProblem p;
        p.rows = shape.rows;
        p.columns = shape.columns;
        for (int i = 0; i < p.rows; ++i) {
          for (int j = 0; j < p.columns; ++j) {
            double v = uniform(random);
            if (kind == Kind::Tiny) v *= 1e-150;
            if (kind == Kind::Huge) v *= 1e150;
            if (kind == Kind::MixedScales) v *= std::ldexp(1.0, 40 * j - 80);
            if (kind == Kind::SignedZeros && (i + j + draw) % 3 == 0) v = (i + draw) % 2 ? -0.0 : 0.0;
            p.matrix[i][j] = v;
          }
          if (kind == Kind::DuplicateColumn && p.columns > 1) p.matrix[i][p.columns - 1] = p.matrix[i][0];
          if (kind == Kind::ZeroColumn) p.matrix[i][draw % p.columns] = 0;
          p.rhs[i] = kind == Kind::SignedZeros && i % 2 ? -0.0 : uniform(random);
        }
        problems.push_back({p, std::to_string(shape.rows) + " x " + std::to_string(shape.columns) + ", kind " +
                                   std::to_string(static_cast<int>(kind)) + ", draw " + std::to_string(draw)});
      }
    }
  }
  for (const double tolerance : {1e-12, 100 * 2.220446049250313e-16}) {
    for (std::size_t k = 0; k < problems.size(); ++k) {
      const auto& [problem, what] = problems[k];
      const LeastSquaresSolution plain = reference::SolveLeastSquares(problem, tolerance);
      ExpectSameSolution(SolveLeastSquares(problem, tolerance), plain, what);
      // Paired with the problem before it (of the same shape but for the
      // first of each shape) and, in the second slot, with a larger tolerance.
      const std::size_t other = k == 0 ? problems.size() - 1 : k - 1;
      std::array<LeastSquaresProblem, 2> pair{problem, problems[other].first};
      std::array<LeastSquaresSolution, 2> solutions;
      SolveLeastSquaresPair(pair, {tolerance, 1e-3}, solutions);
      ExpectSameSolution(solutions[0], plain, what + " (first of a pair)");
      ExpectSameSolution(solutions[1], reference::SolveLeastSquares(problems[other].first, 1e-3),
                         problems[other].second + " (second of a pair)");
      // Four side by side: the problem first, then the three before it.
      std::array<LeastSquaresProblem, 4> four;
      std::array<double, 4> tolerances;
      std::array<std::size_t, 4> taken;
      for (std::size_t q = 0; q < 4; ++q) {
        taken[q] = (k + problems.size() - q) % problems.size();
        four[q] = problems[taken[q]].first;
        tolerances[q] = q % 2 ? 1e-3 : tolerance;
      }
      std::array<LeastSquaresSolution, 4> fourSolutions;
      SolveLeastSquaresSideBySide(four, tolerances, fourSolutions);
      for (std::size_t q = 0; q < 4; ++q) {
        ExpectSameSolution(fourSolutions[q], reference::SolveLeastSquares(problems[taken[q]].first, tolerances[q]),
                           problems[taken[q]].second + " (" + std::to_string(q) + " of four)");
      }
    }
  }
}

}  // namespace
}  // namespace meshinterp
