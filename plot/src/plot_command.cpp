#include "plot_command.h"

#include "plot_request.h"

#include "command_support.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"
#include "documents/DataDocuments.h"
#include "presentation/GUIData1D.h"
#include "presentation/GUIData2D.h"
#include "presentation/StandaloneViews.h"

#include <QFile>

#include <ostream>

namespace vesk::plot {

namespace {

// Gives the presenter the chart settings asked for: the log axes for every
// kind, the diagram, values and gridding for 2D data; the others keep the
// program's defaults, as a freshly opened document shows them.
void ApplyChartSettings(const PlotRequest &request, TCustomVeskObject &document)
{
    auto *presenter = dynamic_cast<TGUICustom *>(&document.Presenter());
    if (presenter == nullptr) return;
    if (request.logAxes) {
        presenter->CommonChartDetails().XLogScale = request.logAxes->x;
        presenter->CommonChartDetails().YLogScale = request.logAxes->y;
    }
    auto *data = dynamic_cast<TnData2D *>(&document);
    auto *dataPresenter = dynamic_cast<TGUIData2D *>(presenter);
    if (data == nullptr || dataPresenter == nullptr) return;
    const Data2DChartSettings &settings = request.chart;
    TChartDetailsData2D &chart = dataPresenter->ChartDetails();
    if (settings.diagram) chart.VisibleDiagrams = *settings.diagram;
    if (settings.approximation) chart.ApproximationType = *settings.approximation;
    if (settings.radius) chart.ApproximationRadius = *settings.radius;
    if (settings.values) {
        if (*settings.values == ValuesToShowChargeability && data->Measurements().IPCode() == 0)
            throw cli::DocumentFailure("'" + data->ArrayDetails().FileName +
                                       "' carries no chargeability (no IP measurement); draw its resistivity");
        data->ArrayDetails().ValuesToShow = *settings.values;
    }
}

// Shows the document with its settings. 2D data as the window shows it after
// an edit of its inspector page: the page shows the settings and one update
// reads them back, runs the filters and redraws. Other kinds are shown again
// as they are: their update would regenerate a sequence from its design.
void ShowWithSettings(const cli::ParsedArguments &arguments, TCustomVeskObject &document)
{
    if (document.Kind() != TDocumentKind::Data2D) {
        document.ShowAll();
        return;
    }
    if (cli::ApplyFilterOptions(arguments, document)) {
        cli::RequireMeasurementsLeft(document);
        return;
    }
    document.FillInspector();
    document.Update();
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
    ApplyChartSettings(request, document);
    ShowWithSettings(arguments, document);
    if (request.model) {
        auto *sounding = dynamic_cast<TGUIData1D *>(&document.Presenter());
        if (sounding == nullptr) throw cli::DocumentFailure("only 1D data can be inverted");
        sounding->InversionMode = request.model->smooth ? inversion::InversionMode::Smooth
                                                        : inversion::InversionMode::Layers;
        sounding->InversionLayers = request.model->layers;
        // An interpretation shows the readings, the fit and the model only.
        TChartDetailsData1D &details = sounding->ChartDetails();
        details.ShowR = details.ShowC = details.ShowU = details.ShowI = details.ShowQ = false;
        const QString failure = sounding->Invert();
        if (!failure.isEmpty()) throw cli::DocumentFailure(failure.toStdString() + " Nothing written.");
    }

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
