// The chart: series data in insertion order, line joining order, hit tests,
// axis limits, the colour grid's pixels, the legend and panning.
#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"

#include <QPicture>
#include <QSignalSpy>
#include <QTest>

class TChartTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void SeriesKeepInsertionOrderLabelsAndColours();
    void LinesJoinPointsInAxisOrder();
    void LongLinesStayJoined();
    void PointAtHitsTheMarkerDrawnLast();
    void LimitsAndAutomaticFitting();
    void ColorGridPaintsCellColoursAtTheirNodes_data();
    void ColorGridPaintsCellColoursAtTheirNodes();
    void LegendListsSeriesOrPalette();
    void PanFilterRefusesAnAxis();
    void MarkerImagesMatchTheShapes();

private:
    TChart *FChart = nullptr;
};

namespace {
TSeriesStyle Style(TSeriesKind kind, const QString &title = {}, TMarker marker = TMarker::None, double size = 3,
                   QColor colour = Qt::black)
{
    TSeriesStyle style;
    style.Kind = kind;
    style.Title = title;
    style.Marker = marker;
    style.MarkerSize = size;
    style.Colour = colour;
    return style;
}
} // namespace

void TChartTest::init()
{
    FChart = new TChart("Chart_Test");
    FChart->resize(400, 300);
}

void TChartTest::cleanup()
{
    delete FChart;
    FChart = nullptr;
}

void TChartTest::SeriesKeepInsertionOrderLabelsAndColours()
{
    auto *first = new TChartSeries(*FChart, "Series_Points", Style(TSeriesKind::Points, "Points", TMarker::None, 3, Qt::red));
    auto *second = new TChartSeries(*FChart, "Series_Other", {});
    QCOMPARE(FChart->Series(), (QList<TChartSeries *>{first, second}));
    QCOMPARE(first->objectName(), QString("Series_Points"));

    first->AddPoint(5, 1, "a");
    first->AddPoint(1, 2, "b", qRgb(0, 0, 255));
    first->AddPoint(3, 3);
    QCPPlottableInterface1D *points = first->interface1D();
    QCOMPARE(points->dataCount(), 3);
    const double keys[] = {5, 1, 3};
    for (int k = 0; k < 3; ++k) QCOMPARE(points->dataMainKey(k), keys[k]);
    QCOMPARE(first->property("pointLabels").toStringList(), (QStringList{"a", "b", ""}));
    QCOMPARE(first->property("pointColors").toList(), (QVariantList{255, 65536 * 255, 255}));

    second->SetPoints({9, 8}, {1, 2}, {"x", "y"}, {qRgb(1, 2, 3), qRgb(4, 5, 6)});
    QCOMPARE(second->interface1D()->dataMainKey(0), 9.0);
    QCOMPARE(second->PointColorValues(), (QVariantList{1 + 256 * 2 + 65536 * 3, 4 + 256 * 5 + 65536 * 6}));
    second->Clear();
    QCOMPARE(second->Count(), 0);
    QVERIFY(second->PointLabels().isEmpty());

    // Numbered labels read as texts; points added later keep them.
    second->SetNumberedPoints({4, 5, 6}, {1, 1, 1}, {17, -3, 12000000000}, {qRgb(7, 8, 9)});
    QCOMPARE(second->Label(1), QString("-3"));
    QCOMPARE(second->Label(3), QString());
    QCOMPARE(second->PointColour(2), QColor(Qt::black).rgb());
    second->AddPoint(7, 2, "z");
    QCOMPARE(second->PointLabels(), (QStringList{"17", "-3", "12000000000", "z"}));
    QCOMPARE(second->PointColorValues().first(), QVariant(7 + 256 * 8 + 65536 * 9));
    second->SetPoints({1, 2, 3}, {1, 2, 3}, {"p"});
    QCOMPARE(second->PointLabels(), (QStringList{"p", "", ""}));
    second->Clear();

    FChart->removePlottable(second); // a removed series leaves the chart's list
    QCOMPARE(FChart->Series().size(), 1);
}

void TChartTest::LinesJoinPointsInAxisOrder()
{
    auto *line = new TChartSeries(*FChart, "Line", Style(TSeriesKind::LineWithPoints));
    auto *horizontal = new TChartSeries(*FChart, "Horizontal", Style(TSeriesKind::HorizontalLine));
    line->SetPoints({50, 10, 90, 10}, {1, 2, 3, 4});
    horizontal->SetPoints({1, 2, 3}, {30, 10, 20});
    QCOMPARE(line->LineOrder(), (QVector<int>{1, 3, 0, 2}));
    QCOMPARE(horizontal->LineOrder(), (QVector<int>{1, 2, 0}));
    QCOMPARE(line->interface1D()->dataMainKey(0), 50.0); // the data stay in insertion order
}

// A line of many points is stroked in pieces; the pieces share their end
// points, so the segment across a piece's end is drawn like any other. Here
// the first 4096 points lie in x 0..1 and the rest in 9..10: the segment
// from x 1 to 9 crosses the end of the first piece.
void TChartTest::LongLinesStayJoined()
{
    auto *line = new TChartSeries(*FChart, "Line", Style(TSeriesKind::Line));
    QVector<double> x, y;
    for (int k = 0; k < 2 * 4096 + 10; ++k) {
        x.append(k < 4096 ? k / 4096.0 : 9 + (k - 4096) / 4096.0);
        y.append(5);
    }
    line->SetPoints(x, y);
    FChart->xAxis->setRange(0, 10);
    FChart->yAxis->setRange(0, 10);
    const QImage image = FChart->toPixmap(400, 300).toImage();
    for (double at : {0.5, 5.0, 9.5}) {
        const QPointF pixel = line->coordsToPixels(at, 5);
        QVERIFY2(qGray(image.pixel(pixel.toPoint())) < 128, qPrintable(QStringLiteral("no line at x %1").arg(at)));
    }
}

void TChartTest::PointAtHitsTheMarkerDrawnLast()
{
    auto *series = new TChartSeries(*FChart, "Series_Points", Style(TSeriesKind::Points, {}, TMarker::Circle, 9));
    series->SetPoints({1, 2, 2, 3}, {1, 2, 2, 3}, {"a", "b", "c", "d"});
    FChart->Redraw();
    FChart->replot();
    const QPointF centre = series->coordsToPixels(2, 2);
    QCOMPARE(series->PointAt(centre), 2); // "c" lies on "b" and is drawn after it
    QCOMPARE(series->PointAt(centre + QPointF(4, -4)), 2);
    QCOMPARE(series->PointAt(centre + QPointF(6, 0)), -1);
    QCOMPARE(series->PointAt(series->coordsToPixels(1, 1)), 0);
    series->SetActive(false);
    QCOMPARE(series->PointAt(centre), -1);
}

void TChartTest::LimitsAndAutomaticFitting()
{
    auto *series = new TChartSeries(*FChart, "S", {});
    series->SetPoints({1, 5, 3}, {-5, 10, 100});
    FChart->SetAxisLimits(TAxisId::Bottom, 10, 2);
    QCOMPARE(FChart->AxisMinimum(TAxisId::Bottom), 2.0);
    QCOMPARE(FChart->AxisMaximum(TAxisId::Bottom), 10.0);
    QVERIFY(!FChart->AxisAutomatic(TAxisId::Bottom));
    FChart->Redraw();
    QCOMPARE(FChart->AxisMinimum(TAxisId::Bottom), 2.0); // fixed stays fixed

    FChart->SetAxisAutomatic(TAxisId::Bottom, true);
    FChart->SetAxisLogarithmic(TAxisId::Left, true);
    FChart->Redraw();
    QVERIFY(FChart->AxisMinimum(TAxisId::Bottom) <= 1 && FChart->AxisMinimum(TAxisId::Bottom) > 0.5);
    QVERIFY(FChart->AxisMaximum(TAxisId::Bottom) >= 5 && FChart->AxisMaximum(TAxisId::Bottom) < 5.5);
    // Logarithmic: only values above 0 count.
    QVERIFY(FChart->AxisMinimum(TAxisId::Left) > 5 && FChart->AxisMinimum(TAxisId::Left) <= 10);
    QVERIFY(FChart->AxisMaximum(TAxisId::Left) >= 100 && FChart->AxisMaximum(TAxisId::Left) < 150);

    series->SetPoints({4}, {7}); // one point: a range around it
    FChart->Redraw();
    QVERIFY(FChart->AxisMinimum(TAxisId::Bottom) < 4 && FChart->AxisMaximum(TAxisId::Bottom) > 4);
    QVERIFY(FChart->AxisMinimum(TAxisId::Left) < 7 && FChart->AxisMaximum(TAxisId::Left) > 7);
}

void TChartTest::ColorGridPaintsCellColoursAtTheirNodes_data()
{
    QTest::addColumn<bool>("reversedX");
    QTest::addColumn<bool>("reversedZ");
    QTest::addColumn<int>("crowdedCells"); // more cells far right, added right to left
    QTest::newRow("plain") << false << false << 0;
    QTest::newRow("depth reversed") << false << true << 0;
    QTest::newRow("both reversed") << true << true << 0;
    QTest::newRow("over a thousand distinct positions") << false << true << 1100;
}

void TChartTest::ColorGridPaintsCellColoursAtTheirNodes()
{
    QFETCH(bool, reversedX);
    QFETCH(bool, reversedZ);
    QFETCH(int, crowdedCells);
    auto *grid = new TColorGridSeries(*FChart, "Series_2D");
    const double xs[] = {0, 2, 4}, zs[] = {1, 3};
    for (int k = crowdedCells; k > 0; --k) grid->AddCell(20 + k / 1000.0, 1, zs[k % 2], qRgb(0, 0, 0));
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) grid->AddCell(xs[i], 100 + i, zs[j], qRgb(40 * i + 20, 100 * j + 50, 90));
    FChart->SetAxisInverted(TAxisId::Bottom, reversedX);
    FChart->SetAxisInverted(TAxisId::Left, reversedZ);
    FChart->Redraw();
    QCOMPARE(FChart->AxisMinimum(TAxisId::Bottom), -1.0); // cells reach half-way beyond the outer nodes
    QCOMPARE(FChart->AxisMaximum(TAxisId::Left), 4.0);
    FChart->replot();
    const QImage picture = FChart->toPixmap().toImage();
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            const QPoint centre = grid->coordsToPixels(xs[i], zs[j]).toPoint();
            QCOMPARE(QColor(picture.pixel(centre)), QColor(qRgb(40 * i + 20, 100 * j + 50, 90)));
        }
    QCOMPARE(grid->CellXValues().size(), 6 + crowdedCells);
    QCOMPARE(grid->property("cellValue").toList().value(crowdedCells + 2), QVariant(101.0));
    QCOMPARE(grid->property("cellZ").toList().value(crowdedCells + 1), QVariant(3.0));
    QCOMPARE(grid->property("cellColors").toList().value(crowdedCells + 1), QVariant(20 + 256 * 150 + 65536 * 90));
}

// A raster picture copies markers from images made per colour and quarter
// pixel; a vector picture (here recorded in a QPicture and played back onto
// an image) draws each shape. Both give the same markers at the same places,
// up to the edge pixels' shading.
void TChartTest::MarkerImagesMatchTheShapes()
{
    const TMarker markers[] = {TMarker::Circle, TMarker::Square, TMarker::Triangle, TMarker::DownTriangle,
                               TMarker::Diamond, TMarker::None};
    const double sizes[] = {2, 3, 7, 9, 4, 5};
    for (int m = 0; m < 6; ++m) {
        auto *series = new TChartSeries(*FChart, "Series_" + QString::number(m),
                                        Style(TSeriesKind::Points, {}, markers[m], sizes[m], Qt::darkGreen));
        for (int k = 0; k < 12; ++k) {
            const std::optional<QRgb> colour = k % 3 == 0 ? std::optional<QRgb>(qRgb(200, 20 * k, 30)) : std::nullopt;
            series->AddPoint(1 + k * 0.8137 + m * 0.0917, 1 + m * 1.613 + (k % 4) * 0.2311, {}, colour);
        }
    }
    FChart->SetAxisLimits(TAxisId::Bottom, 0, 11);
    FChart->SetAxisLimits(TAxisId::Left, 0, 11);
    FChart->replot();
    const QImage copied = FChart->toPixmap(400, 300).toImage().convertToFormat(QImage::Format_RGB32);

    QPicture recorded;
    {
        QCPPainter painter(&recorded);
        FChart->toPainter(&painter, 400, 300);
    }
    QImage drawn(400, 300, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        recorded.play(&painter);
    }

    // Every pixel within the shading of an edge moved by an eighth of a
    // pixel, and as much ink in both.
    double inkCopied = 0, inkDrawn = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QColor a(copied.pixel(x, y)), b(drawn.pixel(x, y));
            const int difference = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                             std::abs(a.blue() - b.blue())});
            QVERIFY2(difference <= 64, qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
            inkCopied += 3 * 255 - a.red() - a.green() - a.blue();
            inkDrawn += 3 * 255 - b.red() - b.green() - b.blue();
        }
    QVERIFY(inkDrawn > 0);
    QVERIFY2(std::abs(inkCopied - inkDrawn) < 0.01 * inkDrawn, qPrintable(QString::number(inkCopied / inkDrawn)));
}

void TChartTest::LegendListsSeriesOrPalette()
{
    auto *titled = new TChartSeries(*FChart, "A", Style(TSeriesKind::Points, "Measured"));
    new TChartSeries(*FChart, "B", {}); // no title: not listed
    auto *hidden = new TChartSeries(*FChart, "C", Style(TSeriesKind::Line, "Hidden"));
    hidden->SetActive(false);
    auto *grid = new TColorGridSeries(*FChart, "Series_2D");
    grid->AddPaletteEntry(10, qRgb(0, 0, 255));
    grid->AddPaletteEntry(1234.5, qRgb(255, 0, 0));
    QCOMPARE(grid->property("paletteLevels").toList(), (QVariantList{10.0, 1234.5}));
    QCOMPARE(grid->property("paletteColors").toList(), (QVariantList{65536 * 255, 255}));

    // A shown legend stands beside the plot, never over it.
    const auto besideThePlot = [&] {
        FChart->replot();
        return FChart->legend->visible() && !FChart->legend->outerRect().intersects(FChart->axisRect()->outerRect()) &&
               FChart->viewport().contains(FChart->legend->outerRect());
    };
    FChart->SetLegendMode(TLegendMode::SeriesList);
    FChart->Redraw();
    QCOMPARE(FChart->legend->itemCount(), 1);
    QVERIFY(FChart->legend->hasItemWithPlottable(titled));
    QVERIFY(besideThePlot());
    FChart->SetLegendMode(TLegendMode::PaletteValues);
    FChart->Redraw();
    QCOMPARE(FChart->legend->itemCount(), 2);
    QVERIFY(besideThePlot());
    const int plotWidthWithLegend = FChart->axisRect()->outerRect().width();
    FChart->SetLegendMode(TLegendMode::Off);
    FChart->Redraw();
    FChart->replot();
    QVERIFY(!FChart->legend->visible());
    QVERIFY(FChart->axisRect()->outerRect().width() > plotWidthWithLegend);
}

void TChartTest::PanFilterRefusesAnAxis()
{
    auto *series = new TChartSeries(*FChart, "S", {});
    series->SetPoints({0, 10}, {0, 10});
    FChart->SetAxisLimits(TAxisId::Bottom, 0, 10);
    FChart->SetAxisLimits(TAxisId::Left, 0, 10);
    FChart->SetPanEnabled(true);
    QList<TAxisId> asked;
    FChart->SetPanFilter([&](TAxisId axis, double, double) {
        asked.append(axis);
        return axis == TAxisId::Bottom;
    });
    FChart->replot();
    QSignalSpy pressed(FChart, &TChart::MousePressed);
    QSignalSpy moved(FChart, &TChart::MouseMoved);

    const QPointF start = series->coordsToPixels(5, 5), end = series->coordsToPixels(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, start, FChart->mapToGlobal(start), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, end, FChart->mapToGlobal(end), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, end, FChart->mapToGlobal(end), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(FChart, &press);
    QCoreApplication::sendEvent(FChart, &move);
    QCoreApplication::sendEvent(FChart, &release);

    QCOMPARE(pressed.count(), 1);
    QCOMPARE(moved.count(), 1);
    QCOMPARE(asked, (QList<TAxisId>{TAxisId::Bottom, TAxisId::Left}));
    // Dragging from x = 5 to x = 3 moves the bottom axis by +2; the left axis keeps its range.
    QCOMPARE(FChart->AxisMinimum(TAxisId::Bottom), 2.0);
    QCOMPARE(FChart->AxisMaximum(TAxisId::Bottom), 12.0);
    QCOMPARE(FChart->AxisMinimum(TAxisId::Left), 0.0);
    QCOMPARE(FChart->AxisMaximum(TAxisId::Left), 10.0);

    QMouseEvent twice(QEvent::MouseButtonDblClick, end, FChart->mapToGlobal(end), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(FChart, &twice);
    QVERIFY(FChart->AxisAutomatic(TAxisId::Bottom) && FChart->AxisAutomatic(TAxisId::Left));
}

QTEST_MAIN(TChartTest)
#include "ChartTest.moc"
