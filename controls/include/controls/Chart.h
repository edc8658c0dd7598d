// The chart component: a QCustomPlot with named series, two value axes (bottom
// and left) with title, direction, logarithmic flag and automatic or fixed
// limits, a legend that lists the series or the palette of a colour grid,
// mouse zoom and pan with a hook that may refuse a pan, and one queued repaint
// per user action.
#pragma once

#include <qcustomplot.h>

#include <QString>
#include <functional>

class TChartSeries;
class TColorGridSeries;

enum class TAxisId { Bottom, Left };

enum class TLegendMode {
    Off,           // no legend
    SeriesList,    // the titles of the visible series that carry a title
    PaletteValues, // the palette entries of the first colour grid series (value and colour)
};

class TChart : public QCustomPlot {
    Q_OBJECT
public:
    // name: the chart's objectName (for example "Chart_d2d").
    TChart(const QString &name, QWidget *parent = nullptr);
    ~TChart() override;

    // Axes. Titles, direction and scale type apply at the next Redraw.
    void SetAxisTitle(TAxisId axis, const QString &title);
    QString AxisTitle(TAxisId axis) const;
    // Inverted: values grow downwards (left axis) or to the left (bottom axis).
    void SetAxisInverted(TAxisId axis, bool inverted);
    bool AxisInverted(TAxisId axis) const;
    void SetAxisLogarithmic(TAxisId axis, bool logarithmic);
    bool AxisLogarithmic(TAxisId axis) const;
    // Automatic: the next Redraw fits the axis to the visible series (on a
    // logarithmic axis only to their values above 0).
    void SetAxisAutomatic(TAxisId axis, bool automatic);
    bool AxisAutomatic(TAxisId axis) const;
    // Fixed limits; switches the axis to fixed (not automatic). Limits given
    // the wrong way round are swapped.
    void SetAxisLimits(TAxisId axis, double minimum, double maximum);
    double AxisMinimum(TAxisId axis) const;
    double AxisMaximum(TAxisId axis) const;
    QCPAxis *Axis(TAxisId axis) const;

    void SetLegendMode(TLegendMode mode);
    TLegendMode LegendMode() const { return FLegendMode; }
    // A line above the palette entries (PaletteValues only), for example the
    // quantity and unit of the colours; empty: none.
    void SetLegendTitle(const QString &title) { FLegendTitle = title; }
    QString LegendTitle() const { return FLegendTitle; }

    // Mouse interaction: left-button drag pans, the wheel zooms (both axes,
    // around the pointer), a double click returns both axes to automatic.
    // Both are off at construction.
    void SetPanEnabled(bool enabled);
    void SetZoomEnabled(bool enabled);
    // Asked before every pan step with the axis and the range the step would
    // give; returning false refuses that step for that axis. Zoom is not asked.
    using TPanFilter = std::function<bool(TAxisId axis, double newMinimum, double newMaximum)>;
    void SetPanFilter(TPanFilter filter);

    // The series of this chart, in the order they were created (drawing order).
    const QList<TChartSeries *> &Series() const { return FSeries; }
    const QList<TColorGridSeries *> &ColorGrids() const { return FColorGrids; }

    // Applies automatic limits, legend and axis settings, then asks for one
    // queued repaint: several calls during one user action give one paint.
    void Redraw();

signals:
    // The pointer moved, a button was pressed or released over the plot area
    // (the events carry the modifiers and the position in widget pixels).
    void MouseMoved(QMouseEvent *event);
    void MousePressed(QMouseEvent *event);
    void MouseReleased(QMouseEvent *event);
    // The pointer left the chart.
    void MouseLeft();

protected:
    void leaveEvent(QEvent *event) override;

private:
    friend class TChartSeries;
    friend class TColorGridSeries;
    void Register(TChartSeries *series);
    void Register(TColorGridSeries *series);
    void FitAutomaticAxes();
    void FitAxis(TAxisId axis);
    void UpdateLegend();
    // A shown legend stands right of the plot, so that it never hides data;
    // without one the plot takes the whole width.
    void PlaceLegend(bool outside);
    void OnMousePress(QMouseEvent *event);
    void OnMouseMove(QMouseEvent *event);
    void OnMouseRelease(QMouseEvent *event);
    void OnMouseWheel(QWheelEvent *event);
    void OnMouseDoubleClick(QMouseEvent *event);
    void PanStep(TAxisId axis, const QPointF &position);
    static int AxisIndex(TAxisId axis) { return axis == TAxisId::Bottom ? 0 : 1; }
    QList<TChartSeries *> FSeries;
    QList<TColorGridSeries *> FColorGrids;
    TLegendMode FLegendMode = TLegendMode::Off;
    QString FLegendTitle;
    TPanFilter FPanFilter;
    bool FAutomatic[2] = {true, true};
    bool FPanEnabled = false;
    bool FZoomEnabled = false;
    // Pan in progress: where the left button went down and the ranges then.
    bool FPanning = false;
    QPointF FPanStart;
    QCPRange FPanStartRange[2];
};
