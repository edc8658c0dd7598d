// Memory per 0D reading: a series of 100,000 and 1,000,000 readings opened
// into the 0D presenter on the window's controls (the presenter tests'
// fixture, as `vesk plot` and the window show it: table, five curves,
// inspector page) and drawn once into a 1000 x 700 PNG.
//
// held_B_per_reading:  heap bytes the open document and its views keep
//                      (malloc's bytes in use after the picture, less before)
// peak_B_per_reading:  the process's peak resident memory over the open and
//                      the picture, less the resident memory before
// file_B_per_reading:  what the file stores per reading, for comparison
#include <benchmark/benchmark.h>

#include "PresenterFixture.h"

#include "controls/ChartPicture.h"
#include "synth/d0d_file.h"

#include <QApplication>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <vector>

namespace {

// Kilobytes of a field of /proc/self/status ("VmHWM", "VmRSS").
double StatusKilobytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(key.size()));
    return 0;
}

// Starts a new peak: the kernel sets VmHWM back to the current VmRSS.
void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks) + double(info.hblkhd);
}

// A series of `count` readings with values that vary as field readings do.
std::filesystem::path WriteSeries(const std::filesystem::path &folder, int64_t count)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> spread(0, 1000000);
    std::vector<synth::Reading> readings(static_cast<std::size_t>(count));
    for (synth::Reading &r : readings) {
        r.chargeability = spread(random);
        r.voltage = 50000 + spread(random);
        r.current = 20000 + spread(random) / 4;
        r.quality = spread(random) / 100;
        r.resistivityMilli = 100000 + spread(random);
    }
    const std::filesystem::path path = folder / ("series-" + std::to_string(count) + ".d0d");
    if (!synth::WriteD0dFile(path, readings, {0, 2, 6, 0, 0, 0})) throw std::runtime_error("cannot write " + path.string());
    return path;
}

void OpenAndDraw(benchmark::State &state)
{
    const int64_t count = state.range(0);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("data0d_memory_bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = WriteSeries(folder, count);
    double held = 0, peak = 0;
    for (auto _ : state) {
        malloc_trim(0);
        const double heapBefore = HeapInUse();
        const double residentBefore = StatusKilobytes("VmRSS");
        ResetPeak();
        {
            TPresenterFixture controls;
            controls.Create<TnData0D>(TDocumentKind::Data0D, QString::fromStdString(file.string()));
            const QByteArray png =
                ChartPictureBytes(*controls.Data0DChart.Chart, TPictureFormat::Png, QSize(1000, 700));
            benchmark::DoNotOptimize(png.size());
            held = HeapInUse() - heapBefore - double(png.size());
            peak = 1024.0 * (StatusKilobytes("VmHWM") - residentBefore);
        }
    }
    std::filesystem::remove_all(folder);
    state.counters["readings"] = double(count);
    state.counters["held_B_per_reading"] = held / double(count);
    state.counters["peak_B_per_reading"] = peak / double(count);
    state.counters["file_B_per_reading"] = 20;
}
BENCHMARK(OpenAndDraw)->Arg(100000)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
