#include "controls/ChartSeries.h"

#include "controls/Chart.h"
#include "controls/ColorGridSeries.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

QCPScatterStyle::ScatterShape ScatterShape(TMarker marker)
{
    switch (marker) {
    case TMarker::None: return QCPScatterStyle::ssNone;
    case TMarker::Circle: return QCPScatterStyle::ssDisc;
    case TMarker::Square: return QCPScatterStyle::ssSquare;
    case TMarker::Triangle: return QCPScatterStyle::ssTriangle;
    case TMarker::DownTriangle: return QCPScatterStyle::ssTriangleInverted;
    case TMarker::Diamond: return QCPScatterStyle::ssDiamond;
    }
    return QCPScatterStyle::ssNone;
}

// A point series without a marker still shows its points, as small squares.
TMarker ShownMarker(const TSeriesStyle &style)
{
    if (style.Marker == TMarker::None && style.Kind == TSeriesKind::Points) return TMarker::Square;
    return style.Marker;
}

void DrawMarker(QPainter *painter, TMarker marker, const QPointF &centre, double size)
{
    const double h = size / 2;
    const double x = centre.x(), y = centre.y();
    switch (marker) {
    case TMarker::None: break;
    case TMarker::Circle: painter->drawEllipse(centre, h, h); break;
    case TMarker::Square: painter->drawRect(QRectF(x - h, y - h, size, size)); break;
    case TMarker::Triangle: {
        const QPointF corners[3] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}};
        painter->drawPolygon(corners, 3);
        break;
    }
    case TMarker::DownTriangle: {
        const QPointF corners[3] = {{x, y + h}, {x + h, y - h}, {x - h, y - h}};
        painter->drawPolygon(corners, 3);
        break;
    }
    case TMarker::Diamond: {
        const QPointF corners[4] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
        painter->drawPolygon(corners, 4);
        break;
    }
    }
}

// Markers on a raster device are copied from small images drawn once per
// colour and quarter-pixel offset of the centre: copying an image costs a
// fraction of filling an antialiased shape. Where a copy would not land on
// whole device pixels (a scaled or rotated painter, a fractional pixel ratio)
// or the output is not raster (SVG, PDF), the shapes are drawn directly.
constexpr int SpriteSteps = 4; // positions per pixel in x and y

bool SpritesFit(QPainter *painter)
{
    if (!painter->paintEngine() || painter->paintEngine()->type() != QPaintEngine::Raster) return false;
    if (painter->transform().type() > QTransform::TxTranslate) return false;
    const double ratio = painter->device()->devicePixelRatioF();
    return ratio == std::round(ratio);
}

// Points per polyline the painter strokes at once.
constexpr qsizetype LinePiece = 4096;

bool Drawable(const QCPAxis *axis, double value)
{
    return std::isfinite(value) && (axis->scaleType() != QCPAxis::stLogarithmic || value > 0);
}

} // namespace

TChartSeries::TChartSeries(TChart &chart, const QString &name, const TSeriesStyle &style)
    : QCPCurve(chart.xAxis, chart.yAxis), FChart(&chart), FStyle(style)
{
    setObjectName(name);
    setName(style.Title);
    setSelectable(QCP::stNone);
    // Pen, line style and scatter style serve the legend icon; draw() paints the series itself.
    setPen(QPen(style.Colour, 1.5));
    setLineStyle(style.Kind == TSeriesKind::Points ? lsNone : lsLine);
    const TMarker marker = ShownMarker(style);
    setScatterStyle(QCPScatterStyle(ScatterShape(marker), style.Colour, style.Colour, std::max(style.MarkerSize, 3.0)));
    chart.Register(this);
}

void TChartSeries::Clear()
{
    data()->clear();
    FLabels.clear();
    FLabelNumbers.clear();
    FColours.clear();
}

void TChartSeries::AddPoint(double x, double y, const QString &label, std::optional<QRgb> colour)
{
    // The curve parameter t is the insertion index, so interface1D() keeps the order points came in.
    MakeLabelTexts();
    while (FLabels.size() < Count()) FLabels.append(QString());
    if (colour && FColours.size() < Count()) FColours.resize(Count(), FStyle.Colour.rgb());
    addData(double(Count()), x, y);
    FLabels.append(label);
    if (!FColours.isEmpty() || colour) FColours.append(colour.value_or(FStyle.Colour.rgb()));
}

void TChartSeries::SetPointData(const QVector<double> &x, const QVector<double> &y, const QVector<QRgb> &colours)
{
    const qsizetype count = std::min(x.size(), y.size());
    // The curve's own records, made once and handed over without a copy.
    QVector<QCPCurveData> points(count);
    for (qsizetype k = 0; k < count; ++k) points[k] = QCPCurveData(double(k), x[k], y[k]);
    data()->set(points, true);
    const qsizetype own = std::min(count, colours.size());
    FColours = colours.mid(0, own);
    if (own > 0) FColours.resize(count, FStyle.Colour.rgb());
}

void TChartSeries::SetPoints(const QVector<double> &x, const QVector<double> &y, const QStringList &labels,
                             const QVector<QRgb> &colours)
{
    SetPointData(x, y, colours);
    FLabels = labels.mid(0, Count());
    FLabelNumbers.clear();
}

void TChartSeries::SetNumberedPoints(const QVector<double> &x, const QVector<double> &y,
                                     const QVector<qint64> &numbers, const QVector<QRgb> &colours)
{
    SetPointData(x, y, colours);
    FLabels.clear();
    FLabelNumbers = numbers.mid(0, Count());
}

void TChartSeries::MakeLabelTexts()
{
    if (FLabelNumbers.isEmpty()) return;
    FLabels.clear();
    for (qint64 number : FLabelNumbers) FLabels.append(QString::number(number));
    FLabelNumbers.clear();
}

int TChartSeries::Count() const { return data()->size(); }

double TChartSeries::X(int index) const { return data()->at(index)->key; }

double TChartSeries::Y(int index) const { return data()->at(index)->value; }

QString TChartSeries::Label(int index) const
{
    if (!FLabelNumbers.isEmpty())
        return index >= 0 && index < FLabelNumbers.size() ? QString::number(FLabelNumbers[index]) : QString();
    return FLabels.value(index);
}

QRgb TChartSeries::PointColour(int index) const
{
    return index >= 0 && index < FColours.size() ? FColours[index] : FStyle.Colour.rgb();
}

void TChartSeries::SetActive(bool active) { setVisible(active); }

bool TChartSeries::Active() const { return visible(); }

int TChartSeries::PointAt(const QPointF &pixel) const
{
    if (!Active() || !keyAxis() || !valueAxis()) return -1;
    const double half = std::max(FStyle.MarkerSize, 3.0) / 2;
    for (int k = Count() - 1; k >= 0; --k) { // drawn in insertion order: the last one is on top
        const double x = X(k), y = Y(k);
        if (!Drawable(keyAxis(), x) || !Drawable(valueAxis(), y)) continue;
        const QPointF centre = coordsToPixels(x, y);
        if (std::abs(pixel.x() - centre.x()) <= half && std::abs(pixel.y() - centre.y()) <= half) return k;
    }
    return -1;
}

QStringList TChartSeries::PointLabels() const
{
    QStringList labels;
    labels.reserve(Count());
    for (int k = 0; k < Count(); ++k) labels.append(Label(k));
    return labels;
}

QVariantList TChartSeries::PointColorValues() const
{
    QVariantList values;
    values.reserve(Count());
    for (int k = 0; k < Count(); ++k) values.append(ColorValue(PointColour(k)));
    return values;
}

QVector<int> TChartSeries::LineOrder() const
{
    QVector<int> order(Count());
    std::iota(order.begin(), order.end(), 0);
    // Series are mostly added in order already (a 0D series by its index):
    // then the sort and its buffer are spared.
    const auto inOrder = [&](auto before) {
        if (!std::is_sorted(order.begin(), order.end(), before)) std::stable_sort(order.begin(), order.end(), before);
    };
    if (FStyle.Kind == TSeriesKind::HorizontalLine)
        inOrder([this](int a, int b) { return Y(a) < Y(b); });
    else
        inOrder([this](int a, int b) { return X(a) < X(b); });
    return order;
}

void TChartSeries::draw(QCPPainter *painter)
{
    QCPAxis *xAxis = keyAxis(), *yAxis = valueAxis();
    if (!xAxis || !yAxis || Count() == 0) return;
    const int count = Count();
    QVector<QPointF> pixels(count);
    QVector<bool> drawable(count);
    for (int k = 0; k < count; ++k) {
        drawable[k] = Drawable(xAxis, X(k)) && Drawable(yAxis, Y(k));
        if (drawable[k]) pixels[k] = coordsToPixels(X(k), Y(k));
    }

    if (FStyle.Kind != TSeriesKind::Points) {
        applyDefaultAntialiasingHint(painter);
        painter->setPen(QPen(FStyle.Colour, 1.5));
        painter->setBrush(Qt::NoBrush);
        // The line goes out in pieces that share their end points: the
        // painter's stroke of one polyline takes some hundred bytes per
        // point, which on a series of a million points would be far more than
        // the series itself.
        QPolygonF piece;
        piece.reserve(std::min<qsizetype>(count, LinePiece));
        bool drawn = false;
        for (int k : LineOrder()) {
            if (!drawable[k]) continue;
            piece.append(pixels[k]);
            if (piece.size() == LinePiece) {
                painter->drawPolyline(piece);
                drawn = true;
                const QPointF last = piece.constLast();
                piece.clear();
                piece.append(last);
            }
        }
        if (piece.size() > 1 || !drawn) painter->drawPolyline(piece);
    }

    const TMarker marker = ShownMarker(FStyle);
    if (marker == TMarker::None) return;
    applyScattersAntialiasingHint(painter);
    const double size = std::max(FStyle.MarkerSize, 3.0);
    if (SpritesFit(painter)) {
        const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
        const double ratio = painter->device()->devicePixelRatioF();
        // The images are placed in device pixels (the painter may be shifted
        // by half a pixel for its lines).
        const QPointF shift(painter->transform().dx(), painter->transform().dy());
        painter->save();
        painter->resetTransform();
        for (int k = 0; k < count; ++k) {
            if (!drawable[k]) continue;
            // Quarter pixels of the centre: the whole pixel places the image,
            // the rest selects the image drawn at that offset.
            const QPointF centre = pixels[k] + shift;
            const double qx = std::floor(centre.x() * SpriteSteps + 0.5);
            const double qy = std::floor(centre.y() * SpriteSteps + 0.5);
            if (!(std::abs(qx) < 1e9 && std::abs(qy) < 1e9)) continue; // far outside any picture
            const double wholeX = std::floor(qx / SpriteSteps), wholeY = std::floor(qy / SpriteSteps);
            const int stepX = int(qx - wholeX * SpriteSteps), stepY = int(qy - wholeY * SpriteSteps);
            const QImage &sprite = Sprite(PointColour(k), stepX, stepY, ratio, antialiased);
            painter->drawImage(QPointF(wholeX - SpritePadding(), wholeY - SpritePadding()), sprite);
        }
        painter->restore();
        return;
    }
    const bool outlined = size >= 6; // a dark rim keeps larger markers apart; small ones are plain dots
    QRgb current = 0;
    bool first = true;
    for (int k = 0; k < count; ++k) {
        if (!drawable[k]) continue;
        const QRgb colour = PointColour(k);
        if (first || colour != current) { // pen and brush change only where the colour does
            const QColor fill(colour);
            painter->setBrush(fill);
            painter->setPen(outlined ? QPen(fill.darker(150), 1) : QPen(Qt::NoPen));
            current = colour;
            first = false;
        }
        DrawMarker(painter, marker, pixels[k], size);
    }
}

int TChartSeries::SpritePadding() const { return int(std::ceil(std::max(FStyle.MarkerSize, 3.0) / 2)) + 2; }

const QImage &TChartSeries::Sprite(QRgb colour, int stepX, int stepY, double ratio, bool antialiased) const
{
    const quint64 key = quint64(colour) | quint64(stepX) << 32 | quint64(stepY) << 36 |
                        quint64(antialiased) << 40 | quint64(std::min(ratio, 255.0)) << 41;
    const auto found = FSprites.constFind(key);
    if (found != FSprites.cend()) return *found;
    if (FSprites.size() >= 4096) FSprites.clear(); // many colours: keep the cache small

    const double size = std::max(FStyle.MarkerSize, 3.0);
    const int side = 2 * SpritePadding() + 1;
    QImage sprite(int(side * ratio), int(side * ratio), QImage::Format_ARGB32_Premultiplied);
    sprite.setDevicePixelRatio(ratio);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    const QColor fill(colour);
    painter.setBrush(fill);
    painter.setPen(size >= 6 ? QPen(fill.darker(150), 1) : QPen(Qt::NoPen)); // as drawn directly
    const QPointF centre(SpritePadding() + double(stepX) / SpriteSteps, SpritePadding() + double(stepY) / SpriteSteps);
    DrawMarker(&painter, ShownMarker(FStyle), centre, size);
    painter.end();
    return *FSprites.insert(key, sprite);
}
