#include "survey/VeskTypes.h"

#include <cmath>
#include <limits>

double RoundHalfEven(double value)
{
    // Computed explicitly so the result does not depend on the floating-point
    // rounding mode in effect.
    const double lower = std::floor(value);
    const double fraction = value - lower;
    if (fraction > 0.5)
        return lower + 1.0;
    if (fraction < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

uint32_t RoundToLongword(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = RoundHalfEven(value);
    if (rounded <= 0.0)
        return 0;
    constexpr double largest = std::numeric_limits<uint32_t>::max();
    if (rounded >= largest)
        return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(rounded);
}
