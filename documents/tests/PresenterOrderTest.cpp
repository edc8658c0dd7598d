#include "DocumentsFixture.h"

namespace {

using namespace TestFiles;
using TCalls = std::vector<std::string>;

std::vector<uint8_t> WennerProfile(uint8_t rollAlong)
{
    THeader2D header;
    header.ArrayType = ArrayTypeCode::Wenner;
    header.RollAlong = rollAlong;
    header.Count = 1;
    return Build2D(header, {{1, 1, 2, 3, 4, 0, 1000, 1000, 0}});
}

} // namespace

TEST_F(DocumentsTest, CreatingADocumentShowsItAfterItsGeneration)
{
    Blank<TnSeq2D>(TDocumentKind::Seq2D);
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowInfo", "ShowAll"}));
    Host.ClearPresenterCalls();
    Blank<TnSeq1D>(TDocumentKind::Seq1D);
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowInfo", "ShowAll"}));
    Host.ClearPresenterCalls();
    Open<TnData2D>(TDocumentKind::Data2D, Write("line.d2d", WennerProfile(0)));
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowAll"}));
    Host.ClearPresenterCalls();
    // A refused file is shown all the same.
    Open<TnData1D>(TDocumentKind::Data1D, PathOf("missing.d1d"));
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowAll"}));
}

TEST_F(DocumentsTest, UpdateReadsTheInspectorRegeneratesAndRefreshes)
{
    auto &sequence2D = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    auto &sequence1D = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    auto &data2D = Blank<TnData2D>(TDocumentKind::Data2D);
    auto &data1D = Blank<TnData1D>(TDocumentKind::Data1D);
    auto &data0D = Blank<TnData0D>(TDocumentKind::Data0D);
    Host.ClearPresenterCalls();

    struct TCase {
        TCustomVeskObject *Document;
        TCalls Calls;
    };
    for (const TCase &c : {TCase{&sequence2D, {"ReadInspector", "ShowInfo", "Refresh"}},
                           TCase{&sequence1D, {"ReadInspector", "ShowInfo", "Refresh"}},
                           TCase{&data2D, {"ReadInspector", "Refresh"}}, TCase{&data1D, {"ReadInspector", "Refresh"}},
                           TCase{&data0D, {"ReadInspector", "Refresh"}}}) {
        SCOPED_TRACE(c.Document->Name);
        c.Document->Update();
        EXPECT_EQ(Host.PresenterCalls(), c.Calls);
        Host.ClearPresenterCalls();
    }

    // A failing generation shows no information but still refreshes.
    sequence2D.ArrayDetails().SpacingFactors[0] = 0;
    sequence2D.Update();
    sequence1D.ArrayDetails().Spacings[0] = 0.0;
    sequence1D.Update();
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ReadInspector", "Refresh", "ReadInspector", "Refresh"}));
    EXPECT_EQ(Host.Messages(), (TCalls{"ОШИБКА ПРИ ГЕНРАЦИИ ПОСЛЕДОВАТЕЛЬНОСТИ №: 204\n"
                                       "cannot generate the sequence: a spacing group's spacing is 0",
                                       "Ошибка при генерации S1D №: 204\n"
                                       "cannot generate the sequence: a first spacing is not above 0"}));
    Host.ClearPresenterCalls();

    // A Custom 1D sequence is not generated: nothing to show.
    sequence1D.ArrayDetails().ArrayType = ArrayTypeCode::Custom;
    sequence1D.Update();
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ReadInspector", "Refresh"}));
}

TEST_F(DocumentsTest, ForwardingOperationsReachThePresenter)
{
    auto &document = Blank<TnData0D>(TDocumentKind::Data0D);
    Host.ClearPresenterCalls();
    document.FillInspector();
    document.ShowAll();
    document.ReadTable();
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"FillInspector", "ShowAll", "ReadTable"}));
}

TEST_F(DocumentsTest, AppendingShowsEverythingAndSelectingARollAlongSequenceRegeneratesItFirst)
{
    auto &data = Open<TnData2D>(TDocumentKind::Data2D, Write("first.d2d", WennerProfile(0)));
    Host.ClearPresenterCalls();
    ASSERT_TRUE(data.AppendFile(Write("rolled.d2d", WennerProfile(1))));
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowAll"}));

    auto &base = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    auto &rolled = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    rolled.SetBaseSequence(&base);
    Host.ClearPresenterCalls();
    Host.SelectNode(rolled.TreeIndex);
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowInfo", "ShowAll"}));
    // Selecting a single sequence or a cable only shows.
    Host.ClearPresenterCalls();
    Host.SelectNode(base.TreeIndex);
    Host.SelectNode(base.TreeIndex + 2);
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"ShowAll"}));
}

TEST_F(DocumentsTest, SavingTwoDimensionalDataRefreshesTheViewsOfItsNewStatuses)
{
    auto &data = Open<TnData2D>(TDocumentKind::Data2D, Write("line.d2d", WennerProfile(0)));
    Host.ClearPresenterCalls();
    ASSERT_TRUE(data.SaveToFile(PathOf("saved.d2d")));
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"Refresh"}));
    Host.ClearPresenterCalls();
    // A failed write has made the statuses permanent all the same.
    EXPECT_FALSE(data.SaveToFile(PathOf("no-such-folder/saved.d2d")));
    EXPECT_EQ(Host.PresenterCalls(), (TCalls{"Refresh"}));
}
