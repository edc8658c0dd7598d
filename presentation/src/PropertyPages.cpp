#include "presentation/PropertyPages.h"

#include "survey/VeskTypes.h"

namespace {

// Decimals offered by the editors of spins that hold metres, factors or
// filter bounds (millimetre resolution); whole-number spins offer none.
constexpr int FloatDecimals = 3;

// Where a builder stores an item, and the item's name. ITEM builds it from
// the page member, so a member and its item's objectName cannot differ.
struct TSlot {
    TPropertyItem *&Item;
    QString Name;
};
#define ITEM(member) TSlot{page.member, QStringLiteral(#member)}

// A spin item's first value and editing limits (Minimum == Maximum: none).
struct TSpinSetup {
    double Value = 0;
    double Minimum = 0, Maximum = 0, Step = 1;
    int Decimals = 0;
};

class TPageBuilder {
public:
    explicit TPageBuilder(TPropertyGrid &inspector) : FInspector(inspector) {}

    TPropertyItem *Category(TSlot slot, TPropertyItem *parent, const QString &caption)
    {
        return Add(slot, parent, caption, TItemKind::Category);
    }
    TPropertyItem *Text(TSlot slot, TPropertyItem *parent, const QString &caption, const QString &text = {})
    {
        TPropertyItem *item = Add(slot, parent, caption, TItemKind::Text);
        item->SetString(text);
        return item;
    }
    TPropertyItem *Spin(TSlot slot, TPropertyItem *parent, const QString &caption, const TSpinSetup &setup)
    {
        TPropertyItem *item = Add(slot, parent, caption, TItemKind::Spin);
        item->SetLimits(setup.Minimum, setup.Maximum, setup.Step);
        item->SetDecimals(setup.Decimals);
        item->SetFloat(setup.Value);
        return item;
    }
    TPropertyItem *Combo(TSlot slot, TPropertyItem *parent, const QString &caption, const QStringList &lines,
                          int index = 0)
    {
        TPropertyItem *item = Add(slot, parent, caption, TItemKind::ComboBox);
        item->SetLines(lines);
        item->SetItemIndex(index);
        return item;
    }
    TPropertyItem *Check(TSlot slot, TPropertyItem *parent, const QString &caption, bool checked)
    {
        TPropertyItem *item = Add(slot, parent, caption, TItemKind::CheckBox);
        item->SetChecked(checked);
        return item;
    }

private:
    TPropertyItem *Add(TSlot slot, TPropertyItem *parent, const QString &caption, TItemKind kind)
    {
        slot.Item = FInspector.AddItem(parent, slot.Name, caption, kind);
        return slot.Item;
    }
    TPropertyGrid &FInspector;
};

template <std::size_t N> QStringList Lines(const std::array<std::string_view, N> &names)
{
    QStringList lines;
    for (std::string_view name : names)
        lines << QString::fromUtf8(name.data(), qsizetype(name.size()));
    return lines;
}

TPropertyItem *ReadOnly(TPropertyItem *item)
{
    item->SetReadOnly(true);
    return item;
}

TPropertyItem *Disabled(TPropertyItem *item)
{
    item->SetEnabled(false);
    return item;
}

// A later spacing group of the 2D sequence page (2 to 4): its check box,
// unchecked, disabled and collapsed, holding four disabled items.
void AddSeq2DGroup(TPageBuilder &b, TPropertyItem *details, int group, TSlot check, TSlot spacing, TSlot levels,
                   TSlot levelStep, TSlot startLevel)
{
    TPropertyItem *box = Disabled(b.Check(check, details, QStringLiteral("Spacing #%1").arg(group), false));
    box->SetExpanded(false);
    Disabled(b.Combo(spacing, box, QStringLiteral("Spacing <D>"), SpacingFactorLines(group)));
    Disabled(b.Spin(levels, box, QStringLiteral("Levels"), {5, 1, 255}));
    Disabled(b.Spin(levelStep, box, QStringLiteral("Level Step"), {1, 1, 255}));
    Disabled(b.Spin(startLevel, box, QStringLiteral("Start Level"), {0, 1, 255}));
}

// First values of a later spacing group of the 1D sequence page.
struct TSeq1DGroupValues {
    double Spacing, Increment, Levels, Overlaps;
};

// A later spacing group of the 1D sequence page (2 to 4), unchecked,
// disabled and collapsed like an unchecked group after a click.
void AddSeq1DGroup(TPageBuilder &b, TPropertyItem *details, int group, const TSeq1DGroupValues &values, TSlot check,
                   TSlot spacing, TSlot increment, TSlot levels, TSlot overlaps)
{
    TPropertyItem *box = Disabled(b.Check(check, details, QStringLiteral("Spacing #%1").arg(group), false));
    box->SetExpanded(false);
    Disabled(b.Spin(spacing, box, QStringLiteral("Spacing <D>, [m]"), {values.Spacing, 1e-15, 1e15, 1, FloatDecimals}));
    Disabled(b.Spin(increment, box, QStringLiteral("Increment"), {values.Increment, 1e-15, 100, 1, FloatDecimals}));
    Disabled(b.Spin(levels, box, QStringLiteral("Levels"), {values.Levels, 1, 100}));
    Disabled(b.Spin(overlaps, box, QStringLiteral("Overlaps"), {values.Overlaps, 0, 5}));
}

// The "Measurement Details" items the three data pages share: the
// instrument's settings block, read-only.
void AddMeasurementDetails(TPageBuilder &b, TPropertyItem *category, TSlot deviation, TSlot minStack, TSlot maxStack,
                           TSlot inducedPolarization, TSlot txPower, const QStringList &txPowerLines)
{
    ReadOnly(b.Spin(deviation, category, QStringLiteral("STD Dev [%]"), {}));
    ReadOnly(b.Spin(minStack, category, QStringLiteral("Min Stacking"), {}));
    ReadOnly(b.Spin(maxStack, category, QStringLiteral("Max Stacking"), {}));
    ReadOnly(b.Combo(inducedPolarization, category, QStringLiteral("Induced Polar. [ms]"), InducedPolarizationLines()));
    ReadOnly(b.Combo(txPower, category, QStringLiteral("Tx Power [%]"), txPowerLines));
}

// A filter check box of the 2D data page with its two bounds under it.
void AddBoundFilter(TPageBuilder &b, TPropertyItem *category, const QString &caption, const QString &unit, TSlot check,
                    TSlot minimum, TSlot maximum)
{
    const TSpinSetup bound{.Decimals = FloatDecimals};
    TPropertyItem *box = b.Check(check, category, caption, false);
    b.Spin(minimum, box, QStringLiteral("Min [%1]").arg(unit), bound);
    b.Spin(maximum, box, QStringLiteral("Max [%1]").arg(unit), bound);
}

// The unchecked boxes of the value curves "R", "C", "U", "I" and "Q".
void AddValueCurveChecks(TPageBuilder &b, TPropertyItem *category, TSlot r, TSlot c, TSlot u, TSlot i, TSlot q)
{
    b.Check(r, category, QStringLiteral("R"), false);
    b.Check(c, category, QStringLiteral("C"), false);
    b.Check(u, category, QStringLiteral("U"), false);
    b.Check(i, category, QStringLiteral("I"), false);
    b.Check(q, category, QStringLiteral("Q"), false);
}

} // namespace

QStringList ArrayTypeLines()
{
    return Lines(ArrayTypeNames);
}

QStringList SpacingFactorLines(int group)
{
    QStringList lines;
    for (int factor = group; factor <= 25; ++factor)
        lines << QStringLiteral("%1 x A").arg(factor);
    return lines;
}

QStringList DepthMethodLines()
{
    return Lines(DepthMethodNames);
}

QStringList ValuesToShowLines(bool withChargeability)
{
    QStringList lines = Lines(ValuesToShowNames);
    if (!withChargeability) lines.removeLast();
    return lines;
}

QStringList InducedPolarizationLines()
{
    return {QStringLiteral("disabled"), QStringLiteral("60"),  QStringLiteral("120"), QStringLiteral("160"),
            QStringLiteral("200"),      QStringLiteral("240"), QStringLiteral("320")};
}

QStringList TxPowerLines()
{
    QStringList lines;
    for (uint8_t percent : TxPowerPercents)
        lines << QString::number(percent);
    return lines;
}

QStringList MapPaletteLines()
{
    return {QStringLiteral("Classic"), QStringLiteral("Viridis"), QStringLiteral("Grey")};
}

QStringList ColourScaleLines() { return {QStringLiteral("Logarithmic"), QStringLiteral("Linear")}; }

QStringList MapLimitsLines()
{
    return {QStringLiteral("Automatic"), QStringLiteral("Percentile 2-98"), QStringLiteral("Fixed")};
}

TSeq2DPage BuildSeq2DPage(TPropertyGrid &inspector)
{
    TSeq2DPage page;
    page.Inspector = &inspector;
    TPageBuilder b(inspector);

    TPropertyItem *main = b.Category(ITEM(NxTextItem1), nullptr, QStringLiteral("Main"));
    TPropertyItem *sequenceType =
        b.Combo(ITEM(NxComboBoxItem_SequenceType), main, QStringLiteral("Sequence Type"), Lines(SequenceTypeNames));
    sequenceType->SetExpanded(false);
    // Filled with the single 2D sequences when the user opens it; no line chosen.
    Disabled(b.Combo(ITEM(NxComboBoxItem_SingleSequencies), sequenceType, QStringLiteral("Single Sequencies"), {}, -1));
    ReadOnly(b.Text(ITEM(NxTextItem_s2d_DispFileName), main, QStringLiteral("File")));
    b.Combo(ITEM(NxComboBoxItem_ArrayType), main, QStringLiteral("Array Type"), ArrayTypeLines().mid(0, 8));
    b.Text(ITEM(NxTextItem_Spacing), main, QStringLiteral("Spacing <A>, [m]"), QStringLiteral("5"));

    TPropertyItem *details = b.Category(ITEM(NxTextItem4), nullptr, QStringLiteral("Array Details"));
    TPropertyItem *first = ReadOnly(b.Check(ITEM(NxCheckBoxItem2), details, QStringLiteral("Spacing #1"), true));
    b.Combo(ITEM(NxComboBoxItem_Spacing), first, QStringLiteral("Spacing <D>"), SpacingFactorLines(1));
    b.Spin(ITEM(NxSpinItem_Count), first, QStringLiteral("Levels"), {10, 1, 255});
    b.Spin(ITEM(NxSpinItem_LevelFreq), first, QStringLiteral("Level Step"), {1, 1, 255});
    b.Spin(ITEM(NxSpinItem_fstOverlapCount), first, QStringLiteral("Start Level"), {0, 1, 255});
    AddSeq2DGroup(b, details, 2, ITEM(NxCheckBoxItem_SecondLength), ITEM(NxComboBoxItem_sndSpacing),
                  ITEM(NxSpinItem_sndLevelCount), ITEM(NxSpinItem_sndLevelFreq), ITEM(NxSpinItem_sndOverlapCount));
    AddSeq2DGroup(b, details, 3, ITEM(NxCheckBoxItem_ThirdLength), ITEM(NxComboBoxItem_trdSpacing),
                  ITEM(NxSpinItem_trdLevelCount), ITEM(NxSpinItem_trdLevelFreq), ITEM(NxSpinItem_trdOverlapCount));
    AddSeq2DGroup(b, details, 4, ITEM(NxCheckBoxItem_FourthLength), ITEM(NxComboBoxItem_fthSpacing),
                  ITEM(NxSpinItem_fthLevelCount), ITEM(NxSpinItem_fthLevelFreq), ITEM(NxSpinItem_fthOverlapCount));

    TPropertyItem *chart = b.Category(ITEM(NxTextItem_s2d_ChartDetails), nullptr, QStringLiteral("Chart Details"));
    chart->SetExpanded(false);
    b.Combo(ITEM(NxComboBoxItem_s2d_DepthMethod), chart, QStringLiteral("Depth Method"), DepthMethodLines())
        ->SetHidden(true);
    b.Check(ITEM(NxCheckBoxItem_s2d_XLogScale), chart, QStringLiteral("X Log Scale"), false);
    b.Check(ITEM(NxCheckBoxItem_s2d_YLogScale), chart, QStringLiteral("Y Log Scale"), false);

    TPropertyItem *other = b.Category(ITEM(NxTextItem17), nullptr, QStringLiteral("Other Details"));
    b.Check(ITEM(NxCheckBoxItem_S2D_ElCoordMode), other, QStringLiteral("Coord in meters"), false);
    return page;
}

TData2DPage BuildData2DPage(TPropertyGrid &inspector)
{
    TData2DPage page;
    page.Inspector = &inspector;
    TPageBuilder b(inspector);

    TPropertyItem *main = b.Category(ITEM(NxTextItem_d2d_Main), nullptr, QStringLiteral("Main"));
    ReadOnly(b.Text(ITEM(NxTextItem_d2d_DispFileName), main, QStringLiteral("File")));
    ReadOnly(b.Text(ITEM(NxTextItem_Data2D_Title), main, QStringLiteral("Comment")));
    ReadOnly(b.Spin(ITEM(NxSpinItem_Data2D_Count), main, QStringLiteral("Count"), {}));
    ReadOnly(b.Combo(ITEM(NxComboBoxItem_Data2D_ArrayType), main, QStringLiteral("Array Type"), ArrayTypeLines()));
    ReadOnly(b.Spin(ITEM(NxSpinItem_Data2D_Spacing), main, QStringLiteral("Spacing <A>, [m]"),
                    {.Step = 0.1, .Decimals = FloatDecimals}));

    TPropertyItem *filters = b.Category(ITEM(NxTextItem_d2d_Filters), nullptr, QStringLiteral("Filters"));
    TPropertyItem *sliding =
        b.Check(ITEM(NxCheckBoxItem_ApplySAFilter), filters, QStringLiteral("Sliding Average"), false);
    b.Spin(ITEM(NxSpinItem_SAWindowWidth), sliding, QStringLiteral("Window width"), {5, 3, 9, 2});
    TPropertyItem *bounds = b.Category(ITEM(NxTextItem3), filters, QStringLiteral("Bound Filters"));
    bounds->SetExpanded(false);
    TPropertyItem *quality =
        b.Check(ITEM(NxCheckBoxItem_QualityFilter), bounds, QStringLiteral("Quality Filter"), false);
    b.Spin(ITEM(NxSpinItem_QualityThreshold), quality, QStringLiteral("Min [%]"), {.Decimals = FloatDecimals});
    AddBoundFilter(b, bounds, QStringLiteral("Voltage Filter"), QStringLiteral("mV"),
                   ITEM(NxCheckBoxItem_VoltageFilter), ITEM(NxSpinItem_VoltageMinValue),
                   ITEM(NxSpinItem_VoltageMaxValue));
    AddBoundFilter(b, bounds, QStringLiteral("Current Filter"), QStringLiteral("mA"),
                   ITEM(NxCheckBoxItem_CurrentFilter), ITEM(NxSpinItem_CurrentMinValue),
                   ITEM(NxSpinItem_CurrentMaxValue));
    AddBoundFilter(b, bounds, QStringLiteral("Resistivity Filter"), QStringLiteral("Ohm*m"),
                   ITEM(NxCheckBoxItem_ResistivityFilter), ITEM(NxSpinItem_ResistivityMinValue),
                   ITEM(NxSpinItem_ResistivityMaxValue));
    AddBoundFilter(b, bounds, QStringLiteral("Chargeability"), QStringLiteral("ms"),
                   ITEM(NxCheckBoxItem_d2d_ChargeAbilityFilter), ITEM(NxSpinItem_d2d_ChargeabilityMinValue),
                   ITEM(NxSpinItem_d2d_ChargeabilityMaxValue));

    TPropertyItem *chart = b.Category(ITEM(NxTextItem_d2d_ChartDetails), nullptr, QStringLiteral("Chart Details"));
    b.Combo(ITEM(NxComboBoxItem_d2d_ValuesToShow), chart, QStringLiteral("Values To Show"), ValuesToShowLines(true));
    b.Combo(ITEM(NxComboBoxItem_d2d_VisibleDiagrams), chart, QStringLiteral("Visible Diagrams"),
            {QStringLiteral("Pseudo-section [Ohm*m, ms]"), QStringLiteral("All Sounding Curves"),
             QStringLiteral("All Profile Curves"), QStringLiteral("Signal Diagrams"), QString(),
             QStringLiteral("Model Section"), QStringLiteral("Misfit")});
    TPropertyItem *gridding =
        b.Combo(ITEM(NxComboBoxItem_D2D_ApproximationType), chart, QStringLiteral("2D Appx. Type"),
                {QStringLiteral("Akima's Spline"), QStringLiteral("Inverse Distance")});
    // Shown only for inverse distance; the page starts at Akima's spline.
    b.Spin(ITEM(NxSpinItem_ApproximationRadius), gridding, QStringLiteral("Radius [xA]"), {.Decimals = FloatDecimals})
        ->SetHidden(true);
    b.Combo(ITEM(NxComboBoxItem_d2d_DepthMethod), chart, QStringLiteral("Depth Method"), DepthMethodLines())
        ->SetHidden(true);
    b.Check(ITEM(NxCheckBoxItem_d2d_XLogScale), chart, QStringLiteral("X Log Scale"), false);
    b.Check(ITEM(NxCheckBoxItem_d2d_YLogScale), chart, QStringLiteral("Y Log Scale"), false);
    TPropertyItem *diagrams =
        b.Category(ITEM(NxTextItem_d2d_DiagramsToShow), chart, QStringLiteral("Diarams tro Show"));
    b.Check(ITEM(NxCheckBoxItem_d2d_ShowRho), diagrams, QStringLiteral("Rho"), false);
    AddValueCurveChecks(b, diagrams, ITEM(NxCheckBoxItem_d2d_ShowR), ITEM(NxCheckBoxItem_d2d_ShowC),
                        ITEM(NxCheckBoxItem_d2d_ShowU), ITEM(NxCheckBoxItem_d2d_ShowI), ITEM(NxCheckBoxItem_d2d_ShowQ));
    Disabled(page.NxCheckBoxItem_d2d_ShowR)->SetHidden(true);
    b.Combo(ITEM(NxComboBoxItem_d2d_Palette), chart, QStringLiteral("Palette"), MapPaletteLines());
    b.Combo(ITEM(NxComboBoxItem_d2d_ColourScale), chart, QStringLiteral("Scale"), ColourScaleLines());
    TPropertyItem *limits = b.Combo(ITEM(NxComboBoxItem_d2d_Limits), chart, QStringLiteral("Limits"), MapLimitsLines());
    b.Spin(ITEM(NxSpinItem_d2d_LimitMinimum), limits, QStringLiteral("Min"), {1, 0, 1e12, 1, FloatDecimals})
        ->SetHidden(true);
    b.Spin(ITEM(NxSpinItem_d2d_LimitMaximum), limits, QStringLiteral("Max"), {1000, 0, 1e12, 1, FloatDecimals})
        ->SetHidden(true);
    b.Check(ITEM(NxCheckBoxItem_d2d_MaskToData), chart, QStringLiteral("Mask To Data"), false);

    TPropertyItem *measurement =
        b.Category(ITEM(NxTextItem_d2d_MeasurementDetails), nullptr, QStringLiteral("Measurement Details"));
    AddMeasurementDetails(b, measurement, ITEM(NxSpinItem_D2D_Q), ITEM(NxSpinItem_D2D_MinStack),
                          ITEM(NxSpinItem_D2D_MaxStack), ITEM(NxComboBoxItem_D2D_InducedPolarization),
                          ITEM(NxComboBoxItem_D2D_TxPower), TxPowerLines());

    TPropertyItem *other = b.Category(ITEM(NxTextItem_d2d_OtherDetails), nullptr, QStringLiteral("Other Details"));
    other->SetExpanded(false);
    b.Check(ITEM(NxCheckBoxItem_ElCoordMode), other, QStringLiteral("Coord in meters"), true);

    // The smoothness weights, the robust data weights and the iteration
    // limit of the section inversion (Data > Invert).
    TPropertyItem *inversion = b.Category(ITEM(NxTextItem_d2d_Inversion), nullptr, QStringLiteral("Inversion"));
    b.Spin(ITEM(NxSpinItem_d2d_HorizontalSmoothing), inversion, QStringLiteral("Horizontal Smoothing"),
           {1, 0, 100, 0.1, 2});
    b.Spin(ITEM(NxSpinItem_d2d_VerticalSmoothing), inversion, QStringLiteral("Vertical Smoothing"),
           {1, 0, 100, 0.1, 2});
    b.Check(ITEM(NxCheckBoxItem_d2d_RobustWeighting), inversion, QStringLiteral("Robust Weighting"), false);
    b.Spin(ITEM(NxSpinItem_d2d_MaxIterations), inversion, QStringLiteral("Max Iterations"), {10, 1, 50});
    return page;
}

TSeq1DPage BuildSeq1DPage(TPropertyGrid &inspector)
{
    TSeq1DPage page;
    page.Inspector = &inspector;
    TPageBuilder b(inspector);

    TPropertyItem *main = b.Category(ITEM(NxTextItem_s1d_Main), nullptr, QStringLiteral("Main"));
    ReadOnly(b.Text(ITEM(NxTextItem_s1d_DispFileName), main, QStringLiteral("File")));
    b.Combo(ITEM(NxComboBoxItem_Seq1D_ArrayType), main, QStringLiteral("Array Type"), ArrayTypeLines());
    b.Combo(ITEM(NxComboBoxItem_Seq1D_IncrementType), main, QStringLiteral("Increment Type"),
            Lines(IncrementTypeNames));

    TPropertyItem *details = b.Category(ITEM(NxTextItem_s1d_ArrayDetails), nullptr, QStringLiteral("Array Details"));
    // Group 1 is always used; its box only heads the group.
    TPropertyItem *first = ReadOnly(b.Check(ITEM(NxCheckBoxItem3), details, QStringLiteral("Spacing #1"), true));
    b.Spin(ITEM(NxSpinItem_Seq1D_Spacing), first, QStringLiteral("Spacing <D>, [m]"),
           {1, 1e-15, 1e15, 1, FloatDecimals});
    b.Spin(ITEM(NxSpinItem_Seq1D_Increment), first, QStringLiteral("Increment"), {1, 1e-15, 100, 1, FloatDecimals});
    b.Spin(ITEM(NxSpinItem_Seq1D_SpacingCount), first, QStringLiteral("Levels"), {10, 1, 100});
    AddSeq1DGroup(b, details, 2, {5, 5, 6, 2}, ITEM(NxCheckBoxItem_Seq1D_SecondLength),
                  ITEM(NxSpinItem_Seq1D_sndSpacing), ITEM(NxSpinItem_Seq1D_sndIncrement),
                  ITEM(NxSpinItem_Seq1D_sndSpacingCount), ITEM(NxSpinItem_Seq1D_sndOverlapCount));
    AddSeq1DGroup(b, details, 3, {25, 10, 6, 2}, ITEM(NxCheckBoxItem_Seq1D_THirdLength),
                  ITEM(NxSpinItem_Seq1D_trdSpacing), ITEM(NxSpinItem_Seq1D_trdIncrement),
                  ITEM(NxSpinItem_Seq1D_trdSpacingCount), ITEM(NxSpinItem_Seq1D_trdOverlapCount));
    AddSeq1DGroup(b, details, 4, {50, 25, 6, 2}, ITEM(NxCheckBoxItem_Seq1D_FourthLength),
                  ITEM(NxSpinItem_Seq1D_fthSpacing), ITEM(NxSpinItem_Seq1D_fthIncrement),
                  ITEM(NxSpinItem_Seq1D_fthSpacingCount), ITEM(NxSpinItem_Seq1D_fthOverlapCount));

    TPropertyItem *measure =
        b.Category(ITEM(NxTextItem_s1d_MeasureDetails), nullptr, QStringLiteral("Measure Details"));
    measure->SetHidden(true);
    b.Spin(ITEM(NxSpinItem_s1d_MaxDeviation), measure, QStringLiteral("Max Deviation (%)"), {3, 0, 50, 0.5, 1});
    b.Spin(ITEM(NxSpinItem_s1d_MinStack), measure, QStringLiteral("Min Stack"), {3});
    b.Spin(ITEM(NxSpinItem_s1d_MaxStack), measure, QStringLiteral("Max Stack"), {6});

    TPropertyItem *chart = b.Category(ITEM(NxTextItem_s1d_ChartDetails), nullptr, QStringLiteral("Chart Details"));
    TPropertyItem *depth = Disabled(
        b.Combo(ITEM(NxComboBoxItem_s1d_DepthMethod), chart, QStringLiteral("Depth Method"), DepthMethodLines()));
    depth->SetHidden(true);
    b.Check(ITEM(NxCheckBoxItem_s1d_XLogScale), chart, QStringLiteral("X Log Scale"), false);
    b.Check(ITEM(NxCheckBoxItem_s1d_YLogScale), chart, QStringLiteral("Y Log Scale"), false);
    return page;
}

TData1DPage BuildData1DPage(TPropertyGrid &inspector)
{
    TData1DPage page;
    page.Inspector = &inspector;
    TPageBuilder b(inspector);

    TPropertyItem *main = b.Category(ITEM(NxTextItem_d1d_Main), nullptr, QStringLiteral("Main"));
    ReadOnly(b.Text(ITEM(NxTextItem_d1d_DispFileName), main, QStringLiteral("File")));
    ReadOnly(b.Text(ITEM(NxTextItem_D1D_Title), main, QStringLiteral("Comment")));
    ReadOnly(b.Spin(ITEM(NxSpinItem_D1D_Count), main, QStringLiteral("Count"), {}));
    ReadOnly(b.Combo(ITEM(NxComboBoxItem_D1D_ArrayType), main, QStringLiteral("Array Type"), ArrayTypeLines()));

    TPropertyItem *filters = b.Category(ITEM(NxTextItem_d1d_Filters), nullptr, QStringLiteral("Filters"));
    filters->SetHidden(true);
    TPropertyItem *quality =
        Disabled(b.Check(ITEM(NxCheckBoxItem_D1D_QualityFilter), filters, QStringLiteral("Quality Filter"), false));
    b.Spin(ITEM(NxSpinItem_D1D_QualityThreshold), quality, QStringLiteral("Threshold, %"), {.Decimals = FloatDecimals});

    TPropertyItem *chart = b.Category(ITEM(NxTextItem_d1d_ChartDetails), nullptr, QStringLiteral("Chart Details"));
    ReadOnly(b.Combo(ITEM(NxComboBoxItem_d1d_DepthMethod), chart, QStringLiteral("Depth Method"), DepthMethodLines()));
    b.Check(ITEM(NxCheckBoxItem_d1d_XLogScale), chart, QStringLiteral("X Log Scale"), false);
    b.Check(ITEM(NxCheckBoxItem_d1d_YLogScale), chart, QStringLiteral("Y Log Scale"), false);
    TPropertyItem *diagrams =
        b.Category(ITEM(NxTextItem_d1d_DiagramsToShow), chart, QStringLiteral("Diagrams To Show"));
    b.Check(ITEM(NxCheckBoxItem_d1d_ShowRho), diagrams, QStringLiteral("Rho"), false);
    AddValueCurveChecks(b, diagrams, ITEM(NxCheckBoxItem_d1d_ShowR), ITEM(NxCheckBoxItem_d1d_ShowC),
                        ITEM(NxCheckBoxItem_d1d_ShowU), ITEM(NxCheckBoxItem_d1d_ShowI), ITEM(NxCheckBoxItem_d1d_ShowQ));

    TPropertyItem *measurement =
        b.Category(ITEM(NxTextItem_d1d_MeasurementDetails), nullptr, QStringLiteral("Measurement Details"));
    // The sounding's Tx power list carries an empty 23rd line.
    AddMeasurementDetails(b, measurement, ITEM(NxSpinItem_D1D_Q), ITEM(NxSpinItem_D1D_MinStack),
                          ITEM(NxSpinItem_D1D_MaxStack), ITEM(NxComboBoxItem_d1d_InducedPolarization),
                          ITEM(NxComboBoxItem_d1d_TxPower), TxPowerLines() << QString());

    TPropertyItem *inversion = b.Category(ITEM(NxTextItem_d1d_Inversion), nullptr, QStringLiteral("Inversion"));
    b.Combo(ITEM(NxComboBoxItem_d1d_InversionMode), inversion, QStringLiteral("Mode"),
            {QStringLiteral("Layers"), QStringLiteral("Smooth")});
    b.Spin(ITEM(NxSpinItem_d1d_InversionLayers), inversion, QStringLiteral("Layers"), {3, 2, 8});
    return page;
}

TData0DPage BuildData0DPage(TPropertyGrid &inspector)
{
    TData0DPage page;
    page.Inspector = &inspector;
    TPageBuilder b(inspector);

    TPropertyItem *main = b.Category(ITEM(NxTextItem_d0d_Main), nullptr, QStringLiteral("Main"));
    ReadOnly(b.Text(ITEM(NxTextItem_d0d_DispFileName), main, QStringLiteral("File")));
    ReadOnly(b.Text(ITEM(NxTextItem_d0d_Title), main, QStringLiteral("Comment")));
    ReadOnly(b.Spin(ITEM(NxSpinItem_d0d_Count), main, QStringLiteral("Count"), {}));

    TPropertyItem *chart = b.Category(ITEM(NxTextItem_d0d_ChartDetails), nullptr, QStringLiteral("Chart Details"));
    b.Check(ITEM(NxCheckBoxItem_d0d_XLogScale), chart, QStringLiteral("X Log Scale"), false);
    b.Check(ITEM(NxCheckBoxItem_d0d_YLogScale), chart, QStringLiteral("Y Log Scale"), false);
    TPropertyItem *diagrams =
        b.Category(ITEM(NxTextItem_d0d_VisibleDiagrams), chart, QStringLiteral("Visible Diagrams"));
    AddValueCurveChecks(b, diagrams, ITEM(NxCheckBoxItem_d0d_ShowR), ITEM(NxCheckBoxItem_d0d_ShowC),
                        ITEM(NxCheckBoxItem_d0d_ShowU), ITEM(NxCheckBoxItem_d0d_ShowI), ITEM(NxCheckBoxItem_d0d_ShowQ));

    TPropertyItem *measurement =
        b.Category(ITEM(NxTextItem_d0d_MeasurementDetails), nullptr, QStringLiteral("Measurement Details"));
    AddMeasurementDetails(b, measurement, ITEM(NxSpinItem_d0d_Q), ITEM(NxSpinItem_d0d_MinStack),
                          ITEM(NxSpinItem_d0d_MaxStack), ITEM(NxComboBoxItem_d0d_InducedPolarization),
                          ITEM(NxComboBoxItem_d0d_TxPower), TxPowerLines());
    return page;
}

#undef ITEM
