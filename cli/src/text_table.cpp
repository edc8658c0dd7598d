#include "text_table.h"

#include <algorithm>
#include <charconv>
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

std::string Exact(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Wrapped(const std::string &text, std::size_t width, const std::string &indent)
{
    std::string result;
    std::size_t lineLength = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(start, end - start);
        if (lineLength > 0 && lineLength + 1 + word.size() > width) {
            result += "\n" + indent;
            lineLength = 0;
        } else if (lineLength > 0) {
            result += ' ';
            ++lineLength;
        }
        result += word;
        lineLength += word.size();
        start = end + 1;
    }
    return result;
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
