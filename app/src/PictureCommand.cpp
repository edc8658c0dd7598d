// The chart menu and its Save Picture command: the chart drawn into a PNG,
// SVG or PDF file by the chosen type, at the chart's size or the one typed.
#include "MainWindow.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"

#include <QAction>
#include <QFile>
#include <QMenu>

void TForm_VeskMain::ShowChartMenu(TChart &chart, const QPointF &globalPosition)
{
    FMenuChart = &chart;
    FWidgets.ChartPopup->popup(globalPosition.toPoint());
}

void TForm_VeskMain::CommandSavePicture()
{
    if (FMenuChart == nullptr) return;
    TChart &chart = *FMenuChart;
    const TPictureAnswer answer = FDialogs->PictureFileName(chart.size());
    if (answer.FileName.isEmpty()) return;
    const TPictureFormat formats[] = {TPictureFormat::Png, TPictureFormat::Svg, TPictureFormat::Pdf};
    const TPictureFormat format = formats[answer.FilterIndex >= 1 && answer.FilterIndex <= 3 ? answer.FilterIndex - 1 : 0];
    const TPictureResult result =
        SaveChartPicture(chart, QFile::encodeName(answer.FileName).toStdString(), format, answer.Size);
    if (!result.Written)
        ShowMessage(QStringLiteral("Ошибка при сохранении рисунка %1\nCould not write the picture to %1: %2.")
                        .arg(answer.FileName, QString::fromLocal8Bit(result.Reason.c_str())));
}
