// The potential of a point source on a flat layered earth by a digital
// Hankel-transform filter, with the derivatives the inversion needs.
//
// V(r) = I / (2 pi r) [rho_1 + sum_j w_j (T(b_j / r) - rho_1)], where T is
// the resistivity transform of the layering (Koefoed's recursion
// T_i = (T_{i+1} + rho_i tanh(lambda h_i)) / (1 + T_{i+1} tanh(lambda h_i) / rho_i),
// T_n = rho_n) and b_j = exp(start + j step) the filter's abscissae.
// The recursion runs on e = exp(-2 lambda h), tanh(lambda h) = (1 - e) / (1 + e),
// for all abscissae of a distance at once, with one division per layer.
#pragma once

#include <Eigen/Core>

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

// The filter's sums U(r) = 2 pi r V(r) / I at a fixed set of distances; the
// filter's abscissae over each distance (the lambda grid) are made once.
class FilteredPotentials {
public:
    FilteredPotentials() = default;
    explicit FilteredPotentials(std::vector<double> distances);

    std::size_t DistanceCount() const { return FDistances.size(); }

    // U at every distance (ohm-m).
    void Evaluate(const LayerModel &model, std::span<double> u) const;
    // The same, and dU/d rho_i in columns 0..n-1, dU/d h_i in columns
    // n..2n-2 (one row per distance).
    void Evaluate(const LayerModel &model, std::span<double> u, Eigen::MatrixXd &derivatives) const;

private:
    template <bool WithDerivatives>
    void Sum(const LayerModel &model, std::span<double> u, Eigen::MatrixXd *derivatives) const;

    std::vector<double> FDistances;
    Eigen::ArrayXXd FLambdas; // HankelFilterSize x distances
};

} // namespace inversion
