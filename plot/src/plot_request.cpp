#include "plot_request.h"

#include "command_support.h"
#include "output_checks.h"
#include "value_parsing.h"

#include "presentation/ChartDetails.h"
#include "presentation/PseudoSectionMap.h"
#include "presentation/VeskColors.h"
#include "survey/VeskTypes.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <set>

namespace vesk::plot {

using cli::UsageError;

namespace {

const cli::OptionDefinition Options[] = {
    cli::KindOption,         cli::AppendOption,
    {"output", 'o', true, false}, {"format", '\0', true, false}, {"size", '\0', true, false},
    {"diagram", '\0', true, false}, {"values", '\0', true, false}, {"gridding", '\0', true, false},
    {"radius", '\0', true, false}, {"log", '\0', true, false}, {"palette", '\0', true, false},
    {"scale", '\0', true, false}, {"limits", '\0', true, false}, {"mask-data", '\0', false, false}, cli::FilterOptions[0], cli::FilterOptions[1],
    cli::FilterOptions[2],   cli::FilterOptions[3],   cli::FilterOptions[4],
    cli::FilterOptions[5],
    {"model", '\0', false, false}, {"layers", '\0', true, false}, {"smooth", '\0', false, false},
    cli::SectionInversionOptions[0], cli::SectionInversionOptions[1], cli::SectionInversionOptions[2],
    cli::SectionInversionOptions[3], {"model-output", '\0', true, false},
};

// A word of the command line and what it stands for.
template <typename T>
struct Choice {
    std::string_view word;
    T value;
};

const Choice<TPictureFormat> Formats[] = {
    {"png", TPictureFormat::Png}, {"svg", TPictureFormat::Svg}, {"pdf", TPictureFormat::Pdf}};
const Choice<int32_t> Diagrams[] = {{"pseudo-section", DiagramPseudoSection},
                                    {"sounding-curves", DiagramSoundingCurves},
                                    {"profile-curves", DiagramProfileCurves},
                                    {"signals", DiagramSignals},
                                    {"model-section", DiagramModelSection},
                                    {"misfit", DiagramMisfit}};
const Choice<uint32_t> Values[] = {{"resistivity", ValuesToShowResistivity},
                                   {"chargeability", ValuesToShowChargeability}};
const Choice<int32_t> Griddings[] = {{"idw", ApproximationInverseDistance}, {"akima", ApproximationAkima}};
const Choice<int32_t> Palettes[] = {{"classic", PaletteClassic}, {"viridis", PaletteViridis}, {"grey", PaletteGrey}};
const Choice<bool> Scales[] = {{"log", true}, {"linear", false}};
const Choice<LogAxes> LogChoices[] = {{"x", {true, false}}, {"y", {false, true}}, {"xy", {true, true}}};

constexpr double LargestRadius = 1000.0;

template <typename T, std::size_t N>
std::optional<T> ChooseWord(const cli::ParsedArguments &arguments, std::string_view option,
                            const Choice<T> (&choices)[N])
{
    const std::optional<std::string> given = arguments.Value(option);
    if (!given) return std::nullopt;
    std::string known;
    for (const Choice<T> &choice : choices) {
        if (choice.word == *given) return choice.value;
        known += (known.empty() ? "'" : ", '") + std::string(choice.word) + "'";
    }
    throw UsageError("--" + std::string(option) + ": '" + *given + "' is none of " + known);
}

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The format an output's extension names, if any.
std::optional<TPictureFormat> FormatOfName(const std::string &name)
{
    const std::string extension = Lowered(std::filesystem::path(name).extension().string());
    for (const Choice<TPictureFormat> &choice : Formats) {
        if (extension == "." + std::string(choice.word)) return choice.value;
    }
    return std::nullopt;
}

QSize ParseSize(const std::string &text)
{
    const std::size_t cross = text.find_first_of("xX");
    if (cross == std::string::npos) throw UsageError("--size: '" + text + "' is not WIDTHxHEIGHT (e.g. 1000x700)");
    const auto side = [&](std::string_view part) {
        return static_cast<int>(cli::ParseWholeNumber(part, "--size", 1, LargestPictureSide));
    };
    return QSize(side(std::string_view(text).substr(0, cross)), side(std::string_view(text).substr(cross + 1)));
}

// Options that only 2D data can take.
void RequireKinds(const cli::ParsedArguments &arguments, const std::vector<PlotJob> &jobs)
{
    std::vector<std::string_view> data2DOptions{cli::AppendOption.name, "diagram", "values", "gridding", "radius",
                                                "palette", "scale", "limits", "mask-data"};
    for (const cli::OptionDefinition &filter : cli::FilterOptions) data2DOptions.push_back(filter.name);
    for (const PlotJob &job : jobs) {
        const auto refuse = [&](std::string_view option, std::string_view what) {
            throw UsageError("--" + std::string(option) + " applies to " + std::string(what) + " only; '" + job.input +
                             "' is " + std::string(KindDescription(job.kind)));
        };
        for (const std::string_view option : {"model", "layers", "smooth"}) {
            if (arguments.Has(option) && job.kind != TDocumentKind::Data1D) refuse(option, "1D data (.d1d)");
        }
        for (const std::string_view option : data2DOptions) {
            if (arguments.Has(option) && job.kind != TDocumentKind::Data2D) refuse(option, "2D data (.d2d)");
        }
    }
}

// --limits auto, p2-98 or MIN:MAX (a fixed range; above 0 on the default
// logarithmic scale).
void ReadLimits(const std::string &text, Data2DChartSettings &chart)
{
    if (text == "auto") {
        chart.limits = LimitsAutomatic;
        return;
    }
    if (text == "p2-98") {
        chart.limits = LimitsPercentile;
        return;
    }
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        throw UsageError("--limits: '" + text + "' is none of 'auto', 'p2-98' or MIN:MAX (e.g. 10:1000)");
    chart.limits = LimitsFixed;
    chart.limitMinimum = cli::ParseNumber(std::string_view(text).substr(0, colon), "--limits");
    chart.limitMaximum = cli::ParseNumber(std::string_view(text).substr(colon + 1), "--limits");
    if (!(chart.limitMinimum < chart.limitMaximum))
        throw UsageError("--limits: '" + text + "' needs MIN below MAX");
    if (chart.logarithmicColours.value_or(true) && !(chart.limitMinimum > 0))
        throw UsageError("--limits: '" + text + "' starts at or below 0, which a logarithmic scale cannot show; "
                         "give a MIN above 0 or --scale linear");
}

Data2DChartSettings ReadChartSettings(const cli::ParsedArguments &arguments, const std::vector<PlotJob> &jobs)
{
    Data2DChartSettings chart;
    chart.diagram = ChooseWord(arguments, "diagram", Diagrams);
    chart.values = ChooseWord(arguments, "values", Values);
    chart.approximation = ChooseWord(arguments, "gridding", Griddings);
    if (const auto radius = arguments.Value("radius")) {
        chart.radius = cli::ParseNumber(*radius, "--radius");
        if (!(*chart.radius > 0.0 && *chart.radius <= LargestRadius))
            throw UsageError("--radius: '" + *radius + "' is outside (0, 1000] unit spacings");
    }
    chart.palette = ChooseWord(arguments, "palette", Palettes);
    chart.logarithmicColours = ChooseWord(arguments, "scale", Scales);
    chart.maskToData = arguments.Has("mask-data");
    if (const auto limits = arguments.Value("limits")) ReadLimits(*limits, chart);
    // Options that would change nothing in the picture are mistakes.
    const int32_t shown = chart.diagram.value_or(DiagramPseudoSection);
    const bool pseudoSection = shown == DiagramPseudoSection;
    const bool modelSection = shown == DiagramModelSection, misfit = shown == DiagramMisfit;
    for (const char *option : {"gridding", "radius", "palette", "scale", "limits", "mask-data"}) {
        const std::string_view name(option);
        const bool colours = name == "palette" || name == "scale" || name == "limits";
        const bool applies = pseudoSection || (modelSection && colours) || (misfit && name == "palette");
        if (arguments.Has(option) && !applies)
            throw UsageError("--" + std::string(option) + " applies to the pseudo-section only (--diagram pseudo-section)" +
                             (colours ? std::string(name == "palette" ? " and the inverted diagrams (model-section, misfit)"
                                                                      : " and the model section (model-section)")
                                      : std::string()));
    }
    if (!modelSection && !misfit) {
        for (const cli::OptionDefinition &option : cli::SectionInversionOptions)
            if (arguments.Has(option.name))
                throw UsageError("--" + std::string(option.name) +
                                 " applies to the inverted diagrams only (--diagram model-section|misfit)");
        if (arguments.Has("model-output"))
            throw UsageError("--model-output applies to the inverted diagrams only (--diagram model-section|misfit)");
    }
    if (chart.radius && chart.approximation == ApproximationAkima)
        throw UsageError("--radius applies to the inverse-distance gridding only (--gridding idw)");
    const int32_t diagram = chart.diagram.value_or(DiagramPseudoSection);
    if (arguments.Has("log") && diagram != DiagramSoundingCurves && diagram != DiagramSignals)
        for (const PlotJob &job : jobs)
            if (job.kind == TDocumentKind::Data2D)
                throw UsageError("--log applies to 2D data's sounding curves and signals only (--diagram "
                                 "sounding-curves|signals); '" + job.input + "' would show " +
                                 (diagram == DiagramPseudoSection ? "the pseudo-section" : "profile curves"));
    return chart;
}

// A picture named as a document or a text export would later be opened as
// one, and would replace such a file: an output whose extension names one is
// refused, whatever --format says.
void RefuseDocumentName(const std::string &output)
{
    if (output == "-") return;
    if (const std::optional<TDocumentKind> kind = DocumentKindFromExtension(output))
        throw UsageError("-o: '" + output + "' names " + std::string(KindDescription(*kind)) +
                         ", not a picture; name it .png, .svg or .pdf");
    const std::string extension = Lowered(std::filesystem::path(output).extension().string());
    if (extension == ".dat" || extension == ".csv" || extension == ".ohm")
        throw UsageError("-o: '" + output + "' names a text export, not a picture; name it .png, .svg or .pdf");
}

bool NamesFolder(const std::string &output)
{
    return output.ends_with('/') || std::filesystem::is_directory(output);
}

// Every job's output: beside its input, in a folder, or the one file named.
void NameOutputs(const cli::ParsedArguments &arguments, PlotRequest &request)
{
    const std::optional<TPictureFormat> asked = ChooseWord(arguments, "format", Formats);
    const std::optional<std::string> output = arguments.Value("output");
    request.format = asked.value_or(TPictureFormat::Png);
    if (!output || NamesFolder(*output)) {
        std::filesystem::path folder;
        if (output) {
            folder = *output;
            if (!std::filesystem::is_directory(folder))
                throw UsageError("-o: the folder '" + *output + "' does not exist");
        }
        for (PlotJob &job : request.jobs) {
            std::filesystem::path name = std::filesystem::path(job.input);
            name.replace_extension(PictureExtension(request.format));
            job.output = output ? (folder / name.filename()).string() : name.string();
        }
        request.reportOutputs = true;
        return;
    }
    if (request.jobs.size() != 1)
        throw UsageError("-o '" + *output + "' names one picture for " + std::to_string(request.jobs.size()) +
                         " files; name a folder to get one picture per file");
    RefuseDocumentName(*output);
    const std::optional<TPictureFormat> named = *output == "-" ? std::nullopt : FormatOfName(*output);
    if (asked && named && *asked != *named)
        throw UsageError("--format " + std::string(arguments.Value("format").value()) +
                         " contradicts the output name '" + *output + "'");
    if (!asked && !named && *output != "-")
        throw UsageError("cannot tell the picture format of '" + *output +
                         "': name it .png, .svg or .pdf, or give --format");
    request.format = asked ? *asked : named.value_or(TPictureFormat::Png);
    request.jobs.front().output = *output;
}

} // namespace

const char *const PlotHelp =
    "Usage: vesk plot FILE... [-o OUT] [--format png|svg|pdf] [--size WxH] [--kind KIND]\n"
    "                 [--append FILE]... [filters] [--diagram DIAGRAM] [--values VALUES]\n"
    "                 [--gridding idw|akima] [--radius R] [--log x|y|xy]\n"
    "                 [--palette classic|viridis|grey] [--scale log|linear]\n"
    "                 [--limits auto|p2-98|MIN:MAX] [--mask-data]\n"
    "                 [--model [--layers N | --smooth]]\n"
    "                 [--smoothing H,V] [--robust] [--iterations N] [--error-floor PERCENT]\n"
    "                 [--model-output MODEL.csv|MODEL.vtk]\n"
    "\n"
    "Draws the chart the program shows for each document into a picture, through the\n"
    "program's own presenters and chart (no display is needed): for 2D data one of its\n"
    "four diagrams, for sequences, 1D and 0D data the chart their documents show.\n"
    "\n"
    "  -o, --output OUT       the picture: .png, .svg or .pdf (the extension names the\n"
    "                         format); '-' writes to standard output. With several\n"
    "                         FILEs, a folder that gets one picture per FILE, named as\n"
    "                         the FILE with the picture's extension (default: each\n"
    "                         picture beside its FILE; the names are reported on\n"
    "                         standard error)\n"
    "  --format FORMAT        png, svg or pdf (default: what OUT's extension names, else png)\n"
    "  --size WxH             the picture's size in pixels (points for SVG and PDF), each\n"
    "                         side 1 to 10000 (default 1000x700)\n"
    "  --kind KIND            open FILE as s1d, s2d, d1d, d2d or d0d whatever its extension\n"
    "  --log AXES             logarithmic axes: x, y or xy (values at or below 0 are left\n"
    "                         out); for 2D data with the sounding curves and signals\n"
    "1D data:\n"
    "  --model                invert the sounding and draw the model's response (Fit) and\n"
    "                         the model (resistivity against depth) with the readings, on\n"
    "                         log-log axes unless --log says otherwise\n"
    "  --layers N             a model of N layers, 2 to 8 (default 3)\n"
    "  --smooth               a smooth many-layer model instead\n"
    "2D data:\n"
    "  --diagram DIAGRAM      pseudo-section (default), sounding-curves, profile-curves,\n"
    "                         signals, model-section (the data inverted into a section\n"
    "                         of resistivity against depth; progress on standard error)\n"
    "                         or misfit (each reading's misfit to that model, %)\n"
    "  --values VALUES        resistivity (default) or chargeability (data that carry it)\n"
    "  --gridding METHOD      the pseudo-section's gridding: idw (inverse distance,\n"
    "                         default) or akima\n"
    "  --radius R             the inverse-distance radius in unit spacings (default 5)\n"
    "  --palette PALETTE      the pseudo-section's colours: classic (default), viridis or\n"
    "                         grey\n"
    "  --scale SCALE          its colour scale: log (default) or linear\n"
    "  --limits LIMITS        its colour range: auto (smallest to largest value, default),\n"
    "                         p2-98 (2nd to 98th percentile) or MIN:MAX (fixed); values\n"
    "                         beyond take the end colours\n"
    "  --mask-data            leave white what lies outside the measurements' convex hull\n"
    "  (--palette also colours the inverted diagrams; --scale and --limits the model\n"
    "  section)\n"
    "model-section and misfit:\n"
    "  --smoothing H,V        weights of the horizontal and vertical smoothness\n"
    "                         (default 1,1)\n"
    "  --robust               robust (L1-like) data weights that play down outliers\n"
    "  --iterations N         at most N iterations, 1 to 50 (default 10)\n"
    "  --error-floor PERCENT  smallest relative error of a reading (default 1)\n"
    "  --model-output MODEL   also write the model: .csv ('x,z,resistivity' per cell) or\n"
    "                         .vtk (ParaView)\n"
    "  --append FILE          append a further .d2d file (repeatable, with one FILE): a\n"
    "                         roll-along spread of the same array type, or the other half\n"
    "                         of a forward/reverse pole-dipole pair\n";

std::span<const cli::OptionDefinition> PlotOptions() { return Options; }

std::string PictureExtension(TPictureFormat format)
{
    for (const Choice<TPictureFormat> &choice : Formats) {
        if (choice.value == format) return "." + std::string(choice.word);
    }
    return ".png";
}

PlotRequest ReadPlotRequest(const cli::ParsedArguments &arguments)
{
    cli::RequirePositionalCount(arguments, 1, SIZE_MAX, "the files to draw");
    PlotRequest request;
    for (const std::string &input : arguments.Positional())
        request.jobs.push_back({input, cli::ResolveKind(input, arguments.Value(cli::KindOption.name)), {}});
    if (arguments.Has(cli::AppendOption.name) && request.jobs.size() != 1)
        throw UsageError("--append joins spreads to one FILE; give a single FILE with it");
    RequireKinds(arguments, request.jobs);
    request.chart = ReadChartSettings(arguments, request.jobs);
    request.logAxes = ChooseWord(arguments, "log", LogChoices);
    if (arguments.Has("model")) {
        ModelSettings model;
        if (arguments.Has("smooth") && arguments.Has("layers"))
            throw UsageError("--layers and --smooth exclude each other");
        model.smooth = arguments.Has("smooth");
        if (const auto layers = arguments.Value("layers"))
            model.layers = int(cli::ParseWholeNumber(*layers, "--layers", 2, 8));
        request.model = model;
        // A sounding interpretation is read on log-log axes.
        if (!request.logAxes) request.logAxes = LogAxes{true, true};
    } else if (arguments.Has("smooth") || arguments.Has("layers")) {
        throw UsageError("--layers and --smooth choose the model of --model; give --model with them");
    }
    request.section = cli::ReadSectionInversionSettings(arguments);
    request.size = QSize(DefaultPictureWidth, DefaultPictureHeight);
    if (const auto size = arguments.Value("size")) request.size = ParseSize(*size);
    NameOutputs(arguments, request);

    std::vector<std::string> inputs = arguments.Positional();
    for (const std::string &appended : arguments.Values(cli::AppendOption.name)) inputs.push_back(appended);
    std::set<std::string> outputs;
    for (const PlotJob &job : request.jobs) {
        if (!outputs.insert(std::filesystem::absolute(job.output).lexically_normal().string()).second)
            throw UsageError("two files would give the same picture '" + job.output +
                             "'; draw them into different folders");
        cli::RefuseOutputOverInput(job.output, inputs);
    }
    if (const auto modelOutput = arguments.Value("model-output")) {
        if (request.jobs.size() != 1) throw UsageError("--model-output writes the model of one FILE; give one");
        cli::SectionModelFormatOf(*modelOutput, "--model-output");
        cli::RefuseOutputOverInput(*modelOutput, inputs);
        if (std::filesystem::absolute(*modelOutput).lexically_normal() ==
            std::filesystem::absolute(request.jobs.front().output).lexically_normal())
            throw UsageError("--model-output and -o name the same file");
        request.modelOutput = *modelOutput;
    }
    return request;
}

} // namespace vesk::plot
