// The commands New, Open, Append, Save, Export, Delete and Close, and the
// preparation of their dialogs.
#include "MainWindow.h"

#include "BusyCursor.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>

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
    const TFileAnswer answer = FDialogs->OpenFileName();
    if (answer.FileName.isEmpty() || !QFileInfo::exists(answer.FileName)) return;
    // The kind follows the file type chosen in the dialog, not the extension.
    if (const auto kind = DocumentKindFromNumber(answer.FilterIndex)) {
        TBusyCursor busy;
        FStore->CreateDocument(*kind, EngineFileName(answer.FileName));
    }
}

void TForm_VeskMain::CommandAppend()
{
    auto *data = dynamic_cast<TnData2D *>(SelectedDocument());
    if (data == nullptr) return;
    const TFileAnswer answer = FDialogs->OpenFileName();
    if (answer.FileName.isEmpty()) return;
    TBusyCursor busy;
    data->AppendFile(EngineFileName(answer.FileName));
}

bool TForm_VeskMain::PrepareSaveDialog(QString &defaultExtension, int &filterIndex) const
{
    const TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr || document->Kind() == TDocumentKind::Data0D) return false;
    defaultExtension = FromView(FileExtension(document->Kind()));
    filterIndex = int(document->Kind()); // 1 s1d, 2 s2d, 3 d1d, 4 d2d
    return true;
}

void TForm_VeskMain::CommandSave()
{
    QString extension;
    int filterIndex = 0;
    if (!PrepareSaveDialog(extension, filterIndex)) return;
    const TFileAnswer answer = FDialogs->SaveFileName(extension, filterIndex);
    if (answer.FileName.isEmpty()) return;
    TBusyCursor busy;
    SelectedDocument()->SaveToFile(EngineFileName(answer.FileName));
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
    ShowPagesFor({});
    TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr) return;
    // Roll-along sequences based on it are unlinked by the store; the
    // candidates offered as bases may name it, so they go too.
    BaseSequenceCandidates.clear();
    FStore->DeleteDocument(document);
}

void TForm_VeskMain::CommandClose()
{
    close();
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
        bool loaded = false;
        FStore->CreateDocument(*kind, error ? fileName : absolute.lexically_normal().string(), &loaded);
        allOpened = allOpened && loaded;
    }
    return allOpened;
}
