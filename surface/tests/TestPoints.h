// Point sets for the tests and benchmarks: random points, pseudo-sections of
// Wenner roll-along surveys (many exact distance ties) and integer lattices.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "Geometry.h"

namespace meshinterp::testing {

struct Samples {
  std::vector<Point> points;
  std::vector<double> values;
  std::vector<double> xs() const {
    std::vector<double> v;
    for (const Point& p : points) v.push_back(p.x);
    return v;
  }
  std::vector<double> ys() const {
    std::vector<double> v;
    for (const Point& p : points) v.push_back(p.y);
    return v;
  }
};

inline Samples RandomSamples(int count, std::uint32_t seed, double width = 100, double height = 60) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> ux(0, width), uy(0, height);
  Samples s;
  for (int i = 0; i < count; ++i) {
    const Point p{ux(random), uy(random)};
    s.points.push_back(p);
    s.values.push_back(std::sin(p.x / 17) * 30 + p.y * 0.7 + 100);
  }
  return s;
}

// Wenner measurements (levels 1 to `levels`) of `spreads` 48-electrode
// spreads, each shifted by 24 electrodes, measurements repeated in the
// overlap counted once: x = mid-point, y = 0.519 a, a = level * spacing.
inline Samples PseudoSection(int spreads, int levels = 15, double spacing = 5, std::uint32_t seed = 7) {
  std::set<std::pair<int, int>> quadrupoles;  // (level, first electrode)
  for (int s = 0; s < spreads; ++s) {
    for (int level = 1; level <= levels; ++level) {
      for (int first = 1; first + 3 * level <= 48; ++first) quadrupoles.insert({level, 24 * s + first});
    }
  }
  std::mt19937 random(seed);
  std::normal_distribution<double> noise(0, 0.5);
  Samples s;
  for (const auto& [level, first] : quadrupoles) {
    const double a = level * spacing;
    const Point p{(first - 1) * spacing + 1.5 * a, 0.519 * a};
    s.points.push_back(p);
    s.values.push_back(100 + 40 * std::sin(p.x / 60) + 2 * p.y + noise(random));
  }
  return s;
}

// Integer lattice with exact ties in every distance and many collinear
// points; values from a smooth function.
inline Samples Lattice(int columns, int rows, double step = 1) {
  Samples s;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < columns; ++i) {
      const Point p{i * step, j * step};
      s.points.push_back(p);
      s.values.push_back(std::cos(p.x * 0.3) + std::sin(p.y * 0.2) * 2);
    }
  }
  return s;
}

// Points in convex position on an ellipse of half-axes 100 and `height`,
// in shuffled order, around a close pair at the centre: the border holds
// nearly every point and is turned by large amounts.
inline Samples ShuffledEllipse(int count, std::uint32_t seed, double height) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> jitter(0, 1e-3 / count);
  std::vector<double> angles;
  for (int i = 0; i < count; ++i) angles.push_back(2 * 3.141592653589793 * i / count + jitter(random));
  for (int i = count - 1; i > 0; --i) std::swap(angles[i], angles[random() % (i + 1)]);
  Samples s;
  s.points = {{0, 0}, {1e-3, 0}};
  for (double a : angles) s.points.push_back({100 * std::cos(a), height * std::sin(a)});
  for (const Point& p : s.points) s.values.push_back(p.x * 0.5 + p.y * 3 + 10);
  return s;
}

// `count` coordinates from lo to hi in equal steps.
inline std::vector<double> Coordinates(double lo, double hi, int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(count == 1 ? lo : lo + i * (hi - lo) / (count - 1));
  return v;
}

}  // namespace meshinterp::testing
