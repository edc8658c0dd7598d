// The object tree as the documents see it: nodes addressed by their absolute
// index in display order (a root node, its children, the next root node).
#include "MainWindow.h"

#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

QTreeWidgetItem *TForm_VeskMain::NodeItem(int32_t node) const
{
    if (node < 0) return nullptr;
    int32_t index = 0;
    for (QTreeWidgetItemIterator it(FWidgets.ObjectTree); *it; ++it, ++index)
        if (index == node) return *it;
    return nullptr;
}

int32_t TForm_VeskMain::NodeIndex(const QTreeWidgetItem *item) const
{
    int32_t index = 0;
    for (QTreeWidgetItemIterator it(FWidgets.ObjectTree); *it; ++it, ++index)
        if (*it == item) return index;
    return -1;
}

TTreeNodeData TForm_VeskMain::ItemData(const QTreeWidgetItem *item) const
{
    const auto found = FNodeData.find(item);
    return found != FNodeData.end() ? found->second : TTreeNodeData{};
}

int32_t TForm_VeskMain::AddRootNode(const std::string &text)
{
    auto *item = new QTreeWidgetItem(FWidgets.ObjectTree, {QString::fromStdString(text)});
    FNodeData[item] = {};
    return NodeIndex(item);
}

int32_t TForm_VeskMain::AddChildNode(int32_t parent, const std::string &text, TTreeNodeData data)
{
    QTreeWidgetItem *parentItem = NodeItem(parent);
    if (parentItem == nullptr) return -1;
    auto *item = new QTreeWidgetItem(parentItem, {QString::fromStdString(text)});
    FNodeData[item] = data;
    return NodeIndex(item);
}

void TForm_VeskMain::SetNodeData(int32_t node, TTreeNodeData data)
{
    if (QTreeWidgetItem *item = NodeItem(node)) FNodeData[item] = data;
}

TTreeNodeData TForm_VeskMain::NodeData(int32_t node) const
{
    return ItemData(NodeItem(node));
}

void TForm_VeskMain::ExpandNode(int32_t node)
{
    if (QTreeWidgetItem *item = NodeItem(node)) item->setExpanded(true);
}

void TForm_VeskMain::SelectNode(int32_t node)
{
    QTreeWidgetItem *item = NodeItem(node);
    if (item == nullptr) return;
    if (FWidgets.ObjectTree->currentItem() == item) {
        // Selecting the current node again shows it again.
        FWidgets.ObjectTree->setCurrentItem(nullptr);
    }
    FWidgets.ObjectTree->setCurrentItem(item);
}

void TForm_VeskMain::DeleteNode(int32_t node)
{
    QTreeWidgetItem *item = NodeItem(node);
    if (item == nullptr) return;
    // Qt would make a neighbour current while the node goes; after a delete
    // nothing is selected and the pages stay hidden until the next choice.
    FDeletingNode = true;
    std::vector<const QTreeWidgetItem *> gone{item};
    for (int i = 0; i < item->childCount(); ++i) gone.push_back(item->child(i));
    delete item;
    for (const QTreeWidgetItem *removed : gone) FNodeData.erase(removed);
    FWidgets.ObjectTree->setCurrentItem(nullptr);
    FWidgets.ObjectTree->clearSelection();
    FDeletingNode = false;
}

std::vector<int32_t> TForm_VeskMain::RootNodes() const
{
    std::vector<int32_t> roots;
    int32_t index = 0;
    for (QTreeWidgetItemIterator it(FWidgets.ObjectTree); *it; ++it, ++index)
        if ((*it)->parent() == nullptr) roots.push_back(index);
    return roots;
}
