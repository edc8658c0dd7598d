// A document host for pictures in batch: documents get the window's
// presenters on standalone views, but nothing is drawn until the drawing is
// released. Opening a file and joining many spreads to it then costs no
// drawing at all; the picture is drawn once, with its settings.
#pragma once

#include "presentation/PresenterViews.h"
#include "presentation/StandaloneViews.h"

#include <memory>
#include <vector>

class TCustomVeskObject;
class TDeferredPresenter;

// The views a picture is drawn on: the standalone views without their
// tables. A picture shows no table, nothing in a batch run reads one back, and
// the presenters skip a table they do not have; filling the 2D data table of
// a long line (every reading's numbers, the column widths) took a few percent
// of the picture's time and a fifth of its page faults.
struct TPictureViews {
    explicit TPictureViews(const TStandaloneViews &views);
    TPresenterViews PictureViews;
};

// TPictureViews comes first among the bases: the document host keeps a
// reference to its views.
class TDeferredDrawingHost : private TPictureViews, public TStandaloneDocumentHost {
public:
    explicit TDeferredDrawingHost(const TStandaloneViews &views)
        : TPictureViews(views), TStandaloneDocumentHost(PictureViews)
    {
    }

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
