#include "files_0d.h"

#include <cstddef>

#include "binary_io.h"
#include "file_layout.h"
#include "header_prefix.h"

namespace vesk {

namespace {

using namespace layout;

constexpr bool isData0dVersion(std::uint8_t version) {
    return version == version::kData0d || version == version::kData0dOld;
}

} // namespace

ResultCode readHeader0d(const char *path, std::uint8_t *comment, std::uint32_t *count, std::uint8_t *settings) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || !isData0dVersion(version)) return kVersionRefused;

    readHeaderPrefix(in, *count, comment, settings);
    return kSuccess;
}

ResultCode readRecords0d(const char *path, std::uint32_t *const (&slots)[4]) {
    BinaryReader in(path);
    if (!in.isOpen()) return kFileNotOpened;
    std::uint8_t version = 0;
    if (!in.read(version) || !isData0dVersion(version)) return kVersionRefused;
    const bool oldFormat = version == version::kData0dOld;

    std::uint32_t count = 0;
    in.read(count);
    for (std::uint32_t i = 0; i < count && !in.exhausted(); ++i) {
        in.seek(record0d::kRecordsOffset + std::uint64_t{record0d::kSize} * i);
        // The old format's first slot carries nothing usable; the others
        // are stored ten times coarser. Slot 5 is never read.
        if (in.read(slots[0][i]) && oldFormat) slots[0][i] = 0;
        for (std::size_t s = 1; s < 4; ++s)
            if (in.read(slots[s][i]) && oldFormat) slots[s][i] *= kOldFormatScale;
    }
    return kSuccess;
}

} // namespace vesk
