#include "PresenterSupport.h"

#include <algorithm>
#include <map>
#include <optional>

#include "presentation/ChartDetails.h"
#include "presentation/PresenterViews.h"

#include <QLabel>

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/PropertyItem.h"

#include <algorithm>
#include <functional>

TGridColumn GridColumn(const QString &caption, TColumnKind kind, int width, int decimals, TSortKind sort,
                       bool editable)
{
    TGridColumn column;
    column.Caption = caption;
    column.Kind = kind;
    column.Width = width;
    column.Decimals = decimals;
    column.Sort = sort;
    column.Editable = editable;
    return column;
}

TGridColumn LengthColumn(const QString &caption, int width, TSortKind sort, bool editable)
{
    TGridColumn column = GridColumn(caption, TColumnKind::Number, width, 0, sort, editable);
    column.TrimLengths = true;
    return column;
}

void SetLogAxes(TChart &chart, bool xLogarithmic, bool yLogarithmic)
{
    chart.SetAxisLogarithmic(TAxisId::Bottom, xLogarithmic);
    chart.SetAxisLogarithmic(TAxisId::Left, yLogarithmic);
}

uint8_t ByteValue(const TPropertyItem &item)
{
    return static_cast<uint8_t>(std::clamp(item.AsInteger(), 0, 255));
}

QString FromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

QString FitText(double rmsPercent, double chiSquared)
{
    return QStringLiteral("RMS: %1 %\nchi-squared: %2").arg(rmsPercent, 0, 'f', 2).arg(chiSquared, 0, 'f', 3);
}

QString NoFitText() { return QStringLiteral("RMS: -\nchi-squared: -"); }

QString ReadingCountsText(const TReadingCounts &counts)
{
    if (counts.Passing == 0 && counts.Total > 0)
        return QStringLiteral("No reading passes the filters (0 of %1)").arg(counts.Total);
    return QStringLiteral("%1 %2: %3 used, %4 %5 the filters")
        .arg(counts.Total)
        .arg(counts.Total == 1 ? QStringLiteral("reading") : QStringLiteral("readings"))
        .arg(counts.Used)
        .arg(counts.Passing)
        .arg(counts.Passing == 1 ? QStringLiteral("passes") : QStringLiteral("pass"));
}

void ShowReadingCounts(const TPresenterViews &views, const TReadingCounts &counts, bool inStatusBar)
{
    const QString text = ReadingCountsText(counts);
    if (views.ReadingsPanel) views.ReadingsPanel->setText(text);
    if (inStatusBar && views.Host) views.Host->ShowStatus(text);
}

void FillMeasureDetails(const TMeasureDetailItems &items, const TMeasureSettings &settings)
{
    items.StdDev->SetInteger(settings[0]);
    items.MinStacking->SetInteger(settings[1]);
    items.MaxStacking->SetInteger(settings[2]);
    items.InducedPolarization->SetItemIndex(settings[3]);
    items.TxPower->SetItemIndex(settings[4]);
}

void FillDataChartItems(const TDataChartItems &items, const TChartDetailsCustomData &details)
{
    items.XLogScale->SetChecked(details.XLogScale);
    items.YLogScale->SetChecked(details.YLogScale);
    items.ShowR->SetChecked(details.ShowR);
    items.ShowC->SetChecked(details.ShowC);
    items.ShowU->SetChecked(details.ShowU);
    items.ShowI->SetChecked(details.ShowI);
    items.ShowQ->SetChecked(details.ShowQ);
}

void ReadDataChartItems(const TDataChartItems &items, TChartDetailsCustomData &details)
{
    details.XLogScale = items.XLogScale->Checked();
    details.YLogScale = items.YLogScale->Checked();
    details.ShowR = items.ShowR->Checked();
    details.ShowC = items.ShowC->Checked();
    details.ShowU = items.ShowU->Checked();
    details.ShowI = items.ShowI->Checked();
    details.ShowQ = items.ShowQ->Checked();
}

void FillValueCurves(const TValueCurves &curves, const TChartDetailsCustomData &details,
                     const TMeasurementsCustom &list, bool onlyShown)
{
    using TValueOf = double (TMeasurementsCustom::*)(uint32_t) const;
    const struct {
        TChartSeries *Series;
        bool Show;
        TValueOf Value;
    } parts[] = {
        {curves.R, details.ShowR, &TMeasurementsCustom::Resistance},
        {curves.C, details.ShowC, &TMeasurementsCustom::ChargeabilityMS},
        {curves.U, details.ShowU, &TMeasurementsCustom::VoltageMV},
        {curves.I, details.ShowI, &TMeasurementsCustom::CurrentMA},
        {curves.Q, details.ShowQ, &TMeasurementsCustom::QualityPercent},
    };
    for (const auto &part : parts) {
        QVector<double> x, y;
        if (part.Show) {
            x.reserve(list.Count);
            y.reserve(list.Count);
            for (uint32_t i = 0; i < list.Count; ++i) {
                if (onlyShown && !list.IsShown(i)) continue;
                x.append(i);
                y.append(std::invoke(part.Value, list, i));
            }
        }
        part.Series->SetPoints(x, y);
        part.Series->SetActive(part.Show);
    }
}

std::vector<std::vector<uint32_t>> SoundingGroups(const TArrayDetails1D &details, const TMeasurements1D &list)
{
    const uint32_t groups = std::min<uint32_t>(details.GroupCount, MaxSpacingGroups);
    std::vector<std::vector<uint32_t>> members(groups);
    std::vector<uint32_t> blockGroup(list.Count, groups); // groups: after every block
    uint32_t next = 0;
    for (uint32_t g = 0; g < groups; ++g) {
        const uint32_t levels = std::min<uint32_t>(GroupEntry(details.LevelCounts, g), list.Count - next);
        for (uint32_t k = 0; k < levels; ++k, ++next) blockGroup[next] = g;
    }

    // Each group's MN/2: the most frequent in its block (the first on a tie).
    std::vector<std::optional<uint32_t>> groupMN(groups);
    for (uint32_t g = 0; g < groups; ++g) {
        std::map<uint32_t, uint32_t> counts;
        uint32_t best = 0;
        for (uint32_t i = 0; i < next; ++i) {
            if (blockGroup[i] != g) continue;
            const uint32_t count = ++counts[list.HalfMN[i]];
            if (count > best) best = count, groupMN[g] = list.HalfMN[i];
        }
    }
    bool distinct = groups > 1;
    for (uint32_t a = 0; a < groups && distinct; ++a)
        for (uint32_t b = a + 1; b < groups; ++b)
            if (groupMN[a] && groupMN[a] == groupMN[b]) distinct = false;

    for (uint32_t i = 0; i < next; ++i) {
        uint32_t group = blockGroup[i];
        if (distinct)
            for (uint32_t g = 0; g < groups; ++g)
                if (groupMN[g] == list.HalfMN[i]) {
                    group = g;
                    break;
                }
        members[group].push_back(i);
    }
    if (distinct) // regrouped: each curve runs along AB/2
        for (std::vector<uint32_t> &records : members)
            std::stable_sort(records.begin(), records.end(),
                             [&list](uint32_t a, uint32_t b) { return list.HalfAB[a] < list.HalfAB[b]; });
    return members;
}
