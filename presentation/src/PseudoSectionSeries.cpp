// Hands a computed map to the chart's colour grid.
#include "presentation/PseudoSectionMap.h"

#include "controls/ColorGridSeries.h"

void FillMapSeries(TColorGridSeries &series, const TPseudoSectionMap &map)
{
    series.Clear();
    if (map.Outcome == TMapOutcome::NoVariation) return;
    for (std::size_t k = 0; k < map.PaletteLevels.size(); ++k)
        series.AddPaletteEntry(map.PaletteLevels[k], RgbFromColorValue(int(map.PaletteColours[k])));
    for (int i = 0; i < MapGridSize; ++i)
        for (int j = 0; j < MapGridSize; ++j) {
            const std::size_t node = std::size_t(j) * MapGridSize + std::size_t(i);
            series.AddCell(map.GridX[std::size_t(i)], map.Values[node], map.GridY[std::size_t(j)],
                           RgbFromColorValue(int(map.Colours[node])));
        }
}
