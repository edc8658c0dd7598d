// The window keeps the user's work: the changed mark in the title, the
// questions before Close and Delete lose edits, Open choosing the kind by the
// extension, the Save dialog preset to the document's file, and the window's
// remaining commands and texts. Driven through the real window, its actions,
// dialogs and key presses.
#include "WindowFixture.h"

#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

class TUnsavedWorkTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;
    std::unique_ptr<QTemporaryDir> FFolder;

    void Open(const QString &fileName, int filterIndex = 4)
    {
        FWindow->Dialogs().SetNextFileName(fileName, filterIndex);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    void Trigger(const char *name) { FWindow->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    QString Status() const { return FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"))->text(); }
    // Toggles the "Used" box of the table's first row as the user does with
    // the keyboard: a click on the row's "#", Right to the box, then Space.
    void ToggleFirstUsedBox()
    {
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        const QRect cell = table->visualRect(table->model()->index(0, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        QTest::keyClick(table, Qt::Key_Right);
        const int before = table->model()->index(0, 1).data(Qt::CheckStateRole).toInt();
        QTest::keyClick(table, Qt::Key_Space);
        QVERIFY(table->model()->index(0, 1).data(Qt::CheckStateRole).toInt() != before);
    }
    // Runs the action while answering the modal dialog it opens with answer.
    void WithModal(const char *action, const std::function<void(QWidget *)> &answer)
    {
        bool answered = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            answer(modal);
            answered = true;
        });
        Trigger(action);
        QVERIFY(answered);
    }

private slots:
    void init()
    {
        FFolder = std::make_unique<QTemporaryDir>();
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    }
    void cleanup()
    {
        FWindow.reset();
        FFolder.reset();
    }

    void TitleMarksAChangeUntilItIsSaved()
    {
        const QString input = CopyExample(*FFolder, QStringLiteral("wenner.d2d"));
        Open(input);
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("wenner.d2d - Quelvo Tools"));
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Data 2D #1")); // the tree keeps its names
        QCOMPARE(tree->topLevelItem(0)->toolTip(0), QFileInfo(input).absoluteFilePath());

        ToggleFirstUsedBox();
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("wenner.d2d* - Quelvo Tools"));
        // A failed save keeps the mark.
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("no-such-folder/wenner.d2d")));
        Trigger("Action_Save");
        QCOMPARE(FWindow->Dialogs().Messages().size(), 1);
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("wenner.d2d* - Quelvo Tools"));
        // Saved under another name: the title follows the file.
        FWindow->Dialogs().SetNextFileName(FFolder->filePath(QStringLiteral("clean.d2d")));
        Trigger("Action_Save");
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("clean.d2d - Quelvo Tools"));

        // A new design has no file: its tree name stands in the title.
        FWindow->Dialogs().SetNextNewDocument(2);
        Trigger("Action_New");
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("Sequence 2D #2 - Quelvo Tools"));
        auto *levels = FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_Sequence"))
                           ->FindItem(QStringLiteral("NxSpinItem_Count"));
        QVERIFY(levels->userSetValue(5));
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("Sequence 2D #2* - Quelvo Tools"));
        // Back to the profile: its own, unchanged state.
        tree->setCurrentItem(tree->topLevelItem(0));
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("clean.d2d - Quelvo Tools"));
    }

    void EveryKindOfEditMarksTheDocument()
    {
        struct TCase {
            const char *Edit;
            std::function<void(TUnsavedWorkTest &)> Do;
        };
        const QList<TCase> cases{
            {"a Used box", [](TUnsavedWorkTest &t) { t.ToggleFirstUsedBox(); }},
            {"UnCheck Selected",
             [](TUnsavedWorkTest &t) {
                 auto *table = t.FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
                 table->selectRow(3);
                 t.Trigger("Action_UnCheckSelected");
             }},
            {"a filter",
             [](TUnsavedWorkTest &t) {
                 QVERIFY(t.FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_Data2D"))
                             ->FindItem(QStringLiteral("NxCheckBoxItem_QualityFilter"))
                             ->userSetValue(true));
             }},
            {"an appended spread",
             [&](TUnsavedWorkTest &t) {
                 t.FWindow->Dialogs().SetNextFileName(CopyExample(*t.FFolder, QStringLiteral("wenner-roll.d2d")));
                 t.Trigger("Action_Append");
             }},
        };
        for (const TCase &c : cases) {
            Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")));
            QVERIFY2(!FWindow->windowTitle().contains(QLatin1Char('*')), c.Edit);
            c.Do(*this);
            QVERIFY2(FWindow->windowTitle().startsWith(QStringLiteral("wenner.d2d*")), c.Edit);
        }
        // What only changes the picture is no change of the file.
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")));
        TPropertyItem *radius = FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_Data2D"))
                                    ->FindItem(QStringLiteral("NxSpinItem_ApproximationRadius"));
        QVERIFY(radius->userSetValue(radius->AsFloat() + 1));
        QVERIFY(!FWindow->windowTitle().contains(QLatin1Char('*')));
    }

    void CloseAsksOnceForTheChangedDocuments()
    {
        struct TCase {
            const char *Name;
            TChangesAnswer Answer;
            bool SaveDialogCancelled;
            bool Closes;
        };
        const TCase cases[] = {
            {"cancel", TChangesAnswer::Cancel, false, false},
            {"discard", TChangesAnswer::Discard, false, true},
            {"save", TChangesAnswer::Save, false, true},
            {"save, then the dialog cancelled", TChangesAnswer::Save, true, false},
        };
        for (const TCase &c : cases) {
            init();
            const QString input = CopyExample(*FFolder, QStringLiteral("wenner.d2d"));
            Open(input);
            ToggleFirstUsedBox();
            const QByteArray before = FileBytes(input);
            FWindow->Dialogs().SetNextChangesAnswer(c.Answer);
            const QString saved = FFolder->filePath(QStringLiteral("saved.d2d"));
            if (c.SaveDialogCancelled) FWindow->Dialogs().SetNextFileCancelled();
            else FWindow->Dialogs().SetNextFileName(saved);
            Trigger("Action_Close");
            QVERIFY2(FWindow->isVisible() == !c.Closes, c.Name);
            QCOMPARE(FileBytes(input), before); // never written behind the user's back
            QCOMPARE(QFile::exists(saved), c.Answer == TChangesAnswer::Save && !c.SaveDialogCancelled);
            cleanup();
        }
        init();
        // Unchanged documents: no question.
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")));
        Trigger("Action_Close");
        QVERIFY(!FWindow->isVisible());
        QVERIFY(FWindow->Dialogs().Questions().isEmpty());
    }

    void CloseQuestionListsTheDocumentsWithThreeAnswers()
    {
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")));
        ToggleFirstUsedBox();
        FWindow->Dialogs().SetNextNewDocument(1);
        Trigger("Action_New");
        Open(CopyExample(*FFolder, QStringLiteral("sounding.d1d")));
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data1D"));
        QVERIFY(table->model()->setData(table->model()->index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
        FWindow->Dialogs().SetMessagesAnswered(false);
        QString text;
        QStringList buttons;
        WithModal("Action_Close", [&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            QCOMPARE(box->objectName(), QStringLiteral("SaveChangesBox"));
            text = box->text();
            for (QAbstractButton *button : box->buttons()) buttons.append(button->text().remove(QLatin1Char('&')));
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(FWindow->isVisible());
        QVERIFY(text.contains(QStringLiteral("Data 2D #1")));
        QVERIFY(text.contains(QStringLiteral("Data 1D #3")));
        QVERIFY(!text.contains(QStringLiteral("Sequence 1D #2"))); // unchanged
        buttons.sort();
        QCOMPARE(buttons, QStringList({"Cancel", "Discard", "Save"}));
    }

    void DeleteAsksOnlyForAChangedDocumentAndClearsWhatItShowed()
    {
        Open(CopyExample(*FFolder, QStringLiteral("wenner.d2d")));
        FWindow->Dialogs().SetNextNewDocument(2);
        Trigger("Action_New");
        FWindow->SetStatusText(QStringLiteral("#1 A: 0.0"));
        FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_Sequence"))
            ->FindItem(QStringLiteral("NxSpinItem_Count"))
            ->userSetValue(4);
        auto *count = FWindow->findChild<QLabel *>(QStringLiteral("NxInfoPanel_MeasureCount"));
        QVERIFY(count->text() != QStringLiteral("Count:"));
        // Cancelled: the design stays.
        FWindow->Dialogs().SetNextChangesAnswer(TChangesAnswer::Cancel);
        Trigger("Action_Delete");
        QCOMPARE(TreeTexts(*FWindow).value(1), QStringLiteral("Sequence 2D #2"));
        // Discarded: gone, and nothing of it stays on show.
        FWindow->Dialogs().SetNextChangesAnswer(TChangesAnswer::Discard);
        Trigger("Action_Delete");
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #1"}));
        QCOMPARE(count->text(), QStringLiteral("Count:"));
        QCOMPARE(Status(), QString());
        QCOMPARE(FWindow->windowTitle(), QStringLiteral("Quelvo Tools"));
        // The unchanged profile goes without a question.
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        tree->setCurrentItem(tree->topLevelItem(0));
        Trigger("Action_Delete");
        QVERIFY(TreeTexts(*FWindow).isEmpty());
        QVERIFY(FWindow->Dialogs().Questions().isEmpty());
    }

    void SwitchingDocumentsClearsTheStatusText()
    {
        Open(ExampleFile(QStringLiteral("wenner.d2d")));
        Open(ExampleFile(QStringLiteral("sounding.d1d")));
        FWindow->SetStatusText(QStringLiteral("#3 A: 1.0"));
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QCOMPARE(Status(), QString());
    }

    void TheExtensionDecidesTheKind()
    {
        // Under the 2D sequence type, a .d2d name still opens 2D data.
        Open(ExampleFile(QStringLiteral("wenner.d2d")), 2);
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #1"}));
        // A name without one of the five extensions: the type chosen decides.
        const QString plain = FFolder->filePath(QStringLiteral("profile.bin"));
        QVERIFY(QFile::copy(ExampleFile(QStringLiteral("wenner.d2d")), plain));
        Open(plain, 4);
        QCOMPARE(TreeTexts(*FWindow).value(1), QStringLiteral("Data 2D #2"));
        // A file whose first byte belongs to another kind is refused with what it is.
        const QString renamed = FFolder->filePath(QStringLiteral("renamed.s2d"));
        QVERIFY(QFile::copy(ExampleFile(QStringLiteral("wenner.d2d")), renamed));
        Open(renamed, 2);
        QCOMPARE(TreeTexts(*FWindow).size(), 2);
        QCOMPARE(FWindow->Dialogs().Messages().size(), 1);
        QVERIFY2(FWindow->Dialogs().Messages().constFirst().contains(QStringLiteral("it looks like 2D data (.d2d)")),
                 qPrintable(FWindow->Dialogs().Messages().constFirst()));
        // Several files at once, in the order chosen.
        FWindow->Dialogs().SetNextFileNames(
            {ExampleFile(QStringLiteral("series.d0d")), ExampleFile(QStringLiteral("schlumberger.s2d"))});
        Trigger("Action_Open");
        QCOMPARE(TreeTexts(*FWindow).value(2), QStringLiteral("Data 0D #3"));
        QCOMPARE(TreeTexts(*FWindow).value(3), QStringLiteral("Sequence 2D #4"));
    }

    void OpenDialogOffersAllSupportedFilesAndSeveralFiles()
    {
        for (const char *name : {"sounding.d1d", "wenner.d2d"}) CopyExample(*FFolder, QString::fromLatin1(name));
        FWindow->Dialogs().SetMessagesAnswered(false);
        QStringList filters;
        QString selected;
        WithModal("Action_Open", [&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->objectName(), QStringLiteral("OpenDialog"));
            filters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            dialog->setDirectory(FFolder->path());
            dialog->selectNameFilter(filters.value(5));
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("\"wenner.d2d\" \"sounding.d1d\""));
            static_cast<QDialog *>(dialog)->accept();
        });
        QCOMPARE(filters.size(), 6);
        QCOMPARE(filters.value(5), QStringLiteral("All Supported Files (*.s1d *.s2d *.d0d *.d1d *.d2d)"));
        QCOMPARE(selected, QStringLiteral("2D Data Files (*.d2d)"));
        QCOMPARE(TreeTexts(*FWindow), QStringList({"Data 2D #1", "Data 1D #2"}));
    }

    void AppendDialogIsTitledAppend()
    {
        Open(ExampleFile(QStringLiteral("wenner.d2d")));
        FWindow->Dialogs().SetMessagesAnswered(false);
        QString title;
        WithModal("Action_Append", [&](QWidget *modal) {
            title = modal->windowTitle();
            static_cast<QDialog *>(modal)->reject();
        });
        QCOMPARE(title, QStringLiteral("Append"));
    }

    void SaveDialogOpensAtTheDocumentsFile()
    {
        const QString input = CopyExample(*FFolder, QStringLiteral("wenner.d2d"));
        Open(input);
        ToggleFirstUsedBox();
        FWindow->Dialogs().SetMessagesAnswered(false);
        QString folder, name;
        WithModal("Action_Save", [&](QWidget *modal) {
            auto *dialog = qobject_cast<QFileDialog *>(modal);
            QVERIFY(dialog);
            folder = dialog->directory().absolutePath();
            name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            // Enter on the preset name, then Yes to the overwrite question.
            QTimer::singleShot(0, this, [] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (box) box->button(QMessageBox::Yes)->click();
            });
            QTest::keyClick(dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
        });
        QCOMPARE(folder, QFileInfo(input).absolutePath());
        QCOMPARE(name, QStringLiteral("wenner.d2d"));
        QVERIFY(!FWindow->windowTitle().contains(QLatin1Char('*')));
        QVERIFY(FileBytes(input) != FileBytes(ExampleFile(QStringLiteral("wenner.d2d")))); // one reading off
        // A document without a file keeps the empty name.
        FWindow->Dialogs().SetNextNewDocument(1);
        Trigger("Action_New");
        WithModal("Action_Save", [&](QWidget *modal) {
            name = modal->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
            static_cast<QDialog *>(modal)->reject();
        });
        QCOMPARE(name, QString());
    }

    void FileMenuHasDeleteAndAboutNamesTheProgram()
    {
        QMenu *fileMenu = FWindow->menuBar()->findChild<QMenu *>(QStringLiteral("Menu_File"));
        QVERIFY(fileMenu->actions().contains(FWindow->findChild<QAction *>(QStringLiteral("Action_Delete"))));
        QMenu *aboutMenu = FWindow->menuBar()->findChild<QMenu *>(QStringLiteral("Menu_About"));
        QCOMPARE(aboutMenu->actions().size(), 1);
        QCOMPARE(aboutMenu->actions().constFirst()->text(), QStringLiteral("About Quelvo Tools"));
        QString name, text;
        WithModal("Action_About", [&](QWidget *modal) {
            name = modal->objectName();
            text = qobject_cast<QMessageBox *>(modal)->text();
            static_cast<QDialog *>(modal)->accept();
        });
        QCOMPARE(name, QStringLiteral("AboutBox"));
        for (const char *part : {"Quelvo Tools", "GPL-3.0-or-later", "Qt ", "QCustomPlot "})
            QVERIFY2(text.contains(QString::fromLatin1(part)), part);
    }

    void WindowStartsInsideTheScreen()
    {
        // A fresh window, as the program makes it: inside the available area
        // with its title bar, whatever the screen's size and scale.
        TForm_VeskMain window;
        const QRect area = window.screen()->availableGeometry();
        QVERIFY2(area.contains(window.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4 in %5x%6")
                                .arg(window.frameGeometry().x())
                                .arg(window.frameGeometry().y())
                                .arg(window.frameGeometry().width())
                                .arg(window.frameGeometry().height())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY(window.minimumWidth() <= area.width() && window.minimumHeight() <= area.height());
        if (area.width() >= 1100 && area.height() >= 900) QCOMPARE(window.size(), QSize(1024, 768));
    }
};

QTEST_MAIN(TUnsavedWorkTest)
#include "UnsavedWorkTest.moc"
