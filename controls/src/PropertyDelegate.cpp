#include "PropertyDelegate.h"

#include "NumberEditor.h"
#include "NumberText.h"
#include "controls/PropertyGrid.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTimer>
#include <limits>

TPropertyDelegate::TPropertyDelegate(TPropertyGrid &grid) : QStyledItemDelegate(&grid), FGrid(&grid) {}

TPropertyItem *TPropertyDelegate::ItemOf(const QModelIndex &index) const
{
    return qobject_cast<TPropertyItem *>(index.siblingAtColumn(0).data(Qt::UserRole).value<QObject *>());
}

QWidget *TPropertyDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    TPropertyItem *item = ItemOf(index);
    if (!item || index.column() != 1 || !item->Enabled() || item->ReadOnly()) return nullptr;
    switch (item->Kind()) {
    case TItemKind::Text: {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }
    case TItemKind::Spin: {
        auto *editor = new TNumberEditor(parent);
        editor->setFrame(false);
        editor->setKeyboardTracking(false);
        return editor;
    }
    case TItemKind::ComboBox: {
        emit item->dropDownOpening(); // the window may refill the list now
        auto *editor = new QComboBox(parent);
        editor->setFrame(false);
        editor->addItems(item->Lines());
        // Picking a line is the edit: commit and close at once.
        connect(editor, &QComboBox::activated, this, [this, editor] {
            emit const_cast<TPropertyDelegate *>(this)->commitData(editor);
            emit const_cast<TPropertyDelegate *>(this)->closeEditor(editor);
        });
        QTimer::singleShot(0, editor, &QComboBox::showPopup);
        return editor;
    }
    case TItemKind::Category:
    case TItemKind::CheckBox: break;
    }
    return nullptr;
}

void TPropertyDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    const TPropertyItem *item = ItemOf(index);
    if (!item) return;
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        line->setText(item->AsString());
    } else if (auto *spin = qobject_cast<TNumberEditor *>(editor)) {
        const double value = item->AsFloat();
        // Never show fewer decimals than the value has, and keep a value the
        // program wrote outside the limits as it is (userSetValue refuses it).
        spin->setDecimals(std::min(std::max(item->Decimals(), DecimalsOf(value)), 15));
        const bool limited = item->Minimum() != item->Maximum();
        const double huge = 1e300;
        spin->setRange(limited ? std::min(item->Minimum(), value) : -huge,
                       limited ? std::max(item->Maximum(), value) : huge);
        spin->setSingleStep(item->Step() > 0 ? item->Step() : 1);
        spin->setValue(value);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        combo->setCurrentIndex(item->ItemIndex() < combo->count() ? item->ItemIndex() : -1);
    }
}

void TPropertyDelegate::setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const
{
    TPropertyItem *item = ItemOf(index);
    if (!item) return;
    // Closing an editor without a change is no edit.
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        if (line->text() != item->AsString()) item->userSetValue(line->text());
    } else if (auto *spin = qobject_cast<TNumberEditor *>(editor)) {
        // The typed text, read with "." or ","; text that is no number or
        // lies outside the limits is refused and reported.
        const QString text = spin->TypedText().trimmed();
        if (text == spin->textFromValue(item->AsFloat())) return;
        const std::optional<double> number = ParseUserNumber(text);
        if (number && *number == item->AsFloat()) return;
        if (!item->userSetValue(text)) emit FGrid->InputRefused(item, text);
    } else if (auto *combo = qobject_cast<QComboBox *>(editor)) {
        if (combo->currentIndex() >= 0 && combo->currentIndex() != item->ItemIndex())
            item->userSetValue(combo->currentIndex());
    }
}

void TPropertyDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    const bool dropDown = qobject_cast<QComboBox *>(editor) != nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
    if (TPropertyItem *item = ItemOf(index); item && dropDown) emit item->dropDownClosed();
}

QSize TPropertyDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + 8)); // room for the editors
    return size;
}
