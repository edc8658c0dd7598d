// Reproducible random numbers: the same seed gives the same values with every
// standard library, so only the engine (whose output the language fixes) is
// taken from <random>; the distributions are built here from plain arithmetic.
#ifndef SYNTH_RANDOM_STREAM_H
#define SYNTH_RANDOM_STREAM_H

#include <cstdint>
#include <random>

namespace synth::detail {

class RandomStream {
 public:
  explicit RandomStream(std::uint64_t seed) : engine_(seed) {}

  // Uniform in [0, 1), 53 random bits.
  double Uniform();
  // Uniform in [low, high).
  double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
  // Approximately standard normal: the sum of twelve uniforms minus 6 (mean 0,
  // variance 1, bounded by +-6). Additions only, so exact everywhere.
  double StandardNormal();

 private:
  std::mt19937_64 engine_;
};

// A uniform value in [0, 1) fixed by the seed and the key alone, for
// properties that must not depend on the order of the draws (SplitMix64).
double KeyedUniform(std::uint64_t seed, std::uint64_t key);

}  // namespace synth::detail

#endif  // SYNTH_RANDOM_STREAM_H
