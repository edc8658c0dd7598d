// Apparent resistivities of a sounding over a flat layered earth, and their
// sensitivities, through the filtered layered-earth potential.
#pragma once

#include "inversion/LayeredEarthFilter.h"
#include "inversion/electrode_array.h"

#include <Eigen/Core>

#include <cstddef>
#include <span>
#include <vector>

namespace inversion {

// AB/2 and MN/2 of one reading, in metres.
struct SoundingSpacing {
    double halfAB = 0.0;
    double halfMN = 0.0;
};

class SoundingForward {
public:
    // The electrodes of each reading as the sounding of this array type
    // places them (SoundingLayout; its geometric factor is the survey's k).
    // Throws std::invalid_argument naming the reading whose layout does not
    // exist.
    SoundingForward(ArrayType type, std::span<const SoundingSpacing> spacings);

    std::size_t ReadingCount() const { return FReadingTerms.size(); }

    // Apparent resistivity (ohm-m) of every reading.
    std::vector<double> ApparentResistivities(const LayerModel &model) const;
    // The same, and d ln rho_a / d ln p for p = rho_1..rho_n, h_1..h_{n-1}
    // (one row per reading, 2n - 1 columns).
    std::vector<double> ApparentResistivities(const LayerModel &model, Eigen::MatrixXd &logJacobian) const;

private:
    // rho_a = sum of coefficient x U(distance) over the reading's terms, with
    // U(r) = 2 pi r V(r) / I.
    struct Term {
        std::size_t distance;
        double coefficient;
    };

    FilteredPotentials FPotentials; // at the distinct electrode distances, ascending
    std::vector<std::vector<Term>> FReadingTerms;
};

} // namespace inversion
