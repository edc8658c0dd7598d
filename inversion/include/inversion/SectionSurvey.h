// The readings of a 2D data set as the section modelling sees them: electrode
// positions in metres (remote electrodes where the survey model puts them),
// the measured apparent resistivity and its relative error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TMeasurements2D;

namespace inversion {

struct TSectionReading {
    double A = 0, B = 0, M = 0, N = 0; // positions along the line, m
    bool RemoteB = false;              // B is the remote current electrode (at its position B)
    bool RemoteN = false;              // N is the remote potential electrode (at infinity)
    double GeometricFactor = 0;        // k of the survey model, m
    double Resistivity = 0;            // measured apparent resistivity, Ohm*m
    double ErrorPercent = 0;           // relative error: the quality Q with the floor
    double MidPoint = 0, PseudoDepth = 0;
    uint32_t Index = 0;                // the measurement's index in its list
};

struct TSectionReadings {
    std::vector<TSectionReading> Readings;
    std::string Problem; // empty when the readings can be inverted; else why not
};

// Fewest readings an inversion accepts.
inline constexpr std::size_t MinimumSectionReadings = 10;

// The measurements that are shown, pass the filters, carry a current, a
// voltage and a known geometry (array types 0 to 7 with a geometric factor).
// The error of each is its quality in percent, at least errorFloorPercent.
// Problem names the reason when fewer than MinimumSectionReadings remain.
TSectionReadings SectionReadings(const TMeasurements2D &list, double errorFloorPercent);

// Positions of the electrodes the readings use: on the line, and remote ones.
std::vector<double> LinePositions(const std::vector<TSectionReading> &readings);
std::vector<double> FarPositions(const std::vector<TSectionReading> &readings);

} // namespace inversion
