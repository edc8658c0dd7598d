// Typed pointers to the main window's widgets, actions and the inspector
// pages and chart series the presenters fill (all owned by Qt parents or by
// this record's value members).
#pragma once

#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QToolBar;
class QTreeWidget;
class QWidget;
class TChart;
class TGridView;
class TPropertyGrid;

struct TMainWidgets {
    QTreeWidget *ObjectTree = nullptr; // ObjectTreeView
    QMenu *TreePopup = nullptr;        // PopupMenu_Tree
    QStackedWidget *Properties = nullptr, *Tables = nullptr, *Graphs = nullptr;
    QWidget *InfoPanel = nullptr; // NxHeaderPanel_Info
    QLabel *MeasureCount = nullptr, *Duration = nullptr;
    QLabel *ModelTable = nullptr; // NxInfoPanel_Model, shown for 1D and 2D data
    QLabel *Readings = nullptr;   // NxInfoPanel_Readings: reading counts, shown for 2D and 1D data
    QCheckBox *AutoUpdate = nullptr;
    QPushButton *UpdateButton = nullptr;
    QProgressBar *Progress = nullptr;
    QLabel *StatusText = nullptr; // StatusBar_Panel
    QToolBar *ToolBar = nullptr;
    QMenu *Data2DTablePopup = nullptr; // PopupMenu_Table_d2d
    QMenu *Seq1DTablePopup = nullptr;  // PopupMenu_Table_s1d
    QAction *UnCheckSelected = nullptr, *CheckSelected = nullptr, *CopyToClipboard = nullptr;
    QMenu *ChartPopup = nullptr;        // PopupMenu_Chart, shared by every chart
    QAction *SavePicture = nullptr;     // Action_SavePicture

    QAction *New = nullptr, *Open = nullptr, *Append = nullptr, *Save = nullptr, *Export = nullptr,
            *Delete = nullptr, *Close = nullptr, *About = nullptr;
    QAction *Invert = nullptr; // Action_Invert, in the Data menu
    QAction *Undo = nullptr, *Redo = nullptr; // Action_Undo, Action_Redo, in the Edit menu

    TPropertyGrid *Seq2DInspector = nullptr, *Data2DInspector = nullptr, *Seq1DInspector = nullptr,
               *Data1DInspector = nullptr, *Data0DInspector = nullptr;
    TGridView *CableGrid = nullptr;
    TGridView *SequenceTable = nullptr, *Data2DTable = nullptr, *Seq1DTable = nullptr, *Data1DTable = nullptr,
              *Data0DTable = nullptr;
    TChart *Seq2DChart = nullptr, *Data2DChart = nullptr, *Seq1DChart = nullptr, *Data1DChart = nullptr,
           *Data0DChart = nullptr;

    // What the presenters fill: the items of each inspector page and the
    // series of each chart.
    TSeq2DPage Seq2DPage;
    TData2DPage Data2DPage;
    TSeq1DPage Seq1DPage;
    TData1DPage Data1DPage;
    TData0DPage Data0DPage;
    TSeq2DChart Seq2DSeries;
    TData2DChart Data2DSeries;
    TSeq1DChart Seq1DSeries;
    TData1DChart Data1DSeries;
    TData0DChart Data0DSeries;
};
