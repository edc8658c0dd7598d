// The unified data format of 2D data (".ohm"), as pyGIMLi, BERT and ResIPy
// read it: the electrodes used by the written measurements, then one line of
// electrode indices and readings per measurement.
#include "TextExport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <vector>

namespace TextExport {

namespace {

// Lines of this format end with LF alone: its readers split lines on "\n".
constexpr std::string_view OhmLineEnd = "\n";

// Index written for a remote electrode: the format's "no electrode".
constexpr int64_t MissingElectrode = 0;

// Positions of one measurement's electrodes in metres; nothing for an
// electrode the array leaves remote. The electrodes are those of the
// Res2DInv data lines: A, B, M, N for types 0 to 4, A, M, N for the pole-dipole
// arrays, A and M for pole-pole; a B or N numbered 0 is remote in any array.
struct TElectrodeSlots {
    std::array<std::optional<double>, 4> Position; // A, B, M, N
};

bool HasLineGeometry(uint8_t arrayType)
{
    return arrayType <= ArrayTypeCode::PolePole;
}

TElectrodeSlots SlotsOf(const TMeasurements2D &list, uint32_t i)
{
    const uint8_t arrayType = list.ArrayDetails().ArrayType;
    const bool poleDipole = arrayType == ArrayTypeCode::FwdPoleDipole || arrayType == ArrayTypeCode::RevPoleDipole;
    const bool polePole = arrayType == ArrayTypeCode::PolePole;
    TElectrodeSlots slots;
    slots.Position[0] = list.ElectrodeA(i);
    if (!poleDipole && !polePole && list.B[i] != 0)
        slots.Position[1] = list.ElectrodeB(i);
    slots.Position[2] = list.ElectrodeM(i);
    if (!polePole && list.N[i] != 0)
        slots.Position[3] = list.ElectrodeN(i);
    return slots;
}

// A number in the shortest form that reads back as the same double, "."
// as decimal point whatever the locale; a negative zero is written as 0.
std::string ShortestNumber(double value)
{
    if (value == 0.0)
        value = 0.0;
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
}

} // namespace

std::string Data2DUnifiedFormat(TMeasurements2D &list)
{
    // Positions in metres, exactly as the Res2DInv export computes them.
    const bool savedMode = list.CoordInMeters;
    list.CoordInMeters = true;

    std::vector<uint32_t> written;
    std::vector<TElectrodeSlots> slots;
    std::vector<double> positions;
    if (HasLineGeometry(list.ArrayDetails().ArrayType)) {
        for (uint32_t i = 0; i < list.Count; ++i) {
            if (!list.IsShown(i) || !list.PassesFilter(i))
                continue;
            written.push_back(i);
            slots.push_back(SlotsOf(list, i));
            for (const std::optional<double> &position : slots.back().Position)
                if (position)
                    positions.push_back(*position);
        }
    }
    list.CoordInMeters = savedMode;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

    // Electrodes are numbered from 1 in ascending position.
    const auto indexOf = [&positions](const std::optional<double> &position) {
        if (!position)
            return MissingElectrode;
        return static_cast<int64_t>(std::lower_bound(positions.begin(), positions.end(), *position) -
                                    positions.begin()) + 1;
    };

    const bool chargeability = list.IPCode() != 0;
    TLines lines(OhmLineEnd);
    lines.Add(FormatInteger(static_cast<int64_t>(positions.size())));
    lines.Add("# x z");
    for (const double position : positions)
        lines.Add(ShortestNumber(position) + " 0");
    lines.Add(FormatInteger(static_cast<int64_t>(written.size())));
    lines.Add(chargeability ? "# a b m n rhoa k u i err ip" : "# a b m n rhoa k u i err");
    for (std::size_t w = 0; w < written.size(); ++w) {
        const uint32_t i = written[w];
        std::string line;
        for (const std::optional<double> &position : slots[w].Position)
            line += FormatInteger(indexOf(position)) + ' ';
        // The stored readings are whole microvolts, microamperes and
        // thousandths of a percent: one division gives the nearest double.
        line += ShortestNumber(list.ShownResistivity(i)) + ' ' + ShortestNumber(list.GeometricFactor(i)) + ' ' +
                ShortestNumber(list.Voltage[i] / 1e6) + ' ' + ShortestNumber(list.Current[i] / 1e6) + ' ' +
                ShortestNumber(list.Quality[i] / 1e5);
        if (chargeability)
            line += ' ' + ShortestNumber(list.ShownChargeability(i));
        lines.Add(line);
    }
    return lines.Take();
}

} // namespace TextExport
