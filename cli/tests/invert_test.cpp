// vesk invert: the example sounding's site comes back, and soundings that
// cannot be inverted are refused with nothing written.
#include "vesk_runner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace vesk::test {
namespace {

// The rows of a CSV file after its caption line, as numbers.
std::vector<std::vector<double>> CsvRows(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    std::vector<std::vector<double>> rows;
    while (std::getline(in, line)) {
        std::vector<double> row;
        std::stringstream cells(line);
        std::string cell;
        while (std::getline(cells, cell, ','))
            row.push_back(std::stod(cell));
        rows.push_back(row);
    }
    return rows;
}

TEST(VeskInvert, TheExampleSoundingGivesItsSite)
{
    // examples/sounding.d1d: 120 Ohm*m, 4 m over 25 Ohm*m, 8 m over 400 Ohm*m
    // (instrument-like noise and one disturbed reading).
    ScratchFolder folder;
    const VeskRun run = RunVesk({"invert", Example("sounding.d1d").string(), "--layers", "3", "-o", "model.csv",
                                 "--response", "fit.csv"},
                                folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Fit: RMS"), std::string::npos);
    EXPECT_NE(run.out.find("chi-squared"), std::string::npos);
    const auto model = CsvRows(folder / "model.csv");
    ASSERT_EQ(model.size(), 3u);
    EXPECT_NEAR(model[0][3], 120.0, 0.05 * 120.0);
    EXPECT_NEAR(model[0][2], 4.0, 0.10 * 4.0);
    EXPECT_NEAR(model[1][4], 8.0 / 25.0, 0.10 * 8.0 / 25.0); // the conductor's conductance
    EXPECT_NEAR(model[2][3], 400.0, 0.05 * 400.0);
    EXPECT_NEAR(model[1][1], model[0][2], 1e-9); // tops add up the thicknesses
    const auto fit = CsvRows(folder / "fit.csv");
    ASSERT_EQ(fit.size(), 14u);
    for (const auto &row : fit)
        EXPECT_NEAR(row[6], 100.0 * std::log(row[3] / row[4]), 1e-6);

    const VeskRun smooth = RunVesk({"invert", Example("sounding.d1d").string(), "--smooth", "-o", "smooth.csv"},
                                   folder.Path());
    ASSERT_EQ(smooth.status, 0) << smooth.err;
    EXPECT_EQ(CsvRows(folder / "smooth.csv").size(), 30u);
}

TEST(VeskInvert, RefusesWhatCannotBeInvertedAndWritesNothing)
{
    ScratchFolder folder;
    // A sounding of one AB/2, and one of three readings.
    ASSERT_EQ(RunVesk({"sequence", "1d", "--array", "schlumberger", "--group", "1,1,1", "-o", "one.s1d"}, folder.Path())
                  .status,
              0);
    ASSERT_EQ(RunVesk({"sequence", "1d", "--array", "wenner", "--group", "1,1,3", "-o", "three.s1d"}, folder.Path())
                  .status,
              0);
    for (const char *name : {"one", "three"}) {
        ASSERT_EQ(RunVesk({"synth", std::string(name) + ".s1d", "--rho", "100,20", "--thickness", "5", "-o",
                           std::string(name) + ".d1d"},
                          folder.Path())
                      .status,
                  0);
    }
    const std::string example = Example("sounding.d1d").string();
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"invert", "one.d1d"}, 1, "single AB/2"},
        {{"invert", "three.d1d", "--layers", "3"}, 1, "3 readings in use are fewer than the 5 parameters"},
        {{"invert", example, "--quality", "0"}, 1, "no reading is in use"},
        {{"invert", example, "--layers", "9"}, 2, "--layers"},
        {{"invert", example, "--layers", "3", "--smooth"}, 2, "exclude each other"},
        {{"invert", Example("series.d0d").string()}, 2, "takes 1D data (.d1d) or 2D data (.d2d)"},
    };
    for (const Case &c : cases) {
        std::vector<std::string> arguments = c.arguments;
        arguments.insert(arguments.end(), {"-o", "model.csv", "--response", "fit.csv"});
        const VeskRun run = RunVesk(arguments, folder.Path());
        SCOPED_TRACE(c.message);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "model.csv"));
        EXPECT_FALSE(std::filesystem::exists(folder / "fit.csv"));
    }
}

} // namespace
} // namespace vesk::test
