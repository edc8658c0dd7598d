// vesk export FILE: the document's text export (Res2DInv or CSV).
#include "command_support.h"
#include "commands.h"

#include "documents/VeskObjects.h"

#include <filesystem>
#include <ostream>

namespace vesk::cli {

namespace {

const std::string ExportHelp = std::string(
    "Usage: vesk export FILE [--append FILE]... [--format res2dinv|csv] [-o OUT]\n"
    "                   [--coords metres|numbers] [--kind KIND] [filters]\n"
    "\n"
    "Loads FILE, appends further spreads, applies the filters and writes the\n"
    "document's export, as the program's Export command does: 2D data as a Res2DInv\n"
    "general-array file (default) or CSV; 1D data, 0D data and 2D sequences as CSV.\n"
    "1D sequences have no export.\n"
    "\n"
    "  -o, --output OUT       the file to write; '-' writes to standard output\n"
    "                         (default: FILE with the extension .dat or .csv)\n"
    "  --format FORMAT        res2dinv or csv\n"
    "  --coords MODE          electrode positions of 2D sequences in metres (default) or\n"
    "                         as electrode numbers\n"
    "  --kind KIND            open FILE as s1d, s2d, d1d, d2d or d0d whatever its extension\n") +
    AppendHelp + "\n" + FilterHelp;

const OptionSpec ExportOptions[] = {
    KindOption,         AppendOption,       CoordsOption,       {"format", '\0', true, false},
    {"output", 'o', true, false}, FilterOptions[0], FilterOptions[1], FilterOptions[2],
    FilterOptions[3],   FilterOptions[4],   FilterOptions[5],
};

// The export filter index for the document's kind and the --format option.
int32_t FilterIndex(TDocumentKind kind, const std::optional<std::string> &format)
{
    if (kind == TDocumentKind::Seq1D) throw UsageError("1D sequences (.s1d) have no text export");
    if (format && *format != "res2dinv" && *format != "csv") {
        throw UsageError("--format: '" + *format + "' is neither 'res2dinv' nor 'csv'");
    }
    if (kind == TDocumentKind::Data2D) {
        return format && *format == "csv" ? ExportFilterCsv2D : ExportFilterRes2DInv;
    }
    if (format && *format == "res2dinv") throw UsageError("--format res2dinv applies to 2D data (.d2d) only");
    return ExportFilterCsv;
}

std::string DefaultOutput(const std::string &fileName, TDocumentKind kind, int32_t filterIndex)
{
    const bool res2dinv = kind == TDocumentKind::Data2D && filterIndex == ExportFilterRes2DInv;
    std::filesystem::path path(fileName);
    path.replace_extension(std::string(ExportDefaultExtensions[res2dinv ? 0 : 1]));
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
    const int32_t filterIndex = FilterIndex(kind, parsed.Value("format"));
    const std::string output = parsed.Value("output").value_or(DefaultOutput(fileName, kind, filterIndex));

    Session session(io.err);
    TCustomVeskObject &document = session.Open(fileName, kind);
    AppendFiles(parsed, document);
    ApplyFilterOptions(parsed, document);
    ApplyCoordsOption(parsed, document);

    const bool written = WriteOutput(output, io.out, [&](const std::string &path) {
        return document.Export(path, filterIndex);
    });
    if (!written) throw DocumentFailure("the export to '" + output + "' failed");
    return ExitSuccess;
}

} // namespace vesk::cli
