// vesk save FILE -o OUT: load, append, filter and save as the program does.
#include "command_support.h"
#include "commands.h"

#include "documents/VeskObjects.h"

#include <ostream>

namespace vesk::cli {

namespace {

const std::string SaveHelp = std::string(
    "Usage: vesk save FILE [--append FILE]... -o OUT [--kind KIND] [filters]\n"
    "\n"
    "Loads FILE, appends further spreads, applies the filters and saves the document\n"
    "as an instrument file, as the program's Save command does: 2D data as .d2d (the\n"
    "measurements that are filtered out or merged away are stored as not in use),\n"
    "1D data as .d1d, sequences as .s2d and .s1d. 0D data cannot be saved.\n"
    "\n"
    "  -o, --output OUT       the file to write; '-' writes to standard output\n"
    "  --kind KIND            open FILE as s1d, s2d, d1d, d2d or d0d whatever its extension\n") +
    AppendHelp + "\n" + FilterHelp;

const OptionSpec SaveOptions[] = {
    KindOption,       AppendOption,     {"output", 'o', true, false}, FilterOptions[0], FilterOptions[1],
    FilterOptions[2], FilterOptions[3], FilterOptions[4],             FilterOptions[5],
};

} // namespace

int RunSave(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, SaveOptions);
    if (parsed.HelpWanted()) {
        io.out << SaveHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the file to save");
    const std::string &fileName = parsed.Positional().front();
    const TDocumentKind kind = ResolveKind(fileName, parsed.Value(KindOption.name));
    if (kind == TDocumentKind::Data0D) throw UsageError("0D data (.d0d) cannot be saved");
    const std::optional<std::string> output = parsed.Value("output");
    if (!output) throw UsageError("missing -o OUT, the file to write");

    Session session(io.err);
    TCustomVeskObject &document = session.Open(fileName, kind);
    AppendFiles(parsed, document);
    ApplyFilterOptions(parsed, document);

    const bool written = WriteOutput(*output, io.out, [&](const std::string &path) {
        return document.SaveToFile(path);
    });
    if (!written) throw DocumentFailure("saving to '" + *output + "' failed");
    return ExitSuccess;
}

} // namespace vesk::cli
