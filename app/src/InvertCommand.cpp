// The Data menu and its Invert command: a layered model of the selected
// sounding, shown on its chart and in the info panel (2D data:
// InvertSectionCommand.cpp).
#include "MainWindow.h"

#include "BusyCursor.h"

#include "documents/Documents.h"
#include "presentation/GUIData1D.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>

void TForm_VeskMain::BuildDataMenu()
{
    TMainWidgets &w = FWidgets;
    w.Invert = new QAction(style()->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("Invert"), this);
    w.Invert->setObjectName(QStringLiteral("Action_Invert"));
    w.Invert->setToolTip(QStringLiteral("Invert"));
    w.Invert->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    w.Invert->setShortcutContext(Qt::WindowShortcut);
    w.Invert->setEnabled(false);
    addAction(w.Invert);
    QMenu *dataMenu = menuBar()->addMenu(QStringLiteral("Data"));
    dataMenu->setObjectName(QStringLiteral("Menu_Data"));
    dataMenu->addAction(w.Invert);
    connect(w.Invert, &QAction::triggered, this, &TForm_VeskMain::CommandInvert);
    BuildInversionProgress();
}

void TForm_VeskMain::EnableDataCommands(const TTreeNodeData &data)
{
    auto *const *document = std::get_if<TCustomVeskObject *>(&data);
    const bool dataDocument = document && *document &&
                              ((*document)->Kind() == TDocumentKind::Data1D ||
                               (*document)->Kind() == TDocumentKind::Data2D);
    FWidgets.Invert->setEnabled(dataDocument);
}

void TForm_VeskMain::CommandInvert()
{
    TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr) return;
    if (document->Kind() == TDocumentKind::Data2D) {
        InvertSection(*document);
        return;
    }
    auto *presenter = document->Kind() == TDocumentKind::Data1D ? dynamic_cast<TGUIData1D *>(&document->Presenter())
                                                                 : nullptr;
    if (presenter == nullptr) return;
    TBusyCursor busy;
    // The page's mode and layer count as they stand, also before an Update.
    presenter->ReadInspector();
    const QString failure = presenter->Invert();
    if (!failure.isEmpty()) {
        SetStatusText(failure);
        return;
    }
    const inversion::InversionResult &result = *presenter->Model();
    SetStatusText(QStringLiteral("Inverted: %1 layers, RMS %2 %, chi-squared %3")
                      .arg(result.layers.size())
                      .arg(result.rmsPercent, 0, 'f', 2)
                      .arg(result.chiSquared, 0, 'f', 3));
}
