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
    // resistivity). keepFields prepares LogJacobian.
    std::vector<double> ApparentResistivities(const std::vector<double> &triangleResistivities, bool keepFields);
    // d log(rho_a) / d log(rho_cell) for every reading and cell, at the earth
    // of the last ApparentResistivities with keepFields. Stops early (rows
    // left 0) once `cancel` is set.
    Eigen::MatrixXd LogJacobian(const std::atomic<bool> *cancel = nullptr) const;

private:
    struct TElectrodes {
        int A, B, M, N;
    };
    std::vector<TSectionReading> FReadings;
    std::vector<TElectrodes> FElectrodes;
    std::vector<double> FHalfSpaceSign;
    std::vector<double> FVoltages;
    std::unique_ptr<TSectionMesh> FMesh;
    std::unique_ptr<TSectionForward> FForward;
};

struct TSectionInversionOptions {
    double HorizontalSmoothing = 1.0; // weight of the differences between neighbours in a row
    double VerticalSmoothing = 1.0;   // weight of the differences between neighbours in a column
    bool Robust = false;              // L1-like data weights that play down outliers
    int MaxIterations = 10;
    TSectionMeshOptions Mesh;
};

struct TSectionProgress {
    int Iteration = 0;     // iterations done (0: the starting model)
    int MaxIterations = 0;
    double RmsPercent = 0; // of the model reached
    double ChiSquared = 0;
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
// MaxIterations, or when `cancel` is set (the last model is kept). progress
// is called for the starting model and after every iteration.
TSectionModel InvertSection(const std::vector<TSectionReading> &readings, const TSectionInversionOptions &options,
                            const std::function<void(const TSectionProgress &)> &progress = {},
                            const std::atomic<bool> *cancel = nullptr);

} // namespace inversion
