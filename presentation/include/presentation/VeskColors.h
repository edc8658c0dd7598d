// Colours of the pseudo-section map: the eight-colour ramp, the logarithmic
// colour lookup over it and geometric level spacing for the palette.
// Colours are 24-bit values red + 256 green + 65536 blue; black is 0.
#pragma once

#include "survey/VeskTypes.h"

#include <cstdint>

// Three bytes per colour: red, green, blue.
using TRGBArray = std::vector<uint8_t>;

inline constexpr int MapRampColorCount = 8;

// The map's ramp, index 0 for the smallest values: navy, blue, cyan, green,
// dark green, yellow, red, purple.
void RampColors(TRGBArray &ramp);

// The ramps the map offers, by the line index of "Palette".
enum TMapPalette : int32_t {
    PaletteClassic = 0, // RampColors
    PaletteViridis = 1, // perceptually even, dark violet to yellow
    PaletteGrey = 2,    // dark to light grey (white stays for blank cells)
};

// The ramp of a palette (an unknown palette gives the classic ramp); the
// number of colours is ramp.size() / 3.
void PaletteRamp(int32_t palette, TRGBArray &ramp);

// Colour of value on a logarithmic scale from minimum (ramp colour 0) to
// maximum (ramp colour count - 1), each channel interpolated linearly between
// the two neighbouring ramp colours and rounded half to even. Black when
// minimum >= maximum; values outside the range take the end colours.
uint32_t LogRampColor(int count, const TRGBArray &ramp, double minimum, double maximum, double value);

// The same on a linear scale: value's place between minimum and maximum.
uint32_t LinearRampColor(int count, const TRGBArray &ramp, double minimum, double maximum, double value);

// count levels from first to last in equal ratios (first and last exact);
// with decimals >= 0 each level is rounded (half to even) to that many
// decimals, with a negative decimals they are left as computed.
void GeometricLevels(int count, int decimals, double first, double last, TDoubleArray &levels);

// count levels from first to last in equal steps (first and last exact).
void LinearLevels(int count, double first, double last, TDoubleArray &levels);

// The 24-bit value of a colour given by its channels.
inline constexpr uint32_t ColourValue(uint32_t red, uint32_t green, uint32_t blue)
{
    return red + 256 * green + 65536 * blue;
}
