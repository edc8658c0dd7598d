// The five inspector pages of the program: every item a page carries, with
// its caption, kind, first value, list, limits and first state, created on the
// page's inspector by one builder per page. Each page struct holds a typed
// pointer per item, named as the item (its objectName), so presenters and the
// window's editing rules reach items without a lookup by name.
#pragma once

#include "controls/Inspector.h"

#include <QStringList>

// Lists shared by several pages and by the presenters that refill them.
QStringList ArrayTypeLines();              // the ten array names, by code
QStringList SpacingFactorLines(int group); // group 1 to 4: "<group> x A" to "25 x A"
QStringList DepthMethodLines();            // "AB Proportional", "Median Depth"
QStringList ValuesToShowLines(bool withChargeability);
QStringList InducedPolarizationLines(); // "disabled", then the windows in ms
QStringList TxPowerLines();             // the 22 transmitter powers in percent

// 2D sequence page "NextInspector_Sequence". The members are declared in the
// page's flat display order (indices 0 to 32); the presenter enables or
// disables "every item from File to the end" by that order.
struct TSeq2DPage {
    TInspector *Inspector = nullptr;
    TInspectorItem *NxTextItem1 = nullptr; // "Main"
    TInspectorItem *NxComboBoxItem_SequenceType = nullptr;
    TInspectorItem *NxComboBoxItem_SingleSequencies = nullptr;
    TInspectorItem *NxTextItem_s2d_DispFileName = nullptr;
    TInspectorItem *NxComboBoxItem_ArrayType = nullptr;
    TInspectorItem *NxTextItem_Spacing = nullptr;
    TInspectorItem *NxTextItem4 = nullptr; // "Array Details"
    TInspectorItem *NxCheckBoxItem2 = nullptr;
    TInspectorItem *NxComboBoxItem_Spacing = nullptr;
    TInspectorItem *NxSpinItem_Count = nullptr;
    TInspectorItem *NxSpinItem_LevelFreq = nullptr;
    TInspectorItem *NxSpinItem_fstOverlapCount = nullptr;
    TInspectorItem *NxCheckBoxItem_SecondLength = nullptr;
    TInspectorItem *NxComboBoxItem_sndSpacing = nullptr;
    TInspectorItem *NxSpinItem_sndLevelCount = nullptr;
    TInspectorItem *NxSpinItem_sndLevelFreq = nullptr;
    TInspectorItem *NxSpinItem_sndOverlapCount = nullptr;
    TInspectorItem *NxCheckBoxItem_ThirdLength = nullptr;
    TInspectorItem *NxComboBoxItem_trdSpacing = nullptr;
    TInspectorItem *NxSpinItem_trdLevelCount = nullptr;
    TInspectorItem *NxSpinItem_trdLevelFreq = nullptr;
    TInspectorItem *NxSpinItem_trdOverlapCount = nullptr;
    TInspectorItem *NxCheckBoxItem_FourthLength = nullptr;
    TInspectorItem *NxComboBoxItem_fthSpacing = nullptr;
    TInspectorItem *NxSpinItem_fthLevelCount = nullptr;
    TInspectorItem *NxSpinItem_fthLevelFreq = nullptr;
    TInspectorItem *NxSpinItem_fthOverlapCount = nullptr;
    TInspectorItem *NxTextItem_s2d_ChartDetails = nullptr;
    TInspectorItem *NxComboBoxItem_s2d_DepthMethod = nullptr;
    TInspectorItem *NxCheckBoxItem_s2d_XLogScale = nullptr;
    TInspectorItem *NxCheckBoxItem_s2d_YLogScale = nullptr;
    TInspectorItem *NxTextItem17 = nullptr; // "Other Details"
    TInspectorItem *NxCheckBoxItem_S2D_ElCoordMode = nullptr;
};

// 2D data page "NextInspector_Data2D".
struct TData2DPage {
    TInspector *Inspector = nullptr;
    TInspectorItem *NxTextItem_d2d_Main = nullptr;
    TInspectorItem *NxTextItem_d2d_DispFileName = nullptr;
    TInspectorItem *NxTextItem_Data2D_Title = nullptr;
    TInspectorItem *NxSpinItem_Data2D_Count = nullptr;
    TInspectorItem *NxComboBoxItem_Data2D_ArrayType = nullptr;
    TInspectorItem *NxSpinItem_Data2D_Spacing = nullptr;
    TInspectorItem *NxTextItem_d2d_Filters = nullptr;
    TInspectorItem *NxCheckBoxItem_ApplySAFilter = nullptr;
    TInspectorItem *NxSpinItem_SAWindowWidth = nullptr;
    TInspectorItem *NxTextItem3 = nullptr; // "Bound Filters"
    TInspectorItem *NxCheckBoxItem_QualityFilter = nullptr;
    TInspectorItem *NxSpinItem_QualityThreshold = nullptr;
    TInspectorItem *NxCheckBoxItem_VoltageFilter = nullptr;
    TInspectorItem *NxSpinItem_VoltageMinValue = nullptr;
    TInspectorItem *NxSpinItem_VoltageMaxValue = nullptr;
    TInspectorItem *NxCheckBoxItem_CurrentFilter = nullptr;
    TInspectorItem *NxSpinItem_CurrentMinValue = nullptr;
    TInspectorItem *NxSpinItem_CurrentMaxValue = nullptr;
    TInspectorItem *NxCheckBoxItem_ResistivityFilter = nullptr;
    TInspectorItem *NxSpinItem_ResistivityMinValue = nullptr;
    TInspectorItem *NxSpinItem_ResistivityMaxValue = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ChargeAbilityFilter = nullptr;
    TInspectorItem *NxSpinItem_d2d_ChargeabilityMinValue = nullptr;
    TInspectorItem *NxSpinItem_d2d_ChargeabilityMaxValue = nullptr;
    TInspectorItem *NxTextItem_d2d_ChartDetails = nullptr;
    TInspectorItem *NxComboBoxItem_d2d_ValuesToShow = nullptr;
    TInspectorItem *NxComboBoxItem_d2d_VisibleDiagrams = nullptr;
    TInspectorItem *NxComboBoxItem_D2D_ApproximationType = nullptr;
    TInspectorItem *NxSpinItem_ApproximationRadius = nullptr;
    TInspectorItem *NxComboBoxItem_d2d_DepthMethod = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_XLogScale = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_YLogScale = nullptr;
    TInspectorItem *NxTextItem_d2d_DiagramsToShow = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowRho = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowR = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowC = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowU = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowI = nullptr;
    TInspectorItem *NxCheckBoxItem_d2d_ShowQ = nullptr;
    TInspectorItem *NxTextItem_d2d_MeasurementDetails = nullptr;
    TInspectorItem *NxSpinItem_D2D_Q = nullptr;
    TInspectorItem *NxSpinItem_D2D_MinStack = nullptr;
    TInspectorItem *NxSpinItem_D2D_MaxStack = nullptr;
    TInspectorItem *NxComboBoxItem_D2D_InducedPolarization = nullptr;
    TInspectorItem *NxComboBoxItem_D2D_TxPower = nullptr;
    TInspectorItem *NxTextItem_d2d_OtherDetails = nullptr;
    TInspectorItem *NxCheckBoxItem_ElCoordMode = nullptr;
};

// 1D sequence page "NextInspector_Seq1D".
struct TSeq1DPage {
    TInspector *Inspector = nullptr;
    TInspectorItem *NxTextItem_s1d_Main = nullptr;
    TInspectorItem *NxTextItem_s1d_DispFileName = nullptr;
    TInspectorItem *NxComboBoxItem_Seq1D_ArrayType = nullptr;
    TInspectorItem *NxComboBoxItem_Seq1D_IncrementType = nullptr;
    TInspectorItem *NxTextItem_s1d_ArrayDetails = nullptr;
    TInspectorItem *NxCheckBoxItem3 = nullptr; // "Spacing #1"
    TInspectorItem *NxSpinItem_Seq1D_Spacing = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_Increment = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_SpacingCount = nullptr;
    TInspectorItem *NxCheckBoxItem_Seq1D_SecondLength = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_sndSpacing = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_sndIncrement = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_sndSpacingCount = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_sndOverlapCount = nullptr;
    TInspectorItem *NxCheckBoxItem_Seq1D_THirdLength = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_trdSpacing = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_trdIncrement = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_trdSpacingCount = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_trdOverlapCount = nullptr;
    TInspectorItem *NxCheckBoxItem_Seq1D_FourthLength = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_fthSpacing = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_fthIncrement = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_fthSpacingCount = nullptr;
    TInspectorItem *NxSpinItem_Seq1D_fthOverlapCount = nullptr;
    TInspectorItem *NxTextItem_s1d_MeasureDetails = nullptr; // hidden; neither filled nor read
    TInspectorItem *NxSpinItem_s1d_MaxDeviation = nullptr;
    TInspectorItem *NxSpinItem_s1d_MinStack = nullptr;
    TInspectorItem *NxSpinItem_s1d_MaxStack = nullptr;
    TInspectorItem *NxTextItem_s1d_ChartDetails = nullptr;
    TInspectorItem *NxComboBoxItem_s1d_DepthMethod = nullptr;
    TInspectorItem *NxCheckBoxItem_s1d_XLogScale = nullptr;
    TInspectorItem *NxCheckBoxItem_s1d_YLogScale = nullptr;
};

// 1D data page "NextInspector_d1d".
struct TData1DPage {
    TInspector *Inspector = nullptr;
    TInspectorItem *NxTextItem_d1d_Main = nullptr;
    TInspectorItem *NxTextItem_d1d_DispFileName = nullptr;
    TInspectorItem *NxTextItem_D1D_Title = nullptr;
    TInspectorItem *NxSpinItem_D1D_Count = nullptr;
    TInspectorItem *NxComboBoxItem_D1D_ArrayType = nullptr;
    TInspectorItem *NxTextItem_d1d_Filters = nullptr; // hidden; neither filled nor read
    TInspectorItem *NxCheckBoxItem_D1D_QualityFilter = nullptr;
    TInspectorItem *NxSpinItem_D1D_QualityThreshold = nullptr;
    TInspectorItem *NxTextItem_d1d_ChartDetails = nullptr;
    TInspectorItem *NxComboBoxItem_d1d_DepthMethod = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_XLogScale = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_YLogScale = nullptr;
    TInspectorItem *NxTextItem_d1d_DiagramsToShow = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowRho = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowR = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowC = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowU = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowI = nullptr;
    TInspectorItem *NxCheckBoxItem_d1d_ShowQ = nullptr;
    TInspectorItem *NxTextItem_d1d_MeasurementDetails = nullptr;
    TInspectorItem *NxSpinItem_D1D_Q = nullptr;
    TInspectorItem *NxSpinItem_D1D_MinStack = nullptr;
    TInspectorItem *NxSpinItem_D1D_MaxStack = nullptr;
    TInspectorItem *NxComboBoxItem_d1d_InducedPolarization = nullptr;
    TInspectorItem *NxComboBoxItem_d1d_TxPower = nullptr;
};

// 0D data page "NextInspector_d0d".
struct TData0DPage {
    TInspector *Inspector = nullptr;
    TInspectorItem *NxTextItem_d0d_Main = nullptr;
    TInspectorItem *NxTextItem_d0d_DispFileName = nullptr;
    TInspectorItem *NxTextItem_d0d_Title = nullptr;
    TInspectorItem *NxSpinItem_d0d_Count = nullptr;
    TInspectorItem *NxTextItem_d0d_ChartDetails = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_XLogScale = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_YLogScale = nullptr;
    TInspectorItem *NxTextItem_d0d_VisibleDiagrams = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_ShowR = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_ShowC = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_ShowU = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_ShowI = nullptr;
    TInspectorItem *NxCheckBoxItem_d0d_ShowQ = nullptr;
    TInspectorItem *NxTextItem_d0d_MeasurementDetails = nullptr;
    TInspectorItem *NxSpinItem_d0d_Q = nullptr;
    TInspectorItem *NxSpinItem_d0d_MinStack = nullptr;
    TInspectorItem *NxSpinItem_d0d_MaxStack = nullptr;
    TInspectorItem *NxComboBoxItem_d0d_InducedPolarization = nullptr;
    TInspectorItem *NxComboBoxItem_d0d_TxPower = nullptr;
};

// Each builder creates every item of its page on an empty inspector, in
// display order, and returns the page with every member set.
TSeq2DPage BuildSeq2DPage(TInspector &inspector);
TData2DPage BuildData2DPage(TInspector &inspector);
TSeq1DPage BuildSeq1DPage(TInspector &inspector);
TData1DPage BuildData1DPage(TInspector &inspector);
TData0DPage BuildData0DPage(TInspector &inspector);
