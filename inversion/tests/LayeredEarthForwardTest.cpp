// The filtered layered-earth solution against the image series (an
// independent method), and its sensitivities against finite differences.
#include "inversion/SoundingForward.h"
#include "inversion/layered_earth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace inversion {
namespace {

struct Earth {
    std::vector<double> rho;
    std::vector<double> h;
};

// 2- and 3-layer earths with contrasts from 1:100 to 100:1.
const Earth Earths[] = {
    {{100, 1}, {5}},        {{100, 10}, {5}},        {{10, 1000}, {2}},       {{20, 200}, {12}},
    {{100, 20, 500}, {5, 15}}, {{50, 2000, 20}, {1, 30}}, {{1000, 10, 1000}, {10, 3}}, {{5, 500, 50}, {0.8, 40}},
};

// MN/2 of each array type for an AB/2, as its sounding would place it.
double HalfMNFor(ArrayType type, double halfAB)
{
    switch (type) {
    case ArrayType::Wenner:
    case ArrayType::WennerBeta:
    case ArrayType::WennerGamma:
        return halfAB / 3.0;
    case ArrayType::Schlumberger:
    case ArrayType::Custom:
        return halfAB / 8.0;
    case ArrayType::DipoleDipole:
    case ArrayType::EquatorialDipoleDipole:
        return halfAB / 2.0;
    case ArrayType::FwdPoleDipole:
    case ArrayType::RevPoleDipole:
        return halfAB / 4.0;
    case ArrayType::PolePole:
        return 0.0;
    }
    return 0.0;
}

const ArrayType Types[] = {ArrayType::Wenner,        ArrayType::Schlumberger,  ArrayType::DipoleDipole,
                           ArrayType::WennerBeta,    ArrayType::WennerGamma,   ArrayType::FwdPoleDipole,
                           ArrayType::RevPoleDipole, ArrayType::PolePole,      ArrayType::EquatorialDipoleDipole,
                           ArrayType::Custom};

std::vector<SoundingSpacing> SpacingsFor(ArrayType type)
{
    std::vector<SoundingSpacing> spacings;
    for (int k = 0; k <= 18; ++k) { // AB/2 from 0.5 to 500 m, 6 per decade
        const double halfAB = 0.5 * std::pow(10.0, k / 6.0);
        spacings.push_back({halfAB, HalfMNFor(type, halfAB)});
    }
    return spacings;
}

TEST(LayeredEarthForward, AgreesWithTheImageSeriesForEveryArrayType)
{
    double worst = 0.0;
    for (const Earth &earth : Earths) {
        LayeredEarth layered;
        layered.resistivities = earth.rho;
        layered.thicknesses = earth.h;
        const ImageSeries series(layered);
        for (ArrayType type : Types) {
            const std::vector<SoundingSpacing> spacings = SpacingsFor(type);
            const SoundingForward forward(type, spacings);
            const std::vector<double> filtered = forward.ApparentResistivities({earth.rho, earth.h});
            ASSERT_EQ(filtered.size(), spacings.size());
            for (std::size_t i = 0; i < spacings.size(); ++i) {
                const double reference =
                    ApparentResistivity(series, SoundingLayout(type, spacings[i].halfAB, spacings[i].halfMN));
                const double error = std::abs(filtered[i] / reference - 1.0);
                worst = std::max(worst, error);
                EXPECT_LT(error, 0.005) << "earth rho1 " << earth.rho[0] << " rho2 " << earth.rho[1] << ", type "
                                        << static_cast<int>(type) << ", AB/2 " << spacings[i].halfAB;
            }
        }
    }
    RecordProperty("worst_relative_difference", std::to_string(worst));
}

TEST(LayeredEarthForward, HalfSpaceGivesItsResistivity)
{
    for (ArrayType type : Types) {
        const SoundingForward forward(type, SpacingsFor(type));
        for (double rho : forward.ApparentResistivities({{73.0}, {}}))
            EXPECT_NEAR(rho, 73.0, 73.0 * 1e-9);
    }
}

TEST(LayeredEarthForward, SensitivitiesMatchFiniteDifferences)
{
    const LayerModel model{{100, 20, 500, 60}, {5, 15, 30}};
    for (ArrayType type : {ArrayType::Schlumberger, ArrayType::DipoleDipole, ArrayType::PolePole,
                           ArrayType::EquatorialDipoleDipole}) {
        const SoundingForward forward(type, SpacingsFor(type));
        Eigen::MatrixXd jacobian;
        const std::vector<double> base = forward.ApparentResistivities(model, jacobian);
        ASSERT_EQ(jacobian.cols(), 7);
        for (int p = 0; p < 7; ++p) {
            const double step = 1e-6;
            LayerModel up = model, down = model;
            double &u = p < 4 ? up.resistivities[p] : up.thicknesses[p - 4];
            double &d = p < 4 ? down.resistivities[p] : down.thicknesses[p - 4];
            u *= std::exp(step);
            d *= std::exp(-step);
            const std::vector<double> plus = forward.ApparentResistivities(up);
            const std::vector<double> minus = forward.ApparentResistivities(down);
            for (std::size_t i = 0; i < base.size(); ++i) {
                const double numeric = (std::log(plus[i]) - std::log(minus[i])) / (2 * step);
                EXPECT_NEAR(jacobian(static_cast<Eigen::Index>(i), p), numeric, 1e-6)
                    << "type " << static_cast<int>(type) << " parameter " << p << " reading " << i;
            }
        }
    }
}

TEST(LayeredEarthForward, RefusesLayoutsAndModelsThatDoNotExist)
{
    const std::vector<SoundingSpacing> mnTooLong{{5.0, 1.0}, {10.0, 12.0}};
    EXPECT_THROW(SoundingForward(ArrayType::Schlumberger, mnTooLong), std::invalid_argument);
    const SoundingForward forward(ArrayType::Schlumberger, SpacingsFor(ArrayType::Schlumberger));
    EXPECT_THROW(forward.ApparentResistivities({{10, 20}, {}}), std::invalid_argument);
    EXPECT_THROW(forward.ApparentResistivities({{10, -20}, {3}}), std::invalid_argument);
    EXPECT_THROW(forward.ApparentResistivities({{10, 20}, {0}}), std::invalid_argument);
}

} // namespace
} // namespace inversion
