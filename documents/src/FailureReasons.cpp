#include "FailureReasons.h"

#include <array>
#include <string_view>

namespace FailureReasons {

namespace {

// Reasons of codes 201 to 207, in code order; empty where the code is unused.
using TReasons = std::array<std::string_view, 7>;

constexpr TReasons Seq2DWrite{"the design has no measurements",
                              "its array type cannot be saved in a 2D file",
                              "its sequence type is unknown",
                              "the unit spacing is 0",
                              "it has no spacing group",
                              "a measurement's electrodes do not fit its array type",
                              ""};
constexpr TReasons Data2DWrite{"it has no measurements",
                               "its array type (Equat. Dipole Dipole or Custom) cannot be saved in a 2D data file",
                               "its sequence type is unknown",
                               "the unit spacing is 0",
                               "it has no spacing group",
                               "a measurement's electrodes do not fit its array type",
                               ""};
constexpr TReasons Sounding1DWrite{"it has no measurements",
                                   "its array type cannot be saved in a 1D file",
                                   "its increment type is unknown",
                                   "it has no spacing group, or more than four",
                                   "its measurements do not match the levels of its spacing groups",
                                   "an increment of a spacing group is 0",
                                   "a spacing group has 0 levels"};
constexpr TReasons Generate2D{"its array type has no 2D sequence",
                              "its sequence type is unknown",
                              "it has no spacing group",
                              "a spacing group's spacing is 0",
                              "a spacing group has 0 levels",
                              "a spacing group's level step is 0",
                              "a spacing group's start level is 0"};
constexpr TReasons Generate1D{"its array type has no 1D sequence",
                              "its increment type is unknown",
                              "it has more spacing groups than its array type allows, or none",
                              "a first spacing is not above 0",
                              "an increment is not above 0 (not above 1 for geometric increments)",
                              "a spacing group has 0 levels",
                              "an overlap exceeds the levels of the group before"};

std::string_view Reason(const TReasons &reasons, uint8_t code)
{
    if (code < 201 || code > 207)
        return {};
    return reasons[static_cast<std::size_t>(code - 201)];
}

} // namespace

std::string SaveRefusedLine(TDocumentKind kind, uint8_t code, const std::string &fileName)
{
    std::string_view reason;
    switch (kind) {
    case TDocumentKind::Seq2D: reason = Reason(Seq2DWrite, code); break;
    case TDocumentKind::Data2D: reason = Reason(Data2DWrite, code); break;
    case TDocumentKind::Seq1D:
    case TDocumentKind::Data1D: reason = Reason(Sounding1DWrite, code); break;
    case TDocumentKind::Data0D: break;
    }
    if (reason.empty())
        return {};
    return "cannot save '" + fileName + "': " + std::string(reason);
}

std::string GenerateRefusedLine(TDocumentKind kind, uint8_t code)
{
    const std::string_view reason =
        kind == TDocumentKind::Seq2D ? Reason(Generate2D, code)
        : kind == TDocumentKind::Seq1D ? Reason(Generate1D, code)
                                       : std::string_view();
    if (reason.empty())
        return {};
    return "cannot generate the sequence: " + std::string(reason);
}

} // namespace FailureReasons
