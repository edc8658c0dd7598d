// Real controls of the 2D data page (table, chart with its series, inspector
// page) in a views record, and 2D data documents whose presenter is the
// window's, opened from copies of the bundled examples.
#pragma once

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"
#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "presentation/ChartPages.h"
#include "presentation/GUIData2D.h"
#include "presentation/PropertyPages.h"
#include "presentation/PresenterViews.h"
#include "presentation/StandaloneViews.h"
#include "presentation/TableSetup.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class TTestPresenterHost : public TPresenterHost {
public:
    void SetUpdatesEnabled(bool enabled) override { FEnabled = enabled; }
    bool UpdatesEnabled() const override { return FEnabled; }
    void ShowMessage(const QString &text) override { Messages << text; }
    QStringList Messages;

private:
    bool FEnabled = true;
};


struct TData2DFixture {
    TData2DFixture()
    {
        ChartParts = BuildData2DChart(Chart);
        Page = BuildData2DPage(Inspector);
        Views.Host = &PresenterHost;
        Views.Data2DTable = &Table;
        Views.Data2DChart = &ChartParts;
        Views.Data2DPage = &Page;
        SetUpTables(Views); // as the window sets its tables up
    }

    // Opens a copy of an example; null when it does not load.
    TnData2D *Open(const QString &example)
    {
        const QString copy = Folder.filePath(example);
        QFile::copy(QStringLiteral(VESK_EXAMPLES_DIR "/") + example, copy);
        auto document = std::make_unique<TnData2D>(DocumentHost);
        if (!document->LoadFromFile(QFile::encodeName(copy).toStdString())) return nullptr;
        document->Presenter().ShowAll();
        Documents.push_back(std::move(document));
        return Documents.back().get();
    }
    TGUIData2D &Presenter(TnData2D &document) { return dynamic_cast<TGUIData2D &>(document.Presenter()); }
    TGridModel &Model() { return Table.Model(); }

    QTemporaryDir Folder;
    TTestPresenterHost PresenterHost;
    TGridView Table{QStringLiteral("NextGrid_Data2D")};
    TChart Chart{QStringLiteral("Chart_d2d")};
    TPropertyGrid Inspector{QStringLiteral("NextInspector_Data2D")};
    TData2DChart ChartParts;
    TData2DPage Page;
    TPresenterViews Views;
    TStandaloneDocumentHost DocumentHost{Views};
    std::vector<std::unique_ptr<TnData2D>> Documents;
};
