// The table component filled as a presenter fills it: 20,000 rows of 13
// number columns, into a view that is sorted by one of them (the proxy
// re-sorts after the fill). Goal: well under 50 ms per fill.
#include "controls/GridView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void FillTable(benchmark::State &state)
{
    const int rows = int(state.range(0)), columns = 13;
    const bool sorted = state.range(1) != 0;
    TGridView view("NextGrid_Bench");
    QVector<TGridColumn> layout(columns, TGridColumn{"", TColumnKind::Number, 60, 2, false, TSortKind::Numeric});
    view.Model().SetColumns(layout);
    view.ApplyColumnLayout();
    if (sorted) view.SortByColumn(3, Qt::DescendingOrder);
    for (auto _ : state) {
        TGridModel &model = view.Model();
        model.BeginFill(rows);
        for (int column = 0; column < columns; ++column)
            for (int row = 0; row < rows; ++row) model.SetNumber(column, row, (row * 7919 + column * 104729) % 10007 / 3.0);
        model.EndFill();
        benchmark::DoNotOptimize(view.ModelRow(0));
    }
    state.SetItemsProcessed(state.iterations() * rows * columns);
}
BENCHMARK(FillTable)->Args({20000, 0})->Args({20000, 1})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
