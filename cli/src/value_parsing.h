// Numbers, ranges and lists in option values. Each parser throws a
// UsageError naming the option when the text is not what it asks for.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::cli {

// A finite decimal number ("5", "-2.5", "1e3"), the whole text.
double ParseNumber(std::string_view text, std::string_view option);

// A whole decimal number within [minimum, maximum].
int64_t ParseWholeNumber(std::string_view text, std::string_view option, int64_t minimum, int64_t maximum);

struct NumberRange {
    double minimum = 0.0;
    double maximum = 0.0;
};

// "MIN:MAX", both finite numbers. MIN above MAX is accepted (the filter then
// rejects everything, as the program's does).
NumberRange ParseRange(std::string_view text, std::string_view option);

// The comma-separated pieces of the text; empty pieces are kept.
std::vector<std::string> SplitList(std::string_view text, char separator = ',');

// Numbers separated by commas, at least `minimum` and at most `maximum` of them.
std::vector<double> ParseNumberList(std::string_view text, std::string_view option, std::size_t minimum,
                                    std::size_t maximum);

} // namespace vesk::cli
