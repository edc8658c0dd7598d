// vesk invert FILE.d2d: the resistivity section of a 2D data set by
// smoothness-constrained inversion, written as CSV or VTK, and drawn into a
// picture by vesk-plot when asked.
#include "command_support.h"
#include "commands.h"
#include "output_checks.h"
#include "value_parsing.h"

#include "section_inversion_options.h"

#include "documents/DataDocuments.h"
#include "inversion/SectionSurvey.h"

#include <cctype>
#include <filesystem>
#include <ostream>

namespace vesk::cli {

namespace {

const std::string InvertSectionHelp = std::string(
    "Usage: vesk invert FILE.d2d [--append FILE]... [filters] -o MODEL.csv|MODEL.vtk\n"
    "                   [--picture SECTION.png|svg|pdf] [--smoothing H,V] [--robust]\n"
    "                   [--iterations N] [--error-floor PERCENT]\n"
    "\n"
    "Inverts the shown measurements of 2D data that pass the filters for a section\n"
    "of cell resistivities (2.5D finite elements, Gauss-Newton with a smoothness\n"
    "constraint, chi-squared brought towards 1). Progress goes to standard error.\n"
    "\n"
    "  -o, --output MODEL     the model: .csv gives 'x,z,resistivity' per cell (centre,\n"
    "                         m; Ohm*m), .vtk an unstructured grid for ParaView\n"
    "  --picture SECTION      also draw the model section into a picture (.png, .svg or\n"
    "                         .pdf), as vesk plot --diagram model-section draws it\n") +
    SectionInversionHelp + AppendHelp + "\n" + FilterHelp;

const OptionDefinition InvertSectionOptionList[] = {
    AppendOption,         {"output", 'o', true, false}, {"picture", '\0', true, false},
    SectionInversionOptions[0], SectionInversionOptions[1], SectionInversionOptions[2],
    SectionInversionOptions[3], FilterOptions[0],           FilterOptions[1],
    FilterOptions[2],     FilterOptions[3],             FilterOptions[4],
    FilterOptions[5],
};

bool SameFile(const std::string &a, const std::string &b)
{
    return std::filesystem::absolute(a).lexically_normal() == std::filesystem::absolute(b).lexically_normal();
}

void RequirePictureName(const std::string &picture)
{
    std::string extension = std::filesystem::path(picture).extension().string();
    for (char &c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".png" && extension != ".svg" && extension != ".pdf")
        throw UsageError("--picture: '" + picture + "' names no picture; name it .png, .svg or .pdf");
}

// The picture is drawn by vesk-plot, which inverts, writes the model and
// draws the section in one run: the command line it gets.
std::vector<std::string> PictureCommandLine(const ParsedArguments &parsed, const std::string &output,
                                            const std::string &picture)
{
    std::vector<std::string> words{parsed.Positional().front()};
    const auto pass = [&](const OptionDefinition &option) {
        const std::string name = "--" + std::string(option.name);
        if (!option.takesValue) {
            if (parsed.Has(option.name)) words.push_back(name);
            return;
        }
        for (const std::string &value : parsed.Values(option.name)) {
            words.push_back(name);
            words.push_back(value);
        }
    };
    pass(AppendOption);
    for (const OptionDefinition &option : FilterOptions) pass(option);
    for (const OptionDefinition &option : SectionInversionOptions) pass(option);
    for (const std::string &word : {std::string("--diagram"), std::string("model-section"), std::string("-o"), picture,
                                    std::string("--model-output"), output})
        words.push_back(word);
    return words;
}

} // namespace

int RunInvertSection(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, InvertSectionOptionList);
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
    SectionModelFormatOf(*output, "-o");
    std::vector<std::string> inputs = parsed.Values(AppendOption.name);
    inputs.push_back(fileName);
    RefuseOutputOverInput(*output, inputs);
    const SectionInversionSettings settings = ReadSectionInversionSettings(parsed);

    if (const std::optional<std::string> picture = parsed.Value("picture")) {
        RequirePictureName(*picture);
        RefuseOutputOverInput(*picture, inputs);
        if (SameFile(*picture, *output)) throw UsageError("--picture and -o name the same file");
        const std::vector<std::string> words = PictureCommandLine(parsed, *output, *picture);
        return RunPlotProgram(words, io);
    }

    Session session(io.err);
    auto &document = dynamic_cast<TnData2D &>(session.Open(fileName, TDocumentKind::Data2D));
    AppendFiles(parsed, document);
    ApplyFilterOptions(parsed, document);

    const inversion::TSectionReadings readings =
        inversion::SectionReadings(document.Measurements(), settings.errorFloorPercent);
    if (!readings.Problem.empty()) throw DocumentFailure(readings.Problem + " Nothing written.");
    io.err << "inverting " << readings.Readings.size() << " readings\n";
    const inversion::TSectionModel model = inversion::InvertSection(
        readings.Readings, settings.options,
        [&](const inversion::TSectionProgress &progress) { ReportSectionProgress(io.err, progress); });
    ReportSectionResult(io.err, model);
    WriteSectionModel(*output, model);
    io.err << "wrote " << *output << ": " << model.Cells.size() << " cells\n";
    return ExitSuccess;
}

} // namespace vesk::cli
