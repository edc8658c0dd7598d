// The five charts as the window starts with them: every series in drawing
// order with its name, kind, colour and legend title, the axis titles and
// directions, the legend mode, and which charts pan and zoom with the mouse.
#include "presentation/ChartPages.h"

#include <QtTest>

#include <functional>
#include <memory>
#include <vector>

namespace {

struct TExpectedSeries {
    QString Name;
    TSeriesKind Kind;
    QColor Colour;
    QString Title;
};

struct TExpectedChart {
    QString Name;
    std::function<void(TChart &)> Build;
    QString BottomTitle, LeftTitle;
    bool LeftInverted;
    TLegendMode Legend;
    bool Pans;
    bool HasColourGrid; // "Series_2D", drawn first, below every series
    std::vector<TExpectedSeries> Series;
};

const QColor Red{255, 0, 0}, Blue{0, 0, 255}, Fuchsia{255, 0, 255}, Lime{0, 255, 0}, Green{0, 128, 0},
    Purple{128, 0, 128}, Teal{0, 128, 128}, Navy{0, 0, 128}, Grey{128, 128, 128}, Yellow{255, 255, 0}, Black{0, 0, 0};

constexpr TSeriesKind Points = TSeriesKind::Points, Line = TSeriesKind::Line,
                      LinePoints = TSeriesKind::LineWithPoints;

const std::vector<TExpectedChart> &Charts()
{
    static const std::vector<TExpectedChart> charts{
        {"Chart_Seq2D", BuildSeq2DChart, "Mid Point [m]", "Pseudodepth [m]", true, TLegendMode::Off, false, false,
         {{"Series5", Points, Grey, ""},
          {"Series1", Points, Red, ""},
          {"Series2", Points, Blue, ""},
          {"Series3", Points, QColor(0, 255, 64), ""},
          {"Series4", Points, Fuchsia, ""}}},
        {"Chart_d2d", BuildData2DChart, "Mid Point (m)", "Pseudodepth (m)", true, TLegendMode::PaletteValues, true,
         true,
         {{"Series_Points", Points, Grey, "Series_Points"},
          {"Series_d2d_Curves", Points, Blue, ""},
          {"Series_d2d_Rho", Line, Blue, "Rho"},
          {"Series_d2d_R", Line, Grey, "R"},
          {"Series_d2d_U", Line, Fuchsia, "U"},
          {"Series_d2d_I", Line, Teal, "I"},
          {"Series_d2d_Q", Line, Navy, "Q"},
          {"Series_d2d_C", Line, Navy, "C"},
          {"Series_d2d_AllProfileCurves", Points, Black, ""},
          {"Series_d2d_Misfit", Points, Black, ""},
          {"Series_d2d_Electrodes", Points, Black, ""}}},
        {"Chart_s1d", BuildSeq1DChart, "AB/2 [m]", "MN/2 [m]", false, TLegendMode::Off, true, false,
         {{"LineSeries1", LinePoints, Red, ""},
          {"LineSeries2", LinePoints, Blue, ""},
          {"LineSeries3", LinePoints, Lime, ""},
          {"LineSeries4", LinePoints, Fuchsia, ""}}},
        {"Chart_Data1D", BuildData1DChart, "AB/2 [m]", "Rho [Ohm*m]", false, TLegendMode::SeriesList, true, false,
         {{"Series_D1D_MN1", LinePoints, Red, "Rho 1"},
          {"Series_D1D_MN2", LinePoints, Blue, "Rho 2"},
          {"Series_D1D_MN3", LinePoints, Lime, "Rho 3"},
          {"Series_D1D_MN4", LinePoints, Fuchsia, "Rho 4"},
          {"Series_d1d_R", Line, Green, "R"},
          {"Series_d1d_C", Line, Purple, "C"},
          {"Series_d1d_U", Line, Yellow, "U"},
          {"Series_d1d_I", Line, Grey, "I"},
          {"Series_d1d_Q", Line, Teal, "Q"},
          {"Series_d1d_Fit", Line, Black, "Fit"},
          {"Series_d1d_Model", Line, SeriesColours::Maroon, "Model (depth)"}}},
        {"Chart_Data0D", BuildData0DChart, "#", "Mixed [Ohm, mV,mA, %]", false, TLegendMode::SeriesList, true, false,
         {{"Series_d0d_R", Line, Red, "R"},
          {"Series_d0d_C", Line, Purple, "C"},
          {"Series_d0d_U", Line, Green, "U"},
          {"Series_d0d_I", Line, Black, "I"},
          {"Series_d0d_Q", Line, Blue, "Q"}}},
    };
    return charts;
}

// A chart built and laid out on screen, so that mouse events reach its axes.
std::unique_ptr<TChart> ShownChart(const TExpectedChart &expected)
{
    auto chart = std::make_unique<TChart>(expected.Name);
    expected.Build(*chart);
    chart->resize(400, 300);
    chart->show();
    chart->replot();
    return chart;
}

void Drag(TChart &chart, QPoint from, QPoint to)
{
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    // Moved with the left button held, as a drag does.
    QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(chart.mapToGlobal(to)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
}

void Wheel(TChart &chart, QPoint at)
{
    QWheelEvent event(at, chart.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &event);
}

} // namespace

class TChartPagesTest : public QObject {
    Q_OBJECT
private slots:
    void ChartsAsDesigned_data();
    void ChartsAsDesigned();
    void MouseZoomsEveryChartAndPansAllButTheSequenceChart_data() { ChartsAsDesigned_data(); }
    void MouseZoomsEveryChartAndPansAllButTheSequenceChart();
};

void TChartPagesTest::ChartsAsDesigned_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < int(Charts().size()); ++index)
        QTest::newRow(qPrintable(Charts()[index].Name)) << index;
}

void TChartPagesTest::ChartsAsDesigned()
{
    QFETCH(int, index);
    const TExpectedChart &expected = Charts()[index];
    TChart chart(expected.Name);
    expected.Build(chart);

    QCOMPARE(chart.AxisTitle(TAxisId::Bottom), expected.BottomTitle);
    QCOMPARE(chart.AxisTitle(TAxisId::Left), expected.LeftTitle);
    QCOMPARE(chart.AxisInverted(TAxisId::Left), expected.LeftInverted);
    QCOMPARE(chart.AxisInverted(TAxisId::Bottom), false);
    QCOMPARE(chart.LegendMode(), expected.Legend);

    // Drawing order, as the plot holds its plottables.
    QStringList order, expectedOrder;
    for (int i = 0; i < chart.plottableCount(); ++i)
        order << chart.plottable(i)->objectName();
    if (expected.HasColourGrid)
        expectedOrder << "Series_2D";
    for (const TExpectedSeries &series : expected.Series)
        expectedOrder << series.Name;
    QCOMPARE(order, expectedOrder);
    QCOMPARE(chart.ColorGrids().size(), expected.HasColourGrid ? 1 : 0);
    if (expected.HasColourGrid)
        QVERIFY(chart.findChild<TColorGridSeries *>("Series_2D"));

    for (const TExpectedSeries &series : expected.Series) {
        auto *found = chart.findChild<TChartSeries *>(series.Name);
        QVERIFY2(found, qPrintable("no series " + series.Name));
        QVERIFY2(found->Kind() == series.Kind, qPrintable(series.Name));
        QCOMPARE(found->Colour(), series.Colour);
        QCOMPARE(found->property("title").toString(), series.Title);
        QCOMPARE(found->Count(), 0);
    }
}

void TChartPagesTest::MouseZoomsEveryChartAndPansAllButTheSequenceChart()
{
    QFETCH(int, index);
    const TExpectedChart &expected = Charts()[index];
    std::unique_ptr<TChart> chart = ShownChart(expected);
    const QPoint centre = chart->axisRect()->rect().center();

    const QCPRange before = chart->Axis(TAxisId::Bottom)->range();
    Drag(*chart, centre, centre + QPoint(60, 0));
    const QCPRange panned = chart->Axis(TAxisId::Bottom)->range();
    QCOMPARE(panned != before, expected.Pans);

    Wheel(*chart, centre);
    const QCPRange zoomed = chart->Axis(TAxisId::Bottom)->range();
    QVERIFY2(zoomed.size() < panned.size(), qPrintable(expected.Name));
}

QTEST_MAIN(TChartPagesTest)
#include "ChartPagesTest.moc"
