#include "DocumentStates.h"

void TDocumentStates::MarkChanged(const TCustomVeskObject &document)
{
    TState &state = FStates[&document];
    if (state.Changed) return;
    state.Changed = true;
    emit StatesChanged();
}

void TDocumentStates::MarkSaved(const TCustomVeskObject &document, const QString &filePath)
{
    TState &state = FStates[&document];
    state.Changed = false;
    state.FilePath = filePath;
    emit StatesChanged();
}

bool TDocumentStates::IsChanged(const TCustomVeskObject &document) const
{
    const auto found = FStates.find(&document);
    return found != FStates.end() && found->second.Changed;
}

QString TDocumentStates::FilePath(const TCustomVeskObject &document) const
{
    const auto found = FStates.find(&document);
    return found != FStates.end() ? found->second.FilePath : QString();
}

void TDocumentStates::Forget(const TCustomVeskObject &document)
{
    if (FStates.erase(&document) != 0) emit StatesChanged();
}
