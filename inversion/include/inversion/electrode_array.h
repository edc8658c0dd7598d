// Four-electrode measurements on the surface: layouts, geometric factor and
// the apparent resistivity of a layered earth.
#ifndef INVERSION_ELECTRODE_ARRAY_H
#define INVERSION_ELECTRODE_ARRAY_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "inversion/layered_earth.h"

namespace inversion {

// A point on the surface in metres; x runs along the survey line, y across it
// (only the equatorial dipole-dipole sounding leaves the line).
struct SurfacePoint {
  double x = 0.0;
  double y = 0.0;
};

// Current +I at A and -I at B, voltage U = V(M) - V(N). B and N are empty for
// remote electrodes (at infinity) of the pole arrays: B of pole-dipole, N and
// B of pole-pole.
struct Quadripole {
  SurfacePoint a;
  std::optional<SurfacePoint> b;
  SurfacePoint m;
  std::optional<SurfacePoint> n;
};

// A measurement on the line from electrode positions in metres.
Quadripole LineQuadripole(double xA, std::optional<double> xB, double xM, std::optional<double> xN);

// The array type codes of the instrument files.
enum class ArrayType : std::uint8_t {
  Wenner = 0,
  Schlumberger = 1,
  DipoleDipole = 2,
  WennerBeta = 3,
  WennerGamma = 4,
  FwdPoleDipole = 5,
  RevPoleDipole = 6,
  PolePole = 7,
  EquatorialDipoleDipole = 8,
  Custom = 9,
};

// The electrodes of one sounding measurement from its AB/2 and MN/2 (metres),
// placed so that its mid-point (see ArrayMidPoint) is at x = centre. The
// geometric factor of the layout is the sounding factor of the array type:
//   Wenner, Schlumberger, Custom  A -L, M -l, N +l, B +L
//   Dipole Dipole, Wenner Beta    A -L, B -l, M +l, N +L
//   Wenner Gamma                  A -L, M -l, B +l, N +L
//   Fwd Pole Dipole               A, then M and N at L -+ l from A
//   Rev Pole Dipole               the mirror image: N and M, then A
//   Pole Pole                     A and M at L from each other
//   Equat. Dipole Dipole          dipoles AB and MN of length 2 l across the
//                                 line, 2 L apart along it
// (L = AB/2, l = MN/2). Throws std::invalid_argument when the layout does not
// exist (l >= L on the line, l <= 0 where a dipole MN is needed, L <= 0).
Quadripole SoundingLayout(ArrayType type, double halfAB, double halfMN, double centre = 0.0);

// The arrangement of a list of single (0D) measurements: a Wenner array with
// a = 5 m centred at x = 0, repeated count times.
std::vector<Quadripole> ZeroDLayouts(std::size_t count);

// 1/AM - 1/BM - 1/AN + 1/BN, the terms of remote electrodes left out.
// Throws std::invalid_argument when two electrodes of a term coincide.
double GeometricSum(const Quadripole& quadripole);

// k = 2 pi / |GeometricSum| in metres. Throws std::invalid_argument when the
// sum is 0 (the voltage vanishes for any homogeneous earth).
double GeometricFactor(const Quadripole& quadripole);

// Mid-point of the array along the line: the centre of the current electrodes
// and the centre of the potential electrodes, averaged (remote electrodes left
// out), which is the mid-point the data tables show for every array type.
double ArrayMidPoint(const Quadripole& quadripole);

// Apparent resistivity (ohm-m) of the measurement: k U / I with U from the
// image series, the sign of the sum carried so that a homogeneous earth gives
// its resistivity whatever the electrode order. For a dipping earth the
// layering under ArrayMidPoint is used (a 1D model per measurement position,
// an approximation that ignores the lateral change within the array).
double ApparentResistivity(const LayeredEarth& earth, const Quadripole& quadripole);
double ApparentResistivity(const ImageSeries& flatEarth, const Quadripole& quadripole);

// Apparent intrinsic chargeability (dimensionless) by Seigel's relation
// m_a = 1 - rho_a(rho) / rho_a(rho / (1 - m)), on the layering under the
// mid-point. 0 when the earth carries no chargeabilities.
double ApparentChargeability(const LayeredEarth& earth, const Quadripole& quadripole);

}  // namespace inversion

#endif  // INVERSION_ELECTRODE_ARRAY_H
