// The prefix every instrument file starts with: version byte, record count,
// comment and measurement settings, ahead of the kind-specific header part.
#pragma once

#include <cstdint>

#include "binary_io.h"
#include "file_layout.h"

namespace vesk {

// Writes the whole prefix; a null comment is written as zero bytes.
inline void writeHeaderPrefix(BinaryWriter &out, std::uint8_t version, std::uint32_t count,
                              const std::uint8_t *comment, const std::uint8_t *settings) {
    out.write(version);
    out.write(count);
    if (comment != nullptr) out.writeBytes(comment, layout::prefix::kCommentSize);
    else out.writeZeros(layout::prefix::kCommentSize);
    out.writeBytes(settings, layout::prefix::kSettingsSize);
}

// Reads the prefix after its version byte; a null comment or settings buffer
// is stepped over. Leaves the stream at the kind-specific part.
inline void readHeaderPrefix(BinaryReader &in, std::uint32_t &count, std::uint8_t *comment,
                             std::uint8_t *settings) {
    in.read(count);
    if (comment != nullptr) in.readBytes(comment, layout::prefix::kCommentSize);
    else in.seek(layout::prefix::kSettingsOffset);
    if (settings != nullptr) in.readBytes(settings, layout::prefix::kSettingsSize);
    else in.seek(layout::prefix::kSize);
}

} // namespace vesk
