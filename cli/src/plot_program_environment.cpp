#include "plot_program_environment.h"

#include <string_view>

namespace vesk::cli {

namespace {

// The malloc settings vesk-plot starts with.
constexpr std::string_view HeapTunables[][2] = {
    {"glibc.malloc.hugetlb", "1"},
    {"glibc.malloc.top_pad", "67108864"},
};

// The value when `entry` is NAME=VALUE for this name.
bool Names(std::string_view entry, std::string_view name, std::string_view &value)
{
    if (entry.size() <= name.size() || !entry.starts_with(name) || entry[name.size()] != '=') return false;
    value = entry.substr(name.size() + 1);
    return true;
}

// Whether the tunables (NAME=VALUE, several separated by ':') set the one named.
bool Chooses(std::string_view tunables, std::string_view name)
{
    while (!tunables.empty()) {
        const std::size_t colon = tunables.find(':');
        std::string_view ignored;
        if (Names(tunables.substr(0, colon), name, ignored)) return true;
        tunables = colon == std::string_view::npos ? std::string_view() : tunables.substr(colon + 1);
    }
    return false;
}

std::string WithHeapTunables(std::string_view tunables)
{
    std::string result(tunables);
    for (const auto &[name, value] : HeapTunables) {
        if (Chooses(tunables, name)) continue;
        if (!result.empty()) result += ':';
        result.append(name).append("=").append(value);
    }
    return result;
}

} // namespace

std::vector<std::string> PlotProgramEnvironment(const char *const *environment, long parent)
{
    std::vector<std::string> result;
    bool tunablesGiven = false;
    for (const char *const *entry = environment; entry != nullptr && *entry != nullptr; ++entry) {
        std::string_view value;
        if (Names(*entry, PlotParentVariable, value)) continue;
        if (!tunablesGiven && Names(*entry, TunablesVariable, value)) {
            tunablesGiven = true;
            result.push_back(std::string(TunablesVariable) + "=" + WithHeapTunables(value));
            continue;
        }
        result.emplace_back(*entry);
    }
    if (!tunablesGiven) result.push_back(std::string(TunablesVariable) + "=" + WithHeapTunables({}));
    result.push_back(std::string(PlotParentVariable) + "=" + std::to_string(parent));
    return result;
}

} // namespace vesk::cli
