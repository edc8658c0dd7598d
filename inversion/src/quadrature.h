// Adaptive Simpson quadrature for smooth integrands on a finite interval.
#ifndef INVERSION_QUADRATURE_H
#define INVERSION_QUADRATURE_H

#include <algorithm>
#include <cmath>
#include <vector>

namespace inversion::detail {

constexpr double kRoundingFloor = 1e-13;

template <typename Integrand>
double RefineSimpson(const Integrand& f, double a, double b, double fa, double fm, double fb, double whole,
                     double tolerance, int depth) {
  const double m = 0.5 * (a + b);
  const double leftMid = 0.5 * (a + m);
  const double rightMid = 0.5 * (m + b);
  const double fLeftMid = f(leftMid);
  const double fRightMid = f(rightMid);
  const double left = (m - a) / 6.0 * (fa + 4.0 * fLeftMid + fm);
  const double right = (b - m) / 6.0 * (fm + 4.0 * fRightMid + fb);
  const double delta = left + right - whole;
  // Stop at the requested accuracy, or where rounding would swamp any further
  // refinement (a purely absolute tolerance below it would recurse to the limit).
  const double floor = kRoundingFloor * (std::abs(left) + std::abs(right));
  if (depth <= 0 || std::abs(delta) <= 15.0 * std::max(tolerance, floor)) {
    return left + right + delta / 15.0;  // Richardson step
  }
  return RefineSimpson(f, a, m, fa, fLeftMid, fm, left, 0.5 * tolerance, depth - 1) +
         RefineSimpson(f, m, b, fm, fRightMid, fb, right, 0.5 * tolerance, depth - 1);
}

// Integral of f over [a, b], cut into equal panels (at least one per feature
// of the integrand, so that no feature falls between the first samples), to
// about max(absolute, relative * |integral|); the relative part is judged on
// a first, coarse pass.
template <typename Integrand>
double AdaptiveSimpson(const Integrand& f, double a, double b, int panels, double relative, double absolute,
                       int maxDepth = 30) {
  struct Panel {
    double lo, hi, flo, fmid, fhi, whole;
  };
  std::vector<Panel> coarse;
  coarse.reserve(static_cast<std::size_t>(panels));
  const double width = (b - a) / panels;
  double estimate = 0.0;
  double previous = f(a);
  for (int i = 0; i < panels; ++i) {
    const double lo = a + i * width;
    const double hi = (i + 1 == panels) ? b : lo + width;
    const double fhi = f(hi);
    const double fmid = f(0.5 * (lo + hi));
    const double whole = (hi - lo) / 6.0 * (previous + 4.0 * fmid + fhi);
    coarse.push_back({lo, hi, previous, fmid, fhi, whole});
    estimate += whole;
    previous = fhi;
  }
  const double tolerance = std::max(absolute, relative * std::abs(estimate)) / panels;
  double sum = 0.0;
  for (const Panel& p : coarse) sum += RefineSimpson(f, p.lo, p.hi, p.flo, p.fmid, p.fhi, p.whole, tolerance, maxDepth);
  return sum;
}

}  // namespace inversion::detail

#endif  // INVERSION_QUADRATURE_H
