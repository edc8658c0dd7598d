// The pseudo-section map without a chart: colour ramp, levels, coverage,
// both gridding methods against the plain computation, and the failures.
#include "MapReference.h"

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "presentation/PseudoSectionMap.h"
#include "presentation/VeskColors.h"
#include "survey/Measurements.h"

#include <QTest>

#include <cmath>
#include <random>

class TPseudoSectionMapTest : public QObject {
    Q_OBJECT
private slots:
    void LogRampColorFollowsTheRamp_data();
    void LogRampColorFollowsTheRamp();
    void GeometricLevelsKeepEqualRatios();
    void CoverageEqualsThePlainTest();
    void MapEqualsThePlainComputation_data();
    void MapEqualsThePlainComputation();
    void InverseDistanceReachIsRadiusTimesSpacing();
    void PointsWithoutSpreadGiveNoMap_data();
    void PointsWithoutSpreadGiveNoMap();
    void RefusedSurfaceLeavesAWhiteMap_data();
    void RefusedSurfaceLeavesAWhiteMap();
    void NodesFarFromEveryPointAreWhite();
    void OneValueEverywhereIsBlack();
    void CacheGridsOnlyWhenPointsOrSettingsChange();
    void PrefetchedMapIsTheMapAskedFor_data();
    void PrefetchedMapIsTheMapAskedFor();
    void PalettesAndScalesColourTheRange_data();
    void PalettesAndScalesColourTheRange();
    void LimitsChooseTheRange();
    void FixedLimitsGiveTheEndColoursBeyond();
    void HullHoldsItsBorderAndNothingOutside();
    void MaskWhitensOnlyNodesOutsideTheHull_data();
    void MaskWhitensOnlyNodesOutsideTheHull();
};

void TPseudoSectionMapTest::LogRampColorFollowsTheRamp_data()
{
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("value");
    QTest::addColumn<uint>("colour");
    QTest::newRow("minimum: first colour") << 10.0 << 1000.0 << 10.0 << uint(ColourValue(0, 0, 128));
    QTest::newRow("maximum: last colour") << 10.0 << 1000.0 << 1000.0 << uint(ColourValue(96, 0, 96));
    QTest::newRow("t 0.25: between blue and cyan") << 10.0 << 1000.0 << std::pow(10.0, 1.5)
                                                    << uint(ColourValue(0, 191, 255));
    QTest::newRow("t 4/7: dark green") << 1.0 << 1e7 << 1e4 << uint(ColourValue(0, 128, 0));
    QTest::newRow("no range: black") << 50.0 << 50.0 << 50.0 << 0u;
    QTest::newRow("empty range start values: black") << 1.7e308 << 0.0 << 1.0 << 0u;
}

void TPseudoSectionMapTest::LogRampColorFollowsTheRamp()
{
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, value);
    QFETCH(uint, colour);
    TRGBArray ramp;
    RampColors(ramp);
    QCOMPARE(ramp.size(), std::size_t(24));
    QCOMPARE(LogRampColor(8, ramp, minimum, maximum, value), colour);
}

void TPseudoSectionMapTest::GeometricLevelsKeepEqualRatios()
{
    TDoubleArray levels;
    GeometricLevels(15, -1, 10, 1000, levels);
    QCOMPARE(levels.size(), std::size_t(15));
    QCOMPARE(levels.front(), 10.0);
    QCOMPARE(levels.back(), 1000.0);
    for (int k = 1; k < 14; ++k) QVERIFY(std::fabs(levels[k] / (10 * std::pow(100.0, k / 14.0)) - 1) < 1e-12);

    GeometricLevels(3, 1, 1, 100, levels); // 1, 10, 100 rounded to one decimal
    QCOMPARE(levels, (TDoubleArray{1, 10, 100}));
    GeometricLevels(4, 0, 1, 2, levels); // 1, 1.26, 1.587, 2 rounded to whole numbers
    QCOMPARE(levels, (TDoubleArray{1, 1, 2, 2}));
}

void TPseudoSectionMapTest::CoverageEqualsThePlainTest()
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> position(0, 100);
    for (int round = 0; round < 20; ++round) {
        TMapPoints points;
        const int count = 1 + round * 7;
        for (int p = 0; p < count; ++p) {
            points.X.push_back(position(random));
            points.Y.push_back(position(random) / 5);
        }
        const auto grid = [](double lo, double hi) {
            TDoubleArray g;
            for (int k = 0; k < 100; ++k) g.push_back(lo + double(k) / 99 * (hi - lo));
            return g;
        };
        const TDoubleArray gx = grid(0, 100), gy = grid(0, 20);
        // Points exactly one half-side from a node sit on the strict border.
        if (round % 2 == 1) {
            points.X.push_back(gx[40] + 2.5);
            points.Y.push_back(gy[60] - 2.5);
        }
        const double halfSide = round < 10 ? 2.5 : 0.05 * round;
        const TBooleanArray covered = CoveredNodes(points, gx, gy, halfSide);
        for (int j = 0; j < 100; ++j)
            for (int i = 0; i < 100; ++i) {
                bool plain = false;
                for (std::size_t p = 0; p < points.X.size() && !plain; ++p)
                    plain = std::fabs(gx[i] - points.X[p]) < halfSide && std::fabs(gy[j] - points.Y[p]) < halfSide;
                if (covered[j * 100 + i] != plain)
                    QFAIL(qPrintable(QStringLiteral("round %1 node (%2, %3)").arg(round).arg(i).arg(j)));
            }
    }
}

namespace {

TMapPoints WennerPoints(TPlainHost &host, double &unitSpacing)
{
    TnData2D document(host);
    if (!document.LoadFromFile(VESK_EXAMPLES_DIR "/wenner.d2d")) return {};
    unitSpacing = document.ArrayDetails().UnitSpacingMetres();
    return CollectMapPoints(document.Measurements());
}

void CompareWithReference(const TPseudoSectionMap &map, const MapReference::TMap &reference)
{
    QCOMPARE(map.GridX, reference.GridX);
    QCOMPARE(map.GridY, reference.GridY);
    QCOMPARE(map.Values, reference.Values);
    QCOMPARE(map.Colours, reference.Colours);
    QCOMPARE(map.PaletteLevels, reference.Levels);
    QCOMPARE(map.PaletteColours, reference.LevelColours);
}

} // namespace

void TPseudoSectionMapTest::MapEqualsThePlainComputation_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("Akima") << 0;
    QTest::newRow("inverse distance") << 1;
}

void TPseudoSectionMapTest::MapEqualsThePlainComputation()
{
    QFETCH(int, method);
    TPlainHost host;
    double a = 0;
    const TMapPoints points = WennerPoints(host, a);
    QCOMPARE(points.X.size(), std::size_t(162));
    const TPseudoSectionMap map = ComputeMap(points, {method, 5.0, a});
    QCOMPARE(map.Outcome, TMapOutcome::Drawn);
    const MapReference::TMap reference = MapReference::Compute(points.X, points.Y, points.F, method, 5.0 * a, a);
    CompareWithReference(map, reference);
    // Many nodes carry colour, and there is white outside the data.
    const auto coloured = std::count_if(map.Colours.begin(), map.Colours.end(),
                                        [](uint32_t c) { return c != ColourValue(255, 255, 255); });
    QVERIFY(coloured > 5000 && coloured < 10000);
}

void TPseudoSectionMapTest::InverseDistanceReachIsRadiusTimesSpacing()
{
    TPlainHost host;
    double a = 0;
    const TMapPoints points = WennerPoints(host, a);
    const TPseudoSectionMap map = ComputeMap(points, {1, 3.0, 5.0});
    CompareWithReference(map, MapReference::Compute(points.X, points.Y, points.F, 1, 15.0, 5.0));
    QVERIFY(map.Values != ComputeMap(points, {1, 5.0, 5.0}).Values);
}

void TPseudoSectionMapTest::PointsWithoutSpreadGiveNoMap_data()
{
    QTest::addColumn<TDoubleArray>("x");
    QTest::addColumn<TDoubleArray>("y");
    QTest::newRow("no points") << TDoubleArray{} << TDoubleArray{};
    QTest::newRow("one pseudo-depth") << TDoubleArray{0, 5, 10, 15, 20} << TDoubleArray{2.6, 2.6, 2.6, 2.6, 2.6};
    QTest::newRow("one mid-point") << TDoubleArray{7.5, 7.5, 7.5} << TDoubleArray{2.6, 5.2, 7.8};
    QTest::newRow("rounding noise only") << TDoubleArray{1000, 1000 + 1e-10, 1000} << TDoubleArray{1, 2, 3};
}

void TPseudoSectionMapTest::PointsWithoutSpreadGiveNoMap()
{
    QFETCH(TDoubleArray, x);
    QFETCH(TDoubleArray, y);
    TMapPoints points{x, y, TDoubleArray(x.size(), 100.0)};
    for (int method : {0, 1}) {
        const TPseudoSectionMap map = ComputeMap(points, {method, 5.0, 5.0});
        QCOMPARE(map.Outcome, TMapOutcome::NoVariation);
        QVERIFY(map.Colours.empty() && map.PaletteLevels.empty());
    }
}

void TPseudoSectionMapTest::RefusedSurfaceLeavesAWhiteMap_data()
{
    QTest::addColumn<TMapPoints>("points");
    QTest::newRow("three points") << TMapPoints{{0, 10, 5}, {1, 1, 3}, {10, 20, 30}};
    QTest::newRow("two at one place") << TMapPoints{{0, 10, 5, 5, 2}, {1, 1, 3, 3, 2}, {10, 20, 30, 40, 50}};
    QTest::newRow("all on one line") << TMapPoints{{0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {10, 20, 30, 40, 50}};
}

void TPseudoSectionMapTest::RefusedSurfaceLeavesAWhiteMap()
{
    QFETCH(TMapPoints, points);
    const TPseudoSectionMap map = ComputeMap(points, {0, 5.0, 1.0});
    QCOMPARE(map.Outcome, TMapOutcome::SurfaceNotBuilt);
    QCOMPARE(map.Values, TDoubleArray(10000, 0.0));
    QCOMPARE(map.Colours, std::vector<uint32_t>(10000, ColourValue(255, 255, 255)));
    QCOMPARE(map.PaletteColours, std::vector<uint32_t>(15, 0u));
    // Inverse distance keeps its own rule: fewer than four points grid nothing, others grid.
    QCOMPARE(ComputeMap(points, {1, 5.0, 1.0}).Outcome, TMapOutcome::Drawn);
}

void TPseudoSectionMapTest::NodesFarFromEveryPointAreWhite()
{
    // Four corner points, a = 1: only nodes within one metre of a corner are
    // covered, although inverse distance with a long reach fills every node.
    const TMapPoints points{{0, 100, 0, 100}, {0, 0, 50, 50}, {10, 20, 30, 40}};
    const TPseudoSectionMap map = ComputeMap(points, {1, 300.0, 1.0});
    const MapReference::TMap reference = MapReference::Compute(points.X, points.Y, points.F, 1, 300.0, 1.0);
    CompareWithReference(map, reference);
    const int centre = 50 * 100 + 50;
    QVERIFY(map.Values[centre] > 0);
    QCOMPARE(map.Colours[centre], ColourValue(255, 255, 255));
    QVERIFY(map.Colours[0] != ColourValue(255, 255, 255));
}

void TPseudoSectionMapTest::OneValueEverywhereIsBlack()
{
    // Weights times 1 add up exactly as the weights do: every node is 1.
    const TMapPoints points{{0, 10, 0, 10, 5}, {0, 0, 10, 10, 5}, {1, 1, 1, 1, 1}};
    const TPseudoSectionMap map = ComputeMap(points, {1, 5.0, 100.0});
    QCOMPARE(map.Minimum, 1.0);
    QCOMPARE(map.Maximum, 1.0);
    QCOMPARE(map.PaletteColours, std::vector<uint32_t>(15, 0u));
    QVERIFY(std::all_of(map.Colours.begin(), map.Colours.end(), [](uint32_t c) { return c == 0; }));
}

void TPseudoSectionMapTest::CacheGridsOnlyWhenPointsOrSettingsChange()
{
    TPlainHost host;
    double a = 0;
    TMapPoints points = WennerPoints(host, a);
    TMapCache cache;
    bool computed = false;
    cache.Map(points, {1, 5.0, a}, computed);
    QVERIFY(computed);
    cache.Map(points, {1, 5.0, a}, computed);
    QVERIFY(!computed);
    cache.Map(points, {0, 5.0, a}, computed);
    QVERIFY(computed);
    points.F[17] *= 2;
    const TPseudoSectionMap &map = cache.Map(points, {0, 5.0, a}, computed);
    QVERIFY(computed);
    CompareWithReference(map, MapReference::Compute(points.X, points.Y, points.F, 0, 0, a));
}

void TPseudoSectionMapTest::PrefetchedMapIsTheMapAskedFor_data()
{
    QTest::addColumn<int>("prefetchedMethod");
    QTest::addColumn<bool>("pointsChangeAfterPrefetch");
    QTest::newRow("the same points and settings") << 0 << false;
    QTest::newRow("other settings") << 1 << false;
    QTest::newRow("the caller's points changed meanwhile") << 0 << true;
}

// The map gridded on another thread is taken only when it is the one asked
// for; otherwise it is dropped and the asked map computed. Either way the
// result is the plain computation's.
void TPseudoSectionMapTest::PrefetchedMapIsTheMapAskedFor()
{
    QFETCH(int, prefetchedMethod);
    QFETCH(bool, pointsChangeAfterPrefetch);
    TPlainHost host;
    double a = 0;
    TMapPoints points = WennerPoints(host, a);
    TMapCache cache;
    cache.Prefetch(points, {prefetchedMethod, 5.0, a});
    if (pointsChangeAfterPrefetch) points.F[17] *= 2;
    bool computed = false;
    const TPseudoSectionMap &map = cache.Map(points, {0, 5.0, a}, computed);
    QVERIFY(computed);
    CompareWithReference(map, MapReference::Compute(points.X, points.Y, points.F, 0, 0, a));
    cache.Prefetch(points, {0, 5.0, a}); // kept already: nothing starts
    cache.Map(points, {0, 5.0, a}, computed);
    QVERIFY(!computed);
}

void TPseudoSectionMapTest::PalettesAndScalesColourTheRange_data()
{
    QTest::addColumn<int>("palette");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<double>("value");
    QTest::addColumn<uint>("colour");
    // Range 10 to 1000: 100 lies half-way on the log scale, 505 on the linear one.
    QTest::newRow("viridis, minimum") << int(PaletteViridis) << true << 10.0 << uint(ColourValue(68, 1, 84));
    QTest::newRow("viridis, maximum") << int(PaletteViridis) << true << 1000.0 << uint(ColourValue(253, 231, 37));
    QTest::newRow("viridis, log middle") << int(PaletteViridis) << true << 100.0 << uint(ColourValue(35, 144, 138));
    QTest::newRow("grey, log middle") << int(PaletteGrey) << true << 100.0 << uint(ColourValue(128, 128, 128));
    QTest::newRow("grey, linear middle") << int(PaletteGrey) << false << 505.0 << uint(ColourValue(128, 128, 128));
    QTest::newRow("grey, linear at 100") << int(PaletteGrey) << false << 100.0 << uint(ColourValue(49, 49, 49));
    QTest::newRow("classic, linear maximum") << int(PaletteClassic) << false << 1000.0 << uint(ColourValue(96, 0, 96));
    QTest::newRow("classic, linear below") << int(PaletteClassic) << false << 1.0 << uint(ColourValue(0, 0, 128));
}

void TPseudoSectionMapTest::PalettesAndScalesColourTheRange()
{
    QFETCH(int, palette);
    QFETCH(bool, logarithmic);
    QFETCH(double, value);
    QFETCH(uint, colour);
    TRGBArray ramp;
    PaletteRamp(palette, ramp);
    const int count = int(ramp.size() / 3);
    QCOMPARE(logarithmic ? LogRampColor(count, ramp, 10, 1000, value) : LinearRampColor(count, ramp, 10, 1000, value),
             colour);
    TRGBArray classic;
    RampColors(classic);
    PaletteRamp(PaletteClassic, ramp);
    QCOMPARE(ramp, classic);
}

void TPseudoSectionMapTest::LimitsChooseTheRange()
{
    TPlainHost host;
    double a = 0;
    const TMapPoints points = WennerPoints(host, a);
    const TPseudoSectionMap automatic = ComputeMap(points, {1, 5.0, a});
    // The covered values above 0, for the percentiles worked out here.
    std::vector<double> values;
    for (std::size_t node = 0; node < automatic.Values.size(); ++node)
        if (automatic.Covered[node] && automatic.Values[node] > 0) values.push_back(automatic.Values[node]);
    std::sort(values.begin(), values.end());
    const auto percentile = [&](double q) {
        const double at = q * double(values.size() - 1);
        const std::size_t below = std::size_t(at);
        return values[below] + (at - double(below)) * (values[below + 1] - values[below]);
    };
    QCOMPARE(automatic.Minimum, values.front());
    QCOMPARE(automatic.Maximum, values.back());

    const TPseudoSectionMap percentiles = ComputeMap(points, {.ApproximationType = 1, .ApproximationRadius = 5.0,
                                                              .UnitSpacing = a, .Limits = LimitsPercentile});
    QCOMPARE(percentiles.Minimum, percentile(0.02));
    QCOMPARE(percentiles.Maximum, percentile(0.98));
    QVERIFY(percentiles.Minimum > automatic.Minimum && percentiles.Maximum < automatic.Maximum);
    QCOMPARE(percentiles.Values, automatic.Values);

    // Linear: the palette levels step evenly over the same automatic range.
    const TPseudoSectionMap linear =
        ComputeMap(points, {.ApproximationType = 1, .ApproximationRadius = 5.0, .UnitSpacing = a, .Logarithmic = false});
    QCOMPARE(linear.Minimum, automatic.Minimum);
    QCOMPARE(linear.PaletteLevels.size(), std::size_t(MapPaletteSize));
    const double step = (linear.Maximum - linear.Minimum) / (MapPaletteSize - 1);
    for (int k = 0; k < MapPaletteSize; ++k)
        QVERIFY(std::fabs(linear.PaletteLevels[std::size_t(k)] - (linear.Minimum + k * step)) < 1e-9 * linear.Maximum);
}

void TPseudoSectionMapTest::FixedLimitsGiveTheEndColoursBeyond()
{
    TPlainHost host;
    double a = 0;
    const TMapPoints points = WennerPoints(host, a);
    const TPseudoSectionMap automatic = ComputeMap(points, {1, 5.0, a});
    // A range inside the data's: values beyond it take the end colours.
    const double low = automatic.Minimum * 1.5, high = automatic.Maximum / 1.5;
    const TPseudoSectionMap fixed = ComputeMap(points, {.ApproximationType = 1, .ApproximationRadius = 5.0, .UnitSpacing = a,
                                                        .Limits = LimitsFixed, .FixedMinimum = low, .FixedMaximum = high});
    QCOMPARE(fixed.Minimum, low);
    QCOMPARE(fixed.Maximum, high);
    QCOMPARE(fixed.PaletteLevels.front(), low);
    QCOMPARE(fixed.PaletteLevels.back(), high);
    int below = 0, above = 0;
    for (std::size_t node = 0; node < fixed.Values.size(); ++node) {
        if (!fixed.Covered[node] || !(fixed.Values[node] > 0)) continue;
        if (fixed.Values[node] <= low) {
            QCOMPARE(fixed.Colours[node], ColourValue(0, 0, 128));
            ++below;
        } else if (fixed.Values[node] >= high) {
            QCOMPARE(fixed.Colours[node], ColourValue(96, 0, 96));
            ++above;
        }
    }
    QVERIFY(below > 0 && above > 0);
    // Given the wrong way round, the range is the same.
    const TPseudoSectionMap swapped = ComputeMap(points, {.ApproximationType = 1, .ApproximationRadius = 5.0, .UnitSpacing = a,
                                                          .Limits = LimitsFixed, .FixedMinimum = high, .FixedMaximum = low});
    QCOMPARE(swapped.Colours, fixed.Colours);
    // A logarithmic scale cannot start at 0: the data's smallest value does.
    const TPseudoSectionMap fromZero = ComputeMap(points, {.ApproximationType = 1, .ApproximationRadius = 5.0, .UnitSpacing = a,
                                                           .Limits = LimitsFixed, .FixedMinimum = 0, .FixedMaximum = high});
    QCOMPARE(fromZero.Minimum, automatic.Minimum);
}

void TPseudoSectionMapTest::HullHoldsItsBorderAndNothingOutside()
{
    // A triangle over a 3 x 3 grid: (0,0), (2,0), (0,2); the nodes on its
    // sloping side count, the three beyond it do not.
    const TMapPoints triangle{{0, 2, 0, 0.5}, {0, 0, 2, 0.5}, {1, 1, 1, 1}};
    const TBooleanArray inside = NodesInHull(triangle, {0, 1, 2}, {0, 1, 2});
    QCOMPARE(inside, (TBooleanArray{true, true, true, true, true, false, true, false, false}));
    // Points on one line span no area.
    const TMapPoints line{{0, 1, 2}, {0, 1, 2}, {1, 1, 1}};
    QCOMPARE(NodesInHull(line, {0, 1, 2}, {0, 1, 2}), TBooleanArray(9, false));
}

void TPseudoSectionMapTest::MaskWhitensOnlyNodesOutsideTheHull_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("Akima") << 0;
    QTest::newRow("inverse distance") << 1;
}

void TPseudoSectionMapTest::MaskWhitensOnlyNodesOutsideTheHull()
{
    QFETCH(int, method);
    TPlainHost host;
    double a = 0;
    const TMapPoints points = WennerPoints(host, a);
    const TPseudoSectionMap plain = ComputeMap(points, {method, 5.0, a});
    const TPseudoSectionMap masked =
        ComputeMap(points, {.ApproximationType = method, .ApproximationRadius = 5.0, .UnitSpacing = a, .MaskToData = true});
    const TBooleanArray inHull = NodesInHull(points, plain.GridX, plain.GridY);
    const uint32_t white = ColourValue(255, 255, 255);
    int whitened = 0;
    for (std::size_t node = 0; node < plain.Colours.size(); ++node) {
        if (inHull[node]) {
            QCOMPARE(masked.Colours[node], plain.Colours[node]);
        } else {
            QCOMPARE(masked.Colours[node], white);
            whitened += plain.Colours[node] != white;
        }
    }
    // A Wenner pseudo-section is a trapezoid: its lower corners lie outside.
    QVERIFY(whitened > 20);
    QVERIFY(!inHull[99 * 100 + 0] && !inHull[99 * 100 + 99] && inHull[50 * 100 + 50]);
}

QTEST_GUILESS_MAIN(TPseudoSectionMapTest)
#include "PseudoSectionMapTest.moc"
