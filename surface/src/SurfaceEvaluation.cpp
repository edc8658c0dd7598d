#include "SurfaceEvaluation.h"

#include <cmath>
#include <vector>

namespace meshinterp {
namespace {

// Value and derivatives with respect to the local coordinates u, v of the
// transform x - x1 = a u + b v, y - y1 = c u + d v.
struct LocalDerivatives {
  double z, zu, zv, zuu, zuv, zvv;
};

LocalDerivatives ToLocal(double z, const PartialDerivatives& g, double a, double b, double c, double d) {
  LocalDerivatives l;
  l.z = z;
  l.zu = a * g.zx + c * g.zy;
  l.zv = b * g.zx + d * g.zy;
  l.zuu = a * a * g.zxx + 2 * a * c * g.zxy + c * c * g.zyy;
  l.zuv = a * b * g.zxx + (a * d + b * c) * g.zxy + c * d * g.zyy;
  l.zvv = b * b * g.zxx + 2 * b * d * g.zxy + d * d * g.zyy;
  return l;
}

void TriangleCoefficients(RegionPolynomial& r, const LocalDerivatives& v1, const LocalDerivatives& v2,
                          const LocalDerivatives& v3) {
  auto& p = r.p;
  const double a = r.a, b = r.b, c = r.c, d = r.d;
  p[0][0] = v1.z;
  p[1][0] = v1.zu;
  p[0][1] = v1.zv;
  p[2][0] = v1.zuu / 2;
  p[1][1] = v1.zuv;
  p[0][2] = v1.zvv / 2;

  double h1 = v2.z - p[0][0] - p[1][0] - p[2][0];
  double h2 = v2.zu - p[1][0] - v1.zuu;
  double h3 = v2.zuu - v1.zuu;
  p[3][0] = 10 * h1 - 4 * h2 + h3 / 2;
  p[4][0] = -15 * h1 + 7 * h2 - h3;
  p[5][0] = 6 * h1 - 3 * h2 + h3 / 2;

  h1 = v3.z - p[0][0] - p[0][1] - p[0][2];
  h2 = v3.zv - p[0][1] - v1.zvv;
  h3 = v3.zvv - v1.zvv;
  p[0][3] = 10 * h1 - 4 * h2 + h3 / 2;
  p[0][4] = -15 * h1 + 7 * h2 - h3;
  p[0][5] = 6 * h1 - 3 * h2 + h3 / 2;

  const double lu = std::sqrt(a * a + c * c);
  const double lv = std::sqrt(b * b + d * d);
  const double thetaXU = std::atan2(c, a);
  const double thetaUV = std::atan2(d, b) - thetaXU;
  p[4][1] = 5 * lv * std::cos(thetaUV) / lu * p[5][0];
  p[1][4] = 5 * lu * std::cos(thetaUV) / lv * p[0][5];

  h1 = v2.zv - p[0][1] - p[1][1] - p[4][1];
  h2 = v2.zuv - p[1][1] - 4 * p[4][1];
  p[2][1] = 3 * h1 - h2;
  p[3][1] = -2 * h1 + h2;

  h1 = v3.zu - p[1][0] - p[1][1] - p[1][4];
  h2 = v3.zuv - p[1][1] - 4 * p[1][4];
  p[1][2] = 3 * h1 - h2;
  p[1][3] = -2 * h1 + h2;

  const double thetaUS = std::atan2(d - c, b - a) - thetaXU;
  const double thetaSV = thetaUV - thetaUS;
  const double k1 = std::sin(thetaSV) / lu;
  const double k2 = -std::cos(thetaSV) / lu;
  const double k3 = std::sin(thetaUS) / lv;
  const double k4 = std::cos(thetaUS) / lv;
  const double g1 = k1 * (k1 * k3) * (3 * k2 * k3 + 2 * k1 * k4);
  const double g2 = k3 * (k1 * k3) * (3 * k1 * k4 + 2 * k2 * k3);
  h1 = -(k1 * k1 * k1) * (5 * k1 * k2 * p[5][0] + (4 * k2 * k3 + k1 * k4) * p[4][1]) -
       (k3 * k3 * k3) * (5 * k3 * k4 * p[0][5] + (4 * k1 * k4 + k2 * k3) * p[1][4]);
  h2 = v2.zvv / 2 - p[0][2] - p[1][2];
  h3 = v3.zuu / 2 - p[2][0] - p[2][1];
  p[2][2] = (g1 * h2 + g2 * h3 - h1) / (g1 + g2);
  p[3][2] = h2 - p[2][2];
  p[2][3] = h3 - p[2][2];
}

void StripCoefficients(RegionPolynomial& r, const LocalDerivatives& v1, const LocalDerivatives& v2) {
  auto& p = r.p;
  p[0][0] = v1.z;
  p[1][0] = v1.zu;
  p[0][1] = v1.zv;
  p[2][0] = v1.zuu / 2;
  p[1][1] = v1.zuv;
  p[0][2] = v1.zvv / 2;
  double h1 = v2.z - p[0][0] - p[0][1] - p[0][2];
  double h2 = v2.zv - p[0][1] - v1.zvv;
  double h3 = v2.zvv - v1.zvv;
  p[0][3] = 10 * h1 - 4 * h2 + h3 / 2;
  p[0][4] = -15 * h1 + 7 * h2 - h3;
  p[0][5] = 6 * h1 - 3 * h2 + h3 / 2;
  h1 = v2.zu - p[1][0] - p[1][1];
  h2 = v2.zuv - p[1][1];
  p[1][2] = 3 * h1 - h2;
  p[1][3] = -2 * h1 + h2;
  p[2][1] = 0;
  p[2][3] = v1.zuu - v2.zuu;
  p[2][2] = -1.5 * p[2][3];
}

}  // namespace

RegionPolynomial BuildRegionPolynomial(std::span<const Point> points, std::span<const double> values,
                                       std::span<const PartialDerivatives> derivatives,
                                       const Triangulation& triangulation, int region) {
  RegionPolynomial r;
  const int triangleCount = static_cast<int>(triangulation.triangles.size());
  if (region < triangleCount) {
    const TriangleVertices& t = triangulation.triangles[region];
    const Point& p1 = points[t[0]];
    const Point& p2 = points[t[1]];
    const Point& p3 = points[t[2]];
    r.kind = RegionPolynomial::Kind::Triangle;
    r.origin = p1;
    r.a = p2.x - p1.x;
    r.b = p3.x - p1.x;
    r.c = p2.y - p1.y;
    r.d = p3.y - p1.y;
    r.delta = r.a * r.d - r.b * r.c;
    TriangleCoefficients(r, ToLocal(values[t[0]], derivatives[t[0]], r.a, r.b, r.c, r.d),
                         ToLocal(values[t[1]], derivatives[t[1]], r.a, r.b, r.c, r.d),
                         ToLocal(values[t[2]], derivatives[t[2]], r.a, r.b, r.c, r.d));
    return r;
  }
  const int segment = (region - triangleCount) / 2;
  const BorderSegment& s = triangulation.border[segment];
  if ((region - triangleCount) % 2 == 0) {
    const Point& p1 = points[s.start];
    const Point& p2 = points[s.end];
    r.kind = RegionPolynomial::Kind::Strip;
    r.origin = p1;
    r.a = p2.y - p1.y;
    r.b = p2.x - p1.x;
    r.c = -r.b;
    r.d = r.a;
    r.delta = r.a * r.d - r.b * r.c;
    StripCoefficients(r, ToLocal(values[s.start], derivatives[s.start], r.a, r.b, r.c, r.d),
                      ToLocal(values[s.end], derivatives[s.end], r.a, r.b, r.c, r.d));
    return r;
  }
  r.kind = RegionPolynomial::Kind::Wedge;
  r.origin = points[s.end];
  r.vertexValue = values[s.end];
  r.vertex = derivatives[s.end];
  return r;
}

double EvaluateRegionPolynomial(const RegionPolynomial& r, const Point& node) {
  const double dx = node.x - r.origin.x;
  const double dy = node.y - r.origin.y;
  const auto& p = r.p;
  switch (r.kind) {
    case RegionPolynomial::Kind::Triangle: {
      const double u = (r.d * dx - r.b * dy) / r.delta;
      const double v = (-r.c * dx + r.a * dy) / r.delta;
      const double q0 = p[0][0] + v * (p[0][1] + v * (p[0][2] + v * (p[0][3] + v * (p[0][4] + v * p[0][5]))));
      const double q1 = p[1][0] + v * (p[1][1] + v * (p[1][2] + v * (p[1][3] + v * p[1][4])));
      const double q2 = p[2][0] + v * (p[2][1] + v * (p[2][2] + v * p[2][3]));
      const double q3 = p[3][0] + v * (p[3][1] + v * p[3][2]);
      const double q4 = p[4][0] + v * p[4][1];
      const double q5 = p[5][0];
      return q0 + u * (q1 + u * (q2 + u * (q3 + u * (q4 + u * q5))));
    }
    case RegionPolynomial::Kind::Strip: {
      const double u = (r.a * dx - r.b * dy) / r.delta;
      const double v = (r.b * dx + r.a * dy) / r.delta;
      const double q0 = p[0][0] + v * (p[0][1] + v * (p[0][2] + v * (p[0][3] + v * (p[0][4] + v * p[0][5]))));
      const double q1 = p[1][0] + v * (p[1][1] + v * (p[1][2] + v * p[1][3]));
      const double q2 = p[2][0] + v * (p[2][1] + v * (p[2][2] + v * p[2][3]));
      return q0 + u * (q1 + u * q2);
    }
    case RegionPolynomial::Kind::Wedge: {
      const PartialDerivatives& g = r.vertex;
      return r.vertexValue + dy * (g.zy + dy * g.zyy / 2) + dx * (g.zx + dy * g.zxy + dx * g.zxx / 2);
    }
  }
  return 0;
}

void EvaluateSurface(std::span<const Point> points, std::span<const double> values,
                     std::span<const PartialDerivatives> derivatives, const Triangulation& triangulation,
                     const NodeAssignment& assignment, std::span<const double> xout,
                     std::span<const double> yout, double* sur, long long ldsur) {
  // Node numbers and counts may exceed the range of int on large grids.
  const std::size_t columns = xout.size();
  const int regionCount = static_cast<int>(triangulation.triangles.size() + 2 * triangulation.border.size());
  // Nodes grouped by region, so that each region's coefficients are built once.
  std::vector<std::size_t> start(static_cast<std::size_t>(regionCount) + 1, 0);
  for (int region : assignment.region) {
    if (region != NodeAssignment::kUnclaimed) ++start[region + 1];
  }
  for (int r = 0; r < regionCount; ++r) start[r + 1] += start[r];
  std::vector<std::size_t> byRegion(start[regionCount]);
  std::vector<std::size_t> fill(start.begin(), start.end() - 1);
  for (std::size_t node = 0; node < assignment.region.size(); ++node) {
    const int region = assignment.region[node];
    if (region != NodeAssignment::kUnclaimed) byRegion[fill[region]++] = node;
  }
  for (int region = 0; region < regionCount; ++region) {
    if (start[region] == start[region + 1]) continue;
    const RegionPolynomial polynomial = BuildRegionPolynomial(points, values, derivatives, triangulation, region);
    for (std::size_t k = start[region]; k < start[region + 1]; ++k) {
      const std::size_t node = byRegion[k];
      const std::size_t i = node % columns;
      const std::size_t j = node / columns;
      sur[static_cast<long long>(j) * ldsur + static_cast<long long>(i)] =
          EvaluateRegionPolynomial(polynomial, {xout[i], yout[j]});
    }
  }
}

void EvaluateClaims(std::span<const Point> points, std::span<const double> values,
                    std::span<const PartialDerivatives> derivatives, const Triangulation& triangulation,
                    std::span<const Claim> claims, std::span<const double> xout, std::span<const double> yout,
                    double* surface) {
  const std::size_t columns = xout.size();
  RegionPolynomial polynomial;
  int built = -1;
  for (const Claim& claim : claims) {
    if (claim.region != built) {
      polynomial = BuildRegionPolynomial(points, values, derivatives, triangulation, claim.region);
      built = claim.region;
    }
    surface[claim.node] = EvaluateRegionPolynomial(polynomial, {xout[claim.node % columns], yout[claim.node / columns]});
  }
}

}  // namespace meshinterp
