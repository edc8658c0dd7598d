// Presenter of a 0D series (repeated readings at one electrode position): the
// record table, the five value curves by record index and the read-mostly
// inspector page with the chart settings.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"

class TArrayDetails1D;
class TMeasurements1D;

class TGUIData0D : public TGUICustom {
public:
    TGUIData0D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements);

    void ReadInspector() override;
    void ReadTable() override {} // no column of the 0D table is edited
    void FillInspector() override;
    void ShowInfo() override {} // data documents show no count panel
    void BuildChart() override;
    void FillTable() override;
    void UpdateInspectorState() override;

    TChartDetailsData0D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }

private:
    TArrayDetails1D &FDetails;
    TMeasurements1D &FMeasurements;
    TChartDetailsData0D FChartDetails;
};
