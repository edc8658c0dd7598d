#include "inversion/SectionInversion.h"

#include <Eigen/Cholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace inversion {

// ---- Modelling ----

TSectionModelling::TSectionModelling(const std::vector<TSectionReading> &readings,
                                     const TSectionMeshOptions &meshOptions, int legendrePoints,
                                     int laguerrePoints)
    : FReadings(readings)
{
    const std::vector<double> line = LinePositions(readings);
    const std::vector<double> far = FarPositions(readings);
    FMesh = std::make_unique<TSectionMesh>(line, far, meshOptions);
    std::vector<double> sources = line;
    sources.insert(sources.end(), far.begin(), far.end());
    FForward = std::make_unique<TSectionForward>(*FMesh, sources, SectionWavenumbers(FMesh->SmallestGap, legendrePoints, laguerrePoints));

    for (const TSectionReading &r : readings) {
        TElectrodes e{FForward->SourceIndex(r.A), FForward->SourceIndex(r.B),
                      FForward->SourceIndex(r.M), r.RemoteN ? -1 : FForward->SourceIndex(r.N)};
        FElectrodes.push_back(e);
        // Sign of the voltage over a homogeneous earth, from the same electrodes.
        auto inverse = [](double p, double q) { return p == q ? 0.0 : 1.0 / std::abs(p - q); };
        double sum = inverse(r.A, r.M) - (r.RemoteN ? 0.0 : inverse(r.A, r.N)) - inverse(r.B, r.M) +
                     (r.RemoteN ? 0.0 : inverse(r.B, r.N));
        FHalfSpaceSign.push_back(sum < 0 ? -1.0 : 1.0);
    }
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
                                                             bool keepFields)
{
    FForward->Solve(triangleResistivities, keepFields);
    std::vector<double> result(FReadings.size());
    FVoltages.resize(FReadings.size());
    for (std::size_t i = 0; i < FReadings.size(); ++i) {
        const TElectrodes &e = FElectrodes[i];
        FVoltages[i] = FForward->Voltage(e.A, e.B, e.M, e.N);
        result[i] = FReadings[i].GeometricFactor * FHalfSpaceSign[i] * FVoltages[i];
    }
    return result;
}

Eigen::MatrixXd TSectionModelling::LogJacobian(const std::atomic<bool> *cancel) const
{
    const auto cells = static_cast<Eigen::Index>(FMesh->Cells.size());
    Eigen::MatrixXd jacobian = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(FReadings.size()), cells);
    std::vector<double> row(static_cast<std::size_t>(cells));
    for (std::size_t i = 0; i < FReadings.size(); ++i) {
        if (cancel && cancel->load())
            break;
        std::fill(row.begin(), row.end(), 0.0);
        const TElectrodes &e = FElectrodes[i];
        FForward->AddSensitivities(e.A, e.B, e.M, e.N, row.data());
        const double voltage = FVoltages[i];
        for (Eigen::Index j = 0; j < cells; ++j)
            jacobian(static_cast<Eigen::Index>(i), j) = voltage != 0 ? row[static_cast<std::size_t>(j)] / voltage : 0.0;
    }
    return jacobian;
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
    Eigen::VectorXd model = Eigen::VectorXd::Constant(cells, std::log(measured[static_cast<std::size_t>(n / 2)]));

    auto cellResistivities = [](const Eigen::VectorXd &m) {
        std::vector<double> values(static_cast<std::size_t>(m.size()));
        for (Eigen::Index j = 0; j < m.size(); ++j)
            values[static_cast<std::size_t>(j)] = std::exp(m[j]);
        return values;
    };
    auto cancelled = [&] { return cancel && cancel->load(); };

    const Eigen::SparseMatrix<double> roughness =
        Roughness(mesh, options.HorizontalSmoothing, options.VerticalSmoothing);
    const Eigen::MatrixXd roughnessNormal = Eigen::MatrixXd(roughness.transpose() * roughness);

    std::vector<double> response =
        modelling.ApparentResistivities(modelling.TriangleResistivities(cellResistivities(model)), true);
    TFit fit = Fit(data, response, error);
    double lambda = -1;
    TSectionModel result;
    if (progress)
        progress({0, options.MaxIterations, fit.RmsPercent, fit.ChiSquared});

    for (int iteration = 1; iteration <= options.MaxIterations; ++iteration) {
        if (cancelled()) {
            result.Cancelled = true;
            break;
        }
        const Eigen::MatrixXd jacobian = modelling.LogJacobian(cancel);
        if (cancelled()) {
            result.Cancelled = true;
            break;
        }
        Eigen::VectorXd weights = error.array().square().inverse();
        if (options.Robust)
            for (Eigen::Index i = 0; i < n; ++i)
                weights[i] /= std::max(1.0, std::abs(fit.Residual[i]) / error[i]);
        const Eigen::MatrixXd weighted = weights.asDiagonal() * jacobian;
        const Eigen::MatrixXd normal = jacobian.transpose() * weighted;
        if (lambda < 0)
            lambda = normal.trace() / std::max(roughnessNormal.trace(), 1e-30);

        auto objective = [&](const Eigen::VectorXd &residual, const Eigen::VectorXd &m) {
            return (weights.array() * residual.array().square()).sum() + lambda * (roughness * m).squaredNorm();
        };
        const double current = objective(fit.Residual, model);
        const Eigen::MatrixXd system = normal + lambda * roughnessNormal;
        const Eigen::VectorXd gradient = weighted.transpose() * fit.Residual - lambda * (roughnessNormal * model);
        const Eigen::VectorXd step = system.ldlt().solve(gradient);

        bool improved = false;
        Eigen::VectorXd trial;
        TFit trialFit;
        for (double length : {1.0, 0.5, 0.25}) {
            if (cancelled())
                break;
            trial = model + length * step;
            response = modelling.ApparentResistivities(modelling.TriangleResistivities(cellResistivities(trial)), true);
            trialFit = Fit(data, response, error);
            if (objective(trialFit.Residual, trial) < current) {
                improved = true;
                break;
            }
        }
        if (!improved) {
            // Keep the model and its fields as they were.
            response = modelling.ApparentResistivities(modelling.TriangleResistivities(cellResistivities(model)), true);
            result.Cancelled = cancelled();
            result.Converged = !result.Cancelled;
            break;
        }
        const double before = fit.ChiSquared;
        model = trial;
        fit = trialFit;
        result.Iterations = iteration;
        if (progress)
            progress({iteration, options.MaxIterations, fit.RmsPercent, fit.ChiSquared});
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
