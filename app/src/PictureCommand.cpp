// The chart menu and its Save Picture command: the chart drawn into a PNG,
// SVG or PDF file by the chosen type, at the chart's size or the one typed.
#include "MainWindow.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"

#include "documents/VeskObjects.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

void TForm_VeskMain::ShowChartMenu(TChart &chart, const QPointF &globalPosition)
{
    FMenuChart = &chart;
    FWidgets.ChartPopup->popup(globalPosition.toPoint());
}

QString TForm_VeskMain::PictureTitle()
{
    TCustomVeskObject *document = SelectedDocument();
    if (document == nullptr) return {};
    const QString path = QFile::decodeName(QByteArray::fromStdString(document->ArrayDetailsCustom().FileName));
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? QString::fromStdString(document->Name) : name;
}

void TForm_VeskMain::CommandSavePicture()
{
    if (FMenuChart == nullptr) return;
    TChart &chart = *FMenuChart;
    const TPictureAnswer answer = FDialogs->PictureFileName(chart.size());
    if (answer.FileName.isEmpty()) return;
    const TPictureTarget target = PictureTarget(answer.FileName, answer.FilterIndex);
    const TPictureFormat formats[] = {TPictureFormat::Png, TPictureFormat::Svg, TPictureFormat::Pdf};
    const TPictureFormat format = formats[target.FilterIndex - 1];
    const TPictureResult result = SaveChartPicture(chart, QFile::encodeName(target.FileName).toStdString(), format,
                                                   answer.Size, PictureTitle());
    if (!result.Written)
        ShowMessage(QStringLiteral("Ошибка при сохранении рисунка %1\nCould not write the picture to %1: %2.")
                        .arg(target.FileName, QString::fromLocal8Bit(result.Reason.c_str())));
}
