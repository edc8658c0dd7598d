// The five charts of the program with their series: each builder creates the
// series of its chart once, in drawing order, with kind, marker, colour and
// legend title, and gives the chart its first axis titles, directions, legend
// mode and mouse zoom and pan. Each chart struct holds a typed pointer per
// series, named as the series (its objectName).
#pragma once

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"

// The named colours the series use.
namespace SeriesColours {
inline const QColor Red{255, 0, 0};
inline const QColor Blue{0, 0, 255};
inline const QColor Fuchsia{255, 0, 255};
inline const QColor Lime{0, 255, 0};
inline const QColor Green{0, 128, 0};
inline const QColor Purple{128, 0, 128};
inline const QColor Teal{0, 128, 128};
inline const QColor Navy{0, 0, 128};
inline const QColor Grey{128, 128, 128};
inline const QColor Yellow{255, 255, 0};
inline const QColor Black{0, 0, 0};
inline const QColor Maroon{128, 0, 0};
inline const QColor BrightGreen{0, 255, 64}; // the third spacing group of a 2D sequence
} // namespace SeriesColours

// "Chart_Seq2D": base sequence of a roll-along, then one series per spacing group.
struct TSeq2DChart {
    TChart *Chart = nullptr;
    TChartSeries *Series5 = nullptr;
    TChartSeries *Series1 = nullptr;
    TChartSeries *Series2 = nullptr;
    TChartSeries *Series3 = nullptr;
    TChartSeries *Series4 = nullptr;
};

// "Chart_d2d": the pseudo-section map below its points, the sounding and
// profile clouds and the signal diagram. Series_2D is the chart's colour
// grid: the pseudo-section map, the model section's cells, or (misfit
// diagram) only the palette of the misfit points' colours.
struct TData2DChart {
    TChart *Chart = nullptr;
    TColorGridSeries *Series_2D = nullptr;
    TChartSeries *Series_Points = nullptr;
    TChartSeries *Series_d2d_Curves = nullptr;
    TChartSeries *Series_d2d_Rho = nullptr;
    TChartSeries *Series_d2d_R = nullptr;
    TChartSeries *Series_d2d_U = nullptr;
    TChartSeries *Series_d2d_I = nullptr;
    TChartSeries *Series_d2d_Q = nullptr;
    TChartSeries *Series_d2d_C = nullptr;
    TChartSeries *Series_d2d_AllProfileCurves = nullptr;
    TChartSeries *Series_d2d_Misfit = nullptr;     // each reading's misfit, coloured
    TChartSeries *Series_d2d_Electrodes = nullptr; // the model's electrodes on the surface
};

// "Chart_s1d": AB/2 against MN/2, one line per spacing group.
struct TSeq1DChart {
    TChart *Chart = nullptr;
    TChartSeries *LineSeries1 = nullptr;
    TChartSeries *LineSeries2 = nullptr;
    TChartSeries *LineSeries3 = nullptr;
    TChartSeries *LineSeries4 = nullptr;
};

// "Chart_Data1D": one sounding curve per spacing group, then the value curves.
struct TData1DChart {
    TChart *Chart = nullptr;
    TChartSeries *Series_D1D_MN1 = nullptr;
    TChartSeries *Series_D1D_MN2 = nullptr;
    TChartSeries *Series_D1D_MN3 = nullptr;
    TChartSeries *Series_D1D_MN4 = nullptr;
    TChartSeries *Series_d1d_R = nullptr;
    TChartSeries *Series_d1d_C = nullptr;
    TChartSeries *Series_d1d_U = nullptr;
    TChartSeries *Series_d1d_I = nullptr;
    TChartSeries *Series_d1d_Q = nullptr;
    // The inverted model: its response over the AB/2 of the readings, and
    // the model itself as resistivity against depth on the same axes.
    TChartSeries *Series_d1d_Fit = nullptr;
    TChartSeries *Series_d1d_Model = nullptr;
};

// "Chart_Data0D": the value curves by record index.
struct TData0DChart {
    TChart *Chart = nullptr;
    TChartSeries *Series_d0d_R = nullptr;
    TChartSeries *Series_d0d_C = nullptr;
    TChartSeries *Series_d0d_U = nullptr;
    TChartSeries *Series_d0d_I = nullptr;
    TChartSeries *Series_d0d_Q = nullptr;
};

// Each builder creates the series on a chart that has none yet.
TSeq2DChart BuildSeq2DChart(TChart &chart);
TData2DChart BuildData2DChart(TChart &chart);
TSeq1DChart BuildSeq1DChart(TChart &chart);
TData1DChart BuildData1DChart(TChart &chart);
TData0DChart BuildData0DChart(TChart &chart);
