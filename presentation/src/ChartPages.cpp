#include "presentation/ChartPages.h"

namespace {

// Where a builder stores a series, and the series' name. SERIES builds it
// from the chart member, so a member and its series' objectName cannot differ.
struct TSlot {
    TChartSeries *&Series;
    QString Name;
};
#define SERIES(member) TSlot{result.member, QStringLiteral(#member)}

void AddSeries(TChart &chart, TSlot slot, const TSeriesStyle &style)
{
    slot.Series = new TChartSeries(chart, slot.Name, style); // owned by the chart
}

TSeriesStyle Points(const QColor &colour, TMarker marker, double size, const QString &title = {})
{
    return {TSeriesKind::Points, title, colour, marker, size};
}

TSeriesStyle Lines(TSeriesKind kind, const QColor &colour, const QString &title)
{
    return {kind, title, colour, TMarker::None, 0};
}

TSeriesStyle LinesWithCircles(const QColor &colour, const QString &title = {})
{
    return {TSeriesKind::LineWithPoints, title, colour, TMarker::Circle, 2};
}

// How a chart starts: axis titles, the left axis pointing down for depths,
// legend, and mouse zoom (always) and pan.
struct TChartSetup {
    QString BottomTitle, LeftTitle;
    bool DepthDown = false;
    TLegendMode Legend = TLegendMode::Off;
    bool Pan = true;
};

void Setup(TChart &chart, const TChartSetup &setup)
{
    chart.SetAxisTitle(TAxisId::Bottom, setup.BottomTitle);
    chart.SetAxisTitle(TAxisId::Left, setup.LeftTitle);
    chart.SetAxisInverted(TAxisId::Left, setup.DepthDown);
    chart.SetLegendMode(setup.Legend);
    chart.SetZoomEnabled(true);
    chart.SetPanEnabled(setup.Pan);
}

} // namespace

TSeq2DChart BuildSeq2DChart(TChart &chart)
{
    using namespace SeriesColours;
    TSeq2DChart result;
    result.Chart = &chart;
    // The base sequence first, so the roll-along's own points are drawn above it.
    AddSeries(chart, SERIES(Series5), Points(Grey, TMarker::DownTriangle, 3));
    AddSeries(chart, SERIES(Series1), Points(Red, TMarker::Square, 3));
    AddSeries(chart, SERIES(Series2), Points(Blue, TMarker::Circle, 3));
    AddSeries(chart, SERIES(Series3), Points(BrightGreen, TMarker::Triangle, 3));
    AddSeries(chart, SERIES(Series4), Points(Fuchsia, TMarker::Diamond, 3));
    Setup(chart, {.BottomTitle = QStringLiteral("Mid Point [m]"), .LeftTitle = QStringLiteral("Pseudodepth [m]"),
                  .DepthDown = true, .Pan = false});
    return result;
}

TData2DChart BuildData2DChart(TChart &chart)
{
    using namespace SeriesColours;
    TData2DChart result;
    result.Chart = &chart;
    // The map first, so every point series is drawn above it.
    result.Series_2D = new TColorGridSeries(chart, QStringLiteral("Series_2D"));
    AddSeries(chart, SERIES(Series_Points), Points(Grey, TMarker::Circle, 2, QStringLiteral("Series_Points")));
    AddSeries(chart, SERIES(Series_d2d_Curves), Points(Blue, TMarker::Circle, 3));
    // The signal curves run along the measurement numbers: joined in the
    // order of the numbers they read as signals over the line, where joining
    // them by value would draw zig-zags across the chart.
    AddSeries(chart, SERIES(Series_d2d_Rho), Lines(TSeriesKind::Line, Blue, QStringLiteral("Rho")));
    AddSeries(chart, SERIES(Series_d2d_R), Lines(TSeriesKind::Line, Grey, QStringLiteral("R")));
    AddSeries(chart, SERIES(Series_d2d_U), Lines(TSeriesKind::Line, Fuchsia, QStringLiteral("U")));
    AddSeries(chart, SERIES(Series_d2d_I), Lines(TSeriesKind::Line, Teal, QStringLiteral("I")));
    AddSeries(chart, SERIES(Series_d2d_Q), Lines(TSeriesKind::Line, Navy, QStringLiteral("Q")));
    AddSeries(chart, SERIES(Series_d2d_C), Lines(TSeriesKind::Line, Navy, QStringLiteral("C")));
    // Every point carries the colour of its depth level.
    AddSeries(chart, SERIES(Series_d2d_AllProfileCurves), Points(Black, TMarker::Circle, 3));
    // The inversion's diagrams: misfit squares at the readings' places, and
    // the electrodes above the model section.
    AddSeries(chart, SERIES(Series_d2d_Misfit), Points(Black, TMarker::Square, 7));
    AddSeries(chart, SERIES(Series_d2d_Electrodes), Points(Black, TMarker::DownTriangle, 7));
    // The chart opens on the pseudo-section, whose legend lists the map's values.
    Setup(chart, {.BottomTitle = QStringLiteral("Mid Point (m)"), .LeftTitle = QStringLiteral("Pseudodepth (m)"),
                  .DepthDown = true, .Legend = TLegendMode::PaletteValues});
    return result;
}

TSeq1DChart BuildSeq1DChart(TChart &chart)
{
    using namespace SeriesColours;
    TSeq1DChart result;
    result.Chart = &chart;
    AddSeries(chart, SERIES(LineSeries1), LinesWithCircles(Red));
    AddSeries(chart, SERIES(LineSeries2), LinesWithCircles(Blue));
    AddSeries(chart, SERIES(LineSeries3), LinesWithCircles(Lime));
    AddSeries(chart, SERIES(LineSeries4), LinesWithCircles(Fuchsia));
    Setup(chart, {.BottomTitle = QStringLiteral("AB/2 [m]"), .LeftTitle = QStringLiteral("MN/2 [m]")});
    return result;
}

TData1DChart BuildData1DChart(TChart &chart)
{
    using namespace SeriesColours;
    TData1DChart result;
    result.Chart = &chart;
    AddSeries(chart, SERIES(Series_D1D_MN1), LinesWithCircles(Red, QStringLiteral("Rho 1")));
    AddSeries(chart, SERIES(Series_D1D_MN2), LinesWithCircles(Blue, QStringLiteral("Rho 2")));
    AddSeries(chart, SERIES(Series_D1D_MN3), LinesWithCircles(Lime, QStringLiteral("Rho 3")));
    AddSeries(chart, SERIES(Series_D1D_MN4), LinesWithCircles(Fuchsia, QStringLiteral("Rho 4")));
    AddSeries(chart, SERIES(Series_d1d_R), Lines(TSeriesKind::Line, Green, QStringLiteral("R")));
    AddSeries(chart, SERIES(Series_d1d_C), Lines(TSeriesKind::Line, Purple, QStringLiteral("C")));
    AddSeries(chart, SERIES(Series_d1d_U), Lines(TSeriesKind::Line, Yellow, QStringLiteral("U")));
    AddSeries(chart, SERIES(Series_d1d_I), Lines(TSeriesKind::Line, Grey, QStringLiteral("I")));
    AddSeries(chart, SERIES(Series_d1d_Q), Lines(TSeriesKind::Line, Teal, QStringLiteral("Q")));
    AddSeries(chart, SERIES(Series_d1d_Fit), Lines(TSeriesKind::Line, Black, QStringLiteral("Fit")));
    AddSeries(chart, SERIES(Series_d1d_Model), Lines(TSeriesKind::Line, Maroon, QStringLiteral("Model (depth)")));
    // The interpretation stands out from the curves; the fit lets the readings show through.
    result.Series_d1d_Model->setPen(QPen(Maroon, 2));
    result.Series_d1d_Fit->setPen(QPen(Black, 1, Qt::DashLine));
    Setup(chart, {.BottomTitle = QStringLiteral("AB/2 [m]"), .LeftTitle = QStringLiteral("Rho [Ohm*m]"),
                  .Legend = TLegendMode::SeriesList});
    return result;
}

TData0DChart BuildData0DChart(TChart &chart)
{
    using namespace SeriesColours;
    TData0DChart result;
    result.Chart = &chart;
    AddSeries(chart, SERIES(Series_d0d_R), Lines(TSeriesKind::Line, Red, QStringLiteral("R")));
    AddSeries(chart, SERIES(Series_d0d_C), Lines(TSeriesKind::Line, Purple, QStringLiteral("C")));
    AddSeries(chart, SERIES(Series_d0d_U), Lines(TSeriesKind::Line, Green, QStringLiteral("U")));
    AddSeries(chart, SERIES(Series_d0d_I), Lines(TSeriesKind::Line, Black, QStringLiteral("I")));
    AddSeries(chart, SERIES(Series_d0d_Q), Lines(TSeriesKind::Line, Blue, QStringLiteral("Q")));
    Setup(chart, {.BottomTitle = QStringLiteral("#"), .LeftTitle = QStringLiteral("Mixed [Ohm, mV,mA, %]"),
                  .Legend = TLegendMode::SeriesList});
    return result;
}

#undef SERIES
