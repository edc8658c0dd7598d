#include "InstrumentFiles.h"

#include "vesk_pro.h"

#include <algorithm>

namespace InstrumentFiles {

namespace {

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

} // namespace InstrumentFiles
