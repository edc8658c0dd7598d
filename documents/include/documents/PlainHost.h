// A main window without a window: an in-memory object tree, a message list
// (and an optional callback for each message) and presenters that show
// nothing. Used by the command-line program and by tests; its recording
// presenters log every call a document makes on them.
#pragma once

#include "documents/MainWindowHost.h"

#include <functional>
#include <string>
#include <vector>

// A presenter that draws nothing. Reading the inspector takes nothing (the
// settings are already in the document) except that 2D data runs the data
// filters, as the window's 2D data presenter does after reading its page.
class TPlainPresenter : public TDocumentPresenter {
public:
    TPlainPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails, TMeasurementsCustom &measurements);

    void ShowAll() override {}
    void Refresh() override {}
    void ReadInspector() override;
    void ReadTable() override {}
    void FillInspector() override {}
    void ShowInfo() override {}

    TDocumentKind Kind() const { return FKind; }

private:
    TDocumentKind FKind;
    TMeasurementsCustom *FMeasurements; // not owned
};

// A plain presenter that appends the name of every operation called on it
// ("ShowAll", "Refresh", "ReadInspector", "ReadTable", "FillInspector",
// "ShowInfo") to a log.
class TRecordingPresenter : public TPlainPresenter {
public:
    TRecordingPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails, TMeasurementsCustom &measurements,
                        std::vector<std::string> &log);

    void ShowAll() override;
    void Refresh() override;
    void ReadInspector() override;
    void ReadTable() override;
    void FillInspector() override;
    void ShowInfo() override;

private:
    std::vector<std::string> *FLog; // not owned
};

class TPlainHost : public TMainWindowHost {
public:
    enum class TPresenters { Plain, Recording };

    explicit TPlainHost(TPresenters presenters = TPresenters::Plain);

    // Messages: kept in order; the callback, when set, also receives each one.
    void ShowMessage(const std::string &text) override;
    const std::vector<std::string> &Messages() const { return FMessages; }
    void ClearMessages() { FMessages.clear(); }
    void SetMessageCallback(std::function<void(const std::string &)> callback);

    // Plain presenters, or recording presenters that log into PresenterCalls.
    std::unique_ptr<TDocumentPresenter> CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                        TMeasurementsCustom &measurements) override;
    const std::vector<std::string> &PresenterCalls() const { return FPresenterCalls; }
    void ClearPresenterCalls() { FPresenterCalls.clear(); }

    // Object tree.
    int32_t AddRootNode(const std::string &text) override;
    int32_t AddChildNode(int32_t parent, const std::string &text, TTreeNodeData data) override;
    void SetNodeData(int32_t node, TTreeNodeData data) override;
    TTreeNodeData NodeData(int32_t node) const override;
    void ExpandNode(int32_t node) override;
    // Selects the node and shows its document (ShowSelectedDocument); a cable
    // or a node without data is only selected.
    void SelectNode(int32_t node) override;
    // Deletes the node and its children; the selection is cleared when it
    // was among them.
    void DeleteNode(int32_t node) override;
    std::vector<int32_t> RootNodes() const override;

    int32_t NodeCount() const { return static_cast<int32_t>(FNodes.size()); }
    const std::string &NodeText(int32_t node) const;
    // Absolute index of the parent; -1 for a root node.
    int32_t ParentNode(int32_t node) const;
    std::vector<int32_t> ChildNodes(int32_t node) const;
    bool IsExpanded(int32_t node) const;
    // Absolute index of the selected node; -1 when none is selected.
    int32_t SelectedNode() const { return FSelected; }
    // The document of the selected node, or of its parent for a child node;
    // null when nothing is selected.
    TCustomVeskObject *SelectedDocument() const;
    // The root node of the document, -1 when it has none.
    int32_t FindDocumentNode(const TCustomVeskObject &document) const;

private:
    struct TNode {
        std::string Text;
        TTreeNodeData Data;
        int32_t Parent = -1;
        bool Expanded = false;
    };

    const TNode &Node(int32_t node) const;
    TNode &Node(int32_t node);
    // Index after the last descendant of the node.
    int32_t SubtreeEnd(int32_t node) const;

    TPresenters FPresenters;
    std::vector<std::string> FMessages;
    std::function<void(const std::string &)> FMessageCallback;
    std::vector<std::string> FPresenterCalls;
    std::vector<TNode> FNodes; // in display order
    int32_t FSelected = -1;
};
