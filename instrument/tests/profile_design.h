// A 2D profile design as the tests pass it to get_2d_sequence, and helpers that
// run the generator's count pass and fill pass.
#ifndef VESK_PRO_TESTS_PROFILE_DESIGN_H
#define VESK_PRO_TESTS_PROFILE_DESIGN_H

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <numeric>
#include <random>
#include <vector>

#include "vesk_pro.h"

namespace vesk_test {

constexpr int kElectrodes = 48;
constexpr int kCableElectrodes = 24;
constexpr int kGroupSlots = 4;

// A, M, N, B; 0 for an electrode the array does not use.
using Quadruple = std::array<uint32_t, 4>;

struct ProfileDesign {
  uint32_t arrayType = 0;
  uint32_t rollAlong = 0;
  std::array<uint8_t, kElectrodes> enabled = AllEnabled();
  uint32_t groupCount = 1;
  std::array<uint8_t, kGroupSlots> multipliers{1, 0, 0, 0};
  std::array<uint8_t, kGroupSlots> levels{1, 0, 0, 0};
  std::array<uint8_t, kGroupSlots> levelSteps{1, 0, 0, 0};
  std::array<uint8_t, kGroupSlots> startLevels{1, 0, 0, 0};

  static std::array<uint8_t, kElectrodes> AllEnabled() {
    std::array<uint8_t, kElectrodes> flags{};
    flags.fill(1);
    return flags;
  }

  // Sets group j's multiplier, levels, level step and start level.
  ProfileDesign& Group(int j, uint8_t m, uint8_t levelCount, uint8_t step, uint8_t start) {
    multipliers[j] = m;
    levels[j] = levelCount;
    levelSteps[j] = step;
    startLevels[j] = start;
    return *this;
  }
};

// The design arrays copied to heap blocks of exactly their documented size, so
// that the sanitizer reports any read past them.
struct DesignArrays {
  explicit DesignArrays(const ProfileDesign& d)
      : cable1(d.enabled.begin(), d.enabled.begin() + kCableElectrodes),
        cable2(d.enabled.begin() + kCableElectrodes, d.enabled.end()),
        multipliers(d.multipliers.begin(), d.multipliers.end()),
        levels(d.levels.begin(), d.levels.end()),
        levelSteps(d.levelSteps.begin(), d.levelSteps.end()),
        startLevels(d.startLevels.begin(), d.startLevels.end()) {}

  std::vector<uint8_t> cable1, cable2, multipliers, levels, levelSteps, startLevels;
};

inline uint8_t CallGenerator(uint32_t mode, const ProfileDesign& d, uint32_t* output) {
  const DesignArrays arrays(d);
  return get_2d_sequence(mode, d.arrayType, d.rollAlong, arrays.cable1.data(), arrays.cable2.data(), d.groupCount,
                         arrays.multipliers.data(), arrays.levels.data(), arrays.levelSteps.data(),
                         arrays.startLevels.data(), output);
}

// Random designs, small multipliers and level numbers more often than large
// ones so that most designs yield measurements.
inline ProfileDesign RandomDesign(std::mt19937& random) {
  std::uniform_int_distribution<int> anyByte(1, 255), smallByte(1, 12), coin(0, 1), type(0, 7), groups(1, 4),
      percent(0, 99);
  auto value = [&] { return static_cast<uint8_t>(coin(random) ? smallByte(random) : anyByte(random)); };
  ProfileDesign d;
  d.arrayType = static_cast<uint32_t>(type(random));
  d.rollAlong = static_cast<uint32_t>(coin(random));
  for (uint8_t& flag : d.enabled) flag = percent(random) < 85 ? static_cast<uint8_t>(anyByte(random)) : 0;
  d.groupCount = static_cast<uint32_t>(groups(random));
  for (int j = 0; j < 4; ++j) d.Group(j, value(), value(), value(), value());
  return d;
}

// Count pass: the measurements per group.
inline std::vector<uint32_t> CountPerGroup(const ProfileDesign& d) {
  std::vector<uint32_t> counts(d.groupCount & 0xFFu);
  EXPECT_EQ(CallGenerator(0, d, counts.data()), 0);
  return counts;
}

// Count pass, then fill pass into an array of exactly the counted size.
inline std::vector<Quadruple> Generate(const ProfileDesign& d) {
  const std::vector<uint32_t> counts = CountPerGroup(d);
  const uint64_t total = std::accumulate(counts.begin(), counts.end(), uint64_t{0});
  std::vector<uint32_t> flat(total * 4);
  // A fill pass with no measurement still needs a non-null output.
  uint32_t unused = 0;
  EXPECT_EQ(CallGenerator(1, d, flat.empty() ? &unused : flat.data()), 0);
  std::vector<Quadruple> records(total);
  for (uint64_t i = 0; i < total; ++i) {
    records[i] = {flat[4 * i], flat[4 * i + 1], flat[4 * i + 2], flat[4 * i + 3]};
  }
  return records;
}

}  // namespace vesk_test

#endif  // VESK_PRO_TESTS_PROFILE_DESIGN_H
