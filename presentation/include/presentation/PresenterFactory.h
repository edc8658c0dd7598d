// Creates the presenter of a document kind on the window's views.
#pragma once

#include "documents/DocumentPresenter.h"
#include "documents/VeskConstants.h"
#include "presentation/PresenterViews.h"

#include <memory>

class TArrayDetailsCustom;
class TMeasurementsCustom;

std::unique_ptr<TDocumentPresenter> CreateGUIPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                       TMeasurementsCustom &measurements,
                                                       const TPresenterViews &views);
