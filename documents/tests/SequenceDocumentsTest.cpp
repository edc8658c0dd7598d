#include "DocumentsFixture.h"

#include <algorithm>

namespace {

using namespace TestFiles;

struct TQuadruple {
    uint32_t A, M, N, B;
    bool operator==(const TQuadruple &) const = default;
};

std::vector<TQuadruple> QuadruplesOf(const TMeasurements2D &list)
{
    std::vector<TQuadruple> quadruples;
    for (uint32_t i = 0; i < list.Count; ++i)
        quadruples.push_back({list.A[i], list.M[i], list.N[i], list.B[i]});
    return quadruples;
}

} // namespace

TEST_F(DocumentsTest, ABlank2DSequenceSavedAndLoadedBackGivesTheIdenticalList)
{
    auto &blank = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    const std::vector<TQuadruple> generated = QuadruplesOf(blank.Measurements());
    // The default design: Schlumberger, four groups of 240, 168, 96 and 25 measurements.
    EXPECT_EQ(blank.ArrayDetails().ArrayType, ArrayTypeCode::Schlumberger);
    EXPECT_EQ(blank.ArrayDetails().GroupCounts, (TLongwordArray{240, 168, 96, 25}));
    ASSERT_EQ(generated.size(), 529u);

    const std::string path = PathOf("blank.s2d");
    ASSERT_TRUE(blank.SaveToFile(path));
    EXPECT_EQ(blank.ArrayDetails().FileName, "blank.s2d");

    auto &loaded = Open<TnSeq2D>(TDocumentKind::Seq2D, path);
    EXPECT_EQ(QuadruplesOf(loaded.Measurements()), generated);
    EXPECT_EQ(loaded.ArrayDetails().GroupCount, 4);
    EXPECT_EQ(loaded.ArrayDetails().GroupCounts, blank.ArrayDetails().GroupCounts);
    EXPECT_EQ(loaded.ArrayDetails().FileName, "blank.s2d");
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, ALoaded2DSequenceIsRegeneratedFromItsDesignNotFromItsRecords)
{
    auto &blank = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    const std::string path = PathOf("edited.s2d");
    ASSERT_TRUE(blank.SaveToFile(path));
    // Another tool changes the first record's electrode A.
    std::vector<uint8_t> bytes = ReadFile(path);
    bytes.at(Header2DSize) = 40;
    WriteFile(path, bytes);

    auto &loaded = Open<TnSeq2D>(TDocumentKind::Seq2D, path);
    EXPECT_EQ(QuadruplesOf(loaded.Measurements()), QuadruplesOf(blank.Measurements()));
}

TEST_F(DocumentsTest, RollAlongSequenceContinuesItsBase)
{
    auto &base = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    TArrayDetails2D &baseDetails = base.ArrayDetails();
    for (int32_t i = 20; i < 24; ++i)
        baseDetails.Cable1.SetEnabled(i, false); // electrodes 1 to 20 remain
    baseDetails.Cable2.Enabled[3] = 2;           // not exactly 1: copied as disabled
    baseDetails.Origin = 0;
    baseDetails.UnitSpacing = 5000;
    baseDetails.ArrayType = ArrayTypeCode::DipoleDipole;
    baseDetails.Comment[0] = 'c';
    base.GenerateSequence2D();

    auto &rolled = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    EXPECT_DOUBLE_EQ(rolled.RollAlongOrigin(base), 100.0);
    rolled.SetBaseSequence(&base);
    const TArrayDetails2D &details = rolled.ArrayDetails();
    EXPECT_EQ(details.Origin, 100000u);
    EXPECT_EQ(details.SequenceType, SequenceTypeRollAlong);
    EXPECT_EQ(details.ArrayType, ArrayTypeCode::DipoleDipole);
    EXPECT_EQ(details.Comment[0], 'c');
    EXPECT_EQ(details.BaseSequence, &base);
    EXPECT_EQ(rolled.BaseSequence(), &base);
    EXPECT_EQ(details.BaseSequenceName, "Sequence 2D #1");
    EXPECT_EQ(details.Cable1.Enabled[19], 1);
    EXPECT_EQ(details.Cable1.Enabled[20], 0);
    EXPECT_EQ(details.Cable2.Enabled[3], 0);
    EXPECT_EQ(details.GroupCounts, baseDetails.GroupCounts);

    // No enabled electrode on cable 1: one unit spacing.
    for (int32_t i = 0; i < 24; ++i)
        baseDetails.Cable1.SetEnabled(i, false);
    baseDetails.SetOrigin(2.5);
    EXPECT_DOUBLE_EQ(rolled.RollAlongOrigin(base), 7.5);

    rolled.SetBaseSequence(nullptr);
    EXPECT_EQ(rolled.BaseSequence(), nullptr);
    EXPECT_TRUE(rolled.ArrayDetails().BaseSequenceName.empty());
}

TEST_F(DocumentsTest, SelectingARollAlongSequenceCarriesOverChangesOfItsBase)
{
    auto &base = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    auto &rolled = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    rolled.SetBaseSequence(&base);
    rolled.GenerateSequence2D();

    base.ArrayDetails().SetGroupCount(1); // a smaller design
    base.GenerateSequence2D();
    Host.SelectNode(rolled.TreeIndex);
    EXPECT_EQ(rolled.ArrayDetails().GroupCount, 1);
    EXPECT_EQ(rolled.ArrayDetails().Origin, 120000u); // 24 spacings of 5 m
    // Only the measurements that reach the second cable, of the one group left.
    const TMeasurements2D &list = rolled.Measurements();
    ASSERT_GT(list.Count, 0u);
    EXPECT_LT(list.Count, base.Measurements().Count);
    EXPECT_EQ(rolled.ArrayDetails().GroupCounts[0], list.Count);
    for (uint32_t i = 0; i < list.Count; ++i)
        EXPECT_GE(std::max({list.A[i], list.M[i], list.N[i], list.B[i]}), 25u);
}

TEST_F(DocumentsTest, AFailing2DGenerationKeepsThePreviousList)
{
    auto &sequence = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    const std::vector<TQuadruple> before = QuadruplesOf(sequence.Measurements());
    sequence.ArrayDetails().LevelCounts[1] = 0;
    EXPECT_FALSE(sequence.GenerateSequence2D());
    EXPECT_EQ(Host.Messages(), (std::vector<std::string>{"ОШИБКА ПРИ ГЕНРАЦИИ ПОСЛЕДОВАТЕЛЬНОСТИ №: 205\n"
                                                         "cannot generate the sequence: a spacing group has 0 levels"}));
    EXPECT_EQ(QuadruplesOf(sequence.Measurements()), before);
}

TEST_F(DocumentsTest, SequenceSaveFailuresShowTheLibraryCode)
{
    auto &sequence2D = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    sequence2D.ArrayDetails().UnitSpacing = 0;
    EXPECT_FALSE(sequence2D.SaveToFile(PathOf("zero.s2d")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("zero.s2d")));

    auto &sequence1D = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    sequence1D.ArrayDetails().ArrayType = ArrayTypeCode::Custom;
    EXPECT_FALSE(sequence1D.SaveToFile(PathOf("custom.s1d")));

    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при сохранении файла s2d №: 204\ncannot save '" + PathOf("zero.s2d") +
                                            "': the unit spacing is 0",
                                        "Ошибка при сохранении файла s1d №: 202\ncannot save '" +
                                            PathOf("custom.s1d") + "': its array type cannot be saved in a 1D file"}));
    EXPECT_TRUE(sequence2D.ArrayDetails().FileName.empty());
}

TEST_F(DocumentsTest, A1DSequenceIsGeneratedSavedAndLoadedBack)
{
    auto &blank = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    ASSERT_EQ(blank.Measurements().Count, 10u);
    const TLongwordArray halfAB = blank.Measurements().HalfAB;
    EXPECT_GT(halfAB[9], halfAB[0]);

    ASSERT_TRUE(blank.SaveToFile(PathOf("sounding.s1d")));
    auto &loaded = Open<TnSeq1D>(TDocumentKind::Seq1D, PathOf("sounding.s1d"));
    EXPECT_EQ(loaded.Measurements().HalfAB, halfAB);
    EXPECT_EQ(loaded.Measurements().HalfMN, blank.Measurements().HalfMN);
    EXPECT_EQ(loaded.ArrayDetails().FileName, "sounding.s1d");

    // Refused parameters: the list is resized to the new count, the message shown.
    loaded.ArrayDetails().SetGroupCount(2);
    loaded.ArrayDetails().LevelCounts[1] = 4;
    EXPECT_FALSE(loaded.GenerateSequence1D()); // the second group's first spacing is 0
    EXPECT_EQ(Host.Messages(), (std::vector<std::string>{"Ошибка при генерации S1D №: 204\n"
                                                         "cannot generate the sequence: a first spacing is not above 0"}));
    EXPECT_EQ(loaded.Measurements().Count, 14u);
    EXPECT_EQ(loaded.Measurements().HalfAB[0], halfAB[0]);
    EXPECT_EQ(loaded.Measurements().HalfAB[13], 0u);
}

TEST_F(DocumentsTest, ACustom1DSequenceKeepsItsFileRecords)
{
    THeader1D header;
    header.Version = Seq1D;
    header.ArrayType = ArrayTypeCode::Custom;
    header.Count = 3;
    header.Groups[0] = {1.0, 1.0, 5, 0};
    const std::string path = Write("custom.s1d", Build1D(header, {{0, 1500, 500}, {0, 3000, 500}, {0, 7000, 1000}}));

    auto &custom = Open<TnSeq1D>(TDocumentKind::Seq1D, path);
    EXPECT_EQ(custom.Measurements().HalfAB, (TLongwordArray{1500, 3000, 7000}));
    EXPECT_EQ(custom.Measurements().HalfMN, (TLongwordArray{500, 500, 1000}));
    EXPECT_EQ(custom.ArrayDetails().ArrayType, ArrayTypeCode::Custom);
    EXPECT_EQ(custom.ArrayDetails().FileName, "custom.s1d");

    // Update does not regenerate it, only sizes it to the sum of the levels.
    custom.Update();
    EXPECT_EQ(custom.Measurements().Count, 5u);
    EXPECT_EQ(custom.Measurements().HalfAB, (TLongwordArray{1500, 3000, 7000, 0, 0}));
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, ACustom1DSequenceWhoseRecordsCannotBeReadIsReported)
{
    // A sounding data file opened as a 1D sequence of the Custom type: the
    // sequence record reader refuses the data version.
    THeader1D header;
    header.ArrayType = ArrayTypeCode::Custom;
    header.Count = 1;
    const std::string path = Write("custom.d1d", Build1D(header, {{1, 1500, 500}}));
    bool loaded = true;
    auto &custom = Open<TnSeq1D>(TDocumentKind::Seq1D, path, &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при загрузке файла данных № 2\ncannot read '" + path +
                                        "' as a 1D sequence: it looks like 1D data (.d1d), version byte 211"}));
    // The header's design was taken: the list has the header's count (all
    // zero) and the sequence shows the file's name, as every sequence whose
    // header was read does.
    EXPECT_EQ(custom.ArrayDetails().ArrayType, ArrayTypeCode::Custom);
    EXPECT_EQ(custom.Measurements().HalfAB, (TLongwordArray{0}));
    EXPECT_EQ(custom.ArrayDetails().FileName, "custom.d1d");
}

TEST_F(DocumentsTest, DataFilesOpenAsSequencesAreReadAsDesigns)
{
    THeader2D header;
    header.Count = 1;
    header.ArrayType = ArrayTypeCode::Wenner;
    header.Groups[0] = {1, 2, 1, 1};
    const std::string path = Write("line.d2d", Build2D(header, {{1, 9, 9, 9, 9}}));
    auto &sequence = Open<TnSeq2D>(TDocumentKind::Seq2D, path);
    EXPECT_TRUE(Host.Messages().empty());
    EXPECT_EQ(sequence.ArrayDetails().ArrayType, ArrayTypeCode::Wenner);
    ASSERT_GT(sequence.Measurements().Count, 1u);
    EXPECT_NE(sequence.Measurements().A[0], 9u);
}
