// Undo at the window's edge on a long roll-along line (roll_along_line.h)
// opened in the real main window: a Shift+Ctrl sweep crossing 2,000 points,
// each point one switch-off, one recorded state and one redraw, the whole
// sweep one undo step; then that step undone and redone, each one restore
// and one redraw. Compare the times per point and per undo with the filter
// change -> redraw of data2d_presenter_bench on the same line.
#include "roll_along_line.h"

#include <benchmark/benchmark.h>

#include "DocumentStates.h"
#include "EditHistory.h"
#include "MainWindow.h"
#include "presentation/RedrawMemory.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>

#include <memory>

namespace {

using namespace BenchLine;

constexpr int SweptPoints = 2000;

struct TWindowLine {
    explicit TWindowLine(int64_t spreads) : Paths(WriteSpreads(Folder, spreads))
    {
        Window.Dialogs().SetMessagesAnswered(true);
        Window.resize(1280, 900);
        Window.show();
        if (!Window.OpenFiles(std::vector<std::string>{Paths.front()})) throw std::runtime_error("cannot open");
        Data = dynamic_cast<TnData2D *>(Window.SelectedDocument());
        for (std::size_t s = 1; s < Paths.size(); ++s)
            if (!Data->AppendFile(Paths[s])) throw std::runtime_error("cannot append " + Paths[s]);
        Window.History().Retake(*Data);
        Chart = Window.findChild<TChart *>(QStringLiteral("Chart_d2d"));
        Points = Chart->findChild<TChartSeries *>(QStringLiteral("Series_Points"));
        Chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    void Move(const QPointF &at, Qt::KeyboardModifiers modifiers)
    {
        QMouseEvent move(QEvent::MouseMove, at, Chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, modifiers);
        QApplication::sendEvent(Chart, &move);
    }
    // The pointer, Shift+Ctrl held, onto the first point still drawn.
    void SweepOnePoint()
    {
        Move(Points->coordsToPixels(Points->X(0), Points->Y(0)), Qt::ShiftModifier | Qt::ControlModifier);
        Chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    void EndSweep() { Move(QPointF(2, 2), Qt::NoModifier); }
    QUndoStack &Stack() { return Window.States().Stack(*Data); }

    TTempFolder Folder;
    std::vector<std::string> Paths;
    TForm_VeskMain Window;
    TnData2D *Data = nullptr;
    TChart *Chart = nullptr;
    TChartSeries *Points = nullptr;
};

// range(0) spreads; one iteration is one point of the sweep.
void BM_SweepPoint(benchmark::State &state)
{
    TWindowLine line(state.range(0));
    for (auto _ : state) line.SweepOnePoint();
    line.EndSweep();
    state.counters["measurements"] = line.Data->Measurements().Count;
    state.counters["steps"] = line.Stack().count();
}
BENCHMARK(BM_SweepPoint)
    ->ArgNames({"spreads"})
    ->Arg(5)
    ->Arg(40)
    ->Iterations(SweptPoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One iteration undoes the 2,000-point sweep or redoes it, with the redraw.
void BM_UndoSweep(benchmark::State &state)
{
    TWindowLine line(state.range(0));
    for (int k = 0; k < SweptPoints; ++k) line.SweepOnePoint();
    line.EndSweep();
    if (line.Stack().count() != 1) state.SkipWithError("the sweep is not one step");
    for (auto _ : state) {
        if (line.Stack().canUndo()) line.Stack().undo();
        else line.Stack().redo();
        line.Chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    state.counters["drawn"] = line.Points->Count();
}
BENCHMARK(BM_UndoSweep)
    ->ArgNames({"spreads"})
    ->Arg(5)
    ->Arg(40)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char **argv)
{
    KeepFreedMemoryForRedraws(); // as the window does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window's kept chart settings go to a folder of the run's own.
    TTempFolder settings;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(settings.File("config")));
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
