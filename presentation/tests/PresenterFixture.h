// A window's worth of real controls for the presenter tests: the standalone
// views (the five tables, charts and property pages as the window builds
// them, the info panels, the presenter host with its UpdatesEnabled flag)
// recording their messages, named as the tests reach them, and a document
// store whose documents get the real presenters on those controls.
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

// The standalone views, recording their presenters' messages.
class TRecordingViews : public TStandaloneViews {
public:
    TRecordingViews()
    {
        SetMessageCallback([this](const QString &text) { Messages.append(text); });
    }
    QStringList Messages;
};

struct TPresenterFixture {
    // The controls and the presenter host (UpdatesEnabled and the messages).
    TRecordingViews PresenterHost;
    const TPresenterViews &Views = PresenterHost.Views();

    TGridView &SequenceTable = *Views.SequenceTable;
    TGridView &Seq1DTable = *Views.Seq1DTable;
    TGridView &Data1DTable = *Views.Data1DTable;
    TGridView &Data0DTable = *Views.Data0DTable;
    TSeq2DChart &Seq2DChart = *Views.Seq2DChart;
    TSeq1DChart &Seq1DChart = *Views.Seq1DChart;
    TData1DChart &Data1DChart = *Views.Data1DChart;
    TData0DChart &Data0DChart = *Views.Data0DChart;
    TSeq2DPage &Seq2DPage = *Views.Seq2DPage;
    TSeq1DPage &Seq1DPage = *Views.Seq1DPage;
    TData1DPage &Data1DPage = *Views.Data1DPage;
    TData0DPage &Data0DPage = *Views.Data0DPage;
    QLabel &CountPanel = *Views.MeasureCountPanel;
    QLabel &DurationPanel = *Views.DurationPanel;

    TStandaloneDocumentHost DocumentHost{PresenterHost};
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
};

// Points of a series as (x, y) pairs, for comparisons.
inline QList<QPointF> SeriesPoints(const TChartSeries &series)
{
    QList<QPointF> points;
    for (int k = 0; k < series.Count(); ++k) points.append({series.X(k), series.Y(k)});
    return points;
}
