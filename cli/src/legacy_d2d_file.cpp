#include "legacy_d2d_file.h"

#include "file_replacement.h"

#include <cstdio>
#include <filesystem>
#include <vector>

namespace vesk::cli {

namespace {

// Byte layout of the 2D data file in the one-byte-electrode versions.
namespace layout {
constexpr std::size_t HeaderSize = 335;
constexpr std::size_t RecordSize = 25;
constexpr std::size_t SlotCount = 5;
constexpr uint32_t OldFormatFactor = 10; // old files store lengths and slots 2 to 4 in tenfold units
constexpr uint32_t LargestElectrode = 255;
} // namespace layout

class LittleEndianBuffer {
public:
    void PutByte(uint8_t value) { FBytes.push_back(value); }
    void PutLongword(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8) FBytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    template <std::size_t N>
    void PutBytes(const std::array<uint8_t, N> &bytes)
    {
        FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
    }
    const std::vector<uint8_t> &Bytes() const { return FBytes; }

private:
    std::vector<uint8_t> FBytes;
};

// Value in the old format's tenfold unit, rounded to the nearest.
uint32_t Coarser(uint32_t value)
{
    return static_cast<uint32_t>((static_cast<uint64_t>(value) + layout::OldFormatFactor / 2) /
                                 layout::OldFormatFactor);
}

// Through the project's file replacement: an existing file stays as it was
// until every byte is on disk, a device is written in place.
bool WriteReplacing(const std::string &path, const std::vector<uint8_t> &bytes)
{
    vesk::FileReplacement file(path.c_str());
    if (file.stream() == nullptr) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) return false;
    return file.commit();
}

} // namespace

std::string WriteLegacyD2dFile(const std::string &path, LegacyD2dVersion version, const LegacyD2dHeader &header,
                               std::span<const LegacyD2dRecord> records)
{
    const bool old = version == LegacyD2dVersion::Old;
    if (old && (header.unitSpacing % layout::OldFormatFactor != 0 || header.origin % layout::OldFormatFactor != 0)) {
        return "the old format stores the unit spacing and the position of electrode 1 in whole centimetres";
    }
    for (const LegacyD2dRecord &record : records) {
        for (const uint32_t electrode : {record.a, record.m, record.n, record.b}) {
            if (electrode > layout::LargestElectrode) {
                return "electrode " + std::to_string(electrode) + " does not fit the one-byte electrode numbers";
            }
        }
    }
    if (records.size() > UINT32_MAX) return "too many measurements";

    LittleEndianBuffer out;
    out.PutByte(static_cast<uint8_t>(version));
    out.PutLongword(static_cast<uint32_t>(records.size()));
    out.PutBytes(header.comment);
    out.PutBytes(header.settings);
    out.PutByte(header.arrayType);
    out.PutByte(header.rollAlong);
    out.PutLongword(old ? header.unitSpacing / layout::OldFormatFactor : header.unitSpacing);
    out.PutLongword(old ? header.origin / layout::OldFormatFactor : header.origin);
    out.PutBytes(header.cable1);
    out.PutBytes(header.cable2);
    for (std::size_t k = 0; k < header.multipliers.size(); ++k) {
        const bool used = k < header.groupCount;
        out.PutByte(used ? header.multipliers[k] : 0);
        out.PutByte(used ? header.levels[k] : 0);
        out.PutByte(used ? header.levelSteps[k] : 0);
        out.PutByte(used ? header.startLevels[k] : 0);
    }
    if (out.Bytes().size() != layout::HeaderSize) return "internal error: header size";

    for (const LegacyD2dRecord &record : records) {
        out.PutByte(record.status);
        for (const uint32_t electrode : {record.a, record.m, record.n, record.b}) {
            out.PutByte(static_cast<uint8_t>(electrode));
        }
        for (std::size_t slot = 0; slot < layout::SlotCount; ++slot) {
            uint32_t value = record.slots[slot];
            if (old && slot == 0) value = 0;                 // nothing in slot 1 of the old format
            if (old && slot >= 1 && slot <= 3) value = Coarser(value);
            out.PutLongword(value);
        }
    }
    if (out.Bytes().size() != layout::HeaderSize + records.size() * layout::RecordSize) {
        return "internal error: record size";
    }
    if (!WriteReplacing(path, out.Bytes())) return "cannot write " + path;
    return {};
}

} // namespace vesk::cli
