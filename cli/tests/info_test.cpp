// vesk info on every bundled example, and the failures of document
// operations: status 1 with the documents' own message on standard error.
#include "reference_documents.h"
#include "vesk_runner.h"

#include <filesystem>
#include <set>

#include <cstdio>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace vesk::test {
namespace {

struct InfoCase {
    std::string example;
    TDocumentKind kind;
    std::vector<std::string> expectedLines;
};

void PrintTo(const InfoCase &c, std::ostream *out) { *out << c.example; }

class VeskInfo : public testing::TestWithParam<InfoCase> {};

TEST_P(VeskInfo, ShowsWhatTheDocumentHolds)
{
    const InfoCase &c = GetParam();
    ScratchFolder folder;
    ReferenceSession reference;
    TCustomVeskObject &document = reference.Open<TCustomVeskObject>(Example(c.example), c.kind);

    const VeskRun run = RunVesk({"info", Example(c.example).string(), "--first", "3"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.rfind(std::string(TreeNodePrefix(c.kind)) + "1\n", 0), 0u) << run.out;
    std::vector<std::string> expected = c.expectedLines;
    expected.push_back("File: " + c.example);
    expected.push_back("Count: " + std::to_string(document.MeasurementsCustom().Count));
    if (c.kind != TDocumentKind::Data0D) {
        expected.push_back("Array Type: " + std::string(ArrayTypeName(document.ArrayDetailsCustom().ArrayType)));
    }
    expected.push_back("First measurements (3 of " + std::to_string(document.MeasurementsCustom().Count) + "):");
    for (const std::string &line : expected) {
        EXPECT_NE(run.out.find("\n" + line + "\n"), std::string::npos) << "missing '" << line << "' in\n" << run.out;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, VeskInfo,
    testing::Values(
        InfoCase{"schlumberger.s2d",
                 TDocumentKind::Seq2D,
                 {"Version: 220 (2D sequence)", "Appx.Duration: 6 m 46 s", "Sequence Type: Single",
                  "Spacing <A>, [m]: 5", "Origin [m]: 0",
                  "Spacing #1: Spacing <D> 1 x A, Levels 6, Level Step 2, Start Level 1 (123 measurements)",
                  "Spacing #2: Spacing <D> 3 x A, Levels 4, Level Step 2, Start Level 5 (58 measurements)",
                  "Cable 1 (1-24): 24 of 24 enabled", "Cable 2 (25-48): 24 of 24 enabled"}},
        InfoCase{"sounding.s1d",
                 TDocumentKind::Seq1D,
                 {"Version: 210 (1D sequence)", "Appx.Duration: ", "Increment Type: Geometric",
                  "Spacing #1: Spacing <D>, [m] 1, Factor 1.5, Levels 10",
                  "Spacing #2: Spacing <D>, [m] 5, Factor 1.5, Levels 4, Overlaps 2"}},
        InfoCase{"wenner.d2d",
                 TDocumentKind::Data2D,
                 {"Version: 122 (2D data)", "Comment: Quelvo example: Wenner profile, line 2, spread 1",
                  "Sequence Type: Single", "Measurement Details:", "  STD Dev [%]: 2", "  Min Stacking: 2",
                  "  Max Stacking: 6", "  Induced Polar. [ms]: disabled", "  Tx Power [%]: 100",
                  "Used: 162 of 162"}},
        InfoCase{"wenner-roll.d2d", TDocumentKind::Data2D, {"Sequence Type: Roll Along", "Origin [m]: 120"}},
        InfoCase{"dipole-dipole-ip.d2d", TDocumentKind::Data2D, {"  Induced Polar. [ms]: 120"}},
        InfoCase{"pole-dipole-fwd.d2d", TDocumentKind::Data2D, {"Spacing #1: Spacing <D> 1 x A, Levels 3, Level Step 1, Start Level 1"}},
        InfoCase{"pole-dipole-rev.d2d", TDocumentKind::Data2D, {}},
        InfoCase{"instrument-221.d2d", TDocumentKind::Data2D, {"Version: 221 (2D data, instrument format)"}},
        InfoCase{"old-format-121.d2d", TDocumentKind::Data2D, {"Version: 121 (2D data, old format)", "Spacing <A>, [m]: 5"}},
        InfoCase{"sounding.d1d", TDocumentKind::Data1D, {"Version: 211 (1D data)", "Increment Type: Geometric"}},
        InfoCase{"series.d0d", TDocumentKind::Data0D, {"Version: 201 (0D data)", "  Induced Polar. [ms]: 120"}}),
    [](const testing::TestParamInfo<InfoCase> &info) { return std::to_string(info.index); });

TEST(VeskInfo, ListsTheFirstMeasurementsAsTheTablesShowThem)
{
    ScratchFolder folder;
    VeskRun run = RunVesk({"info", Example("wenner.d2d").string(), "--first", "2"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    ReferenceSession reference;
    auto &document = reference.Open<TnData2D>(Example("wenner.d2d"), TDocumentKind::Data2D);
    const TMeasurements2D &list = document.Measurements();
    EXPECT_NE(run.out.find("#  Used  Pseudodepth [m]  A [m]  M [m]  N [m]  B [m]  Rho [Ohm*m]  C [ms]"),
              std::string::npos)
        << run.out;
    // The row of measurement 1, cell by cell.
    const auto rowStart = run.out.find("\n  1   yes ");
    ASSERT_NE(rowStart, std::string::npos) << run.out;
    std::istringstream row(run.out.substr(rowStart + 1, run.out.find('\n', rowStart + 1) - rowStart - 1));
    const std::vector<std::string> cells{std::istream_iterator<std::string>(row), {}};
    const auto fixed = [](double value, int decimals) {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        return std::string(text);
    };
    const std::vector<std::string> expected{"1",
                                            "yes",
                                            fixed(list.PseudoDepth(0), 2),
                                            "0.00",
                                            "5.00",
                                            "10.00",
                                            "15.00",
                                            fixed(list.ShownResistivity(0), 2),
                                            fixed(list.ShownChargeability(0), 3),
                                            fixed(list.VoltageMV(0), 3),
                                            fixed(list.CurrentMA(0), 3),
                                            fixed(list.QualityPercent(0), 3)};
    EXPECT_EQ(cells, expected);

    // Electrode numbers instead of positions; a remote electrode shows as "-".
    run = RunVesk({"info", Example("pole-dipole-fwd.d2d").string(), "--first", "1", "--coords", "numbers"},
                  folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("A [#]  M [#]  N [#]  B [#]"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("      1      2      3      -"), std::string::npos) << run.out;

    run = RunVesk({"info", Example("sounding.d1d").string(), "--first", "0"}, folder.Path());
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.find("First measurements"), std::string::npos);
}

TEST(VeskInfo, SoundingGroupsAreShownInFull)
{
    // First spacings and increments are 64-bit floats in the file header.
    ScratchFolder folder;
    VeskRun run = RunVesk({"sequence", "1d", "--array", "schlumberger", "--group", "0.0625,1.4142,3", "-o", "s.s1d"},
                          folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunVesk({"info", "s.s1d", "--first", "0"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nSpacing #1: Spacing <D>, [m] 0.0625, Increment 1.4142, Levels 3\n"), std::string::npos)
        << run.out;
}

TEST(VeskInfo, GroupCountBeyondTheHeadersRecordsShowsTheRecordsThereAre)
{
    // The 1D header's group count byte (offset 263) may say more than the
    // four group records that follow it.
    ScratchFolder folder;
    std::string bytes = ReadBytes(Example("sounding.d1d"));
    ASSERT_GT(bytes.size(), 263u);
    bytes[263] = static_cast<char>(200);
    WriteBytes(folder / "groups.d1d", bytes);
    const VeskRun run = RunVesk({"info", "groups.d1d", "--first", "0"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("\nSpacing #2: Spacing <D>, [m] 5, Factor 1.5, Levels 4, Overlaps 2\n"), std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\nSpacing #4: "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("\nSpacing #5: "), std::string::npos) << run.out;
}

struct FailureCase {
    std::string name;
    std::vector<std::string> arguments;
    std::string message; // the documents' message, or vesk's own context line
    std::string reason = {}; // a further line that must appear (the plain reason)
};

void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }

class VeskFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(VeskFailure, EndsWithStatus1AndTheDocumentsMessage)
{
    const FailureCase &c = GetParam();
    ScratchFolder folder;
    // A 0D header that promises more records than the file holds.
    std::string shortFile(261, '\0');
    shortFile[0] = static_cast<char>(201);
    shortFile[1] = 100;
    WriteBytes(folder / "short.d0d", shortFile);
    WriteBytes(folder / "empty.d2d", "");
    // Designs cut short inside their header, and a single version byte.
    WriteBytes(folder / "cut.s2d", ReadBytes(Example("schlumberger.s2d")).substr(0, 100));
    WriteBytes(folder / "seven.s1d", ReadBytes(Example("sounding.s1d")).substr(0, 7));
    WriteBytes(folder / "byte.d1d", "\xD3");
    WriteBytes(folder / "byte.s1d", "\xD3");
    // A sparse gigabyte whose header counts 29 million measurements.
    std::string header = ReadBytes(Example("wenner.d2d")).substr(0, 335);
    const uint32_t count = 29'000'000;
    for (int i = 0; i < 4; ++i) header[1 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    WriteBytes(folder / "big.d2d", header);
    std::filesystem::resize_file(folder / "big.d2d", 1u << 30);
    // A sounding renamed as a profile.
    std::filesystem::copy_file(Example("sounding.d1d"), folder / "renamed.d2d");
    const auto listing = [&] {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(folder.Path()))
            names.insert(entry.path().filename().string());
        return names;
    };
    const std::set<std::string> before = listing();

    const VeskRun run = RunVesk(c.arguments, folder.Path());
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    // Nothing is written when the command fails.
    EXPECT_EQ(listing(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Documents, VeskFailure,
    testing::Values(
        FailureCase{"MissingFile", {"info", "missing.d2d"}, "Ошибка при загрузке заголовка файла данных № 1\n"},
        FailureCase{"MissingFileReason", {"info", "missing.d2d"}, "Ошибка при загрузке заголовка файла данных № 1\n",
                    "\ncannot open 'missing.d2d': No such file or directory\n"},
        FailureCase{"EmptyFile", {"export", "empty.d2d"},
                    "Ошибка при загрузке заголовка файла данных: файл короче заголовка empty.d2d\n",
                    "\ncannot read 'empty.d2d': file ends after 0 of 335 header bytes\n"},
        FailureCase{"DesignCutInItsHeader", {"info", "cut.s2d"},
                    "Ошибка при загрузке заголовка файла данных: файл короче заголовка cut.s2d\n",
                    "\ncannot read 'cut.s2d': file ends after 100 of 335 header bytes\n"},
        FailureCase{"SynthOfADesignCutInItsHeader",
                    {"synth", "cut.s2d", "-o", "x.d2d", "--rho", "100,10", "--thickness", "5"},
                    "файл короче заголовка cut.s2d\n", "file ends after 100 of 335 header bytes"},
        FailureCase{"SaveOfASevenByteDesign", {"save", "seven.s1d", "-o", "x.s1d"}, "файл короче заголовка seven.s1d\n",
                    "\ncannot read 'seven.s1d': file ends after 7 of 336 header bytes\n"},
        FailureCase{"OneVersionByteAsASounding", {"info", "byte.d1d"}, "файл короче заголовка byte.d1d\n",
                    "file ends after 1 of 336 header bytes"},
        FailureCase{"OneVersionByteAsADesign", {"info", "byte.s1d"}, "файл короче заголовка byte.s1d\n",
                    "file ends after 1 of 336 header bytes"},
        FailureCase{"CountNoSurveyReaches", {"info", "big.d2d"},
                    "Ошибка при загрузке файла данных: недопустимо большое число измерений в заголовке big.d2d\n",
                    "\ncannot read 'big.d2d': its header counts 29000000 measurements, more than any survey has "
                    "(at most 10000000)\n"},
        FailureCase{"RenamedSounding", {"info", "renamed.d2d"}, "Ошибка при загрузке заголовка файла данных № 2\n",
                    "\ncannot read 'renamed.d2d' as 2D data: it looks like 1D data (.d1d), version byte 211\nvesk "
                    "info: 'renamed.d2d' could not be read as d2d; it looks like 1D data: add --kind d1d to open it "
                    "as such\n"},
        FailureCase{"NoMeasurementPassesTheExport",
                    {"export", Example("wenner.d2d").string(), "--voltage", "100:10", "-o", "x.dat"},
                    "vesk export: no measurement passes the filters; nothing written\n"},
        FailureCase{"NoMeasurementPassesTheSave",
                    {"save", Example("wenner.d2d").string(), "--quality", "0", "--current", "1000:2000", "-o", "x.d2d"},
                    "vesk save: no measurement passes the filters; nothing written\n"},
        FailureCase{"ExportToAFullDevice", {"export", Example("wenner.d2d").string(), "-o", "/dev/full"},
                    "Ошибка при экспорте файла /dev/full\n", "\ncannot write '/dev/full': No space left on device\n"},
        FailureCase{"SoundingOpenedAs2D",
                    {"info", Example("sounding.d1d").string(), "--kind", "d2d"},
                    "Ошибка при загрузке заголовка файла данных № 2\n"},
        FailureCase{"SeriesOpenedAs1D",
                    {"info", Example("series.d0d").string(), "--kind", "d1d"},
                    "Ошибка при загрузке заголовка файла данных № 2\n"},
        FailureCase{"SequenceReadAsData",
                    {"export", Example("schlumberger.s2d").string(), "--kind", "d2d", "-o", "x.dat"},
                    "Ошибка при загрузке файла данных № 2\n"},
        FailureCase{"ShortSeries", {"info", "short.d0d"}, "Ошибка при загрузке файла данных"},
        FailureCase{"LoadFailureNamesTheFile", {"info", "missing.d2d"}, "vesk info: 'missing.d2d' could not be read"},
        FailureCase{"SaveIntoMissingFolder",
                    {"save", Example("wenner.d2d").string(), "-o", "no-such-folder/out.d2d"},
                    "Ошибка при сохранении файла данных № 1\n",
                    "\ncannot write 'no-such-folder/out.d2d': No such file or directory\n"},
        FailureCase{"SequenceSaveIntoMissingFolder",
                    {"save", Example("sounding.s1d").string(), "-o", "no-such-folder/out.s1d"},
                    "Ошибка при сохранении файла s1d №: 1\n"},
        FailureCase{"ExportIntoMissingFolder",
                    {"export", Example("wenner.d2d").string(), "-o", "no-such-folder/out.dat"},
                    "Ошибка при экспорте файла no-such-folder/out.dat\n",
                    "\ncannot write 'no-such-folder/out.dat': No such file or directory\n"},
        FailureCase{"AppendOfAnotherArray",
                    {"export", Example("wenner.d2d").string(), "--append", Example("schlumberger.d2d").string()},
                    "was not appended"},
        FailureCase{"AppendOfTheSameSpread",
                    {"save", Example("wenner.d2d").string(), "--append", Example("wenner.d2d").string(), "-o",
                     "x.d2d"},
                    "was not appended"},
        FailureCase{"AppendOfAMissingFile",
                    {"save", Example("wenner.d2d").string(), "--append", "missing.d2d", "-o", "x.d2d"},
                    "Ошибка при загрузке заголовка файла данных № 1\n",
                    "\ncannot open 'missing.d2d': No such file or directory\nvesk save: 'missing.d2d' was not "
                    "appended (the reason is above)\n"},
        FailureCase{"SynthOfAMissingSequence",
                    {"synth", "missing.s2d", "-o", "x.d2d", "--rho", "100,10", "--thickness", "5"},
                    "Ошибка при загрузке заголовка файла данных № 1\n"}),
    [](const testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

} // namespace
} // namespace vesk::test
