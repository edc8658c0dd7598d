// 2.5D finite-element modelling of the DC potential of point sources on the
// surface of a 2D earth (resistivity varying along the line and with depth,
// constant across it).
//
// For each wavenumber k of the cosine transform across the line, the
// transformed potential solves -div(sigma grad u) + k^2 sigma u = source on
// the mesh (linear triangles), with mixed conditions on the left, right and
// bottom edges for a field that decays as K0(k r) from the line's centre and
// no flux through the surface. The singularity at each source is removed:
// the potential is the half-space potential rho0 I / (2 pi r) of the
// resistivity rho0 at the source, exact in space, plus a secondary field
// computed by the finite elements (zero over a homogeneous earth) and
// transformed back by a quadrature over the wavenumbers. One CHOLMOD
// factorisation per wavenumber serves every source.
#pragma once

#include "inversion/SectionJacobian.h"
#include "inversion/SectionMesh.h"

#include <Eigen/Core>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace inversion {

// Abscissae and weights with integral_0^inf f(k) dk ~ sum W[i] f(K[i]) for
// f like K0(k r), r between rMin and rMax.
struct TWavenumbers {
    std::vector<double> K, W;
};

// The wavenumber set: Gauss-Legendre points on [0, k0] after the change
// k = k0 t^3 (which smooths the logarithmic singularity of K0 at k = 0), and
// Gauss-Laguerre points on [k0, inf) in s = 2 rMin (k - k0) for the
// exponential decay of K0(k r); k0 = 1 / (2 rMin). The defaults (8 + 4
// points) reproduce 1/r = (2/pi) integral K0(k r) dk within 0.15 % for r from
// rMin to 100 rMin and within 2 % to 300 rMin. Only the secondary field (and
// the sensitivities) go through this sum; the half-space part of the
// potential is exact.
TWavenumbers SectionWavenumbers(double rMin, int legendrePoints = 8, int laguerrePoints = 4);

// The electrodes of one reading for its sensitivities (source indices of the
// forward solution, -1 for an electrode at infinity) and the cell columns
// they are computed for (inclusive).
struct TSensitivityWindow {
    int A = -1, B = -1, M = -1, N = -1;
    int FirstColumn = 0, LastColumn = 0;
};

// Progress and cancel of one forward solution: Progress(done, total) and a
// look at Cancel after every block of sources of every wavenumber (total:
// wavenumbers x blocks).
struct TForwardControl {
    std::function<void(std::size_t done, std::size_t total)> Progress;
    const std::atomic<bool> *Cancel = nullptr;
};

class TSectionForward {
public:
    // sources: the surface positions of every electrode that drives current
    // or measures (remote electrodes at their positions included); each must
    // be a surface node of the mesh. Throws std::invalid_argument otherwise.
    TSectionForward(const TSectionMesh &mesh, std::vector<double> sources, TWavenumbers wavenumbers);
    ~TSectionForward();
    TSectionForward(const TSectionForward &) = delete;
    TSectionForward &operator=(const TSectionForward &) = delete;

    // Computes the potentials of every source for one resistivity per mesh
    // triangle (Ohm*m, each > 0). With `windows` and `sensitivities`, also
    // d Voltage / d log(rho) of every window's reading for the cells of its
    // window (by reciprocity), into a new `sensitivities`.
    //
    // The work goes wavenumber by wavenumber and, within one, by blocks of
    // sources: the fields of one wavenumber are kept only on the node
    // columns the windows need and only until the wavenumber's share of the
    // sensitivities is added, so that memory grows with the sources times
    // the windows' width, not with the sources times the mesh times the
    // wavenumbers. Returns false when control.Cancel was set (the potentials
    // and sensitivities are then incomplete).
    bool Solve(const std::vector<double> &triangleResistivity,
               const std::vector<TSensitivityWindow> *windows = nullptr,
               TWindowedJacobian *sensitivities = nullptr, const TForwardControl &control = {});

    // Potential (V) at electrode `at` of a unit current (1 A) at electrode
    // `source`; 0 for the same electrode.
    double Potential(int source, int at) const;

    // Voltage U(M) - U(N) of a unit current in at A and out at B; b or n of
    // -1 is an electrode at infinity (left out).
    double Voltage(int a, int b, int m, int n) const;

    const TSectionMesh &Mesh() const { return FMesh; }
    const TWavenumbers &Wavenumbers() const { return FWavenumbers; }
    int SourceIndex(double position) const;
    // The primary fields of every source and wavenumber are computed once
    // and kept when they take at most this many bytes, else again in each
    // solution (they depend only on the mesh).
    static constexpr std::size_t PrimaryCacheBytes = std::size_t{256} << 20;

private:
    struct TSolver;
    struct TFieldWindows;

    void BuildUnitMatrices();
    // K0(k r) / (2 pi) at every node for sources [first, first + count) and
    // wavenumber k, one column per source; the value at the source itself
    // uses r of a third of the smallest mesh interval.
    void PrimaryFields(std::size_t k, std::size_t first, std::size_t count, Eigen::MatrixXd &fields) const;
    // Adds wavenumber k's share of every window's sensitivities.
    void AddSensitivities(std::size_t k, const TFieldWindows &fields, const std::vector<TSensitivityWindow> &windows,
                          TWindowedJacobian &sensitivities) const;

    const TSectionMesh &FMesh;
    std::vector<double> FSources;
    std::vector<int> FSourceNodes;
    TWavenumbers FWavenumbers;
    std::unique_ptr<TSolver> FSolver;
    double FSmallestInterval = 0;
    std::vector<Eigen::MatrixXd> FPrimary;     // kept primary fields per wavenumber (nodes x sources), or empty
    std::vector<double> FReferenceResistivity; // rho0 of each source
    std::vector<double> FSecondaryAt;          // nsrc x nsrc: secondary potential (space domain) at each electrode
    std::vector<double> FTriangleConductivity;
    // Element matrices of unit conductivity: stiffness (6 entries of the
    // symmetric 3x3) and area.
    std::vector<std::array<double, 6>> FStiffness;
    std::vector<double> FArea;
    // Triangles by cell column (CSR) and the node columns each cell column's
    // triangles reach.
    std::vector<std::size_t> FColumnTriangleStart;
    std::vector<int> FColumnTriangles;
    std::vector<int> FColumnFirstNode, FColumnLastNode;
    // Node column and row of each triangle's corners: (column, row) x 3.
    std::vector<std::array<int, 6>> FTriangleNodePlaces;
};

} // namespace inversion
