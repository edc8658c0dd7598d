// The data filters of a 2D measurement list: bound filters, then the sliding
// average over list neighbours on the same pseudo-depth level.
#include "survey/Measurements.h"

#include <algorithm>
#include <cmath>

namespace {

// List neighbours count for the sliding average only on the same level.
constexpr double SameLevelTolerance = 1e-10;

bool Inside(double value, double lowest, double highest)
{
    return lowest <= value && value <= highest;
}

// The bound filters that are on; a measurement passes unless one rejects it.
bool PassesBounds(const TMeasurements2D &list, const TFilterDetails &filters, uint32_t i)
{
    if (filters.QualityFilter && list.QualityPercent(i) > filters.QualityThreshold)
        return false;
    if (filters.VoltageFilter && !Inside(list.VoltageMV(i), filters.VoltageMin, filters.VoltageMax))
        return false;
    if (filters.CurrentFilter && !Inside(list.CurrentMA(i), filters.CurrentMin, filters.CurrentMax))
        return false;
    if (filters.ResistivityFilter &&
        !Inside(list.ApparentResistivity(i), filters.ResistivityMin, filters.ResistivityMax))
        return false;
    if (filters.ChargeabilityFilter &&
        !Inside(list.ChargeabilityMS(i), filters.ChargeabilityMin, filters.ChargeabilityMax))
        return false;
    return true;
}

// One sliding-average pass: for every shown measurement j, the mean of value
// over the window of list positions around j, counting only shown, passing
// measurements on j's level. A shown measurement with nothing to count loses
// its Used flag; otherwise the mean goes to averages[j].
template <typename Value>
void SlidingAveragePass(TMeasurements2D &list, const TDoubleArray &depths, int64_t width, Value value,
                        TDoubleArray &averages)
{
    const int64_t count = list.Count;
    const auto half = static_cast<int64_t>(RoundHalfEven((static_cast<double>(width) - 1.0) / 2.0));
    for (int64_t j = 0; j < count; ++j) {
        const auto jj = static_cast<uint32_t>(j);
        if (!list.IsShown(jj))
            continue;
        // Window positions j - half .. j - half + width - 1, limited to the list.
        const int64_t first = std::max<int64_t>(j - half, 0);
        const int64_t last = std::min<int64_t>(j - half + width - 1, count - 1);
        double sum = 0.0;
        int64_t counted = 0;
        for (int64_t b = first; b <= last; ++b) {
            const auto bb = static_cast<uint32_t>(b);
            if (list.IsShown(bb) && list.PassesFilters[bb] &&
                std::abs(depths[bb] - depths[jj]) <= SameLevelTolerance) {
                sum += value(bb);
                ++counted;
            }
        }
        if (counted == 0)
            list.SetUsed(jj, false);
        else
            averages[jj] = sum / static_cast<double>(counted);
    }
}

} // namespace

void TMeasurements2D::ApplyFilters()
{
    const TFilterDetails &filters = ArrayDetails().FilterDetails;
    for (uint32_t i = 0; i < Count; ++i)
        PassesFilters[i] = PassesBounds(*this, filters, i);

    if (!filters.SlidingAverage)
        return;

    TDoubleArray depths(Count);
    for (uint32_t i = 0; i < Count; ++i)
        depths[i] = PseudoDepth(i);

    const int64_t width = filters.WindowWidth;
    SlidingAveragePass(*this, depths, width, [this](uint32_t b) { return ApparentResistivity(b); },
                       SAResistivity);
    SlidingAveragePass(*this, depths, width, [this](uint32_t b) { return ChargeabilityMS(b); }, SAChargeability);
}
