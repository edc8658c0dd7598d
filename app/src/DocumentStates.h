// What the window keeps about each open document besides the document
// itself: the full path of the file it was read from or last saved to, and
// its undo stack. A document is changed while a step between its stack's
// state and the state marked clean changes what the file stores: loading and
// a successful save mark the clean state, and undoing back to it makes the
// document unchanged again.
#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>

#include <unordered_map>

class QUndoGroup;
class QUndoStack;
class TCustomVeskObject;

// A step of a document's undo stack. Steps that change only how the data
// are drawn (what the file does not store) leave the document unchanged.
class TDocumentStep : public QUndoCommand {
public:
    using QUndoCommand::QUndoCommand;
    bool ChangesFile = true;
};

class TDocumentStates : public QObject {
    Q_OBJECT
public:
    // Steps each document's stack keeps; older ones are dropped.
    static constexpr int UndoLimit = 1000;

    explicit TDocumentStates(QObject *parent = nullptr);

    // The window's undo group: its active stack is the selected document's.
    QUndoGroup &UndoGroup() const { return *FGroup; }
    // The document's undo stack, made on first use (clean, in the group).
    QUndoStack &Stack(const TCustomVeskObject &document);

    // The document now equals its file (read or written at that path).
    void MarkSaved(const TCustomVeskObject &document, const QString &filePath);
    bool IsChanged(const TCustomVeskObject &document) const;
    // The full path of the document's file; empty when it has none.
    QString FilePath(const TCustomVeskObject &document) const;
    // The document is gone: its stack with it.
    void Forget(const TCustomVeskObject &document);

signals:
    // A document became changed or unchanged, or got another file.
    void StatesChanged();

private:
    struct TState {
        QString FilePath;
        QUndoStack *Stack = nullptr; // child of the group
    };
    QUndoGroup *FGroup; // child of this
    std::unordered_map<const TCustomVeskObject *, TState> FStates;
};
