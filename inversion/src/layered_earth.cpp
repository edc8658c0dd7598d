#include "inversion/layered_earth.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace inversion {

void ValidateEarth(const LayeredEarth& earth) {
  if (earth.resistivities.empty()) throw std::invalid_argument("the earth model has no layers");
  for (double rho : earth.resistivities) {
    if (!(rho > 0.0) || !std::isfinite(rho)) {
      throw std::invalid_argument("every resistivity must be positive and finite, got " + std::to_string(rho));
    }
  }
  if (earth.thicknesses.size() + 1 != earth.resistivities.size()) {
    throw std::invalid_argument("the earth model needs one thickness fewer than resistivities");
  }
  for (double h : earth.thicknesses) {
    if (!(h >= 0.0) || !std::isfinite(h)) {
      throw std::invalid_argument("every thickness must be zero or positive and finite, got " + std::to_string(h));
    }
  }
  if (!(std::abs(earth.dipDegrees) <= 89.0)) throw std::invalid_argument("the dip must lie between -89 and 89 degrees");
  if (!std::isfinite(earth.dipOrigin)) throw std::invalid_argument("the dip origin must be finite");
  if (!earth.chargeabilities.empty()) {
    if (earth.chargeabilities.size() != earth.resistivities.size()) {
      throw std::invalid_argument("the earth model needs one chargeability per layer, or none");
    }
    for (double m : earth.chargeabilities) {
      if (!(m >= 0.0 && m < 1.0)) {
        throw std::invalid_argument("every chargeability must lie in [0, 1), got " + std::to_string(m));
      }
    }
  }
}

LayeredEarth LayeringAt(const LayeredEarth& earth, double x) {
  ValidateEarth(earth);
  if (!std::isfinite(x)) throw std::invalid_argument("the position must be finite");
  const double shift = (x - earth.dipOrigin) * std::tan(earth.dipDegrees * std::numbers::pi / 180.0);
  const bool chargeable = !earth.chargeabilities.empty();

  LayeredEarth local;
  local.dipOrigin = x;
  double depth = 0.0;          // unshifted depth of the interface below layer i
  double previousShifted = 0.0;  // shifted depth of the interface above layer i
  for (std::size_t i = 0; i < earth.thicknesses.size(); ++i) {
    depth += earth.thicknesses[i];
    const double shifted = std::max(0.0, depth + shift);
    const double thickness = shifted - previousShifted;
    previousShifted = shifted;
    if (thickness <= 0.0) continue;  // pinched out here
    local.resistivities.push_back(earth.resistivities[i]);
    local.thicknesses.push_back(thickness);
    if (chargeable) local.chargeabilities.push_back(earth.chargeabilities[i]);
  }
  local.resistivities.push_back(earth.resistivities.back());
  if (chargeable) local.chargeabilities.push_back(earth.chargeabilities.back());
  return local;
}

}  // namespace inversion
