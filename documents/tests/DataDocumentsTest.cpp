#include "DocumentsFixture.h"
#include "FileChecks.h"

#include <unistd.h>

#include "documents/VeskMessages.h"

#include "vesk_pro.h"

#include <filesystem>
#include <sys/stat.h>

namespace {

using namespace TestFiles;

// Two 2D records: a used one and an unused one on the highest electrodes the
// version can store.
std::vector<TRecord2D> TwoRecords(uint32_t highElectrode)
{
    return {{1, 1, 2, 3, 4, 700, 1234, 500, 20, 99},
            {0, highElectrode - 3, highElectrode - 2, highElectrode - 1, highElectrode, 1, 2, 3, 4, 5}};
}

} // namespace

TEST_F(DocumentsTest, Data2DLoadsEveryVersion)
{
    struct TCase {
        uint8_t Version;
        uint32_t HighElectrode;
        bool Old; // lengths and slots 2 to 4 times 10, slot 1 read as 0
    };
    for (const TCase &c : {TCase{Data2DInstrument, 255, false}, TCase{Data2DWide, 300, false},
                           TCase{Data2DOld, 48, true}}) {
        SCOPED_TRACE(static_cast<int>(c.Version));
        THeader2D header;
        header.Version = c.Version;
        header.Count = 2;
        header.ArrayType = ArrayTypeCode::Wenner;
        header.RollAlong = 1;
        header.UnitSpacing = c.Old ? 500 : 5000;
        header.Origin = c.Old ? 100 : 1000;
        header.Common.Comment[0] = 'x';
        header.Common.Settings = {5, 2, 9, 3, 4, 7};
        header.Cable2[5] = 0;
        header.Groups = {{{1, 6, 1, 1}, {2, 5, 1, 3}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
        const std::string path = Write("line.d2d", Build2D(header, TwoRecords(c.HighElectrode)));

        bool loaded = false;
        auto &document = Open<TnData2D>(TDocumentKind::Data2D, path, &loaded);
        EXPECT_TRUE(loaded);
        const TArrayDetails2D &details = document.ArrayDetails();
        EXPECT_EQ(details.FileName, "line.d2d");
        EXPECT_EQ(details.Comment[0], 'x');
        EXPECT_EQ(details.ArrayType, ArrayTypeCode::Wenner);
        EXPECT_EQ(details.SequenceType, 1);
        EXPECT_EQ(details.UnitSpacing, 5000u);
        EXPECT_EQ(details.Origin, 1000u);
        EXPECT_EQ(details.GroupCount, 2);
        EXPECT_EQ(details.SpacingFactors, (TByteArray{1, 2, 0, 0}));
        EXPECT_EQ(details.LevelCounts, (TByteArray{6, 5, 0, 0}));
        EXPECT_EQ(details.OverlapCounts, (TByteArray{1, 3, 0, 0}));
        EXPECT_EQ(details.Cable2.Enabled[5], 0);
        EXPECT_EQ(details.Cable2.Enabled[6], 1);

        const TMeasurements2D &list = document.Measurements();
        EXPECT_EQ(list.MeasureSettings, (TMeasureSettings{5, 2, 9, 3, 4, 7}));
        ASSERT_EQ(list.Count, 2u);
        EXPECT_EQ(list.Used, (TByteArray{1, 0}));
        EXPECT_EQ(list.A, (TLongwordArray{1, c.HighElectrode - 3}));
        EXPECT_EQ(list.B, (TLongwordArray{4, c.HighElectrode}));
        EXPECT_EQ(list.Chargeability[0], c.Old ? 0u : 700u);
        EXPECT_EQ(list.Voltage[0], c.Old ? 12340u : 1234u);
        EXPECT_EQ(list.Current[0], c.Old ? 5000u : 500u);
        EXPECT_EQ(list.Quality[0], c.Old ? 200u : 20u);
        EXPECT_EQ(list.Number, (std::vector<int32_t>{1, 2}));
        EXPECT_EQ(list.NotMerged, (TByteArray{1, 1}));
        EXPECT_EQ(list.PassesFilters, (TBooleanArray{true, true}));
    }
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, Data1DAnd0DLoadEveryVersion)
{
    for (const bool old : {false, true}) {
        SCOPED_TRACE(old);
        THeader1D header1D;
        header1D.Version = old ? Data1DOld : Data1D;
        header1D.Count = 2;
        header1D.ArrayType = ArrayTypeCode::Wenner;
        header1D.IncrementType = 1;
        header1D.GroupCount = 1;
        header1D.Groups[0] = {1.5, 2.0, 2, 0};
        header1D.Common.Settings = {1, 2, 3, 4, 5, 6};
        auto &sounding = Open<TnData1D>(
            TDocumentKind::Data1D,
            Write("vertical.d1d", Build1D(header1D, {{1, 150, 50, 9, 1234, 100, 7, 1}, {2, 300, 50, 9, 1, 1, 1, 1}})));
        const TMeasurements1D &list1D = sounding.Measurements();
        ASSERT_EQ(list1D.Count, 2u);
        EXPECT_EQ(list1D.Used, (TByteArray{1, 2}));
        EXPECT_EQ(list1D.HalfAB, old ? (TLongwordArray{1500, 3000}) : (TLongwordArray{150, 300}));
        EXPECT_EQ(list1D.Chargeability[0], old ? 0u : 9u);
        EXPECT_EQ(list1D.Voltage[0], old ? 12340u : 1234u);
        EXPECT_EQ(list1D.MeasureSettings, (TMeasureSettings{1, 2, 3, 4, 5, 6}));
        EXPECT_EQ(sounding.ArrayDetails().IncrementType, 1);
        EXPECT_EQ(sounding.ArrayDetails().Spacings[0], 1.5);
        EXPECT_EQ(sounding.ArrayDetails().Increments[0], 2.0);
        EXPECT_EQ(sounding.ArrayDetails().LevelCounts[0], 2);
        EXPECT_EQ(sounding.ArrayDetails().FileName, "vertical.d1d");

        THeader0D header0D;
        header0D.Version = old ? Data0DOld : Data0D;
        header0D.Count = 3;
        header0D.Common.Settings = {9, 8, 7, 6, 5, 4};
        auto &single = Open<TnData0D>(
            TDocumentKind::Data0D,
            Write("points.d0d", Build0D(header0D, {{11, 12, 13, 14, 15}, {21, 22, 23, 24, 25}, {31, 32, 33, 34, 35}})));
        const TMeasurements1D &list0D = single.Measurements();
        ASSERT_EQ(list0D.Count, 3u);
        EXPECT_EQ(list0D.Chargeability, old ? (TLongwordArray{0, 0, 0}) : (TLongwordArray{11, 21, 31}));
        EXPECT_EQ(list0D.Voltage, old ? (TLongwordArray{120, 220, 320}) : (TLongwordArray{12, 22, 32}));
        EXPECT_EQ(list0D.Quality, old ? (TLongwordArray{140, 240, 340}) : (TLongwordArray{14, 24, 34}));
        EXPECT_EQ(list0D.MeasureSettings, (TMeasureSettings{9, 8, 7, 6, 5, 4}));
        EXPECT_EQ(single.ArrayDetails().FileName, "points.d0d");
    }
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, A2DFileWithoutRecordsLoadsIntoAnEmptyList)
{
    THeader2D header;
    header.Version = Data2DWide;
    bool loaded = false;
    auto &document = Open<TnData2D>(TDocumentKind::Data2D, Write("empty.d2d", Build2D(header, {})), &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(document.Measurements().Count, 0u);
    EXPECT_EQ(document.ArrayDetails().FileName, "empty.d2d");
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, RefusedRecordReadsLeaveASizedListAndNoFileName)
{
    // A 2D sequence file opened as 2D data: its header is read, its records are refused.
    THeader2D sequence;
    sequence.Version = Seq2D;
    sequence.Count = 2;
    bool loaded = true;
    auto &data2D = Open<TnData2D>(TDocumentKind::Data2D,
                                  Write("design.s2d", Build2D(sequence, {{1, 1, 2, 3, 4}, {1, 2, 3, 4, 5}})), &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(data2D.Measurements().Count, 2u);
    EXPECT_EQ(data2D.Measurements().A, (TLongwordArray{0, 0}));
    EXPECT_TRUE(data2D.ArrayDetails().FileName.empty());

    // A sounding sequence opened as 1D data.
    THeader1D sounding;
    sounding.Version = Seq1D;
    sounding.Count = 1;
    auto &data1D =
        Open<TnData1D>(TDocumentKind::Data1D, Write("design.s1d", Build1D(sounding, {{0, 1000, 500}})), &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(data1D.Measurements().Count, 1u);

    // A 2D data file opened as 0D data: its header is refused.
    THeader2D profile;
    Open<TnData0D>(TDocumentKind::Data0D, Write("line.d2d", Build2D(profile, {})), &loaded);
    EXPECT_FALSE(loaded);

    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{
                  "Ошибка при загрузке файла данных № 2\ncannot read '" + PathOf("design.s2d") +
                      "' as 2D data: it looks like a 2D sequence (.s2d), version byte 220",
                  "Ошибка при загрузке файла данных № 2\ncannot read '" + PathOf("design.s1d") +
                      "' as 1D data: it looks like a 1D sequence (.s1d), version byte 210",
                  "Ошибка при загрузке заголовка файла данных d0d № 2\ncannot read '" + PathOf("line.d2d") +
                      "' as 0D data: it looks like 2D data (.d2d), version byte 221"}));
}

TEST_F(DocumentsTest, AHeaderCountTheFileCannotHoldIsRefused)
{
    struct TCase {
        const char *Name;
        TDocumentKind Kind;
        std::vector<uint8_t> Bytes;
        bool Fits;
        std::string Reason; // after "cannot read 'PATH': "
    };
    const auto profile = [](uint8_t version, uint32_t count, std::size_t records, std::size_t cut = 0) {
        THeader2D header;
        header.Version = version;
        header.Count = count;
        std::vector<uint8_t> bytes = Build2D(header, std::vector<TRecord2D>(records, TRecord2D{1, 1, 2, 3, 4}));
        bytes.resize(bytes.size() - cut);
        return bytes;
    };
    const auto sounding = [](uint8_t version, uint8_t arrayType, uint32_t count, std::size_t records) {
        THeader1D header;
        header.Version = version;
        header.ArrayType = arrayType;
        header.Count = count;
        return Build1D(header, std::vector<TRecord1D>(records, TRecord1D{1, 1000, 500}));
    };
    THeader0D huge;
    huge.Count = 0xFFFFFFF0u;

    const std::vector<TCase> cases{
        {"exact.d2d", TDocumentKind::Data2D, profile(Data2DInstrument, 2, 2), true, ""},
        {"short.d2d", TDocumentKind::Data2D, profile(Data2DInstrument, 2, 2, 1), false,
         "file ends after 384 of 385 bytes that its header and 2 measurements need"},
        {"more.d2d", TDocumentKind::Data2D, profile(Data2DInstrument, 3, 2), false,
         "file ends after 385 of 410 bytes that its header and 3 measurements need"},
        {"wide.d2d", TDocumentKind::Data2D, profile(Data2DWide, 2, 2), true, ""},
        {"narrowAsWide.d2d", TDocumentKind::Data2D, profile(Data2DWide, 2, 1), false,
         "file ends after 372 of 409 bytes that its header and 2 measurements need"},
        {"huge.d2d", TDocumentKind::Data2D, profile(Data2DOld, 0xFFFFFFFFu, 0), false,
         "its header counts 4294967295 measurements, more than any survey has (at most 10000000)"},
        {"more.d1d", TDocumentKind::Data1D, sounding(Data1D, 1, 2, 1), false,
         "file ends after 365 of 394 bytes that its header and 2 measurements need"},
        {"huge.d0d", TDocumentKind::Data0D, Build0D(huge, {}), false,
         "its header counts 4294967280 measurements, more than any survey has (at most 10000000)"},
        {"custom.s1d", TDocumentKind::Seq1D, sounding(Seq1D, ArrayTypeCode::Custom, 3, 2), false,
         "file ends after 352 of 360 bytes that its header and 3 measurements need"},
        // A sequence's records are not read, but a file that lost them is refused all the same.
        {"cut.s2d", TDocumentKind::Seq2D, profile(Seq2D, 3, 2), false,
         "file ends after 343 of 347 bytes that its header and 3 measurements need"},
        {"cut.s1d", TDocumentKind::Seq1D, sounding(Seq1D, ArrayTypeCode::Wenner, 2, 1), false,
         "file ends after 344 of 352 bytes that its header and 2 measurements need"},
        // Ten million measurements pass the bound; one more does not.
        {"bound.d0d", TDocumentKind::Data0D, Build0D(THeader0D{Data0D, 10'000'001, {}}, {}), false,
         "its header counts 10000001 measurements, more than any survey has (at most 10000000)"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        Host.ClearMessages();
        const std::string path = Write(c.Name, c.Bytes);
        bool loaded = !c.Fits;
        TCustomVeskObject *document = Store.CreateDocument(c.Kind, path, &loaded);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(loaded, c.Fits);
        if (c.Fits) {
            EXPECT_TRUE(Host.Messages().empty());
            continue;
        }
        const std::string message = c.Reason.starts_with("its header counts")
                                        ? "Ошибка при загрузке файла данных: недопустимо большое число измерений в "
                                          "заголовке "
                                        : "Ошибка при загрузке файла данных: число измерений в заголовке больше, "
                                          "чем помещается в файле ";
        EXPECT_EQ(Host.Messages(),
                  (std::vector<std::string>{message + path + "\ncannot read '" + path + "': " + c.Reason}));
        // As for a refused header: nothing of the file was taken.
        EXPECT_EQ(document->MeasurementsCustom().Count, 0u);
        EXPECT_EQ(document->ArrayDetailsCustom().ArrayType, ArrayTypeCode::Schlumberger);
        EXPECT_TRUE(document->ArrayDetailsCustom().FileName.empty());
    }
}

// A file whose header counts more measurements than the machine could show
// is refused at once, before anything is allocated, even when the file holds
// them (a sparse file of a few kilobytes on disk); a join is held to the same
// limits as a single file.
TEST_F(DocumentsTest, CountsBeyondTheMachinesMemoryAreRefusedBeforeAnythingIsRead)
{
    const uint64_t quarter = uint64_t(::sysconf(_SC_PHYS_PAGES)) * uint64_t(::sysconf(_SC_PAGESIZE)) / 4;
    const uint64_t tooMany = quarter / FileChecks::MemoryPerMeasurement + 1;
    if (tooMany > FileChecks::MaxMeasurements) GTEST_SKIP() << "this machine would hold the largest count allowed";

    const auto count = static_cast<uint32_t>(tooMany);
    const std::string path = Write("sparse.d0d", Build0D(THeader0D{Data0D, count, {}}, {}));
    constexpr uint64_t HeaderBytes = 261, RecordBytes = 20;
    std::filesystem::resize_file(path, HeaderBytes + uint64_t{count} * RecordBytes);
    bool loaded = true;
    TCustomVeskObject *document = Store.CreateDocument(TDocumentKind::Data0D, path, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(document->MeasurementsCustom().Count, 0u);
    ASSERT_EQ(Host.Messages().size(), 1u);
    EXPECT_NE(Host.Messages()[0].find("cannot read '" + path + "': its header counts " + std::to_string(count) +
                                      " measurements, which would take about"),
              std::string::npos)
        << Host.Messages()[0];
    EXPECT_NE(Host.Messages()[0].find("more than a quarter of this machine's memory"), std::string::npos);

    // The same count reached by a join, and the bound of a single file.
    EXPECT_EQ(FileChecks::CountProblem("j.d2d", count - 1, FileChecks::TCountSource::Join), "");
    EXPECT_NE(FileChecks::CountProblem("j.d2d", count, FileChecks::TCountSource::Join)
                  .find("cannot append 'j.d2d': the joined data would count " + std::to_string(count)),
              std::string::npos);
}

TEST_F(DocumentsTest, AFileCutShortInsideItsHeaderIsRefusedForEveryKind)
{
    // The library reads such a header without noticing; the documents refuse
    // it before, so that nothing is generated or saved from a partial design.
    const auto cut = [](std::vector<uint8_t> bytes, std::size_t size) {
        bytes.resize(size);
        return bytes;
    };
    THeader2D header2D;
    header2D.Version = Seq2D;
    THeader2D data2D;
    data2D.ArrayType = ArrayTypeCode::Wenner;
    THeader1D header1D;
    header1D.Version = Seq1D;
    THeader1D data1D;
    struct TCase {
        const char *Name;
        TDocumentKind Kind;
        std::vector<uint8_t> Bytes;
        std::string Reason;
    };
    const std::vector<TCase> cases{
        {"design.s2d", TDocumentKind::Seq2D, cut(Build2D(header2D, {}), 100), "file ends after 100 of 335 header bytes"},
        {"seven.s2d", TDocumentKind::Seq2D, cut(Build2D(header2D, {}), 7), "file ends after 7 of 335 header bytes"},
        {"line.d2d", TDocumentKind::Data2D, cut(Build2D(data2D, {}), 262), "file ends after 262 of 335 header bytes"},
        {"seven.s1d", TDocumentKind::Seq1D, cut(Build1D(header1D, {}), 7), "file ends after 7 of 336 header bytes"},
        {"byte.s1d", TDocumentKind::Seq1D, {0xD3}, "file ends after 1 of 336 header bytes"},
        {"byte.d1d", TDocumentKind::Data1D, {0xD3}, "file ends after 1 of 336 header bytes"},
        {"vertical.d1d", TDocumentKind::Data1D, cut(Build1D(data1D, {}), 261),
         "file ends after 261 of 336 header bytes"},
        {"series.d0d", TDocumentKind::Data0D, cut(Build0D(THeader0D{}, {}), 8), "file ends after 8 of 261 header bytes"},
        {"empty.d2d", TDocumentKind::Data2D, {}, "file ends after 0 of 335 header bytes"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        Host.ClearMessages();
        const std::string path = Write(c.Name, c.Bytes);
        bool loaded = true;
        TCustomVeskObject *document = Store.CreateDocument(c.Kind, path, &loaded);
        ASSERT_NE(document, nullptr);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(Host.Messages(),
                  (std::vector<std::string>{"Ошибка при загрузке заголовка файла данных: файл короче заголовка " +
                                            path + "\ncannot read '" + path + "': " + c.Reason}));
        EXPECT_EQ(document->MeasurementsCustom().Count, 0u);
        EXPECT_TRUE(document->ArrayDetailsCustom().FileName.empty());
    }
}

TEST_F(DocumentsTest, WhatIsNoRegularFileIsRefusedWithoutOpeningIt)
{
    const std::string pipe = PathOf("pipe.d2d");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = PathOf("folder.s2d");
    std::filesystem::create_directory(folder);
    struct TCase {
        std::string Path;
        TDocumentKind Kind;
        std::string Reason;
    };
    const std::vector<TCase> cases{
        // Opening a named pipe for reading would wait for a writer for ever.
        {pipe, TDocumentKind::Data2D, "it is a named pipe, not a regular file"},
        {folder, TDocumentKind::Seq2D, "it is a directory, not a regular file"},
        {PathOf("missing.d0d"), TDocumentKind::Data0D, "No such file or directory"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Path);
        Host.ClearMessages();
        bool loaded = true;
        Store.CreateDocument(c.Kind, c.Path, &loaded);
        EXPECT_FALSE(loaded);
        const std::string prefix = c.Kind == TDocumentKind::Data0D ? "Ошибка при загрузке заголовка файла данных d0d № 1"
                                                                    : "Ошибка при загрузке заголовка файла данных № 1";
        EXPECT_EQ(Host.Messages(),
                  (std::vector<std::string>{prefix + "\ncannot open '" + c.Path + "': " + c.Reason}));
    }
}

TEST_F(DocumentsTest, Saving2DDataMakesTheFilteringPermanent)
{
    THeader2D header;
    header.Count = 5;
    header.ArrayType = ArrayTypeCode::Wenner;
    header.Common.Settings = {1, 1, 1, 2, 0, 0};
    const std::string path = Write("line.d2d", Build2D(header, {
                                                                   {1, 1, 2, 3, 4, 1500, 1000000, 3000, 10}, // passes
                                                                   {1, 2, 3, 4, 5, 2500, 4000, 1000, 10},    // 4 mV: filtered
                                                                   {1, 3, 4, 5, 6, 3500, 7, 0, 10},          // no current: filtered
                                                                   {1, 4, 5, 6, 7, 4500, 10000, 2000, 10},   // merged away
                                                                   {2, 5, 6, 7, 8, 5500, 10000, 2000, 10},   // not in use
                                                               }));
    auto &document = Open<TnData2D>(TDocumentKind::Data2D, path);
    TFilterDetails &filters = document.ArrayDetails().FilterDetails;
    filters.VoltageFilter = true;
    filters.CurrentFilter = true;
    document.Update(); // the plain presenter runs the filters
    document.Measurements().SetNotMerged(3, false);

    const std::string saved = PathOf("saved.d2d");
    ASSERT_TRUE(document.SaveToFile(saved));
    EXPECT_EQ(document.Measurements().Used, (TByteArray{1, 0, 0, 0, 0}));
    EXPECT_EQ(document.ArrayDetails().FileName, "saved.d2d");

    // Slot 1 carries the chargeability, slot 5 the apparent resistivity in
    // thousandths of an ohm-metre: k = 10 pi, R = 1000 mV / 3 mA.
    const std::vector<uint8_t> bytes = ReadFile(saved);
    ASSERT_EQ(bytes.size(), Header2DSize + 5 * Wide2DRecordSize);
    EXPECT_EQ(bytes[0], Data2DWide);
    EXPECT_EQ(U32At(bytes, Header2DSize + Slot5OffsetIn2DWideRecord), 10471976u);
    EXPECT_EQ(U32At(bytes, Header2DSize + 2 * Wide2DRecordSize + Slot5OffsetIn2DWideRecord), 0u);

    auto &reloaded = Open<TnData2D>(TDocumentKind::Data2D, saved);
    const TMeasurements2D &list = reloaded.Measurements();
    EXPECT_EQ(list.Used, (TByteArray{1, 0, 0, 0, 0}));
    EXPECT_EQ(list.Chargeability, (TLongwordArray{1500, 2500, 3500, 4500, 5500}));
    EXPECT_EQ(list.Voltage, (TLongwordArray{1000000, 4000, 7, 10000, 10000}));
    EXPECT_EQ(list.A, (TLongwordArray{1, 2, 3, 4, 5}));
    EXPECT_EQ(list.MeasureSettings, (TMeasureSettings{1, 1, 1, 2, 0, 0}));
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, AFailed2DSaveKeepsTheUsersFileAndTheDocument)
{
    THeader2D header;
    header.Count = 2;
    header.ArrayType = ArrayTypeCode::EquatDipoleDipole;
    auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                    Write("line.d2d", Build2D(header, {{1, 1, 2, 3, 4}, {1, 2, 3, 4, 5}})));
    document.Measurements().PassesFilters[1] = false;

    const std::string existing = Write("existing.d2d", {1, 2, 3});
    EXPECT_FALSE(document.SaveToFile(existing));
    EXPECT_EQ(ReadFile(existing), (std::vector<uint8_t>{1, 2, 3}));
    // Type 8 cannot be saved; the statuses that saving defines are kept.
    EXPECT_EQ(document.Measurements().Used, (TByteArray{1, 0}));
    EXPECT_EQ(document.ArrayDetails().FileName, "line.d2d");

    // An electrode that breaks the electrode rule.
    document.ArrayDetails().ArrayType = ArrayTypeCode::Wenner;
    document.Measurements().M[0] = 1;
    EXPECT_FALSE(document.SaveToFile(existing));
    // A folder that does not exist.
    document.Measurements().M[0] = 2;
    EXPECT_FALSE(document.SaveToFile(PathOf("missing/line.d2d")));

    // An empty list.
    auto &empty = Blank<TnData2D>(TDocumentKind::Data2D);
    EXPECT_FALSE(empty.SaveToFile(existing));

    // Each refusal says in English what makes the data unsavable.
    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при сохранении файла данных № 202\ncannot save '" + existing +
                                            "': its array type (Equat. Dipole Dipole or Custom) cannot be saved in "
                                            "a 2D data file",
                                        "Ошибка при сохранении файла данных № 206\ncannot save '" + existing +
                                            "': a measurement's electrodes do not fit its array type",
                                        "Ошибка при сохранении файла данных № 1\ncannot write '" +
                                            PathOf("missing/line.d2d") + "': No such file or directory",
                                        "Ошибка при сохранении файла данных № 201\ncannot save '" + existing +
                                            "': it has no measurements"}));
    EXPECT_EQ(ReadFile(existing), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(DocumentsTest, Saving1DDataKeepsTheStatusesAsTheyAre)
{
    THeader1D header;
    header.Count = 3;
    header.ArrayType = ArrayTypeCode::Schlumberger;
    header.Groups[0] = {1.0, 1.0, 3, 0};
    header.Common.Settings = {4, 4, 4, 4, 4, 4};
    auto &document = Open<TnData1D>(TDocumentKind::Data1D,
                                     Write("vertical.d1d", Build1D(header, {{1, 10000, 1000, 300, 50000, 100000, 500},
                                                                            {0, 20000, 1000, 400, 1, 0, 1},
                                                                            {2, 30000, 1000, 500, 1, 1, 1}})));
    const std::string saved = PathOf("saved.d1d");
    ASSERT_TRUE(document.SaveToFile(saved));
    EXPECT_EQ(document.ArrayDetails().FileName, "saved.d1d");

    auto &reloaded = Open<TnData1D>(TDocumentKind::Data1D, saved);
    const TMeasurements1D &list = reloaded.Measurements();
    EXPECT_EQ(list.Used, (TByteArray{1, 0, 2}));
    EXPECT_EQ(list.HalfAB, (TLongwordArray{10000, 20000, 30000}));
    EXPECT_EQ(list.Chargeability, (TLongwordArray{300, 400, 500}));
    EXPECT_EQ(list.Current, (TLongwordArray{100000, 0, 1}));
    EXPECT_EQ(list.MeasureSettings, (TMeasureSettings{4, 4, 4, 4, 4, 4}));

    // Custom data cannot be saved, nor a record count that differs from the levels.
    document.ArrayDetails().ArrayType = ArrayTypeCode::Custom;
    EXPECT_FALSE(document.SaveToFile(PathOf("custom.d1d")));
    document.ArrayDetails().ArrayType = ArrayTypeCode::Schlumberger;
    document.ArrayDetails().LevelCounts[0] = 4;
    EXPECT_FALSE(document.SaveToFile(PathOf("mismatch.d1d")));
    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при сохранении файла данных № 202\ncannot save '" +
                                            PathOf("custom.d1d") + "': its array type cannot be saved in a 1D file",
                                        "Ошибка при сохранении файла данных № 205\ncannot save '" +
                                            PathOf("mismatch.d1d") +
                                            "': its measurements do not match the levels of its spacing groups"}));
    EXPECT_EQ(document.ArrayDetails().FileName, "saved.d1d");
}

TEST_F(DocumentsTest, Data0DIsNeverSaved)
{
    THeader0D header;
    header.Count = 1;
    auto &document = Open<TnData0D>(TDocumentKind::Data0D, Write("points.d0d", Build0D(header, {{1, 2, 3, 4, 5}})));
    EXPECT_FALSE(document.SaveToFile(PathOf("saved.d0d")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("saved.d0d")));
    EXPECT_EQ(document.ArrayDetails().FileName, "points.d0d");
    EXPECT_EQ(document.Measurements().Voltage, (TLongwordArray{2}));
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, DisableMeasurementFindsTheNumberAndAlwaysRefreshes)
{
    THeader2D header;
    header.Count = 3;
    auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                    Write("line.d2d", Build2D(header, {{1, 1, 2, 3, 4}, {1, 2, 3, 4, 5}, {1, 3, 4, 5, 6}})));
    document.Measurements().Number[2] = 2; // two measurements carry the number 2
    Host.ClearPresenterCalls();

    document.DisableMeasurement(2);
    EXPECT_EQ(document.Measurements().Used, (TByteArray{1, 0, 1}));
    document.DisableMeasurement(99);
    EXPECT_EQ(document.Measurements().Used, (TByteArray{1, 0, 1}));
    EXPECT_EQ(Host.PresenterCalls(), (std::vector<std::string>{"Refresh", "Refresh"}));
}
