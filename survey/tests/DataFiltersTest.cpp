#include "SurveyFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numeric>

TEST(BoundFilters, DefaultsLetEverythingPass)
{
    TList2D t;
    t.Add({1, 2, 3, 4}, 0, 0, 100000, 0);
    t.Add({1, 2, 3, 4}, 1, 1, 1, 4000000000u);
    t.List.PassesFilters = {false, false};
    t.List.SAResistivity = {3.0, 4.0};
    t.List.ApplyFilters();
    EXPECT_EQ(t.List.PassesFilters, (TBooleanArray{true, true}));
    EXPECT_EQ(t.List.SAResistivity, (TDoubleArray{3.0, 4.0})); // sliding average off: kept
    EXPECT_EQ(t.List.ShownResistivity(1), t.List.ApparentResistivity(1));
}

// One reading at a time against one filter; the intervals include both bounds.
TEST(BoundFilters, EachFilterAtItsBounds)
{
    struct Case {
        const char *name;
        std::function<void(TFilterDetails &)> configure;
        uint32_t voltage, current, quality, chargeability;
        bool passes;
    };
    const auto quality = [](TFilterDetails &f) { f.QualityFilter = true; };
    const auto voltage = [](TFilterDetails &f) { f.VoltageFilter = true; };
    const auto current = [](TFilterDetails &f) { f.CurrentFilter = true; };
    const auto charge = [](TFilterDetails &f) { f.ChargeabilityFilter = true; };
    const auto resistivity = [](TFilterDetails &f) { f.ResistivityFilter = true; };
    const Case cases[] = {
        {"Q at threshold", quality, 1000, 1000, 5000, 0, true},
        {"Q above threshold", quality, 1000, 1000, 5001, 0, false},
        {"U at minimum", voltage, 5000, 1000, 0, 0, true},
        {"U at maximum", voltage, 200000000, 1000, 0, 0, true},
        {"U below minimum", voltage, 4999, 1000, 0, 0, false},
        {"U above maximum", voltage, 200000001, 1000, 0, 0, false},
        {"I at minimum", current, 1000, 1000, 0, 0, true},
        {"I at maximum", current, 1000, 2500000, 0, 0, true},
        {"I below minimum", current, 1000, 999, 0, 0, false},
        {"I above maximum", current, 1000, 2500001, 0, 0, false},
        {"C at minimum", charge, 1000, 1000, 0, 0, true},
        {"C at maximum", charge, 1000, 1000, 0, 100000000, true},
        {"C above maximum", charge, 1000, 1000, 0, 100000001, false},
        {"C of a zero current", charge, 1000, 0, 0, 5, true},
        {"rho inside", resistivity, 1000, 1000, 0, 0, true},     // 20 pi Ohm*m
        {"rho of a zero current", resistivity, 1000, 0, 0, 0, false}, // 0 < 0.1
        {"rho above maximum", resistivity, 1000000, 1, 0, 0, false},
        {"minimum above maximum",
         [](TFilterDetails &f) {
             f.VoltageFilter = true;
             f.VoltageMin = 10.0;
             f.VoltageMax = 5.0;
         },
         7000, 1000, 0, 0, false},
        {"other filters off", quality, 1, 0, 0, 4000000000u, true},
    };
    for (const Case &c : cases) {
        TList2D t(ArrayTypeCode::Wenner);
        t.Add({1, 3, 5, 7}, c.voltage, c.current, c.quality, c.chargeability);
        c.configure(t.Details.FilterDetails);
        t.List.ApplyFilters();
        EXPECT_EQ(t.List.PassesFilter(0), c.passes) << c.name;
        EXPECT_EQ(t.List.Used[0], 1) << c.name; // bound filters never touch Used
    }
}

TEST(BoundFilters, ResistivityBoundsAreInclusive)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Add({1, 3, 5, 7}, 3000, 1000);
    const double rho = t.List.ApparentResistivity(0);
    TFilterDetails &f = t.Details.FilterDetails;
    f.ResistivityFilter = true;
    f.ResistivityMin = rho;
    f.ResistivityMax = rho;
    t.List.ApplyFilters();
    EXPECT_TRUE(t.List.PassesFilter(0));
    f.ResistivityMin = std::nextafter(rho, 1e9);
    f.ResistivityMax = 1e9;
    t.List.ApplyFilters();
    EXPECT_FALSE(t.List.PassesFilter(0));
}

TEST(BoundFilters, EveryMeasurementIsFilteredShownOrNot)
{
    TList2D t;
    t.Add({1, 3, 5, 7}, 1000);
    t.Add({1, 3, 5, 7}, 1000);
    t.List.SetUsed(0, false);
    t.List.SetNotMerged(1, false);
    t.Details.FilterDetails.VoltageFilter = true;
    t.List.ApplyFilters();
    EXPECT_EQ(t.List.PassesFilters, (TBooleanArray{false, false}));
}

namespace {

// Two depth levels in list order as a generator lists them: measurements
// 0 to 9 are Wenner a = 1 m, 10 to 19 Wenner a = 2 m, each level moving
// along the line. Resistivity and chargeability differ per measurement.
class SlidingAverage : public testing::Test {
protected:
    TList2D t{ArrayTypeCode::Wenner, 1000};
    TMeasurements2D &list = t.List;
    TFilterDetails &filters = t.Details.FilterDetails;

    void SetUp() override
    {
        for (uint32_t k = 0; k < 10; ++k)
            t.Add({k + 1, k + 2, k + 3, k + 4}, 1000 * (k + 1), 1000, 0, 100 * (k + 1));
        for (uint32_t k = 0; k < 10; ++k)
            t.Add({k + 1, k + 3, k + 5, k + 7}, 1000 * (k * k + 1), 1000, 0, 500 + 37 * k * k);
        filters.SlidingAverage = true;
        filters.WindowWidth = 5;
    }

    double MeanResistivity(std::initializer_list<uint32_t> members) const
    {
        double sum = 0.0;
        for (uint32_t b : members)
            sum += list.ApparentResistivity(b);
        return sum / static_cast<double>(members.size());
    }

    double MeanChargeability(std::initializer_list<uint32_t> members) const
    {
        double sum = 0.0;
        for (uint32_t b : members)
            sum += list.ChargeabilityMS(b);
        return sum / static_cast<double>(members.size());
    }
};

} // namespace

TEST_F(SlidingAverage, WindowShrinksAtLevelEndsAndListEnd)
{
    list.ApplyFilters();
    EXPECT_NEAR(list.SAResistivity[12], MeanResistivity({10, 11, 12, 13, 14}), 1e-9);
    EXPECT_NEAR(list.SAResistivity[10], MeanResistivity({10, 11, 12}), 1e-9); // 8, 9 on the other level
    EXPECT_NEAR(list.SAResistivity[9], MeanResistivity({7, 8, 9}), 1e-9);     // 10, 11 on the other level
    EXPECT_NEAR(list.SAResistivity[19], MeanResistivity({17, 18, 19}), 1e-9);
    EXPECT_NEAR(list.SAResistivity[0], MeanResistivity({0, 1, 2}), 1e-9);
    EXPECT_NEAR(list.SAChargeability[12], MeanChargeability({10, 11, 12, 13, 14}), 1e-9);
    EXPECT_NEAR(list.SAChargeability[19], MeanChargeability({17, 18, 19}), 1e-9);

    // The shown values follow the averages while the filter is on.
    list.MeasureSettings[3] = 1;
    EXPECT_EQ(list.ShownResistivity(12), list.SAResistivity[12]);
    EXPECT_EQ(list.ShownChargeability(12), list.SAChargeability[12]);
    for (uint32_t i = 0; i < list.Count; ++i)
        EXPECT_EQ(list.Used[i], 1) << i;
}

TEST_F(SlidingAverage, WidestWindowSkipsPositionsBeyondTheList)
{
    filters.WindowWidth = 9;
    list.ApplyFilters();
    EXPECT_NEAR(list.SAResistivity[19], MeanResistivity({15, 16, 17, 18, 19}), 1e-9);
    EXPECT_NEAR(list.SAResistivity[0], MeanResistivity({0, 1, 2, 3, 4}), 1e-9);
    EXPECT_NEAR(list.SAResistivity[14], MeanResistivity({10, 11, 12, 13, 14, 15, 16, 17, 18}), 1e-9);
}

TEST_F(SlidingAverage, HalfWidthRoundsHalvesToEven)
{
    filters.WindowWidth = 4; // h = round(1.5) = 2: positions j - 2 .. j + 1
    list.ApplyFilters();
    EXPECT_NEAR(list.SAResistivity[14], MeanResistivity({12, 13, 14, 15}), 1e-9);
    filters.WindowWidth = 3;
    list.ApplyFilters();
    EXPECT_NEAR(list.SAResistivity[10], MeanResistivity({10, 11}), 1e-9);
}

TEST_F(SlidingAverage, OnlyShownAndPassingNeighboursCount)
{
    list.Voltage[15] = 1; // 0.001 mV: fails the voltage filter
    filters.VoltageFilter = true;
    filters.VoltageMin = 0.5;
    list.SetUsed(13, false);
    list.SAResistivity[13] = -1.0;
    list.SAChargeability[13] = -2.0;
    list.ApplyFilters();

    EXPECT_FALSE(list.PassesFilter(15));
    // 15 is averaged over its passing neighbours, stays used, and is not drawn.
    EXPECT_NEAR(list.SAResistivity[15], MeanResistivity({14, 16, 17}), 1e-9);
    EXPECT_NEAR(list.SAChargeability[15], MeanChargeability({14, 16, 17}), 1e-9);
    EXPECT_EQ(list.Used[15], 1);
    // Neither 13 (not used) nor 15 (filtered out) counts for 14.
    EXPECT_NEAR(list.SAResistivity[14], MeanResistivity({12, 14, 16}), 1e-9);
    // A measurement that is not shown keeps its older averages.
    EXPECT_EQ(list.SAResistivity[13], -1.0);
    EXPECT_EQ(list.SAChargeability[13], -2.0);
    EXPECT_EQ(list.ShownCount(), 18u);
}

TEST_F(SlidingAverage, FilteredMeasurementWithoutPassingNeighboursLosesUsed)
{
    // A third level with one measurement that fails the current filter.
    const uint32_t lone = t.Add({1, 4, 7, 10}, 3000, 100);
    filters.CurrentFilter = true;
    list.SAResistivity[lone] = 5.0;
    list.SAChargeability[lone] = 6.0;
    list.ApplyFilters();
    EXPECT_EQ(list.Used[lone], 0);
    EXPECT_FALSE(list.IsShown(lone));
    EXPECT_EQ(list.SAResistivity[lone], 5.0);
    EXPECT_EQ(list.SAChargeability[lone], 6.0);

    // Switching the filter off again does not bring the flag back.
    filters.SlidingAverage = false;
    filters.CurrentFilter = false;
    list.ApplyFilters();
    EXPECT_EQ(list.Used[lone], 0);
    EXPECT_TRUE(list.PassesFilter(lone));
}

TEST_F(SlidingAverage, OffLeavesAveragesAlone)
{
    list.ApplyFilters();
    const TDoubleArray resistivity = list.SAResistivity;
    const TDoubleArray chargeability = list.SAChargeability;
    filters.SlidingAverage = false;
    list.Voltage[12] = 99999;
    list.ApplyFilters();
    EXPECT_EQ(list.SAResistivity, resistivity);
    EXPECT_EQ(list.SAChargeability, chargeability);
    EXPECT_EQ(list.ShownResistivity(12), list.ApparentResistivity(12));
}
