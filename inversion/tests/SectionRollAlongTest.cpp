// What long roll-along lines need of the 2D inversion: a section no deeper
// than the readings reach, sensitivities kept only near each reading, and a
// cancel that stops a running forward solution.
#include "inversion/SectionInversion.h"

#include "DipoleDipoleReading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace inversion {
namespace {

// Dipole-dipole readings of `spreads` spreads of 48 electrodes, `spacing`
// apart, each spread moved by 24 electrodes: dipoles of 1 and 2 spacings,
// separations 1 to 4.
std::vector<TSectionReading> RollAlong(int spreads, double spacing)
{
    std::vector<TSectionReading> readings;
    for (int spread = 0; spread < spreads; ++spread)
        for (int dipole = 1; dipole <= 2; ++dipole)
            for (int separation = 1; separation <= 4; ++separation)
                for (int a = 0; a + (separation + 2) * dipole < 48; ++a) {
                    TSectionReading r = DipoleDipoleReading((spread * 24 + a) * spacing, dipole * spacing, separation);
                    r.Resistivity = 100.0 * (1 + 0.2 * std::sin(r.MidPoint / 7));
                    r.ErrorPercent = 2.0;
                    readings.push_back(r);
                }
    return readings;
}

TEST(SectionMesh, DefaultDepthFollowsTheReadingsOnLongLines)
{
    struct TCase {
        const char *Name;
        int Electrodes;
        double Widest;   // m
        double Expected; // section depth, m
    };
    const double spacing = 2.0;
    const TCase cases[] = {
        {"one spread", 48, 32.0, 47 * spacing / 5},
        {"short line of short readings", 43, 6.0, 42 * spacing / 5},
        {"roll-along", 984, 24.0, 50 * spacing / 5},
        {"roll-along with long readings", 984, 300.0, 300.0 / 5},
        {"readings unknown", 984, 0.0, 983 * spacing / 5},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<double> line;
        for (int i = 0; i < c.Electrodes; ++i)
            line.push_back(i * spacing);
        const TSectionMesh mesh(line, {}, {}, c.Widest);
        TSectionMeshOptions explicitDepth;
        explicitDepth.SectionDepth = c.Expected;
        const TSectionMesh expected(line, {}, explicitDepth);
        EXPECT_EQ(mesh.CellRows, expected.CellRows);
        EXPECT_EQ(mesh.Z, expected.Z);
        EXPECT_EQ(mesh.X, expected.X);
    }
}

TEST(SectionMesh, WidestReadingLeavesRemoteElectrodesOut)
{
    std::vector<TSectionReading> readings(2);
    readings[0] = {10, 14, 18, 22, false, false, 1, 100, 2, 0, 0, 0};
    readings[1] = {30, -900, 34, 38, true, false, 1, 100, 2, 0, 0, 0}; // pole-dipole, B remote
    EXPECT_DOUBLE_EQ(TSectionModelling::WidestReading(readings), 12.0);
    readings[1].RemoteN = true; // pole-pole: N at infinity
    readings[1].N = 1e9;
    EXPECT_DOUBLE_EQ(TSectionModelling::WidestReading(readings), 12.0);
}

// The windowed Jacobian holds the full one's values inside the windows, the
// full one is small outside them, and the products the step solver uses agree
// with those of the whole matrix.
TEST(SectionSensitivities, WindowsHoldTheSensitiveCells)
{
    auto readings = RollAlong(2, 2.0);
    // Pole-dipole readings with the remote current electrode far off the line.
    for (int a = 0; a < 40; a += 3) {
        TSectionReading r;
        r.A = a * 2.0;
        r.B = -2000.0;
        r.RemoteB = true;
        r.M = r.A + 4.0;
        r.N = r.M + 2.0;
        r.GeometricFactor = 2 * std::numbers::pi / (1 / (r.M - r.A) - 1 / (r.N - r.A));
        r.Resistivity = 100;
        r.ErrorPercent = 2;
        readings.push_back(r);
    }
    TSectionModelling modelling(readings);
    const std::size_t cells = modelling.Mesh().Cells.size();
    std::vector<double> model(cells);
    for (std::size_t j = 0; j < cells; ++j)
        model[j] = 50.0 + 100.0 * static_cast<double>((j * 7) % 5);
    const auto triangles = modelling.TriangleResistivities(model);

    modelling.SetWindowed(false);
    const auto fullApparent = modelling.ApparentResistivities(triangles, true);
    const Eigen::MatrixXd full = modelling.LogJacobian();
    modelling.SetWindowed(true);
    const auto windowedApparent = modelling.ApparentResistivities(triangles, true);
    const TWindowedJacobian &windowed = modelling.WindowedLogJacobian();
    const Eigen::MatrixXd dense = windowed.Dense();
    ASSERT_EQ(dense.rows(), full.rows());
    ASSERT_EQ(dense.cols(), full.cols());

    const int columns = modelling.Mesh().CellColumns;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        SCOPED_TRACE("reading " + std::to_string(i));
        EXPECT_DOUBLE_EQ(windowedApparent[i], fullApparent[i]);
        const auto row = static_cast<Eigen::Index>(i);
        const int first = windowed.FirstColumn(i), last = windowed.LastColumn(i);
        // The window: the reading's columns and as many again on each side.
        EXPECT_LE(last - first + 1, 3 * 12 + 1);
        const double largest = full.row(row).cwiseAbs().maxCoeff();
        double outside = 0;
        for (Eigen::Index j = 0; j < full.cols(); ++j) {
            const int column = static_cast<int>(j % columns);
            if (column >= first && column <= last)
                EXPECT_NEAR(dense(row, j), full(row, j), 1e-9 * largest);
            else
                outside = std::max(outside, std::abs(full(row, j)));
        }
        EXPECT_LT(outside, 0.05 * largest);
    }

    Eigen::VectorXd x(dense.cols()), y(dense.rows());
    for (Eigen::Index j = 0; j < x.size(); ++j)
        x[j] = std::sin(0.3 * static_cast<double>(j));
    for (Eigen::Index i = 0; i < y.size(); ++i)
        y[i] = 1.0 + std::cos(0.7 * static_cast<double>(i));
    EXPECT_LT((windowed.Multiply(x) - dense * x).norm(), 1e-12 * (dense * x).norm());
    EXPECT_LT((windowed.MultiplyTransposed(y) - dense.transpose() * y).norm(), 1e-12 * (dense.transpose() * y).norm());
    const Eigen::VectorXd squares = (dense.transpose() * y.asDiagonal() * dense).diagonal();
    EXPECT_LT((windowed.WeightedColumnSquares(y) - squares).norm(), 1e-12 * squares.norm());
}

// Cancelled in the middle of a forward solution (half-way through), the
// inversion returns the last model it completed, without further reports.
TEST(SectionInversion, CancelDuringAForwardSolutionKeepsTheLastModel)
{
    const auto readings = RollAlong(1, 2.0);
    struct TCase {
        int CancelAfter; // iterations done when the forward solution is cancelled
    };
    for (const TCase c : {TCase{0}, TCase{1}}) {
        SCOPED_TRACE("cancelled after " + std::to_string(c.CancelAfter) + " iterations");
        TSectionInversionOptions options;
        options.StageProgress = true;
        std::atomic<bool> cancel{false};
        int reportsAfterCancel = 0;
        double lastRms = -1;
        std::vector<double> modellingShares;
        const TSectionModel model = InvertSection(
            readings, options,
            [&](const TSectionProgress &p) {
                if (cancel) {
                    ++reportsAfterCancel;
                    return;
                }
                if (p.Stage == TSectionStage::Model)
                    lastRms = p.RmsPercent;
                if (p.Stage == TSectionStage::Modelling && p.Iteration == c.CancelAfter) {
                    modellingShares.push_back(p.StageFraction);
                    if (p.StageFraction >= 0.5)
                        cancel = true;
                }
            },
            &cancel);
        EXPECT_TRUE(model.Cancelled);
        EXPECT_FALSE(model.Converged);
        EXPECT_EQ(model.Iterations, c.CancelAfter);
        EXPECT_EQ(reportsAfterCancel, 0);
        // Reports at least after each of the first 6 of the 12 wavenumbers.
        ASSERT_GE(modellingShares.size(), 6u);
        EXPECT_GT(modellingShares.front(), 0.0);
        EXPECT_LE(modellingShares.front(), 1.0 / 12);
        for (std::size_t i = 1; i < modellingShares.size(); ++i)
            EXPECT_GT(modellingShares[i], modellingShares[i - 1]);
        EXPECT_LT(modellingShares[modellingShares.size() - 2], 0.5);
        ASSERT_EQ(model.Resistivity.size(), model.Cells.size());
        ASSERT_EQ(model.Response.size(), readings.size());
        if (c.CancelAfter == 0) {
            // Only the homogeneous starting earth: its response is its resistivity.
            for (std::size_t j = 1; j < model.Resistivity.size(); ++j)
                EXPECT_EQ(model.Resistivity[j], model.Resistivity[0]);
            for (double response : model.Response)
                EXPECT_DOUBLE_EQ(response, model.Resistivity[0]);
        } else {
            EXPECT_DOUBLE_EQ(model.RmsPercent, lastRms);
        }
    }
}

} // namespace
} // namespace inversion
