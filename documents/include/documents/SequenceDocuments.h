// Sequence documents: a 2D profile design on the two cables (.s2d) and a 1D
// sounding design (.s1d). The measurement list is never kept apart from the
// design: it is regenerated from the array details after creation, after
// loading and after every edit (a Custom 1D sequence alone takes its list
// from its file).
#pragma once

#include "documents/VeskObjects.h"

#include <string>

class TnSeq2D : public TVeskObject2D {
public:
    explicit TnSeq2D(TMainWindowHost &mainWindow);

    TDocumentKind Kind() const override { return TDocumentKind::Seq2D; }

    // Reads the design from the 2D header (.s2d, or a .d2d read as a design)
    // and regenerates the list; the records of the file are not read.
    bool LoadFromFile(const std::string &fileName) override;
    // Writes a .s2d file.
    bool SaveToFile(const std::string &fileName) override;
    // Filter index 1: CSV of the sequence; any other index: an empty file.
    bool Export(const std::string &fileName, int32_t filterIndex) override;
    // Presenter ReadInspector, GenerateSequence2D, presenter Refresh.
    void Update() override;

    // Rebuilds the list from the array details with the 2D generator; on
    // success asks the presenter to show the count and duration. A failing
    // count pass keeps the previous list.
    bool GenerateSequence2D();

    // Links this roll-along sequence to its base (a single 2D sequence), or
    // unlinks it with null: copies the base's design, switches to "Roll Along"
    // and places electrode 1 at RollAlongOrigin(base).
    void SetBaseSequence(TnSeq2D *base);
    // Copies the design of the source: array type, electrode 1 position,
    // group count, comment, roll-along flag, unit spacing, cable flags (1 stays
    // 1, any other value becomes 0), base name and the per-group settings.
    void CopyArrayDetails(const TArrayDetails2D &source);
    // Electrode 1 position in metres of a spread that continues the base:
    // base origin + p x base unit spacing, p the highest enabled electrode
    // of the base's cable 1 (1 when none is enabled).
    double RollAlongOrigin(const TnSeq2D &base) const;

    TnSeq2D *BaseSequence() const { return FBaseSequence; }

private:
    TnSeq2D *FBaseSequence = nullptr; // not owned
};

class TnSeq1D : public TVeskObject1D {
public:
    explicit TnSeq1D(TMainWindowHost &mainWindow);

    TDocumentKind Kind() const override { return TDocumentKind::Seq1D; }

    // Reads the design from the 1D header and regenerates the list; a Custom
    // sequence reads its records instead.
    bool LoadFromFile(const std::string &fileName) override;
    // Writes a .s1d file.
    bool SaveToFile(const std::string &fileName) override;
    // 1D sequences have no text export: writes nothing and answers false.
    bool Export(const std::string &fileName, int32_t filterIndex) override;
    // Presenter ReadInspector, GenerateSequence1D, presenter Refresh.
    void Update() override;

    // Sizes the list to the sum of the levels of the groups and fills it with
    // the 1D generator (a Custom sequence is sized only); on success asks the
    // presenter to show the count and duration.
    bool GenerateSequence1D();
};
