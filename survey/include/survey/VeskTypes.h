// Types and constants shared by the survey model, the documents and the
// presentation: the dynamic arrays, the array type codes with their names,
// the captions of the other setting codes and the rounding used wherever a
// value is stored as a whole number.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// Zero-based, resizable arrays owned by the object that holds them. Resizing
// keeps the existing entries and zero-fills new ones (std::vector::resize).
using TByteArray = std::vector<uint8_t>;
using TLongwordArray = std::vector<uint32_t>;
using TDoubleArray = std::vector<double>;
using TBooleanArray = std::vector<bool>;
using TDoubleDoubleArray = std::vector<TDoubleArray>;

// Array type codes: the same in the inspector lists, the generators and the
// instrument files.
namespace ArrayTypeCode {
inline constexpr uint8_t Wenner = 0;
inline constexpr uint8_t Schlumberger = 1;
inline constexpr uint8_t DipoleDipole = 2;
inline constexpr uint8_t WennerBeta = 3;
inline constexpr uint8_t WennerGamma = 4;
inline constexpr uint8_t FwdPoleDipole = 5;
inline constexpr uint8_t RevPoleDipole = 6;
inline constexpr uint8_t PolePole = 7;
inline constexpr uint8_t EquatDipoleDipole = 8;
inline constexpr uint8_t Custom = 9;
} // namespace ArrayTypeCode

// Names of the array types as the program shows them, indexed by code.
inline constexpr std::array<std::string_view, 10> ArrayTypeNames{
    "Wenner",          "Schlumberger",    "Dipole Dipole", "Wenner Beta",          "Wenner Gamma",
    "Fwd Pole Dipole", "Rev Pole Dipole", "Pole Pole",     "Equat. Dipole Dipole", "Custom"};

// Name of an array type code; empty for a code without a name.
constexpr std::string_view ArrayTypeName(uint32_t code)
{
    return code < ArrayTypeNames.size() ? ArrayTypeNames[code] : std::string_view{};
}

// Captions of the other setting codes, indexed by code.
inline constexpr std::array<std::string_view, 2> SequenceTypeNames{"Single", "Roll Along"};
inline constexpr std::array<std::string_view, 2> IncrementTypeNames{"Linear", "Geometric"};
inline constexpr std::array<std::string_view, 2> DepthMethodNames{"AB Proportional", "Median Depth"};
inline constexpr std::array<std::string_view, 2> ValuesToShowNames{"Resistivity", "Chargeability"};

inline constexpr uint8_t SequenceTypeSingle = 0;
inline constexpr uint8_t SequenceTypeRollAlong = 1;
inline constexpr uint8_t IncrementTypeLinear = 0;
inline constexpr uint8_t IncrementTypeGeometric = 1;
inline constexpr uint32_t DepthMethodABProportional = 0;
inline constexpr uint32_t DepthMethodMedianDepth = 1;
inline constexpr uint32_t ValuesToShowResistivity = 0;
inline constexpr uint32_t ValuesToShowChargeability = 1;

// Transmitter power in percent, indexed by the Tx power code of the
// measurement settings block.
inline constexpr std::array<uint8_t, 22> TxPowerPercents{1,  10, 20, 30, 40, 50, 60, 64, 68, 72, 76,
                                                         80, 82, 84, 86, 88, 90, 92, 94, 96, 98, 100};

// Rounds to the nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value);

// RoundHalfEven, then clamped to the range of an unsigned 32-bit number;
// NaN gives 0. Used wherever a value is stored as millimetres, thousandths
// or the like.
uint32_t RoundToLongword(double value);
