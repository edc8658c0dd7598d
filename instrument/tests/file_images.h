// Instrument file images built field by field for the tests, independent of
// the library's own writers. Defaults give distinctive values in every field.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "byte_builder.h"

inline std::vector<std::uint8_t> patternBytes(std::size_t size, std::uint8_t first) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(first + 7 * i);
    return bytes;
}

// The 261-byte prefix shared by all file kinds.
struct PrefixFields {
    std::uint8_t version = 0;
    std::uint32_t count = 0;
    std::vector<std::uint8_t> comment = patternBytes(250, 'A');
    std::vector<std::uint8_t> settings{3, 2, 9, 4, 21, 7};

    void appendTo(ByteBuilder &out) const { out.u8(version).u32(count).bytes(comment).bytes(settings); }
};

struct Header2dFields {
    PrefixFields prefix;
    std::uint8_t arrayType = 2;
    std::uint8_t rollAlong = 1;
    std::uint32_t unitSpacing = 500;
    std::uint32_t electrode1Position = 123456;
    std::vector<std::uint8_t> cable1 = patternBytes(24, 1);
    std::vector<std::uint8_t> cable2 = patternBytes(24, 100);
    // Four group records as stored: multiplier, levels, level step, start level.
    std::array<std::array<std::uint8_t, 4>, 4> groups{{{1, 8, 1, 1}, {0, 6, 2, 3}, {5, 3, 2, 1}, {0, 0, 0, 0}}};

    void appendTo(ByteBuilder &out) const {
        prefix.appendTo(out);
        out.u8(arrayType).u8(rollAlong).u32(unitSpacing).u32(electrode1Position).bytes(cable1).bytes(cable2);
        for (const auto &group : groups) out.bytes({group[0], group[1], group[2], group[3]});
    }
};

// A .d2d record; electrodes are A, M, N, B.
struct Record2dFields {
    std::uint8_t status = 1;
    std::array<std::uint32_t, 4> electrodes{1, 2, 3, 4};
    std::array<std::uint32_t, 5> slots{11, 22, 33, 44, 55};

    void appendTo(ByteBuilder &out, std::size_t electrodeWidth) const {
        out.u8(status);
        for (std::uint32_t electrode : electrodes) {
            if (electrodeWidth == 4) out.u32(electrode);
            else out.u8(static_cast<std::uint8_t>(electrode));
        }
        for (std::uint32_t slot : slots) out.u32(slot);
    }
};

struct Group1dFields {
    double firstSpacing = 0;
    double increment = 0;
    std::uint8_t levels = 0;
    std::uint8_t overlaps = 0;
};

struct Header1dFields {
    PrefixFields prefix;
    std::uint8_t arrayType = 1;
    std::uint8_t incrementType = 1;
    std::uint8_t groupCount = 3;
    std::array<Group1dFields, 4> groups{{{1.5, 1.25, 10, 0}, {12.0, 1.5, 6, 2}, {40.0, 2.0, 3, 1}, {0, 0, 0, 0}}};

    void appendTo(ByteBuilder &out) const {
        prefix.appendTo(out);
        out.u8(arrayType).u8(incrementType).u8(groupCount);
        for (const Group1dFields &group : groups)
            out.f64(group.firstSpacing).f64(group.increment).u8(group.levels).u8(group.overlaps);
    }
};

// A .d1d record.
struct Record1dFields {
    std::uint8_t status = 1;
    std::uint32_t halfAB = 1500;
    std::uint32_t halfMN = 500;
    std::array<std::uint32_t, 5> slots{11, 22, 33, 44, 55};

    void appendTo(ByteBuilder &out) const {
        out.u8(status).u32(halfAB).u32(halfMN);
        for (std::uint32_t slot : slots) out.u32(slot);
    }
};

// A .d0d record.
struct Record0dFields {
    std::array<std::uint32_t, 5> slots{11, 22, 33, 44, 55};

    void appendTo(ByteBuilder &out) const {
        for (std::uint32_t slot : slots) out.u32(slot);
    }
};
