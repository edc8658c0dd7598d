// The texts with which vesk describes a document: the captions the program
// shows in its info panels, inspector pages and tables, and the count and
// duration lines of a sequence, in one place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace vesk::cli::texts {

// Info panels of a sequence.
inline constexpr std::string_view CountCaption = "Count: ";
inline constexpr std::string_view DurationCaption = "Appx.Duration: ";

// "Count: " followed by n.
std::string CountText(uint64_t n);
// The approximate recording time of a 2D sequence of n measurements:
// "Appx.Duration: " + minutes + " m " + seconds + " s". One measurement takes
// 2138 ms (three 456 ms cycles and 770 ms switching), plus five percent.
std::string DurationText2D(uint64_t n);
// 1D sequences show no time: exactly "Appx.Duration: ".
std::string DurationText1D();

// Inspector captions.
inline constexpr std::string_view File = "File";
inline constexpr std::string_view Comment = "Comment";
inline constexpr std::string_view Count = "Count";
inline constexpr std::string_view ArrayType = "Array Type";
inline constexpr std::string_view SequenceType = "Sequence Type";
inline constexpr std::string_view UnitSpacing = "Spacing <A>, [m]";
inline constexpr std::string_view Origin = "Origin [m]";
inline constexpr std::string_view IncrementType = "Increment Type";
inline constexpr std::string_view SpacingGroup = "Spacing #";
inline constexpr std::string_view Spacing2D = "Spacing <D>";
inline constexpr std::string_view Spacing1D = "Spacing <D>, [m]";
inline constexpr std::string_view Levels = "Levels";
inline constexpr std::string_view LevelStep = "Level Step";
inline constexpr std::string_view StartLevel = "Start Level";
inline constexpr std::string_view Increment = "Increment";
inline constexpr std::string_view Factor = "Factor";
inline constexpr std::string_view Overlaps = "Overlaps";
inline constexpr std::string_view Cable1 = "Cable 1 (1-24)";
inline constexpr std::string_view Cable2 = "Cable 2 (25-48)";
inline constexpr std::string_view MeasurementDetails = "Measurement Details";
inline constexpr std::string_view StdDev = "STD Dev [%]";
inline constexpr std::string_view MinStacking = "Min Stacking";
inline constexpr std::string_view MaxStacking = "Max Stacking";
inline constexpr std::string_view InducedPolarization = "Induced Polar. [ms]";
inline constexpr std::string_view TxPower = "Tx Power [%]";
inline constexpr std::string_view MixedPoleDipole = "Mixed pole-dipole";

// Lines of vesk info that the program has no caption for.
inline constexpr std::string_view Version = "Version";
inline constexpr std::string_view FirstMeasurements = "First measurements";

// The line of the "Induced Polar. [ms]" list for the settings code:
// "disabled", "60", ..., "320"; empty for a code outside the list.
std::string_view InducedPolarizationLine(uint8_t code);
// The line of the "Tx Power [%]" list for the settings code: "1" ... "100";
// empty for a code outside the list.
std::string TxPowerLine(uint8_t code);

// Captions of the AB/2-like and MN/2-like spacing of a 1D array type
// ("AB/2 [m]" and "MN/2 [m]" for Wenner and Schlumberger, and so on).
std::pair<std::string_view, std::string_view> SoundingAxisTitles(uint8_t arrayType);

// What a version byte of an instrument file stands for: "2D data", "2D data,
// instrument format", "2D data, old format" and so on; empty when unknown.
std::string_view FileVersionName(uint8_t version);

// Table column captions.
inline constexpr std::string_view NumberColumn = "#";
inline constexpr std::string_view UsedColumn = "Used";
inline constexpr std::string_view PseudoDepthColumn = "Pseudodepth [m]";
inline constexpr std::string_view MidPointColumn = "Mid Point [m]";
inline constexpr std::string_view ResistivityColumn = "Rho [Ohm*m]";
inline constexpr std::string_view ChargeabilityColumn = "C [ms]";
inline constexpr std::string_view VoltageColumn = "U [mV]";
inline constexpr std::string_view CurrentColumn = "I [mA]";
inline constexpr std::string_view QualityColumn = "Q [%]";
inline constexpr std::string_view ResistanceColumn = "R [Ohm]";
inline constexpr std::string_view GeometricFactorColumn = "k [m]";
// "A [m]" while positions are in metres, "A [#]" for electrode numbers.
std::string ElectrodeColumn(char electrode, bool metres);

} // namespace vesk::cli::texts
