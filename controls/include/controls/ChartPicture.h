// Pictures of a chart in a file: PNG (pixels), SVG and PDF (vector), drawn
// at a given size exactly as the chart draws itself, legend included.
#pragma once

#include <QSize>
#include <QString>

class QCustomPlot;

enum class TPictureFormat { Png, Svg, Pdf };

// The largest side of a picture, in pixels: a 10000 x 10000 PNG takes 400 MB
// while it is drawn.
inline constexpr int LargestPictureSide = 10000;

// How much larger than on screen text, markers and lines are drawn in a
// picture of the size, for a chart of screenSize: the picture's size over
// the screen's on the side that grows least, never below 1 (a picture no
// larger than the chart draws as the chart does).
double PictureScale(const QSize &size, const QSize &screenSize);

// Draws the chart at the size into the file, scaled by PictureScale against
// the chart's own size, so that a large picture is as legible as the chart.
// The picture goes to a new file beside the target, which replaces the
// target only once it is complete, so a failed write leaves an existing file
// as it was. title: the document title of SVG and PDF (empty: the chart's
// objectName). False when the size is empty or the file cannot be written.
bool SaveChartPicture(QCustomPlot &chart, const QString &fileName, TPictureFormat format, const QSize &size,
                      const QString &title = {});
