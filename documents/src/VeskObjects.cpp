#include "documents/VeskObjects.h"

#include "documents/PlainHost.h"
#include "documents/VeskMessages.h"

#include "FailureReasons.h"
#include "FileChecks.h"

#include <cerrno>

TCustomVeskObject::TCustomVeskObject(TMainWindowHost &mainWindow) : FMainWindow(&mainWindow)
{
}

TCustomVeskObject::~TCustomVeskObject() = default;

void TCustomVeskObject::FillInspector()
{
    FPresenter->FillInspector();
}

void TCustomVeskObject::ShowAll()
{
    FPresenter->ShowAll();
}

void TCustomVeskObject::ReadTable()
{
    FPresenter->ReadTable();
}

void TCustomVeskObject::CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails,
                                        TMeasurementsCustom &measurements)
{
    FPresenter = FMainWindow->CreatePresenter(kind, arrayDetails, measurements);
    // A window without a presenter for the kind still gets a working document.
    if (!FPresenter)
        FPresenter = std::make_unique<TPlainPresenter>(kind, arrayDetails, measurements);
}

void TCustomVeskObject::ReleasePresenter()
{
    FPresenter.reset();
}

void TCustomVeskObject::ShowMessage(const std::string &text) const
{
    FMainWindow->ShowMessage(text);
}

namespace {

// Library result codes that concern the file itself.
constexpr uint8_t FileNotOpened = 1;
constexpr uint8_t VersionRefused = 2;

} // namespace

void TCustomVeskObject::ShowSaveFailure(std::string_view prefix, uint8_t code, const std::string &fileName) const
{
    const int reason = errno;
    std::string text = VeskMessages::WithCode(prefix, code);
    if (code == FileNotOpened)
        text = FileChecks::WithReason(text, FileChecks::WriteFailureLine(fileName, reason));
    else if (const std::string refused = FailureReasons::SaveRefusedLine(Kind(), code, fileName); !refused.empty())
        text = FileChecks::WithReason(text, refused);
    ShowMessage(text);
}

void TCustomVeskObject::ShowGenerateFailure(std::string_view prefix, uint8_t code) const
{
    std::string text = VeskMessages::WithCode(prefix, code);
    if (const std::string refused = FailureReasons::GenerateRefusedLine(Kind(), code); !refused.empty())
        text = FileChecks::WithReason(text, refused);
    ShowMessage(text);
}

void TCustomVeskObject::ShowReadFailure(std::string_view prefix, uint8_t code, const std::string &fileName) const
{
    const int reason = errno;
    std::string text = VeskMessages::WithCode(prefix, code);
    if (code == FileNotOpened)
        text = FileChecks::WithReason(text, FileChecks::ReadFailureLine(fileName, reason));
    else if (code == VersionRefused)
        text = FileChecks::WithReason(text, FileChecks::VersionMismatchLine(fileName, Kind()));
    ShowMessage(text);
}

TVeskObject2D::TVeskObject2D(TMainWindowHost &mainWindow, TDocumentKind kind)
    : TCustomVeskObject(mainWindow), FArrayDetails(&mainWindow), FMeasurements(FArrayDetails)
{
    CreatePresenter(kind, FArrayDetails, FMeasurements);
}

TVeskObject2D::~TVeskObject2D()
{
    ReleasePresenter();
}

TVeskObject1D::TVeskObject1D(TMainWindowHost &mainWindow, TDocumentKind kind)
    : TCustomVeskObject(mainWindow), FMeasurements(FArrayDetails)
{
    CreatePresenter(kind, FArrayDetails, FMeasurements);
}

TVeskObject1D::~TVeskObject1D()
{
    ReleasePresenter();
}
