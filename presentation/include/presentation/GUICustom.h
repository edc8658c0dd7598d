// The presenter base: one presenter per document fills the shared table,
// chart and inspector page of its kind from the document and reads the user's
// edits back. Documents call it through TDocumentPresenter; the shared
// routines of several kinds live here.
#pragma once

#include "presentation/ChartDetails.h"

#include "documents/DocumentPresenter.h"
#include "presentation/PresenterViews.h"

#include <QString>
#include <utility>

class TChart;

class TGUICustom : public TDocumentPresenter {
public:
    explicit TGUICustom(const TPresenterViews &views) : FViews(views) {}

    // Clears the document's chart and fills it from the measurement list.
    virtual void BuildChart() = 0;
    // Clears the document's table and writes one row per measurement.
    virtual void FillTable() = 0;
    // Enables, disables, checks, expands or hides inspector items as the
    // current settings require.
    virtual void UpdateInspectorState() = 0;
    // The chart settings every kind has (the log axes).
    virtual TChartDetailsCustom &CommonChartDetails() = 0;

    // FillTable, FillInspector, BuildChart, then ShowInfo (counts and
    // durations of sequences, reading counts of 2D and 1D data).
    void ShowAll() final;
    // FillTable, BuildChart, ShowInfo, then ShowUpdateStatus.
    void Refresh() final;
    // After an update: what the status bar says of it (data documents: the
    // reading counts); nothing by default.
    virtual void ShowUpdateStatus() {}

    // Fits log axes to whole decades around the active series' values
    // (values <= 0 are ignored); axes without the log flag become automatic.
    static void ApplyLogScales(TChart &chart, bool xLogarithmic, bool yLogarithmic);
    // Captions of the AB/2-like and MN/2-like spacing of an array type.
    static std::pair<QString, QString> SoundingAxisTitles(uint32_t arrayType);

protected:
    const TPresenterViews &Views() const { return FViews; }

private:
    TPresenterViews FViews;
};
