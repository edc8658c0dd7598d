#include "controls/ChartPicture.h"

#include <qcustomplot.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace {

// Vector output: QCustomPlot draws its items as paths and text, not pixels.
bool DrawVectorized(QCustomPlot &chart, QPaintDevice &device, const QSize &size)
{
    QCPPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    chart.toPainter(&painter, size.width(), size.height());
    return painter.end();
}

bool DrawSvg(QCustomPlot &chart, QIODevice &file, const QSize &size)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(chart.objectName());
    return DrawVectorized(chart, generator, size);
}

bool DrawPdf(QCustomPlot &chart, QIODevice &file, const QSize &size)
{
    // One page of exactly the picture's size; at 72 dots per inch a pixel
    // of the chart is one point of the page.
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Quelvo Tools"));
    writer.setTitle(chart.objectName());
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return DrawVectorized(chart, writer, size);
}

} // namespace

bool SaveChartPicture(QCustomPlot &chart, const QString &fileName, TPictureFormat format, const QSize &size)
{
    if (size.isEmpty() || fileName.isEmpty()) return false;
    // QSaveFile writes beside the target and renames over it on commit.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool drawn = false;
    switch (format) {
    case TPictureFormat::Png:
        drawn = chart.toPixmap(size.width(), size.height(), 1.0).save(&file, "PNG");
        break;
    case TPictureFormat::Svg:
        drawn = DrawSvg(chart, file, size);
        break;
    case TPictureFormat::Pdf:
        drawn = DrawPdf(chart, file, size);
        break;
    }
    if (!drawn || file.size() == 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
