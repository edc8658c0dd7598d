// Byte layout of the instrument's files: every offset, size, record size and
// version byte in one place. All multi-byte fields are little-endian and
// unaligned; fields follow each other without gaps.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vesk::layout {

// Header prefix shared by all five file kinds.
namespace prefix {
inline constexpr std::size_t kVersionOffset = 0;
inline constexpr std::size_t kCountOffset = 1;
inline constexpr std::size_t kCommentOffset = 5;
inline constexpr std::size_t kCommentSize = 250;
inline constexpr std::size_t kSettingsOffset = 255;
inline constexpr std::size_t kSettingsSize = 6;
inline constexpr std::size_t kSize = 261;
static_assert(kCountOffset + 4 == kCommentOffset);
static_assert(kCommentOffset + kCommentSize == kSettingsOffset);
static_assert(kSettingsOffset + kSettingsSize == kSize);
} // namespace prefix

// The settings block that sequence writers store (stacking deviation 1 %,
// minimum and maximum stacking 1, no IP window, lowest power, reserved 0).
inline constexpr std::uint8_t kSequenceSettings[prefix::kSettingsSize] = {1, 1, 1, 0, 0, 0};

inline constexpr std::size_t kGroupSlots = 4; // group records in every header

// 2D header, shared by .s2d and .d2d.
namespace header2d {
inline constexpr std::size_t kArrayTypeOffset = 261;
inline constexpr std::size_t kRollAlongOffset = 262;
inline constexpr std::size_t kUnitSpacingOffset = 263;
inline constexpr std::size_t kElectrode1PositionOffset = 267;
inline constexpr std::size_t kCable1Offset = 271;
inline constexpr std::size_t kCableSize = 24;
inline constexpr std::size_t kCable2Offset = 295;
inline constexpr std::size_t kGroupsOffset = 319;
inline constexpr std::size_t kGroupRecordSize = 4; // multiplier, levels, level step, start level
inline constexpr std::size_t kSize = 335;
static_assert(prefix::kSize == kArrayTypeOffset);
static_assert(kArrayTypeOffset + 1 == kRollAlongOffset);
static_assert(kRollAlongOffset + 1 == kUnitSpacingOffset);
static_assert(kUnitSpacingOffset + 4 == kElectrode1PositionOffset);
static_assert(kElectrode1PositionOffset + 4 == kCable1Offset);
static_assert(kCable1Offset + kCableSize == kCable2Offset);
static_assert(kCable2Offset + kCableSize == kGroupsOffset);
static_assert(kGroupsOffset + kGroupSlots * kGroupRecordSize == kSize);
} // namespace header2d

// 1D header, shared by .s1d and .d1d.
namespace header1d {
inline constexpr std::size_t kArrayTypeOffset = 261;
inline constexpr std::size_t kIncrementTypeOffset = 262;
inline constexpr std::size_t kGroupCountOffset = 263;
inline constexpr std::size_t kGroupsOffset = 264;
// first spacing (float64), increment (float64), levels (byte), overlaps (byte)
inline constexpr std::size_t kGroupRecordSize = 18;
inline constexpr std::size_t kSize = 336;
static_assert(prefix::kSize == kArrayTypeOffset);
static_assert(kArrayTypeOffset + 1 == kIncrementTypeOffset);
static_assert(kIncrementTypeOffset + 1 == kGroupCountOffset);
static_assert(kGroupCountOffset + 1 == kGroupsOffset);
static_assert(kGroupsOffset + kGroupSlots * kGroupRecordSize == kSize);
} // namespace header1d

// .d2d records: status, A, M, N, B, slots 1 to 5.
namespace record2d {
inline constexpr std::size_t kNarrowElectrodeSize = 1; // versions 221 and 121
inline constexpr std::size_t kWideElectrodeSize = 4;   // version 122
inline constexpr std::size_t kSlotCount = 5;
inline constexpr std::size_t recordSize(std::size_t electrodeSize) { return 1 + 4 * electrodeSize + kSlotCount * 4; }
inline constexpr std::size_t kNarrowSize = recordSize(kNarrowElectrodeSize);
inline constexpr std::size_t kWideSize = recordSize(kWideElectrodeSize);
static_assert(kNarrowSize == 25 && kWideSize == 37);
} // namespace record2d

// .s2d records: the low bytes of A, M, N, B.
namespace record2dSequence {
inline constexpr std::size_t kSize = 4;
}

// .d1d records: status, AB/2, MN/2, slots 1 to 5.
namespace record1d {
inline constexpr std::size_t kSlotCount = 5;
inline constexpr std::size_t kSize = 1 + 4 + 4 + kSlotCount * 4;
static_assert(kSize == 29);
} // namespace record1d

// .s1d records: AB/2, MN/2.
namespace record1dSequence {
inline constexpr std::size_t kSize = 8;
}

// .d0d records: slots 1 to 5, directly after the header prefix.
namespace record0d {
inline constexpr std::size_t kSlotCount = 5;
inline constexpr std::size_t kSize = kSlotCount * 4;
inline constexpr std::size_t kRecordsOffset = prefix::kSize;
static_assert(kSize == 20);
} // namespace record0d

// Version bytes. The "old" versions store lengths and values ten times
// coarser; they are converted while reading.
namespace version {
inline constexpr std::uint8_t kSequence1d = 210;
inline constexpr std::uint8_t kSequence1dOld = 110;
inline constexpr std::uint8_t kData1d = 211;
inline constexpr std::uint8_t kData1dOld = 111;
inline constexpr std::uint8_t kSequence2d = 220;
inline constexpr std::uint8_t kSequence2dOld = 120;
inline constexpr std::uint8_t kData2dInstrument = 221; // one-byte electrode numbers
inline constexpr std::uint8_t kData2dWide = 122;       // four-byte electrode numbers, written by this library
inline constexpr std::uint8_t kData2dOld = 121;        // one-byte electrode numbers, old units
inline constexpr std::uint8_t kData0d = 201;
inline constexpr std::uint8_t kData0dOld = 101;
} // namespace version

// Old-format files store these quantities in units ten times coarser.
inline constexpr std::uint32_t kOldFormatScale = 10;

} // namespace vesk::layout
