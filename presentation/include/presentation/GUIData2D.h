// The presenter of a 2D data document: the measurements in the table
// NextGrid_Data2D, one of four diagrams in Chart_d2d (pseudo-section map,
// all sounding curves, all profile curves, signal diagrams) and the D2D
// inspector page with the data set's parameters, filters, chart details and
// the instrument's measurement settings.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"
#include "presentation/PseudoSectionMap.h"

#include <QList>

#include <cstdint>
#include <vector>

class TArrayDetails2D;
struct TReadingCounts;
class TMeasurements2D;

class TGUIData2D : public TGUICustom {
public:
    TGUIData2D(const TPresenterViews &views, TArrayDetails2D &arrayDetails, TMeasurements2D &measurements);

    void ReadInspector() override;
    // Takes the "Used" checks back into the list, then redraws the chart.
    void ReadTable() override;
    void FillInspector() override;
    // The reading counts (all, used, passing the filters) in the info
    // panel, and after an update in the status bar.
    void ShowInfo() override;
    void ShowUpdateStatus() override;
    void BuildChart() override;
    void FillTable() override;
    void UpdateInspectorState() override;

    // Table pop-up "Check Selected" / "UnCheck Selected": sets the "Used"
    // check of the given model rows (rows whose check is read-only keep it)
    // with the table's repainting suspended. The window then calls ReadTable.
    void SetUsedChecks(const QList<int> &modelRows, bool used);
    // After the user sorted the table: ReadTable, and after a sort by a value
    // column the grid moves to its first row.
    void TableSorted(int column);
    // Whether a sort by this column moves the grid to its first row.
    static bool SortMovesToFirstRow(int column);

    TChartDetailsData2D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }
    const TChartDetailsData2D &ChartDetails() const { return FChartDetails; }

    // Table columns.
    enum TColumn : int {
        ColumnNumber,
        ColumnUsed,
        ColumnFilter,
        ColumnPseudoDepth,
        ColumnA,
        ColumnM,
        ColumnN,
        ColumnB,
        ColumnResistivity,
        ColumnChargeability,
        ColumnVoltage,
        ColumnCurrent,
        ColumnQuality,
        ColumnCount
    };

private:
    TReadingCounts ReadingCounts() const;
    bool CarriesChargeability() const;
    void SetupSeries();
    void SetupAxes();
    void DrawPseudoSection();
    void DrawSoundingCurves();
    void DrawProfileCurves();
    void DrawSignals();
    // Grids and colours the pseudo-section into Series_2D (the map is reused
    // while the drawn points and the gridding settings stay the same).
    void BuildMap();
    // A map message is shown once per point set of this document.
    void ShowMapMessageOnce(const TMapPoints &points, TMapOutcome outcome);

    TArrayDetails2D &FArrayDetails;    // not owned
    TMeasurements2D &FMeasurements;    // not owned
    TChartDetailsData2D FChartDetails;
    TMapCache FMapCache;
    std::vector<uint64_t> FMessagedMaps; // fingerprints of point sets whose message was shown
};
