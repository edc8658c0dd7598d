// Visual settings of a document's chart: log axes, which curves are drawn,
// which 2D diagram is shown and how the pseudo-section is gridded. Held in
// memory for the program run only; never written to a file.
#pragma once

#include <cstdint>

struct TChartDetailsCustom {
    bool XLogScale = false;
    bool YLogScale = false;
};

struct TChartDetailsCustomData : TChartDetailsCustom {
    bool ShowR = false;
    bool ShowC = true;
    bool ShowU = true;
    bool ShowI = true;
    bool ShowQ = true;
};

struct TChartDetailsData0D : TChartDetailsCustomData {
    TChartDetailsData0D() { ShowR = true; }
};

struct TChartDetailsData1D : TChartDetailsCustomData {
    bool ShowRho = true;
};

// Diagrams of the 2D data chart (the line index of "Visible Diagrams").
enum TVisibleDiagram : int32_t {
    DiagramPseudoSection = 0,
    DiagramSoundingCurves = 1,
    DiagramProfileCurves = 2,
    DiagramSignals = 3,
    // Line 4 is the empty line: nothing drawn.
    DiagramModelSection = 5, // the inverted resistivity section
    DiagramMisfit = 6,       // each reading's misfit to the inverted model
};

// Gridding of the pseudo-section (the line index of "2D Appx. Type").
enum TApproximationType : int32_t {
    ApproximationAkima = 0,
    ApproximationInverseDistance = 1,
};

struct TChartDetailsData2D : TChartDetailsCustomData {
    int32_t VisibleDiagrams = DiagramPseudoSection;
    bool ShowRho = true;
    int32_t ApproximationType = ApproximationInverseDistance;
    double ApproximationRadius = 5.0; // multiples of the unit spacing
    // Colours of the pseudo-section: the ramp ("Palette", a TMapPalette), the
    // scale ("Scale": logarithmic or linear), how the range is chosen
    // ("Limits", a TMapLimits) with the range of fixed limits, and whether
    // nodes outside the measurements' convex hull stay white ("Mask To Data").
    int32_t Palette = 0;
    bool LogarithmicColours = true;
    int32_t Limits = 0;
    double LimitMinimum = 1;
    double LimitMaximum = 1000;
    bool MaskToData = false;
};

struct TChartDetailsSeq1D : TChartDetailsCustom {};
struct TChartDetailsSeq2D : TChartDetailsCustom {};
