// vesk plot: hands the command line to vesk-plot, the picture program built
// with the desktop program, which draws through the program's own charts.
// vesk itself stays free of the window libraries; the two are installed side
// by side.
#include "command_support.h"
#include "commands.h"
#include "plot_program_environment.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <vector>

extern char **environ;

namespace vesk::cli {

namespace {

constexpr const char *PlotProgramName = "vesk-plot";

// vesk-plot in the folder of the running vesk; empty when it is not there.
std::filesystem::path PlotProgramBeside()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    std::filesystem::path program = self.parent_path() / PlotProgramName;
    if (access(program.c_str(), X_OK) != 0) return {};
    return program;
}

} // namespace

int RunPlotProgram(std::span<const std::string> arguments, CommandIo io)
{
    const std::filesystem::path program = PlotProgramBeside();
    if (program.empty()) {
        throw DocumentFailure(std::string("the picture program ") + PlotProgramName +
                              " is not installed beside vesk; it is built together with the desktop program");
    }
    std::vector<std::string> words{PlotProgramName};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (std::string &word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    // The picture program ends with this vesk (it reads its parent's id from
    // the environment), so that a killed vesk leaves no picture to appear later.
    std::vector<std::string> entries = PlotProgramEnvironment(environ, static_cast<long>(getpid()));
    std::vector<char *> environment;
    for (std::string &entry : entries) environment.push_back(entry.data());
    environment.push_back(nullptr);

    // What vesk wrote so far comes before the picture program's own output.
    io.out.flush();
    io.err.flush();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environment.data());
    if (spawned != 0) {
        throw DocumentFailure("cannot start " + program.string() + ": " + std::strerror(spawned));
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) throw DocumentFailure(std::string("lost the picture program: ") + std::strerror(errno));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    io.err << "vesk plot: the picture program ended by signal " << WTERMSIG(status) << "\n";
    return ExitDocumentFailed;
}

} // namespace vesk::cli
