// Array types as the user names them on the command line: the names the
// program shows ("Wenner", "Dipole Dipole", "Fwd Pole Dipole", ...) in any
// letter case, with "-" or "_" for the blanks ("dipole-dipole",
// "fwd_pole_dipole"), or the array type code ("0" to "9").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk::cli {

// The array type code for the name or code; nothing for any other text.
std::optional<uint8_t> ParseArrayTypeName(std::string_view text);

// As ParseArrayTypeName, but only codes up to `highestCode` are accepted;
// any other text is a UsageError for the option that lists the accepted names.
uint8_t RequireArrayType(std::string_view text, std::string_view option, uint8_t highestCode);

// The accepted spellings of codes 0 to highestCode, for help and messages:
// "wenner, schlumberger, dipole-dipole, ...".
std::string ArrayTypeNameList(uint8_t highestCode);

} // namespace vesk::cli
