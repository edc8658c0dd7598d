#include "controls/ChartPicture.h"

#include <qcustomplot.h>

#include "file_replacement.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <cerrno>
#include <cstring>

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

QByteArray ChartPictureBytes(QCustomPlot &chart, TPictureFormat format, const QSize &size)
{
    if (size.isEmpty()) return {};
    // Drawn into memory first: a picture device cannot report a short write
    // to a file, the file replacement below can.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    bool drawn = false;
    switch (format) {
    case TPictureFormat::Png:
        drawn = chart.toPixmap(size.width(), size.height(), 1.0).save(&buffer, "PNG");
        break;
    case TPictureFormat::Svg:
        drawn = DrawSvg(chart, buffer, size);
        break;
    case TPictureFormat::Pdf:
        drawn = DrawPdf(chart, buffer, size);
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
                                const QSize &size)
{
    const QByteArray bytes = ChartPictureBytes(chart, format, size);
    if (bytes.isEmpty()) return {false, "the chart could not be drawn at that size"};
    return WritePictureFile(fileName, bytes);
}
