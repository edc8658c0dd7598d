// The colour grid of a pseudo-section: cells given one by one as (x, value, z,
// colour) on a rectangular grid of x and z node positions (x index outer, z
// index inner, as the map adds them), drawn as one image with the exact cell
// colours, and a palette (value levels with their colours) that the chart's
// legend lists in TLegendMode::PaletteValues.
#pragma once

#include <qcustomplot.h>

#include <QImage>
#include <QVariantList>
#include <QVector>

class TChart;

class TColorGridSeries : public QCPAbstractPlottable {
    Q_OBJECT
    Q_PROPERTY(QVariantList cellX READ CellXValues)
    Q_PROPERTY(QVariantList cellValue READ CellValueValues)
    Q_PROPERTY(QVariantList cellZ READ CellZValues)
    Q_PROPERTY(QVariantList cellColors READ CellColorValues)
    Q_PROPERTY(QVariantList paletteLevels READ PaletteLevelValues)
    Q_PROPERTY(QVariantList paletteColors READ PaletteColorValues)
    Q_PROPERTY(bool active READ Active)
public:
    TColorGridSeries(TChart &chart, const QString &name);

    void Clear();        // cells and palette
    void ClearCells();
    void AddCell(double x, double value, double z, QRgb colour);
    void ClearPalette();
    void AddPaletteEntry(double level, QRgb colour);

    int CellCount() const { return int(FX.size()); }
    int PaletteCount() const { return int(FLevels.size()); }
    double PaletteLevel(int index) const { return FLevels[index]; }
    QRgb PaletteColour(int index) const { return FPaletteColours[index]; }

    void SetActive(bool active);
    bool Active() const;

    // Test surface (colours as red + 256 green + 65536 blue).
    QVariantList CellXValues() const;
    QVariantList CellValueValues() const;
    QVariantList CellZValues() const;
    QVariantList CellColorValues() const;
    QVariantList PaletteLevelValues() const;
    QVariantList PaletteColorValues() const;

    // QCPAbstractPlottable
    double selectTest(const QPointF &pos, bool onlySelectable, QVariant *details = nullptr) const override;
    QCPRange getKeyRange(bool &foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool &foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange &inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter *painter) override;
    void drawLegendIcon(QCPPainter *painter, const QRectF &rect) const override;

private:
    void RebuildImage() const;
    QVector<double> FX, FValue, FZ;
    QVector<QRgb> FColours;
    QVector<double> FLevels;
    QVector<QRgb> FPaletteColours;
    mutable QImage FImage;          // rebuilt lazily after the cells changed: pixel (i, j) = cell (x_i, z_j)
    mutable bool FImageValid = false;
    // Cell edges along x and z: cell i spans [edges[i], edges[i + 1]], half-way to its neighbours.
    mutable QVector<double> FEdgesX, FEdgesZ;
    QRectF PixelExtent() const;
};

// 24-bit colour value red + 256 green + 65536 blue of a QRgb, and back.
inline int ColorValue(QRgb colour) { return qRed(colour) + 256 * qGreen(colour) + 65536 * qBlue(colour); }
inline QRgb RgbFromColorValue(int value) { return qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }
