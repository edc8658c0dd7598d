// Runs the built vesk program as a subprocess and collects what it did, and
// the small file helpers the end-to-end tests share.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vesk::test {

struct VeskRun {
    int status = -1;     // exit status; -1 when the program did not exit normally
    std::string out;     // standard output
    std::string err;     // standard error
};

// Runs `vesk arguments...` with the working folder `folder`.
VeskRun RunVesk(const std::vector<std::string> &arguments, const std::filesystem::path &folder);

// Runs vesk as RunVesk does, with files limited to `kilobytes` (as on a disk
// that is full beyond that size): through the shell's ulimit, with the
// signal of an oversized write ignored so that the write fails instead.
VeskRun RunVeskWithFileLimit(const std::vector<std::string> &arguments, const std::filesystem::path &folder,
                             int kilobytes);

// The bytes of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path &path);
void WriteBytes(const std::filesystem::path &path, const std::string &bytes);

// A fresh folder under the system's temporary folder, removed with its
// contents on destruction.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::filesystem::path &Path() const { return FPath; }
    std::filesystem::path operator/(const std::string &name) const { return FPath / name; }

private:
    std::filesystem::path FPath;
};

// The bundled example files.
std::filesystem::path Example(const std::string &name);

} // namespace vesk::test
