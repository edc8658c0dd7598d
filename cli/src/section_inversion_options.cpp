#include "section_inversion_options.h"

#include "command_support.h"
#include "value_parsing.h"

#include "inversion/SectionModelFiles.h"

#include "file_replacement.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace vesk::cli {

const char *const SectionInversionHelp =
    "  --smoothing H,V        weights of the horizontal and vertical smoothness\n"
    "                         (default 1,1)\n"
    "  --robust               robust (L1-like) data weights that play down outliers\n"
    "  --iterations N         at most N iterations, 1 to 50 (default 10)\n"
    "  --error-floor PERCENT  smallest relative error of a reading (default 1); each\n"
    "                         reading's error is its quality Q\n";

SectionInversionSettings ReadSectionInversionSettings(const ParsedArguments &arguments)
{
    SectionInversionSettings settings;
    inversion::TSectionInversionOptions &options = settings.options;
    if (const auto smoothing = arguments.Value("smoothing")) {
        const std::vector<double> weights = ParseNumberList(*smoothing, "--smoothing", 2, 2);
        if (weights[0] < 0 || weights[1] < 0 || weights[0] + weights[1] <= 0)
            throw UsageError("--smoothing: the weights must not be negative and not both 0");
        options.HorizontalSmoothing = weights[0];
        options.VerticalSmoothing = weights[1];
    }
    options.Robust = arguments.Has("robust");
    if (const auto iterations = arguments.Value("iterations"))
        options.MaxIterations = static_cast<int>(ParseWholeNumber(*iterations, "--iterations", 1, 50));
    if (const auto floor = arguments.Value("error-floor")) {
        settings.errorFloorPercent = ParseNumber(*floor, "--error-floor");
        if (!(settings.errorFloorPercent > 0) || settings.errorFloorPercent > 100)
            throw UsageError("--error-floor: give a percentage above 0, at most 100");
    }
    return settings;
}

bool HasSectionInversionOptions(const ParsedArguments &arguments)
{
    for (const OptionDefinition &option : SectionInversionOptions)
        if (arguments.Has(option.name)) return true;
    return false;
}

void ReportSectionProgress(std::ostream &err, const inversion::TSectionProgress &progress)
{
    if (progress.Iteration == 0)
        err << "starting model: RMS " << progress.RmsPercent << " %\n";
    else
        err << "iteration " << progress.Iteration << " of at most " << progress.MaxIterations << ": RMS "
            << progress.RmsPercent << " %, chi-squared " << progress.ChiSquared << "\n";
    err.flush();
}

void ReportSectionResult(std::ostream &err, const inversion::TSectionModel &model)
{
    err << (model.Converged ? "converged" : "stopped") << " after " << model.Iterations << " iterations: RMS "
        << model.RmsPercent << " %, chi-squared " << model.ChiSquared << "\n";
}

SectionModelFormat SectionModelFormatOf(const std::string &output, const std::string &option)
{
    std::string extension = std::filesystem::path(output).extension().string();
    for (char &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".csv") return SectionModelFormat::Csv;
    if (extension == ".vtk") return SectionModelFormat::Vtk;
    throw UsageError(option + ": '" + output + "' names neither a .csv nor a .vtk file");
}

void WriteSectionModel(const std::string &output, const inversion::TSectionModel &model)
{
    const std::string text = SectionModelFormatOf(output, "-o") == SectionModelFormat::Csv
                                 ? inversion::SectionModelCsv(model)
                                 : inversion::SectionModelVtk(model);
    FileReplacement file(output.c_str());
    if (!file.stream() || std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size() || !file.commit())
        throw DocumentFailure("cannot write '" + output + "': " + std::strerror(file.error() ? file.error() : errno));
}

} // namespace vesk::cli
