// vesk invert FILE.d1d: a layered model of a sounding, printed and written as
// CSV.
#include "command_support.h"
#include "commands.h"
#include "output_checks.h"
#include "text_table.h"
#include "value_parsing.h"

#include "documents/DataDocuments.h"
#include "inversion/SoundingReadings.h"

#include "file_replacement.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace vesk::cli {

namespace {

const char *const InvertHelp =
    "Usage: vesk invert FILE.d1d [--layers N | --smooth] [--quality PCT] [-o MODEL.csv]\n"
    "                   [--response RESPONSE.csv]\n"
    "\n"
    "(2D data: vesk invert FILE.d2d --help.)\n"
    "\n"
    "Inverts a sounding into a layered model of the ground and prints the model (top,\n"
    "thickness, resistivity, conductance S = h/rho, transverse resistance T = h*rho\n"
    "and, for a few-layer model, the range of equivalent resistivities and\n"
    "thicknesses) and the fit (RMS in %, chi-squared, the model's response). Each\n"
    "reading's error is its Q [%], at least 1 %. Readings not in use take no part.\n"
    "\n"
    "  --layers N         a model of N layers, 2 to 8 (default 3), by damped\n"
    "                     Gauss-Newton (Marquardt) started from a smooth fit\n"
    "  --smooth           a smooth model of 30 layers (Occam): the smoothest one that\n"
    "                     fits the readings to their errors\n"
    "  --quality PCT      leave out readings whose Q is above PCT %\n"
    "  -o, --output FILE  write the model as CSV ('-' standard output)\n"
    "  --response FILE    write the readings with the model's response as CSV\n"
    "\n"
    "Nothing is written when the sounding cannot be inverted (exit status 1).\n";

constexpr OptionDefinition InvertOptions[] = {
    KindOption,
    {"layers", '\0', true, false},
    {"smooth", '\0', false, false},
    {"quality", '\0', true, false},
    {"output", 'o', true, false},
    {"response", '\0', true, false},
};

constexpr int64_t DefaultLayers = 3;

std::string Number(double value)
{
    return Exact(value);
}

std::string ModelCsv(const inversion::InversionResult &result)
{
    std::ostringstream csv;
    csv << "layer,top_m,thickness_m,resistivity_ohmm,conductance_S,transverse_ohmm2,"
           "resistivity_low_ohmm,resistivity_high_ohmm,thickness_low_m,thickness_high_m\n";
    for (std::size_t i = 0; i < result.layers.size(); ++i) {
        const inversion::ModelLayer &layer = result.layers[i];
        csv << i + 1 << ',' << Number(layer.top) << ',' << Number(layer.thickness) << ','
            << Number(layer.resistivity) << ',' << Number(layer.conductance) << ',' << Number(layer.transverse)
            << ',' << Number(layer.resistivityLow) << ',' << Number(layer.resistivityHigh) << ','
            << Number(layer.thicknessLow) << ',' << Number(layer.thicknessHigh) << '\n';
    }
    return csv.str();
}

std::string ResponseCsv(const inversion::SoundingSelection &selection, const inversion::InversionResult &result)
{
    std::ostringstream csv;
    csv << "number,ab2_m,mn2_m,measured_ohmm,fit_ohmm,error_percent,misfit_percent\n";
    for (std::size_t i = 0; i < selection.indices.size(); ++i) {
        const double measured = selection.data.apparentResistivities[i];
        const double fit = result.response[i];
        csv << selection.indices[i] + 1 << ',' << Number(selection.data.spacings[i].halfAB) << ','
            << Number(selection.data.spacings[i].halfMN) << ',' << Number(measured) << ',' << Number(fit) << ','
            << Number(100.0 * selection.data.relativeErrors[i]) << ','
            << Number(100.0 * std::log(measured / fit)) << '\n';
    }
    return csv.str();
}

// Writes the text through a file replacement (or to standard output for "-").
void WriteText(const std::string &output, const std::string &text, std::ostream &standardOutput)
{
    if (output == "-") {
        standardOutput << text;
        return;
    }
    FileReplacement file(output.c_str());
    const bool written = file.stream() != nullptr &&
                         std::fwrite(text.data(), 1, text.size(), file.stream()) == text.size() && file.commit();
    if (!written)
        throw DocumentFailure("writing '" + output + "' failed");
}

void PrintResult(std::ostream &out, const inversion::SoundingSelection &selection,
                 const inversion::InversionResult &result)
{
    const bool layers = result.mode == inversion::InversionMode::Layers;
    out << (layers ? "Model: " + std::to_string(result.layers.size()) + " layers" : std::string("Model: smooth, ") +
                                                                                      std::to_string(result.layers.size()) + " layers")
        << ", " << selection.indices.size() << " readings, " << result.iterations << " iterations\n";
    std::vector<std::string> captions{"Layer", "Top [m]", "Thickness [m]", "Rho [Ohm*m]", "S [S]", "T [Ohm*m2]"};
    if (layers) {
        captions.push_back("Rho range [Ohm*m]");
        captions.push_back("Thickness range [m]");
    }
    TextTable table(captions);
    for (std::size_t i = 0; i < result.layers.size(); ++i) {
        const inversion::ModelLayer &layer = result.layers[i];
        const bool last = i + 1 == result.layers.size();
        std::vector<std::string> row{std::to_string(i + 1), Fixed(layer.top, 2), last ? "-" : Fixed(layer.thickness, 2),
                                     Fixed(layer.resistivity, 2), last ? "-" : Fixed(layer.conductance, 4),
                                     last ? "-" : Fixed(layer.transverse, 1)};
        if (layers) {
            row.push_back(Fixed(layer.resistivityLow, 1) + " - " + Fixed(layer.resistivityHigh, 1));
            row.push_back(last ? "-" : Fixed(layer.thicknessLow, 2) + " - " + Fixed(layer.thicknessHigh, 2));
        }
        table.AddRow(row);
    }
    table.Print(out);
    out << "Fit: RMS " << Fixed(result.rmsPercent, 2) << " %, chi-squared " << Fixed(result.chiSquared, 3) << "\n";
    TextTable fit({"#", "AB/2 [m]", "MN/2 [m]", "Rho [Ohm*m]", "Fit [Ohm*m]", "Misfit [%]"});
    for (std::size_t i = 0; i < selection.indices.size(); ++i) {
        const double measured = selection.data.apparentResistivities[i];
        fit.AddRow({std::to_string(selection.indices[i] + 1), Short(selection.data.spacings[i].halfAB),
                    Short(selection.data.spacings[i].halfMN), Fixed(measured, 2), Fixed(result.response[i], 2),
                    Fixed(100.0 * std::log(measured / result.response[i]), 2)});
    }
    fit.Print(out);
}

} // namespace

// 2D data, named by its extension or by --kind d2d, go to the section
// inversion, which has options of its own.
bool NamesSectionData(std::span<const std::string> arguments)
{
    const auto endsWithD2d = [](const std::string &name) {
        if (name.size() < 4 || name.front() == '-') return false;
        std::string ending = name.substr(name.size() - 4);
        for (char &c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return ending == ".d2d";
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--kind" && i + 1 < arguments.size()) return arguments[i + 1] == "d2d";
        if (arguments[i] == "--kind=d2d") return true;
    }
    for (const std::string &argument : arguments)
        if (endsWithD2d(argument)) return true;
    return false;
}

int RunInvert(std::span<const std::string> arguments, CommandIo io)
{
    if (NamesSectionData(arguments)) return RunInvertSection(arguments, io);
    const ParsedArguments parsed = ParseArguments(arguments, InvertOptions);
    if (parsed.HelpWanted()) {
        io.out << InvertHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the sounding to invert");
    const std::string &fileName = parsed.Positional().front();
    const TDocumentKind kind = ResolveKind(fileName, parsed.Value(KindOption.name));
    if (kind != TDocumentKind::Data1D)
        throw UsageError("vesk invert takes 1D data (.d1d) or 2D data (.d2d), not " + std::string(KindWord(kind)));

    inversion::InversionOptions options;
    if (parsed.Has("smooth") && parsed.Has("layers"))
        throw UsageError("--layers and --smooth exclude each other");
    if (parsed.Has("smooth"))
        options.mode = inversion::InversionMode::Smooth;
    options.layers = static_cast<std::size_t>(
        parsed.Has("layers") ? ParseWholeNumber(*parsed.Value("layers"), "--layers", inversion::MinLayers,
                                                inversion::MaxLayers)
                             : DefaultLayers);
    std::optional<double> qualityLimit;
    if (const auto quality = parsed.Value("quality")) {
        qualityLimit = ParseNumber(*quality, "--quality");
        if (!(*qualityLimit >= 0.0 && *qualityLimit <= 100.0))
            throw UsageError("--quality: the limit must lie between 0 and 100 %");
    }
    const std::optional<std::string> output = parsed.Value("output");
    const std::optional<std::string> response = parsed.Value("response");
    if (output && response && *output == *response && *output != "-")
        throw UsageError("-o and --response name the same file");
    if (output && response && *output == "-" && *response == "-")
        throw UsageError("only one of -o and --response can go to standard output");
    for (const auto &target : {output, response})
        if (target)
            RefuseOutputOverInput(*target, {fileName});

    Session session(io.err);
    auto &document = static_cast<TnData1D &>(session.Open(fileName, kind));
    const inversion::SoundingSelection selection = inversion::SelectSoundingReadings(document.Measurements(), qualityLimit);
    inversion::InversionResult result;
    try {
        result = inversion::InvertSounding(selection.data, options);
    } catch (const std::invalid_argument &e) {
        throw DocumentFailure("'" + fileName + "' cannot be inverted: " + e.what() + "; nothing written");
    }
    // The table goes to standard error when standard output carries a CSV.
    const bool csvOnStandardOutput = (output && *output == "-") || (response && *response == "-");
    PrintResult(csvOnStandardOutput ? io.err : io.out, selection, result);
    if (output)
        WriteText(*output, ModelCsv(result), io.out);
    if (response)
        WriteText(*response, ResponseCsv(selection, result), io.out);
    return ExitSuccess;
}

} // namespace vesk::cli
