// The window's dialogs: the real non-native file dialogs, message boxes and
// the new-document dialog, each built with its object name and run with
// exec(). A test may queue one answer that the next call of that kind uses
// up; without one the real dialog runs. Every message shown is recorded.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

class QWidget;
class TForm_VeskNew;

// A file dialog's answer: the chosen file and the 1-based index of the
// chosen file type; an empty name means cancelled.
struct TFileAnswer {
    QString FileName;
    int FilterIndex = 1;
};

// The Open dialog's answer: the chosen files in the order chosen and the
// 1-based index of the chosen file type; no names means cancelled.
struct TFilesAnswer {
    QStringList FileNames;
    int FilterIndex = 1;
};

// The answer to the question asked before changed documents would be lost.
enum class TChangesAnswer { Save, Discard, Cancel };

// The picture dialog's answer: file, type (1 PNG, 2 SVG, 3 PDF) and size in
// pixels; an empty name means cancelled.
struct TPictureAnswer {
    QString FileName;
    int FilterIndex = 1;
    QSize Size;
};

// The picture a chosen name and type give: a name ending in .png, .svg or
// .pdf (any case) is written in the format its extension names, whatever
// type was selected; any other name gets the selected type's extension
// (filterIndex 1 PNG, 2 SVG, 3 PDF) and is written in that format.
struct TPictureTarget {
    QString FileName;
    int FilterIndex = 1;
};
TPictureTarget PictureTarget(const QString &fileName, int filterIndex);
// The name with its picture extension (if it has one) replaced by the type's.
QString WithPictureExtension(const QString &fileName, int filterIndex);

// "WxH" with whole numbers from 1 to 10000; the fallback for anything else.
QSize ParsePictureSize(const QString &text, const QSize &fallback);

// The filter list of a dialog from the program's "Caption|pattern|..." form.
QStringList NameFilters(std::string_view filter);

class TVeskDialogs {
public:
    explicit TVeskDialogs(QWidget &parent);
    ~TVeskDialogs();

    // Open: one file or several; the five kinds' types and "All Supported
    // Files"; the chosen index is kept between uses (4 at start).
    TFilesAnswer OpenFileNames();
    // Append: one file, the Open dialog's types, titled "Append".
    TFileAnswer AppendFileName();
    // Save: default extension and type index of the document kind; a name
    // typed without an extension gets the default one; overwriting asks. A
    // document with a file opens the dialog in its folder with its name
    // preset (presetPath: the full path; empty: the last folder, no name).
    TFileAnswer SaveFileName(const QString &defaultExtension, int filterIndex, const QString &presetPath = {});
    // Export: the filter list of the document kind; switching the type
    // switches the default extension (".dat" type 1, ".csv" type 2, ".ohm" type 3).
    TFileAnswer ExportFileName(std::string_view filter, const QString &defaultExtension, int filterIndex,
                               const QString &presetName);
    // Save Picture: PNG, SVG or PDF by the chosen type (the default extension
    // follows it) and a size field ("PictureSize") preset to the chart's size.
    TPictureAnswer PictureFileName(const QSize &chartSize);
    // A message box titled "Quelvo Tools" with the text.
    void ShowMessage(const QString &text);
    // Before closing the window: the changed documents are listed; Save,
    // Discard or Cancel ("SaveChangesBox").
    TChangesAnswer AskSaveChanges(const QStringList &documents);
    // Before deleting a changed document: Discard or Cancel ("DiscardChangesBox").
    TChangesAnswer AskDiscardChanges(const QString &document);
    // The About box ("AboutBox").
    void ShowAbout(const QString &text);
    // The new-document dialog: 2 for "Blank 2D", 1 for "Blank 1D", 0 when cancelled.
    int NewDocument();
    TForm_VeskNew &NewDialog();

    // Queued answers for unattended runs.
    void SetNextFileName(const QString &fileName, int filterIndex = 0); // 0: the dialog's preset index
    void SetNextFileNames(const QStringList &fileNames, int filterIndex = 0); // for Open
    void SetNextFileCancelled();
    void SetNextPicture(const QString &fileName, int filterIndex, const QSize &size = {}); // empty: the chart's
    void SetNextMessageAnswered(); // the next message is recorded, not shown
    void SetMessagesAnswered(bool answered); // every message recorded, not shown
    void SetNextNewDocument(int choice);     // 0 cancel, 1 Blank 1D, 2 Blank 2D
    // The answer to the next question. Without one, a question while every
    // message is recorded is recorded too and answered Cancel, which loses
    // nothing.
    void SetNextChangesAnswer(TChangesAnswer answer);
    const QStringList &Questions() const { return FQuestions; }

    const QStringList &Messages() const { return FMessages; }
    int OpenFilterIndex() const { return FOpenFilterIndex; }

private:
    std::optional<TFileAnswer> TakeQueuedFile(int presetIndex);
    // Runs the Open or Append dialog.
    TFilesAnswer RunOpenDialog(const QString &title, const QString &name, bool several);
    TChangesAnswer Ask(const QString &name, const QString &text, bool offerSave);

    QWidget *FParent;
    TForm_VeskNew *FNewDialog; // owned by the parent widget
    int FOpenFilterIndex = 4;
    QString FLastFolder;
    std::optional<TFileAnswer> FNextFile;
    std::optional<TFilesAnswer> FNextFiles;
    std::optional<TChangesAnswer> FNextChangesAnswer;
    QStringList FQuestions;
    std::optional<TPictureAnswer> FNextPicture;
    int FPictureFilterIndex = 1;
    bool FNextMessageAnswered = false;
    bool FMessagesAnswered = false;
    std::optional<int> FNextNewDocument;
    QStringList FMessages;
};
