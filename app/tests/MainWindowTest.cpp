// The main window driven through its object names, actions and dialogs on
// the offscreen platform: layout, commands, tree, file dialogs, drops.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/VeskObjects.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>

class TMainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;
    std::unique_ptr<QTemporaryDir> FFolder;

    QStackedWidget *Page(const char *name) const
    {
        return FWindow->findChild<QStackedWidget *>(QString::fromLatin1(name));
    }
    QString CurrentPage(const char *control) const
    {
        QStackedWidget *pages = Page(control);
        return pages && pages->currentWidget() ? pages->currentWidget()->objectName() : QString();
    }
    void Open(const QString &fileName, int filterIndex)
    {
        FWindow->Dialogs().SetNextFileName(fileName, filterIndex);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    void SelectNode(const QString &text)
    {
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        tree->setCurrentItem(found.constFirst());
    }

private slots:
    void init()
    {
        FFolder = std::make_unique<QTemporaryDir>();
        UseOwnSettingsFolder();
        ForgetUserSettings();
        FWindow = std::make_unique<TForm_VeskMain>();
        FWindow->Dialogs().SetMessagesAnswered(true);
        FWindow->show();
    }
    void cleanup()
    {
        FWindow.reset();
        FFolder.reset();
    }

    void NamedControlsExist()
    {
        QCOMPARE(FWindow->objectName(), QStringLiteral("TForm_VeskMain"));
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("Quelvo Tools"));
        // Its size follows the screen (UnsavedWorkTest: WindowStartsInsideTheScreen).
        for (const char *name : {"ObjectTreeView", "NxPageControl_Properties", "NxPageControl_Table", "NxPageControl_Graph",
                                 "NextInspector_Sequence", "NextGrid_Cable", "NextInspector_Data2D", "NextInspector_Seq1D",
                                 "NextInspector_d1d", "NextInspector_d0d", "NextGrid_Sequence", "NextGrid_Data2D",
                                 "NextGrid_Seq1D", "NextGrid_Data1D", "NextGrid_Data0D", "Chart_Seq2D", "Chart_d2d",
                                 "Chart_s1d", "Chart_Data1D", "Chart_Data0D", "NxCheckBox_AutoUpdate", "ProgressBar1",
                                 "NxInfoPanel_MeasureCount", "NxInfoPanel_Duration", "NxHeaderPanel_Info", "StatusBar_Panel",
                                 "PopupMenu_Tree", "PopupMenu_Table_d2d", "PopupMenu_Table_s1d", "ToolBar1"})
            QVERIFY2(FWindow->findChild<QObject *>(QString::fromLatin1(name)) != nullptr, name);
        // The page controls' pages are the named controls, in order.
        const QList<QPair<const char *, QStringList>> pages{
            {"NxPageControl_Properties",
             {"NextInspector_Sequence", "NextGrid_Cable", "NextInspector_Data2D", "NextInspector_Seq1D",
              "NextInspector_d1d", "NextInspector_d0d"}},
            {"NxPageControl_Table",
             {"NextGrid_Sequence", "NextGrid_Data2D", "NextGrid_Seq1D", "NextGrid_Data1D", "NextGrid_Data0D"}},
            {"NxPageControl_Graph", {"Chart_Seq2D", "Chart_d2d", "Chart_s1d", "Chart_Data1D", "Chart_Data0D"}}};
        for (const auto &[control, names] : pages) {
            QStackedWidget *stack = Page(control);
            QCOMPARE(stack->count(), names.size());
            for (int i = 0; i < names.size(); ++i) QCOMPARE(stack->widget(i)->objectName(), names[i]);
            QVERIFY(!stack->isVisible()); // hidden until something is selected
        }
        QVERIFY(FWindow->findChild<QCheckBox *>(QStringLiteral("NxCheckBox_AutoUpdate"))->isChecked());
    }

    void ActionsSitWhereTheyBelong()
    {
        struct TCase {
            const char *Name, *Text, *Shortcut;
            bool InMenu, InToolBar, InTreePopup;
        };
        const TCase cases[] = {
            {"Action_New", "New", "Ctrl+N", true, true, true},
            {"Action_Open", "Open", "Ctrl+O", true, true, true},
            {"Action_Append", "Append", "Ctrl+A", true, true, true},
            {"Action_Save", "Save", "Ctrl+S", true, true, true},
            {"Action_Export", "Export", "Ctrl+E", true, true, true},
            {"Action_Delete", "Delete", "Ctrl+D", true, true, false},
            {"Action_Close", "Close", "", true, false, false},
        };
        QMenu *fileMenu = FWindow->menuBar()->findChild<QMenu *>(QStringLiteral("Menu_File"));
        auto *toolBar = FWindow->findChild<QToolBar *>(QStringLiteral("ToolBar1"));
        auto *treePopup = FWindow->findChild<QMenu *>(QStringLiteral("PopupMenu_Tree"));
        for (const TCase &c : cases) {
            auto *action = FWindow->findChild<QAction *>(QString::fromLatin1(c.Name));
            QVERIFY2(action, c.Name);
            QCOMPARE(action->text(), QString::fromLatin1(c.Text));
            QCOMPARE(action->toolTip(), QString::fromLatin1(c.Text));
            QCOMPARE(action->shortcut(), QKeySequence(QString::fromLatin1(c.Shortcut)));
            QCOMPARE(fileMenu->actions().contains(action), c.InMenu);
            QCOMPARE(toolBar->actions().contains(action), c.InToolBar);
            QCOMPARE(treePopup->actions().contains(action), c.InTreePopup);
        }
        QStringList menuTexts, toolTexts;
        for (QAction *a : fileMenu->actions()) menuTexts.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        for (QAction *a : toolBar->actions()) toolTexts.append(a->text());
        QCOMPARE(menuTexts, QStringList({"New", "Open", "Append", "-", "Save", "Export", "-", "Delete", "Close"}));
        QCOMPARE(toolTexts, QStringList({"New", "Open", "Append", "Delete", "Save", "Export", "Invert"}));
        QVERIFY(FWindow->menuBar()->findChild<QMenu *>(QStringLiteral("Menu_About")));
    }

    void NewCreatesTheChosenBlankSequence()
    {
        FWindow->Dialogs().SetNextNewDocument(2);
        TRIGGER_ACTION(FWindow, "Action_New");
        FWindow->Dialogs().SetNextNewDocument(1);
        TRIGGER_ACTION(FWindow, "Action_New");
        FWindow->Dialogs().SetNextNewDocument(0);
        TRIGGER_ACTION(FWindow, "Action_New");
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Sequence 2D #1", "Sequence", "Cable 1 (1-24)", "Cable 2 (25-48)",
                                                   "Sequence 1D #2"}));
        QCOMPARE(CurrentPage("NxPageControl_Properties"), QStringLiteral("NextInspector_Seq1D"));
        QVERIFY(FWindow->findChild<QWidget *>(QStringLiteral("NxHeaderPanel_Info"))->isVisible());
    }

    void NewDialogRunsForReal()
    {
        // The real dialog: its radio choice is kept between uses.
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("TForm_VeskNew"));
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Create New Sequence "));
            dialog->findChild<QAbstractButton *>(QStringLiteral("RadioButton_Blank1D"))->click();
            dialog->accept();
        });
        TRIGGER_ACTION(FWindow, "Action_New");
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Sequence 1D #1"}));
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QVERIFY(dialog->findChild<QAbstractButton *>(QStringLiteral("RadioButton_Blank1D"))->isChecked());
            dialog->reject();
        });
        TRIGGER_ACTION(FWindow, "Action_New");
        QCOMPARE(TreeTexts(*FWindow).size(), 1);
    }

    void SelectionShowsThePagesOfTheKind()
    {
        struct TCase {
            const char *File;
            int Filter;
            const char *Property, *Table, *Chart;
            bool Info;
        };
        const TCase cases[] = {
            // The info panel of data counts the readings and gives the fit of
            // the inverted model (and a sounding's model table).
            {"wenner.d2d", 4, "NextInspector_Data2D", "NextGrid_Data2D", "Chart_d2d", true},
            {"sounding.d1d", 3, "NextInspector_d1d", "NextGrid_Data1D", "Chart_Data1D", true},
            {"series.d0d", 5, "NextInspector_d0d", "NextGrid_Data0D", "Chart_Data0D", false},
            {"sounding.s1d", 1, "NextInspector_Seq1D", "NextGrid_Seq1D", "Chart_s1d", true},
            {"schlumberger.s2d", 2, "NextInspector_Sequence", "NextGrid_Sequence", "Chart_Seq2D", true},
        };
        for (const TCase &c : cases) {
            Open(ExampleFile(QString::fromLatin1(c.File)), c.Filter);
            QCOMPARE(CurrentPage("NxPageControl_Properties"), QString::fromLatin1(c.Property));
            QCOMPARE(CurrentPage("NxPageControl_Table"), QString::fromLatin1(c.Table));
            QCOMPARE(CurrentPage("NxPageControl_Graph"), QString::fromLatin1(c.Chart));
            QCOMPARE(FWindow->findChild<QWidget *>(QStringLiteral("NxHeaderPanel_Info"))->isVisible(), c.Info);
            QVERIFY(Page("NxPageControl_Properties")->isVisible());
        }
        SelectNode(QStringLiteral("Cable 2 (25-48)"));
        QCOMPARE(CurrentPage("NxPageControl_Properties"), QStringLiteral("NextGrid_Cable"));
        QCOMPARE(CurrentPage("NxPageControl_Table"), QStringLiteral("NextGrid_Sequence"));
        auto *cable = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Cable"));
        QCOMPARE(cable->model()->rowCount(), 24);
        QCOMPARE(cable->model()->index(23, 0).data().toString(), QStringLiteral("24"));
        QCOMPARE(cable->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Used"));
    }

    void OpenTakesTheKindFromTheFilterForOtherNames()
    {
        // A name without one of the five extensions is read as the type chosen.
        const QString plain = FFolder->filePath(QStringLiteral("design.bin"));
        QVERIFY(QFile::copy(ExampleFile(QStringLiteral("schlumberger.s2d")), plain));
        Open(plain, 2);
        QCOMPARE(TreeTexts(*FWindow).value(0), QStringLiteral("Sequence 2D #1"));
        // A name that does not exist: nothing happens, no message.
        Open(FFolder->filePath(QStringLiteral("missing.d2d")), 4);
        QCOMPARE(TreeTexts(*FWindow).size(), 4);
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
        // Cancelled: nothing either.
        FWindow->Dialogs().SetNextFileCancelled();
        TRIGGER_ACTION(FWindow, "Action_Open");
        QCOMPARE(TreeTexts(*FWindow).size(), 4);
    }

    void CommandsWithoutSelectionDoNothing()
    {
        for (const char *name : {"Action_Save", "Action_Export", "Action_Append", "Action_Delete"}) {
            // A queued answer would be used up if a dialog were asked for.
            FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("x.d2d")));
            FWindow->findChild<QAction *>(QString::fromLatin1(name))->trigger();
            QVERIFY(!QFile::exists(FFolder->filePath(QStringLiteral("x.d2d"))));
        }
        QVERIFY(TreeTexts(*FWindow).isEmpty());
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
    }

    void DeleteOfACableNodeDeletesItsSequence()
    {
        FWindow->Dialogs().SetNextNewDocument(2);
        TRIGGER_ACTION(FWindow, "Action_New");
        Open(ExampleFile(QStringLiteral("wenner.d2d")), 4);
        FWindow->Dialogs().SetNextNewDocument(2);
        TRIGGER_ACTION(FWindow, "Action_New");
        SelectNode(QStringLiteral("Cable 2 (25-48)")); // of the first sequence
        TRIGGER_ACTION(FWindow, "Action_Delete");
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #2", "Sequence 2D #3", "Sequence", "Cable 1 (1-24)",
                                                   "Cable 2 (25-48)"}));
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        QVERIFY(tree->currentItem() == nullptr);
        QVERIFY(!Page("NxPageControl_Properties")->isVisible());
        QVERIFY(!Page("NxPageControl_Graph")->isVisible());
        // The node indices were renumbered: deleting the last sequence removes its node.
        SelectNode(QStringLiteral("Sequence 2D #3"));
        TRIGGER_ACTION(FWindow, "Action_Delete");
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #2"}));
        QCOMPARE(FWindow->Store().Documents().size(), size_t(1));
        QCOMPARE(FWindow->Store().Documents().front()->TreeIndex, 0);
    }

    void SaveAndExportWriteWhatVeskWrites()
    {
        const QString input = CopyExample(*FFolder, QStringLiteral("wenner.d2d"));
        Open(input, 4);
        const QString saved = FFolder->filePath(QStringLiteral("window.d2d"));
        FWindow->Dialogs().SetNextFileName(saved);
        TRIGGER_ACTION(FWindow, "Action_Save");
        const QString exported = FFolder->filePath(QStringLiteral("window.dat"));
        FWindow->Dialogs().SetNextFileName(exported, 1);
        TRIGGER_ACTION(FWindow, "Action_Export");
        const QString csv = FFolder->filePath(QStringLiteral("window.csv"));
        FWindow->Dialogs().SetNextFileName(csv, 2);
        TRIGGER_ACTION(FWindow, "Action_Export");
        const QString ohm = FFolder->filePath(QStringLiteral("window.ohm"));
        FWindow->Dialogs().SetNextFileName(ohm, 3);
        TRIGGER_ACTION(FWindow, "Action_Export");

        const QString vsaved = FFolder->filePath(QStringLiteral("vesk.d2d"));
        const QString vexported = FFolder->filePath(QStringLiteral("vesk.dat"));
        const QString vcsv = FFolder->filePath(QStringLiteral("vesk.csv"));
        const QString vohm = FFolder->filePath(QStringLiteral("vesk-bert.txt"));
        QCOMPARE(RunVesk({QStringLiteral("save"), input, QStringLiteral("-o"), vsaved}), 0);
        QCOMPARE(RunVesk({QStringLiteral("export"), input, QStringLiteral("--format"), QStringLiteral("res2dinv"),
                          QStringLiteral("-o"), vexported}), 0);
        QCOMPARE(RunVesk({QStringLiteral("export"), input, QStringLiteral("--format"), QStringLiteral("csv"),
                          QStringLiteral("-o"), vcsv}), 0);
        QCOMPARE(RunVesk({QStringLiteral("export"), input, QStringLiteral("--format"), QStringLiteral("bert"),
                          QStringLiteral("-o"), vohm}), 0);
        QVERIFY(!FileBytes(saved).isEmpty());
        QCOMPARE(FileBytes(saved), FileBytes(vsaved));
        QVERIFY(!FileBytes(exported).isEmpty());
        QCOMPARE(FileBytes(exported), FileBytes(vexported));
        QCOMPARE(FileBytes(csv), FileBytes(vcsv));
        QVERIFY(FileBytes(ohm).startsWith("48\n# x z\n"));
        QCOMPARE(FileBytes(ohm), FileBytes(vohm));
    }

    void SaveAndExportApplyOnlyToTheirKinds()
    {
        // 0D data cannot be saved; a 1D sequence cannot be exported.
        Open(ExampleFile(QStringLiteral("series.d0d")), 5);
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("s.d0d")));
        TRIGGER_ACTION(FWindow, "Action_Save");
        QVERIFY(!QFile::exists(FFolder->filePath(QStringLiteral("s.d0d"))));
        Open(ExampleFile(QStringLiteral("sounding.s1d")), 1);
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("s.csv")));
        TRIGGER_ACTION(FWindow, "Action_Export");
        QVERIFY(!QFile::exists(FFolder->filePath(QStringLiteral("s.csv"))));
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("s.s1d")));
        TRIGGER_ACTION(FWindow, "Action_Save");
        QVERIFY(QFile::exists(FFolder->filePath(QStringLiteral("s.s1d"))));
    }

    void ExportDialogPresetsNameAndSwitchesExtension()
    {
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")), 4);
        QString preset, suffixFirst, suffixBert, suffixAfterSwitch, chosenFilter;
        QStringList types;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("ExportDialog"));
            preset = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            chosenFilter = dialog->selectedNameFilter();
            suffixFirst = dialog->defaultSuffix();
            types = dialog->nameFilters();
            emit dialog->filterSelected(QStringLiteral("BERT Files (*.ohm)"));
            suffixBert = dialog->defaultSuffix();
            dialog->selectNameFilter(QStringLiteral("CSV Files (*.csv)"));
            // A user's pick of the type raises filterSelected; selectNameFilter does not.
            emit dialog->filterSelected(QStringLiteral("CSV Files (*.csv)"));
            suffixAfterSwitch = dialog->defaultSuffix();
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("picked"));
            static_cast<QDialog *>(dialog)->accept(); // as the dialog's own button does
        });
        TRIGGER_ACTION(FWindow, "Action_Export");
        QCOMPARE(preset, QStringLiteral("wenner"));
        QCOMPARE(chosenFilter, QStringLiteral("Res2DInv Files (*.dat)"));
        QCOMPARE(suffixFirst, QStringLiteral("dat"));
        // The third type keeps the indices of the first two.
        QCOMPARE(types, QStringList({QStringLiteral("Res2DInv Files (*.dat)"), QStringLiteral("CSV Files (*.csv)"),
                                     QStringLiteral("BERT Files (*.ohm)")}));
        QCOMPARE(suffixBert, QStringLiteral("ohm"));
        QCOMPARE(suffixAfterSwitch, QStringLiteral("csv"));
        // The file went out as CSV with the ".csv" extension.
        QVERIFY(QFile::exists(FFolder->filePath(QStringLiteral("picked.csv"))));
    }

    void SaveDialogGivesABareNameTheKindsExtension()
    {
        FWindow->Dialogs().SetNextNewDocument(1);
        TRIGGER_ACTION(FWindow, "Action_New");
        // The dialog opens in the last folder used; point it at ours. A
        // second design, without a file, gets the empty name there.
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("first.s1d")));
        TRIGGER_ACTION(FWindow, "Action_Save");
        FWindow->Dialogs().SetNextNewDocument(1);
        TRIGGER_ACTION(FWindow, "Action_New");
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("SaveDialog"));
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("1D Sequence Files (*.s1d)"));
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("bare"));
            static_cast<QDialog *>(dialog)->accept();
        });
        TRIGGER_ACTION(FWindow, "Action_Save");
        QVERIFY(QFile::exists(FFolder->filePath(QStringLiteral("bare.s1d"))));
    }

    void LoadFailuresAreShownAndTheNodeStays()
    {
        const QString cut = FFolder->filePath(QStringLiteral("cut.d2d"));
        QFile file(cut);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(FileBytes(ExampleFile(QStringLiteral("wenner.d2d"))).left(400));
        file.close();
        Open(cut, 4);
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #1"}));
        QVERIFY(!FWindow->Dialogs().Messages().isEmpty());
        QVERIFY(FWindow->Dialogs().Messages().constFirst().startsWith(QStringLiteral("Ошибка")));
    }

    void MessagesAreNamedBoxesTitledWithTheProgram()
    {
        FWindow->Dialogs().SetMessagesAnswered(false);
        QString title, name, text;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle(), name = box->objectName(), text = box->text();
            box->accept();
        });
        FWindow->ShowMessage(std::string("Ошибка при загрузке файла данных № 1"));
        QCOMPARE(title, QStringLiteral("Quelvo Tools"));
        QCOMPARE(name, QStringLiteral("VeskMessageBox"));
        QCOMPARE(text, QStringLiteral("Ошибка при загрузке файла данных № 1"));
    }

    void FilesFromTheCommandLineAndDropsOpenByExtension()
    {
        FWindow->OpenFiles({ExampleFile(QStringLiteral("sounding.d1d")), ExampleFile(QStringLiteral("schlumberger.s2d"))});
        QCOMPARE(TreeTexts(*FWindow).value(0), QStringLiteral("Data 1D #1"));
        QCOMPARE(TreeTexts(*FWindow).value(1), QStringLiteral("Sequence 2D #2"));

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(ExampleFile(QStringLiteral("series.d0d"))),
                      QUrl::fromLocalFile(FFolder->filePath(QStringLiteral("notes.txt")))});
        // As a desktop drag does: enter, then drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FWindow.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(FWindow.get(), &drop);
        QVERIFY(TreeTexts(*FWindow).contains(QStringLiteral("Data 0D #3")));
        // The text file is no file of this program: said so, nothing opened.
        QCOMPARE(FWindow->Dialogs().Messages().size(), 1);
        QVERIFY(FWindow->Dialogs().Messages().constFirst().contains(QStringLiteral("notes.txt")));
    }

    void FolderWithCyrillicNameWorks()
    {
        QDir(FFolder->path()).mkdir(QStringLiteral("Профиль"));
        const QString input = FFolder->filePath(QStringLiteral("Профиль/линия.d2d"));
        QVERIFY(QFile::copy(ExampleFile(QStringLiteral("wenner.d2d")), input));
        Open(input, 4);
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
        const QString saved = FFolder->filePath(QStringLiteral("Профиль/копия.d2d"));
        FWindow->Dialogs().SetNextFileName(saved);
        TRIGGER_ACTION(FWindow, "Action_Save");
        QVERIFY(QFile::exists(saved));
    }

    void AppendJoinsARollAlongSpread()
    {
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")), 4);
        FWindow->Dialogs().SetNextFileName(CopyExample(*FFolder, QStringLiteral("wenner-roll.d2d")));
        TRIGGER_ACTION(FWindow, "Action_Append");
        const TCustomVeskObject *document = FWindow->SelectedDocument();
        QVERIFY(document);
        QCOMPARE(const_cast<TCustomVeskObject *>(document)->MeasurementsCustom().Count, uint32_t(258));
    }
};

QTEST_MAIN(TMainWindowTest)
#include "MainWindowTest.moc"
