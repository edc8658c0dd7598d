// A window's worth of real controls for the presenter tests: the five tables,
// charts and inspector pages as the window builds them, the info panels, a
// presenter host that records messages and the UpdatesEnabled flag, and a
// document store whose documents get the real presenters on those controls.
#pragma once

#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"
#include "presentation/PresenterViews.h"
#include "presentation/StandaloneViews.h"

#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskStore.h"

#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class TTestPresenterHost : public TPresenterHost {
public:
    void SetUpdatesEnabled(bool enabled) override { FUpdatesEnabled = enabled; }
    bool UpdatesEnabled() const override { return FUpdatesEnabled; }
    void ShowMessage(const QString &text) override { Messages.append(text); }
    QStringList Messages;

private:
    bool FUpdatesEnabled = true;
};


struct TPresenterFixture {
    QWidget Window;
    TGridView SequenceTable{QStringLiteral("NextGrid_Sequence"), &Window};
    TGridView Seq1DTable{QStringLiteral("NextGrid_Seq1D"), &Window};
    TGridView Data1DTable{QStringLiteral("NextGrid_Data1D"), &Window};
    TGridView Data0DTable{QStringLiteral("NextGrid_Data0D"), &Window};
    TChart Seq2DChartWidget{QStringLiteral("Chart_Seq2D"), &Window};
    TChart Seq1DChartWidget{QStringLiteral("Chart_s1d"), &Window};
    TChart Data1DChartWidget{QStringLiteral("Chart_Data1D"), &Window};
    TChart Data0DChartWidget{QStringLiteral("Chart_Data0D"), &Window};
    TPropertyGrid Seq2DInspector{QStringLiteral("NextInspector_Sequence"), &Window};
    TPropertyGrid Seq1DInspector{QStringLiteral("NextInspector_Seq1D"), &Window};
    TPropertyGrid Data1DInspector{QStringLiteral("NextInspector_d1d"), &Window};
    TPropertyGrid Data0DInspector{QStringLiteral("NextInspector_d0d"), &Window};
    QLabel CountPanel{&Window};
    QLabel DurationPanel{&Window};

    TSeq2DChart Seq2DChart = BuildSeq2DChart(Seq2DChartWidget);
    TSeq1DChart Seq1DChart = BuildSeq1DChart(Seq1DChartWidget);
    TData1DChart Data1DChart = BuildData1DChart(Data1DChartWidget);
    TData0DChart Data0DChart = BuildData0DChart(Data0DChartWidget);
    TSeq2DPage Seq2DPage = BuildSeq2DPage(Seq2DInspector);
    TSeq1DPage Seq1DPage = BuildSeq1DPage(Seq1DInspector);
    TData1DPage Data1DPage = BuildData1DPage(Data1DInspector);
    TData0DPage Data0DPage = BuildData0DPage(Data0DInspector);

    TTestPresenterHost PresenterHost;
    TPresenterViews Views = MakeViews();
    TStandaloneDocumentHost DocumentHost{Views};
    TVeskStore Store{DocumentHost}; // destroyed first: the documents go before the controls

    // A document made as the window makes it (blank for an empty file name),
    // already shown. Fails the test when the kind does not match.
    template <typename TDocument>
    TDocument &Create(TDocumentKind kind, const QString &fileName = {})
    {
        bool loaded = false;
        TCustomVeskObject *document = Store.CreateDocument(kind, fileName.toStdString(), &loaded);
        auto *typed = dynamic_cast<TDocument *>(document);
        if (!typed || !loaded) qFatal("document of kind %d could not be made", int(kind));
        return *typed;
    }

    static QString Example(const QString &name) { return QDir(QStringLiteral(VESK_EXAMPLES_DIR)).filePath(name); }

private:
    TPresenterViews MakeViews()
    {
        TPresenterViews views;
        views.Host = &PresenterHost;
        views.SequenceTable = &SequenceTable;
        views.Seq1DTable = &Seq1DTable;
        views.Data1DTable = &Data1DTable;
        views.Data0DTable = &Data0DTable;
        views.Seq2DChart = &Seq2DChart;
        views.Seq1DChart = &Seq1DChart;
        views.Data1DChart = &Data1DChart;
        views.Data0DChart = &Data0DChart;
        views.Seq2DPage = &Seq2DPage;
        views.Seq1DPage = &Seq1DPage;
        views.Data1DPage = &Data1DPage;
        views.Data0DPage = &Data0DPage;
        views.MeasureCountPanel = &CountPanel;
        views.DurationPanel = &DurationPanel;
        return views;
    }
};

// Points of a series as (x, y) pairs, for comparisons.
inline QList<QPointF> SeriesPoints(const TChartSeries &series)
{
    QList<QPointF> points;
    for (int k = 0; k < series.Count(); ++k) points.append({series.X(k), series.Y(k)});
    return points;
}
