#include "presentation/GUISeq1D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include <QLabel>
#include <algorithm>
#include <array>

namespace {

// The items of one spacing group of the 1D design page (group 1 has no
// check box of its own to read and no overlaps).
struct TGroupItems1D {
    TPropertyItem *Check, *Spacing, *Increment, *Levels, *Overlaps;
};

std::array<TGroupItems1D, MaxSpacingGroups> GroupItems(const TSeq1DPage &page)
{
    return {{
        {page.NxCheckBoxItem3, page.NxSpinItem_Seq1D_Spacing, page.NxSpinItem_Seq1D_Increment,
         page.NxSpinItem_Seq1D_SpacingCount, nullptr},
        {page.NxCheckBoxItem_Seq1D_SecondLength, page.NxSpinItem_Seq1D_sndSpacing, page.NxSpinItem_Seq1D_sndIncrement,
         page.NxSpinItem_Seq1D_sndSpacingCount, page.NxSpinItem_Seq1D_sndOverlapCount},
        {page.NxCheckBoxItem_Seq1D_THirdLength, page.NxSpinItem_Seq1D_trdSpacing, page.NxSpinItem_Seq1D_trdIncrement,
         page.NxSpinItem_Seq1D_trdSpacingCount, page.NxSpinItem_Seq1D_trdOverlapCount},
        {page.NxCheckBoxItem_Seq1D_FourthLength, page.NxSpinItem_Seq1D_fthSpacing, page.NxSpinItem_Seq1D_fthIncrement,
         page.NxSpinItem_Seq1D_fthSpacingCount, page.NxSpinItem_Seq1D_fthOverlapCount},
    }};
}

} // namespace

bool ArrayTypeTakesGroups1D(uint32_t arrayType)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
    case ArrayTypeCode::WennerBeta:
    case ArrayTypeCode::WennerGamma:
    case ArrayTypeCode::PolePole: return false;
    default: return true;
    }
}

TGUISeq1D::TGUISeq1D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements)
    : TGUICustom(views), FDetails(arrayDetails), FMeasurements(measurements)
{
    if (views.Preferences) views.Preferences->Seq1D.ApplyTo(FChartDetails);
}

void TGUISeq1D::ShowInfo()
{
    // No recording time is estimated for a sounding.
    if (QLabel *panel = Views().MeasureCountPanel) panel->setText(QStringLiteral("Count: %1").arg(FMeasurements.Count));
    if (QLabel *panel = Views().DurationPanel) panel->setText(QStringLiteral("Appx.Duration: "));
}

void TGUISeq1D::FillTable()
{
    TGridView *view = Views().Seq1DTable;
    if (!view) return;
    const auto [abCaption, mnCaption] = SoundingAxisTitles(FDetails.ArrayType);
    TGridModel &model = view->Model();
    model.SetColumns({
        GridColumn(QStringLiteral("#"), TColumnKind::Text, 40),
        LengthColumn(abCaption, 60, TSortKind::None, true),
        LengthColumn(mnCaption, 60, TSortKind::None, true),
        GridColumn(QStringLiteral("k [m]"), TColumnKind::Number, 0, 3),
    });
    view->ApplyColumnLayout();

    const uint32_t count = FMeasurements.Count;
    QVector<double> numbers(count), halfAB(count), halfMN(count), factors(count);
    for (uint32_t i = 0; i < count; ++i) {
        numbers[i] = i + 1;
        halfAB[i] = FMeasurements.HalfABMetres(i);
        halfMN[i] = FMeasurements.HalfMNMetres(i);
        factors[i] = FMeasurements.GeometricFactor1D(i);
    }
    model.BeginFill(int(count));
    model.SetColumnNumbers(0, numbers);
    model.SetColumnNumbers(1, halfAB);
    model.SetColumnNumbers(2, halfMN);
    model.SetColumnNumbers(3, factors);
    model.EndFill();
}

void TGUISeq1D::ReadTable()
{
    TGridView *view = Views().Seq1DTable;
    if (!view) return;
    // The table is not sortable: row r is measurement r.
    const TGridModel &model = view->Model();
    const uint32_t rows = std::min<uint32_t>(FMeasurements.Count, uint32_t(model.rowCount()));
    for (uint32_t r = 0; r < rows; ++r) {
        FMeasurements.SetHalfAB(r, model.Number(1, int(r)));
        FMeasurements.SetHalfMN(r, model.Number(2, int(r)));
    }
    // The table shows the stored (whole-millimetre) values and the new k; the
    // chart follows the edit at once.
    Refresh();
}

void TGUISeq1D::BuildChart()
{
    TSeq1DChart *chart = Views().Seq1DChart;
    if (!chart) return;
    SetLogAxes(*chart->Chart, FChartDetails.XLogScale, FChartDetails.YLogScale);
    const auto [abTitle, mnTitle] = SoundingAxisTitles(FDetails.ArrayType);
    chart->Chart->SetAxisTitle(TAxisId::Bottom, abTitle);
    chart->Chart->SetAxisTitle(TAxisId::Left, mnTitle);

    TChartSeries *const groupSeries[MaxSpacingGroups] = {chart->LineSeries1, chart->LineSeries2, chart->LineSeries3,
                                                         chart->LineSeries4};
    // One series per spacing group, each of the records of its MN/2.
    const std::vector<std::vector<uint32_t>> members = SoundingGroups(FDetails, FMeasurements);
    for (uint32_t g = 0; g < MaxSpacingGroups; ++g) {
        QVector<double> x, y;
        QStringList labels; // the spacing's number, as the table's "#"
        if (g < members.size())
            for (const uint32_t i : members[g]) {
                x.append(FMeasurements.HalfABMetres(i));
                y.append(FMeasurements.HalfMNMetres(i));
                labels.append(QString::number(i + 1));
            }
        groupSeries[g]->SetPoints(x, y, labels);
        groupSeries[g]->SetActive(g < FDetails.GroupCount);
    }
    chart->Chart->Redraw();
}

void TGUISeq1D::UpdateInspectorState()
{
    TSeq1DPage *page = Views().Seq1DPage;
    if (!page) return;
    TUpdatesPause pause(Views());
    const bool designed = FDetails.ArrayType != ArrayTypeCode::Custom;
    page->NxComboBoxItem_Seq1D_IncrementType->SetEnabled(designed);
    page->NxSpinItem_Seq1D_Increment->SetEnabled(designed);
    page->NxSpinItem_Seq1D_Spacing->SetEnabled(designed);

    // Groups 2 to 4 are offered for every array type whose groups are read
    // back, each one once the group before it is in use.
    const auto groups = GroupItems(*page);
    const bool takesGroups = ArrayTypeTakesGroups1D(FDetails.ArrayType);
    for (uint32_t g = 1; g < MaxSpacingGroups; ++g) {
        const bool offered = takesGroups && FDetails.GroupCount >= g;
        const bool used = takesGroups && FDetails.GroupCount > g;
        groups[g].Check->SetEnabled(offered);
        groups[g].Check->SetChecked(used);
        // The items of a group in use can be edited (spacing and increment
        // only where the design is generated), as after the user's own click.
        groups[g].Spacing->SetEnabled(used && designed);
        groups[g].Increment->SetEnabled(used && designed);
        groups[g].Levels->SetEnabled(used);
        groups[g].Overlaps->SetEnabled(used);
    }
}

void TGUISeq1D::FillInspector()
{
    TSeq1DPage *page = Views().Seq1DPage;
    if (!page) return;
    UpdateInspectorState();
    TUpdatesPause pause(Views());
    page->NxTextItem_s1d_DispFileName->SetString(FromStd(FDetails.FileName));
    page->NxComboBoxItem_Seq1D_ArrayType->SetItemIndex(FDetails.ArrayType);
    page->NxComboBoxItem_Seq1D_IncrementType->SetItemIndex(FDetails.IncrementType);

    const auto groups = GroupItems(*page);
    const QString incrementCaption =
        FDetails.IncrementType == IncrementTypeGeometric ? QStringLiteral("Factor") : QStringLiteral("Increment");
    for (const TGroupItems1D &items : groups) items.Increment->SetCaption(incrementCaption);

    const auto fillGroup = [&](uint32_t g) {
        groups[g].Spacing->SetFloat(GroupEntry(FDetails.Spacings, g));
        groups[g].Increment->SetFloat(GroupEntry(FDetails.Increments, g));
        groups[g].Levels->SetInteger(GroupEntry(FDetails.LevelCounts, g));
        if (groups[g].Overlaps) groups[g].Overlaps->SetInteger(GroupEntry(FDetails.OverlapCounts, g));
    };
    fillGroup(0);
    if (FDetails.GroupCount > 1) {
        fillGroup(1);
        for (uint32_t g = 2; g < MaxSpacingGroups && groups[g].Check->Checked(); ++g) fillGroup(g);
    }
    // A group in use shows its settings; one not in use is folded away.
    for (uint32_t g = 1; g < MaxSpacingGroups; ++g) groups[g].Check->SetExpandedAll(groups[g].Check->Checked());

    page->NxComboBoxItem_s1d_DepthMethod->SetItemIndex(int(FDetails.DepthMethod));
    page->NxCheckBoxItem_s1d_XLogScale->SetChecked(FChartDetails.XLogScale);
    page->NxCheckBoxItem_s1d_YLogScale->SetChecked(FChartDetails.YLogScale);
}

void TGUISeq1D::ReadInspector()
{
    TSeq1DPage *page = Views().Seq1DPage;
    if (!page) return;
    FDetails.ArrayType = ChosenCode(*page->NxComboBoxItem_Seq1D_ArrayType, FDetails.ArrayType);
    FDetails.IncrementType = ChosenCode(*page->NxComboBoxItem_Seq1D_IncrementType, FDetails.IncrementType);

    const auto groups = GroupItems(*page);
    const auto readGroup = [&](uint32_t g) {
        FDetails.SetGroupCount(static_cast<uint8_t>(g + 1));
        SetGroupEntry(FDetails.Spacings, g, groups[g].Spacing->AsFloat());
        SetGroupEntry(FDetails.Increments, g, groups[g].Increment->AsFloat());
        SetGroupEntry(FDetails.LevelCounts, g, ByteValue(*groups[g].Levels));
        SetGroupEntry(FDetails.OverlapCounts, g, groups[g].Overlaps ? ByteValue(*groups[g].Overlaps) : 0);
    };
    readGroup(0);
    FDetails.DepthMethod = ChosenCode(*page->NxComboBoxItem_s1d_DepthMethod, FDetails.DepthMethod);
    FChartDetails.XLogScale = page->NxCheckBoxItem_s1d_XLogScale->Checked();
    FChartDetails.YLogScale = page->NxCheckBoxItem_s1d_YLogScale->Checked();

    // A group counts only when every group before it does.
    if (ArrayTypeTakesGroups1D(FDetails.ArrayType))
        for (uint32_t g = 1; g < MaxSpacingGroups && groups[g].Check->Checked(); ++g) readGroup(g);
    UpdateInspectorState();
    if (Views().ChosenPreferences) Views().ChosenPreferences->Seq1D.TakeFrom(FChartDetails);
}
