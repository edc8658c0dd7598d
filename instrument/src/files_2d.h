// 2D header (.s2d and .d2d), .d2d records and .s2d records.
#pragma once

#include <cstdint>

#include "call_checks.h"

namespace vesk {

// Where the 2D header reader stores each field; comment and settings may be
// null (the field is skipped). The four group arrays receive four entries.
struct Header2dDestination {
    std::uint8_t *comment;
    std::uint8_t *arrayType;
    std::uint8_t *rollAlong;
    std::uint8_t *groupCount;
    std::uint32_t *unitSpacing;
    std::uint32_t *electrode1Position;
    std::uint8_t *cable1;
    std::uint8_t *cable2;
    std::uint8_t *multipliers;
    std::uint8_t *levels;
    std::uint8_t *levelSteps;
    std::uint8_t *startLevels;
    std::uint32_t *count;
    std::uint8_t *settings;
};

// Arrays of `count` entries receiving the .d2d records; electrodes are
// A, M, N, B and may each be null (the field is skipped).
struct Records2dDestination {
    std::uint8_t *status;
    std::uint32_t *electrodes[4];
    std::uint32_t *slots[4];
};

// The sequence design of a 2D profile as stored in the 2D header.
struct Design2d {
    std::uint8_t arrayType;
    std::uint8_t rollAlong;
    std::uint32_t unitSpacing;
    std::uint32_t electrode1Position;
    const std::uint8_t *cable1; // 24 flags, electrodes 1 to 24
    const std::uint8_t *cable2; // 24 flags, electrodes 25 to 48
    std::uint8_t groupCount;
    const std::uint8_t *multipliers; // the group arrays hold 4 entries
    const std::uint8_t *levels;
    const std::uint8_t *levelSteps;
    const std::uint8_t *startLevels;
};

// `count` electrode quadruples A, M, N, B.
struct Quadrupoles {
    std::uint32_t count;
    const std::uint32_t *electrodes[4];
};

// The records of a .d2d file to be written, `count` entries each.
struct Data2dRecords {
    Quadrupoles quadrupoles;
    const std::uint8_t *status;
    const std::uint32_t *slots[5];
};

ResultCode readHeader2d(const char *path, const Header2dDestination &destination);
ResultCode readRecords2d(const char *path, const Records2dDestination &destination);

// Validation of a .s2d file (201 to 206); kSuccess when it may be written.
ResultCode checkSequence2d(const Design2d &design, const Quadrupoles &quadrupoles);
ResultCode writeSequence2d(const char *path, const Design2d &design, const Quadrupoles &quadrupoles);

// Validation of a .d2d file (201 to 206); kSuccess when it may be written.
ResultCode checkData2d(const Design2d &design, const Data2dRecords &records);
// comment may be null (written as zeros); settings holds 6 bytes.
ResultCode writeData2d(const char *path, const std::uint8_t *comment, const std::uint8_t *settings,
                       const Design2d &design, const Data2dRecords &records);

} // namespace vesk
