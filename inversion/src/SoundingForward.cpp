#include "inversion/SoundingForward.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace inversion {

namespace {

// Distances closer than this (relative) are the same distance.
constexpr double SameDistance = 1e-12;

double Distance(const SurfacePoint &p, const SurfacePoint &q)
{
    return std::hypot(p.x - q.x, p.y - q.y);
}

void RequireModel(const LayerModel &model)
{
    const std::size_t n = model.resistivities.size();
    if (n == 0 || model.thicknesses.size() + 1 != n)
        throw std::invalid_argument("a layer model needs one thickness fewer than resistivities");
    for (double rho : model.resistivities)
        if (!(rho > 0.0) || !std::isfinite(rho))
            throw std::invalid_argument("every resistivity must be positive and finite");
    for (double h : model.thicknesses)
        if (!(h > 0.0) || !std::isfinite(h))
            throw std::invalid_argument("every thickness must be positive and finite");
}

} // namespace

SoundingForward::SoundingForward(ArrayType type, std::span<const SoundingSpacing> spacings)
{
    struct RawTerm {
        double distance;
        double coefficient;
    };
    std::vector<std::vector<RawTerm>> raw;
    std::vector<double> all;
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        Quadripole q;
        double sum = 0.0;
        try {
            q = SoundingLayout(type, spacings[i].halfAB, spacings[i].halfMN);
            sum = GeometricSum(q);
            if (sum == 0.0)
                throw std::invalid_argument("the geometric factor is infinite");
        } catch (const std::invalid_argument &e) {
            throw std::invalid_argument("reading " + std::to_string(i + 1) + " (AB/2 " +
                                        std::to_string(spacings[i].halfAB) + " m, MN/2 " +
                                        std::to_string(spacings[i].halfMN) + " m): " + e.what());
        }
        // V(M) - V(N) for +I at A, -I at B, each potential U(r) / (2 pi r);
        // rho_a = 2 pi / sum x that voltage.
        std::vector<RawTerm> terms;
        const auto add = [&](const SurfacePoint &source, const SurfacePoint &point, double sign) {
            const double r = Distance(source, point);
            terms.push_back({r, sign / (r * sum)});
            all.push_back(r);
        };
        add(q.a, q.m, 1.0);
        if (q.b)
            add(*q.b, q.m, -1.0);
        if (q.n)
            add(q.a, *q.n, -1.0);
        if (q.b && q.n)
            add(*q.b, *q.n, 1.0);
        raw.push_back(std::move(terms));
    }
    std::sort(all.begin(), all.end());
    std::vector<double> distances;
    for (double r : all)
        if (distances.empty() || r > distances.back() * (1.0 + SameDistance))
            distances.push_back(r);
    for (const std::vector<RawTerm> &terms : raw) {
        std::vector<Term> merged;
        for (const RawTerm &t : terms) {
            auto it = std::lower_bound(distances.begin(), distances.end(), t.distance * (1.0 - SameDistance));
            const auto index = static_cast<std::size_t>(it - distances.begin());
            auto same = std::find_if(merged.begin(), merged.end(), [&](const Term &m) { return m.distance == index; });
            if (same != merged.end())
                same->coefficient += t.coefficient;
            else
                merged.push_back({index, t.coefficient});
        }
        FReadingTerms.push_back(std::move(merged));
    }
    FPotentials = FilteredPotentials(std::move(distances));
}

std::vector<double> SoundingForward::ApparentResistivities(const LayerModel &model) const
{
    RequireModel(model);
    std::vector<double> u(FPotentials.DistanceCount());
    FPotentials.Evaluate(model, u);
    std::vector<double> rhoA(FReadingTerms.size(), 0.0);
    for (std::size_t i = 0; i < FReadingTerms.size(); ++i)
        for (const Term &t : FReadingTerms[i])
            rhoA[i] += t.coefficient * u[t.distance];
    return rhoA;
}

std::vector<double> SoundingForward::ApparentResistivities(const LayerModel &model,
                                                           Eigen::MatrixXd &logJacobian) const
{
    RequireModel(model);
    const std::size_t n = model.LayerCount();
    const std::size_t parameters = 2 * n - 1;
    std::vector<double> u(FPotentials.DistanceCount());
    Eigen::MatrixXd du;
    FPotentials.Evaluate(model, u, du);
    std::vector<double> rhoA(FReadingTerms.size(), 0.0);
    logJacobian = Eigen::MatrixXd::Zero(static_cast<Eigen::Index>(FReadingTerms.size()),
                                        static_cast<Eigen::Index>(parameters));
    for (std::size_t i = 0; i < FReadingTerms.size(); ++i) {
        const auto row = static_cast<Eigen::Index>(i);
        for (const Term &t : FReadingTerms[i]) {
            rhoA[i] += t.coefficient * u[t.distance];
            logJacobian.row(row) += t.coefficient * du.row(static_cast<Eigen::Index>(t.distance));
        }
        // d ln rho_a / d ln p = p / rho_a x d rho_a / d p.
        for (std::size_t p = 0; p < parameters; ++p) {
            const double value = p < n ? model.resistivities[p] : model.thicknesses[p - n];
            logJacobian(row, static_cast<Eigen::Index>(p)) *= value / rhoA[i];
        }
    }
    return rhoA;
}

} // namespace inversion
