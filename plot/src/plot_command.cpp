#include "plot_command.h"

#include "deferred_drawing.h"
#include "plot_request.h"

#include "command_support.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"
#include "documents/DataDocuments.h"
#include "presentation/GUIData1D.h"
#include "presentation/GUIData2D.h"
#include "presentation/PseudoSectionMap.h"
#include "presentation/StandaloneViews.h"

#include <QFile>
#include <QFileInfo>

#include <ostream>

namespace vesk::plot {

namespace {

// Gives the presenter the chart settings asked for: the log axes for every
// kind, the diagram, values and gridding for 2D data; the others keep the
// program's defaults, as a freshly opened document shows them.
void ApplyChartSettings(const PlotRequest &request, TCustomVeskObject &document)
{
    auto *presenter = dynamic_cast<TGUICustom *>(&TDeferredDrawingHost::WindowPresenterOf(document));
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
    if (settings.palette) chart.Palette = *settings.palette;
    if (settings.logarithmicColours) chart.LogarithmicColours = *settings.logarithmicColours;
    if (settings.limits) {
        chart.Limits = *settings.limits;
        if (*settings.limits == LimitsFixed) {
            chart.LimitMinimum = settings.limitMinimum;
            chart.LimitMaximum = settings.limitMaximum;
        }
    }
    if (settings.maskToData) chart.MaskToData = true;
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

// The inverted diagrams: the presenter inverts the data as the window's
// Invert does (here and now, progress on standard error) and keeps the model
// it then draws; the model is also written when asked.
void InvertSection(const PlotRequest &request, TCustomVeskObject &document, cli::CommandIo io)
{
    auto *section = dynamic_cast<TGUIData2D *>(&TDeferredDrawingHost::WindowPresenterOf(document));
    if (section == nullptr) throw cli::DocumentFailure("only 2D data can be inverted into a section");
    section->InversionOptions = request.section.options;
    section->ErrorFloorPercent = request.section.errorFloorPercent;
    const inversion::TSectionReadings readings = section->InversionReadings();
    if (readings.Problem.empty()) io.err << "inverting " << readings.Readings.size() << " readings\n";
    const QString failure =
        section->Invert([&io](const inversion::TSectionProgress &progress) { cli::ReportSectionProgress(io.err, progress); });
    if (!failure.isEmpty()) throw cli::DocumentFailure(failure.toStdString() + " Nothing written.");
    cli::ReportSectionResult(io.err, *section->Model());
    if (!request.modelOutput.empty()) {
        cli::WriteSectionModel(request.modelOutput, *section->Model());
        io.err << "wrote " << request.modelOutput << ": " << section->Model()->Cells.size() << " cells\n";
    }
}

// Opens one input as the program would, joins the appended spreads to it,
// applies the command line's settings, draws its chart once and writes the
// picture. Throws DocumentFailure.
void DrawJob(const PlotRequest &request, const PlotJob &job, const cli::ParsedArguments &arguments,
             cli::CommandIo io)
{
    // Fresh controls for every input, as a document opened in a new window.
    TStandaloneViews views(job.kind);
    int mapMessages = 0;
    views.SetMessageCallback([&io, &mapMessages](const QString &text) {
        ++mapMessages;
        io.err << text.toStdString() << std::endl;
    });
    auto host = std::make_unique<TDeferredDrawingHost>(views);
    TDeferredDrawingHost &drawing = *host;
    cli::Session session(io.err, std::move(host));
    TCustomVeskObject &document = session.Open(job.input, job.kind);
    cli::AppendFiles(arguments, document);
    ApplyChartSettings(request, document);
    drawing.ReleaseDrawing();
    ShowWithSettings(arguments, document);
    if (request.model) {
        auto *sounding = dynamic_cast<TGUIData1D *>(&TDeferredDrawingHost::WindowPresenterOf(document));
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
    if (request.chart.diagram == DiagramModelSection || request.chart.diagram == DiagramMisfit)
        InvertSection(request, document, io);
    // The presenters speak only of a pseudo-section map they could not build:
    // a picture without its map is no picture of the data.
    if (mapMessages > 0) throw cli::DocumentFailure("the pseudo-section map of '" + job.input + "' could not be drawn");

    TChart &chart = views.ChartOf(job.kind);
    // The chart a picture is scaled against: a picture larger than the
    // default size draws text, markers and lines larger, as the window does
    // for a picture larger than its chart.
    chart.resize(DefaultPictureWidth, DefaultPictureHeight);
    const QString title = QFileInfo(QFile::decodeName(QByteArray::fromStdString(job.input))).fileName();
    const QByteArray picture = ChartPictureBytes(chart, request.format, request.size, title);
    if (picture.isEmpty()) throw cli::DocumentFailure("the picture '" + job.output + "' could not be drawn");
    if (job.output == "-") {
        io.out.write(picture.constData(), picture.size());
        io.out.flush();
        if (!io.out) throw cli::DocumentFailure("cannot write the picture to standard output");
        return;
    }
    const TPictureResult written = WritePictureFile(job.output, picture);
    if (!written.Written)
        throw cli::DocumentFailure("cannot write the picture '" + job.output + "': " + written.Reason);
    // vesk invert --picture reports the picture as it reports the model.
    if (request.reportOutputs || !request.modelOutput.empty()) io.err << "wrote " << job.output << "\n";
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
