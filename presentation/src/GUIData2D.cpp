// The 2D data presenter: table, inspector page and the table's pop-up
// actions. The chart is drawn in GUIData2DChart.cpp.
#include "presentation/GUIData2D.h"

#include "PresenterSupport.h"

#include "presentation/ChartPreferences.h"
#include "presentation/PropertyPages.h"
#include "presentation/SectionInversionRun.h" // complete for the constructor's clean-up

#include "controls/GridView.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyItem.h"
#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

#include <QFile>


namespace {

QVector<TGridColumn> Data2DColumns()
{
    const auto column = [](const char *caption, TColumnKind kind, int width, TSortKind sort) {
        TGridColumn c;
        c.Caption = QString::fromUtf8(caption);
        c.Kind = kind;
        c.Width = width;
        c.Sort = sort;
        return c;
    };
    // Positions and pseudo-depths of precision 0 still show a non-whole
    // value to the millimetre.
    const auto length = [&](const char *caption, int width) {
        TGridColumn c = column(caption, TColumnKind::Number, width, TSortKind::Numeric);
        c.TrimLengths = true;
        return c;
    };
    const auto fixed = [&](const char *caption, int width, int decimals) {
        TGridColumn c = column(caption, TColumnKind::Number, width, TSortKind::Numeric);
        c.Decimals = decimals;
        return c;
    };
    TGridColumn used = column("Used", TColumnKind::Check, 24, TSortKind::None);
    used.Editable = true;
    TGridColumn filter = column("Filt", TColumnKind::Check, 30, TSortKind::Boolean);
    filter.Visible = false;
    return {column("#", TColumnKind::Text, 24, TSortKind::Numeric),
            used,
            filter,
            length("Pseudodepth [m]", 70),
            length("A [m]", 30),
            length("M [m]", 30),
            length("N [m]", 30),
            length("B [m]", 30),
            // Fixed-point with 2 and 3 decimals, formatted when shown; both
            // sort by value (an alphabetic sort would put 10.000 before 9.000).
            fixed("Rho [Ohm*m]", 30, 2),
            fixed("C [ms]", 40, 3),
            column("U [mV]", TColumnKind::Text, 44, TSortKind::Numeric),
            column("I [mA]", TColumnKind::Text, 44, TSortKind::Numeric),
            column("Q [%]", TColumnKind::Text, 44, TSortKind::Numeric)};
}

// Writes a combo's item index; a value outside the list shows no line.
void SetIndex(TPropertyItem *item, uint32_t index) { item->SetItemIndex(int(index)); }

} // namespace

TGUIData2D::TGUIData2D(const TPresenterViews &views, TArrayDetails2D &arrayDetails, TMeasurements2D &measurements)
    : TGUICustom(views), FArrayDetails(arrayDetails), FMeasurements(measurements)
{
    if (views.Preferences) views.Preferences->Data2D.ApplyTo(FChartDetails);
}

bool TGUIData2D::CarriesChargeability() const { return FMeasurements.IPCode() != 0; }

void TGUIData2D::FillTable()
{
    // The chart's map, the slowest part of a redraw, is gridded on another
    // core while the table fills; BuildChart takes it.
    PrefetchMap();
    if (!Views().Data2DTable) return;
    TGridView &view = *Views().Data2DTable;
    TGridModel &model = view.Model();
    if (model.columnCount() != ColumnCount) {
        model.SetColumns(Data2DColumns());
        view.ApplyColumnLayout();
    }
    const QString unit = FMeasurements.CoordInMeters ? QStringLiteral(" [m]") : QStringLiteral(" [#]");
    model.SetColumnCaption(ColumnA, QStringLiteral("A") + unit);
    model.SetColumnCaption(ColumnM, QStringLiteral("M") + unit);
    model.SetColumnCaption(ColumnN, QStringLiteral("N") + unit);
    model.SetColumnCaption(ColumnB, QStringLiteral("B") + unit);

    const TMeasurements2D &list = FMeasurements;
    const int rows = int(list.Count);
    QVector<double> numbers(rows), depths(rows), a(rows), m(rows), n(rows), b(rows), resistivities(rows),
        chargeabilities(rows), voltages(rows), currents(rows), qualities(rows);
    QVector<bool> shown(rows), passes(rows);
    for (uint32_t i = 0; i < list.Count; ++i) {
        numbers[i] = i < list.Number.size() ? list.Number[i] : 0;
        shown[i] = list.IsShown(i);
        passes[i] = list.PassesFilter(i);
        depths[i] = list.PseudoDepth(i);
        a[i] = list.ElectrodeA(i);
        m[i] = list.ElectrodeM(i);
        n[i] = list.ElectrodeN(i);
        b[i] = list.ElectrodeB(i);
        resistivities[i] = list.ShownResistivity(i);
        chargeabilities[i] = list.ShownChargeability(i);
        voltages[i] = list.VoltageMV(i);
        currents[i] = list.CurrentMA(i);
        qualities[i] = list.QualityPercent(i);
    }
    model.BeginFill(rows);
    model.SetColumnNumbers(ColumnNumber, numbers);
    model.SetColumnChecks(ColumnUsed, shown);
    model.SetColumnChecks(ColumnFilter, passes);
    model.SetColumnNumbers(ColumnPseudoDepth, depths);
    model.SetColumnNumbers(ColumnA, a);
    model.SetColumnNumbers(ColumnM, m);
    model.SetColumnNumbers(ColumnN, n);
    model.SetColumnNumbers(ColumnB, b);
    model.SetColumnNumbers(ColumnResistivity, resistivities);
    model.SetColumnNumbers(ColumnChargeability, chargeabilities);
    // A measurement merged away by an append cannot be shown again.
    for (uint32_t i = 0; i < list.Count; ++i)
        if (!list.NotMergedFlag(i)) model.SetCellReadOnly(ColumnUsed, int(i), true);
    model.SetColumnNumbers(ColumnVoltage, voltages);
    model.SetColumnNumbers(ColumnCurrent, currents);
    model.SetColumnNumbers(ColumnQuality, qualities);
    // A reading a filter removes stays in the table, greyed; its Used box keeps its state.
    QVector<bool> failing(rows);
    for (int i = 0; i < rows; ++i) failing[i] = !passes[i];
    model.SetGreyedRows(failing);
    model.EndFill();
}

TReadingCounts TGUIData2D::ReadingCounts() const
{
    TReadingCounts counts;
    counts.Total = FMeasurements.Count;
    for (uint32_t i = 0; i < FMeasurements.Count; ++i) {
        if (!FMeasurements.IsShown(i)) continue;
        ++counts.Used;
        if (FMeasurements.PassesFilter(i)) ++counts.Passing;
    }
    return counts;
}

void TGUIData2D::ShowInfo()
{
    ShowReadingCounts(Views(), ReadingCounts(), false);
    ShowModelInfo();
}

void TGUIData2D::ShowUpdateStatus() { ShowReadingCounts(Views(), ReadingCounts(), true); }

void TGUIData2D::ReadTable()
{
    ReadUsedChecks();
    BuildChart();
    ShowReadingCounts(Views(), ReadingCounts(), true);
}

bool TGUIData2D::ReadUsedChecks()
{
    if (!Views().Data2DTable) return false;
    // The model keeps row i = measurement i whatever order the view shows
    // (the sort lives in the view's proxy), so the row is the index the "#"
    // cell names.
    const TGridModel &model = Views().Data2DTable->Model();
    const uint32_t rows = std::min<uint32_t>(uint32_t(model.rowCount()), FMeasurements.Count);
    bool changed = false;
    for (uint32_t i = 0; i < rows; ++i) {
        if (!(model.flags(model.index(int(i), ColumnUsed)) & Qt::ItemIsUserCheckable)) continue;
        const bool used = model.Checked(ColumnUsed, int(i));
        changed = changed || (i < FMeasurements.Used.size() && (FMeasurements.Used[i] != 0) != used);
        FMeasurements.SetUsed(i, used);
    }
    return changed;
}

void TGUIData2D::SetUsedChecks(const QList<int> &modelRows, bool used)
{
    if (!Views().Data2DTable) return;
    TGridView &view = *Views().Data2DTable;
    TGridModel &model = view.Model();
    const bool wasPainting = view.updatesEnabled();
    view.setUpdatesEnabled(false);
    for (int row : modelRows)
        if (row >= 0 && row < model.rowCount() &&
            (model.flags(model.index(row, ColumnUsed)) & Qt::ItemIsUserCheckable))
            model.SetChecked(ColumnUsed, row, used);
    view.setUpdatesEnabled(wasPainting);
}

bool TGUIData2D::SortMovesToFirstRow(int column)
{
    return column >= ColumnResistivity && column <= ColumnQuality;
}

void TGUIData2D::TableSorted(int column)
{
    // A sort only reorders the view: the chart is built again only when the
    // table held a Used check the measurements did not have yet.
    if (ReadUsedChecks()) ReadTable();
    if (SortMovesToFirstRow(column) && Views().Data2DTable) Views().Data2DTable->ScrollToFirstRow();
}

void TGUIData2D::FillInspector()
{
    TData2DPage *page = Views().Data2DPage;
    if (!page) return;
    {
        TUpdatesPause pause(Views());
        const TFilterDetails &filters = FArrayDetails.FilterDetails;
        page->NxTextItem_d2d_DispFileName->SetString(QFile::decodeName(QByteArray::fromStdString(FArrayDetails.FileName)));
        // Nothing reads the comment back, so it is not offered for editing.
        page->NxTextItem_Data2D_Title->SetReadOnly(true);
        page->NxTextItem_Data2D_Title->SetString(QString());
        page->NxSpinItem_Data2D_Count->SetInteger(int(FMeasurements.Count));
        SetIndex(page->NxComboBoxItem_Data2D_ArrayType, FArrayDetails.ArrayType);
        page->NxSpinItem_Data2D_Spacing->SetFloat(FArrayDetails.UnitSpacingMetres());

        page->NxCheckBoxItem_ApplySAFilter->SetChecked(filters.SlidingAverage);
        page->NxSpinItem_SAWindowWidth->SetInteger(filters.WindowWidth);
        page->NxCheckBoxItem_QualityFilter->SetChecked(filters.QualityFilter);
        page->NxSpinItem_QualityThreshold->SetFloat(filters.QualityThreshold);
        page->NxCheckBoxItem_VoltageFilter->SetChecked(filters.VoltageFilter);
        page->NxSpinItem_VoltageMinValue->SetFloat(filters.VoltageMin);
        page->NxSpinItem_VoltageMaxValue->SetFloat(filters.VoltageMax);
        page->NxCheckBoxItem_CurrentFilter->SetChecked(filters.CurrentFilter);
        page->NxSpinItem_CurrentMinValue->SetFloat(filters.CurrentMin);
        page->NxSpinItem_CurrentMaxValue->SetFloat(filters.CurrentMax);
        page->NxCheckBoxItem_ResistivityFilter->SetChecked(filters.ResistivityFilter);
        page->NxSpinItem_ResistivityMinValue->SetFloat(filters.ResistivityMin);
        page->NxSpinItem_ResistivityMaxValue->SetFloat(filters.ResistivityMax);
        page->NxCheckBoxItem_d2d_ChargeAbilityFilter->SetChecked(filters.ChargeabilityFilter);
        page->NxSpinItem_d2d_ChargeabilityMinValue->SetFloat(filters.ChargeabilityMin);
        page->NxSpinItem_d2d_ChargeabilityMaxValue->SetFloat(filters.ChargeabilityMax);

        QStringList values{QString::fromUtf8(ValuesToShowNames[0])};
        if (CarriesChargeability()) values << QString::fromUtf8(ValuesToShowNames[1]);
        page->NxComboBoxItem_d2d_ValuesToShow->SetLines(values);
        SetIndex(page->NxComboBoxItem_d2d_ValuesToShow, FArrayDetails.ValuesToShow);
        SetIndex(page->NxComboBoxItem_d2d_VisibleDiagrams, uint32_t(FChartDetails.VisibleDiagrams));
        SetIndex(page->NxComboBoxItem_D2D_ApproximationType, uint32_t(FChartDetails.ApproximationType));
        page->NxSpinItem_ApproximationRadius->SetFloat(FChartDetails.ApproximationRadius);
        SetIndex(page->NxComboBoxItem_d2d_DepthMethod, FArrayDetails.DepthMethod);
        page->NxCheckBoxItem_d2d_XLogScale->SetChecked(FChartDetails.XLogScale);
        page->NxCheckBoxItem_d2d_YLogScale->SetChecked(FChartDetails.YLogScale);
        page->NxCheckBoxItem_d2d_ShowRho->SetChecked(FChartDetails.ShowRho);
        page->NxCheckBoxItem_d2d_ShowR->SetChecked(FChartDetails.ShowR);
        page->NxCheckBoxItem_d2d_ShowC->SetChecked(FChartDetails.ShowC);
        page->NxCheckBoxItem_d2d_ShowU->SetChecked(FChartDetails.ShowU);
        page->NxCheckBoxItem_d2d_ShowI->SetChecked(FChartDetails.ShowI);
        page->NxCheckBoxItem_d2d_ShowQ->SetChecked(FChartDetails.ShowQ);
        SetIndex(page->NxComboBoxItem_d2d_Palette, uint32_t(FChartDetails.Palette));
        SetIndex(page->NxComboBoxItem_d2d_ColourScale, FChartDetails.LogarithmicColours ? 0 : 1);
        SetIndex(page->NxComboBoxItem_d2d_Limits, uint32_t(FChartDetails.Limits));
        page->NxSpinItem_d2d_LimitMinimum->SetFloat(FChartDetails.LimitMinimum);
        page->NxSpinItem_d2d_LimitMaximum->SetFloat(FChartDetails.LimitMaximum);
        page->NxCheckBoxItem_d2d_MaskToData->SetChecked(FChartDetails.MaskToData);

        page->NxSpinItem_D2D_Q->SetInteger(FMeasurements.StdDevPercent());
        page->NxSpinItem_D2D_MinStack->SetInteger(FMeasurements.MinStacking());
        page->NxSpinItem_D2D_MaxStack->SetInteger(FMeasurements.MaxStacking());
        SetIndex(page->NxComboBoxItem_D2D_InducedPolarization, FMeasurements.IPCode());
        SetIndex(page->NxComboBoxItem_D2D_TxPower, FMeasurements.TxPowerCode());
        page->NxCheckBoxItem_ElCoordMode->SetChecked(FMeasurements.CoordInMeters);
        page->NxSpinItem_d2d_HorizontalSmoothing->SetFloat(InversionOptions.HorizontalSmoothing);
        page->NxSpinItem_d2d_VerticalSmoothing->SetFloat(InversionOptions.VerticalSmoothing);
        page->NxCheckBoxItem_d2d_RobustWeighting->SetChecked(InversionOptions.Robust);
        page->NxSpinItem_d2d_MaxIterations->SetInteger(InversionOptions.MaxIterations);
    }
    UpdateInspectorState();
}

void TGUIData2D::ReadInspector()
{
    TData2DPage *page = Views().Data2DPage;
    if (page) {
        TFilterDetails &filters = FArrayDetails.FilterDetails;
        filters.SlidingAverage = page->NxCheckBoxItem_ApplySAFilter->Checked();
        filters.WindowWidth = page->NxSpinItem_SAWindowWidth->AsInteger();
        filters.QualityFilter = page->NxCheckBoxItem_QualityFilter->Checked();
        filters.QualityThreshold = page->NxSpinItem_QualityThreshold->AsFloat();
        filters.VoltageFilter = page->NxCheckBoxItem_VoltageFilter->Checked();
        filters.VoltageMin = page->NxSpinItem_VoltageMinValue->AsFloat();
        filters.VoltageMax = page->NxSpinItem_VoltageMaxValue->AsFloat();
        filters.CurrentFilter = page->NxCheckBoxItem_CurrentFilter->Checked();
        filters.CurrentMin = page->NxSpinItem_CurrentMinValue->AsFloat();
        filters.CurrentMax = page->NxSpinItem_CurrentMaxValue->AsFloat();
        filters.ResistivityFilter = page->NxCheckBoxItem_ResistivityFilter->Checked();
        filters.ResistivityMin = page->NxSpinItem_ResistivityMinValue->AsFloat();
        filters.ResistivityMax = page->NxSpinItem_ResistivityMaxValue->AsFloat();
        filters.ChargeabilityFilter = page->NxCheckBoxItem_d2d_ChargeAbilityFilter->Checked();
        filters.ChargeabilityMin = page->NxSpinItem_d2d_ChargeabilityMinValue->AsFloat();
        filters.ChargeabilityMax = page->NxSpinItem_d2d_ChargeabilityMaxValue->AsFloat();

        FArrayDetails.ValuesToShow = ChosenCode(*page->NxComboBoxItem_d2d_ValuesToShow, FArrayDetails.ValuesToShow);
        FChartDetails.VisibleDiagrams = ChosenCode(*page->NxComboBoxItem_d2d_VisibleDiagrams, FChartDetails.VisibleDiagrams);
        FChartDetails.ApproximationType =
            ChosenCode(*page->NxComboBoxItem_D2D_ApproximationType, FChartDetails.ApproximationType);
        FChartDetails.ApproximationRadius = page->NxSpinItem_ApproximationRadius->AsFloat();
        FArrayDetails.DepthMethod = ChosenCode(*page->NxComboBoxItem_d2d_DepthMethod, FArrayDetails.DepthMethod);
        // A disabled log-scale item reads as false.
        const TPropertyItem *xLog = page->NxCheckBoxItem_d2d_XLogScale, *yLog = page->NxCheckBoxItem_d2d_YLogScale;
        FChartDetails.XLogScale = xLog->Enabled() && xLog->Checked();
        FChartDetails.YLogScale = yLog->Enabled() && yLog->Checked();
        FChartDetails.ShowRho = page->NxCheckBoxItem_d2d_ShowRho->Checked();
        FChartDetails.ShowR = page->NxCheckBoxItem_d2d_ShowR->Checked();
        FChartDetails.ShowC = page->NxCheckBoxItem_d2d_ShowC->Checked();
        FChartDetails.ShowU = page->NxCheckBoxItem_d2d_ShowU->Checked();
        FChartDetails.ShowI = page->NxCheckBoxItem_d2d_ShowI->Checked();
        FChartDetails.ShowQ = page->NxCheckBoxItem_d2d_ShowQ->Checked();
        FChartDetails.Palette = ChosenCode(*page->NxComboBoxItem_d2d_Palette, FChartDetails.Palette);
        FChartDetails.LogarithmicColours =
            ChosenCode(*page->NxComboBoxItem_d2d_ColourScale, FChartDetails.LogarithmicColours ? 0 : 1) == 0;
        FChartDetails.Limits = ChosenCode(*page->NxComboBoxItem_d2d_Limits, FChartDetails.Limits);
        FChartDetails.LimitMinimum = page->NxSpinItem_d2d_LimitMinimum->AsFloat();
        FChartDetails.LimitMaximum = page->NxSpinItem_d2d_LimitMaximum->AsFloat();
        FChartDetails.MaskToData = page->NxCheckBoxItem_d2d_MaskToData->Checked();
        FMeasurements.CoordInMeters = page->NxCheckBoxItem_ElCoordMode->Checked();
        ReadInversionItems();
    }
    FMeasurements.ApplyFilters();
    UpdateInspectorState();
    if (Views().ChosenPreferences) Views().ChosenPreferences->Data2D.TakeFrom(FChartDetails);
}

void TGUIData2D::UpdateInspectorState()
{
    TData2DPage *page = Views().Data2DPage;
    if (!page) return;
    TUpdatesPause pause(Views());
    const int32_t diagram = FChartDetails.VisibleDiagrams;
    if (diagram >= DiagramPseudoSection && diagram <= DiagramSignals) {
        const bool signalDiagram = diagram == DiagramSignals;
        page->NxComboBoxItem_D2D_ApproximationType->SetEnabled(diagram == DiagramPseudoSection);
        for (TPropertyItem *item : {page->NxComboBoxItem_d2d_Palette, page->NxComboBoxItem_d2d_ColourScale,
                                     page->NxComboBoxItem_d2d_Limits, page->NxCheckBoxItem_d2d_MaskToData})
            item->SetEnabled(diagram == DiagramPseudoSection);
        const bool logScales = diagram == DiagramSoundingCurves || signalDiagram;
        page->NxCheckBoxItem_d2d_XLogScale->SetEnabled(logScales);
        page->NxCheckBoxItem_d2d_YLogScale->SetEnabled(logScales);
        page->NxTextItem_d2d_DiagramsToShow->SetEnabled(signalDiagram);
        page->NxTextItem_d2d_DiagramsToShow->SetExpanded(signalDiagram);
        page->NxCheckBoxItem_d2d_ShowRho->SetEnabled(signalDiagram);
        page->NxCheckBoxItem_d2d_ShowR->SetEnabled(false);
        for (TPropertyItem *item : {page->NxCheckBoxItem_d2d_ShowC, page->NxCheckBoxItem_d2d_ShowU,
                                     page->NxCheckBoxItem_d2d_ShowI, page->NxCheckBoxItem_d2d_ShowQ})
            item->SetEnabled(signalDiagram);
    } else if (diagram == DiagramModelSection || diagram == DiagramMisfit) {
        // The model section takes the map's colours; the misfit its palette.
        const bool section = diagram == DiagramModelSection;
        page->NxComboBoxItem_D2D_ApproximationType->SetEnabled(false);
        page->NxComboBoxItem_d2d_Palette->SetEnabled(true);
        page->NxComboBoxItem_d2d_ColourScale->SetEnabled(section);
        page->NxComboBoxItem_d2d_Limits->SetEnabled(section);
        for (TPropertyItem *item : {page->NxCheckBoxItem_d2d_MaskToData, page->NxCheckBoxItem_d2d_XLogScale,
                                     page->NxCheckBoxItem_d2d_YLogScale, page->NxTextItem_d2d_DiagramsToShow,
                                     page->NxCheckBoxItem_d2d_ShowRho, page->NxCheckBoxItem_d2d_ShowR,
                                     page->NxCheckBoxItem_d2d_ShowC, page->NxCheckBoxItem_d2d_ShowU,
                                     page->NxCheckBoxItem_d2d_ShowI, page->NxCheckBoxItem_d2d_ShowQ})
            item->SetEnabled(false);
        page->NxTextItem_d2d_DiagramsToShow->SetExpanded(false);
    }
    const bool chargeability = CarriesChargeability();
    for (TPropertyItem *item : {page->NxCheckBoxItem_d2d_ShowC, page->NxCheckBoxItem_d2d_ChargeAbilityFilter}) {
        item->SetEnabled(chargeability);
        item->SetChecked(chargeability);
    }
    page->NxSpinItem_ApproximationRadius->SetHidden(page->NxComboBoxItem_D2D_ApproximationType->ItemIndex() == 0);
    const bool fixedLimits = page->NxComboBoxItem_d2d_Limits->ItemIndex() == LimitsFixed;
    page->NxSpinItem_d2d_LimitMinimum->SetHidden(!fixedLimits);
    page->NxSpinItem_d2d_LimitMaximum->SetHidden(!fixedLimits);
}
