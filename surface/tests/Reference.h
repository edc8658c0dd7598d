// Plain implementations of the slow steps, written as directly as the
// method reads: all-pairs scans, selection by exchanges, a border that is
// turned by moving its segments, a scan of the whole triangle table for each
// flagged pair, a 12-entry neighbour list, reflections applied column by
// column and a node loop over each region's box. The library's indexed and
// fixed-size versions must agree with them bit for bit.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "Derivatives.h"
#include "ErrorFacility.h"
#include "LeastSquares.h"
#include "Regions.h"
#include "Triangulation.h"

namespace meshinterp::reference {

ClosestPair FindClosestPair(std::span<const Point> points);
std::vector<int> InsertionOrder(std::span<const Point> points, int first, int second);
// The scan of the border (its segments' start points in order) for the part
// that pk sees: the most clockwise and most counter-clockwise start points.
void FindVisiblePart(std::span<const Point> border, const Point& pk, int& jmin, int& jmax);
Triangulation Triangulate(std::span<const Point> points, ErrorFacility& errors);
double LargestSquaredDistance(std::span<const Point> points);
Neighbourhood FindNeighbourhood(std::span<const Point> points, int point, double largestSquaredDistance);
// Householder QR with column pivoting applied column by column to the
// problem as given, and the fit of one point's derivatives through it.
LeastSquaresSolution SolveLeastSquares(LeastSquaresProblem problem, double tolerance);
PartialDerivatives FitDerivatives(std::span<const Point> points, std::span<const double> values, int point,
                                  const Neighbourhood& neighbourhood, double largestSquaredDistance);
std::vector<PartialDerivatives> EstimateDerivatives(std::span<const Point> points, std::span<const double> values);
NodeAssignment AssignNodes(std::span<const Point> points, const Triangulation& triangulation,
                           std::span<const double> xout, std::span<const double> yout);
// The whole gridding, with the routine's rescaling of data beyond the
// ordinary range; nullopt when the triangulation failed. Nodes that no
// region claims hold `unclaimed`.
std::optional<std::vector<double>> Grid(std::span<const Point> points, std::span<const double> values,
                                        std::span<const double> xout, std::span<const double> yout,
                                        double unclaimed);

}  // namespace meshinterp::reference
