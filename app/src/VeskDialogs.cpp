#include "VeskDialogs.h"

#include "BusyCursor.h"
#include "VeskNew.h"

#include "controls/ChartPicture.h"
#include "documents/VeskConstants.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <utility>

QStringList NameFilters(std::string_view filter)
{
    // "Caption (*.x)|*.x|Caption (*.y)|*.y": the captions are every other field.
    const QStringList fields = QString::fromUtf8(filter.data(), qsizetype(filter.size())).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < fields.size(); i += 2) filters.append(fields[i]);
    return filters;
}

namespace {

constexpr std::string_view PictureDialogFilter = "PNG Image (*.png)|*.png|SVG Image (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf";
constexpr const char *PictureExtensions[] = {"png", "svg", "pdf"};

constexpr std::string_view SaveDialogFilter =
    "1D Sequence Files (*.s1d)|*.s1d|2D Sequence Files (*.s2d)|*.s2d|1D Data Files (*.d1d)|*.d1d|"
    "2D Data Files (*.d2d)|*.d2d";

QString WithoutDot(const QString &extension)
{
    return extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
}

// Runs a file dialog; the answer's index counts the filters from 1.
TFileAnswer RunFileDialog(QFileDialog &dialog, const QStringList &filters)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().constFirst(), int(filters.indexOf(dialog.selectedNameFilter())) + 1};
}

} // namespace

QSize ParsePictureSize(const QString &text, const QSize &fallback)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*(\\d{1,5})\\s*[xX]\\s*(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return fallback;
    const int width = match.captured(1).toInt(), height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > LargestPictureSide || height > LargestPictureSide) return fallback;
    return {width, height};
}

TVeskDialogs::TVeskDialogs(QWidget &parent) : FParent(&parent), FNewDialog(new TForm_VeskNew(&parent))
{
}

TVeskDialogs::~TVeskDialogs() = default;

std::optional<TFileAnswer> TVeskDialogs::TakeQueuedFile(int presetIndex)
{
    if (!FNextFile) return std::nullopt;
    TFileAnswer answer = *std::exchange(FNextFile, std::nullopt);
    if (answer.FilterIndex == 0) answer.FilterIndex = presetIndex;
    if (!answer.FileName.isEmpty()) FLastFolder = QFileInfo(answer.FileName).absolutePath();
    return answer;
}

TFilesAnswer TVeskDialogs::RunOpenDialog(const QString &title, const QString &name, bool several)
{
    QStringList filters = NameFilters(OpenDialogFilter);
    filters.append(QStringLiteral("All Supported Files (*.s1d *.s2d *.d0d *.d1d *.d2d)"));
    QFileDialog dialog(FParent, title, FLastFolder);
    dialog.setObjectName(name);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(FOpenFilterIndex - 1));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    TFilesAnswer answer{dialog.selectedFiles(), int(filters.indexOf(dialog.selectedNameFilter())) + 1};
    FOpenFilterIndex = answer.FilterIndex;
    FLastFolder = QFileInfo(answer.FileNames.constFirst()).absolutePath();
    return answer;
}

TFilesAnswer TVeskDialogs::OpenFileNames()
{
    if (FNextFiles) {
        TFilesAnswer answer = *std::exchange(FNextFiles, std::nullopt);
        if (answer.FilterIndex == 0) answer.FilterIndex = FOpenFilterIndex;
        if (!answer.FileNames.isEmpty()) FOpenFilterIndex = answer.FilterIndex;
        return answer;
    }
    if (auto queued = TakeQueuedFile(FOpenFilterIndex)) {
        if (queued->FileName.isEmpty()) return {};
        FOpenFilterIndex = queued->FilterIndex;
        return {{queued->FileName}, queued->FilterIndex};
    }
    return RunOpenDialog(QStringLiteral("Open"), QStringLiteral("OpenDialog"), true);
}

TFileAnswer TVeskDialogs::AppendFileName()
{
    if (auto queued = TakeQueuedFile(FOpenFilterIndex)) return *queued;
    const TFilesAnswer answer = RunOpenDialog(QStringLiteral("Append"), QStringLiteral("AppendDialog"), false);
    return {answer.FileNames.value(0), answer.FilterIndex};
}

TFileAnswer TVeskDialogs::SaveFileName(const QString &defaultExtension, int filterIndex, const QString &presetPath)
{
    if (auto queued = TakeQueuedFile(filterIndex)) return *queued;
    const QStringList filters = NameFilters(SaveDialogFilter);
    const QString folder = presetPath.isEmpty() ? FLastFolder : QFileInfo(presetPath).absolutePath();
    QFileDialog dialog(FParent, QStringLiteral("Save"), folder);
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(filterIndex - 1));
    // The save writes the document's own format whatever type is picked, so
    // a bare name always gets the document kind's extension.
    dialog.setDefaultSuffix(WithoutDot(defaultExtension));
    if (!presetPath.isEmpty()) dialog.selectFile(QFileInfo(presetPath).fileName());
    TFileAnswer answer = RunFileDialog(dialog, filters);
    if (!answer.FileName.isEmpty()) FLastFolder = QFileInfo(answer.FileName).absolutePath();
    return answer;
}

TFileAnswer TVeskDialogs::ExportFileName(std::string_view filter, const QString &defaultExtension, int filterIndex,
                                         const QString &presetName)
{
    if (auto queued = TakeQueuedFile(filterIndex)) return *queued;
    const QStringList filters = NameFilters(filter);
    QFileDialog dialog(FParent, QStringLiteral("Export"), FLastFolder);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(filterIndex - 1));
    dialog.setDefaultSuffix(WithoutDot(defaultExtension));
    if (!presetName.isEmpty()) dialog.selectFile(presetName);
    // Another file type switches the default extension: ".dat" for the
    // first type, ".csv" for the second, ".ohm" for the third.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &chosen) {
        const qsizetype index = filters.indexOf(chosen);
        if (filters.size() > 1 && index >= 0 && index < qsizetype(ExportDefaultExtensions.size()))
            dialog.setDefaultSuffix(WithoutDot(QString::fromLatin1(ExportDefaultExtensions[size_t(index)].data(),
                                                                   qsizetype(ExportDefaultExtensions[size_t(index)].size()))));
    });
    TFileAnswer answer = RunFileDialog(dialog, filters);
    if (!answer.FileName.isEmpty()) FLastFolder = QFileInfo(answer.FileName).absolutePath();
    return answer;
}

void TVeskDialogs::SetNextPicture(const QString &fileName, int filterIndex, const QSize &size)
{
    FNextPicture = TPictureAnswer{fileName, filterIndex, size};
}

namespace {

// The type (1 to 3) a name's extension names; 0 for none.
int PictureTypeOfName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (int k = 0; k < 3; ++k)
        if (suffix == QLatin1String(PictureExtensions[k])) return k + 1;
    return 0;
}

} // namespace

TPictureTarget PictureTarget(const QString &fileName, int filterIndex)
{
    const int type = filterIndex >= 1 && filterIndex <= 3 ? filterIndex : 1;
    if (const int named = PictureTypeOfName(fileName)) return {fileName, named};
    return {fileName + QLatin1Char('.') + QLatin1String(PictureExtensions[type - 1]), type};
}

QString WithPictureExtension(const QString &fileName, int filterIndex)
{
    const int type = filterIndex >= 1 && filterIndex <= 3 ? filterIndex : 1;
    if (PictureTypeOfName(fileName) == 0) return fileName;
    return fileName.left(fileName.size() - 3) + QLatin1String(PictureExtensions[type - 1]);
}

TPictureAnswer TVeskDialogs::PictureFileName(const QSize &chartSize)
{
    if (FNextPicture) {
        TPictureAnswer answer = *std::exchange(FNextPicture, std::nullopt);
        if (answer.Size.isEmpty()) answer.Size = chartSize;
        return answer;
    }
    const QStringList filters = NameFilters(PictureDialogFilter);
    QFileDialog dialog(FParent, QStringLiteral("Save Picture"), FLastFolder);
    dialog.setObjectName(QStringLiteral("PictureDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog); // before layout(): the widget dialog builds its grid
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(FPictureFilterIndex - 1));
    dialog.setDefaultSuffix(QString::fromLatin1(PictureExtensions[FPictureFilterIndex - 1]));
    // Switching the type switches the extension of the name typed so far.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &chosen) {
        const qsizetype index = filters.indexOf(chosen);
        if (index < 0 || index >= 3) return;
        dialog.setDefaultSuffix(QString::fromLatin1(PictureExtensions[index]));
        if (auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit")); name && !name->text().isEmpty())
            name->setText(WithPictureExtension(name->text(), int(index) + 1));
    });
    // The size row below the dialog's own rows: the chart's size, or what the user types.
    auto *sizeEdit = new QLineEdit(QStringLiteral("%1x%2").arg(chartSize.width()).arg(chartSize.height()), &dialog);
    sizeEdit->setObjectName(QStringLiteral("PictureSize"));
    sizeEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{1,5}[xX]\\d{1,5}")), sizeEdit));
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout())) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(QStringLiteral("Size (pixels):"), &dialog), row, 0);
        grid->addWidget(sizeEdit, row, 1);
    }
    const TFileAnswer file = RunFileDialog(dialog, filters);
    if (file.FileName.isEmpty()) return {};
    FLastFolder = QFileInfo(file.FileName).absolutePath();
    FPictureFilterIndex = file.FilterIndex >= 1 && file.FilterIndex <= 3 ? file.FilterIndex : 1;
    return {file.FileName, FPictureFilterIndex, ParsePictureSize(sizeEdit->text(), chartSize)};
}

void TVeskDialogs::ShowMessage(const QString &text)
{
    FMessages.append(text);
    if (FMessagesAnswered || std::exchange(FNextMessageAnswered, false)) return;
    TArrowCursor arrow;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Quelvo Tools"), text, QMessageBox::Ok, FParent);
    box.setObjectName(QStringLiteral("VeskMessageBox"));
    box.exec();
}

TChangesAnswer TVeskDialogs::Ask(const QString &name, const QString &text, bool offerSave)
{
    if (FNextChangesAnswer) return *std::exchange(FNextChangesAnswer, std::nullopt);
    if (FMessagesAnswered) {
        FQuestions.append(text);
        return TChangesAnswer::Cancel;
    }
    TArrowCursor arrow;
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Quelvo Tools"), text, QMessageBox::NoButton, FParent);
    box.setObjectName(name);
    QPushButton *save = offerSave ? box.addButton(QMessageBox::Save) : nullptr;
    QPushButton *discard = box.addButton(QMessageBox::Discard);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(save != nullptr ? save : cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (save != nullptr && box.clickedButton() == save) return TChangesAnswer::Save;
    if (box.clickedButton() == discard) return TChangesAnswer::Discard;
    return TChangesAnswer::Cancel;
}

TChangesAnswer TVeskDialogs::AskSaveChanges(const QStringList &documents)
{
    QString text = QStringLiteral("These documents have changes that are not saved:\n");
    for (const QString &document : documents) text += QStringLiteral("\n    ") + document;
    text += QStringLiteral("\n\nSave them before closing?");
    return Ask(QStringLiteral("SaveChangesBox"), text, true);
}

TChangesAnswer TVeskDialogs::AskDiscardChanges(const QString &document)
{
    return Ask(QStringLiteral("DiscardChangesBox"),
               QStringLiteral("%1 has changes that are not saved. Delete it and discard them?").arg(document), false);
}

void TVeskDialogs::ShowAbout(const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("About Quelvo Tools"), text, QMessageBox::Ok, FParent);
    box.setObjectName(QStringLiteral("AboutBox"));
    box.setTextFormat(Qt::RichText);
    box.exec();
}

void TVeskDialogs::SetNextChangesAnswer(TChangesAnswer answer)
{
    FNextChangesAnswer = answer;
}

void TVeskDialogs::SetNextFileNames(const QStringList &fileNames, int filterIndex)
{
    FNextFiles = TFilesAnswer{fileNames, filterIndex};
}

int TVeskDialogs::NewDocument()
{
    if (FNextNewDocument) return *std::exchange(FNextNewDocument, std::nullopt);
    if (FNewDialog->exec() != QDialog::Accepted) return 0;
    if (FNewDialog->Blank2DChecked()) return 2;
    if (FNewDialog->Blank1DChecked()) return 1;
    return 0;
}

TForm_VeskNew &TVeskDialogs::NewDialog()
{
    return *FNewDialog;
}

void TVeskDialogs::SetNextFileName(const QString &fileName, int filterIndex)
{
    FNextFile = TFileAnswer{fileName, filterIndex};
}

void TVeskDialogs::SetNextFileCancelled()
{
    FNextFile = TFileAnswer{};
}

void TVeskDialogs::SetNextMessageAnswered()
{
    FNextMessageAnswered = true;
}

void TVeskDialogs::SetMessagesAnswered(bool answered)
{
    FMessagesAnswered = answered;
}

void TVeskDialogs::SetNextNewDocument(int choice)
{
    FNextNewDocument = choice;
}
