#include "inversion/electrode_array.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace inversion {
namespace {

constexpr double kZeroDSpacing = 5.0;  // m, Wenner a of the 0D arrangement

double Distance(const SurfacePoint& p, const SurfacePoint& q) { return std::hypot(p.x - q.x, p.y - q.y); }

double InverseDistance(const SurfacePoint& p, const SurfacePoint& q) {
  const double d = Distance(p, q);
  if (!(d > 0.0)) throw std::invalid_argument("a current electrode coincides with a potential electrode");
  return 1.0 / d;
}

// V(M) - V(N) for +1 A at A and -1 A at B.
double VoltagePerAmpere(const ImageSeries& earth, const Quadripole& q) {
  const auto potential = [&](const SurfacePoint& source, const SurfacePoint& point) {
    return earth.Potential(Distance(source, point), 1.0);
  };
  double voltage = potential(q.a, q.m);
  if (q.b) voltage -= potential(*q.b, q.m);
  if (q.n) voltage -= potential(q.a, *q.n);
  if (q.b && q.n) voltage += potential(*q.b, *q.n);
  return voltage;
}

void RequireFinite(const SurfacePoint& p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) throw std::invalid_argument("electrode positions must be finite");
}

}  // namespace

Quadripole LineQuadripole(double xA, std::optional<double> xB, double xM, std::optional<double> xN) {
  Quadripole q;
  q.a = {xA, 0.0};
  q.m = {xM, 0.0};
  if (xB) q.b = SurfacePoint{*xB, 0.0};
  if (xN) q.n = SurfacePoint{*xN, 0.0};
  return q;
}

Quadripole SoundingLayout(ArrayType type, double halfAB, double halfMN, double centre) {
  const double L = halfAB;
  const double l = halfMN;
  if (!(L > 0.0) || !std::isfinite(L) || !std::isfinite(l) || !std::isfinite(centre)) {
    throw std::invalid_argument("AB/2 must be positive and MN/2 finite");
  }
  const bool needsDipole = type != ArrayType::PolePole;
  if (needsDipole && !(l > 0.0)) throw std::invalid_argument("MN/2 must be positive for this array type");
  if (needsDipole && type != ArrayType::EquatorialDipoleDipole && !(l < L)) {
    throw std::invalid_argument("MN/2 must be smaller than AB/2 for this array type");
  }
  const auto at = [&](double x) { return SurfacePoint{centre + x, 0.0}; };
  Quadripole q;
  switch (type) {
    case ArrayType::Wenner:
    case ArrayType::Schlumberger:
    case ArrayType::Custom:
      q.a = at(-L);
      q.m = at(-l);
      q.n = at(l);
      q.b = at(L);
      break;
    case ArrayType::DipoleDipole:
    case ArrayType::WennerBeta:
      q.a = at(-L);
      q.b = at(-l);
      q.m = at(l);
      q.n = at(L);
      break;
    case ArrayType::WennerGamma:
      q.a = at(-L);
      q.m = at(-l);
      q.b = at(l);
      q.n = at(L);
      break;
    case ArrayType::FwdPoleDipole:
      q.a = at(-L / 2);
      q.m = at(L / 2 - l);
      q.n = at(L / 2 + l);
      break;
    case ArrayType::RevPoleDipole:
      q.a = at(L / 2);
      q.m = at(-L / 2 + l);
      q.n = at(-L / 2 - l);
      break;
    case ArrayType::PolePole:
      q.a = at(-L / 2);
      q.m = at(L / 2);
      break;
    case ArrayType::EquatorialDipoleDipole:
      q.a = {centre - L, -l};
      q.b = SurfacePoint{centre - L, l};
      q.m = {centre + L, -l};
      q.n = SurfacePoint{centre + L, l};
      break;
    default:
      throw std::invalid_argument("unknown array type " + std::to_string(static_cast<int>(type)));
  }
  return q;
}

std::vector<Quadripole> ZeroDLayouts(std::size_t count) {
  const double a = kZeroDSpacing;
  return std::vector<Quadripole>(count, LineQuadripole(-1.5 * a, 1.5 * a, -0.5 * a, 0.5 * a));
}

double GeometricSum(const Quadripole& q) {
  RequireFinite(q.a);
  RequireFinite(q.m);
  if (q.b) RequireFinite(*q.b);
  if (q.n) RequireFinite(*q.n);
  double sum = InverseDistance(q.a, q.m);
  if (q.b) sum -= InverseDistance(*q.b, q.m);
  if (q.n) sum -= InverseDistance(q.a, *q.n);
  if (q.b && q.n) sum += InverseDistance(*q.b, *q.n);
  return sum;
}

double GeometricFactor(const Quadripole& q) {
  const double sum = GeometricSum(q);
  if (sum == 0.0) throw std::invalid_argument("the geometric factor of this electrode layout is infinite");
  return 2.0 * std::numbers::pi / std::abs(sum);
}

double ArrayMidPoint(const Quadripole& q) {
  const double currentCentre = q.b ? 0.5 * (q.a.x + q.b->x) : q.a.x;
  const double potentialCentre = q.n ? 0.5 * (q.m.x + q.n->x) : q.m.x;
  return 0.5 * (currentCentre + potentialCentre);
}

double ApparentResistivity(const ImageSeries& flatEarth, const Quadripole& q) {
  const double sum = GeometricSum(q);
  if (sum == 0.0) throw std::invalid_argument("the geometric factor of this electrode layout is infinite");
  return 2.0 * std::numbers::pi / sum * VoltagePerAmpere(flatEarth, q);
}

double ApparentResistivity(const LayeredEarth& earth, const Quadripole& q) {
  return ApparentResistivity(ImageSeries(LayeringAt(earth, ArrayMidPoint(q))), q);
}

double ApparentChargeability(const LayeredEarth& earth, const Quadripole& q) {
  if (earth.chargeabilities.empty()) {
    ValidateEarth(earth);
    return 0.0;
  }
  LayeredEarth local = LayeringAt(earth, ArrayMidPoint(q));
  const double plain = ApparentResistivity(ImageSeries(local), q);
  for (std::size_t i = 0; i < local.resistivities.size(); ++i) {
    local.resistivities[i] /= 1.0 - local.chargeabilities[i];
  }
  const double charged = ApparentResistivity(ImageSeries(local), q);
  return 1.0 - plain / charged;
}

}  // namespace inversion
