#include "presentation/GUISeq2D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/SequenceDocuments.h"

#include <QLabel>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The check box and the four items of one spacing group of the design page.
struct TGroupItems2D {
    TPropertyItem *Check, *Spacing, *Levels, *LevelStep, *StartLevel;
};

std::array<TGroupItems2D, MaxSpacingGroups> GroupItems(const TSeq2DPage &page)
{
    return {{
        {page.NxCheckBoxItem2, page.NxComboBoxItem_Spacing, page.NxSpinItem_Count, page.NxSpinItem_LevelFreq,
         page.NxSpinItem_fstOverlapCount},
        {page.NxCheckBoxItem_SecondLength, page.NxComboBoxItem_sndSpacing, page.NxSpinItem_sndLevelCount,
         page.NxSpinItem_sndLevelFreq, page.NxSpinItem_sndOverlapCount},
        {page.NxCheckBoxItem_ThirdLength, page.NxComboBoxItem_trdSpacing, page.NxSpinItem_trdLevelCount,
         page.NxSpinItem_trdLevelFreq, page.NxSpinItem_trdOverlapCount},
        {page.NxCheckBoxItem_FourthLength, page.NxComboBoxItem_fthSpacing, page.NxSpinItem_fthLevelCount,
         page.NxSpinItem_fthLevelFreq, page.NxSpinItem_fthOverlapCount},
    }};
}

// Electrode-switching time of one measurement (three cycles of 456 ms and
// 770 ms) and the five percent added for safety.
constexpr double MeasurementMilliseconds = 3 * 456 + 770;
constexpr double DurationAllowance = 1.05;

} // namespace

TSequenceDuration SequenceDuration(uint32_t measurementCount)
{
    const double milliseconds = measurementCount * DurationAllowance * MeasurementMilliseconds;
    const auto minutes = static_cast<int64_t>(milliseconds / 1000 / 60);
    const auto seconds = static_cast<int64_t>(milliseconds / 1000) - 60 * minutes;
    return {minutes, seconds};
}

TGUISeq2D::TGUISeq2D(const TPresenterViews &views, TArrayDetails2D &arrayDetails, TMeasurements2D &measurements)
    : TGUICustom(views), FDetails(arrayDetails), FMeasurements(measurements)
{
    if (views.Preferences) views.Preferences->Seq2D.ApplyTo(FChartDetails);
}

void TGUISeq2D::ShowInfo()
{
    const uint32_t count = FMeasurements.Count;
    const TSequenceDuration duration = SequenceDuration(count);
    if (QLabel *panel = Views().MeasureCountPanel) panel->setText(QStringLiteral("Count: %1").arg(count));
    if (QLabel *panel = Views().DurationPanel)
        panel->setText(QStringLiteral("Appx.Duration: %1 m %2 s").arg(duration.Minutes).arg(duration.Seconds));
}

void TGUISeq2D::FillTable()
{
    TGridView *view = Views().SequenceTable;
    if (!view) return;
    TGridModel &model = view->Model();
    model.SetColumns({
        GridColumn(QStringLiteral("#"), TColumnKind::Text, 40),
        LengthColumn(QStringLiteral("A [m]"), 40),
        LengthColumn(QStringLiteral("M [m]"), 40),
        LengthColumn(QStringLiteral("N [m]"), 40),
        LengthColumn(QStringLiteral("B [m]"), 40),
        GridColumn(QStringLiteral("Mid Point [m]"), TColumnKind::Text, 70),
        GridColumn(QStringLiteral("Pseudodepth [m]"), TColumnKind::Text, 169),
    });
    view->ApplyColumnLayout();

    const uint32_t count = FMeasurements.Count;
    QVector<double> columns[7];
    for (QVector<double> &column : columns) column.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        columns[0][i] = i + 1;
        columns[1][i] = FMeasurements.ElectrodeA(i);
        columns[2][i] = FMeasurements.ElectrodeM(i);
        columns[3][i] = FMeasurements.ElectrodeN(i);
        columns[4][i] = FMeasurements.ElectrodeB(i);
        columns[5][i] = FMeasurements.MidPoint(i);
        columns[6][i] = FMeasurements.PseudoDepth(i);
    }
    model.BeginFill(int(count));
    for (int column = 0; column < 7; ++column) model.SetColumnNumbers(column, columns[column]);
    model.EndFill();
}

void TGUISeq2D::BuildChart()
{
    TSeq2DChart *chart = Views().Seq2DChart;
    if (!chart) return;
    SetLogAxes(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    TChartSeries *const groupSeries[MaxSpacingGroups] = {chart->Series1, chart->Series2, chart->Series3,
                                                         chart->Series4};
    for (TChartSeries *series : {chart->Series5, chart->Series1, chart->Series2, chart->Series3, chart->Series4}) {
        series->Clear();
        series->SetActive(false);
    }

    // The groups follow each other in the list; the label of a point is its
    // position in the list counted from 1 (the "#" of its table row), which
    // the chart's mouse handler reads back.
    const uint32_t groups = std::min<uint32_t>(FDetails.GroupCount, MaxSpacingGroups);
    uint32_t first = 0;
    for (uint32_t g = 0; g < groups; ++g) {
        const uint32_t count = std::min(GroupEntry(FDetails.GroupCounts, g), FMeasurements.Count - first);
        if (count == 0) continue;
        QVector<double> x(count), y(count);
        QStringList labels;
        labels.reserve(count);
        for (uint32_t k = 0; k < count; ++k) {
            x[k] = FMeasurements.MidPoint(first + k);
            y[k] = FMeasurements.PseudoDepth(first + k);
            labels.append(QString::number(first + k + 1));
        }
        groupSeries[g]->SetPoints(x, y, labels);
        groupSeries[g]->SetActive(true);
        first += count;
    }

    // A roll-along shows every point of the sequence it continues, computed
    // with the base's own design.
    if (FDetails.SequenceType == SequenceTypeRollAlong && FDetails.BaseSequence) {
        const TMeasurements2D &base = FDetails.BaseSequence->Measurements();
        QVector<double> x(base.Count), y(base.Count);
        for (uint32_t i = 0; i < base.Count; ++i) {
            x[i] = base.MidPoint(i);
            y[i] = base.PseudoDepth(i);
        }
        chart->Series5->SetPoints(x, y);
        chart->Series5->SetActive(true);
    }
    chart->Chart->Redraw();
}

void TGUISeq2D::FillInspector()
{
    TSeq2DPage *page = Views().Seq2DPage;
    if (!page) return;
    TUpdatesPause pause(Views());
    const auto groups = GroupItems(*page);
    for (uint32_t g = 1; g < MaxSpacingGroups; ++g) groups[g].Check->SetChecked(false);

    // A roll-along takes its design from its base: only the sequence type and
    // the base can be changed. Items are counted in display order from "File".
    const bool rollAlong = FDetails.SequenceType == SequenceTypeRollAlong;
    page->NxComboBoxItem_SingleSequencies->SetEnabled(rollAlong);
    const QList<TPropertyItem *> &items = page->Inspector->Items();
    for (qsizetype k = std::max<qsizetype>(0, items.indexOf(page->NxTextItem_s2d_DispFileName)); k < items.size(); ++k)
        items[k]->SetEnabled(!rollAlong);

    page->NxComboBoxItem_ArrayType->SetItemIndex(FDetails.ArrayType);
    page->NxComboBoxItem_SequenceType->SetItemIndex(FDetails.SequenceType);
    // The list of candidates is filled when the user opens it; until then it
    // holds the base's name alone.
    const QString baseName = FromStd(FDetails.BaseSequenceName);
    page->NxComboBoxItem_SingleSequencies->SetLines(baseName.isEmpty() ? QStringList() : QStringList{baseName});
    page->NxComboBoxItem_SingleSequencies->SetItemIndex(baseName.isEmpty() ? -1 : 0);
    page->NxTextItem_s2d_DispFileName->SetString(FromStd(FDetails.FileName));
    page->NxTextItem_Spacing->SetString(QString::number(FDetails.UnitSpacingMetres(), 'g', 15));

    for (uint32_t g = 0; g < std::min<uint32_t>(FDetails.GroupCount, MaxSpacingGroups); ++g) {
        const TGroupItems2D &items = groups[g];
        if (g > 0) items.Check->SetChecked(true);
        items.Spacing->SetItemIndex(FDetails.SpacingItemIndex(g));
        items.Levels->SetInteger(GroupEntry(FDetails.LevelCounts, g));
        items.LevelStep->SetInteger(GroupEntry(FDetails.LevelSteps, g));
        items.StartLevel->SetInteger(GroupEntry(FDetails.OverlapCounts, g));
    }

    // A single design offers only the groups its array type takes: group 2
    // for the arrays with two spacings, each further group after a checked
    // one, and a group's items while it is checked. "Sequence Type" is
    // expanded in roll-along, so that the base can be chosen.
    page->NxComboBoxItem_SequenceType->SetExpanded(rollAlong);
    // A group in use shows its settings; one not in use is folded away.
    for (uint32_t g = 1; g < MaxSpacingGroups; ++g) groups[g].Check->SetExpandedAll(groups[g].Check->Checked());
    if (!rollAlong) {
        const uint8_t type = FDetails.ArrayType;
        bool offered = type == 1 || type == 2 || type == 5 || type == 6;
        for (uint32_t g = 1; g < MaxSpacingGroups; ++g) {
            const TGroupItems2D &items = groups[g];
            items.Check->SetEnabled(offered);
            const bool used = offered && items.Check->Checked();
            for (TPropertyItem *item : {items.Spacing, items.Levels, items.LevelStep, items.StartLevel})
                item->SetEnabled(used);
            offered = used;
        }
    }

    page->NxComboBoxItem_s2d_DepthMethod->SetItemIndex(int(FDetails.DepthMethod));
    page->NxCheckBoxItem_s2d_XLogScale->SetChecked(FChartDetails.XLogScale);
    page->NxCheckBoxItem_s2d_YLogScale->SetChecked(FChartDetails.YLogScale);
    page->NxCheckBoxItem_S2D_ElCoordMode->SetChecked(FMeasurements.CoordInMeters);
}

void TGUISeq2D::ReadInspector()
{
    TSeq2DPage *page = Views().Seq2DPage;
    if (!page) return;
    FDetails.SequenceType = ChosenCode(*page->NxComboBoxItem_SequenceType, FDetails.SequenceType);
    FDetails.ArrayType = ChosenCode(*page->NxComboBoxItem_ArrayType, FDetails.ArrayType);
    FDetails.BaseSequenceName = page->NxComboBoxItem_SingleSequencies->Text().toStdString();

    // A spacing that is not a number keeps the previous one; the user is told.
    QString spacingText = page->NxTextItem_Spacing->AsString().trimmed();
    bool isNumber = false;
    const double spacing = spacingText.replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&isNumber);
    if (isNumber && std::isfinite(spacing))
        FDetails.SetUnitSpacing(spacing);
    else if (Views().Host)
        Views().Host->ShowMessage(QStringLiteral("'%1' is not a valid number. Spacing <A> stays %2 m.")
                                      .arg(page->NxTextItem_Spacing->AsString())
                                      .arg(FDetails.UnitSpacingMetres()));

    const auto groups = GroupItems(*page);
    const auto readGroup = [&](uint32_t g) {
        FDetails.SetGroupCount(static_cast<uint8_t>(g + 1));
        FDetails.SetSpacingFromItemIndex(g, groups[g].Spacing->ItemIndex());
        SetGroupEntry(FDetails.LevelCounts, g, ByteValue(*groups[g].Levels));
        SetGroupEntry(FDetails.LevelSteps, g, ByteValue(*groups[g].LevelStep));
        SetGroupEntry(FDetails.OverlapCounts, g, ByteValue(*groups[g].StartLevel));
    };
    readGroup(0);
    FDetails.DepthMethod = ChosenCode(*page->NxComboBoxItem_s2d_DepthMethod, FDetails.DepthMethod);
    FChartDetails.XLogScale = page->NxCheckBoxItem_s2d_XLogScale->Checked();
    FChartDetails.YLogScale = page->NxCheckBoxItem_s2d_YLogScale->Checked();
    FMeasurements.CoordInMeters = page->NxCheckBoxItem_S2D_ElCoordMode->Checked();

    // A group counts only when every group before it does.
    for (uint32_t g = 1; g < MaxSpacingGroups && groups[g].Check->Checked(); ++g) readGroup(g);
    if (Views().ChosenPreferences) Views().ChosenPreferences->Seq2D.TakeFrom(FChartDetails);
}
