// `vesk plot` drawing a long roll-along line (roll_along_line.h, 40 spreads)
// into a PNG, once given as 40 appended files and once as one joined file,
// against a matplotlib + SciPy script a geophysicist would write
// (matplotlib_plot.py) on the same points, in interleaved rounds. Each
// program is timed as a whole process, from its start to its end (wall time
// and the CPU time it used); the medians of the rounds and their ratios are
// printed with the load of the machine before and after.
//
// Usage: plot_cli_bench [ROUNDS] [SPREADS]
#include "roll_along_line.h"

#include "documents/PlainHost.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char **environ;

namespace {

using namespace BenchLine;

struct TProcessTime {
    double WallMs = -1;
    double CpuMs = -1;
};

// Runs the command with its output thrown away; wall and CPU time, or -1
// when it could not start or did not succeed.
TProcessTime Run(const std::vector<std::string> &words)
{
    std::vector<char *> argv;
    for (const std::string &word : words) argv.push_back(const_cast<char *>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return {};
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    TProcessTime time;
    time.WallMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    time.CpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                 (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-3;
    return time;
}

double Median(std::vector<double> values)
{
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string LoadText()
{
    double load[3] = {0, 0, 0};
    if (getloadavg(load, 3) != 3) return "unknown";
    char text[64];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

// The points the picture shows (the measurements kept after merging) as
// float64 triples for the script.
bool WritePoints(const std::string &joined, const std::string &path)
{
    TPlainHost host;
    TnData2D document(host);
    if (!document.LoadFromFile(joined)) return false;
    const TMeasurements2D &list = document.Measurements();
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.NotMergedFlag(i)) continue;
        const double triple[3] = {list.MidPoint(i), list.PseudoDepth(i), list.ApparentResistivity(i)};
        std::fwrite(triple, sizeof triple, 1, file);
    }
    return std::fclose(file) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int spreads = argc > 2 ? std::max(2, std::atoi(argv[2])) : 40;
    TTempFolder folder;
    const std::vector<std::string> paths = WriteSpreads(folder, spreads);
    const std::string joined = folder.File("joined.d2d"), points = folder.File("points.bin");

    std::vector<std::string> appended{VESK_PROGRAM, "plot", paths.front()};
    for (std::size_t s = 1; s < paths.size(); ++s) {
        appended.push_back("--append");
        appended.push_back(paths[s]);
    }
    std::vector<std::string> save = appended;
    save[1] = "save";
    save.insert(save.end(), {"-o", joined});
    appended.insert(appended.end(), {"-o", folder.File("appended.png")});
    if (Run(save).WallMs < 0 || !WritePoints(joined, points)) {
        std::fprintf(stderr, "plot_cli_bench: cannot join the spreads with %s\n", VESK_PROGRAM);
        return 1;
    }
    const std::vector<std::string> one{VESK_PROGRAM, "plot", joined, "-o", folder.File("one.png")};

    struct TCase {
        const char *Name;
        std::vector<std::string> Command;
        std::vector<double> Wall, Cpu;
    };
    std::vector<TCase> cases;
    for (const char *method : {"idw", "akima"}) {
        std::vector<std::string> a = appended, o = one;
        a.insert(a.end(), {"--gridding", method});
        o.insert(o.end(), {"--gridding", method});
        const std::string peer = method == std::string("akima") ? "akima" : "inverse-distance";
        cases.push_back({method == std::string("akima") ? "vesk plot, appended files, akima"
                                                        : "vesk plot, appended files, idw",
                         a, {}, {}});
        cases.push_back({method == std::string("akima") ? "vesk plot, one file, akima" : "vesk plot, one file, idw",
                         o, {}, {}});
        cases.push_back({method == std::string("akima") ? "matplotlib script, akima (cubic)"
                                                        : "matplotlib script, idw",
                         {"/usr/bin/python3", MATPLOTLIB_PLOT_SCRIPT, points, peer, folder.File("peer.png")},
                         {},
                         {}});
    }

    std::printf("`vesk plot` PNG of %d spreads against a matplotlib + SciPy script, %d interleaved rounds\n",
                spreads, rounds);
    std::printf("load before: %s\n", LoadText().c_str());
    for (int round = 0; round < rounds; ++round) {
        for (TCase &c : cases) {
            const TProcessTime time = Run(c.Command);
            if (time.WallMs < 0) {
                std::fprintf(stderr, "plot_cli_bench: '%s' failed\n", c.Name);
                return 1;
            }
            c.Wall.push_back(time.WallMs);
            c.Cpu.push_back(time.CpuMs);
        }
    }
    std::printf("load after:  %s\n", LoadText().c_str());
    std::printf("%-36s %12s %12s %16s\n", "", "wall ms", "CPU ms", "wall / peer's");
    for (std::size_t k = 0; k < cases.size(); ++k) {
        const TCase &c = cases[k];
        const TCase &peer = cases[k - k % 3 + 2];
        std::printf("%-36s %12.1f %12.1f %16.3f\n", c.Name, Median(c.Wall), Median(c.Cpu),
                    Median(c.Wall) / Median(peer.Wall));
    }
    return 0;
}
