// The 2D sequence presenter on real controls: table, point plot with labels,
// roll-along base points, count and duration, and the design page filled and
// read back through the document's update.
#include "PresenterFixture.h"

#include "presentation/GUISeq2D.h"

#include <QtTest>

class TGUISeq2DTest : public QObject {
    Q_OBJECT

private slots:
    void init() { F = std::make_unique<TPresenterFixture>(); }
    void cleanup() { F.reset(); }

    void BlankDesignShowsTableCountDurationAndFourGroups();
    void DurationOfAGivenCount_data();
    void DurationOfAGivenCount();
    void RollAlongShowsTheBaseSequencesPoints();
    void RollAlongWithoutBaseDrawsNoBasePointsAndLocksTheDesign();
    void AnEmptyGroupLeavesItsSeriesHiddenAndLabelsRunOn();
    void InspectorFillIsQuietAndReflectsTheDesign();
    void InspectorEditsReachTheDesignThroughUpdate();
    void SpacingThatIsNoNumberKeepsTheSpacingAndTellsTheUser();
    void CodesBeyondTheListsAreKeptUntilTheUserChooses();
    void LengthsThatAreNotWholeShowToTheMillimetre();

private:
    std::unique_ptr<TPresenterFixture> F;
};

void TGUISeq2DTest::BlankDesignShowsTableCountDurationAndFourGroups()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    const TMeasurements2D &list = sequence.Measurements();
    QCOMPARE(list.Count, 529u);

    const TGridModel &model = F->SequenceTable.Model();
    QCOMPARE(model.rowCount(), 529);
    const QStringList captions{"#", "A [m]", "M [m]", "N [m]", "B [m]", "Mid Point [m]", "Pseudodepth [m]"};
    const QList<int> widths{40, 40, 40, 40, 40, 70, 169};
    QCOMPARE(model.columnCount(), captions.size());
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        QCOMPARE(model.Columns()[column].Width, widths[column]);
        QVERIFY(!(model.flags(model.index(0, column)) & Qt::ItemIsEditable));
    }
    for (const int row : {0, 239, 240, 528}) {
        const auto i = uint32_t(row);
        QCOMPARE(model.data(model.index(row, 0)).toString(), QString::number(row + 1));
        QCOMPARE(model.data(model.index(row, 1), Qt::EditRole).toDouble(), list.ElectrodeA(i));
        QCOMPARE(model.data(model.index(row, 2), Qt::EditRole).toDouble(), list.ElectrodeM(i));
        QCOMPARE(model.data(model.index(row, 3), Qt::EditRole).toDouble(), list.ElectrodeN(i));
        QCOMPARE(model.data(model.index(row, 4), Qt::EditRole).toDouble(), list.ElectrodeB(i));
        QCOMPARE(model.data(model.index(row, 5)).toString(), QString::number(list.MidPoint(i), 'g', 15));
        QCOMPARE(model.data(model.index(row, 6)).toString(), QString::number(list.PseudoDepth(i), 'g', 15));
    }

    // 529 x 1.05 x 2138 ms = 1187.55 s.
    QCOMPARE(F->CountPanel.text(), QStringLiteral("Count: 529"));
    QCOMPARE(F->DurationPanel.text(), QStringLiteral("Appx.Duration: 19 m 47 s"));

    const TSeq2DChart &chart = F->Seq2DChart;
    const QList<int> counts{240, 168, 96, 25};
    const TChartSeries *groups[] = {chart.Series1, chart.Series2, chart.Series3, chart.Series4};
    QStringList labels;
    uint32_t first = 0;
    for (int g = 0; g < 4; ++g) {
        QVERIFY(groups[g]->Active());
        QCOMPARE(groups[g]->Count(), counts[g]);
        for (int k = 0; k < counts[g]; ++k) {
            QCOMPARE(groups[g]->X(k), list.MidPoint(first + k));
            QCOMPARE(groups[g]->Y(k), list.PseudoDepth(first + k));
        }
        first += uint32_t(counts[g]);
        labels += groups[g]->property("pointLabels").toStringList();
    }
    QStringList expected;
    for (int p = 1; p <= 529; ++p) expected.append(QString::number(p));
    QCOMPARE(labels, expected);
    QVERIFY(!chart.Series5->Active());
    QCOMPARE(chart.Series5->Count(), 0);
    QCOMPARE(chart.Chart->AxisTitle(TAxisId::Bottom), QStringLiteral("Mid Point [m]"));
    QCOMPARE(chart.Chart->AxisTitle(TAxisId::Left), QStringLiteral("Pseudodepth [m]"));
    QVERIFY(chart.Chart->AxisInverted(TAxisId::Left));
}

void TGUISeq2DTest::DurationOfAGivenCount_data()
{
    QTest::addColumn<uint>("count");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<int>("seconds");
    QTest::newRow("one") << 1u << 0 << 2;
    QTest::newRow("hundred") << 100u << 3 << 44;
    QTest::newRow("250") << 250u << 9 << 21;
    QTest::newRow("1000") << 1000u << 37 << 24;
    QTest::newRow("none") << 0u << 0 << 0;
}

void TGUISeq2DTest::DurationOfAGivenCount()
{
    QFETCH(uint, count);
    QFETCH(int, minutes);
    QFETCH(int, seconds);
    const TSequenceDuration duration = SequenceDuration(count);
    QCOMPARE(duration.Minutes, minutes);
    QCOMPARE(duration.Seconds, seconds);
}

void TGUISeq2DTest::RollAlongShowsTheBaseSequencesPoints()
{
    TnSeq2D &base = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    TnSeq2D &roll = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    roll.SetBaseSequence(&base);
    ShowSelectedDocument(roll); // what selecting its node does

    const TMeasurements2D &baseList = base.Measurements();
    const TSeq2DChart &chart = F->Seq2DChart;
    QVERIFY(chart.Series5->Active());
    QCOMPARE(chart.Series5->Count(), int(baseList.Count));
    for (uint32_t i = 0; i < baseList.Count; i += 37) {
        QCOMPARE(chart.Series5->X(int(i)), baseList.MidPoint(i));
        QCOMPARE(chart.Series5->Y(int(i)), baseList.PseudoDepth(i));
    }
    QVERIFY(chart.Series5->property("pointLabels").toStringList().join(QString()).isEmpty());

    // The roll-along's own points continue the line beyond the base.
    const TMeasurements2D &rollList = roll.Measurements();
    QVERIFY(rollList.Count > 0);
    int own = 0;
    for (const TChartSeries *series : {chart.Series1, chart.Series2, chart.Series3, chart.Series4})
        own += series->Count();
    QCOMPARE(own, int(rollList.Count));
    QVERIFY(rollList.MidPoint(rollList.Count - 1) > baseList.MidPoint(baseList.Count - 1));
    QCOMPARE(F->Seq2DPage.NxComboBoxItem_SingleSequencies->Text(), QString::fromStdString(base.Name));
}

void TGUISeq2DTest::RollAlongWithoutBaseDrawsNoBasePointsAndLocksTheDesign()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    sequence.ArrayDetails().SequenceType = SequenceTypeRollAlong;
    sequence.ShowAll();
    QVERIFY(!F->Seq2DChart.Series5->Active());
    QCOMPARE(F->Seq2DChart.Series5->Count(), 0);

    // Only "Sequence Type" and "Single Sequencies" can be changed.
    const TSeq2DPage &page = F->Seq2DPage;
    QVERIFY(page.NxComboBoxItem_SequenceType->Enabled());
    QVERIFY(page.NxComboBoxItem_SingleSequencies->Enabled());
    const QList<TPropertyItem *> &items = page.Inspector->Items();
    for (qsizetype k = items.indexOf(page.NxTextItem_s2d_DispFileName); k < items.size(); ++k)
        QVERIFY2(!items[k]->Enabled(), qPrintable(items[k]->objectName()));

    // Back to "Single": the design can be edited again, the base list cannot.
    sequence.ArrayDetails().SequenceType = SequenceTypeSingle;
    sequence.FillInspector();
    QVERIFY(!page.NxComboBoxItem_SingleSequencies->Enabled());
    for (qsizetype k = items.indexOf(page.NxTextItem_s2d_DispFileName); k < items.size(); ++k)
        QVERIFY2(items[k]->Enabled(), qPrintable(items[k]->objectName()));
}

void TGUISeq2DTest::AnEmptyGroupLeavesItsSeriesHiddenAndLabelsRunOn()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    TArrayDetails2D &details = sequence.ArrayDetails();
    // As if group 2 had produced nothing: its measurements count for group 3.
    details.GroupCounts = {240, 0, 264, 25};
    sequence.ShowAll();
    const TSeq2DChart &chart = F->Seq2DChart;
    QVERIFY(!chart.Series2->Active());
    QCOMPARE(chart.Series2->Count(), 0);
    QCOMPARE(chart.Series3->Count(), 264);
    QCOMPARE(chart.Series3->Label(0), QStringLiteral("241"));
    QCOMPARE(chart.Series4->Label(24), QStringLiteral("529"));

    // Group sizes claiming more than the list holds stop at its end.
    details.GroupCounts = {500, 500, 0, 0};
    sequence.ShowAll();
    QCOMPARE(chart.Series1->Count(), 500);
    QCOMPARE(chart.Series2->Count(), 29);
    QVERIFY(!chart.Series3->Active());
}

void TGUISeq2DTest::InspectorFillIsQuietAndReflectsTheDesign()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D, TPresenterFixture::Example("schlumberger.s2d"));
    const TArrayDetails2D &details = sequence.ArrayDetails();
    const TSeq2DPage &page = F->Seq2DPage;

    // Every program write happens while UpdatesEnabled is false.
    int writes = 0, loudWrites = 0;
    for (TPropertyItem *item : page.Inspector->Items())
        connect(item, &TPropertyItem::valueChanged, this, [&] {
            ++writes;
            if (F->PresenterHost.UpdatesEnabled()) ++loudWrites;
        });
    F->SequenceTable.Model().BeginFill(0); // make the next fill visible
    F->SequenceTable.Model().EndFill();
    sequence.ShowAll();
    QVERIFY(writes > 0);
    QCOMPARE(loudWrites, 0);
    QVERIFY(F->PresenterHost.UpdatesEnabled());

    QCOMPARE(page.NxComboBoxItem_ArrayType->ItemIndex(), int(details.ArrayType));
    QCOMPARE(page.NxComboBoxItem_SequenceType->ItemIndex(), int(details.SequenceType));
    QCOMPARE(page.NxTextItem_s2d_DispFileName->AsString(), QStringLiteral("schlumberger.s2d"));
    QCOMPARE(page.NxTextItem_Spacing->AsString().toDouble(), details.UnitSpacing / 1000.0);
    QCOMPARE(page.NxComboBoxItem_Spacing->ItemIndex(), int(details.SpacingFactors[0]) - 1);
    QCOMPARE(page.NxSpinItem_Count->AsInteger(), int(details.LevelCounts[0]));
    QCOMPARE(page.NxSpinItem_LevelFreq->AsInteger(), int(details.LevelSteps[0]));
    QCOMPARE(page.NxSpinItem_fstOverlapCount->AsInteger(), int(details.OverlapCounts[0]));
    const TPropertyItem *checks[] = {page.NxCheckBoxItem_SecondLength, page.NxCheckBoxItem_ThirdLength,
                                      page.NxCheckBoxItem_FourthLength};
    for (int g = 1; g < 4; ++g) QCOMPARE(checks[g - 1]->Checked(), g < details.GroupCount);
    if (details.GroupCount > 1) {
        QCOMPARE(page.NxComboBoxItem_sndSpacing->ItemIndex(), int(details.SpacingFactors[1]) - 2);
        QCOMPARE(page.NxSpinItem_sndLevelCount->AsInteger(), int(details.LevelCounts[1]));
    }
    QCOMPARE(page.NxComboBoxItem_s2d_DepthMethod->ItemIndex(), int(details.DepthMethod));
    QCOMPARE(page.NxCheckBoxItem_S2D_ElCoordMode->Checked(), sequence.Measurements().CoordInMeters);
}

void TGUISeq2DTest::InspectorEditsReachTheDesignThroughUpdate()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    const TSeq2DPage &page = F->Seq2DPage;
    QVERIFY(page.NxCheckBoxItem_ThirdLength->Checked());
    // Group 3 unchecked: groups 3 and 4 are no longer read, whatever #4 says.
    QVERIFY(page.NxCheckBoxItem_ThirdLength->userSetValue(false));
    QVERIFY(page.NxSpinItem_Count->userSetValue(8));
    QVERIFY(page.NxComboBoxItem_sndSpacing->userSetValue(2)); // "4 x A"
    QVERIFY(page.NxCheckBoxItem_s2d_YLogScale->userSetValue(true));
    QVERIFY(page.NxCheckBoxItem_S2D_ElCoordMode->userSetValue(false));
    QVERIFY(page.NxTextItem_Spacing->userSetValue(QStringLiteral("2,5")));
    sequence.Update();

    const TArrayDetails2D &details = sequence.ArrayDetails();
    QCOMPARE(int(details.GroupCount), 2);
    QCOMPARE(int(details.LevelCounts[0]), 8);
    QCOMPARE(int(details.SpacingFactors[1]), 4);
    QCOMPARE(details.UnitSpacing, 2500u);
    QVERIFY(!sequence.Measurements().CoordInMeters);
    QVERIFY(F->Seq2DChart.Chart->AxisLogarithmic(TAxisId::Left));
    QVERIFY(!F->Seq2DChart.Chart->AxisLogarithmic(TAxisId::Bottom));
    QVERIFY(!F->Seq2DChart.Series3->Active());
    QCOMPARE(F->Seq2DChart.Series1->Count() + F->Seq2DChart.Series2->Count(), int(sequence.Measurements().Count));
    // Electrode numbers instead of metres in the table.
    const TGridModel &model = F->SequenceTable.Model();
    QCOMPARE(model.data(model.index(0, 1), Qt::EditRole).toDouble(), double(sequence.Measurements().A[0]));
    QCOMPARE(F->CountPanel.text(), QStringLiteral("Count: %1").arg(sequence.Measurements().Count));
}

void TGUISeq2DTest::SpacingThatIsNoNumberKeepsTheSpacingAndTellsTheUser()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    const uint32_t spacing = sequence.ArrayDetails().UnitSpacing;
    QVERIFY(F->Seq2DPage.NxTextItem_Spacing->userSetValue(QStringLiteral("five")));
    sequence.Update();
    QCOMPARE(sequence.ArrayDetails().UnitSpacing, spacing);
    QCOMPARE(F->PresenterHost.Messages.size(), 1);
    QVERIFY(F->PresenterHost.Messages[0].contains(QStringLiteral("'five'")));
}

void TGUISeq2DTest::LengthsThatAreNotWholeShowToTheMillimetre()
{
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    QVERIFY(F->Seq2DPage.NxTextItem_Spacing->userSetValue(QStringLiteral("2.5")));
    sequence.Update();
    const TMeasurements2D &list = sequence.Measurements();
    const TGridModel &model = F->SequenceTable.Model();
    // Electrode positions at odd multiples of 2.5 m are not whole metres.
    int notWhole = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const double a = list.ElectrodeA(uint32_t(row));
        QCOMPARE(model.data(model.index(row, 1), Qt::EditRole).toDouble(), a);
        QCOMPARE(model.data(model.index(row, 1)).toString(), QString::number(a, 'g', 12));
        if (a != std::floor(a)) ++notWhole;
    }
    QVERIFY(notWhole > 0);
}

QTEST_MAIN(TGUISeq2DTest)
#include "GUISeq2DTest.moc"

void TGUISeq2DTest::CodesBeyondTheListsAreKeptUntilTheUserChooses()
{
    // A design whose array type (Equat. Dipole Dipole, 8) and depth method
    // code lie beyond the page's lists: no line is shown, and reading the
    // page back keeps the document's own codes.
    TnSeq2D &sequence = F->Create<TnSeq2D>(TDocumentKind::Seq2D);
    sequence.ArrayDetails().ArrayType = 8;
    sequence.ArrayDetails().DepthMethod = 7;
    sequence.FillInspector();
    QCOMPARE(F->Seq2DPage.NxComboBoxItem_ArrayType->Text(), QString());
    sequence.Presenter().ReadInspector();
    QCOMPARE(int(sequence.ArrayDetails().ArrayType), 8);
    QCOMPARE(int(sequence.ArrayDetails().DepthMethod), 7);
    // The user's choice counts.
    QVERIFY(F->Seq2DPage.NxComboBoxItem_ArrayType->userSetValue(2));
    sequence.Presenter().ReadInspector();
    QCOMPARE(int(sequence.ArrayDetails().ArrayType), 2);
}
