#include "files_1d.h"

#include <cstddef>

#include "binary_io.h"
#include "file_layout.h"
#include "header_prefix.h"
#include "whole_file_writer.h"

namespace vesk {

namespace {

using namespace layout;

constexpr bool isHeader1dVersion(std::uint8_t version) {
    return version == version::kSequence1d || version == version::kSequence1dOld || version == version::kData1d ||
           version == version::kData1dOld;
}

// Reads a length or value that the old format stores ten times coarser.
void readScaled(BinaryReader &in, std::uint32_t &out, bool oldFormat) {
    if (in.read(out) && oldFormat) out *= kOldFormatScale;
}

void writeHeader1d(BinaryWriter &out, std::uint8_t version, std::uint32_t count, const std::uint8_t *comment,
                   const std::uint8_t *settings, const Design1d &design) {
    writeHeaderPrefix(out, version, count, comment, settings);
    out.write(design.arrayType);
    out.write(design.incrementType);
    out.write(design.groupCount);
    for (std::size_t k = 0; k < kGroupSlots; ++k) {
        if (k < design.groupCount) {
            out.write(design.firstSpacings[k]);
            out.write(design.increments[k]);
            out.write(design.levels[k]);
            out.write(design.overlaps[k]);
        } else {
            out.writeZeros(header1d::kGroupRecordSize);
        }
    }
}

} // namespace

ResultCode readHeader1d(const char *path, const Header1dDestination &to) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || !isHeader1dVersion(version)) return kVersionRefused;

    // The 1D header is the same in old and new files: nothing is converted.
    readHeaderPrefix(in, *to.count, to.comment, to.settings);

    in.read(*to.arrayType);
    in.read(*to.incrementType);
    in.read(*to.groupCount);
    for (std::size_t k = 0; k < kGroupSlots; ++k) {
        in.read(to.firstSpacings[k]);
        in.read(to.increments[k]);
        in.read(to.levels[k]);
        in.read(to.overlaps[k]);
    }
    return kSuccess;
}

ResultCode readSequenceRecords1d(const char *path, std::uint32_t *halfAB, std::uint32_t *halfMN) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || (version != version::kSequence1d && version != version::kSequence1dOld))
        return kVersionRefused;
    const bool oldFormat = version == version::kSequence1dOld;

    std::uint32_t count = 0;
    in.read(count);
    in.seek(header1d::kSize);
    for (std::uint32_t i = 0; i < count && !in.exhausted(); ++i) {
        readScaled(in, halfAB[i], oldFormat);
        readScaled(in, halfMN[i], oldFormat);
    }
    return kSuccess;
}

ResultCode readRecords1d(const char *path, const Records1dDestination &to) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || (version != version::kData1d && version != version::kData1dOld))
        return kVersionRefused;
    const bool oldFormat = version == version::kData1dOld;

    std::uint32_t count = 0;
    in.read(count);
    in.seek(header1d::kSize);
    for (std::uint32_t i = 0; i < count && !in.exhausted(); ++i) {
        in.read(to.status[i]);
        for (std::uint32_t *halfSpacing : {to.halfAB, to.halfMN}) {
            if (halfSpacing != nullptr) readScaled(in, halfSpacing[i], oldFormat);
            else in.skip(4);
        }
        // The old format's first slot carries nothing usable.
        if (in.read(to.slots[0][i]) && oldFormat) to.slots[0][i] = 0;
        for (std::size_t s = 1; s < 4; ++s) readScaled(in, to.slots[s][i], oldFormat);
        in.skip(4); // slot 5 is not read
    }
    return kSuccess;
}

ResultCode checkDesign1d(const Design1d &design, std::uint32_t count) {
    if (count == 0) return 201;
    // 100 + t is accepted as t and written unchanged; Custom (9) is refused.
    const std::uint8_t type = design.arrayType;
    if (!(type <= 8 || (type >= 100 && type <= 108))) return 202;
    if (design.incrementType > 1) return 203;
    if (design.groupCount == 0 || design.groupCount > kGroupSlots) return 204;
    std::uint32_t levels = 0;
    for (std::size_t k = 0; k < design.groupCount; ++k) levels += design.levels[k];
    if (levels != count) return 205;
    for (std::size_t k = 0; k < design.groupCount; ++k) {
        if (design.increments[k] == 0.0) return 206;
        if (design.levels[k] == 0) return 207;
    }
    return kSuccess;
}

ResultCode writeSequence1d(const char *path, const Design1d &design, const HalfSpacings &spacings) {
    const bool written = writeWholeFile(path, [&](BinaryWriter &out) {
        writeHeader1d(out, version::kSequence1d, spacings.count, nullptr, kSequenceSettings, design);
        for (std::uint32_t i = 0; i < spacings.count && out.ok(); ++i) {
            out.write(spacings.halfAB[i]);
            out.write(spacings.halfMN[i]);
        }
    });
    return written ? kSuccess : kFileNotOpened;
}

ResultCode writeData1d(const char *path, const std::uint8_t *comment, const std::uint8_t *settings,
                       const Design1d &design, const Data1dRecords &records) {
    const bool written = writeWholeFile(path, [&](BinaryWriter &out) {
        const HalfSpacings &spacings = records.spacings;
        writeHeader1d(out, version::kData1d, spacings.count, comment, settings, design);
        for (std::uint32_t i = 0; i < spacings.count && out.ok(); ++i) {
            out.write(records.status[i]);
            out.write(spacings.halfAB[i]);
            out.write(spacings.halfMN[i]);
            for (const std::uint32_t *slot : records.slots) out.write(slot[i]);
        }
    });
    return written ? kSuccess : kFileNotOpened;
}

} // namespace vesk
