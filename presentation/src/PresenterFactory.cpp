#include "presentation/PresenterFactory.h"

#include "presentation/GUIData0D.h"
#include "presentation/GUIData1D.h"
#include "presentation/GUIData2D.h"
#include "presentation/GUISeq1D.h"
#include "presentation/GUISeq2D.h"

#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

std::unique_ptr<TDocumentPresenter> CreateGUIPresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                                       TMeasurementsCustom &measurements,
                                                       const TPresenterViews &views)
{
    // The documents hand over the classes of their kind: 2D details and
    // lists for the 2D kinds, 1D ones for the others.
    const auto details2D = [&]() -> TArrayDetails2D & { return static_cast<TArrayDetails2D &>(arrayDetails); };
    const auto list2D = [&]() -> TMeasurements2D & { return static_cast<TMeasurements2D &>(measurements); };
    const auto details1D = [&]() -> TArrayDetails1D & { return static_cast<TArrayDetails1D &>(arrayDetails); };
    const auto list1D = [&]() -> TMeasurements1D & { return static_cast<TMeasurements1D &>(measurements); };
    switch (kind) {
    case TDocumentKind::Seq2D: return std::make_unique<TGUISeq2D>(views, details2D(), list2D());
    case TDocumentKind::Data2D: return std::make_unique<TGUIData2D>(views, details2D(), list2D());
    case TDocumentKind::Seq1D: return std::make_unique<TGUISeq1D>(views, details1D(), list1D());
    case TDocumentKind::Data1D: return std::make_unique<TGUIData1D>(views, details1D(), list1D());
    case TDocumentKind::Data0D: return std::make_unique<TGUIData0D>(views, details1D(), list1D());
    }
    return nullptr;
}
