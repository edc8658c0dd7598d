// Undo and redo through the window's Edit menu: each kind of edit is one
// step, taken back to the bytes a save wrote before it and made again to the
// bytes after it; the changed mark follows the steps; the reading counts
// say what the Used boxes and the filters left.
#include "WindowFixture.h"

#include "DocumentStates.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QUndoStack>

#include <algorithm>
#include <functional>

class TUndoTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;
    std::unique_ptr<QTemporaryDir> FFolder;
    int FSaves = 0;

    TPropertyItem *Item(const char *page, const char *name) const { return PageItem(*FWindow, page, name); }
    QString Status() const { return FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"))->text(); }
    QAction *Action(const char *name) const { return FWindow->findChild<QAction *>(QString::fromLatin1(name)); }
    bool Changed() const { return FWindow->windowTitle().contains(QLatin1Char('*')); }
    void Open(const QString &name)
    {
        FWindow->Dialogs().SetNextFileName(CopyExample(*FFolder, name));
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    void New(int choice)
    {
        FWindow->Dialogs().SetNextNewDocument(choice);
        FWindow->findChild<QAction *>(QStringLiteral("Action_New"))->trigger();
    }
    // The selected document as Save writes it (each save to a new name).
    QByteArray SavedBytes()
    {
        TCustomVeskObject *document = FWindow->SelectedDocument();
        const QString extension = document->Kind() == TDocumentKind::Seq2D   ? QStringLiteral(".s2d")
                                  : document->Kind() == TDocumentKind::Seq1D ? QStringLiteral(".s1d")
                                  : document->Kind() == TDocumentKind::Data1D ? QStringLiteral(".d1d")
                                                                               : QStringLiteral(".d2d");
        const QString name = FFolder->filePath(QStringLiteral("saved%1%2").arg(++FSaves).arg(extension));
        FWindow->Dialogs().SetNextFileName(name);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Save"))->trigger();
        return FileBytes(name);
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
    static void RightClick(TChart *chart, QPoint at)
    {
        SendMouse(chart, QEvent::MouseButtonPress, at, Qt::RightButton);
        SendMouse(chart, QEvent::MouseButtonRelease, at, Qt::RightButton);
    }
    // Shift+Ctrl held while the pointer crosses the first point shown, count times.
    void Sweep(int count)
    {
        TChart *chart = Chart("Chart_d2d");
        for (int k = 0; k < count; ++k)
            SendMouse(chart, QEvent::MouseMove, PointPixel(chart, "Series_Points", 0), Qt::NoButton,
                      Qt::ShiftModifier | Qt::ControlModifier);
        SendMouse(chart, QEvent::MouseMove, QPoint(2, 2), Qt::NoButton);
    }
    void SetUsedBox(const char *table, int row, bool used)
    {
        auto *grid = FWindow->findChild<TGridView *>(QString::fromLatin1(table));
        QVERIFY(grid->model()->setData(grid->model()->index(row, 1), used ? Qt::Checked : Qt::Unchecked,
                                       Qt::CheckStateRole));
    }

private slots:
    void init()
    {
        FFolder = std::make_unique<QTemporaryDir>();
        FSaves = 0;
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup()
    {
        FWindow.reset();
        FFolder.reset();
    }

    void EditMenuSitsBetweenFileAndData()
    {
        QStringList menus;
        for (QAction *a : FWindow->menuBar()->actions()) menus.append(a->text());
        QCOMPARE(menus, QStringList({"File", "Edit", "Data", "About"}));
        QCOMPARE(Action("Action_Undo")->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
        QCOMPARE(Action("Action_Redo")->shortcuts(),
                 QList<QKeySequence>({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}));
        QVERIFY(!Action("Action_Undo")->isEnabled());
        QVERIFY(!Action("Action_Redo")->isEnabled());
    }

    // Each kind of edit: one step, named; undo gives the bytes saved before
    // it, redo the bytes saved after it.
    void EveryKindOfEditIsOneStepBackToTheBytes()
    {
        using TEdit = std::function<void(TUndoTest &)>;
        struct TCase {
            const char *Name;
            std::function<void(TUndoTest &)> Start;
            TEdit Edit;
            const char *Step;
        };
        const auto open = [](const char *file) { return [file](TUndoTest &t) { t.Open(QString::fromLatin1(file)); }; };
        const auto design = [](int choice) { return [choice](TUndoTest &t) { t.New(choice); }; };
        const auto set = [](const char *page, const char *item, QVariant value) {
            return [page, item, value](TUndoTest &t) {
                TPropertyItem *one = t.Item(page, item);
                QVERIFY2(one, item);
                QVERIFY2(one->userSetValue(value), item);
            };
        };
        const auto bump = [](const char *page, const char *item) {
            return [page, item](TUndoTest &t) {
                TPropertyItem *one = t.Item(page, item);
                QVERIFY2(one->userSetValue(one->AsFloat() + 1), item);
            };
        };
        const auto choose = [](const char *page, const char *item, int index) {
            return [page, item, index](TUndoTest &t) { QVERIFY2(t.Item(page, item)->choose(index), item); };
        };
        const TCase cases[] = {
            {"Used box", open("wenner.d2d"), [](TUndoTest &t) { t.SetUsedBox("NextGrid_Data2D", 0, false); },
             "Switch Off 1 Measurement"},
            {"UnCheck Selected", open("wenner.d2d"),
             [](TUndoTest &t) {
                 auto *table = t.FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
                 table->selectionModel()->select(
                     QItemSelection(table->model()->index(3, 0), table->model()->index(5, 0)),
                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                 TRIGGER_ACTION(t.FWindow, "Action_UnCheckSelected");
             },
             "Switch Off 3 Measurements"},
            {"right click on a point", open("wenner.d2d"),
             [](TUndoTest &t) { RightClick(t.Chart("Chart_d2d"), PointPixel(t.Chart("Chart_d2d"), "Series_Points", 4)); },
             "Switch Off 1 Measurement"},
            {"quality filter", open("dipole-dipole-ip.d2d"), set("NextInspector_Data2D", "NxCheckBoxItem_QualityFilter", true),
             "Quality Filter"},
            {"filter bound", open("dipole-dipole-ip.d2d"),
             set("NextInspector_Data2D", "NxSpinItem_ResistivityMinValue", 5.0), "Resistivity Filter"},
            {"palette", open("wenner.d2d"), choose("NextInspector_Data2D", "NxComboBoxItem_d2d_Palette", 1), "Palette"},
            {"sounding point", open("sounding.d1d"),
             [](TUndoTest &t) {
                 RightClick(t.Chart("Chart_Data1D"), PointPixel(t.Chart("Chart_Data1D"), "Series_D1D_MN1", 2));
             },
             "Switch Off 1 Measurement"},
            {"sounding Used box", open("sounding.d1d"),
             [](TUndoTest &t) { t.SetUsedBox("NextGrid_Data1D", 1, false); }, "Switch Off 1 Measurement"},
            {"array type", design(2), choose("NextInspector_Sequence", "NxComboBoxItem_ArrayType", 2), "Array Type"},
            {"levels", design(2), bump("NextInspector_Sequence", "NxSpinItem_Count"), "Levels"},
            {"unit spacing", design(2), set("NextInspector_Sequence", "NxTextItem_Spacing", QStringLiteral("2.5")),
             "Spacing <A>, [m]"},
            {"spacing group",
             [](TUndoTest &t) {
                 t.New(2);
                 QVERIFY(t.Item("NextInspector_Sequence", "NxComboBoxItem_ArrayType")->choose(2));
             },
             set("NextInspector_Sequence", "NxCheckBoxItem_SecondLength", true),
             "Spacing #2"},
            {"cable electrode", design(2),
             [](TUndoTest &t) {
                 t.SelectNode(QStringLiteral("Cable 1 (1-24)"));
                 auto *grid = t.FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Cable"));
                 QVERIFY(grid->model()->setData(grid->model()->index(3, 1), Qt::Unchecked, Qt::CheckStateRole));
             },
             "Cable Electrodes"},
            {"cable header", design(2),
             [](TUndoTest &t) {
                 t.SelectNode(QStringLiteral("Cable 2 (25-48)"));
                 emit t.FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Cable"))->HeaderClicked(1);
             },
             "Cable Electrodes"},
            {"increment type", design(1), choose("NextInspector_Seq1D", "NxComboBoxItem_Seq1D_IncrementType", 1),
             "Increment Type"},
            {"increment", design(1), bump("NextInspector_Seq1D", "NxSpinItem_Seq1D_Increment"), "Increment"},
        };
        for (const TCase &c : cases) {
            FWindow = NewTestWindow(QSize(1200, 900));
            QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
            c.Start(*this);
            const QByteArray before = SavedBytes();
            QVERIFY2(!before.isEmpty(), c.Name);
            const int steps = FWindow->States().Stack(*FWindow->SelectedDocument()).count();
            c.Edit(*this);
            QVERIFY2(FWindow->States().Stack(*FWindow->SelectedDocument()).count() == steps + 1, c.Name);
            QCOMPARE(Action("Action_Undo")->text(), QStringLiteral("Undo ") + QString::fromLatin1(c.Step));
            const QByteArray after = SavedBytes();
            TRIGGER_ACTION(FWindow, "Action_Undo");
            QVERIFY2(SavedBytes() == before, c.Name);
            QCOMPARE(Action("Action_Redo")->text(), QStringLiteral("Redo ") + QString::fromLatin1(c.Step));
            TRIGGER_ACTION(FWindow, "Action_Redo");
            QVERIFY2(SavedBytes() == after, c.Name);
        }
    }

    void SweepIsOneStep()
    {
        Open(QStringLiteral("dipole-dipole-ip.d2d"));
        const QByteArray before = SavedBytes();
        const uint32_t count = List2D().Count;
        Sweep(30);
        uint32_t off = 0;
        for (uint32_t i = 0; i < count; ++i) off += List2D().IsShown(i) ? 0 : 1;
        QCOMPARE(off, 30u);
        QUndoStack &stack = FWindow->States().Stack(*FWindow->SelectedDocument());
        QCOMPARE(stack.count(), 1);
        QCOMPARE(Action("Action_Undo")->text(), QStringLiteral("Undo Switch Off 30 Measurements"));
        // A second sweep is a second step.
        Sweep(2);
        QCOMPARE(stack.count(), 2);
        TRIGGER_ACTION(FWindow, "Action_Undo");
        TRIGGER_ACTION(FWindow, "Action_Undo");
        for (uint32_t i = 0; i < count; ++i) QVERIFY(List2D().IsShown(i));
        QCOMPARE(SavedBytes(), before);
    }

    void AppendIsUndoneToTheByte()
    {
        Open(QStringLiteral("wenner.d2d"));
        SetUsedBox("NextGrid_Data2D", 2, false);
        const QByteArray before = SavedBytes();
        FWindow->Dialogs().SetNextFileName(CopyExample(*FFolder, QStringLiteral("wenner-roll.d2d")));
        TRIGGER_ACTION(FWindow, "Action_Append");
        QCOMPARE(Action("Action_Undo")->text(), QStringLiteral("Undo Append wenner-roll.d2d"));
        const QByteArray joined = SavedBytes();
        QVERIFY(joined.size() > before.size());
        TRIGGER_ACTION(FWindow, "Action_Undo");
        QCOMPARE(SavedBytes(), before);
        QVERIFY(!List2D().IsShown(2));
        TRIGGER_ACTION(FWindow, "Action_Redo");
        QCOMPARE(SavedBytes(), joined);
        // Undone back to the start, then appended again: the same join.
        TRIGGER_ACTION(FWindow, "Action_Undo");
        TRIGGER_ACTION(FWindow, "Action_Undo");
        FWindow->Dialogs().SetNextFileName(CopyExample(*FFolder, QStringLiteral("wenner-roll.d2d")));
        TRIGGER_ACTION(FWindow, "Action_Append");
        QVERIFY(!Action("Action_Redo")->isEnabled());
        SetUsedBox("NextGrid_Data2D", 2, false);
        QCOMPARE(SavedBytes(), joined);
        // A step after the join goes back and forth across it.
        SetUsedBox("NextGrid_Data2D", 200, false);
        const QByteArray ticked = SavedBytes();
        for (const char *action : {"Action_Undo", "Action_Undo", "Action_Redo", "Action_Redo"}) {
            QVERIFY2(Action(action)->isEnabled(), action);
            Action(action)->trigger();
        }
        QCOMPARE(SavedBytes(), ticked);
    }

    void ChangedMarkFollowsTheSteps()
    {
        Open(QStringLiteral("wenner.d2d"));
        QVERIFY(!Changed());
        SetUsedBox("NextGrid_Data2D", 0, false);
        QVERIFY(Changed());
        TRIGGER_ACTION(FWindow, "Action_Undo");
        QVERIFY(!Changed()); // back at the file's state
        TRIGGER_ACTION(FWindow, "Action_Redo");
        QVERIFY(Changed());
        SavedBytes();
        QVERIFY(!Changed());
        TRIGGER_ACTION(FWindow, "Action_Undo");
        QVERIFY(Changed()); // now the file holds the redone state
        TRIGGER_ACTION(FWindow, "Action_Redo");
        QVERIFY(!Changed());
        // A chart setting is a step but no change of the file.
        QVERIFY(Item("NextInspector_Data2D", "NxComboBoxItem_d2d_Palette")->choose(2));
        QVERIFY(Action("Action_Undo")->isEnabled());
        QVERIFY(!Changed());
    }

    void UndoActsOnTheSelectedDocument()
    {
        Open(QStringLiteral("wenner.d2d"));
        SetUsedBox("NextGrid_Data2D", 0, false);
        Open(QStringLiteral("sounding.d1d"));
        QVERIFY(!Action("Action_Undo")->isEnabled());
        SelectNode(QStringLiteral("Data 2D #1"));
        QVERIFY(Action("Action_Undo")->isEnabled());
        // The keys, as a user presses them.
        QTest::keyClick(FWindow.get(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(List2D().IsShown(0));
        QTest::keyClick(FWindow.get(), Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(!List2D().IsShown(0));
        QTest::keyClick(FWindow.get(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(FWindow.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!List2D().IsShown(0));
        // A deleted document takes its steps with it.
        FWindow->Dialogs().SetNextChangesAnswer(TChangesAnswer::Discard);
        TRIGGER_ACTION(FWindow, "Action_Delete");
        QCOMPARE(TreeTexts(*FWindow).size(), 1);
        QVERIFY(!Action("Action_Undo")->isEnabled());
    }

    void CountsSayWhatTheFiltersLeave()
    {
        Open(QStringLiteral("wenner.d2d"));
        auto *readings = FWindow->findChild<QLabel *>(QStringLiteral("NxInfoPanel_Readings"));
        QVERIFY(readings->isVisible());
        QCOMPARE(readings->text(), QStringLiteral("162 readings: 162 used, 162 pass the filters"));
        SetUsedBox("NextGrid_Data2D", 0, false);
        SetUsedBox("NextGrid_Data2D", 1, false);
        QCOMPARE(readings->text(), QStringLiteral("162 readings: 160 used, 160 pass the filters"));
        QCOMPARE(Status(), readings->text());

        // A filter: the rows it removes are greyed, their boxes stay ticked.
        TMeasurements2D &list = List2D();
        QList<double> qualities;
        for (uint32_t i = 0; i < list.Count; ++i) qualities.append(list.QualityPercent(i));
        std::sort(qualities.begin(), qualities.end());
        QVERIFY(qualities.front() < qualities.back());
        QVERIFY(Item("NextInspector_Data2D", "NxSpinItem_QualityThreshold")->userSetValue(qualities[qualities.size() / 2]));
        QVERIFY(Item("NextInspector_Data2D", "NxCheckBoxItem_QualityFilter")->userSetValue(true));
        uint32_t used = 0, passing = 0;
        for (uint32_t i = 0; i < list.Count; ++i) {
            used += list.IsShown(i) ? 1 : 0;
            passing += list.IsShown(i) && list.PassesFilter(i) ? 1 : 0;
        }
        QVERIFY(passing < used);
        const QString counts = QStringLiteral("162 readings: 160 used, %1 pass the filters").arg(passing);
        QCOMPARE(readings->text(), counts);
        QCOMPARE(Status(), counts);
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        const TGridModel &model = table->Model();
        for (uint32_t i = 0; i < list.Count; ++i) {
            const bool greyed = model.data(model.index(int(i), 3), Qt::ForegroundRole).isValid();
            QCOMPARE(greyed, !list.PassesFilter(i));
            if (i >= 2) QVERIFY(model.Checked(1, int(i)));
        }

        // Nothing left: an empty chart and the reason, without a message box.
        QVERIFY(Item("NextInspector_Data2D", "NxSpinItem_ResistivityMaxValue")->userSetValue(0.001));
        QVERIFY(Item("NextInspector_Data2D", "NxCheckBoxItem_ResistivityFilter")->userSetValue(true));
        QCOMPARE(Status(), QStringLiteral("No reading passes the filters (0 of 162)"));
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
        QCOMPARE(Chart("Chart_d2d")->findChild<TChartSeries *>(QStringLiteral("Series_Points"))->Count(), 0);
        TRIGGER_ACTION(FWindow, "Action_Undo");
        TRIGGER_ACTION(FWindow, "Action_Undo");
        QCOMPARE(Status(), counts);

        // Saving makes the filtered readings unused and says how many.
        const QByteArray saved = SavedBytes();
        QVERIFY2(Status().contains(QStringLiteral(": %1 readings failing the filters stored as not used").arg(160 - passing)),
                 qPrintable(Status()));
        // Undo takes the filter back with the readings it removed; redo
        // returns to the document as saved.
        TRIGGER_ACTION(FWindow, "Action_Undo");
        QCOMPARE(readings->text(), QStringLiteral("162 readings: 160 used, 160 pass the filters"));
        QVERIFY(Changed());
        TRIGGER_ACTION(FWindow, "Action_Redo");
        QVERIFY(!Changed());
        QCOMPARE(readings->text(), QStringLiteral("162 readings: %1 used, %1 pass the filters").arg(passing));
        QCOMPARE(SavedBytes(), saved);
    }
};

QTEST_MAIN(TUndoTest)
#include "UndoTest.moc"
