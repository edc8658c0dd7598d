// The pseudo-section map worked out the plain way, for comparison with the
// map builder: the libraries' own outputs for the grid, every node compared
// with every point for the coverage, and the ramp formulas written out.
#pragma once

#include "MeshInterp.h"
#include "vesk_pro.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace MapReference {

struct TMap {
    std::vector<double> GridX, GridY, Values; // node (i, j) at j * 100 + i
    std::vector<uint32_t> Colours;
    std::vector<double> Levels;
    std::vector<uint32_t> LevelColours;
};

inline constexpr int Size = 100;

inline uint32_t Rgb(double r, double g, double b) { return uint32_t(r) + 256 * uint32_t(g) + 65536 * uint32_t(b); }

// Channel value rounded half to even.
inline double Even(double v)
{
    const double f = std::floor(v), d = v - f;
    if (d > 0.5) return f + 1;
    if (d < 0.5) return f;
    return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

inline uint32_t RampColour(double minimum, double maximum, double v)
{
    static const double ramp[8][3] = {{0, 0, 128},   {0, 0, 255}, {0, 255, 255}, {0, 255, 0},
                                      {0, 128, 0},   {255, 255, 0}, {255, 0, 0}, {96, 0, 96}};
    if (minimum >= maximum) return 0;
    const double t = (std::log10(v) - std::log10(minimum)) / (std::log10(maximum) - std::log10(minimum));
    int s = 7;
    while (s > 0 && t < s / 7.0) --s;
    if (s == 7) return Rgb(96, 0, 96);
    double c[3];
    for (int k = 0; k < 3; ++k)
        c[k] = Even(ramp[s][k] + (t - s / 7.0) / ((s + 1) / 7.0 - s / 7.0) * (ramp[s + 1][k] - ramp[s][k]));
    return Rgb(c[0], c[1], c[2]);
}

// method 0 Akima, 1 inverse distance with the given reach; a = unit spacing.
inline TMap Compute(const std::vector<double> &x, const std::vector<double> &y, const std::vector<double> &f,
                    int method, double reach, double a)
{
    TMap map;
    const double xmin = *std::min_element(x.begin(), x.end()), xmax = *std::max_element(x.begin(), x.end());
    const double ymin = *std::min_element(y.begin(), y.end()), ymax = *std::max_element(y.begin(), y.end());
    for (int k = 0; k < Size; ++k) {
        map.GridX.push_back(xmin + double(k) / 99 * (xmax - xmin));
        map.GridY.push_back(ymin + double(k) / 99 * (ymax - ymin));
    }
    map.Values.assign(Size * Size, 0.0);
    const int n = int(x.size());
    if (method == 0) {
        std::vector<double> sur(Size * Size, std::numeric_limits<double>::quiet_NaN());
        SCATDATA_INTERPOL_DYN(n, x.data(), y.data(), f.data(), Size, Size, map.GridX.data(), map.GridY.data(),
                              sur.data());
        for (int k = 0; k < Size * Size; ++k) map.Values[k] = std::isnan(sur[k]) ? 0 : sur[k];
    } else {
        do_approximation(n, reach, x.data(), y.data(), f.data(), Size, Size, map.GridX.data(), map.GridY.data(),
                         map.Values.data());
    }
    std::vector<bool> covered(Size * Size, false);
    for (int j = 0; j < Size; ++j)
        for (int i = 0; i < Size; ++i)
            for (int p = 0; p < n && !covered[j * Size + i]; ++p)
                covered[j * Size + i] = std::fabs(map.GridX[i] - x[p]) < a && std::fabs(map.GridY[j] - y[p]) < a;
    double minimum = 1.7e308, maximum = 0;
    for (int k = 0; k < Size * Size; ++k)
        if (covered[k]) {
            if (map.Values[k] > 0) minimum = std::min(minimum, map.Values[k]);
            maximum = std::max(maximum, map.Values[k]);
        }
    map.Levels.resize(15);
    map.Levels[0] = minimum;
    map.Levels[14] = maximum;
    for (int k = 1; k < 14; ++k) map.Levels[k] = map.Levels[k - 1] * std::pow(maximum / minimum, 1.0 / 14);
    for (double level : map.Levels) map.LevelColours.push_back(RampColour(minimum, maximum, level));
    for (int k = 0; k < Size * Size; ++k)
        map.Colours.push_back(covered[k] && map.Values[k] > 0 ? RampColour(minimum, maximum, map.Values[k])
                                                               : Rgb(255, 255, 255));
    return map;
}

} // namespace MapReference
