#include "command_support.h"

#include "output_checks.h"
#include "temporary_cleanup.h"
#include "value_parsing.h"

#include "documents/DataDocuments.h"
#include "documents/VeskObjects.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <unistd.h>

namespace vesk::cli {

const char *const AppendHelp =
    "  --append FILE          append a further .d2d file (repeatable): a roll-along spread\n"
    "                         of the same array type, or the other half of a forward/reverse\n"
    "                         pole-dipole pair\n";

const char *const FilterHelp =
    "Filters (2D data; each switches on the filter of the same name):\n"
    "  --quality MAX          reject measurements whose Q [%] is above MAX\n"
    "  --voltage MIN:MAX      keep U [mV] within MIN..MAX\n"
    "  --current MIN:MAX      keep I [mA] within MIN..MAX\n"
    "  --resistivity MIN:MAX  keep Rho [Ohm*m] within MIN..MAX\n"
    "  --chargeability MIN:MAX  keep C [ms] within MIN..MAX\n"
    "  --sliding-average WIDTH  smooth Rho and C along each level (WIDTH 3, 5, 7 or 9)\n";

Session::Session(std::ostream &errors, std::unique_ptr<TPlainHost> host) : FHost(std::move(host)), FStore(*FHost)
{
    FHost->SetMessageCallback([&errors](const std::string &text) { errors << text << std::endl; });
}

TCustomVeskObject &Session::Open(const std::string &fileName, TDocumentKind kind)
{
    bool loaded = false;
    TCustomVeskObject *document = FStore.CreateDocument(kind, fileName, &loaded);
    if (!loaded) {
        std::string text = "'" + fileName + "' could not be read as " + std::string(KindWord(kind));
        // A renamed file: its version byte tells what it is.
        const std::optional<uint8_t> version = FirstByteOf(fileName);
        const std::optional<TDocumentKind> looksLike = version ? DocumentKindFromVersionByte(*version) : std::nullopt;
        if (looksLike && *looksLike != kind) {
            text += "; it looks like " + std::string(KindDescription(*looksLike)) + ": add --kind " +
                    std::string(KindWord(*looksLike)) + " to open it as such";
        }
        throw DocumentFailure(text);
    }
    return *document;
}

TCustomVeskObject &Session::Create(TDocumentKind kind)
{
    bool generated = false;
    TCustomVeskObject *document = FStore.CreateDocument(kind, {}, &generated);
    if (!generated) throw DocumentFailure("the default design could not be generated");
    return *document;
}

namespace {

constexpr double MaxQualityPercent = 100.0;

constexpr std::pair<std::string_view, TDocumentKind> KindWords[] = {
    {"s1d", TDocumentKind::Seq1D},  {"s2d", TDocumentKind::Seq2D},  {"d1d", TDocumentKind::Data1D},
    {"d2d", TDocumentKind::Data2D}, {"d0d", TDocumentKind::Data0D},
};

std::string Lowered(std::string_view text)
{
    std::string result;
    for (const char c : text) result += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

TnData2D *AsData2D(TCustomVeskObject &document)
{
    return document.Kind() == TDocumentKind::Data2D ? static_cast<TnData2D *>(&document) : nullptr;
}

} // namespace

TDocumentKind ResolveKind(const std::string &fileName, const std::optional<std::string> &kindOption)
{
    if (kindOption) {
        const std::string wanted = Lowered(*kindOption);
        for (const auto &[word, kind] : KindWords) {
            if (word == wanted) return kind;
        }
        throw UsageError("--kind: unknown kind '" + *kindOption + "' (one of: s1d, s2d, d1d, d2d, d0d)");
    }
    if (const std::optional<TDocumentKind> kind = DocumentKindFromExtension(fileName)) return *kind;
    throw UsageError("cannot tell the kind of '" + fileName +
                     "' from its extension; name it with --kind s1d|s2d|d1d|d2d|d0d");
}

std::string_view KindWord(TDocumentKind kind)
{
    for (const auto &[word, k] : KindWords) {
        if (k == kind) return word;
    }
    return {};
}

void AppendFiles(const ParsedArguments &arguments, TCustomVeskObject &document)
{
    const std::vector<std::string> files = arguments.Values(AppendOption.name);
    if (files.empty()) return;
    TnData2D *data = AsData2D(document);
    if (data == nullptr) throw UsageError("--append: only 2D data (.d2d) can be appended to");
    for (const std::string &file : files) {
        bool loaded = false;
        if (!data->AppendFile(file, &loaded)) {
            if (!loaded) throw DocumentFailure("'" + file + "' was not appended (the reason is above)");
            throw DocumentFailure("'" + file +
                                  "' was not appended: it must load as 2D data and be a roll-along spread of the "
                                  "same array type, or the other half of a forward/reverse pole-dipole pair");
        }
    }
}

bool ApplyFilterOptions(const ParsedArguments &arguments, TCustomVeskObject &document)
{
    bool any = false;
    for (const OptionDefinition &option : FilterOptions) any = any || arguments.Has(option.name);
    if (!any) return false;
    TnData2D *data = AsData2D(document);
    if (data == nullptr) throw UsageError("the data filters apply to 2D data (.d2d) only");

    TFilterDetails &filters = data->ArrayDetails().FilterDetails;
    if (const auto value = arguments.Value("quality")) {
        filters.QualityFilter = true;
        filters.QualityThreshold = ParseNumber(*value, "--quality");
        if (filters.QualityThreshold < 0.0 || filters.QualityThreshold > MaxQualityPercent) {
            throw UsageError("--quality: '" + *value + "' is outside 0 to 100 %");
        }
    }
    const auto range = [&](std::string_view name, bool &flag, double &minimum, double &maximum) {
        if (const auto value = arguments.Value(name)) {
            const NumberRange bounds = ParseRange(*value, "--" + std::string(name));
            // The readings and the values made of them are never negative.
            if (bounds.minimum < 0.0 || bounds.maximum < 0.0) {
                throw UsageError("--" + std::string(name) + ": '" + *value + "' has a bound below 0");
            }
            flag = true;
            minimum = bounds.minimum;
            maximum = bounds.maximum;
        }
    };
    range("voltage", filters.VoltageFilter, filters.VoltageMin, filters.VoltageMax);
    range("current", filters.CurrentFilter, filters.CurrentMin, filters.CurrentMax);
    range("resistivity", filters.ResistivityFilter, filters.ResistivityMin, filters.ResistivityMax);
    range("chargeability", filters.ChargeabilityFilter, filters.ChargeabilityMin, filters.ChargeabilityMax);
    if (const auto value = arguments.Value("sliding-average")) {
        const auto width = ParseWholeNumber(*value, "--sliding-average", 3, 9);
        if (width % 2 == 0) throw UsageError("--sliding-average: the window width is 3, 5, 7 or 9");
        filters.SlidingAverage = true;
        filters.WindowWidth = static_cast<int32_t>(width);
    }
    // As after an edit of the inspector page: the page shows the settings
    // (window-less documents have none) and the filters run on the update.
    data->FillInspector();
    data->Update();
    return true;
}

uint32_t MeasurementsWritten(TCustomVeskObject &document)
{
    if (TnData2D *data = AsData2D(document)) {
        const TMeasurements2D &list = data->Measurements();
        uint32_t count = 0;
        for (uint32_t i = 0; i < list.Count; ++i) count += list.IsShown(i) && list.PassesFilter(i) ? 1 : 0;
        return count;
    }
    return document.MeasurementsCustom().Count;
}

void RequireMeasurementsLeft(TCustomVeskObject &document)
{
    if (AsData2D(document) != nullptr && MeasurementsWritten(document) == 0) {
        throw DocumentFailure("no measurement passes the filters; nothing written");
    }
}

void ApplyCoordsOption(const ParsedArguments &arguments, TCustomVeskObject &document)
{
    const auto value = arguments.Value(CoordsOption.name);
    if (!value) return;
    bool metres = true;
    if (*value == "metres" || *value == "meters") {
        metres = true;
    } else if (*value == "numbers") {
        metres = false;
    } else {
        throw UsageError("--coords: '" + *value + "' is neither 'metres' nor 'numbers'");
    }
    if (document.Kind() != TDocumentKind::Seq2D && document.Kind() != TDocumentKind::Data2D) {
        throw UsageError("--coords applies to 2D documents only");
    }
    static_cast<TVeskObject2D &>(document).Measurements().CoordInMeters = metres;
}

bool WriteOutput(const std::string &output, std::ostream &standardOutput,
                 const std::function<bool(const std::string &path)> &write)
{
    if (output != "-") return write(output);
    RegisteredTemporary temporary;
    if (temporary.Path().empty()) throw std::runtime_error("cannot create a temporary file");
    if (!write(temporary.Path())) return false;
    std::ifstream in(temporary.Path(), std::ios::binary);
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) standardOutput.write(buffer, in.gcount());
    standardOutput.flush();
    return static_cast<bool>(standardOutput);
}

} // namespace vesk::cli
