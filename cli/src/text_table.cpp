#include "text_table.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

namespace vesk::cli {

std::string Fixed(double value, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Short(double value)
{
    std::string text = Fixed(value, 3);
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
    if (text == "-0") text = "0";
    return text;
}

TextTable::TextTable(std::vector<std::string> captions) : FCaptions(std::move(captions)) {}

void TextTable::AddRow(std::vector<std::string> cells)
{
    cells.resize(FCaptions.size());
    FRows.push_back(std::move(cells));
}

void TextTable::Print(std::ostream &out, const std::string &indent) const
{
    std::vector<std::size_t> widths;
    for (const std::string &caption : FCaptions) widths.push_back(caption.size());
    for (const auto &row : FRows) {
        for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    }
    const auto printLine = [&](const std::vector<std::string> &cells) {
        out << indent;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out << "  ";
            out << std::string(widths[c] - cells[c].size(), ' ') << cells[c];
        }
        out << "\n";
    };
    printLine(FCaptions);
    for (const auto &row : FRows) printLine(row);
}

} // namespace vesk::cli
