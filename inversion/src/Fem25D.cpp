#include "inversion/SectionForward.h"

#include <Eigen/CholmodSupport>
#include <Eigen/Eigenvalues>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
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
    if (x > 700.0)
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
    BuildUnitMatrices();
    BuildPrimaryFields();
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

void TSectionForward::BuildPrimaryFields()
{
    const std::size_t nk = FWavenumbers.K.size();
    const std::size_t nodes = FMesh.NodeCount();
    double smallest = FMesh.X[1] - FMesh.X[0];
    for (std::size_t i = 1; i < FMesh.X.size(); ++i)
        smallest = std::min(smallest, FMesh.X[i] - FMesh.X[i - 1]);
    const double floor = smallest / 3;
    FPrimary.assign(FSources.size() * nk, Eigen::VectorXd());
    for (std::size_t s = 0; s < FSources.size(); ++s) {
        const double xs = FMesh.NodeX(FSourceNodes[s]);
        for (std::size_t k = 0; k < nk; ++k) {
            Eigen::VectorXd &field = FPrimary[s * nk + k];
            field.resize(static_cast<Eigen::Index>(nodes));
            for (std::size_t node = 0; node < nodes; ++node) {
                const double r = std::max(floor, std::hypot(FMesh.NodeX(static_cast<int>(node)) - xs,
                                                             FMesh.NodeZ(static_cast<int>(node))));
                field[static_cast<Eigen::Index>(node)] = BesselK0(FWavenumbers.K[k] * r) / (2 * std::numbers::pi);
            }
        }
    }
}

void TSectionForward::Solve(const std::vector<double> &triangleResistivity, bool keepFields)
{
    if (triangleResistivity.size() != FMesh.Triangles.size())
        throw std::invalid_argument("one resistivity per triangle needed");
    FTriangleConductivity.resize(triangleResistivity.size());
    for (std::size_t e = 0; e < triangleResistivity.size(); ++e) {
        if (!(triangleResistivity[e] > 0) || !std::isfinite(triangleResistivity[e]))
            throw std::invalid_argument("resistivity must be positive");
        FTriangleConductivity[e] = 1.0 / triangleResistivity[e];
    }

    // Reference resistivity of each source: the mean conductivity of the
    // triangles that touch it, so that the secondary field starts there.
    const std::size_t nsrc = FSources.size();
    std::vector<double> touchSum(nsrc, 0.0), touchCount(nsrc, 0.0);
    for (std::size_t e = 0; e < FMesh.Triangles.size(); ++e)
        for (int node : FMesh.Triangles[e])
            for (std::size_t s = 0; s < nsrc; ++s)
                if (FSourceNodes[s] == node) {
                    touchSum[s] += FTriangleConductivity[e];
                    touchCount[s] += 1;
                }
    FReferenceResistivity.resize(nsrc);
    for (std::size_t s = 0; s < nsrc; ++s)
        FReferenceResistivity[s] = touchCount[s] / touchSum[s];

    const std::size_t nk = FWavenumbers.K.size();
    const auto n = static_cast<Eigen::Index>(FMesh.NodeCount());
    FSecondaryAt.assign(nsrc * nsrc, 0.0);
    if (keepFields)
        FSecondary.assign(nsrc * nk, Eigen::VectorXd());
    else
        FSecondary.clear();

    SparseMatrix &matrix = FSolver->Matrix;
    Eigen::VectorXd values, unitValues;
    for (std::size_t k = 0; k < nk; ++k) {
        const double wavenumber = FWavenumbers.K[k];
        FSolver->Assemble(*this, wavenumber, nullptr, unitValues);
        SparseMatrix unit = matrix;
        std::copy(unitValues.data(), unitValues.data() + unitValues.size(), unit.valuePtr());
        FSolver->Assemble(*this, wavenumber, FTriangleConductivity.data(), values);
        std::copy(values.data(), values.data() + values.size(), matrix.valuePtr());

        // Secondary sources: -(K(sigma) - K(sigma0)) u_p with u_p = rho0 P.
        Eigen::MatrixXd rhs(n, static_cast<Eigen::Index>(nsrc));
        for (std::size_t s = 0; s < nsrc; ++s) {
            const Eigen::VectorXd &primary = FPrimary[s * nk + k];
            rhs.col(static_cast<Eigen::Index>(s)) = unit * primary - FReferenceResistivity[s] * (matrix * primary);
        }
        if (!FSolver->Analysed) {
            FSolver->Cholesky.analyzePattern(matrix);
            FSolver->Analysed = true;
        }
        FSolver->Cholesky.factorize(matrix);
        if (FSolver->Cholesky.info() != Eigen::Success)
            throw std::runtime_error("factorisation failed");
        const Eigen::MatrixXd secondary = FSolver->Cholesky.solve(rhs);

        const double weight = 2.0 / std::numbers::pi * FWavenumbers.W[k];
        for (std::size_t s = 0; s < nsrc; ++s) {
            for (std::size_t at = 0; at < nsrc; ++at)
                FSecondaryAt[s * nsrc + at] += weight * secondary(FSourceNodes[at], static_cast<Eigen::Index>(s));
            if (keepFields)
                FSecondary[s * nk + k] = secondary.col(static_cast<Eigen::Index>(s));
        }
    }
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

double TSectionForward::TotalField(int source, std::size_t k, int node) const
{
    const std::size_t index = static_cast<std::size_t>(source) * FWavenumbers.K.size() + k;
    return FSecondary[index][node] + FReferenceResistivity[static_cast<std::size_t>(source)] * FPrimary[index][node];
}

void TSectionForward::AddSensitivities(int a, int b, int m, int n, double *row) const
{
    if (FSecondary.empty())
        throw std::logic_error("fields not kept");
    const std::size_t nk = FWavenumbers.K.size();
    for (std::size_t k = 0; k < nk; ++k) {
        const double k2 = FWavenumbers.K[k] * FWavenumbers.K[k];
        const double weight = 4.0 / std::numbers::pi * FWavenumbers.W[k];
        for (std::size_t e = 0; e < FMesh.Triangles.size(); ++e) {
            const auto &t = FMesh.Triangles[e];
            double source[3], receiver[3];
            for (std::size_t i = 0; i < 3; ++i) {
                source[i] = TotalField(a, k, t[i]) - (b >= 0 ? TotalField(b, k, t[i]) : 0.0);
                receiver[i] = TotalField(m, k, t[i]) - (n >= 0 ? TotalField(n, k, t[i]) : 0.0);
            }
            const auto &s = FStiffness[e];
            const double stiffness = s[0] * source[0] * receiver[0] + s[3] * source[1] * receiver[1] +
                                     s[5] * source[2] * receiver[2] +
                                     s[1] * (source[0] * receiver[1] + source[1] * receiver[0]) +
                                     s[2] * (source[0] * receiver[2] + source[2] * receiver[0]) +
                                     s[4] * (source[1] * receiver[2] + source[2] * receiver[1]);
            const double sumS = source[0] + source[1] + source[2], sumR = receiver[0] + receiver[1] + receiver[2];
            const double mass = FArea[e] / 12.0 *
                                (sumS * sumR + source[0] * receiver[0] + source[1] * receiver[1] + source[2] * receiver[2]);
            row[FMesh.TriangleCell[e]] += weight * FTriangleConductivity[e] * (stiffness + k2 * mass);
        }
    }
}

} // namespace inversion
