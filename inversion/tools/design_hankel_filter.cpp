// Designs the digital filter of LayeredEarthFilter.cpp and prints its
// weights, one per line.
//
// The filter evaluates integral_0^inf f(lambda) J0(lambda r) d lambda as
// (1/r) sum_j w_j f(b_j / r) with b_j = exp(Start + j Step). The kernel f of a
// layered earth (K - 1 and its derivatives) is a sum of decaying exponentials
// exp(-2 d lambda), d at least the top layer's thickness, and of such terms
// times lambda. So the weights are fitted, by least squares in extended
// precision, to the exact transforms of both families over the whole range of
// c = 2 d / r that soundings meet:
//   exp(-c x)    ->  1 / sqrt(1 + c^2)
//   x exp(-c x)  ->  c / (1 + c^2)^(3/2)
// and c = 0 (the constant, whose transform is 1). It then prints the worst
// error of the first family on a 10 times finer set of c.
//
// Build: cmake --build BUILD --target design_hankel_filter (not part of the
// default build; run it only to change the filter).
#include <Eigen/Dense>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Real = long double;
using Matrix = Eigen::Matrix<Real, Eigen::Dynamic, Eigen::Dynamic>;
using Vector = Eigen::Matrix<Real, Eigen::Dynamic, 1>;

constexpr int WeightCount = 120;
constexpr Real Start = -21.0L;
constexpr Real Step = 0.22L;
constexpr Real LowestC = 1e-6L;
constexpr Real HighestC = 1e8L;
constexpr int FittedCs = 600;

Real LogSpaced(int i, int count) { return std::exp(std::log(LowestC) + (std::log(HighestC) - std::log(LowestC)) * i / (count - 1)); }

} // namespace

int main()
{
    std::vector<Real> b(WeightCount);
    for (int j = 0; j < WeightCount; ++j)
        b[j] = std::exp(Start + j * Step);

    // Rows scaled so that each equation asks for a relative accuracy.
    Matrix a(2 * FittedCs + 1, WeightCount);
    Vector y(2 * FittedCs + 1);
    for (int j = 0; j < WeightCount; ++j)
        a(0, j) = 1.0L;
    y(0) = 1.0L;
    for (int i = 0; i < FittedCs; ++i) {
        const Real c = LogSpaced(i, FittedCs);
        const Real s = std::sqrt(1.0L + c * c);
        const Real plain = 1.0L / s;
        const Real withX = c / (s * s * s);
        const Real withXScale = withX + plain / s;
        for (int j = 0; j < WeightCount; ++j) {
            a(1 + 2 * i, j) = std::exp(-c * b[j]) / plain;
            a(2 + 2 * i, j) = b[j] * std::exp(-c * b[j]) / withXScale;
        }
        y(1 + 2 * i) = 1.0L;
        y(2 + 2 * i) = withX / withXScale;
    }
    Eigen::BDCSVD<Matrix> svd(a, Eigen::ComputeThinU | Eigen::ComputeThinV);
    svd.setThreshold(1e-17L);
    const Vector w = svd.solve(y);

    Real worst = 0.0L;
    for (int i = 0; i < 10 * FittedCs; ++i) {
        const Real c = LogSpaced(i, 10 * FittedCs);
        Real sum = 0.0L;
        for (int j = 0; j < WeightCount; ++j)
            sum += w(j) * std::exp(-c * b[j]);
        worst = std::max(worst, std::abs(sum - 1.0L / std::sqrt(1.0L + c * c)));
    }
    std::fprintf(stderr, "%d weights, start %Lg, step %Lg: worst error %Lg\n", WeightCount, Start, Step, worst);
    for (int j = 0; j < WeightCount; ++j)
        std::printf("%.17Le\n", w(j));
    return 0;
}
