#include "array_names.h"

#include "argument_parser.h"

#include "survey/VeskTypes.h"

#include <cctype>

namespace vesk::cli {

namespace {

// Lower case, blanks, "-" and "_" as one "-", dots dropped:
// "Equat. Dipole Dipole" and "equat-dipole-dipole" both become the latter.
std::string Normalised(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '.') continue;
        if (c == ' ' || c == '-' || c == '_') {
            if (!result.empty() && result.back() != '-') result += '-';
            continue;
        }
        result += static_cast<char>(std::tolower(u));
    }
    while (!result.empty() && result.back() == '-') result.pop_back();
    return result;
}

} // namespace

std::optional<uint8_t> ParseArrayTypeName(std::string_view text)
{
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '9') {
        const auto code = static_cast<uint8_t>(text[0] - '0');
        if (code < ArrayTypeNames.size()) return code;
    }
    const std::string wanted = Normalised(text);
    if (wanted.empty()) return std::nullopt;
    for (std::size_t code = 0; code < ArrayTypeNames.size(); ++code) {
        if (Normalised(ArrayTypeNames[code]) == wanted) return static_cast<uint8_t>(code);
    }
    return std::nullopt;
}

uint8_t RequireArrayType(std::string_view text, std::string_view option, uint8_t highestCode)
{
    const std::optional<uint8_t> code = ParseArrayTypeName(text);
    if (!code || *code > highestCode) {
        throw UsageError(std::string(option) + ": unknown array type '" + std::string(text) +
                         "' (one of: " + ArrayTypeNameList(highestCode) + ", or the code 0 to " +
                         std::to_string(highestCode) + ")");
    }
    return *code;
}

std::string ArrayTypeNameList(uint8_t highestCode)
{
    std::string list;
    for (std::size_t code = 0; code <= highestCode && code < ArrayTypeNames.size(); ++code) {
        if (!list.empty()) list += ", ";
        list += Normalised(ArrayTypeNames[code]);
    }
    return list;
}

} // namespace vesk::cli
