// vesk sequence 2d|1d: designs a sequence with the library's generators and
// writes it, printing the count (and the duration of a 2D sequence) as the
// program's info panels do.
#include "array_names.h"
#include "command_support.h"
#include "commands.h"
#include "info_texts.h"
#include "output_checks.h"
#include "text_table.h"
#include "value_parsing.h"

#include "documents/SequenceDocuments.h"

#include <algorithm>
#include <initializer_list>
#include <ostream>

namespace vesk::cli {

namespace {

const char *const SequenceHelp =
    "Usage: vesk sequence 2d --array NAME [--spacing M] [--origin M]\n"
    "                        [--group MULT,LEVELS,STEP,START]... [--disable LIST]\n"
    "                        [--roll-along] -o OUT.s2d [--csv OUT.csv]\n"
    "       vesk sequence 1d --array NAME [--geometric]\n"
    "                        [--group D,INCREMENT,LEVELS[,OVERLAPS]]... -o OUT.s1d\n"
    "\n"
    "Designs a sequence through the library's generators, prints its count (and for\n"
    "2D the approximate duration) as the program's info panel does, and writes it.\n"
    "Run 'vesk sequence 2d --help' or 'vesk sequence 1d --help' for the options.\n";

const std::string Sequence2DHelp =
    "Usage: vesk sequence 2d --array NAME [--spacing M] [--origin M]\n"
    "                        [--group MULT,LEVELS,STEP,START]... [--disable LIST]\n"
    "                        [--roll-along] -o OUT.s2d [--csv OUT.csv]\n"
    "\n"
    "Designs a 2D profile on the two 24-electrode cables with the 2D generator.\n"
    "\n"
    "  --array NAME     array type, letter case free, '-' or '_' for blanks, or its code\n"
    "                   0 to 7: " + Wrapped(ArrayTypeNameList(ArrayTypeCode::PolePole), 60, std::string(19, ' ')) + "\n"
    "  --spacing M      unit electrode spacing A in metres, above 0 (default 5)\n"
    "  --origin M       position of electrode 1 in metres (default 0)\n"
    "  --group MULT,LEVELS,STEP,START\n"
    "                   a spacing group (repeatable, up to four; more than one only for\n"
    "                   schlumberger, dipole-dipole and the pole-dipole arrays):\n"
    "                   spacing D = MULT x A (group g: g to 25), levels, level step and\n"
    "                   start level (1 to 255). Without --group the program's design:\n"
    "                   for schlumberger its blank sequence, 1,6,1,1 3,6,1,4 5,6,1,7\n"
    "                   7,6,1,10; for any other array 1,6,1,1 alone (choosing an array\n"
    "                   type in the program leaves the first group)\n"
    "  --disable LIST   electrodes to switch off, e.g. 5,17,30-32 (1 to 48)\n"
    "  --roll-along     write the roll-along continuation of this design: the measurements\n"
    "                   that reach cable 2, with electrode 1 placed where the design's\n"
    "                   highest enabled electrode of cable 1 follows (origin + p x A)\n"
    "  -o, --output OUT the .s2d file to write\n"
    "  --csv OUT        also write the sequence's CSV export\n"
    "  --coords MODE    electrodes of the CSV in metres (default) or as numbers\n";

const std::string Sequence1DHelp =
    "Usage: vesk sequence 1d --array NAME [--geometric]\n"
    "                        [--group D,INCREMENT,LEVELS[,OVERLAPS]]... -o OUT.s1d\n"
    "\n"
    "Designs a 1D sounding with the 1D generator.\n"
    "\n"
    "  --array NAME     array type, letter case free, '-' or '_' for blanks, or its code\n"
    "                   0 to 8: " + Wrapped(ArrayTypeNameList(ArrayTypeCode::EquatDipoleDipole), 60, std::string(19, ' ')) + "\n"
    "  --geometric      geometric increments (each length multiplied by INCREMENT);\n"
    "                   default linear (INCREMENT added)\n"
    "  --group D,INCREMENT,LEVELS[,OVERLAPS]\n"
    "                   a spacing group (repeatable, up to four; more than one not for\n"
    "                   wenner, wenner-beta, wenner-gamma and pole-pole): first spacing D\n"
    "                   in metres (above 0), increment (above 0) or factor (above 1),\n"
    "                   levels (1 to 255) and, from the\n"
    "                   second group on, the overlaps with the group before (default 0;\n"
    "                   at most the levels of the group before).\n"
    "                   Without --group the program's default design: 1,1,10\n"
    "                   (1,1.5,10 with --geometric, as the program switches the factor)\n"
    "  -o, --output OUT the .s1d file to write\n";

constexpr OptionDefinition Sequence2DOptions[] = {
    {"array", '\0', true, false},   {"spacing", '\0', true, false}, {"origin", '\0', true, false},
    {"group", '\0', true, true},    {"disable", '\0', true, true},  {"roll-along", '\0', false, false},
    {"output", 'o', true, false},   {"csv", '\0', true, false},     CoordsOption,
};

constexpr OptionDefinition Sequence1DOptions[] = {
    {"array", '\0', true, false},
    {"geometric", '\0', false, false},
    {"group", '\0', true, true},
    {"output", 'o', true, false},
};

constexpr std::size_t MaxGroups = 4;
constexpr int64_t MaxSpacingFactor = 25;
constexpr int64_t MaxByte = 255;
constexpr int64_t ElectrodeCount = 48;
// The array type of a blank 2D sequence, and the factor the program shows
// when a sounding's increments turn geometric.
constexpr uint8_t DefaultArrayType = ArrayTypeCode::Schlumberger;
constexpr double DefaultGeometricFactor = 1.5;

// Array types that take more than one spacing group.
bool AllowsGroups2D(uint8_t arrayType)
{
    return arrayType == ArrayTypeCode::Schlumberger || arrayType == ArrayTypeCode::DipoleDipole ||
           arrayType == ArrayTypeCode::FwdPoleDipole || arrayType == ArrayTypeCode::RevPoleDipole;
}

bool AllowsGroups1D(uint8_t arrayType)
{
    return arrayType != ArrayTypeCode::Wenner && arrayType != ArrayTypeCode::WennerBeta &&
           arrayType != ArrayTypeCode::WennerGamma && arrayType != ArrayTypeCode::PolePole;
}

// The count and duration go to standard output, or to standard error when
// a file is written to standard output.
std::ostream &InfoStream(CommandIo io, std::initializer_list<std::string> outputs)
{
    for (const std::string &output : outputs) {
        if (output == "-") return io.err;
    }
    return io.out;
}

std::string RequireValue(const ParsedArguments &parsed, std::string_view name, std::string_view what)
{
    const auto value = parsed.Value(name);
    if (!value) throw UsageError("missing --" + std::string(name) + " " + std::string(what));
    return *value;
}

void CheckGroupCount(std::size_t count, bool allowsGroups, uint8_t arrayType)
{
    if (count > MaxGroups) throw UsageError("--group: at most four spacing groups");
    if (count > 1 && !allowsGroups) {
        throw UsageError("--group: " + std::string(ArrayTypeName(arrayType)) + " takes a single spacing group");
    }
}

void ApplyGroups2D(const ParsedArguments &parsed, TArrayDetails2D &details)
{
    const std::vector<std::string> groups = parsed.Values("group");
    if (groups.empty()) {
        // The program's design: a blank sequence is Schlumberger with four
        // groups; choosing any other array type unchecks groups 2 to 4, so
        // the sequence is generated with the first group alone.
        if (details.ArrayType != DefaultArrayType) details.SetGroupCount(1);
        return;
    }
    CheckGroupCount(groups.size(), AllowsGroups2D(details.ArrayType), details.ArrayType);
    details.SetGroupCount(static_cast<uint8_t>(groups.size()));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::string> fields = SplitList(groups[g]);
        if (fields.size() != 4) {
            throw UsageError("--group: '" + groups[g] + "' is not MULT,LEVELS,STEP,START");
        }
        const auto first = static_cast<int64_t>(g + 1);
        details.SpacingFactors[g] =
            static_cast<uint8_t>(ParseWholeNumber(fields[0], "--group MULT", first, MaxSpacingFactor));
        details.LevelCounts[g] = static_cast<uint8_t>(ParseWholeNumber(fields[1], "--group LEVELS", 1, MaxByte));
        details.LevelSteps[g] = static_cast<uint8_t>(ParseWholeNumber(fields[2], "--group STEP", 1, MaxByte));
        details.OverlapCounts[g] = static_cast<uint8_t>(ParseWholeNumber(fields[3], "--group START", 1, MaxByte));
    }
}

void ApplyDisabled(const ParsedArguments &parsed, TArrayDetails2D &details)
{
    for (const std::string &list : parsed.Values("disable")) {
        for (const std::string &piece : SplitList(list)) {
            const auto dash = piece.find('-');
            int64_t from = 0, to = 0;
            if (dash == std::string::npos) {
                from = to = ParseWholeNumber(piece, "--disable", 1, ElectrodeCount);
            } else {
                from = ParseWholeNumber(piece.substr(0, dash), "--disable", 1, ElectrodeCount);
                to = ParseWholeNumber(piece.substr(dash + 1), "--disable", 1, ElectrodeCount);
                if (to < from) throw UsageError("--disable: '" + piece + "' runs backwards");
            }
            for (int64_t electrode = from; electrode <= to; ++electrode) {
                TnCable &cable = electrode <= 24 ? details.Cable1 : details.Cable2;
                cable.SetEnabled(static_cast<int32_t>((electrode - 1) % 24), false);
            }
        }
    }
}

double NonNegativeMetres(const ParsedArguments &parsed, std::string_view name, double fallback)
{
    const auto value = parsed.Value(name);
    if (!value) return fallback;
    const double metres = ParseNumber(*value, "--" + std::string(name));
    if (metres < 0.0 || metres > UINT32_MAX / 1000.0) {
        throw UsageError("--" + std::string(name) + ": '" + *value + "' is outside 0 to 4294967 m");
    }
    return metres;
}

int32_t EnabledElectrodes(const TnCable &cable)
{
    int32_t enabled = 0;
    for (int32_t i = 0; i < cable.Count; ++i) enabled += cable.IsEnabled(i) ? 1 : 0;
    return enabled;
}

// A design that gives no measurement cannot be saved (the library refuses
// an empty sequence): says why instead.
void RequireMeasurements(const TnSeq2D &design)
{
    if (design.Measurements().Count > 0) return;
    const TArrayDetails2D &details = design.ArrayDetails();
    const int32_t enabled1 = EnabledElectrodes(details.Cable1);
    const int32_t enabled2 = EnabledElectrodes(details.Cable2);
    if (enabled1 == 0 && enabled2 == 0) {
        throw UsageError("the design gives no measurement: no enabled electrode left on cable 1 or cable 2");
    }
    throw UsageError("the design gives no measurement: the " + std::to_string(enabled1 + enabled2) +
                     " enabled electrodes (" + std::to_string(enabled1) + " on cable 1, " + std::to_string(enabled2) +
                     " on cable 2) leave no room for the spacing groups; enable more electrodes or choose "
                     "smaller spacings and start levels");
}

int Run2D(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, Sequence2DOptions);
    if (parsed.HelpWanted()) {
        io.out << Sequence2DHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 0, 0, "");
    const uint8_t arrayType =
        RequireArrayType(RequireValue(parsed, "array", "NAME"), "--array", ArrayTypeCode::PolePole);
    const std::string output = RequireValue(parsed, "output", "OUT.s2d (-o)");
    RequireInstrumentOutput(output, TDocumentKind::Seq2D, "-o");
    if (const auto csv = parsed.Value("csv")) {
        const std::optional<TextFormat> named = TextFormatOfOutput(*csv, "--csv");
        if (named == TextFormat::Res2DInv)
            throw UsageError("--csv: '" + *csv + "' names a Res2DInv file (.dat), but a sequence exports as CSV");
        if (named == TextFormat::Bert)
            throw UsageError("--csv: '" + *csv + "' names a BERT file (.ohm), but a sequence exports as CSV");
    }

    Session session(io.err);
    // A blank 2D sequence carries the program's default design; the options change it.
    auto &design = static_cast<TnSeq2D &>(session.Create(TDocumentKind::Seq2D));
    TArrayDetails2D &details = design.ArrayDetails();
    details.ArrayType = arrayType;
    details.SetUnitSpacing(NonNegativeMetres(parsed, "spacing", details.UnitSpacingMetres()));
    details.SetOrigin(NonNegativeMetres(parsed, "origin", details.OriginMetres()));
    if (details.UnitSpacing == 0) throw UsageError("--spacing: the unit spacing must be above 0 m");
    ApplyGroups2D(parsed, details);
    ApplyDisabled(parsed, details);
    if (!design.GenerateSequence2D()) throw DocumentFailure("the sequence could not be generated");
    RequireMeasurements(design);

    TnSeq2D *result = &design;
    if (parsed.Has("roll-along")) {
        // As the program links a roll-along sequence to its single base sequence.
        auto &rollAlong = static_cast<TnSeq2D &>(session.Create(TDocumentKind::Seq2D));
        rollAlong.SetBaseSequence(&design);
        if (!rollAlong.GenerateSequence2D()) throw DocumentFailure("the roll-along sequence could not be generated");
        if (rollAlong.Measurements().Count == 0) {
            throw UsageError("the roll-along continuation of this design has no measurement: none of its "
                             "measurements reaches cable 2");
        }
        result = &rollAlong;
    }
    ApplyCoordsOption(parsed, *result);

    const uint32_t count = result->Measurements().Count;
    InfoStream(io, {output, parsed.Value("csv").value_or("")})
        << texts::CountText(count) << "\n" << texts::DurationText2D(count) << "\n";
    if (!WriteOutput(output, io.out, [&](const std::string &path) { return result->SaveToFile(path); })) {
        throw DocumentFailure("saving to '" + output + "' failed");
    }
    if (const auto csv = parsed.Value("csv")) {
        if (!WriteOutput(*csv, io.out, [&](const std::string &path) { return result->Export(path, ExportFilterCsv); })) {
            throw DocumentFailure("the export to '" + *csv + "' failed");
        }
    }
    return ExitSuccess;
}

// What the 1D generator would refuse, said in the command's terms.
void CheckGroup1D(const TArrayDetails1D &details, std::size_t g, const std::string &text)
{
    const std::string group = "--group '" + text + "': ";
    if (!(details.Spacings[g] > 0.0)) throw UsageError(group + "the first spacing D must be above 0 m");
    if (details.IncrementType == IncrementTypeGeometric && !(details.Increments[g] > 1.0)) {
        throw UsageError(group + "with --geometric the factor must be above 1");
    }
    if (!(details.Increments[g] > 0.0)) throw UsageError(group + "the increment must be above 0 m");
    if (g > 0 && details.OverlapCounts[g] > details.LevelCounts[g - 1]) {
        throw UsageError(group + std::to_string(details.OverlapCounts[g]) + " overlaps, but group " +
                         std::to_string(g) + " has only " + std::to_string(details.LevelCounts[g - 1]) + " levels");
    }
}

void ApplyGroups1D(const ParsedArguments &parsed, TArrayDetails1D &details)
{
    const std::vector<std::string> groups = parsed.Values("group");
    if (groups.empty()) {
        // The program's default design. Switching to geometric increments
        // shows the factor 1.5 in every group (a factor of 1 is refused).
        if (details.IncrementType == IncrementTypeGeometric) {
            std::fill(details.Increments.begin(), details.Increments.end(), DefaultGeometricFactor);
        }
        return;
    }
    CheckGroupCount(groups.size(), AllowsGroups1D(details.ArrayType), details.ArrayType);
    details.SetGroupCount(static_cast<uint8_t>(groups.size()));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::vector<std::string> fields = SplitList(groups[g]);
        const std::size_t wanted = g == 0 ? 3 : 4;
        if (fields.size() != 3 && fields.size() != wanted) {
            throw UsageError("--group: '" + groups[g] + "' is not " +
                             (g == 0 ? "D,INCREMENT,LEVELS (the first group has no overlaps)"
                                     : "D,INCREMENT,LEVELS[,OVERLAPS]"));
        }
        details.Spacings[g] = ParseNumber(fields[0], "--group D");
        details.Increments[g] = ParseNumber(fields[1], "--group INCREMENT");
        details.LevelCounts[g] = static_cast<uint8_t>(ParseWholeNumber(fields[2], "--group LEVELS", 1, MaxByte));
        details.OverlapCounts[g] =
            fields.size() == 4 ? static_cast<uint8_t>(ParseWholeNumber(fields[3], "--group OVERLAPS", 0, MaxByte)) : 0;
        CheckGroup1D(details, g, groups[g]);
    }
}

int Run1D(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, Sequence1DOptions);
    if (parsed.HelpWanted()) {
        io.out << Sequence1DHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 0, 0, "");
    const uint8_t arrayType =
        RequireArrayType(RequireValue(parsed, "array", "NAME"), "--array", ArrayTypeCode::EquatDipoleDipole);
    const std::string output = RequireValue(parsed, "output", "OUT.s1d (-o)");
    RequireInstrumentOutput(output, TDocumentKind::Seq1D, "-o");

    Session session(io.err);
    auto &design = static_cast<TnSeq1D &>(session.Create(TDocumentKind::Seq1D));
    TArrayDetails1D &details = design.ArrayDetails();
    details.ArrayType = arrayType;
    details.IncrementType = parsed.Has("geometric") ? IncrementTypeGeometric : IncrementTypeLinear;
    ApplyGroups1D(parsed, details);
    if (!design.GenerateSequence1D()) throw DocumentFailure("the sequence could not be generated");

    const uint32_t count = design.Measurements().Count;
    InfoStream(io, {output}) << texts::CountText(count) << "\n" << texts::DurationText1D() << "\n";
    if (!WriteOutput(output, io.out, [&](const std::string &path) { return design.SaveToFile(path); })) {
        throw DocumentFailure("saving to '" + output + "' failed");
    }
    return ExitSuccess;
}

} // namespace

int RunSequence(std::span<const std::string> arguments, CommandIo io)
{
    if (arguments.empty()) throw UsageError("missing the dimension: 'vesk sequence 2d' or 'vesk sequence 1d'");
    const std::string &dimension = arguments.front();
    if (dimension == "--help" || dimension == "-h") {
        io.out << SequenceHelp;
        return ExitSuccess;
    }
    if (dimension == "2d" || dimension == "2D") return Run2D(arguments.subspan(1), io);
    if (dimension == "1d" || dimension == "1D") return Run1D(arguments.subspan(1), io);
    throw UsageError("unknown dimension '" + dimension + "' (2d or 1d)");
}

} // namespace vesk::cli
