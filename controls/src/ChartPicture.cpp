#include "controls/ChartPicture.h"

#include <qcustomplot.h>

#include "file_replacement.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// The chart laid out at size / scale and drawn scaled up to fill size: every
// length of the chart (fonts, markers, pens, margins) grows by scale. The
// two axes' factors differ from scale only by the rounding of the laid-out
// size.
void DrawScaled(QCustomPlot &chart, QCPPainter &painter, const QSize &size, double scale)
{
    if (scale <= 1) {
        chart.toPainter(&painter, size.width(), size.height());
        return;
    }
    const int width = std::max(1, qRound(size.width() / scale));
    const int height = std::max(1, qRound(size.height() / scale));
    painter.setMode(QCPPainter::pmNonCosmetic); // hairlines grow with the rest
    painter.scale(double(size.width()) / width, double(size.height()) / height);
    chart.toPainter(&painter, width, height);
}

// PNG at the fastest deflate level: the same pixels as the default level
// in a file about a third larger, written in about 60 % of the time, which
// is most of a batch picture's own work.
bool WritePng(const QPixmap &pixmap, QIODevice &file)
{
    QImageWriter writer(&file, "PNG");
    writer.setCompression(20);
    return writer.write(pixmap.toImage());
}

bool DrawPng(QCustomPlot &chart, QIODevice &file, const QSize &size, double scale)
{
    if (scale <= 1) return WritePng(chart.toPixmap(size.width(), size.height(), 1.0), file);
    QPixmap pixmap(size);
    pixmap.fill(Qt::white);
    QCPPainter painter;
    if (!painter.begin(&pixmap)) return false;
    painter.setMode(QCPPainter::pmNoCaching);
    DrawScaled(chart, painter, size, scale);
    if (!painter.end()) return false;
    return WritePng(pixmap, file);
}

// Vector output: QCustomPlot draws its items as paths and text, not pixels.
bool DrawVectorized(QCustomPlot &chart, QPaintDevice &device, const QSize &size, double scale)
{
    QCPPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    DrawScaled(chart, painter, size, scale);
    return painter.end();
}

bool DrawSvg(QCustomPlot &chart, QIODevice &file, const QSize &size, double scale, const QString &title)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(title);
    return DrawVectorized(chart, generator, size, scale);
}

bool DrawPdf(QCustomPlot &chart, QIODevice &file, const QSize &size, double scale, const QString &title)
{
    // One page of exactly the picture's size; at 72 dots per inch a pixel
    // of the chart is one point of the page.
    QPdfWriter writer(&file);
    writer.setCreator(QStringLiteral("Quelvo Tools"));
    writer.setTitle(title);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return DrawVectorized(chart, writer, size, scale);
}

} // namespace

double PictureScale(const QSize &size, const QSize &screenSize)
{
    if (screenSize.isEmpty() || size.isEmpty()) return 1;
    return std::max(1.0, std::min(double(size.width()) / screenSize.width(),
                                  double(size.height()) / screenSize.height()));
}

QByteArray ChartPictureBytes(QCustomPlot &chart, TPictureFormat format, const QSize &size, const QString &title)
{
    if (size.isEmpty()) return {};
    const double scale = PictureScale(size, chart.size());
    const QString documentTitle = title.isEmpty() ? chart.objectName() : title;
    // Drawn into memory first: a picture device cannot report a short write
    // to a file, the file replacement below can.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    bool drawn = false;
    switch (format) {
    case TPictureFormat::Png:
        drawn = DrawPng(chart, buffer, size, scale);
        break;
    case TPictureFormat::Svg:
        drawn = DrawSvg(chart, buffer, size, scale, documentTitle);
        break;
    case TPictureFormat::Pdf:
        drawn = DrawPdf(chart, buffer, size, scale, documentTitle);
        break;
    }
    buffer.close();
    return drawn ? bytes : QByteArray();
}

TPictureResult WritePictureFile(const std::string &fileName, const QByteArray &bytes)
{
    const auto failed = [](int error) {
        return TPictureResult{false, error != 0 ? std::strerror(error) : "the file could not be written"};
    };
    if (fileName.empty()) return failed(ENOENT);
    vesk::FileReplacement file(fileName.c_str());
    if (file.stream() == nullptr) return failed(file.error());
    if (std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), file.stream()) !=
        static_cast<std::size_t>(bytes.size())) {
        const int error = errno;
        return failed(error);
    }
    if (!file.commit()) return failed(file.error());
    return {true, {}};
}

TPictureResult SaveChartPicture(QCustomPlot &chart, const std::string &fileName, TPictureFormat format,
                                const QSize &size, const QString &title)
{
    const QByteArray bytes = ChartPictureBytes(chart, format, size, title);
    if (bytes.isEmpty()) return {false, "the chart could not be drawn at that size"};
    return WritePictureFile(fileName, bytes);
}
