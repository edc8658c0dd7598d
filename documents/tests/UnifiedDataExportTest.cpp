// The unified data format export (".ohm") of 2D data, read back as pyGIMLi
// reads it: the electrodes, then the measurements by electrode index.
#include "DocumentsFixture.h"

#include "TextExport.h"

#include <algorithm>
#include <cmath>
#include <locale>
#include <numbers>
#include <optional>

namespace {

using namespace TestFiles;

struct TOhmFile {
    std::vector<double> X, Z;
    std::vector<std::string> Columns;
    std::vector<std::vector<double>> Rows;

    double Column(std::size_t row, const std::string &name) const
    {
        const auto found = std::find(Columns.begin(), Columns.end(), name);
        if (found == Columns.end())
            throw std::runtime_error("no column " + name);
        return Rows.at(row).at(static_cast<std::size_t>(found - Columns.begin()));
    }
};

std::vector<std::string> Words(const std::string &line)
{
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

double Number(const std::string &word)
{
    std::size_t used = 0;
    const double value = std::stod(word, &used);
    if (used != word.size())
        throw std::runtime_error("not a number: " + word);
    return value;
}

std::size_t Count(const std::string &line)
{
    const std::vector<std::string> words = Words(line);
    if (words.size() != 1 || words[0].find_first_not_of("0123456789") != std::string::npos)
        throw std::runtime_error("not a count: " + line);
    return std::stoul(words[0]);
}

// Reads the file strictly: LF line ends, the counts agree with the lines,
// every row has one number per column, nothing after the last row.
TOhmFile ParseOhm(const std::string &text)
{
    if (text.find('\r') != std::string::npos)
        throw std::runtime_error("CR in the file");
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::size_t next = 0;
    const auto take = [&]() -> const std::string & {
        if (next >= lines.size())
            throw std::runtime_error("the file ends early");
        return lines[next++];
    };
    TOhmFile file;
    const std::size_t electrodes = Count(take());
    if (take() != "# x z")
        throw std::runtime_error("no electrode header");
    for (std::size_t e = 0; e < electrodes; ++e) {
        const std::vector<std::string> words = Words(take());
        if (words.size() != 2)
            throw std::runtime_error("electrode line without x and z");
        file.X.push_back(Number(words[0]));
        file.Z.push_back(Number(words[1]));
    }
    const std::size_t data = Count(take());
    file.Columns = Words(take());
    if (file.Columns.empty() || file.Columns.front() != "#")
        throw std::runtime_error("no data header");
    file.Columns.erase(file.Columns.begin());
    for (std::size_t d = 0; d < data; ++d) {
        std::vector<double> row;
        for (const std::string &word : Words(take()))
            row.push_back(Number(word));
        if (row.size() != file.Columns.size())
            throw std::runtime_error("a data line with " + std::to_string(row.size()) + " values");
        file.Rows.push_back(row);
    }
    if (next != lines.size())
        throw std::runtime_error("lines after the data");
    return file;
}

// The data lines of a Res2DInv export: electrode positions and resistivity.
struct TRes2DInvLine {
    std::vector<double> Positions; // A, B, M, N or A, M, N or A, M
    double Resistivity = 0;
};

std::vector<TRes2DInvLine> Res2DInvLines(const std::string &text, bool chargeability)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::vector<TRes2DInvLine> result;
    for (std::size_t k = chargeability ? 12 : 9; k < lines.size(); ++k) {
        const std::vector<std::string> words = Words(lines[k]);
        const std::size_t electrodes = std::stoul(words.at(0));
        TRes2DInvLine line;
        for (std::size_t e = 0; e < electrodes; ++e)
            line.Positions.push_back(Number(words.at(1 + 2 * e)));
        line.Resistivity = Number(words.at(1 + 2 * electrodes));
        result.push_back(line);
    }
    return result;
}

// The geometric factor of the electrodes as the file places them (index 0:
// no electrode), as an inversion code computes it.
double FileGeometricFactor(const TOhmFile &file, std::size_t row)
{
    const auto at = [&](const char *name) -> std::optional<double> {
        const auto index = static_cast<std::size_t>(file.Column(row, name));
        return index == 0 ? std::nullopt : std::optional<double>(file.X.at(index - 1));
    };
    const std::optional<double> a = at("a"), b = at("b"), m = at("m"), n = at("n");
    double sum = 0;
    const auto add = [&sum](const std::optional<double> &current, const std::optional<double> &potential, double sign) {
        if (current && potential && *current != *potential)
            sum += sign / std::abs(*current - *potential);
    };
    add(a, m, 1);
    add(a, n, -1);
    add(b, m, -1);
    add(b, n, 1);
    return 2 * std::numbers::pi / std::abs(sum);
}

void ExpectRelativelyNear(double actual, double expected, const char *what)
{
    EXPECT_NEAR(actual, expected, 1e-12 * std::max(1.0, std::abs(expected))) << what;
}

} // namespace

class UnifiedDataExportTest : public DocumentsTest {
protected:
    std::string Exported(TCustomVeskObject &document, int32_t filterIndex, const std::string &name)
    {
        const std::string path = PathOf(name);
        EXPECT_TRUE(document.Export(path, filterIndex));
        return ReadText(path);
    }

    // The .ohm export against the list and against the Res2DInv export of
    // the same document: the same measurements in the same order, at the
    // same electrode positions, with the shown values and the readings.
    void ExpectReadsBackAsTheList(TnData2D &document)
    {
        TMeasurements2D &list = document.Measurements();
        const bool chargeability = list.IPCode() != 0;
        const TOhmFile file = ParseOhm(Exported(document, ExportFilterUnified2D, "data.ohm"));
        const std::vector<TRes2DInvLine> res2dinv =
            Res2DInvLines(Exported(document, ExportFilterRes2DInv, "data.dat"), chargeability);

        std::vector<std::string> columns{"a", "b", "m", "n", "rhoa", "k", "u", "i", "err"};
        if (chargeability)
            columns.push_back("ip");
        EXPECT_EQ(file.Columns, columns);
        ASSERT_EQ(file.Rows.size(), list.ShownCount());
        ASSERT_EQ(file.Rows.size(), res2dinv.size());
        ASSERT_GT(file.Rows.size(), 0u);
        EXPECT_TRUE(std::is_sorted(file.X.begin(), file.X.end()));
        EXPECT_EQ(std::adjacent_find(file.X.begin(), file.X.end()), file.X.end()) << "an electrode twice";
        EXPECT_TRUE(std::all_of(file.Z.begin(), file.Z.end(), [](double z) { return z == 0.0; }));

        std::vector<bool> referenced(file.X.size(), false);
        std::size_t row = 0;
        for (uint32_t i = 0; i < list.Count; ++i) {
            if (!list.IsShown(i) || !list.PassesFilter(i))
                continue;
            SCOPED_TRACE("measurement " + std::to_string(i + 1));
            // The electrodes present, in the Res2DInv line's order A, B, M, N.
            std::vector<double> positions;
            for (const char *name : {"a", "b", "m", "n"}) {
                const double index = file.Column(row, name);
                ASSERT_TRUE(index >= 0 && index <= double(file.X.size()) && index == std::floor(index)) << name;
                if (index == 0)
                    continue;
                referenced[std::size_t(index) - 1] = true;
                positions.push_back(file.X[std::size_t(index) - 1]);
            }
            EXPECT_NE(file.Column(row, "a"), 0.0);
            EXPECT_NE(file.Column(row, "m"), 0.0);
            ASSERT_EQ(positions.size(), res2dinv[row].Positions.size());
            for (std::size_t e = 0; e < positions.size(); ++e)
                EXPECT_NEAR(positions[e], res2dinv[row].Positions[e], 0.005);
            EXPECT_NEAR(file.Column(row, "rhoa"), res2dinv[row].Resistivity, 5e-6);
            ExpectRelativelyNear(file.Column(row, "rhoa"), list.ShownResistivity(i), "rhoa");
            ExpectRelativelyNear(file.Column(row, "k"), list.GeometricFactor(i), "k");
            // An inversion code that recomputes k from the electrodes agrees.
            ExpectRelativelyNear(file.Column(row, "k"), FileGeometricFactor(file, row), "k from the electrodes");
            ExpectRelativelyNear(file.Column(row, "u"), list.VoltageMV(i) / 1000, "u");
            ExpectRelativelyNear(file.Column(row, "i"), list.CurrentMA(i) / 1000, "i");
            ExpectRelativelyNear(file.Column(row, "err"), list.QualityPercent(i) / 100, "err");
            if (chargeability)
                ExpectRelativelyNear(file.Column(row, "ip"), list.ShownChargeability(i), "ip");
            ++row;
        }
        EXPECT_TRUE(std::all_of(referenced.begin(), referenced.end(), [](bool used) { return used; }))
            << "an electrode no measurement uses";
    }
};

TEST_F(UnifiedDataExportTest, EveryExampleReadsBackAsItsMeasurements)
{
    std::vector<std::filesystem::path> examples;
    for (const auto &entry : std::filesystem::directory_iterator(VESK_EXAMPLES_DIR))
        if (entry.path().extension() == ".d2d")
            examples.push_back(entry.path());
    std::sort(examples.begin(), examples.end());
    ASSERT_GE(examples.size(), 7u);
    for (const std::filesystem::path &example : examples) {
        SCOPED_TRACE(example.filename().string());
        ExpectReadsBackAsTheList(Open<TnData2D>(TDocumentKind::Data2D, example.string()));
    }
}

TEST_F(UnifiedDataExportTest, JoinedAndFilteredDataReadBack)
{
    const std::filesystem::path examples(VESK_EXAMPLES_DIR);
    {
        SCOPED_TRACE("forward and reverse pole-dipole joined");
        auto &joined = Open<TnData2D>(TDocumentKind::Data2D, (examples / "pole-dipole-fwd.d2d").string());
        ASSERT_TRUE(joined.AppendFile((examples / "pole-dipole-rev.d2d").string()));
        ExpectReadsBackAsTheList(joined);
    }
    {
        SCOPED_TRACE("roll-along, filtered and smoothed");
        auto &rolled = Open<TnData2D>(TDocumentKind::Data2D, (examples / "wenner.d2d").string());
        ASSERT_TRUE(rolled.AppendFile((examples / "wenner-roll.d2d").string()));
        const uint32_t all = rolled.Measurements().ShownCount();
        TFilterDetails &filters = rolled.ArrayDetails().FilterDetails;
        filters.VoltageFilter = true;
        filters.VoltageMin = 2;
        filters.VoltageMax = 150;
        filters.SlidingAverage = true;
        rolled.Update();
        ASSERT_LT(rolled.Measurements().ShownCount(), all);
        ExpectReadsBackAsTheList(rolled);
    }
}

namespace {

std::vector<uint8_t> Profile(uint8_t arrayType, uint8_t ipCode, const std::vector<TRecord2D> &records)
{
    THeader2D header;
    header.ArrayType = arrayType;
    header.Common = TCommon{{}, {1, 1, 1, ipCode, 0, 0}};
    header.UnitSpacing = 5000;
    header.Origin = 0;
    header.Count = static_cast<uint32_t>(records.size());
    return Build2D(header, records);
}

// Decimal comma, as a German or Russian locale would have it.
class TCommaDecimals : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
};

} // namespace

TEST_F(UnifiedDataExportTest, LayoutOfTheFile)
{
    // Record fields: status, A, M, N, B, chargeability, voltage, current, quality.
    // The second measurement is not in use and its electrode 9 is not listed.
    auto &wenner = Open<TnData2D>(TDocumentKind::Data2D,
                                  Write("w.d2d", Profile(ArrayTypeCode::Wenner, 2,
                                                         {{1, 2, 3, 4, 5, 2500, 30000, 10000, 2500},
                                                          {0, 6, 7, 8, 9, 0, 50000, 10000, 0},
                                                          {1, 1, 2, 3, 4, 1500, 100000, 50000, 100}})));
    const std::string text = Exported(wenner, ExportFilterUnified2D, "w.ohm");
    const std::string head = "5\n# x z\n0 0\n5 0\n10 0\n15 0\n20 0\n2\n# a b m n rhoa k u i err ip\n";
    EXPECT_EQ(text.substr(0, head.size()), head);
    const std::vector<std::string> rows{text.substr(head.size(), text.find('\n', head.size()) - head.size()),
                                        text.substr(text.find('\n', head.size()) + 1)};
    EXPECT_EQ(rows[0].substr(0, 8), "2 5 3 4 ");
    EXPECT_EQ(rows[1].substr(0, 8), "1 4 2 3 ");
    // Voltage 30000 uV, current 10000 uA, quality 2.5 %, chargeability 2.5 ms.
    EXPECT_TRUE(rows[0].ends_with(" 0.03 0.01 0.025 2.5")) << rows[0];
    EXPECT_TRUE(rows[1].ends_with(" 0.1 0.05 0.001 1.5\n")) << rows[1];

    // The same bytes whatever the process locale.
    {
        const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new TCommaDecimals));
        const std::string comma = Exported(wenner, ExportFilterUnified2D, "comma.ohm");
        std::locale::global(previous);
        EXPECT_EQ(comma, text);
    }
}

TEST_F(UnifiedDataExportTest, RemoteElectrodesAndArraysOffTheLine)
{
    struct TCase {
        uint8_t ArrayType;
        TRecord2D Record;
        std::string Expected; // without the numbers after the electrode indices
    };
    const std::vector<TCase> cases{
        // Pole-pole: B and N are remote.
        {ArrayTypeCode::PolePole, {1, 1, 3, 0, 0, 0, 10000, 10000}, "2\n# x z\n0 0\n10 0\n1\n# a b m n rhoa k u i err\n1 0 2 0 "},
        // Pole-dipole: B is remote.
        {ArrayTypeCode::FwdPoleDipole, {1, 1, 2, 3, 0, 0, 10000, 10000},
         "3\n# x z\n0 0\n5 0\n10 0\n1\n# a b m n rhoa k u i err\n1 0 2 3 "},
        // Reverse pole-dipole: the current electrode lies beyond the dipole.
        {ArrayTypeCode::RevPoleDipole, {1, 4, 1, 2, 0, 0, 10000, 10000},
         "3\n# x z\n0 0\n5 0\n15 0\n1\n# a b m n rhoa k u i err\n3 0 1 2 "},
        // Arrays across the line have no electrodes on it: nothing to invert.
        {ArrayTypeCode::EquatDipoleDipole, {1, 1, 2, 3, 4, 0, 10000, 10000}, "0\n# x z\n0\n# a b m n rhoa k u i err\n"},
        {ArrayTypeCode::Custom, {1, 1, 2, 3, 4, 0, 10000, 10000}, "0\n# x z\n0\n# a b m n rhoa k u i err\n"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.ArrayType));
        auto &document =
            Open<TnData2D>(TDocumentKind::Data2D, Write("line.d2d", Profile(c.ArrayType, 0, {c.Record})));
        const std::string text = Exported(document, ExportFilterUnified2D, "line.ohm");
        EXPECT_EQ(text.substr(0, c.Expected.size()), c.Expected);
        if (c.ArrayType <= ArrayTypeCode::PolePole) {
            const TOhmFile file = ParseOhm(text);
            ExpectRelativelyNear(file.Column(0, "k"), FileGeometricFactor(file, 0), "k");
        } else {
            EXPECT_EQ(text, c.Expected);
        }
    }
    EXPECT_TRUE(Host.Messages().empty());
}
