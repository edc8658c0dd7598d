// vesk invert on 2D data: the model files and the refusals of bad input.
#include "vesk_runner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vesk::test {
namespace {

TEST(VeskInvertSection, WritesTheModelAsCsvAndVtk)
{
    ScratchFolder folder;
    const VeskRun csv = RunVesk({"invert", Example("wenner-roll.d2d").string(), "--iterations", "2", "-o", "model.csv"},
                                folder.Path());
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_NE(csv.err.find("starting model: RMS"), std::string::npos) << csv.err;
    EXPECT_NE(csv.err.find("iteration 1 of at most 2"), std::string::npos) << csv.err;

    std::istringstream lines(ReadBytes(folder / "model.csv"));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "x,z,resistivity");
    int cells = 0;
    while (std::getline(lines, line)) {
        double x = 0, z = 0, resistivity = 0;
        char comma1 = 0, comma2 = 0;
        std::istringstream fields(line);
        ASSERT_TRUE(fields >> x >> comma1 >> z >> comma2 >> resistivity) << line;
        EXPECT_GT(z, 0.0);
        EXPECT_GT(resistivity, 0.0);
        ++cells;
    }
    EXPECT_GE(cells, 50);
    EXPECT_NE(csv.err.find("wrote model.csv: " + std::to_string(cells) + " cells"), std::string::npos) << csv.err;

    const VeskRun vtk = RunVesk({"invert", Example("wenner-roll.d2d").string(), "--iterations", "1", "-o", "model.vtk"},
                                folder.Path());
    ASSERT_EQ(vtk.status, 0) << vtk.err;
    const std::string grid = ReadBytes(folder / "model.vtk");
    EXPECT_EQ(grid.rfind("# vtk DataFile Version 2.0\n", 0), 0u);
    EXPECT_NE(grid.find("POINTS " + std::to_string(4 * cells) + " double"), std::string::npos);
    EXPECT_NE(grid.find("CELL_DATA " + std::to_string(cells) + "\nSCALARS resistivity double 1"), std::string::npos);
}

TEST(VeskInvertSection, RefusesBadInputAndWritesNothing)
{
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"--quality", "0.0001"}, 1, "switched off or filtered out"},
        {{"--iterations", "0"}, 2, "--iterations"},
        {{"--smoothing", "0,0"}, 2, "--smoothing"},
    };
    for (const Case &c : cases) {
        ScratchFolder folder;
        std::vector<std::string> arguments{"invert", Example("wenner.d2d").string(), "-o", "model.csv"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const VeskRun run = RunVesk(arguments, folder.Path());
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(folder / "model.csv"));
    }
    ScratchFolder folder;
    const VeskRun other = RunVesk({"invert", Example("wenner.d2d").string(), "-o", "model.txt"}, folder.Path());
    EXPECT_EQ(other.status, 2);
    EXPECT_FALSE(std::filesystem::exists(folder / "model.txt"));
}

} // namespace
} // namespace vesk::test
