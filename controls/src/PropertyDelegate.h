// Edits the value column of the property grid in place: a line edit for text
// items, a spin box for numbers, a drop-down for lists. Every commit goes
// through the item's userSetValue, as any user edit does.
#pragma once

#include <QStyledItemDelegate>

class TPropertyGrid;
class TPropertyItem;

class TPropertyDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TPropertyDelegate(TPropertyGrid &grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TPropertyItem *ItemOf(const QModelIndex &index) const;
    TPropertyGrid *FGrid;
};
