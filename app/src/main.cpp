// Quelvo Tools: the desktop program. Shows the splash window, creates the
// main window and opens the files named on the command line. With
// --window-picture it draws the window with those files into a PNG instead
// and ends (on the offscreen platform no display is needed). --reset-settings
// forgets the chart settings kept from earlier runs.
#include "MainWindow.h"
#include "Splash.h"
#include "UserSettings.h"

#include "controls/ChartPicture.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>
#include <QThread>

#include <cstdio>

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

// Opens the files in a window of the size, draws it into the picture and
// answers the exit status.
int DrawWindowPicture(const QString &picture, const QSize &size, const QStringList &files)
{
    TForm_VeskMain window;
    window.Dialogs().SetMessagesAnswered(true); // nobody is there to close a message
    window.resize(size);
    window.show();
    if (!files.isEmpty()) window.OpenFiles(files);
    QApplication::processEvents();
    for (const QString &message : window.Dialogs().Messages()) std::fprintf(stderr, "%s\n", qPrintable(message));
    if (!window.grab().save(picture, "PNG")) {
        std::fprintf(stderr, "VeskTools: cannot write the picture %s\n", qPrintable(picture));
        return 1;
    }
    return 0;
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
    const QStringList files = parser.positionalArguments();
    if (parser.isSet(resetSettings)) ForgetUserSettings();

    if (parser.isSet(windowPicture)) {
        const QSize size = ParseWindowSize(parser.value(windowSize));
        if (size.isEmpty()) {
            std::fprintf(stderr, "VeskTools: --window-size: '%s' is not WxH from 320x240 to %dx%d\n",
                         qPrintable(parser.value(windowSize)), LargestPictureSide, LargestPictureSide);
            return 2;
        }
        return DrawWindowPicture(parser.value(windowPicture), size, files);
    }

    auto splash = std::make_unique<TForm_SplashW>();
    splash->show();
    splash->repaint();
    QApplication::processEvents(); // paint the splash before the pause
    QThread::msleep(500);

    TForm_VeskMain window;
    splash.reset();
    window.show();
    if (!files.isEmpty()) window.OpenFiles(files);
    return application.exec();
}
