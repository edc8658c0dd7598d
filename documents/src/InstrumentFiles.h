// The documents' side of the instrument library: header reads into staging
// records and the design arrays in the shape the library takes.
#pragma once

#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace InstrumentFiles {

// Every instrument header describes four spacing groups; a cable has 24 electrodes.
inline constexpr std::size_t GroupSlots = 4;
inline constexpr std::size_t CableElectrodes = 24;

// The 2D design as the library takes it: four entries per group array (the
// groups beyond the group count are 0) and 24 flags per cable.
struct TDesign2D {
    std::array<uint8_t, GroupSlots> Multipliers{};
    std::array<uint8_t, GroupSlots> Levels{};
    std::array<uint8_t, GroupSlots> LevelSteps{};
    std::array<uint8_t, GroupSlots> StartLevels{};
    std::array<uint8_t, CableElectrodes> Cable1{};
    std::array<uint8_t, CableElectrodes> Cable2{};
};
TDesign2D Design2DOf(const TArrayDetails2D &details);

// The 1D design as the library takes it: four entries per group array.
struct TDesign1D {
    std::array<double, GroupSlots> Spacings{};
    std::array<double, GroupSlots> Increments{};
    std::array<uint8_t, GroupSlots> Levels{};
    std::array<uint8_t, GroupSlots> Overlaps{};
};
TDesign1D Design1DOf(const TArrayDetails1D &details);

// Sizes the per-group arrays for the four groups of a file header, keeping
// the first entries (new ones are 0). The group count is left as it is.
void SizeGroupArraysForHeader(TArrayDetails2D &details);
void SizeGroupArraysForHeader(TArrayDetails1D &details);

// Everything the 2D header reader (.s2d and .d2d) delivers.
struct THeader2D {
    TCommentBlock Comment{};
    uint8_t ArrayType = 0;
    uint8_t RollAlong = 0;
    uint8_t GroupCount = 0;
    uint32_t UnitSpacing = 0;
    uint32_t Origin = 0;
    TDesign2D Design;
    uint32_t Count = 0;
    TMeasureSettings Settings{};
};
// The header fields as the document holds them now (group arrays: all of
// their first four entries, whatever the group count).
THeader2D CurrentHeader2D(const TArrayDetails2D &details, const TMeasurementsCustom &measurements);
// The library's result code. On entry the header holds the document's
// current values (CurrentHeader2D): a file cut short inside its header
// leaves the fields it does not reach as they were, as the library leaves
// the destinations of fields it cannot read. The header changes only on
// success.
uint8_t ReadHeader2D(const std::string &fileName, THeader2D &header);
// Stores the header in the array details (whose group arrays hold four
// entries) and the settings block in the list.
void ApplyHeader2D(const THeader2D &header, TArrayDetails2D &details, TMeasurementsCustom &measurements);

// Everything the 1D header reader (.s1d and .d1d) delivers.
struct THeader1D {
    TCommentBlock Comment{};
    uint8_t ArrayType = 0;
    uint8_t IncrementType = 0;
    uint8_t GroupCount = 0;
    TDesign1D Design;
    uint32_t Count = 0;
    TMeasureSettings Settings{};
};
THeader1D CurrentHeader1D(const TArrayDetails1D &details, const TMeasurementsCustom &measurements);
// As ReadHeader2D.
uint8_t ReadHeader1D(const std::string &fileName, THeader1D &header);
void ApplyHeader1D(const THeader1D &header, TArrayDetails1D &details, TMeasurementsCustom &measurements);

// What the 0D header reader delivers (its comment is not kept).
struct THeader0D {
    uint32_t Count = 0;
    TMeasureSettings Settings{};
};
THeader0D CurrentHeader0D(const TMeasurementsCustom &measurements);
// As ReadHeader2D.
uint8_t ReadHeader0D(const std::string &fileName, THeader0D &header);

// A pointer the library accepts for an array that may be empty: the
// library refuses null pointers even when it has nothing to read or write.
template <typename T>
T *DataOrScratch(std::vector<T> &values, T &scratch)
{
    return values.empty() ? &scratch : values.data();
}
template <typename T>
const T *DataOrScratch(const std::vector<T> &values, const T &scratch)
{
    return values.empty() ? &scratch : values.data();
}

} // namespace InstrumentFiles
