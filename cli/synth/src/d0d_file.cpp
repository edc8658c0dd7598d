#include "synth/d0d_file.h"

#include "file_replacement.h"

#include <cstdio>
#include <limits>
#include <system_error>
#include <vector>

namespace synth {
namespace {

// .d0d layout: every offset and size in one place.
constexpr std::uint8_t kVersion = 201;
constexpr std::size_t kVersionOffset = 0;
constexpr std::size_t kCountOffset = 1;
constexpr std::size_t kCommentOffset = 5;
constexpr std::size_t kCommentSize = 250;
constexpr std::size_t kSettingsOffset = 255;
constexpr std::size_t kSettingsSize = 6;
constexpr std::size_t kHeaderSize = 261;
constexpr std::size_t kRecordSize = 20;
constexpr std::size_t kSlotSize = 4;  // slots 1 to 5 follow each other: chargeability, U, I, Q, rho_a

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::vector<std::uint8_t> Encode(std::span<const Reading> readings, const std::array<std::uint8_t, 6>& settings,
                                 std::string_view comment) {
  std::vector<std::uint8_t> bytes(kHeaderSize + kRecordSize * readings.size(), 0);
  bytes[kVersionOffset] = kVersion;
  PutU32(bytes, kCountOffset, static_cast<std::uint32_t>(readings.size()));
  for (std::size_t i = 0; i < comment.size(); ++i) bytes[kCommentOffset + i] = static_cast<std::uint8_t>(comment[i]);
  for (std::size_t i = 0; i < kSettingsSize; ++i) bytes[kSettingsOffset + i] = settings[i];
  for (std::size_t r = 0; r < readings.size(); ++r) {
    const Reading& reading = readings[r];
    const std::size_t record = kHeaderSize + r * kRecordSize;
    PutU32(bytes, record + 0 * kSlotSize, reading.chargeability);
    PutU32(bytes, record + 1 * kSlotSize, reading.voltage);
    PutU32(bytes, record + 2 * kSlotSize, reading.current);
    PutU32(bytes, record + 3 * kSlotSize, reading.quality);
    PutU32(bytes, record + 4 * kSlotSize, reading.resistivityMilli);
  }
  return bytes;
}

// Through the project's file replacement: an existing file stays as it was
// until every byte is on disk, a device is written in place.
bool WriteAll(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  vesk::FileReplacement file(path.c_str());
  if (file.stream() == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) return false;
  return file.commit();
}

}  // namespace

bool WriteD0dFile(const std::filesystem::path& target, std::span<const Reading> readings,
                  const std::array<std::uint8_t, 6>& settings, std::string_view comment) {
  if (comment.size() > kCommentSize) return false;
  if (readings.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  return WriteAll(target, Encode(readings, settings, comment));
}

}  // namespace synth
