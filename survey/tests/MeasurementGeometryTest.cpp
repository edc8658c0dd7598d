#include "SurveyFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Tolerance = 1e-9;

} // namespace

TEST(Geometry2D, WennerPositionsMidPointDepthsAndFactor)
{
    TList2D t(ArrayTypeCode::Wenner);
    const uint32_t i = t.Add({1, 3, 5, 7});
    TMeasurements2D &list = t.List;

    EXPECT_DOUBLE_EQ(list.ElectrodeA(i), 0.0);
    EXPECT_DOUBLE_EQ(list.ElectrodeM(i), 10.0);
    EXPECT_DOUBLE_EQ(list.ElectrodeN(i), 20.0);
    EXPECT_DOUBLE_EQ(list.ElectrodeB(i), 30.0);
    EXPECT_DOUBLE_EQ(list.MidPoint(i), 15.0);
    EXPECT_NEAR(list.GeometricFactor(i), 20.0 * Pi, Tolerance);
    EXPECT_NEAR(list.PseudoDepth(i), 5.19, Tolerance); // median depth is the default
    t.Details.DepthMethod = DepthMethodABProportional;
    EXPECT_DOUBLE_EQ(list.PseudoDepth(i), 15.0);

    // Positions as electrode numbers; the geometry stays in metres and the
    // setting itself is left alone.
    list.CoordInMeters = false;
    EXPECT_EQ(list.ElectrodeA(i), 1.0);
    EXPECT_EQ(list.ElectrodeM(i), 3.0);
    EXPECT_EQ(list.ElectrodeN(i), 5.0);
    EXPECT_EQ(list.ElectrodeB(i), 7.0);
    EXPECT_DOUBLE_EQ(list.MidPoint(i), 15.0);
    EXPECT_DOUBLE_EQ(list.PseudoDepth(i), 15.0);
    EXPECT_NEAR(list.GeometricFactor(i), 20.0 * Pi, Tolerance);
    EXPECT_FALSE(list.CoordInMeters);
}

TEST(Geometry2D, OriginShiftsPositionsAndMidPointButNotDepthOrFactor)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Details.SetOrigin(100.0);
    const uint32_t i = t.Add({1, 3, 5, 7});
    EXPECT_DOUBLE_EQ(t.List.ElectrodeA(i), 100.0);
    EXPECT_DOUBLE_EQ(t.List.ElectrodeB(i), 130.0);
    EXPECT_DOUBLE_EQ(t.List.MidPoint(i), 115.0);
    EXPECT_NEAR(t.List.PseudoDepth(i), 5.19, Tolerance);
    EXPECT_NEAR(t.List.GeometricFactor(i), 20.0 * Pi, Tolerance);
}

TEST(Geometry2D, PositionsReadStoredMillimetresTimesOneThousandth)
{
    // Positions are x0 + A (n - 1) with A = spacing in mm x 0.001. For 19993 mm
    // at electrode 46 that is 899.6850000000001, which prints as 899.69 with two
    // decimals; dividing by 1000 instead would give 899.685 and print 899.68.
    TList2D t(ArrayTypeCode::Wenner, 19993);
    const uint32_t i = t.Add({46, 47, 48, 1});
    EXPECT_EQ(t.List.ElectrodeA(i), 899.6850000000001);
    char printed[32];
    std::snprintf(printed, sizeof printed, "%.2f", t.List.ElectrodeA(i));
    EXPECT_STREQ(printed, "899.69");

    TList2D shifted(ArrayTypeCode::Wenner, 19993);
    shifted.Details.Origin = 1234567; // 1234.567 m, read back as 1234567 x 0.001
    EXPECT_EQ(shifted.Details.OriginMetres(), 1234567 * 0.001);
}

TEST(Geometry2D, PolePoleRemoteElectrodes)
{
    TList2D t(ArrayTypeCode::PolePole);
    const uint32_t i = t.Add({1, 2, 0, 0});
    TMeasurements2D &list = t.List;
    EXPECT_NEAR(list.GeometricFactor(i), 2.0 * Pi * 5.0, Tolerance);
    EXPECT_NEAR(list.PseudoDepth(i), 4.335, Tolerance);
    EXPECT_DOUBLE_EQ(list.MidPoint(i), 2.5);
    EXPECT_EQ(list.ElectrodeB(i), RemoteElectrodePosition);
    EXPECT_EQ(list.ElectrodeN(i), 9999.0);
    list.CoordInMeters = false;
    EXPECT_EQ(list.ElectrodeB(i), 0.0);
    EXPECT_EQ(list.ElectrodeN(i), 0.0);
}

// Every array type on the same electrodes A 1, M 3, N 5, B 7 (positions 0,
// 10, 20, 30 m): mid-point, "AB Proportional" and "Median Depth" depth.
TEST(Geometry2D, MidPointAndDepthsByArrayType)
{
    struct Case {
        uint8_t arrayType;
        double midPoint;
        double abDepth;
        double medianDepth;
    };
    const Case cases[] = {
        {ArrayTypeCode::Wenner, 15.0, 15.0, 0.173 * 30},
        {ArrayTypeCode::Schlumberger, 15.0, 15.0, 0.192 * 30},
        {ArrayTypeCode::DipoleDipole, 10.0, 10.0, 0.0}, // S / L = -20 / 30: outside the table
        {ArrayTypeCode::WennerBeta, 10.0, 10.0, 0.0},
        {ArrayTypeCode::WennerGamma, 10.0, 15.0, 0.201 * 20},
        {ArrayTypeCode::FwdPoleDipole, 7.5, 7.5, 0.54 * 10}, // s / p = 10 / 10
        {ArrayTypeCode::RevPoleDipole, 7.5, 7.5, 0.54 * 10},
        {ArrayTypeCode::PolePole, 5.0, 5.0, 0.867 * 10},
        {ArrayTypeCode::EquatDipoleDipole, 0.0, 0.0, 0.0},
        {ArrayTypeCode::Custom, 0.0, 0.0, 0.0},
        {12, 0.0, 0.0, 0.0},
    };
    for (const Case &c : cases) {
        TList2D t(c.arrayType);
        const uint32_t i = t.Add({1, 3, 5, 7});
        SCOPED_TRACE(static_cast<int>(c.arrayType));
        EXPECT_NEAR(t.List.MidPoint(i), c.midPoint, Tolerance);
        EXPECT_NEAR(t.List.PseudoDepth(i), c.medianDepth, Tolerance);
        t.Details.DepthMethod = DepthMethodABProportional;
        EXPECT_NEAR(t.List.PseudoDepth(i), c.abDepth, Tolerance);
        t.Details.DepthMethod = 2; // no such method
        EXPECT_EQ(t.List.PseudoDepth(i), 0.0);
    }
}

TEST(Geometry2D, ABProportionalDepthKeepsItsSign)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Details.DepthMethod = DepthMethodABProportional;
    const uint32_t i = t.Add({7, 5, 3, 1});
    EXPECT_DOUBLE_EQ(t.List.PseudoDepth(i), -15.0);
}

// Dipole-dipole median depth f(S / L) x (2L + S), unit spacing 1 m so that
// positions are electrode number - 1.
TEST(Geometry2D, DipoleDipoleMedianDepthTable)
{
    struct Case {
        TElectrodes electrodes; // A, M, N, B
        double depth;
    };
    const Case cases[] = {
        {{1, 16, 21, 6}, 0.174 * 20},                         // L 5, S 10: n = 2
        {{1, 3, 4, 2}, 0.139 * 3},                            // n = 1
        {{1, 62, 63, 51}, 0.063 * 111},                       // n = 0.22, first entry
        {{1, 6, 7, 3}, (0.139 + 0.5 * (0.174 - 0.139)) * 7},  // n = 1.5, interpolated
        {{1, 102, 103, 2}, 0.25 * 102},                       // n = 100, last entry
        {{1, 56, 57, 51}, 0.0},                               // n = 0.1, below the table
        {{1, 103, 104, 2}, 0.0},                              // n = 101, above the table
        {{3, 1, 2, 4}, 0.0},                                  // M before B: negative ratio
        {{4, 5, 6, 4}, 0.0},                                  // L = 0
    };
    for (const Case &c : cases) {
        TList2D t(ArrayTypeCode::DipoleDipole, 1000);
        const uint32_t i = t.Add(c.electrodes);
        EXPECT_NEAR(t.List.PseudoDepth(i), c.depth, Tolerance)
            << c.electrodes.A << ' ' << c.electrodes.M << ' ' << c.electrodes.N << ' ' << c.electrodes.B;
    }
}

TEST(Geometry2D, DipoleDipoleWithFiveMetreSpacing)
{
    TList2D t(ArrayTypeCode::DipoleDipole);
    const uint32_t i = t.Add({1, 4, 5, 2}); // A 0 m, B 5 m, M 15 m, N 20 m
    EXPECT_DOUBLE_EQ(t.List.MidPoint(i), 10.0);
    EXPECT_NEAR(t.List.PseudoDepth(i), 3.48, Tolerance);
    EXPECT_NEAR(t.List.GeometricFactor(i), 120.0 * Pi, 1e-9); // 1/15 - 1/20 - 1/10 + 1/15 = -1/60
}

// Pole-dipole median depth g(s / p) x p, unit spacing 1 m.
TEST(Geometry2D, PoleDipoleMedianDepthTable)
{
    struct Case {
        uint8_t arrayType;
        TElectrodes electrodes;
        double depth;
    };
    const Case cases[] = {
        {ArrayTypeCode::FwdPoleDipole, {1, 2, 3, 0}, 0.54},                                // n = 1
        {ArrayTypeCode::FwdPoleDipole, {1, 9, 10, 0}, 2.3785 + 0.5 * (3.8493 - 2.3785)},   // n = 8
        {ArrayTypeCode::FwdPoleDipole, {1, 101, 102, 0}, 36.9423},                         // n = 100
        {ArrayTypeCode::FwdPoleDipole, {1, 102, 103, 0}, 0.0},                             // n = 101
        {ArrayTypeCode::FwdPoleDipole, {1, 5, 9, 0}, 0.54 * 4},                            // s 4, p 4
        {ArrayTypeCode::FwdPoleDipole, {1, 2, 2, 0}, 0.0},                                 // p = 0
        {ArrayTypeCode::RevPoleDipole, {10, 9, 8, 0}, 0.54},
        {ArrayTypeCode::RevPoleDipole, {10, 8, 7, 0}, 0.9077}, // n = 2
    };
    for (const Case &c : cases) {
        TList2D t(c.arrayType, 1000);
        const uint32_t i = t.Add(c.electrodes);
        EXPECT_NEAR(t.List.PseudoDepth(i), c.depth, Tolerance) << c.electrodes.M << ' ' << c.electrodes.N;
    }
}

TEST(Geometry2D, GeometricFactorLeavesOutRemoteAndCoincidingTerms)
{
    struct Case {
        TElectrodes electrodes; // A, M, N, B at 5 m spacing
        double factor;
    };
    const Case cases[] = {
        {{1, 3, 5, 7}, 20.0 * Pi}, // Wenner, a = 10 m
        {{1, 3, 4, 2}, 30.0 * Pi}, // 0, 10, 15, 5 m: 1/10 - 1/15 - 1/5 + 1/10
        {{1, 2, 3, 0}, 20.0 * Pi}, // pole-dipole: 1/5 - 1/10
        {{1, 2, 0, 0}, 10.0 * Pi}, // pole-pole
        {{1, 1, 3, 0}, 20.0 * Pi}, // M on A: only -1/AN is left
        {{1, 2, 3, 2}, 2.0 * Pi / 0.3}, // B on M: 1/5 - 1/10 + 1/5
        {{1, 1, 0, 0}, 0.0},       // no term at all
        {{1, 2, 0, 3}, 0.0},       // 1/5 - 1/5: the terms cancel
    };
    for (const Case &c : cases) {
        TList2D t(ArrayTypeCode::Wenner);
        const uint32_t i = t.Add(c.electrodes, 1000, 1000);
        SCOPED_TRACE(testing::Message() << c.electrodes.A << ' ' << c.electrodes.M << ' ' << c.electrodes.N << ' '
                                        << c.electrodes.B);
        EXPECT_NEAR(t.List.GeometricFactor(i), c.factor, 1e-9);
        EXPECT_NEAR(t.List.ApparentResistivity(i), c.factor, 1e-9); // R = 1 Ohm
    }
}

TEST(Geometry2D, ZeroCurrentGivesZeroResistanceAndResistivity)
{
    TList2D t(ArrayTypeCode::Wenner);
    const uint32_t i = t.Add({1, 3, 5, 7}, 5000, 0, 0, 1234);
    t.List.MeasureSettings[3] = 1; // IP recorded
    EXPECT_EQ(t.List.Resistance(i), 0.0);
    EXPECT_EQ(t.List.ApparentResistivity(i), 0.0);
    EXPECT_EQ(t.List.ShownResistivity(i), 0.0);
    EXPECT_EQ(t.List.ShownChargeability(i), 0.0);
    EXPECT_EQ(t.List.ResistanceMilli(), (TLongwordArray{0}));
    EXPECT_EQ(t.List.ResistivityMilli(), (TLongwordArray{0}));
}

TEST(Geometry2D, ShownValuesFollowSlidingAverageIPCodeAndValuesToShow)
{
    TList2D t(ArrayTypeCode::Wenner);
    const uint32_t i = t.Add({1, 3, 5, 7}, 2000, 1000, 0, 7500); // R = 2 Ohm, C = 7.5 ms
    TMeasurements2D &list = t.List;
    TFilterDetails &filters = t.Details.FilterDetails;
    list.SAResistivity[i] = 11.0;
    list.SAChargeability[i] = 3.0;
    const double rho = 40.0 * Pi;

    EXPECT_NEAR(list.ShownResistivity(i), rho, 1e-9);
    EXPECT_EQ(list.ShownChargeability(i), 0.0); // IP code 0: no chargeability recorded
    list.MeasureSettings[3] = 2;
    EXPECT_DOUBLE_EQ(list.ShownChargeability(i), 7.5);

    filters.SlidingAverage = true;
    EXPECT_EQ(list.ShownResistivity(i), 11.0);
    EXPECT_EQ(list.ShownChargeability(i), 3.0);
    t.Details.ValuesToShow = ValuesToShowResistivity;
    EXPECT_EQ(list.ShownValue(i), 11.0);
    t.Details.ValuesToShow = ValuesToShowChargeability;
    EXPECT_EQ(list.ShownValue(i), 3.0);
    t.Details.ValuesToShow = 2;
    EXPECT_EQ(list.ShownValue(i), 0.0);
    list.MeasureSettings[3] = 0;
    t.Details.ValuesToShow = ValuesToShowChargeability;
    EXPECT_EQ(list.ShownValue(i), 0.0);
}

TEST(Geometry2D, SaveArraysRoundHalvesToEven)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Add({1, 3, 5, 7}, 1000, 3);    // 333333.33
    t.Add({1, 3, 5, 7}, 7, 2);       // 3500
    t.Add({1, 3, 5, 7}, 3, 2000);    // 1.5 -> 2
    t.Add({1, 3, 5, 7}, 5, 2000);    // 2.5 -> 2
    t.Add({1, 3, 5, 7}, 1000, 1000); // rho = 20 pi
    t.Add({1, 3, 5, 7}, 4000000000u, 1); // beyond the unsigned range: largest value
    EXPECT_EQ(t.List.ResistanceMilli(), (TLongwordArray{333333, 3500, 2, 2, 1000, 4294967295u}));
    const TLongwordArray rho = t.List.ResistivityMilli();
    ASSERT_EQ(rho.size(), 6u);
    EXPECT_EQ(rho[4], 62832u); // 62831.85
    EXPECT_EQ(rho[5], 4294967295u);
}

TEST(Geometry2D, DepthLevelsInOrderOfFirstAppearance)
{
    // "AB Proportional" Wenner depth (B - A) / 2 at 1 m spacing.
    TList2D t(ArrayTypeCode::Wenner, 1000);
    t.Details.DepthMethod = DepthMethodABProportional;
    t.Details.SetOrigin(0.1); // positions like 0.1 + 3 carry rounding noise
    t.Add({1, 2, 2, 3});    // 1.0
    t.Add({2, 3, 4, 6});    // 2.0
    t.Add({4, 5, 5, 6});    // 1.0 again, from other positions
    t.Add({1, 3, 5, 7});    // 3.0
    t.List.SetUsed(2, false); // levels are built from every measurement, shown or not
    t.List.BuildDepthLevels();

    ASSERT_EQ(t.List.DepthLevelCount(), 3);
    EXPECT_NEAR(t.List.DepthLevels[0], 1.0, 1e-12);
    EXPECT_NEAR(t.List.DepthLevels[1], 2.0, 1e-12);
    EXPECT_NEAR(t.List.DepthLevels[2], 3.0, 1e-12);
    EXPECT_EQ(t.List.LevelColors.size(), 3u);

    EXPECT_EQ(t.List.DepthLevelIndex(2.0000095), 1);
    EXPECT_EQ(t.List.DepthLevelIndex(1.99999), 1);
    EXPECT_EQ(t.List.DepthLevelIndex(2.0000102), -1);
    EXPECT_EQ(t.List.DepthLevelIndex(2.5), -1);
    EXPECT_EQ(t.List.DepthLevelColor(2.0000095), TMeasurements2D::LevelColor(1));
    EXPECT_EQ(t.List.DepthLevelColor(2.5), 0u);

    // Rebuilding starts afresh.
    t.List.SetCount(1);
    t.List.BuildDepthLevels();
    EXPECT_EQ(t.List.DepthLevelCount(), 1);
    EXPECT_EQ(t.List.LevelColors.size(), 1u);
}

TEST(Geometry2D, LevelColoursRepeatEverySixLevels)
{
    const uint32_t blue = 255u * 65536u;
    const uint32_t expected[] = {0, blue, 255u * 256u, 255u, 255u + blue, 255u * 256u + blue, 0, blue};
    for (int32_t k = 0; k < 8; ++k)
        EXPECT_EQ(TMeasurements2D::LevelColor(k), expected[k]) << k;

    // The eighth level of a built list is blue, like the second.
    TList2D t(ArrayTypeCode::Wenner, 1000);
    t.Details.DepthMethod = DepthMethodABProportional;
    for (uint32_t a = 1; a <= 8; ++a)
        t.Add({1, 2, 2, 1 + 2 * a});
    t.List.BuildDepthLevels();
    ASSERT_EQ(t.List.DepthLevelCount(), 8);
    EXPECT_EQ(t.List.LevelColors[7], blue);
    EXPECT_EQ(t.List.DepthLevelColor(8.0), blue);
}

TEST(Geometry2D, ExtremesOverTheWholeList)
{
    TList2D t(ArrayTypeCode::Wenner, 1000);
    EXPECT_EQ(t.List.MaxResistivity(), 0.0);
    EXPECT_EQ(t.List.MinResistivity(), 0.0);
    EXPECT_EQ(t.List.MaxDepth(), 0.0);
    EXPECT_EQ(t.List.MinDepth(), 0.0);

    t.Add({1, 2, 3, 4}, 3000, 1000);  // k = 2 pi, rho = 6 pi, depth 0.519
    t.Add({1, 3, 5, 7}, 1000, 1000);  // k = 4 pi, rho = 4 pi, depth 1.038
    t.Add({1, 4, 7, 10}, 5000, 1000); // k = 6 pi, rho = 30 pi, depth 1.557
    t.List.SetUsed(2, false);         // not shown, still counted
    EXPECT_NEAR(t.List.MaxResistivity(), 30.0 * Pi, 1e-9);
    EXPECT_NEAR(t.List.MinResistivity(), 4.0 * Pi, 1e-9);
    EXPECT_NEAR(t.List.MaxDepth(), 0.173 * 9, 1e-12);
    EXPECT_NEAR(t.List.MinDepth(), 0.173 * 3, 1e-12);
}

TEST(MergeDuplicates, ChainOfThreeAbsorbsPairwise)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Add({1, 2, 3, 4}, 3, 5, 2, 111);
    t.Add({1, 2, 3, 4}, 4, 6, 3, 222);
    t.Add({1, 2, 3, 4}, 10, 8, 9, 333);
    t.List.MergeDuplicates();
    TMeasurements2D &list = t.List;

    // 0 takes the mean of 0 and 1; then 1 the mean of 1 and 2.
    EXPECT_EQ(list.Voltage[0], 4u); // 3.5
    EXPECT_EQ(list.Current[0], 6u); // 5.5
    EXPECT_EQ(list.Quality[0], 2u); // 2.5
    EXPECT_EQ(list.Voltage[1], 7u);
    EXPECT_EQ(list.Current[1], 7u);
    EXPECT_EQ(list.Quality[1], 6u);
    EXPECT_EQ(list.Voltage[2], 10u);
    EXPECT_EQ(list.Chargeability[0], 111u);
    EXPECT_EQ(list.NotMerged, (TByteArray{1, 0, 0}));
    EXPECT_TRUE(list.IsShown(0));
    EXPECT_FALSE(list.IsShown(1));
    EXPECT_FALSE(list.IsShown(2));
    EXPECT_EQ(list.Used, (TByteArray{1, 1, 1}));
}

TEST(MergeDuplicates, MeansRoundHalvesToEven)
{
    const std::pair<uint32_t, uint32_t> pairs[] = {{3, 4}, {5, 6}, {2, 3}, {7, 7}, {0, 1},
                                                   {4294967295u, 4294967295u}, {4294967295u, 4294967294u}};
    const uint32_t merged[] = {4, 6, 2, 7, 0, 4294967295u, 4294967294u};
    for (std::size_t k = 0; k < std::size(pairs); ++k) {
        TList2D t(ArrayTypeCode::Wenner);
        t.Add({1, 2, 3, 4}, pairs[k].first, pairs[k].first, pairs[k].first);
        t.Add({1, 2, 3, 4}, pairs[k].second, pairs[k].second, pairs[k].second);
        t.List.MergeDuplicates();
        EXPECT_EQ(t.List.Voltage[0], merged[k]) << k;
        EXPECT_EQ(t.List.Current[0], merged[k]) << k;
        EXPECT_EQ(t.List.Quality[0], merged[k]) << k;
    }
}

TEST(MergeDuplicates, PartnerIsTheFirstLaterExactDuplicate)
{
    TList2D t(ArrayTypeCode::Wenner);
    t.Add({1, 2, 3, 4}, 10);  // 0: mid-point 7.5, depth 2.595
    t.Add({2, 3, 4, 5}, 20);  // 1: another mid-point
    t.Add({1, 2, 3, 4}, 30);  // 2: duplicate of 0
    t.Add({2, 3, 4, 5}, 40);  // 3: duplicate of 1
    t.Add({1, 2, 3, 4}, 50);  // 4: duplicate of 2
    t.Add({1, 3, 5, 7}, 60);  // 5: mid-point 15, depth 5.19
    t.Add({2, 3, 5, 6}, 70);  // 6: mid-point 15, depth 3.46
    t.List.NotMerged[0] = 0;  // merged away before: takes no part
    t.List.MergeDuplicates();
    // 2 absorbs 4, 1 absorbs 3; 0 is left alone; 5 and 6 differ in depth.
    EXPECT_EQ(t.List.Voltage, (TLongwordArray{10, 30, 40, 40, 50, 60, 70}));
    EXPECT_EQ(t.List.NotMerged, (TByteArray{0, 1, 1, 0, 0, 1, 1}));
}

TEST(MergeDuplicates, ALaterMergeLeavesMergedPairsAlone)
{
    // The merge runs after every appended spread; a pair merged after the
    // first append keeps its mean through the following ones.
    TList2D t(ArrayTypeCode::Wenner);
    t.Add({1, 2, 3, 4}, 1000, 100, 10);
    t.Add({1, 2, 3, 4}, 3000, 300, 30);
    t.List.MergeDuplicates();
    t.Add({2, 3, 4, 5}, 500, 50, 5); // the next spread's own measurements
    t.Add({2, 3, 4, 5}, 700, 70, 7);
    t.List.MergeDuplicates();
    t.List.MergeDuplicates();
    EXPECT_EQ(t.List.Voltage, (TLongwordArray{2000, 3000, 600, 700}));
    EXPECT_EQ(t.List.Current, (TLongwordArray{200, 300, 60, 70}));
    EXPECT_EQ(t.List.Quality, (TLongwordArray{20, 30, 6, 7}));
    EXPECT_EQ(t.List.NotMerged, (TByteArray{1, 0, 1, 0}));
}

TEST(Geometry1D, FactorsForEveryArrayType)
{
    // AB/2 = 10 m, MN/2 = 1 m.
    const double L = 10.0;
    const double l = 1.0;
    const double expected[] = {
        Pi * 99.0 / 2.0,                                              // Wenner
        Pi * 99.0 / 2.0,                                              // Schlumberger, about 155.5
        Pi * 440.0 / 81.0,                                            // Dipole Dipole
        Pi * 440.0 / 81.0,                                            // Wenner Beta
        Pi * 360.0 / 59.0,                                            // Wenner Gamma
        Pi * 99.0,                                                    // Fwd Pole Dipole
        Pi * 99.0,                                                    // Rev Pole Dipole
        Pi * 20.0,                                                    // Pole Pole
        Pi * 2.0 / (1.0 / L - 1.0 / std::sqrt(L * L + l * l)),        // Equat. Dipole Dipole
        Pi * 99.0 / 2.0,                                              // Custom
        0.0,                                                          // no such type
    };
    TArrayDetails1D details;
    TMeasurements1D list(details);
    list.SetCount(1);
    list.SetHalfAB(0, L);
    list.SetHalfMN(0, l);
    list.Voltage[0] = 2000;
    list.Current[0] = 1000;
    for (uint8_t type = 0; type < std::size(expected); ++type) {
        details.ArrayType = type;
        EXPECT_NEAR(list.GeometricFactor1D(0), expected[type], 1e-9) << static_cast<int>(type);
        EXPECT_NEAR(list.ApparentResistivity1D(0), 2.0 * expected[type], 1e-9) << static_cast<int>(type);
    }
    details.ArrayType = ArrayTypeCode::Schlumberger;
    EXPECT_EQ(list.ResistivityMilli(), (TLongwordArray{311018})); // 2 x 155.50884 Ohm*m
    list.Current[0] = 0;
    EXPECT_EQ(list.ApparentResistivity1D(0), 0.0);
    EXPECT_EQ(list.ResistivityMilli(), (TLongwordArray{0}));
}

TEST(Geometry1D, FactorsThatCannotBeComputedAreZero)
{
    TArrayDetails1D details;
    TMeasurements1D list(details);
    list.SetCount(1);
    list.SetHalfAB(0, 10.0);
    list.SetHalfMN(0, 0.0);
    list.Voltage[0] = 1000;
    list.Current[0] = 1000;
    for (uint8_t type = 0; type <= ArrayTypeCode::Custom; ++type) {
        details.ArrayType = type;
        const double k = list.GeometricFactor1D(0);
        EXPECT_TRUE(std::isfinite(k)) << static_cast<int>(type);
        if (type != ArrayTypeCode::PolePole) {
            EXPECT_EQ(k, 0.0) << static_cast<int>(type);
        }
        EXPECT_TRUE(std::isfinite(list.ApparentResistivity1D(0))) << static_cast<int>(type);
    }
    details.ArrayType = ArrayTypeCode::PolePole;
    EXPECT_NEAR(list.GeometricFactor1D(0), 20.0 * Pi, 1e-9); // needs no MN/2
}
