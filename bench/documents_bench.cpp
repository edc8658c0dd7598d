// The 2D data document on long roll-along lines: joining spreads one by one
// (each append merges duplicates over the whole list), the data filters with
// every bound filter and the sliding average on, text export and saving.
// Every spread is a Wenner profile of levels 1 to 15 over 48 electrodes (360
// measurements), written once per run into a temporary folder with the
// library's own writer; the next spread starts one cable further along.
#include <benchmark/benchmark.h>

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/VeskConstants.h"

#include "vesk_pro.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr uint32_t Electrodes = 48;
constexpr uint32_t Levels = 15;
constexpr uint32_t UnitSpacingMm = 5000;
constexpr uint32_t CableShift = 24;
constexpr int64_t SpreadCounts[] = {5, 20, 40};

// A folder of its own under the system's temporary folder, removed with its files.
class TTempFolder {
public:
    TTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "documents_bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temporary folder");
        FPath = pattern;
    }
    ~TTempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(FPath, ignored);
    }
    TTempFolder(const TTempFolder &) = delete;
    TTempFolder &operator=(const TTempFolder &) = delete;

    std::string File(const std::string &name) const { return (FPath / name).string(); }

private:
    std::filesystem::path FPath;
};

// The readings of one spread in the units the files store them in.
struct TSpreadRecords {
    std::vector<uint8_t> Status;
    std::vector<uint32_t> A, M, N, B;
    std::vector<uint32_t> Chargeability, Voltage, Current, Quality, ResistivityMilli;
};

// Wenner levels 1 to 15 with electrodes numbered 1 to 48 on this spread;
// spreadIndex places it along the line so that the ground (a smooth
// resistivity over distance and depth plus a few percent of noise) is the
// same where spreads overlap.
TSpreadRecords WennerSpread(uint32_t spreadIndex, std::mt19937 &random)
{
    std::normal_distribution<double> noise(0.0, 0.03);
    std::uniform_real_distribution<double> current(80.0, 500.0);   // mA
    std::uniform_real_distribution<double> quality(0.0, 3.0);      // %
    std::uniform_real_distribution<double> chargeability(2.0, 18.0); // ms

    TSpreadRecords r;
    const double spacing = UnitSpacingMm / 1000.0;
    for (uint32_t level = 1; level <= Levels; ++level) {
        for (uint32_t a = 1; a + 3 * level <= Electrodes; ++a) {
            const uint32_t m = a + level, n = a + 2 * level, b = a + 3 * level;
            const double midPoint = spacing * ((a + b) / 2.0 - 1.0 + spreadIndex * CableShift);
            const double depth = 0.519 * level * spacing;
            const double rho =
                120.0 * (1.0 + 0.4 * std::sin(midPoint / 35.0)) * (1.0 + depth / 40.0) * (1.0 + noise(random));
            const double k = 2.0 * std::numbers::pi * level * spacing;
            const double currentMA = current(random);
            const double voltageMV = rho * currentMA / k;
            r.Status.push_back(1);
            r.A.push_back(a);
            r.M.push_back(m);
            r.N.push_back(n);
            r.B.push_back(b);
            r.Current.push_back(static_cast<uint32_t>(std::lround(currentMA * 1000.0)));
            r.Voltage.push_back(static_cast<uint32_t>(std::lround(voltageMV * 1000.0)));
            r.Quality.push_back(static_cast<uint32_t>(std::lround(quality(random) * 1000.0)));
            r.Chargeability.push_back(static_cast<uint32_t>(std::lround(chargeability(random) * 1000.0)));
            r.ResistivityMilli.push_back(static_cast<uint32_t>(std::lround(rho * 1000.0)));
        }
    }
    return r;
}

// Writes spreads 0 .. count-1 as roll-along .d2d files; answers their paths.
std::vector<std::string> WriteSpreads(const TTempFolder &folder, int64_t count)
{
    const std::array<uint8_t, 24> cable = [] {
        std::array<uint8_t, 24> enabled{};
        enabled.fill(1);
        return enabled;
    }();
    const std::array<uint8_t, 4> multipliers{1, 0, 0, 0}, levels{Levels, 0, 0, 0}, levelSteps{1, 0, 0, 0},
        startLevels{1, 0, 0, 0};
    // STD Dev 2 %, stacking 2 to 4, IP window code 1, full Tx power.
    const std::array<uint8_t, 6> settings{2, 2, 4, 1, 21, 0};

    std::mt19937 random(20261210);
    std::vector<std::string> paths;
    for (int64_t s = 0; s < count; ++s) {
        const TSpreadRecords r = WennerSpread(static_cast<uint32_t>(s), random);
        const std::string path = folder.File("spread" + std::to_string(s) + ".d2d");
        const uint8_t code = d2d_save_data(
            path.c_str(), static_cast<uint32_t>(r.A.size()), nullptr, ArrayTypeCode::Wenner, SequenceTypeRollAlong,
            UnitSpacingMm, 0, cable.data(), cable.data(), 1, multipliers.data(), levels.data(), levelSteps.data(),
            startLevels.data(), settings.data(), r.Status.data(), r.A.data(), r.M.data(), r.N.data(), r.B.data(),
            r.Chargeability.data(), r.Voltage.data(), r.Current.data(), r.Quality.data(), r.ResistivityMilli.data());
        if (code != 0)
            throw std::runtime_error("d2d_save_data answered " + std::to_string(code));
        paths.push_back(path);
    }
    return paths;
}

// Loads the first spread and appends the others one by one.
void JoinSpreads(TnData2D &document, const std::vector<std::string> &paths)
{
    if (!document.LoadFromFile(paths.front()))
        throw std::runtime_error("cannot load " + paths.front());
    for (std::size_t s = 1; s < paths.size(); ++s)
        if (!document.AppendFile(paths[s]))
            throw std::runtime_error("cannot append " + paths[s]);
}

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
