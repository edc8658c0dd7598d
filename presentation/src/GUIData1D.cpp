#include "presentation/GUIData1D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "inversion/SoundingReadings.h"

#include <QLabel>

#include <algorithm>
#include <numeric>
#include <stdexcept>
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
    // The model belongs to the readings it was fitted to.
    FModel.reset();
    FModelHalfAB.clear();
    BuildChart();
    ShowInfo();
    ShowUpdateStatus();
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
    ShowModelCurves(*chart);
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
    page->NxComboBoxItem_d1d_InversionMode->SetItemIndex(InversionMode == inversion::InversionMode::Smooth ? 1 : 0);
    page->NxSpinItem_d1d_InversionLayers->SetInteger(InversionLayers);
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
    InversionMode = page->NxComboBoxItem_d1d_InversionMode->ItemIndex() == 1 ? inversion::InversionMode::Smooth
                                                                             : inversion::InversionMode::Layers;
    InversionLayers = std::clamp(int(page->NxSpinItem_d1d_InversionLayers->AsInteger()), int(inversion::MinLayers),
                                 int(inversion::MaxLayers));
    UpdateInspectorState();
    if (Views().ChosenPreferences) Views().ChosenPreferences->Data1D.TakeFrom(FChartDetails);
}

void TGUIData1D::UpdateInspectorState()
{
    // The layer count applies to the few-layer mode only.
    TUpdatesPause pause(Views());
    if (TData1DPage *page = Views().Data1DPage)
        page->NxSpinItem_d1d_InversionLayers->SetEnabled(InversionMode == inversion::InversionMode::Layers);
}

QString TGUIData1D::Invert()
{
    const inversion::SoundingSelection selection = inversion::SelectSoundingReadings(FMeasurements);
    inversion::InversionOptions options;
    options.mode = InversionMode;
    options.layers = std::size_t(InversionLayers);
    QString failure;
    try {
        FModel = inversion::InvertSounding(selection.data, options);
        FModelHalfAB.clear();
        for (const inversion::SoundingSpacing &spacing : selection.data.spacings)
            FModelHalfAB.push_back(spacing.halfAB);
        // Curve, fit and model are read on log-log axes, as sounding
        // interpretations are printed; the page's boxes show it.
        FChartDetails.XLogScale = FChartDetails.YLogScale = true;
        FillInspector();
    } catch (const std::invalid_argument &e) {
        FModel.reset();
        FModelHalfAB.clear();
        failure = QStringLiteral("The sounding cannot be inverted: %1.").arg(QString::fromUtf8(e.what()));
    }
    BuildChart();
    ShowInfo();
    return failure;
}

void TGUIData1D::ClearModel()
{
    FModel.reset();
    FModelHalfAB.clear();
    BuildChart();
    ShowInfo();
}

void TGUIData1D::ShowModelCurves(TData1DChart &chart) const
{
    QVector<double> fitX, fitY, modelX, modelY;
    if (FModel) {
        // The response in AB/2 order (readings of equal AB/2 keep theirs).
        std::vector<std::size_t> order(FModelHalfAB.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return FModelHalfAB[a] < FModelHalfAB[b]; });
        for (std::size_t i : order) {
            fitX.append(FModelHalfAB[i]);
            fitY.append(FModel->response[i]);
        }
        // Resistivity against depth as steps, from left of the shortest AB/2
        // (or the first interface) to beyond the longest AB/2 (or the deepest).
        const auto &layers = FModel->layers;
        const double shortest = *std::min_element(FModelHalfAB.begin(), FModelHalfAB.end());
        const double longest = *std::max_element(FModelHalfAB.begin(), FModelHalfAB.end());
        const double firstInterface = layers.size() > 1 ? layers[1].top : shortest;
        double x = 0.5 * std::min(shortest, firstInterface);
        for (std::size_t i = 0; i < layers.size(); ++i) {
            const double bottom = i + 1 < layers.size() ? layers[i + 1].top : 2.0 * std::max(longest, layers[i].top);
            modelX.append(x);
            modelY.append(layers[i].resistivity);
            modelX.append(bottom);
            modelY.append(layers[i].resistivity);
            x = bottom;
        }
    }
    chart.Series_d1d_Fit->SetPoints(fitX, fitY);
    chart.Series_d1d_Fit->SetActive(FModel.has_value());
    chart.Series_d1d_Model->SetPoints(modelX, modelY);
    chart.Series_d1d_Model->SetActive(FModel.has_value());
    // The model's steps are drawn against depth on the AB/2 axis.
    chart.Chart->SetAxisTitle(TAxisId::Bottom, FModel ? QStringLiteral("AB/2 [m]; model: depth [m]")
                                                      : QStringLiteral("AB/2 [m]"));
}

TReadingCounts TGUIData1D::ReadingCounts() const
{
    TReadingCounts counts;
    counts.Total = FMeasurements.Count;
    for (uint32_t i = 0; i < FMeasurements.Count; ++i) counts.Used += FMeasurements.IsShown(i) ? 1 : 0;
    counts.Passing = counts.Used; // no filter acts on a sounding's readings
    return counts;
}

void TGUIData1D::ShowUpdateStatus() { ShowReadingCounts(Views(), ReadingCounts(), true); }

void TGUIData1D::ShowInfo()
{
    ShowReadingCounts(Views(), ReadingCounts(), false);

    QLabel *fitPanel = Views().MeasureCountPanel;
    QLabel *modePanel = Views().DurationPanel;
    QLabel *modelPanel = Views().ModelPanel;
    if (!FModel) {
        if (fitPanel) fitPanel->setText(NoFitText());
        if (modePanel) modePanel->setText(QStringLiteral("Model: none (Data > Invert)"));
        if (modelPanel) modelPanel->clear();
        return;
    }
    const inversion::InversionResult &result = *FModel;
    const bool layers = result.mode == inversion::InversionMode::Layers;
    // One item per line: the Info panel is narrow.
    if (fitPanel) fitPanel->setText(FitText(result.rmsPercent, result.chiSquared));
    if (modePanel)
        modePanel->setText(QStringLiteral("Model: %1 layers%2,\n%3 iterations")
                               .arg(result.layers.size())
                               .arg(layers ? QString() : QStringLiteral(" (smooth)"))
                               .arg(result.iterations));
    if (!modelPanel) return;
    QString html = QStringLiteral("<table cellspacing=0 cellpadding=1><tr><th>Top</th><th>h</th><th>Rho</th>"
                                  "<th>S</th></tr>");
    for (std::size_t i = 0; i < result.layers.size(); ++i) {
        const inversion::ModelLayer &layer = result.layers[i];
        const bool last = i + 1 == result.layers.size();
        html += QStringLiteral("<tr><td align=right>%1</td><td align=right>%2</td><td align=right>%3</td>"
                               "<td align=right>%4</td></tr>")
                    .arg(layer.top, 0, 'f', 1)
                    .arg(last ? QStringLiteral("-") : QString::number(layer.thickness, 'f', 1))
                    .arg(layer.resistivity, 0, 'f', 1)
                    .arg(last ? QStringLiteral("-") : QString::number(layer.conductance, 'f', 3));
    }
    html += QStringLiteral("</table><small>Top, h [m]; Rho [Ohm*m]; S [S]</small>");
    if (layers) {
        html += QStringLiteral("<br><small>Equivalent Rho: ");
        for (std::size_t i = 0; i < result.layers.size(); ++i)
            html += QStringLiteral("%1%2-%3")
                        .arg(i ? QStringLiteral("; ") : QString())
                        .arg(result.layers[i].resistivityLow, 0, 'f', 0)
                        .arg(result.layers[i].resistivityHigh, 0, 'f', 0);
        html += QStringLiteral("</small>");
    }
    modelPanel->setText(html);
}
