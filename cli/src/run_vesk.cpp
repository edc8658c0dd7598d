#include "commands.h"

#include "argument_parser.h"
#include "command_support.h"

#include <exception>
#include <string>
#include <vector>
#include <ostream>

namespace vesk::cli {

namespace {

// The library's result codes that a user can meet after "№" in a message.
const char *const ResultCodesHelp =
    "Result codes (the number after '№' in a message of the file and sequence library):\n"
    "  1        the file cannot be opened or created (the next line gives the reason)\n"
    "  2        the file's version byte is not one the operation reads: another kind of\n"
    "           file (the next line names the kind it looks like)\n"
    "  101-117  a required value was not passed (a fault of the program; please report it)\n"
    "Saving a sequence or data file:\n"
    "  201      there is no measurement to save\n"
    "  202      the array type is not one the file kind stores\n"
    "  203      the roll-along flag (2D) or the increment type (1D) is out of range\n"
    "  204      2D: the unit spacing is 0; 1D: the group count is 0 or above 4\n"
    "  205      2D: the group count is 0; 1D: the levels of the groups do not add up to\n"
    "           the count\n"
    "  206      2D: a measurement uses an electrode that is disabled, beyond 48 or used\n"
    "           twice; 1D: an increment is 0\n"
    "  207      1D: a group has no levels\n"
    "Generating a sequence:\n"
    "  201      the array type is unknown\n"
    "  202      the roll-along flag (2D) or the increment type (1D) is out of range\n"
    "  203      no spacing group, or (1D) more than one for Wenner, Wenner Beta, Wenner\n"
    "           Gamma and Pole Pole\n"
    "  204      2D: a spacing multiplier is 0; 1D: a first spacing is not above 0\n"
    "  205      2D: a group has no levels; 1D: an increment is not above 0 (geometric:\n"
    "           not above 1)\n"
    "  206      2D: a level step is 0; 1D: a group has no levels\n"
    "  207      2D: a start level is 0; 1D: the overlaps exceed the levels of the group\n"
    "           before\n";

void PrintVersion(std::ostream &out)
{
    out << "vesk (Quelvo Tools) " << VESK_VERSION << "\n"
        << "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

const Command *FindCommand(const std::string &name)
{
    for (const Command &candidate : Commands) {
        if (candidate.name == name) return &candidate;
    }
    return nullptr;
}

void PrintOverview(std::ostream &out)
{
    out << "Usage: vesk COMMAND [OPTIONS] [ARGUMENTS]\n"
           "\n"
           "The command-line companion of Quelvo Tools: opens, exports and saves the\n"
           "instrument's sequence and data files and designs sequences, as the program does.\n"
           "\n"
           "Commands:\n";
    for (const Command &command : Commands) {
        out << "  " << command.name << std::string(10 - command.name.size(), ' ') << command.summary << "\n";
    }
    out << "\n"
           "Run 'vesk COMMAND --help' (or 'vesk help COMMAND') for the options of a command;\n"
           "'vesk --version' shows the version.\n"
           "\n"
           "Exit status: 0 success, 1 a document operation failed (a file that cannot be\n"
           "read or written, filters that leave no measurement), 2 usage error (nothing is\n"
           "written).\n"
           "\n"
        << ResultCodesHelp;
}

int RunCommandLine(std::span<const std::string> arguments, CommandIo io)
{
    if (arguments.empty()) {
        PrintOverview(io.err);
        return ExitUsage;
    }
    std::string name = arguments.front();
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (name == "--version" || name == "-V") {
        PrintVersion(io.out);
        return ExitSuccess;
    }
    if (name == "help" && !rest.empty()) {
        // "vesk help COMMAND [...]" is "vesk COMMAND [...] --help".
        name = rest.front();
        rest.erase(rest.begin());
        rest.push_back("--help");
    }
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverview(io.out);
        return ExitSuccess;
    }
    const Command *command = FindCommand(name);
    if (command == nullptr) {
        io.err << "vesk: unknown command '" << name << "'\n"
               << "Run 'vesk --help' for the list of commands.\n";
        return ExitUsage;
    }
    return RunReported(*command, rest, io);
}

} // namespace

int RunReported(const Command &command, std::span<const std::string> arguments, CommandIo io)
{
    try {
        return command.run(arguments, io);
    } catch (const UsageError &error) {
        io.err << "vesk " << command.name << ": " << error.what() << "\n"
               << "Run 'vesk " << command.name << " --help' for its usage.\n";
        return ExitUsage;
    } catch (const DocumentFailure &error) {
        io.err << "vesk " << command.name << ": " << error.what() << "\n";
        return ExitDocumentFailed;
    } catch (const std::exception &error) {
        io.err << "vesk " << command.name << ": " << error.what() << "\n";
        return ExitDocumentFailed;
    }
}

int RunVesk(std::span<const std::string> arguments, CommandIo io)
{
    const int status = RunCommandLine(arguments, io);
    // Output that never reached its destination (a full disk, a closed pipe)
    // is a failure, not a success.
    io.out.flush();
    if (status == ExitSuccess && !io.out) {
        io.err << "vesk: cannot write to standard output\n";
        return ExitDocumentFailed;
    }
    return status;
}

} // namespace vesk::cli
