// The pieces of vesk that need no subprocess: array names, the info panel
// texts, the picture program's environment and the writer of the two
// one-byte-electrode 2D data versions.
#include "array_names.h"
#include "commands.h"
#include "info_texts.h"
#include "legacy_d2d_file.h"
#include "plot_program_environment.h"
#include "vesk_runner.h"

#include "vesk_pro.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace vesk::test {
namespace {

TEST(ArrayNames, AcceptTheShownNamesInAnySpellingAndTheCodes)
{
    const std::pair<std::string, std::optional<uint8_t>> cases[] = {
        {"Wenner", 0},
        {"schlumberger", 1},
        {"Dipole Dipole", 2},
        {"dipole-dipole", 2},
        {"DIPOLE_DIPOLE", 2},
        {"wenner-beta", 3},
        {"Wenner Gamma", 4},
        {"fwd-pole-dipole", 5},
        {"rev_pole_dipole", 6},
        {"pole pole", 7},
        {"Equat. Dipole Dipole", 8},
        {"equat-dipole-dipole", 8},
        {"custom", 9},
        {"0", 0},
        {"7", 7},
        {"", std::nullopt},
        {"dipole", std::nullopt},
        {"10", std::nullopt},
        {"-1", std::nullopt},
        {"wenner beta gamma", std::nullopt},
    };
    for (const auto &[text, code] : cases) EXPECT_EQ(cli::ParseArrayTypeName(text), code) << text;
}

TEST(InfoTexts, DurationOfA2DSequence)
{
    const std::pair<uint64_t, std::string> cases[] = {
        {0, "Appx.Duration: 0 m 0 s"},      {1, "Appx.Duration: 0 m 2 s"},
        {100, "Appx.Duration: 3 m 44 s"},   {250, "Appx.Duration: 9 m 21 s"},
        {1000, "Appx.Duration: 37 m 24 s"},
    };
    for (const auto &[n, text] : cases) EXPECT_EQ(cli::texts::DurationText2D(n), text) << n;
    EXPECT_EQ(cli::texts::DurationText1D(), "Appx.Duration: ");
    EXPECT_EQ(cli::texts::CountText(250), "Count: 250");
}

TEST(RunVesk, OutputThatCannotBeWrittenIsAFailure)
{
    // As standard output on a full disk: the stream refuses every write.
    const std::vector<std::vector<std::string>> commandLines{
        {"--help"},
        {"info", Example("wenner.d2d").string()},
    };
    for (const auto &arguments : commandLines) {
        std::ostringstream out;
        std::ostringstream err;
        out.setstate(std::ios::badbit);
        EXPECT_EQ(cli::RunVesk(arguments, {out, err}), 1) << arguments.front();
        EXPECT_NE(err.str().find("cannot write to standard output"), std::string::npos) << err.str();
    }
    // A usage error keeps its own status; a file written to standard output
    // reports the failed export itself.
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(cli::RunVesk(std::vector<std::string>{"info"}, {out, err}), 2);
    EXPECT_EQ(cli::RunVesk(std::vector<std::string>{"export", Example("wenner.d2d").string(), "-o", "-"}, {out, err}),
              1);
    EXPECT_NE(err.str().find("the export to '-' failed"), std::string::npos) << err.str();
}

// A two-record Wenner file for the writer tests.
struct LegacyFixture : testing::Test {
    ScratchFolder folder;
    cli::LegacyD2dHeader header;
    std::vector<cli::LegacyD2dRecord> records;

    LegacyFixture()
    {
        header.comment[0] = 'L';
        header.settings = {2, 2, 6, 3, 21, 0};
        header.arrayType = 0;
        header.rollAlong = 1;
        header.unitSpacing = 5000;
        header.origin = 120000;
        header.cable1.fill(1);
        header.cable2.fill(1);
        header.cable2[5] = 0;
        header.groupCount = 1;
        header.multipliers = {1, 9, 9, 9}; // entries beyond the group count are not written
        header.levels = {4, 9, 9, 9};
        header.levelSteps = {1, 9, 9, 9};
        header.startLevels = {1, 9, 9, 9};
        records.push_back({1, 1, 2, 3, 4, {4567, 123456, 50004, 1234, 99999}});
        records.push_back({0, 45, 46, 47, 48, {0, 7, 20005, 15, 1}});
    }

    std::string Path(const char *name) const { return (folder / name).string(); }
};

TEST_F(LegacyFixture, InstrumentFormatReadsBackUnchanged)
{
    ASSERT_EQ(cli::WriteLegacyD2dFile(Path("a.d2d"), cli::LegacyD2dVersion::Instrument, header, records), "");
    EXPECT_EQ(ReadBytes(Path("a.d2d")).size(), 335u + 2u * 25u);

    uint8_t comment[250], type, roll, groups, cable1[24], cable2[24], mult[4], levels[4], steps[4], starts[4], settings[6];
    uint32_t spacing, origin, count;
    ASSERT_EQ(s2d_d2d_read_header(Path("a.d2d").c_str(), comment, &type, &roll, &groups, &spacing, &origin, cable1,
                                  cable2, mult, levels, steps, starts, &count, settings),
              0);
    EXPECT_EQ(comment[0], 'L');
    EXPECT_EQ(type, 0);
    EXPECT_EQ(roll, 1);
    EXPECT_EQ(groups, 1);
    EXPECT_EQ(spacing, 5000u);
    EXPECT_EQ(origin, 120000u);
    EXPECT_EQ(cable2[5], 0);
    EXPECT_EQ(cable2[6], 1);
    EXPECT_EQ(mult[1], 0); // unused group records are zero
    EXPECT_EQ(count, 2u);
    EXPECT_EQ(std::vector<uint8_t>(settings, settings + 6), std::vector<uint8_t>({2, 2, 6, 3, 21, 0}));

    uint8_t status[2];
    uint32_t a[2], m[2], n[2], b[2], s1[2], s2[2], s3[2], s4[2];
    ASSERT_EQ(d2d_read_data(Path("a.d2d").c_str(), status, a, m, n, b, s1, s2, s3, s4), 0);
    EXPECT_EQ(status[1], 0);
    EXPECT_EQ(a[1], 45u);
    EXPECT_EQ(b[1], 48u);
    EXPECT_EQ(s1[0], 4567u);
    EXPECT_EQ(s2[0], 123456u);
    EXPECT_EQ(s3[0], 50004u);
    EXPECT_EQ(s4[0], 1234u);
}

TEST_F(LegacyFixture, OldFormatStoresTenfoldUnits)
{
    ASSERT_EQ(cli::WriteLegacyD2dFile(Path("o.d2d"), cli::LegacyD2dVersion::Old, header, records), "");
    const std::string bytes = ReadBytes(Path("o.d2d"));
    ASSERT_EQ(bytes.size(), 335u + 2u * 25u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 121);
    // Unit spacing 5000 mm is stored as 500.
    EXPECT_EQ(static_cast<uint8_t>(bytes[263]) | static_cast<uint8_t>(bytes[264]) << 8, 500);

    uint8_t type, roll, groups, cable1[24], cable2[24], mult[4], levels[4], steps[4], starts[4];
    uint32_t spacing, origin, count;
    ASSERT_EQ(s2d_d2d_read_header(Path("o.d2d").c_str(), nullptr, &type, &roll, &groups, &spacing, &origin, cable1,
                                  cable2, mult, levels, steps, starts, &count, nullptr),
              0);
    EXPECT_EQ(spacing, 5000u);
    EXPECT_EQ(origin, 120000u);
    uint8_t status[2];
    uint32_t a[2], m[2], n[2], b[2], s1[2], s2[2], s3[2], s4[2];
    ASSERT_EQ(d2d_read_data(Path("o.d2d").c_str(), status, a, m, n, b, s1, s2, s3, s4), 0);
    EXPECT_EQ(s1[0], 0u);
    EXPECT_EQ(s2[0], 123460u); // 12346 stored (rounded to the nearest ten)
    EXPECT_EQ(s3[0], 50000u);
    EXPECT_EQ(s4[0], 1230u);
    EXPECT_EQ(s2[1], 10u);
    EXPECT_EQ(s3[1], 20010u); // 2000.5 rounds up
    EXPECT_EQ(a[0], 1u);
}

TEST_F(LegacyFixture, RefusesWhatTheFormatCannotHoldAndKeepsTheOldFile)
{
    WriteBytes(Path("e.d2d"), "keep");
    records[1].m = 256;
    EXPECT_NE(cli::WriteLegacyD2dFile(Path("e.d2d"), cli::LegacyD2dVersion::Instrument, header, records)
                  .find("electrode 256"),
              std::string::npos);
    records[1].m = 46;
    header.origin = 120005; // not a whole number of centimetres
    EXPECT_NE(cli::WriteLegacyD2dFile(Path("e.d2d"), cli::LegacyD2dVersion::Old, header, records).find("centimetres"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(Path("e.d2d")), "keep");
    EXPECT_NE(cli::WriteLegacyD2dFile(Path("missing-folder/e.d2d"), cli::LegacyD2dVersion::Instrument, header, records)
                  .find("cannot write"),
              std::string::npos);
    // The instrument format keeps millimetres.
    EXPECT_EQ(cli::WriteLegacyD2dFile(Path("e.d2d"), cli::LegacyD2dVersion::Instrument, header, records), "");
    EXPECT_EQ(ReadBytes(Path("e.d2d")).size(), 385u);
    EXPECT_EQ(std::filesystem::directory_iterator(folder.Path())->path().filename(), "e.d2d"); // no leftovers
}

// vesk-plot gets vesk's environment with its parent's id and the huge-page
// heap; the user's own choices about that heap and their other tunables stay.
TEST(PlotProgramEnvironment, AddsTheParentAndTheHugePageHeap)
{
    const std::string heap = "glibc.malloc.hugetlb=1:glibc.malloc.top_pad=67108864";
    const std::string parent = "VESK_PLOT_PARENT=42";
    const struct {
        std::vector<const char *> given;
        std::vector<std::string> expected;
    } cases[] = {
        {{"HOME=/home/a", "LANG=C"}, {"HOME=/home/a", "LANG=C", "GLIBC_TUNABLES=" + heap, parent}},
        {{}, {"GLIBC_TUNABLES=" + heap, parent}},
        // An inherited parent id (vesk started by a vesk-plot) is replaced.
        {{"VESK_PLOT_PARENT=7", "PATH=/bin"}, {"PATH=/bin", "GLIBC_TUNABLES=" + heap, parent}},
        {{"GLIBC_TUNABLES=glibc.malloc.check=3"}, {"GLIBC_TUNABLES=glibc.malloc.check=3:" + heap, parent}},
        {{"GLIBC_TUNABLES="}, {"GLIBC_TUNABLES=" + heap, parent}},
        {{"GLIBC_TUNABLES=glibc.malloc.hugetlb=0"},
         {"GLIBC_TUNABLES=glibc.malloc.hugetlb=0:glibc.malloc.top_pad=67108864", parent}},
        {{"GLIBC_TUNABLES=glibc.malloc.top_pad=0:glibc.malloc.hugetlb=2:glibc.malloc.check=1"},
         {"GLIBC_TUNABLES=glibc.malloc.top_pad=0:glibc.malloc.hugetlb=2:glibc.malloc.check=1", parent}},
        // Names that only begin like a setting or a variable are others.
        {{"GLIBC_TUNABLES=glibc.malloc.hugetlbx=1"}, {"GLIBC_TUNABLES=glibc.malloc.hugetlbx=1:" + heap, parent}},
        {{"VESK_PLOT_PARENTS=1", "GLIBC_TUNABLESX=a"},
         {"VESK_PLOT_PARENTS=1", "GLIBC_TUNABLESX=a", "GLIBC_TUNABLES=" + heap, parent}},
    };
    for (const auto &c : cases) {
        std::vector<const char *> environment = c.given;
        environment.push_back(nullptr);
        EXPECT_EQ(cli::PlotProgramEnvironment(environment.data(), 42), c.expected)
            << (c.given.empty() ? "" : c.given.front());
    }
}

} // namespace
} // namespace vesk::test
