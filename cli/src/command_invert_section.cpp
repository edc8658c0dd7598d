// vesk invert FILE.d2d: the resistivity section of a 2D data set by
// smoothness-constrained inversion, written as CSV or VTK.
#include "command_support.h"
#include "commands.h"
#include "output_checks.h"
#include "value_parsing.h"

#include "documents/DataDocuments.h"
#include "inversion/SectionModelFiles.h"

#include "file_replacement.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace vesk::cli {

namespace {

const std::string InvertSectionHelp = std::string(
    "Usage: vesk invert FILE.d2d [--append FILE]... [filters] -o MODEL.csv|MODEL.vtk\n"
    "                   [--smoothing H,V] [--robust] [--iterations N] [--error-floor PERCENT]\n"
    "\n"
    "Inverts the shown measurements of 2D data that pass the filters for a section\n"
    "of cell resistivities (2.5D finite elements, Gauss-Newton with a smoothness\n"
    "constraint, chi-squared brought towards 1). Progress goes to standard error.\n"
    "\n"
    "  -o, --output MODEL     the model: .csv gives 'x,z,resistivity' per cell (centre,\n"
    "                         m; Ohm*m), .vtk an unstructured grid for ParaView\n"
    "  --smoothing H,V        weights of the horizontal and vertical smoothness\n"
    "                         (default 1,1)\n"
    "  --robust               robust (L1-like) data weights that play down outliers\n"
    "  --iterations N         at most N iterations, 1 to 50 (default 10)\n"
    "  --error-floor PERCENT  smallest relative error of a reading (default 1); each\n"
    "                         reading's error is its quality Q\n") +
    AppendHelp + "\n" + FilterHelp;

const OptionDefinition InvertSectionOptions[] = {
    AppendOption,       {"output", 'o', true, false}, {"smoothing", '\0', true, false},
    {"robust", '\0', false, false}, {"iterations", '\0', true, false}, {"error-floor", '\0', true, false},
    FilterOptions[0],   FilterOptions[1],             FilterOptions[2],
    FilterOptions[3],   FilterOptions[4],             FilterOptions[5],
};

enum class ModelFormat { Csv, Vtk };

ModelFormat ModelFormatOf(const std::string &output)
{
    std::string extension = std::filesystem::path(output).extension().string();
    for (char &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".csv") return ModelFormat::Csv;
    if (extension == ".vtk") return ModelFormat::Vtk;
    throw UsageError("-o: '" + output + "' names neither a .csv nor a .vtk file");
}

bool WriteText(const std::string &path, const std::string &text, std::string &reason)
{
    FileReplacement file(path.c_str());
    if (!file.stream() || std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size() || !file.commit()) {
        reason = std::strerror(file.error() ? file.error() : errno);
        return false;
    }
    return true;
}

} // namespace

int RunInvertSection(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, InvertSectionOptions);
    if (parsed.HelpWanted()) {
        io.out << InvertSectionHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the 2D data file to invert");
    const std::string &fileName = parsed.Positional().front();
    if (ResolveKind(fileName, std::nullopt) != TDocumentKind::Data2D)
        throw UsageError("'" + fileName + "' is no 2D data file (.d2d)");
    const std::optional<std::string> output = parsed.Value("output");
    if (!output) throw UsageError("-o MODEL.csv or -o MODEL.vtk is needed");
    const ModelFormat format = ModelFormatOf(*output);
    std::vector<std::string> inputs = parsed.Values(AppendOption.name);
    inputs.push_back(fileName);
    RefuseOutputOverInput(*output, inputs);

    inversion::TSectionInversionOptions options;
    if (const auto smoothing = parsed.Value("smoothing")) {
        const std::vector<double> weights = ParseNumberList(*smoothing, "--smoothing", 2, 2);
        if (weights[0] < 0 || weights[1] < 0 || weights[0] + weights[1] <= 0)
            throw UsageError("--smoothing: the weights must not be negative and not both 0");
        options.HorizontalSmoothing = weights[0];
        options.VerticalSmoothing = weights[1];
    }
    options.Robust = parsed.Has("robust");
    if (const auto iterations = parsed.Value("iterations"))
        options.MaxIterations = static_cast<int>(ParseWholeNumber(*iterations, "--iterations", 1, 50));
    double errorFloor = 1.0;
    if (const auto floor = parsed.Value("error-floor")) {
        errorFloor = ParseNumber(*floor, "--error-floor");
        if (!(errorFloor > 0) || errorFloor > 100) throw UsageError("--error-floor: give a percentage above 0, at most 100");
    }

    Session session(io.err);
    auto &document = dynamic_cast<TnData2D &>(session.Open(fileName, TDocumentKind::Data2D));
    AppendFiles(parsed, document);
    ApplyFilterOptions(parsed, document);

    const inversion::TSectionReadings readings = inversion::SectionReadings(document.Measurements(), errorFloor);
    if (!readings.Problem.empty()) throw DocumentFailure(readings.Problem + " Nothing written.");
    io.err << "inverting " << readings.Readings.size() << " readings\n";
    const inversion::TSectionModel model =
        inversion::InvertSection(readings.Readings, options, [&](const inversion::TSectionProgress &progress) {
            if (progress.Iteration == 0)
                io.err << "starting model: RMS " << progress.RmsPercent << " %\n";
            else
                io.err << "iteration " << progress.Iteration << " of at most " << progress.MaxIterations << ": RMS "
                       << progress.RmsPercent << " %, chi-squared " << progress.ChiSquared << "\n";
            io.err.flush();
        });
    io.err << (model.Converged ? "converged" : "stopped") << " after " << model.Iterations << " iterations: RMS "
           << model.RmsPercent << " %, chi-squared " << model.ChiSquared << "\n";

    const std::string text =
        format == ModelFormat::Csv ? inversion::SectionModelCsv(model) : inversion::SectionModelVtk(model);
    std::string reason;
    if (!WriteText(*output, text, reason)) throw DocumentFailure("cannot write '" + *output + "': " + reason);
    io.err << "wrote " << *output << ": " << model.Cells.size() << " cells\n";
    return ExitSuccess;
}

} // namespace vesk::cli
