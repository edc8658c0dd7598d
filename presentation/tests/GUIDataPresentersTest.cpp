// The 1D and 0D data presenters on real controls: record tables, Rho curves by
// spacing group, value curves, the "Used" column read back through "#", the
// read-mostly inspector pages and the log axes.
#include "PresenterFixture.h"

#include "presentation/GUIData0D.h"
#include "presentation/GUIData1D.h"

#include <QtTest>

class TGUIDataPresentersTest : public QObject {
    Q_OBJECT

private slots:
    void init() { F = std::make_unique<TPresenterFixture>(); }
    void cleanup() { F.reset(); }

    void SoundingTableShowsEveryRecord();
    void SoundingDrawsRhoCurvesByGroupAndValueCurves();
    void UntickingUsedInASortedTableDisablesTheNumberedRecord();
    void ChargeabilitySortsByValue();
    void SoundingInspectorIsFilledAndReadBack();
    void UntickingEveryDiagramLeavesTheChartEmpty();
    void CurvesStopAtTheListsEndWhateverTheGroupsClaim();
    void SeriesShowsFiveCurvesAndUnusedRecords();
    void SeriesTableAndInspector();
    void YLogScaleFitsWholeDecades();

private:
    std::unique_ptr<TPresenterFixture> F;
};

namespace {

// The records whose MN/2 (in millimetres) is the given one, in list order
// (the example's list is in AB/2 order).
QList<uint32_t> RecordsOfMN(const TMeasurements1D &list, uint32_t halfMN)
{
    QList<uint32_t> records;
    for (uint32_t i = 0; i < list.Count; ++i)
        if (list.HalfMN[i] == halfMN) records.append(i);
    return records;
}

} // namespace

void TGUIDataPresentersTest::SoundingTableShowsEveryRecord()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    const TMeasurements1D &list = sounding.Measurements();
    const TGridModel &model = F->Data1DTable.Model();
    QVERIFY(list.Count > 0);
    QCOMPARE(model.rowCount(), int(list.Count));
    const auto [ab, mn] = TGUICustom::SoundingAxisTitles(sounding.ArrayDetails().ArrayType);
    const QStringList captions{"#",      "Used",   ab,      mn,      "C [ms]",       "U [mV]",
                               "I [mA]", "Q [%]", "R [Ohm]", "k [m]", "Rho [Ohm*m]"};
    const QList<int> widths{23, 23, 28, 28, 30, 36, 36, 36, 40, 0, 0};
    QCOMPARE(model.columnCount(), captions.size());
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        QCOMPARE(model.Columns()[column].Width, widths[column]);
        QCOMPARE(bool(model.flags(model.index(0, column)) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)),
                 column == 1);
    }
    for (int row = 0; row < model.rowCount(); ++row) {
        const auto i = uint32_t(row);
        const auto value = [&](int column) { return model.data(model.index(row, column), Qt::EditRole).toDouble(); };
        QCOMPARE(value(0), double(row + 1));
        QCOMPARE(model.data(model.index(row, 1), Qt::CheckStateRole).toInt(),
                 int(list.Used[i] == 1 ? Qt::Checked : Qt::Unchecked));
        QCOMPARE(value(2), list.HalfAB[i] / 1000.0);
        QCOMPARE(value(3), list.HalfMN[i] / 1000.0);
        QCOMPARE(value(4), list.Chargeability[i] / 1000.0);
        QCOMPARE(value(5), list.Voltage[i] / 1000.0);
        QCOMPARE(value(6), list.Current[i] / 1000.0);
        QCOMPARE(value(7), list.Quality[i] / 1000.0);
        const double resistance = list.Current[i] ? double(list.Voltage[i]) / list.Current[i] : 0.0;
        QVERIFY(qAbs(value(8) - resistance) <= 1e-12 * resistance);
        QCOMPARE(model.data(model.index(row, 8)).toString(), QString::number(resistance, 'f', 2));
        QCOMPARE(value(9), list.GeometricFactor1D(i));
        QVERIFY(qAbs(value(10) - list.GeometricFactor1D(i) * resistance) <= 1e-9 * value(10));
        QCOMPARE(model.data(model.index(row, 10)).toString(), QString::number(value(10), 'f', 2));
        // Readings in text columns: general form, no trailing zeros.
        QCOMPARE(model.data(model.index(row, 5)).toString(), QString::number(list.Voltage[i] / 1000.0, 'g', 15));
    }
}

void TGUIDataPresentersTest::SoundingDrawsRhoCurvesByGroupAndValueCurves()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    const TMeasurements1D &list = sounding.Measurements();
    // Leave one record of the first group out.
    TGridModel &model = F->Data1DTable.Model();
    QVERIFY(model.setData(model.index(3, 1), Qt::Unchecked, Qt::CheckStateRole));
    sounding.ReadTable();
    QCOMPARE(list.Used[3], 0);

    const TData1DChart &chart = F->Data1DChart;
    const TChartSeries *rho[] = {chart.Series_D1D_MN1, chart.Series_D1D_MN2, chart.Series_D1D_MN3,
                                 chart.Series_D1D_MN4};
    // Two groups, MN/2 = 0.5 m and 2.5 m; the AB/2 order puts the overlap
    // readings at 38.4 m and 57.7 m into the other group's block of records,
    // but each curve keeps the readings of its own MN/2.
    const QList<QList<uint32_t>> groups{RecordsOfMN(list, 500), RecordsOfMN(list, 2500)};
    QCOMPARE(groups[0].size() + groups[1].size(), int(list.Count));
    QCOMPARE(groups[0].size(), 10);
    QVERIFY(groups[0].last() > groups[1].first()); // the blocks of ten and four would mix them
    for (int g = 0; g < 4; ++g) {
        QList<QPointF> expected;
        for (const uint32_t i : groups.value(g))
            if (list.Used[i]) expected.append({list.HalfAB[i] / 1000.0, list.ApparentResistivity1D(i)});
        QCOMPARE(SeriesPoints(*rho[g]), expected);
        QCOMPARE(rho[g]->Active(), g < groups.size());
    }
    QCOMPARE(chart.Series_D1D_MN1->Title(), QStringLiteral("Rho 1"));

    // Value curves: record index against the reading, shown records only; R is off by default.
    QList<QPointF> voltage, current, quality, charge;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.Used[i]) continue;
        voltage.append({double(i), list.Voltage[i] / 1000.0});
        current.append({double(i), list.Current[i] / 1000.0});
        quality.append({double(i), list.Quality[i] / 1000.0});
        charge.append({double(i), list.Chargeability[i] / 1000.0});
    }
    QCOMPARE(SeriesPoints(*chart.Series_d1d_U), voltage);
    QCOMPARE(SeriesPoints(*chart.Series_d1d_I), current);
    QCOMPARE(SeriesPoints(*chart.Series_d1d_Q), quality);
    QCOMPARE(SeriesPoints(*chart.Series_d1d_C), charge);
    QCOMPARE(chart.Series_d1d_R->Count(), 0);
    QVERIFY(!chart.Series_d1d_R->Active());
    QVERIFY(!chart.Chart->AxisLogarithmic(TAxisId::Bottom));
    QVERIFY(chart.Chart->AxisAutomatic(TAxisId::Left));
}

void TGUIDataPresentersTest::UntickingUsedInASortedTableDisablesTheNumberedRecord()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    TGridView &view = F->Data1DTable;
    view.SortByColumn(10, Qt::DescendingOrder); // "Rho [Ohm*m]"
    QAbstractItemModel *shown = view.model();
    const int record = shown->data(shown->index(0, 0), Qt::EditRole).toInt() - 1;
    QVERIFY(record > 0); // the largest Rho is not the first record of this sounding
    QVERIFY(shown->setData(shown->index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
    sounding.ReadTable();
    const TMeasurements1D &list = sounding.Measurements();
    for (uint32_t i = 0; i < list.Count; ++i) QCOMPARE(list.Used[i] == 1, int(i) != record);
}

void TGUIDataPresentersTest::ChargeabilitySortsByValue()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    TMeasurements1D &list = sounding.Measurements();
    QVERIFY(list.Count >= 3);
    // 9 ms, 10 ms and 100 ms: as text these would sort 10, 100, 9.
    list.Chargeability[0] = 10000;
    list.Chargeability[1] = 9000;
    list.Chargeability[2] = 100000;
    sounding.ShowAll();
    TGridView &view = F->Data1DTable;
    view.SortByColumn(4, Qt::AscendingOrder);
    double previous = -1;
    for (int row = 0; row < view.model()->rowCount(); ++row) {
        const double value = view.model()->data(view.model()->index(row, 4), Qt::EditRole).toDouble();
        QVERIFY2(value >= previous, qPrintable(QStringLiteral("row %1").arg(row)));
        previous = value;
    }
}

void TGUIDataPresentersTest::SoundingInspectorIsFilledAndReadBack()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    const TMeasurements1D &list = sounding.Measurements();
    const TData1DPage &page = F->Data1DPage;
    QCOMPARE(page.NxTextItem_d1d_DispFileName->AsString(), QStringLiteral("sounding.d1d"));
    QCOMPARE(page.NxTextItem_D1D_Title->AsString(), QString());
    QCOMPARE(page.NxSpinItem_D1D_Count->AsInteger(), int(list.Count));
    QCOMPARE(page.NxComboBoxItem_D1D_ArrayType->ItemIndex(), int(sounding.ArrayDetails().ArrayType));
    QCOMPARE(page.NxComboBoxItem_d1d_DepthMethod->ItemIndex(), int(sounding.ArrayDetails().DepthMethod));
    QCOMPARE(page.NxComboBoxItem_d1d_DepthMethod->Lines(), (QStringList{"AB Proportional", "Median Depth"}));
    QCOMPARE(page.NxSpinItem_D1D_Q->AsInteger(), int(list.MeasureSettings[0]));
    QCOMPARE(page.NxSpinItem_D1D_MinStack->AsInteger(), int(list.MeasureSettings[1]));
    QCOMPARE(page.NxSpinItem_D1D_MaxStack->AsInteger(), int(list.MeasureSettings[2]));
    QCOMPARE(page.NxComboBoxItem_d1d_InducedPolarization->ItemIndex(), int(list.MeasureSettings[3]));
    QCOMPARE(page.NxComboBoxItem_d1d_TxPower->ItemIndex(), int(list.MeasureSettings[4]));
    QCOMPARE(page.NxComboBoxItem_d1d_TxPower->Lines().size(), 23);
    QCOMPARE(page.NxComboBoxItem_d1d_TxPower->Lines().last(), QString());
    QVERIFY(page.NxCheckBoxItem_d1d_ShowRho->Checked());
    QVERIFY(!page.NxCheckBoxItem_d1d_ShowR->Checked());

    QVERIFY(page.NxCheckBoxItem_d1d_ShowR->userSetValue(true));
    QVERIFY(page.NxCheckBoxItem_d1d_XLogScale->userSetValue(true));
    sounding.Update();
    const TData1DChart &chart = F->Data1DChart;
    QCOMPARE(chart.Series_d1d_R->Count(), int(std::count(list.Used.begin(), list.Used.end(), 1)));
    QVERIFY(chart.Chart->AxisLogarithmic(TAxisId::Bottom));
    QVERIFY(!chart.Chart->AxisLogarithmic(TAxisId::Left));
    QVERIFY(!chart.Chart->AxisAutomatic(TAxisId::Bottom));
    // Whole decades around the x values of all curves (record index 1 .. AB/2 max; 0 has no place).
    const double lower = chart.Chart->AxisMinimum(TAxisId::Bottom), upper = chart.Chart->AxisMaximum(TAxisId::Bottom);
    QCOMPARE(std::log10(lower), std::round(std::log10(lower)));
    QCOMPARE(std::log10(upper), std::round(std::log10(upper)));
    QVERIFY(upper >= *std::max_element(list.HalfAB.begin(), list.HalfAB.end()) / 1000.0);
    QVERIFY(chart.Chart->AxisAutomatic(TAxisId::Left));
}

void TGUIDataPresentersTest::UntickingEveryDiagramLeavesTheChartEmpty()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    const TData1DPage &page = F->Data1DPage;
    for (TPropertyItem *item : {page.NxCheckBoxItem_d1d_ShowRho, page.NxCheckBoxItem_d1d_ShowR,
                                 page.NxCheckBoxItem_d1d_ShowC, page.NxCheckBoxItem_d1d_ShowU,
                                 page.NxCheckBoxItem_d1d_ShowI, page.NxCheckBoxItem_d1d_ShowQ})
        item->userSetValue(false);
    sounding.Update();
    for (const TChartSeries *series : F->Data1DChart.Chart->Series()) {
        QCOMPARE(series->Count(), 0);
        QVERIFY(!series->Active());
    }
}

void TGUIDataPresentersTest::CurvesStopAtTheListsEndWhateverTheGroupsClaim()
{
    TnData1D &sounding = F->Create<TnData1D>(TDocumentKind::Data1D, TPresenterFixture::Example("sounding.d1d"));
    TArrayDetails1D &details = sounding.ArrayDetails();
    const uint32_t count = sounding.Measurements().Count;
    details.SetGroupCount(4);
    details.LevelCounts = {uint8_t(count - 2), 200, 200, 200};
    details.GroupCount = 6; // a header claiming more groups than there are curves
    sounding.ShowAll();
    QCOMPARE(F->Data1DChart.Series_D1D_MN1->Count() + F->Data1DChart.Series_D1D_MN2->Count(),
             int(std::count(sounding.Measurements().Used.begin(), sounding.Measurements().Used.end(), 1)));
    QCOMPARE(F->Data1DChart.Series_D1D_MN3->Count(), 0);
}

void TGUIDataPresentersTest::SeriesShowsFiveCurvesAndUnusedRecords()
{
    TnData0D &series = F->Create<TnData0D>(TDocumentKind::Data0D, TPresenterFixture::Example("series.d0d"));
    TMeasurements1D &list = series.Measurements();
    QVERIFY(list.Count > 1);
    list.SetUsed(1, false); // still drawn
    series.ShowAll();
    const TData0DChart &chart = F->Data0DChart;
    QList<QPointF> r, c, u, i, q;
    for (uint32_t k = 0; k < list.Count; ++k) {
        const double x = k;
        r.append({x, list.Current[k] ? double(list.Voltage[k]) / list.Current[k] : 0.0});
        c.append({x, list.Chargeability[k] / 1000.0});
        u.append({x, list.Voltage[k] / 1000.0});
        i.append({x, list.Current[k] / 1000.0});
        q.append({x, list.Quality[k] / 1000.0});
    }
    QCOMPARE(SeriesPoints(*chart.Series_d0d_R), r);
    QCOMPARE(SeriesPoints(*chart.Series_d0d_C), c);
    QCOMPARE(SeriesPoints(*chart.Series_d0d_U), u);
    QCOMPARE(SeriesPoints(*chart.Series_d0d_I), i);
    QCOMPARE(SeriesPoints(*chart.Series_d0d_Q), q);
    for (const TChartSeries *curve : chart.Chart->Series()) QVERIFY(curve->Active());
    QCOMPARE(chart.Chart->AxisTitle(TAxisId::Bottom), QStringLiteral("#"));
}

void TGUIDataPresentersTest::SeriesTableAndInspector()
{
    TnData0D &series = F->Create<TnData0D>(TDocumentKind::Data0D, TPresenterFixture::Example("series.d0d"));
    const TMeasurements1D &list = series.Measurements();
    const TGridModel &model = F->Data0DTable.Model();
    QCOMPARE(model.rowCount(), int(list.Count));
    const QStringList captions{"#", "C [ms]", "U [mV]", "I [mA]", "Q [%]", "R [Ohm]"};
    for (int column = 0; column < captions.size(); ++column) {
        QCOMPARE(model.headerData(column, Qt::Horizontal).toString(), captions[column]);
        QCOMPARE(model.Columns()[column].Width, column == 0 ? 40 : 60);
        QVERIFY(!(model.flags(model.index(0, column)) & Qt::ItemIsEditable));
    }
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString::number(list.Chargeability[0] / 1000.0, 'f', 0));
    QCOMPARE(model.data(model.index(0, 2)).toString(), QString::number(list.Voltage[0] / 1000.0, 'f', 2));
    QCOMPARE(model.data(model.index(0, 5), Qt::EditRole).toDouble(), list.Resistance(0));

    const TData0DPage &page = F->Data0DPage;
    QCOMPARE(page.NxTextItem_d0d_DispFileName->AsString(), QStringLiteral("series.d0d"));
    QCOMPARE(page.NxSpinItem_d0d_Count->AsInteger(), int(list.Count));
    QCOMPARE(page.NxSpinItem_d0d_Q->AsInteger(), int(list.MeasureSettings[0]));
    QCOMPARE(page.NxComboBoxItem_d0d_InducedPolarization->ItemIndex(), int(list.MeasureSettings[3]));
    QCOMPARE(page.NxComboBoxItem_d0d_TxPower->ItemIndex(), int(list.MeasureSettings[4]));
    QCOMPARE(page.NxComboBoxItem_d0d_TxPower->Lines().size(), 22);
    QVERIFY(page.NxCheckBoxItem_d0d_ShowR->Checked());

    QVERIFY(page.NxCheckBoxItem_d0d_ShowC->userSetValue(false));
    series.Update();
    QVERIFY(!F->Data0DChart.Series_d0d_C->Active());
    QCOMPARE(F->Data0DChart.Series_d0d_C->Count(), 0);
    QCOMPARE(F->Data0DChart.Series_d0d_U->Count(), int(list.Count));
}

void TGUIDataPresentersTest::YLogScaleFitsWholeDecades()
{
    TnData0D &series = F->Create<TnData0D>(TDocumentKind::Data0D);
    TMeasurements1D &list = series.Measurements();
    // Every curve between 2 and 500: R = U / I, C in ms, U in mV, I in mA, Q in %.
    list.SetCount(2);
    list.Chargeability = {2000, 500000};
    list.Voltage = {4000, 500000};
    list.Current = {2000, 250000};
    list.Quality = {2000, 500000};
    series.ShowAll();
    QVERIFY(F->Data0DPage.NxCheckBoxItem_d0d_YLogScale->userSetValue(true));
    series.Update();
    const TChart &chart = *F->Data0DChart.Chart;
    QVERIFY(chart.AxisLogarithmic(TAxisId::Left));
    QVERIFY(!chart.AxisAutomatic(TAxisId::Left));
    QCOMPARE(chart.AxisMinimum(TAxisId::Left), 1.0);
    QCOMPARE(chart.AxisMaximum(TAxisId::Left), 1000.0);
    QVERIFY(!chart.AxisLogarithmic(TAxisId::Bottom));
    QVERIFY(chart.AxisAutomatic(TAxisId::Bottom));

    // Off again: both axes automatic and linear.
    QVERIFY(F->Data0DPage.NxCheckBoxItem_d0d_YLogScale->userSetValue(false));
    series.Update();
    QVERIFY(!chart.AxisLogarithmic(TAxisId::Left));
    QVERIFY(chart.AxisAutomatic(TAxisId::Left));
}

QTEST_MAIN(TGUIDataPresentersTest)
#include "GUIDataPresentersTest.moc"
