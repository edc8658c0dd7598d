// The window's tables as a user meets them: header clicks sort, clicks with
// Shift and Ctrl select rows, and the table commands act on every selected
// row. Driven with real mouse and key events on the real window.
#include "WindowFixture.h"

#include "controls/GridView.h"

#include "documents/DataDocuments.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>

class TTablesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;

    void Open(const QString &name)
    {
        FWindow->Dialogs().SetNextFileName(ExampleFile(name), 4);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    TGridView *Table(const char *name) const { return FWindow->findChild<TGridView *>(QString::fromLatin1(name)); }
    static void ClickHeader(TGridView *table, int column)
    {
        QHeaderView *header = table->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    }
    static void ClickRow(TGridView *table, int viewRow, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        table->scrollTo(table->model()->index(viewRow, 0));
        const QRect cell = table->visualRect(table->model()->index(viewRow, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    static QList<double> ColumnValues(const TGridView *table, int column)
    {
        QList<double> values;
        for (int row = 0; row < table->model()->rowCount(); ++row)
            values.append(table->model()->index(row, column).data(Qt::EditRole).toDouble());
        return values;
    }

private slots:
    void init()
    {
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup() { FWindow.reset(); }

    void HeaderClicksSortTheDataTables()
    {
        struct TCase {
            const char *File, *Table;
            int Column;    // a numeric column ("Rho [Ohm*m]")
            bool Sortable;
        };
        const TCase cases[] = {
            {"wenner.d2d", "NextGrid_Data2D", 8, true},
            {"sounding.d1d", "NextGrid_Data1D", 10, true},
            {"series.d0d", "NextGrid_Data0D", 2, false},
        };
        for (const TCase &c : cases) {
            Open(QString::fromLatin1(c.File));
            TGridView *table = Table(c.Table);
            QVERIFY2(table->isVisible(), c.Table);
            const QList<double> before = ColumnValues(table, c.Column);
            ClickHeader(table, c.Column);
            QList<double> ascending = before;
            std::sort(ascending.begin(), ascending.end());
            QVERIFY2(ascending != before, c.File); // the example is not sorted already
            QCOMPARE(ColumnValues(table, c.Column), c.Sortable ? ascending : before);
            if (!c.Sortable) continue;
            ClickHeader(table, c.Column); // again: descending
            std::reverse(ascending.begin(), ascending.end());
            QCOMPARE(ColumnValues(table, c.Column), ascending);
        }
    }

    void ShiftAndCtrlClicksSelectWholeRowsForTheCheckCommands()
    {
        Open(QStringLiteral("wenner.d2d"));
        TGridView *table = Table("NextGrid_Data2D");
        ClickHeader(table, 8); // the lowest Rho first
        ClickRow(table, 0);
        ClickRow(table, 2, Qt::ShiftModifier);
        ClickRow(table, 5, Qt::ControlModifier);
        // Whole rows: every column of the four rows.
        QCOMPARE(table->selectionModel()->selectedRows().size(), 4);
        const QList<int> rows = table->SelectedRows();
        QCOMPARE(rows.size(), 4);
        QList<int> numbers;
        for (int viewRow : {0, 1, 2, 5}) numbers.append(table->model()->index(viewRow, 0).data(Qt::EditRole).toInt());

        FWindow->findChild<QAction *>(QStringLiteral("Action_UnCheckSelected"))->trigger();
        const TMeasurements2D &list = dynamic_cast<TnData2D *>(FWindow->SelectedDocument())->Measurements();
        int unused = 0;
        for (uint32_t i = 0; i < list.Count; ++i) unused += list.IsShown(i) ? 0 : 1;
        QCOMPARE(unused, 4);
        for (int number : numbers) QVERIFY(!list.IsShown(uint32_t(number - 1)));
    }

    void TheOtherTablesSelectAsTheirPagesSay()
    {
        // 1D data: whole rows, one at a time.
        Open(QStringLiteral("sounding.d1d"));
        TGridView *sounding = Table("NextGrid_Data1D");
        ClickRow(sounding, 1);
        ClickRow(sounding, 3, Qt::ShiftModifier);
        QCOMPARE(sounding->selectionModel()->selectedRows().size(), 1);
        // 0D data: whole rows.
        Open(QStringLiteral("series.d0d"));
        TGridView *series = Table("NextGrid_Data0D");
        ClickRow(series, 2);
        QCOMPARE(series->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(series->selectionModel()->selectedIndexes().size(), series->model()->columnCount());
        // 1D sequence: several rows, and "Copy To Clipboard" copies them all.
        FWindow->Dialogs().SetNextNewDocument(1);
        TRIGGER_ACTION(FWindow, "Action_New");
        TGridView *design = Table("NextGrid_Seq1D");
        ClickRow(design, 0);
        ClickRow(design, 2, Qt::ShiftModifier);
        QCOMPARE(design->SelectedRows(), QList<int>({0, 1, 2}));
        TRIGGER_ACTION(FWindow, "Action_CopyToClipboard");
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4); // the header and the three rows
        QVERIFY(lines.at(1).startsWith(QStringLiteral("1\t")));
        QVERIFY(lines.at(3).startsWith(QStringLiteral("3\t")));
        // A sequence table does not sort.
        const QList<double> before = ColumnValues(design, 1);
        ClickHeader(design, 3);
        QCOMPARE(ColumnValues(design, 1), before);
    }
};

QTEST_MAIN(TTablesTest)
#include "TablesTest.moc"
