// Quelvo Tools: the desktop program. Shows the splash window, creates the
// main window and opens the files named on the command line.
#include "MainWindow.h"
#include "Splash.h"

#include <QApplication>
#include <QStringList>
#include <QThread>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quelvo Tools"));
    QApplication::setApplicationDisplayName(QStringLiteral("Quelvo Tools"));

    auto splash = std::make_unique<TForm_SplashW>();
    splash->show();
    splash->repaint();
    QApplication::processEvents(); // paint the splash before the pause
    QThread::msleep(500);

    TForm_VeskMain window;
    splash.reset();
    window.show();
    const QStringList files = application.arguments().mid(1);
    if (!files.isEmpty()) window.OpenFiles(files);
    return application.exec();
}
