#include "presentation/GUIData1D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include <algorithm>
namespace {

TDataChartItems ChartItems(const TData1DPage &page)
{
    return {page.NxCheckBoxItem_d1d_XLogScale, page.NxCheckBoxItem_d1d_YLogScale, page.NxCheckBoxItem_d1d_ShowR,
            page.NxCheckBoxItem_d1d_ShowC, page.NxCheckBoxItem_d1d_ShowU, page.NxCheckBoxItem_d1d_ShowI,
            page.NxCheckBoxItem_d1d_ShowQ};
}

} // namespace

TGUIData1D::TGUIData1D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements)
    : TGUICustom(views), FDetails(arrayDetails), FMeasurements(measurements)
{
    if (views.Preferences) views.Preferences->Data1D.ApplyTo(FChartDetails);
}

void TGUIData1D::FillTable()
{
    TGridView *view = Views().Data1DTable;
    if (!view) return;
    const auto [abCaption, mnCaption] = SoundingAxisTitles(FDetails.ArrayType);
    constexpr TSortKind numeric = TSortKind::Numeric;
    TGridModel &model = view->Model();
    model.SetColumns({
        GridColumn(QStringLiteral("#"), TColumnKind::Text, 23, 0, numeric),
        GridColumn(QStringLiteral("Used"), TColumnKind::Check, 23, 0, TSortKind::None, true),
        LengthColumn(abCaption, 28, numeric),
        LengthColumn(mnCaption, 28, numeric),
        // Chargeability sorts by value: as text "10" would come before "9".
        GridColumn(QStringLiteral("C [ms]"), TColumnKind::Text, 30, 0, numeric),
        GridColumn(QStringLiteral("U [mV]"), TColumnKind::Text, 36, 0, numeric),
        GridColumn(QStringLiteral("I [mA]"), TColumnKind::Text, 36, 0, numeric),
        GridColumn(QStringLiteral("Q [%]"), TColumnKind::Text, 36, 0, numeric),
        GridColumn(QStringLiteral("R [Ohm]"), TColumnKind::Number, 40, 2, numeric),
        GridColumn(QStringLiteral("k [m]"), TColumnKind::Number, 0, 2, numeric),
        GridColumn(QStringLiteral("Rho [Ohm*m]"), TColumnKind::Number, 0, 2, numeric),
    });
    view->ApplyColumnLayout();

    const uint32_t count = FMeasurements.Count;
    QVector<double> values[11];
    for (QVector<double> &column : values) column.resize(count);
    QVector<bool> used(count);
    for (uint32_t i = 0; i < count; ++i) {
        values[0][i] = i + 1;
        used[i] = FMeasurements.IsShown(i);
        values[2][i] = FMeasurements.HalfABMetres(i);
        values[3][i] = FMeasurements.HalfMNMetres(i);
        values[4][i] = FMeasurements.ChargeabilityMS(i);
        values[5][i] = FMeasurements.VoltageMV(i);
        values[6][i] = FMeasurements.CurrentMA(i);
        values[7][i] = FMeasurements.QualityPercent(i);
        values[8][i] = FMeasurements.Resistance(i);
        values[9][i] = FMeasurements.GeometricFactor1D(i);
        values[10][i] = FMeasurements.ApparentResistivity1D(i);
    }
    model.BeginFill(int(count));
    for (int column = 0; column < 11; ++column) {
        if (column == 1)
            model.SetColumnChecks(column, used);
        else
            model.SetColumnNumbers(column, values[column]);
    }
    model.EndFill();
}

void TGUIData1D::ReadTable()
{
    TGridView *view = Views().Data1DTable;
    if (!view) return;
    // Records are matched through "#": the table may have been sorted.
    const TGridModel &model = view->Model();
    for (int row = 0; row < model.rowCount(); ++row) {
        const double number = model.Number(0, row);
        if (number >= 1 && number <= FMeasurements.Count)
            FMeasurements.SetUsed(uint32_t(number) - 1, model.Checked(1, row));
    }
    BuildChart();
}

void TGUIData1D::BuildChart()
{
    TData1DChart *chart = Views().Data1DChart;
    if (!chart) return;
    TChartSeries *const rhoSeries[MaxSpacingGroups] = {chart->Series_D1D_MN1, chart->Series_D1D_MN2,
                                                       chart->Series_D1D_MN3, chart->Series_D1D_MN4};
    // One sounding curve per spacing group, each of the records of its MN/2.
    const uint32_t groups = FChartDetails.ShowRho ? std::min<uint32_t>(FDetails.GroupCount, MaxSpacingGroups) : 0;
    const std::vector<std::vector<uint32_t>> members = SoundingGroups(FDetails, FMeasurements);
    for (uint32_t g = 0; g < MaxSpacingGroups; ++g) {
        QVector<double> x, y;
        QStringList labels; // the record's number, as the table's "#"
        if (g < groups)
            for (const uint32_t i : members[g]) {
                if (!FMeasurements.IsShown(i)) continue;
                x.append(FMeasurements.HalfABMetres(i));
                y.append(FMeasurements.ApparentResistivity1D(i));
                labels.append(QString::number(i + 1));
            }
        rhoSeries[g]->SetPoints(x, y, labels);
        rhoSeries[g]->SetActive(g < groups);
    }
    FillValueCurves({chart->Series_d1d_R, chart->Series_d1d_C, chart->Series_d1d_U, chart->Series_d1d_I,
                     chart->Series_d1d_Q},
                    FChartDetails, FMeasurements, true);

    ApplyLogScales(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    SetLogAxes(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    chart->Chart->Redraw();
}

void TGUIData1D::FillInspector()
{
    TData1DPage *page = Views().Data1DPage;
    if (!page) return;
    TUpdatesPause pause(Views());
    page->NxTextItem_d1d_DispFileName->SetString(FromStd(FDetails.FileName));
    page->NxTextItem_D1D_Title->SetString(QString());
    page->NxSpinItem_D1D_Count->SetInteger(int(FMeasurements.Count));
    page->NxComboBoxItem_D1D_ArrayType->SetItemIndex(FDetails.ArrayType);

    page->NxComboBoxItem_d1d_DepthMethod->SetItemIndex(int(FDetails.DepthMethod));

    page->NxCheckBoxItem_d1d_ShowRho->SetChecked(FChartDetails.ShowRho);
    FillDataChartItems(ChartItems(*page), FChartDetails);
    FillMeasureDetails({page->NxSpinItem_D1D_Q, page->NxSpinItem_D1D_MinStack, page->NxSpinItem_D1D_MaxStack,
                        page->NxComboBoxItem_d1d_InducedPolarization, page->NxComboBoxItem_d1d_TxPower},
                       FMeasurements.MeasureSettings);
}

void TGUIData1D::ReadInspector()
{
    TData1DPage *page = Views().Data1DPage;
    if (!page) return;
    FDetails.DepthMethod = ChosenCode(*page->NxComboBoxItem_d1d_DepthMethod, FDetails.DepthMethod);
    FChartDetails.ShowRho = page->NxCheckBoxItem_d1d_ShowRho->Checked();
    ReadDataChartItems(ChartItems(*page), FChartDetails);
    UpdateInspectorState();
    if (Views().ChosenPreferences) Views().ChosenPreferences->Data1D.TakeFrom(FChartDetails);
}

void TGUIData1D::UpdateInspectorState()
{
    // No item depends on another on this page.
    TUpdatesPause pause(Views());
}
