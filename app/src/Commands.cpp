// The commands New, Open, Append, Save, Export, Delete and Close, the
// preparation of their dialogs, and the question before changes are lost.
#include "MainWindow.h"

#include "EditHistory.h"

#include "BusyCursor.h"

#include "documents/DataDocuments.h"
#include "documents/FileKind.h"
#include "documents/SequenceDocuments.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

// File names reach the engine as the bytes of the local file-name encoding,
// so that folders with Cyrillic names work.
std::string EngineFileName(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

// Why the name is no file to open, in words; empty for a regular file.
QString NotAFileReason(const std::string &fileName)
{
    struct stat status {};
    if (::stat(fileName.c_str(), &status) != 0) return QString::fromLocal8Bit(std::strerror(errno));
    if (S_ISREG(status.st_mode)) return {};
    if (S_ISDIR(status.st_mode)) return QStringLiteral("it is a folder");
    if (S_ISFIFO(status.st_mode)) return QStringLiteral("it is a named pipe, not a regular file");
    if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) return QStringLiteral("it is a device, not a regular file");
    return QStringLiteral("it is not a regular file");
}

QString FromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

void TForm_VeskMain::ConnectCommands()
{
    TMainWidgets &w = FWidgets;
    connect(w.New, &QAction::triggered, this, &TForm_VeskMain::CommandNew);
    connect(w.Open, &QAction::triggered, this, &TForm_VeskMain::CommandOpen);
    connect(w.Append, &QAction::triggered, this, &TForm_VeskMain::CommandAppend);
    connect(w.Save, &QAction::triggered, this, &TForm_VeskMain::CommandSave);
    connect(w.Export, &QAction::triggered, this, &TForm_VeskMain::CommandExport);
    connect(w.Delete, &QAction::triggered, this, &TForm_VeskMain::CommandDelete);
    connect(w.Close, &QAction::triggered, this, &TForm_VeskMain::CommandClose);
    connect(w.About, &QAction::triggered, this, &TForm_VeskMain::CommandAbout);
    connect(w.SavePicture, &QAction::triggered, this, &TForm_VeskMain::CommandSavePicture);
    connect(w.UpdateButton, &QPushButton::clicked, this, [this] { FRules->UpdateSelected(); });
}

void TForm_VeskMain::CommandNew()
{
    const int choice = FDialogs->NewDocument();
    TBusyCursor busy;
    switch (choice) {
    case 2: FStore->CreateDocument(TDocumentKind::Seq2D); break;
    case 1: FStore->CreateDocument(TDocumentKind::Seq1D); break;
    default: break;
    }
}

void TForm_VeskMain::CommandOpen()
{
    const TFilesAnswer answer = FDialogs->OpenFileNames();
    TBusyCursor busy;
    for (const QString &fileName : answer.FileNames) {
        if (!QFileInfo::exists(fileName)) continue;
        // A name with one of the five extensions is of that kind, whatever
        // type the dialog showed; the type chosen decides for other names.
        std::optional<TDocumentKind> kind = DocumentKindFromExtension(EngineFileName(fileName));
        if (!kind) kind = DocumentKindFromNumber(answer.FilterIndex);
        if (!kind) {
            FDialogs->ShowMessage(QStringLiteral("cannot open '%1': not a file of this program "
                                                 "(.s1d, .s2d, .d1d, .d2d or .d0d)").arg(fileName));
            continue;
        }
        OpenDocument(*kind, EngineFileName(QFileInfo(fileName).absoluteFilePath()));
    }
}

bool TForm_VeskMain::OpenDocument(TDocumentKind kind, const std::string &fileName)
{
    // A file of another kind would be read as a design without values, or
    // as nonsense: refused with what it looks like.
    if (const std::string refusal = OtherKindLine(fileName, kind); !refusal.empty()) {
        ShowMessage(refusal);
        return false;
    }
    bool loaded = false;
    TCustomVeskObject *document = FStore->CreateDocument(kind, fileName, &loaded);
    if (document != nullptr && loaded)
        FStates->MarkSaved(*document, QFile::decodeName(QByteArray::fromStdString(fileName)));
    UpdateWindowTitle();
    return loaded;
}

void TForm_VeskMain::CommandAppend()
{
    auto *data = dynamic_cast<TnData2D *>(SelectedDocument());
    if (data == nullptr) return;
    const TFileAnswer answer = FDialogs->AppendFileName();
    if (answer.FileName.isEmpty()) return;
    TBusyCursor busy;
    FHistory->BeforeAppend(*data);
    if (data->AppendFile(EngineFileName(answer.FileName)))
        DocumentEdited(data, QStringLiteral("Append %1").arg(QFileInfo(answer.FileName).fileName()));
    else
        FHistory->Retake(*data);
}

bool TForm_VeskMain::PrepareSaveDialog(const TCustomVeskObject &document, QString &defaultExtension,
                                       int &filterIndex) const
{
    if (document.Kind() == TDocumentKind::Data0D) return false;
    defaultExtension = FromView(FileExtension(document.Kind()));
    filterIndex = int(document.Kind()); // 1 s1d, 2 s2d, 3 d1d, 4 d2d
    return true;
}

namespace {

// Readings of the document whose Used box is ticked.
uint32_t UsedCount(TCustomVeskObject &document)
{
    const TMeasurementsCustom &list = document.MeasurementsCustom();
    uint32_t used = 0;
    for (uint32_t i = 0; i < list.Count && i < list.Used.size(); ++i) used += list.Used[i] == 1 ? 1 : 0;
    return used;
}

} // namespace

bool TForm_VeskMain::SaveDocument(TCustomVeskObject &document)
{
    QString extension;
    int filterIndex = 0;
    if (!PrepareSaveDialog(document, extension, filterIndex)) return false;
    const TFileAnswer answer = FDialogs->SaveFileName(extension, filterIndex, FStates->FilePath(document));
    if (answer.FileName.isEmpty()) return false;
    TBusyCursor busy;
    const QString fileName = QFileInfo(answer.FileName).absoluteFilePath();
    const uint32_t usedBefore = UsedCount(document);
    if (!document.SaveToFile(EngineFileName(fileName))) return false; // still changed
    FStates->MarkSaved(document, fileName);
    // A 2D data save stores the readings its filters fail as not used.
    FHistory->Retake(document);
    const uint32_t storedUnused = usedBefore - std::min(usedBefore, UsedCount(document));
    if (storedUnused > 0)
        SetStatusText(QStringLiteral("Saved %1: %2 %3 failing the filters stored as not used")
                          .arg(QFileInfo(fileName).fileName())
                          .arg(storedUnused)
                          .arg(storedUnused == 1 ? QStringLiteral("reading") : QStringLiteral("readings")));
    return true;
}

void TForm_VeskMain::CommandSave()
{
    if (TCustomVeskObject *document = SelectedDocument()) SaveDocument(*document);
}

bool TForm_VeskMain::PrepareExportDialog(std::string_view &filter, QString &defaultExtension, int &filterIndex,
                                         QString &presetName) const
{
    TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr || document->Kind() == TDocumentKind::Seq1D) return false;
    filterIndex = 1;
    if (document->Kind() == TDocumentKind::Data2D) {
        filter = "Res2DInv Files (*.dat)|*.dat|CSV Files (*.csv)|*.csv|BERT Files (*.ohm)|*.ohm";
        defaultExtension = QStringLiteral(".dat");
        // The document's file name without its extension.
        const QString fileName = QFile::decodeName(QByteArray::fromStdString(document->ArrayDetailsCustom().FileName));
        presetName = QFileInfo(fileName).completeBaseName();
    } else {
        filter = "CSV Files (*.csv)|*.csv";
        defaultExtension = QStringLiteral(".csv");
        presetName.clear();
    }
    return true;
}

void TForm_VeskMain::CommandExport()
{
    std::string_view filter;
    QString extension, presetName;
    int filterIndex = 1;
    if (!PrepareExportDialog(filter, extension, filterIndex, presetName)) return;
    const TFileAnswer answer = FDialogs->ExportFileName(filter, extension, filterIndex, presetName);
    if (answer.FileName.isEmpty()) return;
    TBusyCursor busy;
    SelectedDocument()->Export(EngineFileName(answer.FileName), answer.FilterIndex);
}

void TForm_VeskMain::CommandDelete()
{
    TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr) {
        ShowPagesFor({});
        return;
    }
    if (FStates->IsChanged(*document) &&
        FDialogs->AskDiscardChanges(QString::fromStdString(document->Name)) != TChangesAnswer::Discard)
        return;
    ShowPagesFor({});
    // Roll-along sequences based on it are unlinked by the store; the
    // candidates offered as bases may name it, so they go too.
    BaseSequenceCandidates.clear();
    FHistory->Forget(*document);
    FStates->Forget(*document);
    FStore->DeleteDocument(document);
    // Nothing of the deleted document stays on show.
    FWidgets.MeasureCount->setText(QStringLiteral("Count:"));
    FWidgets.Duration->setText(QStringLiteral("Appx.Duration:"));
    SetStatusText({});
    UpdateWindowTitle();
}

void TForm_VeskMain::CommandClose()
{
    close();
}

std::vector<TCustomVeskObject *> TForm_VeskMain::ChangedDocuments() const
{
    std::vector<TCustomVeskObject *> changed;
    for (TCustomVeskObject *document : FStore->Documents())
        if (FStates->IsChanged(*document)) changed.push_back(document);
    std::sort(changed.begin(), changed.end(),
              [](const TCustomVeskObject *a, const TCustomVeskObject *b) { return a->TreeIndex < b->TreeIndex; });
    return changed;
}

void TForm_VeskMain::closeEvent(QCloseEvent *event)
{
    const std::vector<TCustomVeskObject *> changed = ChangedDocuments();
    if (changed.empty()) {
        event->accept();
        return;
    }
    QStringList names;
    for (const TCustomVeskObject *document : changed) names.append(QString::fromStdString(document->Name));
    switch (FDialogs->AskSaveChanges(names)) {
    case TChangesAnswer::Discard: event->accept(); return;
    case TChangesAnswer::Cancel: event->ignore(); return;
    case TChangesAnswer::Save: break;
    }
    // Each in turn, shown while its dialog asks for the file; a cancelled
    // dialog or a failed write keeps the window open.
    for (TCustomVeskObject *document : changed) {
        SelectNode(document->TreeIndex);
        if (!SaveDocument(*document)) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

bool TForm_VeskMain::OpenFiles(const QStringList &fileNames)
{
    std::vector<std::string> names;
    for (const QString &fileName : fileNames) names.push_back(EngineFileName(fileName));
    return OpenFiles(names);
}

bool TForm_VeskMain::OpenFiles(const std::vector<std::string> &fileNames)
{
    TBusyCursor busy;
    bool allOpened = true;
    for (const std::string &fileName : fileNames) {
        const QString shown = QFile::decodeName(QByteArray::fromStdString(fileName));
        const auto kind = DocumentKindFromExtension(fileName);
        if (!kind) {
            FDialogs->ShowMessage(QStringLiteral("cannot open '%1': not a file of this program "
                                                 "(.s1d, .s2d, .d1d, .d2d or .d0d)").arg(shown));
            allOpened = false;
            continue;
        }
        if (const QString reason = NotAFileReason(fileName); !reason.isEmpty()) {
            FDialogs->ShowMessage(QStringLiteral("cannot open '%1': %2").arg(shown, reason));
            allOpened = false;
            continue;
        }
        std::error_code error;
        const std::filesystem::path absolute = std::filesystem::absolute(fileName, error);
        allOpened = OpenDocument(*kind, error ? fileName : absolute.lexically_normal().string()) && allOpened;
    }
    return allOpened;
}
