#include "survey/Measurements.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <numeric>
#include <span>

namespace {

// Two pseudo-depths belong to the same depth level when they differ by at most this.
constexpr double DepthLevelTolerance = 1e-5;

struct TMedianDepthPoint {
    double Ratio;
    double Factor;
};

// Median depth of investigation of the dipole-dipole array: ratio S / L to factor f.
constexpr std::array<TMedianDepthPoint, 12> DipoleDipoleTable{{{0.22, 0.063},
                                                               {0.5, 0.101},
                                                               {1.0, 0.139},
                                                               {2.0, 0.174},
                                                               {3.0, 0.192},
                                                               {4.0, 0.203},
                                                               {5.0, 0.211},
                                                               {6.0, 0.216},
                                                               {7.0, 0.22},
                                                               {8.0, 0.224},
                                                               {20.0, 0.239},
                                                               {100.0, 0.25}}};

// Median depth of investigation of the pole-dipole arrays: ratio s / p to factor g.
constexpr std::array<TMedianDepthPoint, 10> PoleDipoleTable{{{1.0, 0.54},
                                                             {2.0, 0.9077},
                                                             {3.0, 1.2754},
                                                             {4.0, 1.6431},
                                                             {5.0, 2.0108},
                                                             {6.0, 2.3785},
                                                             {10.0, 3.8493},
                                                             {20.0, 7.5263},
                                                             {50.0, 18.5573},
                                                             {100.0, 36.9423}}};

constexpr double WennerMedianFactor = 0.173;
constexpr double SchlumbergerMedianFactor = 0.192;
constexpr double WennerGammaMedianFactor = 0.201;
constexpr double PolePoleMedianFactor = 0.867;

// Linear interpolation in the first interval that holds the ratio; 0 outside the table.
double MedianDepthFactor(std::span<const TMedianDepthPoint> table, double ratio)
{
    for (std::size_t k = 0; k + 1 < table.size(); ++k) {
        const TMedianDepthPoint &low = table[k];
        const TMedianDepthPoint &high = table[k + 1];
        if (low.Ratio <= ratio && ratio <= high.Ratio)
            return low.Factor + (ratio - low.Ratio) / (high.Ratio - low.Ratio) * (high.Factor - low.Factor);
    }
    return 0.0;
}

// Red + 256 x green + 65536 x blue.
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return red + 256 * green + 65536 * blue;
}

constexpr std::array<uint32_t, 6> LevelColorTable{Rgb(0, 0, 0),   Rgb(0, 0, 255),   Rgb(0, 255, 0),
                                                  Rgb(255, 0, 0), Rgb(255, 0, 255), Rgb(0, 255, 255)};

} // namespace

// Electrode positions of one measurement in metres, with the electrode
// numbers that tell which electrodes are remote.
struct TElectrodePositions {
    double A, B, M, N;
    bool BRemote, NRemote;
};

namespace {

double PositionMetres(const TArrayDetails2D &details, uint32_t number)
{
    return details.OriginMetres() + details.UnitSpacingMetres() * (static_cast<double>(number) - 1.0);
}

double RemotablePositionMetres(const TArrayDetails2D &details, uint32_t number)
{
    return number == 0 ? RemoteElectrodePosition : PositionMetres(details, number);
}

TElectrodePositions PositionsOf(const TMeasurements2D &list, uint32_t i)
{
    const TArrayDetails2D &details = list.ArrayDetails();
    return {PositionMetres(details, list.A[i]),          RemotablePositionMetres(details, list.B[i]),
            PositionMetres(details, list.M[i]),          RemotablePositionMetres(details, list.N[i]),
            list.B[i] == 0,                              list.N[i] == 0};
}

double MidPointOf(uint8_t arrayType, const TElectrodePositions &p)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
    case ArrayTypeCode::Schlumberger:
        return (p.A + p.B) / 2.0;
    case ArrayTypeCode::DipoleDipole:
    case ArrayTypeCode::WennerBeta:
    case ArrayTypeCode::WennerGamma:
        return (p.A + p.N) / 2.0;
    case ArrayTypeCode::FwdPoleDipole:
    case ArrayTypeCode::RevPoleDipole:
        return (p.A + (p.M + p.N) / 2.0) / 2.0;
    case ArrayTypeCode::PolePole:
        return (p.A + p.M) / 2.0;
    default:
        return 0.0;
    }
}

double ABProportionalDepth(uint8_t arrayType, const TElectrodePositions &p)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
    case ArrayTypeCode::Schlumberger:
    case ArrayTypeCode::WennerGamma:
        return (p.B - p.A) / 2.0;
    case ArrayTypeCode::DipoleDipole:
    case ArrayTypeCode::WennerBeta:
        return (p.N - p.A) / 2.0;
    case ArrayTypeCode::FwdPoleDipole:
    case ArrayTypeCode::RevPoleDipole:
        return std::abs(p.A - (p.M + p.N) / 2.0) / 2.0;
    case ArrayTypeCode::PolePole:
        return (p.M - p.A) / 2.0;
    default:
        return 0.0;
    }
}

double MedianDepth(uint8_t arrayType, const TElectrodePositions &p)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
        return WennerMedianFactor * (p.B - p.A);
    case ArrayTypeCode::Schlumberger:
        return SchlumbergerMedianFactor * (p.B - p.A);
    case ArrayTypeCode::DipoleDipole:
    case ArrayTypeCode::WennerBeta: {
        const double dipole = p.B - p.A;
        const double separation = p.M - p.B;
        if (dipole == 0.0)
            return 0.0;
        return MedianDepthFactor(DipoleDipoleTable, separation / dipole) * (2.0 * dipole + separation);
    }
    case ArrayTypeCode::WennerGamma:
        return WennerGammaMedianFactor * (p.N - p.A);
    case ArrayTypeCode::FwdPoleDipole:
    case ArrayTypeCode::RevPoleDipole: {
        const double dipole = std::abs(p.M - p.N);
        const double separation = std::abs(p.A - p.M);
        if (dipole == 0.0)
            return 0.0;
        return MedianDepthFactor(PoleDipoleTable, separation / dipole) * dipole;
    }
    case ArrayTypeCode::PolePole:
        return PolePoleMedianFactor * std::abs(p.A - p.M);
    default:
        return 0.0;
    }
}

} // namespace

TMeasurements2D::TMeasurements2D(TArrayDetails2D &arrayDetails) : FArrayDetails(&arrayDetails)
{
}

void TMeasurements2D::SetCount(uint32_t n)
{
    ResizeCommonArrays(n);
    A.resize(n);
    B.resize(n);
    M.resize(n);
    N.resize(n);
    NotMerged.resize(n);
    GeneratorRecords.resize(static_cast<std::size_t>(n) * 4);
    PassesFilters.assign(n, true);
}

void TMeasurements2D::SizeFromGroups()
{
    const TLongwordArray &counts = FArrayDetails->GroupCounts;
    const std::size_t groups = std::min<std::size_t>(FArrayDetails->GroupCount, counts.size());
    const uint64_t total = std::accumulate(counts.begin(), counts.begin() + static_cast<std::ptrdiff_t>(groups),
                                           uint64_t{0});
    SetCount(static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX)));
}

void TMeasurements2D::TakeGeneratorRecords()
{
    for (uint32_t i = 0; i < Count; ++i) {
        const std::size_t record = static_cast<std::size_t>(i) * 4;
        A[i] = GeneratorRecords[record];
        M[i] = GeneratorRecords[record + 1];
        N[i] = GeneratorRecords[record + 2];
        B[i] = GeneratorRecords[record + 3];
    }
}

bool TMeasurements2D::IsShown(uint32_t i) const
{
    return i < Used.size() && i < NotMerged.size() && Used[i] == 1 && NotMerged[i] == 1;
}

uint32_t TMeasurements2D::ShownCount() const
{
    uint32_t shown = 0;
    for (uint32_t i = 0; i < Count; ++i)
        if (IsShown(i) && PassesFilters[i])
            ++shown;
    return shown;
}

double TMeasurements2D::ElectrodeA(uint32_t i) const
{
    return CoordInMeters ? PositionMetres(*FArrayDetails, A[i]) : A[i];
}

double TMeasurements2D::ElectrodeB(uint32_t i) const
{
    return CoordInMeters ? RemotablePositionMetres(*FArrayDetails, B[i]) : B[i];
}

double TMeasurements2D::ElectrodeM(uint32_t i) const
{
    return CoordInMeters ? PositionMetres(*FArrayDetails, M[i]) : M[i];
}

double TMeasurements2D::ElectrodeN(uint32_t i) const
{
    return CoordInMeters ? RemotablePositionMetres(*FArrayDetails, N[i]) : N[i];
}

double TMeasurements2D::MidPoint(uint32_t i) const
{
    return MidPointOf(FArrayDetails->ArrayType, PositionsOf(*this, i));
}

double TMeasurements2D::PseudoDepth(uint32_t i) const
{
    const TElectrodePositions p = PositionsOf(*this, i);
    switch (FArrayDetails->DepthMethod) {
    case DepthMethodABProportional:
        return ABProportionalDepth(FArrayDetails->ArrayType, p);
    case DepthMethodMedianDepth:
        return MedianDepth(FArrayDetails->ArrayType, p);
    default:
        return 0.0;
    }
}

double TMeasurements2D::GeometricFactor(uint32_t i) const
{
    const TElectrodePositions p = PositionsOf(*this, i);
    double sum = 0.0;
    if (p.M != p.A)
        sum += 1.0 / std::abs(p.A - p.M);
    if (!p.NRemote && p.N != p.A)
        sum -= 1.0 / std::abs(p.A - p.N);
    if (!p.BRemote) {
        if (p.B != p.M)
            sum -= 1.0 / std::abs(p.B - p.M);
        if (!p.NRemote && p.B != p.N)
            sum += 1.0 / std::abs(p.B - p.N);
    }
    // No term left (or terms cancelling): no factor can be given.
    if (sum == 0.0)
        return 0.0;
    return 2.0 * std::numbers::pi / std::abs(sum);
}

double TMeasurements2D::ApparentResistivity(uint32_t i) const
{
    if (Current[i] == 0)
        return 0.0;
    return GeometricFactor(i) * Resistance(i);
}

double TMeasurements2D::ShownResistivity(uint32_t i) const
{
    if (FArrayDetails->FilterDetails.SlidingAverage)
        return SAResistivity[i];
    return ApparentResistivity(i);
}

double TMeasurements2D::ShownChargeability(uint32_t i) const
{
    if (IPCode() == 0)
        return 0.0;
    if (FArrayDetails->FilterDetails.SlidingAverage)
        return SAChargeability[i];
    if (Current[i] == 0)
        return 0.0;
    return ChargeabilityMS(i);
}

double TMeasurements2D::ShownValue(uint32_t i) const
{
    switch (FArrayDetails->ValuesToShow) {
    case ValuesToShowResistivity:
        return ShownResistivity(i);
    case ValuesToShowChargeability:
        return ShownChargeability(i);
    default:
        return 0.0;
    }
}

void TMeasurements2D::BuildDepthLevels()
{
    DepthLevels.clear();
    for (uint32_t i = 0; i < Count; ++i) {
        const double depth = PseudoDepth(i);
        if (DepthLevelIndex(depth) < 0)
            DepthLevels.push_back(depth);
    }
    LevelColors.resize(DepthLevels.size());
    for (std::size_t k = 0; k < LevelColors.size(); ++k)
        LevelColors[k] = LevelColor(static_cast<int32_t>(k));
}

int32_t TMeasurements2D::DepthLevelIndex(double depth) const
{
    for (std::size_t k = 0; k < DepthLevels.size(); ++k)
        if (std::abs(DepthLevels[k] - depth) <= DepthLevelTolerance)
            return static_cast<int32_t>(k);
    return -1;
}

uint32_t TMeasurements2D::DepthLevelColor(double depth) const
{
    const int32_t level = DepthLevelIndex(depth);
    if (level < 0 || static_cast<std::size_t>(level) >= LevelColors.size())
        return 0;
    return LevelColors[static_cast<std::size_t>(level)];
}

uint32_t TMeasurements2D::LevelColor(int32_t level)
{
    const int32_t index = level % static_cast<int32_t>(LevelColorTable.size());
    return LevelColorTable[static_cast<std::size_t>(index < 0 ? -index : index)];
}

namespace {

// Scans the list once; later values replace the candidate only when strictly
// better. An empty list gives 0.
template <typename Value, typename Better>
double Extreme(uint32_t count, Value value, Better better)
{
    if (count == 0)
        return 0.0;
    double candidate = value(0);
    for (uint32_t i = 1; i < count; ++i) {
        const double v = value(i);
        if (better(v, candidate))
            candidate = v;
    }
    return candidate;
}

} // namespace

double TMeasurements2D::MaxResistivity() const
{
    return Extreme(Count, [this](uint32_t i) { return ApparentResistivity(i); }, std::greater<double>());
}

double TMeasurements2D::MinResistivity() const
{
    return Extreme(Count, [this](uint32_t i) { return ApparentResistivity(i); }, std::less<double>());
}

double TMeasurements2D::MaxDepth() const
{
    return Extreme(Count, [this](uint32_t i) { return PseudoDepth(i); }, std::greater<double>());
}

double TMeasurements2D::MinDepth() const
{
    return Extreme(Count, [this](uint32_t i) { return PseudoDepth(i); }, std::less<double>());
}

TLongwordArray TMeasurements2D::ResistivityMilli() const
{
    TLongwordArray result(Count);
    for (uint32_t i = 0; i < Count; ++i)
        if (Current[i] != 0)
            result[i] = RoundToLongword(1000.0 * ApparentResistivity(i));
    return result;
}
