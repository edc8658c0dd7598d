// The 2D data presenter on long roll-along lines (roll_along_line.h): a
// filter change read from the inspector page, the filters, the table refill,
// the gridding, the map and the points painted once; and a redraw after a
// sort, which does not change the drawn set and so does not grid again.
// Both gridding methods, on 5 and 40 spreads.
#include "roll_along_line.h"

#include <benchmark/benchmark.h>

#include "Data2DFixture.h"

#include <QApplication>

#include <memory>

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
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

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
