#include "DocumentsFixture.h"

namespace {

using namespace TestFiles;

std::vector<uint8_t> Spread(uint8_t arrayType, uint8_t rollAlong, const std::vector<TRecord2D> &records,
                            uint8_t version = Data2DInstrument)
{
    THeader2D header;
    header.Version = version;
    header.ArrayType = arrayType;
    header.RollAlong = rollAlong;
    header.Count = static_cast<uint32_t>(records.size());
    return Build2D(header, records);
}

// The state that an append may change.
struct TSnapshot {
    uint32_t Count;
    TLongwordArray A, M, N, B, Voltage;
    uint8_t ArrayType, SequenceType;
    int32_t RollCount;
    bool Mixed;
    bool operator==(const TSnapshot &) const = default;
};

TSnapshot SnapshotOf(const TnData2D &document)
{
    const TMeasurements2D &list = document.Measurements();
    const TArrayDetails2D &details = document.ArrayDetails();
    return {list.Count,        list.A,  list.M, list.N, list.B, list.Voltage, details.ArrayType, details.SequenceType,
            list.RollCount, details.MixedPoleDipole};
}

} // namespace

TEST_F(DocumentsTest, RollAlongFilesAreShiftedBy24PerSpreadAndDuplicatesMerged)
{
    auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                    Write("first.d2d", Spread(ArrayTypeCode::Wenner, 0,
                                                              {{1, 1, 2, 3, 4, 100, 1000, 1000, 10},
                                                               {1, 25, 26, 27, 28, 300, 3000, 1000, 30}})));
    const std::string rolled = Write("rolled.d2d", Spread(ArrayTypeCode::Wenner, 1,
                                                          {{1, 1, 2, 3, 4, 500, 5000, 1000, 50},
                                                           {0, 22, 23, 24, 25, 700, 7000, 2000, 70}}));
    Host.ClearPresenterCalls();

    ASSERT_TRUE(document.AppendFile(rolled));
    const TMeasurements2D &list = document.Measurements();
    ASSERT_EQ(list.Count, 4u);
    EXPECT_EQ(list.A, (TLongwordArray{1, 25, 25, 46}));
    EXPECT_EQ(list.M, (TLongwordArray{2, 26, 26, 47}));
    EXPECT_EQ(list.N, (TLongwordArray{3, 27, 27, 48}));
    EXPECT_EQ(list.B, (TLongwordArray{4, 28, 28, 49}));
    EXPECT_EQ(list.Number, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_EQ(list.Used, (TByteArray{1, 1, 1, 0}));
    EXPECT_EQ(list.Chargeability, (TLongwordArray{100, 300, 500, 700}));
    EXPECT_EQ(list.RollCount, 1);
    // The appended copy of measurement 2 is merged into it.
    EXPECT_EQ(list.Voltage, (TLongwordArray{1000, 4000, 5000, 7000}));
    EXPECT_EQ(list.Quality, (TLongwordArray{10, 40, 50, 70}));
    EXPECT_EQ(list.NotMerged, (TByteArray{1, 1, 0, 1}));
    EXPECT_EQ(list.PassesFilters, (TBooleanArray{true, true, true, true}));
    EXPECT_EQ(document.ArrayDetails().SequenceType, SequenceTypeRollAlong);
    EXPECT_FALSE(document.ArrayDetails().MixedPoleDipole);
    EXPECT_EQ(Host.PresenterCalls(), (std::vector<std::string>{"ShowAll"}));

    // A second roll-along file: shifted by 48.
    ASSERT_TRUE(document.AppendFile(rolled));
    ASSERT_EQ(list.Count, 6u);
    EXPECT_EQ(list.A[4], 49u);
    EXPECT_EQ(list.B[5], 73u);
    EXPECT_EQ(list.Number[4], 5);
    EXPECT_EQ(list.Number[5], 6);
    EXPECT_EQ(list.RollCount, 2);
    EXPECT_TRUE(Host.Messages().empty());

    // Appended data with electrode numbers above 48 stays savable.
    ASSERT_TRUE(document.SaveToFile(PathOf("joined.d2d")));
    auto &joined = Open<TnData2D>(TDocumentKind::Data2D, PathOf("joined.d2d"));
    EXPECT_EQ(joined.Measurements().B[5], 73u);
}

TEST_F(DocumentsTest, APoleDipolePairIsAppendedWithoutShiftAndMarkedMixed)
{
    auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                    Write("forward.d2d", Spread(ArrayTypeCode::FwdPoleDipole, 0,
                                                                {{1, 1, 2, 3, 0, 0, 1000, 1000, 0}})));
    ASSERT_TRUE(document.AppendFile(Write("reverse.d2d", Spread(ArrayTypeCode::RevPoleDipole, 0,
                                                                {{1, 5, 3, 1, 9, 0, 2000, 1000, 0}}))));
    const TMeasurements2D &list = document.Measurements();
    EXPECT_EQ(list.A, (TLongwordArray{1, 5}));
    EXPECT_EQ(list.M, (TLongwordArray{2, 3}));
    EXPECT_EQ(list.N, (TLongwordArray{3, 1}));
    EXPECT_EQ(list.B, (TLongwordArray{0, 0}));
    EXPECT_EQ(list.RollCount, 0);
    EXPECT_TRUE(document.ArrayDetails().MixedPoleDipole);
    EXPECT_EQ(document.ArrayDetails().ArrayType, ArrayTypeCode::RevPoleDipole);
    EXPECT_EQ(document.ArrayDetails().SequenceType, SequenceTypeSingle);
}

TEST_F(DocumentsTest, PolePoleRollAlongKeepsTheRemoteElectrodesAtZero)
{
    auto &document = Open<TnData2D>(
        TDocumentKind::Data2D, Write("first.d2d", Spread(ArrayTypeCode::PolePole, 0, {{1, 1, 2, 0, 0, 0, 1, 1, 0}})));
    ASSERT_TRUE(document.AppendFile(
        Write("rolled.d2d", Spread(ArrayTypeCode::PolePole, 1, {{1, 24, 25, 7, 8, 0, 1, 1, 0}}))));
    const TMeasurements2D &list = document.Measurements();
    EXPECT_EQ(list.A, (TLongwordArray{1, 48}));
    EXPECT_EQ(list.M, (TLongwordArray{2, 49}));
    EXPECT_EQ(list.N, (TLongwordArray{0, 0}));
    EXPECT_EQ(list.B, (TLongwordArray{0, 0}));
}

TEST_F(DocumentsTest, RefusedAppendsChangeNothing)
{
    auto &document = Open<TnData2D>(TDocumentKind::Data2D,
                                    Write("first.d2d", Spread(ArrayTypeCode::Wenner, 0,
                                                              {{1, 1, 2, 3, 4, 0, 1000, 1000, 0}})));
    const TSnapshot before = SnapshotOf(document);
    Host.ClearPresenterCalls();

    struct TCase {
        const char *Name;
        std::vector<uint8_t> Bytes;
        std::string Message; // the program's message; empty: none
        std::string Reason;  // what follows "cannot read 'PATH' as 2D data: "
    };
    const std::vector<TCase> cases{
        {"other-type.d2d", Spread(ArrayTypeCode::Schlumberger, 1, {{1, 1, 2, 3, 4}}), "", ""},
        {"single-spread.d2d", Spread(ArrayTypeCode::Wenner, 0, {{1, 1, 2, 3, 4}}), "", ""},
        {"sequence.s2d", Spread(ArrayTypeCode::Wenner, 1, {{1, 1, 2, 3, 4}}, Seq2D),
         "Ошибка при загрузке файла данных № 2", "it looks like a 2D sequence (.s2d), version byte 220"},
        {"sounding.d1d", Build1D(THeader1D{}, {}), "Ошибка при загрузке заголовка файла данных № 2",
         "it looks like 1D data (.d1d), version byte 211"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        Host.ClearMessages();
        const std::string path = Write(c.Name, c.Bytes);
        EXPECT_FALSE(document.AppendFile(path));
        if (c.Message.empty())
            EXPECT_TRUE(Host.Messages().empty());
        else
            EXPECT_EQ(Host.Messages(), (std::vector<std::string>{c.Message + "\ncannot read '" + path +
                                                                 "' as 2D data: " + c.Reason}));
        EXPECT_EQ(SnapshotOf(document), before);
    }
    Host.ClearMessages();
    const std::string missing = PathOf("missing.d2d");
    EXPECT_FALSE(document.AppendFile(missing));
    EXPECT_EQ(Host.Messages(), (std::vector<std::string>{"Ошибка при загрузке заголовка файла данных № 1\ncannot open '" +
                                                         missing + "': No such file or directory"}));
    EXPECT_EQ(SnapshotOf(document), before);
    EXPECT_TRUE(Host.PresenterCalls().empty());
}
