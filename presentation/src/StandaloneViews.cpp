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

// Every control is a child of one widget that is never shown; the names are
// the window's, so that a picture carries the chart's name as the window's.
struct TStandaloneViews::TControls {
    QWidget Parent;
    TGridView SequenceTable{QStringLiteral("NextGrid_Sequence"), &Parent};
    TGridView Data2DTable{QStringLiteral("NextGrid_Data2D"), &Parent};
    TGridView Seq1DTable{QStringLiteral("NextGrid_Seq1D"), &Parent};
    TGridView Data1DTable{QStringLiteral("NextGrid_Data1D"), &Parent};
    TGridView Data0DTable{QStringLiteral("NextGrid_Data0D"), &Parent};
    TChart Seq2DChartWidget{QStringLiteral("Chart_Seq2D"), &Parent};
    TChart Data2DChartWidget{QStringLiteral("Chart_d2d"), &Parent};
    TChart Seq1DChartWidget{QStringLiteral("Chart_s1d"), &Parent};
    TChart Data1DChartWidget{QStringLiteral("Chart_Data1D"), &Parent};
    TChart Data0DChartWidget{QStringLiteral("Chart_Data0D"), &Parent};
    TPropertyGrid Seq2DInspector{QStringLiteral("NextInspector_Sequence"), &Parent};
    TPropertyGrid Data2DInspector{QStringLiteral("NextInspector_Data2D"), &Parent};
    TPropertyGrid Seq1DInspector{QStringLiteral("NextInspector_Seq1D"), &Parent};
    TPropertyGrid Data1DInspector{QStringLiteral("NextInspector_d1d"), &Parent};
    TPropertyGrid Data0DInspector{QStringLiteral("NextInspector_d0d"), &Parent};
    QLabel CountPanel{&Parent};
    QLabel DurationPanel{&Parent};
    QLabel ModelPanel{&Parent};

    TSeq2DChart Seq2DChart = BuildSeq2DChart(Seq2DChartWidget);
    TData2DChart Data2DChart = BuildData2DChart(Data2DChartWidget);
    TSeq1DChart Seq1DChart = BuildSeq1DChart(Seq1DChartWidget);
    TData1DChart Data1DChart = BuildData1DChart(Data1DChartWidget);
    TData0DChart Data0DChart = BuildData0DChart(Data0DChartWidget);
    TSeq2DPage Seq2DPage = BuildSeq2DPage(Seq2DInspector);
    TData2DPage Data2DPage = BuildData2DPage(Data2DInspector);
    TSeq1DPage Seq1DPage = BuildSeq1DPage(Seq1DInspector);
    TData1DPage Data1DPage = BuildData1DPage(Data1DInspector);
    TData0DPage Data0DPage = BuildData0DPage(Data0DInspector);
};

TStandaloneViews::TStandaloneViews() : FControls(std::make_unique<TControls>())
{
    TControls &c = *FControls;
    FViews.Host = this;
    FViews.SequenceTable = &c.SequenceTable;
    FViews.Data2DTable = &c.Data2DTable;
    FViews.Seq1DTable = &c.Seq1DTable;
    FViews.Data1DTable = &c.Data1DTable;
    FViews.Data0DTable = &c.Data0DTable;
    FViews.Seq2DChart = &c.Seq2DChart;
    FViews.Data2DChart = &c.Data2DChart;
    FViews.Seq1DChart = &c.Seq1DChart;
    FViews.Data1DChart = &c.Data1DChart;
    FViews.Data0DChart = &c.Data0DChart;
    FViews.Seq2DPage = &c.Seq2DPage;
    FViews.Data2DPage = &c.Data2DPage;
    FViews.Seq1DPage = &c.Seq1DPage;
    FViews.Data1DPage = &c.Data1DPage;
    FViews.Data0DPage = &c.Data0DPage;
    FViews.MeasureCountPanel = &c.CountPanel;
    FViews.DurationPanel = &c.DurationPanel;
    SetUpTables(FViews);
    FViews.ModelPanel = &c.ModelPanel;
}

TStandaloneViews::~TStandaloneViews() = default;

TChart &TStandaloneViews::ChartOf(TDocumentKind kind) const
{
    switch (kind) {
    case TDocumentKind::Seq2D: return FControls->Seq2DChartWidget;
    case TDocumentKind::Data2D: return FControls->Data2DChartWidget;
    case TDocumentKind::Seq1D: return FControls->Seq1DChartWidget;
    case TDocumentKind::Data1D: return FControls->Data1DChartWidget;
    case TDocumentKind::Data0D: return FControls->Data0DChartWidget;
    }
    return FControls->Data2DChartWidget;
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
