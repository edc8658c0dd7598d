// What `vesk invert FILE.d2d` and `vesk plot --diagram model-section|misfit`
// share: the inversion's options, its progress lines on standard error and
// the model files.
#pragma once

#include "argument_parser.h"

#include "inversion/SectionInversion.h"

#include <iosfwd>
#include <string>

namespace vesk::cli {

inline constexpr OptionDefinition SectionInversionOptions[] = {
    {"smoothing", '\0', true, false},
    {"robust", '\0', false, false},
    {"iterations", '\0', true, false},
    {"error-floor", '\0', true, false},
};
// The help lines of those options.
extern const char *const SectionInversionHelp;

struct SectionInversionSettings {
    inversion::TSectionInversionOptions options;
    double errorFloorPercent = 1.0;
};

// Reads the options; throws UsageError for a bad value.
SectionInversionSettings ReadSectionInversionSettings(const ParsedArguments &arguments);

// Whether any of the options was given.
bool HasSectionInversionOptions(const ParsedArguments &arguments);

// One line per iteration ("starting model: ...", "iteration N of at most M: ...").
void ReportSectionProgress(std::ostream &err, const inversion::TSectionProgress &progress);
// "converged after N iterations: RMS ..." or "stopped after ...".
void ReportSectionResult(std::ostream &err, const inversion::TSectionModel &model);

enum class SectionModelFormat { Csv, Vtk };

// The format an output name's extension names; throws UsageError naming the
// option when it is neither .csv nor .vtk.
SectionModelFormat SectionModelFormatOf(const std::string &output, const std::string &option);

// Writes the model through a file replacement; throws DocumentFailure with the
// system's reason when it cannot.
void WriteSectionModel(const std::string &output, const inversion::TSectionModel &model);

} // namespace vesk::cli
