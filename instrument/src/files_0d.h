// .d0d files: the header prefix followed by records of five value slots.
#pragma once

#include <cstdint>

#include "call_checks.h"

namespace vesk {

// comment and settings may be null (the field is skipped).
ResultCode readHeader0d(const char *path, std::uint8_t *comment, std::uint32_t *count, std::uint8_t *settings);
// Four arrays of `count` entries receiving slots 1 to 4.
ResultCode readRecords0d(const char *path, std::uint32_t *const (&slots)[4]);

} // namespace vesk
