// Small pieces the sequence, 1D and 0D presenters share: column definitions,
// log axes, the per-group entries of the array details, the measurement
// settings items and the value curves of the data charts.
#pragma once

#include "controls/PropertyItem.h"

#include "controls/GridModel.h"

#include "survey/Measurements.h"

#include <QString>
#include <cstdint>
#include <vector>

class TChart;
class TChartSeries;
class TPropertyItem;
struct TChartDetailsCustomData;
struct TPresenterViews;

// Spacing groups a design can hold.
inline constexpr uint32_t MaxSpacingGroups = 4;

TGridColumn GridColumn(const QString &caption, TColumnKind kind, int width, int decimals = 0,
                       TSortKind sort = TSortKind::None, bool editable = false);
// A "precision 0" column of lengths in metres: whole values show as whole
// numbers, others to the millimetre (AB/2 = 1.5 m must not read "2").
TGridColumn LengthColumn(const QString &caption, int width, TSortKind sort = TSortKind::None, bool editable = false);

void SetLogAxes(TChart &chart, bool xLogarithmic, bool yLogarithmic);

// Entry k of a per-group array; 0 when the array is shorter.
template <typename T>
T GroupEntry(const std::vector<T> &values, std::size_t k)
{
    return k < values.size() ? values[k] : T{};
}

// Stores v in entry k when it exists.
template <typename T, typename V>
void SetGroupEntry(std::vector<T> &values, std::size_t k, V value)
{
    if (k < values.size()) values[k] = static_cast<T>(value);
}

// The value of a spin item as a byte setting (levels, steps, overlaps), clamped to 0..255.
uint8_t ByteValue(const TPropertyItem &item);
// The line chosen in a drop-down item as a code; while no line of the list
// is chosen (a file's code beyond the list shows none) the document's own
// value is kept.
template <typename T> T ChosenCode(const TPropertyItem &item, T kept)
{
    const int index = item.ItemIndex();
    return index >= 0 && index < item.Lines().size() ? T(index) : kept;
}

QString FromStd(const std::string &text);

// An inverted model's fit on two lines that fit the info panel:
// "RMS: 3.17 %" and "chi-squared: 1.059"; NoFitText has dashes instead.
QString FitText(double rmsPercent, double chiSquared);
QString NoFitText();

// How many readings a data document holds, keeps in use, and lets through
// its filters as well.
struct TReadingCounts {
    uint32_t Total = 0, Used = 0, Passing = 0;
};
// "162 readings: 160 used, 157 pass the filters"; when no reading is left,
// "No reading passes the filters (0 of 162)".
QString ReadingCountsText(const TReadingCounts &counts);
// Shows the counts in the info panel and, after an update, in the status bar.
void ShowReadingCounts(const TPresenterViews &views, const TReadingCounts &counts, bool inStatusBar);

// "STD Dev [%]", "Min Stacking", "Max Stacking", "Induced Polar. [ms]" and
// "Tx Power [%]" from the measurement settings block.
struct TMeasureDetailItems {
    TPropertyItem *StdDev, *MinStacking, *MaxStacking, *InducedPolarization, *TxPower;
};
void FillMeasureDetails(const TMeasureDetailItems &items, const TMeasureSettings &settings);

// The log-scale and value-curve check boxes of a data page and the chart
// details they stand for.
struct TDataChartItems {
    TPropertyItem *XLogScale, *YLogScale, *ShowR, *ShowC, *ShowU, *ShowI, *ShowQ;
};
void FillDataChartItems(const TDataChartItems &items, const TChartDetailsCustomData &details);
void ReadDataChartItems(const TDataChartItems &items, TChartDetailsCustomData &details);

// The R, C, U, I and Q curves of a data chart: record index against value,
// each curve active exactly when its Show flag is set; records that are not
// shown are left out when onlyShown is set.
// The records of each spacing group of a sounding, for its curves: the
// groups' blocks of LevelCounts records in list order tell each group's MN/2
// (the one most of its block has); every record then joins the group of its
// own MN/2, so that overlap readings, which the AB/2 order puts into the next
// group's block, stay on their curve. A record whose MN/2 no group has, and
// every record when two groups share an MN/2 or only one group is in use,
// keeps its block's group (in list order). Regrouped records are in AB/2
// order within their group.
// The walk stops at the list's end and at four groups.
std::vector<std::vector<uint32_t>> SoundingGroups(const TArrayDetails1D &details, const TMeasurements1D &list);

struct TValueCurves {
    TChartSeries *R, *C, *U, *I, *Q;
};
void FillValueCurves(const TValueCurves &curves, const TChartDetailsCustomData &details,
                     const TMeasurementsCustom &list, bool onlyShown);
