// The presenter of a 2D data document: the measurements in the table
// NextGrid_Data2D, one of four diagrams in Chart_d2d (pseudo-section map,
// all sounding curves, all profile curves, signal diagrams) and the D2D
// inspector page with the data set's parameters, filters, chart details and
// the instrument's measurement settings.
#pragma once

#include "presentation/ChartDetails.h"
#include "presentation/GUICustom.h"
#include "presentation/PseudoSectionMap.h"

#include "inversion/SectionInversion.h"
#include "inversion/SectionSurvey.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class TArrayDetails2D;
struct TReadingCounts;
class TMeasurements2D;
class TSectionInversionRun;

class TGUIData2D : public TGUICustom {
public:
    TGUIData2D(const TPresenterViews &views, TArrayDetails2D &arrayDetails, TMeasurements2D &measurements);
    ~TGUIData2D() override; // cancels a running inversion and waits for it

    void ReadInspector() override;
    // Takes the "Used" checks back into the list, then redraws the chart.
    void ReadTable() override;
    void FillInspector() override;
    // The reading counts (all, used, passing the filters) and the inverted
    // model's iterations, RMS and chi-squared (or that there is none) in the
    // info panel; after an update the counts also in the status bar.
    void ShowInfo() override;
    void ShowUpdateStatus() override;
    void BuildChart() override;
    void FillTable() override;
    void UpdateInspectorState() override;

    // Table pop-up "Check Selected" / "UnCheck Selected": sets the "Used"
    // check of the given model rows (rows whose check is read-only keep it)
    // with the table's repainting suspended. The window then calls ReadTable.
    void SetUsedChecks(const QList<int> &modelRows, bool used);
    // After the user sorted the table: the Used checks are read (and the chart
    // built again only when one changed), and after a sort by a value column
    // the grid moves to its first row.
    void TableSorted(int column);
    // Whether a sort by this column moves the grid to its first row.
    static bool SortMovesToFirstRow(int column);

    TChartDetailsData2D &ChartDetails() { return FChartDetails; }
    TChartDetailsCustom &CommonChartDetails() override { return FChartDetails; }
    const TChartDetailsData2D &ChartDetails() const { return FChartDetails; }

    // Inversion (GUIData2DModel.cpp). The page's "Inversion" values, kept
    // with the presenter as the 1D page keeps its mode and layers.
    inversion::TSectionInversionOptions InversionOptions;
    double ErrorFloorPercent = 1.0; // smallest relative error of a reading
    // Reads the page's "Inversion" items only (the data stay as they are).
    void ReadInversionItems();
    // The readings the Used ticks and the filters leave, with the reason
    // when they cannot be inverted.
    inversion::TSectionReadings InversionReadings() const;
    // Inverts here and now, then shows the model (progress: each iteration).
    // Answers an empty text, or why the data cannot be inverted (the model is
    // then cleared).
    QString Invert(const std::function<void(const inversion::TSectionProgress &)> &progress = {});
    // Starts the inversion in a worker thread; its Finished attaches the
    // model. Answers an empty text, or why it did not start.
    QString StartInversion();
    // The running inversion, or null.
    TSectionInversionRun *RunningInversion() const;
    // Forgets the model (and stops a running inversion) and redraws.
    void ClearModel();
    const std::optional<inversion::TSectionModel> &Model() const { return FModel; }
    // The readings the model was made from.
    const std::vector<inversion::TSectionReading> &ModelReadings() const { return FModelReadings; }

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
    // Copies the table's Used checks into the measurements; whether one changed.
    bool ReadUsedChecks();
    TReadingCounts ReadingCounts() const;
    // The inverted model's fit and details in the info panel (GUIData2DModel.cpp).
    void ShowModelInfo();
    bool CarriesChargeability() const;
    void SetupSeries();
    void SetupAxes();
    void DrawPseudoSection();
    void DrawSoundingCurves();
    void DrawProfileCurves();
    void DrawSignals();
    void DrawModelSection();
    void DrawMisfit();
    // The model and a running inversion belong to the readings they were
    // made from: once the filters, Used ticks or an append change those,
    // the model goes and the inversion stops.
    void DropModelOfOtherData();
    void AttachModel(inversion::TSectionModel model, std::vector<inversion::TSectionReading> readings);
    void FinishInversion();
    QString InversionProblem(const inversion::TSectionReadings &readings) const;
    // Grids and colours the pseudo-section into Series_2D (the map is reused
    // while the drawn points and the gridding settings stay the same).
    void BuildMap();
    TMapSettings MapSettings() const;
    // Starts gridding the map of the pseudo-section shown (see TMapCache::Prefetch).
    void PrefetchMap();
    // A map message is shown once per point set of this document.
    void ShowMapMessageOnce(const TMapPoints &points, TMapOutcome outcome);

    TArrayDetails2D &FArrayDetails;    // not owned
    TMeasurements2D &FMeasurements;    // not owned
    TChartDetailsData2D FChartDetails;
    TMapCache FMapCache;
    std::vector<uint64_t> FMessagedMaps; // fingerprints of point sets whose message was shown
    std::optional<inversion::TSectionModel> FModel;
    std::vector<inversion::TSectionReading> FModelReadings;
    std::unique_ptr<TSectionInversionRun> FRun;
};
