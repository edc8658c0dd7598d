#include "inversion/SectionInversion.h"

#include "DipoleDipoleReading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace inversion {
namespace {

// Dipole-dipole readings on a line of 48 electrodes, `spacing` apart: dipole
// lengths 1 and 2 spacings, separations n = 1 to 6.
std::vector<TSectionReading> DipoleDipoleLine(double spacing)
{
    std::vector<TSectionReading> readings;
    for (int dipole = 1; dipole <= 2; ++dipole) {
        for (int separation = 1; separation <= 6; ++separation) {
            for (int a = 0; a + (separation + 2) * dipole < 48; ++a) {
                TSectionReading r = DipoleDipoleReading(a * spacing, dipole * spacing, separation);
                r.Index = static_cast<uint32_t>(readings.size());
                readings.push_back(r);
            }
        }
    }
    return readings;
}

TEST(SectionSensitivities, MatchFiniteDifferencesOfTheForwardSolution)
{
    auto readings = DipoleDipoleLine(2.0);
    readings.resize(40);
    TSectionModelling modelling(readings);
    const std::size_t cells = modelling.Mesh().Cells.size();
    std::vector<double> model(cells);
    for (std::size_t j = 0; j < cells; ++j)
        model[j] = 50.0 + 100.0 * static_cast<double>((j * 7) % 5); // a rough earth
    const auto base = modelling.ApparentResistivities(modelling.TriangleResistivities(model), true);
    const Eigen::MatrixXd jacobian = modelling.LogJacobian();

    // Cells near the surface under the readings, where the sensitivity is large.
    for (std::size_t j : {std::size_t{3}, std::size_t{8}, cells / 8 + 5, 2 * modelling.Mesh().Cells.size() / 8 + 4}) {
        SCOPED_TRACE("cell " + std::to_string(j));
        const double step = 0.01;
        auto changed = model;
        changed[j] *= std::exp(step);
        const auto moved = modelling.ApparentResistivities(modelling.TriangleResistivities(changed), false);
        double largest = 0;
        for (std::size_t i = 0; i < readings.size(); ++i)
            largest = std::max(largest, std::abs(jacobian(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j))));
        ASSERT_GT(largest, 1e-4);
        for (std::size_t i = 0; i < readings.size(); ++i) {
            const double difference = (std::log(moved[i]) - std::log(base[i])) / step;
            EXPECT_NEAR(jacobian(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(j)), difference,
                        0.1 * largest + 1e-4)
                << "reading " << i;
        }
    }
}

TEST(SectionInversion, RecoversAConductiveBlock)
{
    const double spacing = 2.0;
    auto readings = DipoleDipoleLine(spacing);
    // The block: 10 Ohm*m in 100 Ohm*m, two spacings wide and high, its top
    // one spacing below the surface, under the middle of the line.
    const double blockX0 = 46.0, blockX1 = blockX0 + 2 * spacing, blockZ0 = spacing, blockZ1 = 3 * spacing;
    auto earth = [&](double x, double z) {
        return x > blockX0 && x < blockX1 && z > blockZ0 && z < blockZ1 ? 10.0 : 100.0;
    };
    // Data from a finer mesh than the inversion's, with 2 % noise.
    TSectionMeshOptions fine;
    fine.NodesPerSpacing = 4;
    TSectionModelling synthetic(readings, fine);
    const auto clean = synthetic.ApparentResistivities(synthetic.TriangleResistivities(earth), false);
    std::mt19937 random(7);
    std::normal_distribution<double> noise(0.0, 0.02);
    for (std::size_t i = 0; i < readings.size(); ++i) {
        readings[i].Resistivity = clean[i] * std::exp(noise(random));
        readings[i].ErrorPercent = 2.0;
    }

    int reported = -1;
    const TSectionModel model = InvertSection(readings, {}, [&](const TSectionProgress &progress) {
        EXPECT_EQ(progress.Iteration, reported + 1);
        reported = progress.Iteration;
    });
    EXPECT_EQ(reported, model.Iterations);
    EXPECT_GE(model.Iterations, 2);
    EXPECT_NEAR(model.RmsPercent, 2.0, 1.0);
    EXPECT_NEAR(model.ChiSquared, 1.0, 0.5);

    // Centre of the conductive anomaly, weighted by how far below the host
    // each cell of the section lies.
    double weight = 0, x = 0, z = 0, lowest = 1e9;
    for (std::size_t j = 0; j < model.Cells.size(); ++j) {
        lowest = std::min(lowest, model.Resistivity[j]);
        const double contrast = std::log(100.0 / model.Resistivity[j]);
        if (contrast < std::log(2.0))
            continue;
        const double area = (model.Cells[j].X1 - model.Cells[j].X0) * (model.Cells[j].Z1 - model.Cells[j].Z0);
        weight += contrast * area;
        x += contrast * area * model.Cells[j].CentreX();
        z += contrast * area * model.Cells[j].CentreZ();
    }
    ASSERT_GT(weight, 0);
    EXPECT_NEAR(x / weight, 0.5 * (blockX0 + blockX1), spacing);
    EXPECT_NEAR(z / weight, 0.5 * (blockZ0 + blockZ1), spacing);
    EXPECT_LT(lowest, 40.0);
}

TEST(SectionInversion, StopsWhenCancelled)
{
    auto readings = DipoleDipoleLine(2.0);
    for (auto &r : readings) {
        r.Resistivity = 100.0 * (1 + 0.1 * std::sin(r.MidPoint));
        r.ErrorPercent = 1.0;
    }
    // Cancelled at the first report, that of the starting model.
    std::atomic<bool> cancel{false};
    const TSectionModel model = InvertSection(readings, {}, [&](const TSectionProgress &) { cancel = true; }, &cancel);
    EXPECT_TRUE(model.Cancelled);
    EXPECT_EQ(model.Iterations, 0);
    EXPECT_EQ(model.Resistivity.size(), model.Cells.size());
    EXPECT_EQ(model.Response.size(), readings.size());
}

} // namespace
} // namespace inversion
