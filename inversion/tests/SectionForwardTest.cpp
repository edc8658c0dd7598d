#include "SectionFixture.h"

#include "inversion/SectionInversion.h"

#include "inversion/electrode_array.h"
#include "inversion/layered_earth.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace inversion {
namespace {

using testing::DistinctDesigns;
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
    const auto designs = DistinctDesigns(ExampleDesigns());
    ASSERT_GE(designs.size(), 5u);
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

struct TLayeredCase {
    const char *Name;
    inversion::LayeredEarth Earth;
};

// Apparent resistivities of the image-series solution for the readings.
std::vector<double> ImageSeriesResistivities(const inversion::LayeredEarth &earth,
                                             const std::vector<TSectionReading> &readings)
{
    std::vector<double> values;
    for (const TSectionReading &r : readings) {
        const auto quadripole = inversion::LineQuadripole(r.A, r.RemoteB ? std::nullopt : std::optional<double>(r.B), r.M,
                                                      r.RemoteN ? std::nullopt : std::optional<double>(r.N));
        values.push_back(inversion::ApparentResistivity(earth, quadripole));
    }
    return values;
}

// Resistivity at (x, z) of the layered earth: every interface deeper by
// (x - dipOrigin) tan(dip).
double LayeredResistivity(const inversion::LayeredEarth &earth, double x, double z)
{
    double interface = (x - earth.dipOrigin) * std::tan(earth.dipDegrees * std::numbers::pi / 180.0);
    for (std::size_t layer = 0; layer < earth.thicknesses.size(); ++layer) {
        interface += earth.thicknesses[layer];
        if (z < interface)
            return earth.resistivities[layer];
    }
    return earth.resistivities.back();
}

inversion::LayeredEarth Earth(std::vector<double> resistivities, std::vector<double> thicknesses, double dip = 0.0,
                          double dipOrigin = 0.0)
{
    inversion::LayeredEarth earth;
    earth.resistivities = std::move(resistivities);
    earth.thicknesses = std::move(thicknesses);
    earth.dipDegrees = dip;
    earth.dipOrigin = dipOrigin;
    return earth;
}

// The four-electrode readings whose electrodes lie within `span` of each other.
std::vector<TSectionReading> ShortReadings(const std::vector<TSectionReading> &readings, double span)
{
    std::vector<TSectionReading> kept;
    for (const TSectionReading &r : readings) {
        std::vector<double> line{r.A, r.M};
        if (!r.RemoteB)
            line.push_back(r.B);
        if (!r.RemoteN)
            line.push_back(r.N);
        if (!r.RemoteB && *std::max_element(line.begin(), line.end()) - *std::min_element(line.begin(), line.end()) <= span)
            kept.push_back(r);
    }
    return kept;
}

double Spacing(const std::vector<TSectionReading> &readings)
{
    const std::vector<double> line = LinePositions(readings);
    double spacing = line[1] - line[0];
    for (std::size_t i = 1; i < line.size(); ++i)
        spacing = std::min(spacing, line[i] - line[i - 1]);
    return spacing;
}

TEST(SectionForward, LayeredEarthsAgreeWithTheImageSeries)
{
    for (const auto &design : DistinctDesigns(ExampleDesigns())) {
        const double spacing = Spacing(design.Readings);
        const TLayeredCase cases[] = {
            {"two layers 100/20", Earth({100.0, 20.0}, {1.5 * spacing})},
            {"two layers 20/200", Earth({20.0, 200.0}, {1.0 * spacing})},
            {"two layers 50/500", Earth({50.0, 500.0}, {2.0 * spacing})},
            {"three layers 100/20/500", Earth({100.0, 20.0, 500.0}, {1.0 * spacing, 3.0 * spacing})},
        };
        // Rows of half a spacing, so that the interfaces are mesh lines.
        TSectionMeshOptions rows;
        rows.FirstLayer = spacing / 2;
        rows.LayerGrowth = 1.0;
        TSectionModelling modelling(design.Readings, rows);
        for (const auto &layered : cases) {
            SCOPED_TRACE(design.Name + ": " + layered.Name);
            const auto computed = modelling.ApparentResistivities(
                modelling.TriangleResistivities(
                    [&](double x, double z) { return LayeredResistivity(layered.Earth, x, z); }),
                false);
            const TErrors errors = RelativeErrors(computed, ImageSeriesResistivities(layered.Earth, design.Readings));
            EXPECT_LE(errors.Worst, 0.03) << "median " << errors.Median;
        }
    }
}

TEST(SectionForward, DippingEarthAgreesWithTheImageSeriesUnderShortArrays)
{
    // The image series takes the layering under each array's mid-point, which
    // holds while the interface moves little under the array: four-electrode
    // readings (a remote current electrode spreads current all round A)
    // whose electrodes span at most three spacings.
    int compared = 0;
    for (const auto &design : DistinctDesigns(ExampleDesigns())) {
        SCOPED_TRACE(design.Name);
        const double spacing = Spacing(design.Readings);
        const auto readings = ShortReadings(design.Readings, 3 * spacing);
        if (readings.size() < MinimumSectionReadings)
            continue;
        const std::vector<double> line = LinePositions(readings);
        const inversion::LayeredEarth earth = Earth({100.0, 20.0}, {2.0 * spacing}, 3.0, 0.5 * (line.front() + line.back()));
        TSectionModelling modelling(readings);
        const auto computed = modelling.ApparentResistivities(
            modelling.TriangleResistivities([&](double x, double z) { return LayeredResistivity(earth, x, z); }), false);
        const TErrors errors = RelativeErrors(computed, ImageSeriesResistivities(earth, readings));
        EXPECT_LE(errors.Worst, 0.03) << "median " << errors.Median << " of " << readings.size();
        ++compared;
    }
    EXPECT_GE(compared, 3);
}

} // namespace
} // namespace inversion
