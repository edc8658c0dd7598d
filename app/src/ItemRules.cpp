// Rules of single property grid items: array and sequence type, base sequence,
// increment type, spacing groups, the unit spacing text and the cable page.
#include "EditRules.h"

#include "MainWindow.h"

#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/SequenceDocuments.h"

#include <QCheckBox>
#include <QLocale>
#include <QTreeWidget>
#include <algorithm>
#include <cmath>

namespace {

// The four items of a 2D spacing group, in page order.
std::array<TPropertyItem *, 4> Seq2DGroupItems(const TSeq2DPage &page, int group)
{
    switch (group) {
    case 2: return {page.NxComboBoxItem_sndSpacing, page.NxSpinItem_sndLevelCount, page.NxSpinItem_sndLevelFreq,
                    page.NxSpinItem_sndOverlapCount};
    case 3: return {page.NxComboBoxItem_trdSpacing, page.NxSpinItem_trdLevelCount, page.NxSpinItem_trdLevelFreq,
                    page.NxSpinItem_trdOverlapCount};
    default: return {page.NxComboBoxItem_fthSpacing, page.NxSpinItem_fthLevelCount, page.NxSpinItem_fthLevelFreq,
                     page.NxSpinItem_fthOverlapCount};
    }
}

std::array<TPropertyItem *, 4> Seq1DGroupItems(const TSeq1DPage &page, int group)
{
    switch (group) {
    case 2: return {page.NxSpinItem_Seq1D_sndSpacing, page.NxSpinItem_Seq1D_sndIncrement,
                    page.NxSpinItem_Seq1D_sndSpacingCount, page.NxSpinItem_Seq1D_sndOverlapCount};
    case 3: return {page.NxSpinItem_Seq1D_trdSpacing, page.NxSpinItem_Seq1D_trdIncrement,
                    page.NxSpinItem_Seq1D_trdSpacingCount, page.NxSpinItem_Seq1D_trdOverlapCount};
    default: return {page.NxSpinItem_Seq1D_fthSpacing, page.NxSpinItem_Seq1D_fthIncrement,
                     page.NxSpinItem_Seq1D_fthSpacingCount, page.NxSpinItem_Seq1D_fthOverlapCount};
    }
}

// The largest unit spacing a file holds: the largest whole number of
// millimetres in 32 bits.
constexpr double LargestSpacingMetres = 4294967.295;

} // namespace

void TEditRules::ArrayTypeChosen()
{
    const TSeq2DPage &page = FWindow.Widgets().Seq2DPage;
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    const int chosen = page.NxComboBoxItem_ArrayType->ItemIndex();
    // Choosing the line already in force changes nothing (it would drop the
    // extra groups for no reason).
    if (sequence != nullptr && chosen == sequence->ArrayDetails().ArrayType) return;
    {
        TUpdatesPause pause(FWindow.Views());
        const bool twoGroups = chosen == 1 || chosen == 2 || chosen == 5 || chosen == 6;
        page.NxCheckBoxItem_SecondLength->SetEnabled(twoGroups);
        page.NxCheckBoxItem_ThirdLength->SetEnabled(false);
        page.NxCheckBoxItem_FourthLength->SetEnabled(false);
        for (TPropertyItem *box : {page.NxCheckBoxItem_SecondLength, page.NxCheckBoxItem_ThirdLength,
                                    page.NxCheckBoxItem_FourthLength}) {
            box->SetChecked(false);
            box->SetExpandedAll(false);
        }
        for (int group = 2; group <= 4; ++group)
            for (TPropertyItem *item : Seq2DGroupItems(page, group)) item->SetEnabled(false);
    }
    if (FWindow.NodeSelected())
        if (TCustomVeskObject *document = FWindow.SelectedDocument()) document->Update();
}

void TEditRules::SequenceTypeChosen()
{
    const TSeq2DPage &page = FWindow.Widgets().Seq2DPage;
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    const int chosen = page.NxComboBoxItem_SequenceType->ItemIndex();
    // Roll along: expanded, so that "Single Sequencies" can be reached.
    page.NxComboBoxItem_SequenceType->SetExpanded(chosen == 1);
    if (sequence == nullptr || chosen < 0) return;
    sequence->ArrayDetails().SequenceType = uint8_t(chosen);
    sequence->FillInspector();
    sequence->Update();
}

void TEditRules::FillBaseCandidates()
{
    TPropertyItem *item = FWindow.Widgets().Seq2DPage.NxComboBoxItem_SingleSequencies;
    FWindow.BaseSequenceCandidates.clear();
    QStringList lines;
    QTreeWidget *tree = FWindow.Widgets().ObjectTree;
    const QTreeWidgetItem *selected = tree->currentItem();
    const QTreeWidgetItem *selectedRoot = selected && selected->parent() ? selected->parent() : selected;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *root = tree->topLevelItem(i);
        if (root == selectedRoot) continue;
        const TTreeNodeData data = FWindow.ItemData(root);
        auto *const *document = std::get_if<TCustomVeskObject *>(&data);
        auto *sequence = document ? dynamic_cast<TnSeq2D *>(*document) : nullptr;
        if (sequence == nullptr || sequence->ArrayDetails().SequenceType != SequenceTypeSingle) continue;
        lines.append(root->text(0));
        FWindow.BaseSequenceCandidates.push_back(sequence);
    }
    TUpdatesPause pause(FWindow.Views());
    item->SetLines(lines);
    item->SetItemIndex(-1);
}

void TEditRules::BaseSequenceChosen()
{
    TPropertyItem *item = FWindow.Widgets().Seq2DPage.NxComboBoxItem_SingleSequencies;
    const int chosen = item->ItemIndex();
    auto &candidates = FWindow.BaseSequenceCandidates;
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    if (sequence == nullptr || chosen < 0 || size_t(chosen) >= candidates.size()) return;
    TnSeq2D *base = candidates[size_t(chosen)];
    // Only a document the store still holds can become a base.
    const std::vector<TCustomVeskObject *> documents = FWindow.Store().Documents();
    if (std::find(documents.begin(), documents.end(), base) == documents.end() || base == sequence) return;
    sequence->SetBaseSequence(base);
    sequence->FillInspector();
    sequence->Update();
}

void TEditRules::SwapIncrements()
{
    const TSeq1DPage &page = FWindow.Widgets().Seq1DPage;
    const std::array<TPropertyItem *, 4> increments{page.NxSpinItem_Seq1D_Increment, page.NxSpinItem_Seq1D_sndIncrement,
                                                     page.NxSpinItem_Seq1D_trdIncrement, page.NxSpinItem_Seq1D_fthIncrement};
    for (size_t i = 0; i < increments.size(); ++i) {
        const double shown = increments[i]->AsFloat();
        increments[i]->SetFloat(FWindow.SavedIncrements[i]);
        FWindow.SavedIncrements[i] = shown;
    }
}

void TEditRules::IncrementTypeChosen()
{
    const TSeq1DPage &page = FWindow.Widgets().Seq1DPage;
    auto *sequence = dynamic_cast<TnSeq1D *>(FWindow.SelectedDocument());
    const int chosen = page.NxComboBoxItem_Seq1D_IncrementType->ItemIndex();
    // The same line again would swap the increments of the type in force.
    if (chosen < 0 || (sequence != nullptr && chosen == sequence->ArrayDetails().IncrementType)) return;
    {
        TUpdatesPause pause(FWindow.Views());
        SwapIncrements();
        const QString caption = chosen == 1 ? QStringLiteral("Factor") : QStringLiteral("Increment");
        const std::array<TPropertyItem *, 3> checks{page.NxCheckBoxItem_Seq1D_SecondLength,
                                                     page.NxCheckBoxItem_Seq1D_THirdLength,
                                                     page.NxCheckBoxItem_Seq1D_FourthLength};
        const std::array<TPropertyItem *, 4> increments{page.NxSpinItem_Seq1D_Increment, page.NxSpinItem_Seq1D_sndIncrement,
                                                         page.NxSpinItem_Seq1D_trdIncrement,
                                                         page.NxSpinItem_Seq1D_fthIncrement};
        for (TPropertyItem *item : increments) item->SetCaption(caption);
        for (size_t i = 0; i < checks.size(); ++i)
            if (checks[i]->Checked()) increments[i + 1]->SetEnabled(increments[0]->Enabled());
    }
    if (FWindow.NodeSelected())
        if (TCustomVeskObject *document = FWindow.SelectedDocument()) document->Update();
}

void TEditRules::Seq2DGroupToggled(TPropertyItem &box)
{
    const TSeq2DPage &page = FWindow.Widgets().Seq2DPage;
    const int group = &box == page.NxCheckBoxItem_SecondLength ? 2 : &box == page.NxCheckBoxItem_ThirdLength ? 3 : 4;
    TPropertyItem *next = group == 2 ? page.NxCheckBoxItem_ThirdLength
                           : group == 3 ? page.NxCheckBoxItem_FourthLength
                                        : nullptr;
    const bool on = box.Checked();
    TUpdatesPause pause(FWindow.Views());
    for (TPropertyItem *item : Seq2DGroupItems(page, group)) item->SetEnabled(on);
    box.SetExpandedAll(on);
    // The later groups keep their values; they are not read while this one is off.
    if (next != nullptr) next->SetEnabled(on);
}

void TEditRules::Seq1DGroupToggled(TPropertyItem &box)
{
    const TSeq1DPage &page = FWindow.Widgets().Seq1DPage;
    const std::array<TPropertyItem *, 3> boxes{page.NxCheckBoxItem_Seq1D_SecondLength, page.NxCheckBoxItem_Seq1D_THirdLength,
                                                page.NxCheckBoxItem_Seq1D_FourthLength};
    const int index = int(std::find(boxes.begin(), boxes.end(), &box) - boxes.begin());
    const bool on = box.Checked();
    TUpdatesPause pause(FWindow.Views());
    for (TPropertyItem *item : Seq1DGroupItems(page, index + 2)) item->SetEnabled(on);
    box.SetExpandedAll(on);
    if (index + 1 < int(boxes.size())) boxes[size_t(index) + 1]->SetEnabled(on);
    // Unchecking a group also unchecks (and disables) the groups after it.
    if (!on)
        for (int later = index + 1; later < int(boxes.size()); ++later) {
            boxes[size_t(later)]->SetEnabled(false);
            boxes[size_t(later)]->SetChecked(false);
            for (TPropertyItem *item : Seq1DGroupItems(page, later + 2)) item->SetEnabled(false);
        }
}

bool TEditRules::UnitSpacingAccepted()
{
    TPropertyItem *item = FWindow.Widgets().Seq2DPage.NxTextItem_Spacing;
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    const QString text = item->AsString().trimmed();
    // Both "." and "," are taken as the decimal separator.
    QString normal = text;
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool number = false;
    const double metres = normal.toDouble(&number);
    // A spacing that rounds to 0 mm puts every electrode at 0 m, and no file
    // can hold such a design.
    const bool usable = number && std::isfinite(metres) && std::round(metres * 1000) >= 1;
    if (usable && metres <= LargestSpacingMetres) return true;

    const double kept = sequence != nullptr ? sequence->ArrayDetails().UnitSpacingMetres() : 0;
    const QString keptText = QLocale::system().toString(kept, 'g', 15);
    {
        TUpdatesPause pause(FWindow.Views());
        item->SetString(keptText);
    }
    const QString why = !number || !std::isfinite(metres) ? QStringLiteral("not a valid number")
                        : metres > LargestSpacingMetres  ? QStringLiteral("more than a file can hold")
                                                         : QStringLiteral("must be at least 0.001 m");
    FWindow.SetStatusText(QStringLiteral("Spacing <A>, [m]: %1, kept %2").arg(why, keptText));
    return false;
}

bool TEditRules::Seq1DValueAccepted(TPropertyItem &item)
{
    const TSeq1DPage &page = FWindow.Widgets().Seq1DPage;
    auto *sequence = dynamic_cast<TnSeq1D *>(FWindow.SelectedDocument());
    std::array<std::array<TPropertyItem *, 4>, 4> groups{};
    groups[0] = {page.NxSpinItem_Seq1D_Spacing, page.NxSpinItem_Seq1D_Increment, page.NxSpinItem_Seq1D_SpacingCount,
                 nullptr};
    for (int g = 2; g <= 4; ++g) groups[size_t(g - 1)] = Seq1DGroupItems(page, g);
    const std::array<TPropertyItem *, 4> checks{nullptr, page.NxCheckBoxItem_Seq1D_SecondLength,
                                                page.NxCheckBoxItem_Seq1D_THirdLength,
                                                page.NxCheckBoxItem_Seq1D_FourthLength};
    const auto inUse = [&checks](size_t g) { return g == 0 || checks[g]->Checked(); };
    // What the generator refuses: a geometric factor of 1 or less, and
    // overlaps beyond the levels of the group before.
    QString why;
    for (size_t g = 0; g < groups.size() && why.isEmpty(); ++g) {
        TPropertyItem *increment = groups[g][1], *levels = groups[g][2], *overlaps = groups[g][3];
        if (&item == increment && page.NxComboBoxItem_Seq1D_IncrementType->ItemIndex() == IncrementTypeGeometric &&
            item.AsFloat() <= 1)
            why = QStringLiteral("a geometric factor must be above 1");
        else if (&item == overlaps && g > 0 && item.AsFloat() > groups[g - 1][2]->AsFloat())
            why = QStringLiteral("more overlaps than the group before has levels");
        else if (&item == levels && g + 1 < groups.size() && inUse(g + 1) &&
                 groups[g + 1][3]->AsFloat() > item.AsFloat())
            why = QStringLiteral("fewer levels than the next group overlaps");
        if (why.isEmpty() || sequence == nullptr) continue;
        const TArrayDetails1D &details = sequence->ArrayDetails();
        // The document's value when it is usable, else the nearest usable one.
        double kept = 0;
        if (&item == increment) {
            kept = g < details.Increments.size() && details.Increments[g] > 1 ? details.Increments[g] : 1.5;
        } else if (&item == overlaps) {
            const double stored = g < details.OverlapCounts.size() ? details.OverlapCounts[g] : 0.0;
            kept = std::min(stored, groups[g - 1][2]->AsFloat());
        } else {
            const double stored = g < details.LevelCounts.size() ? details.LevelCounts[g] : 1.0;
            kept = std::max(stored, groups[g + 1][3]->AsFloat());
        }
        {
            TUpdatesPause pause(FWindow.Views());
            item.SetFloat(kept);
        }
        FWindow.SetStatusText(
            QStringLiteral("%1: %2, kept %3").arg(item.Caption(), why, QLocale::system().toString(kept, 'g', 15)));
    }
    return why.isEmpty();
}

void TEditRules::CableGridEdited()
{
    if (!FWindow.UpdatesEnabled()) return;
    TnCable *cable = FWindow.SelectedCable();
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    if (cable == nullptr || sequence == nullptr) return;
    const TGridModel &model = FWindow.Widgets().CableGrid->Model();
    for (int row = 0; row < model.rowCount(); ++row) cable->SetEnabled(row, model.Checked(1, row));
    sequence->Update();
}

void TEditRules::CableHeaderClicked(int column)
{
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    TGridModel &model = FWindow.Widgets().CableGrid->Model();
    // A roll-along design takes its cables from the base at every selection.
    if (column != 1 || model.rowCount() == 0 || sequence == nullptr ||
        sequence->ArrayDetails().SequenceType == SequenceTypeRollAlong)
        return;
    const bool flag = !model.Checked(1, 0);
    {
        TUpdatesPause pause(FWindow.Views());
        for (int row = 0; row < model.rowCount(); ++row) model.SetChecked(1, row, flag);
    }
    CableGridEdited(); // the cable is read and the design generated once
}
