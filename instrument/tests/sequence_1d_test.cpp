// get_1d_sequence: half-spacings of known soundings, group overlaps and
// ordering, conversion of extreme lengths, and validation.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "vesk_pro.h"

namespace {

constexpr uint32_t kWenner = 0, kSchlumberger = 1, kDipoleDipole = 2, kWennerBeta = 3, kWennerGamma = 4,
                   kFwdPoleDipole = 5, kRevPoleDipole = 6, kPolePole = 7, kEquatorialDipoleDipole = 8;
constexpr uint32_t kLinear = 0, kGeometric = 1;

struct SoundingDesign {
  uint32_t arrayType = kWenner;
  uint32_t incrementType = kLinear;
  uint32_t groupCount = 1;
  std::array<double, 4> firstSpacings{1, 0, 0, 0};
  std::array<double, 4> increments{1, 0, 0, 0};
  std::array<uint8_t, 4> levels{1, 0, 0, 0};
  std::array<uint8_t, 4> overlaps{0, 0, 0, 0};

  SoundingDesign& Group(int j, double spacing, double increment, uint8_t levelCount, uint8_t overlapCount = 0) {
    firstSpacings[j] = spacing;
    increments[j] = increment;
    levels[j] = levelCount;
    overlaps[j] = overlapCount;
    return *this;
  }

  // n as the caller computes it: the levels of the groups in use.
  std::size_t MeasurementCount() const {
    std::size_t n = 0;
    for (uint32_t j = 0; j < std::min<uint32_t>(groupCount & 0xFFu, 4); ++j) n += levels[j];
    return n;
  }
};

SoundingDesign Design(uint32_t type, uint32_t incrementType) {
  SoundingDesign d;
  d.arrayType = type;
  d.incrementType = incrementType;
  return d;
}

struct Halves {
  std::vector<uint32_t> ab;
  std::vector<uint32_t> mn;
};

// Calls the generator with the design arrays in heap blocks of exactly four
// entries and outputs of exactly n entries, so the sanitizer sees any stray access.
uint8_t Run(const SoundingDesign& d, Halves& out) {
  const std::vector<double> spacings(d.firstSpacings.begin(), d.firstSpacings.end());
  const std::vector<double> increments(d.increments.begin(), d.increments.end());
  const std::vector<uint8_t> levels(d.levels.begin(), d.levels.end());
  const std::vector<uint8_t> overlaps(d.overlaps.begin(), d.overlaps.end());
  return get_1d_sequence(d.arrayType, d.incrementType, d.groupCount, spacings.data(), increments.data(),
                         levels.data(), overlaps.data(), out.ab.data(), out.mn.data());
}

Halves Generate(const SoundingDesign& d) {
  Halves out{std::vector<uint32_t>(d.MeasurementCount()), std::vector<uint32_t>(d.MeasurementCount())};
  EXPECT_EQ(Run(d, out), 0);
  return out;
}

// ---- soundings with known half-spacings ----

struct KnownSounding {
  std::string name;
  SoundingDesign design;
  std::vector<uint32_t> ab;
  std::vector<uint32_t> mn;
};

std::vector<KnownSounding> KnownSoundings() {
  return {
      {"WennerLinear", Design(kWenner, kLinear).Group(0, 1.0, 1.0, 10),
       {1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000, 5500, 6000},
       {500, 667, 833, 1000, 1167, 1333, 1500, 1667, 1833, 2000}},
      {"WennerGammaGeometric", Design(kWennerGamma, kGeometric).Group(0, 1.0, 2.0, 3), {1500, 3000, 6000},
       {500, 1000, 2000}},
      {"SchlumbergerTwoGroupsWithOverlaps",
       [] {
         SoundingDesign d = Design(kSchlumberger, kGeometric).Group(0, 1.0, 1.5, 5).Group(1, 5.0, 1.5, 4, 2);
         d.groupCount = 2;
         return d;
       }(),
       {1500, 2250, 3375, 5063, 5063, 7594, 7594, 11391, 17086},
       {500, 500, 500, 500, 2500, 500, 2500, 2500, 2500}},
      {"OverlapsOfTheFirstGroupHaveNoEffect", Design(kSchlumberger, kLinear).Group(0, 1.0, 1.0, 3, 200),
       {1500, 2000, 2500}, {500, 500, 500}},
      {"DipoleDipole", Design(kDipoleDipole, kLinear).Group(0, 2.0, 2.0, 4), {3000, 4000, 5000, 6000},
       {1000, 2000, 3000, 4000}},
      // Each group widens its own lengths by its own D: 2, 3, 4 | 4 (repeated), 6.
      {"DipoleDipoleTwoGroups",
       [] {
         SoundingDesign d = Design(kDipoleDipole, kLinear).Group(0, 1.0, 1.0, 3).Group(1, 2.0, 2.0, 2, 1);
         d.groupCount = 2;
         return d;
       }(),
       {1500, 2000, 2500, 3000, 4000},
       {500, 1000, 1500, 1000, 2000}},
      // A group shorter than its overlaps repeats only the earliest of them; the
      // next group grows from that repeated length (3 m), not from the longest
      // one so far: 3, 4, 5 | 3 | 5, 7.
      {"NextLengthGrowsFromTheRepeatedLength",
       [] {
         SoundingDesign d = Design(kSchlumberger, kLinear).Group(0, 1.0, 1.0, 3).Group(1, 2.0, 1.0, 1, 3);
         d.Group(2, 4.0, 2.0, 2, 0).groupCount = 3;
         return d;
       }(),
       {1500, 1500, 2000, 2500, 2500, 3500},
       {500, 1000, 500, 500, 2000, 2000}},
      {"FwdPoleDipole", Design(kFwdPoleDipole, kLinear).Group(0, 1.0, 1.0, 3), {1500, 2500, 3500}, {500, 500, 500}},
      // The second group repeats both lengths with its own width; the stable
      // sort interleaves them and keeps group order among equal lengths.
      {"RevPoleDipoleRepeatedLengthsSortStably",
       [] {
         SoundingDesign d = Design(kRevPoleDipole, kLinear).Group(0, 1.0, 1.0, 2).Group(1, 2.0, 1.0, 2, 2);
         d.groupCount = 2;
         return d;
       }(),
       {1500, 1500, 2500, 2500},
       {500, 1000, 500, 1000}},
      {"PolePoleGeometric", Design(kPolePole, kGeometric).Group(0, 1.0, 2.0, 4), {1000, 2000, 4000, 8000},
       {0, 0, 0, 0}},
      {"EquatorialDipoleDipole", Design(kEquatorialDipoleDipole, kLinear).Group(0, 1.0, 1.0, 3), {1000, 1500, 2000},
       {500, 500, 500}},
      // Widening by a smaller D puts the second group's lengths between the first group's.
      {"DipoleDipoleWideningReordersTheGroups",
       [] {
         SoundingDesign d = Design(kDipoleDipole, kLinear).Group(0, 5.0, 5.0, 2).Group(1, 1.0, 1.0, 2, 2);
         d.groupCount = 2;
         return d;
       }(),
       {5500, 7500, 8000, 10000},
       {4500, 2500, 7000, 5000}},
  };
}

TEST(Sequence1dTest, KnownSoundingsGiveTheirHalfSpacings) {
  for (const KnownSounding& known : KnownSoundings()) {
    SCOPED_TRACE(known.name);
    const Halves out = Generate(known.design);
    EXPECT_EQ(out.ab, known.ab);
    EXPECT_EQ(out.mn, known.mn);
  }
}

TEST(Sequence1dTest, LargestDesignFillsAllItsMeasurements) {
  SoundingDesign d = Design(kSchlumberger, kLinear);
  d.groupCount = 4;
  for (int j = 0; j < 4; ++j) d.Group(j, 1.0 + j, 0.25, 255, j == 0 ? 0 : 255);
  const Halves out = Generate(d);
  ASSERT_EQ(out.ab.size(), 1020u);
  EXPECT_EQ(out.ab.front(), 1500u);
  EXPECT_TRUE(std::none_of(out.ab.begin(), out.ab.end(), [](uint32_t v) { return v == 0; }));
  EXPECT_TRUE(std::none_of(out.mn.begin(), out.mn.end(), [](uint32_t v) { return v == 0; }));
}

// ---- conversion of lengths to millimetres ----

TEST(Sequence1dTest, HalfSpacingsKeepTheLow32BitsOfTheRoundedValue) {
  // Pole Pole doubles L, so AB/2 = 1000 D. With D = 2^23 + 0.5 that is
  // 8388608500, whose low 32 bits are 8388608500 - 2^32 = 4093641204.
  EXPECT_EQ(Generate(Design(kPolePole, kLinear).Group(0, 8388608.5, 1.0, 1)).ab,
            std::vector<uint32_t>{4093641204u});

  // A Dipole Dipole group that repeats a length shorter than its own D gets a
  // negative width: -7 m gives (-3500 + 0.5) truncated = -3499, stored as 2^32 - 3499.
  SoundingDesign negative = Design(kDipoleDipole, kLinear).Group(0, 1.0, 1.0, 2).Group(1, 10.0, 1.0, 1, 1);
  negative.groupCount = 2;
  const Halves out = Generate(negative);
  EXPECT_EQ(out.ab, (std::vector<uint32_t>{1500, 2000, 6500}));
  EXPECT_EQ(out.mn, (std::vector<uint32_t>{500, 1000, 4294963797u}));
}

TEST(Sequence1dTest, LengthsBeyondAnyIntegerGiveZero) {
  // Geometric growth overflows to infinity; values of 2^84 and more are
  // multiples of 2^32, so their low 32 bits are 0 as well.
  EXPECT_EQ(Generate(Design(kPolePole, kGeometric).Group(0, 1.0, 1e300, 3)).ab, (std::vector<uint32_t>{1000, 0, 0}));

  // Infinite spacings make infinite lengths and NaN widths (infinity minus infinity).
  const double infinity = std::numeric_limits<double>::infinity();
  const Halves out = Generate(Design(kDipoleDipole, kLinear).Group(0, infinity, infinity, 3));
  EXPECT_EQ(out.ab, (std::vector<uint32_t>{0, 0, 0}));
  EXPECT_EQ(out.mn, (std::vector<uint32_t>{0, 0, 0}));
}

// ---- validation ----

enum class NullArgument { kNone, kFirstSpacings, kIncrements, kLevels, kOverlaps, kHalfAB, kHalfMN };

struct ValidationCase {
  std::string name;
  SoundingDesign design;
  NullArgument null;
  uint8_t expected;
};

SoundingDesign TwoGroups(uint32_t incrementType = kLinear) {
  SoundingDesign d = Design(kSchlumberger, incrementType).Group(0, 1.0, 2.0, 5).Group(1, 5.0, 2.0, 4, 2);
  d.groupCount = 2;
  return d;
}

template <typename Change>
SoundingDesign With(SoundingDesign d, Change change) {
  change(d);
  return d;
}

std::vector<ValidationCase> ValidationCases() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const SoundingDesign allBad = With(TwoGroups(), [](SoundingDesign& d) {
    d.arrayType = 9;
    d.incrementType = 2;
    d.groupCount = 0;
  });
  auto secondGroup = [](double spacing, double increment, uint8_t levels, uint8_t overlaps,
                        uint32_t incrementType = kLinear) {
    return With(TwoGroups(incrementType), [=](SoundingDesign& d) { d.Group(1, spacing, increment, levels, overlaps); });
  };
  return {
      {"NullFirstSpacingsFirst", allBad, NullArgument::kFirstSpacings, 101},
      {"NullIncrements", allBad, NullArgument::kIncrements, 102},
      {"NullLevels", allBad, NullArgument::kLevels, 103},
      {"NullOverlaps", allBad, NullArgument::kOverlaps, 104},
      {"NullHalfAB", allBad, NullArgument::kHalfAB, 105},
      {"NullHalfMN", allBad, NullArgument::kHalfMN, 105},
      {"ArrayTypeAbove8", allBad, NullArgument::kNone, 201},
      {"IncrementTypeAbove1", With(allBad, [](SoundingDesign& d) { d.arrayType = 8; }), NullArgument::kNone, 202},
      {"GroupCount0", With(allBad, [](SoundingDesign& d) { d.arrayType = 8; d.incrementType = 1; }),
       NullArgument::kNone, 203},
      {"GroupCount5", With(TwoGroups(), [](SoundingDesign& d) { d.groupCount = 5; }), NullArgument::kNone, 203},
      {"WennerTwoGroups", With(TwoGroups(), [](SoundingDesign& d) { d.arrayType = kWenner; }), NullArgument::kNone,
       203},
      {"WennerBetaTwoGroups", With(TwoGroups(), [](SoundingDesign& d) { d.arrayType = kWennerBeta; }),
       NullArgument::kNone, 203},
      {"WennerGammaTwoGroups", With(TwoGroups(), [](SoundingDesign& d) { d.arrayType = kWennerGamma; }),
       NullArgument::kNone, 203},
      {"PolePoleTwoGroups", With(TwoGroups(), [](SoundingDesign& d) { d.arrayType = kPolePole; }),
       NullArgument::kNone, 203},
      {"SpacingZero", secondGroup(0.0, 0.0, 0, 9), NullArgument::kNone, 204},
      {"SpacingNegative", secondGroup(-1.0, 1.0, 4, 0), NullArgument::kNone, 204},
      {"SpacingNaN", secondGroup(nan, 1.0, 4, 0), NullArgument::kNone, 204},
      {"IncrementZero", secondGroup(5.0, 0.0, 0, 9), NullArgument::kNone, 205},
      {"IncrementNegative", secondGroup(5.0, -2.0, 4, 0), NullArgument::kNone, 205},
      {"IncrementNaN", secondGroup(5.0, nan, 4, 0), NullArgument::kNone, 205},
      {"GeometricIncrementExactly1", secondGroup(5.0, 1.0, 4, 0, kGeometric), NullArgument::kNone, 205},
      {"GeometricIncrementBelow1", secondGroup(5.0, 0.5, 4, 0, kGeometric), NullArgument::kNone, 205},
      {"LinearIncrementBelow1", secondGroup(5.0, 0.5, 4, 0), NullArgument::kNone, 0},
      {"Levels0", secondGroup(5.0, 1.0, 0, 9), NullArgument::kNone, 206},
      {"OverlapsBeyondThePreviousGroup", secondGroup(5.0, 1.0, 4, 6), NullArgument::kNone, 207},
      {"OverlapsEqualToThePreviousGroup", secondGroup(5.0, 1.0, 4, 5), NullArgument::kNone, 0},
      {"OverlapsBeyondOwnLevels", secondGroup(5.0, 1.0, 1, 5), NullArgument::kNone, 0},
      {"EarlierGroupDecides", With(secondGroup(0.0, 1.0, 4, 0), [](SoundingDesign& d) { d.levels[0] = 0; }),
       NullArgument::kNone, 206},
      {"GroupsBeyondTheCountAreNotChecked",
       With(TwoGroups(), [](SoundingDesign& d) { d.groupCount = 1; d.firstSpacings[1] = 0.0; }), NullArgument::kNone, 0},
      {"ByteArgumentsUseTheirLowByte", With(TwoGroups(), [](SoundingDesign& d) {
         d.arrayType = 0xFFFFFF08u;
         d.incrementType = 0x12345600u;
         d.groupCount = 0x00000102u;
       }),
       NullArgument::kNone, 0},
      {"UpperBitsDoNotHideAnInvalidLowByte", With(TwoGroups(), [](SoundingDesign& d) { d.arrayType = 0x109u; }),
       NullArgument::kNone, 201},
  };
}

TEST(Sequence1dTest, ValidationRunsInItsDocumentedOrder) {
  constexpr uint32_t kUntouched = 0xDEADBEEF;
  for (const ValidationCase& c : ValidationCases()) {
    SCOPED_TRACE(c.name);
    const SoundingDesign& d = c.design;
    const std::vector<double> spacings(d.firstSpacings.begin(), d.firstSpacings.end());
    const std::vector<double> increments(d.increments.begin(), d.increments.end());
    const std::vector<uint8_t> levels(d.levels.begin(), d.levels.end());
    const std::vector<uint8_t> overlaps(d.overlaps.begin(), d.overlaps.end());
    std::vector<uint32_t> ab(4 * 255, kUntouched), mn(4 * 255, kUntouched);
    auto pick = [&](NullArgument which, auto* pointer) { return c.null == which ? nullptr : pointer; };
    const uint8_t result = get_1d_sequence(
        d.arrayType, d.incrementType, d.groupCount, pick(NullArgument::kFirstSpacings, spacings.data()),
        pick(NullArgument::kIncrements, increments.data()), pick(NullArgument::kLevels, levels.data()),
        pick(NullArgument::kOverlaps, overlaps.data()), pick(NullArgument::kHalfAB, ab.data()),
        pick(NullArgument::kHalfMN, mn.data()));
    EXPECT_EQ(result, c.expected);
    if (c.expected != 0) {
      auto untouched = [](const std::vector<uint32_t>& v) {
        return std::all_of(v.begin(), v.end(), [](uint32_t x) { return x == kUntouched; });
      };
      EXPECT_TRUE(untouched(ab) && untouched(mn)) << "a refused call wrote its output";
    }
  }
}

}  // namespace
