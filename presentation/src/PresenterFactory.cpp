#include "presentation/PresenterFactory.h"

#include "documents/PlainHost.h"

std::unique_ptr<TDocumentPresenter> CreateGUIPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                       TMeasurementsCustom &measurements,
                                                       const TPresenterViews &views)
{
    (void)views;
    switch (kind) {
    // Kinds without a presenter of their own show through the plain
    // presenter: nothing is drawn, 2D data still filters on update.
    default: return std::make_unique<TPlainPresenter>(kind, arrayDetails, measurements);
    }
}
