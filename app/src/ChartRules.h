// Mouse work on the charts and the data tables' own events: the status text
// of the point under the pointer, switching measurements off with the right
// button or a Shift+Ctrl sweep, the pan limit of the 2D data chart, the 2D
// data table's sort and check commands and the 1D sequence table's copy.
#pragma once

#include <QObject>
#include <QPointF>
#include <initializer_list>
#include <string>

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
    // The sounding charts: the AB/2, MN/2 (and Rho) of the point under the
    // pointer; a right click on a 1D data point switches that record off.
    void Data1DMouseMoved(QMouseEvent *event);
    void Data1DMousePressed(QMouseEvent *event);
    void Data1DMouseReleased(QMouseEvent *event);
    void Seq1DMouseMoved(QMouseEvent *event);
    // The pointer left a chart: a status text that describes a point of a
    // document other than the selected one goes.
    void ChartLeft();
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
    // Shows a point's text and remembers the document it describes.
    void ShowPointText(const QString &text);
    // The number of the 1D data point under the pixel, 0 for none.
    int Data1DPointAt(const QPointF &pixel) const;

    // Switches the measurement off; within a Shift+Ctrl sweep (sweep above
    // 0) all points the sweep crosses make one undo step.
    void SwitchOff(TnData2D &data, int number, int sweep = 0);
    // A move without Shift+Ctrl, a press or leaving the chart ends a sweep.
    void EndSweep();

    TForm_VeskMain &FWindow;
    int FPressedNumber = 0; // the point under a right-button press
    int FPressedData1DNumber = 0;
    int FSweep = 1;         // number of the current or next Shift+Ctrl sweep
    bool FSweeping = false; // a sweep has switched points off since it began
    std::string FStatusDocument; // name of the document the status text describes
};
