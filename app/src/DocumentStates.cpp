#include "DocumentStates.h"

#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>

TDocumentStates::TDocumentStates(QObject *parent) : QObject(parent), FGroup(new QUndoGroup(this))
{
}

QUndoStack &TDocumentStates::Stack(const TCustomVeskObject &document)
{
    TState &state = FStates[&document];
    if (state.Stack == nullptr) {
        state.Stack = new QUndoStack(FGroup);
        state.Stack->setUndoLimit(UndoLimit);
        FGroup->addStack(state.Stack);
        connect(state.Stack, &QUndoStack::indexChanged, this, &TDocumentStates::StatesChanged);
    }
    return *state.Stack;
}

void TDocumentStates::MarkSaved(const TCustomVeskObject &document, const QString &filePath)
{
    Stack(document).setClean();
    FStates[&document].FilePath = filePath;
    emit StatesChanged();
}

bool TDocumentStates::IsChanged(const TCustomVeskObject &document) const
{
    const auto found = FStates.find(&document);
    if (found == FStates.end() || found->second.Stack == nullptr) return false;
    const QUndoStack &stack = *found->second.Stack;
    if (stack.isClean()) return false;
    // The clean state fell off the end of the stack: no way back to the file.
    if (stack.cleanIndex() < 0) return true;
    const int from = std::min(stack.cleanIndex(), stack.index()), to = std::max(stack.cleanIndex(), stack.index());
    for (int i = from; i < to; ++i) {
        const auto *step = dynamic_cast<const TDocumentStep *>(stack.command(i));
        if (step == nullptr || step->ChangesFile) return true;
    }
    return false;
}

QString TDocumentStates::FilePath(const TCustomVeskObject &document) const
{
    const auto found = FStates.find(&document);
    return found != FStates.end() ? found->second.FilePath : QString();
}

void TDocumentStates::Forget(const TCustomVeskObject &document)
{
    const auto found = FStates.find(&document);
    if (found == FStates.end()) return;
    // The stack's steps point at the document: they go before it does.
    delete found->second.Stack;
    FStates.erase(found);
    emit StatesChanged();
}
