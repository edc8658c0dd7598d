// get_2d_sequence: counts and quadruples of known designs, array geometry,
// electrode and roll-along filtering, count/fill agreement and validation.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "profile_design.h"
#include "vesk_pro.h"

namespace {

using vesk_test::CallGenerator;
using vesk_test::CountPerGroup;
using vesk_test::Generate;
using vesk_test::ProfileDesign;
using vesk_test::Quadruple;
using vesk_test::RandomDesign;

constexpr uint32_t kWenner = 0, kSchlumberger = 1, kDipoleDipole = 2, kWennerBeta = 3, kWennerGamma = 4,
                   kFwdPoleDipole = 5, kRevPoleDipole = 6, kPolePole = 7;

ProfileDesign SingleGroup(uint32_t type, uint8_t m, uint8_t levels, uint8_t step, uint8_t start) {
  ProfileDesign d;
  d.arrayType = type;
  d.Group(0, m, levels, step, start);
  return d;
}

uint32_t HighestElectrode(const Quadruple& q) { return *std::max_element(q.begin(), q.end()); }

bool UsesOnlyEnabled(const Quadruple& q, const ProfileDesign& d) {
  return std::all_of(q.begin(), q.end(), [&](uint32_t e) { return e == 0 || d.enabled[e - 1] != 0; });
}

// ---- designs with known results ----

struct KnownRecord {
  std::size_t index;
  Quadruple record;
};

struct KnownDesign {
  std::string name;
  ProfileDesign design;
  std::vector<uint32_t> counts;
  std::vector<KnownRecord> records;
};

std::vector<KnownDesign> KnownDesigns() {
  ProfileDesign rollAlong = SingleGroup(kWenner, 1, 6, 1, 1);
  rollAlong.rollAlong = 1;
  ProfileDesign fourGroups = SingleGroup(kSchlumberger, 1, 6, 1, 1);
  fourGroups.groupCount = 4;
  fourGroups.Group(1, 3, 6, 1, 4).Group(2, 5, 6, 1, 7).Group(3, 7, 6, 1, 10);
  return {
      {"WennerSixLevels",
       SingleGroup(kWenner, 1, 6, 1, 1),
       {225},
       {{0, {1, 2, 3, 4}}, {1, {2, 3, 4, 5}}, {2, {3, 4, 5, 6}}, {44, {45, 46, 47, 48}}, {45, {1, 3, 5, 7}}}},
      {"WennerRollAlong", rollAlong, {144}, {{0, {22, 23, 24, 25}}, {1, {23, 24, 25, 26}}}},
      {"WennerEveryOtherLevel",
       SingleGroup(kWenner, 1, 5, 2, 1),
       {117},
       {{45, {1, 4, 7, 10}}, {84, {1, 6, 11, 16}}}},
      {"DipoleDipoleFirstLevel", SingleGroup(kDipoleDipole, 1, 1, 1, 1), {45}, {{0, {1, 3, 4, 2}}, {1, {2, 4, 5, 3}}}},
      {"RevPoleDipoleFirstLevel", SingleGroup(kRevPoleDipole, 2, 1, 1, 1), {44}, {{0, {5, 3, 1, 0}}}},
      {"SchlumbergerFourGroups", fourGroups, {240, 168, 96, 25}, {{0, {1, 2, 3, 4}}, {240, {1, 7, 10, 16}}}},
  };
}

TEST(Sequence2dTest, KnownDesignsGiveTheirCountsAndRecords) {
  for (const KnownDesign& known : KnownDesigns()) {
    SCOPED_TRACE(known.name);
    EXPECT_EQ(CountPerGroup(known.design), known.counts);
    const std::vector<Quadruple> records = Generate(known.design);
    ASSERT_EQ(records.size(), std::accumulate(known.counts.begin(), known.counts.end(), std::size_t{0}));
    for (const KnownRecord& expected : known.records) {
      ASSERT_LT(expected.index, records.size());
      EXPECT_EQ(records[expected.index], expected.record) << "record index " << expected.index;
    }
  }
}

TEST(Sequence2dTest, WennerLevelsCountOnePositionLessPerElectrodeOfSpan) {
  for (uint8_t d = 1; d <= 6; ++d) {
    SCOPED_TRACE(d);
    EXPECT_EQ(CountPerGroup(SingleGroup(kWenner, 1, 1, 1, d)), std::vector<uint32_t>{48u - 3u * d});
  }
}

// ---- geometry of every array type ----

struct Geometry {
  uint32_t type;
  Quadruple first;  // at level number 3 of a group with multiplier 2, so s = 4
  int span;
};

TEST(Sequence2dTest, EveryArrayTypePlacesItsElectrodesAlongTheLine) {
  const std::vector<Geometry> table = {
      {kWenner, {1, 5, 9, 13}, 12},         {kSchlumberger, {1, 5, 7, 11}, 10}, {kDipoleDipole, {1, 7, 9, 3}, 8},
      {kWennerBeta, {1, 9, 13, 5}, 12},     {kWennerGamma, {1, 5, 13, 9}, 12},  {kFwdPoleDipole, {1, 5, 7, 0}, 6},
      {kRevPoleDipole, {7, 3, 1, 0}, 6},    {kPolePole, {1, 5, 0, 0}, 4},
  };
  for (const Geometry& g : table) {
    SCOPED_TRACE("array type " + std::to_string(g.type));
    const std::vector<Quadruple> records = Generate(SingleGroup(g.type, 2, 1, 1, 3));
    ASSERT_EQ(records.size(), static_cast<std::size_t>(48 - g.span));
    EXPECT_EQ(records.front(), g.first);
    // Each further position moves every used electrode one step along.
    for (std::size_t i = 0; i < records.size(); ++i) {
      Quadruple shifted = g.first;
      for (uint32_t& e : shifted) e = e == 0 ? 0 : e + static_cast<uint32_t>(i);
      ASSERT_EQ(records[i], shifted) << "position " << i;
    }
    EXPECT_EQ(HighestElectrode(records.back()), 48u);
  }
}

TEST(Sequence2dTest, LevelsTooWideForTheLineYieldNothing) {
  // Pole Pole with m = 1: level 47 spans 47 steps (one position), level 48 spans 48.
  const ProfileDesign edge = SingleGroup(kPolePole, 1, 2, 1, 47);
  EXPECT_EQ(CountPerGroup(edge), std::vector<uint32_t>{1});
  EXPECT_EQ(Generate(edge), (std::vector<Quadruple>{{1, 48, 0, 0}}));

  // A group whose every level is too wide counts 0; the call still succeeds,
  // and the largest byte values stay harmless.
  ProfileDesign wide = SingleGroup(kWenner, 1, 1, 1, 1);
  wide.groupCount = 3;
  wide.Group(1, 16, 10, 1, 1).Group(2, 255, 255, 1, 255);
  EXPECT_EQ(CountPerGroup(wide), (std::vector<uint32_t>{45, 0, 0}));
  for (uint32_t type = kWenner; type <= kPolePole; ++type) {
    EXPECT_EQ(CountPerGroup(SingleGroup(type, 255, 255, 255, 255)), std::vector<uint32_t>{0}) << type;
  }
}

TEST(Sequence2dTest, OverlappingGroupsAreEmittedTwice) {
  ProfileDesign d = SingleGroup(kWenner, 1, 2, 1, 1);
  d.groupCount = 2;
  d.Group(1, 2, 1, 1, 1);  // s = 2, the same as level 2 of group 0
  EXPECT_EQ(CountPerGroup(d), (std::vector<uint32_t>{87, 42}));
  const std::vector<Quadruple> records = Generate(d);
  EXPECT_EQ(records[45], (Quadruple{1, 3, 5, 7}));
  EXPECT_EQ(records[87], (Quadruple{1, 3, 5, 7}));
}

// ---- cable flags and roll-along act as exact filters ----

// Every array type over several levels, so that wider levels skip over
// electrodes they do not use.
std::vector<ProfileDesign> FilterDesigns() {
  std::vector<ProfileDesign> designs;
  for (uint32_t type = kWenner; type <= kPolePole; ++type) {
    ProfileDesign d = SingleGroup(type, 1, 8, 1, 1);
    d.groupCount = 2;
    d.Group(1, 3, 5, 2, 2);
    designs.push_back(d);
  }
  return designs;
}

TEST(Sequence2dTest, DisabledElectrodesRemoveExactlyTheQuadruplesUsingThem) {
  const std::vector<std::vector<int>> disabledSets = {{24}, {1}, {48}, {2, 17, 25, 31}, {12, 13, 14, 36, 37}};
  for (const ProfileDesign& all : FilterDesigns()) {
    const std::vector<Quadruple> unfiltered = Generate(all);
    for (const std::vector<int>& disabled : disabledSets) {
      ProfileDesign d = all;
      for (const int e : disabled) d.enabled[e - 1] = 0;
      std::vector<Quadruple> expected;
      std::copy_if(unfiltered.begin(), unfiltered.end(), std::back_inserter(expected),
                   [&](const Quadruple& q) { return UsesOnlyEnabled(q, d); });
      SCOPED_TRACE("array type " + std::to_string(d.arrayType) + ", first disabled " +
                   std::to_string(disabled.front()));
      EXPECT_LT(expected.size(), unfiltered.size());
      EXPECT_EQ(Generate(d), expected);
    }
  }
}

TEST(Sequence2dTest, EnabledFlagIsAnyNonZeroByte) {
  ProfileDesign d = SingleGroup(kWenner, 1, 3, 1, 1);
  const std::vector<Quadruple> expected = Generate(d);
  for (std::size_t e = 0; e < d.enabled.size(); ++e) d.enabled[e] = static_cast<uint8_t>(1 + e * 5);
  EXPECT_EQ(Generate(d), expected);
}

TEST(Sequence2dTest, RollAlongKeepsExactlyTheQuadruplesReachingCable2) {
  for (ProfileDesign d : FilterDesigns()) {
    d.enabled[30] = 0;  // together with a disabled electrode on cable 2
    const std::vector<Quadruple> unfiltered = Generate(d);
    std::vector<Quadruple> expected;
    std::copy_if(unfiltered.begin(), unfiltered.end(), std::back_inserter(expected),
                 [](const Quadruple& q) { return HighestElectrode(q) >= 25; });
    d.rollAlong = 1;
    SCOPED_TRACE("array type " + std::to_string(d.arrayType));
    EXPECT_EQ(Generate(d), expected);
  }
}

// ---- count mode and fill mode ----

TEST(Sequence2dTest, CountModeWritesOnlyTheEntriesOfItsGroups) {
  constexpr uint32_t kUntouched = 0xDEADBEEF;
  ProfileDesign d = SingleGroup(kWenner, 1, 6, 1, 1);
  d.groupCount = 2;
  d.Group(1, 2, 1, 1, 1);
  std::array<uint32_t, 4> output;
  output.fill(kUntouched);
  ASSERT_EQ(CallGenerator(0, d, output.data()), 0);
  EXPECT_EQ(output, (std::array<uint32_t, 4>{225, 42, kUntouched, kUntouched}));
}

TEST(Sequence2dTest, ModeIsJudgedByItsLowByte) {
  const ProfileDesign d = SingleGroup(kWenner, 1, 1, 1, 1);
  std::array<uint32_t, 4> output{};
  ASSERT_EQ(CallGenerator(0xABCD0100u, d, output.data()), 0);  // low byte 0: count mode
  EXPECT_EQ(output[0], 45u);
  ASSERT_EQ(CallGenerator(0x00000200u, d, output.data()), 0);
  EXPECT_EQ(output[0], 45u);
  std::vector<uint32_t> records(45 * 4);
  ASSERT_EQ(CallGenerator(0x00000101u, d, records.data()), 0);  // fill mode
  EXPECT_EQ(records[4], 2u);
  EXPECT_EQ(records.back(), 48u);
}

TEST(Sequence2dTest, FillPassWritesExactlyTheCountedRecords) {
  constexpr uint32_t kGuard = 0xA5A5A5A5;
  constexpr std::size_t kGuardEntries = 64;
  std::mt19937 random(20240611);
  std::size_t designsWithRecords = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const ProfileDesign d = RandomDesign(random);
    const std::vector<uint32_t> counts = CountPerGroup(d);
    const std::size_t total = std::accumulate(counts.begin(), counts.end(), std::size_t{0});
    std::vector<uint32_t> output(total * 4 + kGuardEntries, kGuard);
    ASSERT_EQ(CallGenerator(1, d, output.data()), 0);
    // Every record has an electrode A, so a counted record never stays a guard.
    for (std::size_t i = 0; i < total; ++i) ASSERT_NE(output[4 * i], kGuard) << "trial " << trial;
    for (std::size_t i = total * 4; i < output.size(); ++i) ASSERT_EQ(output[i], kGuard) << "trial " << trial;
    designsWithRecords += total > 0 ? 1 : 0;
  }
  EXPECT_GT(designsWithRecords, 100u);
}

// ---- validation ----

enum class NullArgument { kNone, kCable1, kCable2, kMultipliers, kLevels, kLevelSteps, kStartLevels, kOutput };

struct ValidationCase {
  std::string name;
  ProfileDesign design;
  NullArgument null;
  uint8_t expected;
};

ProfileDesign TwoGroups() {
  ProfileDesign d = SingleGroup(kWenner, 1, 2, 1, 1);
  d.groupCount = 2;
  d.Group(1, 2, 2, 1, 1);
  return d;
}

ProfileDesign With(ProfileDesign d, void (*change)(ProfileDesign&)) {
  change(d);
  return d;
}

std::vector<ValidationCase> ValidationCases() {
  // Every top-level field invalid at once: the first test in order decides.
  const ProfileDesign allBad = With(TwoGroups(), [](ProfileDesign& d) {
    d.arrayType = 8;
    d.rollAlong = 2;
    d.groupCount = 0;
  });
  return {
      {"NullCable1First", allBad, NullArgument::kCable1, 101},
      {"NullCable2", allBad, NullArgument::kCable2, 101},
      {"NullMultipliers", allBad, NullArgument::kMultipliers, 102},
      {"NullLevels", allBad, NullArgument::kLevels, 103},
      {"NullLevelSteps", allBad, NullArgument::kLevelSteps, 104},
      {"NullStartLevels", allBad, NullArgument::kStartLevels, 105},
      {"NullOutput", allBad, NullArgument::kOutput, 106},
      {"ArrayTypeAbove7", allBad, NullArgument::kNone, 201},
      {"RollAlongAbove1", With(allBad, [](ProfileDesign& d) { d.arrayType = 7; }), NullArgument::kNone, 202},
      {"GroupCount0", With(allBad, [](ProfileDesign& d) { d.arrayType = 7; d.rollAlong = 1; }), NullArgument::kNone,
       203},
      {"GroupCount5", With(TwoGroups(), [](ProfileDesign& d) { d.groupCount = 5; }), NullArgument::kNone, 203},
      {"GroupCount255", With(TwoGroups(), [](ProfileDesign& d) { d.groupCount = 255; }), NullArgument::kNone, 203},
      {"Multiplier0", With(TwoGroups(), [](ProfileDesign& d) { d.multipliers[1] = 0; d.levels[1] = 0; }),
       NullArgument::kNone, 204},
      {"Levels0", With(TwoGroups(), [](ProfileDesign& d) { d.levels[1] = 0; d.levelSteps[1] = 0; }),
       NullArgument::kNone, 205},
      {"LevelStep0", With(TwoGroups(), [](ProfileDesign& d) { d.levelSteps[1] = 0; d.startLevels[1] = 0; }),
       NullArgument::kNone, 206},
      {"StartLevel0", With(TwoGroups(), [](ProfileDesign& d) { d.startLevels[1] = 0; }), NullArgument::kNone, 207},
      {"EarlierGroupDecides", With(TwoGroups(), [](ProfileDesign& d) { d.startLevels[0] = 0; d.multipliers[1] = 0; }),
       NullArgument::kNone, 207},
      {"GroupsBeyondTheCountAreNotChecked",
       With(TwoGroups(), [](ProfileDesign& d) { d.groupCount = 1; d.multipliers[1] = 0; }), NullArgument::kNone, 0},
      {"ByteArgumentsUseTheirLowByte", With(TwoGroups(), [](ProfileDesign& d) {
         d.arrayType = 0xFFFFFF07u;
         d.rollAlong = 0x12345601u;
         d.groupCount = 0x00000102u;
       }),
       NullArgument::kNone, 0},
      {"UpperBitsDoNotHideAnInvalidLowByte", With(TwoGroups(), [](ProfileDesign& d) { d.groupCount = 0x100u; }),
       NullArgument::kNone, 203},
  };
}

TEST(Sequence2dTest, ValidationRunsInItsDocumentedOrder) {
  constexpr uint32_t kUntouched = 0xDEADBEEF;
  for (const ValidationCase& c : ValidationCases()) {
    SCOPED_TRACE(c.name);
    for (const uint32_t mode : {0u, 1u}) {
      const vesk_test::DesignArrays arrays(c.design);
      std::vector<uint32_t> output(4 * 200, kUntouched);
      auto pick = [&](NullArgument which, auto* pointer) { return c.null == which ? nullptr : pointer; };
      const uint8_t result =
          get_2d_sequence(mode, c.design.arrayType, c.design.rollAlong, pick(NullArgument::kCable1, arrays.cable1.data()),
                          pick(NullArgument::kCable2, arrays.cable2.data()), c.design.groupCount,
                          pick(NullArgument::kMultipliers, arrays.multipliers.data()),
                          pick(NullArgument::kLevels, arrays.levels.data()),
                          pick(NullArgument::kLevelSteps, arrays.levelSteps.data()),
                          pick(NullArgument::kStartLevels, arrays.startLevels.data()),
                          pick(NullArgument::kOutput, output.data()));
      EXPECT_EQ(result, c.expected) << "mode " << mode;
      if (c.expected != 0) {
        EXPECT_TRUE(std::all_of(output.begin(), output.end(), [](uint32_t v) { return v == kUntouched; }))
            << "a refused call wrote its output, mode " << mode;
      }
    }
  }
}

}  // namespace
