// Triangulation of scattered points: points inserted one by one in order of
// their distance from the midpoint of the closest pair, improved locally by
// max-min angle diagonal exchanges. Point numbers are 0-based here.
#pragma once

#include <span>
#include <vector>

#include "ErrorFacility.h"
#include "Geometry.h"

namespace meshinterp {

struct BorderSegment {
  int start = 0;
  int end = 0;
  int triangle = 0;  // the triangle that has this segment as a side
};

struct Triangulation {
  // Counter-clockwise triangles; empty when no triangulation was made.
  std::vector<TriangleVertices> triangles;
  // The hull's border, counter-clockwise, each segment starting where the
  // previous one ends.
  std::vector<BorderSegment> border;
};

struct ClosestPair {
  int first = 0;   // lower point number
  int second = 1;  // higher point number
  double squaredDistance = 0;
};

// The pair with the smallest squared distance; among equal distances the
// pair that comes first in the order (0,1), (0,2), ..., (1,2), ...
// A squared distance of 0 means that the two points are equal.
ClosestPair FindClosestPair(std::span<const Point> points);

// The other points in the order in which they are inserted: sorted by their
// squared distance from the pair's midpoint by selection with exchanges.
std::vector<int> InsertionOrder(std::span<const Point> points, int first, int second);

// Routine SURFGRID_TRIANGULATE: reports equal and collinear points through
// `errors` and returns an empty triangulation in those cases. `given` holds
// the caller's coordinates when `points` are rescaled ones (empty: the same):
// reports name those, and two points that differ there but whose distance
// is lost to rounding here are reported as beyond resolution, not as equal.
Triangulation Triangulate(std::span<const Point> points, ErrorFacility& errors,
                          std::span<const Point> given = {});

}  // namespace meshinterp
