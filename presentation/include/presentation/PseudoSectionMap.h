// The pseudo-section map of a 2D data set: the value to show of the drawn
// measurements gridded onto 100 x 100 nodes over the pseudo-section (Akima's
// surface or inverse distance), nodes far from every measurement blanked, a
// logarithmic colour scale between the smallest and largest gridded value, and
// the cells and palette handed to the chart's colour grid.
#pragma once

#include "survey/VeskTypes.h"

#include <vector>

#include <QString>

#include <cstdint>
#include <future>
#include <optional>

class TColorGridSeries;
class TMeasurements2D;

inline constexpr int MapGridSize = 100;   // nodes along each axis
inline constexpr int MapPaletteSize = 15; // palette entries of the legend

// Shown when the drawn measurements span no width or no depth (or there are none).
extern const QString MapNoVariationMessage;
// Shown when Akima's surface could not be built from the drawn measurements.
extern const QString MapSurfaceNotBuiltMessage;

// The drawn measurements (shown and passing the filters) in list order.
struct TMapPoints {
    TDoubleArray X; // mid-point, metres
    TDoubleArray Y; // pseudo-depth, metres
    TDoubleArray F; // value to show
    bool operator==(const TMapPoints &) const = default;
};

// How the colour range of the map is chosen (the line index of "Limits").
enum TMapLimits : int32_t {
    LimitsAutomatic = 0,   // smallest value above 0 to largest value of the covered nodes
    LimitsPercentile = 1,  // the 2nd to the 98th percentile of those values
    LimitsFixed = 2,       // the given minimum and maximum
};

struct TMapSettings {
    int32_t ApproximationType = 1; // 0 Akima's surface, 1 inverse distance, other: no gridding
    double ApproximationRadius = 5.0; // inverse distance: reach in multiples of the unit spacing
    double UnitSpacing = 5.0;         // metres; also the half-side of a measurement's covered square
    int32_t Palette = 0;              // a TMapPalette
    bool Logarithmic = true;          // colour scale
    int32_t Limits = LimitsAutomatic; // a TMapLimits
    double FixedMinimum = 1, FixedMaximum = 1000; // the range of LimitsFixed
    bool MaskToData = false;          // nodes outside the convex hull of the points stay white
                                      // (the colour range stays that of the unmasked map)
    bool operator==(const TMapSettings &) const = default;
};

enum class TMapOutcome {
    Drawn,           // cells and palette computed
    NoVariation,     // nothing to draw: no points, or no spread in x or y
    SurfaceNotBuilt, // Akima's surface refused the points: every cell white
};

struct TPseudoSectionMap {
    TMapOutcome Outcome = TMapOutcome::NoVariation;
    TDoubleArray GridX, GridY;   // node positions, MapGridSize each (empty for NoVariation)
    // Per node, node (i, j) at j * MapGridSize + i (x index fastest).
    TDoubleArray Values;
    TBooleanArray Covered;
    std::vector<uint32_t> Colours; // 24-bit cell colours, white where not coloured
    double Minimum = 1.7e308;      // colour range over the covered nodes
    double Maximum = 0;
    TDoubleArray PaletteLevels;    // MapPaletteSize levels with their colours
    std::vector<uint32_t> PaletteColours;
};

TMapPoints CollectMapPoints(const TMeasurements2D &measurements);

// The colours of a value range as the map gives them: the range chosen from
// the values by the settings' Limits (automatic: the smallest value above 0
// to the largest value), the palette's ramp on the logarithmic or linear
// scale, and MapPaletteSize legend levels. The model section and the misfit
// diagram colour their values with it too.
class TColourScale {
public:
    // The range chosen from the values.
    TColourScale(const std::vector<double> &values, const TMapSettings &settings);
    // The range given.
    TColourScale(const TMapSettings &settings, double minimum, double maximum);
    double Minimum() const { return FMinimum; }
    double Maximum() const { return FMaximum; }
    uint32_t Colour(double value) const; // 24-bit colour value
    TDoubleArray PaletteLevels() const;
    std::vector<uint32_t> PaletteColours() const;

private:
    TMapSettings FSettings;
    std::vector<uint8_t> FRamp; // three bytes per ramp colour
    double FMinimum = 1.7e308, FMaximum = 0;
};

// Node (i, j) is covered when some point lies closer than halfSide to it in x
// and in y (strictly). Marks each point's neighbourhood instead of comparing
// every node with every point; the result is the same.
TBooleanArray CoveredNodes(const TMapPoints &points, const TDoubleArray &gridX, const TDoubleArray &gridY,
                           double halfSide);

// Whether each node lies in the convex hull of the points (its border
// included, with a margin for rounding); no node does when the points span no
// area.
TBooleanArray NodesInHull(const TMapPoints &points, const TDoubleArray &gridX, const TDoubleArray &gridY);

// Grids, blanks and colours the map of the points.
TPseudoSectionMap ComputeMap(const TMapPoints &points, const TMapSettings &settings);

// Clears the colour grid and, unless the map has nothing to draw, adds its
// palette and its cells (x index outer, depth index inner).
void FillMapSeries(TColorGridSeries &series, const TPseudoSectionMap &map);

// Keeps the last map so that a redraw of the same points with the same
// settings (a sort, a tick that changes nothing drawn) does not grid again.
class TMapCache {
public:
    // Starts computing the map of points and settings on another thread, so
    // that the table is filled meanwhile; Map with the same points and
    // settings takes that result. Nothing starts when that map is kept.
    void Prefetch(const TMapPoints &points, const TMapSettings &settings);
    // The map of points and settings; computed says whether it was computed
    // for this call (false: the kept one was reused).
    const TPseudoSectionMap &Map(const TMapPoints &points, const TMapSettings &settings, bool &computed);
    void Clear();

private:
    void DropPending();

    struct TKey {
        TMapPoints Points;
        TMapSettings Settings;
        bool Matches(const TMapPoints &points, const TMapSettings &settings) const
        {
            return Settings == settings && Points == points;
        }
    };
    std::optional<TKey> FKey;
    TPseudoSectionMap FMap;
    std::optional<TKey> FPendingKey;
    std::future<TPseudoSectionMap> FPending;
};

// A fingerprint of a point set (FNV-1a over the coordinates and values), to
// remember which point sets already had their message shown.
uint64_t MapPointsFingerprint(const TMapPoints &points);
