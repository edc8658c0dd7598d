// vesk export and vesk save write exactly what the documents' own Export and
// SaveToFile write for the same input, options included.
#include "reference_documents.h"
#include "vesk_runner.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>

namespace vesk::test {
namespace {

struct ExportCase {
    std::string example;
    TDocumentKind kind;
    std::vector<std::string> options;
    int32_t filterIndex;
    std::string defaultOutput; // the name vesk picks without -o
};

void PrintTo(const ExportCase &c, std::ostream *out)
{
    *out << c.example;
    for (const std::string &option : c.options) *out << " " << option;
}

class VeskExport : public testing::TestWithParam<ExportCase> {};

TEST_P(VeskExport, WritesTheDocumentsOwnExport)
{
    const ExportCase &c = GetParam();
    ScratchFolder folder;
    std::filesystem::copy_file(Example(c.example), folder / c.example);

    ReferenceSession reference;
    TCustomVeskObject &document = reference.Open<TCustomVeskObject>(Example(c.example), c.kind);
    if (c.kind == TDocumentKind::Seq2D || c.kind == TDocumentKind::Data2D) {
        const bool numbers = std::find(c.options.begin(), c.options.end(), "numbers") != c.options.end();
        static_cast<TVeskObject2D &>(document).Measurements().CoordInMeters = !numbers;
    }
    ASSERT_TRUE(document.Export((folder / "reference.txt").string(), c.filterIndex));
    const std::string expected = ReadBytes(folder / "reference.txt");
    ASSERT_FALSE(expected.empty());

    // Default output name next to the file.
    std::vector<std::string> arguments{"export", c.example};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    VeskRun run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    // The name vesk chose is said, with the number of measurements written.
    EXPECT_EQ(run.err.rfind("wrote " + c.defaultOutput + ": ", 0), 0u) << run.err;
    EXPECT_TRUE(run.err.ends_with(" measurements\n")) << run.err;
    EXPECT_EQ(ReadBytes(folder / c.defaultOutput), expected);

    // Standard output.
    arguments.insert(arguments.end(), {"-o", "-"});
    run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, VeskExport,
    testing::Values(
        ExportCase{"schlumberger.d2d", TDocumentKind::Data2D, {}, 1, "schlumberger.dat"},
        ExportCase{"schlumberger.d2d", TDocumentKind::Data2D, {"--format", "csv"}, 2, "schlumberger.csv"},
        ExportCase{"dipole-dipole-ip.d2d", TDocumentKind::Data2D, {"--format", "res2dinv"}, 1, "dipole-dipole-ip.dat"},
        ExportCase{"dipole-dipole-ip.d2d", TDocumentKind::Data2D, {"--format", "csv"}, 2, "dipole-dipole-ip.csv"},
        ExportCase{"pole-dipole-rev.d2d", TDocumentKind::Data2D, {}, 1, "pole-dipole-rev.dat"},
        ExportCase{"wenner-roll.d2d", TDocumentKind::Data2D, {}, 1, "wenner-roll.dat"},
        ExportCase{"instrument-221.d2d", TDocumentKind::Data2D, {}, 1, "instrument-221.dat"},
        ExportCase{"dipole-dipole-ip.d2d", TDocumentKind::Data2D, {"--format", "bert"}, 3, "dipole-dipole-ip.ohm"},
        ExportCase{"pole-dipole-fwd.d2d", TDocumentKind::Data2D, {"--format", "bert"}, 3, "pole-dipole-fwd.ohm"},
        ExportCase{"old-format-121.d2d", TDocumentKind::Data2D, {"--format", "csv"}, 2, "old-format-121.csv"},
        ExportCase{"sounding.d1d", TDocumentKind::Data1D, {}, 1, "sounding.csv"},
        ExportCase{"series.d0d", TDocumentKind::Data0D, {"--format", "csv"}, 1, "series.csv"},
        ExportCase{"schlumberger.s2d", TDocumentKind::Seq2D, {}, 1, "schlumberger.csv"},
        ExportCase{"schlumberger.s2d", TDocumentKind::Seq2D, {"--coords", "numbers"}, 1, "schlumberger.csv"},
        ExportCase{"schlumberger.s2d", TDocumentKind::Seq2D, {"--coords", "metres"}, 1, "schlumberger.csv"}),
    [](const testing::TestParamInfo<ExportCase> &info) { return std::to_string(info.index); });

// Appending and filtering go through the same document operations as in the
// program: AppendFile, the filter settings, Update.
struct ProcessedCase {
    std::string name;
    std::string base;
    std::vector<std::string> appended;
    std::vector<std::string> filterOptions;
    std::function<void(TFilterDetails &)> filters;
};

std::vector<ProcessedCase> ProcessedCases()
{
    return {
        {"RollAlongJoined", "wenner.d2d", {"wenner-roll.d2d"}, {}, [](TFilterDetails &) {}},
        {"PoleDipolePair", "pole-dipole-fwd.d2d", {"pole-dipole-rev.d2d"}, {}, [](TFilterDetails &) {}},
        {"RollAlongFiltered",
         "wenner.d2d",
         {"wenner-roll.d2d"},
         {"--quality", "5", "--voltage", "2:150", "--sliding-average", "5"},
         [](TFilterDetails &f) {
             f.QualityFilter = true;
             f.QualityThreshold = 5;
             f.VoltageFilter = true;
             f.VoltageMin = 2;
             f.VoltageMax = 150;
             f.SlidingAverage = true;
             f.WindowWidth = 5;
         }},
        {"EveryBoundFilter",
         "dipole-dipole-ip.d2d",
         {},
         {"--current", "30:150", "--resistivity", "30:100", "--chargeability", "1:8", "--quality", "1.5"},
         [](TFilterDetails &f) {
             f.CurrentFilter = true;
             f.CurrentMin = 30;
             f.CurrentMax = 150;
             f.ResistivityFilter = true;
             f.ResistivityMin = 30;
             f.ResistivityMax = 100;
             f.ChargeabilityFilter = true;
             f.ChargeabilityMin = 1;
             f.ChargeabilityMax = 8;
             f.QualityFilter = true;
             f.QualityThreshold = 1.5;
         }},
    };
}

// The reference document: loaded, appended and filtered by direct calls.
TnData2D &ProcessedReference(ReferenceSession &session, const ProcessedCase &c)
{
    auto &document = session.Open<TnData2D>(Example(c.base), TDocumentKind::Data2D);
    for (const std::string &file : c.appended) EXPECT_TRUE(document.AppendFile(Example(file).string()));
    c.filters(document.ArrayDetails().FilterDetails);
    document.Update();
    return document;
}

std::vector<std::string> ProcessedArguments(const std::string &command, const ProcessedCase &c)
{
    std::vector<std::string> arguments{command, Example(c.base).string()};
    for (const std::string &file : c.appended) arguments.insert(arguments.end(), {"--append", Example(file).string()});
    arguments.insert(arguments.end(), c.filterOptions.begin(), c.filterOptions.end());
    return arguments;
}

void PrintTo(const ProcessedCase &c, std::ostream *out) { *out << c.name; }

class VeskProcessed : public testing::TestWithParam<ProcessedCase> {};

TEST_P(VeskProcessed, ExportEqualsTheDocumentsExport)
{
    const ProcessedCase &c = GetParam();
    ScratchFolder folder;
    const std::string formats[] = {"res2dinv", "csv", "bert"};
    for (const int32_t filterIndex : {1, 2, 3}) {
        ReferenceSession reference;
        ASSERT_TRUE(ProcessedReference(reference, c).Export((folder / "reference").string(), filterIndex));
        std::vector<std::string> arguments = ProcessedArguments("export", c);
        arguments.insert(arguments.end(), {"--format", formats[filterIndex - 1], "-o", "out"});
        const VeskRun run = RunVesk(arguments, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes(folder / "out"), ReadBytes(folder / "reference")) << filterIndex;
    }
    // Without --format the output's extension chooses: ".ohm" is the BERT format.
    ReferenceSession reference;
    ASSERT_TRUE(ProcessedReference(reference, c).Export((folder / "reference.ohm").string(), ExportFilterUnified2D));
    std::vector<std::string> arguments = ProcessedArguments("export", c);
    arguments.insert(arguments.end(), {"-o", "out.OHM"});
    const VeskRun run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "out.OHM"), ReadBytes(folder / "reference.ohm"));
}

TEST_P(VeskProcessed, SaveEqualsTheDocumentsSave)
{
    const ProcessedCase &c = GetParam();
    ScratchFolder folder;
    ReferenceSession reference;
    ASSERT_TRUE(ProcessedReference(reference, c).SaveToFile((folder / "reference.d2d").string()));
    std::vector<std::string> arguments = ProcessedArguments("save", c);
    // The saved file stores the readings: save refuses the sliding average,
    // which changes only what is shown and exported.
    const auto average = std::find(arguments.begin(), arguments.end(), "--sliding-average");
    if (average != arguments.end()) arguments.erase(average, average + 2);
    arguments.insert(arguments.end(), {"-o", "out.d2d"});
    const VeskRun run = RunVesk(arguments, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    const std::string saved = ReadBytes(folder / "out.d2d");
    EXPECT_FALSE(saved.empty());
    EXPECT_EQ(saved, ReadBytes(folder / "reference.d2d"));
}

INSTANTIATE_TEST_SUITE_P(Examples, VeskProcessed, testing::ValuesIn(ProcessedCases()),
                         [](const testing::TestParamInfo<ProcessedCase> &info) { return info.param.name; });

TEST(VeskProcessed, FiltersReallyRemoveMeasurements)
{
    // Guards the comparisons above against filters that do nothing.
    ScratchFolder folder;
    const auto countLine = [&](const std::vector<std::string> &extra) {
        std::vector<std::string> arguments{"export", Example("wenner.d2d").string(), "-o", "-"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const VeskRun run = RunVesk(arguments, folder.Path());
        EXPECT_EQ(run.status, 0) << run.err;
        std::istringstream lines(run.out);
        std::string line;
        for (int i = 0; i < 7; ++i) std::getline(lines, line);
        return std::stoi(line);
    };
    EXPECT_EQ(countLine({}), 162);
    EXPECT_LT(countLine({"--quality", "1"}), 162);
}

struct SaveCase {
    std::string example;
    TDocumentKind kind;
};

void PrintTo(const SaveCase &c, std::ostream *out) { *out << c.example; }

class VeskSave : public testing::TestWithParam<SaveCase> {};

TEST_P(VeskSave, EqualsTheDocumentsSave)
{
    const SaveCase &c = GetParam();
    ScratchFolder folder;
    ReferenceSession reference;
    ASSERT_TRUE(reference.Open<TCustomVeskObject>(Example(c.example), c.kind).SaveToFile((folder / "reference").string()));
    VeskRun run = RunVesk({"save", Example(c.example).string(), "-o", "out"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string expected = ReadBytes(folder / "reference");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadBytes(folder / "out"), expected);

    run = RunVesk({"save", Example(c.example).string(), "--output", "-"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, VeskSave,
                         testing::Values(SaveCase{"instrument-221.d2d", TDocumentKind::Data2D},
                                         SaveCase{"old-format-121.d2d", TDocumentKind::Data2D},
                                         SaveCase{"dipole-dipole-ip.d2d", TDocumentKind::Data2D},
                                         SaveCase{"sounding.d1d", TDocumentKind::Data1D},
                                         SaveCase{"schlumberger.s2d", TDocumentKind::Seq2D},
                                         SaveCase{"sounding.s1d", TDocumentKind::Seq1D}),
                         [](const testing::TestParamInfo<SaveCase> &info) { return std::to_string(info.index); });

TEST(VeskSave, KindOptionOpensADataFileAsItsDesign)
{
    // As the Open dialog's filter: a .d2d chosen as a 2D sequence is read as a design.
    ScratchFolder folder;
    ReferenceSession reference;
    ASSERT_TRUE(reference.Open<TnSeq2D>(Example("schlumberger.d2d"), TDocumentKind::Seq2D)
                    .SaveToFile((folder / "reference.s2d").string()));
    const VeskRun run =
        RunVesk({"save", Example("schlumberger.d2d").string(), "--kind", "S2D", "-o", "out.s2d"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "out.s2d"), ReadBytes(folder / "reference.s2d"));
    EXPECT_EQ(ReadBytes(folder / "out.s2d"), ReadBytes(Example("schlumberger.s2d")));
}

} // namespace
} // namespace vesk::test
