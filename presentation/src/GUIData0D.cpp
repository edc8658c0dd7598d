#include "presentation/GUIData0D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

#include "controls/Chart.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"
namespace {

TDataChartItems ChartItems(const TData0DPage &page)
{
    return {page.NxCheckBoxItem_d0d_XLogScale, page.NxCheckBoxItem_d0d_YLogScale, page.NxCheckBoxItem_d0d_ShowR,
            page.NxCheckBoxItem_d0d_ShowC, page.NxCheckBoxItem_d0d_ShowU, page.NxCheckBoxItem_d0d_ShowI,
            page.NxCheckBoxItem_d0d_ShowQ};
}

} // namespace

TGUIData0D::TGUIData0D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements)
    : TGUICustom(views), FDetails(arrayDetails), FMeasurements(measurements)
{
    if (views.Preferences) views.Preferences->Data0D.ApplyTo(FChartDetails);
}

void TGUIData0D::FillTable()
{
    TGridView *view = Views().Data0DTable;
    if (!view) return;
    TGridModel &model = view->Model();
    model.SetColumns({
        GridColumn(QStringLiteral("#"), TColumnKind::Text, 40),
        GridColumn(QStringLiteral("C [ms]"), TColumnKind::Number, 60, 0),
        GridColumn(QStringLiteral("U [mV]"), TColumnKind::Number, 60, 2),
        GridColumn(QStringLiteral("I [mA]"), TColumnKind::Number, 60, 2),
        GridColumn(QStringLiteral("Q [%]"), TColumnKind::Number, 60, 2),
        GridColumn(QStringLiteral("R [Ohm]"), TColumnKind::Number, 60, 2),
    });
    view->ApplyColumnLayout();

    const uint32_t count = FMeasurements.Count;
    QVector<double> values[6];
    for (QVector<double> &column : values) column.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        values[0][i] = i + 1;
        values[1][i] = FMeasurements.ChargeabilityMS(i);
        values[2][i] = FMeasurements.VoltageMV(i);
        values[3][i] = FMeasurements.CurrentMA(i);
        values[4][i] = FMeasurements.QualityPercent(i);
        values[5][i] = FMeasurements.Resistance(i);
    }
    model.BeginFill(int(count));
    for (int column = 0; column < 6; ++column) model.SetColumnNumbers(column, values[column]);
    model.EndFill();
}

void TGUIData0D::BuildChart()
{
    TData0DChart *chart = Views().Data0DChart;
    if (!chart) return;
    // Every record is drawn, used or not.
    FillValueCurves({chart->Series_d0d_R, chart->Series_d0d_C, chart->Series_d0d_U, chart->Series_d0d_I,
                     chart->Series_d0d_Q},
                    FChartDetails, FMeasurements, false);
    ApplyLogScales(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    SetLogAxes(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    chart->Chart->Redraw();
}

void TGUIData0D::FillInspector()
{
    TData0DPage *page = Views().Data0DPage;
    if (!page) return;
    TUpdatesPause pause(Views());
    page->NxTextItem_d0d_DispFileName->SetString(FromStd(FDetails.FileName));
    page->NxTextItem_d0d_Title->SetString(QString());
    page->NxSpinItem_d0d_Count->SetInteger(int(FMeasurements.Count));
    FillDataChartItems(ChartItems(*page), FChartDetails);
    FillMeasureDetails({page->NxSpinItem_d0d_Q, page->NxSpinItem_d0d_MinStack, page->NxSpinItem_d0d_MaxStack,
                        page->NxComboBoxItem_d0d_InducedPolarization, page->NxComboBoxItem_d0d_TxPower},
                       FMeasurements.MeasureSettings);
}

void TGUIData0D::ReadInspector()
{
    TData0DPage *page = Views().Data0DPage;
    if (!page) return;
    ReadDataChartItems(ChartItems(*page), FChartDetails);
    UpdateInspectorState();
    if (Views().ChosenPreferences) Views().ChosenPreferences->Data0D.TakeFrom(FChartDetails);
}

void TGUIData0D::UpdateInspectorState()
{
    // No item depends on another on this page.
    TUpdatesPause pause(Views());
}
