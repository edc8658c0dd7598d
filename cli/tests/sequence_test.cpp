// vesk sequence: the designs it writes are the documents' own generated
// sequences, and it reports count and duration as the program's info panel.
#include "reference_documents.h"
#include "vesk_runner.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

namespace vesk::test {
namespace {

struct Sequence2DCase {
    std::string name;
    std::vector<std::string> options;
    std::function<void(TArrayDetails2D &)> design;
    bool rollAlong = false;
    std::string info; // standard output
};

void PrintTo(const Sequence2DCase &c, std::ostream *out) { *out << c.name; }

class VeskSequence2D : public testing::TestWithParam<Sequence2DCase> {};

TEST_P(VeskSequence2D, WritesTheGeneratedSequence)
{
    const Sequence2DCase &c = GetParam();
    ScratchFolder folder;

    ReferenceSession reference;
    auto &base = reference.Create<TnSeq2D>(TDocumentKind::Seq2D);
    c.design(base.ArrayDetails());
    ASSERT_TRUE(base.GenerateSequence2D());
    TnSeq2D *expected = &base;
    if (c.rollAlong) {
        auto &rollAlong = reference.Create<TnSeq2D>(TDocumentKind::Seq2D);
        rollAlong.SetBaseSequence(&base);
        ASSERT_TRUE(rollAlong.GenerateSequence2D());
        expected = &rollAlong;
    }
    const bool numbers = std::find(c.options.begin(), c.options.end(), "numbers") != c.options.end();
    expected->Measurements().CoordInMeters = !numbers;
    ASSERT_TRUE(expected->SaveToFile((folder / "reference.s2d").string()));
    ASSERT_TRUE(expected->Export((folder / "reference.csv").string(), 1));

    std::vector<std::string> arguments{"sequence", "2d"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.insert(arguments.end(), {"-o", "out.s2d", "--csv", "out.csv"});
    const VeskRun run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    if (c.info.empty()) {
        EXPECT_EQ(run.out.rfind("Count: " + std::to_string(expected->Measurements().Count) + "\nAppx.Duration: ", 0), 0u)
            << run.out;
    } else {
        EXPECT_EQ(run.out, c.info);
    }
    EXPECT_EQ(ReadBytes(folder / "out.s2d"), ReadBytes(folder / "reference.s2d"));
    EXPECT_EQ(ReadBytes(folder / "out.csv"), ReadBytes(folder / "reference.csv"));
}

INSTANTIATE_TEST_SUITE_P(
    Designs, VeskSequence2D,
    testing::Values(
        // The program's blank 2D sequence: Schlumberger, four groups, 240 + 168 + 96 + 25.
        Sequence2DCase{"DefaultDesign", {"--array", "Schlumberger"}, [](TArrayDetails2D &) {}, false,
                       "Count: 529\nAppx.Duration: 19 m 47 s\n"},
        // A single-group array keeps only the first default group, as the
        // program does when the array type changes.
        Sequence2DCase{"WennerDefault",
                       {"--array", "WENNER"},
                       [](TArrayDetails2D &d) {
                           d.ArrayType = 0;
                           d.SetGroupCount(1);
                       },
                       false, "Count: 225\nAppx.Duration: 8 m 25 s\n"},
        // So does a multi-group array other than the blank's Schlumberger:
        // dipole-dipole m = 1, levels 1 to 6 yield 45 + 44 + ... + 40 = 255,
        // 255 x 1.05 x 2138 ms = 572.4 s.
        Sequence2DCase{"DipoleDipoleDefault",
                       {"--array", "dipole-dipole"},
                       [](TArrayDetails2D &d) {
                           d.ArrayType = 2;
                           d.SetGroupCount(1);
                       },
                       false, "Count: 255\nAppx.Duration: 9 m 32 s\n"},
        Sequence2DCase{"GroupsSpacingOriginDisabled",
                       {"--array", "dipole_dipole", "--spacing", "2.5", "--origin", "10", "--group", "1,5,1,1",
                        "--group", "2,4,2,3", "--disable", "5,30-32", "--disable", "48", "--coords", "numbers"},
                       [](TArrayDetails2D &d) {
                           d.ArrayType = 2;
                           d.SetUnitSpacing(2.5);
                           d.SetOrigin(10);
                           d.SetGroupCount(2);
                           d.SpacingFactors = {1, 2};
                           d.LevelCounts = {5, 4};
                           d.LevelSteps = {1, 2};
                           d.OverlapCounts = {1, 3};
                           for (const int e : {5, 30, 31, 32, 48}) {
                               (e <= 24 ? d.Cable1 : d.Cable2).SetEnabled((e - 1) % 24, false);
                           }
                       },
                       false, ""},
        Sequence2DCase{"RollAlong",
                       {"--array", "wenner", "--group", "1,6,1,1", "--disable", "22-24", "--roll-along"},
                       [](TArrayDetails2D &d) {
                           d.ArrayType = 0;
                           d.SetGroupCount(1);
                           for (const int e : {22, 23, 24}) d.Cable1.SetEnabled(e - 1, false);
                       },
                       true, ""},
        Sequence2DCase{"PoleArrayByCode",
                       {"--array", "7", "--group", "2,3,1,2"},
                       [](TArrayDetails2D &d) {
                           d.ArrayType = 7;
                           d.SetGroupCount(1);
                           d.SpacingFactors = {2};
                           d.LevelCounts = {3};
                           d.LevelSteps = {1};
                           d.OverlapCounts = {2};
                       },
                       false, ""}),
    [](const testing::TestParamInfo<Sequence2DCase> &info) { return info.param.name; });

TEST(VeskSequence2D, CountAndDurationFollowTheInfoPanel)
{
    ScratchFolder folder;
    // Wenner m = 1, levels 6: 225 measurements; with roll-along 144.
    VeskRun run = RunVesk({"sequence", "2d", "--array", "wenner", "--group", "1,6,1,1", "--roll-along", "-o", "r.s2d"},
                          folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Count: 144\nAppx.Duration: 5 m 23 s\n");
    // The roll-along spread starts where the base's cable 2 lay: 24 spacings on.
    run = RunVesk({"info", "r.s2d", "--first", "1"}, folder.Path());
    EXPECT_NE(run.out.find("\nSequence Type: Roll Along\nSpacing <A>, [m]: 5\nOrigin [m]: 120\n"), std::string::npos)
        << run.out;

    // Writing the sequence to standard output moves the info lines to standard error.
    run = RunVesk({"sequence", "2d", "--array", "wenner", "-o", "-"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "Count: 225\nAppx.Duration: 8 m 25 s\n");
    EXPECT_EQ(run.out.size(), 335u + 225u * 4u);
}

TEST(VeskSequence2D, ArrayNamesAsTheProgramShowsThemOrAsCodes)
{
    ScratchFolder folder;
    const std::vector<std::string> spellings{"Fwd Pole Dipole", "fwd-pole-dipole", "FWD_POLE_DIPOLE", "5"};
    std::string first;
    for (const std::string &name : spellings) {
        const VeskRun run = RunVesk({"sequence", "2d", "--array", name, "-o", "out.s2d"}, folder.Path());
        ASSERT_EQ(run.status, 0) << name << run.err;
        const std::string bytes = ReadBytes(folder / "out.s2d");
        ASSERT_GT(bytes.size(), 261u);
        EXPECT_EQ(static_cast<uint8_t>(bytes[261]), 5) << name;
        if (first.empty()) first = bytes;
        EXPECT_EQ(bytes, first) << name;
    }
}

struct Sequence1DCase {
    std::string name;
    std::vector<std::string> options;
    std::function<void(TArrayDetails1D &)> design;
};

void PrintTo(const Sequence1DCase &c, std::ostream *out) { *out << c.name; }

class VeskSequence1D : public testing::TestWithParam<Sequence1DCase> {};

TEST_P(VeskSequence1D, WritesTheGeneratedSounding)
{
    const Sequence1DCase &c = GetParam();
    ScratchFolder folder;
    ReferenceSession reference;
    auto &expected = reference.Create<TnSeq1D>(TDocumentKind::Seq1D);
    c.design(expected.ArrayDetails());
    ASSERT_TRUE(expected.GenerateSequence1D());
    ASSERT_TRUE(expected.SaveToFile((folder / "reference.s1d").string()));

    std::vector<std::string> arguments{"sequence", "1d"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.insert(arguments.end(), {"-o", "out.s1d"});
    const VeskRun run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Count: " + std::to_string(expected.Measurements().Count) + "\nAppx.Duration: \n");
    EXPECT_EQ(ReadBytes(folder / "out.s1d"), ReadBytes(folder / "reference.s1d"));
}

INSTANTIATE_TEST_SUITE_P(
    Designs, VeskSequence1D,
    testing::Values(Sequence1DCase{"DefaultDesign", {"--array", "schlumberger"}, [](TArrayDetails1D &) {}},
                    // Geometric increments turn the default's factor into 1.5, as the program does.
                    Sequence1DCase{"GeometricDefault",
                                   {"--array", "schlumberger", "--geometric"},
                                   [](TArrayDetails1D &d) {
                                       d.IncrementType = 1;
                                       d.Increments = {1.5};
                                   }},
                    Sequence1DCase{"GeometricGroups",
                                   {"--array", "Dipole-Dipole", "--geometric", "--group", "2,1.5,6", "--group",
                                    "10,1.5,4,2"},
                                   [](TArrayDetails1D &d) {
                                       d.ArrayType = 2;
                                       d.IncrementType = 1;
                                       d.SetGroupCount(2);
                                       d.Spacings = {2, 10};
                                       d.Increments = {1.5, 1.5};
                                       d.LevelCounts = {6, 4};
                                       d.OverlapCounts = {0, 2};
                                   }},
                    Sequence1DCase{"EquatorialByName",
                                   {"--array", "equat.-dipole-dipole", "--group", "1,2,8"},
                                   [](TArrayDetails1D &d) {
                                       d.ArrayType = 8;
                                       d.Spacings = {1};
                                       d.Increments = {2};
                                       d.LevelCounts = {8};
                                   }}),
    [](const testing::TestParamInfo<Sequence1DCase> &info) { return info.param.name; });

} // namespace
} // namespace vesk::test
