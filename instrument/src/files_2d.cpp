#include "files_2d.h"

#include <algorithm>
#include <cstddef>

#include "binary_io.h"
#include "file_layout.h"
#include "header_prefix.h"
#include "whole_file_writer.h"

namespace vesk {

namespace {

using namespace layout;

constexpr std::size_t kElectrodeCount = 2 * header2d::kCableSize; // 48 on one spread

constexpr bool isHeader2dVersion(std::uint8_t version) {
    return version == version::kSequence2d || version == version::kSequence2dOld ||
           version == version::kData2dInstrument || version == version::kData2dWide || version == version::kData2dOld;
}

constexpr bool isData2dVersion(std::uint8_t version) {
    return version == version::kData2dInstrument || version == version::kData2dWide || version == version::kData2dOld;
}

// How many of A, M, N, B a record of the array type uses; the others are 0.
constexpr std::size_t usedElectrodes(std::uint8_t arrayType) {
    if (arrayType == 5 || arrayType == 6) return 3; // pole-dipole: no B
    if (arrayType == 7) return 2;                   // pole-pole: no N, no B
    return 4;
}

// The electrodes the array type uses are all accepted by `isUsable` and
// pairwise different; the ones it does not use are 0.
template <typename IsUsable>
bool quadrupoleFits(const std::uint32_t (&electrodes)[4], std::uint8_t arrayType, IsUsable &&isUsable) {
    const std::size_t used = usedElectrodes(arrayType);
    for (std::size_t j = 0; j < 4; ++j) {
        if (j >= used) {
            if (electrodes[j] != 0) return false;
            continue;
        }
        if (!isUsable(electrodes[j])) return false;
        for (std::size_t k = 0; k < j; ++k)
            if (electrodes[k] == electrodes[j]) return false;
    }
    return true;
}

template <typename IsUsable>
ResultCode checkQuadrupoles(const Quadrupoles &quadrupoles, std::uint8_t arrayType, IsUsable &&isUsable) {
    for (std::uint32_t i = 0; i < quadrupoles.count; ++i) {
        const std::uint32_t electrodes[4] = {quadrupoles.electrodes[0][i], quadrupoles.electrodes[1][i],
                                             quadrupoles.electrodes[2][i], quadrupoles.electrodes[3][i]};
        if (!quadrupoleFits(electrodes, arrayType, isUsable)) return 206;
    }
    return kSuccess;
}

// The header checks shared by both writers, after the array type (202).
ResultCode checkDesign(const Design2d &design) {
    if (design.rollAlong > 1) return 203;
    if (design.unitSpacing == 0) return 204;
    if (design.groupCount == 0) return 205;
    return kSuccess;
}

void writeHeader2d(BinaryWriter &out, std::uint8_t version, std::uint32_t count, const std::uint8_t *comment,
                   const std::uint8_t *settings, const Design2d &design) {
    writeHeaderPrefix(out, version, count, comment, settings);
    out.write(design.arrayType);
    out.write(design.rollAlong);
    out.write(design.unitSpacing);
    out.write(design.electrode1Position);
    out.writeBytes(design.cable1, header2d::kCableSize);
    out.writeBytes(design.cable2, header2d::kCableSize);
    for (std::size_t k = 0; k < kGroupSlots; ++k) {
        if (k < design.groupCount) {
            out.write(design.multipliers[k]);
            out.write(design.levels[k]);
            out.write(design.levelSteps[k]);
            out.write(design.startLevels[k]);
        } else {
            out.writeZeros(header2d::kGroupRecordSize);
        }
    }
}

} // namespace

ResultCode readHeader2d(const char *path, const Header2dDestination &to) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || !isHeader2dVersion(version)) return kVersionRefused;
    const bool oldFormat = version == version::kSequence2dOld || version == version::kData2dOld;

    readHeaderPrefix(in, *to.count, to.comment, to.settings);

    in.read(*to.arrayType);
    in.read(*to.rollAlong);
    if (in.read(*to.unitSpacing) && oldFormat) *to.unitSpacing *= kOldFormatScale;
    if (in.read(*to.electrode1Position) && oldFormat) *to.electrode1Position *= kOldFormatScale;
    in.readBytes(to.cable1, header2d::kCableSize);
    in.readBytes(to.cable2, header2d::kCableSize);

    // The group count is not stored: it is the number of groups whose
    // spacing multiplier is non-zero.
    std::uint8_t groups = 0;
    for (std::size_t k = 0; k < kGroupSlots; ++k) {
        in.read(to.multipliers[k]);
        in.read(to.levels[k]);
        in.read(to.levelSteps[k]);
        in.read(to.startLevels[k]);
        if (to.multipliers[k] != 0) ++groups;
    }
    *to.groupCount = groups;
    return kSuccess;
}

ResultCode readRecords2d(const char *path, const Records2dDestination &to) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || !isData2dVersion(version)) return kVersionRefused;
    const bool oldFormat = version == version::kData2dOld;
    const std::size_t electrodeSize =
        version == version::kData2dWide ? record2d::kWideElectrodeSize : record2d::kNarrowElectrodeSize;

    std::uint32_t count = 0;
    in.read(count);
    in.seek(header2d::kSize);
    for (std::uint32_t i = 0; i < count; ++i) {
        in.read(to.status[i]);
        for (std::uint32_t *electrode : to.electrodes) {
            if (electrode == nullptr) {
                in.skip(electrodeSize);
                continue;
            }
            electrode[i] = 0;
            in.readUnsigned(electrode[i], electrodeSize);
        }
        for (std::size_t s = 0; s < 4; ++s) {
            std::uint32_t &slot = to.slots[s][i];
            if (!in.read(slot) || !oldFormat) continue;
            // The old format's first slot carries nothing usable; the
            // others are stored ten times coarser.
            slot = s == 0 ? 0 : slot * kOldFormatScale;
        }
        in.skip(4); // slot 5 is not read
        if (in.exhausted()) {
            // The file ends early: the electrodes of the records it lacks
            // read as 0, everything else keeps its value.
            for (std::uint32_t *electrode : to.electrodes)
                if (electrode != nullptr) std::fill(electrode + i + 1, electrode + count, 0u);
            break;
        }
    }
    return kSuccess;
}

ResultCode checkSequence2d(const Design2d &design, const Quadrupoles &quadrupoles) {
    if (quadrupoles.count == 0) return 201;
    // 100 + t is accepted as t and written unchanged.
    const std::uint8_t type = design.arrayType;
    if (!(type <= 7 || (type >= 100 && type <= 107))) return 202;
    if (const ResultCode code = checkDesign(design); code != kSuccess) return code;

    bool enabled[kElectrodeCount];
    for (std::size_t e = 0; e < header2d::kCableSize; ++e) {
        enabled[e] = design.cable1[e] != 0;
        enabled[header2d::kCableSize + e] = design.cable2[e] != 0;
    }
    return checkQuadrupoles(quadrupoles, type % 100, [&](std::uint32_t electrode) {
        return electrode >= 1 && electrode <= kElectrodeCount && enabled[electrode - 1];
    });
}

ResultCode writeSequence2d(const char *path, const Design2d &design, const Quadrupoles &quadrupoles) {
    const bool written = writeWholeFile(path, [&](BinaryWriter &out) {
        writeHeader2d(out, version::kSequence2d, quadrupoles.count, nullptr, kSequenceSettings, design);
        for (std::uint32_t i = 0; i < quadrupoles.count && out.ok(); ++i)
            for (const std::uint32_t *electrode : quadrupoles.electrodes)
                out.write(static_cast<std::uint8_t>(electrode[i]));
    });
    return written ? kSuccess : kFileNotOpened;
}

ResultCode checkData2d(const Design2d &design, const Data2dRecords &records) {
    if (records.quadrupoles.count == 0) return 201;
    if (design.arrayType > 7) return 202; // Equat. Dipole Dipole and Custom data cannot be saved
    if (const ResultCode code = checkDesign(design); code != kSuccess) return code;
    // No upper bound: appended roll-along spreads number their electrodes
    // beyond 48, and no cable flags apply to them.
    return checkQuadrupoles(records.quadrupoles, design.arrayType,
                            [](std::uint32_t electrode) { return electrode != 0; });
}

ResultCode writeData2d(const char *path, const std::uint8_t *comment, const std::uint8_t *settings,
                       const Design2d &design, const Data2dRecords &records) {
    const bool written = writeWholeFile(path, [&](BinaryWriter &out) {
        const std::uint32_t count = records.quadrupoles.count;
        writeHeader2d(out, version::kData2dWide, count, comment, settings, design);
        for (std::uint32_t i = 0; i < count && out.ok(); ++i) {
            out.write(records.status[i]);
            for (const std::uint32_t *electrode : records.quadrupoles.electrodes) out.write(electrode[i]);
            for (const std::uint32_t *slot : records.slots) out.write(slot[i]);
        }
    });
    return written ? kSuccess : kFileNotOpened;
}

} // namespace vesk
