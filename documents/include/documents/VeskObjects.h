// The base of every open document and the two bases that give a document its
// array details and measurement list (2D or 1D).
#pragma once

#include "documents/DocumentPresenter.h"
#include "documents/MainWindowHost.h"
#include "documents/VeskConstants.h"

#include "survey/ArrayDetails.h"
#include "survey/Measurements.h"

#include <cstdint>
#include <memory>
#include <string>

// An open document. Owns its presenter; the kinds add the array details and
// the measurement list. Failures are shown to the user through the main
// window by the document itself; the operations that touch files also answer
// whether they succeeded.
class TCustomVeskObject {
public:
    virtual ~TCustomVeskObject();
    TCustomVeskObject(const TCustomVeskObject &) = delete;
    TCustomVeskObject &operator=(const TCustomVeskObject &) = delete;

    virtual TDocumentKind Kind() const = 0;

    // Reads the document from an instrument file. False when a library call
    // or a check failed (the message has been shown).
    virtual bool LoadFromFile(const std::string &fileName) = 0;
    // Writes the document as an instrument file. False when nothing was
    // written (the message has been shown, or the kind cannot be saved).
    virtual bool SaveToFile(const std::string &fileName) = 0;
    // Writes the document as text in the format of the filter index. False
    // when the file could not be written (the message has been shown) or the
    // kind cannot be exported.
    virtual bool Export(const std::string &fileName, int32_t filterIndex) = 0;
    // Takes the edited settings from the inspector, regenerates a sequence, redraws.
    virtual void Update() = 0;

    // Forwarded to the presenter operations of the same names.
    void FillInspector();
    void ShowAll();
    void ReadTable();

    virtual TArrayDetailsCustom &ArrayDetailsCustom() = 0;
    virtual TMeasurementsCustom &MeasurementsCustom() = 0;

    TDocumentPresenter &Presenter() const { return *FPresenter; }
    TMainWindowHost &MainWindow() const { return *FMainWindow; }

    // Absolute index of the document's root node in the object tree.
    int32_t TreeIndex = -1;
    // Text of the root node: kind prefix and running number.
    std::string Name;

protected:
    explicit TCustomVeskObject(TMainWindowHost &mainWindow);

    // Asks the main window for the presenter of the kind; called by the
    // constructors once the array details and the list exist.
    void CreatePresenter(TDocumentKind kind, TArrayDetailsCustom &arrayDetails, TMeasurementsCustom &measurements);
    // Frees the presenter while the array details and the list still exist.
    void ReleasePresenter();

    void ShowMessage(const std::string &text) const;
    // Shows the message of a failed write: the prefix with the library's
    // result code and, when the file could not be written (code 1), the
    // system's reason that errno still holds. Call it right after the write.
    void ShowSaveFailure(std::string_view prefix, uint8_t code, const std::string &fileName) const;
    // The message of a refused generation, with the reason in English.
    void ShowGenerateFailure(std::string_view prefix, uint8_t code) const;
    // The same for a failed read; a refused version byte (code 2) is
    // followed by the kind the file looks like.
    void ShowReadFailure(std::string_view prefix, uint8_t code, const std::string &fileName) const;

private:
    TMainWindowHost *FMainWindow; // not owned
    std::unique_ptr<TDocumentPresenter> FPresenter;
};

// A document with 2D array details and a 2D measurement list.
class TVeskObject2D : public TCustomVeskObject {
public:
    TArrayDetails2D &ArrayDetails() { return FArrayDetails; }
    const TArrayDetails2D &ArrayDetails() const { return FArrayDetails; }
    TMeasurements2D &Measurements() { return FMeasurements; }
    const TMeasurements2D &Measurements() const { return FMeasurements; }

    TArrayDetailsCustom &ArrayDetailsCustom() override { return FArrayDetails; }
    TMeasurementsCustom &MeasurementsCustom() override { return FMeasurements; }

protected:
    TVeskObject2D(TMainWindowHost &mainWindow, TDocumentKind kind);
    ~TVeskObject2D() override;

private:
    TArrayDetails2D FArrayDetails;
    TMeasurements2D FMeasurements;
};

// A document with 1D array details and a 1D measurement list.
class TVeskObject1D : public TCustomVeskObject {
public:
    TArrayDetails1D &ArrayDetails() { return FArrayDetails; }
    const TArrayDetails1D &ArrayDetails() const { return FArrayDetails; }
    TMeasurements1D &Measurements() { return FMeasurements; }
    const TMeasurements1D &Measurements() const { return FMeasurements; }

    TArrayDetailsCustom &ArrayDetailsCustom() override { return FArrayDetails; }
    TMeasurementsCustom &MeasurementsCustom() override { return FMeasurements; }

protected:
    TVeskObject1D(TMainWindowHost &mainWindow, TDocumentKind kind);
    ~TVeskObject1D() override;

private:
    TArrayDetails1D FArrayDetails;
    TMeasurements1D FMeasurements;
};
