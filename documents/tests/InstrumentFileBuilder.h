// Builds instrument files byte by byte for the tests, in every version the
// instrument and the library use, including those no writer produces.
// Multi-byte fields are little-endian; fields follow each other without gaps.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace TestFiles {

// Sizes of the file layouts.
inline constexpr std::size_t CommentSize = 250;
inline constexpr std::size_t SettingsSize = 6;
inline constexpr std::size_t Header2DSize = 335;
inline constexpr std::size_t Header1DSize = 336;
inline constexpr std::size_t Header0DSize = 261;
inline constexpr std::size_t Wide2DRecordSize = 37; // version 122
inline constexpr std::size_t Slot5OffsetIn2DWideRecord = 33;

// Version bytes.
inline constexpr uint8_t Seq1D = 210, Seq1DOld = 110, Data1D = 211, Data1DOld = 111;
inline constexpr uint8_t Seq2D = 220, Seq2DOld = 120;
inline constexpr uint8_t Data2DInstrument = 221, Data2DWide = 122, Data2DOld = 121;
inline constexpr uint8_t Data0D = 201, Data0DOld = 101;

class TBytes {
public:
    void U8(uint8_t value) { FBytes.push_back(value); }
    void U32(uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            FBytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    void F64(double value)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        for (int shift = 0; shift < 64; shift += 8)
            FBytes.push_back(static_cast<uint8_t>(bits >> shift));
    }
    template <std::size_t N>
    void Block(const std::array<uint8_t, N> &bytes)
    {
        FBytes.insert(FBytes.end(), bytes.begin(), bytes.end());
    }
    const std::vector<uint8_t> &Bytes() const { return FBytes; }
    std::size_t Size() const { return FBytes.size(); }

private:
    std::vector<uint8_t> FBytes;
};

inline void WriteFile(const std::filesystem::path &path, const std::vector<uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline uint32_t U32At(const std::vector<uint8_t> &bytes, std::size_t offset)
{
    uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | bytes.at(offset + static_cast<std::size_t>(k));
    return value;
}

struct TCommon {
    std::array<uint8_t, CommentSize> Comment{};
    std::array<uint8_t, SettingsSize> Settings{1, 1, 1, 0, 0, 0};
};

// ---- 2D (.s2d, .d2d) ----

struct TGroup2D {
    uint8_t Multiplier, Levels, LevelStep, StartLevel;
};

struct THeader2D {
    uint8_t Version = Data2DInstrument;
    uint32_t Count = 0; // the count written; records are given separately
    TCommon Common;
    uint8_t ArrayType = 0;
    uint8_t RollAlong = 0;
    uint32_t UnitSpacing = 5000;
    uint32_t Origin = 0;
    std::array<uint8_t, 24> Cable1 = Filled(1);
    std::array<uint8_t, 24> Cable2 = Filled(1);
    std::array<TGroup2D, 4> Groups{{{1, 6, 1, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}};

    static std::array<uint8_t, 24> Filled(uint8_t value)
    {
        std::array<uint8_t, 24> flags{};
        flags.fill(value);
        return flags;
    }
};

// A .d2d record (status, A, M, N, B, slots 1 to 5) or, for .s2d, A, M, N, B alone.
struct TRecord2D {
    uint8_t Status = 1;
    uint32_t A = 0, M = 0, N = 0, B = 0;
    uint32_t Slot1 = 0; // chargeability
    uint32_t Slot2 = 0; // voltage
    uint32_t Slot3 = 0; // current
    uint32_t Slot4 = 0; // quality
    uint32_t Slot5 = 0;
};

inline std::vector<uint8_t> Build2D(const THeader2D &header, const std::vector<TRecord2D> &records)
{
    TBytes out;
    out.U8(header.Version);
    out.U32(header.Count);
    out.Block(header.Common.Comment);
    out.Block(header.Common.Settings);
    out.U8(header.ArrayType);
    out.U8(header.RollAlong);
    out.U32(header.UnitSpacing);
    out.U32(header.Origin);
    out.Block(header.Cable1);
    out.Block(header.Cable2);
    for (const TGroup2D &group : header.Groups) {
        out.U8(group.Multiplier);
        out.U8(group.Levels);
        out.U8(group.LevelStep);
        out.U8(group.StartLevel);
    }
    if (out.Size() != Header2DSize)
        throw std::logic_error("2D header size");
    const bool sequence = header.Version == Seq2D || header.Version == Seq2DOld;
    const bool wide = header.Version == Data2DWide;
    for (const TRecord2D &r : records) {
        if (!sequence)
            out.U8(r.Status);
        for (const uint32_t electrode : {r.A, r.M, r.N, r.B}) {
            if (wide)
                out.U32(electrode);
            else
                out.U8(static_cast<uint8_t>(electrode));
        }
        if (!sequence)
            for (const uint32_t slot : {r.Slot1, r.Slot2, r.Slot3, r.Slot4, r.Slot5})
                out.U32(slot);
    }
    return out.Bytes();
}

// ---- 1D (.s1d, .d1d) ----

struct TGroup1D {
    double FirstSpacing, Increment;
    uint8_t Levels, Overlaps;
};

struct THeader1D {
    uint8_t Version = Data1D;
    uint32_t Count = 0;
    TCommon Common;
    uint8_t ArrayType = 1;
    uint8_t IncrementType = 0;
    uint8_t GroupCount = 1;
    std::array<TGroup1D, 4> Groups{{{1.0, 1.0, 10, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}};
};

// A .d1d record (status, AB/2, MN/2, slots 1 to 5) or, for .s1d, AB/2 and MN/2 alone.
struct TRecord1D {
    uint8_t Status = 1;
    uint32_t HalfAB = 0, HalfMN = 0;
    uint32_t Slot1 = 0, Slot2 = 0, Slot3 = 0, Slot4 = 0, Slot5 = 0;
};

inline std::vector<uint8_t> Build1D(const THeader1D &header, const std::vector<TRecord1D> &records)
{
    TBytes out;
    out.U8(header.Version);
    out.U32(header.Count);
    out.Block(header.Common.Comment);
    out.Block(header.Common.Settings);
    out.U8(header.ArrayType);
    out.U8(header.IncrementType);
    out.U8(header.GroupCount);
    for (const TGroup1D &group : header.Groups) {
        out.F64(group.FirstSpacing);
        out.F64(group.Increment);
        out.U8(group.Levels);
        out.U8(group.Overlaps);
    }
    if (out.Size() != Header1DSize)
        throw std::logic_error("1D header size");
    const bool sequence = header.Version == Seq1D || header.Version == Seq1DOld;
    for (const TRecord1D &r : records) {
        if (!sequence)
            out.U8(r.Status);
        out.U32(r.HalfAB);
        out.U32(r.HalfMN);
        if (!sequence)
            for (const uint32_t slot : {r.Slot1, r.Slot2, r.Slot3, r.Slot4, r.Slot5})
                out.U32(slot);
    }
    return out.Bytes();
}

// ---- 0D (.d0d) ----

struct THeader0D {
    uint8_t Version = Data0D;
    uint32_t Count = 0;
    TCommon Common;
};

struct TRecord0D {
    uint32_t Slot1 = 0, Slot2 = 0, Slot3 = 0, Slot4 = 0, Slot5 = 0;
};

inline std::vector<uint8_t> Build0D(const THeader0D &header, const std::vector<TRecord0D> &records)
{
    TBytes out;
    out.U8(header.Version);
    out.U32(header.Count);
    out.Block(header.Common.Comment);
    out.Block(header.Common.Settings);
    if (out.Size() != Header0DSize)
        throw std::logic_error("0D header size");
    for (const TRecord0D &r : records)
        for (const uint32_t slot : {r.Slot1, r.Slot2, r.Slot3, r.Slot4, r.Slot5})
            out.U32(slot);
    return out.Bytes();
}

} // namespace TestFiles
