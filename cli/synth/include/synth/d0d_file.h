// Writer of 0D data files (.d0d): a list of single measurements without
// geometry, as the instrument stores them.
#ifndef SYNTH_D0D_FILE_H
#define SYNTH_D0D_FILE_H

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "synth/survey.h"

namespace synth {

// Writes the readings as a .d0d file of version 201: the 261-byte header
// (version, record count, 250-byte comment zero-filled, MeasureSettings)
// followed by one 20-byte record per reading (chargeability, voltage,
// current, quality, apparent resistivity in thousandths of ohm-m; uint32
// little-endian each). The file is written beside the target under a
// temporary name and renamed over it only when complete, so a failure leaves
// an existing file untouched. Returns false on any failure, or when the
// comment is longer than 250 bytes.
bool WriteD0dFile(const std::filesystem::path& target, std::span<const Reading> readings,
                  const std::array<std::uint8_t, 6>& settings, std::string_view comment = {});

}  // namespace synth

#endif  // SYNTH_D0D_FILE_H
