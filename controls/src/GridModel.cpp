#include "controls/GridModel.h"

#include "NumberText.h"

#include <QGuiApplication>
#include <QPalette>

#include <cmath>
#include <optional>

namespace {

std::optional<double> NumberOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) return ParseUserNumber(value.toString());
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number)) return std::nullopt;
    return number;
}

// A check state as the user gives it: Qt::Checked / Qt::Unchecked or a bool.
std::optional<bool> CheckOf(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    bool ok = false;
    const int state = value.toInt(&ok);
    if (!ok) return std::nullopt;
    return state != Qt::Unchecked;
}

// Cuts trailing zeros after the decimal separator, and the separator when nothing follows.
QString TrimZeros(QString text, QChar separator)
{
    if (!text.contains(separator)) return text;
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(separator)) text.chop(1);
    return text;
}

} // namespace

TGridModel::TGridModel(QObject *parent) : QAbstractTableModel(parent), FLocale(QLocale::system())
{
    FLocale.setNumberOptions(QLocale::OmitGroupSeparator);
}

void TGridModel::SetColumns(const QVector<TGridColumn> &columns)
{
    beginResetModel();
    FColumns = columns;
    FCells = QVector<TCells>(columns.size());
    FRows = 0;
    FGreyed.clear();
    endResetModel();
    emit ColumnsChanged();
}

void TGridModel::SetColumnCaption(int column, const QString &caption)
{
    if (column < 0 || column >= FColumns.size()) return;
    FColumns[column].Caption = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

void TGridModel::BeginFill(int rowCount)
{
    beginResetModel();
    FFilling = true;
    FRows = std::max(rowCount, 0);
    FGreyed.clear();
    for (TCells &cells : FCells) {
        cells.Numbers.fill(0, FRows);
        cells.Texts.clear();
        cells.ReadOnly.fill(false, FRows);
    }
}

void TGridModel::SetGreyedRows(const QVector<bool> &greyed)
{
    FGreyed = greyed.size() == FRows ? greyed : QVector<bool>();
    if (!FFilling && FRows > 0 && !FColumns.isEmpty())
        emit dataChanged(index(0, 0), index(FRows - 1, int(FColumns.size()) - 1), {Qt::ForegroundRole});
}

void TGridModel::EndFill()
{
    if (!FFilling) return;
    FFilling = false;
    endResetModel();
}

bool TGridModel::IsCell(const QModelIndex &index) const
{
    return index.isValid() && index.model() == this && ValidCell(index.column(), index.row());
}

bool TGridModel::ValidCell(int column, int row) const
{
    return column >= 0 && column < FColumns.size() && row >= 0 && row < FRows;
}

void TGridModel::CellWritten(int column, int row)
{
    if (FFilling) return;
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell);
}

void TGridModel::SetNumber(int column, int row, double value)
{
    if (!ValidCell(column, row)) return;
    FCells[column].Numbers[row] = value;
    FCells[column].Texts.remove(row);
    CellWritten(column, row);
}

void TGridModel::SetText(int column, int row, const QString &text)
{
    if (!ValidCell(column, row)) return;
    FCells[column].Numbers[row] = ParseUserNumber(text).value_or(0);
    FCells[column].Texts.insert(row, text);
    CellWritten(column, row);
}

void TGridModel::SetChecked(int column, int row, bool checked) { SetNumber(column, row, checked ? 1 : 0); }

void TGridModel::SetColumnNumbers(int column, const QVector<double> &values)
{
    if (column < 0 || column >= FColumns.size()) return;
    TCells &cells = FCells[column];
    for (int row = 0; row < FRows; ++row) cells.Numbers[row] = row < values.size() ? values[row] : 0;
    cells.Texts.clear();
    if (!FFilling && FRows > 0) emit dataChanged(index(0, column), index(FRows - 1, column));
}

void TGridModel::SetColumnChecks(int column, const QVector<bool> &checks)
{
    QVector<double> values(checks.size());
    for (qsizetype row = 0; row < checks.size(); ++row) values[row] = checks[row] ? 1 : 0;
    SetColumnNumbers(column, values);
}

void TGridModel::SetCellReadOnly(int column, int row, bool readOnly)
{
    if (!ValidCell(column, row)) return;
    FCells[column].ReadOnly[row] = readOnly;
    CellWritten(column, row);
}

double TGridModel::Number(int column, int row) const
{
    return ValidCell(column, row) ? FCells[column].Numbers[row] : 0;
}

bool TGridModel::Checked(int column, int row) const { return Number(column, row) != 0; }

QString TGridModel::DisplayText(int column, int row) const
{
    if (!ValidCell(column, row)) return {};
    const TGridColumn &definition = FColumns[column];
    if (definition.Kind == TColumnKind::Check) return {};
    const auto text = FCells[column].Texts.constFind(row);
    if (text != FCells[column].Texts.cend()) return *text;
    return FormatNumber(definition, FCells[column].Numbers[row]);
}

QString TGridModel::FormatNumber(const TGridColumn &column, double value) const
{
    if (column.Kind == TColumnKind::Text) return FLocale.toString(value, 'g', 15);
    if (column.TrimLengths && column.Decimals == 0 && value != std::round(value))
        return TrimZeros(FLocale.toString(value, 'f', 3), FLocale.decimalPoint().front());
    return FLocale.toString(value, 'f', column.Decimals);
}

int TGridModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : FRows; }

int TGridModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(FColumns.size()); }

QVariant TGridModel::data(const QModelIndex &index, int role) const
{
    if (!IsCell(index)) return {};
    const int column = index.column(), row = index.row();
    const TGridColumn &definition = FColumns[column];
    const TCells &cells = FCells[column];
    switch (role) {
    case Qt::DisplayRole: return definition.Kind == TColumnKind::Check ? QVariant() : DisplayText(column, row);
    case Qt::EditRole: {
        const auto text = cells.Texts.constFind(row);
        if (definition.Kind == TColumnKind::Text && text != cells.Texts.cend() && !ParseUserNumber(*text))
            return *text;
        return cells.Numbers[row];
    }
    case Qt::CheckStateRole:
        if (definition.Kind != TColumnKind::Check) return {};
        return cells.Numbers[row] != 0 ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (definition.Kind == TColumnKind::Number) return int(Qt::AlignRight | Qt::AlignVCenter);
        if (definition.Kind == TColumnKind::Check) return int(Qt::AlignCenter);
        return {};
    case Qt::ForegroundRole:
        if (!RowGreyed(row)) return {};
        return QGuiApplication::palette().brush(QPalette::Disabled, QPalette::Text);
    default: return {};
    }
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return section >= 0 && section < FColumns.size() ? FColumns[section].Caption : QVariant();
}

Qt::ItemFlags TGridModel::flags(const QModelIndex &index) const
{
    if (!IsCell(index)) return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const TGridColumn &definition = FColumns[index.column()];
    if (!definition.Editable || FCells[index.column()].ReadOnly[index.row()]) return result;
    return result | (definition.Kind == TColumnKind::Check ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool TGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!IsCell(index)) return false;
    const int column = index.column(), row = index.row();
    const TGridColumn &definition = FColumns[column];
    TCells &cells = FCells[column];
    if (definition.Kind == TColumnKind::Check) {
        if (!(flags(index) & Qt::ItemIsUserCheckable) || (role != Qt::CheckStateRole && role != Qt::EditRole))
            return false;
        const std::optional<bool> checked = CheckOf(value);
        if (!checked) return false;
        cells.Numbers[row] = *checked ? 1 : 0;
    } else {
        if (!(flags(index) & Qt::ItemIsEditable) || (role != Qt::EditRole && role != Qt::DisplayRole)) return false;
        if (definition.Kind == TColumnKind::Text && value.typeId() == QMetaType::QString) {
            const QString text = value.toString();
            cells.Texts.insert(row, text);
            cells.Numbers[row] = ParseUserNumber(text).value_or(0);
        } else {
            const std::optional<double> number = NumberOf(value);
            if (!number) return false;
            cells.Numbers[row] = *number;
            cells.Texts.remove(row);
        }
    }
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole, Qt::CheckStateRole});
    emit CellEdited(row, column);
    return true;
}

QVariant TGridModel::SortKey(int column, int row) const
{
    if (!ValidCell(column, row)) return {};
    switch (FColumns[column].Sort) {
    case TSortKind::Alphabetic: return DisplayText(column, row);
    case TSortKind::Boolean: return Checked(column, row);
    case TSortKind::Numeric:
    case TSortKind::None: break;
    }
    return Number(column, row);
}
