#include "MainWindow.h"

#include "EditHistory.h"
#include "UserSettings.h"

#include "controls/GridView.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"
#include "presentation/ChartPreferences.h"
#include "presentation/PresenterFactory.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QStackedWidget>
#include <QTreeWidget>

TForm_VeskMain::TForm_VeskMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("TForm_VeskMain"));
    setWindowTitle(QStringLiteral("Quelvo Tools"));
    setAcceptDrops(true);

    FStates = new TDocumentStates(this);
    FHistory = new TEditHistory(*this, *FStates);
    connect(FStates, &TDocumentStates::StatesChanged, this, &TForm_VeskMain::UpdateWindowTitle);
    LoadChartPreferences(FStartPreferences);
    FPreferences = FStartPreferences;
    BuildLayout();
    BuildPages();
    FViews.Preferences = &FStartPreferences;
    FViews.ChosenPreferences = &FPreferences;
    FDialogs = std::make_unique<TVeskDialogs>(*this);
    FRules = std::make_unique<TEditRules>(*this);
    FChartRules = std::make_unique<TChartRules>(*this);
    ConnectCommands();
    connect(FWidgets.ObjectTree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *current) { OnCurrentNodeChanged(current); });
    FStore = std::make_unique<TVeskStore>(*this);
    FitToScreen();
}

void TForm_VeskMain::FitToScreen()
{
    // 1024 x 768 and at least 800 x 600, but never more than the screen
    // offers at its scale: room is left for the frame and title bar, and the
    // window starts centred inside the available area.
    constexpr int FrameRoom = 48;
    const QScreen *screen = this->screen();
    const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768 + FrameRoom);
    const QSize room(std::max(area.width() - 16, 200), std::max(area.height() - FrameRoom, 150));
    setMinimumSize(QSize(800, 600).boundedTo(room));
    resize(QSize(1024, 768).boundedTo(room));
    const QPoint centred = area.center() - QPoint(width() / 2, (height() + FrameRoom) / 2);
    move(std::max(centred.x(), area.left()), std::max(centred.y(), area.top()) + FrameRoom / 2);
}

TForm_VeskMain::~TForm_VeskMain()
{
    // The documents and their presenters go first, while the controls they
    // refer to still exist.
    FStore.reset();
    StoreChartPreferences(FPreferences);
}

TCustomVeskObject *TForm_VeskMain::SelectedDocument() const
{
    const QTreeWidgetItem *item = FWidgets.ObjectTree->currentItem();
    if (item == nullptr) return nullptr;
    const TTreeNodeData data = ItemData(item->parent() != nullptr ? item->parent() : item);
    auto *const *document = std::get_if<TCustomVeskObject *>(&data);
    return document != nullptr ? *document : nullptr;
}

TnCable *TForm_VeskMain::SelectedCable() const
{
    const QTreeWidgetItem *item = FWidgets.ObjectTree->currentItem();
    if (item == nullptr) return nullptr;
    const TTreeNodeData data = ItemData(item);
    auto *const *cable = std::get_if<TnCable *>(&data);
    return cable != nullptr ? *cable : nullptr;
}

bool TForm_VeskMain::NodeSelected() const
{
    return FWidgets.ObjectTree->currentItem() != nullptr;
}

void TForm_VeskMain::ShowPagesFor(const TTreeNodeData &data)
{
    TMainWidgets &w = FWidgets;
    const bool exists = !std::holds_alternative<std::monostate>(data);
    w.Properties->setVisible(exists);
    w.Tables->setVisible(exists);
    w.Graphs->setVisible(exists);

    QWidget *property = nullptr, *table = nullptr, *chart = nullptr;
    bool info = false;
    if (auto *const *cable = std::get_if<TnCable *>(&data); cable && *cable) {
        property = w.CableGrid, table = w.SequenceTable, chart = w.Seq2DChart, info = true;
    } else if (auto *const *document = std::get_if<TCustomVeskObject *>(&data); document && *document) {
        switch ((*document)->Kind()) {
        case TDocumentKind::Seq2D:
            property = w.Seq2DInspector, table = w.SequenceTable, chart = w.Seq2DChart, info = true;
            break;
        case TDocumentKind::Data2D:
            // The info panel shows the reading counts and the inverted section's fit.
            property = w.Data2DInspector, table = w.Data2DTable, chart = w.Data2DChart, info = true;
            break;
        case TDocumentKind::Seq1D:
            property = w.Seq1DInspector, table = w.Seq1DTable, chart = w.Seq1DChart, info = true;
            break;
        case TDocumentKind::Data1D:
            // The info panel shows the inverted model's fit and table.
            property = w.Data1DInspector, table = w.Data1DTable, chart = w.Data1DChart, info = true;
            break;
        case TDocumentKind::Data0D:
            property = w.Data0DInspector, table = w.Data0DTable, chart = w.Data0DChart;
            break;
        }
    }
    EnableDataCommands(data);
    if (property == nullptr) return; // anything else: pages as they are
    w.Properties->setCurrentWidget(property);
    w.Tables->setCurrentWidget(table);
    w.Graphs->setCurrentWidget(chart);
    w.InfoPanel->setVisible(info);
    w.Readings->setVisible(chart == w.Data2DChart || chart == w.Data1DChart);
    w.ModelTable->setVisible(chart == w.Data1DChart || chart == w.Data2DChart);
}

void TForm_VeskMain::OnCurrentNodeChanged(QTreeWidgetItem *current)
{
    if (FDeletingNode) return;
    const TTreeNodeData data = current != nullptr ? ItemData(current) : TTreeNodeData{};
    ShowPagesFor(data);
    // The status text told of the document shown before.
    SetStatusText({});
    UpdateWindowTitle();
    if (current == nullptr) {
        FHistory->DocumentShown(nullptr);
        return;
    }
    if (auto *const *document = std::get_if<TCustomVeskObject *>(&data); document && *document) {
        ShowSelectedDocument(**document);
    } else if (auto *const *cable = std::get_if<TnCable *>(&data); cable && *cable) {
        // The owning sequence is shown first, so that the shared pages hold
        // its design when the cable is edited.
        const TTreeNodeData owner = ItemData(current->parent());
        auto *const *owning = std::get_if<TCustomVeskObject *>(&owner);
        auto *sequence = owning ? dynamic_cast<TnSeq2D *>(*owning) : nullptr;
        if (sequence != nullptr) ShowSelectedDocument(*sequence);
        // A roll-along design takes its cables from its base: shown, not edited.
        FillCableGrid(**cable, sequence && sequence->ArrayDetails().SequenceType == SequenceTypeRollAlong);
    }
    // Undo and redo act on the document now on show.
    FHistory->DocumentShown(SelectedDocument());
}

void TForm_VeskMain::FillCableGrid(TnCable &cable, bool readOnly)
{
    TUpdatesPause pause(FViews);
    TGridModel &model = FWidgets.CableGrid->Model();
    const TBooleanArray flags = cable.EnabledFlags();
    model.BeginFill(int(flags.size()));
    for (int row = 0; row < int(flags.size()); ++row) {
        model.SetNumber(0, row, row + 1);
        model.SetChecked(1, row, flags[size_t(row)]);
        model.SetCellReadOnly(1, row, readOnly);
    }
    model.EndFill();
}

void TForm_VeskMain::DocumentEdited(TCustomVeskObject *document, const QString &step, int sweep)
{
    FHistory->Record(document, step, sweep);
}

void TForm_VeskMain::RefillCableGrid()
{
    TnCable *cable = SelectedCable();
    auto *sequence = dynamic_cast<TnSeq2D *>(SelectedDocument());
    if (cable != nullptr && sequence != nullptr)
        FillCableGrid(*cable, sequence->ArrayDetails().SequenceType == SequenceTypeRollAlong);
}

void TForm_VeskMain::UpdateWindowTitle()
{
    QString title = QStringLiteral("Quelvo Tools");
    if (const TCustomVeskObject *document = SelectedDocument()) {
        const QString path = FStates->FilePath(*document);
        const QString name = path.isEmpty() ? QString::fromStdString(document->Name) : QFileInfo(path).fileName();
        title = name + (FStates->IsChanged(*document) ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + title;
    }
    setWindowTitle(title);
    if (!FStore) return;
    for (const TCustomVeskObject *document : FStore->Documents())
        if (QTreeWidgetItem *item = NodeItem(document->TreeIndex)) item->setToolTip(0, FStates->FilePath(*document));
}

void TForm_VeskMain::RenumberDocuments()
{
    FStore->RenumberDocuments();
}

void TForm_VeskMain::ShowMessage(const std::string &text)
{
    FDialogs->ShowMessage(QString::fromStdString(text));
}

void TForm_VeskMain::ShowMessage(const QString &text)
{
    FDialogs->ShowMessage(text);
}

std::unique_ptr<TDocumentPresenter> TForm_VeskMain::CreatePresenter(TDocumentKind kind,
                                                                    TArrayDetailsCustom &arrayDetails,
                                                                    TMeasurementsCustom &measurements)
{
    return CreateGUIPresenter(kind, arrayDetails, measurements, FViews);
}

void TForm_VeskMain::SetStatusText(const QString &text)
{
    FWidgets.StatusText->setText(text);
}

void TForm_VeskMain::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TForm_VeskMain::dropEvent(QDropEvent *event)
{
    QStringList files;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile()) files.append(url.toLocalFile());
    if (files.isEmpty()) return;
    event->acceptProposedAction();
    OpenFiles(files);
}
