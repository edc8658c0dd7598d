// The merge after each append looks only at the measurements added since the
// last merge; it must leave exactly what the merge over the whole list
// leaves, append after append.
#include "SurveyFixture.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct TSpread {
    std::vector<TElectrodes> Electrodes;
    std::vector<uint32_t> Readings;
    std::vector<uint8_t> NotMerged;
};

// Wenner levels 1 to 15 on 48 electrodes, the spread starting `shift`
// electrodes along: the overlap with the previous spread repeats positions.
TSpread WennerSpread(uint32_t shift, std::mt19937 &random)
{
    TSpread s;
    for (uint32_t level = 1; level <= 15; ++level)
        for (uint32_t a = 1; a + 3 * level <= 48; ++a) {
            s.Electrodes.push_back({shift + a, shift + a + level, shift + a + 2 * level, shift + a + 3 * level});
            s.Readings.push_back(random() % 100000);
            s.NotMerged.push_back(1);
        }
    return s;
}

// Few electrodes, so that positions repeat within a spread and across
// many spreads, and now and then a measurement merged away before.
TSpread RandomSpread(uint32_t size, std::mt19937 &random)
{
    TSpread s;
    for (uint32_t k = 0; k < size; ++k) {
        const uint32_t a = 1 + random() % 12;
        const uint32_t d = 1 + random() % 3;
        s.Electrodes.push_back({a, a + d, a + 2 * d, a + 3 * d});
        s.Readings.push_back(random() % 1000);
        s.NotMerged.push_back(random() % 10 == 0 ? 0 : 1);
    }
    return s;
}

void Append(TList2D &t, const TSpread &s)
{
    for (std::size_t k = 0; k < s.Electrodes.size(); ++k) {
        const uint32_t i = t.Add(s.Electrodes[k], s.Readings[k], s.Readings[k] / 3 + 1, s.Readings[k] % 7);
        t.List.NotMerged[i] = s.NotMerged[k];
    }
}

void ExpectSameLists(const TMeasurements2D &incremental, const TMeasurements2D &whole, int spread)
{
    ASSERT_EQ(incremental.Count, whole.Count) << spread;
    EXPECT_EQ(incremental.Voltage, whole.Voltage) << "after spread " << spread;
    EXPECT_EQ(incremental.Current, whole.Current) << "after spread " << spread;
    EXPECT_EQ(incremental.Quality, whole.Quality) << "after spread " << spread;
    EXPECT_EQ(incremental.NotMerged, whole.NotMerged) << "after spread " << spread;
}

// Appends the spreads one by one to two lists, merging one incrementally
// and the other over the whole list, and compares them after each.
template <typename NextSpread>
void JoinBothWays(TList2D &incremental, TList2D &whole, int spreads, NextSpread next)
{
    for (int spread = 0; spread < spreads; ++spread) {
        const TSpread s = next(spread);
        Append(incremental, s);
        Append(whole, s);
        incremental.List.MergeDuplicates();
        whole.List.MergeDuplicatesWholeList();
        ExpectSameLists(incremental.List, whole.List, spread);
    }
}

TEST(MergeDuplicatesJoin, AgreesWithTheWholeListMergeOnRollAlongLines)
{
    for (uint8_t type : {ArrayTypeCode::Wenner, ArrayTypeCode::DipoleDipole, ArrayTypeCode::FwdPoleDipole}) {
        std::mt19937 random(type);
        TList2D incremental(type), whole(type);
        JoinBothWays(incremental, whole, 12, [&](int spread) { return WennerSpread(24 * spread, random); });
    }
}

TEST(MergeDuplicatesJoin, AgreesWithTheWholeListMergeOnRandomLines)
{
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        TList2D incremental, whole;
        JoinBothWays(incremental, whole, 8, [&](int) { return RandomSpread(1 + random() % 40, random); });
    }
}

// Changes between appends to what the positions are computed from (an
// electrode, the spacing, a merged flag) leave the result of the whole-list
// merge too.
TEST(MergeDuplicatesJoin, ChangesToEarlierMeasurementsAreSeen)
{
    const auto changes = {
        +[](TList2D &t) { t.List.A[3] = t.List.A[0], t.List.M[3] = t.List.M[0], t.List.N[3] = t.List.N[0],
                          t.List.B[3] = t.List.B[0]; },
        +[](TList2D &t) { t.Details.UnitSpacing = 2500; },
        +[](TList2D &t) { t.List.NotMerged[5] = 1 - t.List.NotMerged[5]; },
        +[](TList2D &t) { t.Details.ArrayType = ArrayTypeCode::Schlumberger; },
    };
    for (const auto change : changes) {
        std::mt19937 random(99);
        TList2D incremental, whole;
        for (int spread = 0; spread < 4; ++spread) {
            const TSpread s = RandomSpread(30, random);
            Append(incremental, s);
            Append(whole, s);
            if (spread == 2) {
                change(incremental);
                change(whole);
            }
            incremental.List.MergeDuplicates();
            whole.List.MergeDuplicatesWholeList();
            ExpectSameLists(incremental.List, whole.List, spread);
        }
    }
}

} // namespace
