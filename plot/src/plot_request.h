// What `vesk plot` is asked to draw: the inputs with the picture each one
// gets, the picture format and size, and the 2D data chart settings. Read
// from the command line and checked before anything is opened or written.
#pragma once

#include "argument_parser.h"

#include "section_inversion_options.h"

#include "controls/ChartPicture.h"
#include "documents/VeskConstants.h"

#include <QSize>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vesk::plot {

// One input document and the picture it becomes ("-": standard output).
struct PlotJob {
    std::string input;
    TDocumentKind kind = TDocumentKind::Data2D;
    std::string output;
};

// Settings of the 2D data chart; each unset one keeps the program's default.
struct Data2DChartSettings {
    std::optional<int32_t> diagram;       // a TVisibleDiagram
    std::optional<uint32_t> values;       // ValuesToShowResistivity or ValuesToShowChargeability
    std::optional<int32_t> approximation; // a TApproximationType
    std::optional<double> radius;         // inverse-distance radius in unit spacings
    std::optional<int32_t> palette;       // a TMapPalette
    std::optional<bool> logarithmicColours;
    std::optional<int32_t> limits;        // a TMapLimits
    double limitMinimum = 0, limitMaximum = 0; // the range of fixed limits
    bool maskToData = false;
};

// Logarithmic axes of the chart (every kind; 2D data in the sounding-curve
// and signal diagrams); unset keeps the program's linear axes.
struct LogAxes {
    bool x = false;
    bool y = false;
};

// The inverted model drawn on a 1D data chart (--model).
struct ModelSettings {
    bool smooth = false;
    int layers = 3;
};

struct PlotRequest {
    std::vector<PlotJob> jobs;
    TPictureFormat format = TPictureFormat::Png;
    QSize size;
    Data2DChartSettings chart;
    std::optional<LogAxes> logAxes;
    std::optional<ModelSettings> model;
    // The section inversion of the model-section and misfit diagrams, and
    // where its model is written too (empty: nowhere).
    cli::SectionInversionSettings section;
    std::string modelOutput;
    // The outputs were named by vesk plot, not the user: each is reported.
    bool reportOutputs = false;
};

inline constexpr int DefaultPictureWidth = 1000;
inline constexpr int DefaultPictureHeight = 700;

// The options of the command (with those of the data filters, --append and
// --kind).
std::span<const cli::OptionDefinition> PlotOptions();
extern const char *const PlotHelp;

// Checks the command line and works out every picture's name. Throws
// cli::UsageError for anything that cannot be carried out as written.
PlotRequest ReadPlotRequest(const cli::ParsedArguments &arguments);

// The file extension of the format: ".png", ".svg" or ".pdf".
std::string PictureExtension(TPictureFormat format);

} // namespace vesk::plot
