// A horizontally layered earth, optionally tilted along the survey line, and
// the potential of a point current source on its surface.
#ifndef INVERSION_LAYERED_EARTH_H
#define INVERSION_LAYERED_EARTH_H

#include <cstddef>
#include <vector>

namespace inversion {

// Layers from the surface down; the last resistivity is the half-space below
// the deepest interface. All interfaces are parallel: with a dip, the depth of
// every interface changes by (x - dipOrigin) * tan(dip) along the line (x in
// metres, positive dip = deeper towards +x), so only the top layer's thickness
// varies; where the interfaces reach the surface the layers pinch out.
struct LayeredEarth {
  std::vector<double> resistivities;    // ohm-m, each > 0, at least one
  std::vector<double> thicknesses;      // m, each >= 0, one fewer than resistivities
  double dipDegrees = 0.0;              // -89 to 89
  double dipOrigin = 0.0;               // x (m) at which the thicknesses hold
  std::vector<double> chargeabilities;  // intrinsic chargeability per layer, 0 <= m < 1; empty: none
};

// Throws std::invalid_argument naming the first fault of the model.
void ValidateEarth(const LayeredEarth& earth);

// The flat layering under position x (dip 0, dipOrigin x): the interface
// depths shifted by the dip, pinched-out layers removed.
LayeredEarth LayeringAt(const LayeredEarth& earth, double x);

// Potential of a point source on the surface of a flat layered earth, by the
// image series V(r) = rho1 I / (2 pi) [1/r + 2 sum_n q_n / sqrt(r^2 + (2 n dh)^2)].
//
// The layer thicknesses are expressed on a common step dh (each layer a whole
// number of steps; dh is the thinnest layer divided by the smallest whole
// number that keeps every rounding error within 1 % of the thinnest layer).
// The image strengths q_n are the power-series coefficients, in
// u = exp(-2 lambda dh), of the layered-earth kernel, which is a rational
// function of u built from the bottom up. Layers thinner than 1/1000 of the
// layer stack are neglected, and neighbours of equal resistivity merged.
//
// The images are summed until they are negligible (tolerance relative to the
// largest strength). When the strengths decay slowly (resistivity contrasts
// near 1 or 0) and the term cap is reached, the rest of the series is not cut
// off: its exact kernel, u^(N+1) W(u) / Q(u), is integrated against J0 as a
// Hankel transform, so the result stays accurate for any contrast.
class ImageSeries {
 public:
  struct Options {
    std::size_t maxTerms = 20000;  // image terms before the tail integral takes over (at least 4 x the steps)
    double tolerance = 1e-13;      // negligible strength, relative to the largest one
  };

  // Uses the resistivities and thicknesses only (the dip is ignored; take the
  // layering at the position wanted with LayeringAt). Validates the earth.
  explicit ImageSeries(const LayeredEarth& flatEarth);
  ImageSeries(const LayeredEarth& flatEarth, Options options);

  // Potential in volts at horizontal distance r > 0 (m) from a source of the
  // given current (A). Throws std::invalid_argument for r <= 0.
  double Potential(double distance, double current) const;

  double SurfaceResistivity() const { return surfaceResistivity_; }
  double Step() const { return step_; }
  // Steps per layer of the layering actually used (after merging/neglecting).
  const std::vector<std::size_t>& StepCounts() const { return stepCounts_; }
  // Number of image terms summed directly; true when a tail integral follows.
  std::size_t TermCount() const { return termCount_; }
  bool HasTail() const { return !tailNumerator_.empty(); }

 private:
  struct Term {
    std::size_t power;
    double value;
  };

  double ImageSum(double distance) const;
  double TailSum(double distance) const;

  double surfaceResistivity_ = 0.0;
  double step_ = 0.0;
  std::vector<std::size_t> stepCounts_;
  std::vector<Term> images_;          // non-zero q_n, n ascending
  std::size_t termCount_ = 0;         // N: strengths q_1..q_N are in images_
  std::vector<Term> denominator_;     // sparse Q(u), Q(0) = 1
  std::vector<double> tailNumerator_; // dense W(u); empty when the series is complete
};

// Convenience: ImageSeries(earth).Potential(distance, current), with the
// layering as given (dip ignored).
double PointSourcePotential(const LayeredEarth& earth, double distance, double current);

}  // namespace inversion

#endif  // INVERSION_LAYERED_EARTH_H
