#include "DocumentsFixture.h"

#include "TextExport.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace TestFiles;

// The window of IP code 2 is 0.12 s.
constexpr TCommon WithChargeability{{}, {1, 1, 1, 2, 0, 0}};
constexpr TCommon WithoutChargeability{{}, {1, 1, 1, 0, 0, 0}};

std::vector<uint8_t> Profile(uint8_t arrayType, const TCommon &common, const std::vector<TRecord2D> &records)
{
    THeader2D header;
    header.ArrayType = arrayType;
    header.Common = common;
    header.UnitSpacing = 5000;
    header.Origin = 0;
    header.Count = static_cast<uint32_t>(records.size());
    return Build2D(header, records);
}

// Four Wenner measurements: the second is filtered out by the voltage filter
// (4 mV), the fourth is not in use.
const std::vector<TRecord2D> WennerRecords{
    {1, 1, 2, 3, 4, 1500, 100000, 50000, 100},
    {1, 1, 3, 5, 7, 9000, 4000, 20000, 0},
    {1, 2, 3, 4, 5, 2500, 30000, 10000, 2500},
    {0, 3, 4, 5, 6, 1, 50000, 10000, 0},
};

// Decimal comma, as a German or Russian locale would have it.
class TCommaDecimals : public std::numpunct<char> {
protected:
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

class TGlobalLocale {
public:
    explicit TGlobalLocale(const std::locale &locale) : FPrevious(std::locale::global(locale)) {}
    ~TGlobalLocale() { std::locale::global(FPrevious); }
    TGlobalLocale(const TGlobalLocale &) = delete;
    TGlobalLocale &operator=(const TGlobalLocale &) = delete;

private:
    std::locale FPrevious;
};

} // namespace

class TextExportTest : public DocumentsTest {
protected:
    TnData2D &FilteredWenner()
    {
        auto &document =
            Open<TnData2D>(TDocumentKind::Data2D, Write("line.d2d", Profile(ArrayTypeCode::Wenner, WithChargeability,
                                                                             WennerRecords)));
        document.ArrayDetails().FilterDetails.VoltageFilter = true;
        document.Update(); // runs the filters
        return document;
    }

    std::string Exported(TCustomVeskObject &document, int32_t filterIndex, const std::string &name = "export.txt")
    {
        const std::string path = PathOf(name);
        EXPECT_TRUE(document.Export(path, filterIndex));
        return ReadText(path);
    }
};

TEST_F(TextExportTest, Res2DInvWithChargeability)
{
    TnData2D &document = FilteredWenner();
    document.Measurements().CoordInMeters = false;
    EXPECT_EQ(Exported(document, 1, "line.dat"),
              Lines({"Data",
                     "  5.000",
                     "11",
                     "1",
                     "Type of measurement (0=app. resistivity,1=resistance)",
                     "0",
                     "2",
                     "1",
                     "1",
                     "Chargeability",
                     "msec",
                     "0.02       0.12",
                     " 4      0.00  0.00     15.00  0.00      5.00  0.00     10.00  0.00      62.83185       1.50000",
                     " 4      5.00  0.00     20.00  0.00     10.00  0.00     15.00  0.00      94.24778       2.50000"}));
    // The coordinate mode is restored.
    EXPECT_FALSE(document.Measurements().CoordInMeters);
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(TextExportTest, Res2DInvLinesByArrayType)
{
    struct TCase {
        uint8_t ArrayType;
        TRecord2D Record;
        std::string SubArrayCode;
        std::vector<std::string> DataLines;
    };
    const std::vector<TCase> cases{
        {ArrayTypeCode::FwdPoleDipole,
         {1, 1, 2, 3, 0, 0, 10000, 10000},
         "6",
         {" 3      0.00  0.00      5.00  0.00     10.00  0.00      62.83185"}},
        {ArrayTypeCode::PolePole, {1, 1, 2, 0, 0, 0, 10000, 10000}, "2", {" 2      0.00  0.00      5.00  0.00      31.41593"}},
        {ArrayTypeCode::WennerBeta,
         {1, 1, 3, 4, 2, 0, 10000, 10000},
         "0",
         {" 4      0.00  0.00      5.00  0.00     10.00  0.00     15.00  0.00      94.24778"}},
        {ArrayTypeCode::EquatDipoleDipole, {1, 1, 2, 3, 4, 0, 10000, 10000}, "0", {}},
        {ArrayTypeCode::Custom, {1, 1, 2, 3, 4, 0, 10000, 10000}, "0", {}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.ArrayType));
        auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                        Write("line.d2d", Profile(c.ArrayType, WithoutChargeability, {c.Record})));
        std::vector<std::string> lines{"Data", "  5.000", "11", c.SubArrayCode,
                                       "Type of measurement (0=app. resistivity,1=resistance)",
                                       "0", "1", "1", "0"};
        lines.insert(lines.end(), c.DataLines.begin(), c.DataLines.end());
        std::string expected;
        for (const std::string &line : lines)
            expected += line + "\r\n";
        EXPECT_EQ(Exported(document, 1), expected);
    }
}

TEST_F(TextExportTest, Res2DInvSubArrayCodes)
{
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::Wenner), 1u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::Schlumberger), 7u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::DipoleDipole), 3u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::WennerGamma), 0u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::FwdPoleDipole), 6u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::RevPoleDipole), 0u);
    EXPECT_EQ(Res2DInvSubArrayCode(ArrayTypeCode::PolePole), 2u);
    EXPECT_EQ(Res2DInvSubArrayCode(200), 0u);

    // Forward pole-dipole appended to reverse: the type becomes forward, the
    // code the general 0 for mixed types.
    auto &document = Open<TnData2D>(
        TDocumentKind::Data2D,
        Write("reverse.d2d", Profile(ArrayTypeCode::RevPoleDipole, WithoutChargeability, {{1, 5, 3, 1, 0, 0, 1, 1}})));
    ASSERT_TRUE(document.AppendFile(Write(
        "forward.d2d", Profile(ArrayTypeCode::FwdPoleDipole, WithoutChargeability, {{1, 1, 3, 5, 0, 0, 1, 1}}))));
    ASSERT_EQ(document.ArrayDetails().ArrayType, ArrayTypeCode::FwdPoleDipole);
    const std::string text = Exported(document, 1);
    EXPECT_EQ(text.substr(0, text.find("Type")), "Data\r\n  5.000\r\n11\r\n0\r\n");
}

TEST_F(TextExportTest, Csv2DDataWritesPositionsInMetresAndNumbersWithGaps)
{
    TnData2D &document = FilteredWenner();
    document.Measurements().CoordInMeters = false;
    EXPECT_EQ(Exported(document, 2, "line.csv"),
              Lines({"# ,A ,B ,M ,N ,Rho ,C ,U ,I ,Q",
                     "  1,      0.00,     15.00,      5.00,     10.00,      62.83185,       1.50000,   100.000,    50.000,"
                     "     0.100",
                     "  3,      5.00,     20.00,     10.00,     15.00,      94.24778,       2.50000,    30.000,    10.000,"
                     "     2.500"}));
    EXPECT_FALSE(document.Measurements().CoordInMeters);
}

TEST_F(TextExportTest, Csv1DDataWritesEveryMeasurement)
{
    THeader1D header;
    header.ArrayType = ArrayTypeCode::Schlumberger;
    header.Count = 2;
    auto &document = Open<TnData1D>(
        TDocumentKind::Data1D,
        Write("vertical.d1d", Build1D(header, {{1, 10000, 1000, 0, 50000, 100000, 500}, {0, 3000, 1000, 0, 1000, 0, 0}})));
    EXPECT_EQ(Exported(document, 1),
              Lines({"# ,AB2 ,MN2 ,U ,I ,Q ,R ,k ,rho",
                     "  1,      10.00000,       1.00000,      50.00000,     100.00000,       0.50000,       0.50000,"
                     "     155.50884,      77.75442",
                     "  2,       3.00000,       1.00000,       1.00000,       0.00000,       0.00000,       0.00000,"
                     "      12.56637,       0.00000"}));
}

TEST_F(TextExportTest, Csv0DData)
{
    THeader0D header;
    header.Count = 2;
    auto &document = Open<TnData0D>(TDocumentKind::Data0D,
                                    Write("points.d0d", Build0D(header, {{2500, 123456, 1000, 10}, {0, 7, 2, 0}})));
    EXPECT_EQ(Exported(document, 1),
              Lines({"# ,U ,I ,Q ,R ,C",
                     "  1,     123.45600,       1.00000,       0.01000,     123.45600,       2.50000",
                     "  2,       0.00700,       0.00200,       0.00000,       3.50000,       0.00000"}));
}

TEST_F(TextExportTest, Csv2DSequenceFollowsTheCoordinateMode)
{
    auto &sequence = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    TArrayDetails2D &details = sequence.ArrayDetails();
    details.ArrayType = ArrayTypeCode::Wenner;
    details.UnitSpacing = 5000;
    details.Origin = 0;
    details.DepthMethod = DepthMethodMedianDepth;
    TMeasurements2D &list = sequence.Measurements();
    list.SetCount(2);
    list.A = {1, 2};
    list.M = {3, 3};
    list.N = {5, 4};
    list.B = {7, 5};

    list.CoordInMeters = false;
    EXPECT_EQ(Exported(sequence, 1, "numbers.csv"),
              Lines({"# ,A ,B ,M ,N ,MidPoint ,PseudoDepth ",
                     "  1,       1.00000,       7.00000,       3.00000,       5.00000,      15.00000,       5.19000,",
                     "  2,       2.00000,       5.00000,       3.00000,       4.00000,      12.50000,       2.59500,"}));
    list.CoordInMeters = true;
    EXPECT_EQ(Exported(sequence, 1, "metres.csv"),
              Lines({"# ,A ,B ,M ,N ,MidPoint ,PseudoDepth ",
                     "  1,       0.00000,      30.00000,      10.00000,      20.00000,      15.00000,       5.19000,",
                     "  2,       5.00000,      20.00000,      10.00000,      15.00000,      12.50000,       2.59500,"}));
}

TEST_F(TextExportTest, NumbersUseADecimalPointWhateverTheLocale)
{
    TnData2D &document = FilteredWenner();
    const std::string pointed = Exported(document, 2, "classic.csv");
    {
        const TGlobalLocale comma(std::locale(std::locale::classic(), new TCommaDecimals));
        EXPECT_EQ(Exported(document, 2, "comma.csv"), pointed);
        EXPECT_EQ(TextExport::FormatReal(1234.5, 9, 2), "  1234.50");
    }
    EXPECT_NE(pointed.find("62.83185"), std::string::npos);
}

TEST_F(TextExportTest, AnUnsupportedFilterIndexGivesAnEmptyFile)
{
    THeader0D header0D;
    header0D.Count = 1;
    THeader1D header1D;
    header1D.Count = 1;
    TnData2D &data2D = FilteredWenner();
    auto &data1D = Open<TnData1D>(TDocumentKind::Data1D, Write("v.d1d", Build1D(header1D, {{1, 1000, 500}})));
    auto &data0D = Open<TnData0D>(TDocumentKind::Data0D, Write("p.d0d", Build0D(header0D, {{1, 2, 3, 4}})));
    auto &sequence = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    for (const auto &[document, index] : std::vector<std::pair<TCustomVeskObject *, int32_t>>{
             {&data2D, 0}, {&data2D, 4}, {&data1D, 2}, {&data0D, 2}, {&sequence, 2}, {&sequence, -1}}) {
        SCOPED_TRACE(document->Name + " " + std::to_string(index));
        const std::string path = PathOf("unsupported.txt");
        TestFiles::WriteFile(path, {'o', 'l', 'd'});
        EXPECT_TRUE(document->Export(path, index));
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(ReadText(path), "");
    }

    // A 1D sequence has no export at all.
    auto &sounding = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    EXPECT_FALSE(sounding.Export(PathOf("sounding.csv"), 1));
    EXPECT_FALSE(std::filesystem::exists(PathOf("sounding.csv")));
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(TextExportTest, AnExportThatCannotBeWrittenIsReported)
{
    TnData2D &document = FilteredWenner();
    document.Measurements().CoordInMeters = false;
    const TByteArray used = document.Measurements().Used;
    const std::string path = PathOf("missing/line.dat");
    EXPECT_FALSE(document.Export(path, 1));
    EXPECT_EQ(Host.Messages(), (std::vector<std::string>{"Ошибка при экспорте файла " + path + "\ncannot write '" +
                                                         path + "': No such file or directory"}));
    EXPECT_FALSE(document.Measurements().CoordInMeters);
    EXPECT_EQ(document.Measurements().Count, 4u);
    EXPECT_EQ(document.Measurements().Used, used);
}

TEST_F(TextExportTest, AnExportThatFailsMidwayLeavesTheOldFileAndNoTemporary)
{
    TnData2D &document = FilteredWenner();
    const std::string path = PathOf("line.dat");
    std::ofstream(path, std::ios::binary) << "the user's earlier export\r\n";
    // A child process whose files may not grow beyond 64 bytes, as on a disk
    // that fills up while the export is written.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{64, 64};
        ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool exported = document.Export(path, 1);
        const bool reported = Host.Messages().size() == 1 &&
                              Host.Messages()[0].ends_with("cannot write '" + path + "': File too large");
        ::_exit(!exported && reported ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadText(path), "the user's earlier export\r\n");
    for (const auto &entry : std::filesystem::directory_iterator(PathOf("")))
        EXPECT_FALSE(entry.path().filename().string().starts_with("line.dat.")) << entry.path();
}

TEST(TextExportNumbers, FixedLayouts)
{
    struct TCase {
        double Value;
        int Width, Decimals;
        const char *Text;
    };
    for (const TCase &c : {TCase{5.0, 7, 3, "  5.000"}, TCase{-1.5, 6, 2, " -1.50"}, TCase{123456.789, 5, 2, "123456.79"},
                           TCase{-0.0, 6, 2, "  0.00"}, TCase{0.000004, 14, 5, "       0.00000"},
                           TCase{9999.0, 10, 2, "   9999.00"}, TCase{1e20, 3, 1, "100000000000000000000.0"}}) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(TextExport::FormatReal(c.Value, c.Width, c.Decimals), c.Text);
    }
    EXPECT_EQ(TextExport::FormatInteger(7, 3), "  7");
    EXPECT_EQ(TextExport::FormatInteger(1234, 3), "1234");
    EXPECT_EQ(TextExport::FormatInteger(0), "0");
    EXPECT_EQ(TextExport::FormatInteger(4, 2), " 4");
}
