// The 2D data presenter's chart: the four diagrams with their series, titles
// and log rules, the pseudo-section map against the plain computation from
// the libraries' outputs, and the map messages.
#include "Data2DFixture.h"
#include "MapReference.h"

#include "survey/Measurements.h"

#include <QTest>

#include <cmath>

class TData2DChartTest : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TData2DFixture>(); }
    void cleanup() { F.reset(); }
    void MapEqualsThePlainComputation_data();
    void MapEqualsThePlainComputation();
    void DiagramsShowTheirSeriesTitlesAndScales_data();
    void DiagramsShowTheirSeriesTitlesAndScales();
    void SoundingAndProfileCurvesCarryTheValues();
    void SignalDiagramsPlotByNumber();
    void EmptyFifthDiagramLeavesTheChartEmpty();
    void OnePseudoDepthGivesTheMessageOnce();
    void RefusedSurfaceGivesItsMessage();
    void EmptyDataSetDrawsNothing();

private:
    std::unique_ptr<TData2DFixture> F;
};

namespace {

QVariantList Doubles(const std::vector<double> &values)
{
    QVariantList list;
    for (double v : values) list << v;
    return list;
}

QVariantList Colours(const std::vector<uint32_t> &values)
{
    QVariantList list;
    for (uint32_t v : values) list << int(v);
    return list;
}

} // namespace

void TData2DChartTest::MapEqualsThePlainComputation_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("Akima's Spline") << 0;
    QTest::newRow("Inverse Distance") << 1;
}

void TData2DChartTest::MapEqualsThePlainComputation()
{
    QFETCH(int, method);
    TnData2D *document = F->Open("wenner.d2d");
    QVERIFY(F->Page.NxComboBoxItem_D2D_ApproximationType->choose(method));
    document->Update();
    const TMeasurements2D &list = document->Measurements();
    std::vector<double> x, y, f;
    for (uint32_t i = 0; i < list.Count; ++i) {
        x.push_back(list.MidPoint(i));
        y.push_back(list.PseudoDepth(i));
        f.push_back(list.ShownValue(i));
    }
    const double a = document->ArrayDetails().UnitSpacingMetres();
    const MapReference::TMap map = MapReference::Compute(x, y, f, method, 5.0 * a, a);
    QVariantList cellX, cellValue, cellZ, cellColours;
    for (int i = 0; i < 100; ++i)
        for (int j = 0; j < 100; ++j) {
            cellX << map.GridX[i];
            cellValue << map.Values[j * 100 + i];
            cellZ << map.GridY[j];
            cellColours << int(map.Colours[j * 100 + i]);
        }
    const TColorGridSeries &grid = *F->ChartParts.Series_2D;
    QVERIFY(grid.Active());
    QCOMPARE(grid.CellCount(), 10000);
    QCOMPARE(grid.CellXValues(), cellX);
    QCOMPARE(grid.CellValueValues(), cellValue);
    QCOMPARE(grid.CellZValues(), cellZ);
    QCOMPARE(grid.CellColorValues(), cellColours);
    QCOMPARE(grid.PaletteLevelValues(), Doubles(map.Levels));
    QCOMPARE(grid.PaletteColorValues(), Colours(map.LevelColours));
    QCOMPARE(grid.PaletteCount(), 15);
    QVERIFY(F->PresenterHost.Messages.isEmpty());
}

void TData2DChartTest::DiagramsShowTheirSeriesTitlesAndScales_data()
{
    QTest::addColumn<int>("diagram");
    QTest::addColumn<QStringList>("active");
    QTest::addColumn<int>("legend");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<bool>("logarithmic");
    QTest::newRow("pseudo-section") << 0 << QStringList{"Series_Points"} << int(TLegendMode::PaletteValues)
                                    << "Pseudodepth [m]" << "Mid Point [m]" << true << false;
    QTest::newRow("sounding curves") << 1 << QStringList{"Series_d2d_Curves"} << int(TLegendMode::Off)
                                     << "Rho [Ohm*m]" << "Pseudodepth [m]" << false << true;
    QTest::newRow("profile curves") << 2 << QStringList{"Series_d2d_AllProfileCurves"} << int(TLegendMode::Off)
                                    << "Rho Prop." << "Mid Point [m]" << true << false;
    QTest::newRow("signal diagrams") << 3
                                     << QStringList{"Series_d2d_Rho", "Series_d2d_U", "Series_d2d_I", "Series_d2d_Q",
                                                    "Series_d2d_C"}
                                     << int(TLegendMode::SeriesList) << "Mixed [Ohm*m,ms,mV,mA,%]" << "#" << false
                                     << true;
}

void TData2DChartTest::DiagramsShowTheirSeriesTitlesAndScales()
{
    QFETCH(int, diagram);
    QFETCH(QStringList, active);
    QFETCH(int, legend);
    QFETCH(QString, left);
    QFETCH(QString, bottom);
    QFETCH(bool, inverted);
    QFETCH(bool, logarithmic);
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    // Log flags left set from another diagram: only curves and signals use them.
    presenter.ChartDetails().XLogScale = presenter.ChartDetails().YLogScale = true;
    presenter.ChartDetails().ShowC = true;
    presenter.ChartDetails().VisibleDiagrams = diagram;
    presenter.BuildChart();
    QStringList shown;
    for (TChartSeries *series : F->Chart.Series())
        if (series->Active() && series->Count() > 0) shown << series->objectName();
    QCOMPARE(shown, active);
    QCOMPARE(F->ChartParts.Series_2D->Active(), diagram == 0);
    QCOMPARE(int(F->Chart.LegendMode()), legend);
    QCOMPARE(F->Chart.AxisTitle(TAxisId::Left), left);
    QCOMPARE(F->Chart.AxisTitle(TAxisId::Bottom), bottom);
    QCOMPARE(F->Chart.AxisInverted(TAxisId::Left), inverted);
    QCOMPARE(F->Chart.AxisLogarithmic(TAxisId::Left), logarithmic);
    QCOMPARE(F->Chart.AxisLogarithmic(TAxisId::Bottom), logarithmic);
    QCOMPARE(F->Chart.AxisAutomatic(TAxisId::Left), !logarithmic);
    if (logarithmic) { // fixed to whole decades around the data
        const double low = F->Chart.AxisMinimum(TAxisId::Left), high = F->Chart.AxisMaximum(TAxisId::Left);
        QCOMPARE(std::log10(low), std::round(std::log10(low)));
        QCOMPARE(std::log10(high), std::round(std::log10(high)));
    }
}

void TData2DChartTest::SoundingAndProfileCurvesCarryTheValues()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    TMeasurements2D &list = document->Measurements();
    presenter.ChartDetails().VisibleDiagrams = 1;
    presenter.BuildChart();
    const TChartSeries &curves = *F->ChartParts.Series_d2d_Curves;
    QCOMPARE(curves.Count(), 162);
    QCOMPARE(curves.X(70), list.PseudoDepth(70));
    QCOMPARE(curves.Y(70), list.ShownResistivity(70));
    QCOMPARE(curves.Label(70), QString::number(list.Number[70]));

    presenter.ChartDetails().VisibleDiagrams = 2;
    presenter.BuildChart();
    const TChartSeries &profiles = *F->ChartParts.Series_d2d_AllProfileCurves;
    QCOMPARE(profiles.Count(), 162);
    double minimum = 1e300, maximum = -1e300;
    for (uint32_t i = 0; i < list.Count; ++i) {
        minimum = std::min(minimum, list.ApparentResistivity(i));
        maximum = std::max(maximum, list.ApparentResistivity(i));
    }
    const QVariantList colours = profiles.PointColorValues();
    for (int i : {0, 50, 161}) {
        const double level = (list.ShownResistivity(i) - minimum) / (maximum - minimum) * 9 + 1;
        QCOMPARE(profiles.X(i), list.MidPoint(i));
        QCOMPARE(profiles.Y(i), list.PseudoDepth(i) - 5.0 * std::log10(level) * 1.5);
        QCOMPARE(colours[i].toUInt(), list.DepthLevelColor(list.PseudoDepth(i)));
        QCOMPARE(profiles.Label(i), QString::number(list.Number[i]));
    }
    // Four depth levels: four colours.
    QSet<uint> distinct;
    for (const QVariant &colour : colours) distinct.insert(colour.toUInt());
    QCOMPARE(distinct.size(), 4);
}

void TData2DChartTest::SignalDiagramsPlotByNumber()
{
    TnData2D *document = F->Open("dipole-dipole-ip.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    const TMeasurements2D &list = document->Measurements();
    presenter.ChartDetails().VisibleDiagrams = 3;
    presenter.ChartDetails().ShowU = false;
    presenter.BuildChart();
    const TData2DChart &chart = F->ChartParts;
    QCOMPARE(chart.Series_d2d_Rho->Count(), int(list.Count));
    QCOMPARE(chart.Series_d2d_Rho->X(5), double(list.Number[5]));
    QCOMPARE(chart.Series_d2d_Rho->Y(5), list.ShownResistivity(5));
    QCOMPARE(chart.Series_d2d_C->Y(5), list.ChargeabilityMS(5));
    QCOMPARE(chart.Series_d2d_Q->Y(5), list.QualityPercent(5));
    QCOMPARE(chart.Series_d2d_U->Count(), 0);
    QVERIFY(!chart.Series_d2d_U->Active());
    QCOMPARE(chart.Series_d2d_R->Count(), 0);
    QVERIFY(chart.Series_d2d_Rho->Label(5).isEmpty());
}

void TData2DChartTest::EmptyFifthDiagramLeavesTheChartEmpty()
{
    TnData2D *document = F->Open("wenner.d2d");
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(2));
    document->Update();
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(4));
    document->Update();
    for (TChartSeries *series : F->Chart.Series()) QCOMPARE(series->Count(), 0);
    QCOMPARE(F->ChartParts.Series_2D->CellCount(), 0);
    QCOMPARE(F->Chart.AxisTitle(TAxisId::Left), QString("Rho Prop."));
}

void TData2DChartTest::OnePseudoDepthGivesTheMessageOnce()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    const TMeasurements2D &list = document->Measurements();
    QList<int> deeper;
    for (uint32_t i = 0; i < list.Count; ++i)
        if (std::fabs(list.PseudoDepth(i) - list.PseudoDepth(0)) > 1e-9) deeper << int(i);
    presenter.SetUsedChecks(deeper, false);
    presenter.ReadTable();
    QCOMPARE(F->ChartParts.Series_Points->Count(), 45);
    QCOMPARE(F->PresenterHost.Messages, QStringList{MapNoVariationMessage});
    QCOMPARE(F->ChartParts.Series_2D->CellCount(), 0);
    QCOMPARE(F->ChartParts.Series_2D->PaletteCount(), 0);
    // Redrawing, sorting or refreshing the same data does not repeat it.
    document->Presenter().Refresh();
    F->Table.SortByColumn(TGUIData2D::ColumnVoltage, Qt::AscendingOrder);
    presenter.TableSorted(TGUIData2D::ColumnVoltage);
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(1));
    document->Update();
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(0));
    document->Update();
    QCOMPARE(F->PresenterHost.Messages.size(), 1);
    // Another point set with the same fault gets its own message.
    presenter.SetUsedChecks({5}, false);
    presenter.ReadTable();
    QCOMPARE(F->PresenterHost.Messages.size(), 2);
}

void TData2DChartTest::RefusedSurfaceGivesItsMessage()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    QVERIFY(F->Page.NxComboBoxItem_D2D_ApproximationType->choose(0));
    document->Update();
    QList<int> rows;
    for (int row = 3; row < 162; ++row)
        if (row != 50) rows << row;
    presenter.SetUsedChecks(rows, false);
    presenter.SetUsedChecks({1}, false); // three points left: rows 0, 2 and 50
    presenter.ReadTable();
    QCOMPARE(F->ChartParts.Series_Points->Count(), 3);
    QCOMPARE(F->PresenterHost.Messages, QStringList{MapSurfaceNotBuiltMessage});
    const TColorGridSeries &grid = *F->ChartParts.Series_2D;
    QCOMPARE(grid.CellCount(), 10000);
    QVERIFY(grid.CellColorValues() == QVariantList(10000, 0xFFFFFF));
    QVERIFY(grid.CellValueValues() == QVariantList(10000, 0.0));
    // Inverse distance has nothing to say about three points.
    QVERIFY(F->Page.NxComboBoxItem_D2D_ApproximationType->choose(1));
    document->Update();
    QCOMPARE(F->PresenterHost.Messages.size(), 1);
}

void TData2DChartTest::EmptyDataSetDrawsNothing()
{
    TnData2D document(F->DocumentHost);
    TGUIData2D &presenter = F->Presenter(document);
    for (int diagram = 0; diagram <= 4; ++diagram) {
        presenter.ChartDetails().VisibleDiagrams = diagram;
        presenter.ShowAll();
        QCOMPARE(F->Model().rowCount(), 0);
        for (TChartSeries *series : F->Chart.Series()) QCOMPARE(series->Count(), 0);
        QCOMPARE(F->ChartParts.Series_2D->CellCount(), 0);
    }
    QCOMPARE(F->Page.NxSpinItem_Data2D_Count->AsInteger(), 0);
    // Nothing to grid is said once.
    QCOMPARE(F->PresenterHost.Messages, QStringList{MapNoVariationMessage});
}

QTEST_MAIN(TData2DChartTest)
#include "Data2DChartTest.moc"
