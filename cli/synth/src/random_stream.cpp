#include "random_stream.h"

namespace synth::detail {
namespace {

constexpr double kTwoToMinus53 = 1.0 / 9007199254740992.0;

double FromBits(std::uint64_t bits) { return static_cast<double>(bits >> 11) * kTwoToMinus53; }

std::uint64_t SplitMix64(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

}  // namespace

double RandomStream::Uniform() { return FromBits(engine_()); }

double RandomStream::StandardNormal() {
  double sum = 0.0;
  for (int i = 0; i < 12; ++i) sum += Uniform();
  return sum - 6.0;
}

double KeyedUniform(std::uint64_t seed, std::uint64_t key) { return FromBits(SplitMix64(seed ^ SplitMix64(key))); }

}  // namespace synth::detail
