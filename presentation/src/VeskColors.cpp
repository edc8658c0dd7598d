#include "presentation/VeskColors.h"

#include <algorithm>
#include <cmath>

void RampColors(TRGBArray &ramp)
{
    ramp = {0,   0,   128, //
            0,   0,   255, //
            0,   255, 255, //
            0,   255, 0,   //
            0,   128, 0,   //
            255, 255, 0,   //
            255, 0,   0,   //
            96,  0,   96};
}

namespace {

// Colour at place t (0 first colour, 1 last) of the ramp: each channel
// interpolated linearly between the two neighbouring ramp colours and rounded
// half to even. t below 0 or not a number gives the first colour, t from 1
// the last.
uint32_t RampColorAt(int count, const TRGBArray &ramp, double t)
{
    const auto channel = [&ramp](int colour, int c) { return double(ramp[3 * std::size_t(colour) + c]); };
    const auto colourAt = [&](int colour) {
        return ColourValue(uint32_t(channel(colour, 0)), uint32_t(channel(colour, 1)), uint32_t(channel(colour, 2)));
    };
    if (count == 1) return colourAt(0);
    if (!(t >= 0)) t = 0;
    const int last = count - 1;
    if (t >= 1) return colourAt(last);

    int s = last;
    while (s > 0 && !(t >= double(s) / last)) --s;
    if (s == last) return colourAt(last);
    const double lower = double(s) / last, upper = double(s + 1) / last;
    const double weight = (t - lower) / (upper - lower);
    uint32_t channels[3];
    for (int c = 0; c < 3; ++c)
        channels[c] = uint32_t(RoundHalfEven(channel(s, c) + weight * (channel(s + 1, c) - channel(s, c))));
    return ColourValue(channels[0], channels[1], channels[2]);
}

bool UsableRamp(int count, const TRGBArray &ramp, double minimum, double maximum)
{
    return count >= 1 && ramp.size() >= 3 * std::size_t(count) && minimum < maximum;
}

} // namespace

void PaletteRamp(int32_t palette, TRGBArray &ramp)
{
    switch (palette) {
    case PaletteViridis:
        ramp = {68,  1,   84,  //
                70,  51,  126, //
                54,  92,  141, //
                39,  127, 142, //
                31,  161, 135, //
                74,  193, 109, //
                159, 218, 58,  //
                253, 231, 37};
        break;
    case PaletteGrey:
        ramp = {32, 32, 32, 224, 224, 224};
        break;
    default:
        RampColors(ramp);
        break;
    }
}

uint32_t LogRampColor(int count, const TRGBArray &ramp, double minimum, double maximum, double value)
{
    if (!UsableRamp(count, ramp, minimum, maximum)) return 0;
    return RampColorAt(count, ramp,
                       (std::log10(value) - std::log10(minimum)) / (std::log10(maximum) - std::log10(minimum)));
}

uint32_t LinearRampColor(int count, const TRGBArray &ramp, double minimum, double maximum, double value)
{
    if (!UsableRamp(count, ramp, minimum, maximum)) return 0;
    return RampColorAt(count, ramp, (value - minimum) / (maximum - minimum));
}

void LinearLevels(int count, double first, double last, TDoubleArray &levels)
{
    levels.assign(std::size_t(std::max(count, 0)), 0.0);
    if (count <= 0) return;
    levels[0] = first;
    if (count == 1) return;
    for (int i = 1; i < count - 1; ++i) levels[std::size_t(i)] = first + (last - first) * i / (count - 1);
    levels[std::size_t(count) - 1] = last;
}

void GeometricLevels(int count, int decimals, double first, double last, TDoubleArray &levels)
{
    levels.assign(std::size_t(std::max(count, 0)), 0.0);
    if (count <= 0) return;
    levels[0] = first;
    if (count == 1) return;
    levels[std::size_t(count) - 1] = last;
    const double ratio = std::pow(last / first, 1.0 / (count - 1));
    for (int i = 1; i < count - 1; ++i) levels[std::size_t(i)] = levels[std::size_t(i) - 1] * ratio;
    if (decimals < 0) return;
    const double scale = std::pow(10.0, decimals);
    for (double &level : levels) level = RoundHalfEven(level * scale) / scale;
}
