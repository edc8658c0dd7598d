#include "commands.h"

#include "argument_parser.h"
#include "command_support.h"

#include <exception>
#include <ostream>

namespace vesk::cli {

namespace {

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
           "Run 'vesk COMMAND --help' for the options of a command.\n"
           "Exit status: 0 success, 1 a document operation failed, 2 usage error.\n";
}

int RunCommandLine(std::span<const std::string> arguments, CommandIo io)
{
    if (arguments.empty()) {
        PrintOverview(io.err);
        return ExitUsage;
    }
    const std::string &name = arguments.front();
    if (name == "--help" || name == "-h" || name == "help") {
        PrintOverview(io.out);
        return ExitSuccess;
    }
    const Command *command = nullptr;
    for (const Command &candidate : Commands) {
        if (candidate.name == name) command = &candidate;
    }
    if (command == nullptr) {
        io.err << "vesk: unknown command '" << name << "'\n"
               << "Run 'vesk --help' for the list of commands.\n";
        return ExitUsage;
    }
    try {
        return command->run(arguments.subspan(1), io);
    } catch (const UsageError &error) {
        io.err << "vesk " << command->name << ": " << error.what() << "\n"
               << "Run 'vesk " << command->name << " --help' for its usage.\n";
        return ExitUsage;
    } catch (const DocumentFailure &error) {
        io.err << "vesk " << command->name << ": " << error.what() << "\n";
        return ExitDocumentFailed;
    } catch (const std::exception &error) {
        io.err << "vesk " << command->name << ": " << error.what() << "\n";
        return ExitDocumentFailed;
    }
}

} // namespace

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
