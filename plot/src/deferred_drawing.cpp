#include "deferred_drawing.h"

#include "documents/VeskObjects.h"

// Forwards everything to the window's presenter, except that showing and
// refreshing wait until the host releases the drawing.
class TDeferredPresenter : public TDocumentPresenter {
public:
    TDeferredPresenter(std::unique_ptr<TDocumentPresenter> presenter, std::shared_ptr<const bool> released)
        : FPresenter(std::move(presenter)), FReleased(std::move(released))
    {
    }

    void ShowAll() override
    {
        if (*FReleased) FPresenter->ShowAll();
    }
    void Refresh() override
    {
        if (*FReleased) FPresenter->Refresh();
    }
    void ReadInspector() override { FPresenter->ReadInspector(); }
    void ReadTable() override { FPresenter->ReadTable(); }
    void FillInspector() override { FPresenter->FillInspector(); }
    void ShowInfo() override { FPresenter->ShowInfo(); }

    TDocumentPresenter &Window() { return *FPresenter; }

private:
    std::unique_ptr<TDocumentPresenter> FPresenter;
    std::shared_ptr<const bool> FReleased;
};

TPictureViews::TPictureViews(const TStandaloneViews &views) : PictureViews(views.Views())
{
    PictureViews.SequenceTable = nullptr;
    PictureViews.Data2DTable = nullptr;
    PictureViews.Seq1DTable = nullptr;
    PictureViews.Data1DTable = nullptr;
    PictureViews.Data0DTable = nullptr;
}

std::unique_ptr<TDocumentPresenter> TDeferredDrawingHost::CreatePresenter(TDocumentKind kind,
                                                                          TArrayDetailsCustom &arrayDetails,
                                                                          TMeasurementsCustom &measurements)
{
    return std::make_unique<TDeferredPresenter>(
        TStandaloneDocumentHost::CreatePresenter(kind, arrayDetails, measurements), FReleased);
}

void TDeferredDrawingHost::ReleaseDrawing()
{
    *FReleased = true;
}

TDocumentPresenter &TDeferredDrawingHost::WindowPresenterOf(TCustomVeskObject &document)
{
    if (auto *deferred = dynamic_cast<TDeferredPresenter *>(&document.Presenter())) return deferred->Window();
    return document.Presenter();
}
