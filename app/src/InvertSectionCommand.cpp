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

namespace {

QProgressBar *InversionProgressBar(QObject &window)
{
    return window.findChild<QProgressBar *>(QStringLiteral("NxInvertProgress"));
}

QPushButton *InversionCancelButton(QObject &window)
{
    return window.findChild<QPushButton *>(QStringLiteral("NxInvertCancel"));
}

} // namespace

void TForm_VeskMain::BuildInversionProgress()
{
    auto *bar = new QProgressBar(this);
    bar->setObjectName(QStringLiteral("NxInvertProgress"));
    bar->setMaximumWidth(220);
    bar->setFormat(QStringLiteral("Inverting %v/%m"));
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
    bar->setRange(0, run->Options().MaxIterations);
    bar->setValue(0);
    bar->show();
    cancel->show();
    SetStatusText(QStringLiteral("Inverting %1 readings: starting model...").arg(run->Readings().size()));

    connect(run, &TSectionInversionRun::Progress, this, [this, run](int iteration, int most, double rms, double) {
        if (run->CancelRequested()) return;
        if (QProgressBar *progress = InversionProgressBar(*this)) progress->setValue(iteration);
        SetStatusText(iteration == 0 ? QStringLiteral("Inverting: starting model RMS %1 %").arg(rms, 0, 'f', 2)
                                     : QStringLiteral("Inverting: iteration %1 of at most %2, RMS %3 %")
                                           .arg(iteration)
                                           .arg(most)
                                           .arg(rms, 0, 'f', 2));
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
