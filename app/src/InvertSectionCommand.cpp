// Invert on 2D data: the section inversion runs in a worker thread of the
// document's presenter while the window stays usable; a progress bar and a
// Cancel button in the status bar follow it. One inversion runs at a time.
#include "MainWindow.h"

#include "documents/Documents.h"
#include "presentation/GUIData2D.h"
#include "presentation/SectionInversionRun.h"

#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <memory>

namespace {

QProgressBar *InversionProgressBar(QObject &window)
{
    return window.findChild<QProgressBar *>(QStringLiteral("NxInvertProgress"));
}

QPushButton *InversionCancelButton(QObject &window)
{
    return window.findChild<QPushButton *>(QStringLiteral("NxInvertCancel"));
}

// Steps of the progress bar per iteration.
constexpr int BarStepsPerIteration = 100;

// The bar's place within an iteration: the step's solution takes the first
// fifth, the modelling of the models it leads to the rest.
int BarValue(const inversion::TSectionProgress &progress)
{
    const double within = progress.Stage == inversion::TSectionStage::Solving ? 0.2 * progress.StageFraction
                          : progress.Stage == inversion::TSectionStage::Modelling
                              ? 0.2 + 0.8 * progress.StageFraction
                              : 0.0;
    return progress.Iteration * BarStepsPerIteration + int(within * (BarStepsPerIteration - 1));
}

QString ProgressText(const inversion::TSectionProgress &progress, bool modelReached)
{
    const int percent = int(100 * progress.StageFraction);
    switch (progress.Stage) {
    case inversion::TSectionStage::Model:
        return progress.Iteration == 0 ? QStringLiteral("Inverting: starting model RMS %1 %").arg(progress.RmsPercent, 0, 'f', 2)
                                       : QStringLiteral("Inverting: iteration %1 of at most %2, RMS %3 %")
                                             .arg(progress.Iteration)
                                             .arg(progress.MaxIterations)
                                             .arg(progress.RmsPercent, 0, 'f', 2);
    case inversion::TSectionStage::Modelling:
        if (!modelReached) return QStringLiteral("Inverting: starting model, modelling %1 %").arg(percent);
        return QStringLiteral("Inverting: iteration %1 of at most %2, modelling %3 %")
            .arg(progress.Iteration + 1)
            .arg(progress.MaxIterations)
            .arg(percent);
    case inversion::TSectionStage::Solving:
        return QStringLiteral("Inverting: iteration %1 of at most %2, solving for the step %3 %")
            .arg(progress.Iteration + 1)
            .arg(progress.MaxIterations)
            .arg(percent);
    }
    return {};
}

} // namespace

void TForm_VeskMain::BuildInversionProgress()
{
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("NxInvertProgress"));
    bar->setMaximumWidth(220);
    bar->setFormat(QStringLiteral("Inverting %p%"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("NxInvertCancel"));
    cancel->setToolTip(QStringLiteral("Stop the inversion; no model is kept"));
    statusBar()->addPermanentWidget(bar);
    statusBar()->addPermanentWidget(cancel);
    bar->hide();
    cancel->hide();
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (FActiveInversion == nullptr) return;
        FActiveInversion->Cancel();
        SetStatusText(QStringLiteral("Cancelling the inversion..."));
    });
}

void TForm_VeskMain::InvertSection(TCustomVeskObject &document)
{
    auto *presenter = dynamic_cast<TGUIData2D *>(&document.Presenter());
    if (presenter == nullptr) return;
    if (FActiveInversion != nullptr) {
        SetStatusText(QStringLiteral("An inversion is running; Cancel stops it."));
        return;
    }
    // The page's inversion values as they stand, also before an Update.
    presenter->ReadInversionItems();
    const QString failure = presenter->StartInversion();
    if (!failure.isEmpty()) {
        SetStatusText(failure);
        return;
    }
    TSectionInversionRun *run = presenter->RunningInversion();
    FActiveInversion = run;
    // Quitting stops it at once; the presenter waits for the worker when
    // its document goes.
    connect(qApp, &QCoreApplication::aboutToQuit, run, &TSectionInversionRun::Cancel);
    QProgressBar *bar = InversionProgressBar(*this);
    QPushButton *cancel = InversionCancelButton(*this);
    bar->setRange(0, run->Options().MaxIterations * BarStepsPerIteration);
    bar->setValue(0);
    bar->show();
    cancel->show();
    SetStatusText(QStringLiteral("Inverting %1 readings: starting model...").arg(run->Readings().size()));

    auto modelReached = std::make_shared<bool>(false);
    connect(run, &TSectionInversionRun::Progress, this,
            [this, run, modelReached](const inversion::TSectionProgress &progress) {
                if (run->CancelRequested()) return;
                if (progress.Stage == inversion::TSectionStage::Model) *modelReached = true;
                if (QProgressBar *bar = InversionProgressBar(*this)) bar->setValue(BarValue(progress));
                SetStatusText(ProgressText(progress, *modelReached));
            });
    // Delivered after the presenter took the model (it connected first).
    connect(run, &TSectionInversionRun::Finished, this, [this, run, presenter] {
        const std::optional<inversion::TSectionModel> &model = presenter->Model();
        if (model && run->Model())
            SetStatusText(QStringLiteral("Inverted: %1 iterations, RMS %2 %, chi-squared %3")
                              .arg(model->Iterations)
                              .arg(model->RmsPercent, 0, 'f', 2)
                              .arg(model->ChiSquared, 0, 'f', 3));
        else if (!run->Failure().isEmpty())
            SetStatusText(QStringLiteral("The data cannot be inverted: %1.").arg(run->Failure()));
        else if (run->Model())
            SetStatusText(QStringLiteral("The data changed during the inversion; no model. Invert again."));
        else
            SetStatusText(QStringLiteral("Inversion cancelled; no model."));
    });
    // Finished, or its document closed: the bar goes.
    connect(run, &QObject::destroyed, this, [this](QObject *gone) {
        if (gone != FActiveInversion) return;
        FActiveInversion = nullptr;
        if (QProgressBar *progress = InversionProgressBar(*this)) progress->hide();
        if (QPushButton *button = InversionCancelButton(*this)) button->hide();
    });
}
