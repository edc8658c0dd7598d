#include "Geometry.h"

#include <algorithm>

namespace meshinterp {
namespace {

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

double SquaredLength(double x, double y) { return x * x + y * y; }

}  // namespace

bool ExchangeDiagonal(const Point& p1, const Point& p2, const Point& p3, const Point& p4) {
  const double u3 = Cross(p1.x - p3.x, p1.y - p3.y, p2.x - p3.x, p2.y - p3.y);
  const double u4 = Cross(p2.x - p4.x, p2.y - p4.y, p1.x - p4.x, p1.y - p4.y);
  if (u3 * u4 <= 0) return false;
  const double u1 = Cross(p4.x - p1.x, p4.y - p1.y, p3.x - p1.x, p3.y - p1.y);
  const double u2 = Cross(p3.x - p2.x, p3.y - p2.y, p4.x - p2.x, p4.y - p2.y);
  const double a1 = SquaredLength(p1.x - p3.x, p1.y - p3.y);
  const double b1 = SquaredLength(p4.x - p1.x, p4.y - p1.y);
  const double c1 = SquaredLength(p3.x - p4.x, p3.y - p4.y);
  const double a2 = SquaredLength(p2.x - p4.x, p2.y - p4.y);
  const double b2 = SquaredLength(p3.x - p2.x, p3.y - p2.y);
  const double c3 = SquaredLength(p2.x - p1.x, p2.y - p1.y);
  const double s1 = u1 * u1 / (c1 * std::max(a1, b1));
  const double s2 = u2 * u2 / (c1 * std::max(a2, b2));
  const double s3 = u3 * u3 / (c3 * std::max(b2, a1));
  const double s4 = u4 * u4 / (c3 * std::max(b1, a2));
  return std::min(s3, s4) - std::min(s1, s2) > kExchangeMargin;
}

}  // namespace meshinterp
