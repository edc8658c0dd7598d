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

namespace {

// File names reach the engine as the bytes of the local file-name encoding,
// so that folders with Cyrillic names work.
std::string EngineFileName(const QString &fileName)
{
    return QFile::encodeName(fileName).toStdString();
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

void TForm_VeskMain::OpenFiles(const QStringList &fileNames)
{
    TBusyCursor busy;
    for (const QString &fileName : fileNames) {
        const QFileInfo info(fileName);
        const auto kind = DocumentKindFromExtension(EngineFileName(fileName));
        if (!kind) {
            FDialogs->ShowMessage(QStringLiteral("cannot open '%1': not a file of this program "
                                                 "(.s1d, .s2d, .d1d, .d2d or .d0d)").arg(fileName));
            continue;
        }
        if (!info.isFile()) {
            FDialogs->ShowMessage(QStringLiteral("cannot open '%1': no such file").arg(fileName));
            continue;
        }
        FStore->CreateDocument(*kind, EngineFileName(info.absoluteFilePath()));
    }
}
