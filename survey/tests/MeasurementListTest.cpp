#include "SurveyFixture.h"

#include <gtest/gtest.h>

TEST(MeasurementList2D, SetCountKeepsEntriesZeroFillsNewOnesAndResetsFilters)
{
    TList2D t;
    t.Add({1, 2, 3, 4}, 11, 12, 13, 14);
    t.Add({5, 6, 7, 8}, 21, 22, 23, 24);
    TMeasurements2D &list = t.List;
    list.SAResistivity[1] = 9.5;
    list.PassesFilters[0] = false;
    list.PassesFilters[1] = false;

    list.SetCount(3);
    EXPECT_EQ(list.Count, 3u);
    EXPECT_EQ(list.A, (TLongwordArray{1, 5, 0}));
    EXPECT_EQ(list.M, (TLongwordArray{2, 6, 0}));
    EXPECT_EQ(list.N, (TLongwordArray{3, 7, 0}));
    EXPECT_EQ(list.B, (TLongwordArray{4, 8, 0}));
    EXPECT_EQ(list.Voltage, (TLongwordArray{11, 21, 0}));
    EXPECT_EQ(list.Current, (TLongwordArray{12, 22, 0}));
    EXPECT_EQ(list.Quality, (TLongwordArray{13, 23, 0}));
    EXPECT_EQ(list.Chargeability, (TLongwordArray{14, 24, 0}));
    EXPECT_EQ(list.Used, (TByteArray{1, 1, 0}));
    EXPECT_EQ(list.NotMerged, (TByteArray{1, 1, 0}));
    EXPECT_EQ(list.Number, (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(list.SAResistivity, (TDoubleArray{0.0, 9.5, 0.0}));
    EXPECT_EQ(list.SAChargeability, (TDoubleArray{0.0, 0.0, 0.0}));
    EXPECT_EQ(list.GeneratorRecords.size(), 12u);
    EXPECT_EQ(list.PassesFilters, (TBooleanArray{true, true, true}));

    list.SetCount(1);
    EXPECT_EQ(list.A, (TLongwordArray{1}));
    EXPECT_EQ(list.PassesFilters.size(), 1u);
    EXPECT_EQ(list.GeneratorRecords.size(), 4u);
    list.SetCount(0);
    EXPECT_EQ(list.Count, 0u);
    EXPECT_EQ(list.ShownCount(), 0u);
}

TEST(MeasurementList2D, GeneratorRecordsAreAMNB)
{
    TArrayDetails2D details;
    details.GroupCounts = {2, 1, 7, 9};
    details.GroupCount = 2;
    TMeasurements2D list(details);
    list.SizeFromGroups();
    ASSERT_EQ(list.Count, 3u);
    list.GeneratorRecords = {1, 2, 3, 4, 10, 20, 30, 0, 7, 8, 0, 0};
    list.TakeGeneratorRecords();
    EXPECT_EQ(list.A, (TLongwordArray{1, 10, 7}));
    EXPECT_EQ(list.M, (TLongwordArray{2, 20, 8}));
    EXPECT_EQ(list.N, (TLongwordArray{3, 30, 0}));
    EXPECT_EQ(list.B, (TLongwordArray{4, 0, 0}));

    // A group count above the entries at hand (as a file header may give)
    // sums only the entries there are.
    details.SetGroupCount(3);
    details.GroupCount = 4;
    list.SizeFromGroups();
    EXPECT_EQ(list.Count, 10u);
}

TEST(MeasurementList2D, ShownNeedsUsedAndNotMergedStoredAsOne)
{
    TList2D t;
    for (int k = 0; k < 4; ++k)
        t.Add({1, 2, 3, 4});
    TMeasurements2D &list = t.List;
    list.SetUsed(1, false);
    list.SetNotMerged(2, false);
    list.Used[3] = 2; // a status byte other than 1 from a file
    EXPECT_TRUE(list.IsShown(0));
    EXPECT_FALSE(list.IsShown(1));
    EXPECT_FALSE(list.IsShown(2));
    EXPECT_FALSE(list.IsShown(3));
    EXPECT_TRUE(list.NotMergedFlag(1));
    EXPECT_FALSE(list.NotMergedFlag(2));
    list.NotMerged[1] = 5;
    EXPECT_FALSE(list.NotMergedFlag(1));

    list.SetUsed(1, true);
    list.NotMerged[1] = 1;
    list.PassesFilters[1] = false;
    EXPECT_TRUE(list.IsShown(1));
    EXPECT_FALSE(list.PassesFilter(1));
    EXPECT_EQ(list.ShownCount(), 1u); // only 0 is shown and passes
}

TEST(MeasurementList, ReadingsInViewUnits)
{
    TList2D t;
    const uint32_t i = t.Add({1, 2, 3, 4}, 123456, 2500000, 5001, 7);
    TMeasurements2D &list = t.List;
    EXPECT_DOUBLE_EQ(list.VoltageMV(i), 123.456);
    EXPECT_DOUBLE_EQ(list.CurrentMA(i), 2500.0);
    EXPECT_DOUBLE_EQ(list.QualityPercent(i), 5.001);
    EXPECT_DOUBLE_EQ(list.ChargeabilityMS(i), 0.007);
    EXPECT_DOUBLE_EQ(list.Resistance(i), 123456.0 / 2500000.0);
    list.SetNumber(i, 42);
    EXPECT_EQ(list.Number[i], 42);
}

TEST(MeasurementList, SettingsBlock)
{
    TArrayDetails1D details;
    TMeasurements1D list(details);
    for (uint8_t byte : list.MeasureSettings)
        EXPECT_EQ(byte, 0);
    EXPECT_EQ(list.IPWindow(), 0.0);

    list.MeasureSettings = {3, 2, 16, 6, 21, 99};
    EXPECT_EQ(list.StdDevPercent(), 3);
    EXPECT_EQ(list.MinStacking(), 2);
    EXPECT_EQ(list.MaxStacking(), 16);
    EXPECT_EQ(list.IPCode(), 6);
    EXPECT_EQ(list.TxPowerCode(), 21);
    EXPECT_EQ(list.TxPowerPercent(), 100u);

    const double windows[] = {0.0, 0.06, 0.12, 0.16, 0.2, 0.24, 0.32, 0.0};
    for (uint8_t code = 0; code < std::size(windows); ++code) {
        list.MeasureSettings[3] = code;
        EXPECT_EQ(list.IPWindow(), windows[code]) << static_cast<int>(code);
    }
    list.MeasureSettings[4] = 0;
    EXPECT_EQ(list.TxPowerPercent(), 1u);
    list.MeasureSettings[4] = 22;
    EXPECT_EQ(list.TxPowerPercent(), 0u);
}

TEST(MeasurementList1D, SetCountSizingAndShownFlag)
{
    TArrayDetails1D details;
    TMeasurements1D list(details);
    list.SizeFromGroups();
    EXPECT_EQ(list.Count, 10u); // one group of 10 levels
    EXPECT_EQ(list.HalfAB.size(), 10u);
    EXPECT_EQ(list.HalfMN.size(), 10u);
    EXPECT_EQ(list.Voltage.size(), 10u);

    details.SetGroupCount(3);
    details.LevelCounts = {10, 5, 7};
    list.SizeFromGroups();
    EXPECT_EQ(list.Count, 22u);

    list.SetCount(2);
    list.SetHalfAB(0, 1.5);
    list.SetHalfMN(0, 0.0005); // half a millimetre: to the even neighbour 0
    list.SetHalfAB(1, 2.0006);
    list.SetHalfMN(1, 0.0015);
    EXPECT_EQ(list.HalfAB, (TLongwordArray{1500, 2001}));
    EXPECT_EQ(list.HalfMN, (TLongwordArray{0, 2}));
    EXPECT_DOUBLE_EQ(list.HalfABMetres(0), 1.5);
    EXPECT_DOUBLE_EQ(list.HalfMNMetres(1), 0.002);

    list.SetCount(3);
    EXPECT_EQ(list.HalfAB, (TLongwordArray{1500, 2001, 0}));
    list.Used = {1, 0, 3};
    EXPECT_TRUE(list.IsShown(0));
    EXPECT_FALSE(list.IsShown(1));
    EXPECT_FALSE(list.IsShown(2));
}

TEST(MeasurementList, IndexWithoutEntryIsIgnored)
{
    TList2D t;
    t.Add({1, 2, 3, 4});
    TMeasurements2D &list = t.List;
    list.SetUsed(1, false);
    list.SetNotMerged(7, false);
    list.SetNumber(1, 99);
    EXPECT_EQ(list.Used, (TByteArray{1}));
    EXPECT_EQ(list.NotMerged, (TByteArray{1}));
    EXPECT_EQ(list.Number, (std::vector<int32_t>{1}));
    EXPECT_FALSE(list.IsShown(1));
    EXPECT_FALSE(list.NotMergedFlag(1));
    EXPECT_FALSE(list.PassesFilter(1));

    TArrayDetails1D details;
    TMeasurements1D sounding(details);
    sounding.SetCount(1);
    sounding.SetHalfAB(1, 3.0);
    sounding.SetHalfMN(4, 1.0);
    sounding.SetUsed(2, true);
    EXPECT_EQ(sounding.HalfAB, (TLongwordArray{0}));
    EXPECT_EQ(sounding.HalfMN, (TLongwordArray{0}));
    EXPECT_FALSE(sounding.IsShown(2));
}
