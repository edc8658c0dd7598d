#include "inversion/SectionMesh.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace inversion {

namespace {

// Appends to nodes the points after `from` up to `to` with steps of at most
// `step` (equal steps within the interval).
void Subdivide(std::vector<double> &nodes, double from, double to, double step)
{
    const int pieces = std::max(1, static_cast<int>(std::ceil((to - from) / step - 1e-9)));
    for (int i = 1; i <= pieces; ++i)
        nodes.push_back(i == pieces ? to : from + (to - from) * i / pieces);
}

// Padding nodes from `edge` outwards (direction +1 or -1), steps growing from
// `step` by `growth` until `extent` beyond the edge.
std::vector<double> Padding(double edge, int direction, double step, double growth, double extent)
{
    std::vector<double> nodes;
    double x = edge;
    double h = step;
    while (std::abs(x - edge) < extent) {
        h *= growth;
        x += direction * h;
        nodes.push_back(x);
    }
    return nodes;
}

// Puts each far position into the sorted node list, dropping the nodes that
// come closer to it than a third of the local interval.
void InsertFarNodes(std::vector<double> &nodes, const std::vector<double> &farPositions)
{
    for (double far : farPositions) {
        auto at = std::lower_bound(nodes.begin(), nodes.end(), far);
        if (at != nodes.end() && *at == far)
            continue;
        nodes.insert(at, far);
        std::sort(nodes.begin(), nodes.end());
        const auto index = static_cast<std::size_t>(std::find(nodes.begin(), nodes.end(), far) - nodes.begin());
        double local = 0;
        if (index > 0)
            local = std::max(local, far - nodes[index - 1]);
        if (index + 1 < nodes.size())
            local = std::max(local, nodes[index + 1] - far);
        std::vector<double> kept;
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (i != index && std::abs(nodes[i] - far) < local / 3 && i != 0 && i + 1 != nodes.size())
                continue;
            kept.push_back(nodes[i]);
        }
        nodes.swap(kept);
    }
}

} // namespace

TSectionMesh::TSectionMesh(std::vector<double> linePositions, const std::vector<double> &farPositions,
                           const TSectionMeshOptions &options, double widestReading)
{
    for (double x : linePositions)
        if (!std::isfinite(x))
            throw std::invalid_argument("electrode position not finite");
    for (double x : farPositions)
        if (!std::isfinite(x))
            throw std::invalid_argument("electrode position not finite");
    std::sort(linePositions.begin(), linePositions.end());
    linePositions.erase(std::unique(linePositions.begin(), linePositions.end()), linePositions.end());
    if (linePositions.size() < 2)
        throw std::invalid_argument("fewer than two electrode positions");

    const std::size_t count = linePositions.size();
    SmallestGap = linePositions[1] - linePositions[0];
    for (std::size_t i = 1; i < count; ++i)
        SmallestGap = std::min(SmallestGap, linePositions[i] - linePositions[i - 1]);
    const int perSpacing = std::max(2, options.NodesPerSpacing);
    const double step = SmallestGap / perSpacing;

    // Cell columns centred on the electrodes, bounded halfway between them.
    std::vector<double> columnEdges;
    columnEdges.push_back(linePositions.front() - SmallestGap / 2);
    for (std::size_t i = 1; i < count; ++i)
        columnEdges.push_back(0.5 * (linePositions[i - 1] + linePositions[i]));
    columnEdges.push_back(linePositions.back() + SmallestGap / 2);

    // Cell rows growing with depth down to the section depth.
    const double lineLength = linePositions.back() - linePositions.front();
    double sectionDepth = options.SectionDepth > 0 ? options.SectionDepth : lineLength / 5;
    if (!(options.SectionDepth > 0) && widestReading > 0)
        sectionDepth =
            std::min(lineLength, std::max(widestReading, TSectionMeshOptions::MinimumDepthGaps * SmallestGap)) / 5;
    std::vector<double> rowEdges{0.0};
    double thickness = options.FirstLayer > 0 ? options.FirstLayer : SmallestGap / 2;
    while (rowEdges.back() < sectionDepth * (1 - 1e-9)) {
        rowEdges.push_back(rowEdges.back() + thickness);
        thickness *= options.LayerGrowth;
    }

    // Node columns: every electrode and column edge, intervals of at most `step`.
    std::vector<double> sectionX{columnEdges.front()};
    for (std::size_t i = 0; i < count; ++i) {
        Subdivide(sectionX, columnEdges[i], linePositions[i], step);
        Subdivide(sectionX, linePositions[i], columnEdges[i + 1], step);
    }
    const double centre = 0.5 * (linePositions.front() + linePositions.back());
    double reach = lineLength / 2;
    for (double far : farPositions)
        reach = std::max(reach, std::abs(far - centre));
    const double extent = options.PaddingExtent * std::max(reach, sectionDepth);
    const std::vector<double> left = Padding(sectionX.front(), -1, step, options.PaddingGrowth, extent);
    const std::vector<double> right = Padding(sectionX.back(), +1, step, options.PaddingGrowth, extent);
    X.assign(left.rbegin(), left.rend());
    X.insert(X.end(), sectionX.begin(), sectionX.end());
    X.insert(X.end(), right.begin(), right.end());
    std::vector<double> outside;
    for (double far : farPositions)
        if (far < sectionX.front() || far > sectionX.back())
            outside.push_back(far);
    InsertFarNodes(X, outside);

    // Node rows: fine at the surface (the step), at most four per cell row.
    Z.assign(1, 0.0);
    for (std::size_t r = 1; r < rowEdges.size(); ++r) {
        const double rowThickness = rowEdges[r] - rowEdges[r - 1];
        Subdivide(Z, rowEdges[r - 1], rowEdges[r], std::max(step, rowThickness / 4));
    }
    const double lastRowStep = Z.back() - Z[Z.size() - 2];
    const std::vector<double> below = Padding(Z.back(), +1, lastRowStep, options.PaddingGrowth, extent);
    Z.insert(Z.end(), below.begin(), below.end());

    CellColumns = static_cast<int>(count);
    CellRows = static_cast<int>(rowEdges.size()) - 1;
    for (int r = 0; r < CellRows; ++r)
        for (int c = 0; c < CellColumns; ++c)
            Cells.push_back({columnEdges[static_cast<std::size_t>(c)], columnEdges[static_cast<std::size_t>(c) + 1],
                             rowEdges[static_cast<std::size_t>(r)], rowEdges[static_cast<std::size_t>(r) + 1], c, r});

    // Two triangles per rectangle; the cell of a triangle from the rectangle's
    // centre, the padding joined to the nearest cell.
    for (std::size_t iz = 0; iz + 1 < Z.size(); ++iz) {
        for (std::size_t ix = 0; ix + 1 < X.size(); ++ix) {
            const int n00 = Node(ix, iz), n10 = Node(ix + 1, iz), n01 = Node(ix, iz + 1), n11 = Node(ix + 1, iz + 1);
            const double cx = 0.5 * (X[ix] + X[ix + 1]), cz = 0.5 * (Z[iz] + Z[iz + 1]);
            const auto column = std::clamp<int>(
                static_cast<int>(std::upper_bound(columnEdges.begin(), columnEdges.end(), cx) - columnEdges.begin()) - 1, 0,
                CellColumns - 1);
            const auto row = std::clamp<int>(
                static_cast<int>(std::upper_bound(rowEdges.begin(), rowEdges.end(), cz) - rowEdges.begin()) - 1, 0,
                CellRows - 1);
            const int cell = row * CellColumns + column;
            // Alternate the diagonal so that the mesh has no preferred direction.
            if ((ix + iz) % 2 == 0) {
                Triangles.push_back({n00, n01, n11});
                Triangles.push_back({n00, n11, n10});
            } else {
                Triangles.push_back({n00, n01, n10});
                Triangles.push_back({n10, n01, n11});
            }
            TriangleCell.push_back(cell);
            TriangleCell.push_back(cell);
        }
    }
}

int TSectionMesh::SurfaceNode(double x) const
{
    const auto at = std::lower_bound(X.begin(), X.end(), x - 1e-9 * (1 + std::abs(x)));
    if (at == X.end() || std::abs(*at - x) > 1e-9 * (1 + std::abs(x)))
        return -1;
    return static_cast<int>(at - X.begin());
}

int TSectionMesh::CellAt(double x, double z) const
{
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        const TSectionCell &cell = Cells[i];
        if (x >= cell.X0 && x <= cell.X1 && z >= cell.Z0 && z <= cell.Z1)
            return static_cast<int>(i);
    }
    return -1;
}

std::array<double, 2> TSectionMesh::Centroid(std::size_t triangle) const
{
    double x = 0, z = 0;
    for (int node : Triangles[triangle]) {
        x += NodeX(node);
        z += NodeZ(node);
    }
    return {x / 3, z / 3};
}

} // namespace inversion
