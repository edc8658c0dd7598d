#include "info_texts.h"

#include "survey/VeskTypes.h"

#include <array>
#include <cmath>

namespace vesk::cli::texts {

namespace {

constexpr double MeasurementMilliseconds = 3 * 456 + 770; // 2138 ms
constexpr double DurationAllowance = 1.05;

constexpr std::array<std::string_view, 7> InducedPolarizationLines{"disabled", "60",  "120", "160",
                                                                   "200",      "240", "320"};

} // namespace

std::string CountText(uint64_t n)
{
    return std::string(CountCaption) + std::to_string(n);
}

std::string DurationText2D(uint64_t n)
{
    const double milliseconds = static_cast<double>(n) * DurationAllowance * MeasurementMilliseconds;
    const auto minutes = static_cast<uint64_t>(std::trunc(milliseconds / 1000.0 / 60.0));
    const auto seconds = static_cast<uint64_t>(std::trunc(milliseconds / 1000.0)) - 60 * minutes;
    return std::string(DurationCaption) + std::to_string(minutes) + " m " + std::to_string(seconds) + " s";
}

std::string DurationText1D()
{
    return std::string(DurationCaption);
}

std::string_view FileVersionName(uint8_t version)
{
    switch (version) {
    case 210: return "1D sequence";
    case 110: return "1D sequence, old format";
    case 211: return "1D data";
    case 111: return "1D data, old format";
    case 220: return "2D sequence";
    case 120: return "2D sequence, old format";
    case 221: return "2D data, instrument format";
    case 122: return "2D data";
    case 121: return "2D data, old format";
    case 201: return "0D data";
    case 101: return "0D data, old format";
    default: return {};
    }
}

std::string_view InducedPolarizationLine(uint8_t code)
{
    return code < InducedPolarizationLines.size() ? InducedPolarizationLines[code] : std::string_view{};
}

std::string TxPowerLine(uint8_t code)
{
    return code < TxPowerPercents.size() ? std::to_string(TxPowerPercents[code]) : std::string{};
}

std::pair<std::string_view, std::string_view> SoundingAxisTitles(uint8_t arrayType)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
    case ArrayTypeCode::Schlumberger:
        return {"AB/2 [m]", "MN/2 [m]"};
    case ArrayTypeCode::DipoleDipole:
    case ArrayTypeCode::WennerBeta:
        return {"AN/2 [m]", "BM/2 [m]"};
    case ArrayTypeCode::WennerGamma:
        return {"AAN/2 [m]", "MB/2 [m]"};
    case ArrayTypeCode::FwdPoleDipole:
    case ArrayTypeCode::RevPoleDipole:
        return {"AO/2 [m]", "MN/2 [m]"};
    case ArrayTypeCode::PolePole:
        return {"AM [m]", ""};
    case ArrayTypeCode::EquatDipoleDipole:
        return {"O\"O/2 [m]", "MN/2 [m]"};
    default:
        return {"", ""};
    }
}

std::string ElectrodeColumn(char electrode, bool metres)
{
    return std::string(1, electrode) + (metres ? " [m]" : " [#]");
}

} // namespace vesk::cli::texts
