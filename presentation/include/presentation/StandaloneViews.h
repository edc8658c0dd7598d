// The presenters' controls without a window: the five tables, charts and
// inspector pages built as the window builds them (or only those of one
// document kind), the info panels, and a presenter host whose messages go to
// a callback. Pictures made in batch draw
// through these, so that they equal the window's charts for the same
// document and settings.
#pragma once

#include "presentation/PresenterViews.h"

#include "documents/PlainHost.h"
#include "documents/VeskConstants.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class TChart;

class TStandaloneViews : public TPresenterHost {
public:
    // The controls of every document kind.
    TStandaloneViews();
    // Only the table, chart and inspector page of documents of the kind (a
    // batch picture builds no more than it draws); the other kinds' views
    // are null.
    explicit TStandaloneViews(TDocumentKind kind);
    ~TStandaloneViews() override;
    TStandaloneViews(const TStandaloneViews &) = delete;
    TStandaloneViews &operator=(const TStandaloneViews &) = delete;

    const TPresenterViews &Views() const { return FViews; }
    // The chart that shows documents of the kind (std::logic_error when
    // that kind's controls were not built).
    TChart &ChartOf(TDocumentKind kind) const;

    // Receives the presenters' messages (the map builder's); without a
    // callback they are dropped.
    void SetMessageCallback(std::function<void(const QString &)> callback) { FMessageCallback = std::move(callback); }

    void SetUpdatesEnabled(bool enabled) override { FUpdatesEnabled = enabled; }
    bool UpdatesEnabled() const override { return FUpdatesEnabled; }
    void ShowMessage(const QString &text) override;

private:
    struct TControls;
    // Every kind's controls, or only those of one kind.
    void BuildControls(std::optional<TDocumentKind> only);
    std::unique_ptr<TControls> FControls;
    TPresenterViews FViews;
    std::function<void(const QString &)> FMessageCallback;
    bool FUpdatesEnabled = true;
};

// A window-less document host whose documents get the window's presenters on
// the given views (standalone ones, or a test's), with the in-memory tree and
// messages of the plain host.
class TStandaloneDocumentHost : public TPlainHost {
public:
    explicit TStandaloneDocumentHost(const TPresenterViews &views) : FViews(views) {}
    explicit TStandaloneDocumentHost(const TStandaloneViews &views) : FViews(views.Views()) {}
    std::unique_ptr<TDocumentPresenter> CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                        TMeasurementsCustom &measurements) override;

private:
    const TPresenterViews &FViews; // not owned
};
