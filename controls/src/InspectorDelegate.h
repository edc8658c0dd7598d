// Edits the value column of the inspector in place: a line edit for text
// items, a spin box for numbers, a drop-down for lists. Every commit goes
// through the item's userSetValue, as any user edit does.
#pragma once

#include <QStyledItemDelegate>

class TInspector;
class TInspectorItem;

class TInspectorDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TInspectorDelegate(TInspector &inspector);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    TInspectorItem *ItemOf(const QModelIndex &index) const;
    TInspector *FInspector;
};
