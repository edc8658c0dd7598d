// The presenter of one document: fills the shared table, chart and property
// inspector page of the document's kind and reads the user's edits back. The
// window's presenters (one per kind) implement it; documents call it only
// through these operations.
#pragma once

class TDocumentPresenter {
public:
    virtual ~TDocumentPresenter() = default;

    // Fills the table, the inspector page and the chart (sequences also show
    // their count and duration information).
    virtual void ShowAll() = 0;
    // Fills the table, redraws the chart, then shows the counts.
    virtual void Refresh() = 0;
    // Takes the inspector page back into the array details, the chart details
    // and (2D data) the filter settings; 2D data then runs the filters.
    virtual void ReadInspector() = 0;
    // Takes the user's edits of the table back into the measurement list.
    virtual void ReadTable() = 0;
    // Writes the array details, settings and chart details into the inspector page.
    virtual void FillInspector() = 0;
    // Shows the measurement count and the approximate duration (sequences).
    virtual void ShowInfo() = 0;

protected:
    TDocumentPresenter() = default;
    TDocumentPresenter(const TDocumentPresenter &) = default;
    TDocumentPresenter &operator=(const TDocumentPresenter &) = default;
};
