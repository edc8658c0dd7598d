// get_1d_sequence: the AB/2 and MN/2 half-spacings of a 1D sounding design.
//
// Each measurement is first built as a length L and a width W in metres (for
// Wenner and Schlumberger L is AB and W is MN); the half-spacings in
// millimetres are L * 500 and W * 500 rounded half up.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "vesk_pro.h"

namespace {

constexpr int kMaxGroupCount = 4;

enum ArrayType1d : int {
  kWenner = 0,
  kSchlumberger = 1,
  kDipoleDipole = 2,
  kWennerBeta = 3,
  kWennerGamma = 4,
  kFwdPoleDipole = 5,
  kRevPoleDipole = 6,
  kPolePole = 7,
  kEquatorialDipoleDipole = 8,
};
constexpr int kHighestArrayType1d = kEquatorialDipoleDipole;

enum IncrementType : int { kLinear = 0, kGeometric = 1 };

// Result codes of get_1d_sequence.
enum Result1d : uint8_t {
  kOk = 0,
  kNoWorkingMemory = 1,
  kNullFirstSpacings = 101,
  kNullIncrements = 102,
  kNullLevels = 103,
  kNullOverlaps = 104,
  kNullOutput = 105,
  kBadArrayType = 201,
  kBadIncrementType = 202,
  kBadGroupCount = 203,
  kBadFirstSpacing = 204,
  kBadIncrement = 205,
  kZeroLevels = 206,
  kTooManyOverlaps = 207,
};

uint8_t LowByte(uint32_t value) { return static_cast<uint8_t>(value & 0xFFu); }

// Wenner-like arrays and Pole Pole grow one length series; the others may
// combine several groups that repeat lengths with their own width.
bool IsSingleGroupType(int arrayType) {
  return arrayType == kWenner || arrayType == kWennerBeta || arrayType == kWennerGamma || arrayType == kPolePole;
}

struct SoundingGroup {
  double firstSpacing;  // D, metres
  double increment;
  int levels;
  int overlaps;  // lengths of the group before that this group repeats
};

struct SoundingDesign {
  int arrayType;
  bool geometric;
  std::vector<SoundingGroup> groups;
};

struct Measurement {
  double length;  // L, metres
  double width;   // W, metres
};

// (metres * 500 + 0.5) truncated toward zero, as the low 32 bits of that
// integer. Every finite double is handled exactly (fmod is exact), so
// negative values wrap like an integer conversion and values of 2^84 and more
// give 0; infinities and NaN, which have no integer value, give 0 as well.
uint32_t HalfLengthInMillimetres(double metres) {
  constexpr double kTwoTo32 = 4294967296.0;
  const double value = std::trunc(metres * 500.0 + 0.5);
  if (!std::isfinite(value)) return 0;
  double low = std::fmod(value, kTwoTo32);
  if (low < 0.0) low += kTwoTo32;
  return static_cast<uint32_t>(low);
}

double NextLength(const SoundingDesign& design, double previous, double increment) {
  return design.geometric ? previous * increment : previous + increment;
}

// L and W of the first measurement of the sounding.
Measurement FirstMeasurement(int arrayType, double d0) {
  switch (arrayType) {
    case kWenner:
    case kWennerBeta:
    case kWennerGamma:
    case kSchlumberger:
      return {3.0 * d0, d0};
    case kDipoleDipole:
      return {2.0 * d0, 0.0};  // W follows once all lengths are known
    case kFwdPoleDipole:
    case kRevPoleDipole:
      return {1.5 * d0, d0};
    case kPolePole:
      return {d0, 0.0};
    default:  // Equat. Dipole Dipole
      return {2.0 * d0, d0};
  }
}

std::vector<Measurement> BuildMeasurements(const SoundingDesign& design, std::size_t total) {
  std::vector<Measurement> list(total);
  const int type = design.arrayType;
  std::size_t i = 0;
  for (std::size_t j = 0; j < design.groups.size(); ++j) {
    const SoundingGroup& group = design.groups[j];
    // The first group has nothing before it to repeat.
    const int overlaps = j == 0 ? 0 : group.overlaps;
    for (int k = 0; k < group.levels; ++k, ++i) {
      Measurement& here = list[i];
      if (i == 0) {
        here = FirstMeasurement(type, group.firstSpacing);
        continue;
      }
      const double previous = list[i - 1].length;
      switch (type) {
        case kWenner:
        case kWennerBeta:
        case kWennerGamma:
          here.length = NextLength(design, previous, group.increment);
          here.width = here.length / 3.0;
          break;
        case kPolePole:
          here.length = NextLength(design, previous, group.increment);
          here.width = 0.0;
          break;
        default:
          // Overlaps never exceed the levels of the group before, so the
          // repeated length lies within that group.
          here.length = k < overlaps ? list[i - static_cast<std::size_t>(overlaps)].length
                                     : NextLength(design, previous, group.increment);
          here.width = type == kDipoleDipole ? 0.0 : group.firstSpacing;
          break;
      }
    }
  }

  switch (type) {
    case kDipoleDipole: {
      std::size_t index = 0;
      for (const SoundingGroup& group : design.groups) {
        for (int k = 0; k < group.levels; ++k, ++index) {
          Measurement& m = list[index];
          m.width = m.length - group.firstSpacing;
          m.length = m.length + group.firstSpacing;
        }
      }
      break;
    }
    case kFwdPoleDipole:
    case kRevPoleDipole:
    case kPolePole:
      for (Measurement& m : list) m.length *= 2.0;
      break;
    default:
      break;
  }
  return list;
}

}  // namespace

extern "C" uint8_t get_1d_sequence(uint32_t arrayType, uint32_t incrementType, uint32_t groupCount,
                                   const double* firstSpacings, const double* increments, const uint8_t* levels,
                                   const uint8_t* overlaps, uint32_t* halfAB, uint32_t* halfMN) {
  if (firstSpacings == nullptr) return kNullFirstSpacings;
  if (increments == nullptr) return kNullIncrements;
  if (levels == nullptr) return kNullLevels;
  if (overlaps == nullptr) return kNullOverlaps;
  if (halfAB == nullptr || halfMN == nullptr) return kNullOutput;

  const int type = LowByte(arrayType);
  if (type > kHighestArrayType1d) return kBadArrayType;
  const int increment = LowByte(incrementType);
  if (increment > kGeometric) return kBadIncrementType;
  // The design arrays hold four groups; more would be read past their end.
  const int groups = LowByte(groupCount);
  if (groups == 0 || groups > kMaxGroupCount || (groups > 1 && IsSingleGroupType(type))) return kBadGroupCount;
  const bool geometric = increment == kGeometric;
  for (int j = 0; j < groups; ++j) {
    // Written as negations so that NaN is refused too.
    if (!(firstSpacings[j] > 0.0)) return kBadFirstSpacing;
    if (!(increments[j] > 0.0) || (geometric && !(increments[j] > 1.0))) return kBadIncrement;
    if (levels[j] == 0) return kZeroLevels;
    if (j > 0 && overlaps[j] > levels[j - 1]) return kTooManyOverlaps;
  }

  try {
    SoundingDesign design{type, geometric, {}};
    std::size_t total = 0;
    for (int j = 0; j < groups; ++j) {
      design.groups.push_back({firstSpacings[j], increments[j], levels[j], overlaps[j]});
      total += levels[j];
    }
    const std::vector<Measurement> list = BuildMeasurements(design, total);

    std::vector<std::pair<uint32_t, uint32_t>> halves;  // AB/2, MN/2
    halves.reserve(total);
    for (const Measurement& m : list) {
      halves.emplace_back(HalfLengthInMillimetres(m.length), HalfLengthInMillimetres(m.width));
    }
    if (!IsSingleGroupType(type)) {
      // Stable, so repeated lengths keep their widths in group order.
      std::stable_sort(halves.begin(), halves.end(),
                       [](const auto& lhs, const auto& rhs) { return lhs.first < rhs.first; });
    }
    for (std::size_t i = 0; i < total; ++i) {
      halfAB[i] = halves[i].first;
      halfMN[i] = halves[i].second;
    }
  } catch (const std::bad_alloc&) {
    return kNoWorkingMemory;
  }
  return kOk;
}
