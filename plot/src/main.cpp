// vesk-plot: the picture program behind `vesk plot`. It draws on Qt's
// offscreen platform, so it needs no display.
#include "plot_command.h"

#include "command_support.h"
#include "descriptor_stream.h"
#include "plot_program.h"
#include "presentation/RedrawMemory.h"

#include <QApplication>
#include <QtGlobal>

#include <iostream>
#include <string>
#include <vector>

namespace {

// Qt's own notices (a missing runtime folder and the like) are no concern of
// a batch run; its critical messages still reach standard error.
void QuietQtNotices(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toStdString() << std::endl;
}

} // namespace

int main(int argc, char **argv)
{
    vesk::plot::EndWithTheStartingVesk();
    // The picture and the help go to the real standard output; everything
    // else that writes to standard output (the surface library prints its
    // reports there) lands on standard error, so nothing mixes with a
    // picture written to a pipe.
    vesk::plot::DescriptorStream pictureStream(vesk::plot::TakeStandardOutput());
    KeepFreedMemoryForRedraws();
    // Never a window: the charts draw into pictures only.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtNotices);
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    QApplication application(argc, argv);
    const int status = vesk::cli::RunReported(vesk::plot::PlotCommand, arguments, {pictureStream, std::cerr});
    pictureStream.flush();
    if (status == vesk::cli::ExitSuccess && !pictureStream) {
        std::cerr << "vesk plot: cannot write to standard output\n";
        return vesk::cli::ExitDocumentFailed;
    }
    return status;
}
