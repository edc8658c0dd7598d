#include "presentation/PresenterFactory.h"

#include "documents/PlainHost.h"
#include "presentation/GUIData2D.h"
#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

std::unique_ptr<TDocumentPresenter> CreateGUIPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                       TMeasurementsCustom &measurements,
                                                       const TPresenterViews &views)
{
    switch (kind) {
    case TDocumentKind::Data2D:
        return std::make_unique<TGUIData2D>(views, static_cast<TArrayDetails2D &>(arrayDetails),
                                            static_cast<TMeasurements2D &>(measurements));
    // Kinds without a presenter of their own show through the plain
    // presenter: nothing is drawn, 2D data still filters on update.
    default: return std::make_unique<TPlainPresenter>(kind, arrayDetails, measurements);
    }
}
