// A point, line or horizontal-line series of a TChart. Points are kept in the
// order they were added (interface1D() index k = the k-th point added), each
// with an optional text label and an optional colour of its own, held as data
// (not as one text item per point). Lines are drawn through the points in
// ascending x (Line, LineWithPoints) or ascending y (HorizontalLine).
#pragma once

#include <qcustomplot.h>

#include <QColor>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <optional>

class TChart;

enum class TSeriesKind { Points, Line, LineWithPoints, HorizontalLine };
enum class TMarker { None, Circle, Square, Triangle, DownTriangle, Diamond };

struct TSeriesStyle {
    TSeriesKind Kind = TSeriesKind::Points;
    QString Title;          // legend text; empty: not listed in the legend
    QColor Colour = Qt::black;
    TMarker Marker = TMarker::None;
    double MarkerSize = 3;  // marker width and height in pixels
};

class TChartSeries : public QCPCurve {
    Q_OBJECT
    Q_PROPERTY(QStringList pointLabels READ PointLabels)
    Q_PROPERTY(QVariantList pointColors READ PointColorValues)
    Q_PROPERTY(bool active READ Active)
    Q_PROPERTY(QString title READ Title)
public:
    // Creates the series on the chart's bottom and left axes, named name
    // (objectName), drawn above the series created before it.
    TChartSeries(TChart &chart, const QString &name, const TSeriesStyle &style);

    TSeriesKind Kind() const { return FStyle.Kind; }
    QString Title() const { return FStyle.Title; }
    QColor Colour() const { return FStyle.Colour; }

    // Removes every point.
    void Clear();
    // Appends one point; without a colour the point takes the series' colour.
    void AddPoint(double x, double y, const QString &label = {}, std::optional<QRgb> colour = std::nullopt);
    // Replaces all points at once (fast path for thousands of points). labels
    // and colours are empty or as long as x; y as long as x.
    void SetPoints(const QVector<double> &x, const QVector<double> &y, const QStringList &labels = {},
                   const QVector<QRgb> &colours = {});
    // The same with each point labelled by a whole number, its text made
    // only when asked for (Label, PointLabels): a series of thousands of
    // points builds no strings.
    void SetNumberedPoints(const QVector<double> &x, const QVector<double> &y, const QVector<qint64> &numbers,
                           const QVector<QRgb> &colours = {});
    int Count() const;
    double X(int index) const;
    double Y(int index) const;
    QString Label(int index) const;   // empty when the point has none
    QRgb PointColour(int index) const; // the point's own colour or the series' colour

    // Active = shown and taking part in automatic limits, legend and hit tests.
    void SetActive(bool active);
    bool Active() const;

    // Index of the point whose marker (at least 3 x 3 pixels) contains the
    // pixel position in the chart's widget coordinates; when several do, the
    // one drawn last. -1 when none, or when the series is not active.
    int PointAt(const QPointF &pixel) const;

    // Test surface: labels, and colours as 24-bit values red + 256 green + 65536 blue.
    QStringList PointLabels() const;
    QVariantList PointColorValues() const;

    // The point indices in the order the line joins them: ascending x (Line,
    // LineWithPoints) or ascending y (HorizontalLine), equal keys in insertion order.
    QVector<int> LineOrder() const;

protected:
    void draw(QCPPainter *painter) override;

private:
    // The marker image for one colour at a quarter-pixel offset (stepX / 4,
    // stepY / 4) of its centre, drawn on first use; the centre lies
    // SpritePadding() pixels from the image's top left corner plus the offset.
    const QImage &Sprite(QRgb colour, int stepX, int stepY, double ratio, bool antialiased) const;
    int SpritePadding() const;
    TChart *FChart; // not owned
    mutable QHash<quint64, QImage> FSprites;
    TSeriesStyle FStyle;
    void SetPointData(const QVector<double> &x, const QVector<double> &y, const QVector<QRgb> &colours);
    // Numbered labels become texts before a point is added one by one.
    void MakeLabelTexts();
    QStringList FLabels;          // texts of the first points (the rest have none)
    QVector<qint64> FLabelNumbers; // numbered labels, when set by SetNumberedPoints
    QVector<QRgb> FColours; // one per point, or empty when every point has the series' colour
};
