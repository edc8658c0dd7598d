// Measurement lists: per-measurement electrodes, readings and flags, and
// everything computed from them (positions, mid-points, pseudo-depths,
// geometric factors, apparent resistivities, depth levels, extremes,
// duplicate merging, the data filters).
//
// Operations on one measurement take its index i in the list, counting from 0.
// The readings and the geometry expect i < Count; the flag and number setters
// ignore an index without an entry, and the flag queries answer false for it.
#pragma once

#include "survey/ArrayDetails.h"
#include "survey/VeskTypes.h"

#include <array>
#include <cstdint>
#include <unordered_map>

// Size of the measurement settings block of an instrument file header.
inline constexpr std::size_t MeasureSettingsSize = 6;
using TMeasureSettings = std::array<uint8_t, MeasureSettingsSize>;

// Position reported for a remote B or N electrode while positions are in metres.
inline constexpr double RemoteElectrodePosition = 9999.0;

// The readings and flags common to 2D and 1D lists.
class TMeasurementsCustom {
public:
    virtual ~TMeasurementsCustom() = default;

    uint32_t Count = 0;
    TByteArray Used;                  // 1 = used
    TMeasureSettings MeasureSettings{}; // byte 0 STD Dev [%], 1 Min Stacking, 2 Max Stacking,
                                        // 3 IP code, 4 Tx power code, 5 not interpreted
    TLongwordArray Chargeability;     // thousandths of a millisecond
    TLongwordArray Voltage;           // microvolts
    TLongwordArray Current;           // microamperes
    TLongwordArray Quality;           // thousandths of a percent
    std::vector<int32_t> Number;      // shown in the "#" columns, label of chart points
    TDoubleArray SAResistivity;       // sliding-average apparent resistivity
    TDoubleArray SAChargeability;     // sliding-average chargeability, ms

    // 1D: Used is 1; 2D: Used and NotMerged are both 1.
    virtual bool IsShown(uint32_t i) const = 0;

    void SetUsed(uint32_t i, bool flag)
    {
        if (i < Used.size())
            Used[i] = flag ? 1 : 0;
    }
    void SetNumber(uint32_t i, int32_t number)
    {
        if (i < Number.size())
            Number[i] = number;
    }

    // Readings in the units of the views.
    double VoltageMV(uint32_t i) const;
    double CurrentMA(uint32_t i) const;
    double QualityPercent(uint32_t i) const;
    double ChargeabilityMS(uint32_t i) const;
    // Voltage / Current in Ohm; 0 when the current is 0.
    double Resistance(uint32_t i) const;

    // Fields of the measurement settings block.
    uint8_t StdDevPercent() const { return MeasureSettings[0]; }
    uint8_t MinStacking() const { return MeasureSettings[1]; }
    uint8_t MaxStacking() const { return MeasureSettings[2]; }
    uint8_t IPCode() const { return MeasureSettings[3]; }
    uint8_t TxPowerCode() const { return MeasureSettings[4]; }
    // IP window in seconds for IP codes 1 to 6; 0 otherwise.
    double IPWindow() const;
    // Tx power in percent for the Tx power code; 0 for a code outside the list.
    uint32_t TxPowerPercent() const;

    // For saving: Voltage x 1000 / Current rounded half to even, 0 where the
    // current is 0.
    TLongwordArray ResistanceMilli() const;

protected:
    TMeasurementsCustom() = default;
    TMeasurementsCustom(const TMeasurementsCustom &) = default;
    TMeasurementsCustom &operator=(const TMeasurementsCustom &) = default;

    // Resizes the arrays above to n entries (kept entries, new ones zero) and sets Count.
    void ResizeCommonArrays(uint32_t n);
};

// Measurement list of a 2D sequence or 2D data set.
class TMeasurements2D : public TMeasurementsCustom {
public:
    explicit TMeasurements2D(TArrayDetails2D &arrayDetails);

    TArrayDetails2D &ArrayDetails() const { return *FArrayDetails; }

    bool CoordInMeters = true;
    TLongwordArray A, B, M, N;       // electrode numbers; 0 = remote electrode
    TByteArray NotMerged;            // 1 normally, 0 once merged into an earlier duplicate
    TLongwordArray GeneratorRecords; // A, M, N, B per measurement, filled by the generator
    int32_t RollCount = 0;           // roll-along files appended
    TDoubleArray DepthLevels;        // distinct pseudo-depths in order of first appearance
    TLongwordArray LevelColors;      // colour of each depth level
    TBooleanArray PassesFilters;     // the bound filters accept the measurement

    // Resizes every per-measurement array to n (GeneratorRecords to 4n),
    // keeping existing entries and zero-filling new ones, then marks every
    // measurement as passing the filters.
    void SetCount(uint32_t n);
    // SetCount with the sum of the first GroupCount entries of GroupCounts.
    void SizeFromGroups();
    // Copies A, M, N and B of every measurement out of GeneratorRecords.
    void TakeGeneratorRecords();

    void SetNotMerged(uint32_t i, bool flag)
    {
        if (i < NotMerged.size())
            NotMerged[i] = flag ? 1 : 0;
    }
    bool NotMergedFlag(uint32_t i) const { return i < NotMerged.size() && NotMerged[i] == 1; }

    bool IsShown(uint32_t i) const override;
    bool PassesFilter(uint32_t i) const { return i < PassesFilters.size() && PassesFilters[i]; }
    // Measurements that are shown and pass the filters.
    uint32_t ShownCount() const;

    // Electrode positions: metres along the line (9999.0 for a remote B or N)
    // when CoordInMeters is true, else the electrode numbers.
    double ElectrodeA(uint32_t i) const;
    double ElectrodeB(uint32_t i) const;
    double ElectrodeM(uint32_t i) const;
    double ElectrodeN(uint32_t i) const;

    // Always in metres, whatever CoordInMeters says. Array types without a
    // defined geometry (8, 9 and above) and depth methods above 1 give 0.
    double MidPoint(uint32_t i) const;
    double PseudoDepth(uint32_t i) const;
    // k = 2 pi / |1/AM - 1/AN - 1/BM + 1/BN| without the terms of remote or
    // coinciding electrodes; 0 when no term is left.
    double GeometricFactor(uint32_t i) const;
    // GeometricFactor x Resistance; 0 when the current is 0.
    double ApparentResistivity(uint32_t i) const;

    double ShownResistivity(uint32_t i) const;
    double ShownChargeability(uint32_t i) const;
    double ShownValue(uint32_t i) const;

    // Rebuilds DepthLevels and LevelColors from the pseudo-depths.
    void BuildDepthLevels();
    int32_t DepthLevelCount() const { return static_cast<int32_t>(DepthLevels.size()); }
    // First level within 1e-5 of the depth, or -1.
    int32_t DepthLevelIndex(double depth) const;
    // Colour of that level, or 0 when the depth is not a level.
    uint32_t DepthLevelColor(double depth) const;
    // Colour of level k: red + 256 x green + 65536 x blue.
    static uint32_t LevelColor(int32_t level);

    // Extremes over the whole list, shown or not; 0 for an empty list.
    double MaxResistivity() const;
    double MinResistivity() const;
    double MaxDepth() const;
    double MinDepth() const;

    // Merges each measurement with the first later one at exactly the same
    // mid-point and pseudo-depth (run after an append). Measurements merged
    // away before take no part. After a first merge, later ones look only at
    // the measurements added since and the one measurement still open at
    // each position, which gives the same result as MergeDuplicatesWholeList
    // as long as the earlier measurements and the geometry are unchanged
    // (checked on every call; otherwise the whole list is merged).
    void MergeDuplicates();
    // The same merge over the whole list, sorting every measurement.
    void MergeDuplicatesWholeList();

    // Bound filters, then (when on) the sliding average of resistivity and chargeability.
    void ApplyFilters();

    // For saving: 1000 x ApparentResistivity rounded half to even, 0 where the
    // current is 0.
    TLongwordArray ResistivityMilli() const;

private:
    // A position (mid-point, pseudo-depth) compared bit for bit; -0 is
    // stored as +0, as the two compare equal.
    struct TMergeKey {
        double MidPoint, Depth;
        bool operator==(const TMergeKey &) const = default;
    };
    struct TMergeKeyHash {
        std::size_t operator()(const TMergeKey &key) const;
    };
    // What the last merge left: the measurement still open at each position
    // of the first Covered measurements, and copies of what those positions
    // were computed from, so that the next merge can tell whether they hold.
    struct TMergeState {
        uint32_t Covered = 0;
        std::unordered_map<TMergeKey, uint32_t, TMergeKeyHash> OpenAt;
        TLongwordArray A, B, M, N;
        TByteArray NotMerged;
        uint8_t ArrayType = 0;
        uint32_t DepthMethod = 0;
        double OriginMetres = 0, UnitSpacingMetres = 0;
    };

    bool MergeKey(uint32_t i, TMergeKey &key) const;
    bool MergeStateHolds() const;
    void RememberMergeState();

    TArrayDetails2D *FArrayDetails; // not owned
    TMergeState FMergeState;
};

// Measurement list of a 1D sequence, 1D data or 0D data set.
class TMeasurements1D : public TMeasurementsCustom {
public:
    explicit TMeasurements1D(TArrayDetails1D &arrayDetails);

    TArrayDetails1D &ArrayDetails() const { return *FArrayDetails; }

    TLongwordArray HalfAB; // millimetres
    TLongwordArray HalfMN; // millimetres

    // Resizes every per-measurement array to n, keeping existing entries and
    // zero-filling new ones.
    void SetCount(uint32_t n);
    // SetCount with the sum of the first GroupCount entries of LevelCounts.
    void SizeFromGroups();

    bool IsShown(uint32_t i) const override;

    // Store metres x 1000 rounded to a whole millimetre (an index without an
    // entry is ignored).
    void SetHalfAB(uint32_t i, double metres);
    void SetHalfMN(uint32_t i, double metres);
    double HalfABMetres(uint32_t i) const;
    double HalfMNMetres(uint32_t i) const;

    // k from AB/2, MN/2 and the array type; 0 for an unknown array type or a
    // factor that cannot be computed.
    double GeometricFactor1D(uint32_t i) const;
    // GeometricFactor1D x Resistance; 0 when the current is 0.
    double ApparentResistivity1D(uint32_t i) const;

    // For saving: 1000 x ApparentResistivity1D rounded half to even, 0 where
    // the current is 0.
    TLongwordArray ResistivityMilli() const;

private:
    TArrayDetails1D *FArrayDetails; // not owned
};
