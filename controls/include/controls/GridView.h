// The table component's view: a QTableView over a TGridModel behind a sort
// proxy that sorts each column by its sort kind. The sort mark (column and
// order) survives every refill of the model. Whole-row and multi-row selection
// are options; a context menu and header clicks are offered to the window.
#pragma once

#include "controls/GridModel.h"

#include <QSortFilterProxyModel>
#include <QTableView>

class QMenu;

class TGridSortProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

class TGridView : public QTableView {
    Q_OBJECT
public:
    // name: the view's objectName (for example "NextGrid_Data2D").
    TGridView(const QString &name, QWidget *parent = nullptr);

    TGridModel &Model() { return *FModel; }
    const TGridModel &Model() const { return *FModel; }

    // Applies the model's column widths and visibility (call after SetColumns).
    // A column is never narrower than its caption and the texts of its first
    // rows need, so nothing is cut to "...". The texts are measured at the
    // first fill with rows after the column set changed, not at every refill:
    // refills keep the widths (and the user's own).
    void ApplyColumnLayout();

    // Sorting by a click on the header of a column whose sort kind is not
    // None. Off at construction.
    void SetSortable(bool sortable);
    // The column the user sorted by (-1 when unsorted) and its order.
    int SortColumn() const;
    Qt::SortOrder SortOrder() const;
    // Sorts as a header click does (emits Sorted).
    void SortByColumn(int column, Qt::SortOrder order);

    void SetWholeRowSelection(bool wholeRows);
    void SetMultiSelection(bool multi);
    // Model rows of the selected cells, ascending, each once.
    QList<int> SelectedRows() const;
    // The model row shown at view row viewRow, and back.
    int ModelRow(int viewRow) const;
    int ViewRow(int modelRow) const;
    void ScrollToFirstRow();

    // The menu shown on a right click in the table (not owned; null: none).
    void SetPopupMenu(QMenu *menu);

signals:
    // The user sorted the table by a column (header click or SortByColumn).
    void Sorted(int column);
    // The user clicked the header of a column (also of unsortable columns).
    void HeaderClicked(int column);

private:
    // Widens columns to their caption and the texts of the first rows.
    void FitColumnWidths();
    // After a fill: measures when no fill with rows has been measured since
    // the column set changed.
    void FitColumnWidthsOnce();
    // Widens a column to its caption.
    void FitCaptions(int first, int last);
    bool FWidthsMeasured = false;
    TGridModel *FModel;
    TGridSortProxy *FProxy;
    QMenu *FPopupMenu = nullptr;
    bool FSortable = false;
};
