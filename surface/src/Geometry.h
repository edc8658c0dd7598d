// Points and the elementary geometric expressions shared by every step. The
// expressions are evaluated exactly as written, in plain double arithmetic,
// so that every implementation of a step sees the same rounded values.
#pragma once

#include <array>
#include <span>

namespace meshinterp {

struct Point {
  double x = 0;
  double y = 0;
};

// (yQ - yP)^2 + (xQ - xP)^2; the same bits for (P, Q) and (Q, P).
inline double SquaredDistance(const Point& p, const Point& q) {
  const double dy = q.y - p.y;
  const double dx = q.x - p.x;
  return dy * dy + dx * dx;
}

// (y3 - y1)(x2 - x1) - (x3 - x1)(y2 - y1): positive when p3 lies to the left
// of the line from p1 to p2.
inline double Side(const Point& p1, const Point& p2, const Point& p3) {
  return (p3.y - p1.y) * (p2.x - p1.x) - (p3.x - p1.x) * (p2.y - p1.y);
}

// The smallest box holding the points (of at least one point).
struct Extent {
  double xmin, xmax, ymin, ymax;
};
inline Extent ExtentOf(std::span<const Point> points) {
  Extent e{points[0].x, points[0].x, points[0].y, points[0].y};
  for (const Point& p : points) {
    e.xmin = p.x < e.xmin ? p.x : e.xmin;
    e.xmax = p.x > e.xmax ? p.x : e.xmax;
    e.ymin = p.y < e.ymin ? p.y : e.ymin;
    e.ymax = p.y > e.ymax ? p.y : e.ymax;
  }
  return e;
}

// Ratio that decides near-collinearity in the triangulation.
inline constexpr double kCollinearRatio = 1e-6;
// Margin by which a diagonal exchange must improve the smallest angle.
inline constexpr double kExchangeMargin = 100 * 2.220446049250313e-16;

// Whether, in the quadrilateral p1, p3, p2, p4 with the diagonal p3-p4, the
// diagonal p1-p2 is the better one under the max-min angle rule.
bool ExchangeDiagonal(const Point& p1, const Point& p2, const Point& p3, const Point& p4);

using TriangleVertices = std::array<int, 3>;

// The first vertex of the triangle (in stored order) that is neither u nor v;
// the last vertex when every vertex is u or v.
inline int OtherVertex(const TriangleVertices& triangle, int u, int v) {
  for (int vertex : triangle) {
    if (vertex != u && vertex != v) return vertex;
  }
  return triangle[2];
}

}  // namespace meshinterp
