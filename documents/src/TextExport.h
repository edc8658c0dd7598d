// The text exports: the Res2DInv general-array file and the unified data
// format of 2D data and the CSV layouts of 2D data, 1D data, 0D data and 2D sequences. Lines end with
// CR LF; numbers use "." as decimal point whatever the locale.
#pragma once

#include "documents/MainWindowHost.h"

#include "survey/Measurements.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace TextExport {

inline constexpr std::string_view LineEnd = "\r\n";

// Text built line by line, each line followed by the line end.
class TLines {
public:
    explicit TLines(std::string_view lineEnd = LineEnd) : FLineEnd(lineEnd) {}
    void Add(std::string_view line)
    {
        FText += line;
        FText += FLineEnd;
    }
    std::string Take() { return std::move(FText); }

private:
    std::string_view FLineEnd;
    std::string FText;
};

// Decimal, right-aligned in width characters (more when needed).
std::string FormatInteger(int64_t value, int width = 0);
// Fixed-point with the given decimals and "." as decimal point, right-aligned
// in width characters (more when needed), "-" in front of a negative value.
std::string FormatReal(double value, int width, int decimals);

// Res2DInv general array: the measurements that are shown and pass the
// filters, electrode positions in metres (the list's coordinate mode is
// switched to metres while the text is built and restored afterwards).
std::string Data2DRes2DInv(TMeasurements2D &list);
// CSV of 2D data: the same measurements, electrode positions in metres.
std::string Data2DCsv(TMeasurements2D &list);
// Unified data format of pyGIMLi/BERT (".ohm", lines ended by LF): the
// electrodes of the measurements that are shown and pass the filters, in
// ascending position in metres and numbered from 1, then those measurements
// with their electrode indices (0 for a remote electrode), apparent
// resistivity, geometric factor, voltage [V], current [A], quality as a
// fraction and, when the data carry it, chargeability [ms]. Array types
// without electrodes along the line give no electrodes and no measurements.
std::string Data2DUnifiedFormat(TMeasurements2D &list);
// CSV of 1D data: every measurement.
std::string Data1DCsv(const TMeasurements1D &list);
// CSV of 0D data: every measurement.
std::string Data0DCsv(const TMeasurements1D &list);
// CSV of a 2D sequence: every measurement, electrodes in the list's current
// coordinate mode.
std::string Sequence2DCsv(const TMeasurements2D &list);

// Creates or replaces the file with the text: the text goes to a new file
// beside it, which takes the file's place only once every byte and the close
// succeeded. When that fails, shows the export error with the system's reason
// through the main window and answers false; an existing file is untouched.
bool WriteTextFile(TMainWindowHost &mainWindow, const std::string &fileName, std::string_view text);

} // namespace TextExport
