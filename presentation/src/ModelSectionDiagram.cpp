#include "ModelSectionDiagram.h"

#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"

#include <algorithm>
#include <cmath>

namespace {

// Largest raster of a model section: enough for a long roll-along's cells
// without an image larger than the screen needs.
constexpr int LargestRasterColumns = 1200;
constexpr int LargestRasterRows = 400;

// Sample positions at the centres of `count` even steps over [from, to].
std::vector<double> SampleCentres(double from, double to, int count)
{
    std::vector<double> centres(static_cast<std::size_t>(count));
    const double step = (to - from) / count;
    for (int k = 0; k < count; ++k) centres[std::size_t(k)] = from + (k + 0.5) * step;
    return centres;
}

int StepsFor(double extent, double smallest, int largest)
{
    if (!(smallest > 0) || !(extent > 0)) return 1;
    return std::clamp(int(std::ceil(extent / (smallest / 4))), 1, largest);
}

// Index of the interval [edges[k], edges[k + 1]) that holds the value,
// clamped to the intervals there are.
int IntervalOf(const std::vector<double> &edges, double value)
{
    const auto above = std::upper_bound(edges.begin(), edges.end(), value);
    return std::clamp(int(above - edges.begin()) - 1, 0, int(edges.size()) - 2);
}

void SetPalette(TColorGridSeries &grid, const TColourScale &scale)
{
    const TDoubleArray levels = scale.PaletteLevels();
    const std::vector<uint32_t> colours = scale.PaletteColours();
    for (std::size_t k = 0; k < levels.size(); ++k) grid.AddPaletteEntry(levels[k], RgbFromColorValue(int(colours[k])));
}

} // namespace

void FillModelSection(TColorGridSeries &grid, TChartSeries &electrodes, const inversion::TSectionModel &model,
                      const std::vector<inversion::TSectionReading> &readings, const TMapSettings &colours)
{
    grid.Clear();
    electrodes.Clear();
    if (model.Cells.empty() || model.Resistivity.size() != model.Cells.size()) return;
    // Column and row edges of the cell grid (cells run row by row from the surface).
    int columns = 0, rows = 0;
    for (const inversion::TSectionCell &cell : model.Cells) {
        columns = std::max(columns, cell.Column + 1);
        rows = std::max(rows, cell.Row + 1);
    }
    if (model.Cells.size() != std::size_t(columns) * std::size_t(rows)) return;
    std::vector<double> xEdges(std::size_t(columns) + 1), zEdges(std::size_t(rows) + 1);
    for (const inversion::TSectionCell &cell : model.Cells) {
        xEdges[std::size_t(cell.Column)] = cell.X0;
        xEdges[std::size_t(cell.Column) + 1] = cell.X1;
        zEdges[std::size_t(cell.Row)] = cell.Z0;
        zEdges[std::size_t(cell.Row) + 1] = cell.Z1;
    }
    double narrowest = xEdges.back() - xEdges.front(), thinnest = zEdges.back() - zEdges.front();
    for (std::size_t k = 0; k + 1 < xEdges.size(); ++k) narrowest = std::min(narrowest, xEdges[k + 1] - xEdges[k]);
    for (std::size_t k = 0; k + 1 < zEdges.size(); ++k) thinnest = std::min(thinnest, zEdges[k + 1] - zEdges[k]);
    const std::vector<double> sampleX = SampleCentres(
        xEdges.front(), xEdges.back(), StepsFor(xEdges.back() - xEdges.front(), narrowest, LargestRasterColumns));
    const std::vector<double> sampleZ = SampleCentres(
        zEdges.front(), zEdges.back(), StepsFor(zEdges.back() - zEdges.front(), thinnest, LargestRasterRows));

    const TColourScale scale(model.Resistivity, colours);
    std::vector<int> rowOf(sampleZ.size());
    for (std::size_t j = 0; j < sampleZ.size(); ++j) rowOf[j] = IntervalOf(zEdges, sampleZ[j]);
    for (const double x : sampleX) {
        const int column = IntervalOf(xEdges, x);
        for (std::size_t j = 0; j < sampleZ.size(); ++j) {
            const double value = model.Resistivity[std::size_t(rowOf[j]) * std::size_t(columns) + std::size_t(column)];
            grid.AddCell(x, value, sampleZ[j], RgbFromColorValue(int(scale.Colour(value))));
        }
    }
    SetPalette(grid, scale);

    QVector<double> x, z;
    for (const double position : inversion::LinePositions(readings)) {
        x.append(position);
        z.append(0.0);
    }
    electrodes.SetPoints(x, z);
}

void FillMisfit(TColorGridSeries &grid, TChartSeries &points, const inversion::TSectionModel &model,
                const std::vector<inversion::TSectionReading> &readings, const QVector<qint64> &labels,
                int32_t palette)
{
    grid.Clear();
    points.Clear();
    if (model.MisfitPercent.size() != readings.size() || readings.empty()) return;
    // A few outliers would leave every other reading in the middle colour:
    // the scale reaches the 98th percentile of the misfits' sizes (larger
    // ones take the end colours).
    std::vector<double> sizes;
    for (const double misfit : model.MisfitPercent)
        if (std::isfinite(misfit)) sizes.push_back(std::abs(misfit));
    double largest = 0;
    if (!sizes.empty()) {
        std::sort(sizes.begin(), sizes.end());
        largest = sizes[std::size_t(std::floor(0.98 * double(sizes.size() - 1)))];
    }
    if (!(largest > 0)) largest = 1;
    TMapSettings settings;
    settings.Palette = palette;
    settings.Logarithmic = false;
    const TColourScale scale(settings, -largest, largest);
    QVector<double> x, y;
    QVector<qint64> numbers;
    QVector<QRgb> colours;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        x.append(readings[i].MidPoint);
        y.append(readings[i].PseudoDepth);
        numbers.append(i < std::size_t(labels.size()) ? labels[qsizetype(i)] : qint64(readings[i].Index) + 1);
        colours.append(RgbFromColorValue(int(scale.Colour(model.MisfitPercent[i]))));
    }
    points.SetNumberedPoints(x, y, numbers, colours);
    SetPalette(grid, scale);
}
