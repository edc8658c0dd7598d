// A small command-line parser for the sub-commands of vesk: long options
// ("--name VALUE", "--name=VALUE"), one-letter short forms ("-o VALUE"),
// switches without a value, repeatable options, positional arguments, and
// "--" to end the options. Every fault of the command line is a UsageError.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::cli {

// A command line that cannot be carried out as written (exit status 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OptionDefinition {
    std::string_view name;      // long name without the leading "--"
    char shortName = '\0';      // '\0' for none
    bool takesValue = false;    // false: a switch
    bool repeatable = false;    // may be given more than once
};

class ParsedArguments {
public:
    const std::vector<std::string> &Positional() const { return FPositional; }
    bool Has(std::string_view name) const;
    // The value of an option given once; nothing when it is absent.
    std::optional<std::string> Value(std::string_view name) const;
    // Every value of a repeatable option, in command-line order.
    std::vector<std::string> Values(std::string_view name) const;
    // True when "--help" or "-h" appeared among the options.
    bool HelpWanted() const { return FHelpWanted; }

private:
    friend ParsedArguments ParseArguments(std::span<const std::string>, std::span<const OptionDefinition>);

    std::vector<std::string> FPositional;
    std::map<std::string, std::vector<std::string>, std::less<>> FValues;
    bool FHelpWanted = false;
};

// Parses the arguments that follow the sub-command. "--help"/"-h" is always
// known. A single "-" is a positional argument (standard output or input).
ParsedArguments ParseArguments(std::span<const std::string> arguments, std::span<const OptionDefinition> options);

// Checks the number of positional arguments; `what` names them in the message.
void RequirePositionalCount(const ParsedArguments &arguments, std::size_t minimum, std::size_t maximum,
                            std::string_view what);

} // namespace vesk::cli
