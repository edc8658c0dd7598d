// The ground below a survey line as a mesh for 2.5D modelling: a tensor grid
// of nodes (x along the line, z depth, positive down) refined between the
// electrodes, padded far out on both sides and below, each rectangle split
// into two triangles; and the model cells of the resistivity section, each a
// group of those triangles.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace inversion {

struct TSectionMeshOptions {
    static constexpr double MinimumDepthGaps = 50;
    // Mesh intervals per smallest electrode gap (at least 2, so that the cell
    // boundaries halfway between electrodes are mesh lines).
    int NodesPerSpacing = 2;
    // Depth of the model section in metres; 0 takes a fifth of the line
    // length, but no more than a fifth of the widest reading (the span of its
    // electrodes on the line) or of MinimumDepthGaps smallest electrode gaps,
    // whichever is longer: a reading sees about a fifth of its span deep, so
    // that a roll-along of many spreads gets a section about as deep as one
    // spread's, not a fifth of the whole line; a line of up to 50 gaps (one
    // 48-electrode spread) always gets a fifth of its length.
    double SectionDepth = 0.0;
    // Thickness of the top row of cells; 0 takes half the smallest electrode gap.
    double FirstLayer = 0.0;
    // Each row of cells is this much thicker than the one above it.
    double LayerGrowth = 1.15;
    // Growth of the mesh intervals in the padding.
    double PaddingGrowth = 1.6;
    // The padding reaches this many times the largest distance of any
    // electrode from the line's centre beyond the section on each side and below.
    double PaddingExtent = 8.0;
};

// One cell of the model section: the rectangle it shows. The cells of the
// outer columns and the bottom row also take the padding beyond them.
struct TSectionCell {
    double X0 = 0, X1 = 0, Z0 = 0, Z1 = 0;
    int Column = 0, Row = 0;
    double CentreX() const { return 0.5 * (X0 + X1); }
    double CentreZ() const { return 0.5 * (Z0 + Z1); }
};

class TSectionMesh {
public:
    // linePositions: the electrodes of the section (metres along the line,
    // at least two distinct); farPositions: electrodes away from the line
    // (remote electrodes), which get surface nodes in the padding.
    // widestReading: the span of the widest reading on the line (m), which
    // caps the default section depth; 0: no cap.
    // Throws std::invalid_argument for fewer than two distinct positions or
    // positions that are not finite.
    TSectionMesh(std::vector<double> linePositions, const std::vector<double> &farPositions,
                 const TSectionMeshOptions &options = {}, double widestReading = 0);

    std::vector<double> X; // node columns, ascending
    std::vector<double> Z; // node rows from the surface (0) down, ascending
    std::vector<std::array<int, 3>> Triangles; // node indices
    std::vector<int> TriangleCell;             // model cell of each triangle
    std::vector<TSectionCell> Cells;           // row by row from the surface, each row left to right
    int CellColumns = 0, CellRows = 0;
    double SmallestGap = 0; // smallest gap between neighbouring line electrodes

    std::size_t NodeCount() const { return X.size() * Z.size(); }
    int Node(std::size_t ix, std::size_t iz) const { return static_cast<int>(iz * X.size() + ix); }
    double NodeX(int node) const { return X[static_cast<std::size_t>(node) % X.size()]; }
    double NodeZ(int node) const { return Z[static_cast<std::size_t>(node) / X.size()]; }
    // The surface node at x, or -1 when x is no node column.
    int SurfaceNode(double x) const;
    // The cell that holds the point (x, z) of the section, or -1 outside it.
    int CellAt(double x, double z) const;
    // Triangle centre.
    std::array<double, 2> Centroid(std::size_t triangle) const;
};

} // namespace inversion
