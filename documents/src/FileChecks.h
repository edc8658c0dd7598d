// What the documents check of a file before the instrument library reads
// it, and the plain reasons they add to the program's own message when a
// file cannot be read or written.
#pragma once

#include "documents/VeskConstants.h"

#include <cstdint>
#include <string>

namespace FileChecks {

// The most measurements a header may count: far above any survey (a joined
// line of 1,000 spreads has under 400,000), far below what would exhaust the
// memory of the machine.
inline constexpr uint32_t MaxMeasurements = 10'000'000;

// The memory one measurement takes in the program once it is shown (the
// measurement list, the table's rows and the chart's points), in bytes: a
// bound measured on the largest kind, 2D data, with room to spare.
inline constexpr uint64_t MemoryPerMeasurement = 1024;

// Where a count of measurements comes from: a file's header, or a join of
// the file to the measurements a document holds.
enum class TCountSource { Header, Join };

// The reason a document may not hold `count` measurements: more than
// MaxMeasurements, or more than a quarter of the machine's memory at
// MemoryPerMeasurement each; empty when it may. The message names the file.
std::string CountProblem(const std::string &fileName, uint64_t count, TCountSource source = TCountSource::Header);

// Checks that the file can be loaded as a document of the kind: a regular
// file (examined before it is opened, so that a named pipe or a device cannot
// block the program), readable, holding its whole header and every record
// its header counts (sizes after its version byte), and counting no more
// than CountProblem allows. Answers the message to show: the program's message,
// a line break and one English line with the file name and the reason; empty
// when the file passes. A version byte that the kind does not read passes:
// the library refuses it with result code 2.
std::string InputProblem(const std::string &fileName, TDocumentKind kind);

// The English line for a file refused for its version byte (result code 2):
// which kind the byte belongs to, e.g. "cannot read 'x.d2d' as 2D data: it
// looks like 1D data (.d1d), version byte 211".
std::string VersionMismatchLine(const std::string &fileName, TDocumentKind kind);

// The English line for a file that could not be written, with the system's
// reason (an errno value): "cannot write 'out.d2d': No space left on device".
std::string WriteFailureLine(const std::string &fileName, int error);

// The same for a file that could not be read: "cannot read 'x.d2d': ...".
std::string ReadFailureLine(const std::string &fileName, int error);

// The message followed by a line break and the line.
std::string WithReason(std::string_view message, std::string_view line);

} // namespace FileChecks
