// The two diagrams of an inverted section on the 2D data chart: the model's
// cells coloured by resistivity, and each reading's misfit to the model at
// its place in the pseudo-section.
#pragma once

#include "presentation/PseudoSectionMap.h"

#include "inversion/SectionInversion.h"

#include <QVector>

#include <vector>

class TColorGridSeries;
class TChartSeries;

// Fills the colour grid with the cells of the model sampled on an even raster
// fine enough that every cell boundary falls within a quarter of the smallest
// cell (so the grid's half-way cell edges show each cell where it lies), the
// colours from the map's palette, scale and limits, and their palette; the
// electrodes of the readings as points at depth 0.
void FillModelSection(TColorGridSeries &grid, TChartSeries &electrodes, const inversion::TSectionModel &model,
                      const std::vector<inversion::TSectionReading> &readings, const TMapSettings &colours);

// One point per reading at (mid-point, pseudo-depth) in the colour of its
// misfit in percent, on a linear scale symmetric about 0 that reaches the
// 98th percentile of the misfits' sizes (larger ones take the end colours); the palette of that scale goes to the grid (no
// cells), so that the chart's legend lists it. labels: each reading's number
// (the table's "#").
void FillMisfit(TColorGridSeries &grid, TChartSeries &points, const inversion::TSectionModel &model,
                const std::vector<inversion::TSectionReading> &readings, const QVector<qint64> &labels,
                int32_t palette);
