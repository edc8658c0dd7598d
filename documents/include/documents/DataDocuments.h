// Data documents: measurements read from the instrument's files, a profile
// (.d2d), a sounding (.d1d) or a list of single measurements (.d0d).
//
// Saved data files carry the chargeability in value slot 1 (the slot every
// reader takes as chargeability), voltage, current and quality in slots 2 to
// 4 and the apparent resistivity in thousandths of an ohm-metre in slot 5.
#pragma once

#include "documents/VeskObjects.h"

#include <cstdint>
#include <string>

class TnData2D : public TVeskObject2D {
public:
    explicit TnData2D(TMainWindowHost &mainWindow);

    TDocumentKind Kind() const override { return TDocumentKind::Data2D; }

    // Reads the 2D header and the records of a .d2d file; numbers the
    // measurements 1, 2, ... in file order and marks them kept.
    bool LoadFromFile(const std::string &fileName) override;
    // Makes the current filtering permanent (a measurement stays in use only
    // when it was in use, kept and passes the filters; the document keeps
    // these statuses even when the write then fails), refreshes the views so
    // that they show those statuses, and writes a .d2d file.
    bool SaveToFile(const std::string &fileName) override;
    // Filter index 1: Res2DInv general array; 2: CSV; any other: an empty file.
    bool Export(const std::string &fileName, int32_t filterIndex) override;
    // Presenter ReadInspector, then presenter Refresh.
    void Update() override;

    // Appends the measurements of a further .d2d file: a roll-along spread of
    // the same array type (electrodes shifted by 24 per appended spread) or
    // the other half of a forward/reverse pole-dipole pair (not shifted; the
    // mixed-types flag is set). Duplicates are merged and the presenter shows
    // everything. Any other file, or one that does not load, changes nothing;
    // the answer is then false. loaded, when given, receives whether the file
    // loaded (false: its message has been shown, also when the joined list
    // would exceed the limits of a single file; true with the answer false:
    // the file is neither such a spread nor such a half).
    bool AppendFile(const std::string &fileName, bool *loaded = nullptr);

    // Marks the first measurement with this number as not in use, then
    // refreshes the views (also when no measurement carries the number).
    void DisableMeasurement(int32_t number);
};

class TnData1D : public TVeskObject1D {
public:
    explicit TnData1D(TMainWindowHost &mainWindow);

    TDocumentKind Kind() const override { return TDocumentKind::Data1D; }

    // Reads the 1D header and the records of a .d1d file.
    bool LoadFromFile(const std::string &fileName) override;
    // Writes a .d1d file with the statuses as they are.
    bool SaveToFile(const std::string &fileName) override;
    // Filter index 1: CSV; any other: an empty file.
    bool Export(const std::string &fileName, int32_t filterIndex) override;
    // Presenter ReadInspector, then presenter Refresh.
    void Update() override;

    // Marks the record with this 1-based number (the table's "#") as not in
    // use, then refreshes the views; a number outside the list changes nothing.
    void DisableMeasurement(int32_t number);
};

class TnData0D : public TVeskObject1D {
public:
    explicit TnData0D(TMainWindowHost &mainWindow);

    TDocumentKind Kind() const override { return TDocumentKind::Data0D; }

    // Reads the header and the records of a .d0d file (the comment is dropped).
    bool LoadFromFile(const std::string &fileName) override;
    // 0D data cannot be saved: writes nothing, changes nothing, answers false.
    bool SaveToFile(const std::string &fileName) override;
    // Filter index 1: CSV; any other: an empty file.
    bool Export(const std::string &fileName, int32_t filterIndex) override;
    // Presenter ReadInspector, then presenter Refresh.
    void Update() override;
};
