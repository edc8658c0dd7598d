// The 1D sequence presenter on real controls: the AB/2, MN/2 table with k,
// the lines per spacing group, the design page with its group rules, edits
// of a Custom list, and the table rows as clipboard text.
#include "PresenterFixture.h"

#include "presentation/GUISeq1D.h"
#include "presentation/GridText.h"

#include <QtTest>

class TGUISeq1DTest : public QObject {
    Q_OBJECT

private slots:
    void init() { F = std::make_unique<TPresenterFixture>(); }
    void cleanup() { F.reset(); }

    void BlankDesignShowsTenRowsAndItsCurve();
    void SpacingCaptionsFollowTheArrayType_data();
    void SpacingCaptionsFollowTheArrayType();
    void SecondGroupIsReadAndDrawnAndWennerDropsIt();
    void MultiGroupDesignsKeepTheirGroupsForOtherArrayTypes();
    void EditingACustomCellKeepsTheValueAndRedrawsRowAndChart();
    void GeometricDesignShowsFactors();
    void RowsAsTabSeparatedText();
    void OverlapReadingsStayOnTheLineOfTheirMN();

private:
    TnSeq1D &TwoGroupSchlumberger();
    std::unique_ptr<TPresenterFixture> F;
};

void TGUISeq1DTest::BlankDesignShowsTenRowsAndItsCurve()
{
    TnSeq1D &sequence = F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    const TMeasurements1D &list = sequence.Measurements();
    const TGridModel &model = F->Seq1DTable.Model();
    QCOMPARE(model.rowCount(), 10);
    const QStringList captions{"#", "AB/2 [m]", "MN/2 [m]", "k [m]"};
    for (int column = 0; column < 4; ++column)
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
    QVERIFY(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, 3)) & Qt::ItemIsEditable));
    for (int row = 0; row < 10; ++row) {
        const auto i = uint32_t(row);
        QCOMPARE(model.data(model.index(row, 0)).toString(), QString::number(row + 1));
        QCOMPARE(model.data(model.index(row, 1), Qt::EditRole).toDouble(), list.HalfAB[i] / 1000.0);
        QCOMPARE(model.data(model.index(row, 2), Qt::EditRole).toDouble(), list.HalfMN[i] / 1000.0);
        // Schlumberger: k = pi (AB/2^2 - MN/2^2) / (2 MN/2), shown with three decimals.
        const double ab = list.HalfAB[i] / 1000.0, mn = list.HalfMN[i] / 1000.0;
        const double k = M_PI * (ab * ab - mn * mn) / (2 * mn);
        QVERIFY(qAbs(model.data(model.index(row, 3), Qt::EditRole).toDouble() - k) < 1e-9 * k);
        QCOMPARE(model.data(model.index(row, 3)).toString(), QString::number(k, 'f', 3));
    }

    const TSeq1DChart &chart = F->Seq1DChart;
    QVERIFY(chart.LineSeries1->Active());
    QCOMPARE(chart.LineSeries1->Count(), 10);
    for (int k = 0; k < 10; ++k) {
        QCOMPARE(chart.LineSeries1->X(k), list.HalfAB[uint32_t(k)] / 1000.0);
        QCOMPARE(chart.LineSeries1->Y(k), list.HalfMN[uint32_t(k)] / 1000.0);
    }
    for (const TChartSeries *series : {chart.LineSeries2, chart.LineSeries3, chart.LineSeries4}) {
        QVERIFY(!series->Active());
        QCOMPARE(series->Count(), 0);
    }
    QCOMPARE(chart.Chart->AxisTitle(TAxisId::Bottom), QStringLiteral("AB/2 [m]"));
    QCOMPARE(chart.Chart->AxisTitle(TAxisId::Left), QStringLiteral("MN/2 [m]"));
    QCOMPARE(F->CountPanel.text(), QStringLiteral("Count: 10"));
    QCOMPARE(F->DurationPanel.text(), QStringLiteral("Appx.Duration: "));
}

void TGUISeq1DTest::SpacingCaptionsFollowTheArrayType_data()
{
    QTest::addColumn<int>("arrayType");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("Wenner") << 0 << "AB/2 [m]" << "MN/2 [m]";
    QTest::newRow("Dipole Dipole") << 2 << "AN/2 [m]" << "BM/2 [m]";
    QTest::newRow("Wenner Gamma") << 4 << "AAN/2 [m]" << "MB/2 [m]";
    QTest::newRow("Rev Pole Dipole") << 6 << "AO/2 [m]" << "MN/2 [m]";
    QTest::newRow("Pole Pole") << 7 << "AM [m]" << "";
    QTest::newRow("Equat. Dipole Dipole") << 8 << "O\"O/2 [m]" << "MN/2 [m]";
    QTest::newRow("Custom") << 9 << "" << "";
}

void TGUISeq1DTest::SpacingCaptionsFollowTheArrayType()
{
    QFETCH(int, arrayType);
    QFETCH(QString, first);
    QFETCH(QString, second);
    TnSeq1D &sequence = F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    QVERIFY(F->Seq1DPage.NxComboBoxItem_Seq1D_ArrayType->choose(arrayType));
    sequence.Update();
    const TGridModel &model = F->Seq1DTable.Model();
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), first);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), second);
    QCOMPARE(F->Seq1DChart.Chart->AxisTitle(TAxisId::Bottom), first);
    QCOMPARE(F->Seq1DChart.Chart->AxisTitle(TAxisId::Left), second);
}

TnSeq1D &TGUISeq1DTest::TwoGroupSchlumberger()
{
    TnSeq1D &sequence = F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    const TSeq1DPage &page = F->Seq1DPage;
    page.NxCheckBoxItem_Seq1D_SecondLength->userSetValue(true);
    // The window enables a group's items when its box is ticked.
    for (TPropertyItem *item : page.NxCheckBoxItem_Seq1D_SecondLength->Children()) item->SetEnabled(true);
    page.NxSpinItem_Seq1D_sndSpacing->userSetValue(5.0);
    page.NxSpinItem_Seq1D_sndIncrement->userSetValue(5.0);
    page.NxSpinItem_Seq1D_sndSpacingCount->userSetValue(6.0);
    page.NxSpinItem_Seq1D_sndOverlapCount->userSetValue(2.0);
    sequence.Update();
    return sequence;
}

void TGUISeq1DTest::SecondGroupIsReadAndDrawnAndWennerDropsIt()
{
    TnSeq1D &sequence = TwoGroupSchlumberger();
    const TArrayDetails1D &details = sequence.ArrayDetails();
    QCOMPARE(int(details.GroupCount), 2);
    QCOMPARE(details.Spacings[1], 5.0);
    QCOMPARE(int(details.LevelCounts[1]), 6);
    QCOMPARE(int(details.OverlapCounts[1]), 2);
    QCOMPARE(F->Seq1DTable.Model().rowCount(), 16);
    QCOMPARE(F->Seq1DChart.LineSeries1->Count(), 10);
    QCOMPARE(F->Seq1DChart.LineSeries2->Count(), 6);
    // The second line starts at the first reading of its MN/2, an overlap
    // reading that the AB/2 order puts before the group's block.
    const TMeasurements1D &list = sequence.Measurements();
    uint32_t first = 0;
    while (first < list.Count && list.HalfMN[first] == list.HalfMN[0]) ++first;
    QVERIFY(first < 10);
    QCOMPARE(F->Seq1DChart.LineSeries2->X(0), list.HalfABMetres(first));
    const TSeq1DPage &page = F->Seq1DPage;
    QVERIFY(page.NxCheckBoxItem_Seq1D_SecondLength->Checked());
    QVERIFY(page.NxCheckBoxItem_Seq1D_THirdLength->Enabled());
    QVERIFY(!page.NxCheckBoxItem_Seq1D_THirdLength->Checked());
    QVERIFY(!page.NxCheckBoxItem_Seq1D_FourthLength->Enabled());

    QVERIFY(page.NxComboBoxItem_Seq1D_ArrayType->choose(ArrayTypeCode::Wenner));
    sequence.Update();
    QCOMPARE(int(details.GroupCount), 1);
    QVERIFY(!page.NxCheckBoxItem_Seq1D_SecondLength->Checked());
    QVERIFY(!page.NxCheckBoxItem_Seq1D_SecondLength->Enabled());
    QVERIFY(!page.NxSpinItem_Seq1D_sndSpacing->Enabled());
    QVERIFY(!F->Seq1DChart.LineSeries2->Active());
    QCOMPARE(F->Seq1DTable.Model().rowCount(), 10);
}

void TGUISeq1DTest::MultiGroupDesignsKeepTheirGroupsForOtherArrayTypes()
{
    TnSeq1D &sequence = TwoGroupSchlumberger();
    const TSeq1DPage &page = F->Seq1DPage;
    for (const int arrayType : {int(ArrayTypeCode::EquatDipoleDipole), int(ArrayTypeCode::Custom)}) {
        QVERIFY(page.NxComboBoxItem_Seq1D_ArrayType->choose(arrayType));
        sequence.Update();
        QCOMPARE(int(sequence.ArrayDetails().GroupCount), 2);
        QCOMPARE(sequence.Measurements().Count, 16u);
        QVERIFY(page.NxCheckBoxItem_Seq1D_SecondLength->Enabled());
        QVERIFY(page.NxCheckBoxItem_Seq1D_SecondLength->Checked());
        // The next update reads them again.
        sequence.Update();
        QCOMPARE(int(sequence.ArrayDetails().GroupCount), 2);
    }
    // A Custom list is typed, not designed: the design items are off, the
    // level counts of the groups in use stay editable.
    QVERIFY(!page.NxComboBoxItem_Seq1D_IncrementType->Enabled());
    QVERIFY(!page.NxSpinItem_Seq1D_Increment->Enabled());
    QVERIFY(!page.NxSpinItem_Seq1D_Spacing->Enabled());
    QVERIFY(!page.NxSpinItem_Seq1D_sndIncrement->Enabled());
    QVERIFY(page.NxSpinItem_Seq1D_sndSpacingCount->Enabled());
}

void TGUISeq1DTest::EditingACustomCellKeepsTheValueAndRedrawsRowAndChart()
{
    TnSeq1D &sequence = F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    QVERIFY(F->Seq1DPage.NxComboBoxItem_Seq1D_ArrayType->choose(ArrayTypeCode::Custom));
    sequence.Update();
    const TMeasurements1D &list = sequence.Measurements();
    QCOMPARE(list.Count, 10u);
    const uint32_t mnBefore = list.HalfMN[2];

    TGridModel &model = F->Seq1DTable.Model();
    QSignalSpy edits(&model, &TGridModel::CellEdited);
    QVERIFY(model.setData(model.index(2, 1), 12.3456));
    QCOMPARE(edits.size(), 1);
    sequence.ReadTable(); // what the window does on CellEdited

    QCOMPARE(list.HalfAB[2], 12346u);
    QCOMPARE(list.HalfMN[2], mnBefore);
    QCOMPARE(model.data(model.index(2, 1), Qt::EditRole).toDouble(), 12.346);
    QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("12.346"));
    QCOMPARE(model.data(model.index(2, 3), Qt::EditRole).toDouble(), list.GeometricFactor1D(2));
    QCOMPARE(F->Seq1DChart.LineSeries1->X(2), 12.346);

    // AB/2 = 1.5 m is shown as such, not rounded to a whole metre.
    QVERIFY(model.setData(model.index(0, 1), 1.5));
    sequence.ReadTable();
    QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("1.5"));
    // The next update keeps the typed list.
    sequence.Update();
    QCOMPARE(list.HalfAB[0], 1500u);
    QCOMPARE(list.HalfAB[2], 12346u);
}

void TGUISeq1DTest::GeometricDesignShowsFactors()
{
    TnSeq1D &sequence = F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    sequence.ArrayDetails().IncrementType = IncrementTypeGeometric;
    sequence.ArrayDetails().Increments[0] = 1.5;
    sequence.FillInspector();
    const TSeq1DPage &page = F->Seq1DPage;
    QCOMPARE(page.NxComboBoxItem_Seq1D_IncrementType->ItemIndex(), 1);
    QCOMPARE(page.NxSpinItem_Seq1D_Increment->Caption(), QStringLiteral("Factor"));
    QCOMPARE(page.NxSpinItem_Seq1D_fthIncrement->Caption(), QStringLiteral("Factor"));
    QCOMPARE(page.NxSpinItem_Seq1D_Increment->AsFloat(), 1.5);
    QVERIFY(F->PresenterHost.UpdatesEnabled());
}

void TGUISeq1DTest::RowsAsTabSeparatedText()
{
    F->Create<TnSeq1D>(TDocumentKind::Seq1D);
    const TGridModel &model = F->Seq1DTable.Model();
    const auto line = [&](int row) {
        return QStringList{model.DisplayText(0, row), model.DisplayText(1, row), model.DisplayText(2, row),
                           model.DisplayText(3, row)}
            .join('\t');
    };
    const QString header = QStringLiteral("#\tAB/2 [m]\tMN/2 [m]\tk [m]");
    QCOMPARE(GridRowsAsText(F->Seq1DTable, {4, 1}), header + '\n' + line(1) + '\n' + line(4) + '\n');
    QVERIFY(line(1).startsWith(QStringLiteral("2\t")));

    const QStringList all = GridRowsAsText(F->Seq1DTable, {}).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(all.size(), 11);
    QCOMPARE(all.first(), header);
    QCOMPARE(all.last(), line(9));
}


void TGUISeq1DTest::OverlapReadingsStayOnTheLineOfTheirMN()
{
    // Groups of 10 and 4 levels with MN/2 0.5 m and 2.5 m and two overlaps:
    // in AB/2 order record 10 (38.4 m) has MN/2 2.5 m and record 11 (57.7 m) 0.5 m.
    TnSeq1D &sequence =
        F->Create<TnSeq1D>(TDocumentKind::Seq1D, TPresenterFixture::Example(QStringLiteral("sounding.s1d")));
    const TMeasurements1D &list = sequence.Measurements();
    QCOMPARE(list.Count, 14u);
    QCOMPARE(list.HalfMN[9], 2500u);
    QCOMPARE(list.HalfMN[10], 500u);
    const TSeq1DChart &chart = F->Seq1DChart;
    const struct {
        const TChartSeries *Line;
        double MN;
        int Points;
    } lines[] = {{chart.LineSeries1, 0.5, 10}, {chart.LineSeries2, 2.5, 4}};
    for (const auto &line : lines) {
        QCOMPARE(line.Line->Count(), line.Points);
        for (int k = 0; k < line.Points; ++k) {
            QCOMPARE(line.Line->Y(k), line.MN);
            if (k > 0) QVERIFY(line.Line->X(k) > line.Line->X(k - 1)); // in AB/2 order
        }
    }
}

QTEST_MAIN(TGUISeq1DTest)
#include "GUISeq1DTest.moc"
