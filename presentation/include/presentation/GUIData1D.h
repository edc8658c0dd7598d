// Presenter of a measured sounding (1D data): the record table with its
// "Used" column, the Rho curves of the spacing groups and the value curves,
// and the read-mostly inspector page with the chart settings.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"

class TArrayDetails1D;
class TMeasurements1D;

class TGUIData1D : public TGUICustom {
public:
    TGUIData1D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements);

    void ReadInspector() override;
    // Takes the "Used" boxes into the list (matched by "#"), then redraws the chart.
    void ReadTable() override;
    void FillInspector() override;
    void ShowInfo() override {} // data documents show no count panel
    void BuildChart() override;
    void FillTable() override;
    void UpdateInspectorState() override;

    TChartDetailsData1D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }

private:
    TArrayDetails1D &FDetails;
    TMeasurements1D &FMeasurements;
    TChartDetailsData1D FChartDetails;
};
