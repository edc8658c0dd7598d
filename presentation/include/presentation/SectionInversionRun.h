// One section inversion in a worker thread: it inverts its own copy of the
// readings (the document may change meanwhile), reports each iteration, the
// stages within it, and its end through queued signals in the thread that started it, and stops
// within one wavenumber solve when cancelled. Destroying it cancels and
// waits for the worker, so a closed document or window leaves nothing
// running.
#pragma once

#include "inversion/SectionInversion.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

class TSectionInversionRun : public QObject {
    Q_OBJECT
public:
    TSectionInversionRun(std::vector<inversion::TSectionReading> readings, inversion::TSectionInversionOptions options);
    ~TSectionInversionRun() override;
    TSectionInversionRun(const TSectionInversionRun &) = delete;
    TSectionInversionRun &operator=(const TSectionInversionRun &) = delete;

    void Start();
    // Asks the worker to stop; Finished follows, without a model.
    void Cancel() { FCancel = true; }
    bool CancelRequested() const { return FCancel; }
    bool Running() const { return FThread.joinable() && !FDone; }

    const std::vector<inversion::TSectionReading> &Readings() const { return FReadings; }
    const inversion::TSectionInversionOptions &Options() const { return FOptions; }
    // After Finished: the model (none when cancelled or failed) and why there is none.
    const std::optional<inversion::TSectionModel> &Model() const { return FModel; }
    const QString &Failure() const { return FFailure; }
    bool Cancelled() const { return FCancelled; }

signals:
    // Each model reached (iteration 0: the starting model) and, between them,
    // the share done of the modelling and of the step's solution.
    void Progress(const inversion::TSectionProgress &progress);
    void Finished();

private:
    void Work();
    void Join();

    const std::vector<inversion::TSectionReading> FReadings;
    const inversion::TSectionInversionOptions FOptions;
    std::atomic<bool> FCancel{false};
    std::thread FThread;
    bool FDone = false; // set in this object's thread once the result arrived
    std::optional<inversion::TSectionModel> FModel;
    QString FFailure;
    bool FCancelled = false;
};
