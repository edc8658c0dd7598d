#include "survey/Measurements.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

namespace {

constexpr double MillimetresPerMetre = 1000.0;
// Stored millimetres are read back as millimetres x 0.001.
constexpr double MetresPerMillimetre = 0.001;

// The array-dependent part F of the 1D geometric factor k = |pi F|, with
// L = AB/2 and l = MN/2 in metres. Unknown array types give 0.
double SoundingFactor(uint8_t arrayType, double L, double l)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
    case ArrayTypeCode::Schlumberger:
        return (L * L - l * l) / (2.0 * l);
    case ArrayTypeCode::DipoleDipole:
    case ArrayTypeCode::WennerBeta:
        return 2.0 / (2.0 / (L + l) - 1.0 / (2.0 * L) - 1.0 / (2.0 * l));
    case ArrayTypeCode::WennerGamma:
        return 2.0 / (2.0 / (L - l) - 1.0 / (2.0 * L) - 1.0 / (2.0 * l));
    case ArrayTypeCode::FwdPoleDipole:
        return (L * L - l * l) / l;
    case ArrayTypeCode::RevPoleDipole:
        return std::abs((L * L - l * l) / l);
    case ArrayTypeCode::PolePole:
        return 2.0 * L;
    case ArrayTypeCode::EquatDipoleDipole:
        return 2.0 / (1.0 / L - 1.0 / std::sqrt(L * L + l * l));
    case ArrayTypeCode::Custom:
        return l == 0.0 ? 0.0 : (L * L - l * l) / (2.0 * l);
    default:
        return 0.0;
    }
}

} // namespace

TMeasurements1D::TMeasurements1D(TArrayDetails1D &arrayDetails) : FArrayDetails(&arrayDetails)
{
}

void TMeasurements1D::SetCount(uint32_t n)
{
    ResizeCommonArrays(n);
    HalfAB.resize(n);
    HalfMN.resize(n);
}

void TMeasurements1D::SizeFromGroups()
{
    const TByteArray &levels = FArrayDetails->LevelCounts;
    const std::size_t groups = std::min<std::size_t>(FArrayDetails->GroupCount, levels.size());
    SetCount(std::accumulate(levels.begin(), levels.begin() + static_cast<std::ptrdiff_t>(groups), uint32_t{0}));
}

bool TMeasurements1D::IsShown(uint32_t i) const
{
    return i < Used.size() && Used[i] == 1;
}

void TMeasurements1D::SetHalfAB(uint32_t i, double metres)
{
    if (i < HalfAB.size())
        HalfAB[i] = RoundToLongword(metres * MillimetresPerMetre);
}

void TMeasurements1D::SetHalfMN(uint32_t i, double metres)
{
    if (i < HalfMN.size())
        HalfMN[i] = RoundToLongword(metres * MillimetresPerMetre);
}

double TMeasurements1D::HalfABMetres(uint32_t i) const
{
    return HalfAB[i] * MetresPerMillimetre;
}

double TMeasurements1D::HalfMNMetres(uint32_t i) const
{
    return HalfMN[i] * MetresPerMillimetre;
}

double TMeasurements1D::GeometricFactor1D(uint32_t i) const
{
    const double k = std::abs(std::numbers::pi * SoundingFactor(FArrayDetails->ArrayType, HalfABMetres(i),
                                                                HalfMNMetres(i)));
    // A zero MN/2 or AB/2 makes some factors infinite or undefined; such a
    // factor cannot be given.
    return std::isfinite(k) ? k : 0.0;
}

double TMeasurements1D::ApparentResistivity1D(uint32_t i) const
{
    if (Current[i] == 0)
        return 0.0;
    return GeometricFactor1D(i) * Resistance(i);
}

TLongwordArray TMeasurements1D::ResistivityMilli() const
{
    TLongwordArray result(Count);
    for (uint32_t i = 0; i < Count; ++i)
        if (Current[i] != 0)
            result[i] = RoundToLongword(1000.0 * ApparentResistivity1D(i));
    return result;
}
