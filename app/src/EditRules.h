// The window's editing rules: which user edits in the inspector pages and
// tables start an update of the selected document. Program writes never
// reach them (the components raise user-edit signals for user edits only),
// and UpdatesEnabled guards the rest.
#pragma once

#include <QObject>
#include <QString>

class TForm_VeskMain;
class TPropertyGrid;
class TPropertyItem;
class TCustomVeskObject;
enum class TDocumentKind : uint8_t;

class TEditRules : public QObject {
    Q_OBJECT
public:
    explicit TEditRules(TForm_VeskMain &window);

    // "UpDate": Update of the selected document.
    void UpdateSelected();

    // The change rule of each inspector page.
    void Seq2DItemEdited(TPropertyItem &item);
    void Data2DItemEdited(TPropertyItem &item);
    void Seq1DItemEdited(TPropertyItem &item);
    void Data1DItemEdited(TPropertyItem &item);
    void Data0DItemEdited(TPropertyItem &item);
    // Drop-down lists that apply when they close.
    void DropDownClosed(TPropertyItem &item);

    // Table edits handed to the selected document's presenter.
    void DataTableEdited();
    void Seq1DTableEdited();

    // Rules of single items (InspectorRules.cpp).
    void ArrayTypeChosen();                    // 2D "Array Type" closed
    void SequenceTypeChosen();                 // 2D "Sequence Type" closed
    void FillBaseCandidates();                 // "Single Sequencies" selected or opened
    void BaseSequenceChosen();                 // "Single Sequencies" closed
    void IncrementTypeChosen();                // 1D "Increment Type" closed
    void Seq2DGroupToggled(TPropertyItem &box); // "Spacing #2".."#4", 2D
    void Seq1DGroupToggled(TPropertyItem &box); // "Spacing #2".."#4", 1D
    // The 2D unit spacing typed as text: false (and the old value shown
    // again) when it is no usable length.
    bool UnitSpacingAccepted();
    // A number item refused the user's text: the status bar says why.
    void NumberRefused(TPropertyItem &item, const QString &text);
    // A 1D design value the generator would refuse: false (and a usable
    // value shown again, the status bar saying why).
    bool Seq1DValueAccepted(TPropertyItem &item);
    // "Linear"/"Geometric": shows the other type's four increments.
    void SwapIncrements();

    // Cable page (InspectorRules.cpp).
    void CableGridEdited();
    void CableHeaderClicked(int column);

private:
    // The selected document's edit, applied, becomes one undo step.
    void RecordEdit();
    bool AutoUpdate() const;
    // The selected document when it is of the kind, else null.
    TCustomVeskObject *SelectedOfKind(TDocumentKind kind) const;
    void ConnectInspector(TPropertyGrid &inspector, void (TEditRules::*rule)(TPropertyItem &));

    TForm_VeskMain &FWindow;
    QString FLastSpacingText; // the unit spacing as last accepted
};
