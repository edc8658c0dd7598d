// Presenter of a 2D sequence design: the table of electrode positions, the
// point plot of the pseudo-section (one series per spacing group, and the
// points of the base sequence a roll-along continues), the design page of the
// inspector and the count and duration information.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"

#include <cstdint>

class TArrayDetails2D;
class TMeasurements2D;

class TGUISeq2D : public TGUICustom {
public:
    TGUISeq2D(const TPresenterViews &views, TArrayDetails2D &arrayDetails, TMeasurements2D &measurements);

    void ReadInspector() override;
    void ReadTable() override {} // the table is display only
    void FillInspector() override;
    void ShowInfo() override;
    void BuildChart() override;
    void FillTable() override;
    // The design page has no state rule of its own: the window's handlers
    // switch its items.
    void UpdateInspectorState() override {}

    TChartDetailsSeq2D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }

private:
    TArrayDetails2D &FDetails;
    TMeasurements2D &FMeasurements;
    TChartDetailsSeq2D FChartDetails;
};

// Estimated recording time of n measurements: n x 2138 ms (three 456 ms
// cycles and 770 ms of switching) plus five percent, as whole minutes and
// the seconds left over.
struct TSequenceDuration {
    int64_t Minutes = 0;
    int64_t Seconds = 0;
};
TSequenceDuration SequenceDuration(uint32_t measurementCount);
