// The property grid: a two-column tree (caption, value) showing the
// TPropertyItems created on it. Categories are bold rows that hold
// sub-items; an item delegate edits text, spin and drop-down items in place
// and check-box items toggle with their check box. Items are found by name.
#pragma once

#include "controls/PropertyItem.h"

#include <QTreeWidget>

class TPropertyGrid : public QTreeWidget {
    Q_OBJECT
public:
    // name: the property grid's objectName (for example "NextInspector_Sequence").
    TPropertyGrid(const QString &name, QWidget *parent = nullptr);
    ~TPropertyGrid() override;

    // Creates an item under parent (null: at the top level), after its
    // siblings. Items are QObject children of the property grid named name.
    TPropertyItem *AddItem(TPropertyItem *parent, const QString &name, const QString &caption, TItemKind kind);
    // Null when no item has that name.
    TPropertyItem *FindItem(const QString &name) const;
    // Every item in display order (depth first).
    const QList<TPropertyItem *> &Items() const { return FItems; }
    // The item of a tree row, null for none.
    TPropertyItem *ItemAt(QTreeWidgetItem *row) const;
    TPropertyItem *SelectedItem() const;

signals:
    // Re-emitted from the items.
    void ItemEdited(TPropertyItem *item);           // userEdited
    void DropDownOpening(TPropertyItem *item);      // also when a drop-down item becomes the selected row
    void DropDownClosed(TPropertyItem *item);
    // The user's text for a number item was no number or outside its
    // limits; the item keeps its value.
    void InputRefused(TPropertyItem *item, const QString &text);

protected:
    // On the first show the caption column takes the width of the widest
    // caption, so that the values get the rest.
    void showEvent(QShowEvent *event) override;

private:
    friend class TPropertyItem;
    void FitCaptionColumn();
    void Sync(TPropertyItem &item); // shows the item's state in its row
    void OnRowChanged(QTreeWidgetItem *row, int column); // the user toggled a check box
    void OnRowExpanded(QTreeWidgetItem *row, bool expanded);
    QList<TPropertyItem *> FItems;
    bool FSyncing = false; // rows are being written from the items: not the user's doing
    bool FCaptionColumnFitted = false;
};
