#include "presentation/StandaloneViews.h"

#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"
#include "presentation/PresenterFactory.h"
#include "presentation/TableSetup.h"

#include "controls/Chart.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include <QLabel>
#include <QWidget>

#include <stdexcept>
#include <type_traits>

namespace {

// The table, chart and inspector page of one document kind, named as the
// window names them, so that a picture carries the chart's name as the
// window's.
template <class TParts, class TPage> struct TKindControls {
    TKindControls(QWidget &parent, const char *table, const char *chart, const char *inspector,
                  TParts (*buildChart)(TChart &), TPage (*buildPage)(TPropertyGrid &))
        : Table(QString::fromLatin1(table), &parent), ChartWidget(QString::fromLatin1(chart), &parent),
          Inspector(QString::fromLatin1(inspector), &parent), Chart(buildChart(ChartWidget)),
          Page(buildPage(Inspector))
    {
    }
    TGridView Table;
    TChart ChartWidget;
    TPropertyGrid Inspector;
    TParts Chart;
    TPage Page;
};

} // namespace

// Every control is a child of one widget that is never shown.
struct TStandaloneViews::TControls {
    QWidget Parent;
    std::unique_ptr<TKindControls<TSeq2DChart, TSeq2DPage>> Seq2D;
    std::unique_ptr<TKindControls<TData2DChart, TData2DPage>> Data2D;
    std::unique_ptr<TKindControls<TSeq1DChart, TSeq1DPage>> Seq1D;
    std::unique_ptr<TKindControls<TData1DChart, TData1DPage>> Data1D;
    std::unique_ptr<TKindControls<TData0DChart, TData0DPage>> Data0D;
    QLabel CountPanel{&Parent};
    QLabel DurationPanel{&Parent};
    QLabel ModelPanel{&Parent};
};

TStandaloneViews::TStandaloneViews()
{
    BuildControls(std::nullopt);
}

TStandaloneViews::TStandaloneViews(TDocumentKind kind)
{
    BuildControls(kind);
}

void TStandaloneViews::BuildControls(std::optional<TDocumentKind> only)
{
    const auto wanted = [only](TDocumentKind kind) { return !only || *only == kind; };
    FControls = std::make_unique<TControls>();
    TControls &c = *FControls;
    QWidget &parent = c.Parent;
    // Builds one kind's controls into its slot and points the views at them.
    const auto build = [&](TDocumentKind kind, auto &slot, const char *table, const char *chart, const char *inspector,
                           auto buildChart, auto buildPage, TGridView *&tableView, auto *&chartView, auto *&pageView) {
        if (!wanted(kind)) return;
        slot = std::make_unique<typename std::remove_reference_t<decltype(slot)>::element_type>(
            parent, table, chart, inspector, buildChart, buildPage);
        tableView = &slot->Table;
        chartView = &slot->Chart;
        pageView = &slot->Page;
    };
    build(TDocumentKind::Seq2D, c.Seq2D, "NextGrid_Sequence", "Chart_Seq2D", "NextInspector_Sequence",
          BuildSeq2DChart, BuildSeq2DPage, FViews.SequenceTable, FViews.Seq2DChart, FViews.Seq2DPage);
    build(TDocumentKind::Data2D, c.Data2D, "NextGrid_Data2D", "Chart_d2d", "NextInspector_Data2D", BuildData2DChart,
          BuildData2DPage, FViews.Data2DTable, FViews.Data2DChart, FViews.Data2DPage);
    build(TDocumentKind::Seq1D, c.Seq1D, "NextGrid_Seq1D", "Chart_s1d", "NextInspector_Seq1D", BuildSeq1DChart,
          BuildSeq1DPage, FViews.Seq1DTable, FViews.Seq1DChart, FViews.Seq1DPage);
    build(TDocumentKind::Data1D, c.Data1D, "NextGrid_Data1D", "Chart_Data1D", "NextInspector_d1d", BuildData1DChart,
          BuildData1DPage, FViews.Data1DTable, FViews.Data1DChart, FViews.Data1DPage);
    build(TDocumentKind::Data0D, c.Data0D, "NextGrid_Data0D", "Chart_Data0D", "NextInspector_d0d", BuildData0DChart,
          BuildData0DPage, FViews.Data0DTable, FViews.Data0DChart, FViews.Data0DPage);
    FViews.Host = this;
    FViews.MeasureCountPanel = &c.CountPanel;
    FViews.DurationPanel = &c.DurationPanel;
    SetUpTables(FViews);
    FViews.ModelPanel = &c.ModelPanel;
}

TStandaloneViews::~TStandaloneViews() = default;

TChart &TStandaloneViews::ChartOf(TDocumentKind kind) const
{
    const TControls &c = *FControls;
    TChart *chart = nullptr;
    switch (kind) {
    case TDocumentKind::Seq2D: chart = c.Seq2D ? &c.Seq2D->ChartWidget : nullptr; break;
    case TDocumentKind::Data2D: chart = c.Data2D ? &c.Data2D->ChartWidget : nullptr; break;
    case TDocumentKind::Seq1D: chart = c.Seq1D ? &c.Seq1D->ChartWidget : nullptr; break;
    case TDocumentKind::Data1D: chart = c.Data1D ? &c.Data1D->ChartWidget : nullptr; break;
    case TDocumentKind::Data0D: chart = c.Data0D ? &c.Data0D->ChartWidget : nullptr; break;
    }
    if (!chart) throw std::logic_error("no chart was built for this document kind");
    return *chart;
}

void TStandaloneViews::ShowMessage(const QString &text)
{
    if (FMessageCallback) FMessageCallback(text);
}

std::unique_ptr<TDocumentPresenter> TStandaloneDocumentHost::CreatePresenter(TDocumentKind kind,
                                                                             TArrayDetailsCustom &arrayDetails,
                                                                             TMeasurementsCustom &measurements)
{
    return CreateGUIPresenter(kind, arrayDetails, measurements, FViews);
}
