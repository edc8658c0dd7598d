// The potential of a point source on a flat layered earth by a digital
// Hankel-transform filter, with the derivatives the inversion needs.
//
// V(r) = I / (2 pi r) [rho_1 + sum_j w_j (T(b_j / r) - rho_1)], where T is
// the resistivity transform of the layering (Koefoed's recursion
// T_i = (T_{i+1} + rho_i tanh(lambda h_i)) / (1 + T_{i+1} tanh(lambda h_i) / rho_i),
// T_n = rho_n) and b_j = exp(start + j step) the filter's abscissae.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace inversion {

// Flat layers from the surface down: n resistivities (ohm-m, > 0) and n - 1
// thicknesses (m, > 0); the last resistivity is the half-space.
struct LayerModel {
    std::vector<double> resistivities;
    std::vector<double> thicknesses;

    std::size_t LayerCount() const { return resistivities.size(); }
};

inline constexpr std::size_t HankelFilterSize = 120;

const std::array<double, HankelFilterSize> &HankelFilterWeights();
std::array<double, HankelFilterSize> HankelFilterAbscissae();

// T(lambda) of the layering.
double ResistivityTransform(const LayerModel &model, double lambda);

// Scratch of the transform with derivatives (kept between calls to spare
// allocations).
struct TransformWork {
    std::vector<double> below, tanh, value;
};

// T(lambda) and, into gradient (2n entries), dT/d rho_i for i < n, then
// dT/d h_i at n + i for i < n - 1 (entry 2n - 1 is left alone).
double ResistivityTransform(const LayerModel &model, double lambda, TransformWork &work, std::span<double> gradient);

} // namespace inversion
