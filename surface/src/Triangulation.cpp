#include "Triangulation.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Border.h"
#include "BucketGrid.h"
#include "DataRange.h"
#include "KeptStorage.h"

namespace meshinterp {
namespace {

constexpr int kMaxImprovementPasses = 100;

// Selection of the minimum over the positions not yet removed; among equal
// distances the lowest position wins, as in a left-to-right scan.
class SelectionTree {
 public:
  explicit SelectionTree(const std::vector<double>& distances) : distances_(distances) {
    const int n = static_cast<int>(distances.size());
    leaves_ = 1;
    while (leaves_ < n) leaves_ *= 2;
    nodes_.assign(2 * static_cast<std::size_t>(leaves_), -1);
    for (int i = 0; i < n; ++i) nodes_[leaves_ + i] = i;
    for (int k = leaves_ - 1; k >= 1; --k) nodes_[k] = Better(nodes_[2 * k], nodes_[2 * k + 1]);
  }

  int Minimum() const { return nodes_[1]; }
  void Remove(int position) { Set(position, -1); }
  void Refresh(int position) { Set(position, position); }

 private:
  int Better(int a, int b) const {
    if (a < 0) return b;
    if (b < 0) return a;
    if (distances_[b] < distances_[a] || (distances_[b] == distances_[a] && b < a)) return b;
    return a;
  }
  void Set(int position, int value) {
    int k = leaves_ + position;
    nodes_[k] = value;
    for (k /= 2; k >= 1; k /= 2) nodes_[k] = Better(nodes_[2 * k], nodes_[2 * k + 1]);
  }

  const std::vector<double>& distances_;
  int leaves_ = 1;
  std::vector<int> nodes_;
};

// Runs of equal distances up to this length are ordered by scanning the
// run; longer ones, rare outside contrived sets, by the selection tree.
constexpr int kLongestShortRun = 64;

// Selection by exchanges through the selection tree: for each position the
// smallest distance still left, the lowest position among equal ones.
std::vector<int> SelectWithExchanges(std::span<const int> entries, std::vector<double> distances) {
  std::vector<int> order(entries.begin(), entries.end());
  const int n = static_cast<int>(order.size());
  SelectionTree tree(distances);
  for (int position = 0; position + 1 < n; ++position) {
    const int smallest = tree.Minimum();
    if (smallest != position) {
      std::swap(order[position], order[smallest]);
      std::swap(distances[position], distances[smallest]);
      tree.Refresh(smallest);
    }
    tree.Remove(position);
  }
  return order;
}

// The incremental triangulation with indexed look-ups: each point knows the
// triangles it is a vertex of (linked lists through the triangle corners),
// and the end and triangle of each border segment are kept at its start
// point, so that the segment between two points is found directly.
class Triangulator {
 public:
  explicit Triangulator(std::span<const Point> points)
      : points_(points),
        firstCorner_(points.size(), -1),
        borderEnd_(points.size(), -1),
        borderTriangle_(points.size(), -1),
        border_(static_cast<int>(points.size()) + 1) {
    triangles_.reserve(2 * points.size());
    cornerNext_.reserve(6 * points.size());
    cornerPrev_.reserve(6 * points.size());
  }

  void Start(int a, int b, int c) {
    AddTriangle(a, b, c);
    SetSegment(a, b, 0);
    SetSegment(b, c, 0);
    SetSegment(c, a, 0);
    border_.Push(a, points_[a]);
    border_.Push(b, points_[b]);
    border_.Push(c, points_[c]);
  }

  void Insert(int k) {
    flags_.clear();
    const int visibleFirst = TurnBorderToVisiblePart(k);
    AddVisibleTriangles(k, visibleFirst);
    Improve();
  }

  Triangulation Finish() {
    Triangulation result;
    for (TriangleVertices& t : triangles_) {
      if (Side(points_[t[0]], points_[t[1]], points_[t[2]]) < 0) std::swap(t[0], t[1]);
    }
    result.triangles = std::move(triangles_);
    result.border.reserve(static_cast<std::size_t>(border_.Count()));
    for (int j = 0; j < border_.Count(); ++j) {
      const int v = border_.Start(j);
      result.border.push_back({v, borderEnd_[v], borderTriangle_[v]});
    }
    return result;
  }

 private:
  void SetSegment(int start, int end, int triangle) {
    borderEnd_[start] = end;
    borderTriangle_[start] = triangle;
  }

  int AddTriangle(int a, int b, int c) {
    const int t = static_cast<int>(triangles_.size());
    triangles_.push_back({a, b, c});
    cornerNext_.resize(cornerNext_.size() + 3);
    cornerPrev_.resize(cornerPrev_.size() + 3);
    for (int s = 0; s < 3; ++s) Link(3 * t + s);
    return t;
  }

  void SetTriangle(int t, int a, int b, int c) {
    for (int s = 0; s < 3; ++s) Unlink(3 * t + s);
    triangles_[t] = {a, b, c};
    for (int s = 0; s < 3; ++s) Link(3 * t + s);
  }

  void Link(int corner) {
    const int v = triangles_[corner / 3][corner % 3];
    cornerPrev_[corner] = -1;
    cornerNext_[corner] = firstCorner_[v];
    if (firstCorner_[v] >= 0) cornerPrev_[firstCorner_[v]] = corner;
    firstCorner_[v] = corner;
  }

  void Unlink(int corner) {
    const int v = triangles_[corner / 3][corner % 3];
    const int prev = cornerPrev_[corner];
    const int next = cornerNext_[corner];
    if (prev >= 0) {
      cornerNext_[prev] = next;
    } else {
      firstCorner_[v] = next;
    }
    if (next >= 0) cornerPrev_[next] = prev;
  }

  // Finds the part of the border that point k sees and turns the border so
  // that the segment after that part comes first; returns the position of
  // the first visible segment.
  int TurnBorderToVisiblePart(int k) {
    int jmin = 0;
    int jmax = 0;
    border_.FindVisiblePart(points_[k], jmin, jmax);
    if (jmax < jmin) jmax += border_.Count();
    // Turning the border: the first jmin segments move behind the others.
    if (jmin > 0) border_.Turn(jmin);
    return jmax - jmin;
  }

  void AddVisibleTriangles(int k, int jmax) {
    const int last = border_.Count() - 1;
    const int s1 = border_.Start(0);
    for (int j = jmax; j <= last; ++j) {
      const int u = border_.Start(j);
      const int v = borderEnd_[u];
      const int t = borderTriangle_[u];
      if (j > jmax) borderEnd_[u] = -1;  // u leaves the border
      const int nt = AddTriangle(v, u, k);
      if (j == jmax) SetSegment(u, k, nt);
      if (j == last) SetSegment(k, s1, nt);
      const int w = OtherVertex(triangles_[t], u, v);
      if (ExchangeDiagonal(points_[k], points_[w], points_[u], points_[v])) {
        SetTriangle(t, w, u, k);
        SetTriangle(nt, v, w, k);
        if (j == jmax) borderTriangle_[u] = t;
        if (j == last && borderTriangle_[s1] == t) borderTriangle_[s1] = nt;
        flags_.push_back({u, w});
        flags_.push_back({w, v});
      }
    }
    border_.Truncate(jmax + 1);
    border_.Push(k, points_[k]);
  }

  // The two highest-numbered triangles that have both p and q as vertices.
  bool FindPairTriangles(int p, int q, int& t1, int& t2) const {
    t1 = -1;
    t2 = -1;
    for (int c = firstCorner_[p]; c >= 0; c = cornerNext_[c]) {
      const int t = c / 3;
      const TriangleVertices& tv = triangles_[t];
      if (tv[0] != q && tv[1] != q && tv[2] != q) continue;
      if (t == t1 || t == t2) continue;
      if (t > t1) {
        t2 = t1;
        t1 = t;
      } else if (t > t2) {
        t2 = t;
      }
    }
    return t2 >= 0;
  }

  // Every border segment whose ends are p and w2 gets t1; every one whose
  // ends are q and w1 gets t2 (in this order, per segment).
  void ReassignBorderTriangles(int p, int w2, int t1, int q, int w1, int t2) {
    const int starts[4] = {p, w2, q, w1};
    for (int i = 0; i < 4; ++i) {
      const int start = starts[i];
      bool seen = false;
      for (int k = 0; k < i; ++k) seen = seen || starts[k] == start;
      if (seen || borderEnd_[start] < 0) continue;
      const int end = borderEnd_[start];
      if ((start == p && end == w2) || (start == w2 && end == p)) borderTriangle_[start] = t1;
      if ((start == q && end == w1) || (start == w1 && end == q)) borderTriangle_[start] = t2;
    }
  }

  void Improve() {
    for (int pass = 0; pass < kMaxImprovementPasses && !flags_.empty(); ++pass) {
      nextFlags_.clear();
      for (const auto& [p, q] : flags_) {
        int t1 = 0, t2 = 0;
        if (!FindPairTriangles(p, q, t1, t2)) continue;
        const int w1 = OtherVertex(triangles_[t1], p, q);
        const int w2 = OtherVertex(triangles_[t2], p, q);
        if (!ExchangeDiagonal(points_[w1], points_[w2], points_[p], points_[q])) continue;
        SetTriangle(t1, w1, w2, p);
        SetTriangle(t2, w2, w1, q);
        nextFlags_.push_back({p, w1});
        nextFlags_.push_back({w1, q});
        nextFlags_.push_back({q, w2});
        nextFlags_.push_back({w2, p});
        ReassignBorderTriangles(p, w2, t1, q, w1, t2);
      }
      flags_.swap(nextFlags_);
    }
  }

  std::span<const Point> points_;
  std::vector<TriangleVertices> triangles_;
  KeptVector<int> cornerNext_;
  KeptVector<int> cornerPrev_;
  KeptVector<int> firstCorner_;
  KeptVector<int> borderEnd_;       // per point: end of its border segment, -1 off the border
  KeptVector<int> borderTriangle_;  // per point: triangle of its border segment
  BorderRing border_;                // start points of the border segments, in order
  std::vector<std::pair<int, int>> flags_;
  std::vector<std::pair<int, int>> nextFlags_;
};

}  // namespace

ClosestPair FindClosestPair(std::span<const Point> points) {
  const int n = static_cast<int>(points.size());
  ClosestPair best{0, 1, SquaredDistance(points[0], points[1])};
  auto take = [&](int i, int j, double e) {
    if (e < best.squaredDistance ||
        (e == best.squaredDistance && (i < best.first || (i == best.first && j < best.second)))) {
      best = {i, j, e};
    }
  };
  const BucketGrid grid(points, 2.0);
  // Every pair of points in one bucket or in neighbouring ones, each pair
  // once: the answer when no pair in buckets farther apart can be as
  // close. Equal points go to the search point by point, which stops at
  // the first point that has an equal one.
  if (grid.Columns() * grid.Rows() > 1) {
    bool equal = false;
    grid.VisitNeighbourPairs([&](int a, int b) {
      const int i = std::min(a, b), j = std::max(a, b);
      const double e = SquaredDistance(points[i], points[j]);
      if (e == 0) {
        equal = true;
        return false;
      }
      take(i, j, e);
      return true;
    });
    if (!equal && grid.FartherBucketsLowerBound() > best.squaredDistance) return best;
    best = {0, 1, SquaredDistance(points[0], points[1])};
  }
  for (int i = 0; i < n; ++i) {
    const Point pi = points[i];
    grid.Search(
        pi,
        [&](int j) {
          if (j <= i) return;
          take(i, j, SquaredDistance(pi, points[j]));
        },
        [&] { return best.squaredDistance; });
    // Equal points: no later pair can come before this one, and going on
    // would compare every copy of a repeated point with every other.
    if (best.squaredDistance == 0) break;
  }
  return best;
}

std::vector<int> InsertionOrder(std::span<const Point> points, int first, int second) {
  const Point a = points[first];
  const Point b = points[second];
  const Point middle{(a.x + b.x) * 0.5, (a.y + b.y) * 0.5};
  KeptVector<int> order;
  KeptVector<double> distances;
  order.reserve(points.size());
  distances.reserve(points.size());
  for (int p = 0; p < static_cast<int>(points.size()); ++p) {
    if (p == first || p == second) continue;
    order.push_back(p);
    distances.push_back(SquaredDistance(middle, points[p]));
  }
  const int n = static_cast<int>(order.size());
  // Selection by exchanges takes the entries in increasing distance; only
  // the order within a run of equal distances depends on the exchanges.
  // The entries sorted by distance give the runs; within a run the entry at
  // the lowest present position is taken next, and the exchange moves the
  // entry it displaces to the taken one's position.
  KeptVector<int> sorted(static_cast<std::size_t>(n));
  for (int e = 0; e < n; ++e) sorted[e] = e;
  std::sort(sorted.begin(), sorted.end(), [&](int u, int v) {
    return distances[u] < distances[v] || (distances[u] == distances[v] && u < v);
  });
  auto runEnd = [&](int i) {
    int end = i + 1;
    while (end < n && distances[sorted[end]] == distances[sorted[i]]) ++end;
    return end;
  };
  for (int i = 0; i < n; i = runEnd(i)) {
    if (runEnd(i) - i > kLongestShortRun) return SelectWithExchanges(order, std::vector<double>(distances.begin(), distances.end()));
  }

  KeptVector<int> at(static_cast<std::size_t>(n));  // entry at each position
  KeptVector<int> position(static_cast<std::size_t>(n));
  for (int e = 0; e < n; ++e) at[e] = position[e] = e;
  std::vector<int> result(static_cast<std::size_t>(n));
  int next = 0;
  for (int i = 0; i < n;) {
    for (const int run = runEnd(i); i < run; ++i) {
      // The entry of the run's remaining ones (sorted[i..run)) at the lowest position.
      int best = i;
      for (int k = i + 1; k < run; ++k) {
        if (position[sorted[k]] < position[sorted[best]]) best = k;
      }
      std::swap(sorted[i], sorted[best]);
      const int taken = sorted[i];
      const int displaced = at[next];
      at[position[taken]] = displaced;
      position[displaced] = position[taken];
      at[next] = taken;
      position[taken] = next;
      result[next++] = order[taken];
    }
  }
  return result;
}

Triangulation Triangulate(std::span<const Point> points, ErrorFacility& errors, std::span<const Point> given) {
  RoutineScope scope(errors, "SURFGRID_TRIANGULATE");
  const int n = static_cast<int>(points.size());
  if (n < 4) return {};
  if (given.empty()) given = points;

  const ClosestPair pair = FindClosestPair(points);
  if (pair.squaredDistance == 0) {
    const Point p = given[pair.first];
    const Point q = given[pair.second];
    errors.StoreInteger(1, pair.first + 1);
    errors.StoreInteger(2, pair.second + 1);
    if (p.x != q.x || p.y != q.y) {
      PostBeyondResolution(errors, "the distance of points %(I1) and %(I2) is too small to be represented");
      return {};
    }
    errors.StoreReal(1, p.x);
    errors.StoreReal(2, p.y);
    errors.StoreReal(3, q.x);
    errors.StoreReal(4, q.y);
    errors.Post(ErrorClass::Fatal, 5,
                "Two data points are equal.  XYDATA(%(I1),I) = (%(d1),%(d2)) and XYDATA(%(I2),I) = "
                "(%(d3),%(d4)).  These points must be distinct.");
    return {};
  }

  int a = pair.first;
  int b = pair.second;
  std::vector<int> order = InsertionOrder(points, a, b);

  const double tolerance = pair.squaredDistance * kCollinearRatio;
  std::size_t third = 0;
  while (third < order.size() && !(std::fabs(Side(points[a], points[b], points[order[third]])) > tolerance)) ++third;
  if (third == order.size()) {
    errors.Post(ErrorClass::Terminal, 8, "All points are collinear.");
    return {};
  }
  if (third > 0) {
    const int k = order[third];
    for (std::size_t p = third; p > 0; --p) order[p] = order[p - 1];
    order[0] = k;
  }

  const int c = order[0];
  if (Side(points[a], points[b], points[c]) < 0) std::swap(a, b);
  Triangulator triangulator(points);
  triangulator.Start(a, b, c);
  for (std::size_t p = 1; p < order.size(); ++p) triangulator.Insert(order[p]);
  return triangulator.Finish();
}

}  // namespace meshinterp
