#include "presentation/SectionInversionRun.h"

#include <QMetaObject>

#include <exception>
#include <memory>

namespace {

// A long line takes minutes per iteration: the window follows the stages too.
inversion::TSectionInversionOptions WithStageProgress(inversion::TSectionInversionOptions options)
{
    options.StageProgress = true;
    return options;
}

} // namespace

TSectionInversionRun::TSectionInversionRun(std::vector<inversion::TSectionReading> readings,
                                           inversion::TSectionInversionOptions options)
    : FReadings(std::move(readings)), FOptions(WithStageProgress(options))
{
}

TSectionInversionRun::~TSectionInversionRun()
{
    FCancel = true;
    Join();
}

void TSectionInversionRun::Join()
{
    if (FThread.joinable()) FThread.join();
}

void TSectionInversionRun::Start()
{
    if (FThread.joinable()) return;
    FThread = std::thread([this] { Work(); });
}

void TSectionInversionRun::Work()
{
    // The outcome travels to this object's thread in one queued call; a
    // shared pointer, because a queued functor is copied.
    struct TOutcome {
        std::optional<inversion::TSectionModel> Model;
        QString Failure;
        bool Cancelled = false;
    };
    auto outcome = std::make_shared<TOutcome>();
    try {
        inversion::TSectionModel model = inversion::InvertSection(
            FReadings, FOptions,
            [this](const inversion::TSectionProgress &p) {
                QMetaObject::invokeMethod(this, [this, p] { emit Progress(p); }, Qt::QueuedConnection);
            },
            &FCancel);
        if (model.Cancelled || FCancel)
            outcome->Cancelled = true;
        else
            outcome->Model = std::move(model);
    } catch (const std::exception &e) {
        outcome->Failure = QString::fromUtf8(e.what());
    }
    QMetaObject::invokeMethod(
        this,
        [this, outcome] {
            Join(); // the worker ends right after posting this
            FDone = true;
            FModel = std::move(outcome->Model);
            FFailure = outcome->Failure;
            FCancelled = outcome->Cancelled || FCancel;
            if (FCancelled) FModel.reset();
            emit Finished();
        },
        Qt::QueuedConnection);
}
