#include "controls/GridView.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>
#include <QFontMetrics>
#include <algorithm>

namespace {

// Edits every cell in a line edit: number cells open with the whole number
// (the locale's separator, nothing rounded away) and the model reads the text
// back with "." or ",".
class TGridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        const QVariant value = index.data(Qt::EditRole);
        QLocale locale = QLocale::system();
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        const QString text = value.typeId() == QMetaType::Double ? locale.toString(value.toDouble(), 'g', 15)
                                                                 : index.data(Qt::DisplayRole).toString();
        static_cast<QLineEdit *>(editor)->setText(text);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text();
        if (!static_cast<QLineEdit *>(editor)->isModified()) return; // closing without typing is no edit
        model->setData(index, text, Qt::EditRole);
    }
};

} // namespace

bool TGridSortProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const auto *model = qobject_cast<const TGridModel *>(sourceModel());
    if (!model) return QSortFilterProxyModel::lessThan(left, right);
    // Straight to the typed cells: the proxy compares some 300,000 pairs on 20,000 rows.
    const int column = left.column(), a = left.row(), b = right.row();
    const QVector<TGridColumn> &columns = model->Columns();
    switch (column < columns.size() ? columns[column].Sort : TSortKind::None) {
    case TSortKind::Alphabetic:
        return QString::localeAwareCompare(model->DisplayText(column, a), model->DisplayText(column, b)) < 0;
    case TSortKind::Boolean: return int(model->Checked(column, a)) < int(model->Checked(column, b));
    case TSortKind::Numeric:
    case TSortKind::None: break;
    }
    return model->Number(column, a) < model->Number(column, b);
}

TGridView::TGridView(const QString &name, QWidget *parent)
    : QTableView(parent), FModel(new TGridModel(this)), FProxy(new TGridSortProxy(this))
{
    setObjectName(name);
    FProxy->setSourceModel(FModel);
    FProxy->setDynamicSortFilter(true); // re-sorts after every refill, so the sort mark holds
    setModel(FProxy);
    connect(FModel, &QAbstractItemModel::modelReset, this, &TGridView::FitColumnWidthsOnce);
    connect(FModel, &TGridModel::ColumnsChanged, this, [this] { FWidthsMeasured = false; });
    connect(FModel, &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation orientation, int first, int last) {
                if (orientation == Qt::Horizontal) FitCaptions(first, last);
            });
    setItemDelegate(new TGridDelegate(this));
    setSortingEnabled(false); // header clicks are handled here, by the column's sort kind
    setWordWrap(false);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);

    // Uniform row heights: no per-row measuring on 20,000 rows.
    QHeaderView *rows = verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 6);
    rows->setVisible(false);

    QHeaderView *header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        emit HeaderClicked(column);
        const TSortKind kind = FModel->Columns().value(column).Sort;
        if (FSortable && kind != TSortKind::None) {
            const bool again = column == SortColumn() && SortOrder() == Qt::AscendingOrder;
            SortByColumn(column, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        } else if (SortColumn() >= 0) {
            // The header flips its mark on any click; put it back where the rows are sorted.
            horizontalHeader()->setSortIndicator(SortColumn(), SortOrder());
        }
    });

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &position) {
        if (FPopupMenu) FPopupMenu->popup(viewport()->mapToGlobal(position));
    });
    SetWholeRowSelection(false);
    SetMultiSelection(false);
}

void TGridView::ApplyColumnLayout()
{
    const QVector<TGridColumn> &columns = FModel->Columns();
    for (int column = 0; column < columns.size(); ++column) {
        if (columns[column].Width > 0) setColumnWidth(column, columns[column].Width);
        setColumnHidden(column, !columns[column].Visible);
    }
    FWidthsMeasured = false;
    FitColumnWidthsOnce();
}

void TGridView::FitColumnWidthsOnce()
{
    if (FWidthsMeasured) return;
    FitColumnWidths();
    FWidthsMeasured = FModel->rowCount() > 0;
}

namespace {
constexpr int CellPadding = 14, WidestFit = 240, SortMarkWidth = 8;
}

void TGridView::FitCaptions(int first, int last)
{
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    const QVector<TGridColumn> &columns = FModel->Columns();
    for (int column = std::max(first, 0); column <= last && column < columns.size(); ++column) {
        if (!columns[column].Visible) continue;
        const int needed = headerMetrics.horizontalAdvance(columns[column].Caption) + CellPadding + SortMarkWidth;
        if (columnWidth(column) < needed) setColumnWidth(column, std::min(needed, WidestFit));
    }
}

void TGridView::FitColumnWidths()
{
    // The widths of the column table were made for another font; here each
    // column gets at least what its caption and its first rows need. Only a
    // sample of rows is measured, so a fill of 20,000 rows stays fast.
    constexpr int SampleRows = 200, Padding = CellPadding, Widest = WidestFit;
    const QFontMetrics metrics(font());
    const QFontMetrics headerMetrics(horizontalHeader()->font());
    const QVector<TGridColumn> &columns = FModel->Columns();
    const int rows = std::min(FModel->rowCount(), SampleRows);
    for (int column = 0; column < columns.size(); ++column) {
        if (!columns[column].Visible) continue;
        int needed = headerMetrics.horizontalAdvance(columns[column].Caption) + Padding + SortMarkWidth;
        if (columns[column].Kind == TColumnKind::Check) needed = std::max(needed, 28);
        else
            for (int row = 0; row < rows; ++row)
                needed = std::max(needed, metrics.horizontalAdvance(FModel->DisplayText(column, row)) + Padding);
        if (columnWidth(column) < needed) setColumnWidth(column, std::min(needed, Widest));
    }
}

void TGridView::SetSortable(bool sortable) { FSortable = sortable; }

int TGridView::SortColumn() const { return FProxy->sortColumn(); }

Qt::SortOrder TGridView::SortOrder() const { return FProxy->sortOrder(); }

void TGridView::SortByColumn(int column, Qt::SortOrder order)
{
    FProxy->sort(column, order);
    horizontalHeader()->setSortIndicatorShown(column >= 0);
    if (column >= 0) horizontalHeader()->setSortIndicator(column, order);
    emit Sorted(column);
}

void TGridView::SetWholeRowSelection(bool wholeRows)
{
    setSelectionBehavior(wholeRows ? SelectRows : SelectItems);
}

void TGridView::SetMultiSelection(bool multi) { setSelectionMode(multi ? ExtendedSelection : SingleSelection); }

QList<int> TGridView::SelectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        rows.append(FProxy->mapToSource(index).row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

int TGridView::ModelRow(int viewRow) const { return FProxy->mapToSource(FProxy->index(viewRow, 0)).row(); }

int TGridView::ViewRow(int modelRow) const { return FProxy->mapFromSource(FModel->index(modelRow, 0)).row(); }

void TGridView::ScrollToFirstRow()
{
    if (FProxy->rowCount() > 0) scrollTo(FProxy->index(0, 0), PositionAtTop);
    else scrollToTop();
}

void TGridView::SetPopupMenu(QMenu *menu) { FPopupMenu = menu; }
