// The digital filter of the layered-earth potential and the resistivity
// transform with its derivatives.
#include "inversion/LayeredEarthFilter.h"

#include <cmath>
#include <utility>

namespace inversion {

namespace {

// Made by tools/design_hankel_filter.cpp (least squares over the exact
// transforms of exp(-c x) and x exp(-c x), 1e-6 <= c <= 1e8; worst error
// 1.6e-11 of the transform's value at c = 0).
constexpr double FilterStart = -21.0;
constexpr double FilterStep = 0.22;
constexpr std::array<double, HankelFilterSize> FilterWeights{
    -1.62093058189413659e-07, -7.37645578167923227e-09, 1.40916776513229887e-07,
    -1.08299830928202277e-07, 2.48153201175846607e-07, 7.79135053518122724e-08,
    5.40582484299855948e-08, -1.35241577009131692e-07, -2.08032658379506545e-07,
    -1.43656119759163080e-07, 6.67801242201494411e-08, 3.13585440890524085e-07,
    1.68650975572829782e-07, -3.15522348393074113e-07, -2.73201521505748281e-07,
    3.78447082125884720e-07, 2.24816245252352934e-07, -6.69424651444030187e-07,
    6.67349481544658147e-07, -4.01842877827570947e-07, 2.09712608930496319e-07,
    -5.99920514814047155e-08, 4.75635845040554579e-08, 1.78753780471631263e-08,
    3.53505458725621304e-08, 4.00072536459180898e-08, 5.11326147553141895e-08,
    6.32803224428477093e-08, 7.90172509365772130e-08, 9.83889196845625972e-08,
    1.22637993572695298e-07, 1.52792948263863211e-07, 1.90408579331654165e-07,
    2.37250029283473191e-07, 2.95643853482449075e-07, 3.68383519934470015e-07,
    4.59045342941799538e-07, 5.71994328737134080e-07, 7.12760773427755645e-07,
    8.88141597770405721e-07, 1.10670743930182210e-06, 1.37902446722607519e-06,
    1.71839311481541844e-06, 2.14121932281390881e-06, 2.66816508717863947e-06,
    3.32468095440155827e-06, 4.14288723953378973e-06, 5.16224538559055231e-06,
    6.43270513490877279e-06, 8.01543635300077715e-06, 9.98813495177759189e-06,
    1.24455864281047325e-05, 1.55087065539611696e-05, 1.93242695574012956e-05,
    2.40805968554626024e-05, 3.00047701836911113e-05, 3.73903433621783162e-05,
    4.65883047201280792e-05, 5.80567034761301666e-05, 7.23373649443057005e-05,
    9.01459467050774483e-05, 1.12317502022024648e-04, 1.39971994982765089e-04,
    1.74393737975170023e-04, 2.17338922887515241e-04, 2.70777549147034743e-04,
    3.37470336473390199e-04, 4.20428585102428998e-04, 5.24005435281725291e-04,
    6.52783091670576824e-04, 8.13651419081915959e-04, 1.01354139374044516e-03,
    1.26340746309366869e-03, 1.57364959992618739e-03, 1.96177948743522746e-03,
    2.44323227971447645e-03, 3.04618090163789618e-03, 3.79318311058089589e-03,
    4.72989417444214487e-03, 5.88854305167479941e-03, 7.34370239422088046e-03,
    9.13980851161931736e-03, 1.13996250531429259e-02, 1.41807121228601229e-02,
    1.76864186159198626e-02, 2.19820474503968355e-02, 2.74047829800157551e-02,
    3.40026887624262503e-02, 4.23283172744059258e-02, 5.23289557638554961e-02,
    6.48718419582498262e-02, 7.95424578988928738e-02, 9.75371761052745839e-02,
    1.17272287607259093e-01, 1.39760025200459409e-01, 1.59830552468849030e-01,
    1.75986223843844741e-01, 1.73389049061567463e-01, 1.43332715881239470e-01,
    5.60791605728763326e-02, -8.74680897299732196e-02, -2.73206603453806929e-01,
    -3.41994375814125118e-01, -1.11329516933560829e-01, 3.98297907836928033e-01,
    2.12432104582316095e-01, -5.07462880980258269e-01, 3.47357414406101683e-01,
    -1.53856833400477039e-01, 5.69692525348128170e-02, -2.04776704963089071e-02,
    7.60837011331676367e-03, -2.90095539584457694e-03, 1.09041125495673336e-03,
    -3.85086006892302896e-04, 1.21481718255788855e-04, -3.23017938328507736e-05,
    6.69350198017649915e-06, -9.49495138683284979e-07, 6.84196845314687499e-08,
};

} // namespace

const std::array<double, HankelFilterSize> &HankelFilterWeights()
{
    return FilterWeights;
}

std::array<double, HankelFilterSize> HankelFilterAbscissae()
{
    std::array<double, HankelFilterSize> b{};
    for (std::size_t j = 0; j < HankelFilterSize; ++j)
        b[j] = std::exp(FilterStart + FilterStep * static_cast<double>(j));
    return b;
}

FilteredPotentials::FilteredPotentials(std::vector<double> distances)
    : FDistances(std::move(distances)),
      FLambdas(static_cast<Eigen::Index>(HankelFilterSize), static_cast<Eigen::Index>(FDistances.size()))
{
    const auto b = HankelFilterAbscissae();
    for (std::size_t k = 0; k < FDistances.size(); ++k)
        for (std::size_t j = 0; j < HankelFilterSize; ++j)
            FLambdas(static_cast<Eigen::Index>(j), static_cast<Eigen::Index>(k)) = b[j] / FDistances[k];
}

void FilteredPotentials::Evaluate(const LayerModel &model, std::span<double> u) const
{
    Sum<false>(model, u, nullptr);
}

void FilteredPotentials::Evaluate(const LayerModel &model, std::span<double> u, Eigen::MatrixXd &derivatives) const
{
    Sum<true>(model, u, &derivatives);
}

// With e = exp(-2 lambda h) and t the transform below a layer of
// resistivity rho, the transform at its top is T = N / D with
// N = t (1 + e) + rho (1 - e) and D = (1 + e) + t (1 - e) / rho, so
//   dT/d rho = (1 - e) (1 + T t / rho^2) / D,
//   dT/dt    = ((1 + e) - T (1 - e) / rho) / D,
//   dT/dh    = ((t - rho) - T (1 - t / rho)) / D x (-2 lambda e).
// The derivatives of the top value come from one sweep down the layers that
// carries the product of the dT/dt above, weighted by the filter's weights.
template <bool WithDerivatives>
void FilteredPotentials::Sum(const LayerModel &model, std::span<double> u, Eigen::MatrixXd *derivatives) const
{
    using Eigen::ArrayXd;
    using Eigen::ArrayXXd;
    using Eigen::Index;
    const Index size = static_cast<Index>(HankelFilterSize);
    const std::size_t n = model.resistivities.size();
    const Index layers = static_cast<Index>(n);
    const Eigen::Map<const ArrayXd> w(FilterWeights.data(), size);
    const double weightSum = w.sum();
    const double rho1 = model.resistivities.front();
    // exp(-700) keeps e a normal number; below it the layer is opaque (e is 0
    // to double precision) either way.
    constexpr double LowestExponent = -700.0;

    ArrayXd t(size), e(size), inverse(size), g(size);
    // Per layer above the half-space: the transform below it and at its top,
    // its e and 1 / D.
    ArrayXXd below, top, decay, inverses;
    if constexpr (WithDerivatives) {
        below.resize(size, layers - 1);
        top.resize(size, layers - 1);
        decay.resize(size, layers - 1);
        inverses.resize(size, layers - 1);
        derivatives->setZero(static_cast<Index>(FDistances.size()), 2 * layers - 1);
    }
    for (std::size_t k = 0; k < FDistances.size(); ++k) {
        const auto lambda = FLambdas.col(static_cast<Index>(k));
        t.setConstant(model.resistivities[n - 1]);
        for (std::size_t i = n - 1; i-- > 0;) {
            const double rho = model.resistivities[i];
            const double invRho = 1.0 / rho;
            e = (-2.0 * model.thicknesses[i] * lambda).max(LowestExponent).exp();
            if constexpr (WithDerivatives) {
                below.col(static_cast<Index>(i)) = t;
                decay.col(static_cast<Index>(i)) = e;
            }
            inverse = ((1.0 + e) + t * (1.0 - e) * invRho).inverse();
            t = (t * (1.0 + e) + rho * (1.0 - e)) * inverse;
            if constexpr (WithDerivatives) {
                top.col(static_cast<Index>(i)) = t;
                inverses.col(static_cast<Index>(i)) = inverse;
            }
        }
        u[k] = rho1 * (1.0 - weightSum) + (w * t).sum();
        if constexpr (WithDerivatives) {
            const Index row = static_cast<Index>(k);
            g = w;
            for (std::size_t i = 0; i + 1 < n; ++i) {
                const Index c = static_cast<Index>(i);
                const double rho = model.resistivities[i];
                const double invRho = 1.0 / rho;
                const auto tb = below.col(c);
                const auto tt = top.col(c);
                const auto ei = decay.col(c);
                const auto inv = inverses.col(c);
                (*derivatives)(row, c) = (g * (1.0 - ei) * (1.0 + tt * tb * (invRho * invRho)) * inv).sum();
                (*derivatives)(row, layers + c) =
                    (g * ((tb - rho) - tt * (1.0 - tb * invRho)) * inv * (-2.0 * ei * lambda)).sum();
                g *= ((1.0 + ei) - tt * (1.0 - ei) * invRho) * inv;
            }
            (*derivatives)(row, layers - 1) += g.sum();
            (*derivatives)(row, 0) += 1.0 - weightSum;
        }
    }
}

} // namespace inversion
