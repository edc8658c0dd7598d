// The main window: object tree, property pages, table and chart pages, info
// panel, tool bar, menus and status bar. It owns the document store and
// implements the documents' host (message box, presenter factory, object
// tree) and the presenters' host (UpdatesEnabled). Commands, layout, object
// tree and editing rules each live in their own file.
#pragma once

#include "ChartRules.h"
#include "DocumentStates.h"
#include "EditRules.h"
#include "MainWidgets.h"
#include "VeskDialogs.h"

#include "documents/MainWindowHost.h"
#include "documents/VeskStore.h"
#include "presentation/ChartPreferences.h"
#include "presentation/PresenterViews.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

class QTreeWidgetItem;
class TCustomVeskObject;
class TChart;
class TEditHistory;
class TnSeq2D;
class TSectionInversionRun;

class TForm_VeskMain : public QMainWindow, public TMainWindowHost, public TPresenterHost {
    Q_OBJECT
public:
    explicit TForm_VeskMain(QWidget *parent = nullptr);
    ~TForm_VeskMain() override;

    TVeskStore &Store() { return *FStore; }
    TVeskDialogs &Dialogs() { return *FDialogs; }
    TMainWidgets &Widgets() { return FWidgets; }
    const TPresenterViews &Views() const { return FViews; }
    TDocumentStates &States() { return *FStates; }

    // The selected node's document (for a child node, its parent's); null
    // when nothing is selected.
    TCustomVeskObject *SelectedDocument() const;
    // The cable of the selected node; null when it is not a cable node.
    TnCable *SelectedCable() const;
    bool NodeSelected() const;
    // Shows the property, table and chart pages of the object's kind, or
    // hides the three page controls for nothing.
    void ShowPagesFor(const TTreeNodeData &data);
    void RenumberDocuments();
    // Sets the save dialog's extension and type for the document;
    // false when it cannot be saved.
    bool PrepareSaveDialog(const TCustomVeskObject &document, QString &defaultExtension, int &filterIndex) const;
    bool PrepareExportDialog(std::string_view &filter, QString &defaultExtension, int &filterIndex,
                             QString &presetName) const;

    // Commands (each shared by the menu, the tool bar and the tree's pop-up).
    void CommandNew();
    void CommandOpen();
    void CommandAppend();
    void CommandSave();
    void CommandExport();
    void CommandDelete();
    void CommandClose();
    void CommandAbout();
    // Runs the Save dialog for the document and writes it; false when the
    // dialog was cancelled or the write failed.
    bool SaveDocument(TCustomVeskObject &document);
    // After a user edit of the document: one undo step (see TEditHistory::Record).
    void DocumentEdited(TCustomVeskObject *document, const QString &step = {}, int sweep = 0);
    TEditHistory &History() { return *FHistory; }
    // Shows the selected cable's flags again (after an undo or redo).
    void RefillCableGrid();
    // Invert: a model of the selected data (InvertCommand.cpp).
    void CommandInvert();
    // Save Picture... of the chart whose menu was opened last (PictureCommand.cpp).
    void CommandSavePicture();
    // Opens the chart menu at the pointer for that chart.
    void ShowChartMenu(TChart &chart, const QPointF &globalPosition);
    // Opens files named on the command line or dropped on the window; the
    // kind follows the extension. The names are the bytes the system takes
    // (the command line's, unchanged), or QStrings in the local encoding.
    // Answers whether every file was opened.
    bool OpenFiles(const std::vector<std::string> &fileNames);
    bool OpenFiles(const QStringList &fileNames);

    // Shared state of the editing rules.
    std::vector<TnSeq2D *> BaseSequenceCandidates;
    std::array<double, 4> SavedIncrements{1.5, 1.5, 1.5, 1.5};

    // TMainWindowHost
    void ShowMessage(const std::string &text) override;
    std::unique_ptr<TDocumentPresenter> CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                        TMeasurementsCustom &measurements) override;
    int32_t AddRootNode(const std::string &text) override;
    int32_t AddChildNode(int32_t parent, const std::string &text, TTreeNodeData data) override;
    void SetNodeData(int32_t node, TTreeNodeData data) override;
    TTreeNodeData NodeData(int32_t node) const override;
    void ExpandNode(int32_t node) override;
    void SelectNode(int32_t node) override;
    void DeleteNode(int32_t node) override;
    std::vector<int32_t> RootNodes() const override;

    // TPresenterHost
    void SetUpdatesEnabled(bool enabled) override { FUpdatesEnabled = enabled; }
    bool UpdatesEnabled() const override { return FUpdatesEnabled; }
    void ShowMessage(const QString &text) override;
    void ShowStatus(const QString &text) override { SetStatusText(text); }

    // Object tree nodes by absolute index (display order, all nodes counted).
    QTreeWidgetItem *NodeItem(int32_t node) const;
    int32_t NodeIndex(const QTreeWidgetItem *item) const;
    TTreeNodeData ItemData(const QTreeWidgetItem *item) const;

    void SetStatusText(const QString &text);

protected:
    // With changed documents the user chooses: save them, discard, or stay.
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void BuildLayout();        // MainWindowLayout.cpp
    void BuildPages();         // MainWindowLayout.cpp: inspector pages, charts, views
    void BuildEditMenu();      // EditMenu.cpp: the Edit menu with Undo and Redo
    void BuildDataMenu();      // InvertCommand.cpp: the Data menu and its Invert action
    void EnableDataCommands(const TTreeNodeData &data); // InvertCommand.cpp
    // InvertSectionCommand.cpp: the progress bar and Cancel button of a
    // section inversion in the status bar, and Invert on 2D data.
    void BuildInversionProgress();
    void InvertSection(TCustomVeskObject &document);
    void ConnectCommands();    // Commands.cpp
    void OnCurrentNodeChanged(QTreeWidgetItem *current);
    void FillCableGrid(TnCable &cable, bool readOnly);
    // Creates the document of the kind from the file (full path); false
    // when it was not read.
    bool OpenDocument(TDocumentKind kind, const std::string &fileName);
    // Title "<file>* - Quelvo Tools" of the selected document (its tree name
    // when it has no file; "*" when changed); the tree's tooltips give the
    // full file paths.
    void UpdateWindowTitle();
    // Keeps the window inside the available area of its screen.
    void FitToScreen();
    // Documents with changes not yet saved, in tree order.
    std::vector<TCustomVeskObject *> ChangedDocuments() const;
    // The title of a saved picture: the selected document's file name (its
    // tree name when it has no file).
    QString PictureTitle();

    TMainWidgets FWidgets;
    TPresenterViews FViews;
    // Chart settings kept between runs (UserSettings): as read at start (new
    // documents start from them) and as chosen since (stored at the end).
    TChartPreferences FStartPreferences;
    TChartPreferences FPreferences;
    std::unique_ptr<TVeskDialogs> FDialogs;
    std::unique_ptr<TEditRules> FRules;
    std::unique_ptr<TChartRules> FChartRules;
    TDocumentStates *FStates = nullptr; // child of the window
    TEditHistory *FHistory = nullptr;   // child of the window
    std::unordered_map<const QTreeWidgetItem *, TTreeNodeData> FNodeData;
    bool FUpdatesEnabled = true;
    bool FDeletingNode = false;
    TChart *FMenuChart = nullptr; // the chart the chart menu was opened on
    TSectionInversionRun *FActiveInversion = nullptr; // owned by its document's presenter
    std::unique_ptr<TVeskStore> FStore; // last: documents go before the controls they fill
};
