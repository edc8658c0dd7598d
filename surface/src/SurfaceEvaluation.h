// The surface on each region: a quintic per triangle, a polynomial per
// strip beyond a border segment and the quadratic Taylor polynomial of the
// border vertex in each wedge.
#pragma once

#include <array>
#include <span>

#include "Derivatives.h"
#include "Geometry.h"
#include "Regions.h"
#include "Triangulation.h"

namespace meshinterp {

// Coefficients of one region's polynomial in its local coordinates.
struct RegionPolynomial {
  enum class Kind { Triangle, Strip, Wedge } kind = Kind::Wedge;
  Point origin;                      // P1 (triangle, strip) or the vertex (wedge)
  double a = 0, b = 0, c = 0, d = 0;  // local coordinate transform
  double delta = 1;
  std::array<std::array<double, 6>, 6> p{};  // p[i][j] multiplies u^i v^j
  PartialDerivatives vertex;          // wedge: value in zx..zyy of the vertex
  double vertexValue = 0;
};

RegionPolynomial BuildRegionPolynomial(std::span<const Point> points, std::span<const double> values,
                                       std::span<const PartialDerivatives> derivatives,
                                       const Triangulation& triangulation, int region);

double EvaluateRegionPolynomial(const RegionPolynomial& polynomial, const Point& node);

// Writes the value of every claimed node into sur[i + j * ldsur]; nodes that
// no region claimed keep what sur held.
void EvaluateSurface(std::span<const Point> points, std::span<const double> values,
                     std::span<const PartialDerivatives> derivatives, const Triangulation& triangulation,
                     const NodeAssignment& assignment, std::span<const double> xout,
                     std::span<const double> yout, double* sur, long long ldsur);

// Writes the value of each claimed node into surface[node]; the claims are
// grouped by region, and each group's polynomial is built once.
void EvaluateClaims(std::span<const Point> points, std::span<const double> values,
                    std::span<const PartialDerivatives> derivatives, const Triangulation& triangulation,
                    std::span<const Claim> claims, std::span<const double> xout, std::span<const double> yout,
                    double* surface);

}  // namespace meshinterp
