// The numeric range of a request: exact rescaling of coordinates and values
// by powers of two into the range where the method's products of up to four
// differences neither overflow nor underflow, and the report for data that
// no rescaling brings within what the method can resolve.
#pragma once

#include <span>
#include <string_view>

#include "ErrorFacility.h"
#include "Geometry.h"

namespace meshinterp {

// Binary exponents by which coordinates and values are divided before the
// computation (the surface is multiplied back by 2^valueExponent). Both are
// 0 for data within the ordinary range, whose results therefore stay as
// they are; a power of two changes no rounding of the steps otherwise.
struct DataScaling {
  int coordinateExponent = 0;
  int valueExponent = 0;
};

// Largest |coordinate| and largest |value| outside these binary exponents
// are brought to [1, 2).
inline constexpr int kOrdinaryCoordinateExponent = 100;
inline constexpr int kOrdinaryValueExponent = 200;

DataScaling ChooseScaling(std::span<const double> x, std::span<const double> y, std::span<const double> values);

// Below this ratio of the narrower to the wider extent of the points the
// angles of most triangles are so small that their squared sines fall
// under the margin of the diagonal exchanges (100 machine epsilons), so the
// triangulation can no longer be improved and comes out with degenerate
// triangles; further down the fitted slopes across the narrow direction
// fall under the rank tolerance of the least-squares fits, and the surface
// no longer reproduces even a plane through the data. Measured with planes
// over rows, lattices and scattered points: up to this ratio every node is
// written and the plane reproduced to 1e-9 of its range (or a report is
// given); from 1.5e6 on, the pseudo-section of a single spread already
// leaves nodes in no region, which would keep the caller's old values
// without a word. Rescaling x and y by different powers of two would
// change the triangles of ordinary data, so the limit stays here.
inline constexpr double kSmallestExtentRatio = 1e-6;

// Report 13: the data's range is beyond what the method can resolve; `why`
// names the particular reason and may use the placeholders stored before.
void PostBeyondResolution(ErrorFacility& errors, std::string_view why);

// Posts report 13 when the extents of the points in x and y differ by more
// than kSmallestExtentRatio allows; returns whether it did not.
bool CheckExtentRatio(ErrorFacility& errors, std::span<const Point> points);

}  // namespace meshinterp
