// Settings of one survey line: array type, spacings, spacing groups, cables,
// filter settings and the display choices the measurement geometry reads.
#pragma once

#include "survey/VeskTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Opaque back-references to the layers above; never owned, never freed here.
class TnSeq2D;
class TMainWindowHost;

// Size of the comment block of an instrument file header.
inline constexpr std::size_t CommentSize = 250;
using TCommentBlock = std::array<uint8_t, CommentSize>;

// Data filter settings of a document (used by 2D data).
struct TFilterDetails {
    bool QualityFilter = false;
    double QualityThreshold = 5.0; // %
    bool VoltageFilter = false;
    double VoltageMin = 5.0;      // mV
    double VoltageMax = 200000.0; // mV
    bool CurrentFilter = false;
    double CurrentMin = 1.0;    // mA
    double CurrentMax = 2500.0; // mA
    bool ResistivityFilter = false;
    double ResistivityMin = 0.1;     // Ohm*m
    double ResistivityMax = 10000.0; // Ohm*m
    bool ChargeabilityFilter = false;
    double ChargeabilityMin = 0.0;      // ms
    double ChargeabilityMax = 100000.0; // ms
    bool SlidingAverage = false;
    int32_t WindowWidth = 5; // measurements
};

// One cable of 24 take-outs. Entry i of Enabled is electrode i+1 on cable 1
// and electrode 25+i on cable 2; 1 means enabled.
class TnCable {
public:
    static constexpr int32_t DefaultCount = 24;

    explicit TnCable(TMainWindowHost *mainWindow = nullptr);

    int32_t Count = DefaultCount;
    TByteArray Enabled;

    // Sets Count (a negative count gives 0) and resizes Enabled; new entries are 0.
    void SetCount(int32_t count);
    // Stores 1 for any true flag, 0 otherwise; an index without an entry is ignored.
    void SetEnabled(int32_t index, bool flag);
    // True exactly when the stored byte is 1.
    bool IsEnabled(int32_t index) const;
    // The Count flags as booleans (entries missing from Enabled read as false).
    TBooleanArray EnabledFlags() const;

    TMainWindowHost *MainWindow() const { return FMainWindow; }

private:
    TMainWindowHost *FMainWindow; // not owned
};

// Settings common to 2D and 1D documents.
class TArrayDetailsCustom {
public:
    TCommentBlock Comment{};
    uint8_t ArrayType = ArrayTypeCode::Schlumberger;
    uint8_t GroupCount = 0;  // 1 to 4 in use (a file header may give 0)
    uint32_t Origin = 0;     // position of electrode 1, millimetres
    TByteArray OverlapCounts; // 2D: "Start Level"; 1D: "Overlaps"
    std::string FileName;
    TFilterDetails FilterDetails;
    uint32_t DepthMethod = DepthMethodMedianDepth;
    uint32_t ValuesToShow = ValuesToShowResistivity;

    // Stores metres x 1000 rounded to the nearest millimetre (halves to even,
    // clamped to the unsigned range).
    void SetOrigin(double metres);
    // Stored millimetres are read back as millimetres x 0.001, the conversion
    // the exported positions are defined by (it may differ from a division by
    // 1000 in the last bit, which decides the rounding of printed decimals).
    // Inline: the views ask for the positions of every electrode of every reading.
    double OriginMetres() const { return Origin * 0.001; }

    // Stores the last component of the path (name with extension, no folder);
    // both '/' and '\\' separate folders.
    void SetFileNameFromPath(std::string_view path);

protected:
    TArrayDetailsCustom() = default;
    ~TArrayDetailsCustom() = default;
    TArrayDetailsCustom(const TArrayDetailsCustom &) = default;
    TArrayDetailsCustom &operator=(const TArrayDetailsCustom &) = default;
};

// Settings of a 2D sequence or 2D data set.
class TArrayDetails2D : public TArrayDetailsCustom {
public:
    static constexpr uint32_t DefaultUnitSpacing = 5000; // mm

    explicit TArrayDetails2D(TMainWindowHost *mainWindow = nullptr);

    uint8_t SequenceType = SequenceTypeSingle;
    TnSeq2D *BaseSequence = nullptr; // roll-along: the sequence this one continues; not owned
    uint32_t UnitSpacing = DefaultUnitSpacing; // millimetres
    TnCable Cable1;
    TnCable Cable2;
    TByteArray SpacingFactors;    // per group: spacing D as a multiple of A
    TLongwordArray GroupCounts;   // per group: measurements the generator produced
    TByteArray LevelCounts;       // per group: "Levels"
    TByteArray LevelSteps;        // per group: "Level Step"
    std::string BaseSequenceName;
    bool MixedPoleDipole = false;

    // Sets GroupCount and resizes OverlapCounts, SpacingFactors, GroupCounts,
    // LevelSteps and LevelCounts to n entries; new entries are 0.
    void SetGroupCount(uint8_t n);

    void SetUnitSpacing(double metres);
    double UnitSpacingMetres() const { return UnitSpacing * 0.001; }

    // Index of group j's entry in its "Spacing <D>" list: factor - j - 1
    // (-1 for a group without an entry).
    int32_t SpacingItemIndex(uint32_t group) const;
    // Stores index + j + 1 as group j's spacing factor (a group without an
    // entry is ignored).
    void SetSpacingFromItemIndex(uint32_t group, int32_t index);
};

// Settings of a 1D sequence, 1D data or 0D data set.
class TArrayDetails1D : public TArrayDetailsCustom {
public:
    TArrayDetails1D();

    uint8_t IncrementType = IncrementTypeLinear;
    TDoubleArray Spacings;   // per group: first spacing, metres
    TDoubleArray Increments; // per group: "Increment" (linear) or "Factor" (geometric)
    TByteArray LevelCounts;  // per group: "Levels"

    // Sets GroupCount and resizes OverlapCounts, Spacings, LevelCounts and
    // Increments to n entries; new entries are 0.
    void SetGroupCount(uint8_t n);
};
