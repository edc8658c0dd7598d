// The document store: creates documents by kind, has them loaded or
// generated, owns them and gives each one a named root node in the object
// tree. Node names carry a running number over all kinds that is never reused.
#pragma once

#include "documents/MainWindowHost.h"
#include "documents/VeskConstants.h"
#include "documents/VeskObjects.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class TVeskStore {
public:
    explicit TVeskStore(TMainWindowHost &mainWindow);
    ~TVeskStore();
    TVeskStore(const TVeskStore &) = delete;
    TVeskStore &operator=(const TVeskStore &) = delete;

    // Creates a document of the kind. Without a file name a sequence is
    // generated from the default design and a data document stays empty;
    // with one the document loads the file (a failure is shown by the
    // document, which is registered all the same). Then names the document,
    // adds its tree node and selects it. loaded, when given, receives whether
    // the generation or the load succeeded.
    TCustomVeskObject *CreateDocument(TDocumentKind kind, const std::string &fileName = {},
                                      bool *loaded = nullptr);

    // Names the document with the kind's prefix and the running number, adds
    // its root node (for a 2D sequence with the children "Sequence" and the
    // two cables), stores the node index, expands and selects the node.
    // Called by CreateDocument.
    void AddTreeNode(TCustomVeskObject &document, TDocumentKind kind);

    // Frees the document and deletes its tree node with the children, then
    // stores the new node index in every remaining document. A roll-along
    // sequence based on the deleted one is unlinked (it keeps its design).
    // False when the document is not one of the store's.
    bool DeleteDocument(TCustomVeskObject *document);

    // Stores its root node's index in the document of every root node.
    void RenumberDocuments();

    // Number of documents ever created (the last running number).
    std::size_t CreatedCount() const { return FDocuments.size(); }
    // The documents that still exist, in creation order.
    std::vector<TCustomVeskObject *> Documents() const;

private:
    TMainWindowHost *FMainWindow; // not owned
    // One cell per document ever created; a deleted document leaves its cell empty.
    std::vector<std::unique_ptr<TCustomVeskObject>> FDocuments;
};

// What selecting a document's node shows: a roll-along 2D sequence is linked
// again to its base and regenerated (so that changes of the base carry
// over), then the presenter shows everything.
void ShowSelectedDocument(TCustomVeskObject &document);
