// The five inspector pages of the program: every item a page carries, with
// its caption, kind, first value, list, limits and first state, created on the
// page's inspector by one builder per page. Each page struct holds a typed
// pointer per item, named as the item (its objectName), so presenters and the
// window's editing rules reach items without a lookup by name.
#pragma once

#include "controls/PropertyGrid.h"

#include <QStringList>

// Lists shared by several pages and by the presenters that refill them.
QStringList ArrayTypeLines();              // the ten array names, by code
QStringList SpacingFactorLines(int group); // group 1 to 4: "<group> x A" to "25 x A"
QStringList DepthMethodLines();            // "AB Proportional", "Median Depth"
QStringList ValuesToShowLines(bool withChargeability);
QStringList InducedPolarizationLines(); // "disabled", then the windows in ms
QStringList TxPowerLines();             // the 22 transmitter powers in percent
QStringList MapPaletteLines();          // "Classic", "Viridis", "Grey"
QStringList ColourScaleLines();         // "Logarithmic", "Linear"
QStringList MapLimitsLines();           // "Automatic", "Percentile 2-98", "Fixed"

// 2D sequence page "NextInspector_Sequence". The members are declared in the
// page's flat display order (indices 0 to 32); the presenter enables or
// disables "every item from File to the end" by that order.
struct TSeq2DPage {
    TPropertyGrid *Inspector = nullptr;
    TPropertyItem *NxTextItem1 = nullptr; // "Main"
    TPropertyItem *NxComboBoxItem_SequenceType = nullptr;
    TPropertyItem *NxComboBoxItem_SingleSequencies = nullptr;
    TPropertyItem *NxTextItem_s2d_DispFileName = nullptr;
    TPropertyItem *NxComboBoxItem_ArrayType = nullptr;
    TPropertyItem *NxTextItem_Spacing = nullptr;
    TPropertyItem *NxTextItem4 = nullptr; // "Array Details"
    TPropertyItem *NxCheckBoxItem2 = nullptr;
    TPropertyItem *NxComboBoxItem_Spacing = nullptr;
    TPropertyItem *NxSpinItem_Count = nullptr;
    TPropertyItem *NxSpinItem_LevelFreq = nullptr;
    TPropertyItem *NxSpinItem_fstOverlapCount = nullptr;
    TPropertyItem *NxCheckBoxItem_SecondLength = nullptr;
    TPropertyItem *NxComboBoxItem_sndSpacing = nullptr;
    TPropertyItem *NxSpinItem_sndLevelCount = nullptr;
    TPropertyItem *NxSpinItem_sndLevelFreq = nullptr;
    TPropertyItem *NxSpinItem_sndOverlapCount = nullptr;
    TPropertyItem *NxCheckBoxItem_ThirdLength = nullptr;
    TPropertyItem *NxComboBoxItem_trdSpacing = nullptr;
    TPropertyItem *NxSpinItem_trdLevelCount = nullptr;
    TPropertyItem *NxSpinItem_trdLevelFreq = nullptr;
    TPropertyItem *NxSpinItem_trdOverlapCount = nullptr;
    TPropertyItem *NxCheckBoxItem_FourthLength = nullptr;
    TPropertyItem *NxComboBoxItem_fthSpacing = nullptr;
    TPropertyItem *NxSpinItem_fthLevelCount = nullptr;
    TPropertyItem *NxSpinItem_fthLevelFreq = nullptr;
    TPropertyItem *NxSpinItem_fthOverlapCount = nullptr;
    TPropertyItem *NxTextItem_s2d_ChartDetails = nullptr;
    TPropertyItem *NxComboBoxItem_s2d_DepthMethod = nullptr;
    TPropertyItem *NxCheckBoxItem_s2d_XLogScale = nullptr;
    TPropertyItem *NxCheckBoxItem_s2d_YLogScale = nullptr;
    TPropertyItem *NxTextItem17 = nullptr; // "Other Details"
    TPropertyItem *NxCheckBoxItem_S2D_ElCoordMode = nullptr;
};

// 2D data page "NextInspector_Data2D".
struct TData2DPage {
    TPropertyGrid *Inspector = nullptr;
    TPropertyItem *NxTextItem_d2d_Main = nullptr;
    TPropertyItem *NxTextItem_d2d_DispFileName = nullptr;
    TPropertyItem *NxTextItem_Data2D_Title = nullptr;
    TPropertyItem *NxSpinItem_Data2D_Count = nullptr;
    TPropertyItem *NxComboBoxItem_Data2D_ArrayType = nullptr;
    TPropertyItem *NxSpinItem_Data2D_Spacing = nullptr;
    TPropertyItem *NxTextItem_d2d_Filters = nullptr;
    TPropertyItem *NxCheckBoxItem_ApplySAFilter = nullptr;
    TPropertyItem *NxSpinItem_SAWindowWidth = nullptr;
    TPropertyItem *NxTextItem3 = nullptr; // "Bound Filters"
    TPropertyItem *NxCheckBoxItem_QualityFilter = nullptr;
    TPropertyItem *NxSpinItem_QualityThreshold = nullptr;
    TPropertyItem *NxCheckBoxItem_VoltageFilter = nullptr;
    TPropertyItem *NxSpinItem_VoltageMinValue = nullptr;
    TPropertyItem *NxSpinItem_VoltageMaxValue = nullptr;
    TPropertyItem *NxCheckBoxItem_CurrentFilter = nullptr;
    TPropertyItem *NxSpinItem_CurrentMinValue = nullptr;
    TPropertyItem *NxSpinItem_CurrentMaxValue = nullptr;
    TPropertyItem *NxCheckBoxItem_ResistivityFilter = nullptr;
    TPropertyItem *NxSpinItem_ResistivityMinValue = nullptr;
    TPropertyItem *NxSpinItem_ResistivityMaxValue = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ChargeAbilityFilter = nullptr;
    TPropertyItem *NxSpinItem_d2d_ChargeabilityMinValue = nullptr;
    TPropertyItem *NxSpinItem_d2d_ChargeabilityMaxValue = nullptr;
    TPropertyItem *NxTextItem_d2d_ChartDetails = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_ValuesToShow = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_VisibleDiagrams = nullptr;
    TPropertyItem *NxComboBoxItem_D2D_ApproximationType = nullptr;
    TPropertyItem *NxSpinItem_ApproximationRadius = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_DepthMethod = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_XLogScale = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_YLogScale = nullptr;
    TPropertyItem *NxTextItem_d2d_DiagramsToShow = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowRho = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowR = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowC = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowU = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowI = nullptr;
    TPropertyItem *NxCheckBoxItem_d2d_ShowQ = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_Palette = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_ColourScale = nullptr;
    TPropertyItem *NxComboBoxItem_d2d_Limits = nullptr;
    TPropertyItem *NxSpinItem_d2d_LimitMinimum = nullptr; // shown for fixed limits only
    TPropertyItem *NxSpinItem_d2d_LimitMaximum = nullptr; // shown for fixed limits only
    TPropertyItem *NxCheckBoxItem_d2d_MaskToData = nullptr;
    TPropertyItem *NxTextItem_d2d_MeasurementDetails = nullptr;
    TPropertyItem *NxSpinItem_D2D_Q = nullptr;
    TPropertyItem *NxSpinItem_D2D_MinStack = nullptr;
    TPropertyItem *NxSpinItem_D2D_MaxStack = nullptr;
    TPropertyItem *NxComboBoxItem_D2D_InducedPolarization = nullptr;
    TPropertyItem *NxComboBoxItem_D2D_TxPower = nullptr;
    TPropertyItem *NxTextItem_d2d_OtherDetails = nullptr;
    TPropertyItem *NxCheckBoxItem_ElCoordMode = nullptr;
    TPropertyItem *NxTextItem_d2d_Inversion = nullptr;
    TPropertyItem *NxSpinItem_d2d_HorizontalSmoothing = nullptr; // 0 to 100
    TPropertyItem *NxSpinItem_d2d_VerticalSmoothing = nullptr;   // 0 to 100
    TPropertyItem *NxCheckBoxItem_d2d_RobustWeighting = nullptr;
    TPropertyItem *NxSpinItem_d2d_MaxIterations = nullptr;       // 1 to 50
};

// 1D sequence page "NextInspector_Seq1D".
struct TSeq1DPage {
    TPropertyGrid *Inspector = nullptr;
    TPropertyItem *NxTextItem_s1d_Main = nullptr;
    TPropertyItem *NxTextItem_s1d_DispFileName = nullptr;
    TPropertyItem *NxComboBoxItem_Seq1D_ArrayType = nullptr;
    TPropertyItem *NxComboBoxItem_Seq1D_IncrementType = nullptr;
    TPropertyItem *NxTextItem_s1d_ArrayDetails = nullptr;
    TPropertyItem *NxCheckBoxItem3 = nullptr; // "Spacing #1"
    TPropertyItem *NxSpinItem_Seq1D_Spacing = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_Increment = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_SpacingCount = nullptr;
    TPropertyItem *NxCheckBoxItem_Seq1D_SecondLength = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_sndSpacing = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_sndIncrement = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_sndSpacingCount = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_sndOverlapCount = nullptr;
    TPropertyItem *NxCheckBoxItem_Seq1D_THirdLength = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_trdSpacing = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_trdIncrement = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_trdSpacingCount = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_trdOverlapCount = nullptr;
    TPropertyItem *NxCheckBoxItem_Seq1D_FourthLength = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_fthSpacing = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_fthIncrement = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_fthSpacingCount = nullptr;
    TPropertyItem *NxSpinItem_Seq1D_fthOverlapCount = nullptr;
    TPropertyItem *NxTextItem_s1d_MeasureDetails = nullptr; // hidden; neither filled nor read
    TPropertyItem *NxSpinItem_s1d_MaxDeviation = nullptr;
    TPropertyItem *NxSpinItem_s1d_MinStack = nullptr;
    TPropertyItem *NxSpinItem_s1d_MaxStack = nullptr;
    TPropertyItem *NxTextItem_s1d_ChartDetails = nullptr;
    TPropertyItem *NxComboBoxItem_s1d_DepthMethod = nullptr;
    TPropertyItem *NxCheckBoxItem_s1d_XLogScale = nullptr;
    TPropertyItem *NxCheckBoxItem_s1d_YLogScale = nullptr;
};

// 1D data page "NextInspector_d1d".
struct TData1DPage {
    TPropertyGrid *Inspector = nullptr;
    TPropertyItem *NxTextItem_d1d_Main = nullptr;
    TPropertyItem *NxTextItem_d1d_DispFileName = nullptr;
    TPropertyItem *NxTextItem_D1D_Title = nullptr;
    TPropertyItem *NxSpinItem_D1D_Count = nullptr;
    TPropertyItem *NxComboBoxItem_D1D_ArrayType = nullptr;
    TPropertyItem *NxTextItem_d1d_Filters = nullptr; // hidden; neither filled nor read
    TPropertyItem *NxCheckBoxItem_D1D_QualityFilter = nullptr;
    TPropertyItem *NxSpinItem_D1D_QualityThreshold = nullptr;
    TPropertyItem *NxTextItem_d1d_ChartDetails = nullptr;
    TPropertyItem *NxComboBoxItem_d1d_DepthMethod = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_XLogScale = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_YLogScale = nullptr;
    TPropertyItem *NxTextItem_d1d_DiagramsToShow = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowRho = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowR = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowC = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowU = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowI = nullptr;
    TPropertyItem *NxCheckBoxItem_d1d_ShowQ = nullptr;
    TPropertyItem *NxTextItem_d1d_MeasurementDetails = nullptr;
    TPropertyItem *NxSpinItem_D1D_Q = nullptr;
    TPropertyItem *NxSpinItem_D1D_MinStack = nullptr;
    TPropertyItem *NxSpinItem_D1D_MaxStack = nullptr;
    TPropertyItem *NxComboBoxItem_d1d_InducedPolarization = nullptr;
    TPropertyItem *NxComboBoxItem_d1d_TxPower = nullptr;
    TPropertyItem *NxTextItem_d1d_Inversion = nullptr;
    TPropertyItem *NxComboBoxItem_d1d_InversionMode = nullptr; // Layers, Smooth
    TPropertyItem *NxSpinItem_d1d_InversionLayers = nullptr;   // 2 to 8
};

// 0D data page "NextInspector_d0d".
struct TData0DPage {
    TPropertyGrid *Inspector = nullptr;
    TPropertyItem *NxTextItem_d0d_Main = nullptr;
    TPropertyItem *NxTextItem_d0d_DispFileName = nullptr;
    TPropertyItem *NxTextItem_d0d_Title = nullptr;
    TPropertyItem *NxSpinItem_d0d_Count = nullptr;
    TPropertyItem *NxTextItem_d0d_ChartDetails = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_XLogScale = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_YLogScale = nullptr;
    TPropertyItem *NxTextItem_d0d_VisibleDiagrams = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_ShowR = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_ShowC = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_ShowU = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_ShowI = nullptr;
    TPropertyItem *NxCheckBoxItem_d0d_ShowQ = nullptr;
    TPropertyItem *NxTextItem_d0d_MeasurementDetails = nullptr;
    TPropertyItem *NxSpinItem_d0d_Q = nullptr;
    TPropertyItem *NxSpinItem_d0d_MinStack = nullptr;
    TPropertyItem *NxSpinItem_d0d_MaxStack = nullptr;
    TPropertyItem *NxComboBoxItem_d0d_InducedPolarization = nullptr;
    TPropertyItem *NxComboBoxItem_d0d_TxPower = nullptr;
};

// Each builder creates every item of its page on an empty inspector, in
// display order, and returns the page with every member set.
TSeq2DPage BuildSeq2DPage(TPropertyGrid &inspector);
TData2DPage BuildData2DPage(TPropertyGrid &inspector);
TSeq1DPage BuildSeq1DPage(TPropertyGrid &inspector);
TData1DPage BuildData1DPage(TPropertyGrid &inspector);
TData0DPage BuildData0DPage(TPropertyGrid &inspector);
