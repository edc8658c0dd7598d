// A dipole-dipole reading for the section tests: current dipole A-B from
// position a, potential dipole M-N `separation` dipole lengths beyond B,
// with its geometric factor and midpoint.
#pragma once

#include "inversion/SectionSurvey.h"

#include <cmath>
#include <numbers>

inline inversion::TSectionReading DipoleDipoleReading(double a, double dipole, int separation)
{
    inversion::TSectionReading r;
    r.A = a;
    r.B = r.A + dipole;
    r.M = r.B + separation * dipole;
    r.N = r.M + dipole;
    const double sum = 1 / (r.M - r.A) - 1 / (r.N - r.A) - 1 / (r.M - r.B) + 1 / (r.N - r.B);
    r.GeometricFactor = 2 * std::numbers::pi / std::abs(sum);
    r.MidPoint = 0.5 * (r.A + r.N);
    return r;
}
