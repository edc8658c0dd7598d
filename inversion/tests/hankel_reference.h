// Reference potential of a layered earth by direct numerical Hankel transform,
// independent of the image series: the kernel from the tanh recursion and the
// integral by its own adaptive Simpson rule.
#ifndef INVERSION_TESTS_HANKEL_REFERENCE_H
#define INVERSION_TESTS_HANKEL_REFERENCE_H

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace inversion::testing {

// T_1(lambda) / rho_1 of the layering.
inline double TanhKernel(const std::vector<double>& rho, const std::vector<double>& h, double lambda) {
  double t = rho.back();
  for (std::size_t i = h.size(); i-- > 0;) {
    const double th = std::tanh(lambda * h[i]);
    t = (t + rho[i] * th) / (1.0 + t * th / rho[i]);
  }
  return t / rho.front();
}

template <typename F>
double Simpson(const F& f, double a, double b, double fa, double fm, double fb, double whole, double tol, int depth) {
  const double m = 0.5 * (a + b);
  const double flm = f(0.5 * (a + m));
  const double frm = f(0.5 * (m + b));
  const double left = (m - a) / 6.0 * (fa + 4.0 * flm + fm);
  const double right = (b - m) / 6.0 * (fm + 4.0 * frm + fb);
  if (depth == 0 || std::abs(left + right - whole) <= 15.0 * tol) return left + right + (left + right - whole) / 15.0;
  return Simpson(f, a, m, fa, flm, fm, left, tol / 2, depth - 1) + Simpson(f, m, b, fm, frm, fb, right, tol / 2, depth - 1);
}

// rho_1 I / (2 pi) [1/r + integral_0^inf (K(lambda) - 1) J0(lambda r) dlambda];
// K - 1 decays like exp(-2 lambda h_1), so the integral is cut at 25 / h_1.
inline double HankelPotential(const std::vector<double>& rho, const std::vector<double>& h, double r, double current) {
  double depth = 0.0;
  for (double t : h) depth += t;
  const double top = h.front();
  const double upper = 25.0 / top;
  const double width = 0.5 * std::min({1.0 / r, 1.0 / depth, 1.0 / top});
  const auto f = [&](double lambda) { return (TanhKernel(rho, h, lambda) - 1.0) * std::cyl_bessel_j(0.0, lambda * r); };
  double integral = 0.0;
  for (double a = 0.0; a < upper; a += width) {
    const double b = std::min(upper, a + width);
    const double fa = f(a), fb = f(b), fm = f(0.5 * (a + b));
    integral += Simpson(f, a, b, fa, fm, fb, (b - a) / 6.0 * (fa + 4.0 * fm + fb), 1e-13 / r, 30);
  }
  return rho.front() * current / (2.0 * std::numbers::pi) * (1.0 / r + integral);
}

}  // namespace inversion::testing

#endif  // INVERSION_TESTS_HANKEL_REFERENCE_H
