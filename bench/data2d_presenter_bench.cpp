// The 2D data presenter on long roll-along lines (roll_along_line.h): a
// filter change read from the inspector page, the filters, the table refill,
// the gridding, the map and the points painted once; and a redraw after a
// sort, which does not change the drawn set and so does not grid again.
// Both gridding methods, on 5 and 40 spreads. The map is gridded on other
// threads while the table fills, so the time of a frame is the wall time;
// the CPU column is that of the whole process. After the runs, the same filter
// change on the same line redrawn by a live matplotlib figure
// (matplotlib_section.py), in the same run, with the ratio of the medians.
#include "roll_along_line.h"

#include <benchmark/benchmark.h>

#include "Data2DFixture.h"
#include "presentation/RedrawMemory.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <memory>
#include <unistd.h>

namespace {

using namespace BenchLine;

// The window's 2D data controls (the presenter tests' fixture) at a usual
// size, with a joined line shown.
struct TShownLine {
    TShownLine(int64_t spreads, int method) : Paths(WriteSpreads(Folder, spreads))
    {
        Controls.Chart.resize(900, 500);
        Controls.Table.resize(600, 500);
        Document = std::make_unique<TnData2D>(Controls.DocumentHost);
        JoinSpreads(*Document, Paths);
        Document->Presenter().ShowAll();
        Controls.Page.NxComboBoxItem_D2D_ApproximationType->userSetValue(method);
        Controls.Page.NxCheckBoxItem_VoltageFilter->userSetValue(true);
        Document->Update();
    }

    TTempFolder Folder;
    std::vector<std::string> Paths;
    TData2DFixture Controls;
    std::unique_ptr<TnData2D> Document;
};

const char *MethodName(int method) { return method == 0 ? "Akima" : "inverse distance"; }

// range(0) spreads, range(1) gridding method (0 Akima, 1 inverse distance).
void BM_FilterChangeRedraw(benchmark::State &state)
{
    TShownLine line(state.range(0), int(state.range(1)));
    // Each step moves the lowest accepted voltage, so the drawn set changes.
    const double limits[] = {5.0, 40.0};
    int step = 0;
    for (auto _ : state) {
        line.Controls.Page.NxSpinItem_VoltageMinValue->userSetValue(limits[step++ % 2]);
        line.Document->Update();
        line.Controls.Chart.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetLabel(MethodName(int(state.range(1))));
    state.counters["measurements"] = line.Document->Measurements().Count;
    state.counters["drawn"] = line.Controls.ChartParts.Series_Points->Count();
}
BENCHMARK(BM_FilterChangeRedraw)
    ->ArgNames({"spreads", "method"})
    ->ArgsProduct({{5, 40}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_SortRedraw(benchmark::State &state)
{
    TShownLine line(state.range(0), int(state.range(1)));
    auto &presenter = dynamic_cast<TGUIData2D &>(line.Document->Presenter());
    int step = 0;
    for (auto _ : state) {
        line.Controls.Table.SortByColumn(TGUIData2D::ColumnResistivity, step++ % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        presenter.TableSorted(TGUIData2D::ColumnResistivity);
        line.Controls.Chart.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetLabel(MethodName(int(state.range(1))));
    state.counters["measurements"] = line.Document->Measurements().Count;
}
BENCHMARK(BM_SortRedraw)
    ->ArgNames({"spreads", "method"})
    ->ArgsProduct({{5, 40}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Prints as usual and keeps the median real time of every repeated benchmark.
class TRecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                Medians[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Medians; // milliseconds
};

// The median milliseconds of matplotlib's redraw of the line after the same
// filter change, and the points it drew; -1 when Python or matplotlib is missing.
std::pair<double, double> MatplotlibRedraw(int64_t spreads, int method)
{
    TShownLine line(spreads, method);
    const TMeasurements2D &list = line.Document->Measurements();
    char path[] = "/tmp/data2d_presenter_bench_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) return {-1, 0};
    FILE *file = fdopen(fd, "wb");
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.IsShown(i)) continue;
        const double quadruple[4] = {list.MidPoint(i), list.PseudoDepth(i), list.ShownValue(i), list.VoltageMV(i)};
        std::fwrite(quadruple, sizeof quadruple, 1, file);
    }
    std::fclose(file);
    const std::string command = std::string("/usr/bin/python3 ") + MATPLOTLIB_SECTION_SCRIPT + " " + path + " " +
                                (method == 0 ? "akima" : "inverse-distance") + " 9 2>/dev/null";
    double milliseconds = -1, drawn = 0;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        if (std::fscanf(pipe, "%lf %lf", &milliseconds, &drawn) != 2) milliseconds = -1;
        pclose(pipe);
    }
    std::remove(path);
    return {milliseconds, drawn};
}

} // namespace

int main(int argc, char **argv)
{
    KeepFreedMemoryForRedraws(); // as the window does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TRecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\nFilter change -> redraw against a live matplotlib figure (matplotlib_section.py)\n");
    std::printf("%8s %18s %12s %14s %8s\n", "spreads", "method", "presenter ms", "matplotlib ms", "ratio");
    std::printf("(medians of the repetitions and of 9 matplotlib rounds)\n");
    for (int64_t spreads : {5, 40})
        for (int method : {0, 1}) {
            const std::string name = "BM_FilterChangeRedraw/spreads:" + std::to_string(spreads) +
                                     "/method:" + std::to_string(method);
            const auto found = reporter.Medians.find(name);
            if (found == reporter.Medians.end()) continue;
            const auto [peer, drawn] = MatplotlibRedraw(spreads, method);
            if (peer > 0)
                std::printf("%8lld %18s %12.3f %14.3f %8.3f\n", static_cast<long long>(spreads), MethodName(method),
                            found->second, peer, found->second / peer);
            else
                std::printf("%8lld %18s %12.3f %14s %8s\n", static_cast<long long>(spreads), MethodName(method),
                            found->second, "n/a", "n/a");
        }
    benchmark::Shutdown();
    return 0;
}
