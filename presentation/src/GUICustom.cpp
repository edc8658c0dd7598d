#include "presentation/GUICustom.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"

#include <cmath>

void TGUICustom::ShowAll()
{
    FillTable();
    FillInspector();
    BuildChart();
    ShowInfo();
}

void TGUICustom::Refresh()
{
    FillTable();
    BuildChart();
    ShowInfo();
    ShowUpdateStatus();
}

namespace {

// Rounds up to the next decade: the first i in -10..10 with 1 < v / 10^i <= 10
// gives 10^(i+1). A value no i fits is returned unchanged.
double DecadeAbove(double value)
{
    for (int i = -10; i <= 10; ++i) {
        const double ratio = value / std::pow(10.0, i);
        if (ratio > 1 && ratio <= 10) return std::pow(10.0, i + 1);
    }
    return value;
}

// Rounds down to a decade: the first i with 1 < v / 10^i <= 10 gives 10^i (a
// value on a decade goes one decade down).
double DecadeBelow(double value)
{
    for (int i = -10; i <= 10; ++i) {
        const double ratio = value / std::pow(10.0, i);
        if (ratio > 1 && ratio <= 10) return std::pow(10.0, i);
    }
    return value;
}

} // namespace

void TGUICustom::ApplyLogScales(TChart &chart, bool xLogarithmic, bool yLogarithmic)
{
    chart.SetAxisAutomatic(TAxisId::Bottom, !xLogarithmic);
    chart.SetAxisAutomatic(TAxisId::Left, !yLogarithmic);
    if (chart.Series().isEmpty() || (!xLogarithmic && !yLogarithmic)) return;
    chart.SetAxisLogarithmic(TAxisId::Bottom, xLogarithmic);
    chart.SetAxisLogarithmic(TAxisId::Left, yLogarithmic);

    double minX = 1e11, minY = 1e11, maxX = 0, maxY = 0;
    for (const TChartSeries *series : chart.Series()) {
        if (!series->Active()) continue;
        for (int k = 0, count = series->Count(); k < count; ++k) {
            // Values <= 0 have no place on a log axis and would pull the
            // limits to a decade no data reach.
            const double x = series->X(k), y = series->Y(k);
            if (x > 0) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
            }
            if (y > 0) {
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    if (xLogarithmic) chart.SetAxisLimits(TAxisId::Bottom, DecadeBelow(minX), DecadeAbove(maxX));
    if (yLogarithmic) chart.SetAxisLimits(TAxisId::Left, DecadeBelow(minY), DecadeAbove(maxY));
}

std::pair<QString, QString> TGUICustom::SoundingAxisTitles(uint32_t arrayType)
{
    switch (arrayType) {
    case 0:
    case 1: return {QStringLiteral("AB/2 [m]"), QStringLiteral("MN/2 [m]")};
    case 2:
    case 3: return {QStringLiteral("AN/2 [m]"), QStringLiteral("BM/2 [m]")};
    case 4: return {QStringLiteral("AAN/2 [m]"), QStringLiteral("MB/2 [m]")};
    case 5:
    case 6: return {QStringLiteral("AO/2 [m]"), QStringLiteral("MN/2 [m]")};
    case 7: return {QStringLiteral("AM [m]"), QString()};
    case 8: return {QStringLiteral("O\"O/2 [m]"), QStringLiteral("MN/2 [m]")};
    default: return {};
    }
}
