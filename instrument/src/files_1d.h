// 1D header (.s1d and .d1d), .s1d records and .d1d records.
#pragma once

#include <cstdint>

#include "call_checks.h"

namespace vesk {

// Where the 1D header reader stores each field; comment and settings may be
// null (the field is skipped). The four group arrays receive four entries.
struct Header1dDestination {
    std::uint8_t *comment;
    std::uint8_t *arrayType;
    std::uint8_t *incrementType;
    std::uint8_t *groupCount;
    double *firstSpacings;
    double *increments;
    std::uint8_t *levels;
    std::uint8_t *overlaps;
    std::uint32_t *count;
    std::uint8_t *settings;
};

// Arrays of `count` entries receiving the .d1d records; the half-spacings
// may be null (the field is skipped).
struct Records1dDestination {
    std::uint8_t *status;
    std::uint32_t *halfAB;
    std::uint32_t *halfMN;
    std::uint32_t *slots[4];
};

// The sounding design stored in the 1D header; group arrays hold at least
// groupCount entries.
struct Design1d {
    std::uint8_t arrayType;
    std::uint8_t incrementType;
    std::uint8_t groupCount;
    const double *firstSpacings;
    const double *increments;
    const std::uint8_t *levels;
    const std::uint8_t *overlaps;
};

// `count` AB/2, MN/2 pairs in millimetres.
struct HalfSpacings {
    std::uint32_t count;
    const std::uint32_t *halfAB;
    const std::uint32_t *halfMN;
};

// The records of a .d1d file to be written, `count` entries each.
struct Data1dRecords {
    HalfSpacings spacings;
    const std::uint8_t *status;
    const std::uint32_t *slots[5];
};

ResultCode readHeader1d(const char *path, const Header1dDestination &destination);
ResultCode readSequenceRecords1d(const char *path, std::uint32_t *halfAB, std::uint32_t *halfMN);
ResultCode readRecords1d(const char *path, const Records1dDestination &destination);

// Validation shared by the .s1d and .d1d writers (201 to 207); kSuccess when
// `count` records may be written with this design.
ResultCode checkDesign1d(const Design1d &design, std::uint32_t count);
ResultCode writeSequence1d(const char *path, const Design1d &design, const HalfSpacings &spacings);
// comment may be null (written as zeros); settings holds 6 bytes.
ResultCode writeData1d(const char *path, const std::uint8_t *comment, const std::uint8_t *settings,
                       const Design1d &design, const Data1dRecords &records);

} // namespace vesk
