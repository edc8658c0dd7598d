// Text of an inverted resistivity section for other programs: CSV with one
// line per cell, and a legacy VTK unstructured grid for ParaView.
#pragma once

#include "inversion/SectionInversion.h"

#include <string>

namespace inversion {

// "x,z,resistivity" and one line per cell: its centre (m along the line, m
// depth) and its resistivity (Ohm*m). Lines end with LF; numbers are the
// shortest that read back as the same doubles, whatever the locale.
std::string SectionModelCsv(const TSectionModel &model);

// ASCII VTK (version 2.0) unstructured grid of one quadrilateral per cell in
// the x-y plane (x along the line, y = -depth), with the cell data
// "resistivity" and "log10_resistivity".
std::string SectionModelVtk(const TSectionModel &model);

} // namespace inversion
