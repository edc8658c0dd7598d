#include "EditRules.h"

#include "MainWindow.h"

#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/VeskObjects.h"

#include <QCheckBox>
#include <QLocale>

TEditRules::TEditRules(TForm_VeskMain &window) : QObject(&window), FWindow(window)
{
    TMainWidgets &w = window.Widgets();
    ConnectInspector(*w.Seq2DInspector, &TEditRules::Seq2DItemEdited);
    ConnectInspector(*w.Data2DInspector, &TEditRules::Data2DItemEdited);
    ConnectInspector(*w.Seq1DInspector, &TEditRules::Seq1DItemEdited);
    ConnectInspector(*w.Data1DInspector, &TEditRules::Data1DItemEdited);
    ConnectInspector(*w.Data0DInspector, &TEditRules::Data0DItemEdited);

    connect(&w.Data1DTable->Model(), &TGridModel::CellEdited, this, &TEditRules::DataTableEdited);
    connect(&w.Data0DTable->Model(), &TGridModel::CellEdited, this, &TEditRules::DataTableEdited);
    connect(&w.Data2DTable->Model(), &TGridModel::CellEdited, this, &TEditRules::DataTableEdited);
    connect(&w.Seq1DTable->Model(), &TGridModel::CellEdited, this, &TEditRules::Seq1DTableEdited);
    connect(&w.CableGrid->Model(), &TGridModel::CellEdited, this, &TEditRules::CableGridEdited);
    connect(w.CableGrid, &TGridView::HeaderClicked, this, &TEditRules::CableHeaderClicked);
    connect(w.Seq2DInspector, &TPropertyGrid::DropDownOpening, this, [this](TPropertyItem *item) {
        if (item == FWindow.Widgets().Seq2DPage.NxComboBoxItem_SingleSequencies) FillBaseCandidates();
    });
}

void TEditRules::ConnectInspector(TPropertyGrid &inspector, void (TEditRules::*rule)(TPropertyItem &))
{
    connect(&inspector, &TPropertyGrid::ItemEdited, this, [this, rule](TPropertyItem *item) { (this->*rule)(*item); });
    connect(&inspector, &TPropertyGrid::DropDownClosed, this, [this](TPropertyItem *item) { DropDownClosed(*item); });
    connect(&inspector, &TPropertyGrid::InputRefused, this,
            [this](TPropertyItem *item, const QString &text) { NumberRefused(*item, text); });
}

void TEditRules::NumberRefused(TPropertyItem &item, const QString &text)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const auto shown = [&locale](double value) { return locale.toString(value, 'g', 15); };
    QString plain = text;
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool number = false;
    const double value = QLocale::c().toDouble(plain, &number);
    const QString why = !number ? QStringLiteral("\"%1\" is not a number").arg(text)
                                : QStringLiteral("%1 is outside %2 to %3")
                                      .arg(shown(value), shown(item.Minimum()), shown(item.Maximum()));
    FWindow.SetStatusText(QStringLiteral("%1: %2, kept %3").arg(item.Caption(), why, shown(item.AsFloat())));
}

bool TEditRules::AutoUpdate() const
{
    return FWindow.Widgets().AutoUpdate->isChecked();
}

TCustomVeskObject *TEditRules::SelectedOfKind(TDocumentKind kind) const
{
    TCustomVeskObject *document = FWindow.SelectedDocument();
    return document != nullptr && document->Kind() == kind ? document : nullptr;
}

void TEditRules::UpdateSelected()
{
    if (TCustomVeskObject *document = FWindow.SelectedDocument()) document->Update();
}

// Drop-down items act when their list closes, not on the value change.
void TEditRules::Seq2DItemEdited(TPropertyItem &item)
{
    const TSeq2DPage &page = FWindow.Widgets().Seq2DPage;
    if (&item == page.NxCheckBoxItem_SecondLength || &item == page.NxCheckBoxItem_ThirdLength ||
        &item == page.NxCheckBoxItem_FourthLength)
        Seq2DGroupToggled(item);
    if (&item == page.NxTextItem_Spacing && !UnitSpacingAccepted()) return;
    FWindow.DocumentEdited(SelectedOfKind(TDocumentKind::Seq2D));
    if (!AutoUpdate() || !FWindow.UpdatesEnabled() || item.Kind() == TItemKind::ComboBox) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq2D)) document->Update();
}

namespace {

// The filter items of the 2D data page: what they remove, Save stores as
// unused, so editing them changes the document.
bool IsFilterItem(const TData2DPage &page, const TPropertyItem &item)
{
    for (const TPropertyItem *filter :
         {page.NxCheckBoxItem_ApplySAFilter, page.NxSpinItem_SAWindowWidth, page.NxCheckBoxItem_QualityFilter,
          page.NxSpinItem_QualityThreshold, page.NxCheckBoxItem_VoltageFilter, page.NxSpinItem_VoltageMinValue,
          page.NxSpinItem_VoltageMaxValue, page.NxCheckBoxItem_CurrentFilter, page.NxSpinItem_CurrentMinValue,
          page.NxSpinItem_CurrentMaxValue, page.NxCheckBoxItem_ResistivityFilter, page.NxSpinItem_ResistivityMinValue,
          page.NxSpinItem_ResistivityMaxValue, page.NxCheckBoxItem_d2d_ChargeAbilityFilter,
          page.NxSpinItem_d2d_ChargeabilityMinValue, page.NxSpinItem_d2d_ChargeabilityMaxValue})
        if (filter == &item) return true;
    return false;
}

} // namespace

void TEditRules::Data2DItemEdited(TPropertyItem &item)
{
    if (IsFilterItem(FWindow.Widgets().Data2DPage, item)) FWindow.DocumentEdited(SelectedOfKind(TDocumentKind::Data2D));
    if (!AutoUpdate() || !FWindow.UpdatesEnabled() || item.Kind() == TItemKind::ComboBox) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Data2D)) document->Update();
}

void TEditRules::Seq1DItemEdited(TPropertyItem &item)
{
    const TSeq1DPage &page = FWindow.Widgets().Seq1DPage;
    if (&item == page.NxCheckBoxItem_Seq1D_SecondLength || &item == page.NxCheckBoxItem_Seq1D_THirdLength ||
        &item == page.NxCheckBoxItem_Seq1D_FourthLength)
        Seq1DGroupToggled(item);
    if (item.Kind() == TItemKind::Spin && !Seq1DValueAccepted(item)) return;
    FWindow.DocumentEdited(SelectedOfKind(TDocumentKind::Seq1D));
    if (!AutoUpdate() || !FWindow.UpdatesEnabled()) return;
    if (&item == page.NxComboBoxItem_Seq1D_ArrayType || &item == page.NxComboBoxItem_Seq1D_IncrementType) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq1D)) document->Update();
}

void TEditRules::Data1DItemEdited(TPropertyItem &item)
{
    if (!AutoUpdate() || !FWindow.UpdatesEnabled() || item.Kind() == TItemKind::ComboBox) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Data1D)) document->Update();
}

void TEditRules::Data0DItemEdited(TPropertyItem &item)
{
    if (!AutoUpdate() || !FWindow.UpdatesEnabled() || item.Kind() == TItemKind::ComboBox) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Data0D)) document->Update();
}

void TEditRules::DropDownClosed(TPropertyItem &item)
{
    const TMainWidgets &w = FWindow.Widgets();
    const TSeq2DPage &seq2D = w.Seq2DPage;
    const TData2DPage &data2D = w.Data2DPage;
    const bool applies = AutoUpdate() && FWindow.UpdatesEnabled();

    if (&item == seq2D.NxComboBoxItem_Spacing || &item == seq2D.NxComboBoxItem_sndSpacing ||
        &item == seq2D.NxComboBoxItem_trdSpacing || &item == seq2D.NxComboBoxItem_fthSpacing ||
        &item == seq2D.NxComboBoxItem_s2d_DepthMethod) {
        FWindow.DocumentEdited(SelectedOfKind(TDocumentKind::Seq2D));
        if (applies)
            if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq2D)) document->Update();
    } else if (&item == data2D.NxComboBoxItem_d2d_ValuesToShow || &item == data2D.NxComboBoxItem_d2d_VisibleDiagrams ||
               &item == data2D.NxComboBoxItem_D2D_ApproximationType ||
               &item == data2D.NxComboBoxItem_d2d_DepthMethod || &item == data2D.NxComboBoxItem_d2d_Palette ||
               &item == data2D.NxComboBoxItem_d2d_ColourScale || &item == data2D.NxComboBoxItem_d2d_Limits) {
        if (applies)
            if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Data2D)) document->Update();
    } else if (&item == w.Seq1DPage.NxComboBoxItem_Seq1D_ArrayType) {
        FWindow.DocumentEdited(SelectedOfKind(TDocumentKind::Seq1D));
        if (FWindow.NodeSelected())
            if (TCustomVeskObject *document = FWindow.SelectedDocument()) document->Update();
    } else if (&item == seq2D.NxComboBoxItem_ArrayType) {
        ArrayTypeChosen();
    } else if (&item == seq2D.NxComboBoxItem_SequenceType) {
        SequenceTypeChosen();
    } else if (&item == seq2D.NxComboBoxItem_SingleSequencies) {
        BaseSequenceChosen();
    } else if (&item == w.Seq1DPage.NxComboBoxItem_Seq1D_IncrementType) {
        IncrementTypeChosen();
    }
}

void TEditRules::DataTableEdited()
{
    if (!FWindow.UpdatesEnabled()) return;
    if (TCustomVeskObject *document = FWindow.SelectedDocument()) {
        FWindow.DocumentEdited(document); // a Used box
        document->ReadTable();
    }
}

void TEditRules::Seq1DTableEdited()
{
    if (!FWindow.UpdatesEnabled()) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq1D)) {
        FWindow.DocumentEdited(document);
        document->ReadTable();
    }
}
