// The chart settings a user keeps from one run of the program to the next:
// the log axes of each chart kind and the 2D data chart's diagram and map
// colours. New presenters start from those kept from the last run, and every
// update of a property page writes its document's settings into the record kept for
// the next; the window loads and stores them (without a window, as in vesk
// plot, there are none and the defaults apply).
#pragma once

#include "presentation/ChartDetails.h"

struct TLogAxesPreference {
    bool X = false;
    bool Y = false;
    void ApplyTo(TChartDetailsCustom &details) const
    {
        details.XLogScale = X;
        details.YLogScale = Y;
    }
    void TakeFrom(const TChartDetailsCustom &details)
    {
        X = details.XLogScale;
        Y = details.YLogScale;
    }
};

struct TData2DPreference {
    TLogAxesPreference LogAxes;
    int32_t Diagram = DiagramPseudoSection;
    int32_t Palette = 0;
    bool LogarithmicColours = true;
    int32_t Limits = 0;
    double LimitMinimum = 1;
    double LimitMaximum = 1000;

    void ApplyTo(TChartDetailsData2D &details) const
    {
        LogAxes.ApplyTo(details);
        details.VisibleDiagrams = Diagram;
        details.Palette = Palette;
        details.LogarithmicColours = LogarithmicColours;
        details.Limits = Limits;
        details.LimitMinimum = LimitMinimum;
        details.LimitMaximum = LimitMaximum;
    }
    void TakeFrom(const TChartDetailsData2D &details)
    {
        // The log-scale items apply (and read) only in the sounding-curve and
        // signal diagrams; elsewhere the kept choice stays.
        if (details.VisibleDiagrams == DiagramSoundingCurves || details.VisibleDiagrams == DiagramSignals)
            LogAxes.TakeFrom(details);
        if (details.VisibleDiagrams >= DiagramPseudoSection && details.VisibleDiagrams <= DiagramSignals)
            Diagram = details.VisibleDiagrams;
        Palette = details.Palette;
        LogarithmicColours = details.LogarithmicColours;
        Limits = details.Limits;
        LimitMinimum = details.LimitMinimum;
        LimitMaximum = details.LimitMaximum;
    }
};

struct TChartPreferences {
    TLogAxesPreference Seq2D, Seq1D, Data1D, Data0D;
    TData2DPreference Data2D;
};
