#include "documents/VeskStore.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include <algorithm>

namespace {

std::unique_ptr<TCustomVeskObject> NewDocument(TDocumentKind kind, TMainWindowHost &mainWindow)
{
    switch (kind) {
    case TDocumentKind::Seq1D:
        return std::make_unique<TnSeq1D>(mainWindow);
    case TDocumentKind::Seq2D:
        return std::make_unique<TnSeq2D>(mainWindow);
    case TDocumentKind::Data1D:
        return std::make_unique<TnData1D>(mainWindow);
    case TDocumentKind::Data2D:
        return std::make_unique<TnData2D>(mainWindow);
    case TDocumentKind::Data0D:
        return std::make_unique<TnData0D>(mainWindow);
    }
    return nullptr;
}

// A blank sequence is generated from its default design; a blank data
// document stays empty.
bool GenerateBlank(TCustomVeskObject &document)
{
    if (auto *sequence2D = dynamic_cast<TnSeq2D *>(&document))
        return sequence2D->GenerateSequence2D();
    if (auto *sequence1D = dynamic_cast<TnSeq1D *>(&document))
        return sequence1D->GenerateSequence1D();
    return true;
}

} // namespace

TVeskStore::TVeskStore(TMainWindowHost &mainWindow) : FMainWindow(&mainWindow)
{
}

TVeskStore::~TVeskStore() = default;

TCustomVeskObject *TVeskStore::CreateDocument(TDocumentKind kind, const std::string &fileName, bool *loaded)
{
    std::unique_ptr<TCustomVeskObject> created = NewDocument(kind, *FMainWindow);
    if (!created) {
        if (loaded != nullptr)
            *loaded = false;
        return nullptr;
    }
    TCustomVeskObject &document = *created;
    // The document reports its own failures and is registered in either case.
    const bool succeeded = fileName.empty() ? GenerateBlank(document) : document.LoadFromFile(fileName);
    if (loaded != nullptr)
        *loaded = succeeded;
    FDocuments.push_back(std::move(created));
    AddTreeNode(document, kind);
    return &document;
}

void TVeskStore::AddTreeNode(TCustomVeskObject &document, TDocumentKind kind)
{
    const std::string name = std::string(TreeNodePrefix(kind)) + std::to_string(FDocuments.size());
    const int32_t node = FMainWindow->AddRootNode(name);
    if (auto *sequence = dynamic_cast<TnSeq2D *>(&document)) {
        FMainWindow->AddChildNode(node, std::string(SequenceNodeText), &document);
        FMainWindow->AddChildNode(node, std::string(Cable1NodeText), &sequence->ArrayDetails().Cable1);
        FMainWindow->AddChildNode(node, std::string(Cable2NodeText), &sequence->ArrayDetails().Cable2);
    }
    FMainWindow->SetNodeData(node, &document);
    document.TreeIndex = node;
    document.Name = name;
    FMainWindow->ExpandNode(node);
    FMainWindow->SelectNode(node);
}

bool TVeskStore::DeleteDocument(TCustomVeskObject *document)
{
    const auto cell = std::find_if(FDocuments.begin(), FDocuments.end(),
                                   [document](const auto &owned) { return owned && owned.get() == document; });
    if (document == nullptr || cell == FDocuments.end())
        return false;

    // No roll-along sequence keeps a reference to a deleted base.
    for (const auto &owned : FDocuments)
        if (auto *sequence = dynamic_cast<TnSeq2D *>(owned.get()); sequence && sequence->BaseSequence() == document)
            sequence->SetBaseSequence(nullptr);

    FMainWindow->DeleteNode(document->TreeIndex);
    cell->reset();
    RenumberDocuments();
    return true;
}

void TVeskStore::RenumberDocuments()
{
    for (const int32_t node : FMainWindow->RootNodes()) {
        const TTreeNodeData data = FMainWindow->NodeData(node);
        if (auto *const *document = std::get_if<TCustomVeskObject *>(&data); document && *document)
            (*document)->TreeIndex = node;
    }
}

std::vector<TCustomVeskObject *> TVeskStore::Documents() const
{
    std::vector<TCustomVeskObject *> documents;
    for (const auto &owned : FDocuments)
        if (owned)
            documents.push_back(owned.get());
    return documents;
}

void ShowSelectedDocument(TCustomVeskObject &document)
{
    if (auto *sequence = dynamic_cast<TnSeq2D *>(&document);
        sequence && sequence->ArrayDetails().SequenceType == SequenceTypeRollAlong) {
        sequence->SetBaseSequence(sequence->BaseSequence());
        sequence->GenerateSequence2D();
    }
    document.ShowAll();
}
