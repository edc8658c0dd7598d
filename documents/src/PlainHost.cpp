#include "documents/PlainHost.h"

#include "documents/VeskStore.h"

#include "survey/Measurements.h"

#include <stdexcept>

// ---- presenters ----

TPlainPresenter::TPlainPresenter(TDocumentKind kind, TArrayDetailsCustom & /*arrayDetails*/,
                                 TMeasurementsCustom &measurements)
    : FKind(kind), FMeasurements(&measurements)
{
}

void TPlainPresenter::ReadInspector()
{
    if (FKind != TDocumentKind::Data2D)
        return;
    if (auto *list = dynamic_cast<TMeasurements2D *>(FMeasurements))
        list->ApplyFilters();
}

TRecordingPresenter::TRecordingPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                         TMeasurementsCustom &measurements, std::vector<std::string> &log)
    : TPlainPresenter(kind, arrayDetails, measurements), FLog(&log)
{
}

void TRecordingPresenter::ShowAll()
{
    FLog->push_back("ShowAll");
}

void TRecordingPresenter::Refresh()
{
    FLog->push_back("Refresh");
}

void TRecordingPresenter::ReadInspector()
{
    FLog->push_back("ReadInspector");
    TPlainPresenter::ReadInspector();
}

void TRecordingPresenter::ReadTable()
{
    FLog->push_back("ReadTable");
}

void TRecordingPresenter::FillInspector()
{
    FLog->push_back("FillInspector");
}

void TRecordingPresenter::ShowInfo()
{
    FLog->push_back("ShowInfo");
}

// ---- host ----

TPlainHost::TPlainHost(TPresenters presenters) : FPresenters(presenters)
{
}

void TPlainHost::ShowMessage(const std::string &text)
{
    FMessages.push_back(text);
    if (FMessageCallback)
        FMessageCallback(text);
}

void TPlainHost::SetMessageCallback(std::function<void(const std::string &)> callback)
{
    FMessageCallback = std::move(callback);
}

std::unique_ptr<TDocumentPresenter> TPlainHost::CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                                TMeasurementsCustom &measurements)
{
    if (FPresenters == TPresenters::Recording)
        return std::make_unique<TRecordingPresenter>(kind, arrayDetails, measurements, FPresenterCalls);
    return std::make_unique<TPlainPresenter>(kind, arrayDetails, measurements);
}

const TPlainHost::TNode &TPlainHost::Node(int32_t node) const
{
    if (node < 0 || node >= NodeCount())
        throw std::out_of_range("object tree node " + std::to_string(node) + " does not exist");
    return FNodes[static_cast<std::size_t>(node)];
}

TPlainHost::TNode &TPlainHost::Node(int32_t node)
{
    return const_cast<TNode &>(static_cast<const TPlainHost &>(*this).Node(node));
}

int32_t TPlainHost::SubtreeEnd(int32_t node) const
{
    int32_t end = node + 1;
    // Descendants follow their ancestor directly; the subtree ends at the
    // first node whose chain of parents does not pass through the node.
    while (end < NodeCount()) {
        int32_t ancestor = FNodes[static_cast<std::size_t>(end)].Parent;
        while (ancestor > node)
            ancestor = FNodes[static_cast<std::size_t>(ancestor)].Parent;
        if (ancestor != node)
            break;
        ++end;
    }
    return end;
}

int32_t TPlainHost::AddRootNode(const std::string &text)
{
    FNodes.push_back({text, std::monostate{}, -1, false});
    return NodeCount() - 1;
}

int32_t TPlainHost::AddChildNode(int32_t parent, const std::string &text, TTreeNodeData data)
{
    Node(parent); // must exist
    const int32_t position = SubtreeEnd(parent);
    for (TNode &node : FNodes)
        if (node.Parent >= position)
            ++node.Parent;
    if (FSelected >= position)
        ++FSelected;
    FNodes.insert(FNodes.begin() + position, TNode{text, data, parent, false});
    return position;
}

void TPlainHost::SetNodeData(int32_t node, TTreeNodeData data)
{
    Node(node).Data = data;
}

TTreeNodeData TPlainHost::NodeData(int32_t node) const
{
    return Node(node).Data;
}

void TPlainHost::ExpandNode(int32_t node)
{
    Node(node).Expanded = true;
}

void TPlainHost::SelectNode(int32_t node)
{
    const TTreeNodeData data = Node(node).Data;
    FSelected = node;
    if (auto *const *document = std::get_if<TCustomVeskObject *>(&data); document && *document)
        ShowSelectedDocument(**document);
}

void TPlainHost::DeleteNode(int32_t node)
{
    Node(node); // must exist
    const int32_t end = SubtreeEnd(node);
    const int32_t removed = end - node;
    FNodes.erase(FNodes.begin() + node, FNodes.begin() + end);
    for (TNode &remaining : FNodes)
        if (remaining.Parent >= end)
            remaining.Parent -= removed;
    if (FSelected >= node && FSelected < end)
        FSelected = -1;
    else if (FSelected >= end)
        FSelected -= removed;
}

std::vector<int32_t> TPlainHost::RootNodes() const
{
    std::vector<int32_t> roots;
    for (int32_t i = 0; i < NodeCount(); ++i)
        if (FNodes[static_cast<std::size_t>(i)].Parent < 0)
            roots.push_back(i);
    return roots;
}

const std::string &TPlainHost::NodeText(int32_t node) const
{
    return Node(node).Text;
}

int32_t TPlainHost::ParentNode(int32_t node) const
{
    return Node(node).Parent;
}

std::vector<int32_t> TPlainHost::ChildNodes(int32_t node) const
{
    Node(node); // must exist
    std::vector<int32_t> children;
    for (int32_t i = node + 1; i < NodeCount(); ++i)
        if (FNodes[static_cast<std::size_t>(i)].Parent == node)
            children.push_back(i);
    return children;
}

bool TPlainHost::IsExpanded(int32_t node) const
{
    return Node(node).Expanded;
}

TCustomVeskObject *TPlainHost::SelectedDocument() const
{
    if (FSelected < 0)
        return nullptr;
    const int32_t parent = Node(FSelected).Parent;
    const TTreeNodeData data = Node(parent >= 0 ? parent : FSelected).Data;
    if (auto *const *document = std::get_if<TCustomVeskObject *>(&data))
        return *document;
    return nullptr;
}

int32_t TPlainHost::FindDocumentNode(const TCustomVeskObject &document) const
{
    for (const int32_t root : RootNodes()) {
        const TTreeNodeData &data = FNodes[static_cast<std::size_t>(root)].Data;
        if (auto *const *owner = std::get_if<TCustomVeskObject *>(&data); owner && *owner == &document)
            return root;
    }
    return -1;
}
