// vesk synth: a synthetic survey for a sequence file over a layered earth,
// written as the data file of the sequence's kind (or a 0D series).
#include "command_support.h"
#include "commands.h"
#include "legacy_d2d_file.h"
#include "output_checks.h"
#include "value_parsing.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"

#include "synth/synth.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <ostream>
#include <stdexcept>
#include <unistd.h>

namespace vesk::cli {

namespace {

const char *const SynthHelp =
    "Usage: vesk synth SEQUENCE -o OUT --rho R1,R2[,R3] --thickness H1[,H2] [options]\n"
    "       vesk synth --series COUNT -o OUT.d0d --rho R1,R2[,R3] --thickness H1[,H2] [options]\n"
    "\n"
    "Makes the readings of an instrument that measured the sequence over a layered\n"
    "earth (two or three layers; the boundaries may dip along the line), computed with\n"
    "the image-series solution, with realistic currents, voltages, quality values,\n"
    "noise and a few disturbed measurements, and writes them as a data file of the\n"
    "sequence's kind: a .s2d sequence gives 2D data (.d2d), a .s1d sequence 1D data\n"
    "(.d1d). --series makes a 0D series (.d0d) of COUNT repeated measurements with a\n"
    "Wenner array (a = 5 m) instead.\n"
    "\n"
    "  -o, --output OUT       the data file to write ('-' for standard output)\n"
    "  --kind s2d|s1d         read SEQUENCE as this kind whatever its extension\n"
    "  --series COUNT         a 0D series of COUNT measurements instead of a sequence\n"
    "  --rho R1,R2[,R3]       resistivities of the layers from the top, 0.1 to 100000 Ohm*m\n"
    "  --thickness H1[,H2]    thicknesses of the upper layers, 0.01 to 10000 m\n"
    "  --dip DEG              dip of the boundaries along the line (-89 to 89; positive:\n"
    "                         deeper towards the end of the line; default 0)\n"
    "  --dip-origin M         position along the line where the thicknesses hold (default 0)\n"
    "  --chargeability M1,M2[,M3]\n"
    "                         intrinsic chargeability of each layer (0 <= m < 1); the\n"
    "                         readings then carry chargeability\n"
    "  --ip-window MS         IP window: 60, 120 (default), 160, 200, 240 or 320 ms\n"
    "  --ip-time-constant S   decay time of the secondary voltage in seconds (default 0.5)\n"
    "  --seed N               noise seed; the same seed gives the same file (default 1)\n"
    "  --bad-fraction F       share of disturbed measurements, 0 to 1 (default 0.015)\n"
    "  --comment TEXT         the file's comment (at most 250 bytes)\n"
    "  --file-version V       2D data only: 122 (default, as the program saves), 221 (the\n"
    "                         instrument's format, one-byte electrodes) or 121 (the old\n"
    "                         format, lengths and readings ten times coarser)\n"
    "\n"
    "OUT must not name another kind of file than the one written. A run that takes more\n"
    "than a few seconds shows its progress on standard error when that is a terminal.\n";

constexpr OptionDefinition SynthOptions[] = {
    {"output", 'o', true, false},
    KindOption,
    {"series", '\0', true, false},
    {"rho", '\0', true, false},
    {"thickness", '\0', true, false},
    {"dip", '\0', true, false},
    {"dip-origin", '\0', true, false},
    {"chargeability", '\0', true, false},
    {"ip-window", '\0', true, false},
    {"ip-time-constant", '\0', true, false},
    {"seed", '\0', true, false},
    {"bad-fraction", '\0', true, false},
    {"comment", '\0', true, false},
    {"file-version", '\0', true, false},
};

// IP window lengths in ms, indexed by the settings code (0 = no window).
constexpr std::array<int64_t, 7> IpWindowMilliseconds{0, 60, 120, 160, 200, 240, 320};
constexpr uint8_t DefaultIpWindowCode = 2; // 120 ms
constexpr int64_t MaxSeriesCount = 100000;
// Earth models within these bounds are computed in seconds; beyond them
// (contrasts above a million, layers of a few micrometres) the image series
// converges so slowly that a survey would take hours.
constexpr double MinResistivity = 0.1;     // Ohm*m
constexpr double MaxResistivity = 100000.0; // Ohm*m
constexpr double MinThickness = 0.01;      // m
constexpr double MaxThickness = 10000.0;   // m

std::string Required(const ParsedArguments &parsed, std::string_view name, std::string_view what)
{
    const auto value = parsed.Value(name);
    if (!value) throw UsageError("missing --" + std::string(name) + " " + std::string(what));
    return *value;
}

inversion::LayeredEarth ParseEarth(const ParsedArguments &parsed)
{
    inversion::LayeredEarth earth;
    earth.resistivities = ParseNumberList(Required(parsed, "rho", "R1,R2[,R3]"), "--rho", 2, 3);
    for (const double rho : earth.resistivities) {
        if (!(rho >= MinResistivity && rho <= MaxResistivity)) {
            throw UsageError("--rho: every resistivity lies within 0.1 to 100000 Ohm*m");
        }
    }
    const std::size_t layers = earth.resistivities.size();
    earth.thicknesses = ParseNumberList(Required(parsed, "thickness", "H1[,H2]"), "--thickness", layers - 1, layers - 1);
    for (const double thickness : earth.thicknesses) {
        if (!(thickness >= MinThickness && thickness <= MaxThickness)) {
            throw UsageError("--thickness: every thickness lies within 0.01 to 10000 m");
        }
    }
    if (const auto dip = parsed.Value("dip")) {
        earth.dipDegrees = ParseNumber(*dip, "--dip");
        if (std::abs(earth.dipDegrees) > 89.0) throw UsageError("--dip: the dip lies within -89 to 89 degrees");
    }
    if (const auto origin = parsed.Value("dip-origin")) earth.dipOrigin = ParseNumber(*origin, "--dip-origin");
    if (const auto charge = parsed.Value("chargeability")) {
        earth.chargeabilities = ParseNumberList(*charge, "--chargeability", layers, layers);
        for (const double m : earth.chargeabilities) {
            if (!(m >= 0.0 && m < 1.0)) throw UsageError("--chargeability: every chargeability lies in [0, 1)");
        }
    }
    return earth;
}

synth::SynthesisOptions ParseSynthesisOptions(const ParsedArguments &parsed, bool chargeable)
{
    synth::SynthesisOptions options;
    if (const auto seed = parsed.Value("seed")) {
        options.seed = static_cast<uint64_t>(ParseWholeNumber(*seed, "--seed", 0, INT64_MAX));
    }
    if (const auto fraction = parsed.Value("bad-fraction")) {
        options.badFraction = ParseNumber(*fraction, "--bad-fraction");
        if (options.badFraction < 0.0 || options.badFraction > 1.0) {
            throw UsageError("--bad-fraction: the share lies within 0 to 1");
        }
    }
    if (const auto window = parsed.Value("ip-window")) {
        if (!chargeable) throw UsageError("--ip-window needs --chargeability");
        const int64_t ms = ParseWholeNumber(*window, "--ip-window", 60, 320);
        const auto found = std::find(IpWindowMilliseconds.begin() + 1, IpWindowMilliseconds.end(), ms);
        if (found == IpWindowMilliseconds.end()) {
            throw UsageError("--ip-window: the window is 60, 120, 160, 200, 240 or 320 ms");
        }
        options.ipWindowCode = static_cast<uint8_t>(found - IpWindowMilliseconds.begin());
    } else if (chargeable) {
        options.ipWindowCode = DefaultIpWindowCode;
    }
    if (const auto tau = parsed.Value("ip-time-constant")) {
        if (!chargeable) throw UsageError("--ip-time-constant needs --chargeability");
        options.ipTimeConstant = ParseNumber(*tau, "--ip-time-constant");
        if (!(options.ipTimeConstant > 0.0)) throw UsageError("--ip-time-constant: the time must be above 0");
    }
    return options;
}

TCommentBlock ParseComment(const ParsedArguments &parsed)
{
    TCommentBlock block{};
    const std::string comment = parsed.Value("comment").value_or("");
    if (comment.size() > block.size()) throw UsageError("--comment: at most 250 bytes");
    std::copy(comment.begin(), comment.end(), block.begin());
    return block;
}

// Everything the command line says about the survey to make.
struct SynthRequest {
    inversion::LayeredEarth earth;
    synth::SynthesisOptions options;
    TCommentBlock comment{};
    std::string version; // 2D data only; empty when not given
};

SynthRequest ParseRequest(const ParsedArguments &parsed)
{
    SynthRequest request;
    request.earth = ParseEarth(parsed);
    request.options = ParseSynthesisOptions(parsed, !request.earth.chargeabilities.empty());
    request.comment = ParseComment(parsed);
    request.version = parsed.Value("file-version").value_or("");
    if (!request.version.empty() && request.version != "122" && request.version != "221" &&
        request.version != "121") {
        throw UsageError("--file-version: '" + request.version + "' is not 122, 221 or 121");
    }
    return request;
}

// Progress of a long run on standard error, when that is a terminal: shown
// from the first two seconds on, at most twice a second, on one line.
class ProgressLine {
public:
    explicit ProgressLine(std::size_t total) : FTotal(total), FStart(Clock::now()), FShown(FStart)
    {
        FActive = ::isatty(STDERR_FILENO) == 1;
    }
    ~ProgressLine()
    {
        if (FVisible) std::fputs("\n", stderr);
    }
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    void Report(std::size_t done)
    {
        if (!FActive) return;
        const Clock::time_point now = Clock::now();
        if (now - FStart < std::chrono::seconds(2) || now - FShown < std::chrono::milliseconds(500)) return;
        FShown = now;
        FVisible = true;
        std::fprintf(stderr, "\rvesk synth: %zu of %zu measurements", done, FTotal);
        std::fflush(stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    std::size_t FTotal;
    Clock::time_point FStart;
    Clock::time_point FShown;
    bool FActive = false;
    bool FVisible = false;
};

std::vector<synth::Reading> Synthesise(const inversion::LayeredEarth &earth, const std::vector<inversion::Quadripole> &layouts,
                                       const synth::SynthesisOptions &options)
{
    ProgressLine progress(layouts.size());
    try {
        return synth::SynthesiseMeasurements(earth, layouts, options,
                                             [&progress](std::size_t done) { progress.Report(done); });
    } catch (const std::invalid_argument &error) {
        throw UsageError(std::string("the model cannot be computed: ") + error.what());
    }
}

// Electrode positions along the line in metres; electrode 0 is remote.
std::vector<inversion::Quadripole> LineLayouts(const TArrayDetails2D &details, const TMeasurements2D &list)
{
    const double origin = details.OriginMetres();
    const double spacing = details.UnitSpacingMetres();
    const auto position = [&](uint32_t electrode) { return origin + spacing * (static_cast<double>(electrode) - 1.0); };
    const auto optionalPosition = [&](uint32_t electrode) -> std::optional<double> {
        if (electrode == 0) return std::nullopt;
        return position(electrode);
    };
    std::vector<inversion::Quadripole> layouts;
    for (uint32_t i = 0; i < list.Count; ++i) {
        layouts.push_back(inversion::LineQuadripole(position(list.A[i]), optionalPosition(list.B[i]),
                                                position(list.M[i]), optionalPosition(list.N[i])));
    }
    return layouts;
}

void StoreReadings(const std::vector<synth::Reading> &readings, TMeasurementsCustom &list)
{
    for (std::size_t i = 0; i < readings.size(); ++i) {
        list.Chargeability[i] = readings[i].chargeability;
        list.Voltage[i] = readings[i].voltage;
        list.Current[i] = readings[i].current;
        list.Quality[i] = readings[i].quality;
        list.Used[i] = readings[i].status;
    }
}

LegacyD2dHeader LegacyHeader(const TArrayDetails2D &details, const TMeasurements2D &list)
{
    LegacyD2dHeader header;
    header.comment = details.Comment;
    header.settings = list.MeasureSettings;
    header.arrayType = details.ArrayType;
    header.rollAlong = details.SequenceType;
    header.unitSpacing = details.UnitSpacing;
    header.origin = details.Origin;
    for (std::size_t i = 0; i < header.cable1.size(); ++i) {
        header.cable1[i] = details.Cable1.IsEnabled(static_cast<int32_t>(i)) ? 1 : 0;
        header.cable2[i] = details.Cable2.IsEnabled(static_cast<int32_t>(i)) ? 1 : 0;
    }
    header.groupCount = std::min<uint8_t>(details.GroupCount, 4);
    for (std::size_t g = 0; g < header.groupCount; ++g) {
        header.multipliers[g] = details.SpacingFactors[g];
        header.levels[g] = details.LevelCounts[g];
        header.levelSteps[g] = details.LevelSteps[g];
        header.startLevels[g] = details.OverlapCounts[g];
    }
    return header;
}

std::vector<LegacyD2dRecord> LegacyRecords(const TMeasurements2D &list)
{
    const TLongwordArray resistivity = list.ResistivityMilli();
    std::vector<LegacyD2dRecord> records(list.Count);
    for (uint32_t i = 0; i < list.Count; ++i) {
        LegacyD2dRecord &record = records[i];
        record.status = list.Used[i];
        record.a = list.A[i];
        record.m = list.M[i];
        record.n = list.N[i];
        record.b = list.B[i];
        record.slots = {list.Chargeability[i], list.Voltage[i], list.Current[i], list.Quality[i], resistivity[i]};
    }
    return records;
}

// 2D: the sequence's design and electrodes, the synthetic readings, saved
// through the 2D data document (122) or the one-byte-electrode writer.
void Synthesise2D(Session &session, TnSeq2D &sequence, const SynthRequest &request, const std::string &output,
                  CommandIo io)
{
    const std::string version = request.version.empty() ? "122" : request.version;
    const inversion::LayeredEarth &earth = request.earth;
    const synth::SynthesisOptions &options = request.options;
    const TArrayDetails2D &design = sequence.ArrayDetails();
    const TMeasurements2D &electrodes = sequence.Measurements();
    const std::vector<synth::Reading> readings = Synthesise(earth, LineLayouts(design, electrodes), options);

    auto &data = static_cast<TnData2D &>(session.Create(TDocumentKind::Data2D));
    TArrayDetails2D &details = data.ArrayDetails();
    details.Comment = request.comment;
    details.ArrayType = design.ArrayType;
    details.SequenceType = design.SequenceType;
    details.UnitSpacing = design.UnitSpacing;
    details.Origin = design.Origin;
    details.Cable1.Enabled = design.Cable1.Enabled;
    details.Cable2.Enabled = design.Cable2.Enabled;
    details.SetGroupCount(design.GroupCount);
    for (uint32_t g = 0; g < design.GroupCount; ++g) {
        details.SpacingFactors[g] = design.SpacingFactors[g];
        details.LevelCounts[g] = design.LevelCounts[g];
        details.LevelSteps[g] = design.LevelSteps[g];
        details.OverlapCounts[g] = design.OverlapCounts[g];
    }
    TMeasurements2D &list = data.Measurements();
    list.SetCount(electrodes.Count);
    list.MeasureSettings = synth::MeasureSettingsFor(options);
    for (uint32_t i = 0; i < list.Count; ++i) {
        list.A[i] = electrodes.A[i];
        list.M[i] = electrodes.M[i];
        list.N[i] = electrodes.N[i];
        list.B[i] = electrodes.B[i];
        list.SetNotMerged(i, true);
        list.SetNumber(i, static_cast<int32_t>(i + 1));
    }
    StoreReadings(readings, list);

    bool written = false;
    if (version == "122") {
        written = WriteOutput(output, io.out, [&](const std::string &path) { return data.SaveToFile(path); });
    } else {
        const auto legacy = version == "221" ? LegacyD2dVersion::Instrument : LegacyD2dVersion::Old;
        const LegacyD2dHeader header = LegacyHeader(details, list);
        const std::vector<LegacyD2dRecord> records = LegacyRecords(list);
        std::string problem;
        written = WriteOutput(output, io.out, [&](const std::string &path) {
            problem = WriteLegacyD2dFile(path, legacy, header, records);
            return problem.empty();
        });
        if (!problem.empty()) throw DocumentFailure(problem);
    }
    if (!written) throw DocumentFailure("saving to '" + output + "' failed");
}

// 1D: AB/2 and MN/2 of the sounding, centred at 0, saved through the 1D data document.
void Synthesise1D(Session &session, TnSeq1D &sequence, const SynthRequest &request, const std::string &output,
                  CommandIo io)
{
    const inversion::LayeredEarth &earth = request.earth;
    const synth::SynthesisOptions &options = request.options;
    const TArrayDetails1D &design = sequence.ArrayDetails();
    const TMeasurements1D &spacings = sequence.Measurements();
    std::vector<inversion::Quadripole> layouts;
    for (uint32_t i = 0; i < spacings.Count; ++i) {
        try {
            layouts.push_back(inversion::SoundingLayout(static_cast<inversion::ArrayType>(design.ArrayType),
                                                    spacings.HalfABMetres(i), spacings.HalfMNMetres(i)));
        } catch (const std::invalid_argument &error) {
            throw DocumentFailure("measurement " + std::to_string(i + 1) + " of the sequence cannot be laid out: " +
                                  error.what());
        }
    }
    const std::vector<synth::Reading> readings = Synthesise(earth, layouts, options);

    auto &data = static_cast<TnData1D &>(session.Create(TDocumentKind::Data1D));
    TArrayDetails1D &details = data.ArrayDetails();
    details.Comment = request.comment;
    details.ArrayType = design.ArrayType;
    details.IncrementType = design.IncrementType;
    details.SetGroupCount(design.GroupCount);
    for (uint32_t g = 0; g < design.GroupCount; ++g) {
        details.Spacings[g] = design.Spacings[g];
        details.Increments[g] = design.Increments[g];
        details.LevelCounts[g] = design.LevelCounts[g];
        details.OverlapCounts[g] = design.OverlapCounts[g];
    }
    TMeasurements1D &list = data.Measurements();
    list.SetCount(spacings.Count);
    list.MeasureSettings = synth::MeasureSettingsFor(options);
    list.HalfAB = spacings.HalfAB;
    list.HalfMN = spacings.HalfMN;
    StoreReadings(readings, list);
    if (!WriteOutput(output, io.out, [&](const std::string &path) { return data.SaveToFile(path); })) {
        throw DocumentFailure("saving to '" + output + "' failed");
    }
}

void SynthesiseSeries(std::size_t count, const SynthRequest &request, const std::string &output, CommandIo io)
{
    const TCommentBlock &comment = request.comment;
    const synth::SynthesisOptions &options = request.options;
    const std::vector<synth::Reading> readings = Synthesise(request.earth, inversion::ZeroDLayouts(count), options);
    const std::string commentText(reinterpret_cast<const char *>(comment.data()),
                                  std::find(comment.begin(), comment.end(), 0) - comment.begin());
    const bool written = WriteOutput(output, io.out, [&](const std::string &path) {
        return synth::WriteD0dFile(path, readings, synth::MeasureSettingsFor(options), commentText);
    });
    if (!written) throw DocumentFailure("writing '" + output + "' failed");
}

} // namespace

int RunSynth(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, SynthOptions);
    if (parsed.HelpWanted()) {
        io.out << SynthHelp;
        return ExitSuccess;
    }
    const std::optional<std::string> output = parsed.Value("output");
    if (!output) throw UsageError("missing -o OUT, the data file to write");
    if (parsed.Has("series")) {
        RequirePositionalCount(parsed, 0, 0, "");
        if (parsed.Has(KindOption.name)) throw UsageError("--kind names the kind of a sequence; --series reads none");
        const auto count =
            static_cast<std::size_t>(ParseWholeNumber(*parsed.Value("series"), "--series", 1, MaxSeriesCount));
        const SynthRequest request = ParseRequest(parsed);
        if (!request.version.empty()) throw UsageError("--file-version applies to 2D data only");
        RequireInstrumentOutput(*output, TDocumentKind::Data0D, "-o");
        SynthesiseSeries(count, request, *output, io);
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the sequence file (or --series COUNT)");
    const std::string &fileName = parsed.Positional().front();
    const TDocumentKind kind = ResolveKind(fileName, parsed.Value(KindOption.name));
    if (kind != TDocumentKind::Seq2D && kind != TDocumentKind::Seq1D) {
        throw UsageError("'" + fileName + "' is not a sequence: synth reads .s2d or .s1d designs");
    }
    const SynthRequest request = ParseRequest(parsed);
    if (kind == TDocumentKind::Seq1D && !request.version.empty()) {
        throw UsageError("--file-version applies to 2D data only");
    }
    RequireInstrumentOutput(*output, kind == TDocumentKind::Seq2D ? TDocumentKind::Data2D : TDocumentKind::Data1D,
                            "-o");
    RefuseOutputOverInput(*output, {fileName});
    Session session(io.err);
    TCustomVeskObject &sequence = session.Open(fileName, kind);
    if (kind == TDocumentKind::Seq2D) {
        Synthesise2D(session, static_cast<TnSeq2D &>(sequence), request, *output, io);
    } else {
        Synthesise1D(session, static_cast<TnSeq1D &>(sequence), request, *output, io);
    }
    return ExitSuccess;
}

} // namespace vesk::cli
