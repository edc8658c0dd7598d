// Long roll-along 2D data lines for the benchmarks: every spread is a Wenner
// profile of levels 1 to 15 over 48 electrodes (360 measurements), written
// with the library's own writer into a temporary folder; the next spread
// starts one cable further along, so joined spreads overlap as in the field.
#pragma once

#include "documents/DataDocuments.h"
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

namespace BenchLine {

inline constexpr uint32_t Electrodes = 48;
inline constexpr uint32_t Levels = 15;
inline constexpr uint32_t UnitSpacingMm = 5000;
inline constexpr uint32_t CableShift = 24;

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
inline TSpreadRecords WennerSpread(uint32_t spreadIndex, std::mt19937 &random)
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
inline std::vector<std::string> WriteSpreads(const TTempFolder &folder, int64_t count)
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
inline void JoinSpreads(TnData2D &document, const std::vector<std::string> &paths)
{
    if (!document.LoadFromFile(paths.front()))
        throw std::runtime_error("cannot load " + paths.front());
    for (std::size_t s = 1; s < paths.size(); ++s)
        if (!document.AppendFile(paths[s]))
            throw std::runtime_error("cannot append " + paths[s]);
}

} // namespace BenchLine
