#include "controls/ColorGridSeries.h"

#include "controls/Chart.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QVector<double> DistinctSorted(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

// The distinct values in ascending order and the place of each value among
// them. A map's cells come from a grid of some hundred nodes a side, so the
// distinct values are few: inserting each new one into the sorted list beats
// sorting every value. Many distinct values go the sorting way instead.
QVector<double> DistinctPlaces(const QVector<double> &values, std::vector<int> &places)
{
    constexpr qsizetype MostInserted = 1024;
    QVector<double> distinct;
    for (double value : values) {
        const auto at = std::lower_bound(distinct.begin(), distinct.end(), value);
        if (at != distinct.end() && !(value < *at)) continue;
        if (distinct.size() == MostInserted) {
            distinct = DistinctSorted(values);
            break;
        }
        distinct.insert(at, value);
    }
    places.resize(std::size_t(values.size()));
    for (qsizetype k = 0; k < values.size(); ++k)
        places[std::size_t(k)] = int(std::lower_bound(distinct.begin(), distinct.end(), values[k]) - distinct.begin());
    return distinct;
}

// Cell edges half-way between neighbouring nodes; the outer cells reach as
// far beyond their node as towards their one neighbour (one node: half a unit).
QVector<double> CellEdges(const QVector<double> &nodes)
{
    QVector<double> edges;
    const qsizetype count = nodes.size();
    if (count == 0) return edges;
    edges.reserve(count + 1);
    const double firstHalf = count > 1 ? (nodes[1] - nodes[0]) / 2 : 0.5;
    const double lastHalf = count > 1 ? (nodes[count - 1] - nodes[count - 2]) / 2 : 0.5;
    edges.append(nodes[0] - firstHalf);
    for (qsizetype k = 1; k < count; ++k) edges.append((nodes[k - 1] + nodes[k]) / 2);
    edges.append(nodes[count - 1] + lastHalf);
    return edges;
}

// The cell whose edges hold coordinate, -1 outside the grid.
int CellIndex(const QVector<double> &edges, double coordinate)
{
    if (edges.isEmpty() || !(coordinate >= edges.first()) || coordinate > edges.last()) return -1;
    const auto above = std::upper_bound(edges.begin(), edges.end(), coordinate);
    return std::min(int(above - edges.begin()) - 1, int(edges.size()) - 2);
}

QCPRange EdgeRange(const QVector<double> &edges, bool &found, QCP::SignDomain domain)
{
    QVector<double> kept;
    for (double edge : edges)
        if (domain == QCP::sdBoth || (domain == QCP::sdPositive ? edge > 0 : edge < 0)) kept.append(edge);
    found = !kept.isEmpty();
    return found ? QCPRange(kept.first(), kept.last()) : QCPRange();
}

QVariantList ToVariantList(const QVector<double> &values)
{
    QVariantList list;
    list.reserve(values.size());
    for (double value : values) list.append(value);
    return list;
}

QVariantList ToColorValueList(const QVector<QRgb> &colours)
{
    QVariantList list;
    list.reserve(colours.size());
    for (QRgb colour : colours) list.append(ColorValue(colour));
    return list;
}

} // namespace

TColorGridSeries::TColorGridSeries(TChart &chart, const QString &name) : QCPAbstractPlottable(chart.xAxis, chart.yAxis)
{
    setObjectName(name);
    setSelectable(QCP::stNone);
    setAntialiased(false);
    chart.Register(this);
}

void TColorGridSeries::Clear()
{
    ClearCells();
    ClearPalette();
}

void TColorGridSeries::ClearCells()
{
    FX.clear();
    FValue.clear();
    FZ.clear();
    FColours.clear();
    FImageValid = false;
}

void TColorGridSeries::AddCell(double x, double value, double z, QRgb colour)
{
    FX.append(x);
    FValue.append(value);
    FZ.append(z);
    FColours.append(colour);
    FImageValid = false;
}

void TColorGridSeries::ClearPalette()
{
    FLevels.clear();
    FPaletteColours.clear();
}

void TColorGridSeries::AddPaletteEntry(double level, QRgb colour)
{
    FLevels.append(level);
    FPaletteColours.append(colour);
}

void TColorGridSeries::SetActive(bool active) { setVisible(active); }

bool TColorGridSeries::Active() const { return visible(); }

QVariantList TColorGridSeries::CellXValues() const { return ToVariantList(FX); }
QVariantList TColorGridSeries::CellValueValues() const { return ToVariantList(FValue); }
QVariantList TColorGridSeries::CellZValues() const { return ToVariantList(FZ); }
QVariantList TColorGridSeries::CellColorValues() const { return ToColorValueList(FColours); }
QVariantList TColorGridSeries::PaletteLevelValues() const { return ToVariantList(FLevels); }
QVariantList TColorGridSeries::PaletteColorValues() const { return ToColorValueList(FPaletteColours); }

void TColorGridSeries::RebuildImage() const
{
    std::vector<int> columns, rows;
    const QVector<double> nodesX = DistinctPlaces(FX, columns), nodesZ = DistinctPlaces(FZ, rows);
    FEdgesX = CellEdges(nodesX);
    FEdgesZ = CellEdges(nodesZ);
    FImage = QImage();
    if (!nodesX.isEmpty()) {
        FImage = QImage(int(nodesX.size()), int(nodesZ.size()), QImage::Format_ARGB32);
        FImage.fill(Qt::transparent); // a node pair without a cell stays empty
        uchar *bits = FImage.bits();
        const qsizetype stride = FImage.bytesPerLine();
        for (qsizetype k = 0; k < FX.size(); ++k)
            reinterpret_cast<QRgb *>(bits + rows[std::size_t(k)] * stride)[columns[std::size_t(k)]] =
                FColours[k] | 0xFF000000u;
    }
    FImageValid = true;
}

QRectF TColorGridSeries::PixelExtent() const
{
    if (!FImageValid) RebuildImage();
    if (FImage.isNull() || !keyAxis() || !valueAxis()) return {};
    const QPointF first = coordsToPixels(FEdgesX.first(), FEdgesZ.first());
    const QPointF last = coordsToPixels(FEdgesX.last(), FEdgesZ.last());
    return QRectF(first, last).normalized();
}

// Paints one image at screen resolution: every pixel takes the colour of the
// cell under its centre (nearest neighbour, no smoothing). Looking cells up
// per pixel keeps cells centred on their nodes on reversed and logarithmic
// axes and with unevenly spaced nodes alike.
void TColorGridSeries::draw(QCPPainter *painter)
{
    const QRectF extent = PixelExtent().intersected(clipRect());
    if (extent.isEmpty()) return;
    const int left = int(std::floor(extent.left())), top = int(std::floor(extent.top()));
    const int width = int(std::ceil(extent.right())) - left, height = int(std::ceil(extent.bottom())) - top;
    if (width <= 0 || height <= 0) return;

    QVector<int> columns(width), rows(height);
    for (int px = 0; px < width; ++px) columns[px] = CellIndex(FEdgesX, keyAxis()->pixelToCoord(left + px + 0.5));
    for (int py = 0; py < height; ++py) rows[py] = CellIndex(FEdgesZ, valueAxis()->pixelToCoord(top + py + 0.5));

    QImage picture(width, height, QImage::Format_ARGB32);
    for (int py = 0; py < height; ++py) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(py));
        const int j = rows[py];
        const auto *cells = j >= 0 ? reinterpret_cast<const QRgb *>(FImage.constScanLine(j)) : nullptr;
        for (int px = 0; px < width; ++px) line[px] = cells && columns[px] >= 0 ? cells[columns[px]] : 0;
    }
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QPointF(left, top), picture);
}

void TColorGridSeries::drawLegendIcon(QCPPainter *painter, const QRectF &rect) const
{
    // A strip of the palette colours.
    if (FPaletteColours.isEmpty()) return;
    const double step = rect.width() / FPaletteColours.size();
    painter->setPen(Qt::NoPen);
    for (qsizetype k = 0; k < FPaletteColours.size(); ++k) {
        painter->setBrush(QColor(FPaletteColours[k]));
        painter->drawRect(QRectF(rect.left() + k * step, rect.top(), step, rect.height()));
    }
}

double TColorGridSeries::selectTest(const QPointF &pos, bool onlySelectable, QVariant *) const
{
    if ((onlySelectable && !selectable()) || !visible()) return -1;
    return PixelExtent().contains(pos) ? 0 : -1;
}

QCPRange TColorGridSeries::getKeyRange(bool &foundRange, QCP::SignDomain inSignDomain) const
{
    if (!FImageValid) RebuildImage();
    return EdgeRange(FEdgesX, foundRange, inSignDomain);
}

QCPRange TColorGridSeries::getValueRange(bool &foundRange, QCP::SignDomain inSignDomain, const QCPRange &) const
{
    if (!FImageValid) RebuildImage();
    return EdgeRange(FEdgesZ, foundRange, inSignDomain);
}
