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

// Draws the chart at the size into the file. The picture goes to a new file
// beside the target, which replaces the target only once it is complete, so
// a failed write leaves an existing file as it was. False when the size is
// empty or the file cannot be written.
bool SaveChartPicture(QCustomPlot &chart, const QString &fileName, TPictureFormat format, const QSize &size);
