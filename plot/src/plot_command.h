// vesk plot: draws documents' charts into PNG, SVG or PDF pictures through
// the desktop program's presenters and chart, without a display.
#pragma once

#include "commands.h"

#include <span>
#include <string>

namespace vesk::plot {

// The command as vesk runs it; needs a QApplication (the offscreen platform
// will do).
int RunPlot(std::span<const std::string> arguments, cli::CommandIo io);

inline constexpr cli::Command PlotCommand{"plot", "draw a document's chart into a PNG, SVG or PDF picture", RunPlot};

} // namespace vesk::plot
