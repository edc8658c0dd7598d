// vesk info FILE: what the document holds after loading.
#include "command_support.h"
#include "commands.h"
#include "info_texts.h"
#include "output_checks.h"
#include "text_table.h"
#include "value_parsing.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskObjects.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <ostream>

namespace vesk::cli {

namespace {

const char *const InfoHelp =
    "Usage: vesk info FILE [--kind s1d|s2d|d1d|d2d|d0d] [--first N] [--coords metres|numbers]\n"
    "\n"
    "Loads FILE as the program opens it and shows what the document holds: kind,\n"
    "file name, version, count, array type, the design (unit spacing, origin, spacing\n"
    "groups, cables; the groups of a sounding), the measurement settings and the\n"
    "first measurements.\n"
    "\n"
    "  --kind KIND      open the file as this kind instead of the one its extension names\n"
    "  --first N        number of measurements to list (default 10; 0 lists none)\n"
    "  --coords MODE    electrode positions of 2D documents in metres (default) or as\n"
    "                   electrode numbers\n";

constexpr OptionDefinition InfoOptions[] = {KindOption, {"first", '\0', true, false}, CoordsOption};

constexpr int64_t DefaultListed = 10;

void Line(std::ostream &out, std::string_view caption, const std::string &value)
{
    out << caption << ": " << value << "\n";
}

// The version byte of the file, read directly (the documents do not keep it).
std::string VersionText(const std::string &fileName)
{
    const std::optional<uint8_t> version = FirstByteOf(fileName);
    if (!version) return "?";
    const std::string_view name = texts::FileVersionName(*version);
    return std::to_string(*version) + (name.empty() ? "" : " (" + std::string(name) + ")");
}

std::string ArrayTypeText(uint8_t code)
{
    const std::string_view name = ArrayTypeName(code);
    return name.empty() ? "code " + std::to_string(code) : std::string(name);
}

std::string CommentText(const TCommentBlock &comment)
{
    std::string text;
    for (const uint8_t c : comment) {
        if (c == 0) break;
        text += static_cast<char>(c);
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string CableText(const TnCable &cable, uint32_t firstElectrode)
{
    std::string disabled;
    int32_t enabled = 0;
    for (int32_t i = 0; i < cable.Count; ++i) {
        if (cable.IsEnabled(i)) {
            ++enabled;
        } else {
            disabled += (disabled.empty() ? "" : ", ") + std::to_string(firstElectrode + static_cast<uint32_t>(i));
        }
    }
    std::string text = std::to_string(enabled) + " of " + std::to_string(cable.Count) + " enabled";
    if (!disabled.empty()) text += "; disabled: " + disabled;
    return text;
}

// The groups to show: a 1D header's group count byte may name more groups
// than the four its records hold; only those that were read are shown.
std::size_t ShownGroupCount(uint32_t groupCount, std::initializer_list<std::size_t> arraySizes)
{
    return std::min<std::size_t>(groupCount, std::min(arraySizes));
}

void PrintDesign2D(std::ostream &out, const TArrayDetails2D &details, bool sequence)
{
    Line(out, texts::ArrayType, ArrayTypeText(details.ArrayType));
    Line(out, texts::SequenceType,
         details.SequenceType < SequenceTypeNames.size() ? std::string(SequenceTypeNames[details.SequenceType])
                                                         : std::to_string(details.SequenceType));
    Line(out, texts::UnitSpacing, Short(details.UnitSpacingMetres()));
    Line(out, texts::Origin, Short(details.OriginMetres()));
    for (std::size_t g = 0; g < ShownGroupCount(details.GroupCount, {details.SpacingFactors.size(),
                                                                     details.LevelCounts.size(),
                                                                     details.LevelSteps.size(),
                                                                     details.OverlapCounts.size()});
         ++g) {
        std::string text = std::string(texts::Spacing2D) + " " + std::to_string(details.SpacingFactors[g]) + " x A, " +
                           std::string(texts::Levels) + " " + std::to_string(details.LevelCounts[g]) + ", " +
                           std::string(texts::LevelStep) + " " + std::to_string(details.LevelSteps[g]) + ", " +
                           std::string(texts::StartLevel) + " " + std::to_string(details.OverlapCounts[g]);
        if (sequence && g < details.GroupCounts.size()) {
            text += " (" + std::to_string(details.GroupCounts[g]) + " measurements)";
        }
        Line(out, std::string(texts::SpacingGroup) + std::to_string(g + 1), text);
    }
    Line(out, texts::Cable1, CableText(details.Cable1, 1));
    Line(out, texts::Cable2, CableText(details.Cable2, 25));
    if (details.MixedPoleDipole) Line(out, texts::MixedPoleDipole, "yes");
}

void PrintDesign1D(std::ostream &out, const TArrayDetails1D &details)
{
    Line(out, texts::ArrayType, ArrayTypeText(details.ArrayType));
    const bool geometric = details.IncrementType == IncrementTypeGeometric;
    Line(out, texts::IncrementType,
         details.IncrementType < IncrementTypeNames.size() ? std::string(IncrementTypeNames[details.IncrementType])
                                                           : std::to_string(details.IncrementType));
    for (std::size_t g = 0; g < ShownGroupCount(details.GroupCount, {details.Spacings.size(),
                                                                     details.Increments.size(),
                                                                     details.LevelCounts.size(),
                                                                     details.OverlapCounts.size()});
         ++g) {
        // The file holds these as 64-bit floats: shown in full.
        std::string text = std::string(texts::Spacing1D) + " " + Exact(details.Spacings[g]) + ", " +
                           std::string(geometric ? texts::Factor : texts::Increment) + " " +
                           Exact(details.Increments[g]) + ", " + std::string(texts::Levels) + " " +
                           std::to_string(details.LevelCounts[g]);
        if (g > 0) text += ", " + std::string(texts::Overlaps) + " " + std::to_string(details.OverlapCounts[g]);
        Line(out, std::string(texts::SpacingGroup) + std::to_string(g + 1), text);
    }
}

void PrintSettings(std::ostream &out, const TMeasurementsCustom &list)
{
    out << texts::MeasurementDetails << ":\n";
    Line(out, "  " + std::string(texts::StdDev), std::to_string(list.StdDevPercent()));
    Line(out, "  " + std::string(texts::MinStacking), std::to_string(list.MinStacking()));
    Line(out, "  " + std::string(texts::MaxStacking), std::to_string(list.MaxStacking()));
    const std::string_view ip = texts::InducedPolarizationLine(list.IPCode());
    Line(out, "  " + std::string(texts::InducedPolarization),
         ip.empty() ? "code " + std::to_string(list.IPCode()) : std::string(ip));
    const std::string power = texts::TxPowerLine(list.TxPowerCode());
    Line(out, "  " + std::string(texts::TxPower), power.empty() ? "code " + std::to_string(list.TxPowerCode()) : power);
}

std::string Position(const TMeasurements2D &list, double value, uint32_t electrode)
{
    if (electrode == 0) return "-";
    return list.CoordInMeters ? Fixed(value, 2) : std::to_string(electrode);
}

void PrintRange(std::ostream &out, std::string_view caption, double minimum, double maximum, bool any)
{
    if (any) Line(out, caption, Fixed(minimum, 2) + " to " + Fixed(maximum, 2));
}

void PrintUsed(std::ostream &out, const TMeasurementsCustom &list, uint32_t count)
{
    uint32_t shown = 0;
    for (uint32_t i = 0; i < count; ++i) shown += list.IsShown(i) ? 1 : 0;
    Line(out, texts::UsedColumn, std::to_string(shown) + " of " + std::to_string(count));
}

void PrintListedCaption(std::ostream &out, uint32_t listed, uint32_t count)
{
    out << texts::FirstMeasurements << " (" << listed << " of " << count << "):\n";
}

void PrintSequence2D(std::ostream &out, TnSeq2D &document, uint32_t first)
{
    const TMeasurements2D &list = document.Measurements();
    out << texts::CountText(list.Count) << "\n" << texts::DurationText2D(list.Count) << "\n";
    PrintDesign2D(out, document.ArrayDetails(), true);
    const uint32_t listed = std::min(first, list.Count);
    if (listed == 0) return;
    const bool metres = list.CoordInMeters;
    TextTable table({std::string(texts::NumberColumn), texts::ElectrodeColumn('A', metres),
                     texts::ElectrodeColumn('M', metres), texts::ElectrodeColumn('N', metres),
                     texts::ElectrodeColumn('B', metres), std::string(texts::MidPointColumn),
                     std::string(texts::PseudoDepthColumn)});
    for (uint32_t i = 0; i < listed; ++i) {
        table.AddRow({std::to_string(i + 1), Position(list, list.ElectrodeA(i), list.A[i]),
                      Position(list, list.ElectrodeM(i), list.M[i]), Position(list, list.ElectrodeN(i), list.N[i]),
                      Position(list, list.ElectrodeB(i), list.B[i]), Fixed(list.MidPoint(i), 2),
                      Fixed(list.PseudoDepth(i), 2)});
    }
    PrintListedCaption(out, listed, list.Count);
    table.Print(out);
}

void PrintSequence1D(std::ostream &out, TnSeq1D &document, uint32_t first)
{
    const TMeasurements1D &list = document.Measurements();
    out << texts::CountText(list.Count) << "\n" << texts::DurationText1D() << "\n";
    PrintDesign1D(out, document.ArrayDetails());
    const uint32_t listed = std::min(first, list.Count);
    if (listed == 0) return;
    const auto [halfAB, halfMN] = texts::SoundingAxisTitles(document.ArrayDetails().ArrayType);
    TextTable table({std::string(texts::NumberColumn), std::string(halfAB), std::string(halfMN),
                     std::string(texts::GeometricFactorColumn)});
    for (uint32_t i = 0; i < listed; ++i) {
        table.AddRow({std::to_string(i + 1), Short(list.HalfABMetres(i)), Short(list.HalfMNMetres(i)),
                      Fixed(list.GeometricFactor1D(i), 2)});
    }
    PrintListedCaption(out, listed, list.Count);
    table.Print(out);
}

void PrintData2D(std::ostream &out, TnData2D &document, uint32_t first)
{
    const TMeasurements2D &list = document.Measurements();
    Line(out, texts::Count, std::to_string(list.Count));
    PrintDesign2D(out, document.ArrayDetails(), false);
    PrintSettings(out, list);
    PrintUsed(out, list, list.Count);
    double minimum = 0.0, maximum = 0.0;
    bool any = false;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.IsShown(i) || list.Current[i] == 0) continue;
        const double rho = list.ApparentResistivity(i);
        minimum = any ? std::min(minimum, rho) : rho;
        maximum = any ? std::max(maximum, rho) : rho;
        any = true;
    }
    PrintRange(out, texts::ResistivityColumn, minimum, maximum, any);

    const uint32_t listed = std::min(first, list.Count);
    if (listed == 0) return;
    const bool metres = list.CoordInMeters;
    TextTable table({std::string(texts::NumberColumn), std::string(texts::UsedColumn),
                     std::string(texts::PseudoDepthColumn), texts::ElectrodeColumn('A', metres),
                     texts::ElectrodeColumn('M', metres), texts::ElectrodeColumn('N', metres),
                     texts::ElectrodeColumn('B', metres), std::string(texts::ResistivityColumn),
                     std::string(texts::ChargeabilityColumn), std::string(texts::VoltageColumn),
                     std::string(texts::CurrentColumn), std::string(texts::QualityColumn)});
    for (uint32_t i = 0; i < listed; ++i) {
        table.AddRow({std::to_string(list.Number[i]), list.IsShown(i) ? "yes" : "no", Fixed(list.PseudoDepth(i), 2),
                      Position(list, list.ElectrodeA(i), list.A[i]), Position(list, list.ElectrodeM(i), list.M[i]),
                      Position(list, list.ElectrodeN(i), list.N[i]), Position(list, list.ElectrodeB(i), list.B[i]),
                      Fixed(list.ShownResistivity(i), 2), Fixed(list.ShownChargeability(i), 3),
                      Fixed(list.VoltageMV(i), 3), Fixed(list.CurrentMA(i), 3), Fixed(list.QualityPercent(i), 3)});
    }
    PrintListedCaption(out, listed, list.Count);
    table.Print(out);
}

void PrintData1D(std::ostream &out, TnData1D &document, uint32_t first)
{
    const TMeasurements1D &list = document.Measurements();
    Line(out, texts::Count, std::to_string(list.Count));
    PrintDesign1D(out, document.ArrayDetails());
    PrintSettings(out, list);
    PrintUsed(out, list, list.Count);
    double minimum = 0.0, maximum = 0.0;
    bool any = false;
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (!list.IsShown(i) || list.Current[i] == 0) continue;
        const double rho = list.ApparentResistivity1D(i);
        minimum = any ? std::min(minimum, rho) : rho;
        maximum = any ? std::max(maximum, rho) : rho;
        any = true;
    }
    PrintRange(out, texts::ResistivityColumn, minimum, maximum, any);

    const uint32_t listed = std::min(first, list.Count);
    if (listed == 0) return;
    const auto [halfAB, halfMN] = texts::SoundingAxisTitles(document.ArrayDetails().ArrayType);
    TextTable table({std::string(texts::NumberColumn), std::string(texts::UsedColumn), std::string(halfAB),
                     std::string(halfMN), std::string(texts::ChargeabilityColumn), std::string(texts::VoltageColumn),
                     std::string(texts::CurrentColumn), std::string(texts::QualityColumn),
                     std::string(texts::ResistanceColumn), std::string(texts::GeometricFactorColumn),
                     std::string(texts::ResistivityColumn)});
    for (uint32_t i = 0; i < listed; ++i) {
        table.AddRow({std::to_string(i + 1), list.IsShown(i) ? "yes" : "no", Short(list.HalfABMetres(i)),
                      Short(list.HalfMNMetres(i)), Fixed(list.ChargeabilityMS(i), 3), Fixed(list.VoltageMV(i), 3),
                      Fixed(list.CurrentMA(i), 3), Fixed(list.QualityPercent(i), 3), Fixed(list.Resistance(i), 2),
                      Fixed(list.GeometricFactor1D(i), 2), Fixed(list.ApparentResistivity1D(i), 2)});
    }
    PrintListedCaption(out, listed, list.Count);
    table.Print(out);
}

void PrintData0D(std::ostream &out, TnData0D &document, uint32_t first)
{
    const TMeasurements1D &list = document.Measurements();
    Line(out, texts::Count, std::to_string(list.Count));
    PrintSettings(out, list);
    const uint32_t listed = std::min(first, list.Count);
    if (listed == 0) return;
    TextTable table({std::string(texts::NumberColumn), std::string(texts::ChargeabilityColumn),
                     std::string(texts::VoltageColumn), std::string(texts::CurrentColumn),
                     std::string(texts::QualityColumn), std::string(texts::ResistanceColumn)});
    for (uint32_t i = 0; i < listed; ++i) {
        table.AddRow({std::to_string(i + 1), Fixed(list.ChargeabilityMS(i), 3), Fixed(list.VoltageMV(i), 3),
                      Fixed(list.CurrentMA(i), 3), Fixed(list.QualityPercent(i), 3), Fixed(list.Resistance(i), 2)});
    }
    PrintListedCaption(out, listed, list.Count);
    table.Print(out);
}

} // namespace

int RunInfo(std::span<const std::string> arguments, CommandIo io)
{
    const ParsedArguments parsed = ParseArguments(arguments, InfoOptions);
    if (parsed.HelpWanted()) {
        io.out << InfoHelp;
        return ExitSuccess;
    }
    RequirePositionalCount(parsed, 1, 1, "the file to show");
    const std::string &fileName = parsed.Positional().front();
    const TDocumentKind kind = ResolveKind(fileName, parsed.Value(KindOption.name));
    const auto first = static_cast<uint32_t>(
        parsed.Has("first") ? ParseWholeNumber(*parsed.Value("first"), "--first", 0, UINT32_MAX) : DefaultListed);

    Session session(io.err);
    TCustomVeskObject &document = session.Open(fileName, kind);
    ApplyCoordsOption(parsed, document);

    io.out << document.Name << "\n";
    Line(io.out, texts::File, document.ArrayDetailsCustom().FileName);
    Line(io.out, texts::Version, VersionText(fileName));
    if (kind != TDocumentKind::Data0D) {
        const std::string comment = CommentText(document.ArrayDetailsCustom().Comment);
        if (!comment.empty()) Line(io.out, texts::Comment, comment);
    }
    switch (kind) {
    case TDocumentKind::Seq2D:
        PrintSequence2D(io.out, static_cast<TnSeq2D &>(document), first);
        break;
    case TDocumentKind::Seq1D:
        PrintSequence1D(io.out, static_cast<TnSeq1D &>(document), first);
        break;
    case TDocumentKind::Data2D:
        PrintData2D(io.out, static_cast<TnData2D &>(document), first);
        break;
    case TDocumentKind::Data1D:
        PrintData1D(io.out, static_cast<TnData1D &>(document), first);
        break;
    case TDocumentKind::Data0D:
        PrintData0D(io.out, static_cast<TnData0D &>(document), first);
        break;
    }
    return ExitSuccess;
}

} // namespace vesk::cli
