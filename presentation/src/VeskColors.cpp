#include "presentation/VeskColors.h"

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

uint32_t LogRampColor(int count, const TRGBArray &ramp, double minimum, double maximum, double value)
{
    if (count < 1 || ramp.size() < 3 * std::size_t(count) || !(minimum < maximum)) return 0;
    const auto channel = [&ramp](int colour, int c) { return double(ramp[3 * std::size_t(colour) + c]); };
    const auto colourAt = [&](int colour) {
        return ColourValue(uint32_t(channel(colour, 0)), uint32_t(channel(colour, 1)), uint32_t(channel(colour, 2)));
    };
    if (count == 1) return colourAt(0);

    double t = (std::log10(value) - std::log10(minimum)) / (std::log10(maximum) - std::log10(minimum));
    // Below the range (or not a number): the first colour; above: the last.
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
