#include "inversion/SectionInversion.h"

#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>

namespace inversion {

// ---- Modelling ----

double TSectionModelling::WidestReading(const std::vector<TSectionReading> &readings)
{
    double widest = 0;
    for (const TSectionReading &r : readings) {
        double low = std::min(r.A, r.M), high = std::max(r.A, r.M);
        if (!r.RemoteB) {
            low = std::min(low, r.B);
            high = std::max(high, r.B);
        }
        if (!r.RemoteN) {
            low = std::min(low, r.N);
            high = std::max(high, r.N);
        }
        widest = std::max(widest, high - low);
    }
    return widest;
}

TSectionModelling::TSectionModelling(const std::vector<TSectionReading> &readings,
                                     const TSectionMeshOptions &meshOptions, int legendrePoints,
                                     int laguerrePoints)
    : FReadings(readings)
{
    const std::vector<double> line = LinePositions(readings);
    const std::vector<double> far = FarPositions(readings);
    FMesh = std::make_unique<TSectionMesh>(line, far, meshOptions, WidestReading(readings));
    std::vector<double> sources = line;
    sources.insert(sources.end(), far.begin(), far.end());
    FForward = std::make_unique<TSectionForward>(*FMesh, sources, SectionWavenumbers(FMesh->SmallestGap, legendrePoints, laguerrePoints));

    // The cell columns are centred on the line's electrodes, left to right.
    std::vector<double> columns = line;
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    auto columnOf = [&](double x) {
        return static_cast<int>(std::lower_bound(columns.begin(), columns.end(), x) - columns.begin());
    };
    const int lastColumn = FMesh->CellColumns - 1;
    for (const TSectionReading &r : readings) {
        TElectrodes e{FForward->SourceIndex(r.A), FForward->SourceIndex(r.B),
                      FForward->SourceIndex(r.M), r.RemoteN ? -1 : FForward->SourceIndex(r.N)};
        FElectrodes.push_back(e);
        // Sign of the voltage over a homogeneous earth, from the same electrodes.
        auto inverse = [](double p, double q) { return p == q ? 0.0 : 1.0 / std::abs(p - q); };
        double sum = inverse(r.A, r.M) - (r.RemoteN ? 0.0 : inverse(r.A, r.N)) - inverse(r.B, r.M) +
                     (r.RemoteN ? 0.0 : inverse(r.B, r.N));
        FHalfSpaceSign.push_back(sum < 0 ? -1.0 : 1.0);

        int low = std::min(columnOf(r.A), columnOf(r.M)), high = std::max(columnOf(r.A), columnOf(r.M));
        if (!r.RemoteB) {
            low = std::min(low, columnOf(r.B));
            high = std::max(high, columnOf(r.B));
        }
        if (!r.RemoteN) {
            low = std::min(low, columnOf(r.N));
            high = std::max(high, columnOf(r.N));
        }
        const int widen = std::max(MinimumWindowColumns, high - low);
        FWindows.push_back({e.A, e.B, e.M, e.N, std::max(0, low - widen), std::min(lastColumn, high + widen)});
        FFullWindows.push_back({e.A, e.B, e.M, e.N, 0, lastColumn});
    }
}

void TSectionModelling::SetWindowed(bool windowed)
{
    FWindowed = windowed;
}

std::vector<double>
TSectionModelling::TriangleResistivities(const std::function<double(double x, double z)> &earth) const
{
    // The mean log resistivity of 16 points spread over the triangle (the
    // centres of its quarters' quarters), so that a boundary through a
    // triangle counts by the share of the triangle on either side.
    constexpr int parts = 4;
    std::vector<double> values(FMesh->Triangles.size());
    for (std::size_t e = 0; e < values.size(); ++e) {
        const auto &t = FMesh->Triangles[e];
        double x[3], z[3];
        for (std::size_t i = 0; i < 3; ++i) {
            x[i] = FMesh->NodeX(t[i]);
            z[i] = FMesh->NodeZ(t[i]);
        }
        double sum = 0;
        int count = 0;
        for (int i = 0; i < parts; ++i) {
            for (int j = 0; i + j < parts; ++j) {
                // Upright sub-triangle (i, j) and, where there is one, the inverted one beside it.
                const double upright[2][2] = {{i + 1.0 / 3, j + 1.0 / 3}, {i + 2.0 / 3, j + 2.0 / 3}};
                for (int k = 0; k < (i + j + 1 < parts ? 2 : 1); ++k) {
                    const double u = upright[k][0] / parts, v = upright[k][1] / parts;
                    const double px = x[0] + u * (x[1] - x[0]) + v * (x[2] - x[0]);
                    const double pz = z[0] + u * (z[1] - z[0]) + v * (z[2] - z[0]);
                    sum += std::log(earth(px, pz));
                    ++count;
                }
            }
        }
        values[e] = std::exp(sum / count);
    }
    return values;
}

std::vector<double> TSectionModelling::TriangleResistivities(const std::vector<double> &cellResistivities) const
{
    std::vector<double> values(FMesh->Triangles.size());
    for (std::size_t e = 0; e < values.size(); ++e)
        values[e] = cellResistivities[static_cast<std::size_t>(FMesh->TriangleCell[e])];
    return values;
}

std::vector<double> TSectionModelling::ApparentResistivities(const std::vector<double> &triangleResistivities,
                                                             bool withSensitivities)
{
    std::vector<double> apparent;
    ApparentResistivities(triangleResistivities, withSensitivities, {}, apparent);
    return apparent;
}

bool TSectionModelling::ApparentResistivities(const std::vector<double> &triangleResistivities,
                                              bool withSensitivities, const TForwardControl &control,
                                              std::vector<double> &apparent)
{
    const std::vector<TSensitivityWindow> *windows =
        withSensitivities ? (FWindowed ? &FWindows : &FFullWindows) : nullptr;
    if (!FForward->Solve(triangleResistivities, windows, withSensitivities ? &FJacobian : nullptr, control))
        return false;
    apparent.resize(FReadings.size());
    FVoltages.resize(FReadings.size());
    for (std::size_t i = 0; i < FReadings.size(); ++i) {
        const TElectrodes &e = FElectrodes[i];
        FVoltages[i] = FForward->Voltage(e.A, e.B, e.M, e.N);
        apparent[i] = FReadings[i].GeometricFactor * FHalfSpaceSign[i] * FVoltages[i];
        // d log U = dU / U.
        if (withSensitivities)
            FJacobian.ScaleRow(i, FVoltages[i] != 0 ? 1.0 / FVoltages[i] : 0.0);
    }
    return true;
}

// ---- Inversion ----

namespace {

// First differences between neighbouring cells, scaled by the weights.
Eigen::SparseMatrix<double> Roughness(const TSectionMesh &mesh, double horizontal, double vertical)
{
    std::vector<Eigen::Triplet<double>> entries;
    int row = 0;
    for (int r = 0; r < mesh.CellRows; ++r) {
        for (int c = 0; c < mesh.CellColumns; ++c) {
            const int cell = r * mesh.CellColumns + c;
            if (c + 1 < mesh.CellColumns && horizontal > 0) {
                entries.emplace_back(row, cell, -horizontal);
                entries.emplace_back(row, cell + 1, horizontal);
                ++row;
            }
            if (r + 1 < mesh.CellRows && vertical > 0) {
                entries.emplace_back(row, cell, -vertical);
                entries.emplace_back(row, cell + mesh.CellColumns, vertical);
                ++row;
            }
        }
    }
    Eigen::SparseMatrix<double> roughness(row, static_cast<Eigen::Index>(mesh.Cells.size()));
    roughness.setFromTriplets(entries.begin(), entries.end());
    return roughness;
}

struct TFit {
    Eigen::VectorXd Residual; // log measured - log response
    double ChiSquared = 0;
    double RmsPercent = 0;
};

TFit Fit(const Eigen::VectorXd &data, const std::vector<double> &response, const Eigen::VectorXd &error)
{
    TFit fit;
    const auto n = data.size();
    fit.Residual.resize(n);
    for (Eigen::Index i = 0; i < n; ++i)
        fit.Residual[i] = data[i] - std::log(std::max(response[static_cast<std::size_t>(i)], 1e-12));
    fit.ChiSquared = (fit.Residual.array() / error.array()).square().mean();
    fit.RmsPercent = 100.0 * std::sqrt(fit.Residual.array().square().mean());
    return fit;
}

// Solves (J' W J + lambda R' R) x = b by conjugate gradients, the matrix
// applied as J' (W (J p)) + lambda (R'R) p without forming J' W J, with its
// diagonal as preconditioner; stops at a residual of StepTolerance times
// |b|. tick(share done) is called every few steps and returns false to stop
// (then false).
constexpr double StepTolerance = 1e-6;
constexpr int StepTickEvery = 10;

bool ConjugateGradients(const TWindowedJacobian &jacobian, const Eigen::VectorXd &weights,
                        const Eigen::SparseMatrix<double> &roughnessNormal, double lambda,
                        const Eigen::VectorXd &diagonal, const Eigen::VectorXd &b, Eigen::VectorXd &x,
                        const std::function<bool(double)> &tick)
{
    const Eigen::Index cells = b.size();
    x = Eigen::VectorXd::Zero(cells);
    const double bNorm = b.norm();
    if (bNorm == 0)
        return true;
    const Eigen::VectorXd inverseDiagonal = diagonal.cwiseMax(1e-300).cwiseInverse();
    Eigen::VectorXd r = b;
    Eigen::VectorXd z = inverseDiagonal.cwiseProduct(r);
    Eigen::VectorXd p = z;
    double rz = r.dot(z);
    const Eigen::Index maxSteps = std::max<Eigen::Index>(200, cells);
    for (Eigen::Index step = 1; step <= maxSteps; ++step) {
        const Eigen::VectorXd q =
            jacobian.MultiplyTransposed(weights.cwiseProduct(jacobian.Multiply(p))) + lambda * (roughnessNormal * p);
        const double curvature = p.dot(q);
        if (!(curvature > 0))
            break;
        const double alpha = rz / curvature;
        x += alpha * p;
        r -= alpha * q;
        const double relative = r.norm() / bNorm;
        if (relative <= StepTolerance)
            break;
        if (step % StepTickEvery == 0 && !tick(std::clamp(std::log(relative) / std::log(StepTolerance), 0.0, 1.0)))
            return false;
        z = inverseDiagonal.cwiseProduct(r);
        const double rzNext = r.dot(z);
        p = z + (rzNext / rz) * p;
        rz = rzNext;
    }
    return true;
}

} // namespace

TSectionModel InvertSection(const std::vector<TSectionReading> &readings, const TSectionInversionOptions &options,
                            const std::function<void(const TSectionProgress &)> &progress,
                            const std::atomic<bool> *cancel)
{
    if (readings.size() < MinimumSectionReadings)
        throw std::invalid_argument("too few readings");
    TSectionModelling modelling(readings, options.Mesh);
    const TSectionMesh &mesh = modelling.Mesh();
    const auto n = static_cast<Eigen::Index>(readings.size());
    const auto cells = static_cast<Eigen::Index>(mesh.Cells.size());

    Eigen::VectorXd data(n), error(n);
    std::vector<double> measured;
    for (Eigen::Index i = 0; i < n; ++i) {
        const TSectionReading &r = readings[static_cast<std::size_t>(i)];
        data[i] = std::log(r.Resistivity);
        error[i] = std::log1p(r.ErrorPercent / 100.0);
        measured.push_back(r.Resistivity);
    }
    std::nth_element(measured.begin(), measured.begin() + n / 2, measured.end());
    const double startResistivity = measured[static_cast<std::size_t>(n / 2)];
    Eigen::VectorXd model = Eigen::VectorXd::Constant(cells, std::log(startResistivity));

    auto cellResistivities = [](const Eigen::VectorXd &m) {
        std::vector<double> values(static_cast<std::size_t>(m.size()));
        for (Eigen::Index j = 0; j < m.size(); ++j)
            values[static_cast<std::size_t>(j)] = std::exp(m[j]);
        return values;
    };
    auto cancelled = [&] { return cancel && cancel->load(); };

    const Eigen::SparseMatrix<double> roughness =
        Roughness(mesh, options.HorizontalSmoothing, options.VerticalSmoothing);
    const Eigen::SparseMatrix<double> roughnessNormal = roughness.transpose() * roughness;
    const Eigen::VectorXd roughnessDiagonal = roughnessNormal.diagonal();

    int done = 0; // iterations done
    TFit fit;     // of the model reached
    auto report = [&](TSectionStage stage, double fraction) {
        if (progress && (stage == TSectionStage::Model || options.StageProgress))
            progress({done, options.MaxIterations, fit.RmsPercent, fit.ChiSquared, stage, fraction});
    };
    TForwardControl control;
    control.Cancel = cancel;
    if (progress && options.StageProgress)
        control.Progress = [&](std::size_t wavenumbers, std::size_t total) {
            report(TSectionStage::Modelling, static_cast<double>(wavenumbers) / static_cast<double>(total));
        };
    auto forward = [&](const Eigen::VectorXd &m, std::vector<double> &apparent) {
        return modelling.ApparentResistivities(modelling.TriangleResistivities(cellResistivities(m)), true, control,
                                               apparent);
    };

    TSectionModel result;
    std::vector<double> response;
    if (!forward(model, response)) {
        // Cancelled before the starting model's solution: over the homogeneous
        // starting earth every reading's apparent resistivity is that earth's.
        response.assign(readings.size(), startResistivity);
        result.Cancelled = true;
    }
    fit = Fit(data, response, error);
    double lambda = -1;
    if (!result.Cancelled)
        report(TSectionStage::Model, 1);

    for (int iteration = 1; iteration <= options.MaxIterations && !result.Cancelled; ++iteration) {
        if (cancelled()) {
            result.Cancelled = true;
            break;
        }
        const TWindowedJacobian &jacobian = modelling.WindowedLogJacobian();
        Eigen::VectorXd weights = error.array().square().inverse();
        if (options.Robust)
            for (Eigen::Index i = 0; i < n; ++i)
                weights[i] /= std::max(1.0, std::abs(fit.Residual[i]) / error[i]);
        const Eigen::VectorXd dataDiagonal = jacobian.WeightedColumnSquares(weights);
        if (lambda < 0)
            lambda = dataDiagonal.sum() / std::max(roughnessDiagonal.sum(), 1e-30);

        auto objective = [&](const Eigen::VectorXd &residual, const Eigen::VectorXd &m) {
            return (weights.array() * residual.array().square()).sum() + lambda * (roughness * m).squaredNorm();
        };
        const double current = objective(fit.Residual, model);
        const Eigen::VectorXd gradient =
            jacobian.MultiplyTransposed(weights.cwiseProduct(fit.Residual)) - lambda * (roughnessNormal * model);
        Eigen::VectorXd step;
        report(TSectionStage::Solving, 0);
        if (!ConjugateGradients(jacobian, weights, roughnessNormal, lambda, dataDiagonal + lambda * roughnessDiagonal,
                                gradient, step, [&](double share) {
                                    report(TSectionStage::Solving, share);
                                    return !cancelled();
                                })) {
            result.Cancelled = true;
            break;
        }

        bool improved = false;
        Eigen::VectorXd trial;
        std::vector<double> trialResponse;
        TFit trialFit;
        for (double length : {1.0, 0.5, 0.25}) {
            trial = model + length * step;
            if (cancelled() || !forward(trial, trialResponse))
                break;
            trialFit = Fit(data, trialResponse, error);
            if (objective(trialFit.Residual, trial) < current) {
                improved = true;
                break;
            }
        }
        if (!improved) {
            // The model and its response stay as they were.
            result.Cancelled = cancelled();
            result.Converged = !result.Cancelled;
            break;
        }
        const double before = fit.ChiSquared;
        model = trial;
        response = std::move(trialResponse);
        fit = trialFit;
        done = iteration;
        result.Iterations = iteration;
        report(TSectionStage::Model, 1);
        if (fit.ChiSquared >= 0.8 && fit.ChiSquared <= 1.2) {
            result.Converged = true;
            break;
        }
        if (fit.ChiSquared < 1.0 && before - fit.ChiSquared < 0.01 * before) {
            result.Converged = true;
            break;
        }
        if (fit.ChiSquared > 1.0 && before - fit.ChiSquared < 0.01 * before && iteration > 2) {
            result.Converged = true;
            break;
        }
        if (fit.ChiSquared > 1.0)
            lambda /= 2;
        else if (fit.ChiSquared < 0.8)
            lambda *= 1.5;
    }

    result.Cells = mesh.Cells;
    result.Resistivity = cellResistivities(model);
    result.Response = response;
    for (Eigen::Index i = 0; i < n; ++i) {
        const double measuredValue = readings[static_cast<std::size_t>(i)].Resistivity;
        result.MisfitPercent.push_back(100.0 * (response[static_cast<std::size_t>(i)] - measuredValue) / measuredValue);
    }
    result.RmsPercent = fit.RmsPercent;
    result.ChiSquared = fit.ChiSquared;
    return result;
}

} // namespace inversion
