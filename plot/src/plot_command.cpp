#include "plot_command.h"

#include "plot_request.h"

#include "command_support.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"
#include "documents/DataDocuments.h"
#include "presentation/GUIData0D.h"
#include "presentation/GUIData1D.h"
#include "presentation/GUIData2D.h"
#include "presentation/GUISeq1D.h"
#include "presentation/GUISeq2D.h"
#include "presentation/StandaloneViews.h"

#include <QFile>

#include <ostream>

namespace vesk::plot {

namespace {

// The chart details of the window's presenter of any kind.
TChartDetailsCustom *ChartDetailsOf(TDocumentPresenter &presenter)
{
    if (auto *p = dynamic_cast<TGUIData2D *>(&presenter)) return &p->ChartDetails();
    if (auto *p = dynamic_cast<TGUIData1D *>(&presenter)) return &p->ChartDetails();
    if (auto *p = dynamic_cast<TGUIData0D *>(&presenter)) return &p->ChartDetails();
    if (auto *p = dynamic_cast<TGUISeq2D *>(&presenter)) return &p->ChartDetails();
    if (auto *p = dynamic_cast<TGUISeq1D *>(&presenter)) return &p->ChartDetails();
    return nullptr;
}

// Gives the presenter the log axes and 2D data's presenter the chart settings
// asked for (the others keep the program's defaults, as a freshly opened
// document shows them). 2D data is then shown as the window shows it after an
// edit of its inspector page: the page shows the settings and the update
// reads them back, runs the filters and redraws. Other kinds are shown again
// as they are: their update would regenerate a sequence from its design.
void ShowWithSettings(const PlotRequest &request, TCustomVeskObject &document)
{
    if (request.logAxes) {
        if (TChartDetailsCustom *details = ChartDetailsOf(document.Presenter())) {
            details->XLogScale = request.logAxes->x;
            details->YLogScale = request.logAxes->y;
        }
    }
    const Data2DChartSettings &settings = request.chart;
    auto *data = dynamic_cast<TnData2D *>(&document);
    auto *presenter = dynamic_cast<TGUIData2D *>(&document.Presenter());
    if (data == nullptr || presenter == nullptr) {
        document.ShowAll();
        return;
    }
    TChartDetailsData2D &chart = presenter->ChartDetails();
    if (settings.diagram) chart.VisibleDiagrams = *settings.diagram;
    if (settings.approximation) chart.ApproximationType = *settings.approximation;
    if (settings.radius) chart.ApproximationRadius = *settings.radius;
    if (settings.values) {
        if (*settings.values == ValuesToShowChargeability && data->Measurements().IPCode() == 0)
            throw cli::DocumentFailure("'" + data->ArrayDetails().FileName +
                                       "' carries no chargeability (no IP measurement); draw its resistivity");
        data->ArrayDetails().ValuesToShow = *settings.values;
    }
    data->FillInspector();
    data->Update();
}

// Opens one input as the program would, applies the command line's
// settings, draws its chart and writes the picture. Throws DocumentFailure.
void DrawJob(const PlotRequest &request, const PlotJob &job, const cli::ParsedArguments &arguments,
             cli::CommandIo io)
{
    // Fresh controls for every input, as a document opened in a new window.
    TStandaloneViews views;
    views.SetMessageCallback([&io](const QString &text) { io.err << text.toStdString() << std::endl; });
    cli::Session session(io.err, std::make_unique<TStandaloneDocumentHost>(views));
    TCustomVeskObject &document = session.Open(job.input, job.kind);
    cli::AppendFiles(arguments, document);
    if (cli::ApplyFilterOptions(arguments, document)) cli::RequireMeasurementsLeft(document);
    ShowWithSettings(request, document);

    TChart &chart = views.ChartOf(job.kind);
    const bool written = cli::WriteOutput(job.output, io.out, [&](const std::string &path) {
        return SaveChartPicture(chart, QFile::decodeName(QByteArray::fromStdString(path)), request.format,
                                request.size);
    });
    if (!written) throw cli::DocumentFailure("cannot write the picture '" + job.output + "'");
    if (request.reportOutputs) io.err << "wrote " << job.output << "\n";
}

} // namespace

int RunPlot(std::span<const std::string> arguments, cli::CommandIo io)
{
    const cli::ParsedArguments parsed = cli::ParseArguments(arguments, PlotOptions());
    if (parsed.HelpWanted()) {
        io.out << PlotHelp << "\n" << cli::FilterHelp;
        return cli::ExitSuccess;
    }
    const PlotRequest request = ReadPlotRequest(parsed);
    // A file that cannot be drawn is reported and the others are still drawn.
    int status = cli::ExitSuccess;
    for (const PlotJob &job : request.jobs) {
        try {
            DrawJob(request, job, parsed, io);
        } catch (const cli::DocumentFailure &failure) {
            if (request.jobs.size() == 1) throw;
            io.err << "vesk plot: " << job.input << ": " << failure.what() << "\n";
            status = cli::ExitDocumentFailed;
        }
    }
    return status;
}

} // namespace vesk::plot
