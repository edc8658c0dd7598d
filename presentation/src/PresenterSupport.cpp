#include "PresenterSupport.h"

#include "presentation/ChartDetails.h"

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
