#include "survey/ArrayDetails.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(ArrayDetails2D, NewObjectHoldsTheDefaultSchlumbergerDesign)
{
    const TArrayDetails2D d;
    EXPECT_EQ(d.ArrayType, ArrayTypeCode::Schlumberger);
    EXPECT_EQ(d.UnitSpacing, 5000u);
    EXPECT_EQ(d.Origin, 0u);
    EXPECT_EQ(d.GroupCount, 4);
    EXPECT_EQ(d.SpacingFactors, (TByteArray{1, 3, 5, 7}));
    EXPECT_EQ(d.LevelCounts, (TByteArray{6, 6, 6, 6}));
    EXPECT_EQ(d.LevelSteps, (TByteArray{1, 1, 1, 1}));
    EXPECT_EQ(d.OverlapCounts, (TByteArray{1, 4, 7, 10}));
    EXPECT_EQ(d.GroupCounts, (TLongwordArray{0, 0, 0, 0}));
    EXPECT_EQ(d.SequenceType, SequenceTypeSingle);
    EXPECT_EQ(d.BaseSequence, nullptr);
    EXPECT_FALSE(d.MixedPoleDipole);
    EXPECT_EQ(d.DepthMethod, DepthMethodMedianDepth);
    EXPECT_EQ(d.ValuesToShow, ValuesToShowResistivity);
    EXPECT_TRUE(d.FileName.empty());
    for (const TnCable *cable : {&d.Cable1, &d.Cable2}) {
        EXPECT_EQ(cable->Count, 24);
        EXPECT_EQ(cable->Enabled, TByteArray(24, 1));
    }
    for (uint8_t byte : d.Comment)
        EXPECT_EQ(byte, 0);
}

TEST(ArrayDetails1D, NewObjectHasOneGroup)
{
    const TArrayDetails1D d;
    EXPECT_EQ(d.ArrayType, ArrayTypeCode::Schlumberger);
    EXPECT_EQ(d.GroupCount, 1);
    EXPECT_EQ(d.IncrementType, IncrementTypeLinear);
    EXPECT_EQ(d.Spacings, (TDoubleArray{1.0}));
    EXPECT_EQ(d.Increments, (TDoubleArray{1.0}));
    EXPECT_EQ(d.LevelCounts, (TByteArray{10}));
    EXPECT_EQ(d.OverlapCounts, (TByteArray{0}));
}

TEST(FilterDetails, Defaults)
{
    const TFilterDetails f;
    EXPECT_FALSE(f.QualityFilter || f.VoltageFilter || f.CurrentFilter || f.ResistivityFilter ||
                 f.ChargeabilityFilter || f.SlidingAverage);
    EXPECT_EQ(f.QualityThreshold, 5.0);
    EXPECT_EQ(f.VoltageMin, 5.0);
    EXPECT_EQ(f.VoltageMax, 200000.0);
    EXPECT_EQ(f.CurrentMin, 1.0);
    EXPECT_EQ(f.CurrentMax, 2500.0);
    EXPECT_EQ(f.ResistivityMin, 0.1);
    EXPECT_EQ(f.ResistivityMax, 10000.0);
    EXPECT_EQ(f.ChargeabilityMin, 0.0);
    EXPECT_EQ(f.ChargeabilityMax, 100000.0);
    EXPECT_EQ(f.WindowWidth, 5);
}

TEST(ArrayDetails2D, SetGroupCountKeepsFirstGroupsAndZeroFillsNewOnes)
{
    TArrayDetails2D d;
    d.SetGroupCount(2);
    EXPECT_EQ(d.GroupCount, 2);
    EXPECT_EQ(d.SpacingFactors, (TByteArray{1, 3}));
    EXPECT_EQ(d.LevelCounts, (TByteArray{6, 6}));
    EXPECT_EQ(d.LevelSteps, (TByteArray{1, 1}));
    EXPECT_EQ(d.OverlapCounts, (TByteArray{1, 4}));
    EXPECT_EQ(d.GroupCounts.size(), 2u);

    d.SetGroupCount(4);
    EXPECT_EQ(d.SpacingFactors, (TByteArray{1, 3, 0, 0}));
    EXPECT_EQ(d.LevelCounts, (TByteArray{6, 6, 0, 0}));
    EXPECT_EQ(d.LevelSteps, (TByteArray{1, 1, 0, 0}));
    EXPECT_EQ(d.OverlapCounts, (TByteArray{1, 4, 0, 0}));
    EXPECT_EQ(d.GroupCounts, (TLongwordArray{0, 0, 0, 0}));
}

TEST(ArrayDetails1D, SetGroupCountKeepsFirstGroupsAndZeroFillsNewOnes)
{
    TArrayDetails1D d;
    d.SetGroupCount(3);
    EXPECT_EQ(d.GroupCount, 3);
    EXPECT_EQ(d.Spacings, (TDoubleArray{1.0, 0.0, 0.0}));
    EXPECT_EQ(d.Increments, (TDoubleArray{1.0, 0.0, 0.0}));
    EXPECT_EQ(d.LevelCounts, (TByteArray{10, 0, 0}));
    EXPECT_EQ(d.OverlapCounts, (TByteArray{0, 0, 0}));
}

TEST(ArrayDetails2D, UnitSpacingAndOriginRoundToWholeMillimetres)
{
    struct Case {
        double metres;
        uint32_t millimetres;
        double readBack;
    };
    const Case cases[] = {
        {2.5, 2500, 2.5},
        {1.2344, 1234, 1.234},
        {1.2346, 1235, 1.235},
        {0.0005, 0, 0.0},       // half a millimetre: to the even neighbour
        {0.0015, 2, 0.002},     // 1.5 mm
        {-3.0, 0, 0.0},         // unsigned: nothing below 0
        {1e12, std::numeric_limits<uint32_t>::max(), std::numeric_limits<uint32_t>::max() / 1000.0},
    };
    for (const Case &c : cases) {
        TArrayDetails2D d;
        d.SetUnitSpacing(c.metres);
        d.SetOrigin(c.metres);
        EXPECT_EQ(d.UnitSpacing, c.millimetres) << c.metres;
        EXPECT_EQ(d.Origin, c.millimetres) << c.metres;
        EXPECT_DOUBLE_EQ(d.UnitSpacingMetres(), c.readBack) << c.metres;
        EXPECT_DOUBLE_EQ(d.OriginMetres(), c.readBack) << c.metres;
    }
}

TEST(ArrayDetails2D, SpacingItemIndexIsFactorMinusGroupMinusOne)
{
    TArrayDetails2D d;
    EXPECT_EQ(d.SpacingItemIndex(0), 0); // 1 x A, first entry of group 1's list
    EXPECT_EQ(d.SpacingItemIndex(1), 1); // 3 x A, second entry of "2 x A, 3 x A, ..."
    EXPECT_EQ(d.SpacingItemIndex(3), 3);

    d.SetSpacingFromItemIndex(1, 0);
    EXPECT_EQ(d.SpacingFactors[1], 2);
    d.SetSpacingFromItemIndex(3, 5);
    EXPECT_EQ(d.SpacingFactors[3], 9);
    EXPECT_EQ(d.SpacingItemIndex(3), 5);

    d.SetGroupCount(2);
    d.SetSpacingFromItemIndex(3, 1); // no such group any more
    EXPECT_EQ(d.SpacingFactors, (TByteArray{1, 2}));
    EXPECT_EQ(d.SpacingItemIndex(3), -1);
}

TEST(ArrayDetails, FileNameFromPathKeepsLastComponent)
{
    TArrayDetails1D d;
    d.SetFileNameFromPath("/home/survey/line 7/profile.d2d");
    EXPECT_EQ(d.FileName, "profile.d2d");
    d.SetFileNameFromPath("sounding.s1d");
    EXPECT_EQ(d.FileName, "sounding.s1d");
    d.SetFileNameFromPath("C:\\Surveys\\Line 2\\roll.d2d");
    EXPECT_EQ(d.FileName, "roll.d2d");
    d.SetFileNameFromPath("D:/field\\mixed/day1\\points.d0d");
    EXPECT_EQ(d.FileName, "points.d0d");
}

TEST(Cable, EnabledFlagsStoreOnlyZeroOrOne)
{
    int host = 0;
    auto *window = reinterpret_cast<TMainWindowHost *>(&host);
    TnCable cable(window);
    EXPECT_EQ(cable.MainWindow(), window);

    cable.SetEnabled(3, 7);
    EXPECT_EQ(cable.Enabled[3], 1);
    cable.SetEnabled(4, false);
    cable.SetEnabled(24, true); // beyond the cable: ignored
    cable.SetEnabled(-1, true);
    EXPECT_EQ(cable.Enabled.size(), 24u);
    EXPECT_EQ(cable.Enabled[4], 0);
    EXPECT_FALSE(cable.IsEnabled(4));

    cable.Enabled[5] = 2; // a byte written from elsewhere
    EXPECT_FALSE(cable.IsEnabled(5));
    EXPECT_FALSE(cable.IsEnabled(-1));
    EXPECT_FALSE(cable.IsEnabled(24));

    const TBooleanArray flags = cable.EnabledFlags();
    ASSERT_EQ(flags.size(), 24u);
    EXPECT_TRUE(flags[3]);
    EXPECT_FALSE(flags[4]);
    EXPECT_FALSE(flags[5]);
    EXPECT_TRUE(flags[23]);
}

TEST(Cable, SetCountResizesEnabledKeepingEntries)
{
    TnCable cable;
    cable.SetEnabled(0, false);
    cable.SetCount(2);
    EXPECT_EQ(cable.Enabled, (TByteArray{0, 1}));
    cable.SetCount(4);
    EXPECT_EQ(cable.Enabled, (TByteArray{0, 1, 0, 0}));
    EXPECT_EQ(cable.EnabledFlags(), (TBooleanArray{false, true, false, false}));
    cable.SetCount(-5);
    EXPECT_EQ(cable.Count, 0);
    EXPECT_TRUE(cable.EnabledFlags().empty());
}

TEST(VeskTypes, ArrayTypeNamesByCode)
{
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::Wenner), "Wenner");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::Schlumberger), "Schlumberger");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::DipoleDipole), "Dipole Dipole");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::WennerBeta), "Wenner Beta");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::WennerGamma), "Wenner Gamma");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::FwdPoleDipole), "Fwd Pole Dipole");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::RevPoleDipole), "Rev Pole Dipole");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::PolePole), "Pole Pole");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::EquatDipoleDipole), "Equat. Dipole Dipole");
    EXPECT_EQ(ArrayTypeName(ArrayTypeCode::Custom), "Custom");
    EXPECT_EQ(ArrayTypeName(10), "");
}

TEST(VeskTypes, RoundingHalvesGoToTheEvenNeighbour)
{
    const std::pair<double, double> cases[] = {
        {0.5, 0.0},  {1.5, 2.0},   {2.5, 2.0},       {3.5, 4.0},       {-0.5, 0.0},
        {-1.5, -2.0}, {-2.5, -2.0}, {2.4999, 2.0},   {2.5001, 3.0},    {7.0, 7.0},
        {4503599627370495.5, 4503599627370496.0}, // largest values with a fraction
    };
    for (const auto &[value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;

    constexpr uint32_t largest = std::numeric_limits<uint32_t>::max();
    EXPECT_EQ(RoundToLongword(333333.3333), 333333u);
    EXPECT_EQ(RoundToLongword(2.5), 2u);
    EXPECT_EQ(RoundToLongword(-7.0), 0u);
    EXPECT_EQ(RoundToLongword(4294967295.4), largest);
    EXPECT_EQ(RoundToLongword(1e15), largest);
    EXPECT_EQ(RoundToLongword(std::numeric_limits<double>::infinity()), largest);
    EXPECT_EQ(RoundToLongword(std::nan("")), 0u);
}
