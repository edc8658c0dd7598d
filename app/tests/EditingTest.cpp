// Designing and cleaning through the window: inspector rules, the cable page
// and the mouse on the charts and tables, driven through the real items,
// widgets and synthesized events, as a user drives them.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

class TEditingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;
    std::unique_ptr<QTemporaryDir> FFolder;

    TPropertyItem *Item(const char *page, const char *name) const { return PageItem(*FWindow, page, name); }
    TPropertyItem *Seq2D(const char *name) const { return Item("NextInspector_Sequence", name); }
    TPropertyItem *Seq1D(const char *name) const { return Item("NextInspector_Seq1D", name); }
    QString Status() const { return FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"))->text(); }
    void New(int choice)
    {
        FWindow->Dialogs().SetNextNewDocument(choice);
        FWindow->findChild<QAction *>(QStringLiteral("Action_New"))->trigger();
    }
    void Open(const QString &name)
    {
        FWindow->Dialogs().SetNextFileName(ExampleFile(name), 4);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    void Save(const QString &fileName)
    {
        FWindow->Dialogs().SetNextFileName(fileName);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Save"))->trigger();
    }
    void SelectNode(const QString &text)
    {
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        tree->setCurrentItem(found.constFirst());
    }
    TMeasurements2D &List2D() const { return dynamic_cast<TVeskObject2D *>(FWindow->SelectedDocument())->Measurements(); }
    TChart *Chart(const char *name) const { return FWindow->findChild<TChart *>(QString::fromLatin1(name)); }

private slots:
    void init()
    {
        FFolder = std::make_unique<QTemporaryDir>();
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup()
    {
        FWindow.reset();
        FFolder.reset();
    }

    void A2DDesignThroughTheInspectorSavesWhatVeskDesigns()
    {
        New(2);
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(2)); // Dipole Dipole
        QVERIFY(Seq2D("NxTextItem_Spacing")->userSetValue(QStringLiteral("2,5")));
        QVERIFY(Seq2D("NxSpinItem_Count")->userSetValue(8));
        QVERIFY(Seq2D("NxCheckBoxItem_SecondLength")->userSetValue(true));
        QVERIFY(Seq2D("NxComboBoxItem_sndSpacing")->choose(1)); // 3 x A
        QVERIFY(Seq2D("NxSpinItem_sndLevelCount")->userSetValue(4));
        QVERIFY(Seq2D("NxSpinItem_sndOverlapCount")->userSetValue(2));
        const QString window = FFolder->filePath(QStringLiteral("window.s2d"));
        Save(window);
        const QString vesk = FFolder->filePath(QStringLiteral("vesk.s2d"));
        QCOMPARE(RunVesk({"sequence", "2d", "--array", "dipole-dipole", "--spacing", "2.5", "--group", "1,8,1,1",
                          "--group", "3,4,1,2", "-o", vesk}),
                 0);
        QVERIFY(!FileBytes(window).isEmpty());
        QCOMPARE(FileBytes(window), FileBytes(vesk));
    }

    void A1DDesignThroughTheInspectorSavesWhatVeskDesigns()
    {
        New(1);
        QVERIFY(Seq1D("NxComboBoxItem_Seq1D_ArrayType")->choose(1)); // Schlumberger
        QVERIFY(Seq1D("NxComboBoxItem_Seq1D_IncrementType")->choose(1)); // Geometric
        for (const char *name : {"NxSpinItem_Seq1D_Increment", "NxSpinItem_Seq1D_sndIncrement",
                                 "NxSpinItem_Seq1D_trdIncrement", "NxSpinItem_Seq1D_fthIncrement"}) {
            QCOMPARE(Seq1D(name)->Caption(), QStringLiteral("Factor"));
            QCOMPARE(Seq1D(name)->AsFloat(), 1.5);
        }
        QVERIFY(Seq1D("NxSpinItem_Seq1D_SpacingCount")->userSetValue(12));
        const QString window = FFolder->filePath(QStringLiteral("window.s1d"));
        Save(window);
        const QString vesk = FFolder->filePath(QStringLiteral("vesk.s1d"));
        QCOMPARE(RunVesk({"sequence", "1d", "--array", "schlumberger", "--geometric", "--group", "1,1.5,12", "-o", vesk}),
                 0);
        QCOMPARE(FileBytes(window), FileBytes(vesk));
        // Back to "Linear": the linear increments come back.
        QVERIFY(Seq1D("NxComboBoxItem_Seq1D_IncrementType")->choose(0));
        QCOMPARE(Seq1D("NxSpinItem_Seq1D_Increment")->Caption(), QStringLiteral("Increment"));
        QCOMPARE(Seq1D("NxSpinItem_Seq1D_Increment")->AsFloat(), 1.0);
        // Re-choosing the type in force swaps nothing.
        QVERIFY(Seq1D("NxComboBoxItem_Seq1D_IncrementType")->choose(0));
        QCOMPARE(Seq1D("NxSpinItem_Seq1D_Increment")->AsFloat(), 1.0);
    }

    void WennerDropsTheExtraGroups()
    {
        New(2); // the blank design: Schlumberger with four groups
        auto &details = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument())->ArrayDetails();
        QCOMPARE(int(details.GroupCount), 4);
        QVERIFY(Seq2D("NxCheckBoxItem_SecondLength")->Expanded()); // a group in use shows its settings
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(0));
        QVERIFY(!Seq2D("NxCheckBoxItem_SecondLength")->Expanded());
        QCOMPARE(int(details.GroupCount), 1);
        for (const char *name : {"NxCheckBoxItem_SecondLength", "NxCheckBoxItem_ThirdLength", "NxCheckBoxItem_FourthLength"}) {
            QVERIFY2(!Seq2D(name)->Checked(), name);
            QVERIFY2(!Seq2D(name)->Enabled(), name);
        }
        // Dipole Dipole offers group 2, unchecked; checking it offers group 3.
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(2));
        QVERIFY(Seq2D("NxCheckBoxItem_SecondLength")->Enabled());
        QVERIFY(!Seq2D("NxCheckBoxItem_SecondLength")->Checked());
        QVERIFY(Seq2D("NxCheckBoxItem_SecondLength")->userSetValue(true));
        QVERIFY(Seq2D("NxCheckBoxItem_ThirdLength")->Enabled());
        QVERIFY(Seq2D("NxComboBoxItem_sndSpacing")->Enabled());
        QCOMPARE(int(details.GroupCount), 2);
    }

    void WithoutAutoUpdateEditsWaitForTheNextUpdate()
    {
        New(2);
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(0));
        auto *sequence = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument());
        const uint32_t before = sequence->Measurements().Count;
        FWindow->findChild<QCheckBox *>(QStringLiteral("NxCheckBox_AutoUpdate"))->setChecked(false);
        QVERIFY(Seq2D("NxSpinItem_Count")->userSetValue(3));
        QCOMPARE(sequence->Measurements().Count, before);
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(2)); // applies at once
        QCOMPARE(int(sequence->ArrayDetails().LevelCounts[0]), 3);
        QVERIFY(sequence->Measurements().Count != before);
    }

    void BaseCandidatesAreOtherSingleSequences()
    {
        New(2);                   // #1
        New(1);                   // #2, 1D
        New(2);                   // #3, becomes roll-along on #1
        SelectNode(QStringLiteral("Sequence 2D #3"));
        TPropertyItem *type = Seq2D("NxComboBoxItem_SequenceType");
        QVERIFY(type->choose(1));
        QVERIFY(type->Expanded());
        TPropertyItem *bases = Seq2D("NxComboBoxItem_SingleSequencies");
        QVERIFY(bases->Enabled());
        QVERIFY(bases->choose(0));
        QCOMPARE(bases->Lines(), QStringList({"Sequence 2D #1"}));
        auto *rollAlong = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument());
        QVERIFY(rollAlong->BaseSequence() != nullptr);
        QCOMPARE(bases->Text(), QStringLiteral("Sequence 2D #1"));
        // In roll-along every item from "File" on is disabled.
        QVERIFY(!Seq2D("NxComboBoxItem_ArrayType")->Enabled());
        QVERIFY(!Seq2D("NxSpinItem_Count")->Enabled());
        // Seen from #1: #3 is roll-along and #2 is 1D, so nothing is offered;
        // choosing from the empty list changes nothing.
        SelectNode(QStringLiteral("Sequence 2D #1"));
        QVERIFY(!Seq2D("NxComboBoxItem_SingleSequencies")->choose(0));
        QVERIFY(Seq2D("NxComboBoxItem_SingleSequencies")->Lines().isEmpty());
        // Deleting the base unlinks the roll-along sequence.
        TRIGGER_ACTION(FWindow, "Action_Delete");
        QVERIFY(rollAlong->BaseSequence() == nullptr);
        QVERIFY(FWindow->BaseSequenceCandidates.empty());
    }

    void UncheckingAGroupLeavesLaterGroupsAsTheirPageSays()
    {
        New(2); // four groups
        QVERIFY(Seq2D("NxCheckBoxItem_SecondLength")->userSetValue(false));
        QVERIFY(Seq2D("NxCheckBoxItem_ThirdLength")->Checked());
        QVERIFY(!Seq2D("NxCheckBoxItem_ThirdLength")->Enabled());
        QVERIFY(!Seq2D("NxSpinItem_sndLevelCount")->Enabled());

        New(1);
        QVERIFY(Seq1D("NxComboBoxItem_Seq1D_ArrayType")->choose(1));
        for (const char *name : {"NxCheckBoxItem_Seq1D_SecondLength", "NxCheckBoxItem_Seq1D_THirdLength",
                                 "NxCheckBoxItem_Seq1D_FourthLength"})
            QVERIFY2(Seq1D(name)->userSetValue(true), name);
        QCOMPARE(int(dynamic_cast<TnSeq1D *>(FWindow->SelectedDocument())->ArrayDetails().GroupCount), 4);
        QVERIFY(Seq1D("NxCheckBoxItem_Seq1D_SecondLength")->userSetValue(false));
        for (const char *name : {"NxCheckBoxItem_Seq1D_SecondLength", "NxCheckBoxItem_Seq1D_THirdLength",
                                 "NxCheckBoxItem_Seq1D_FourthLength"})
            QVERIFY2(!Seq1D(name)->Checked(), name);
        QCOMPARE(int(dynamic_cast<TnSeq1D *>(FWindow->SelectedDocument())->ArrayDetails().GroupCount), 1);
    }

    void CableHeaderSwitchesAllElectrodes()
    {
        New(2);
        QVERIFY(Seq2D("NxComboBoxItem_ArrayType")->choose(0));
        SelectNode(QStringLiteral("Cable 1 (1-24)"));
        auto *grid = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Cable"));
        auto *sequence = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument());
        const uint32_t allOn = sequence->Measurements().Count;
        emit grid->HeaderClicked(1);
        for (int row = 0; row < 24; ++row) QVERIFY(!sequence->ArrayDetails().Cable1.IsEnabled(row));
        QVERIFY(sequence->Measurements().Count < allOn);
        emit grid->HeaderClicked(1);
        for (int row = 0; row < 24; ++row) QVERIFY(sequence->ArrayDetails().Cable1.IsEnabled(row));
        QCOMPARE(sequence->Measurements().Count, allOn);
        // Unticking one electrode through the model, as the user does.
        QVERIFY(grid->model()->setData(grid->model()->index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!sequence->ArrayDetails().Cable1.IsEnabled(0));
        // First electrode off: the header click switches all on.
        emit grid->HeaderClicked(1);
        for (int row = 0; row < 24; ++row) QVERIFY(sequence->ArrayDetails().Cable1.IsEnabled(row));
    }

    void UnitSpacingThatCannotBeSavedIsKept()
    {
        New(2);
        auto *sequence = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument());
        const QList<QPair<const char *, const char *>> cases{
            {"abc", "not a valid number"},       {"inf", "not a valid number"},
            {"-1", "must be at least 0.001 m"},  {"0", "must be at least 0.001 m"},
            {"0,0004", "must be at least 0.001 m"}, {"1e12", "more than a file can hold"}};
        for (const auto &[text, why] : cases) {
            Seq2D("NxTextItem_Spacing")->userSetValue(QString::fromLatin1(text));
            QCOMPARE(sequence->ArrayDetails().UnitSpacingMetres(), 5.0);
            QCOMPARE(Seq2D("NxTextItem_Spacing")->Text(), QStringLiteral("5"));
            QCOMPARE(Status(), QStringLiteral("Spacing <A>, [m]: %1, kept 5").arg(QString::fromLatin1(why)));
        }
        // The label shows the text as typed, not as markup ("<A>" is no tag).
        auto *status = FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"));
        QCOMPARE(status->textFormat(), Qt::PlainText);
        QVERIFY(Seq2D("NxTextItem_Spacing")->userSetValue(QStringLiteral("2,5")));
        QCOMPARE(sequence->ArrayDetails().UnitSpacingMetres(), 2.5);
        // What is accepted saves.
        Save(FFolder->filePath(QStringLiteral("spaced.s2d")));
        QVERIFY(QFile::exists(FFolder->filePath(QStringLiteral("spaced.s2d"))));
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
    }

    void HoverShowsTheMeasurementAndRightClickSwitchesItOff()
    {
        Open(QStringLiteral("wenner.d2d"));
        TChart *chart = Chart("Chart_d2d");
        TMeasurements2D &list = List2D();
        const QPoint at = PointPixel(chart, "Series_Points", 11); // measurement #12
        SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton);
        const uint32_t i = 11;
        QCOMPARE(Status(), QStringLiteral("#12 A: %1 B: %2 M: %3 N: %4 Rho: %5")
                               .arg(Fixed1(list.ElectrodeA(i)), Fixed1(list.ElectrodeB(i)), Fixed1(list.ElectrodeM(i)),
                                    Fixed1(list.ElectrodeN(i)), Fixed1(list.ShownResistivity(i))));
        // Shift alone only updates the status text.
        SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton, Qt::ShiftModifier);
        QVERIFY(list.IsShown(11));
        // A left click does nothing; a right click switches the point off.
        SendMouse(chart, QEvent::MouseButtonPress, at, Qt::LeftButton);
        SendMouse(chart, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        QVERIFY(list.IsShown(11));
        SendMouse(chart, QEvent::MouseButtonPress, at, Qt::RightButton);
        SendMouse(chart, QEvent::MouseButtonRelease, at, Qt::RightButton);
        QVERIFY(!list.IsShown(11));
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        QCOMPARE(table->Model().Checked(1, 11), false);
        auto *points = chart->findChild<TChartSeries *>(QStringLiteral("Series_Points"));
        QCOMPARE(points->Count(), 161);
        QVERIFY(!points->PointLabels().contains(QStringLiteral("12")));
    }

    void ARightDragAndAShiftCtrlSweep()
    {
        Open(QStringLiteral("wenner.d2d"));
        TChart *chart = Chart("Chart_d2d");
        TMeasurements2D &list = List2D();
        const QPoint first = PointPixel(chart, "Series_Points", 0);
        const QPoint second = PointPixel(chart, "Series_Points", 1);
        // Pressed on one point, released on another: nothing goes.
        SendMouse(chart, QEvent::MouseButtonPress, first, Qt::RightButton);
        SendMouse(chart, QEvent::MouseButtonRelease, second, Qt::RightButton);
        QVERIFY(list.IsShown(0) && list.IsShown(1));
        // Shift+Ctrl held: moving over points switches them off one by one.
        SendMouse(chart, QEvent::MouseMove, first, Qt::NoButton, Qt::ShiftModifier | Qt::ControlModifier);
        const QPoint next = PointPixel(chart, "Series_Points", 0); // the old second point is now first
        SendMouse(chart, QEvent::MouseMove, next, Qt::NoButton, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(!list.IsShown(0));
        QVERIFY(!list.IsShown(1));
    }

    void PanningStopsBeforeTheAxisReachesZero()
    {
        Open(QStringLiteral("wenner.d2d"));
        TChart *chart = Chart("Chart_d2d");
        chart->replot();
        const double leftBefore = chart->AxisMinimum(TAxisId::Bottom);
        QVERIFY(leftBefore > 0);
        // Drag to the right: the bottom axis would move below 0 and stays.
        const QPoint from = chart->rect().center();
        SendMouse(chart, QEvent::MouseButtonPress, from, Qt::LeftButton);
        SendMouse(chart, QEvent::MouseMove, from + QPoint(600, 0), Qt::LeftButton);
        SendMouse(chart, QEvent::MouseButtonRelease, from + QPoint(600, 0), Qt::LeftButton);
        QVERIFY(chart->AxisMinimum(TAxisId::Bottom) > 0);
    }

    void SequenceHoverShowsTheDepth()
    {
        New(2);
        TChart *chart = Chart("Chart_Seq2D");
        const QPoint at = PointPixel(chart, "Series1", 4);
        SendMouse(chart, QEvent::MouseMove, at, Qt::NoButton);
        TMeasurements2D &list = List2D();
        QCOMPARE(Status(), QStringLiteral("#5 A: %1 B: %2 M: %3 N: %4 Depth: %5")
                               .arg(Fixed1(list.ElectrodeA(4)), Fixed1(list.ElectrodeB(4)), Fixed1(list.ElectrodeM(4)),
                                    Fixed1(list.ElectrodeN(4)), Fixed1(list.PseudoDepth(4))));
    }

    void TableCommandsReachTheMeasurements()
    {
        Open(QStringLiteral("wenner.d2d"));
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        auto *points = Chart("Chart_d2d")->findChild<TChartSeries *>(QStringLiteral("Series_Points"));
        // Sorted by "U [mV]": the grid moves to its first row and the checks
        // stay with their measurement numbers.
        table->SortByColumn(10, Qt::AscendingOrder);
        QCOMPARE(table->currentIndex().row() <= 0, true);
        table->selectionModel()->clearSelection();
        for (int viewRow : {0, 1, 2})
            table->selectionModel()->select(table->model()->index(viewRow, 0),
                                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const QList<int> rows = table->SelectedRows();
        QCOMPARE(rows.size(), 3);
        FWindow->findChild<QAction *>(QStringLiteral("Action_UnCheckSelected"))->trigger();
        TMeasurements2D &list = List2D();
        for (const int row : rows) {
            const int number = int(table->Model().Number(0, row));
            QVERIFY(!list.IsShown(uint32_t(number - 1)));
        }
        QCOMPARE(points->Count(), 159);
        FWindow->findChild<QAction *>(QStringLiteral("Action_CheckSelected"))->trigger();
        QCOMPARE(points->Count(), 162);
    }

    void CopyToClipboardGivesTheRowsAsText()
    {
        New(1);
        FWindow->findChild<QAction *>(QStringLiteral("Action_CopyToClipboard"))->trigger();
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11); // header and the blank design's ten rows
        QVERIFY(lines.constFirst().startsWith(QStringLiteral("#\t")));
        QVERIFY(lines.at(1).startsWith(QStringLiteral("1\t")));
    }
};

QTEST_MAIN(TEditingTest)
#include "EditingTest.moc"
