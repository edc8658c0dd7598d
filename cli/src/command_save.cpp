// vesk save FILE -o OUT: load, append, filter and save as the program does.
#include "command_support.h"
#include "commands.h"
#include "output_checks.h"

#include "documents/VeskObjects.h"

#include <ostream>

namespace vesk::cli {

namespace {

const std::string SaveHelp = std::string(
    "Usage: vesk save FILE [--append FILE]... -o OUT [--in-place] [--kind KIND] [filters]\n"
    "\n"
    "Loads FILE, appends further spreads, applies the filters and saves the document\n"
    "as an instrument file, as the program's Save command does: 2D data as .d2d (the\n"
    "measurements that are filtered out or merged away are stored as not in use),\n"
    "1D data as .d1d, sequences as .s2d and .s1d. 0D data cannot be saved. 2D data\n"
    "is saved in the current format (122), also when FILE is an instrument (221) or\n"
    "old (121) file.\n"
    "\n"
    "  -o, --output OUT       the file to write; '-' writes to standard output. Its\n"
    "                         extension, when it names a kind, must name the kind saved\n"
    "  --in-place             allow OUT to be FILE (or an appended file) itself: the\n"
    "                         filtering then becomes permanent in the only copy\n"
    "  --kind KIND            open FILE as s1d, s2d, d1d, d2d or d0d whatever its extension\n") +
    AppendHelp + "\n" + FilterHelp +
    "The sliding average changes only what is shown and exported: the file stores the\n"
    "readings, so save refuses --sliding-average.\n";

const OptionDefinition SaveOptions[] = {
    KindOption,       AppendOption,     {"output", 'o', true, false}, FilterOptions[0], FilterOptions[1],
    FilterOptions[2], FilterOptions[3], FilterOptions[4],             FilterOptions[5],
    {"in-place", '\0', false, false},
};

// The 2D data versions that saving turns into the current one.
bool IsOlder2DVersion(uint8_t version)
{
    constexpr uint8_t InstrumentVersion = 221;
    constexpr uint8_t OldVersion = 121;
    return version == InstrumentVersion || version == OldVersion;
}

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

    if (parsed.Has("sliding-average")) {
        throw UsageError("--sliding-average: the saved file stores the readings, not smoothed values, so it would "
                         "not change what is saved (use it with export)");
    }
    if (!parsed.Has("in-place")) {
        std::vector<std::string> inputs = parsed.Values(AppendOption.name);
        inputs.push_back(fileName);
        RefuseOutputOverInput(*output, inputs, "--in-place");
    }
    RequireInstrumentOutput(*output, kind, "-o");

    // Read before saving: with --in-place the file is then replaced.
    const std::optional<uint8_t> version = FirstByteOf(fileName);
    Session session(io.err);
    TCustomVeskObject &document = session.Open(fileName, kind);
    AppendFiles(parsed, document);
    if (ApplyFilterOptions(parsed, document)) RequireMeasurementsLeft(document);

    const bool written = WriteOutput(*output, io.out, [&](const std::string &path) {
        return document.SaveToFile(path);
    });
    if (!written) throw DocumentFailure("saving to '" + *output + "' failed");
    if (kind == TDocumentKind::Data2D && version && IsOlder2DVersion(*version)) {
        io.err << "note: '" << fileName << "' is in format " << int{*version}
               << "; it was saved in the current format (122)\n";
    }
    return ExitSuccess;
}

} // namespace vesk::cli
