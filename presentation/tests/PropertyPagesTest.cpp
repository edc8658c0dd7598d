// Every item of the five inspector pages as the window starts with them,
// read through the items' QObject surface (found by name, Q_PROPERTYs), as
// the tests that drive the window from outside read them.
#include "presentation/PropertyPages.h"

#include <QtTest>

#include <cstring>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Expected item. State letters: d disabled, h hidden, c collapsed, r read-only.
struct TExpected {
    QString Name, Parent, Caption, Kind;
    QVariant Value;
    QStringList Lines;
    double Minimum = 0, Maximum = 0, Step = 1;
    int Decimals = 0;
    QString State;
};

TExpected Category(const QString &name, const QString &parent, const QString &caption, const QString &state = {})
{
    return {name, parent, caption, "category", {}, {}, 0, 0, 1, 0, state};
}
TExpected Text(const QString &name, const QString &parent, const QString &caption, const QString &text,
               const QString &state = {})
{
    return {name, parent, caption, "text", text, {}, 0, 0, 1, 0, state};
}
struct TLimits {
    double Minimum = 0, Maximum = 0, Step = 1;
    int Decimals = 0;
};
TExpected Spin(const QString &name, const QString &parent, const QString &caption, double value, TLimits limits,
               const QString &state = {})
{
    return {name, parent, caption, "spin", value, {}, limits.Minimum, limits.Maximum, limits.Step, limits.Decimals,
            state};
}
TExpected Combo(const QString &name, const QString &parent, const QString &caption, const QStringList &lines, int index,
                const QString &state = {})
{
    return {name, parent, caption, "combo", index, lines, 0, 0, 1, 0, state};
}
TExpected Check(const QString &name, const QString &parent, const QString &caption, bool checked,
                const QString &state = {})
{
    return {name, parent, caption, "check", checked, {}, 0, 0, 1, 0, state};
}

QStringList SpacingLines(int first)
{
    QStringList lines;
    for (int factor = first; factor <= 25; ++factor)
        lines << QString::number(factor) + " x A";
    return lines;
}

const QStringList ArrayNames{
    "Wenner",          "Schlumberger",    "Dipole Dipole", "Wenner Beta",          "Wenner Gamma",
    "Fwd Pole Dipole", "Rev Pole Dipole", "Pole Pole",     "Equat. Dipole Dipole", "Custom"};
const QStringList DepthMethods{"AB Proportional", "Median Depth"};
const QStringList IPWindows{"disabled", "60", "120", "160", "200", "240", "320"};
const QStringList TxPowers{"1",  "10", "20", "30", "40", "50", "60", "64", "68", "72", "76",
                           "80", "82", "84", "86", "88", "90", "92", "94", "96", "98", "100"};
const TLimits Level{1, 255};
const TLimits Whole{};
const TLimits Float{0, 0, 1, 3};

// The 2D sequence page in its flat display order, indices 0 to 32.
const std::vector<TExpected> Seq2DItems{
    Category("NxTextItem1", "", "Main"),
    Combo("NxComboBoxItem_SequenceType", "NxTextItem1", "Sequence Type", {"Single", "Roll Along"}, 0, "c"),
    Combo("NxComboBoxItem_SingleSequencies", "NxComboBoxItem_SequenceType", "Single Sequencies", {}, -1, "d"),
    Text("NxTextItem_s2d_DispFileName", "NxTextItem1", "File", "", "r"),
    Combo("NxComboBoxItem_ArrayType", "NxTextItem1", "Array Type", ArrayNames.mid(0, 8), 0),
    Text("NxTextItem_Spacing", "NxTextItem1", "Spacing <A>, [m]", "5"),
    Category("NxTextItem4", "", "Array Details"),
    Check("NxCheckBoxItem2", "NxTextItem4", "Spacing #1", true, "r"),
    Combo("NxComboBoxItem_Spacing", "NxCheckBoxItem2", "Spacing <D>", SpacingLines(1), 0),
    Spin("NxSpinItem_Count", "NxCheckBoxItem2", "Levels", 10, Level),
    Spin("NxSpinItem_LevelFreq", "NxCheckBoxItem2", "Level Step", 1, Level),
    Spin("NxSpinItem_fstOverlapCount", "NxCheckBoxItem2", "Start Level", 0, Level),
    Check("NxCheckBoxItem_SecondLength", "NxTextItem4", "Spacing #2", false, "dc"),
    Combo("NxComboBoxItem_sndSpacing", "NxCheckBoxItem_SecondLength", "Spacing <D>", SpacingLines(2), 0, "d"),
    Spin("NxSpinItem_sndLevelCount", "NxCheckBoxItem_SecondLength", "Levels", 5, Level, "d"),
    Spin("NxSpinItem_sndLevelFreq", "NxCheckBoxItem_SecondLength", "Level Step", 1, Level, "d"),
    Spin("NxSpinItem_sndOverlapCount", "NxCheckBoxItem_SecondLength", "Start Level", 0, Level, "d"),
    Check("NxCheckBoxItem_ThirdLength", "NxTextItem4", "Spacing #3", false, "dc"),
    Combo("NxComboBoxItem_trdSpacing", "NxCheckBoxItem_ThirdLength", "Spacing <D>", SpacingLines(3), 0, "d"),
    Spin("NxSpinItem_trdLevelCount", "NxCheckBoxItem_ThirdLength", "Levels", 5, Level, "d"),
    Spin("NxSpinItem_trdLevelFreq", "NxCheckBoxItem_ThirdLength", "Level Step", 1, Level, "d"),
    Spin("NxSpinItem_trdOverlapCount", "NxCheckBoxItem_ThirdLength", "Start Level", 0, Level, "d"),
    Check("NxCheckBoxItem_FourthLength", "NxTextItem4", "Spacing #4", false, "dc"),
    Combo("NxComboBoxItem_fthSpacing", "NxCheckBoxItem_FourthLength", "Spacing <D>", SpacingLines(4), 0, "d"),
    Spin("NxSpinItem_fthLevelCount", "NxCheckBoxItem_FourthLength", "Levels", 5, Level, "d"),
    Spin("NxSpinItem_fthLevelFreq", "NxCheckBoxItem_FourthLength", "Level Step", 1, Level, "d"),
    Spin("NxSpinItem_fthOverlapCount", "NxCheckBoxItem_FourthLength", "Start Level", 0, Level, "d"),
    Category("NxTextItem_s2d_ChartDetails", "", "Chart Details", "c"),
    Combo("NxComboBoxItem_s2d_DepthMethod", "NxTextItem_s2d_ChartDetails", "Depth Method", DepthMethods, 0, "h"),
    Check("NxCheckBoxItem_s2d_XLogScale", "NxTextItem_s2d_ChartDetails", "X Log Scale", false),
    Check("NxCheckBoxItem_s2d_YLogScale", "NxTextItem_s2d_ChartDetails", "Y Log Scale", false),
    Category("NxTextItem17", "", "Other Details"),
    Check("NxCheckBoxItem_S2D_ElCoordMode", "NxTextItem17", "Coord in meters", false),
};

const std::vector<TExpected> Data2DItems{
    Category("NxTextItem_d2d_Main", "", "Main"),
    Text("NxTextItem_d2d_DispFileName", "NxTextItem_d2d_Main", "File", "", "r"),
    Text("NxTextItem_Data2D_Title", "NxTextItem_d2d_Main", "Comment", "", "r"),
    Spin("NxSpinItem_Data2D_Count", "NxTextItem_d2d_Main", "Count", 0, Whole, "r"),
    Combo("NxComboBoxItem_Data2D_ArrayType", "NxTextItem_d2d_Main", "Array Type", ArrayNames, 0, "r"),
    Spin("NxSpinItem_Data2D_Spacing", "NxTextItem_d2d_Main", "Spacing <A>, [m]", 0, {0, 0, 0.1, 3}, "r"),
    Category("NxTextItem_d2d_Filters", "", "Filters"),
    Check("NxCheckBoxItem_ApplySAFilter", "NxTextItem_d2d_Filters", "Sliding Average", false),
    Spin("NxSpinItem_SAWindowWidth", "NxCheckBoxItem_ApplySAFilter", "Window width", 5, {3, 9, 2}),
    Category("NxTextItem3", "NxTextItem_d2d_Filters", "Bound Filters", "c"),
    Check("NxCheckBoxItem_QualityFilter", "NxTextItem3", "Quality Filter", false),
    Spin("NxSpinItem_QualityThreshold", "NxCheckBoxItem_QualityFilter", "Min [%]", 0, Float),
    Check("NxCheckBoxItem_VoltageFilter", "NxTextItem3", "Voltage Filter", false),
    Spin("NxSpinItem_VoltageMinValue", "NxCheckBoxItem_VoltageFilter", "Min [mV]", 0, Float),
    Spin("NxSpinItem_VoltageMaxValue", "NxCheckBoxItem_VoltageFilter", "Max [mV]", 0, Float),
    Check("NxCheckBoxItem_CurrentFilter", "NxTextItem3", "Current Filter", false),
    Spin("NxSpinItem_CurrentMinValue", "NxCheckBoxItem_CurrentFilter", "Min [mA]", 0, Float),
    Spin("NxSpinItem_CurrentMaxValue", "NxCheckBoxItem_CurrentFilter", "Max [mA]", 0, Float),
    Check("NxCheckBoxItem_ResistivityFilter", "NxTextItem3", "Resistivity Filter", false),
    Spin("NxSpinItem_ResistivityMinValue", "NxCheckBoxItem_ResistivityFilter", "Min [Ohm*m]", 0, Float),
    Spin("NxSpinItem_ResistivityMaxValue", "NxCheckBoxItem_ResistivityFilter", "Max [Ohm*m]", 0, Float),
    Check("NxCheckBoxItem_d2d_ChargeAbilityFilter", "NxTextItem3", "Chargeability", false),
    Spin("NxSpinItem_d2d_ChargeabilityMinValue", "NxCheckBoxItem_d2d_ChargeAbilityFilter", "Min [ms]", 0, Float),
    Spin("NxSpinItem_d2d_ChargeabilityMaxValue", "NxCheckBoxItem_d2d_ChargeAbilityFilter", "Max [ms]", 0, Float),
    Category("NxTextItem_d2d_ChartDetails", "", "Chart Details"),
    Combo("NxComboBoxItem_d2d_ValuesToShow", "NxTextItem_d2d_ChartDetails", "Values To Show",
          {"Resistivity", "Chargeability"}, 0),
    Combo("NxComboBoxItem_d2d_VisibleDiagrams", "NxTextItem_d2d_ChartDetails", "Visible Diagrams",
          {"Pseudo-section [Ohm*m, ms]", "All Sounding Curves", "All Profile Curves", "Signal Diagrams", "",
           "Model Section", "Misfit"},
          0),
    Combo("NxComboBoxItem_D2D_ApproximationType", "NxTextItem_d2d_ChartDetails", "2D Appx. Type",
          {"Akima's Spline", "Inverse Distance"}, 0),
    Spin("NxSpinItem_ApproximationRadius", "NxComboBoxItem_D2D_ApproximationType", "Radius [xA]", 0, Float, "h"),
    Combo("NxComboBoxItem_d2d_DepthMethod", "NxTextItem_d2d_ChartDetails", "Depth Method", DepthMethods, 0, "h"),
    Check("NxCheckBoxItem_d2d_XLogScale", "NxTextItem_d2d_ChartDetails", "X Log Scale", false),
    Check("NxCheckBoxItem_d2d_YLogScale", "NxTextItem_d2d_ChartDetails", "Y Log Scale", false),
    Category("NxTextItem_d2d_DiagramsToShow", "NxTextItem_d2d_ChartDetails", "Diarams tro Show"),
    Check("NxCheckBoxItem_d2d_ShowRho", "NxTextItem_d2d_DiagramsToShow", "Rho", false),
    Check("NxCheckBoxItem_d2d_ShowR", "NxTextItem_d2d_DiagramsToShow", "R", false, "dh"),
    Check("NxCheckBoxItem_d2d_ShowC", "NxTextItem_d2d_DiagramsToShow", "C", false),
    Check("NxCheckBoxItem_d2d_ShowU", "NxTextItem_d2d_DiagramsToShow", "U", false),
    Check("NxCheckBoxItem_d2d_ShowI", "NxTextItem_d2d_DiagramsToShow", "I", false),
    Check("NxCheckBoxItem_d2d_ShowQ", "NxTextItem_d2d_DiagramsToShow", "Q", false),
    Combo("NxComboBoxItem_d2d_Palette", "NxTextItem_d2d_ChartDetails", "Palette", {"Classic", "Viridis", "Grey"}, 0),
    Combo("NxComboBoxItem_d2d_ColourScale", "NxTextItem_d2d_ChartDetails", "Scale", {"Logarithmic", "Linear"}, 0),
    Combo("NxComboBoxItem_d2d_Limits", "NxTextItem_d2d_ChartDetails", "Limits", {"Automatic", "Percentile 2-98", "Fixed"}, 0),
    Spin("NxSpinItem_d2d_LimitMinimum", "NxComboBoxItem_d2d_Limits", "Min", 1, {0, 1e12, 1, 3}, "h"),
    Spin("NxSpinItem_d2d_LimitMaximum", "NxComboBoxItem_d2d_Limits", "Max", 1000, {0, 1e12, 1, 3}, "h"),
    Check("NxCheckBoxItem_d2d_MaskToData", "NxTextItem_d2d_ChartDetails", "Mask To Data", false),
    Category("NxTextItem_d2d_MeasurementDetails", "", "Measurement Details"),
    Spin("NxSpinItem_D2D_Q", "NxTextItem_d2d_MeasurementDetails", "STD Dev [%]", 0, Whole, "r"),
    Spin("NxSpinItem_D2D_MinStack", "NxTextItem_d2d_MeasurementDetails", "Min Stacking", 0, Whole, "r"),
    Spin("NxSpinItem_D2D_MaxStack", "NxTextItem_d2d_MeasurementDetails", "Max Stacking", 0, Whole, "r"),
    Combo("NxComboBoxItem_D2D_InducedPolarization", "NxTextItem_d2d_MeasurementDetails", "Induced Polar. [ms]",
          IPWindows, 0, "r"),
    Combo("NxComboBoxItem_D2D_TxPower", "NxTextItem_d2d_MeasurementDetails", "Tx Power [%]", TxPowers, 0, "r"),
    Category("NxTextItem_d2d_OtherDetails", "", "Other Details", "c"),
    Check("NxCheckBoxItem_ElCoordMode", "NxTextItem_d2d_OtherDetails", "Coord in meters", true),
    Category("NxTextItem_d2d_Inversion", "", "Inversion"),
    Spin("NxSpinItem_d2d_HorizontalSmoothing", "NxTextItem_d2d_Inversion", "Horizontal Smoothing", 1,
         TLimits{0, 100, 0.1, 2}),
    Spin("NxSpinItem_d2d_VerticalSmoothing", "NxTextItem_d2d_Inversion", "Vertical Smoothing", 1, TLimits{0, 100, 0.1, 2}),
    Check("NxCheckBoxItem_d2d_RobustWeighting", "NxTextItem_d2d_Inversion", "Robust Weighting", false),
    Spin("NxSpinItem_d2d_MaxIterations", "NxTextItem_d2d_Inversion", "Max Iterations", 10, TLimits{1, 50}),
};

const std::vector<TExpected> Seq1DItems{
    Category("NxTextItem_s1d_Main", "", "Main"),
    Text("NxTextItem_s1d_DispFileName", "NxTextItem_s1d_Main", "File", "", "r"),
    Combo("NxComboBoxItem_Seq1D_ArrayType", "NxTextItem_s1d_Main", "Array Type", ArrayNames, 0),
    Combo("NxComboBoxItem_Seq1D_IncrementType", "NxTextItem_s1d_Main", "Increment Type", {"Linear", "Geometric"}, 0),
    Category("NxTextItem_s1d_ArrayDetails", "", "Array Details"),
    Check("NxCheckBoxItem3", "NxTextItem_s1d_ArrayDetails", "Spacing #1", true, "r"),
    Spin("NxSpinItem_Seq1D_Spacing", "NxCheckBoxItem3", "Spacing <D>, [m]", 1, {1e-15, 1e15, 1, 3}),
    Spin("NxSpinItem_Seq1D_Increment", "NxCheckBoxItem3", "Increment", 1, {1e-15, 100, 1, 3}),
    Spin("NxSpinItem_Seq1D_SpacingCount", "NxCheckBoxItem3", "Levels", 10, {1, 100}),
    Check("NxCheckBoxItem_Seq1D_SecondLength", "NxTextItem_s1d_ArrayDetails", "Spacing #2", false, "dc"),
    Spin("NxSpinItem_Seq1D_sndSpacing", "NxCheckBoxItem_Seq1D_SecondLength", "Spacing <D>, [m]", 5, {1e-15, 1e15, 1, 3},
         "d"),
    Spin("NxSpinItem_Seq1D_sndIncrement", "NxCheckBoxItem_Seq1D_SecondLength", "Increment", 5, {1e-15, 100, 1, 3}, "d"),
    Spin("NxSpinItem_Seq1D_sndSpacingCount", "NxCheckBoxItem_Seq1D_SecondLength", "Levels", 6, {1, 100}, "d"),
    Spin("NxSpinItem_Seq1D_sndOverlapCount", "NxCheckBoxItem_Seq1D_SecondLength", "Overlaps", 2, {0, 5}, "d"),
    Check("NxCheckBoxItem_Seq1D_THirdLength", "NxTextItem_s1d_ArrayDetails", "Spacing #3", false, "dc"),
    Spin("NxSpinItem_Seq1D_trdSpacing", "NxCheckBoxItem_Seq1D_THirdLength", "Spacing <D>, [m]", 25, {1e-15, 1e15, 1, 3},
         "d"),
    Spin("NxSpinItem_Seq1D_trdIncrement", "NxCheckBoxItem_Seq1D_THirdLength", "Increment", 10, {1e-15, 100, 1, 3}, "d"),
    Spin("NxSpinItem_Seq1D_trdSpacingCount", "NxCheckBoxItem_Seq1D_THirdLength", "Levels", 6, {1, 100}, "d"),
    Spin("NxSpinItem_Seq1D_trdOverlapCount", "NxCheckBoxItem_Seq1D_THirdLength", "Overlaps", 2, {0, 5}, "d"),
    Check("NxCheckBoxItem_Seq1D_FourthLength", "NxTextItem_s1d_ArrayDetails", "Spacing #4", false, "dc"),
    Spin("NxSpinItem_Seq1D_fthSpacing", "NxCheckBoxItem_Seq1D_FourthLength", "Spacing <D>, [m]", 50,
         {1e-15, 1e15, 1, 3}, "d"),
    Spin("NxSpinItem_Seq1D_fthIncrement", "NxCheckBoxItem_Seq1D_FourthLength", "Increment", 25, {1e-15, 100, 1, 3},
         "d"),
    Spin("NxSpinItem_Seq1D_fthSpacingCount", "NxCheckBoxItem_Seq1D_FourthLength", "Levels", 6, {1, 100}, "d"),
    Spin("NxSpinItem_Seq1D_fthOverlapCount", "NxCheckBoxItem_Seq1D_FourthLength", "Overlaps", 2, {0, 5}, "d"),
    Category("NxTextItem_s1d_MeasureDetails", "", "Measure Details", "h"),
    Spin("NxSpinItem_s1d_MaxDeviation", "NxTextItem_s1d_MeasureDetails", "Max Deviation (%)", 3, {0, 50, 0.5, 1}),
    Spin("NxSpinItem_s1d_MinStack", "NxTextItem_s1d_MeasureDetails", "Min Stack", 3, Whole),
    Spin("NxSpinItem_s1d_MaxStack", "NxTextItem_s1d_MeasureDetails", "Max Stack", 6, Whole),
    Category("NxTextItem_s1d_ChartDetails", "", "Chart Details"),
    Combo("NxComboBoxItem_s1d_DepthMethod", "NxTextItem_s1d_ChartDetails", "Depth Method", DepthMethods, 0, "dh"),
    Check("NxCheckBoxItem_s1d_XLogScale", "NxTextItem_s1d_ChartDetails", "X Log Scale", false),
    Check("NxCheckBoxItem_s1d_YLogScale", "NxTextItem_s1d_ChartDetails", "Y Log Scale", false),
};

const std::vector<TExpected> Data1DItems{
    Category("NxTextItem_d1d_Main", "", "Main"),
    Text("NxTextItem_d1d_DispFileName", "NxTextItem_d1d_Main", "File", "", "r"),
    Text("NxTextItem_D1D_Title", "NxTextItem_d1d_Main", "Comment", "", "r"),
    Spin("NxSpinItem_D1D_Count", "NxTextItem_d1d_Main", "Count", 0, Whole, "r"),
    Combo("NxComboBoxItem_D1D_ArrayType", "NxTextItem_d1d_Main", "Array Type", ArrayNames, 0, "r"),
    Category("NxTextItem_d1d_Filters", "", "Filters", "h"),
    Check("NxCheckBoxItem_D1D_QualityFilter", "NxTextItem_d1d_Filters", "Quality Filter", false, "d"),
    Spin("NxSpinItem_D1D_QualityThreshold", "NxCheckBoxItem_D1D_QualityFilter", "Threshold, %", 0, Float),
    Category("NxTextItem_d1d_ChartDetails", "", "Chart Details"),
    Combo("NxComboBoxItem_d1d_DepthMethod", "NxTextItem_d1d_ChartDetails", "Depth Method", DepthMethods, 0, "r"),
    Check("NxCheckBoxItem_d1d_XLogScale", "NxTextItem_d1d_ChartDetails", "X Log Scale", false),
    Check("NxCheckBoxItem_d1d_YLogScale", "NxTextItem_d1d_ChartDetails", "Y Log Scale", false),
    Category("NxTextItem_d1d_DiagramsToShow", "NxTextItem_d1d_ChartDetails", "Diagrams To Show"),
    Check("NxCheckBoxItem_d1d_ShowRho", "NxTextItem_d1d_DiagramsToShow", "Rho", false),
    Check("NxCheckBoxItem_d1d_ShowR", "NxTextItem_d1d_DiagramsToShow", "R", false),
    Check("NxCheckBoxItem_d1d_ShowC", "NxTextItem_d1d_DiagramsToShow", "C", false),
    Check("NxCheckBoxItem_d1d_ShowU", "NxTextItem_d1d_DiagramsToShow", "U", false),
    Check("NxCheckBoxItem_d1d_ShowI", "NxTextItem_d1d_DiagramsToShow", "I", false),
    Check("NxCheckBoxItem_d1d_ShowQ", "NxTextItem_d1d_DiagramsToShow", "Q", false),
    Category("NxTextItem_d1d_MeasurementDetails", "", "Measurement Details"),
    Spin("NxSpinItem_D1D_Q", "NxTextItem_d1d_MeasurementDetails", "STD Dev [%]", 0, Whole, "r"),
    Spin("NxSpinItem_D1D_MinStack", "NxTextItem_d1d_MeasurementDetails", "Min Stacking", 0, Whole, "r"),
    Spin("NxSpinItem_D1D_MaxStack", "NxTextItem_d1d_MeasurementDetails", "Max Stacking", 0, Whole, "r"),
    Combo("NxComboBoxItem_d1d_InducedPolarization", "NxTextItem_d1d_MeasurementDetails", "Induced Polar. [ms]",
          IPWindows, 0, "r"),
    Combo("NxComboBoxItem_d1d_TxPower", "NxTextItem_d1d_MeasurementDetails", "Tx Power [%]", TxPowers + QStringList{""},
          0, "r"),
    Category("NxTextItem_d1d_Inversion", "", "Inversion"),
    Combo("NxComboBoxItem_d1d_InversionMode", "NxTextItem_d1d_Inversion", "Mode", QStringList{"Layers", "Smooth"}, 0),
    Spin("NxSpinItem_d1d_InversionLayers", "NxTextItem_d1d_Inversion", "Layers", 3, TLimits{2, 8}),
};

const std::vector<TExpected> Data0DItems{
    Category("NxTextItem_d0d_Main", "", "Main"),
    Text("NxTextItem_d0d_DispFileName", "NxTextItem_d0d_Main", "File", "", "r"),
    Text("NxTextItem_d0d_Title", "NxTextItem_d0d_Main", "Comment", "", "r"),
    Spin("NxSpinItem_d0d_Count", "NxTextItem_d0d_Main", "Count", 0, Whole, "r"),
    Category("NxTextItem_d0d_ChartDetails", "", "Chart Details"),
    Check("NxCheckBoxItem_d0d_XLogScale", "NxTextItem_d0d_ChartDetails", "X Log Scale", false),
    Check("NxCheckBoxItem_d0d_YLogScale", "NxTextItem_d0d_ChartDetails", "Y Log Scale", false),
    Category("NxTextItem_d0d_VisibleDiagrams", "NxTextItem_d0d_ChartDetails", "Visible Diagrams"),
    Check("NxCheckBoxItem_d0d_ShowR", "NxTextItem_d0d_VisibleDiagrams", "R", false),
    Check("NxCheckBoxItem_d0d_ShowC", "NxTextItem_d0d_VisibleDiagrams", "C", false),
    Check("NxCheckBoxItem_d0d_ShowU", "NxTextItem_d0d_VisibleDiagrams", "U", false),
    Check("NxCheckBoxItem_d0d_ShowI", "NxTextItem_d0d_VisibleDiagrams", "I", false),
    Check("NxCheckBoxItem_d0d_ShowQ", "NxTextItem_d0d_VisibleDiagrams", "Q", false),
    Category("NxTextItem_d0d_MeasurementDetails", "", "Measurement Details"),
    Spin("NxSpinItem_d0d_Q", "NxTextItem_d0d_MeasurementDetails", "STD Dev [%]", 0, Whole, "r"),
    Spin("NxSpinItem_d0d_MinStack", "NxTextItem_d0d_MeasurementDetails", "Min Stacking", 0, Whole, "r"),
    Spin("NxSpinItem_d0d_MaxStack", "NxTextItem_d0d_MeasurementDetails", "Max Stacking", 0, Whole, "r"),
    Combo("NxComboBoxItem_d0d_InducedPolarization", "NxTextItem_d0d_MeasurementDetails", "Induced Polar. [ms]",
          IPWindows, 0, "r"),
    Combo("NxComboBoxItem_d0d_TxPower", "NxTextItem_d0d_MeasurementDetails", "Tx Power [%]", TxPowers, 0, "r"),
};

// The item pointers of a page struct, in declaration order (they follow the
// inspector pointer; every member is a TPropertyItem pointer).
template <typename Page> std::vector<TPropertyItem *> Members(const Page &page)
{
    static_assert(std::is_standard_layout_v<Page>);
    constexpr std::size_t count = (sizeof(Page) - sizeof(TPropertyGrid *)) / sizeof(TPropertyItem *);
    std::vector<TPropertyItem *> items(count);
    std::memcpy(items.data(), reinterpret_cast<const char *>(&page) + sizeof(TPropertyGrid *),
                count * sizeof(TPropertyItem *));
    return items;
}

struct TBuiltPage {
    std::unique_ptr<TPropertyGrid> Inspector;
    const std::vector<TExpected> *Expected;
    std::vector<TPropertyItem *> Members;
};

} // namespace

class TPropertyPagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void EveryItemAsDesigned_data();
    void EveryItemAsDesigned();
    void PagesHoldExactlyTheirItemsInDisplayOrder_data();
    void PagesHoldExactlyTheirItemsInDisplayOrder();

private:
    std::map<QString, TBuiltPage> FPages;
};

void TPropertyPagesTest::initTestCase()
{
    auto add = [this](const QString &name, const std::vector<TExpected> &expected, auto build) {
        auto inspector = std::make_unique<TPropertyGrid>(name);
        const auto page = build(*inspector);
        QCOMPARE(page.Inspector, inspector.get());
        FPages[name] = {std::move(inspector), &expected, Members(page)};
    };
    add("NextInspector_Sequence", Seq2DItems, BuildSeq2DPage);
    add("NextInspector_Data2D", Data2DItems, BuildData2DPage);
    add("NextInspector_Seq1D", Seq1DItems, BuildSeq1DPage);
    add("NextInspector_d1d", Data1DItems, BuildData1DPage);
    add("NextInspector_d0d", Data0DItems, BuildData0DPage);
}

void TPropertyPagesTest::EveryItemAsDesigned_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("index");
    for (const auto &[name, page] : FPages)
        for (int index = 0; index < int(page.Expected->size()); ++index)
            QTest::addRow("%s/%s", qPrintable(name), qPrintable((*page.Expected)[index].Name)) << name << index;
}

void TPropertyPagesTest::EveryItemAsDesigned()
{
    QFETCH(QString, page);
    QFETCH(int, index);
    const TBuiltPage &built = FPages.at(page);
    const TExpected &expected = (*built.Expected)[index];

    auto *item = built.Inspector->findChild<TPropertyItem *>(expected.Name);
    QVERIFY2(item, qPrintable("no item " + expected.Name));
    QCOMPARE(item->property("caption").toString(), expected.Caption);
    QCOMPARE(item->property("kind").toString(), expected.Kind);
    QCOMPARE(item->property("enabled").toBool(), !expected.State.contains('d'));
    QCOMPARE(item->property("hidden").toBool(), expected.State.contains('h'));
    QCOMPARE(item->property("expanded").toBool(), !expected.State.contains('c'));
    QCOMPARE(item->property("readOnly").toBool(), expected.State.contains('r'));
    QCOMPARE(item->ParentItem() ? item->ParentItem()->objectName() : QString(), expected.Parent);
    // The presenters count items in this order.
    QCOMPARE(built.Inspector->Items().indexOf(item), index);

    const QVariant value = item->property("value");
    if (expected.Kind == "text") {
        QCOMPARE(value.toString(), expected.Value.toString());
    } else if (expected.Kind == "spin") {
        QCOMPARE(value.toDouble(), expected.Value.toDouble());
        QCOMPARE(item->property("minimum").toDouble(), expected.Minimum);
        QCOMPARE(item->property("maximum").toDouble(), expected.Maximum);
        QCOMPARE(item->property("step").toDouble(), expected.Step);
        QCOMPARE(item->Decimals(), expected.Decimals);
    } else if (expected.Kind == "combo") {
        QCOMPARE(value.toInt(), expected.Value.toInt());
        QCOMPARE(item->property("lines").toStringList(), expected.Lines);
        QCOMPARE(item->property("text").toString(), expected.Lines.value(expected.Value.toInt()));
    } else if (expected.Kind == "check") {
        QCOMPARE(value.toBool(), expected.Value.toBool());
    }
}

void TPropertyPagesTest::PagesHoldExactlyTheirItemsInDisplayOrder_data()
{
    QTest::addColumn<QString>("page");
    for (const auto &[name, page] : FPages)
        QTest::newRow(qPrintable(name)) << name;
}

void TPropertyPagesTest::PagesHoldExactlyTheirItemsInDisplayOrder()
{
    QFETCH(QString, page);
    const TBuiltPage &built = FPages.at(page);
    QStringList expected, shown, members;
    for (const TExpected &item : *built.Expected)
        expected << item.Name;
    for (const TPropertyItem *item : built.Inspector->Items())
        shown << item->objectName();
    // Every member of the page struct is set, in display order.
    for (const TPropertyItem *item : built.Members)
        members << (item ? item->objectName() : QStringLiteral("<null>"));
    QCOMPARE(shown, expected);
    QCOMPARE(members, expected);
    QCOMPARE(built.Inspector->findChildren<TPropertyItem *>().size(), qsizetype(expected.size()));
}

QTEST_MAIN(TPropertyPagesTest)
#include "PropertyPagesTest.moc"
