// The 2D data document on long roll-along lines (roll_along_line.h): joining
// spreads one by one (each append merges duplicates over the whole list), the
// data filters with every bound filter and the sliding average on, text
// export and saving.
#include "roll_along_line.h"

#include <benchmark/benchmark.h>

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/VeskConstants.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace BenchLine;

constexpr int64_t SpreadCounts[] = {5, 20, 40};

// Every bound filter on, with limits that a few measurements fail, and the
// sliding average over five measurements.
void SwitchAllFiltersOn(TnData2D &document)
{
    TFilterDetails &filters = document.ArrayDetails().FilterDetails;
    filters.QualityFilter = true;
    filters.QualityThreshold = 2.5;
    filters.VoltageFilter = true;
    filters.VoltageMin = 5.0;
    filters.VoltageMax = 200000.0;
    filters.CurrentFilter = true;
    filters.CurrentMin = 100.0;
    filters.CurrentMax = 2500.0;
    filters.ResistivityFilter = true;
    filters.ResistivityMin = 0.1;
    filters.ResistivityMax = 10000.0;
    filters.ChargeabilityFilter = true;
    filters.ChargeabilityMin = 3.0;
    filters.ChargeabilityMax = 100000.0;
    filters.SlidingAverage = true;
    filters.WindowWidth = 5;
}

// A joined and filtered line of `spreads` spreads, the state the exports and
// the save start from.
struct TJoinedLine {
    explicit TJoinedLine(int64_t spreads) : Paths(WriteSpreads(Folder, spreads)), Document(Host)
    {
        JoinSpreads(Document, Paths);
        SwitchAllFiltersOn(Document);
        Document.Update();
    }

    TTempFolder Folder;
    std::vector<std::string> Paths;
    TPlainHost Host;
    TnData2D Document;
};

uint32_t MergedCount(const TMeasurements2D &list)
{
    uint32_t merged = 0;
    for (uint32_t i = 0; i < list.Count; ++i)
        merged += list.NotMerged[i] == 0 ? 1 : 0;
    return merged;
}

void BM_LoadAndAppendSpreads(benchmark::State &state)
{
    TTempFolder folder;
    const std::vector<std::string> paths = WriteSpreads(folder, state.range(0));
    TPlainHost host;
    uint32_t count = 0, merged = 0;
    for (auto _ : state) {
        TnData2D document(host);
        JoinSpreads(document, paths);
        count = document.Measurements().Count;
        merged = MergedCount(document.Measurements());
        benchmark::DoNotOptimize(count);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * count);
    state.SetComplexityN(count);
    state.counters["measurements"] = count;
    state.counters["merged"] = merged;
}
BENCHMARK(BM_LoadAndAppendSpreads)
    ->ArgName("spreads")
    ->Arg(SpreadCounts[0])
    ->Arg(SpreadCounts[1])
    ->Arg(SpreadCounts[2])
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_ApplyFilters(benchmark::State &state)
{
    TJoinedLine line(state.range(0));
    TMeasurements2D &list = line.Document.Measurements();
    // The sliding average switches off measurements with nothing to average;
    // every pass starts from the same statuses.
    const TByteArray used = list.Used;
    for (auto _ : state) {
        list.Used = used;
        list.ApplyFilters();
        benchmark::DoNotOptimize(list.SAResistivity.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * list.Count);
    state.SetComplexityN(list.Count);
    state.counters["measurements"] = list.Count;
    state.counters["passing"] = list.ShownCount();
}
BENCHMARK(BM_ApplyFilters)
    ->ArgName("spreads")
    ->Arg(SpreadCounts[0])
    ->Arg(SpreadCounts[1])
    ->Arg(SpreadCounts[2])
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

// range(1) is the export filter index: 1 Res2DInv, 2 CSV.
void BM_Export(benchmark::State &state)
{
    TJoinedLine line(state.range(0));
    const auto filterIndex = static_cast<int32_t>(state.range(1));
    const std::string path = line.Folder.File(filterIndex == ExportFilterRes2DInv ? "line.dat" : "line.csv");
    for (auto _ : state)
        if (!line.Document.Export(path, filterIndex))
            state.SkipWithError("export failed");
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * line.Document.Measurements().ShownCount());
    state.SetLabel(filterIndex == ExportFilterRes2DInv ? "Res2DInv" : "CSV");
    state.counters["lines"] = line.Document.Measurements().ShownCount();
}
BENCHMARK(BM_Export)
    ->ArgNames({"spreads", "filter"})
    ->ArgsProduct({{SpreadCounts[0], SpreadCounts[1], SpreadCounts[2]}, {ExportFilterRes2DInv, ExportFilterCsv2D}})
    ->Unit(benchmark::kMillisecond);

void BM_SaveToFile(benchmark::State &state)
{
    TJoinedLine line(state.range(0));
    const std::string path = line.Folder.File("line.d2d");
    for (auto _ : state)
        if (!line.Document.SaveToFile(path))
            state.SkipWithError("save failed");
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * line.Document.Measurements().Count);
    state.counters["measurements"] = line.Document.Measurements().Count;
}
BENCHMARK(BM_SaveToFile)
    ->ArgName("spreads")
    ->Arg(SpreadCounts[0])
    ->Arg(SpreadCounts[1])
    ->Arg(SpreadCounts[2])
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
