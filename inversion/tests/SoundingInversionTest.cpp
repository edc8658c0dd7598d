// Recovery of layered earths from synthetic Schlumberger soundings made with
// the image series (an independent forward method).
#include "inversion/SoundingInversion.h"
#include "inversion/layered_earth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace inversion {
namespace {

struct TrueEarth {
    const char *name;
    std::vector<double> rho;
    std::vector<double> h;
    // Index of a thin layer judged by its conductance (or transverse
    // resistance when resistive); -1 for none.
    int thinLayer = -1;
    // How far (relative) the smooth model's boundaries may lie from the true
    // ones. The base of a thin resistor trades its depth off against the
    // resistor's resistivity (equivalence in transverse resistance), so the
    // smooth model places it less sharply.
    double smoothTolerance = 0.20;
};

const TrueEarth Earths[] = {
    {"conductive basement", {100, 10}, {6}},
    {"resistive basement", {30, 800}, {4}},
    {"conductor between", {100, 20, 500}, {5, 15}},
    {"resistor between", {40, 400, 15}, {3, 12}, -1, 0.25},
    {"thin conductor", {200, 10, 1000}, {8, 3}, 1},
};

// AB/2 from 1 to 500 m, 8 per decade, MN/2 stepping up as a field crew's.
SoundingData Sounding(const TrueEarth &earth, double noise, unsigned seed)
{
    LayeredEarth layered;
    layered.resistivities = earth.rho;
    layered.thicknesses = earth.h;
    const ImageSeries series(layered);
    std::mt19937_64 random(seed);
    SoundingData data;
    data.arrayType = ArrayType::Schlumberger;
    for (int k = 0; k <= 21; ++k) {
        const double halfAB = std::pow(10.0, k / 8.0);
        const double halfMN = halfAB < 8 ? 0.25 : (halfAB < 60 ? 2.0 : 15.0);
        const double rho = ApparentResistivity(series, SoundingLayout(data.arrayType, halfAB, halfMN));
        // Box-Muller on the raw generator, the same on every library.
        const double u1 = (static_cast<double>(random() >> 11) + 0.5) / 9007199254740992.0;
        const double u2 = (static_cast<double>(random() >> 11) + 0.5) / 9007199254740992.0;
        const double gauss = std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
        data.spacings.push_back({halfAB, halfMN});
        data.apparentResistivities.push_back(rho * std::exp(noise * gauss));
        data.relativeErrors.push_back(std::max(noise, ErrorFloor));
    }
    return data;
}

double Depth(const std::vector<double> &h, std::size_t interface)
{
    double depth = 0.0;
    for (std::size_t i = 0; i <= interface; ++i)
        depth += h[i];
    return depth;
}

TEST(SoundingInversion, LayersModeRecoversNoiseFreeEarths)
{
    for (const TrueEarth &earth : Earths) {
        SCOPED_TRACE(earth.name);
        InversionOptions options;
        options.layers = earth.rho.size();
        const InversionResult result = InvertSounding(Sounding(earth, 0.0, 1), options);
        ASSERT_EQ(result.model.LayerCount(), earth.rho.size());
        EXPECT_LT(result.rmsPercent, 0.5);
        for (std::size_t i = 0; i < earth.rho.size(); ++i) {
            if (static_cast<int>(i) == earth.thinLayer) {
                const double trueS = earth.h[i] / earth.rho[i];
                EXPECT_NEAR(result.layers[i].conductance, trueS, 0.10 * trueS) << "layer " << i;
                continue;
            }
            EXPECT_NEAR(result.model.resistivities[i], earth.rho[i], 0.05 * earth.rho[i]) << "layer " << i;
            if (i < earth.h.size())
                EXPECT_NEAR(result.model.thicknesses[i], earth.h[i], 0.10 * earth.h[i]) << "layer " << i;
        }
    }
}

TEST(SoundingInversion, LayersModeFitsNoisyDataToTheirNoise)
{
    for (const TrueEarth &earth : Earths) {
        SCOPED_TRACE(earth.name);
        InversionOptions options;
        options.layers = earth.rho.size();
        const InversionResult result = InvertSounding(Sounding(earth, 0.03, 7), options);
        EXPECT_NEAR(result.rmsPercent, 3.0, 1.0);
        EXPECT_NEAR(result.chiSquared, 1.0, 0.6);
        // The equivalence ranges hold the values and widen with the noise.
        for (const ModelLayer &layer : result.layers) {
            EXPECT_LE(layer.resistivityLow, layer.resistivity);
            EXPECT_GE(layer.resistivityHigh, layer.resistivity);
            EXPECT_LE(layer.thicknessLow, layer.thickness);
            EXPECT_GE(layer.thicknessHigh, layer.thickness);
        }
        EXPECT_GT(result.layers[0].resistivityHigh, result.layers[0].resistivityLow);
    }
}

TEST(SoundingInversion, SmoothModeCrossesTheBoundariesNearTheirDepths)
{
    for (const TrueEarth &earth : Earths) {
        if (earth.thinLayer >= 0)
            continue; // a 3 m layer is below what a smooth model resolves
        SCOPED_TRACE(earth.name);
        InversionOptions options;
        options.mode = InversionMode::Smooth;
        const InversionResult result = InvertSounding(Sounding(earth, 0.0, 1), options);
        ASSERT_GE(result.model.LayerCount(), 20u);
        ASSERT_LE(result.model.LayerCount(), 30u);
        EXPECT_NEAR(result.chiSquared, 1.0, 0.3);
        // Thicknesses grow with depth.
        for (std::size_t i = 1; i < result.model.thicknesses.size(); ++i)
            EXPECT_GT(result.model.thicknesses[i], result.model.thicknesses[i - 1]);
        // Interfaces of the smooth model and the change of log-resistivity
        // across each.
        std::vector<double> depths, change;
        double depth = 0.0;
        for (std::size_t i = 0; i < result.model.thicknesses.size(); ++i) {
            depths.push_back(std::log(depth += result.model.thicknesses[i]));
            change.push_back(std::log(result.model.resistivities[i + 1] / result.model.resistivities[i]));
        }
        for (std::size_t b = 0; b < earth.h.size(); ++b) {
            // The model's boundary: its steepest change in the boundary's
            // direction within a factor 3 of the true depth, placed by a
            // parabola through the changes around it (in log-depth).
            const double trueDepth = Depth(earth.h, b);
            const double sign = earth.rho[b + 1] > earth.rho[b] ? 1.0 : -1.0;
            std::size_t steepest = 0;
            for (std::size_t k = 1; k + 1 < depths.size(); ++k)
                if (std::abs(depths[k] - std::log(trueDepth)) < std::log(3.0) &&
                    sign * change[k] > sign * change[steepest])
                    steepest = k;
            ASSERT_GT(steepest, 0u);
            const double left = sign * change[steepest - 1], mid = sign * change[steepest],
                         right = sign * change[steepest + 1];
            const double offset = 0.5 * (left - right) / (left - 2.0 * mid + right);
            const double crossing =
                std::exp(depths[steepest] + offset * 0.5 * (depths[steepest + 1] - depths[steepest - 1]));
            EXPECT_NEAR(crossing, trueDepth, earth.smoothTolerance * trueDepth) << "boundary " << b;
        }
    }
}

TEST(SoundingInversion, ReportsConductanceAndTransverseResistance)
{
    const std::vector<ModelLayer> table = LayerTable({{100, 20, 500}, {5, 15}});
    ASSERT_EQ(table.size(), 3u);
    EXPECT_DOUBLE_EQ(table[1].top, 5.0);
    EXPECT_DOUBLE_EQ(table[1].conductance, 0.75);
    EXPECT_DOUBLE_EQ(table[1].transverse, 300.0);
    EXPECT_DOUBLE_EQ(table[2].top, 20.0);
    EXPECT_DOUBLE_EQ(table[2].thickness, 0.0);
    EXPECT_DOUBLE_EQ(table[2].conductance, 0.0);
}

TEST(SoundingInversion, ErrorsFromQualityHaveAFloor)
{
    EXPECT_DOUBLE_EQ(RelativeErrorFromQuality(0.0), 0.01);
    EXPECT_DOUBLE_EQ(RelativeErrorFromQuality(0.4), 0.01);
    EXPECT_DOUBLE_EQ(RelativeErrorFromQuality(3.0), 0.03);
}

TEST(SoundingInversion, RefusesDataThatCannotBeInverted)
{
    const SoundingData good = Sounding(Earths[2], 0.0, 1);
    struct Case {
        const char *what;
        SoundingData data;
        InversionOptions options;
        const char *message;
    };
    SoundingData none = good;
    none.spacings.clear();
    none.apparentResistivities.clear();
    none.relativeErrors.clear();
    SoundingData oneAB = good;
    for (SoundingSpacing &s : oneAB.spacings)
        s.halfAB = 10.0, s.halfMN = 1.0;
    SoundingData few = good;
    few.spacings.resize(4);
    few.apparentResistivities.resize(4);
    few.relativeErrors.resize(4);
    SoundingData zero = good;
    zero.apparentResistivities[3] = 0.0;
    InversionOptions layers;
    layers.layers = 3;
    InversionOptions nine;
    nine.layers = 9;
    const Case cases[] = {
        {"no readings", none, layers, "no reading is in use"},
        {"one AB/2", oneAB, layers, "single AB/2"},
        {"fewer readings than parameters", few, layers, "4 readings in use are fewer than the 5 parameters"},
        {"zero resistivity", zero, layers, "reading 4 has no positive apparent resistivity"},
        {"nine layers", good, nine, "between 2 and 8"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        try {
            InvertSounding(c.data, c.options);
            ADD_FAILURE() << "no exception";
        } catch (const std::invalid_argument &e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace inversion
