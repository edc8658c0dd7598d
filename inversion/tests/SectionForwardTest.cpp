#include "SectionFixture.h"

#include "inversion/SectionInversion.h"

#include "synth/electrode_array.h"
#include "synth/layered_earth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace inversion {
namespace {

using testing::ExampleDesigns;

struct TErrors {
    double Median = 0, Worst = 0;
};

TErrors RelativeErrors(const std::vector<double> &computed, const std::vector<double> &expected)
{
    std::vector<double> errors;
    for (std::size_t i = 0; i < computed.size(); ++i)
        errors.push_back(std::abs(computed[i] / expected[i] - 1.0));
    std::sort(errors.begin(), errors.end());
    return {errors[errors.size() / 2], errors.back()};
}

TEST(SectionWavenumbers, TransformOfK0GivesTheInverseDistance)
{
    // (2/pi) integral K0(k r) dk = 1/r over the distances of a 48-electrode line.
    const TWavenumbers set = SectionWavenumbers(1.0);
    for (double r : {1.0, 2.0, 5.0, 10.0, 30.0, 47.0, 100.0}) {
        double sum = 0;
        for (std::size_t i = 0; i < set.K.size(); ++i)
            sum += set.W[i] * std::cyl_bessel_k(0.0, set.K[i] * r);
        EXPECT_NEAR(2.0 / std::numbers::pi * sum * r, 1.0, 0.0015) << "r = " << r;
    }
}

TEST(SectionForward, HalfSpaceGivesItsResistivityForEveryExampleReading)
{
    const auto designs = ExampleDesigns();
    ASSERT_GE(designs.size(), 8u);
    for (const auto &design : designs) {
        SCOPED_TRACE(design.Name);
        ASSERT_GE(design.Readings.size(), 10u);
        TSectionModelling modelling(design.Readings);
        const auto computed =
            modelling.ApparentResistivities(modelling.TriangleResistivities([](double, double) { return 100.0; }), false);
        const TErrors errors = RelativeErrors(computed, std::vector<double>(computed.size(), 100.0));
        EXPECT_LE(errors.Median, 0.01);
        EXPECT_LE(errors.Worst, 0.03);
    }
}

} // namespace
} // namespace inversion
