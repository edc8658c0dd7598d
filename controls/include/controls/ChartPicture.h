// Pictures of a chart in a file: PNG (pixels), SVG and PDF (vector), drawn
// at a given size exactly as the chart draws itself, legend included.
#pragma once

#include <QByteArray>
#include <QSize>

#include <string>

class QCustomPlot;

enum class TPictureFormat { Png, Svg, Pdf };

// The largest side of a picture, in pixels: a 10000 x 10000 PNG takes 400 MB
// while it is drawn.
inline constexpr int LargestPictureSide = 10000;

// What became of a picture: written, or the reason it was not.
struct TPictureResult {
    bool Written = false;
    std::string Reason; // the system's reason, e.g. "No space left on device"
};

// How much larger than on screen text, markers and lines are drawn in a
// picture of the size, for a chart of screenSize: the picture's size over
// the screen's on the side that grows least, never below 1 (a picture no
// larger than the chart draws as the chart does).
double PictureScale(const QSize &size, const QSize &screenSize);

// The chart drawn at the size into the bytes of a picture file of the
// format, scaled by PictureScale against the chart's own size so that a
// large picture is as legible as the chart; empty when the size is empty or
// the drawing failed. title: the document title of SVG and PDF (empty: the
// chart's objectName).
QByteArray ChartPictureBytes(QCustomPlot &chart, TPictureFormat format, const QSize &size,
                             const QString &title = {});

// Writes the picture's bytes to the file named by `fileName` (the bytes of
// the name, as the system takes them). A regular file or a new name gets a
// new file beside it that replaces it only once every byte is on disk, so a
// failed write leaves an existing file as it was; a device or named pipe is
// written in place; a folder is refused.
TPictureResult WritePictureFile(const std::string &fileName, const QByteArray &bytes);

// Both: draws the chart and writes the picture.
TPictureResult SaveChartPicture(QCustomPlot &chart, const std::string &fileName, TPictureFormat format,
                                const QSize &size, const QString &title = {});
