// Quelvo Tools: the desktop program. Shows the splash window, creates the
// main window and opens the files named on the command line. With
// --window-picture it draws the window with those files into a PNG instead
// and ends (on the offscreen platform no display is needed). --reset-settings
// forgets the chart settings kept from earlier runs.
#include "MainWindow.h"
#include "Splash.h"
#include "UserSettings.h"

#include "controls/ChartPicture.h"
#include "presentation/RedrawMemory.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// "WxH" within the picture limits, or an empty size.
QSize ParseWindowSize(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return {};
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    const bool inLimits = size.width() >= 320 && size.height() >= 240 && size.width() <= LargestPictureSide &&
                          size.height() <= LargestPictureSide;
    return inLimits ? size : QSize();
}

// The output of --window-picture refused before anything is opened: a name
// that is not .png, or that is one of the files to open (through links too).
// Empty when it may be written.
std::string WindowPictureProblem(const std::string &picture, const std::vector<std::string> &files)
{
    const std::string extension = std::filesystem::path(picture).extension().string();
    if (QString::fromLocal8Bit(extension.c_str()).compare(QStringLiteral(".png"), Qt::CaseInsensitive) != 0)
        return "--window-picture: '" + picture + "' is not named .png; the window's picture is a PNG";
    struct stat target {};
    if (::stat(picture.c_str(), &target) != 0) return {}; // a new file
    for (const std::string &file : files) {
        struct stat source {};
        if (::stat(file.c_str(), &source) == 0 && source.st_dev == target.st_dev && source.st_ino == target.st_ino)
            return "--window-picture: '" + picture + "' is the file '" + file +
                   "' to open; writing it would replace what was read; nothing written";
    }
    return {};
}

// Opens the files in a window of the size, draws it into the picture and
// answers the exit status: 1 when a file could not be opened (its message
// says why) or the picture could not be written.
int DrawWindowPicture(const std::string &picture, const QSize &size, const std::vector<std::string> &files)
{
    TForm_VeskMain window;
    window.Dialogs().SetMessagesAnswered(true); // nobody is there to close a message
    window.resize(size);
    window.show();
    const bool opened = files.empty() || window.OpenFiles(files);
    QApplication::processEvents();
    for (const QString &message : window.Dialogs().Messages()) std::fprintf(stderr, "%s\n", qPrintable(message));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    const bool drawn = buffer.open(QIODevice::WriteOnly) && window.grab().save(&buffer, "PNG");
    const TPictureResult written =
        drawn ? WritePictureFile(picture, bytes) : TPictureResult{false, "the window could not be drawn"};
    if (!written.Written) {
        std::fprintf(stderr, "VeskTools: cannot write the picture '%s': %s\n", picture.c_str(), written.Reason.c_str());
        return 1;
    }
    // Every message is a failure: a file that did not open, a map not built.
    return opened && window.Dialogs().Messages().isEmpty() ? 0 : 1;
}

// The command line's positional arguments as the bytes given (Qt's own
// options are gone from argv by now): the words that are no option and no
// option's value, and every word after "--". The parser has refused unknown
// options already.
std::vector<std::string> PositionalBytes(int argc, char *argv[])
{
    const std::vector<std::string> withValue{"--window-picture", "--window-size"};
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (int k = 1; k < argc; ++k) {
        const std::string word(argv[k]);
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            positional.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (std::find(withValue.begin(), withValue.end(), word) != withValue.end()) {
            ++k; // its value
        }
    }
    return positional;
}

// The bytes of --window-picture's value as given (the last one, as the
// parser takes it); the parser's text when it cannot be found.
std::string PictureNameBytes(int argc, char *argv[], const QString &parsed)
{
    std::string found;
    bool any = false;
    for (int k = 1; k < argc; ++k) {
        const std::string word(argv[k]);
        if (word == "--") break;
        if (word == "--window-picture" && k + 1 < argc) {
            found = argv[++k];
            any = true;
        } else if (word.starts_with("--window-picture=")) {
            found = word.substr(std::string("--window-picture=").size());
            any = true;
        }
    }
    return any ? found : QFile::encodeName(parsed).toStdString();
}

// Whether the command line only asks for text or a picture, which needs no
// display: then the program runs on the offscreen platform.
bool NeedsNoDisplay(int argc, char *argv[])
{
    for (int k = 1; k < argc; ++k) {
        const QByteArray argument(argv[k]);
        if (argument == "--") break;
        for (const char *option : {"-h", "--help", "--help-all", "-v", "--version", "--window-picture"})
            if (argument == option || argument.startsWith("--window-picture=")) return true;
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    KeepFreedMemoryForRedraws();
    if (NeedsNoDisplay(argc, argv)) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvo Tools"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quelvo Tools"));
    QApplication::setApplicationVersion(QStringLiteral(VESK_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quelvo Tools: resistivity survey sequences and data."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption windowPicture(QStringLiteral("window-picture"),
                                           QStringLiteral("Draw the window with the files into a PNG file and end."),
                                           QStringLiteral("FILE"));
    const QCommandLineOption windowSize(QStringLiteral("window-size"),
                                        QStringLiteral("The window's size for --window-picture (default 1280x860)."),
                                        QStringLiteral("WxH"), QStringLiteral("1280x860"));
    const QCommandLineOption resetSettings(
        QStringLiteral("reset-settings"),
        QStringLiteral("Forget the chart settings kept from earlier runs and start with the defaults."));
    parser.addOptions({windowPicture, windowSize, resetSettings});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Sequence and data files to open."),
                                 QStringLiteral("[files...]"));
    parser.process(application);
    // The names as given: a name that is no valid text keeps its bytes. Should
    // the two readings ever disagree, the parser's is taken.
    std::vector<std::string> files = PositionalBytes(argc, argv);
    if (files.size() != std::size_t(parser.positionalArguments().size())) {
        files.clear();
        for (const QString &file : parser.positionalArguments()) files.push_back(QFile::encodeName(file).toStdString());
    }
    if (parser.isSet(resetSettings)) ForgetUserSettings();

    if (parser.isSet(windowPicture)) {
        const QSize size = ParseWindowSize(parser.value(windowSize));
        if (size.isEmpty()) {
            std::fprintf(stderr, "VeskTools: --window-size: '%s' is not WxH from 320x240 to %dx%d\n",
                         qPrintable(parser.value(windowSize)), LargestPictureSide, LargestPictureSide);
            return 2;
        }
        const std::string picture = PictureNameBytes(argc, argv, parser.value(windowPicture));
        if (const std::string problem = WindowPictureProblem(picture, files); !problem.empty()) {
            std::fprintf(stderr, "VeskTools: %s\n", problem.c_str());
            return 2;
        }
        return DrawWindowPicture(picture, size, files);
    }

    auto splash = std::make_unique<TForm_SplashW>();
    splash->show();
    splash->repaint();
    QApplication::processEvents(); // paint the splash before the pause
    QThread::msleep(500);

    TForm_VeskMain window;
    splash.reset();
    window.show();
    if (!files.empty()) window.OpenFiles(files);
    return application.exec();
}
