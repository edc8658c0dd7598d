#include "documents/VeskConstants.h"

#include "survey/VeskTypes.h"

#include <cctype>

namespace {

struct TKindNames {
    TDocumentKind Kind;
    std::string_view TreeNodePrefix;
    std::string_view Extension;
    std::string_view Description;
    // The version bytes of the kind's files: current and old format, and the
    // instrument's own 2D data format.
    std::array<uint8_t, 3> Versions;
};

constexpr std::array<TKindNames, 5> KindNames{{
    {TDocumentKind::Seq1D, "Sequence 1D #", ".s1d", "a 1D sequence", {210, 110, 0}},
    {TDocumentKind::Seq2D, "Sequence 2D #", ".s2d", "a 2D sequence", {220, 120, 0}},
    {TDocumentKind::Data1D, "Data 1D #", ".d1d", "1D data", {211, 111, 0}},
    {TDocumentKind::Data2D, "Data 2D #", ".d2d", "2D data", {122, 121, 221}},
    {TDocumentKind::Data0D, "Data 0D #", ".d0d", "0D data", {201, 101, 0}},
}};

const TKindNames &NamesOf(TDocumentKind kind)
{
    return KindNames[static_cast<std::size_t>(kind) - 1];
}

bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::optional<TDocumentKind> DocumentKindFromNumber(int32_t number)
{
    if (number < 1 || number > static_cast<int32_t>(KindNames.size()))
        return std::nullopt;
    return static_cast<TDocumentKind>(number);
}

std::optional<TDocumentKind> DocumentKindFromExtension(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const std::string_view extension = fileName.substr(dot);
    if (extension.find('/') != std::string_view::npos || extension.find('\\') != std::string_view::npos)
        return std::nullopt;
    for (const TKindNames &names : KindNames)
        if (EqualIgnoringCase(extension, names.Extension))
            return names.Kind;
    return std::nullopt;
}

std::string_view TreeNodePrefix(TDocumentKind kind)
{
    return NamesOf(kind).TreeNodePrefix;
}

std::string_view FileExtension(TDocumentKind kind)
{
    return NamesOf(kind).Extension;
}

uint32_t Res2DInvSubArrayCode(uint32_t arrayType)
{
    switch (arrayType) {
    case ArrayTypeCode::Wenner:
        return 1;
    case ArrayTypeCode::Schlumberger:
        return 7;
    case ArrayTypeCode::DipoleDipole:
        return 3;
    case ArrayTypeCode::FwdPoleDipole:
        return 6;
    case ArrayTypeCode::PolePole:
        return 2;
    default:
        return 0;
    }
}

std::optional<TDocumentKind> DocumentKindFromVersionByte(uint8_t version)
{
    if (version == 0)
        return std::nullopt;
    for (const TKindNames &names : KindNames)
        for (const uint8_t v : names.Versions)
            if (v == version)
                return names.Kind;
    return std::nullopt;
}

std::string_view KindDescription(TDocumentKind kind)
{
    return NamesOf(kind).Description;
}
