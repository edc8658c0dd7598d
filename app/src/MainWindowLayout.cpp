// The main window's layout: tool bar on the right edge, the property editor
// (object tree, property pages, Auto Update strip) left of it, and the data
// area (tables, info panel, charts) filling the rest.
#include "MainWindow.h"

#include "controls/Chart.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "presentation/TableSetup.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A panel with a caption strip above its content; a collapsible one folds
// its content away with the arrow in the strip.
QWidget *HeaderPanel(const QString &name, const QString &caption, QWidget *content, bool collapsible)
{
    auto *panel = new QFrame;
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *strip = new QToolButton;
    strip->setObjectName(name + QStringLiteral("_Caption"));
    strip->setText(caption);
    strip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    strip->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    strip->setAutoRaise(true);
    strip->setStyleSheet(QStringLiteral("QToolButton { font-weight: bold; text-align: left; padding: 3px 6px;"
                                        " background: palette(midlight); border: none; }"));
    if (collapsible) {
        strip->setCheckable(true);
        strip->setChecked(true);
        strip->setArrowType(Qt::DownArrow);
        QObject::connect(strip, &QToolButton::toggled, content, [strip, content](bool open) {
            content->setVisible(open);
            strip->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        });
    }
    layout->addWidget(strip);
    layout->addWidget(content, 1);
    return panel;
}

QAction *CommandAction(QObject *parent, const QString &name, const QString &text, const QKeySequence &shortcut,
                       const QIcon &icon)
{
    auto *action = new QAction(icon, text, parent);
    action->setObjectName(name);
    action->setToolTip(text);
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TForm_VeskMain::BuildLayout()
{
    TMainWidgets &w = FWidgets;
    QStyle *style = this->style();

    // Commands.
    w.New = CommandAction(this, QStringLiteral("Action_New"), QStringLiteral("New"), QKeySequence(QStringLiteral("Ctrl+N")),
                          style->standardIcon(QStyle::SP_FileIcon));
    w.Open = CommandAction(this, QStringLiteral("Action_Open"), QStringLiteral("Open"), QKeySequence(QStringLiteral("Ctrl+O")),
                           style->standardIcon(QStyle::SP_DialogOpenButton));
    w.Append = CommandAction(this, QStringLiteral("Action_Append"), QStringLiteral("Append"),
                             QKeySequence(QStringLiteral("Ctrl+A")), style->standardIcon(QStyle::SP_FileDialogNewFolder));
    w.Save = CommandAction(this, QStringLiteral("Action_Save"), QStringLiteral("Save"), QKeySequence(QStringLiteral("Ctrl+S")),
                           style->standardIcon(QStyle::SP_DialogSaveButton));
    w.Export = CommandAction(this, QStringLiteral("Action_Export"), QStringLiteral("Export"),
                             QKeySequence(QStringLiteral("Ctrl+E")), style->standardIcon(QStyle::SP_ArrowForward));
    w.Delete = CommandAction(this, QStringLiteral("Action_Delete"), QStringLiteral("Delete"),
                             QKeySequence(QStringLiteral("Ctrl+D")), style->standardIcon(QStyle::SP_TrashIcon));
    w.Close = CommandAction(this, QStringLiteral("Action_Close"), QStringLiteral("Close"), QKeySequence(),
                            style->standardIcon(QStyle::SP_DialogCloseButton));
    // Shortcuts work wherever the focus is in the window (the tool bar's
    // Delete included); Ctrl+A is the program's Append, also in tables.
    for (QAction *action : {w.New, w.Open, w.Append, w.Save, w.Export, w.Delete, w.Close}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }

    QMenu *fileMenu = menuBar()->addMenu(QStringLiteral("File"));
    fileMenu->setObjectName(QStringLiteral("Menu_File"));
    fileMenu->addActions({w.New, w.Open, w.Append});
    fileMenu->addSeparator();
    fileMenu->addActions({w.Save, w.Export});
    fileMenu->addSeparator();
    fileMenu->addActions({w.Delete, w.Close});
    BuildEditMenu();
    BuildDataMenu();
    QMenu *aboutMenu = menuBar()->addMenu(QStringLiteral("About"));
    aboutMenu->setObjectName(QStringLiteral("Menu_About"));
    w.About = aboutMenu->addAction(QStringLiteral("About Quelvo Tools"));
    w.About->setObjectName(QStringLiteral("Action_About"));
    w.About->setMenuRole(QAction::AboutRole);

    w.ToolBar = new QToolBar(QStringLiteral("ToolBar1"), this);
    w.ToolBar->setObjectName(QStringLiteral("ToolBar1"));
    w.ToolBar->setOrientation(Qt::Vertical);
    w.ToolBar->setMovable(false);
    w.ToolBar->setIconSize(QSize(24, 24));
    w.ToolBar->addActions({w.New, w.Open, w.Append, w.Delete, w.Save, w.Export});
    w.ToolBar->addAction(w.Invert);
    addToolBar(Qt::RightToolBarArea, w.ToolBar);

    // Object tree with its pop-up menu.
    w.ObjectTree = new QTreeWidget;
    w.ObjectTree->setObjectName(QStringLiteral("ObjectTreeView"));
    w.ObjectTree->setHeaderHidden(true);
    w.ObjectTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w.ObjectTree->setSelectionMode(QAbstractItemView::SingleSelection);
    w.ObjectTree->setContextMenuPolicy(Qt::CustomContextMenu);
    w.TreePopup = new QMenu(this);
    w.TreePopup->setObjectName(QStringLiteral("PopupMenu_Tree"));
    w.TreePopup->addActions({w.New, w.Open, w.Append});
    w.TreePopup->addSeparator();
    w.TreePopup->addActions({w.Save, w.Export});
    connect(w.ObjectTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { FWidgets.TreePopup->popup(FWidgets.ObjectTree->viewport()->mapToGlobal(at)); });

    // Property pages.
    w.Seq2DInspector = new TPropertyGrid(QStringLiteral("NextInspector_Sequence"));
    w.CableGrid = new TGridView(QStringLiteral("NextGrid_Cable"));
    w.Data2DInspector = new TPropertyGrid(QStringLiteral("NextInspector_Data2D"));
    w.Seq1DInspector = new TPropertyGrid(QStringLiteral("NextInspector_Seq1D"));
    w.Data1DInspector = new TPropertyGrid(QStringLiteral("NextInspector_d1d"));
    w.Data0DInspector = new TPropertyGrid(QStringLiteral("NextInspector_d0d"));
    w.Properties = new QStackedWidget;
    w.Properties->setObjectName(QStringLiteral("NxPageControl_Properties"));
    for (QWidget *page : std::initializer_list<QWidget *>{w.Seq2DInspector, w.CableGrid, w.Data2DInspector,
                                                          w.Seq1DInspector, w.Data1DInspector, w.Data0DInspector})
        w.Properties->addWidget(page);

    auto *strip = new QWidget;
    auto *stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(4, 2, 4, 2);
    w.AutoUpdate = new QCheckBox(QStringLiteral("Auto Update"));
    w.AutoUpdate->setObjectName(QStringLiteral("NxCheckBox_AutoUpdate"));
    w.AutoUpdate->setChecked(true);
    w.UpdateButton = new QPushButton(QStringLiteral("UpDate"));
    w.UpdateButton->setObjectName(QStringLiteral("Button_UpDate"));
    w.Progress = new QProgressBar;
    w.Progress->setObjectName(QStringLiteral("ProgressBar1"));
    w.Progress->setTextVisible(false);
    w.Progress->setMaximumHeight(16);
    stripLayout->addWidget(w.AutoUpdate);
    stripLayout->addWidget(w.UpdateButton);
    stripLayout->addWidget(w.Progress, 1);

    auto *editorSplit = new QSplitter(Qt::Vertical);
    editorSplit->addWidget(HeaderPanel(QStringLiteral("NxHeaderPanel_Objects"), QStringLiteral("Objects"), w.ObjectTree, true));
    editorSplit->addWidget(HeaderPanel(QStringLiteral("NxHeaderPanel_Properties"), QStringLiteral("Properties"), w.Properties, true));
    editorSplit->setStretchFactor(0, 1);
    editorSplit->setStretchFactor(1, 3);
    editorSplit->setSizes({180, 480});
    auto *editorBody = new QWidget;
    auto *editorLayout = new QVBoxLayout(editorBody);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editorLayout->setSpacing(0);
    editorLayout->addWidget(editorSplit, 1);
    editorLayout->addWidget(strip);
    QWidget *right = HeaderPanel(QStringLiteral("NxPanel_Right"), QStringLiteral("Property Editor"), editorBody, false);

    // Tables, info panel and charts.
    w.SequenceTable = new TGridView(QStringLiteral("NextGrid_Sequence"));
    w.Data2DTable = new TGridView(QStringLiteral("NextGrid_Data2D"));
    w.Seq1DTable = new TGridView(QStringLiteral("NextGrid_Seq1D"));
    w.Data1DTable = new TGridView(QStringLiteral("NextGrid_Data1D"));
    w.Data0DTable = new TGridView(QStringLiteral("NextGrid_Data0D"));
    w.Tables = new QStackedWidget;
    w.Tables->setObjectName(QStringLiteral("NxPageControl_Table"));
    for (TGridView *table : {w.SequenceTable, w.Data2DTable, w.Seq1DTable, w.Data1DTable, w.Data0DTable})
        w.Tables->addWidget(table);

    w.Data2DTablePopup = new QMenu(this);
    w.Data2DTablePopup->setObjectName(QStringLiteral("PopupMenu_Table_d2d"));
    w.UnCheckSelected = w.Data2DTablePopup->addAction(QStringLiteral("UnCheck Selected"));
    w.UnCheckSelected->setObjectName(QStringLiteral("Action_UnCheckSelected"));
    w.CheckSelected = w.Data2DTablePopup->addAction(QStringLiteral("Check Selected"));
    w.CheckSelected->setObjectName(QStringLiteral("Action_CheckSelected"));
    w.Data2DTable->SetPopupMenu(w.Data2DTablePopup);
    w.Seq1DTablePopup = new QMenu(this);
    w.Seq1DTablePopup->setObjectName(QStringLiteral("PopupMenu_Table_s1d"));
    w.CopyToClipboard = w.Seq1DTablePopup->addAction(QStringLiteral("Copy To Clipboard"));
    w.CopyToClipboard->setObjectName(QStringLiteral("Action_CopyToClipboard"));
    w.Seq1DTable->SetPopupMenu(w.Seq1DTablePopup);
    w.ChartPopup = new QMenu(this);
    w.ChartPopup->setObjectName(QStringLiteral("PopupMenu_Chart"));
    w.SavePicture = w.ChartPopup->addAction(QStringLiteral("Save Picture..."));
    w.SavePicture->setObjectName(QStringLiteral("Action_SavePicture"));

    w.MeasureCount = new QLabel(QStringLiteral("Count:"));
    w.MeasureCount->setObjectName(QStringLiteral("NxInfoPanel_MeasureCount"));
    w.Duration = new QLabel(QStringLiteral("Appx.Duration:"));
    w.Duration->setObjectName(QStringLiteral("NxInfoPanel_Duration"));
    auto *infoBody = new QWidget;
    auto *infoLayout = new QVBoxLayout(infoBody);
    w.Readings = new QLabel;
    w.Readings->setObjectName(QStringLiteral("NxInfoPanel_Readings"));
    w.Readings->setWordWrap(true);
    w.ModelTable = new QLabel;
    w.ModelTable->setObjectName(QStringLiteral("NxInfoPanel_Model"));
    w.ModelTable->setTextFormat(Qt::RichText);
    w.ModelTable->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    w.ModelTable->setWordWrap(true);
    for (QLabel *label : {w.Readings, w.MeasureCount, w.Duration, w.ModelTable}) {
        // The model's table has no frame: without a model it shows nothing at all.
        label->setFrameShape(label == w.ModelTable ? QFrame::NoFrame : QFrame::StyledPanel);
        label->setMargin(4);
        infoLayout->addWidget(label);
    }
    infoLayout->addStretch(1);
    // A smooth model's table of 30 layers is taller than the panel: it scrolls.
    auto *infoScroll = new QScrollArea;
    infoScroll->setObjectName(QStringLiteral("NxInfoPanel_Scroll"));
    infoScroll->setWidget(infoBody);
    infoScroll->setWidgetResizable(true);
    infoScroll->setFrameShape(QFrame::NoFrame);
    infoScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w.InfoPanel = HeaderPanel(QStringLiteral("NxHeaderPanel_Info"), QStringLiteral("Info"), infoScroll, false);
    w.InfoPanel->setFixedWidth(218);

    w.Seq2DChart = new TChart(QStringLiteral("Chart_Seq2D"));
    w.Data2DChart = new TChart(QStringLiteral("Chart_d2d"));
    w.Seq1DChart = new TChart(QStringLiteral("Chart_s1d"));
    w.Data1DChart = new TChart(QStringLiteral("Chart_Data1D"));
    w.Data0DChart = new TChart(QStringLiteral("Chart_Data0D"));
    w.Graphs = new QStackedWidget;
    w.Graphs->setObjectName(QStringLiteral("NxPageControl_Graph"));
    for (TChart *chart : {w.Seq2DChart, w.Data2DChart, w.Seq1DChart, w.Data1DChart, w.Data0DChart})
        w.Graphs->addWidget(chart);

    auto *dataRow = new QWidget;
    auto *dataLayout = new QHBoxLayout(dataRow);
    dataLayout->setContentsMargins(0, 0, 0, 0);
    dataLayout->addWidget(HeaderPanel(QStringLiteral("NxHeaderPanel_Data"), QStringLiteral("Data"), w.Tables, false), 1);
    dataLayout->addWidget(w.InfoPanel);
    auto *left = new QSplitter(Qt::Vertical);
    left->setObjectName(QStringLiteral("NxPanel_Left"));
    left->addWidget(dataRow);
    left->addWidget(HeaderPanel(QStringLiteral("NxHeaderPanel_Graph"), QStringLiteral("Graph"), w.Graphs, false));
    left->setSizes({400, 300});

    auto *main = new QSplitter(Qt::Horizontal);
    main->setObjectName(QStringLiteral("Splitter_Main"));
    main->addWidget(left);
    main->addWidget(right);
    main->setStretchFactor(0, 1);
    main->setStretchFactor(1, 0);
    main->setSizes({700, 295});
    setCentralWidget(main);

    w.StatusText = new QLabel;
    w.StatusText->setObjectName(QStringLiteral("StatusBar_Panel"));
    w.StatusText->setTextFormat(Qt::PlainText); // "Spacing <A>, [m]" shows as typed
    w.StatusText->setMinimumWidth(500);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->addWidget(w.StatusText);

    // Until a document is selected there is nothing to show.
    w.Properties->hide();
    w.Tables->hide();
    w.Graphs->hide();
}

void TForm_VeskMain::BuildPages()
{
    TMainWidgets &w = FWidgets;
    w.Seq2DPage = BuildSeq2DPage(*w.Seq2DInspector);
    w.Data2DPage = BuildData2DPage(*w.Data2DInspector);
    w.Seq1DPage = BuildSeq1DPage(*w.Seq1DInspector);
    w.Data1DPage = BuildData1DPage(*w.Data1DInspector);
    w.Data0DPage = BuildData0DPage(*w.Data0DInspector);
    w.Seq2DSeries = BuildSeq2DChart(*w.Seq2DChart);
    w.Data2DSeries = BuildData2DChart(*w.Data2DChart);
    w.Seq1DSeries = BuildSeq1DChart(*w.Seq1DChart);
    w.Data1DSeries = BuildData1DChart(*w.Data1DChart);
    w.Data0DSeries = BuildData0DChart(*w.Data0DChart);

    TGridModel &cable = w.CableGrid->Model();
    cable.SetColumns({TGridColumn{QStringLiteral("#"), TColumnKind::Text, 40},
                      TGridColumn{QStringLiteral("Used"), TColumnKind::Check, 60, 0, false, TSortKind::None, true}});
    w.CableGrid->ApplyColumnLayout();
    w.CableGrid->SetWholeRowSelection(true);

    FViews.Host = this;
    FViews.SequenceTable = w.SequenceTable;
    FViews.Data2DTable = w.Data2DTable;
    FViews.Seq1DTable = w.Seq1DTable;
    FViews.Data1DTable = w.Data1DTable;
    FViews.Data0DTable = w.Data0DTable;
    FViews.Seq2DChart = &w.Seq2DSeries;
    FViews.Data2DChart = &w.Data2DSeries;
    FViews.Seq1DChart = &w.Seq1DSeries;
    FViews.Data1DChart = &w.Data1DSeries;
    FViews.Data0DChart = &w.Data0DSeries;
    FViews.Seq2DPage = &w.Seq2DPage;
    FViews.Data2DPage = &w.Data2DPage;
    FViews.Seq1DPage = &w.Seq1DPage;
    FViews.Data1DPage = &w.Data1DPage;
    FViews.Data0DPage = &w.Data0DPage;
    FViews.MeasureCountPanel = w.MeasureCount;
    FViews.DurationPanel = w.Duration;
    SetUpTables(FViews);
    FViews.ModelPanel = w.ModelTable;
    FViews.ReadingsPanel = w.Readings;
}
