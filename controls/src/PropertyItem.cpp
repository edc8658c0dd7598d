#include "controls/PropertyItem.h"

#include "controls/PropertyGrid.h"
#include "NumberText.h"

#include <QTreeWidgetItem>
#include <cmath>
#include <functional>
#include <optional>

namespace {

QVariant InitialValue(TItemKind kind)
{
    switch (kind) {
    case TItemKind::Category: return {};
    case TItemKind::Text: return QString();
    case TItemKind::Spin: return 0.0;
    case TItemKind::ComboBox: return -1;
    case TItemKind::CheckBox: return false;
    }
    return {};
}

// The value a write of value gives an item of kind (program writes keep anything of the right type).
QVariant Normalised(TItemKind kind, const QVariant &value)
{
    switch (kind) {
    case TItemKind::Category: return {};
    case TItemKind::Text: return value.toString();
    case TItemKind::Spin: return value.toDouble();
    case TItemKind::ComboBox: return value.toInt();
    case TItemKind::CheckBox: return value.toBool();
    }
    return {};
}

bool IsNumberType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float: return true;
    default: return false;
    }
}

std::optional<double> UserNumber(const QVariant &value)
{
    if (value.typeId() == QMetaType::QString) return ParseUserNumber(value.toString());
    if (!IsNumberType(value)) return std::nullopt;
    const double number = value.toDouble();
    if (!std::isfinite(number)) return std::nullopt;
    return number;
}

std::optional<bool> UserCheck(const QVariant &value)
{
    if (value.typeId() == QMetaType::Bool) return value.toBool();
    if (value.typeId() == QMetaType::Int && (value.toInt() == Qt::Checked || value.toInt() == Qt::Unchecked))
        return value.toInt() == Qt::Checked;
    return std::nullopt;
}

} // namespace

TPropertyItem::TPropertyItem(TPropertyGrid &grid, TPropertyItem *parentItem, const QString &name,
                               const QString &caption, TItemKind kind)
    : QObject(&grid), FGrid(&grid), FParentItem(parentItem),
      FTreeItem(parentItem ? new QTreeWidgetItem(parentItem->FTreeItem) : new QTreeWidgetItem(&grid)),
      FKind(kind), FCaption(caption), FValue(InitialValue(kind))
{
    setObjectName(name);
    FTreeItem->setData(0, Qt::UserRole, QVariant::fromValue<QObject *>(this));
    // Items are listed depth first: after the parent's last descendant so far.
    qsizetype position = grid.FItems.size();
    if (parentItem) {
        std::function<qsizetype(const TPropertyItem *)> descendants = [&](const TPropertyItem *item) {
            qsizetype count = item->FChildren.size();
            for (const TPropertyItem *child : item->FChildren) count += descendants(child);
            return count;
        };
        position = grid.FItems.indexOf(parentItem) + 1 + descendants(parentItem);
        parentItem->FChildren.append(this);
    }
    grid.FItems.insert(position, this);

    connect(this, &TPropertyItem::userEdited, &grid, [this] { emit FGrid->ItemEdited(this); });
    connect(this, &TPropertyItem::dropDownOpening, &grid, [this] { emit FGrid->DropDownOpening(this); });
    connect(this, &TPropertyItem::dropDownClosed, &grid, [this] { emit FGrid->DropDownClosed(this); });
    grid.Sync(*this);
}

QString TPropertyItem::KindName() const
{
    switch (FKind) {
    case TItemKind::Category: return QStringLiteral("category");
    case TItemKind::Text: return QStringLiteral("text");
    case TItemKind::Spin: return QStringLiteral("spin");
    case TItemKind::ComboBox: return QStringLiteral("combo");
    case TItemKind::CheckBox: return QStringLiteral("check");
    }
    return {};
}

void TPropertyItem::SetCaption(const QString &caption)
{
    if (caption == FCaption) return;
    FCaption = caption;
    FGrid->Sync(*this);
    emit stateChanged();
}

QString TPropertyItem::Text() const
{
    switch (FKind) {
    case TItemKind::Category: return {};
    case TItemKind::Text: return FValue.toString();
    case TItemKind::Spin: return ShortestNumberText(FValue.toDouble());
    case TItemKind::ComboBox: return FLines.value(FValue.toInt());
    case TItemKind::CheckBox: return FValue.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return {};
}

void TPropertyItem::SetValue(const QVariant &value)
{
    if (FKind == TItemKind::Category) return;
    const QVariant normalised = Normalised(FKind, value);
    if (normalised == FValue) return;
    FValue = normalised;
    FGrid->Sync(*this);
    emit valueChanged(FValue);
}

int TPropertyItem::AsInteger() const
{
    if (FKind == TItemKind::Spin) return int(std::lround(FValue.toDouble()));
    return FValue.toInt();
}

void TPropertyItem::SetLines(const QStringList &lines)
{
    if (lines == FLines) return;
    FLines = lines;
    FGrid->Sync(*this);
    emit stateChanged();
}

void TPropertyItem::SetEnabled(bool enabled)
{
    if (enabled == FEnabled) return;
    FEnabled = enabled;
    FGrid->Sync(*this);
    emit stateChanged();
}

void TPropertyItem::SetHidden(bool hidden)
{
    if (hidden == FHidden) return;
    FHidden = hidden;
    FGrid->Sync(*this);
    emit stateChanged();
}

void TPropertyItem::SetExpanded(bool expanded)
{
    if (expanded == FExpanded) return;
    FExpanded = expanded;
    FGrid->Sync(*this);
    emit stateChanged();
}

void TPropertyItem::SetExpandedAll(bool expanded)
{
    SetExpanded(expanded);
    for (TPropertyItem *child : std::as_const(FChildren)) child->SetExpandedAll(expanded);
}

void TPropertyItem::SetReadOnly(bool readOnly)
{
    if (readOnly == FReadOnly) return;
    FReadOnly = readOnly;
    FGrid->Sync(*this);
    emit stateChanged();
}

void TPropertyItem::SetLimits(double minimum, double maximum, double step)
{
    if (minimum > maximum) std::swap(minimum, maximum);
    if (minimum == FMinimum && maximum == FMaximum && step == FStep) return;
    FMinimum = minimum;
    FMaximum = maximum;
    FStep = step;
    emit stateChanged();
}

void TPropertyItem::SetDecimals(int decimals)
{
    decimals = std::max(decimals, 0);
    if (decimals == FDecimals) return;
    FDecimals = decimals;
    emit stateChanged();
}

bool TPropertyItem::userSetValue(const QVariant &value)
{
    if (FKind == TItemKind::Category || !FEnabled || FReadOnly) return false;
    QVariant accepted;
    switch (FKind) {
    case TItemKind::Category: return false;
    case TItemKind::Text:
        if (value.typeId() != QMetaType::QString && !IsNumberType(value)) return false;
        accepted = value.toString();
        break;
    case TItemKind::Spin: {
        const std::optional<double> number = UserNumber(value);
        if (!number) return false;
        if (FMinimum != FMaximum && (*number < FMinimum || *number > FMaximum)) return false;
        accepted = *number;
        break;
    }
    case TItemKind::ComboBox: {
        if (!IsNumberType(value) || value.toDouble() != std::floor(value.toDouble())) return false;
        const int index = value.toInt();
        if (index < 0 || index >= FLines.size()) return false;
        accepted = index;
        break;
    }
    case TItemKind::CheckBox: {
        const std::optional<bool> checked = UserCheck(value);
        if (!checked) return false;
        accepted = *checked;
        break;
    }
    }
    SetValue(accepted);
    emit userEdited();
    return true;
}

bool TPropertyItem::choose(int index)
{
    if (FKind != TItemKind::ComboBox || !FEnabled || FReadOnly) return false;
    emit dropDownOpening();
    const bool chosen = userSetValue(index);
    emit dropDownClosed();
    return chosen;
}
