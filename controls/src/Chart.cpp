#include "controls/Chart.h"

#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"

#include <cmath>

namespace {

// One line of the palette legend: a colour swatch and the level it stands for.
class TPaletteLegendItem : public QCPAbstractLegendItem {
public:
    TPaletteLegendItem(QCPLegend *legend, QColor colour, const QString &text)
        : QCPAbstractLegendItem(legend), FColour(colour), FText(text)
    {
        setSelectable(false);
    }

protected:
    void draw(QCPPainter *painter) override
    {
        painter->setFont(mFont);
        painter->setPen(QPen(mTextColor));
        const QSize iconSize = mParentLegend->iconSize();
        const QRect textRect = painter->fontMetrics().boundingRect(0, 0, 0, iconSize.height(), Qt::TextDontClip, FText);
        const int height = std::max(textRect.height(), iconSize.height());
        const QRect iconRect(mRect.x(), mRect.y() + (height - iconSize.height()) / 2, iconSize.width(),
                             iconSize.height());
        painter->drawText(mRect.x() + iconSize.width() + mParentLegend->iconTextPadding(), mRect.y(),
                          textRect.width(), height, Qt::TextDontClip | Qt::AlignVCenter, FText);
        painter->setPen(QPen(QColor(80, 80, 80), 0));
        painter->setBrush(FColour);
        painter->drawRect(iconRect);
    }

    QSize minimumOuterSizeHint() const override
    {
        const QSize iconSize = mParentLegend->iconSize();
        const QRect textRect = QFontMetrics(mFont).boundingRect(0, 0, 0, iconSize.height(), Qt::TextDontClip, FText);
        return {iconSize.width() + mParentLegend->iconTextPadding() + textRect.width() + mMargins.left() +
                    mMargins.right(),
                std::max(textRect.height(), iconSize.height()) + mMargins.top() + mMargins.bottom()};
    }

private:
    QColor FColour;
    QString FText;
};

// The title line of the palette legend: bold text, no swatch.
class TLegendTitleItem : public QCPAbstractLegendItem {
public:
    TLegendTitleItem(QCPLegend *legend, const QString &text) : QCPAbstractLegendItem(legend), FText(text)
    {
        setSelectable(false);
        QFont bold = mFont;
        bold.setBold(true);
        setFont(bold);
    }

protected:
    void draw(QCPPainter *painter) override
    {
        painter->setFont(mFont);
        painter->setPen(QPen(mTextColor));
        painter->drawText(mRect, Qt::TextDontClip | Qt::AlignLeft | Qt::AlignVCenter, FText);
    }

    QSize minimumOuterSizeHint() const override
    {
        const QRect textRect = QFontMetrics(mFont).boundingRect(0, 0, 0, 0, Qt::TextDontClip, FText);
        return {textRect.width() + mMargins.left() + mMargins.right(),
                textRect.height() + mMargins.top() + mMargins.bottom() + 2};
    }

private:
    QString FText;
};

// A palette level in a short readable form: whole numbers from 100 up,
// three significant digits below.
QString ShortLevelText(const QLocale &locale, double level)
{
    if (std::abs(level) >= 100) return locale.toString(level, 'f', 0);
    return locale.toString(level, 'g', 3);
}

QCPRange WithMargin(QCPRange range, bool logarithmic)
{
    constexpr double margin = 0.03; // of the span, so edge markers are not cut in half
    if (logarithmic) {
        if (range.lower == range.upper) return {range.lower / 2, range.upper * 2};
        const double factor = std::pow(range.upper / range.lower, margin);
        return {range.lower / factor, range.upper * factor};
    }
    if (range.lower == range.upper) {
        const double pad = range.lower == 0 ? 1 : std::abs(range.lower) * 0.1;
        return {range.lower - pad, range.upper + pad};
    }
    const double pad = (range.upper - range.lower) * margin;
    return {range.lower - pad, range.upper + pad};
}

} // namespace

TChart::TChart(const QString &name, QWidget *parent) : QCustomPlot(parent)
{
    setObjectName(name);
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(locale); // tick labels with the system's decimal separator
    setAutoAddPlottableToLegend(false);
    setInteractions(QCP::Interactions()); // zoom and pan are ours, so the pan filter can refuse steps
    legend->setVisible(false);
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    legend->setBrush(QColor(255, 255, 255, 220));
    connect(this, &QCustomPlot::mousePress, this, &TChart::OnMousePress);
    connect(this, &QCustomPlot::mouseMove, this, &TChart::OnMouseMove);
    connect(this, &QCustomPlot::mouseRelease, this, &TChart::OnMouseRelease);
    connect(this, &QCustomPlot::mouseWheel, this, &TChart::OnMouseWheel);
    connect(this, &QCustomPlot::mouseDoubleClick, this, &TChart::OnMouseDoubleClick);
}

TChart::~TChart()
{
    // Delete the series while the lists their destruction updates still exist.
    clearPlottables();
}

QCPAxis *TChart::Axis(TAxisId axis) const { return axis == TAxisId::Bottom ? xAxis : yAxis; }

void TChart::SetAxisTitle(TAxisId axis, const QString &title) { Axis(axis)->setLabel(title); }

QString TChart::AxisTitle(TAxisId axis) const { return Axis(axis)->label(); }

void TChart::SetAxisInverted(TAxisId axis, bool inverted) { Axis(axis)->setRangeReversed(inverted); }

bool TChart::AxisInverted(TAxisId axis) const { return Axis(axis)->rangeReversed(); }

void TChart::SetAxisLogarithmic(TAxisId axis, bool logarithmic)
{
    QCPAxis *target = Axis(axis);
    if (logarithmic == AxisLogarithmic(axis)) return;
    if (logarithmic) {
        target->setScaleType(QCPAxis::stLogarithmic);
        target->setTicker(QSharedPointer<QCPAxisTickerLog>::create());
    } else {
        target->setScaleType(QCPAxis::stLinear);
        target->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
}

bool TChart::AxisLogarithmic(TAxisId axis) const { return Axis(axis)->scaleType() == QCPAxis::stLogarithmic; }

void TChart::SetAxisAutomatic(TAxisId axis, bool automatic) { FAutomatic[AxisIndex(axis)] = automatic; }

bool TChart::AxisAutomatic(TAxisId axis) const { return FAutomatic[AxisIndex(axis)]; }

void TChart::SetAxisLimits(TAxisId axis, double minimum, double maximum)
{
    if (minimum > maximum) std::swap(minimum, maximum);
    FAutomatic[AxisIndex(axis)] = false;
    Axis(axis)->setRange(minimum, maximum);
}

double TChart::AxisMinimum(TAxisId axis) const { return Axis(axis)->range().lower; }

double TChart::AxisMaximum(TAxisId axis) const { return Axis(axis)->range().upper; }

void TChart::SetLegendMode(TLegendMode mode) { FLegendMode = mode; }

void TChart::SetPanEnabled(bool enabled)
{
    FPanEnabled = enabled;
    FPanning = false;
}

void TChart::SetZoomEnabled(bool enabled) { FZoomEnabled = enabled; }

void TChart::SetPanFilter(TPanFilter filter) { FPanFilter = std::move(filter); }

void TChart::Register(TChartSeries *series)
{
    FSeries.append(series);
    connect(series, &QObject::destroyed, this, [this, series] { FSeries.removeAll(series); });
}

void TChart::Register(TColorGridSeries *series)
{
    FColorGrids.append(series);
    connect(series, &QObject::destroyed, this, [this, series] { FColorGrids.removeAll(series); });
}

void TChart::Redraw()
{
    FitAutomaticAxes();
    UpdateLegend();
    replot(QCustomPlot::rpQueuedReplot);
}

void TChart::FitAutomaticAxes()
{
    for (TAxisId axis : {TAxisId::Bottom, TAxisId::Left})
        if (FAutomatic[AxisIndex(axis)]) FitAxis(axis);
}

void TChart::FitAxis(TAxisId axis)
{
    const bool logarithmic = AxisLogarithmic(axis);
    const QCP::SignDomain domain = logarithmic ? QCP::sdPositive : QCP::sdBoth;
    const bool byKey = axis == TAxisId::Bottom;
    QCPRange range;
    bool haveRange = false;
    auto unite = [&](const QCPRange &part) {
        if (!haveRange) range = part;
        else range.expand(part);
        haveRange = true;
    };
    bool found = false;
    for (const TChartSeries *series : FSeries) {
        if (!series->Active()) continue;
        const QCPRange part = byKey ? series->getKeyRange(found, domain) : series->getValueRange(found, domain);
        if (found) unite(part);
    }
    if (haveRange) range = WithMargin(range, logarithmic);
    for (const TColorGridSeries *grid : FColorGrids) { // the image fills the axes exactly
        if (!grid->Active()) continue;
        const QCPRange part = byKey ? grid->getKeyRange(found, domain) : grid->getValueRange(found, domain);
        if (found) unite(part);
    }
    if (!haveRange) return;
    if (range.lower == range.upper) range = WithMargin(range, logarithmic);
    Axis(axis)->setRange(range);
}

void TChart::PlaceLegend(bool outside)
{
    // Outside, the legend stands at the top of a column right of the plot,
    // clear of the chart's edges, with an empty cell below it taking the rest
    // of the height.
    auto *column = plotLayout()->hasElement(0, 1) ? qobject_cast<QCPLayoutGrid *>(plotLayout()->element(0, 1)) : nullptr;
    const bool isOutside = column != nullptr && column->hasElement(0, 0) && column->element(0, 0) == legend;
    if (outside == isOutside) return;
    if (outside) {
        axisRect()->insetLayout()->take(legend);
        column = new QCPLayoutGrid;
        plotLayout()->addElement(0, 1, column);
        plotLayout()->setColumnStretchFactor(1, 0.001);
        column->setMargins(QMargins(0, 8, 8, 8));
        column->addElement(0, 0, legend);
        column->addElement(1, 0, new QCPLayoutElement(this));
        column->setRowStretchFactor(0, 0.001);
        column->setRowStretchFactor(1, 1);
        legend->setMargins(QMargins(6, 4, 6, 4));
    } else {
        column->take(legend);
        plotLayout()->remove(column);
        plotLayout()->simplify();
        axisRect()->insetLayout()->addElement(legend, Qt::AlignTop | Qt::AlignRight);
    }
}

void TChart::UpdateLegend()
{
    legend->clearItems();
    PlaceLegend(FLegendMode != TLegendMode::Off);
    if (FLegendMode == TLegendMode::SeriesList) {
        legend->setIconSize(24, 12);
        legend->setRowSpacing(2);
        for (TChartSeries *series : std::as_const(FSeries))
            if (series->Active() && !series->Title().isEmpty())
                legend->addItem(new QCPPlottableLegendItem(legend, series));
    } else if (FLegendMode == TLegendMode::PaletteValues && !FColorGrids.isEmpty()) {
        legend->setIconSize(16, 10);
        legend->setRowSpacing(0);
        const TColorGridSeries *grid = FColorGrids.first();
        if (!FLegendTitle.isEmpty() && grid->PaletteCount() > 0)
            legend->addItem(new TLegendTitleItem(legend, FLegendTitle));
        for (int k = 0; k < grid->PaletteCount(); ++k)
            legend->addItem(new TPaletteLegendItem(legend, QColor(grid->PaletteColour(k)),
                                                   ShortLevelText(locale(), grid->PaletteLevel(k))));
    }
    legend->setVisible(legend->itemCount() > 0);
}

void TChart::OnMousePress(QMouseEvent *event)
{
    if (FPanEnabled && event->button() == Qt::LeftButton && axisRect()->rect().contains(event->pos())) {
        FPanning = true;
        FPanStart = event->position();
        FPanStartRange[0] = xAxis->range();
        FPanStartRange[1] = yAxis->range();
    }
    emit MousePressed(event);
}

void TChart::leaveEvent(QEvent *event)
{
    QCustomPlot::leaveEvent(event);
    emit MouseLeft();
}

void TChart::OnMouseMove(QMouseEvent *event)
{
    if (FPanning && (event->buttons() & Qt::LeftButton)) {
        PanStep(TAxisId::Bottom, event->position());
        PanStep(TAxisId::Left, event->position());
        replot(QCustomPlot::rpQueuedReplot);
    }
    emit MouseMoved(event);
}

void TChart::OnMouseRelease(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) FPanning = false;
    emit MouseReleased(event);
}

// Moves the axis so the coordinate under the point where the drag started
// lies under the pointer, if the pan filter agrees.
void TChart::PanStep(TAxisId axis, const QPointF &position)
{
    QCPAxis *target = Axis(axis);
    const QCPRange before = target->range();
    const bool horizontal = axis == TAxisId::Bottom;
    target->setRange(FPanStartRange[AxisIndex(axis)]);
    const double from = target->pixelToCoord(horizontal ? FPanStart.x() : FPanStart.y());
    const double to = target->pixelToCoord(horizontal ? position.x() : position.y());
    QCPRange moved = FPanStartRange[AxisIndex(axis)];
    if (target->scaleType() == QCPAxis::stLogarithmic) {
        if (from > 0 && to > 0) {
            moved.lower *= from / to;
            moved.upper *= from / to;
        }
    } else {
        moved.lower += from - to;
        moved.upper += from - to;
    }
    if (FPanFilter && !FPanFilter(axis, moved.lower, moved.upper)) {
        target->setRange(before);
        return;
    }
    target->setRange(moved);
    FAutomatic[AxisIndex(axis)] = false;
}

void TChart::OnMouseWheel(QWheelEvent *event)
{
    if (!FZoomEnabled) return;
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0) return;
    const double factor = std::pow(0.85, steps);
    const QPointF position = event->position();
    xAxis->scaleRange(factor, xAxis->pixelToCoord(position.x()));
    yAxis->scaleRange(factor, yAxis->pixelToCoord(position.y()));
    FAutomatic[0] = FAutomatic[1] = false;
    replot(QCustomPlot::rpQueuedReplot);
}

void TChart::OnMouseDoubleClick(QMouseEvent *event)
{
    FPanning = false;
    if (event->button() != Qt::LeftButton || !(FPanEnabled || FZoomEnabled)) return;
    FAutomatic[0] = FAutomatic[1] = true;
    Redraw();
}
