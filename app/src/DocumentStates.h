// What the window keeps about each open document besides the document
// itself: the full path of the file it was read from or last saved to, and
// whether it holds edits that are not saved yet. The edit rules report each
// user edit; loading and a successful save make a document unchanged.
#pragma once

#include <QObject>
#include <QString>

#include <unordered_map>

class TCustomVeskObject;

class TDocumentStates : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A user edit of the document.
    void MarkChanged(const TCustomVeskObject &document);
    // The document now equals its file (read or written at that path).
    void MarkSaved(const TCustomVeskObject &document, const QString &filePath);
    bool IsChanged(const TCustomVeskObject &document) const;
    // The full path of the document's file; empty when it has none.
    QString FilePath(const TCustomVeskObject &document) const;
    // The document is gone.
    void Forget(const TCustomVeskObject &document);

signals:
    // A document became changed or unchanged, or got another file.
    void StatesChanged();

private:
    struct TState {
        QString FilePath;
        bool Changed = false;
    };
    std::unordered_map<const TCustomVeskObject *, TState> FStates;
};
