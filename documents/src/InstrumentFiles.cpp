#include "InstrumentFiles.h"

#include "vesk_pro.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <span>
#include <system_error>

namespace InstrumentFiles {

namespace {

// Record sizes of the instrument files by version byte. The header sizes and
// record sizes are those the library reads and writes; a header reader of a
// family accepts every version listed for it, a record reader only some.
struct TRecordSize {
    uint8_t Version;
    uint32_t Bytes;
};

constexpr uint64_t Header2DSize = 335; // .s2d and .d2d
constexpr uint64_t Header1DSize = 336; // .s1d and .d1d
constexpr uint64_t Header0DSize = 261; // .d0d

constexpr std::array<TRecordSize, 5> RecordSizes2D{{
    {221, 25}, // .d2d, one-byte electrode numbers
    {121, 25}, // .d2d, old format
    {122, 37}, // .d2d, four-byte electrode numbers
    {220, 4},  // .s2d
    {120, 4},  // .s2d, old format
}};
constexpr std::array<TRecordSize, 4> RecordSizes1D{{
    {211, 29}, // .d1d
    {111, 29}, // .d1d, old format
    {210, 8},  // .s1d
    {110, 8},  // .s1d, old format
}};
constexpr std::array<TRecordSize, 2> RecordSizes0D{{
    {201, 20}, // .d0d
    {101, 20}, // .d0d, old format
}};

struct TFamilyLayout {
    uint64_t HeaderSize;
    std::span<const TRecordSize> RecordSizes;
};

TFamilyLayout LayoutOf(TFileFamily family)
{
    switch (family) {
    case TFileFamily::TwoD:
        return {Header2DSize, RecordSizes2D};
    case TFileFamily::OneD:
        return {Header1DSize, RecordSizes1D};
    case TFileFamily::ZeroD:
        break;
    }
    return {Header0DSize, RecordSizes0D};
}

// The first byte of the file; -1 when it cannot be read.
int VersionByteOf(const std::string &fileName)
{
    std::FILE *file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return -1;
    const int version = std::fgetc(file);
    std::fclose(file);
    return version == EOF ? -1 : version;
}

template <typename T, std::size_t N>
void CopyInto(std::vector<T> &target, const std::array<T, N> &source)
{
    std::copy_n(source.begin(), std::min(target.size(), N), target.begin());
}

template <typename T, std::size_t N>
void CopyFrom(std::array<T, N> &target, const std::vector<T> &source, std::size_t count)
{
    std::copy_n(source.begin(), std::min({source.size(), count, N}), target.begin());
}

void CopyCable(TnCable &cable, const std::array<uint8_t, CableElectrodes> &flags)
{
    cable.SetCount(static_cast<int32_t>(CableElectrodes));
    std::copy(flags.begin(), flags.end(), cable.Enabled.begin());
}

} // namespace

TDesign2D Design2DOf(const TArrayDetails2D &details)
{
    TDesign2D design;
    const std::size_t groups = details.GroupCount;
    CopyFrom(design.Multipliers, details.SpacingFactors, groups);
    CopyFrom(design.Levels, details.LevelCounts, groups);
    CopyFrom(design.LevelSteps, details.LevelSteps, groups);
    CopyFrom(design.StartLevels, details.OverlapCounts, groups);
    CopyFrom(design.Cable1, details.Cable1.Enabled, CableElectrodes);
    CopyFrom(design.Cable2, details.Cable2.Enabled, CableElectrodes);
    return design;
}

TDesign1D Design1DOf(const TArrayDetails1D &details)
{
    TDesign1D design;
    const std::size_t groups = details.GroupCount;
    CopyFrom(design.Spacings, details.Spacings, groups);
    CopyFrom(design.Increments, details.Increments, groups);
    CopyFrom(design.Levels, details.LevelCounts, groups);
    CopyFrom(design.Overlaps, details.OverlapCounts, groups);
    return design;
}

void SizeGroupArraysForHeader(TArrayDetails2D &details)
{
    details.OverlapCounts.resize(GroupSlots);
    details.SpacingFactors.resize(GroupSlots);
    details.GroupCounts.resize(GroupSlots);
    details.LevelSteps.resize(GroupSlots);
    details.LevelCounts.resize(GroupSlots);
}

void SizeGroupArraysForHeader(TArrayDetails1D &details)
{
    details.OverlapCounts.resize(GroupSlots);
    details.Spacings.resize(GroupSlots);
    details.Increments.resize(GroupSlots);
    details.LevelCounts.resize(GroupSlots);
}

THeader2D CurrentHeader2D(const TArrayDetails2D &details, const TMeasurementsCustom &measurements)
{
    THeader2D header;
    header.Comment = details.Comment;
    header.ArrayType = details.ArrayType;
    header.RollAlong = details.SequenceType;
    header.GroupCount = details.GroupCount;
    header.UnitSpacing = details.UnitSpacing;
    header.Origin = details.Origin;
    CopyFrom(header.Design.Multipliers, details.SpacingFactors, GroupSlots);
    CopyFrom(header.Design.Levels, details.LevelCounts, GroupSlots);
    CopyFrom(header.Design.LevelSteps, details.LevelSteps, GroupSlots);
    CopyFrom(header.Design.StartLevels, details.OverlapCounts, GroupSlots);
    CopyFrom(header.Design.Cable1, details.Cable1.Enabled, CableElectrodes);
    CopyFrom(header.Design.Cable2, details.Cable2.Enabled, CableElectrodes);
    header.Settings = measurements.MeasureSettings;
    return header;
}

uint8_t ReadHeader2D(const std::string &fileName, THeader2D &header)
{
    THeader2D read = header;
    const uint8_t code = s2d_d2d_read_header(
        fileName.c_str(), read.Comment.data(), &read.ArrayType, &read.RollAlong, &read.GroupCount,
        &read.UnitSpacing, &read.Origin, read.Design.Cable1.data(), read.Design.Cable2.data(),
        read.Design.Multipliers.data(), read.Design.Levels.data(), read.Design.LevelSteps.data(),
        read.Design.StartLevels.data(), &read.Count, read.Settings.data());
    if (code == 0)
        header = read;
    return code;
}

void ApplyHeader2D(const THeader2D &header, TArrayDetails2D &details, TMeasurementsCustom &measurements)
{
    details.Comment = header.Comment;
    details.ArrayType = header.ArrayType;
    details.SequenceType = header.RollAlong;
    details.GroupCount = header.GroupCount;
    details.UnitSpacing = header.UnitSpacing;
    details.Origin = header.Origin;
    CopyCable(details.Cable1, header.Design.Cable1);
    CopyCable(details.Cable2, header.Design.Cable2);
    CopyInto(details.SpacingFactors, header.Design.Multipliers);
    CopyInto(details.LevelCounts, header.Design.Levels);
    CopyInto(details.LevelSteps, header.Design.LevelSteps);
    CopyInto(details.OverlapCounts, header.Design.StartLevels);
    measurements.MeasureSettings = header.Settings;
}

THeader1D CurrentHeader1D(const TArrayDetails1D &details, const TMeasurementsCustom &measurements)
{
    THeader1D header;
    header.Comment = details.Comment;
    header.ArrayType = details.ArrayType;
    header.IncrementType = details.IncrementType;
    header.GroupCount = details.GroupCount;
    CopyFrom(header.Design.Spacings, details.Spacings, GroupSlots);
    CopyFrom(header.Design.Increments, details.Increments, GroupSlots);
    CopyFrom(header.Design.Levels, details.LevelCounts, GroupSlots);
    CopyFrom(header.Design.Overlaps, details.OverlapCounts, GroupSlots);
    header.Settings = measurements.MeasureSettings;
    return header;
}

uint8_t ReadHeader1D(const std::string &fileName, THeader1D &header)
{
    THeader1D read = header;
    const uint8_t code = s1d_d1d_read_header(fileName.c_str(), read.Comment.data(), &read.ArrayType,
                                             &read.IncrementType, &read.GroupCount, read.Design.Spacings.data(),
                                             read.Design.Increments.data(), read.Design.Levels.data(),
                                             read.Design.Overlaps.data(), &read.Count, read.Settings.data());
    if (code == 0)
        header = read;
    return code;
}

void ApplyHeader1D(const THeader1D &header, TArrayDetails1D &details, TMeasurementsCustom &measurements)
{
    details.Comment = header.Comment;
    details.ArrayType = header.ArrayType;
    details.IncrementType = header.IncrementType;
    details.GroupCount = header.GroupCount;
    CopyInto(details.Spacings, header.Design.Spacings);
    CopyInto(details.Increments, header.Design.Increments);
    CopyInto(details.LevelCounts, header.Design.Levels);
    CopyInto(details.OverlapCounts, header.Design.Overlaps);
    measurements.MeasureSettings = header.Settings;
}

THeader0D CurrentHeader0D(const TMeasurementsCustom &measurements)
{
    THeader0D header;
    header.Settings = measurements.MeasureSettings;
    return header;
}

uint8_t ReadHeader0D(const std::string &fileName, THeader0D &header)
{
    THeader0D read = header;
    TCommentBlock droppedComment{};
    const uint8_t code = d0d_read_header(fileName.c_str(), droppedComment.data(), &read.Count, read.Settings.data());
    if (code == 0)
        header = read;
    return code;
}

bool FileHoldsRecords(const std::string &fileName, TFileFamily family, uint32_t count)
{
    std::error_code error;
    const std::filesystem::path path(fileName);
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const uint64_t size = std::filesystem::file_size(path, error);
    if (error)
        return false;
    const int version = VersionByteOf(fileName);
    const TFamilyLayout layout = LayoutOf(family);
    const auto record = std::find_if(layout.RecordSizes.begin(), layout.RecordSizes.end(),
                                     [version](const TRecordSize &r) { return r.Version == version; });
    if (record == layout.RecordSizes.end())
        return false;
    if (size < layout.HeaderSize)
        return count == 0;
    return static_cast<uint64_t>(count) <= (size - layout.HeaderSize) / record->Bytes;
}

} // namespace InstrumentFiles
