#include "controls/PropertyGrid.h"

#include "PropertyDelegate.h"

#include <QHeaderView>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <utility>

namespace {

// Bounds of the caption column, in pixels: never so narrow that captions are
// cut, never so wide that values are.
constexpr int NarrowestCaptionColumn = 100;
constexpr int WidestCaptionColumn = 200;
constexpr int CaptionMargins = 14; // the cell's padding on both sides and the text's gap

} // namespace

TPropertyGrid::TPropertyGrid(const QString &name, QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(name);
    setColumnCount(2);
    setHeaderLabels({tr("Property"), tr("Value")});
    setItemDelegate(new TPropertyDelegate(*this));
    setIndentation(14);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(EditKeyPressed);
    header()->setStretchLastSection(true);
    header()->resizeSection(0, 170);

    connect(this, &QTreeWidget::itemChanged, this, &TPropertyGrid::OnRowChanged);
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem *row) { OnRowExpanded(row, true); });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem *row) { OnRowExpanded(row, false); });
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *row) {
        TPropertyItem *item = ItemAt(row);
        if (item && item->Kind() == TItemKind::ComboBox && item->Enabled()) emit item->dropDownOpening();
    });
    // One click on a value starts editing it.
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *row) {
        if (!(row->flags() & Qt::ItemIsEditable)) return;
        setCurrentItem(row, 1); // the editor's cell is current, so moving on closes and commits it
        editItem(row, 1);
    });
}

void TPropertyGrid::showEvent(QShowEvent *event)
{
    if (!std::exchange(FCaptionColumnFitted, true)) FitCaptionColumn();
    QTreeWidget::showEvent(event);
}

void TPropertyGrid::FitCaptionColumn()
{
    // Category rows span both columns; only the items' captions count, hidden
    // and folded ones too (they may show later).
    int widest = 0;
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->isFirstColumnSpanned()) continue;
        int depth = 1;
        for (const QTreeWidgetItem *parent = (*it)->parent(); parent; parent = parent->parent()) ++depth;
        const QFontMetrics metrics((*it)->font(0));
        widest = std::max(widest, depth * indentation() + metrics.horizontalAdvance((*it)->text(0)) + CaptionMargins);
    }
    header()->resizeSection(0, std::clamp(widest, NarrowestCaptionColumn, WidestCaptionColumn));
}

TPropertyGrid::~TPropertyGrid()
{
    // The tree's rows go before the items; no row signal may reach an item now.
    disconnect(this, nullptr, this, nullptr);
}

TPropertyItem *TPropertyGrid::AddItem(TPropertyItem *parent, const QString &name, const QString &caption, TItemKind kind)
{
    return new TPropertyItem(*this, parent, name, caption, kind);
}

TPropertyItem *TPropertyGrid::FindItem(const QString &name) const
{
    for (TPropertyItem *item : FItems)
        if (item->objectName() == name) return item;
    return nullptr;
}

TPropertyItem *TPropertyGrid::ItemAt(QTreeWidgetItem *row) const
{
    return row ? qobject_cast<TPropertyItem *>(row->data(0, Qt::UserRole).value<QObject *>()) : nullptr;
}

TPropertyItem *TPropertyGrid::SelectedItem() const { return ItemAt(currentItem()); }

void TPropertyGrid::Sync(TPropertyItem &item)
{
    QTreeWidgetItem *row = item.TreeItem();
    const bool wasSyncing = std::exchange(FSyncing, true);
    row->setText(0, item.Caption());
    Qt::ItemFlags flags = Qt::ItemIsSelectable;
    if (item.Enabled()) flags |= Qt::ItemIsEnabled;
    const bool writable = item.Enabled() && !item.ReadOnly();
    switch (item.Kind()) {
    case TItemKind::Category: {
        QFont font = row->font(0);
        font.setBold(true);
        row->setFont(0, font);
        const QColor background = palette().color(QPalette::AlternateBase); // a subtle band
        row->setBackground(0, background);
        row->setBackground(1, background);
        row->setFirstColumnSpanned(true);
        break;
    }
    case TItemKind::CheckBox:
        row->setCheckState(1, item.Checked() ? Qt::Checked : Qt::Unchecked);
        if (writable) flags |= Qt::ItemIsUserCheckable;
        break;
    case TItemKind::Text:
    case TItemKind::Spin:
    case TItemKind::ComboBox:
        row->setText(1, item.Text());
        row->setToolTip(1, item.Text()); // the whole text where the column cuts it
        if (writable) flags |= Qt::ItemIsEditable;
        break;
    }
    row->setFlags(flags);
    row->setHidden(item.Hidden());
    row->setExpanded(item.Expanded());
    FSyncing = wasSyncing;
}

void TPropertyGrid::OnRowChanged(QTreeWidgetItem *row, int column)
{
    TPropertyItem *item = ItemAt(row);
    if (FSyncing || !item || item->Kind() != TItemKind::CheckBox || column != 1) return;
    const bool checked = row->checkState(1) == Qt::Checked;
    if (checked != item->Checked() && !item->userSetValue(checked)) Sync(*item);
}

void TPropertyGrid::OnRowExpanded(QTreeWidgetItem *row, bool expanded)
{
    if (TPropertyItem *item = ItemAt(row); item && !FSyncing) item->SetExpanded(expanded);
}
