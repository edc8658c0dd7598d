// What vesk does to protect the user's files: a named pipe is never opened,
// an export that fails midway leaves the old file, an output that is one of
// the inputs is refused, and the export format follows the output's name.
// Also the conventions of a command-line tool: --version, help COMMAND, the
// result codes in --help and the notes on standard error.
#include "vesk_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace vesk::test {
namespace {

TEST(VeskFileSafety, ANamedPipeIsRefusedWithoutWaitingForAWriter)
{
    ScratchFolder folder;
    const std::filesystem::path pipe = folder / "f.d2d";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    // Should vesk open the pipe, it would wait for a writer for ever: a
    // watchdog plays the writer after a while, and tells that it was needed.
    std::atomic<bool> done{false};
    std::atomic<bool> readerWaited{false};
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            if (std::chrono::steady_clock::now() < deadline - std::chrono::seconds(15)) continue;
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) { // someone is reading
                readerWaited = true;
                ::close(fd);
            }
        }
    });
    const VeskRun run = RunVesk({"info", "f.d2d"}, folder.Path());
    done = true;
    watchdog.join();
    EXPECT_FALSE(readerWaited);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\ncannot open 'f.d2d': it is a named pipe, not a regular file\n"), std::string::npos)
        << run.err;
}

TEST(VeskFileSafety, AnExportOnAFullDiskLeavesTheOldFileAndNoTemporary)
{
    ScratchFolder folder;
    const std::string earlier = "the export of yesterday\r\n";
    WriteBytes(folder / "out.dat", earlier);
    // The Res2DInv export of the Wenner profile is about 13 KB; 4 KB fit.
    const VeskRun run =
        RunVeskWithFileLimit({"export", Example("wenner.d2d").string(), "-o", "out.dat"}, folder.Path(), 4);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Ошибка при экспорте файла out.dat\ncannot write 'out.dat': File too large\n"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(folder / "out.dat"), earlier);
    for (const auto &entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_EQ(entry.path().filename(), "out.dat");
}

struct SameFileCase {
    std::string name;
    std::vector<std::string> arguments; // run in a folder with w.d2d, its links and r.d2d
};

void PrintTo(const SameFileCase &c, std::ostream *out) { *out << c.name; }

class VeskSameFile : public testing::TestWithParam<SameFileCase> {};

TEST_P(VeskSameFile, AnOutputThatIsAnInputIsAUsageError)
{
    const SameFileCase &c = GetParam();
    ScratchFolder folder;
    std::filesystem::copy_file(Example("wenner.d2d"), folder / "w.d2d");
    std::filesystem::copy_file(Example("wenner-roll.d2d"), folder / "r.d2d");
    std::filesystem::create_symlink("w.d2d", folder / "link.d2d");
    std::filesystem::create_hard_link(folder / "w.d2d", folder / "hard.d2d");
    std::filesystem::create_symlink("w.d2d", folder / "link.csv");
    const VeskRun run = RunVesk(c.arguments, folder.Path());
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find("writing it would replace what was read; nothing written"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(folder / "w.d2d"), ReadBytes(Example("wenner.d2d")));
    EXPECT_EQ(ReadBytes(folder / "r.d2d"), ReadBytes(Example("wenner-roll.d2d")));
}

INSTANTIATE_TEST_SUITE_P(
    Files, VeskSameFile,
    testing::Values(SameFileCase{"ExportOverItsFile", {"export", "w.d2d", "--format", "csv", "-o", "w.d2d"}},
                    SameFileCase{"ExportThroughASymbolicLink", {"export", "w.d2d", "-o", "link.csv"}},
                    SameFileCase{"SaveOverItsFile", {"save", "w.d2d", "--quality", "1", "-o", "w.d2d"}},
                    SameFileCase{"SaveOverAHardLink", {"save", "hard.d2d", "-o", "w.d2d"}},
                    SameFileCase{"SaveOverASymbolicLink", {"save", "w.d2d", "-o", "link.d2d"}},
                    SameFileCase{"SaveOverAnAppendedFile", {"save", "w.d2d", "--append", "r.d2d", "-o", "r.d2d"}}),
    [](const testing::TestParamInfo<SameFileCase> &info) { return info.param.name; });

TEST(VeskFileSafety, InPlaceSavesOverTheInputOnPurpose)
{
    ScratchFolder folder;
    std::filesystem::copy_file(Example("wenner.d2d"), folder / "same.d2d");
    VeskRun run = RunVesk({"save", "same.d2d", "--quality", "1", "-o", "same.d2d", "--in-place"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    run = RunVesk({"save", Example("wenner.d2d").string(), "--quality", "1", "-o", "other.d2d"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "same.d2d"), ReadBytes(folder / "other.d2d"));
    EXPECT_NE(ReadBytes(folder / "same.d2d"), ReadBytes(Example("wenner.d2d")));
}

TEST(VeskFileSafety, TheExportFormatFollowsTheOutputsExtension)
{
    ScratchFolder folder;
    const std::string wenner = Example("wenner.d2d").string();
    const struct {
        std::string output;
        std::string format;
    } cases[] = {{"w.csv", "csv"}, {"W.CSV", "csv"}, {"w.dat", "res2dinv"}, {"w.txt", "res2dinv"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.output);
        VeskRun run = RunVesk({"export", wenner, "-o", c.output}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, ""); // the output was named: nothing to report
        run = RunVesk({"export", wenner, "--format", c.format, "-o", "-"}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes(folder / c.output), run.out);
    }
    EXPECT_EQ(ReadBytes(folder / "w.csv").rfind("# ,A ,B ,M ,N ,Rho ,C ,U ,I ,Q\r\n", 0), 0u);
}

TEST(VeskMessages, WhatIsWrittenWithoutAnOutputNameIsSaid)
{
    ScratchFolder folder;
    std::filesystem::copy_file(Example("wenner.d2d"), folder / "wenner.d2d");
    VeskRun run = RunVesk({"export", "wenner.d2d"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "wrote wenner.dat: 162 measurements\n");
    run = RunVesk({"export", "wenner.d2d", "--quality", "1"}, folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err.rfind("wrote wenner.dat: ", 0), 0u);
    EXPECT_NE(run.err, "wrote wenner.dat: 162 measurements\n");

    // Saving an instrument or old-format file writes the current format.
    for (const std::string example : {"instrument-221.d2d", "old-format-121.d2d"}) {
        run = RunVesk({"save", Example(example).string(), "-o", "saved.d2d"}, folder.Path());
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.err.find("' is in format " + example.substr(example.size() - 7, 3) +
                               "; it was saved in the current format (122)\n"),
                  std::string::npos)
            << run.err;
        EXPECT_EQ(ReadBytes(folder / "saved.d2d").front(), static_cast<char>(122));
    }
    run = RunVesk({"save", Example("wenner.d2d").string(), "-o", "saved.d2d"}, folder.Path());
    EXPECT_EQ(run.err, "");
}

TEST(VeskConventions, VersionHelpCommandAndResultCodes)
{
    ScratchFolder folder;
    VeskRun run = RunVesk({"--version"}, folder.Path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("vesk (Quelvo Tools) ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find("GPL-3.0-or-later"), std::string::npos);

    for (const std::string command : {"info", "export", "save", "synth"}) {
        const VeskRun help = RunVesk({"help", command}, folder.Path());
        const VeskRun option = RunVesk({command, "--help"}, folder.Path());
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_EQ(help.out, option.out) << command;
        EXPECT_EQ(help.out.rfind("Usage: vesk " + command, 0), 0u) << command;
    }
    EXPECT_EQ(RunVesk({"help", "sequence", "2d"}, folder.Path()).out,
              RunVesk({"sequence", "2d", "--help"}, folder.Path()).out);
    EXPECT_EQ(RunVesk({"help", "frobnicate"}, folder.Path()).status, 2);

    run = RunVesk({"--help"}, folder.Path());
    for (const std::string line : {"\n  1        the file cannot be opened or created", "\n  2        the file's version",
                                   "\n  201      there is no measurement to save", "\n  207      2D: a start level is 0"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
}

} // namespace
} // namespace vesk::test
