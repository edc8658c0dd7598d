// vesk export FILE: the document's text export (Res2DInv, CSV or the unified
// data format of pyGIMLi/BERT).
#include "command_support.h"
#include "commands.h"
#include "output_checks.h"

#include "documents/VeskObjects.h"

#include <filesystem>
#include <ostream>

namespace vesk::cli {

namespace {

const std::string ExportHelp = std::string(
    "Usage: vesk export FILE [--append FILE]... [--format res2dinv|csv|bert] [-o OUT]\n"
    "                   [--coords metres|numbers] [--kind KIND] [filters]\n"
    "\n"
    "Loads FILE, appends further spreads, applies the filters and writes the\n"
    "document's export, as the program's Export command does: 2D data as a Res2DInv\n"
    "general-array file (default), CSV or the unified data format of pyGIMLi/BERT\n"
    "(.ohm, also read by ResIPy); 1D data, 0D data and 2D sequences as CSV.\n"
    "1D sequences have no export.\n"
    "\n"
    "  -o, --output OUT       the file to write; '-' writes to standard output\n"
    "                         (default: FILE with the extension .dat, .csv or .ohm; what was\n"
    "                         written is then reported on standard error). It must not be\n"
    "                         FILE or an appended file, nor name an instrument file\n"
    "  --format FORMAT        res2dinv, csv or bert (default: what OUT's extension names,\n"
    "                         .dat Res2DInv, .csv CSV, .ohm bert; otherwise Res2DInv for\n"
    "                         2D data)\n"
    "  --coords MODE          electrode positions of 2D sequences in metres (default) or\n"
    "                         as electrode numbers (2D data exports always use metres)\n"
    "  --kind KIND            open FILE as s1d, s2d, d1d, d2d or d0d whatever its extension\n") +
    AppendHelp + "\n" + FilterHelp;

const OptionDefinition ExportOptions[] = {
    KindOption,         AppendOption,       CoordsOption,       {"format", '\0', true, false},
    {"output", 'o', true, false}, FilterOptions[0], FilterOptions[1], FilterOptions[2],
    FilterOptions[3],   FilterOptions[4],   FilterOptions[5],
};

std::optional<TextFormat> ParseFormat(const std::optional<std::string> &format)
{
    if (!format) return std::nullopt;
    if (*format == "res2dinv") return TextFormat::Res2DInv;
    if (*format == "csv") return TextFormat::Csv;
    if (*format == "bert") return TextFormat::Bert;
    throw UsageError("--format: '" + *format + "' is none of 'res2dinv', 'csv' and 'bert'");
}

std::string_view FormatWord(TextFormat format)
{
    switch (format) {
    case TextFormat::Res2DInv: return "res2dinv";
    case TextFormat::Csv: return "csv";
    case TextFormat::Bert: return "bert";
    }
    return {};
}

std::string_view ExtensionMeaning(TextFormat format)
{
    switch (format) {
    case TextFormat::Res2DInv: return ".dat is Res2DInv";
    case TextFormat::Csv: return ".csv is CSV";
    case TextFormat::Bert: return ".ohm is bert";
    }
    return {};
}

// The export filter index for the document's kind, --format and the output's
// extension: an explicit format must agree with the extension, and without
// one the extension chooses.
int32_t FilterIndex(TDocumentKind kind, const std::optional<std::string> &formatOption,
                    const std::optional<std::string> &output)
{
    if (kind == TDocumentKind::Seq1D) throw UsageError("1D sequences (.s1d) have no text export");
    const std::optional<TextFormat> asked = ParseFormat(formatOption);
    const std::optional<TextFormat> named = output ? TextFormatOfOutput(*output, "-o") : std::nullopt;
    if (asked && named && *asked != *named) {
        throw UsageError("--format " + std::string(FormatWord(*asked)) + " contradicts the output name '" + *output +
                         "' (" + std::string(ExtensionMeaning(*named)) + ")");
    }
    const std::optional<TextFormat> format = asked ? asked : named;
    if (kind == TDocumentKind::Data2D) {
        if (format == TextFormat::Csv) return ExportFilterCsv2D;
        return format == TextFormat::Bert ? ExportFilterUnified2D : ExportFilterRes2DInv;
    }
    if (format && *format != TextFormat::Csv) {
        const bool bert = *format == TextFormat::Bert;
        throw UsageError(std::string(asked ? "--format " + std::string(FormatWord(*format))
                                           : "the output name '" + *output + (bert ? "' (.ohm)" : "' (.dat)")) +
                         ": only 2D data (.d2d) exports as " + (bert ? "the BERT format" : "Res2DInv") + "; " +
                         std::string(KindDescription(kind)) + " exports as CSV");
    }
    return ExportFilterCsv;
}

std::string DefaultOutput(const std::string &fileName, TDocumentKind kind, int32_t filterIndex)
{
    // 2D data: the extension of the filter index; every other kind writes CSV.
    const std::size_t extension = kind == TDocumentKind::Data2D ? static_cast<std::size_t>(filterIndex - 1) : 1;
    std::filesystem::path path(fileName);
    path.replace_extension(std::string(ExportDefaultExtensions.at(extension)));
    return path.string();
}

} // namespace

int RunExport(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, ExportOptions);
    if (parsed.HelpWanted()) {
        io.out << ExportHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the file to export");
    const std::string &fileName = parsed.Positional().front();
    const TDocumentKind kind = ResolveKind(fileName, parsed.Value(KindOption.name));
    const std::optional<std::string> givenOutput = parsed.Value("output");
    std::vector<std::string> inputs = parsed.Values(AppendOption.name);
    inputs.push_back(fileName);
    if (givenOutput) RefuseOutputOverInput(*givenOutput, inputs);
    const int32_t filterIndex = FilterIndex(kind, parsed.Value("format"), givenOutput);
    const std::string output = givenOutput.value_or(DefaultOutput(fileName, kind, filterIndex));
    RefuseOutputOverInput(output, inputs);
    if (kind == TDocumentKind::Data2D && parsed.Value(CoordsOption.name).value_or("metres") == "numbers") {
        throw UsageError("--coords numbers: 2D data exports always give electrode positions in metres");
    }

    Session session(io.err);
    TCustomVeskObject &document = session.Open(fileName, kind);
    AppendFiles(parsed, document);
    if (ApplyFilterOptions(parsed, document)) RequireMeasurementsLeft(document);
    ApplyCoordsOption(parsed, document);

    const bool written = WriteOutput(output, io.out, [&](const std::string &path) {
        return document.Export(path, filterIndex);
    });
    if (!written) throw DocumentFailure("the export to '" + output + "' failed");
    if (!givenOutput) {
        io.err << "wrote " << output << ": " << MeasurementsWritten(document) << " measurements\n";
    }
    return ExitSuccess;
}

} // namespace vesk::cli
