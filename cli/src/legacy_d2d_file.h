// Writer of 2D data files in the two versions the library reads but does not
// write: 221, the instrument's own format (one-byte electrode numbers), and
// 121, the old instrument format (one-byte electrodes; unit spacing, position
// of electrode 1 and value slots 2 to 4 stored ten times coarser; slot 1
// carries nothing). Used by `vesk synth` to make example files of both.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace vesk::cli {

enum class LegacyD2dVersion : uint8_t {
    Instrument = 221,
    Old = 121,
};

// Header fields in the program's units (millimetres); the writer converts
// them for the old format.
struct LegacyD2dHeader {
    std::array<uint8_t, 250> comment{};
    std::array<uint8_t, 6> settings{};
    uint8_t arrayType = 0;
    uint8_t rollAlong = 0;
    uint32_t unitSpacing = 0; // mm
    uint32_t origin = 0;      // position of electrode 1, mm
    std::array<uint8_t, 24> cable1{};
    std::array<uint8_t, 24> cable2{};
    // Group records beyond groupCount are written as zeros.
    uint8_t groupCount = 0;
    std::array<uint8_t, 4> multipliers{};
    std::array<uint8_t, 4> levels{};
    std::array<uint8_t, 4> levelSteps{};
    std::array<uint8_t, 4> startLevels{};
};

// One measurement in the program's units: electrode numbers (0 = remote),
// slot 1 chargeability, 2 voltage, 3 current, 4 quality, 5 apparent
// resistivity in thousandths.
struct LegacyD2dRecord {
    uint8_t status = 1;
    uint32_t a = 0, m = 0, n = 0, b = 0;
    std::array<uint32_t, 5> slots{};
};

// Writes the file. Returns an empty string on success, otherwise what went
// wrong (an electrode number above 255; for version 121 a unit spacing or
// origin that is not a whole number of centimetres; a file that cannot be
// written). The content is written beside the target and renamed over it
// only when complete, so a failure leaves an existing file untouched.
std::string WriteLegacyD2dFile(const std::string &path, LegacyD2dVersion version, const LegacyD2dHeader &header,
                               std::span<const LegacyD2dRecord> records);

} // namespace vesk::cli
