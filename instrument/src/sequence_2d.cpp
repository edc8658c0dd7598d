// get_2d_sequence: the electrode quadruples of a 2D profile design.
//
// The instrument switches 48 electrodes (cable 1: 1..24, cable 2: 25..48).
// Each spacing group walks its level numbers; every level places one array
// geometry at every position along the line where it fits, and keeps the
// quadruples whose electrodes are all enabled (and, for roll-along, that reach
// the second cable).

#include <algorithm>
#include <array>
#include <cstdint>

#include "vesk_pro.h"

namespace {

constexpr int kElectrodeCount = 48;
constexpr int kCableElectrodeCount = 24;
constexpr int kMaxGroupCount = 4;
// The lowest electrode number on cable 2; a roll-along measurement must reach it.
constexpr uint32_t kFirstElectrodeOfCable2 = 25;

enum ArrayType2d : int {
  kWenner = 0,
  kSchlumberger = 1,
  kDipoleDipole = 2,
  kWennerBeta = 3,
  kWennerGamma = 4,
  kFwdPoleDipole = 5,
  kRevPoleDipole = 6,
  kPolePole = 7,
};
constexpr int kHighestArrayType2d = kPolePole;

// Result codes of get_2d_sequence.
enum Result2d : uint8_t {
  kOk = 0,
  kNullCable = 101,
  kNullMultipliers = 102,
  kNullLevels = 103,
  kNullLevelSteps = 104,
  kNullStartLevels = 105,
  kNullOutput = 106,
  kBadArrayType = 201,
  kBadRollAlong = 202,
  kBadGroupCount = 203,
  kZeroMultiplier = 204,
  kZeroLevels = 205,
  kZeroLevelStep = 206,
  kZeroStartLevel = 207,
};

uint8_t LowByte(uint32_t value) { return static_cast<uint8_t>(value & 0xFFu); }

// Electrode numbers in record order; 0 marks an electrode the array does not use.
struct Quadruple {
  uint32_t a;
  uint32_t m;
  uint32_t n;
  uint32_t b;
};

struct SpacingGroup {
  int multiplier;
  int levels;
  int levelStep;
  int startLevel;
};

struct ProfileDesign {
  int arrayType;
  bool rollAlong;
  std::array<bool, kElectrodeCount> enabled;  // entry e - 1 for electrode e
};

// Distance in electrode steps between the lowest and the highest electrode of
// the array with dipole length m and separation s.
int SpanOf(int arrayType, int m, int s) {
  switch (arrayType) {
    case kWenner:
    case kWennerBeta:
    case kWennerGamma:
      return 3 * s;
    case kSchlumberger:
      return 2 * s + m;
    case kDipoleDipole:
      return s + 2 * m;
    case kFwdPoleDipole:
    case kRevPoleDipole:
      return s + m;
    default:
      return s;
  }
}

// The quadruple whose lowest electrode is `first`. The caller guarantees that
// first + span stays within the 48 electrodes.
Quadruple QuadrupleAt(int arrayType, uint32_t first, uint32_t m, uint32_t s) {
  switch (arrayType) {
    case kWenner:
      return {first, first + s, first + 2 * s, first + 3 * s};
    case kSchlumberger:
      return {first, first + s, first + s + m, first + 2 * s + m};
    case kDipoleDipole:
      return {first, first + m + s, first + 2 * m + s, first + m};
    case kWennerBeta:
      return {first, first + 2 * s, first + 3 * s, first + s};
    case kWennerGamma:
      return {first, first + s, first + 3 * s, first + 2 * s};
    case kFwdPoleDipole:
      return {first, first + s, first + s + m, 0};
    case kRevPoleDipole:
      return {first + m + s, first + m, first, 0};
    default:
      return {first, first + s, 0, 0};
  }
}

bool IsAccepted(const ProfileDesign& design, const Quadruple& q) {
  const std::array<uint32_t, 4> electrodes{q.a, q.m, q.n, q.b};
  for (const uint32_t e : electrodes) {
    if (e != 0 && !design.enabled[e - 1]) return false;
  }
  if (design.rollAlong) {
    const uint32_t highest = *std::max_element(electrodes.begin(), electrodes.end());
    if (highest < kFirstElectrodeOfCable2) return false;
  }
  return true;
}

// Calls emit(quadruple) for every accepted quadruple of the group, levels
// ascending and positions ascending within a level; returns their number.
// All arithmetic stays in int: s is at most 255 + 509 - 1 and the span at most
// three times that, and only spans that fit on the line are placed.
template <typename Emit>
uint32_t GenerateGroup(const ProfileDesign& design, const SpacingGroup& group, Emit&& emit) {
  uint32_t count = 0;
  const int endLevel = group.startLevel + group.levels;
  for (int d = group.startLevel; d < endLevel; d += group.levelStep) {
    const int s = group.multiplier + d - 1;
    const int span = SpanOf(design.arrayType, group.multiplier, s);
    if (span + 1 > kElectrodeCount) continue;
    for (int k = 0; k <= kElectrodeCount - 1 - span; ++k) {
      const Quadruple q = QuadrupleAt(design.arrayType, static_cast<uint32_t>(k + 1),
                                      static_cast<uint32_t>(group.multiplier), static_cast<uint32_t>(s));
      if (!IsAccepted(design, q)) continue;
      ++count;
      emit(q);
    }
  }
  return count;
}

}  // namespace

extern "C" uint8_t get_2d_sequence(uint32_t mode, uint32_t arrayType, uint32_t rollAlong, const uint8_t* cable1,
                                   const uint8_t* cable2, uint32_t groupCount, const uint8_t* multipliers,
                                   const uint8_t* levels, const uint8_t* levelSteps, const uint8_t* startLevels,
                                   uint32_t* output) {
  if (cable1 == nullptr || cable2 == nullptr) return kNullCable;
  if (multipliers == nullptr) return kNullMultipliers;
  if (levels == nullptr) return kNullLevels;
  if (levelSteps == nullptr) return kNullLevelSteps;
  if (startLevels == nullptr) return kNullStartLevels;
  if (output == nullptr) return kNullOutput;

  const int type = LowByte(arrayType);
  if (type > kHighestArrayType2d) return kBadArrayType;
  const int roll = LowByte(rollAlong);
  if (roll > 1) return kBadRollAlong;
  // The design arrays hold four groups; more would be read past their end.
  const int groups = LowByte(groupCount);
  if (groups == 0 || groups > kMaxGroupCount) return kBadGroupCount;
  for (int j = 0; j < groups; ++j) {
    if (multipliers[j] == 0) return kZeroMultiplier;
    if (levels[j] == 0) return kZeroLevels;
    if (levelSteps[j] == 0) return kZeroLevelStep;
    if (startLevels[j] == 0) return kZeroStartLevel;
  }

  ProfileDesign design{type, roll == 1, {}};
  for (int e = 0; e < kCableElectrodeCount; ++e) {
    design.enabled[e] = cable1[e] != 0;
    design.enabled[kCableElectrodeCount + e] = cable2[e] != 0;
  }

  const bool countMode = LowByte(mode) == 0;
  uint32_t* next = output;
  for (int j = 0; j < groups; ++j) {
    const SpacingGroup group{multipliers[j], levels[j], levelSteps[j], startLevels[j]};
    if (countMode) {
      output[j] = GenerateGroup(design, group, [](const Quadruple&) {});
    } else {
      GenerateGroup(design, group, [&next](const Quadruple& q) {
        next[0] = q.a;
        next[1] = q.m;
        next[2] = q.n;
        next[3] = q.b;
        next += 4;
      });
    }
  }
  return kOk;
}
