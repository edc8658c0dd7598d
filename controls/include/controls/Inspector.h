// The property inspector: a two-column tree (caption, value) showing the
// TInspectorItems created on it. Categories are bold rows that hold
// sub-items; an item delegate edits text, spin and drop-down items in place
// and check-box items toggle with their check box. Items are found by name.
#pragma once

#include "controls/InspectorItem.h"

#include <QTreeWidget>

class TInspector : public QTreeWidget {
    Q_OBJECT
public:
    // name: the inspector's objectName (for example "NextInspector_Sequence").
    TInspector(const QString &name, QWidget *parent = nullptr);
    ~TInspector() override;

    // Creates an item under parent (null: at the top level), after its
    // siblings. Items are QObject children of the inspector named name.
    TInspectorItem *AddItem(TInspectorItem *parent, const QString &name, const QString &caption, TItemKind kind);
    // Null when no item has that name.
    TInspectorItem *FindItem(const QString &name) const;
    // Every item in display order (depth first).
    const QList<TInspectorItem *> &Items() const { return FItems; }
    // The item of a tree row, null for none.
    TInspectorItem *ItemAt(QTreeWidgetItem *row) const;
    TInspectorItem *SelectedItem() const;

signals:
    // Re-emitted from the items.
    void ItemEdited(TInspectorItem *item);           // userEdited
    void DropDownOpening(TInspectorItem *item);      // also when a drop-down item becomes the selected row
    void DropDownClosed(TInspectorItem *item);

private:
    friend class TInspectorItem;
    void Sync(TInspectorItem &item); // shows the item's state in its row
    void OnRowChanged(QTreeWidgetItem *row, int column); // the user toggled a check box
    void OnRowExpanded(QTreeWidgetItem *row, bool expanded);
    QList<TInspectorItem *> FItems;
    bool FSyncing = false; // rows are being written from the items: not the user's doing
};
