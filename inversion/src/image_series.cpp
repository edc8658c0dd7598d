// Image series of the potential of a point source on a flat layered earth.
//
// Kernel: with u = exp(-2 lambda dh) and layer i being n_i steps thick, the
// normalised resistivity transform K(u) = T_1 / rho_1 is built from the bottom
// up: T_N / rho_N = 1 and, with r = rho_(i+1) / rho_i and v = u^(n_i),
//   T_i / rho_i = (r P (1 + v) + Q (1 - v)) / (Q (1 + v) + r P (1 - v))
// for T_(i+1) / rho_(i+1) = P / Q. K = P / Q is then expanded as
// 1 + 2 sum q_n u^n, and since the Hankel transform of u^n is
// 1 / sqrt(r^2 + (2 n dh)^2), each q_n is the strength of one image source.
#include "inversion/layered_earth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <stdexcept>

#include "quadrature.h"

namespace inversion {
namespace {

// A layer above the half-space.
struct Layer {
  double resistivity;
  double thickness;
};

// Relative thickness below which a layer is neglected.
constexpr double kNegligibleLayerFraction = 1e-3;
// Largest rounding error of a layer on the common step, relative to the thinnest layer.
constexpr double kStepRoundingFraction = 0.01;
constexpr int kMaxStepDivisions = 50;
// Relative accuracy of the tail integral.
constexpr double kTailAccuracy = 1e-10;
// Most panels of the tail integral: a few seconds of work.
constexpr double kMaxTailPanels = 2000.0;  // 1 / (2 kStepRoundingFraction): always meets the error bound

// Drops negligible layers and merges neighbours of equal resistivity; the
// half-space absorbs an equal layer above it.
std::vector<Layer> SimplifiedLayers(const LayeredEarth& earth, double& halfSpaceResistivity) {
  const std::size_t layerCount = earth.thicknesses.size();
  double stack = 0.0;
  for (double h : earth.thicknesses) stack += h;

  std::vector<Layer> layers;
  for (std::size_t i = 0; i < layerCount; ++i) {
    if (earth.thicknesses[i] > kNegligibleLayerFraction * stack) {
      layers.push_back({earth.resistivities[i], earth.thicknesses[i]});
    }
  }
  halfSpaceResistivity = earth.resistivities.back();

  std::vector<Layer> merged;
  for (const Layer& layer : layers) {
    if (!merged.empty() && merged.back().resistivity == layer.resistivity) {
      merged.back().thickness += layer.thickness;
    } else {
      merged.push_back(layer);
    }
  }
  while (!merged.empty() && merged.back().resistivity == halfSpaceResistivity) merged.pop_back();
  return merged;
}

double RoundingError(double thickness, double step) {
  return std::abs(thickness - std::max(1.0, std::round(thickness / step)) * step);
}

double CommonStep(const std::vector<Layer>& layers) {
  double thinnest = layers.front().thickness;
  for (const Layer& layer : layers) thinnest = std::min(thinnest, layer.thickness);
  const double allowed = kStepRoundingFraction * thinnest * (1.0 + 1e-12);
  for (int divisions = 1;; ++divisions) {
    const double step = thinnest / divisions;
    const bool fits = std::all_of(layers.begin(), layers.end(),
                                  [&](const Layer& layer) { return RoundingError(layer.thickness, step) <= allowed; });
    if (fits || divisions == kMaxStepDivisions) return step;
  }
}

using Polynomial = std::vector<double>;

// a * (1 + s u^n) + b * (1 - s u^n) for polynomials a, b (s = +1 or -1 folded in by the caller).
Polynomial CombineLayer(const Polynomial& plusPart, const Polynomial& minusPart, std::size_t n) {
  const std::size_t size = std::max(plusPart.size(), minusPart.size()) + n;
  Polynomial out(size, 0.0);
  for (std::size_t i = 0; i < plusPart.size(); ++i) {
    out[i] += plusPart[i];
    out[i + n] += plusPart[i];
  }
  for (std::size_t i = 0; i < minusPart.size(); ++i) {
    out[i] += minusPart[i];
    out[i + n] -= minusPart[i];
  }
  return out;
}

Polynomial Scaled(const Polynomial& p, double factor) {
  Polynomial out(p);
  for (double& c : out) c *= factor;
  return out;
}

}  // namespace

ImageSeries::ImageSeries(const LayeredEarth& flatEarth) : ImageSeries(flatEarth, Options{}) {}

ImageSeries::ImageSeries(const LayeredEarth& flatEarth, Options options) {
  ValidateEarth(flatEarth);
  double halfSpace = 0.0;
  const std::vector<Layer> layers = SimplifiedLayers(flatEarth, halfSpace);
  if (layers.empty()) {
    surfaceResistivity_ = halfSpace;
    return;
  }
  surfaceResistivity_ = layers.front().resistivity;
  step_ = CommonStep(layers);
  std::size_t degree = 0;
  for (const Layer& layer : layers) {
    stepCounts_.push_back(static_cast<std::size_t>(std::max(1.0, std::round(layer.thickness / step_))));
    degree += stepCounts_.back();
  }

  // Kernel P / Q from the bottom up, normalised to P(0) = Q(0) = 1 at every step.
  Polynomial p{1.0};
  Polynomial q{1.0};
  double below = halfSpace;
  for (std::size_t i = layers.size(); i-- > 0;) {
    const double ratio = below / layers[i].resistivity;
    const Polynomial rp = Scaled(p, ratio);
    Polynomial numerator = CombineLayer(rp, q, stepCounts_[i]);
    Polynomial denominator = CombineLayer(q, rp, stepCounts_[i]);
    const double norm = denominator[0];
    p = Scaled(numerator, 1.0 / norm);
    q = Scaled(denominator, 1.0 / norm);
    below = layers[i].resistivity;
  }
  for (std::size_t j = 1; j < q.size(); ++j) {
    if (q[j] != 0.0) denominator_.push_back({j, q[j]});
  }

  // Power series of P / Q: c_0 = 1, c_n = p_n - sum_j q_j c_(n-j); q_n = c_n / 2.
  // Room for the negligible run below even when the layering needs many steps.
  const std::size_t cap = std::max(options.maxTerms, 4 * degree);
  std::vector<double> c{1.0};
  double largest = 1.0;
  std::size_t smallRun = 0;
  bool complete = false;
  for (std::size_t n = 1; n <= cap; ++n) {
    double value = n < p.size() ? p[n] : 0.0;
    for (const Term& term : denominator_) {
      if (term.power > n) break;
      value -= term.value * c[n - term.power];
    }
    c.push_back(value);
    largest = std::max(largest, std::abs(value));
    smallRun = std::abs(value) <= options.tolerance * largest ? smallRun + 1 : 0;
    // After `degree` negligible terms in a row (the memory of the recursion)
    // every later term is negligible too.
    if (n >= degree && smallRun >= degree) {
      complete = true;
      break;
    }
  }
  termCount_ = c.size() - 1;
  for (std::size_t n = 1; n <= termCount_; ++n) {
    if (c[n] != 0.0) images_.push_back({n, 0.5 * c[n]});
  }

  if (!complete) {
    // P - Q C_N = u^(N+1) W(u) with W_t = -sum_(j >= t+1) q_j c_(N+1+t-j).
    const std::size_t last = termCount_;
    tailNumerator_.assign(degree, 0.0);
    for (std::size_t t = 0; t < degree; ++t) {
      double value = 0.0;
      for (const Term& term : denominator_) {
        if (term.power >= t + 1) value -= term.value * c[last + 1 + t - term.power];
      }
      tailNumerator_[t] = value;
    }
  }
}

double ImageSeries::ImageSum(double distance) const {
  const double r2 = distance * distance;
  const double twoStep = 2.0 * step_;
  double sum = 0.0;
  for (const Term& image : images_) {
    const double depth = twoStep * static_cast<double>(image.power);
    sum += image.value / std::sqrt(r2 + depth * depth);
  }
  return sum;
}

// sum_(n > N) q_n / sqrt(r^2 + (2 n dh)^2)
//   = 1/2 integral_0^inf u^(N+1) W(u) / Q(u) J0(lambda r) dlambda
//   = 1 / (4 (N+1) dh) integral_0^inf e^-s W(u) / Q(u) J0(alpha s) ds,
// with s = 2 (N+1) dh lambda, u = e^(-s / (N+1)), alpha = r / (2 (N+1) dh).
double ImageSeries::TailSum(double distance) const {
  const double shifted = static_cast<double>(termCount_ + 1);
  const double alpha = distance / (2.0 * shifted * step_);
  const auto integrand = [&](double s) {
    const double u = std::exp(-s / shifted);
    double numerator = 0.0;
    for (std::size_t t = tailNumerator_.size(); t-- > 0;) numerator = numerator * u + tailNumerator_[t];
    double denominator = 1.0;
    for (const Term& term : denominator_) denominator += term.value * std::pow(u, static_cast<double>(term.power));
    return std::exp(-s) * numerator / denominator * std::cyl_bessel_j(0.0, alpha * s);
  };
  constexpr double kUpperLimit = 50.0;  // e^-50: nothing left beyond
  // Panels no wider than the oscillation scale of J0. The accuracy asked is
  // relative to the larger of the tail and the direct 1/r term, 1 / alpha here.
  const double panelWidth = std::min(2.0, 1.0 / alpha);
  const double wantedPanels = std::ceil(kUpperLimit / panelWidth);
  // A step tiny against the distance (a layer pinched almost to nothing under
  // a strong contrast) would need more panels than an int holds and hours of
  // work: refuse it instead.
  if (!(wantedPanels <= kMaxTailPanels)) {
    std::ostringstream message;
    message << "the layering is too fine (step " << step_ << " m) for electrodes " << distance << " m apart";
    throw std::invalid_argument(message.str());
  }
  const int panels = static_cast<int>(wantedPanels);
  const double integral = detail::AdaptiveSimpson(integrand, 0.0, kUpperLimit, panels, kTailAccuracy, kTailAccuracy / alpha);
  return integral / (4.0 * shifted * step_);
}

double ImageSeries::Potential(double distance, double current) const {
  if (!(distance > 0.0) || !std::isfinite(distance)) {
    throw std::invalid_argument("the distance to a current source must be positive");
  }
  double images = ImageSum(distance);
  if (HasTail()) images += TailSum(distance);
  return surfaceResistivity_ * current / (2.0 * std::numbers::pi) * (1.0 / distance + 2.0 * images);
}

double PointSourcePotential(const LayeredEarth& earth, double distance, double current) {
  return ImageSeries(earth).Potential(distance, current);
}

}  // namespace inversion
