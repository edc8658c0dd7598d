#include "Reference.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <utility>

#include "DataRange.h"
#include "SurfaceEvaluation.h"

namespace meshinterp::reference {
namespace {

// Householder QR with column pivoting on the problem as given, every
// reflection applied column by column.
double PlainColumnNorm(const LeastSquaresProblem& p, int n, int column, int from) {
  double sum = 0;
  for (int i = from; i < n; ++i) sum += p.matrix[i][column] * p.matrix[i][column];
  if (sum > 1e-280 && sum < 1e280) return std::sqrt(sum);
  double scale = 0;
  for (int i = from; i < n; ++i) scale = std::max(scale, std::fabs(p.matrix[i][column]));
  if (scale == 0) return 0;
  sum = 0;
  for (int i = from; i < n; ++i) {
    const double r = p.matrix[i][column] / scale;
    sum += r * r;
  }
  return scale * std::sqrt(sum);
}

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


LeastSquaresSolution SolveLeastSquares(LeastSquaresProblem p, double tolerance) {
  const int n = p.rows;
  const int m = p.columns;
  if (n < 1 || m < 1 || n > kMaxRows || m > kMaxColumns) return {};
  LeastSquaresSolution solution;
  std::array<double, kMaxColumns> norms{};
  std::array<double, kMaxColumns> initialNorms{};
  std::array<int, kMaxColumns> permutation{};
  for (int j = 0; j < m; ++j) {
    norms[j] = PlainColumnNorm(p, n, j, 0);
    initialNorms[j] = norms[j];
    permutation[j] = j;
  }
  const int steps = std::min(n, m);
  for (int l = 0; l < steps; ++l) {
    int pivot = l;
    for (int j = l + 1; j < m; ++j) {
      if (norms[j] > norms[pivot]) pivot = j;
    }
    if (pivot != l) {
      for (int i = 0; i < n; ++i) std::swap(p.matrix[i][l], p.matrix[i][pivot]);
      std::swap(norms[l], norms[pivot]);
      std::swap(initialNorms[l], initialNorms[pivot]);
      std::swap(permutation[l], permutation[pivot]);
    }
    const double columnNorm = PlainColumnNorm(p, n, l, l);
    if (columnNorm >= DBL_MIN) {
      const double x0 = p.matrix[l][l];
      const double alpha = x0 >= 0 ? -columnNorm : columnNorm;
      std::array<double, kMaxRows> v{};
      v[l] = x0 - alpha;
      for (int i = l + 1; i < n; ++i) v[i] = p.matrix[i][l];
      auto reflect = [&](auto&& element) {
        double s = 0;
        for (int i = l; i < n; ++i) s += v[i] * element(i);
        const double factor = s / alpha / v[l];
        for (int i = l; i < n; ++i) element(i) += factor * v[i];
      };
      for (int j = l + 1; j < m; ++j) reflect([&](int i) -> double& { return p.matrix[i][j]; });
      reflect([&](int i) -> double& { return p.rhs[i]; });
      p.matrix[l][l] = alpha;
      for (int i = l + 1; i < n; ++i) p.matrix[i][l] = 0;
    }
    for (int j = l + 1; j < m; ++j) {
      if (norms[j] == 0) continue;
      const double ratio = std::fabs(p.matrix[l][j]) / norms[j];
      double t = 1 - ratio * ratio;
      if (t < 0) t = 0;
      const double relative = norms[j] / initialNorms[j];
      if (1 + 0.05 * t * (relative * relative) == 1) {
        norms[j] = PlainColumnNorm(p, n, j, l + 1);
        initialNorms[j] = norms[j];
      } else {
        norms[j] = norms[j] * std::sqrt(t);
      }
    }
  }
  int rank = 0;
  const double limit = tolerance * std::fabs(p.matrix[0][0]);
  while (rank < steps && std::fabs(p.matrix[rank][rank]) > limit) ++rank;
  std::array<double, kMaxColumns> c{};
  for (int i = rank - 1; i >= 0; --i) {
    double s = p.rhs[i];
    for (int j = i + 1; j < rank; ++j) s -= p.matrix[i][j] * c[j];
    c[i] = s / p.matrix[i][i];
  }
  solution.ok = true;
  solution.rank = rank;
  for (int i = 0; i < rank; ++i) solution.values[permutation[i]] = c[i];
  return solution;
}

PartialDerivatives FitDerivatives(std::span<const Point> points, std::span<const double> values, int point,
                                  const Neighbourhood& neighbourhood, double largestSquaredDistance) {
  const Point pk = points[point];
  const double fk = values[point];
  const double r = std::sqrt(neighbourhood.radiusSquared);
  const double d = std::sqrt(largestSquaredDistance);
  LeastSquaresProblem problem;
  double s1 = 0;
  double s2 = 0;
  for (int j : neighbourhood.rows) {
    const Point pj = points[j];
    const double dx = pj.x - pk.x;
    const double dy = pj.y - pk.y;
    const double t = r / std::sqrt(SquaredDistance(pk, pj));
    auto& row = problem.matrix[problem.rows];
    row = FitRow(t, dx, dy);
    problem.rhs[problem.rows] = t * (values[j] - fk);
    s1 = std::max(s1, std::fabs(row[0]));
    s2 = std::max(s2, std::fabs(row[1]));
    ++problem.rows;
  }
  problem.columns = problem.rows >= 5 ? 5 : 2;
  for (int i = 0; i < problem.rows; ++i) {
    if (s1 > 1) problem.matrix[i][0] *= s1;
    if (s2 > 1) problem.matrix[i][1] *= s2;
  }
  LeastSquaresSolution solution = reference::SolveLeastSquares(problem, 100 * DBL_EPSILON * d / r);
  if (s1 > 1) solution.values[0] *= s1;
  if (s2 > 1) solution.values[1] *= s2;
  const int used = solution.ok ? problem.columns : 0;
  PartialDerivatives result;
  double* fields[5] = {&result.zx, &result.zy, &result.zxx, &result.zxy, &result.zyy};
  for (int i = 0; i < used; ++i) *fields[i] = solution.values[i];
  return result;
}

std::vector<PartialDerivatives> EstimateDerivatives(std::span<const Point> points, std::span<const double> values) {
  const double largest = reference::LargestSquaredDistance(points);
  std::vector<PartialDerivatives> result;
  for (int k = 0; k < static_cast<int>(points.size()); ++k) {
    result.push_back(
        reference::FitDerivatives(points, values, k, reference::FindNeighbourhood(points, k, largest), largest));
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
