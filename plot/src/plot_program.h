// How vesk-plot sits in its process: it ends with the vesk that started it,
// and it keeps standard output for the picture alone.
#pragma once

namespace vesk::plot {

// The name of the variable in which vesk gives vesk-plot its process id.
inline constexpr const char *ParentVariable = "VESK_PLOT_PARENT";

// When vesk started this process (ParentVariable holds the parent's process
// id), the process gets SIGKILL as soon as that vesk ends, however it ends;
// when it has ended already, the process ends at once. Started otherwise
// (by hand), nothing changes.
void EndWithTheStartingVesk();

// A new descriptor on what standard output was; standard output itself then
// points at standard error. -1 when standard output was closed.
int TakeStandardOutput();

} // namespace vesk::plot
