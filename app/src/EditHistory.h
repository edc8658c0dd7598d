// Undo and redo of the user's edits. After each edit the window records the
// edited document's state; when it differs from the state recorded before,
// the difference becomes one step on the document's undo stack. A state holds
// what edits reach: the values of the document's property page, the readings'
// Used flags (as bits), the array details (cables, sequence type, base), and,
// around an Append only, the reading list itself. Undo and redo bring a state
// back through the operations an edit uses (the page is written, the document
// updated), so the documents stay unaware of undo.
#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>

#include <array>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class TArrayDetails1D;
class TArrayDetails2D;
class TCustomVeskObject;
class TDocumentStates;
class TForm_VeskMain;
class TMeasurements2D;
class TPropertyGrid;

// One recorded state of a document.
struct TEditState {
    QVariantList PageValues;             // the property page's item values, in page order
    std::vector<bool> Used;              // Used flag of each reading
    std::vector<uint32_t> HalfAB, HalfMN; // 1D designs: the spacings, which their table edits
    std::shared_ptr<const TArrayDetails2D> Details2D;
    std::shared_ptr<const TArrayDetails1D> Details1D;
    std::shared_ptr<const TMeasurements2D> List2D; // only around an Append
    std::array<double, 4> SavedIncrements{};       // the 1D page's increments of the other type
};

class TEditHistory : public QObject {
    Q_OBJECT
public:
    TEditHistory(TForm_VeskMain &window, TDocumentStates &states);
    ~TEditHistory() override;

    // The document is now shown on its pages (null: none is): its stack
    // becomes the active one, and the next step starts from its state as shown.
    void DocumentShown(TCustomVeskObject *document);
    // After a user edit of the document: one step when anything changed,
    // named text or, when text is empty, after what changed ("Switch Off 12
    // Measurements", "Quality Filter"). Steps recorded with the same sweep
    // number (above 0) one after another join into one step.
    void Record(TCustomVeskObject *document, const QString &text = {}, int sweep = 0);
    // Before an Append: the state the Append's step returns to holds the
    // reading list, which the join changes throughout.
    void BeforeAppend(TCustomVeskObject &document);
    // After a save or anything else the stack does not hold: the next step
    // starts from the document as it is now.
    void Retake(TCustomVeskObject &document);
    // The document is gone.
    void Forget(const TCustomVeskObject &document);

    // Step texts and state handling, used by the steps.
    QString StepText(const TCustomVeskObject &document, const TEditState &before, const TEditState &after) const;
    // Whether the step changes what the document's file stores (a chart
    // setting does not).
    bool ChangesFile(const TCustomVeskObject &document, const TEditState &before, const TEditState &after) const;
    void Restore(TCustomVeskObject &document, const std::shared_ptr<const TEditState> &state);
    bool Restoring() const { return FRestoring; }

private:
    std::shared_ptr<const TEditState> Capture(TCustomVeskObject &document, bool withList) const;
    TPropertyGrid *PageOf(const TCustomVeskObject &document) const;
    bool StillOpen(const TCustomVeskObject *document) const;

    TForm_VeskMain &FWindow;
    TDocumentStates &FStates;
    // Per document: the state the last step ended in (or as last shown).
    std::unordered_map<const TCustomVeskObject *, std::shared_ptr<const TEditState>> FCurrent;
    bool FRestoring = false;
    const TCustomVeskObject *FAppending = nullptr; // between BeforeAppend and the Append's step
};
