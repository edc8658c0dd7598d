#include "EditHistory.h"

#include "DocumentStates.h"
#include "MainWindow.h"

#include "controls/PropertyGrid.h"
#include "controls/PropertyItem.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskObjects.h"
#include "documents/VeskStore.h"
#include "presentation/GUIData1D.h"
#include "presentation/PresenterViews.h"

#include <QUndoCommand>
#include <QUndoGroup>
#include <QUndoStack>

#include <algorithm>

namespace {

// Sweep steps share one id so that QUndoStack offers them for joining.
constexpr int SweepStepId = 1;

bool SameDetails(const TEditState &a, const TEditState &b)
{
    if (bool(a.Details2D) != bool(b.Details2D) || bool(a.Details1D) != bool(b.Details1D)) return false;
    if (a.Details2D) {
        const TArrayDetails2D &x = *a.Details2D, &y = *b.Details2D;
        if (x.ArrayType != y.ArrayType || x.SequenceType != y.SequenceType || x.BaseSequence != y.BaseSequence ||
            x.MixedPoleDipole != y.MixedPoleDipole || x.GroupCount != y.GroupCount ||
            x.Cable1.Count != y.Cable1.Count || x.Cable1.Enabled != y.Cable1.Enabled ||
            x.Cable2.Count != y.Cable2.Count || x.Cable2.Enabled != y.Cable2.Enabled)
            return false;
    }
    if (a.Details1D) {
        const TArrayDetails1D &x = *a.Details1D, &y = *b.Details1D;
        if (x.ArrayType != y.ArrayType || x.IncrementType != y.IncrementType || x.GroupCount != y.GroupCount)
            return false;
    }
    return true;
}

bool SameCables(const TEditState &a, const TEditState &b)
{
    if (!a.Details2D || !b.Details2D) return true;
    return a.Details2D->Cable1.Enabled == b.Details2D->Cable1.Enabled &&
           a.Details2D->Cable2.Enabled == b.Details2D->Cable2.Enabled;
}

bool SameState(const TEditState &a, const TEditState &b)
{
    return a.PageValues == b.PageValues && a.Used == b.Used && a.HalfAB == b.HalfAB && a.HalfMN == b.HalfMN &&
           a.SavedIncrements == b.SavedIncrements && SameDetails(a, b);
}

// The readings' count in words: "1 Measurement", "12 Measurements".
QString Measurements(std::size_t n)
{
    return QStringLiteral("%1 %2").arg(n).arg(n == 1 ? QStringLiteral("Measurement") : QStringLiteral("Measurements"));
}

// One user edit of one document: the states before and after it.
class TEditStep : public TDocumentStep {
public:
    TEditStep(TEditHistory &history, TCustomVeskObject &document, std::shared_ptr<const TEditState> before,
              std::shared_ptr<const TEditState> after, const QString &text, int sweep)
        : TDocumentStep(text), FHistory(history), FDocument(document), FBefore(std::move(before)),
          FAfter(std::move(after)), FSweep(sweep)
    {
        ChangesFile = FHistory.ChangesFile(FDocument, *FBefore, *FAfter);
    }

    void undo() override { FHistory.Restore(FDocument, FBefore); }
    // The first redo is the push: the edit itself has already happened.
    void redo() override
    {
        if (FPushed) FHistory.Restore(FDocument, FAfter);
        FPushed = true;
    }
    int id() const override { return FSweep > 0 ? SweepStepId : -1; }
    const TCustomVeskObject &Document() const { return FDocument; }
    const TEditState &After() const { return *FAfter; }
    // A save changed the state the step ended in (2D data: the readings the
    // filters fail became unused): redo returns to the state as saved.
    void SetAfter(std::shared_ptr<const TEditState> after) { FAfter = std::move(after); }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const TEditStep *>(other);
        if (next->FSweep != FSweep || &next->FDocument != &FDocument) return false;
        FAfter = next->FAfter;
        ChangesFile = ChangesFile || next->ChangesFile;
        setText(FHistory.StepText(FDocument, *FBefore, *FAfter));
        setObsolete(SameState(*FBefore, *FAfter));
        return true;
    }

private:
    TEditHistory &FHistory;
    TCustomVeskObject &FDocument;
    std::shared_ptr<const TEditState> FBefore, FAfter;
    int FSweep;
    bool FPushed = false;
};

} // namespace

TEditHistory::TEditHistory(TForm_VeskMain &window, TDocumentStates &states)
    : QObject(&window), FWindow(window), FStates(states)
{
}

TEditHistory::~TEditHistory() = default;

TPropertyGrid *TEditHistory::PageOf(const TCustomVeskObject &document) const
{
    const TMainWidgets &w = FWindow.Widgets();
    switch (document.Kind()) {
    case TDocumentKind::Seq2D: return w.Seq2DInspector;
    case TDocumentKind::Data2D: return w.Data2DInspector;
    case TDocumentKind::Seq1D: return w.Seq1DInspector;
    case TDocumentKind::Data1D: return w.Data1DInspector;
    case TDocumentKind::Data0D: return w.Data0DInspector;
    }
    return nullptr;
}

bool TEditHistory::StillOpen(const TCustomVeskObject *document) const
{
    const std::vector<TCustomVeskObject *> documents = FWindow.Store().Documents();
    return std::find(documents.begin(), documents.end(), document) != documents.end();
}

std::shared_ptr<const TEditState> TEditHistory::Capture(TCustomVeskObject &document, bool withList) const
{
    auto state = std::make_shared<TEditState>();
    if (const TPropertyGrid *page = PageOf(document))
        for (const TPropertyItem *item : page->Items()) state->PageValues.append(item->Value());
    const TMeasurementsCustom &list = document.MeasurementsCustom();
    state->Used.resize(list.Count);
    for (uint32_t i = 0; i < list.Count && i < list.Used.size(); ++i) state->Used[i] = list.Used[i] == 1;
    if (auto *object = dynamic_cast<TVeskObject2D *>(&document)) {
        state->Details2D = std::make_shared<TArrayDetails2D>(object->ArrayDetails());
        if (withList) state->List2D = std::make_shared<TMeasurements2D>(object->Measurements());
    } else if (auto *object1D = dynamic_cast<TVeskObject1D *>(&document)) {
        state->Details1D = std::make_shared<TArrayDetails1D>(object1D->ArrayDetails());
        if (document.Kind() == TDocumentKind::Seq1D) {
            state->HalfAB = object1D->Measurements().HalfAB;
            state->HalfMN = object1D->Measurements().HalfMN;
        }
    }
    state->SavedIncrements = FWindow.SavedIncrements;
    return state;
}

void TEditHistory::DocumentShown(TCustomVeskObject *document)
{
    if (document == nullptr) {
        FStates.UndoGroup().setActiveStack(nullptr);
        return;
    }
    FStates.UndoGroup().setActiveStack(&FStates.Stack(*document));
    FCurrent[document] = Capture(*document, false);
}

void TEditHistory::Retake(TCustomVeskObject &document)
{
    if (FAppending == &document) FAppending = nullptr;
    if (&document != FWindow.SelectedDocument()) return;
    const QUndoStack &stack = FStates.Stack(document);
    const auto *last = stack.index() > 0 ? dynamic_cast<const TEditStep *>(stack.command(stack.index() - 1)) : nullptr;
    if (last != nullptr && &last->Document() != &document) last = nullptr;
    // The state an Append's step ends in keeps the readings it joined.
    std::shared_ptr<const TEditState> now = Capture(document, last != nullptr && last->After().List2D);
    std::shared_ptr<const TEditState> &current = FCurrent[&document];
    // The last step ends where the document is now (a save's change is part
    // of the state the save marked clean).
    if (current && last != nullptr && !SameState(*current, *now)) const_cast<TEditStep *>(last)->SetAfter(now);
    current = now;
}

void TEditHistory::BeforeAppend(TCustomVeskObject &document)
{
    if (&document != FWindow.SelectedDocument()) return;
    FCurrent[&document] = Capture(document, true);
    FAppending = &document;
}

void TEditHistory::Forget(const TCustomVeskObject &document)
{
    FCurrent.erase(&document);
    if (FAppending == &document) FAppending = nullptr;
}

void TEditHistory::Record(TCustomVeskObject *document, const QString &text, int sweep)
{
    // Edits reach only the document on show; the page holds its values.
    if (FRestoring || document == nullptr || document != FWindow.SelectedDocument()) return;
    std::shared_ptr<const TEditState> &current = FCurrent[document];
    if (!current) {
        current = Capture(*document, false);
        return;
    }
    // Only the Append's own step copies the reading list.
    const bool appended = FAppending == document;
    FAppending = nullptr;
    std::shared_ptr<const TEditState> after = Capture(*document, appended);
    if (SameState(*current, *after)) return;
    const std::shared_ptr<const TEditState> before = current;
    current = after;
    QUndoStack &stack = FStates.Stack(*document);
    stack.push(new TEditStep(*this, *document, before, after,
                             text.isEmpty() ? StepText(*document, *before, *after) : text, sweep));
}

namespace {

// The filter items of the 2D data page: what they remove, Save stores as
// unused, so editing them changes the file.
bool IsFilterItem(const TData2DPage &page, const TPropertyItem *item)
{
    for (const TPropertyItem *filter :
         {page.NxCheckBoxItem_ApplySAFilter, page.NxSpinItem_SAWindowWidth, page.NxCheckBoxItem_QualityFilter,
          page.NxSpinItem_QualityThreshold, page.NxCheckBoxItem_VoltageFilter, page.NxSpinItem_VoltageMinValue,
          page.NxSpinItem_VoltageMaxValue, page.NxCheckBoxItem_CurrentFilter, page.NxSpinItem_CurrentMinValue,
          page.NxSpinItem_CurrentMaxValue, page.NxCheckBoxItem_ResistivityFilter, page.NxSpinItem_ResistivityMinValue,
          page.NxSpinItem_ResistivityMaxValue, page.NxCheckBoxItem_d2d_ChargeAbilityFilter,
          page.NxSpinItem_d2d_ChargeabilityMinValue, page.NxSpinItem_d2d_ChargeabilityMaxValue})
        if (filter == item) return true;
    return false;
}

} // namespace

bool TEditHistory::ChangesFile(const TCustomVeskObject &document, const TEditState &before,
                               const TEditState &after) const
{
    if (before.Used != after.Used || before.HalfAB != after.HalfAB || before.HalfMN != after.HalfMN ||
        !SameDetails(before, after)) // an Append changes the flags' count
        return true;
    switch (document.Kind()) {
    case TDocumentKind::Seq2D:
    case TDocumentKind::Seq1D: return before.PageValues != after.PageValues;
    case TDocumentKind::Data2D: break;
    case TDocumentKind::Data1D:
    case TDocumentKind::Data0D: return false; // their pages set how the data are drawn
    }
    // 2D data: the filters, which a save makes permanent.
    const QList<TPropertyItem *> &items = FWindow.Widgets().Data2DInspector->Items();
    for (qsizetype i = 0; i < items.size() && i < before.PageValues.size() && i < after.PageValues.size(); ++i)
        if (before.PageValues[i] != after.PageValues[i] && IsFilterItem(FWindow.Widgets().Data2DPage, items[i]))
            return true;
    return false;
}

QString TEditHistory::StepText(const TCustomVeskObject &document, const TEditState &before,
                               const TEditState &after) const
{
    // A page value names the step after its item (the filter or choice a
    // number belongs to, when it has one).
    if (before.PageValues != after.PageValues)
        if (const TPropertyGrid *page = PageOf(document)) {
            const QList<TPropertyItem *> &items = page->Items();
            const qsizetype n = std::min({items.size(), before.PageValues.size(), after.PageValues.size()});
            for (qsizetype i = 0; i < n; ++i) {
                if (before.PageValues[i] == after.PageValues[i]) continue;
                const TPropertyItem *item = items[i];
                const TPropertyItem *owner = item->ParentItem();
                // A bound of a filter or a setting of a spacing group: the
                // box or choice it belongs to (not a box that only heads a group).
                const bool ownedChoice = owner != nullptr && !owner->ReadOnly() &&
                                         (owner->Kind() == TItemKind::CheckBox || owner->Kind() == TItemKind::ComboBox);
                return ownedChoice ? owner->Caption() : item->Caption();
            }
        }
    if (!SameCables(before, after)) return QStringLiteral("Cable Electrodes");
    if (before.HalfAB != after.HalfAB || before.HalfMN != after.HalfMN) return QStringLiteral("Spacings Edit");
    if (before.Used != after.Used) {
        std::size_t off = 0, on = 0;
        const std::size_t n = std::min(before.Used.size(), after.Used.size());
        for (std::size_t i = 0; i < n; ++i) {
            off += before.Used[i] && !after.Used[i] ? 1 : 0;
            on += !before.Used[i] && after.Used[i] ? 1 : 0;
        }
        if (on == 0) return QStringLiteral("Switch Off ") + Measurements(off);
        if (off == 0) return QStringLiteral("Switch On ") + Measurements(on);
        return QStringLiteral("Switch ") + Measurements(on + off);
    }
    return QStringLiteral("Edit");
}

void TEditHistory::Restore(TCustomVeskObject &document, const std::shared_ptr<const TEditState> &state)
{
    if (!state || !StillOpen(&document) || FRestoring) return;
    struct TRestoring {
        bool &Flag;
        explicit TRestoring(bool &flag) : Flag(flag) { Flag = true; }
        ~TRestoring() { Flag = false; }
    } restoring(FRestoring);

    // The pages must show the document whose state comes back.
    if (&document != FWindow.SelectedDocument()) FWindow.SelectNode(document.TreeIndex);
    if (&document != FWindow.SelectedDocument()) return;
    const std::shared_ptr<const TEditState> now = Capture(document, false);

    // The array details (and around an Append the reading list) come back as
    // they were; the file name stays the one the document was last saved as.
    const bool detailsBack = state->List2D != nullptr || !SameDetails(*now, *state);
    if (auto *object = dynamic_cast<TVeskObject2D *>(&document)) {
        if (state->List2D) object->Measurements() = *state->List2D;
        if (detailsBack && state->Details2D) {
            TArrayDetails2D details = *state->Details2D;
            details.FileName = object->ArrayDetails().FileName;
            // A base sequence deleted since is no base any more.
            if (details.BaseSequence != nullptr && !StillOpen(details.BaseSequence)) details.BaseSequence = nullptr;
            object->ArrayDetails() = details;
        }
    } else if (auto *object1D = dynamic_cast<TVeskObject1D *>(&document); object1D && detailsBack && state->Details1D) {
        TArrayDetails1D details = *state->Details1D;
        details.FileName = object1D->ArrayDetails().FileName;
        object1D->ArrayDetails() = details;
    }
    FWindow.SavedIncrements = state->SavedIncrements;

    // Page values go back through the page and one update, as an edit's do.
    if (detailsBack || now->PageValues != state->PageValues) {
        document.FillInspector();
        if (TPropertyGrid *page = PageOf(document)) {
            TUpdatesPause pause(FWindow.Views());
            const QList<TPropertyItem *> &items = page->Items();
            for (qsizetype i = 0; i < items.size() && i < state->PageValues.size(); ++i)
                if (items[i]->Value() != state->PageValues[i]) items[i]->SetValue(state->PageValues[i]);
        }
        document.Update();
    }

    // Flags and table values that the update does not make.
    TMeasurementsCustom &list = document.MeasurementsCustom();
    bool refresh = false;
    if (state->Used.size() == list.Count)
        for (uint32_t i = 0; i < list.Count; ++i)
            if ((list.Used[i] == 1) != state->Used[i]) {
                list.SetUsed(i, state->Used[i]);
                refresh = true;
            }
    if (auto *sequence = dynamic_cast<TVeskObject1D *>(&document);
        sequence && document.Kind() == TDocumentKind::Seq1D && state->HalfAB.size() == list.Count &&
        (sequence->Measurements().HalfAB != state->HalfAB || sequence->Measurements().HalfMN != state->HalfMN)) {
        sequence->Measurements().HalfAB = state->HalfAB;
        sequence->Measurements().HalfMN = state->HalfMN;
        refresh = true;
    }
    if (refresh) {
        // A sounding's model belongs to the readings it was fitted to.
        if (auto *sounding = dynamic_cast<TGUIData1D *>(&document.Presenter())) sounding->ClearModel();
        document.Presenter().Refresh();
    }
    FWindow.RefillCableGrid();
    FCurrent[&document] = state;
}
