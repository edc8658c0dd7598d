#include "Regions.h"

#include <algorithm>
#include <tuple>

namespace meshinterp {
namespace {

double Dot(double ax, double ay, double bx, double by) { return ax * bx + ay * by; }

struct SegmentEnds {
  Point p1, p2, p3;  // start, end, end of the next segment
};

SegmentEnds EndsOf(std::span<const Point> points, const Triangulation& triangulation, int segment) {
  const auto& border = triangulation.border;
  const BorderSegment& s = border[segment];
  const BorderSegment& next = border[(segment + 1) % border.size()];
  return {points[s.start], points[s.end], points[next.end]};
}

// Per grid row of a band, the next node at or after a column that no
// region has taken yet (union-find with path halving), so that taken nodes
// are skipped fast.
class FreeNodes {
 public:
  // One entry past the last column per row; the sizes are counted in
  // size_t so that they hold for any int column count.
  FreeNodes(int columns, int firstRow, int rows)
      : firstRow_(firstRow),
        stride_(static_cast<std::size_t>(columns) + 1),
        next_(stride_ * static_cast<std::size_t>(rows)) {
    for (int j = 0; j < rows; ++j) {
      for (std::size_t i = 0; i < stride_; ++i) next_[Index(static_cast<int>(i), firstRow + j)] = static_cast<int>(i);
    }
  }
  int Find(int i, int j) {
    while (next_[Index(i, j)] != i) {
      const int up = next_[Index(i, j)];
      next_[Index(i, j)] = next_[Index(up, j)];
      i = next_[Index(i, j)];
    }
    return i;
  }
  void Take(int i, int j) { next_[Index(i, j)] = i + 1; }

 private:
  std::size_t Index(int i, int j) const { return static_cast<std::size_t>(j - firstRow_) * stride_ + i; }
  int firstRow_;
  std::size_t stride_;
  std::vector<int> next_;
};

// The first index whose value is not `before` v, for increasing values:
// found from the index that v would have in equal steps, with a few steps
// to either side, else by bisection; the same index either way.
template <class Before>
int FirstNotBefore(std::span<const double> values, double v, Before before) {
  constexpr int kSteps = 3;
  const int n = static_cast<int>(values.size());
  const double span = values[n - 1] - values[0];
  const double at = span > 0 ? (v - values[0]) / span * (n - 1) : 0;
  int k = at >= 0 ? (at < n - 1 ? static_cast<int>(at) : n - 1) : 0;
  if (before(values[k], v)) {
    for (int step = 0; step < kSteps; ++step) {
      if (++k == n || !before(values[k], v)) return k;
    }
    return static_cast<int>(std::partition_point(values.begin() + k, values.end(),
                                                 [&](double x) { return before(x, v); }) -
                            values.begin());
  }
  for (int step = 0; step < kSteps; ++step) {
    if (k == 0 || before(values[k - 1], v)) return k;
    --k;
  }
  return static_cast<int>(
      std::partition_point(values.begin(), values.begin() + k, [&](double x) { return before(x, v); }) -
      values.begin());
}

// First index with values[i] >= lo and one past the last with values[i] <= hi.
std::pair<int, int> RunWithin(std::span<const double> values, double lo, double hi) {
  return {FirstNotBefore(values, lo, [](double x, double v) { return x < v; }),
          FirstNotBefore(values, hi, [](double x, double v) { return x <= v; })};
}

}  // namespace

RegionBox BoxOfRegion(std::span<const Point> points, const Triangulation& triangulation, int region,
                      const RegionBox& grid) {
  const int triangleCount = static_cast<int>(triangulation.triangles.size());
  if (region < triangleCount) {
    const TriangleVertices& t = triangulation.triangles[region];
    const Point& a = points[t[0]];
    const Point& b = points[t[1]];
    const Point& c = points[t[2]];
    return {std::min({a.x, b.x, c.x}), std::max({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}),
            std::max({a.y, b.y, c.y})};
  }
  const int segment = (region - triangleCount) / 2;
  const SegmentEnds e = EndsOf(points, triangulation, segment);
  RegionBox box = grid;
  if ((region - triangleCount) % 2 == 0) {
    const Point& p1 = e.p1;
    const Point& p2 = e.p2;
    if (p2.y >= p1.y) box.xmin = std::min(p1.x, p2.x);
    if (p2.y <= p1.y) box.xmax = std::max(p1.x, p2.x);
    if (p2.x <= p1.x) box.ymin = std::min(p1.y, p2.y);
    if (p2.x >= p1.x) box.ymax = std::max(p1.y, p2.y);
  } else {
    const Point& p1 = e.p1;
    const Point& p2 = e.p2;
    const Point& p3 = e.p3;
    if (p3.y >= p2.y && p2.y >= p1.y) box.xmin = p2.x;
    if (p3.y <= p2.y && p2.y <= p1.y) box.xmax = p2.x;
    if (p3.x <= p2.x && p2.x <= p1.x) box.ymin = p2.y;
    if (p3.x >= p2.x && p2.x >= p1.x) box.ymax = p2.y;
  }
  return box;
}

Membership TestRegion(std::span<const Point> points, const Triangulation& triangulation, int region,
                      const Point& g) {
  const int triangleCount = static_cast<int>(triangulation.triangles.size());
  if (region < triangleCount) {
    const TriangleVertices& t = triangulation.triangles[region];
    const Point& p1 = points[t[0]];
    const Point& p2 = points[t[1]];
    const Point& p3 = points[t[2]];
    const double s1 = Side(p1, p2, g);
    const double s2 = Side(p2, p3, g);
    const double s3 = Side(p3, p1, g);
    if (!(s1 >= 0 && s2 >= 0 && s3 >= 0)) return Membership::Outside;
    return (s1 == 0 || s2 == 0 || s3 == 0) ? Membership::Boundary : Membership::Inside;
  }
  const int segment = (region - triangleCount) / 2;
  const SegmentEnds e = EndsOf(points, triangulation, segment);
  if ((region - triangleCount) % 2 == 0) {
    const double s = Side(e.p1, e.p2, g);
    const double d1 = Dot(e.p2.x - e.p1.x, e.p2.y - e.p1.y, g.x - e.p1.x, g.y - e.p1.y);
    const double d2 = Dot(e.p1.x - e.p2.x, e.p1.y - e.p2.y, g.x - e.p2.x, g.y - e.p2.y);
    if (!(s <= 0 && d1 >= 0 && d2 >= 0)) return Membership::Outside;
    return (s == 0 || d1 == 0 || d2 == 0) ? Membership::Boundary : Membership::Inside;
  }
  const double d1 = Dot(e.p1.x - e.p2.x, e.p1.y - e.p2.y, g.x - e.p2.x, g.y - e.p2.y);
  const double d3 = Dot(e.p3.x - e.p2.x, e.p3.y - e.p2.y, g.x - e.p2.x, g.y - e.p2.y);
  if (!(d1 <= 0 && d3 <= 0)) return Membership::Outside;
  return (d1 == 0 || d3 == 0) ? Membership::Boundary : Membership::Inside;
}

RegionBands BandRegions(std::span<const Point> points, const Triangulation& triangulation,
                        std::span<const double> xout, std::span<const double> yout, int bandRows) {
  const int rows = static_cast<int>(yout.size());
  RegionBands bands;
  bands.bandRows = bandRows;
  bands.bandCount = (rows + bandRows - 1) / bandRows;
  const RegionBox grid{std::min(xout.front(), xout.back()), std::max(xout.front(), xout.back()),
                       std::min(yout.front(), yout.back()), std::max(yout.front(), yout.back())};
  const int regionCount = static_cast<int>(triangulation.triangles.size() + 2 * triangulation.border.size());
  bands.runs.resize(static_cast<std::size_t>(regionCount));
  bands.bandStart.assign(static_cast<std::size_t>(bands.bandCount) + 1, 0);
  for (int region = 0; region < regionCount; ++region) {
    const RegionBox box = BoxOfRegion(points, triangulation, region, grid);
    RegionBands::Runs& r = bands.runs[region];
    std::tie(r.i0, r.i1) = RunWithin(xout, box.xmin, box.xmax);
    r.j0 = r.j1 = 0;
    if (r.i0 >= r.i1) continue;
    std::tie(r.j0, r.j1) = RunWithin(yout, box.ymin, box.ymax);
    for (int b = r.j0 / bandRows; r.j0 < r.j1 && b <= (r.j1 - 1) / bandRows; ++b) ++bands.bandStart[b + 1];
  }
  for (int b = 0; b < bands.bandCount; ++b) bands.bandStart[b + 1] += bands.bandStart[b];
  bands.regions.resize(static_cast<std::size_t>(bands.bandStart[bands.bandCount]));
  KeptVector<int> fill(bands.bandStart.begin(), bands.bandStart.end() - 1);
  for (int region = 0; region < regionCount; ++region) {
    const RegionBands::Runs& r = bands.runs[region];
    if (r.i0 >= r.i1) continue;
    for (int b = r.j0 / bandRows; r.j0 < r.j1 && b <= (r.j1 - 1) / bandRows; ++b) bands.regions[fill[b]++] = region;
  }
  return bands;
}

void AssignBand(std::span<const Point> points, const Triangulation& triangulation, const RegionBands& bands,
                int band, std::span<const double> xout, std::span<const double> yout, NodeAssignment& assignment,
                std::vector<Claim>& claims) {
  const int columns = static_cast<int>(xout.size());
  const int first = band * bands.bandRows;
  const int end = std::min(first + bands.bandRows, static_cast<int>(yout.size()));
  FreeNodes freeNodes(columns, first, end - first);
  std::size_t unclaimed = static_cast<std::size_t>(columns) * static_cast<std::size_t>(end - first);
  for (int k = bands.bandStart[band]; k < bands.bandStart[band + 1] && unclaimed > 0; ++k) {
    const int region = bands.regions[k];
    const RegionBands::Runs& r = bands.runs[region];
    for (int j = std::max(r.j0, first); j < std::min(r.j1, end); ++j) {
      for (int i = freeNodes.Find(r.i0, j); i < r.i1; i = freeNodes.Find(i + 1, j)) {
        const Membership m = TestRegion(points, triangulation, region, {xout[i], yout[j]});
        if (m == Membership::Outside) continue;
        const std::size_t node = static_cast<std::size_t>(j) * columns + i;
        assignment.region[node] = region;
        assignment.onBoundary[node] = m == Membership::Boundary;
        claims.push_back({region, node});
        freeNodes.Take(i, j);
        --unclaimed;
      }
    }
  }
}

NodeAssignment AssignNodes(std::span<const Point> points, const Triangulation& triangulation,
                           std::span<const double> xout, std::span<const double> yout) {
  const std::size_t nodes = xout.size() * yout.size();
  NodeAssignment assignment;
  assignment.region.assign(nodes, NodeAssignment::kUnclaimed);
  assignment.onBoundary.assign(nodes, 0);
  const RegionBands bands = BandRegions(points, triangulation, xout, yout, static_cast<int>(yout.size()));
  std::vector<Claim> claims;
  for (int band = 0; band < bands.bandCount; ++band) {
    AssignBand(points, triangulation, bands, band, xout, yout, assignment, claims);
  }
  return assignment;
}

}  // namespace meshinterp
