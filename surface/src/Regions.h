// Assignment of grid nodes to the regions of the plane: the triangles, then
// for every border segment the strip beyond it and the wedge at its end.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Geometry.h"
#include "KeptStorage.h"
#include "Triangulation.h"

namespace meshinterp {

// Region numbers (0-based): triangle t is t; the strip of border segment l
// is T + 2l and the wedge at its end T + 2l + 1, T = number of triangles.
inline int StripRegion(int triangleCount, int segment) { return triangleCount + 2 * segment; }
inline int WedgeRegion(int triangleCount, int segment) { return triangleCount + 2 * segment + 1; }

struct NodeAssignment {
  static constexpr int kUnclaimed = -1;
  // Per node (i + j * columns): its region, or kUnclaimed.
  std::vector<int> region;
  // Per node: 1 when it lies on the boundary of its region, else 0.
  std::vector<std::uint8_t> onBoundary;
};

// Every node goes to the first region, in region order, whose bounding box
// holds it and whose closed area contains it (exact sign tests).
NodeAssignment AssignNodes(std::span<const Point> points, const Triangulation& triangulation,
                           std::span<const double> xout, std::span<const double> yout);

// The same assignment band by band of grid rows, so that threads can share
// the bands: for each band, the regions whose boxes reach its rows, in
// region order, with the runs of columns and rows of each region's box.
struct RegionBands {
  struct Runs {
    int i0, i1, j0, j1;  // columns [i0, i1) and rows [j0, j1)
  };
  int bandRows = 1;
  int bandCount = 0;
  KeptVector<Runs> runs;      // per region
  KeptVector<int> bandStart;  // per band, into `regions`; one entry more
  KeptVector<int> regions;
};
RegionBands BandRegions(std::span<const Point> points, const Triangulation& triangulation,
                        std::span<const double> xout, std::span<const double> yout, int bandRows);

// A node of a band and the region that claimed it.
struct Claim {
  int region;
  std::size_t node;
};

// Assigns the nodes of one band into `assignment` (sized for the whole
// grid; bands write disjoint nodes) and lists them in `claims` grouped by
// region, in region order.
void AssignBand(std::span<const Point> points, const Triangulation& triangulation, const RegionBands& bands,
                int band, std::span<const double> xout, std::span<const double> yout, NodeAssignment& assignment,
                std::vector<Claim>& claims);

// The region's bounding box as the node search uses it, and its membership
// test; shared by every implementation of the assignment.
struct RegionBox {
  double xmin, xmax, ymin, ymax;
};
RegionBox BoxOfRegion(std::span<const Point> points, const Triangulation& triangulation, int region,
                      const RegionBox& gridExtent);
enum class Membership { Outside, Boundary, Inside };
Membership TestRegion(std::span<const Point> points, const Triangulation& triangulation, int region,
                      const Point& node);

}  // namespace meshinterp
