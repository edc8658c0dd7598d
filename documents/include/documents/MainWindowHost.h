// What the documents need of the main window: a message box, the presenter of
// a document kind and the object tree. The desktop window implements it; the
// plain host (PlainHost.h) implements it in memory for tests and the
// command-line program.
#pragma once

#include "documents/DocumentPresenter.h"
#include "documents/VeskConstants.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

class TCustomVeskObject;
class TnCable;
class TArrayDetailsCustom;
class TMeasurementsCustom;

// Data of an object tree node: a document (root nodes and the "Sequence"
// child of a 2D sequence), a cable (the cable children) or nothing.
using TTreeNodeData = std::variant<std::monostate, TCustomVeskObject *, TnCable *>;

// Object tree nodes are addressed by their absolute index: the position of
// the node in the whole tree in display order (a root node, then its
// children, then the next root node), counting from 0.
class TMainWindowHost {
public:
    virtual ~TMainWindowHost() = default;

    // Shows a message box with the text and waits until the user closes it.
    virtual void ShowMessage(const std::string &text) = 0;

    // Creates the presenter of a document of the kind; the document owns it.
    // The array details and measurement list are the document's own and have
    // the classes of the kind (2D or 1D).
    virtual std::unique_ptr<TDocumentPresenter> CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                                TMeasurementsCustom &measurements) = 0;

    // Adds a root node after the last one; returns its absolute index.
    virtual int32_t AddRootNode(const std::string &text) = 0;
    // Adds a child after the last child of the node; returns its absolute index.
    virtual int32_t AddChildNode(int32_t parent, const std::string &text, TTreeNodeData data) = 0;
    virtual void SetNodeData(int32_t node, TTreeNodeData data) = 0;
    virtual TTreeNodeData NodeData(int32_t node) const = 0;
    virtual void ExpandNode(int32_t node) = 0;
    // Selects the node; the window then shows the selected object
    // (ShowSelectedDocument for a document).
    virtual void SelectNode(int32_t node) = 0;
    // Deletes the node with all its children.
    virtual void DeleteNode(int32_t node) = 0;
    // Absolute indices of the root nodes in tree order.
    virtual std::vector<int32_t> RootNodes() const = 0;

protected:
    TMainWindowHost() = default;
    TMainWindowHost(const TMainWindowHost &) = default;
    TMainWindowHost &operator=(const TMainWindowHost &) = default;
};
