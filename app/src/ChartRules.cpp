#include "ChartRules.h"

#include "MainWindow.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"

#include "documents/DataDocuments.h"
#include "documents/SequenceDocuments.h"
#include "presentation/GUICustom.h"
#include "presentation/GUIData2D.h"
#include "presentation/GridText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMouseEvent>
#include <cmath>

TChartRules::TChartRules(TForm_VeskMain &window) : QObject(&window), FWindow(window)
{
    const TMainWidgets &w = window.Widgets();
    connect(w.Data2DChart, &TChart::MouseMoved, this, &TChartRules::Data2DMouseMoved);
    connect(w.Data2DChart, &TChart::MousePressed, this, &TChartRules::Data2DMousePressed);
    connect(w.Data2DChart, &TChart::MouseReleased, this, &TChartRules::Data2DMouseReleased);
    connect(w.Seq2DChart, &TChart::MouseMoved, this, &TChartRules::Seq2DMouseMoved);
    connect(w.Data1DChart, &TChart::MouseMoved, this, &TChartRules::Data1DMouseMoved);
    connect(w.Data1DChart, &TChart::MousePressed, this, &TChartRules::Data1DMousePressed);
    connect(w.Data1DChart, &TChart::MouseReleased, this, &TChartRules::Data1DMouseReleased);
    connect(w.Seq1DChart, &TChart::MouseMoved, this, &TChartRules::Seq1DMouseMoved);
    for (TChart *chart : {w.Seq2DChart, w.Seq1DChart, w.Data0DChart})
        connect(chart, &TChart::MouseReleased, this, [this, chart](QMouseEvent *event) { ChartMouseReleased(*chart, event); });
    for (TChart *chart : {w.Seq2DChart, w.Data2DChart, w.Seq1DChart, w.Data1DChart, w.Data0DChart})
        connect(chart, &TChart::MouseLeft, this, &TChartRules::ChartLeft);
    // Panning the 2D data chart stops where an axis would reach 0 or below;
    // zooming is not limited.
    w.Data2DChart->SetPanFilter([](TAxisId, double minimum, double) { return minimum > 0; });

    connect(w.Data2DTable, &TGridView::Sorted, this, &TChartRules::Data2DSorted);
    connect(w.UnCheckSelected, &QAction::triggered, this, [this] { SetSelectedChecks(false); });
    connect(w.CheckSelected, &QAction::triggered, this, [this] { SetSelectedChecks(true); });
    connect(w.CopyToClipboard, &QAction::triggered, this, &TChartRules::CopySeq1DRows);
}

QString TChartRules::StatusNumber(double value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (std::fabs(value) >= 1e10) return locale.toString(value, 'g', 10);
    return locale.toString(value, 'f', 1);
}

int TChartRules::LabelledPointAt(std::initializer_list<TChartSeries *> series, const QPointF &pixel)
{
    for (TChartSeries *one : series) {
        if (one == nullptr) continue;
        const int index = one->PointAt(pixel);
        if (index < 0) continue;
        // Points without a label (a roll-along's base) name no measurement.
        bool number = false;
        const int value = one->Label(index).toInt(&number);
        return number ? value : 0;
    }
    return 0;
}

void TChartRules::Data2DMouseMoved(QMouseEvent *event)
{
    const TData2DChart &chart = FWindow.Widgets().Data2DSeries;
    const int number = LabelledPointAt({chart.Series_Points, chart.Series_d2d_Curves, chart.Series_d2d_AllProfileCurves},
                                       event->position());
    auto *data = dynamic_cast<TnData2D *>(FWindow.SelectedDocument());
    const Qt::KeyboardModifiers sweep = Qt::ShiftModifier | Qt::ControlModifier;
    const bool sweeping = (event->modifiers() & sweep) == sweep;
    if (!sweeping) EndSweep();
    if (number <= 0 || data == nullptr) return;
    if (sweeping) {
        SwitchOff(*data, number, FSweep);
        FSweeping = true;
        return;
    }
    const TMeasurements2D &list = data->Measurements();
    const uint32_t i = uint32_t(number - 1);
    if (i >= list.Count) return;
    QString text = QStringLiteral("#%1 A: %2 B: %3 M: %4 N: %5")
                       .arg(number)
                       .arg(StatusNumber(list.ElectrodeA(i)), StatusNumber(list.ElectrodeB(i)),
                            StatusNumber(list.ElectrodeM(i)), StatusNumber(list.ElectrodeN(i)));
    const uint32_t shown = data->ArrayDetails().ValuesToShow;
    if (shown == 0) text += QStringLiteral(" Rho: ") + StatusNumber(list.ShownResistivity(i));
    else if (shown == 1) text += QStringLiteral(" C: ") + StatusNumber(list.ShownChargeability(i));
    ShowPointText(text);
}

void TChartRules::EndSweep()
{
    if (!FSweeping) return;
    FSweeping = false;
    ++FSweep;
}

void TChartRules::Data2DMousePressed(QMouseEvent *event)
{
    EndSweep();
    const TData2DChart &chart = FWindow.Widgets().Data2DSeries;
    FPressedNumber = event->button() == Qt::RightButton
                         ? LabelledPointAt({chart.Series_d2d_Curves, chart.Series_d2d_AllProfileCurves, chart.Series_Points},
                                           event->position())
                         : 0;
}

void TChartRules::Data2DMouseReleased(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) return;
    const TData2DChart &chart = FWindow.Widgets().Data2DSeries;
    const int number = LabelledPointAt({chart.Series_d2d_Curves, chart.Series_d2d_AllProfileCurves, chart.Series_Points},
                                       event->position());
    // Press and release on the same point: a right-drag switches nothing off.
    const bool samePoint = number > 0 && number == FPressedNumber;
    const bool onNoPoint = number == 0 && FPressedNumber == 0;
    FPressedNumber = 0;
    if (onNoPoint) ChartMouseReleased(*FWindow.Widgets().Data2DChart, event);
    if (!samePoint) return;
    if (auto *data = dynamic_cast<TnData2D *>(FWindow.SelectedDocument())) SwitchOff(*data, number);
}

void TChartRules::SwitchOff(TnData2D &data, int number, int sweep)
{
    data.DisableMeasurement(number);
    FWindow.DocumentEdited(&data, {}, sweep);
}

void TChartRules::ChartMouseReleased(TChart &chart, QMouseEvent *event)
{
    if (event->button() == Qt::RightButton) FWindow.ShowChartMenu(chart, event->globalPosition());
}

void TChartRules::Seq2DMouseMoved(QMouseEvent *event)
{
    const TSeq2DChart &chart = FWindow.Widgets().Seq2DSeries;
    const int number = LabelledPointAt({chart.Series1, chart.Series2, chart.Series3, chart.Series4, chart.Series5},
                                       event->position());
    auto *sequence = dynamic_cast<TnSeq2D *>(FWindow.SelectedDocument());
    if (number <= 0 || sequence == nullptr) return;
    const TMeasurements2D &list = sequence->Measurements();
    const uint32_t i = uint32_t(number - 1);
    if (i >= list.Count) return;
    ShowPointText(QStringLiteral("#%1 A: %2 B: %3 M: %4 N: %5 Depth: %6")
                      .arg(number)
                      .arg(StatusNumber(list.ElectrodeA(i)), StatusNumber(list.ElectrodeB(i)),
                           StatusNumber(list.ElectrodeM(i)), StatusNumber(list.ElectrodeN(i)),
                           StatusNumber(list.PseudoDepth(i))));
}

void TChartRules::ShowPointText(const QString &text)
{
    const TCustomVeskObject *document = FWindow.SelectedDocument();
    FStatusDocument = document != nullptr ? document->Name : std::string();
    FWindow.SetStatusText(text);
}

void TChartRules::ChartLeft()
{
    EndSweep();
    if (FStatusDocument.empty()) return;
    const TCustomVeskObject *document = FWindow.SelectedDocument();
    if (document != nullptr && document->Name == FStatusDocument) return;
    FStatusDocument.clear();
    FWindow.SetStatusText(QString());
}

namespace {

// "#n AB/2: a MN/2: m" of record i of a sounding list, with the spacing
// captions of its array type (AB/2 and MN/2 for Wenner and Schlumberger).
QString SoundingPointText(int number, const TMeasurements1D &list, uint32_t arrayType)
{
    const auto [abCaption, mnCaption] = TGUICustom::SoundingAxisTitles(arrayType);
    const auto name = [](const QString &caption, const char *fallback) {
        const QString bare = caption.section(QStringLiteral(" ["), 0, 0);
        return bare.isEmpty() ? QString::fromLatin1(fallback) : bare;
    };
    const uint32_t i = uint32_t(number - 1);
    return QStringLiteral("#%1 %2: %3 %4: %5")
        .arg(number)
        .arg(name(abCaption, "AB/2"), TChartRules::StatusNumber(list.HalfABMetres(i)), name(mnCaption, "MN/2"),
             TChartRules::StatusNumber(list.HalfMNMetres(i)));
}

} // namespace

int TChartRules::Data1DPointAt(const QPointF &pixel) const
{
    const TData1DChart &chart = FWindow.Widgets().Data1DSeries;
    return LabelledPointAt({chart.Series_D1D_MN1, chart.Series_D1D_MN2, chart.Series_D1D_MN3, chart.Series_D1D_MN4},
                           pixel);
}

void TChartRules::Data1DMouseMoved(QMouseEvent *event)
{
    const int number = Data1DPointAt(event->position());
    auto *data = dynamic_cast<TnData1D *>(FWindow.SelectedDocument());
    if (number <= 0 || data == nullptr || uint32_t(number) > data->Measurements().Count) return;
    const TMeasurements1D &list = data->Measurements();
    ShowPointText(SoundingPointText(number, list, data->ArrayDetails().ArrayType) + QStringLiteral(" Rho: ") +
                  StatusNumber(list.ApparentResistivity1D(uint32_t(number - 1))));
}

void TChartRules::Data1DMousePressed(QMouseEvent *event)
{
    FPressedData1DNumber = event->button() == Qt::RightButton ? Data1DPointAt(event->position()) : 0;
}

void TChartRules::Data1DMouseReleased(QMouseEvent *event)
{
    if (event->button() != Qt::RightButton) return;
    const int number = Data1DPointAt(event->position());
    // As on the 2D data chart: press and release on the same point switch it
    // off; a click on no point opens the chart menu.
    const bool samePoint = number > 0 && number == FPressedData1DNumber;
    const bool onNoPoint = number == 0 && FPressedData1DNumber == 0;
    FPressedData1DNumber = 0;
    if (onNoPoint) ChartMouseReleased(*FWindow.Widgets().Data1DChart, event);
    if (!samePoint) return;
    if (auto *data = dynamic_cast<TnData1D *>(FWindow.SelectedDocument())) {
        data->DisableMeasurement(number);
        FWindow.DocumentEdited(data);
    }
}

void TChartRules::Seq1DMouseMoved(QMouseEvent *event)
{
    const TSeq1DChart &chart = FWindow.Widgets().Seq1DSeries;
    const int number = LabelledPointAt({chart.LineSeries1, chart.LineSeries2, chart.LineSeries3, chart.LineSeries4},
                                       event->position());
    auto *sequence = dynamic_cast<TnSeq1D *>(FWindow.SelectedDocument());
    if (number <= 0 || sequence == nullptr || uint32_t(number) > sequence->Measurements().Count) return;
    ShowPointText(SoundingPointText(number, sequence->Measurements(), sequence->ArrayDetails().ArrayType));
}

namespace {

// The presenter of the selected 2D data document; null for anything else.
TGUIData2D *SelectedData2DPresenter(const TForm_VeskMain &window)
{
    auto *data = dynamic_cast<TnData2D *>(window.SelectedDocument());
    return data != nullptr ? dynamic_cast<TGUIData2D *>(&data->Presenter()) : nullptr;
}

} // namespace

void TChartRules::Data2DSorted(int column)
{
    if (!FWindow.NodeSelected()) return;
    if (TGUIData2D *presenter = SelectedData2DPresenter(FWindow)) presenter->TableSorted(column);
}

void TChartRules::SetSelectedChecks(bool checked)
{
    TGUIData2D *presenter = SelectedData2DPresenter(FWindow);
    if (presenter == nullptr) return;
    const QList<int> rows = FWindow.Widgets().Data2DTable->SelectedRows();
    if (rows.isEmpty()) return;
    presenter->SetUsedChecks(rows, checked);
    presenter->ReadTable();
    FWindow.DocumentEdited(FWindow.SelectedDocument());
}

void TChartRules::CopySeq1DRows()
{
    const TGridView &table = *FWindow.Widgets().Seq1DTable;
    QApplication::clipboard()->setText(GridRowsAsText(table, table.SelectedRows()));
}
