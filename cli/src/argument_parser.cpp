#include "argument_parser.h"

#include <algorithm>

namespace vesk::cli {

bool ParsedArguments::Has(std::string_view name) const
{
    return FValues.find(name) != FValues.end();
}

std::optional<std::string> ParsedArguments::Value(std::string_view name) const
{
    const auto found = FValues.find(name);
    if (found == FValues.end() || found->second.empty()) return std::nullopt;
    return found->second.back();
}

std::vector<std::string> ParsedArguments::Values(std::string_view name) const
{
    const auto found = FValues.find(name);
    return found == FValues.end() ? std::vector<std::string>{} : found->second;
}

namespace {

const OptionDefinition *FindLong(std::span<const OptionDefinition> options, std::string_view name)
{
    const auto found = std::find_if(options.begin(), options.end(), [&](const OptionDefinition &o) { return o.name == name; });
    return found == options.end() ? nullptr : &*found;
}

const OptionDefinition *FindShort(std::span<const OptionDefinition> options, char name)
{
    const auto found =
        std::find_if(options.begin(), options.end(), [&](const OptionDefinition &o) { return o.shortName == name; });
    return found == options.end() ? nullptr : &*found;
}

} // namespace

ParsedArguments ParseArguments(std::span<const std::string> arguments, std::span<const OptionDefinition> options)
{
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string &argument = arguments[i];
        if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
            parsed.FPositional.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (argument == "--help" || argument == "-h") {
            parsed.FHelpWanted = true;
            continue;
        }

        const OptionDefinition *definition = nullptr;
        std::optional<std::string> inlineValue;
        std::string shownName;
        if (argument.starts_with("--")) {
            std::string_view body = std::string_view(argument).substr(2);
            const auto equals = body.find('=');
            if (equals != std::string_view::npos) {
                inlineValue = std::string(body.substr(equals + 1));
                body = body.substr(0, equals);
            }
            definition = FindLong(options, body);
            shownName = "--" + std::string(body);
        } else {
            if (argument.size() != 2) throw UsageError("unknown option '" + argument + "'");
            definition = FindShort(options, argument[1]);
            shownName = argument;
        }
        if (definition == nullptr) throw UsageError("unknown option '" + shownName + "'");

        const std::string key(definition->name);
        if (!definition->repeatable && parsed.Has(key)) throw UsageError("option '" + shownName + "' is given more than once");
        if (!definition->takesValue) {
            if (inlineValue) throw UsageError("option '" + shownName + "' takes no value");
            parsed.FValues[key];
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= arguments.size()) throw UsageError("option '" + shownName + "' needs a value");
            inlineValue = arguments[++i];
        }
        parsed.FValues[key].push_back(*inlineValue);
    }
    return parsed;
}

void RequirePositionalCount(const ParsedArguments &arguments, std::size_t minimum, std::size_t maximum,
                            std::string_view what)
{
    const std::size_t count = arguments.Positional().size();
    if (count < minimum) throw UsageError("missing " + std::string(what));
    if (count > maximum) throw UsageError("unexpected argument '" + arguments.Positional()[maximum] + "'");
}

} // namespace vesk::cli
