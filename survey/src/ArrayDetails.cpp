#include "survey/ArrayDetails.h"

namespace {

constexpr double MillimetresPerMetre = 1000.0;

} // namespace

TnCable::TnCable(TMainWindowHost *mainWindow)
    : Enabled(DefaultCount, 1), FMainWindow(mainWindow)
{
}

void TnCable::SetCount(int32_t count)
{
    Count = count < 0 ? 0 : count;
    Enabled.resize(static_cast<std::size_t>(Count));
}

void TnCable::SetEnabled(int32_t index, bool flag)
{
    if (index >= 0 && static_cast<std::size_t>(index) < Enabled.size())
        Enabled[static_cast<std::size_t>(index)] = flag ? 1 : 0;
}

bool TnCable::IsEnabled(int32_t index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < Enabled.size() &&
           Enabled[static_cast<std::size_t>(index)] == 1;
}

TBooleanArray TnCable::EnabledFlags() const
{
    TBooleanArray flags(static_cast<std::size_t>(Count < 0 ? 0 : Count));
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = IsEnabled(static_cast<int32_t>(i));
    return flags;
}

void TArrayDetailsCustom::SetOrigin(double metres)
{
    Origin = RoundToLongword(metres * MillimetresPerMetre);
}

void TArrayDetailsCustom::SetFileNameFromPath(std::string_view path)
{
    // Folders may be separated by '/' or, in paths from Windows, by '\\',
    // whatever system the program runs on.
    const std::size_t separator = path.find_last_of("/\\");
    FileName = std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

TArrayDetails2D::TArrayDetails2D(TMainWindowHost *mainWindow)
    : Cable1(mainWindow), Cable2(mainWindow), SpacingFactors{1, 3, 5, 7}, GroupCounts{0, 0, 0, 0},
      LevelCounts{6, 6, 6, 6}, LevelSteps{1, 1, 1, 1}
{
    GroupCount = 4;
    OverlapCounts = {1, 4, 7, 10};
}

void TArrayDetails2D::SetGroupCount(uint8_t n)
{
    GroupCount = n;
    OverlapCounts.resize(n);
    SpacingFactors.resize(n);
    GroupCounts.resize(n);
    LevelSteps.resize(n);
    LevelCounts.resize(n);
}

void TArrayDetails2D::SetUnitSpacing(double metres)
{
    UnitSpacing = RoundToLongword(metres * MillimetresPerMetre);
}

int32_t TArrayDetails2D::SpacingItemIndex(uint32_t group) const
{
    if (group >= SpacingFactors.size())
        return -1;
    return static_cast<int32_t>(SpacingFactors[group]) - static_cast<int32_t>(group) - 1;
}

void TArrayDetails2D::SetSpacingFromItemIndex(uint32_t group, int32_t index)
{
    if (group < SpacingFactors.size())
        SpacingFactors[group] = static_cast<uint8_t>(index + static_cast<int32_t>(group) + 1);
}

TArrayDetails1D::TArrayDetails1D() : Spacings{1.0}, Increments{1.0}, LevelCounts{10}
{
    GroupCount = 1;
    OverlapCounts = {0};
}

void TArrayDetails1D::SetGroupCount(uint8_t n)
{
    GroupCount = n;
    OverlapCounts.resize(n);
    Spacings.resize(n);
    LevelCounts.resize(n);
    Increments.resize(n);
}
