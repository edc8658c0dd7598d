// What the sub-commands share: the exit statuses, the session (a window-less
// host whose messages go to standard error, and the document store), opening
// a document of the kind the file name or --kind names, appending further
// 2D data files, the data filter options, and output to a file or to
// standard output.
#pragma once

#include "argument_parser.h"

#include "documents/PlainHost.h"
#include "documents/VeskConstants.h"
#include "documents/VeskStore.h"

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TCustomVeskObject;
class TnData2D;

namespace vesk::cli {

enum ExitStatus : int {
    ExitSuccess = 0,
    ExitDocumentFailed = 1, // a document operation failed; its message is on standard error
    ExitUsage = 2,
};

// A document operation failed. The document has already shown its own
// message; what() adds which file and which step, for standard error.
class DocumentFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The documents without a window: the plain host (or a host derived from it,
// e.g. one whose documents draw charts), with every message the documents
// show written to standard error as it comes, and the store.
class Session {
public:
    explicit Session(std::ostream &errors, std::unique_ptr<TPlainHost> host = std::make_unique<TPlainHost>());
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    TPlainHost &Host() { return *FHost; }
    TVeskStore &Store() { return FStore; }

    // Creates the document of the kind and loads the file into it. Throws
    // DocumentFailure when the load failed.
    TCustomVeskObject &Open(const std::string &fileName, TDocumentKind kind);
    // Creates a document of the kind without a file (sequences: the default
    // design, generated). Throws DocumentFailure when the generation failed.
    TCustomVeskObject &Create(TDocumentKind kind);

private:
    std::unique_ptr<TPlainHost> FHost;
    TVeskStore FStore; // declared after the host: its documents go first
};

// The "--kind" option shared by the commands that open files.
inline constexpr OptionDefinition KindOption{"kind", '\0', true, false};

// The kind to open the file as: --kind when given (s1d, s2d, d1d, d2d, d0d,
// any letter case), otherwise the kind its extension stands for.
TDocumentKind ResolveKind(const std::string &fileName, const std::optional<std::string> &kindOption);

// "s2d" and the like, for messages.
std::string_view KindWord(TDocumentKind kind);

// The "--append FILE" option and the data filter options.
inline constexpr OptionDefinition AppendOption{"append", '\0', true, true};
inline constexpr OptionDefinition FilterOptions[] = {
    {"quality", '\0', true, false},       {"voltage", '\0', true, false},
    {"current", '\0', true, false},       {"resistivity", '\0', true, false},
    {"chargeability", '\0', true, false}, {"sliding-average", '\0', true, false},
};
// The help lines describing them.
extern const char *const AppendHelp;
extern const char *const FilterHelp;

// Appends every --append file to the document, in order. Throws UsageError
// when files are given for a document that is not 2D data, DocumentFailure
// when one is not appended (it does not load, or is neither a roll-along
// spread of the same array type nor the other half of a pole-dipole pair).
void AppendFiles(const ParsedArguments &arguments, TCustomVeskObject &document);

// Switches on the filters the options name, with their bounds, and updates
// the document so that they take effect. Throws UsageError for a bad value
// (a quality outside 0 to 100 %, a negative bound),
// or for filters on a document that is not 2D data. Answers whether any
// filter option was given.
bool ApplyFilterOptions(const ParsedArguments &arguments, TCustomVeskObject &document);

// The measurements a save or export writes: for 2D data those shown and
// passing the filters, for the other kinds every one.
uint32_t MeasurementsWritten(TCustomVeskObject &document);

// Throws DocumentFailure ("no measurement passes the filters; nothing
// written") when the filters leave no measurement of 2D data.
void RequireMeasurementsLeft(TCustomVeskObject &document);

// Sets the coordinate mode of a 2D document's list from "--coords
// metres|numbers". Throws UsageError for another value or a 1D document.
inline constexpr OptionDefinition CoordsOption{"coords", '\0', true, false};
void ApplyCoordsOption(const ParsedArguments &arguments, TCustomVeskObject &document);

// Runs write(path) with the output path; for "-" with a temporary file whose
// bytes are then copied to `standardOutput`. Answers what write answered.
bool WriteOutput(const std::string &output, std::ostream &standardOutput,
                 const std::function<bool(const std::string &path)> &write);

} // namespace vesk::cli
