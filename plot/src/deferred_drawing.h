// A document host for pictures in batch: documents get the window's
// presenters on standalone views, but nothing is drawn until the drawing is
// released. Opening a file and joining many spreads to it then costs no
// drawing at all; the picture is drawn once, with its settings.
#pragma once

#include "presentation/StandaloneViews.h"

#include <memory>
#include <vector>

class TCustomVeskObject;
class TDeferredPresenter;

class TDeferredDrawingHost : public TStandaloneDocumentHost {
public:
    explicit TDeferredDrawingHost(const TStandaloneViews &views) : TStandaloneDocumentHost(views) {}

    std::unique_ptr<TDocumentPresenter> CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                        TMeasurementsCustom &measurements) override;

    // From now on the presenters draw whenever their documents ask them to.
    void ReleaseDrawing();

    // The window's presenter behind the document's deferring one (the
    // document's own presenter when it is not one of this host's).
    static TDocumentPresenter &WindowPresenterOf(TCustomVeskObject &document);

private:
    std::shared_ptr<bool> FReleased = std::make_shared<bool>(false);
};
