#include "Reference.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "DataRange.h"
#include "SurfaceEvaluation.h"

namespace meshinterp::reference {
namespace {

bool HasVertex(const TriangleVertices& t, int p) { return t[0] == p || t[1] == p || t[2] == p; }

bool Joins(const BorderSegment& s, int p, int q) {
  return (s.start == p && s.end == q) || (s.start == q && s.end == p);
}

}  // namespace

ClosestPair FindClosestPair(std::span<const Point> points) {
  const int n = static_cast<int>(points.size());
  ClosestPair best{0, 1, SquaredDistance(points[0], points[1])};
  for (int i = 0; i + 1 < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      const double e = SquaredDistance(points[i], points[j]);
      if (e == 0) return {i, j, 0};
      if (e < best.squaredDistance) best = {i, j, e};
    }
  }
  return best;
}

std::vector<int> InsertionOrder(std::span<const Point> points, int first, int second) {
  const Point middle{(points[first].x + points[second].x) * 0.5, (points[first].y + points[second].y) * 0.5};
  std::vector<int> order;
  std::vector<double> distance;
  for (int p = 0; p < static_cast<int>(points.size()); ++p) {
    if (p == first || p == second) continue;
    order.push_back(p);
    distance.push_back(SquaredDistance(middle, points[p]));
  }
  const int n = static_cast<int>(order.size());
  for (int p = 0; p + 1 < n; ++p) {
    int smallest = p;
    for (int q = p + 1; q < n; ++q) {
      if (distance[q] < distance[smallest]) smallest = q;
    }
    std::swap(order[p], order[smallest]);
    std::swap(distance[p], distance[smallest]);
  }
  return order;
}

void FindVisiblePart(std::span<const Point> border, const Point& pk, int& jmin, int& jmax) {
  jmin = 0;
  jmax = 0;
  double dxn = border[0].x - pk.x, dyn = border[0].y - pk.y;
  double dxx = dxn, dyx = dyn;
  double qn = dxn * dxn + dyn * dyn, qx = qn;
  double an = qn * kCollinearRatio, ax = an;
  for (int j = 1; j < static_cast<int>(border.size()); ++j) {
    const double dx = border[j].x - pk.x;
    const double dy = border[j].y - pk.y;
    const double q = dx * dx + dy * dy;
    double t = dy * dxn - dx * dyn;
    if (t <= an && (t < -an || q < qn)) {
      jmin = j, dxn = dx, dyn = dy, qn = q, an = q * kCollinearRatio;
    }
    t = dy * dxx - dx * dyx;
    if (t >= -ax && (t > ax || q < qx)) {
      jmax = j, dxx = dx, dyx = dy, qx = q, ax = q * kCollinearRatio;
    }
  }
}

Triangulation Triangulate(std::span<const Point> points, ErrorFacility& errors) {
  RoutineScope scope(errors, "SURFGRID_TRIANGULATE");
  const int n = static_cast<int>(points.size());
  if (n < 4) return {};
  const ClosestPair pair = reference::FindClosestPair(points);
  if (pair.squaredDistance == 0) {
    errors.StoreInteger(1, pair.first + 1);
    errors.StoreInteger(2, pair.second + 1);
    errors.StoreReal(1, points[pair.first].x);
    errors.StoreReal(2, points[pair.first].y);
    errors.StoreReal(3, points[pair.second].x);
    errors.StoreReal(4, points[pair.second].y);
    errors.Post(ErrorClass::Fatal, 5,
                "Two data points are equal.  XYDATA(%(I1),I) = (%(d1),%(d2)) and XYDATA(%(I2),I) = "
                "(%(d3),%(d4)).  These points must be distinct.");
    return {};
  }
  int a = pair.first;
  int b = pair.second;
  std::vector<int> order = reference::InsertionOrder(points, a, b);
  const double limit = pair.squaredDistance * kCollinearRatio;
  int third = -1;
  for (int p = 0; p < static_cast<int>(order.size()); ++p) {
    const Point& k = points[order[p]];
    const Point& pa = points[a];
    const Point& pb = points[b];
    if (std::fabs((k.y - pa.y) * (pb.x - pa.x) - (k.x - pa.x) * (pb.y - pa.y)) > limit) {
      third = p;
      break;
    }
  }
  if (third < 0) {
    errors.Post(ErrorClass::Terminal, 8, "All points are collinear.");
    return {};
  }
  std::rotate(order.begin(), order.begin() + third, order.begin() + third + 1);
  const int c = order[0];
  if (Side(points[a], points[b], points[c]) < 0) std::swap(a, b);

  std::vector<TriangleVertices> tri{{a, b, c}};
  std::vector<BorderSegment> border{{a, b, 0}, {b, c, 0}, {c, a, 0}};
  for (std::size_t position = 1; position < order.size(); ++position) {
    const int k = order[position];
    const Point pk = points[k];
    const int nl = static_cast<int>(border.size());

    std::vector<Point> starts;
    for (const BorderSegment& segment : border) starts.push_back(points[segment.start]);
    int jmin = 0, jmax = 0;
    reference::FindVisiblePart(starts, pk, jmin, jmax);
    if (jmax < jmin) jmax += nl;
    std::rotate(border.begin(), border.begin() + jmin, border.end());
    jmax -= jmin;

    const int s1 = border[0].start;
    std::vector<std::pair<int, int>> flags;
    for (int j = jmax; j < nl; ++j) {
      const int u = border[j].start, v = border[j].end, t = border[j].triangle;
      tri.push_back({v, u, k});
      const int nt = static_cast<int>(tri.size()) - 1;
      if (j == jmax) border[j] = {u, k, nt};
      if (j == nl - 1) {
        if (jmax + 1 < nl) {
          border[jmax + 1] = {k, s1, nt};
        } else {
          border.push_back({k, s1, nt});
        }
      }
      const int w = OtherVertex(tri[t], u, v);
      if (ExchangeDiagonal(pk, points[w], points[u], points[v])) {
        tri[t] = {w, u, k};
        tri[nt][1] = w;
        if (j == jmax) border[j].triangle = t;
        if (j == nl - 1 && border[0].triangle == t) border[0].triangle = nt;
        flags.push_back({u, w});
        flags.push_back({w, v});
      }
    }
    border.resize(jmax + 2);

    for (int pass = 0; pass < 100 && !flags.empty(); ++pass) {
      std::vector<std::pair<int, int>> appended;
      for (const auto& [p, q] : flags) {
        int t1 = -1, t2 = -1;
        for (int t = static_cast<int>(tri.size()) - 1; t >= 0; --t) {
          if (!HasVertex(tri[t], p) || !HasVertex(tri[t], q)) continue;
          if (t1 < 0) {
            t1 = t;
          } else {
            t2 = t;
            break;
          }
        }
        if (t2 < 0) continue;
        const int w1 = OtherVertex(tri[t1], p, q);
        const int w2 = OtherVertex(tri[t2], p, q);
        if (!ExchangeDiagonal(points[w1], points[w2], points[p], points[q])) continue;
        tri[t1] = {w1, w2, p};
        tri[t2] = {w2, w1, q};
        appended.insert(appended.end(), {{p, w1}, {w1, q}, {q, w2}, {w2, p}});
        for (BorderSegment& s : border) {
          if (Joins(s, p, w2)) s.triangle = t1;
          if (Joins(s, q, w1)) s.triangle = t2;
        }
      }
      flags = std::move(appended);
    }
  }
  for (TriangleVertices& t : tri) {
    if (Side(points[t[0]], points[t[1]], points[t[2]]) < 0) std::swap(t[0], t[1]);
  }
  return {tri, border};
}

double LargestSquaredDistance(std::span<const Point> points) {
  double largest = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    for (std::size_t j = i + 1; j < points.size(); ++j) {
      const double e = SquaredDistance(points[i], points[j]);
      if (e > largest) largest = e;
    }
  }
  return largest;
}

Neighbourhood FindNeighbourhood(std::span<const Point> points, int k, double largestSquaredDistance) {
  double list[12];
  std::fill(std::begin(list), std::end(list), largestSquaredDistance);
  for (int j = 0; j < static_cast<int>(points.size()); ++j) {
    if (j == k) continue;
    const double e = SquaredDistance(points[k], points[j]);
    if (e < list[11]) {
      list[11] = e;
      for (int p = 0; p < 12; ++p) {
        if (list[p] > list[11]) std::swap(list[p], list[11]);
      }
    }
  }
  Neighbourhood result;
  result.radiusSquared = list[11];
  for (int j = 0; j < static_cast<int>(points.size()) && result.rows.size() < 12; ++j) {
    if (j != k && SquaredDistance(points[k], points[j]) <= result.radiusSquared) result.rows.push_back(j);
  }
  return result;
}

std::vector<PartialDerivatives> EstimateDerivatives(std::span<const Point> points, std::span<const double> values) {
  const double largest = reference::LargestSquaredDistance(points);
  std::vector<PartialDerivatives> result;
  for (int k = 0; k < static_cast<int>(points.size()); ++k) {
    result.push_back(FitDerivatives(points, values, k, reference::FindNeighbourhood(points, k, largest), largest));
  }
  return result;
}

NodeAssignment AssignNodes(std::span<const Point> points, const Triangulation& triangulation,
                           std::span<const double> xout, std::span<const double> yout) {
  const int nx = static_cast<int>(xout.size());
  const int ny = static_cast<int>(yout.size());
  NodeAssignment result;
  result.region.assign(static_cast<std::size_t>(nx) * ny, NodeAssignment::kUnclaimed);
  result.onBoundary.assign(static_cast<std::size_t>(nx) * ny, 0);
  const RegionBox grid{std::min(xout[0], xout[nx - 1]), std::max(xout[0], xout[nx - 1]),
                       std::min(yout[0], yout[ny - 1]), std::max(yout[0], yout[ny - 1])};
  const int regions = static_cast<int>(triangulation.triangles.size() + 2 * triangulation.border.size());
  for (int region = 0; region < regions; ++region) {
    const RegionBox box = BoxOfRegion(points, triangulation, region, grid);
    for (int j = 0; j < ny; ++j) {
      if (yout[j] < box.ymin || yout[j] > box.ymax) continue;
      for (int i = 0; i < nx; ++i) {
        if (xout[i] < box.xmin || xout[i] > box.xmax) continue;
        const std::size_t node = static_cast<std::size_t>(j) * nx + i;
        if (result.region[node] != NodeAssignment::kUnclaimed) continue;
        const Membership m = TestRegion(points, triangulation, region, {xout[i], yout[j]});
        if (m == Membership::Outside) continue;
        result.region[node] = region;
        result.onBoundary[node] = m == Membership::Boundary;
      }
    }
  }
  return result;
}

std::optional<std::vector<double>> Grid(std::span<const Point> givenPoints, std::span<const double> givenValues,
                                        std::span<const double> givenXout, std::span<const double> givenYout,
                                        double unclaimed) {
  // The same exact rescaling by powers of two as the gridding routine, so
  // that the plain steps see the same numbers as the indexed ones.
  std::vector<double> x, y;
  for (const Point& p : givenPoints) x.push_back(p.x), y.push_back(p.y);
  const DataScaling scaling = ChooseScaling(x, y, givenValues);
  auto scale = [](std::span<const double> from, int exponent) {
    std::vector<double> to;
    for (double v : from) to.push_back(std::ldexp(v, exponent));
    return to;
  };
  const std::vector<double> values = scale(givenValues, -scaling.valueExponent);
  const std::vector<double> xout = scale(givenXout, -scaling.coordinateExponent);
  const std::vector<double> yout = scale(givenYout, -scaling.coordinateExponent);
  std::vector<Point> points;
  for (const Point& p : givenPoints) {
    points.push_back({std::ldexp(p.x, -scaling.coordinateExponent), std::ldexp(p.y, -scaling.coordinateExponent)});
  }

  ErrorFacility errors([](std::string_view) {});
  errors.Register("REFERENCE");
  const Triangulation triangulation = reference::Triangulate(points, errors);
  errors.Deregister("REFERENCE");
  if (triangulation.triangles.empty()) return std::nullopt;
  const NodeAssignment assignment = reference::AssignNodes(points, triangulation, xout, yout);
  const std::vector<PartialDerivatives> derivatives = reference::EstimateDerivatives(points, values);
  std::vector<double> sur(xout.size() * yout.size(), unclaimed);
  EvaluateSurface(points, values, derivatives, triangulation, assignment, xout, yout, sur.data(),
                  static_cast<long long>(xout.size()));
  for (std::size_t node = 0; node < sur.size(); ++node) {
    if (assignment.region[node] != NodeAssignment::kUnclaimed) sur[node] = std::ldexp(sur[node], scaling.valueExponent);
  }
  return sur;
}

}  // namespace meshinterp::reference
