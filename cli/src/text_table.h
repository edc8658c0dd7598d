// Plain-text output helpers for vesk info: numbers in fixed or short form
// and a table whose columns are right-aligned to their widest cell.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

namespace vesk::cli {

// Fixed-point with the given decimals and "." as decimal point.
std::string Fixed(double value, int decimals);
// Up to three decimals without trailing zeros: 5, 2.5, 0.125.
std::string Short(double value);
// The shortest text that reads back as the same number: 1.5, 0.0625, 1.4142.
std::string Exact(double value);

// The words of the text as lines of at most `width` characters, every line
// after the first starting with `indent`.
std::string Wrapped(const std::string &text, std::size_t width, const std::string &indent);

class TextTable {
public:
    explicit TextTable(std::vector<std::string> captions);
    void AddRow(std::vector<std::string> cells);
    // Every line starts with `indent` and ends with "\n"; columns are
    // separated by two blanks.
    void Print(std::ostream &out, const std::string &indent = "  ") const;

private:
    std::vector<std::string> FCaptions;
    std::vector<std::vector<std::string>> FRows;
};

} // namespace vesk::cli
