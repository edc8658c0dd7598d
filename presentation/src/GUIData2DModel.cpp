// The 2D data presenter's inverted section: the page's "Inversion" items,
// the inversion here and now (pictures) or in a worker thread (the window),
// the model's two diagrams and its lines in the info panel, and the model
// going when the data change.
#include "presentation/GUIData2D.h"

#include "ModelSectionDiagram.h"
#include "PresenterSupport.h"

#include "presentation/ChartPages.h"
#include "presentation/PropertyPages.h"
#include "presentation/SectionInversionRun.h"

#include "controls/Chart.h"
#include "controls/PropertyItem.h"
#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

#include <QLabel>

#include <algorithm>
#include <exception>

namespace {

bool SameReadings(const std::vector<inversion::TSectionReading> &a, const std::vector<inversion::TSectionReading> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const inversion::TSectionReading &x, const inversion::TSectionReading &y) {
                          return x.A == y.A && x.B == y.B && x.M == y.M && x.N == y.N && x.RemoteB == y.RemoteB &&
                                 x.RemoteN == y.RemoteN && x.GeometricFactor == y.GeometricFactor &&
                                 x.Resistivity == y.Resistivity && x.ErrorPercent == y.ErrorPercent &&
                                 x.Index == y.Index;
                      });
}

QString CannotInvert(const QString &reason) { return QStringLiteral("The data cannot be inverted: %1").arg(reason); }

} // namespace

TGUIData2D::~TGUIData2D() = default;

void TGUIData2D::ReadInversionItems()
{
    const TData2DPage *page = Views().Data2DPage;
    if (!page) return;
    InversionOptions.HorizontalSmoothing = std::clamp(page->NxSpinItem_d2d_HorizontalSmoothing->AsFloat(), 0.0, 100.0);
    InversionOptions.VerticalSmoothing = std::clamp(page->NxSpinItem_d2d_VerticalSmoothing->AsFloat(), 0.0, 100.0);
    InversionOptions.Robust = page->NxCheckBoxItem_d2d_RobustWeighting->Checked();
    InversionOptions.MaxIterations = std::clamp(int(page->NxSpinItem_d2d_MaxIterations->AsInteger()), 1, 50);
}

inversion::TSectionReadings TGUIData2D::InversionReadings() const
{
    return inversion::SectionReadings(FMeasurements, ErrorFloorPercent);
}

QString TGUIData2D::InversionProblem(const inversion::TSectionReadings &readings) const
{
    if (!readings.Problem.empty()) return CannotInvert(QString::fromStdString(readings.Problem));
    if (!(InversionOptions.HorizontalSmoothing + InversionOptions.VerticalSmoothing > 0))
        return CannotInvert(QStringLiteral("the horizontal and vertical smoothing are both 0."));
    return {};
}

QString TGUIData2D::Invert(const std::function<void(const inversion::TSectionProgress &)> &progress)
{
    inversion::TSectionReadings readings = InversionReadings();
    QString failure = InversionProblem(readings);
    if (failure.isEmpty()) {
        try {
            inversion::TSectionModel model = inversion::InvertSection(readings.Readings, InversionOptions, progress);
            AttachModel(std::move(model), std::move(readings.Readings));
            return {};
        } catch (const std::exception &e) {
            failure = CannotInvert(QString::fromUtf8(e.what()) + QLatin1Char('.'));
        }
    }
    ClearModel();
    return failure;
}

QString TGUIData2D::StartInversion()
{
    if (RunningInversion()) return QStringLiteral("An inversion of these data is running.");
    inversion::TSectionReadings readings = InversionReadings();
    const QString failure = InversionProblem(readings);
    if (!failure.isEmpty()) {
        ClearModel();
        return failure;
    }
    FRun = std::make_unique<TSectionInversionRun>(std::move(readings.Readings), InversionOptions);
    QObject::connect(FRun.get(), &TSectionInversionRun::Finished, FRun.get(), [this] { FinishInversion(); });
    FRun->Start();
    return {};
}

TSectionInversionRun *TGUIData2D::RunningInversion() const { return FRun && FRun->Running() ? FRun.get() : nullptr; }

void TGUIData2D::FinishInversion()
{
    if (!FRun) return;
    // Called from the run's own signal: it goes once that has been delivered.
    TSectionInversionRun *run = FRun.release();
    run->deleteLater();
    // Readings changed during the run make its model one of other data.
    if (run->Model() && SameReadings(run->Readings(), InversionReadings().Readings)) {
        AttachModel(*run->Model(), run->Readings());
        return;
    }
    ClearModel();
}

void TGUIData2D::AttachModel(inversion::TSectionModel model, std::vector<inversion::TSectionReading> readings)
{
    FModel = std::move(model);
    FModelReadings = std::move(readings);
    BuildChart();
    ShowInfo();
}

void TGUIData2D::ClearModel()
{
    if (FRun) FRun->Cancel();
    FModel.reset();
    FModelReadings.clear();
    BuildChart();
    ShowInfo();
}

void TGUIData2D::DropModelOfOtherData()
{
    const bool running = FRun && FRun->Running() && !FRun->CancelRequested();
    if (!FModel && !running) return;
    const std::vector<inversion::TSectionReading> current = InversionReadings().Readings;
    if (running && !SameReadings(FRun->Readings(), current)) FRun->Cancel();
    if (FModel && !SameReadings(FModelReadings, current)) {
        FModel.reset();
        FModelReadings.clear();
        ShowInfo();
    }
}

void TGUIData2D::DrawModelSection()
{
    TData2DChart &chart = *Views().Data2DChart;
    chart.Chart->SetLegendTitle(QStringLiteral("Rho [Ohm*m]"));
    if (!FModel) return;
    const TMapSettings colours{.Palette = FChartDetails.Palette,
                               .Logarithmic = FChartDetails.LogarithmicColours,
                               .Limits = FChartDetails.Limits,
                               .FixedMinimum = FChartDetails.LimitMinimum,
                               .FixedMaximum = FChartDetails.LimitMaximum};
    FillModelSection(*chart.Series_2D, *chart.Series_d2d_Electrodes, *FModel, FModelReadings, colours);
}

void TGUIData2D::DrawMisfit()
{
    TData2DChart &chart = *Views().Data2DChart;
    chart.Chart->SetLegendTitle(QStringLiteral("Misfit [%]"));
    if (!FModel) return;
    QVector<qint64> labels;
    for (const inversion::TSectionReading &reading : FModelReadings)
        labels.append(reading.Index < FMeasurements.Number.size() ? FMeasurements.Number[reading.Index]
                                                                  : qint64(reading.Index) + 1);
    FillMisfit(*chart.Series_2D, *chart.Series_d2d_Misfit, *FModel, FModelReadings, labels, FChartDetails.Palette);
}

void TGUIData2D::ShowModelInfo()
{
    // The panels as the 1D page fills them: the fit, the model, its details.
    QLabel *fitPanel = Views().MeasureCountPanel;
    QLabel *modelPanel = Views().DurationPanel;
    QLabel *detailsPanel = Views().ModelPanel;
    if (!FModel) {
        if (fitPanel) fitPanel->setText(NoFitText());
        if (modelPanel) modelPanel->setText(QStringLiteral("Model: none (Data > Invert)"));
        if (detailsPanel) detailsPanel->clear();
        return;
    }
    const inversion::TSectionModel &model = *FModel;
    // One item per line: the Info panel is narrow.
    if (fitPanel) fitPanel->setText(FitText(model.RmsPercent, model.ChiSquared));
    if (modelPanel)
        modelPanel->setText(QStringLiteral("Model: %1 cells,\n%2 iterations").arg(model.Cells.size()).arg(model.Iterations));
    if (detailsPanel) {
        const auto range = std::minmax_element(model.Resistivity.begin(), model.Resistivity.end());
        detailsPanel->setText(QStringLiteral("%1 readings; %2<br>Rho %3 to %4 Ohm*m")
                                  .arg(FModelReadings.size())
                                  .arg(model.Converged ? QStringLiteral("converged") : QStringLiteral("iteration limit"))
                                  .arg(*range.first, 0, 'f', 1)
                                  .arg(*range.second, 0, 'f', 1));
    }
}
