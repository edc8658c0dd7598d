// Mouse work on the charts and the data tables' own events: the status text
// of the point under the pointer, switching measurements off with the right
// button or a Shift+Ctrl sweep, the pan limit of the 2D data chart, the 2D
// data table's sort and check commands and the 1D sequence table's copy.
#pragma once

#include <QObject>
#include <QPointF>
#include <initializer_list>

class QMouseEvent;
class TChart;
class TChartSeries;
class TForm_VeskMain;
class TnData2D;

class TChartRules : public QObject {
    Q_OBJECT
public:
    explicit TChartRules(TForm_VeskMain &window);

    void Data2DMouseMoved(QMouseEvent *event);
    void Data2DMousePressed(QMouseEvent *event);
    void Data2DMouseReleased(QMouseEvent *event);
    void Seq2DMouseMoved(QMouseEvent *event);
    // A right click on a chart opens the chart menu; on the 2D data chart
    // only where it switches no measurement off (neither the press nor the
    // release on a point).
    void ChartMouseReleased(TChart &chart, QMouseEvent *event);

    void Data2DSorted(int column);
    void SetSelectedChecks(bool checked); // "Check Selected" / "UnCheck Selected"
    void CopySeq1DRows();

    // A number as the status texts show it: fixed with one decimal, the
    // locale's separator; very large values in exponent form.
    static QString StatusNumber(double value);

private:
    // The measurement number labelling the first point found under the
    // pixel in the series, in the order given; 0 when none.
    static int LabelledPointAt(std::initializer_list<TChartSeries *> series, const QPointF &pixel);

    // Switches the measurement off; a used one makes the document changed.
    void SwitchOff(TnData2D &data, int number);

    TForm_VeskMain &FWindow;
    int FPressedNumber = 0; // the point under a right-button press
};
