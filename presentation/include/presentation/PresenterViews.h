// What the window hands its presenters: typed pointers to the shared tables,
// charts (with their series), inspector pages and info panels, and the
// window's UpdatesEnabled flag. Presenters reach the window through this
// record only; they never look a control up by name.
#pragma once

class QLabel;
class TGridView;
struct TSeq2DPage;
struct TData2DPage;
struct TSeq1DPage;
struct TData1DPage;
struct TData0DPage;
struct TSeq2DChart;
struct TData2DChart;
struct TSeq1DChart;
struct TData1DChart;
struct TData0DChart;
class TPresenterHost;
class QString;
struct TChartPreferences;

struct TPresenterViews {
    TPresenterHost *Host = nullptr;
    // The chart settings kept from the last run, which new presenters start
    // from (null: none, the defaults apply), and the record every update of a
    // property page writes its document's settings into, to be kept for the next run.
    const TChartPreferences *Preferences = nullptr;
    TChartPreferences *ChosenPreferences = nullptr;

    TGridView *SequenceTable = nullptr; // NextGrid_Sequence
    TGridView *Data2DTable = nullptr;   // NextGrid_Data2D
    TGridView *Seq1DTable = nullptr;    // NextGrid_Seq1D
    TGridView *Data1DTable = nullptr;   // NextGrid_Data1D
    TGridView *Data0DTable = nullptr;   // NextGrid_Data0D

    TSeq2DChart *Seq2DChart = nullptr;
    TData2DChart *Data2DChart = nullptr;
    TSeq1DChart *Seq1DChart = nullptr;
    TData1DChart *Data1DChart = nullptr;
    TData0DChart *Data0DChart = nullptr;

    TSeq2DPage *Seq2DPage = nullptr;
    TData2DPage *Data2DPage = nullptr;
    TSeq1DPage *Seq1DPage = nullptr;
    TData1DPage *Data1DPage = nullptr;
    TData0DPage *Data0DPage = nullptr;

    QLabel *MeasureCountPanel = nullptr; // NxInfoPanel_MeasureCount
    QLabel *DurationPanel = nullptr;     // NxInfoPanel_Duration
    QLabel *ModelPanel = nullptr;        // NxInfoPanel_Model: the inverted model's table
    QLabel *ReadingsPanel = nullptr;     // NxInfoPanel_Readings: data documents' reading counts
};

// The window's side of the presenters: the UpdatesEnabled flag (false while
// the program itself writes inspector items, so that the change events those
// writes raise start no update) and the message box (the map builder's
// message).
class TPresenterHost {
public:
    virtual ~TPresenterHost() = default;
    virtual void SetUpdatesEnabled(bool enabled) = 0;
    virtual bool UpdatesEnabled() const = 0;
    virtual void ShowMessage(const QString &text) = 0;
    // A line for the status bar (hosts without one ignore it).
    virtual void ShowStatus(const QString &text) { (void)text; }

protected:
    TPresenterHost() = default;
};

// Clears UpdatesEnabled for the program's own writes and sets it again on
// every way out of the scope (also when the writes are interrupted).
class TUpdatesPause {
public:
    explicit TUpdatesPause(const TPresenterViews &views) : FHost(views.Host)
    {
        if (FHost) FHost->SetUpdatesEnabled(false);
    }
    ~TUpdatesPause()
    {
        if (FHost) FHost->SetUpdatesEnabled(true);
    }
    TUpdatesPause(const TUpdatesPause &) = delete;
    TUpdatesPause &operator=(const TUpdatesPause &) = delete;

private:
    TPresenterHost *FHost;
};
