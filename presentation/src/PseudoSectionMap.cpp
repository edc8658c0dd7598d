#include "presentation/PseudoSectionMap.h"

#include "presentation/VeskColors.h"
#include "survey/Measurements.h"

#include "MeshInterp.h"
#include "vesk_pro.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

const QString MapNoVariationMessage = QStringLiteral("ОШИБКА ПОСТРОЕНИЯ КАРТЫ: НЕТ ВАРИАЦИИ ПО Х ЛИБО ПО У");
const QString MapSurfaceNotBuiltMessage =
    QStringLiteral("ОШИБКА ПОСТРОЕНИЯ КАРТЫ: ПОВЕРХНОСТЬ НЕ ПОСТРОЕНА (МЕНЬШЕ 4 ТОЧЕК, СОВПАДАЮЩИЕ ТОЧКИ "
                   "ИЛИ ВСЕ ТОЧКИ НА ОДНОЙ ЛИНИИ)");

namespace {

constexpr uint32_t White = ColourValue(255, 255, 255);
constexpr std::size_t NodeCount = std::size_t(MapGridSize) * MapGridSize;

// A spread counts when it is more than rounding noise of the coordinates.
bool Varies(double minimum, double maximum)
{
    return minimum < maximum &&
           maximum - minimum > std::max(1e-12, 1e-12 * std::min(std::fabs(minimum), std::fabs(maximum)));
}

TDoubleArray GridPositions(double minimum, double maximum)
{
    TDoubleArray positions(MapGridSize);
    for (int k = 0; k < MapGridSize; ++k)
        positions[std::size_t(k)] = minimum + double(k) / (MapGridSize - 1) * (maximum - minimum);
    return positions;
}

// The nodes k with |grid[k] - centre| < halfSide, as [first, last). The grid
// never decreases, so grid[k] - centre never decreases and those nodes are
// one run, found by bisection with exactly the comparison of the plain test
// (|d| < h is -h < d < h).
std::pair<int, int> NodesWithin(const TDoubleArray &grid, double centre, double halfSide)
{
    const auto first = std::partition_point(grid.begin(), grid.end(),
                                            [&](double node) { return !(node - centre > -halfSide); });
    const auto last = std::partition_point(first, grid.end(), [&](double node) { return node - centre < halfSide; });
    return {int(first - grid.begin()), int(last - grid.begin())};
}

void GridByAkima(const TMapPoints &points, TPseudoSectionMap &map)
{
    // Nodes the surface does not write keep NaN, so a refused call shows.
    map.Values.assign(NodeCount, std::numeric_limits<double>::quiet_NaN());
    SCATDATA_INTERPOL_DYN(int32_t(points.X.size()), points.X.data(), points.Y.data(), points.F.data(), MapGridSize,
                          MapGridSize, map.GridX.data(), map.GridY.data(), map.Values.data());
    const bool anyWritten = std::any_of(map.Values.begin(), map.Values.end(), [](double v) { return !std::isnan(v); });
    if (!anyWritten) map.Outcome = TMapOutcome::SurfaceNotBuilt;
    // Unwritten nodes read as the grid's start value.
    for (double &value : map.Values)
        if (std::isnan(value)) value = 0;
}

void GridByInverseDistance(const TMapPoints &points, const TMapSettings &settings, TPseudoSectionMap &map)
{
    // Its grid spans the same bounding box, so its nodes are GridX and GridY;
    // a refusal (fewer than four points) leaves the zeros.
    do_approximation(int32_t(points.X.size()), settings.UnitSpacing * settings.ApproximationRadius, points.X.data(),
                     points.Y.data(), points.F.data(), MapGridSize, MapGridSize, map.GridX.data(), map.GridY.data(),
                     map.Values.data());
}

// The value at fraction q of the sorted values, interpolated between ranks.
double Percentile(const std::vector<double> &sorted, double q)
{
    const double position = q * double(sorted.size() - 1);
    const std::size_t below = std::size_t(std::floor(position));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (position - double(below)) * (sorted[above] - sorted[below]);
}

// The colour range of the map: that of the covered nodes' values.
void ChooseRange(TPseudoSectionMap &map, const TMapSettings &settings)
{
    std::vector<double> values;
    for (std::size_t node = 0; node < NodeCount; ++node)
        if (map.Covered[node]) values.push_back(map.Values[node]);
    const TColourScale scale(values, settings);
    map.Minimum = scale.Minimum();
    map.Maximum = scale.Maximum();
}

void ColourMap(TPseudoSectionMap &map, const TMapSettings &settings)
{
    const TColourScale scale(settings, map.Minimum, map.Maximum);
    map.PaletteLevels = scale.PaletteLevels();
    map.PaletteColours = scale.PaletteColours();
    map.Colours.resize(NodeCount);
    for (std::size_t node = 0; node < NodeCount; ++node) {
        const double value = map.Values[node];
        map.Colours[node] = map.Covered[node] && value > 0 ? scale.Colour(value) : White;
    }
}

// z of the cross product (b - a) x (c - a): above 0 when c lies left of a->b.
double Cross(double ax, double ay, double bx, double by, double cx, double cy)
{
    return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

} // namespace

// Automatic: the smallest value above 0 and the largest value (minimum >=
// maximum when there is none).
TColourScale::TColourScale(const std::vector<double> &values, const TMapSettings &settings) : FSettings(settings)
{
    PaletteRamp(settings.Palette, FRamp);
    std::vector<double> positive;
    for (const double value : values) {
        if (value > 0 && value < FMinimum) FMinimum = value;
        if (value > FMaximum) FMaximum = value;
        if (settings.Limits == LimitsPercentile && value > 0) positive.push_back(value);
    }
    if (settings.Limits == LimitsPercentile && !positive.empty()) {
        std::sort(positive.begin(), positive.end());
        FMinimum = Percentile(positive, 0.02);
        FMaximum = Percentile(positive, 0.98);
    } else if (settings.Limits == LimitsFixed) {
        double low = std::min(settings.FixedMinimum, settings.FixedMaximum);
        const double high = std::max(settings.FixedMinimum, settings.FixedMaximum);
        // A logarithmic scale cannot start at 0 or below: the data's smallest
        // value above 0 takes its place.
        if (settings.Logarithmic && !(low > 0)) low = FMinimum;
        FMinimum = low;
        FMaximum = high;
    }
}

TColourScale::TColourScale(const TMapSettings &settings, double minimum, double maximum)
    : FSettings(settings), FMinimum(minimum), FMaximum(maximum)
{
    PaletteRamp(settings.Palette, FRamp);
}

uint32_t TColourScale::Colour(double value) const
{
    const int rampCount = int(FRamp.size() / 3);
    return FSettings.Logarithmic ? LogRampColor(rampCount, FRamp, FMinimum, FMaximum, value)
                                 : LinearRampColor(rampCount, FRamp, FMinimum, FMaximum, value);
}

TDoubleArray TColourScale::PaletteLevels() const
{
    TDoubleArray levels;
    if (FSettings.Logarithmic)
        GeometricLevels(MapPaletteSize, -1, FMinimum, FMaximum, levels);
    else
        LinearLevels(MapPaletteSize, FMinimum, FMaximum, levels);
    return levels;
}

std::vector<uint32_t> TColourScale::PaletteColours() const
{
    std::vector<uint32_t> colours;
    for (const double level : PaletteLevels()) colours.push_back(Colour(level));
    return colours;
}

TMapPoints CollectMapPoints(const TMeasurements2D &measurements)
{
    TMapPoints points;
    const uint32_t drawn = measurements.ShownCount();
    points.X.reserve(drawn);
    points.Y.reserve(drawn);
    points.F.reserve(drawn);
    for (uint32_t i = 0; i < measurements.Count; ++i) {
        if (!measurements.IsShown(i) || !measurements.PassesFilter(i)) continue;
        points.X.push_back(measurements.MidPoint(i));
        points.Y.push_back(measurements.PseudoDepth(i));
        points.F.push_back(measurements.ShownValue(i));
    }
    return points;
}

TBooleanArray CoveredNodes(const TMapPoints &points, const TDoubleArray &gridX, const TDoubleArray &gridY,
                           double halfSide)
{
    const std::size_t columns = gridX.size(), rows = gridY.size();
    // Each point's covered nodes form one rectangle of node indices; a
    // two-dimensional difference table adds them all up in one pass.
    std::vector<int32_t> marks((columns + 1) * (rows + 1), 0);
    const auto mark = [&](std::size_t i, std::size_t j, int32_t delta) { marks[j * (columns + 1) + i] += delta; };
    for (std::size_t p = 0; p < points.X.size(); ++p) {
        const auto [i0, i1] = NodesWithin(gridX, points.X[p], halfSide);
        const auto [j0, j1] = NodesWithin(gridY, points.Y[p], halfSide);
        if (i0 >= i1 || j0 >= j1) continue;
        mark(std::size_t(i0), std::size_t(j0), 1);
        mark(std::size_t(i1), std::size_t(j0), -1);
        mark(std::size_t(i0), std::size_t(j1), -1);
        mark(std::size_t(i1), std::size_t(j1), 1);
    }
    TBooleanArray covered(columns * rows, false);
    std::vector<int32_t> columnSums(columns + 1, 0);
    for (std::size_t j = 0; j < rows; ++j) {
        int32_t running = 0;
        for (std::size_t i = 0; i < columns; ++i) {
            running += marks[j * (columns + 1) + i];
            columnSums[i] += running;
            covered[j * columns + i] = columnSums[i] > 0;
        }
    }
    return covered;
}

TBooleanArray NodesInHull(const TMapPoints &points, const TDoubleArray &gridX, const TDoubleArray &gridY)
{
    const std::size_t columns = gridX.size(), rows = gridY.size();
    TBooleanArray inside(columns * rows, false);
    // The hull by the monotone chain, counter-clockwise, without collinear points.
    std::vector<std::pair<double, double>> sorted;
    sorted.reserve(points.X.size());
    for (std::size_t p = 0; p < points.X.size(); ++p) sorted.emplace_back(points.X[p], points.Y[p]);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    if (sorted.size() < 3) return inside;
    std::vector<std::pair<double, double>> hull(2 * sorted.size());
    std::size_t k = 0;
    const auto turnsLeft = [&](std::size_t lastButOne, std::size_t last, const std::pair<double, double> &c) {
        return Cross(hull[lastButOne].first, hull[lastButOne].second, hull[last].first, hull[last].second, c.first,
                     c.second) > 0;
    };
    for (const auto &point : sorted) {
        while (k >= 2 && !turnsLeft(k - 2, k - 1, point)) --k;
        hull[k++] = point;
    }
    for (std::size_t i = sorted.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && !turnsLeft(k - 2, k - 1, sorted[i])) --k;
        hull[k++] = sorted[i];
    }
    hull.resize(k - 1);
    if (hull.size() < 3) return inside;

    // A node on the border counts as inside: the margin is a tiny fraction of
    // the extent, far above rounding and far below a node spacing.
    const auto [xMin, xMax] = std::minmax_element(points.X.begin(), points.X.end());
    const auto [yMin, yMax] = std::minmax_element(points.Y.begin(), points.Y.end());
    const double extent = std::max(*xMax - *xMin, *yMax - *yMin);
    for (std::size_t j = 0; j < rows; ++j)
        for (std::size_t i = 0; i < columns; ++i) {
            bool in = true;
            for (std::size_t e = 0; e < hull.size() && in; ++e) {
                const auto &a = hull[e], &b = hull[(e + 1) % hull.size()];
                const double length = std::hypot(b.first - a.first, b.second - a.second);
                in = Cross(a.first, a.second, b.first, b.second, gridX[i], gridY[j]) >= -1e-9 * extent * length;
            }
            inside[j * columns + i] = in;
        }
    return inside;
}

TPseudoSectionMap ComputeMap(const TMapPoints &points, const TMapSettings &settings)
{
    TPseudoSectionMap map;
    if (points.X.empty()) return map;
    const auto [xMin, xMax] = std::minmax_element(points.X.begin(), points.X.end());
    const auto [yMin, yMax] = std::minmax_element(points.Y.begin(), points.Y.end());
    if (!Varies(*xMin, *xMax) || !Varies(*yMin, *yMax)) return map;

    map.Outcome = TMapOutcome::Drawn;
    map.GridX = GridPositions(*xMin, *xMax);
    map.GridY = GridPositions(*yMin, *yMax);
    map.Values.assign(NodeCount, 0.0);
    if (settings.ApproximationType == 0)
        GridByAkima(points, map);
    else if (settings.ApproximationType == 1)
        GridByInverseDistance(points, settings, map);
    map.Covered = CoveredNodes(points, map.GridX, map.GridY, settings.UnitSpacing);
    // The range comes from every covered node, so that the mask only
    // whitens nodes and changes no colour inside the data.
    ChooseRange(map, settings);
    if (settings.MaskToData) {
        const TBooleanArray inHull = NodesInHull(points, map.GridX, map.GridY);
        for (std::size_t node = 0; node < NodeCount; ++node) map.Covered[node] = map.Covered[node] && inHull[node];
    }
    ColourMap(map, settings);
    return map;
}

void TMapCache::Prefetch(const TMapPoints &points, const TMapSettings &settings)
{
    if ((FKey && FKey->Matches(points, settings)) || (FPendingKey && FPendingKey->Matches(points, settings))) return;
    DropPending(); // an unclaimed map
    FPendingKey = TKey{points, settings};
    // The task owns its copies: the caller may change its points meanwhile.
    FPending = std::async(std::launch::async, [points, settings] { return ComputeMap(points, settings); });
}

const TPseudoSectionMap &TMapCache::Map(const TMapPoints &points, const TMapSettings &settings, bool &computed)
{
    computed = !FKey || !FKey->Matches(points, settings);
    if (computed) {
        if (FPendingKey && FPendingKey->Matches(points, settings))
            FMap = FPending.get();
        else
            FMap = ComputeMap(points, settings);
        FKey = TKey{points, settings};
    }
    DropPending();
    return FMap;
}

void TMapCache::DropPending()
{
    // Waits for a task still running: it reads no caller's data, but the
    // result it writes into must outlive it.
    if (FPending.valid()) FPending.wait();
    FPending = {};
    FPendingKey.reset();
}

void TMapCache::Clear()
{
    DropPending();
    FKey.reset();
}

uint64_t MapPointsFingerprint(const TMapPoints &points)
{
    uint64_t hash = 14695981039346656037ull;
    const auto add = [&hash](const TDoubleArray &values) {
        for (double value : values) {
            uint64_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            for (int byte = 0; byte < 8; ++byte) {
                hash ^= (bits >> (8 * byte)) & 0xFF;
                hash *= 1099511628211ull;
            }
        }
        hash ^= values.size();
        hash *= 1099511628211ull;
    };
    add(points.X);
    add(points.Y);
    add(points.F);
    return hash;
}
