// Numbers typed into the property pages' editors, as a user types them:
// "." and "," both separate decimals, text that is no number is refused with
// a status text, and the wheel turns an editor only after the user chose it.
#include "WindowFixture.h"

#include "controls/PropertyGrid.h"

#include "documents/SequenceDocuments.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QWheelEvent>

class TPropertyInputTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;

    TPropertyGrid *Page(const char *name) const { return FWindow->findChild<TPropertyGrid *>(QString::fromLatin1(name)); }
    QString Status() const { return FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"))->text(); }
    // Clicks the item's value, as the user opens its editor.
    QDoubleSpinBox *OpenEditor(TPropertyGrid *page, TPropertyItem *item)
    {
        page->scrollToItem(item->TreeItem());
        const QRect cell = page->visualItemRect(item->TreeItem());
        const QPoint at(page->header()->sectionPosition(1) + 20, cell.center().y());
        QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        return page->findChild<QDoubleSpinBox *>();
    }
    // Replaces the editor's text by typing, then Enter (keys go to the
    // editor, which has the focus, as the keyboard's do).
    static void Type(QDoubleSpinBox *editor, const QString &text)
    {
        QTest::keyClick(editor, Qt::Key_Home);
        QTest::keyClick(editor, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }
    static void TurnWheel(QWidget *widget)
    {
        const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
        QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &wheel);
    }

private slots:
    void init()
    {
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    }
    void cleanup() { FWindow.reset(); }

    void NumbersTakeEitherDecimalSeparator()
    {
        FWindow->Dialogs().SetNextFileName(ExampleFile(QStringLiteral("wenner.d2d")), 4);
        TRIGGER_ACTION(FWindow, "Action_Open");
        TPropertyGrid *page = Page("NextInspector_Data2D");
        TPropertyItem *threshold = page->FindItem(QStringLiteral("NxSpinItem_QualityThreshold"));
        QVERIFY(page->FindItem(QStringLiteral("NxCheckBoxItem_QualityFilter"))->userSetValue(true));
        struct TCase {
            const char *Typed;
            double Value;      // the item's value afterwards
            const char *Status; // the start of the status text
        };
        // An accepted value updates the profile: the status bar counts the readings.
        const TCase cases[] = {
            {"2,5", 2.5, "162 readings: 162 used, "},
            {"3.25", 3.25, "162 readings: 162 used, "},
            {"abc", 3.25, "Min [%]: \"abc\" is not a number, kept "},
            {"1,2,3", 3.25, "Min [%]: \"1,2,3\" is not a number, kept "},
        };
        for (const TCase &c : cases) {
            FWindow->SetStatusText({});
            QDoubleSpinBox *editor = OpenEditor(page, threshold);
            QVERIFY2(editor, c.Typed);
            Type(editor, QString::fromLatin1(c.Typed));
            QTRY_VERIFY(!page->findChild<QDoubleSpinBox *>());
            QCOMPARE(threshold->AsFloat(), c.Value);
            QVERIFY2(Status().startsWith(QString::fromUtf8(c.Status)), qPrintable(Status()));
        }
    }

    void TheWheelTurnsOnlyAChosenEditor()
    {
        FWindow->Dialogs().SetNextNewDocument(2);
        TRIGGER_ACTION(FWindow, "Action_New");
        auto *sequence = dynamic_cast<TnSeq2D *>(FWindow->SelectedDocument());
        const uint32_t count = sequence->Measurements().Count;
        TPropertyGrid *page = Page("NextInspector_Sequence");
        TPropertyItem *levels = page->FindItem(QStringLiteral("NxSpinItem_Count"));
        const double before = levels->AsFloat();
        QDoubleSpinBox *editor = OpenEditor(page, levels);
        QVERIFY(editor);
        // Opened by the click on the row, the pointer merely over it: the wheel does nothing to it.
        for (int notch = 0; notch < 3; ++notch) TurnWheel(editor);
        QCOMPARE(editor->value(), before);
        // A click into its text chooses it: now the wheel turns it.
        QTest::mouseClick(editor->findChild<QLineEdit *>(), Qt::LeftButton);
        TurnWheel(editor);
        QCOMPARE(editor->value(), before + 1);
        // Leaving it unchosen again.
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!page->findChild<QDoubleSpinBox *>());
        QCOMPARE(levels->AsFloat(), before);
        QCOMPARE(sequence->Measurements().Count, count);
    }
};

QTEST_MAIN(TPropertyInputTest)
#include "PropertyInputTest.moc"
