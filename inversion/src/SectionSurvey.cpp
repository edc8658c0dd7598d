#include "inversion/SectionSurvey.h"

#include "survey/Measurements.h"

#include <algorithm>
#include <cmath>

namespace inversion {

namespace {

void SortUnique(std::vector<double> &values)
{
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

} // namespace

TSectionReadings SectionReadings(const TMeasurements2D &list, double errorFloorPercent)
{
    // The geometry in metres whatever the list shows.
    TMeasurements2D metres = list;
    metres.CoordInMeters = true;
    const uint8_t arrayType = list.ArrayDetails().ArrayType;

    TSectionReadings result;
    std::size_t shown = 0;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.IsShown(i) || !list.PassesFilter(i))
            continue;
        ++shown;
        if (arrayType > ArrayTypeCode::PolePole || list.Current[i] == 0 || list.Voltage[i] == 0)
            continue;
        TSectionReading reading;
        reading.GeometricFactor = metres.GeometricFactor(i);
        if (!(reading.GeometricFactor > 0) || !std::isfinite(reading.GeometricFactor))
            continue;
        reading.A = metres.ElectrodeA(i);
        reading.M = metres.ElectrodeM(i);
        reading.B = metres.ElectrodeB(i);
        reading.N = metres.ElectrodeN(i);
        reading.RemoteB = list.B[i] == 0;
        reading.RemoteN = list.N[i] == 0;
        if (list.A[i] == 0 || list.M[i] == 0 || reading.A == reading.M)
            continue;
        reading.Resistivity = metres.ApparentResistivity(i);
        reading.ErrorPercent = std::max(errorFloorPercent, list.QualityPercent(i));
        reading.MidPoint = metres.MidPoint(i);
        reading.PseudoDepth = metres.PseudoDepth(i);
        reading.Index = i;
        result.Readings.push_back(reading);
    }

    if (list.Count == 0)
        result.Problem = "The data set holds no readings.";
    else if (shown == 0)
        result.Problem = "Every reading is switched off or filtered out.";
    else if (arrayType > ArrayTypeCode::PolePole)
        result.Problem = "The array type has no electrode geometry along the line.";
    else if (result.Readings.size() < MinimumSectionReadings)
        result.Problem = "Too few readings with a current, a voltage and a geometric factor (" +
                         std::to_string(result.Readings.size()) + "; at least " +
                         std::to_string(MinimumSectionReadings) + " needed).";
    else if (LinePositions(result.Readings).size() < 3)
        result.Problem = "The readings use fewer than three electrode positions.";
    if (!result.Problem.empty())
        result.Readings.clear();
    return result;
}

std::vector<double> LinePositions(const std::vector<TSectionReading> &readings)
{
    std::vector<double> positions;
    for (const TSectionReading &reading : readings) {
        positions.push_back(reading.A);
        positions.push_back(reading.M);
        if (!reading.RemoteB)
            positions.push_back(reading.B);
        if (!reading.RemoteN)
            positions.push_back(reading.N);
    }
    SortUnique(positions);
    return positions;
}

std::vector<double> FarPositions(const std::vector<TSectionReading> &readings)
{
    std::vector<double> positions;
    for (const TSectionReading &reading : readings)
        if (reading.RemoteB)
            positions.push_back(reading.B);
    SortUnique(positions);
    return positions;
}

} // namespace inversion
