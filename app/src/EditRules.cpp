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

    // Each edit, once applied, becomes one undo step of the selected document.
    const auto recorded = [this](void (TEditRules::*rule)()) {
        return [this, rule] {
            (this->*rule)();
            RecordEdit();
        };
    };
    for (TGridView *table : {w.Data1DTable, w.Data0DTable, w.Data2DTable})
        connect(&table->Model(), &TGridModel::CellEdited, this, recorded(&TEditRules::DataTableEdited));
    connect(&w.Seq1DTable->Model(), &TGridModel::CellEdited, this, recorded(&TEditRules::Seq1DTableEdited));
    connect(&w.CableGrid->Model(), &TGridModel::CellEdited, this, recorded(&TEditRules::CableGridEdited));
    connect(w.CableGrid, &TGridView::HeaderClicked, this, [this](int column) {
        CableHeaderClicked(column);
        RecordEdit();
    });
    connect(w.Seq2DInspector, &TPropertyGrid::DropDownOpening, this, [this](TPropertyItem *item) {
        if (item == FWindow.Widgets().Seq2DPage.NxComboBoxItem_SingleSequencies) FillBaseCandidates();
    });
}

void TEditRules::ConnectInspector(TPropertyGrid &inspector, void (TEditRules::*rule)(TPropertyItem &))
{
    connect(&inspector, &TPropertyGrid::ItemEdited, this, [this, rule](TPropertyItem *item) {
        (this->*rule)(*item);
        // A drop-down's choice becomes a step when its list closes, after
        // the update it starts.
        if (item->Kind() != TItemKind::ComboBox) RecordEdit();
    });
    connect(&inspector, &TPropertyGrid::DropDownClosed, this, [this](TPropertyItem *item) {
        DropDownClosed(*item);
        RecordEdit();
    });
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

void TEditRules::RecordEdit()
{
    FWindow.DocumentEdited(FWindow.SelectedDocument());
}

void TEditRules::UpdateSelected()
{
    if (TCustomVeskObject *document = FWindow.SelectedDocument()) {
        document->Update();
        // With automatic updates off, the update applies the page's edits.
        FWindow.DocumentEdited(document, QStringLiteral("Update"));
    }
}

// Drop-down items act when their list closes, not on the value change.
void TEditRules::Seq2DItemEdited(TPropertyItem &item)
{
    const TSeq2DPage &page = FWindow.Widgets().Seq2DPage;
    if (&item == page.NxCheckBoxItem_SecondLength || &item == page.NxCheckBoxItem_ThirdLength ||
        &item == page.NxCheckBoxItem_FourthLength)
        Seq2DGroupToggled(item);
    if (&item == page.NxTextItem_Spacing && !UnitSpacingAccepted()) return;
    if (!AutoUpdate() || !FWindow.UpdatesEnabled() || item.Kind() == TItemKind::ComboBox) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq2D)) document->Update();
}

void TEditRules::Data2DItemEdited(TPropertyItem &item)
{
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
        if (applies)
            if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq2D)) document->Update();
    } else if (&item == data2D.NxComboBoxItem_d2d_ValuesToShow || &item == data2D.NxComboBoxItem_d2d_VisibleDiagrams ||
               &item == data2D.NxComboBoxItem_D2D_ApproximationType ||
               &item == data2D.NxComboBoxItem_d2d_DepthMethod || &item == data2D.NxComboBoxItem_d2d_Palette ||
               &item == data2D.NxComboBoxItem_d2d_ColourScale || &item == data2D.NxComboBoxItem_d2d_Limits) {
        if (applies)
            if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Data2D)) document->Update();
    } else if (&item == w.Seq1DPage.NxComboBoxItem_Seq1D_ArrayType) {
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
    if (TCustomVeskObject *document = FWindow.SelectedDocument()) document->ReadTable(); // a Used box
}

void TEditRules::Seq1DTableEdited()
{
    if (!FWindow.UpdatesEnabled()) return;
    if (TCustomVeskObject *document = SelectedOfKind(TDocumentKind::Seq1D)) document->ReadTable();
}
