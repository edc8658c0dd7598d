// Forward modelling of a set of 2D readings and their smoothness-constrained
// Gauss-Newton inversion for the resistivities of the section's cells.
#pragma once

#include "inversion/SectionForward.h"
#include "inversion/SectionMesh.h"
#include "inversion/SectionSurvey.h"

#include <Eigen/Core>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace inversion {

// The mesh, the forward solution and the electrode indices of a set of
// readings.
class TSectionModelling {
public:
    // legendrePoints and laguerrePoints: the wavenumber set (SectionWavenumbers).
    TSectionModelling(const std::vector<TSectionReading> &readings, const TSectionMeshOptions &meshOptions = {},
                      int legendrePoints = 8, int laguerrePoints = 4);

    const TSectionMesh &Mesh() const { return *FMesh; }
    TSectionForward &Forward() { return *FForward; }

    // One resistivity per triangle from a function of (x, z): the geometric
    // mean over 16 points spread evenly over the triangle.
    std::vector<double> TriangleResistivities(const std::function<double(double x, double z)> &earth) const;
    // One resistivity per triangle from one per model cell.
    std::vector<double> TriangleResistivities(const std::vector<double> &cellResistivities) const;

    // Apparent resistivity of every reading over the given earth (k U / I
    // with the survey model's k, signed so that a homogeneous earth gives its
    // resistivity). withSensitivities also computes the log Jacobian.
    std::vector<double> ApparentResistivities(const std::vector<double> &triangleResistivities,
                                              bool withSensitivities);
    // The same with progress and cancel: false when
    // cancelled, `apparent` and the Jacobian then incomplete.
    bool ApparentResistivities(const std::vector<double> &triangleResistivities, bool withSensitivities,
                               const TForwardControl &control, std::vector<double> &apparent);
    // d log(rho_a) / d log(rho_cell) of every reading for the cells of its
    // window, at the earth of the last ApparentResistivities with
    // sensitivities.
    const TWindowedJacobian &WindowedLogJacobian() const { return FJacobian; }
    // The same as a whole matrix (zeros outside the windows).
    Eigen::MatrixXd LogJacobian() const { return FJacobian.Dense(); }

    // Each reading's window: the cell columns from its leftmost to its
    // rightmost electrode on the line, widened on both sides by that
    // distance, at least MinimumWindowColumns (remote electrodes do not
    // widen it). Off: every reading's window is the whole section.
    void SetWindowed(bool windowed);
    static constexpr int MinimumWindowColumns = 4;
    // The span of the widest reading: from its leftmost to its rightmost
    // electrode on the line (m).
    static double WidestReading(const std::vector<TSectionReading> &readings);

private:
    struct TElectrodes {
        int A, B, M, N;
    };
    std::vector<TSectionReading> FReadings;
    std::vector<TElectrodes> FElectrodes;
    std::vector<double> FHalfSpaceSign;
    std::vector<double> FVoltages;
    std::vector<TSensitivityWindow> FFullWindows, FWindows; // whole section; around each reading
    bool FWindowed = true;
    TWindowedJacobian FJacobian;
    std::unique_ptr<TSectionMesh> FMesh;
    std::unique_ptr<TSectionForward> FForward;
};

struct TSectionInversionOptions {
    double HorizontalSmoothing = 1.0; // weight of the differences between neighbours in a row
    double VerticalSmoothing = 1.0;   // weight of the differences between neighbours in a column
    bool Robust = false;              // L1-like data weights that play down outliers
    int MaxIterations = 10;
    TSectionMeshOptions Mesh;
    // Progress also within an iteration (stages with their share done), not
    // only for each model reached.
    bool StageProgress = false;
};

// What an inversion is doing when it reports progress.
enum class TSectionStage {
    Model,     // a model is reached: the starting model or that of an iteration
    Modelling, // the forward solution (and sensitivities) of a model, by wavenumbers and blocks of electrodes
    Solving,   // the conjugate gradients for an iteration's step
};

struct TSectionProgress {
    int Iteration = 0;     // iterations done (0: the starting model)
    int MaxIterations = 0;
    double RmsPercent = 0; // of the last model reached
    double ChiSquared = 0;
    TSectionStage Stage = TSectionStage::Model;
    double StageFraction = 1; // share of the stage done, 0 to 1
};

struct TSectionModel {
    std::vector<TSectionCell> Cells;
    std::vector<double> Resistivity;    // Ohm*m per cell
    std::vector<double> Response;       // model apparent resistivity per reading
    std::vector<double> MisfitPercent;  // 100 (response - measured) / measured per reading
    int Iterations = 0;
    double RmsPercent = 0;              // root mean square of the relative log misfit, %
    double ChiSquared = 0;              // mean square of the misfit over the errors
    bool Converged = false;
    bool Cancelled = false;
};

// Gauss-Newton on the log resistivities of the cells: each iteration solves
// (J' W J + lambda R' R) dm = J' W (d - f) - lambda R' R m for the log
// apparent resistivities d, the response f, the data weights W (1 / error^2,
// times the robust weights) and R the first differences of neighbouring cells
// scaled by the horizontal and vertical weights, then searches the step length
// (1, 1/2, 1/4) that lowers the objective. The start is the homogeneous earth
// of the median apparent resistivity; lambda starts at the ratio of the
// traces of J' W J and R' R and is halved after each iteration while
// chi-squared stays above 1, raised by half when it falls below 0.8, so that
// chi-squared approaches 1. The inversion stops when chi-squared is within
// 0.8 to 1.2, when it improves by less than 1 % in an iteration, after
// MaxIterations, or when `cancel` is set (the last complete model is kept;
// cancel is read after every block of sources of a forward solution and
// every few conjugate-gradient steps). J is the windowed Jacobian
// (TWindowedJacobian) and the system is solved by conjugate gradients with
// a Jacobi preconditioner, without forming J' W J, so that memory and time
// grow with the readings times the windows, not with the cells squared.
// progress is called for the starting model and after every iteration and,
// with options.StageProgress, also after every block of electrodes of every
// wavenumber of a forward solution and every few conjugate-gradient steps.
TSectionModel InvertSection(const std::vector<TSectionReading> &readings, const TSectionInversionOptions &options,
                            const std::function<void(const TSectionProgress &)> &progress = {},
                            const std::atomic<bool> *cancel = nullptr);

} // namespace inversion
