#include "inversion/SectionForward.h"

#include <Eigen/CholmodSupport>
#include <Eigen/Eigenvalues>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

namespace inversion {

namespace {

using SparseMatrix = Eigen::SparseMatrix<double>;

// K0(x) for x > 0 by the polynomial approximations of Abramowitz and Stegun
// 9.8.1, 9.8.5 and 9.8.6 (relative error below 2e-7): the primary field needs
// it at every node for every source and wavenumber, where the general Bessel
// function of the standard library is too slow.
double BesselK0(double x)
{
    if (x <= 2.0) {
        const double t = (x / 3.75) * (x / 3.75);
        const double i0 =
            1.0 + t * (3.5156229 + t * (3.0899424 + t * (1.2067492 + t * (0.2659732 + t * (0.0360768 + t * 0.0045813)))));
        const double y = x * x / 4.0;
        return -std::log(x / 2.0) * i0 +
               (-0.57721566 +
                y * (0.42278420 +
                     y * (0.23069756 + y * (0.03488590 + y * (0.00262698 + y * (0.00010750 + y * 0.0000074))))));
    }
    // Below 1e-18 of its value at the source: nothing a solution can see,
    // and most of a long line's nodes are that far from a source for the
    // larger wavenumbers.
    if (x > 40.0)
        return 0.0;
    const double y = 2.0 / x;
    return std::exp(-x) / std::sqrt(x) *
           (1.25331414 +
            y * (-0.07832358 +
                 y * (0.02189568 + y * (-0.01062446 + y * (0.00587872 + y * (-0.00251540 + y * 0.00053208))))));
}

// K1(x) / K0(x), the decay rate of K0(k r) relative to k.
double BesselRatio(double x)
{
    if (x > 50.0)
        return 1.0 + 0.5 / x - 0.125 / (x * x);
    return std::cyl_bessel_k(1.0, x) / std::cyl_bessel_k(0.0, x);
}

// Nodes and weights of the n-point Gauss rule of a three-term recurrence with
// diagonal `a` and off-diagonal `b` (Golub-Welsch), total weight mu0.
void GaussRule(const std::vector<double> &a, const std::vector<double> &b, double mu0, std::vector<double> &nodes,
               std::vector<double> &weights)
{
    const auto n = static_cast<Eigen::Index>(a.size());
    Eigen::MatrixXd jacobi = Eigen::MatrixXd::Zero(n, n);
    for (Eigen::Index i = 0; i < n; ++i) {
        jacobi(i, i) = a[static_cast<std::size_t>(i)];
        if (i + 1 < n)
            jacobi(i, i + 1) = jacobi(i + 1, i) = b[static_cast<std::size_t>(i)];
    }
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> solver(jacobi);
    nodes.resize(static_cast<std::size_t>(n));
    weights.resize(static_cast<std::size_t>(n));
    for (Eigen::Index i = 0; i < n; ++i) {
        nodes[static_cast<std::size_t>(i)] = solver.eigenvalues()(i);
        weights[static_cast<std::size_t>(i)] = mu0 * solver.eigenvectors()(0, i) * solver.eigenvectors()(0, i);
    }
}

struct TBoundaryEdge {
    std::size_t Triangle;
    int LocalA, LocalB; // local node numbers 0..2 of the edge
    double Length;
    double CosTheta; // cosine between the outward normal and the direction from the line's centre
    double Distance; // from the line's centre to the edge's midpoint
};

} // namespace

TWavenumbers SectionWavenumbers(double rMin, int legendrePoints, int laguerrePoints)
{
    if (!(rMin > 0) || legendrePoints < 1 || laguerrePoints < 1)
        throw std::invalid_argument("invalid wavenumber set");
    const double k0 = 1.0 / (2.0 * rMin);
    TWavenumbers set;

    std::vector<double> a(static_cast<std::size_t>(legendrePoints), 0.0), b, nodes, weights;
    for (int i = 1; i < legendrePoints; ++i)
        b.push_back(i / std::sqrt(4.0 * i * i - 1.0));
    GaussRule(a, b, 2.0, nodes, weights);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const double t = 0.5 * (nodes[i] + 1.0); // on [0, 1]
        set.K.push_back(k0 * t * t * t);
        set.W.push_back(0.5 * weights[i] * 3.0 * k0 * t * t);
    }

    a.clear();
    b.clear();
    for (int i = 0; i < laguerrePoints; ++i)
        a.push_back(2.0 * i + 1.0);
    for (int i = 1; i < laguerrePoints; ++i)
        b.push_back(i);
    GaussRule(a, b, 1.0, nodes, weights);
    const double scale = 1.0 / (2.0 * rMin);
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        set.K.push_back(k0 + nodes[i] * scale);
        set.W.push_back(weights[i] * std::exp(nodes[i]) * scale);
    }
    return set;
}

// The sparse matrices, their shared pattern and the factorisation.
struct TSectionForward::TSolver {
    SparseMatrix Matrix;                     // pattern of every element coupling, values per use
    std::vector<std::array<int, 9>> Entries; // per triangle: value index of (i, j), row-major
    std::vector<TBoundaryEdge> Boundary;
    Eigen::CholmodSupernodalLLT<SparseMatrix, Eigen::Lower> Cholesky;
    bool Analysed = false;

    // Values of the system matrix for wavenumber k with the conductivity of
    // each triangle (nullptr: 1 everywhere).
    void Assemble(const TSectionForward &forward, double k, const double *conductivity, Eigen::VectorXd &values) const
    {
        values.setZero(Matrix.nonZeros());
        const double k2 = k * k;
        for (std::size_t e = 0; e < Entries.size(); ++e) {
            const double sigma = conductivity ? conductivity[e] : 1.0;
            const auto &s = forward.FStiffness[e];
            const double mass = forward.FArea[e] / 12.0 * k2;
            const double local[9] = {s[0] + 2 * mass, s[1] + mass,     s[2] + mass,     s[1] + mass, s[3] + 2 * mass,
                                     s[4] + mass,     s[2] + mass,     s[4] + mass,     s[5] + 2 * mass};
            for (int i = 0; i < 9; ++i)
                values[Entries[e][static_cast<std::size_t>(i)]] += sigma * local[i];
        }
        for (const TBoundaryEdge &edge : Boundary) {
            const double sigma = conductivity ? conductivity[edge.Triangle] : 1.0;
            const double alpha = k * BesselRatio(k * edge.Distance) * edge.CosTheta;
            const double c = sigma * alpha * edge.Length / 6.0;
            const auto &entries = Entries[edge.Triangle];
            values[entries[static_cast<std::size_t>(edge.LocalA * 3 + edge.LocalA)]] += 2 * c;
            values[entries[static_cast<std::size_t>(edge.LocalB * 3 + edge.LocalB)]] += 2 * c;
            values[entries[static_cast<std::size_t>(edge.LocalA * 3 + edge.LocalB)]] += c;
            values[entries[static_cast<std::size_t>(edge.LocalB * 3 + edge.LocalA)]] += c;
        }
    }
};

TSectionForward::TSectionForward(const TSectionMesh &mesh, std::vector<double> sources, TWavenumbers wavenumbers)
    : FMesh(mesh), FSources(std::move(sources)), FWavenumbers(std::move(wavenumbers)),
      FSolver(std::make_unique<TSolver>())
{
    for (double x : FSources) {
        const int column = FMesh.SurfaceNode(x);
        if (column < 0)
            throw std::invalid_argument("electrode is no mesh node");
        FSourceNodes.push_back(FMesh.Node(static_cast<std::size_t>(column), 0));
    }
    FSmallestInterval = FMesh.X[1] - FMesh.X[0];
    for (std::size_t i = 1; i < FMesh.X.size(); ++i)
        FSmallestInterval = std::min(FSmallestInterval, FMesh.X[i] - FMesh.X[i - 1]);
    BuildUnitMatrices();

    const std::size_t nk = FWavenumbers.K.size();
    if (FSources.size() * nk * FMesh.NodeCount() * sizeof(double) <= PrimaryCacheBytes) {
        FPrimary.resize(nk);
        for (std::size_t k = 0; k < nk; ++k)
            PrimaryFields(k, 0, FSources.size(), FPrimary[k]);
    }
}

TSectionForward::~TSectionForward() = default;

int TSectionForward::SourceIndex(double position) const
{
    for (std::size_t i = 0; i < FSources.size(); ++i)
        if (std::abs(FSources[i] - position) <= 1e-9 * (1 + std::abs(position)))
            return static_cast<int>(i);
    return -1;
}

void TSectionForward::BuildUnitMatrices()
{
    const std::size_t triangles = FMesh.Triangles.size();
    FStiffness.resize(triangles);
    FArea.resize(triangles);
    std::vector<Eigen::Triplet<double>> pattern;
    pattern.reserve(triangles * 9);
    for (std::size_t e = 0; e < triangles; ++e) {
        const auto &t = FMesh.Triangles[e];
        double x[3], z[3];
        for (int i = 0; i < 3; ++i) {
            x[i] = FMesh.NodeX(t[static_cast<std::size_t>(i)]);
            z[i] = FMesh.NodeZ(t[static_cast<std::size_t>(i)]);
        }
        const double b[3] = {z[1] - z[2], z[2] - z[0], z[0] - z[1]};
        const double c[3] = {x[2] - x[1], x[0] - x[2], x[1] - x[0]};
        const double area = 0.5 * std::abs(b[0] * c[1] - b[1] * c[0]);
        FArea[e] = area;
        auto s = [&](int i, int j) { return (b[i] * b[j] + c[i] * c[j]) / (4.0 * area); };
        FStiffness[e] = {s(0, 0), s(0, 1), s(0, 2), s(1, 1), s(1, 2), s(2, 2)};
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                pattern.emplace_back(t[static_cast<std::size_t>(i)], t[static_cast<std::size_t>(j)], 0.0);
    }
    const auto n = static_cast<Eigen::Index>(FMesh.NodeCount());
    SparseMatrix &matrix = FSolver->Matrix;
    matrix.resize(n, n);
    matrix.setFromTriplets(pattern.begin(), pattern.end());
    matrix.makeCompressed();

    // Where each element coupling sits among the matrix values.
    FSolver->Entries.resize(triangles);
    for (std::size_t e = 0; e < triangles; ++e) {
        const auto &t = FMesh.Triangles[e];
        for (int i = 0; i < 3; ++i) {
            for (int j = 0; j < 3; ++j) {
                const int row = t[static_cast<std::size_t>(i)], column = t[static_cast<std::size_t>(j)];
                const int *begin = matrix.innerIndexPtr() + matrix.outerIndexPtr()[column];
                const int *end = matrix.innerIndexPtr() + matrix.outerIndexPtr()[column + 1];
                const int *at = std::lower_bound(begin, end, row);
                FSolver->Entries[e][static_cast<std::size_t>(i * 3 + j)] =
                    static_cast<int>(at - matrix.innerIndexPtr());
            }
        }
    }

    // Triangles by cell column, and the node columns each cell column reaches.
    const auto nx = static_cast<int>(FMesh.X.size());
    const auto columns = static_cast<std::size_t>(FMesh.CellColumns);
    FColumnTriangleStart.assign(columns + 1, 0);
    FColumnFirstNode.assign(columns, nx);
    FColumnLastNode.assign(columns, -1);
    FTriangleNodePlaces.resize(triangles);
    for (std::size_t e = 0; e < triangles; ++e) {
        const auto column = static_cast<std::size_t>(FMesh.TriangleCell[e] % FMesh.CellColumns);
        ++FColumnTriangleStart[column + 1];
        for (std::size_t j = 0; j < 3; ++j) {
            FTriangleNodePlaces[e][2 * j] = FMesh.Triangles[e][j] % nx;
            FTriangleNodePlaces[e][2 * j + 1] = FMesh.Triangles[e][j] / nx;
        }
        for (int node : FMesh.Triangles[e]) {
            FColumnFirstNode[column] = std::min(FColumnFirstNode[column], node % nx);
            FColumnLastNode[column] = std::max(FColumnLastNode[column], node % nx);
        }
    }
    for (std::size_t c = 0; c < columns; ++c)
        FColumnTriangleStart[c + 1] += FColumnTriangleStart[c];
    FColumnTriangles.resize(triangles);
    std::vector<std::size_t> filled(FColumnTriangleStart.begin(), FColumnTriangleStart.end() - 1);
    for (std::size_t e = 0; e < triangles; ++e)
        FColumnTriangles[filled[static_cast<std::size_t>(FMesh.TriangleCell[e] % FMesh.CellColumns)]++] =
            static_cast<int>(e);

    // Edges on the left, right and bottom of the mesh.
    const double left = FMesh.X.front(), right = FMesh.X.back(), bottom = FMesh.Z.back();
    const double centreX = 0.5 * (FMesh.Cells.front().X0 + FMesh.Cells.back().X1);
    for (std::size_t e = 0; e < triangles; ++e) {
        const auto &t = FMesh.Triangles[e];
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            const double xa = FMesh.NodeX(t[static_cast<std::size_t>(i)]), za = FMesh.NodeZ(t[static_cast<std::size_t>(i)]);
            const double xb = FMesh.NodeX(t[static_cast<std::size_t>(j)]), zb = FMesh.NodeZ(t[static_cast<std::size_t>(j)]);
            double nx = 0, nz = 0;
            if (xa == left && xb == left)
                nx = -1;
            else if (xa == right && xb == right)
                nx = 1;
            else if (za == bottom && zb == bottom)
                nz = 1;
            else
                continue;
            const double mx = 0.5 * (xa + xb) - centreX, mz = 0.5 * (za + zb);
            const double distance = std::hypot(mx, mz);
            FSolver->Boundary.push_back(
                {e, i, j, std::hypot(xb - xa, zb - za), (mx * nx + mz * nz) / distance, distance});
        }
    }
}

void TSectionForward::PrimaryFields(std::size_t k, std::size_t first, std::size_t count, Eigen::MatrixXd &fields) const
{
    const double floor = FSmallestInterval / 3;
    const double wavenumber = FWavenumbers.K[k];
    const std::size_t nx = FMesh.X.size();
    fields.resize(static_cast<Eigen::Index>(FMesh.NodeCount()), static_cast<Eigen::Index>(count));
    for (std::size_t j = 0; j < count; ++j) {
        const double xs = FMesh.NodeX(FSourceNodes[first + j]);
        double *column = fields.col(static_cast<Eigen::Index>(j)).data();
        for (std::size_t iz = 0; iz < FMesh.Z.size(); ++iz) {
            const double z2 = FMesh.Z[iz] * FMesh.Z[iz];
            for (std::size_t ix = 0; ix < nx; ++ix) {
                const double dx = FMesh.X[ix] - xs;
                const double r = std::max(floor, std::sqrt(dx * dx + z2));
                column[iz * nx + ix] = BesselK0(wavenumber * r) / (2 * std::numbers::pi);
            }
        }
    }
}

// The total transformed fields of one wavenumber on the node columns each
// source's windows need (every node row).
struct TSectionForward::TFieldWindows {
    std::vector<int> First, Width; // node columns per source; width 0: not needed
    std::vector<std::size_t> Offset;
    std::vector<double> Values;
    std::size_t Rows = 0;

    double *Field(std::size_t source) { return Values.data() + Offset[source]; }
    // The field of `source` at node column ix, node row iz (inside its window).
    double At(int source, int ix, std::size_t iz) const
    {
        const auto s = static_cast<std::size_t>(source);
        return Values[Offset[s] + iz * static_cast<std::size_t>(Width[s]) + static_cast<std::size_t>(ix - First[s])];
    }
};

bool TSectionForward::Solve(const std::vector<double> &triangleResistivity,
                            const std::vector<TSensitivityWindow> *windows, TWindowedJacobian *sensitivities,
                            const TForwardControl &control)
{
    if (triangleResistivity.size() != FMesh.Triangles.size())
        throw std::invalid_argument("one resistivity per triangle needed");
    FTriangleConductivity.resize(triangleResistivity.size());
    for (std::size_t e = 0; e < triangleResistivity.size(); ++e) {
        if (!(triangleResistivity[e] > 0) || !std::isfinite(triangleResistivity[e]))
            throw std::invalid_argument("resistivity must be positive");
        FTriangleConductivity[e] = 1.0 / triangleResistivity[e];
    }
    auto cancelled = [&] { return control.Cancel && control.Cancel->load(); };

    // Reference resistivity of each source: the mean conductivity of the
    // triangles that touch it, so that the secondary field starts there.
    const std::size_t nsrc = FSources.size();
    std::vector<double> touchSum(FMesh.NodeCount(), 0.0), touchCount(FMesh.NodeCount(), 0.0);
    for (std::size_t e = 0; e < FMesh.Triangles.size(); ++e)
        for (int node : FMesh.Triangles[e]) {
            touchSum[static_cast<std::size_t>(node)] += FTriangleConductivity[e];
            touchCount[static_cast<std::size_t>(node)] += 1;
        }
    FReferenceResistivity.resize(nsrc);
    for (std::size_t s = 0; s < nsrc; ++s) {
        const auto node = static_cast<std::size_t>(FSourceNodes[s]);
        FReferenceResistivity[s] = touchCount[node] / touchSum[node];
    }

    // The node columns whose fields each source's windows need.
    const bool wanted = windows && sensitivities;
    TFieldWindows fields;
    if (wanted) {
        fields.First.assign(nsrc, std::numeric_limits<int>::max());
        fields.Width.assign(nsrc, 0);
        std::vector<int> last(nsrc, -1), firstColumn, lastColumn;
        for (const TSensitivityWindow &w : *windows) {
            if (w.FirstColumn < 0 || w.LastColumn >= FMesh.CellColumns || w.LastColumn < w.FirstColumn)
                throw std::invalid_argument("sensitivity window outside the section");
            if (w.A < 0 || w.M < 0)
                throw std::invalid_argument("a reading needs its A and M electrodes");
            for (int s : {w.A, w.B, w.M, w.N}) {
                if (s < -1 || s >= static_cast<int>(nsrc))
                    throw std::invalid_argument("no such electrode");
                if (s < 0)
                    continue;
                const auto source = static_cast<std::size_t>(s);
                fields.First[source] =
                    std::min(fields.First[source], FColumnFirstNode[static_cast<std::size_t>(w.FirstColumn)]);
                last[source] = std::max(last[source], FColumnLastNode[static_cast<std::size_t>(w.LastColumn)]);
            }
            firstColumn.push_back(w.FirstColumn);
            lastColumn.push_back(w.LastColumn);
        }
        fields.Rows = FMesh.Z.size();
        fields.Offset.resize(nsrc);
        std::size_t size = 0;
        for (std::size_t s = 0; s < nsrc; ++s) {
            fields.Width[s] = last[s] < 0 ? 0 : last[s] - fields.First[s] + 1;
            fields.Offset[s] = size;
            size += static_cast<std::size_t>(fields.Width[s]) * fields.Rows;
        }
        fields.Values.resize(size);
        *sensitivities = TWindowedJacobian(FMesh.CellColumns, FMesh.CellRows, firstColumn, lastColumn);
    }

    const std::size_t nk = FWavenumbers.K.size();
    const std::size_t nx = FMesh.X.size();
    FSecondaryAt.assign(nsrc * nsrc, 0.0);
    // Sources solved together: a block of right-hand sides is cheaper per
    // source than one at a time, and bounds the memory of the block.
    constexpr std::size_t block = 32;
    const std::size_t blocks = (nsrc + block - 1) / block;

    SparseMatrix &matrix = FSolver->Matrix;
    Eigen::VectorXd values, unitValues;
    Eigen::MatrixXd primary, rhs, secondary;
    for (std::size_t k = 0; k < nk; ++k) {
        const double wavenumber = FWavenumbers.K[k];
        FSolver->Assemble(*this, wavenumber, nullptr, unitValues);
        SparseMatrix unit = matrix;
        std::copy(unitValues.data(), unitValues.data() + unitValues.size(), unit.valuePtr());
        FSolver->Assemble(*this, wavenumber, FTriangleConductivity.data(), values);
        std::copy(values.data(), values.data() + values.size(), matrix.valuePtr());
        if (!FSolver->Analysed) {
            FSolver->Cholesky.analyzePattern(matrix);
            FSolver->Analysed = true;
        }
        FSolver->Cholesky.factorize(matrix);
        if (FSolver->Cholesky.info() != Eigen::Success)
            throw std::runtime_error("factorisation failed");

        const double weight = 2.0 / std::numbers::pi * FWavenumbers.W[k];
        for (std::size_t first = 0; first < nsrc; first += block) {
            const std::size_t count = std::min(block, nsrc - first);
            const auto columns = static_cast<Eigen::Index>(count);
            if (FPrimary.empty())
                PrimaryFields(k, first, count, primary);
            else
                primary = FPrimary[k].middleCols(static_cast<Eigen::Index>(first), columns);
            const Eigen::VectorXd reference = Eigen::Map<const Eigen::VectorXd>(
                FReferenceResistivity.data() + first, columns);

            // Secondary sources: -(K(sigma) - K(sigma0)) u_p with u_p = rho0 P.
            rhs = unit * primary - (matrix * primary) * reference.asDiagonal();
            secondary = FSolver->Cholesky.solve(rhs);

            for (std::size_t j = 0; j < count; ++j) {
                const std::size_t s = first + j;
                const auto col = static_cast<Eigen::Index>(j);
                for (std::size_t at = 0; at < nsrc; ++at)
                    FSecondaryAt[s * nsrc + at] += weight * secondary(FSourceNodes[at], col);
                if (!wanted || fields.Width[s] == 0)
                    continue;
                double *field = fields.Field(s);
                const auto width = static_cast<std::size_t>(fields.Width[s]);
                for (std::size_t iz = 0; iz < fields.Rows; ++iz)
                    for (std::size_t i = 0; i < width; ++i) {
                        const auto node = static_cast<Eigen::Index>(iz * nx + static_cast<std::size_t>(fields.First[s]) + i);
                        field[iz * width + i] = secondary(node, col) + reference[col] * primary(node, col);
                    }
            }
            if (control.Progress)
                control.Progress(k * blocks + first / block + 1, nk * blocks);
            if (cancelled())
                return false;
        }
        if (wanted)
            AddSensitivities(k, fields, *windows, *sensitivities);
        if (cancelled())
            return false;
    }
    return true;
}

double TSectionForward::Potential(int source, int at) const
{
    if (source == at)
        return 0.0;
    const auto s = static_cast<std::size_t>(source), a = static_cast<std::size_t>(at);
    const double r = std::abs(FSources[s] - FSources[a]);
    return FReferenceResistivity[s] / (2 * std::numbers::pi * r) + FSecondaryAt[s * FSources.size() + a];
}

double TSectionForward::Voltage(int a, int b, int m, int n) const
{
    double u = Potential(a, m);
    if (n >= 0)
        u -= Potential(a, n);
    if (b >= 0) {
        u -= Potential(b, m);
        if (n >= 0)
            u += Potential(b, n);
    }
    return u;
}

void TSectionForward::AddSensitivities(std::size_t k, const TFieldWindows &fields,
                                       const std::vector<TSensitivityWindow> &windows,
                                       TWindowedJacobian &sensitivities) const
{
    const double k2 = FWavenumbers.K[k] * FWavenumbers.K[k];
    const double weight = 4.0 / std::numbers::pi * FWavenumbers.W[k];
    const std::size_t rows = fields.Rows;
    std::vector<double> source, receiver;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const TSensitivityWindow &w = windows[i];
        // The current and the measuring dipole's fields on the window's nodes.
        const int first = FColumnFirstNode[static_cast<std::size_t>(w.FirstColumn)];
        const int width = FColumnLastNode[static_cast<std::size_t>(w.LastColumn)] - first + 1;
        source.resize(static_cast<std::size_t>(width) * rows);
        receiver.resize(source.size());
        for (std::size_t iz = 0; iz < rows; ++iz)
            for (int c = 0; c < width; ++c) {
                const std::size_t local = iz * static_cast<std::size_t>(width) + static_cast<std::size_t>(c);
                source[local] = fields.At(w.A, first + c, iz) - (w.B >= 0 ? fields.At(w.B, first + c, iz) : 0.0);
                receiver[local] = fields.At(w.M, first + c, iz) - (w.N >= 0 ? fields.At(w.N, first + c, iz) : 0.0);
            }

        double *row = sensitivities.Row(i);
        const int rowWidth = w.LastColumn - w.FirstColumn + 1;
        for (int column = w.FirstColumn; column <= w.LastColumn; ++column) {
            const auto c = static_cast<std::size_t>(column);
            for (std::size_t at = FColumnTriangleStart[c]; at < FColumnTriangleStart[c + 1]; ++at) {
                const auto e = static_cast<std::size_t>(FColumnTriangles[at]);
                const auto &place = FTriangleNodePlaces[e];
                double u[3], v[3];
                for (std::size_t j = 0; j < 3; ++j) {
                    const auto local = static_cast<std::size_t>(place[2 * j + 1] * width + place[2 * j] - first);
                    u[j] = source[local];
                    v[j] = receiver[local];
                }
                const auto &s = FStiffness[e];
                const double stiffness = s[0] * u[0] * v[0] + s[3] * u[1] * v[1] + s[5] * u[2] * v[2] +
                                         s[1] * (u[0] * v[1] + u[1] * v[0]) + s[2] * (u[0] * v[2] + u[2] * v[0]) +
                                         s[4] * (u[1] * v[2] + u[2] * v[1]);
                const double mass =
                    FArea[e] / 12.0 * ((u[0] + u[1] + u[2]) * (v[0] + v[1] + v[2]) + u[0] * v[0] + u[1] * v[1] + u[2] * v[2]);
                const int cellRow = FMesh.TriangleCell[e] / FMesh.CellColumns;
                row[cellRow * rowWidth + column - w.FirstColumn] += weight * FTriangleConductivity[e] * (stiffness + k2 * mass);
            }
        }
    }
}

} // namespace inversion
