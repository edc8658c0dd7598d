// Merging of duplicate measurements after an append: over the whole list,
// or for the measurements added since the last merge only.
#include "survey/Measurements.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace {

// Mean of two stored readings, rounded to a whole number with halves to the
// even neighbour; exact in integers.
uint32_t MergedReading(uint32_t first, uint32_t second)
{
    const uint64_t sum = static_cast<uint64_t>(first) + second;
    uint64_t mean = sum / 2;
    if (sum % 2 != 0 && mean % 2 != 0)
        ++mean;
    return static_cast<uint32_t>(mean);
}

template <typename T>
bool SamePrefix(const std::vector<T> &copy, const std::vector<T> &list, uint32_t count)
{
    return copy.size() >= count && list.size() >= count &&
           std::memcmp(copy.data(), list.data(), count * sizeof(T)) == 0;
}

template <typename T>
void CopyFrom(std::vector<T> &copy, const std::vector<T> &list, uint32_t from, uint32_t to)
{
    copy.resize(from);
    copy.insert(copy.end(), list.begin() + from, list.begin() + to);
}

} // namespace

std::size_t TMeasurements2D::TMergeKeyHash::operator()(const TMergeKey &key) const
{
    const uint64_t mid = std::bit_cast<uint64_t>(key.MidPoint);
    const uint64_t depth = std::bit_cast<uint64_t>(key.Depth);
    uint64_t h = mid * 0x9E3779B97F4A7C15ull ^ (depth + 0x7F4A7C159E3779B9ull + (mid << 6) + (mid >> 2));
    h ^= h >> 29;
    return static_cast<std::size_t>(h * 0xBF58476D1CE4E5B9ull);
}

// The position of measurement i when it can take part in a merge: not merged
// away before, and both coordinates numbers (a value that is not a number
// equals nothing, so it has no partner).
bool TMeasurements2D::MergeKey(uint32_t i, TMergeKey &key) const
{
    if (!NotMergedFlag(i))
        return false;
    const double mid = MidPoint(i);
    const double depth = PseudoDepth(i);
    if (std::isnan(mid) || std::isnan(depth))
        return false;
    key = {mid + 0.0, depth + 0.0}; // -0 + 0 is +0
    return true;
}

void TMeasurements2D::MergeDuplicatesWholeList()
{
    // Each measurement's partner is the first later one with exactly the same
    // mid-point and pseudo-depth. Sorting the indices by (mid-point,
    // pseudo-depth, index) puts every partner right after its measurement.
    //
    // Measurements merged away by an earlier merge take no part: the merge runs
    // after every appended spread, and averaging a pair that was already merged
    // again would pull the kept reading a little further towards its duplicate
    // with every later spread. Within one merge, a measurement merged away in
    // this pass still passes its duplicate on (a chain of three).
    std::vector<std::pair<TMergeKey, uint32_t>> order;
    order.reserve(Count);
    for (uint32_t i = 0; i < Count; ++i) {
        TMergeKey key{};
        if (MergeKey(i, key))
            order.push_back({key, i});
    }
    std::sort(order.begin(), order.end(), [](const auto &left, const auto &right) {
        if (left.first.MidPoint != right.first.MidPoint)
            return left.first.MidPoint < right.first.MidPoint;
        if (left.first.Depth != right.first.Depth)
            return left.first.Depth < right.first.Depth;
        return left.second < right.second;
    });

    std::vector<int64_t> partner(Count, -1);
    for (std::size_t k = 0; k + 1 < order.size(); ++k)
        if (order[k].first == order[k + 1].first)
            partner[order[k].second] = order[k + 1].second;

    // In list order: a measurement changes only when its own turn comes, after
    // every earlier measurement that took it as partner has read it.
    for (uint32_t i = 0; i < Count; ++i) {
        if (partner[i] < 0)
            continue;
        const auto j = static_cast<uint32_t>(partner[i]);
        Voltage[i] = MergedReading(Voltage[i], Voltage[j]);
        Current[i] = MergedReading(Current[i], Current[j]);
        Quality[i] = MergedReading(Quality[i], Quality[j]);
        NotMerged[j] = 0;
    }

    // Every position now has at most one measurement open: the first of its
    // group.
    FMergeState.OpenAt.clear();
    for (const auto &[key, i] : order)
        FMergeState.OpenAt.try_emplace(key, i);
    FMergeState.Covered = 0;
    RememberMergeState();
}

void TMeasurements2D::MergeDuplicates()
{
    if (!MergeStateHolds()) {
        MergeDuplicatesWholeList();
        return;
    }
    // Only the measurements added since the last merge can be partners: each
    // earlier position has one open measurement at most, which comes before
    // every new one. Within a position, the open measurement and the new ones
    // in list order form the chain that the whole-list merge would form.
    std::unordered_map<TMergeKey, uint32_t, TMergeKeyHash> chainEnd;
    std::vector<std::pair<uint32_t, uint32_t>> pairs; // (measurement, partner)
    for (uint32_t i = FMergeState.Covered; i < Count; ++i) {
        TMergeKey key{};
        if (!MergeKey(i, key))
            continue;
        const auto [open, isNew] = FMergeState.OpenAt.try_emplace(key, i);
        if (isNew) {
            chainEnd[key] = i;
            continue;
        }
        uint32_t &end = chainEnd.try_emplace(key, open->second).first->second;
        pairs.push_back({end, i});
        end = i;
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto &[i, j] : pairs) {
        Voltage[i] = MergedReading(Voltage[i], Voltage[j]);
        Current[i] = MergedReading(Current[i], Current[j]);
        Quality[i] = MergedReading(Quality[i], Quality[j]);
        NotMerged[j] = 0;
    }
    RememberMergeState();
}

bool TMeasurements2D::MergeStateHolds() const
{
    const TMergeState &s = FMergeState;
    const TArrayDetails2D &d = *FArrayDetails;
    const uint32_t n = s.Covered;
    return n > 0 && n <= Count && s.ArrayType == d.ArrayType && s.DepthMethod == d.DepthMethod &&
           std::bit_cast<uint64_t>(s.OriginMetres) == std::bit_cast<uint64_t>(d.OriginMetres()) &&
           std::bit_cast<uint64_t>(s.UnitSpacingMetres) == std::bit_cast<uint64_t>(d.UnitSpacingMetres()) &&
           SamePrefix(s.A, A, n) && SamePrefix(s.B, B, n) && SamePrefix(s.M, M, n) && SamePrefix(s.N, N, n) &&
           SamePrefix(s.NotMerged, NotMerged, n);
}

// Copies what the positions of the measurements from Covered on were
// computed from; Covered becomes Count.
void TMeasurements2D::RememberMergeState()
{
    TMergeState &s = FMergeState;
    const uint32_t from = s.Covered;
    const uint32_t to = std::min<uint32_t>(Count, static_cast<uint32_t>(std::min(
        {A.size(), B.size(), M.size(), N.size(), NotMerged.size()})));
    if (to < Count) {
        // Arrays shorter than the list: no state to keep.
        s = TMergeState{};
        return;
    }
    CopyFrom(s.A, A, from, to);
    CopyFrom(s.B, B, from, to);
    CopyFrom(s.M, M, from, to);
    CopyFrom(s.N, N, from, to);
    CopyFrom(s.NotMerged, NotMerged, from, to);
    s.ArrayType = FArrayDetails->ArrayType;
    s.DepthMethod = FArrayDetails->DepthMethod;
    s.OriginMetres = FArrayDetails->OriginMetres();
    s.UnitSpacingMetres = FArrayDetails->UnitSpacingMetres();
    s.Covered = to;
}
