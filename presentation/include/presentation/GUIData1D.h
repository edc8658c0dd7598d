// Presenter of a measured sounding (1D data): the record table with its
// "Used" column, the Rho curves of the spacing groups and the value curves,
// and the read-mostly inspector page with the chart settings.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"

#include "inversion/SoundingInversion.h"

#include <QString>

#include <optional>
#include <vector>

class TArrayDetails1D;
struct TReadingCounts;
class TMeasurements1D;

class TGUIData1D : public TGUICustom {
public:
    TGUIData1D(const TPresenterViews &views, TArrayDetails1D &arrayDetails, TMeasurements1D &measurements);

    void ReadInspector() override;
    // Takes the "Used" boxes into the list (matched by "#"), then redraws the chart.
    void ReadTable() override;
    void FillInspector() override;
    // The fit and the model table of the inverted model, or that there is none.
    void ShowInfo() override;
    void ShowUpdateStatus() override; // the reading counts
    void BuildChart() override;
    void FillTable() override;
    void UpdateInspectorState() override;

    TChartDetailsData1D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }

    // Inverts the readings in use with the mode and layer count of the page,
    // then shows the model on the chart and in the info panel. Answers an
    // empty text, or why the sounding cannot be inverted (the model is then
    // cleared).
    QString Invert();
    // Forgets the model (the data it was made from have changed) and redraws.
    void ClearModel();
    const std::optional<inversion::InversionResult> &Model() const { return FModel; }

    inversion::InversionMode InversionMode = inversion::InversionMode::Layers;
    int InversionLayers = 3;

private:
    TReadingCounts ReadingCounts() const;
    void ShowModelCurves(struct TData1DChart &chart) const;

    TArrayDetails1D &FDetails;
    TMeasurements1D &FMeasurements;
    TChartDetailsData1D FChartDetails;
    std::optional<inversion::InversionResult> FModel;
    std::vector<double> FModelHalfAB; // AB/2 of each reading the model was fitted to
};
