#include "inversion/SectionModelFiles.h"

#include <charconv>
#include <cmath>

namespace inversion {

namespace {

void AppendNumber(std::string &text, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value);
    text.append(buffer, result.ptr);
}

} // namespace

std::string SectionModelCsv(const TSectionModel &model)
{
    std::string text = "x,z,resistivity\n";
    for (std::size_t j = 0; j < model.Cells.size(); ++j) {
        AppendNumber(text, model.Cells[j].CentreX());
        text += ',';
        AppendNumber(text, model.Cells[j].CentreZ());
        text += ',';
        AppendNumber(text, model.Resistivity[j]);
        text += '\n';
    }
    return text;
}

std::string SectionModelVtk(const TSectionModel &model)
{
    const std::size_t cells = model.Cells.size();
    std::string text = "# vtk DataFile Version 2.0\nResistivity section\nASCII\nDATASET UNSTRUCTURED_GRID\n";
    text += "POINTS " + std::to_string(4 * cells) + " double\n";
    for (const TSectionCell &cell : model.Cells) {
        const double corners[4][2] = {{cell.X0, -cell.Z0}, {cell.X1, -cell.Z0}, {cell.X1, -cell.Z1}, {cell.X0, -cell.Z1}};
        for (const auto &corner : corners) {
            AppendNumber(text, corner[0]);
            text += ' ';
            AppendNumber(text, corner[1]);
            text += " 0\n";
        }
    }
    text += "CELLS " + std::to_string(cells) + ' ' + std::to_string(5 * cells) + '\n';
    for (std::size_t j = 0; j < cells; ++j) {
        text += "4";
        for (std::size_t corner = 0; corner < 4; ++corner)
            text += ' ' + std::to_string(4 * j + corner);
        text += '\n';
    }
    text += "CELL_TYPES " + std::to_string(cells) + '\n';
    for (std::size_t j = 0; j < cells; ++j)
        text += "9\n"; // VTK_QUAD
    text += "CELL_DATA " + std::to_string(cells) + "\nSCALARS resistivity double 1\nLOOKUP_TABLE default\n";
    for (double value : model.Resistivity) {
        AppendNumber(text, value);
        text += '\n';
    }
    text += "SCALARS log10_resistivity double 1\nLOOKUP_TABLE default\n";
    for (double value : model.Resistivity) {
        AppendNumber(text, std::log10(value));
        text += '\n';
    }
    return text;
}

} // namespace inversion
