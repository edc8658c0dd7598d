// The environment vesk hands to the picture program vesk-plot.
#pragma once

#include <string>
#include <vector>

namespace vesk::cli {

// Read by vesk-plot (plot/src/plot_program.h).
inline constexpr const char *PlotParentVariable = "VESK_PLOT_PARENT";

// The C library's settings variable, read when a program starts.
inline constexpr const char *TunablesVariable = "GLIBC_TUNABLES";

// vesk-plot's environment: `environment` (a null-terminated list of
// NAME=VALUE entries) with the parent's process id in PlotParentVariable
// (replacing any given) and with malloc's heap in transparent huge pages
// (2 MiB each), grown 64 MiB at a time, for every one of these two settings
// GLIBC_TUNABLES does not choose already. vesk-plot touches some tens of
// megabytes once (the gridding, the map, the picture and their copies); in
// 4 KiB pages each page costs a page fault, which made up a large share of a
// picture's time. A huge page is only given where the heap already covers
// its whole 2 MiB, hence the large steps; only what is touched takes memory.
std::vector<std::string> PlotProgramEnvironment(const char *const *environment, long parent);

} // namespace vesk::cli
