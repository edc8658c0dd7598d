// The table model and view: roles, user edits against program fills, number
// formats in the system locale, sorting by kind through the proxy.
#include "controls/GridView.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QSignalSpy>
#include <QTest>

Q_DECLARE_METATYPE(TGridColumn)

class TGridTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ModelPassesTheModelTester();
    void ProgramFillsNeverRaiseCellEdited();
    void UserEditsRaiseCellEditedOnce();
    void RefusedEditsChangeNothing();
    void Formats_data();
    void Formats();
    void SortsByKind_data();
    void SortsByKind();
    void SortMarkSurvivesARefill();
    void HeaderClickSortsOnlySortableColumns();
    void SelectedRowsAreModelRows();
    void ColumnWidthsAreMeasuredOncePerColumnSet();

private:
    void Fill(const QVector<double> &numbers, const QStringList &texts, const QVector<bool> &checks);
    TGridView *FView = nullptr;
};

namespace {
enum { NumberColumn, TextColumn, CheckColumn, FixedColumn };

QVector<TGridColumn> Columns()
{
    TGridColumn number{"Rho", TColumnKind::Number, 60, 2, false, TSortKind::Numeric, true};
    TGridColumn text{"Name", TColumnKind::Text, 60, 0, false, TSortKind::Alphabetic, true};
    TGridColumn check{"On", TColumnKind::Check, 30, 0, false, TSortKind::Boolean, true};
    TGridColumn fixed{"#", TColumnKind::Number, 30, 0, false, TSortKind::None, false};
    return {number, text, check, fixed};
}

// The decimal separator of the system locale (the test runs in German, see main).
QString Local(QString text) { return text.replace('.', QLocale::system().decimalPoint()); }
} // namespace

void TGridTest::init()
{
    FView = new TGridView("NextGrid_Test");
    FView->Model().SetColumns(Columns());
    FView->ApplyColumnLayout();
}

void TGridTest::cleanup()
{
    delete FView;
    FView = nullptr;
}

void TGridTest::Fill(const QVector<double> &numbers, const QStringList &texts, const QVector<bool> &checks)
{
    TGridModel &model = FView->Model();
    model.BeginFill(int(numbers.size()));
    for (int row = 0; row < numbers.size(); ++row) {
        model.SetNumber(NumberColumn, row, numbers[row]);
        model.SetText(TextColumn, row, texts.value(row));
        model.SetChecked(CheckColumn, row, checks.value(row));
        model.SetNumber(FixedColumn, row, row + 1);
    }
    model.EndFill();
}

void TGridTest::ModelPassesTheModelTester()
{
    QAbstractItemModelTester tester(&FView->Model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Fill({3, 1, 2}, {"c", "a", "b"}, {true, false, true});
    FView->Model().SetNumber(NumberColumn, 1, 7);
    QVERIFY(FView->model()->setData(FView->model()->index(0, NumberColumn), "4,5"));
    FView->SortByColumn(NumberColumn, Qt::DescendingOrder);
    QAbstractItemModelTester proxyTester(FView->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    Fill({5, 6}, {"x", "y"}, {false, true});
    FView->Model().SetColumns(Columns());
}

void TGridTest::ProgramFillsNeverRaiseCellEdited()
{
    QSignalSpy edited(&FView->Model(), &TGridModel::CellEdited);
    QSignalSpy changed(&FView->Model(), &TGridModel::dataChanged);
    Fill({1, 2}, {"a", "b"}, {true, false});
    QCOMPARE(changed.count(), 0); // a fill is one reset
    FView->Model().SetNumber(NumberColumn, 0, 9);
    FView->Model().SetColumnChecks(CheckColumn, {false, true});
    FView->Model().SetText(TextColumn, 1, "z");
    QCOMPARE(changed.count(), 3);
    QCOMPARE(edited.count(), 0);
    QCOMPARE(FView->Model().Number(NumberColumn, 0), 9.0);
    QVERIFY(FView->Model().Checked(CheckColumn, 1));
}

void TGridTest::UserEditsRaiseCellEditedOnce()
{
    Fill({1, 2}, {"a", "b"}, {true, false});
    FView->SortByColumn(NumberColumn, Qt::DescendingOrder); // view row 0 = model row 1
    QAbstractItemModel *shown = FView->model();
    QSignalSpy edited(&FView->Model(), &TGridModel::CellEdited);

    QVERIFY(shown->setData(shown->index(0, NumberColumn), "2,75"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.takeFirst(), (QVariantList{1, int(NumberColumn)}));
    QCOMPARE(FView->Model().Number(NumberColumn, 1), 2.75);

    QVERIFY(shown->setData(shown->index(1, CheckColumn), Qt::Checked, Qt::CheckStateRole));
    QVERIFY(shown->setData(shown->index(1, CheckColumn), false, Qt::CheckStateRole));
    QVERIFY(shown->setData(shown->index(0, TextColumn), "new name"));
    QCOMPARE(edited.count(), 3);
    QVERIFY(!FView->Model().Checked(CheckColumn, 0));
    QCOMPARE(FView->Model().DisplayText(TextColumn, 1), QString("new name"));
    QCOMPARE(shown->index(0, NumberColumn).data(Qt::EditRole), QVariant(2.75));
    QCOMPARE(shown->index(0, CheckColumn).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

void TGridTest::RefusedEditsChangeNothing()
{
    Fill({1, 2}, {"a", "b"}, {true, false});
    TGridModel &model = FView->Model();
    model.SetCellReadOnly(NumberColumn, 0, true);
    QSignalSpy edited(&model, &TGridModel::CellEdited);
    QVERIFY(!(model.flags(model.index(0, FixedColumn)) & Qt::ItemIsEditable));
    QVERIFY(!(model.flags(model.index(0, NumberColumn)) & Qt::ItemIsEditable));
    QVERIFY(model.flags(model.index(1, NumberColumn)) & Qt::ItemIsEditable);
    QVERIFY(model.flags(model.index(0, CheckColumn)) & Qt::ItemIsUserCheckable);

    QVERIFY(!model.setData(model.index(0, FixedColumn), 5.0));        // column not editable
    QVERIFY(!model.setData(model.index(0, NumberColumn), 5.0));       // read-only cell
    QVERIFY(!model.setData(model.index(1, NumberColumn), "five"));    // not a number
    QVERIFY(!model.setData(model.index(1, NumberColumn), "1 000,5")); // group separators are not numbers
    QVERIFY(!model.setData(model.index(1, CheckColumn), "yes", Qt::CheckStateRole));
    QCOMPARE(edited.count(), 0);
    QCOMPARE(model.Number(NumberColumn, 1), 2.0);
}

void TGridTest::Formats_data()
{
    QTest::addColumn<TGridColumn>("column");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    const TGridColumn twoDecimals{"", TColumnKind::Number, 0, 2};
    const TGridColumn metres{"", TColumnKind::Number, 0, 0, true};
    const TGridColumn whole{"", TColumnKind::Number, 0, 0, false};
    const TGridColumn text{"", TColumnKind::Text};
    QTest::newRow("two decimals") << twoDecimals << 1234.567 << Local("1234.57");
    QTest::newRow("two decimals pad") << twoDecimals << 3.0 << Local("3.00");
    QTest::newRow("whole rounds") << whole << 2.6 << "3";
    QTest::newRow("metres half") << metres << 1.5 << Local("1.5");
    QTest::newRow("metres quarter") << metres << 2.25 << Local("2.25");
    QTest::newRow("metres whole") << metres << 3.0 << "3";
    QTest::newRow("metres to the millimetre") << metres << 0.12345 << Local("0.123");
    QTest::newRow("general") << text << 0.1 << Local("0.1");
    QTest::newRow("general whole") << text << 42.0 << "42";
    QTest::newRow("general 15 digits") << text << 1.0 / 3 << Local("0.333333333333333");
    QTest::newRow("general large") << text << 1e20 << "1E+20"; // German writes the exponent with "E"
}

void TGridTest::Formats()
{
    QFETCH(TGridColumn, column);
    QFETCH(double, value);
    QFETCH(QString, text);
    TGridModel &model = FView->Model();
    model.SetColumns({column});
    model.BeginFill(1);
    model.SetNumber(0, 0, value);
    model.EndFill();
    QCOMPARE(model.index(0, 0).data().toString(), text);
    QCOMPARE(model.index(0, 0).data(Qt::EditRole).toDouble(), value);
}

void TGridTest::SortsByKind_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QVector<int>>("modelRows"); // model rows in ascending view order
    QTest::newRow("numeric: 9 before 10") << int(NumberColumn) << QVector<int>{1, 2, 0};
    QTest::newRow("alphabetic") << int(TextColumn) << QVector<int>{2, 0, 1};
    QTest::newRow("boolean") << int(CheckColumn) << QVector<int>{1, 0, 2};
}

void TGridTest::SortsByKind()
{
    QFETCH(int, column);
    QFETCH(QVector<int>, modelRows);
    Fill({10, 2, 9}, {"beta", "gamma", "Alpha"}, {true, false, true});
    FView->SortByColumn(column, Qt::AscendingOrder);
    for (int viewRow = 0; viewRow < modelRows.size(); ++viewRow) QCOMPARE(FView->ModelRow(viewRow), modelRows[viewRow]);
    FView->SortByColumn(column, Qt::DescendingOrder);
    QCOMPARE(FView->Model().SortKey(column, FView->ModelRow(0)), FView->Model().SortKey(column, modelRows.last()));
}

void TGridTest::SortMarkSurvivesARefill()
{
    Fill({10, 2, 9}, {}, {});
    FView->SortByColumn(NumberColumn, Qt::DescendingOrder);
    Fill({1, 50, 7, 3}, {}, {});
    QCOMPARE(FView->SortColumn(), int(NumberColumn));
    QCOMPARE(FView->SortOrder(), Qt::DescendingOrder);
    QCOMPARE(FView->horizontalHeader()->sortIndicatorSection(), int(NumberColumn));
    QCOMPARE(FView->ModelRow(0), 1);
    QCOMPARE(FView->ViewRow(0), 3);
}

void TGridTest::HeaderClickSortsOnlySortableColumns()
{
    Fill({10, 2, 9}, {}, {});
    FView->resize(400, 200);
    FView->show();
    QVERIFY(QTest::qWaitForWindowExposed(FView));
    QSignalSpy sorted(FView, &TGridView::Sorted);
    QSignalSpy clicked(FView, &TGridView::HeaderClicked);
    QHeaderView *header = FView->horizontalHeader();
    auto click = [&](int column) {
        const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    };
    click(NumberColumn);
    QCOMPARE(FView->SortColumn(), -1); // not sortable yet
    FView->SetSortable(true);
    click(NumberColumn);
    QCOMPARE(FView->SortColumn(), int(NumberColumn));
    QCOMPARE(FView->ModelRow(0), 1);
    click(NumberColumn);
    QCOMPARE(FView->SortOrder(), Qt::DescendingOrder);
    click(FixedColumn); // sort kind None
    QCOMPARE(FView->SortColumn(), int(NumberColumn));
    QCOMPARE(sorted.count(), 2);
    QCOMPARE(clicked.count(), 4);
    QCOMPARE(clicked.last().first().toInt(), int(FixedColumn));
}

void TGridTest::SelectedRowsAreModelRows()
{
    Fill({10, 2, 9, 4}, {}, {});
    FView->SetWholeRowSelection(true);
    FView->SetMultiSelection(true);
    FView->SortByColumn(NumberColumn, Qt::AscendingOrder); // view: 2, 4, 9, 10 = model rows 1, 3, 2, 0
    QAbstractItemModel *shown = FView->model();
    for (int viewRow : {0, 3})
        FView->selectionModel()->select(shown->index(viewRow, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(FView->SelectedRows(), (QList<int>{0, 1}));
}

void TGridTest::ColumnWidthsAreMeasuredOncePerColumnSet()
{
    const QString wide = QStringLiteral("a rather long name of a place");
    const QString wider = wide + QStringLiteral(" and still more of it");
    Fill({}, {}, {}); // no rows: nothing to measure yet
    QCOMPARE(FView->columnWidth(TextColumn), 60);
    Fill({1}, {wide}, {true});
    const int measured = FView->columnWidth(TextColumn);
    QVERIFY(measured > FView->fontMetrics().horizontalAdvance(wide));
    QCOMPARE(FView->columnWidth(NumberColumn), 60);

    // Refills keep the widths, a width the user chose included.
    FView->setColumnWidth(NumberColumn, 30); // narrower than "Rho" needs
    Fill({2, 3}, {wider, "b"}, {false, true});
    QCOMPARE(FView->columnWidth(TextColumn), measured);
    QCOMPARE(FView->columnWidth(NumberColumn), 30);

    // A longer caption widens its column at once.
    FView->Model().SetColumnCaption(NumberColumn, QStringLiteral("Apparent resistivity [Ohm m]"));
    QVERIFY(FView->columnWidth(NumberColumn) >
            FView->horizontalHeader()->fontMetrics().horizontalAdvance("Apparent resistivity [Ohm m]"));

    // A new column set starts from its own widths and is measured again.
    FView->Model().SetColumns(Columns());
    FView->ApplyColumnLayout();
    QCOMPARE(FView->columnWidth(NumberColumn), 60);
    Fill({2, 3}, {wider, "b"}, {false, true});
    QVERIFY(FView->columnWidth(TextColumn) > measured);
}

int main(int argc, char **argv)
{
    // A locale with a decimal comma, so the tests see the system's separator at work.
    qputenv("LC_ALL", "de_DE.UTF-8");
    QApplication app(argc, argv);
    TGridTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "GridTest.moc"
