#include "DocumentsFixture.h"

#include "documents/VeskMessages.h"

#include <variant>

namespace {

using namespace TestFiles;

std::vector<uint8_t> WennerProfile(uint8_t version = Data2DInstrument)
{
    THeader2D header;
    header.Version = version;
    header.Count = 2;
    return Build2D(header, {{1, 1, 2, 3, 4, 0, 1000, 1000, 0, 0}, {1, 2, 3, 4, 5, 0, 2000, 1000, 0, 0}});
}

std::vector<uint8_t> Sounding()
{
    THeader1D header;
    header.Count = 1;
    return Build1D(header, {{1, 10000, 1000, 0, 1000, 1000, 0, 0}});
}

std::vector<std::string> RootTexts(const TPlainHost &host)
{
    std::vector<std::string> texts;
    for (const int32_t root : host.RootNodes())
        texts.push_back(host.NodeText(root));
    return texts;
}

} // namespace

TEST_F(DocumentsTest, NodeNamesRunOverAllKindsAndNumbersAreNeverReused)
{
    auto &profile = Open<TnData2D>(TDocumentKind::Data2D, Write("line.d2d", WennerProfile()));
    auto &design = Open<TnSeq2D>(TDocumentKind::Seq2D, Write("design.s2d", WennerProfile(Seq2D)));
    auto &sounding = Open<TnData1D>(TDocumentKind::Data1D, Write("vertical.d1d", Sounding()));
    EXPECT_EQ(profile.Name, "Data 2D #1");
    EXPECT_EQ(design.Name, "Sequence 2D #2");
    EXPECT_EQ(sounding.Name, "Data 1D #3");

    ASSERT_TRUE(Store.DeleteDocument(&design));
    auto &blank = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    auto &blank1D = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    EXPECT_EQ(blank.Name, "Sequence 2D #4");
    EXPECT_EQ(blank1D.Name, "Sequence 1D #5");
    EXPECT_EQ(Store.CreatedCount(), 5u);
    EXPECT_EQ(Store.Documents().size(), 4u);
    EXPECT_EQ(RootTexts(Host),
              (std::vector<std::string>{"Data 2D #1", "Data 1D #3", "Sequence 2D #4", "Sequence 1D #5"}));
    EXPECT_TRUE(Host.Messages().empty());
}

TEST_F(DocumentsTest, NodeIndicesStayConsistentAcrossDeletions)
{
    auto &first = Blank<TnSeq2D>(TDocumentKind::Seq2D);  // nodes 0 to 3
    auto &second = Blank<TnData2D>(TDocumentKind::Data2D); // node 4
    auto &third = Blank<TnSeq2D>(TDocumentKind::Seq2D);  // nodes 5 to 8
    auto &fourth = Blank<TnData0D>(TDocumentKind::Data0D); // node 9
    EXPECT_EQ(first.TreeIndex, 0);
    EXPECT_EQ(second.TreeIndex, 4);
    EXPECT_EQ(third.TreeIndex, 5);
    EXPECT_EQ(fourth.TreeIndex, 9);

    ASSERT_TRUE(Store.DeleteDocument(&first));
    EXPECT_EQ(second.TreeIndex, 0);
    EXPECT_EQ(third.TreeIndex, 1);
    EXPECT_EQ(fourth.TreeIndex, 5);
    // A later deletion removes the right node.
    ASSERT_TRUE(Store.DeleteDocument(&third));
    EXPECT_EQ(RootTexts(Host), (std::vector<std::string>{"Data 2D #2", "Data 0D #4"}));
    EXPECT_EQ(fourth.TreeIndex, 1);
    EXPECT_EQ(Host.NodeCount(), 2);
    // The selected node (the last one created) survived and moved with the tree.
    EXPECT_EQ(Host.SelectedNode(), 1);
    EXPECT_EQ(Host.SelectedDocument(), &fourth);

    EXPECT_FALSE(Store.DeleteDocument(nullptr));
    TnData2D stranger(Host);
    EXPECT_FALSE(Store.DeleteDocument(&stranger));
}

TEST_F(DocumentsTest, OnlyA2DSequenceHasChildrenAndTheNewNodeIsExpandedAndSelected)
{
    auto &sounding = Blank<TnSeq1D>(TDocumentKind::Seq1D);
    EXPECT_TRUE(Host.ChildNodes(sounding.TreeIndex).empty());
    EXPECT_EQ(Host.SelectedNode(), sounding.TreeIndex);

    auto &design = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    const int32_t root = design.TreeIndex;
    EXPECT_EQ(Host.NodeText(root), "Sequence 2D #2");
    EXPECT_TRUE(Host.IsExpanded(root));
    EXPECT_EQ(Host.SelectedNode(), root);
    EXPECT_EQ(std::get<TCustomVeskObject *>(Host.NodeData(root)), &design);

    const std::vector<int32_t> children = Host.ChildNodes(root);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_EQ(Host.NodeText(children[0]), "Sequence");
    EXPECT_EQ(Host.NodeText(children[1]), "Cable 1 (1-24)");
    EXPECT_EQ(Host.NodeText(children[2]), "Cable 2 (25-48)");
    EXPECT_EQ(std::get<TCustomVeskObject *>(Host.NodeData(children[0])), &design);
    EXPECT_EQ(std::get<TnCable *>(Host.NodeData(children[1])), &design.ArrayDetails().Cable1);
    EXPECT_EQ(std::get<TnCable *>(Host.NodeData(children[2])), &design.ArrayDetails().Cable2);

    // Selecting a cable selects the sequence that owns it as the document.
    Host.SelectNode(children[2]);
    EXPECT_EQ(Host.SelectedDocument(), &design);
}

TEST_F(DocumentsTest, AFileWhoseHeaderIsRefusedStillAddsItsNode)
{
    // A sounding opened with the 2D data filter: the 2D header reader refuses it.
    bool loaded = true;
    auto &document = Open<TnData2D>(TDocumentKind::Data2D, Write("vertical.d1d", Sounding()), &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при загрузке заголовка файла данных № 2\ncannot read '" +
                                        PathOf("vertical.d1d") +
                                        "' as 2D data: it looks like 1D data (.d1d), version byte 211"}));
    EXPECT_EQ(document.Name, "Data 2D #1");
    EXPECT_EQ(Host.SelectedDocument(), &document);
    EXPECT_EQ(document.Measurements().Count, 0u);
    EXPECT_TRUE(document.ArrayDetails().FileName.empty());

    // A file that does not exist: code 1.
    Host.ClearMessages();
    auto &missing = Open<TnData0D>(TDocumentKind::Data0D, PathOf("missing.d0d"), &loaded);
    EXPECT_FALSE(loaded);
    EXPECT_EQ(Host.Messages(),
              (std::vector<std::string>{"Ошибка при загрузке заголовка файла данных d0d № 1\ncannot open '" +
                                        PathOf("missing.d0d") + "': No such file or directory"}));
    EXPECT_EQ(missing.Name, "Data 0D #2");
}

TEST_F(DocumentsTest, DeletingABaseSequenceUnlinksItsRollAlongSequence)
{
    auto &base = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    auto &rolled = Blank<TnSeq2D>(TDocumentKind::Seq2D);
    rolled.SetBaseSequence(&base);
    rolled.GenerateSequence2D();
    ASSERT_EQ(rolled.ArrayDetails().BaseSequenceName, "Sequence 2D #1");

    ASSERT_TRUE(Store.DeleteDocument(&base));
    EXPECT_EQ(rolled.BaseSequence(), nullptr);
    EXPECT_EQ(rolled.ArrayDetails().BaseSequence, nullptr);
    EXPECT_TRUE(rolled.ArrayDetails().BaseSequenceName.empty());
    EXPECT_EQ(rolled.ArrayDetails().SequenceType, SequenceTypeRollAlong);
    // Selecting it afterwards regenerates it from its own (copied) design.
    const uint32_t count = rolled.Measurements().Count;
    ASSERT_GT(count, 0u);
    rolled.Measurements().SetCount(0);
    Host.SelectNode(rolled.TreeIndex);
    EXPECT_EQ(rolled.Measurements().Count, count);
    EXPECT_TRUE(Host.Messages().empty());
}

TEST(DocumentKinds, FromNumberAndFromExtension)
{
    EXPECT_EQ(DocumentKindFromNumber(1), TDocumentKind::Seq1D);
    EXPECT_EQ(DocumentKindFromNumber(5), TDocumentKind::Data0D);
    EXPECT_FALSE(DocumentKindFromNumber(0).has_value());
    EXPECT_FALSE(DocumentKindFromNumber(6).has_value());

    EXPECT_EQ(DocumentKindFromExtension("a/b/line.s1d"), TDocumentKind::Seq1D);
    EXPECT_EQ(DocumentKindFromExtension("line.S2D"), TDocumentKind::Seq2D);
    EXPECT_EQ(DocumentKindFromExtension("line.d1d"), TDocumentKind::Data1D);
    EXPECT_EQ(DocumentKindFromExtension("x.y.d2d"), TDocumentKind::Data2D);
    EXPECT_EQ(DocumentKindFromExtension("list.d0d"), TDocumentKind::Data0D);
    EXPECT_FALSE(DocumentKindFromExtension("line.dat").has_value());
    EXPECT_FALSE(DocumentKindFromExtension("d2d").has_value());
    EXPECT_FALSE(DocumentKindFromExtension("folder.d2d/line").has_value());
}
