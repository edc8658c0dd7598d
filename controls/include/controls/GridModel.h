// The table component's model: typed columns over plain vectors (no item per
// cell), filled by the program between BeginFill and EndFill and edited by the
// user through setData. DisplayRole is the shown text, EditRole the raw number
// (what sorting, delegates and the program read back), CheckStateRole the
// check columns. A program fill never emits CellEdited; a user's edit emits it
// once.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QVector>

enum class TColumnKind {
    Text,   // a text cell; numbers written into it show in general form (15 significant digits)
    Number, // a number shown with the column's decimals
    Check,  // a check box
};

enum class TSortKind { None, Numeric, Alphabetic, Boolean };

struct TGridColumn {
    QString Caption;
    TColumnKind Kind = TColumnKind::Text;
    int Width = 64;           // pixels; 0 = the view's default
    int Decimals = 0;         // Number columns: digits after the separator
    bool TrimLengths = false; // Number columns of precision 0 holding metres: a
                              // value that is not whole shows to the millimetre
                              // with trailing zeros cut
    TSortKind Sort = TSortKind::None;
    bool Editable = false;
    bool Visible = true;
};

class TGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TGridModel(QObject *parent = nullptr);

    // Column definitions; clears all rows.
    void SetColumns(const QVector<TGridColumn> &columns);
    const QVector<TGridColumn> &Columns() const { return FColumns; }
    void SetColumnCaption(int column, const QString &caption);

    // Program fill: BeginFill(rows) starts a model reset with that many rows
    // (all cells 0 / empty / unchecked), the setters write cells, EndFill ends
    // the reset. The setters may also be used outside a fill (a program
    // write of single cells): they then emit dataChanged, never CellEdited.
    void BeginFill(int rowCount);
    void EndFill();
    void SetNumber(int column, int row, double value);   // Number or Text column
    void SetText(int column, int row, const QString &text); // Text column: shown as given;
                                                            // EditRole = the text read as a number when it is one
    void SetChecked(int column, int row, bool checked);  // Check column
    // Whole columns at once (same rules as the single setters).
    void SetColumnNumbers(int column, const QVector<double> &values);
    void SetColumnChecks(int column, const QVector<bool> &checks);
    // Read-only cells of an editable column (for example a measurement that
    // cannot be switched on again); all cells are editable after BeginFill.
    void SetCellReadOnly(int column, int row, bool readOnly);
    // Rows drawn in the palette's disabled text colour (for example readings
    // a filter removes); their cells keep their values and check states. A
    // fill clears them; a vector of another length greys nothing.
    void SetGreyedRows(const QVector<bool> &greyed);
    bool RowGreyed(int row) const { return row >= 0 && row < FGreyed.size() && FGreyed[row]; }

    double Number(int column, int row) const;
    bool Checked(int column, int row) const;
    QString DisplayText(int column, int row) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // A user's edit (view, delegate, test): stores, emits dataChanged, then CellEdited.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // The sort key the view's proxy uses for a cell (by the column's sort kind).
    QVariant SortKey(int column, int row) const;

signals:
    void CellEdited(int row, int column);
    // SetColumns gave the model a new set of columns.
    void ColumnsChanged();

private:
    // Texts are kept only for the cells written with a text (few or none in
    // a fill), so a fill of many rows makes no strings; the others show
    // their number, formatted when the view asks for it.
    struct TCells {
        QVector<double> Numbers;
        QHash<int, QString> Texts; // by row: the cells that show a text, not their number
        QVector<bool> ReadOnly;
    };
    QString FormatNumber(const TGridColumn &column, double value) const;
    bool ValidCell(int column, int row) const;
    bool IsCell(const QModelIndex &index) const;
    void CellWritten(int column, int row); // a program write outside a fill: dataChanged
    QLocale FLocale;
    QVector<TGridColumn> FColumns;
    QVector<TCells> FCells;
    QVector<bool> FGreyed; // by row; empty: no row greyed
    int FRows = 0;
    bool FFilling = false;
};
