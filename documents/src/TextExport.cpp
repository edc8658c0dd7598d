#include "TextExport.h"

#include "documents/VeskConstants.h"
#include "documents/VeskMessages.h"

#include "FileChecks.h"
#include "file_replacement.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>

namespace TextExport {

namespace {

// Switches a list to positions in metres for its lifetime.
class TMetresCoordinates {
public:
    explicit TMetresCoordinates(TMeasurements2D &list) : FList(list), FSaved(list.CoordInMeters)
    {
        FList.CoordInMeters = true;
    }
    ~TMetresCoordinates() { FList.CoordInMeters = FSaved; }
    TMetresCoordinates(const TMetresCoordinates &) = delete;
    TMetresCoordinates &operator=(const TMetresCoordinates &) = delete;

private:
    TMeasurements2D &FList;
    bool FSaved;
};

std::string RightAligned(std::string_view digits, int width)
{
    std::string text;
    if (width > 0 && digits.size() < static_cast<std::size_t>(width))
        text.assign(static_cast<std::size_t>(width) - digits.size(), ' ');
    text += digits;
    return text;
}

// The numbers of the files are counted from 1.
int64_t RowNumber(uint32_t i)
{
    return static_cast<int64_t>(i) + 1;
}

// Position and zero elevation of one electrode of a Res2DInv data line.
std::string Res2DInvElectrode(double position)
{
    return FormatReal(position, 10, 2) + FormatReal(0.0, 6, 2);
}

// Number of electrodes of a Res2DInv data line by array type (0: no line).
int Res2DInvElectrodeCount(uint8_t arrayType)
{
    if (arrayType <= ArrayTypeCode::WennerGamma)
        return 4;
    if (arrayType == ArrayTypeCode::FwdPoleDipole || arrayType == ArrayTypeCode::RevPoleDipole)
        return 3;
    if (arrayType == ArrayTypeCode::PolePole)
        return 2;
    return 0;
}

// Appends "," and the field to a CSV line.
void AddCsvField(std::string &line, std::string_view field)
{
    line += ',';
    line += field;
}

bool IsWritten(const TMeasurements2D &list, uint32_t i)
{
    return list.IsShown(i) && list.PassesFilter(i);
}

} // namespace

std::string FormatInteger(int64_t value, int width)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return RightAligned(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())), width);
}

std::string FormatReal(double value, int width, int decimals)
{
    if (value == 0.0)
        value = 0.0; // no "-" for a negative zero
    // Room for the 309 integer digits of the largest double, sign, point and decimals.
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return RightAligned("?", width);
    return RightAligned(std::string_view(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())), width);
}

std::string Data2DRes2DInv(TMeasurements2D &list)
{
    const TMetresCoordinates metres(list);
    const TArrayDetails2D &details = list.ArrayDetails();
    const bool chargeability = list.IPCode() != 0;

    TLines lines;
    lines.Add("Data");
    lines.Add(FormatReal(details.UnitSpacingMetres(), 7, 3));
    lines.Add("11"); // general array
    lines.Add(FormatInteger(details.MixedPoleDipole ? 0 : Res2DInvSubArrayCode(details.ArrayType)));
    lines.Add("Type of measurement (0=app. resistivity,1=resistance)");
    lines.Add("0");
    lines.Add(FormatInteger(list.ShownCount()));
    lines.Add("1");
    if (chargeability) {
        lines.Add("1");
        lines.Add("Chargeability");
        lines.Add("msec");
        lines.Add("0.02 " + FormatReal(list.IPWindow(), 10, 2));
    } else {
        lines.Add("0");
    }

    const int electrodes = Res2DInvElectrodeCount(details.ArrayType);
    if (electrodes == 0)
        return lines.Take();
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!IsWritten(list, i))
            continue;
        std::string line = FormatInteger(electrodes, 2);
        line += Res2DInvElectrode(list.ElectrodeA(i));
        if (electrodes == 4)
            line += Res2DInvElectrode(list.ElectrodeB(i));
        line += Res2DInvElectrode(list.ElectrodeM(i));
        if (electrodes >= 3)
            line += Res2DInvElectrode(list.ElectrodeN(i));
        line += FormatReal(list.ShownResistivity(i), 14, 5);
        if (chargeability)
            line += FormatReal(list.ShownChargeability(i), 14, 5);
        lines.Add(line);
    }
    return lines.Take();
}

std::string Data2DCsv(TMeasurements2D &list)
{
    const TMetresCoordinates metres(list);
    TLines lines;
    lines.Add("# ,A ,B ,M ,N ,Rho ,C ,U ,I ,Q");
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!IsWritten(list, i))
            continue;
        std::string line = FormatInteger(RowNumber(i), 3);
        for (const double position : {list.ElectrodeA(i), list.ElectrodeB(i), list.ElectrodeM(i), list.ElectrodeN(i)})
            AddCsvField(line, FormatReal(position, 10, 2));
        AddCsvField(line, FormatReal(list.ShownResistivity(i), 14, 5));
        AddCsvField(line, FormatReal(list.ShownChargeability(i), 14, 5));
        AddCsvField(line, FormatReal(list.VoltageMV(i), 10, 3));
        AddCsvField(line, FormatReal(list.CurrentMA(i), 10, 3));
        AddCsvField(line, FormatReal(list.QualityPercent(i), 10, 3));
        lines.Add(line);
    }
    return lines.Take();
}

std::string Data1DCsv(const TMeasurements1D &list)
{
    TLines lines;
    lines.Add("# ,AB2 ,MN2 ,U ,I ,Q ,R ,k ,rho");
    for (uint32_t i = 0; i < list.Count; ++i) {
        std::string line = FormatInteger(RowNumber(i), 3);
        for (const double value : {list.HalfABMetres(i), list.HalfMNMetres(i), list.VoltageMV(i), list.CurrentMA(i),
                                   list.QualityPercent(i), list.Resistance(i), list.GeometricFactor1D(i),
                                   list.ApparentResistivity1D(i)})
            AddCsvField(line, FormatReal(value, 14, 5));
        lines.Add(line);
    }
    return lines.Take();
}

std::string Data0DCsv(const TMeasurements1D &list)
{
    TLines lines;
    lines.Add("# ,U ,I ,Q ,R ,C");
    for (uint32_t i = 0; i < list.Count; ++i) {
        std::string line = FormatInteger(RowNumber(i), 3);
        for (const double value : {list.VoltageMV(i), list.CurrentMA(i), list.QualityPercent(i), list.Resistance(i),
                                   list.ChargeabilityMS(i)})
            AddCsvField(line, FormatReal(value, 14, 5));
        lines.Add(line);
    }
    return lines.Take();
}

std::string Sequence2DCsv(const TMeasurements2D &list)
{
    TLines lines;
    lines.Add("# ,A ,B ,M ,N ,MidPoint ,PseudoDepth ");
    for (uint32_t i = 0; i < list.Count; ++i) {
        std::string line = FormatInteger(RowNumber(i), 3);
        for (const double value : {list.ElectrodeA(i), list.ElectrodeB(i), list.ElectrodeM(i), list.ElectrodeN(i),
                                   list.MidPoint(i), list.PseudoDepth(i)})
            AddCsvField(line, FormatReal(value, 14, 5));
        line += ",";
        lines.Add(line);
    }
    return lines.Take();
}

bool WriteTextFile(TMainWindowHost &mainWindow, const std::string &fileName, std::string_view text)
{
    // Written beside the target and renamed over it once complete, like the
    // instrument files: a full disk never leaves the user's old file emptied.
    int reason = 0;
    {
        vesk::FileReplacement file(fileName.c_str());
        if (file.stream() != nullptr && std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size())
            reason = errno;
        else if (file.stream() == nullptr || !file.commit())
            reason = file.error();
        else
            return true;
    }
    mainWindow.ShowMessage(FileChecks::WithReason(VeskMessages::WithFileName(VeskMessages::ExportFailed, fileName),
                                                  FileChecks::WriteFailureLine(fileName, reason)));
    return false;
}

} // namespace TextExport
