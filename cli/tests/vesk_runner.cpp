#include "vesk_runner.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace vesk::test {

namespace {

VeskRun RunProgram(std::vector<std::string> argv, const std::filesystem::path &folder)
{
    const std::filesystem::path outPath = folder / ".vesk-stdout";
    const std::filesystem::path errPath = folder / ".vesk-stderr";

    std::vector<char *> pointers;
    for (std::string &argument : argv) pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());

    pid_t child = 0;
    const int spawned = posix_spawn(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) throw std::runtime_error("cannot start " + argv.front());

    int waitStatus = 0;
    if (waitpid(child, &waitStatus, 0) != child) throw std::runtime_error("waiting for vesk failed");
    VeskRun run;
    run.status = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
    run.out = ReadBytes(outPath);
    run.err = ReadBytes(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return run;
}

} // namespace

VeskRun RunVesk(const std::vector<std::string> &arguments, const std::filesystem::path &folder)
{
    std::vector<std::string> argv{VESK_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProgram(argv, folder);
}

VeskRun RunVeskWithFileLimit(const std::vector<std::string> &arguments, const std::filesystem::path &folder,
                             int kilobytes)
{
    // bash counts ulimit -f in blocks of 1024 bytes.
    std::vector<std::string> argv{"/bin/bash", "-c",
                                  "ulimit -f " + std::to_string(kilobytes) + " && trap '' XFSZ && exec \"$0\" \"$@\"",
                                  VESK_BINARY};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunProgram(argv, folder);
}

std::string ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
    FPath = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

std::filesystem::path Example(const std::string &name)
{
    return std::filesystem::path(VESK_EXAMPLES_DIR) / name;
}

} // namespace vesk::test
