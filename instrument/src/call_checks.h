// Result codes of the exported functions and the checks every export makes
// before it touches a file.
#pragma once

#include <array>
#include <cstdint>

namespace vesk {

using ResultCode = std::uint8_t;

inline constexpr ResultCode kSuccess = 0;
inline constexpr ResultCode kFileNotOpened = 1;     // cannot open, create or completely write the file
inline constexpr ResultCode kVersionRefused = 2;    // version byte not accepted; no output touched
inline constexpr ResultCode kFirstNullPointer = 101; // 101 + index of the first null required pointer
inline constexpr ResultCode kFirstInvalidParameter = 201;

// Byte arguments arrive in 32-bit slots whose upper bits may be garbage.
constexpr std::uint8_t lowByte(std::uint32_t argument) { return static_cast<std::uint8_t>(argument & 0xFFu); }

// Non-null only when both are non-null: two pointers that share one code.
inline const void *bothOrNull(const void *first, const void *second) {
    return first != nullptr && second != nullptr ? first : nullptr;
}

// 101 for the first argument that is null, 102 for the second and so on;
// kSuccess when none is.
template <typename... Pointers>
ResultCode firstNullPointer(const Pointers *...pointers) {
    const std::array<const void *, sizeof...(Pointers)> required{pointers...};
    for (std::size_t i = 0; i < required.size(); ++i)
        if (required[i] == nullptr) return static_cast<ResultCode>(kFirstNullPointer + i);
    return kSuccess;
}

} // namespace vesk
