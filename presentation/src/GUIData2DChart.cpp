// The chart of the 2D data presenter: which series and legend each diagram
// shows, the four diagrams, the pseudo-section map and the axes.
#include "presentation/GUIData2D.h"

#include "presentation/ChartPages.h"
#include "presentation/PresenterViews.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"
#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

#include <algorithm>
#include <cmath>

namespace {

// Offset of a value above its depth level in the profile curves: the value
// range [minimum, maximum] maps logarithmically onto 0 to 1.5 unit spacings.
// No offset where that is undefined (no range, or a value below it far
// enough that the logarithm has no argument above 0).
double ProfileOffset(double value, double minimum, double maximum, double unitSpacing)
{
    if (!(maximum > minimum)) return 0;
    const double level = (value - minimum) / (maximum - minimum) * 9 + 1;
    if (!(level > 0) || !std::isfinite(level)) return 0;
    return unitSpacing * std::log10(level) * 1.5;
}

qint64 NumberLabel(const TMeasurements2D &list, uint32_t i) { return i < list.Number.size() ? list.Number[i] : 0; }

bool IsDrawn(const TMeasurements2D &list, uint32_t i) { return list.IsShown(i) && list.PassesFilter(i); }

// One point per drawn measurement at (x, y), labelled with its number.
using TQuantity = double (TMeasurements2D::*)(uint32_t) const;
void SetLabelledPoints(TChartSeries &series, const TMeasurements2D &list, TQuantity xOf, TQuantity yOf)
{
    QVector<double> x, y;
    QVector<qint64> labels;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!IsDrawn(list, i)) continue;
        x.append((list.*xOf)(i));
        y.append((list.*yOf)(i));
        labels.append(NumberLabel(list, i));
    }
    series.SetNumberedPoints(x, y, labels);
}

} // namespace

void TGUIData2D::BuildChart()
{
    if (!Views().Data2DChart) return;
    DropModelOfOtherData();
    SetupSeries();
    switch (FChartDetails.VisibleDiagrams) {
    case DiagramPseudoSection: DrawPseudoSection(); break;
    case DiagramSoundingCurves: DrawSoundingCurves(); break;
    case DiagramProfileCurves: DrawProfileCurves(); break;
    case DiagramSignals: DrawSignals(); break;
    case DiagramModelSection: DrawModelSection(); break;
    case DiagramMisfit: DrawMisfit(); break;
    default: break; // the empty line of "Visible Diagrams": nothing
    }
    SetupAxes();
    Views().Data2DChart->Chart->Redraw();
}

void TGUIData2D::SetupSeries()
{
    TData2DChart &chart = *Views().Data2DChart;
    chart.Series_2D->Clear();
    for (TChartSeries *series : chart.Chart->Series()) series->Clear();

    const int32_t diagram = FChartDetails.VisibleDiagrams;
    const bool modelSection = diagram == DiagramModelSection, misfit = diagram == DiagramMisfit;
    chart.Series_d2d_Misfit->SetActive(misfit);
    chart.Series_d2d_Electrodes->SetActive(modelSection);
    if (modelSection || misfit) {
        chart.Series_2D->SetActive(true);
        for (TChartSeries *series : chart.Chart->Series())
            if (series != chart.Series_d2d_Misfit && series != chart.Series_d2d_Electrodes) series->SetActive(false);
        chart.Chart->SetLegendMode(TLegendMode::PaletteValues);
        return;
    }
    if (diagram < DiagramPseudoSection || diagram > DiagramSignals) return;
    chart.Series_2D->SetActive(diagram == DiagramPseudoSection);
    chart.Series_Points->SetActive(diagram == DiagramPseudoSection);
    chart.Series_d2d_Curves->SetActive(diagram == DiagramSoundingCurves);
    chart.Series_d2d_AllProfileCurves->SetActive(diagram == DiagramProfileCurves);
    const bool signalDiagram = diagram == DiagramSignals;
    chart.Series_d2d_Rho->SetActive(signalDiagram && FChartDetails.ShowRho);
    chart.Series_d2d_R->SetActive(signalDiagram && FChartDetails.ShowR);
    chart.Series_d2d_U->SetActive(signalDiagram && FChartDetails.ShowU);
    chart.Series_d2d_I->SetActive(signalDiagram && FChartDetails.ShowI);
    chart.Series_d2d_Q->SetActive(signalDiagram && FChartDetails.ShowQ);
    chart.Chart->SetLegendMode(diagram == DiagramPseudoSection ? TLegendMode::PaletteValues
                               : signalDiagram                       ? TLegendMode::SeriesList
                                                               : TLegendMode::Off);
}

void TGUIData2D::DrawPseudoSection()
{
    SetLabelledPoints(*Views().Data2DChart->Series_Points, FMeasurements, &TMeasurements2D::MidPoint,
                      &TMeasurements2D::PseudoDepth);
    BuildMap();
}

TMapSettings TGUIData2D::MapSettings() const
{
    return TMapSettings{.ApproximationType = FChartDetails.ApproximationType,
                        .ApproximationRadius = FChartDetails.ApproximationRadius,
                        .UnitSpacing = FArrayDetails.UnitSpacingMetres(),
                        .Palette = FChartDetails.Palette,
                        .Logarithmic = FChartDetails.LogarithmicColours,
                        .Limits = FChartDetails.Limits,
                        .FixedMinimum = FChartDetails.LimitMinimum,
                        .FixedMaximum = FChartDetails.LimitMaximum,
                        .MaskToData = FChartDetails.MaskToData};
}

void TGUIData2D::PrefetchMap()
{
    if (Views().Data2DChart && FChartDetails.VisibleDiagrams == DiagramPseudoSection)
        FMapCache.Prefetch(CollectMapPoints(FMeasurements), MapSettings());
}

void TGUIData2D::BuildMap()
{
    const TMapPoints points = CollectMapPoints(FMeasurements);
    const TMapSettings settings = MapSettings();
    bool computed = false;
    const TPseudoSectionMap &map = FMapCache.Map(points, settings, computed);
    // With no reading left by the Used boxes and the filters the map stays
    // empty without a message box: the counts in the status bar say why.
    const bool allRemoved = points.X.empty() && FMeasurements.Count > 0;
    if (computed && map.Outcome != TMapOutcome::Drawn && !allRemoved) ShowMapMessageOnce(points, map.Outcome);
    FillMapSeries(*Views().Data2DChart->Series_2D, map);
    // The legend names the quantity the colours stand for.
    Views().Data2DChart->Chart->SetLegendTitle(FArrayDetails.ValuesToShow == ValuesToShowChargeability
                                                   ? QStringLiteral("C [ms]")
                                                   : QStringLiteral("Rho [Ohm*m]"));
}

void TGUIData2D::ShowMapMessageOnce(const TMapPoints &points, TMapOutcome outcome)
{
    const uint64_t fingerprint = MapPointsFingerprint(points) ^ (uint64_t(outcome) << 56);
    if (std::find(FMessagedMaps.begin(), FMessagedMaps.end(), fingerprint) != FMessagedMaps.end()) return;
    FMessagedMaps.push_back(fingerprint);
    if (Views().Host)
        Views().Host->ShowMessage(outcome == TMapOutcome::NoVariation ? MapNoVariationMessage
                                                                      : MapSurfaceNotBuiltMessage);
}

void TGUIData2D::DrawSoundingCurves()
{
    SetLabelledPoints(*Views().Data2DChart->Series_d2d_Curves, FMeasurements, &TMeasurements2D::PseudoDepth,
                      &TMeasurements2D::ShownValue);
}

void TGUIData2D::DrawProfileCurves()
{
    TMeasurements2D &list = FMeasurements;
    list.BuildDepthLevels();
    const double maximum = list.MaxResistivity(), minimum = list.MinResistivity();
    const double unitSpacing = FArrayDetails.UnitSpacingMetres();
    QVector<double> x, y;
    QVector<qint64> labels;
    QVector<QRgb> colours;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!IsDrawn(list, i)) continue;
        const double depth = list.PseudoDepth(i);
        x.append(list.MidPoint(i));
        y.append(depth - ProfileOffset(list.ShownValue(i), minimum, maximum, unitSpacing));
        labels.append(NumberLabel(list, i));
        colours.append(RgbFromColorValue(int(list.DepthLevelColor(depth))));
    }
    Views().Data2DChart->Series_d2d_AllProfileCurves->SetNumberedPoints(x, y, labels, colours);
}

void TGUIData2D::DrawSignals()
{
    const TMeasurements2D &list = FMeasurements;
    TData2DChart &chart = *Views().Data2DChart;
    struct TSignal {
        bool Shown;
        TChartSeries *Series;
        double (*Value)(const TMeasurements2D &, uint32_t);
    };
    const TSignal signalCurves[] = {
        {FChartDetails.ShowRho, chart.Series_d2d_Rho, [](const TMeasurements2D &l, uint32_t i) { return l.ShownResistivity(i); }},
        {FChartDetails.ShowR, chart.Series_d2d_R, [](const TMeasurements2D &l, uint32_t i) { return l.Resistance(i); }},
        {FChartDetails.ShowC, chart.Series_d2d_C, [](const TMeasurements2D &l, uint32_t i) { return l.ChargeabilityMS(i); }},
        {FChartDetails.ShowU, chart.Series_d2d_U, [](const TMeasurements2D &l, uint32_t i) { return l.VoltageMV(i); }},
        {FChartDetails.ShowI, chart.Series_d2d_I, [](const TMeasurements2D &l, uint32_t i) { return l.CurrentMA(i); }},
        {FChartDetails.ShowQ, chart.Series_d2d_Q, [](const TMeasurements2D &l, uint32_t i) { return l.QualityPercent(i); }},
    };
    for (const TSignal &signal : signalCurves) {
        if (!signal.Shown) continue;
        QVector<double> x, y;
        for (uint32_t i = 0; i < list.Count; ++i) {
            if (!IsDrawn(list, i)) continue;
            x.append(i < list.Number.size() ? list.Number[i] : 0);
            y.append(signal.Value(list, i));
        }
        signal.Series->SetPoints(x, y);
    }
}

void TGUIData2D::SetupAxes()
{
    TChart &chart = *Views().Data2DChart->Chart;
    const int32_t diagram = FChartDetails.VisibleDiagrams;
    if (diagram == DiagramSoundingCurves || diagram == DiagramSignals)
        ApplyLogScales(chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    else if (diagram == DiagramPseudoSection || diagram == DiagramProfileCurves || diagram == DiagramModelSection ||
             diagram == DiagramMisfit) {
        chart.SetAxisAutomatic(TAxisId::Bottom, true);
        chart.SetAxisAutomatic(TAxisId::Left, true);
    }
    chart.SetAxisLogarithmic(TAxisId::Bottom, FChartDetails.XLogScale);
    chart.SetAxisLogarithmic(TAxisId::Left, FChartDetails.YLogScale);

    const bool chargeability = FArrayDetails.ValuesToShow == ValuesToShowChargeability;
    const auto titles = [&chart](bool leftInverted, const char *left, const char *bottom) {
        chart.SetAxisInverted(TAxisId::Left, leftInverted);
        chart.SetAxisTitle(TAxisId::Left, QString::fromUtf8(left));
        chart.SetAxisTitle(TAxisId::Bottom, QString::fromUtf8(bottom));
    };
    switch (diagram) {
    case DiagramPseudoSection: titles(true, "Pseudodepth [m]", "Mid Point [m]"); break;
    case DiagramSoundingCurves: titles(false, chargeability ? "C [ms]" : "Rho [Ohm*m]", "Pseudodepth [m]"); break;
    case DiagramProfileCurves: titles(true, chargeability ? "C Prop." : "Rho Prop.", "Mid Point [m]"); break;
    case DiagramSignals: titles(false, "Mixed [Ohm*m,ms,mV,mA,%]", "#"); break;
    case DiagramModelSection: titles(true, "Depth [m]", "Position [m]"); break;
    case DiagramMisfit: titles(true, "Pseudodepth [m]", "Mid Point [m]"); break;
    default: break;
    }
    // The sections and the profile curves are always linear.
    if (diagram != DiagramSoundingCurves && diagram != DiagramSignals) {
        chart.SetAxisLogarithmic(TAxisId::Bottom, false);
        chart.SetAxisLogarithmic(TAxisId::Left, false);
    }
}
