#include "inversion/SoundingInversion.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>

namespace inversion {

namespace {

// Bounds that keep the models physical while the steps search.
constexpr double LowestResistivity = 1e-2;
constexpr double HighestResistivity = 1e6;
constexpr double ThinnestLayer = 1e-2; // m
constexpr double ThickestLayer = 1e5;  // m

// The smooth model's interfaces run from a third of the shortest AB/2 to the
// longest, spaced evenly in log-depth.
constexpr double TopInterfaceFraction = 1.0 / 3.0;
constexpr double BottomInterfaceFraction = 1.0;
// The few-layer mode starts from a coarser smooth fit.
constexpr std::size_t StartingSmoothLayers = 16;

constexpr double TargetChiSquared = 1.0;
// A few-layer fit has converged when a step gains less than this part of the
// misfit.
constexpr double ConvergedGain = 1e-4;

using Eigen::Index;
using Eigen::MatrixXd;
using Eigen::VectorXd;

Index Ix(std::size_t i)
{
    return static_cast<Index>(i);
}

// Data in log space with their weights (1 / relative error).
struct Problem {
    const SoundingForward &forward;
    VectorXd observed; // ln rho_a
    VectorXd weights;  // 1 / relative error
};

VectorXd Logs(const std::vector<double> &values)
{
    VectorXd v(Ix(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        v(Ix(i)) = std::log(values[i]);
    return v;
}

// Sum of squared weighted misfits.
double Objective(const Problem &problem, const VectorXd &predictedLogs)
{
    return (problem.weights.array() * (problem.observed - predictedLogs).array()).square().sum();
}

LayerModel FromLogs(const VectorXd &logRho, const std::vector<double> &thicknesses)
{
    LayerModel model;
    model.thicknesses = thicknesses;
    for (Index i = 0; i < logRho.size(); ++i)
        model.resistivities.push_back(std::exp(std::clamp(logRho(i), std::log(LowestResistivity),
                                                          std::log(HighestResistivity))));
    return model;
}

// Few-layer parameters: ln rho_1..rho_n, ln h_1..h_{n-1}.
VectorXd ParametersOf(const LayerModel &model)
{
    const std::size_t n = model.LayerCount();
    VectorXd p(Ix(2 * n - 1));
    for (std::size_t i = 0; i < n; ++i)
        p(Ix(i)) = std::log(model.resistivities[i]);
    for (std::size_t i = 0; i + 1 < n; ++i)
        p(Ix(n + i)) = std::log(model.thicknesses[i]);
    return p;
}

LayerModel ModelOf(const VectorXd &p, std::size_t n)
{
    LayerModel model;
    for (std::size_t i = 0; i < n; ++i)
        model.resistivities.push_back(
            std::exp(std::clamp(p(Ix(i)), std::log(LowestResistivity), std::log(HighestResistivity))));
    for (std::size_t i = 0; i + 1 < n; ++i)
        model.thicknesses.push_back(
            std::exp(std::clamp(p(Ix(n + i)), std::log(ThinnestLayer), std::log(ThickestLayer))));
    return model;
}

struct Fit {
    LayerModel model;
    std::vector<double> response;
    double objective = std::numeric_limits<double>::infinity();
    std::size_t iterations = 0;
    MatrixXd weightedJacobian; // at the final model
};

// Thicknesses of the smooth model's fixed layering: the first layer reaches
// a third of the shortest AB/2, each further one is thicker by the same factor,
// and the deepest interface lies at the longest AB/2.
std::vector<double> SmoothThicknesses(const SoundingData &data, std::size_t layers)
{
    const auto [lo, hi] = std::minmax_element(data.spacings.begin(), data.spacings.end(),
                                              [](const auto &a, const auto &b) { return a.halfAB < b.halfAB; });
    const double first = TopInterfaceFraction * lo->halfAB;
    const double bottom = BottomInterfaceFraction * hi->halfAB;
    const std::size_t count = layers - 1;
    const auto depthWith = [&](double factor) {
        double depth = 0.0, h = first;
        for (std::size_t k = 0; k < count; ++k, h *= factor)
            depth += h;
        return depth;
    };
    // The growth factor by bisection (the depth grows with it).
    double low = 1.0, high = 4.0;
    while (depthWith(high) < bottom)
        high *= 2.0;
    for (int step = 0; step < 100; ++step) {
        const double mid = 0.5 * (low + high);
        (depthWith(mid) < bottom ? low : high) = mid;
    }
    const double factor = std::max(high, 1.0 + 1e-3); // never shrinking
    std::vector<double> thicknesses;
    double h = first;
    for (std::size_t k = 0; k < count; ++k, h *= factor)
        thicknesses.push_back(h);
    return thicknesses;
}

// Occam's inversion on a fixed layering: each step takes the smoothest model
// (first differences of ln rho) whose linearised misfit reaches the target.
// While the target is out of reach the smoothing is relaxed step by step (at
// most by a factor 4 per step, which keeps the linearisation honest), and a
// step that raises the penalised objective is shortened.
Fit SmoothFit(const Problem &problem, const SoundingData &data, std::size_t layers, std::size_t maxIterations)
{
    const std::vector<double> thicknesses = SmoothThicknesses(data, layers);
    const Index n = Ix(layers);
    const Index count = problem.observed.size();
    const double target = TargetChiSquared * static_cast<double>(count);

    MatrixXd roughness = MatrixXd::Zero(n - 1, n);
    for (Index i = 0; i + 1 < n; ++i) {
        roughness(i, i) = -1.0;
        roughness(i, i + 1) = 1.0;
    }
    const MatrixXd roughnessNormal = roughness.transpose() * roughness;

    VectorXd m = VectorXd::Constant(n, problem.observed.mean());
    MatrixXd jacobian;
    std::vector<double> response = problem.forward.ApparentResistivities(FromLogs(m, thicknesses), jacobian);
    double misfit = Objective(problem, Logs(response));
    double alpha = -1.0;
    std::size_t iteration = 0;
    for (; iteration < maxIterations; ++iteration) {
        const VectorXd predicted = Logs(response);
        // Only the resistivities move; the thicknesses stay.
        const MatrixXd jw = problem.weights.asDiagonal() * jacobian.leftCols(n);
        // Linearised: predicted(m') = predicted + J (m' - m).
        const VectorXd rhs = problem.weights.asDiagonal() * (problem.observed - predicted) + jw * m;
        const MatrixXd normal = jw.transpose() * jw;
        const VectorXd projected = jw.transpose() * rhs;
        const double scale = normal.trace() / static_cast<double>(n);
        if (alpha < 0.0)
            alpha = 100.0 * scale;
        const double lowest = alpha / 4.0;
        // From the smoothest down: the first that reaches the target, else the
        // least smoothing allowed in this step.
        double chosen = lowest;
        for (int k = 48; k >= -48; --k) {
            const double trial = scale * std::pow(10.0, k / 8.0);
            if (trial < lowest)
                break;
            const VectorXd candidate = (normal + trial * roughnessNormal).ldlt().solve(projected);
            if ((rhs - jw * candidate).squaredNorm() <= target) {
                chosen = trial;
                break;
            }
        }
        alpha = chosen;
        const VectorXd full = (normal + alpha * roughnessNormal).ldlt().solve(projected);
        const auto penalised = [&](double dataMisfit, const VectorXd &model) {
            return dataMisfit + alpha * (roughness * model).squaredNorm();
        };
        const double current = penalised(misfit, m);
        VectorXd next = full;
        std::vector<double> nextResponse;
        MatrixXd nextJacobian;
        double nextMisfit = 0.0;
        for (int halving = 0;; ++halving) {
            nextResponse = problem.forward.ApparentResistivities(FromLogs(next, thicknesses), nextJacobian);
            nextMisfit = Objective(problem, Logs(nextResponse));
            if (penalised(nextMisfit, next) <= current || halving == 6)
                break;
            next = 0.5 * (next + m);
        }
        const double change = (next - m).cwiseAbs().maxCoeff();
        const double previousMisfit = misfit;
        m = next;
        response = std::move(nextResponse);
        jacobian = std::move(nextJacobian);
        misfit = nextMisfit;
        // Converged: the model no longer moves, or the misfit no longer falls
        // while the target is out of reach.
        const bool atTarget = misfit <= 1.05 * target;
        if ((atTarget && change < 0.02) ||
            (!atTarget && change < 0.002 && previousMisfit - misfit < 0.001 * misfit)) {
            ++iteration;
            break;
        }
    }
    Fit fit;
    fit.model = FromLogs(m, thicknesses);
    fit.response = std::move(response);
    fit.objective = misfit;
    fit.iterations = iteration;
    fit.weightedJacobian = problem.weights.asDiagonal() * jacobian;
    return fit;
}

// Marquardt's damped Gauss-Newton from a starting model. The damping follows
// how well the linearised misfit predicted the gain of the last step
// (Nielsen's rule), so that few trial steps are refused.
Fit LayersFit(const Problem &problem, const LayerModel &start, std::size_t maxIterations)
{
    const std::size_t n = start.LayerCount();
    VectorXd p = ParametersOf(start);
    MatrixXd jacobian;
    Fit fit;
    fit.model = ModelOf(p, n);
    fit.response = problem.forward.ApparentResistivities(fit.model, jacobian);
    fit.objective = Objective(problem, Logs(fit.response));
    double lambda = 0.01;
    double raise = 2.0;
    for (std::size_t iteration = 0; iteration < maxIterations; ++iteration) {
        fit.iterations = iteration + 1;
        const MatrixXd jw = problem.weights.asDiagonal() * jacobian;
        const VectorXd rw = problem.weights.asDiagonal() * (problem.observed - Logs(fit.response));
        const MatrixXd normal = jw.transpose() * jw;
        const VectorXd gradient = jw.transpose() * rw;
        const VectorXd diagonal = normal.diagonal().cwiseMax(1e-9 * (normal.trace() + 1e-30));
        bool accepted = false;
        for (int attempt = 0; attempt < 12 && !accepted; ++attempt) {
            MatrixXd damped = normal;
            damped.diagonal() += lambda * diagonal;
            const VectorXd step = damped.ldlt().solve(gradient).cwiseMax(-2.0).cwiseMin(2.0); // at most e^2 per step
            const VectorXd trialP = p + step;
            const LayerModel trialModel = ModelOf(trialP, n);
            MatrixXd trialJacobian;
            std::vector<double> trialResponse = problem.forward.ApparentResistivities(trialModel, trialJacobian);
            const double trialObjective = Objective(problem, Logs(trialResponse));
            if (trialObjective < fit.objective) {
                const double gain = fit.objective - trialObjective;
                const double predicted = 2.0 * step.dot(gradient) - step.dot(normal * step);
                const double ratio = predicted > 0.0 ? gain / predicted : 0.0;
                lambda = std::max(lambda * std::max(1.0 / 3.0, 1.0 - std::pow(2.0 * ratio - 1.0, 3)), 1e-9);
                raise = 2.0;
                p = ParametersOf(trialModel);
                fit.model = trialModel;
                fit.response = std::move(trialResponse);
                jacobian = std::move(trialJacobian);
                fit.objective = trialObjective;
                accepted = true;
                if (gain < ConvergedGain * (trialObjective + 1e-12))
                    iteration = maxIterations; // converged
            } else {
                lambda *= raise;
                raise *= 2.0;
            }
        }
        if (!accepted)
            break;
    }
    fit.weightedJacobian = problem.weights.asDiagonal() * jacobian;
    return fit;
}

// Geometric mean of the smooth model's resistivity over [top, bottom).
double MeanResistivity(const LayerModel &smooth, double top, double bottom)
{
    double weighted = 0.0;
    double total = 0.0;
    double layerTop = 0.0;
    for (std::size_t i = 0; i < smooth.LayerCount(); ++i) {
        const double layerBottom = i + 1 < smooth.LayerCount() ? layerTop + smooth.thicknesses[i]
                                                               : std::max(bottom, layerTop) * 2.0 + 1.0;
        const double overlap = std::min(bottom, layerBottom) - std::max(top, layerTop);
        if (overlap > 0.0) {
            weighted += overlap * std::log(smooth.resistivities[i]);
            total += overlap;
        }
        layerTop = layerBottom;
    }
    return total > 0.0 ? std::exp(weighted / total) : smooth.resistivities.back();
}

LayerModel LayersFromInterfaces(const LayerModel &smooth, std::vector<double> depths)
{
    std::sort(depths.begin(), depths.end());
    LayerModel model;
    double top = 0.0;
    for (double depth : depths) {
        model.resistivities.push_back(MeanResistivity(smooth, top, depth));
        model.thicknesses.push_back(std::max(depth - top, ThinnestLayer));
        top = depth;
    }
    const double lastThickness = smooth.thicknesses.empty() ? 1.0 : smooth.thicknesses.back();
    model.resistivities.push_back(MeanResistivity(smooth, top, top + lastThickness));
    return model;
}

// Starting models of n layers from a smooth fit: interfaces where its
// resistivity changes most, and interfaces evenly spaced in log-depth.
std::vector<LayerModel> StartingModels(const LayerModel &smooth, std::size_t layers)
{
    std::vector<double> depths; // the smooth model's interfaces
    double depth = 0.0;
    for (double h : smooth.thicknesses)
        depths.push_back(depth += h);

    std::vector<double> change(depths.size());
    for (std::size_t k = 0; k < depths.size(); ++k)
        change[k] = std::abs(std::log(smooth.resistivities[k + 1] / smooth.resistivities[k]));
    std::vector<double> steepest;
    std::vector<bool> taken(depths.size(), false);
    for (std::size_t pick = 0; pick + 1 < layers; ++pick) {
        std::size_t best = depths.size();
        for (std::size_t k = 0; k < depths.size(); ++k) {
            const bool nearTaken = taken[k] || (k > 0 && taken[k - 1]) || (k + 1 < depths.size() && taken[k + 1]);
            if (!nearTaken && (best == depths.size() || change[k] > change[best]))
                best = k;
        }
        if (best == depths.size())
            break;
        taken[best] = true;
        steepest.push_back(depths[best]);
    }

    std::vector<double> spaced;
    const double top = std::log(depths.front());
    const double bottom = std::log(depths.back() * 0.5);
    for (std::size_t k = 0; k + 1 < layers; ++k)
        spaced.push_back(std::exp(top + (bottom - top) * (static_cast<double>(k) + 0.5) / static_cast<double>(layers - 1)));

    std::vector<LayerModel> starts;
    if (steepest.size() + 1 == layers)
        starts.push_back(LayersFromInterfaces(smooth, steepest));
    starts.push_back(LayersFromInterfaces(smooth, spaced));
    return starts;
}

void RequireData(const SoundingData &data, const InversionOptions &options)
{
    const std::size_t count = data.spacings.size();
    if (data.apparentResistivities.size() != count || data.relativeErrors.size() != count)
        throw std::invalid_argument("the sounding needs one resistivity and one error per reading");
    if (count == 0)
        throw std::invalid_argument("no reading is in use: there is nothing to invert");
    for (std::size_t i = 0; i < count; ++i) {
        if (!(data.apparentResistivities[i] > 0.0) || !std::isfinite(data.apparentResistivities[i]))
            throw std::invalid_argument("reading " + std::to_string(i + 1) +
                                        " has no positive apparent resistivity: switch it off or correct it");
        if (!(data.relativeErrors[i] > 0.0) || !std::isfinite(data.relativeErrors[i]))
            throw std::invalid_argument("reading " + std::to_string(i + 1) + " has no positive error");
    }
    std::set<double> halfABs;
    for (const SoundingSpacing &s : data.spacings)
        halfABs.insert(s.halfAB);
    if (halfABs.size() < 2)
        throw std::invalid_argument("the readings in use have a single AB/2: a sounding needs at least two to be "
                                    "inverted");
    if (options.mode == InversionMode::Layers) {
        if (options.layers < MinLayers || options.layers > MaxLayers)
            throw std::invalid_argument("the number of layers must lie between 2 and 8");
        const std::size_t parameters = 2 * options.layers - 1;
        if (count < parameters)
            throw std::invalid_argument(std::to_string(count) + " readings in use are fewer than the " +
                                        std::to_string(parameters) + " parameters of a " +
                                        std::to_string(options.layers) + "-layer model");
    } else if (count < 3) {
        throw std::invalid_argument("a smooth model needs at least 3 readings in use");
    }
}

// Equivalence ranges: one standard deviation of each log-parameter from the
// linearised covariance (the misfit scaled to chi-squared 1 when it is above).
void AddEquivalenceRanges(std::vector<ModelLayer> &layers, const MatrixXd &weightedJacobian, double chiSquared)
{
    const std::size_t n = layers.size();
    const MatrixXd normal = weightedJacobian.transpose() * weightedJacobian;
    const double ridge = 1e-10 * (normal.trace() + 1e-30);
    const MatrixXd covariance =
        (normal + ridge * MatrixXd::Identity(normal.rows(), normal.cols())).ldlt().solve(
            MatrixXd::Identity(normal.rows(), normal.cols())) *
        std::max(1.0, chiSquared);
    const auto spread = [&](std::size_t p) { return std::sqrt(std::max(0.0, covariance(Ix(p), Ix(p)))); };
    for (std::size_t i = 0; i < n; ++i) {
        const double s = std::min(spread(i), 30.0);
        layers[i].resistivityLow = layers[i].resistivity * std::exp(-s);
        layers[i].resistivityHigh = layers[i].resistivity * std::exp(s);
        if (i + 1 < n) {
            const double t = std::min(spread(n + i), 30.0);
            layers[i].thicknessLow = layers[i].thickness * std::exp(-t);
            layers[i].thicknessHigh = layers[i].thickness * std::exp(t);
        }
    }
}

} // namespace

double RelativeErrorFromQuality(double qualityPercent)
{
    const double fraction = qualityPercent / 100.0;
    return std::isfinite(fraction) ? std::max(fraction, ErrorFloor) : ErrorFloor;
}

std::vector<ModelLayer> LayerTable(const LayerModel &model)
{
    std::vector<ModelLayer> layers;
    double top = 0.0;
    for (std::size_t i = 0; i < model.LayerCount(); ++i) {
        ModelLayer layer;
        layer.top = top;
        layer.resistivity = model.resistivities[i];
        layer.resistivityLow = layer.resistivityHigh = layer.resistivity;
        if (i < model.thicknesses.size()) {
            layer.thickness = model.thicknesses[i];
            layer.conductance = layer.thickness / layer.resistivity;
            layer.transverse = layer.thickness * layer.resistivity;
            layer.thicknessLow = layer.thicknessHigh = layer.thickness;
            top += layer.thickness;
        }
        layers.push_back(layer);
    }
    return layers;
}

InversionResult InvertSounding(const SoundingData &data, const InversionOptions &options)
{
    RequireData(data, options);
    const SoundingForward forward(data.arrayType, data.spacings);
    Problem problem{forward, Logs(data.apparentResistivities), VectorXd(Ix(data.spacings.size()))};
    for (std::size_t i = 0; i < data.relativeErrors.size(); ++i)
        problem.weights(Ix(i)) = 1.0 / std::max(data.relativeErrors[i], ErrorFloor);

    InversionResult result;
    result.mode = options.mode;
    Fit fit;
    if (options.mode == InversionMode::Smooth) {
        fit = SmoothFit(problem, data, SmoothLayers, options.maxIterations);
    } else {
        const Fit smooth = SmoothFit(problem, data, StartingSmoothLayers, options.maxIterations);
        for (const LayerModel &start : StartingModels(smooth.model, options.layers)) {
            Fit candidate = LayersFit(problem, start, options.maxIterations);
            if (candidate.objective < fit.objective)
                fit = std::move(candidate);
        }
        fit.iterations += smooth.iterations;
    }

    const double count = static_cast<double>(data.spacings.size());
    const VectorXd misfit = problem.observed - Logs(fit.response);
    result.model = fit.model;
    result.response = fit.response;
    result.rmsPercent = 100.0 * std::sqrt(misfit.squaredNorm() / count);
    result.chiSquared = fit.objective / count;
    result.iterations = fit.iterations;
    result.layers = LayerTable(result.model);
    if (options.mode == InversionMode::Layers)
        AddEquivalenceRanges(result.layers, fit.weightedJacobian, result.chiSquared);
    return result;
}

} // namespace inversion
