#include "value_parsing.h"

#include "argument_parser.h"

#include <charconv>
#include <cmath>

namespace vesk::cli {

namespace {

std::string Quoted(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted += text;
    quoted += '\'';
    return quoted;
}

} // namespace

double ParseNumber(std::string_view text, std::string_view option)
{
    double value = 0.0;
    const char *end = text.data() + text.size();
    const char *begin = text.data();
    if (!text.empty() && text.front() == '+') ++begin;
    const auto [ptr, error] = std::from_chars(begin, end, value);
    if (text.empty() || error != std::errc() || ptr != end || !std::isfinite(value)) {
        throw UsageError(std::string(option) + ": " + Quoted(text) + " is not a number");
    }
    return value;
}

int64_t ParseWholeNumber(std::string_view text, std::string_view option, int64_t minimum, int64_t maximum)
{
    int64_t value = 0;
    const char *end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end) {
        throw UsageError(std::string(option) + ": " + Quoted(text) + " is not a whole number");
    }
    if (value < minimum || value > maximum) {
        throw UsageError(std::string(option) + ": " + Quoted(text) + " is outside " + std::to_string(minimum) +
                         " to " + std::to_string(maximum));
    }
    return value;
}

NumberRange ParseRange(std::string_view text, std::string_view option)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || text.find(':', colon + 1) != std::string_view::npos) {
        throw UsageError(std::string(option) + ": " + Quoted(text) + " is not a range MIN:MAX");
    }
    return {ParseNumber(text.substr(0, colon), option), ParseNumber(text.substr(colon + 1), option)};
}

std::vector<std::string> SplitList(std::string_view text, char separator)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const auto next = text.find(separator, start);
        pieces.emplace_back(text.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start));
        if (next == std::string_view::npos) break;
        start = next + 1;
    }
    return pieces;
}

std::vector<double> ParseNumberList(std::string_view text, std::string_view option, std::size_t minimum,
                                    std::size_t maximum)
{
    std::vector<double> numbers;
    for (const std::string &piece : SplitList(text)) numbers.push_back(ParseNumber(piece, option));
    if (numbers.size() < minimum || numbers.size() > maximum) {
        const std::string wanted = minimum == maximum ? std::to_string(minimum)
                                                      : std::to_string(minimum) + " to " + std::to_string(maximum);
        throw UsageError(std::string(option) + ": " + Quoted(text) + " must hold " + wanted + " numbers");
    }
    return numbers;
}

} // namespace vesk::cli
