// Presenter of a 1D sounding design: the AB/2, MN/2 table (editable for a
// Custom design), one AB/2 against MN/2 line per spacing group, the design
// page of the inspector and the count information.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"

class TArrayDetails1D;
class TMeasurements1D;

class TGUISeq1D : public TGUICustom {
public:
    TGUISeq1D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements);

    void ReadInspector() override;
    // Takes the AB/2 and MN/2 cells into the list, then redraws table and chart.
    void ReadTable() override;
    void FillInspector() override;
    void ShowInfo() override;
    void BuildChart() override;
    void FillTable() override;
    // Increment items by array type; the spacing-group check boxes by array
    // type and group count.
    void UpdateInspectorState() override;

    TChartDetailsSeq1D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }

private:
    TArrayDetails1D &FDetails;
    TMeasurements1D &FMeasurements;
    TChartDetailsSeq1D FChartDetails;
};

// Whether a 1D design of the array type may have spacing groups 2 to 4: every
// type but Wenner, Wenner Beta, Wenner Gamma and Pole Pole.
bool ArrayTypeTakesGroups1D(uint32_t arrayType);
