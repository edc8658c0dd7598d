#include "documents/SequenceDocuments.h"

#include "documents/VeskMessages.h"

#include "FileChecks.h"
#include "InstrumentFiles.h"
#include "TextExport.h"

#include "vesk_pro.h"

#include <algorithm>

using InstrumentFiles::DataOrScratch;
using InstrumentFiles::GroupSlots;

namespace {

// Modes of the 2D generator: count the measurements per group, or fill the records.
constexpr uint32_t CountPass = 0;
constexpr uint32_t FillPass = 1;

// Highest electrode number on one cable.
constexpr int32_t CableElectrodeCount = 24;

void CopyCableFlags(TnCable &target, const TnCable &source)
{
    target.SetCount(source.Count);
    for (int32_t i = 0; i < source.Count; ++i)
        target.Enabled[static_cast<std::size_t>(i)] = source.IsEnabled(i) ? 1 : 0;
}

// Entry k of a per-group array, 0 when the array is shorter.
template <typename T>
T GroupEntry(const std::vector<T> &values, std::size_t k)
{
    return k < values.size() ? values[k] : T{};
}

} // namespace

// ---- 2D sequence ----

TnSeq2D::TnSeq2D(TMainWindowHost &mainWindow) : TVeskObject2D(mainWindow, TDocumentKind::Seq2D)
{
}

bool TnSeq2D::LoadFromFile(const std::string &fileName)
{
    if (const std::string problem = FileChecks::InputProblem(fileName, Kind()); !problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    TArrayDetails2D &details = ArrayDetails();
    InstrumentFiles::SizeGroupArraysForHeader(details);
    InstrumentFiles::THeader2D header = InstrumentFiles::CurrentHeader2D(details, Measurements());
    if (const uint8_t code = InstrumentFiles::ReadHeader2D(fileName, header); code != 0) {
        ShowReadFailure(VeskMessages::HeaderReadFailed, code, fileName);
        return false;
    }
    InstrumentFiles::ApplyHeader2D(header, details, Measurements());
    // The records of the file are not read: the list is rebuilt from the
    // stored design, so that it always matches the design.
    const bool generated = GenerateSequence2D();
    details.SetFileNameFromPath(fileName);
    return generated;
}

bool TnSeq2D::SaveToFile(const std::string &fileName)
{
    const TArrayDetails2D &details = ArrayDetails();
    const TMeasurements2D &list = Measurements();
    const InstrumentFiles::TDesign2D design = InstrumentFiles::Design2DOf(details);
    const uint32_t scratch = 0;
    const uint8_t code =
        s2d_write(fileName.c_str(), details.Comment.data(), details.ArrayType, details.SequenceType,
                  details.UnitSpacing, details.Origin, design.Cable1.data(), design.Cable2.data(), details.GroupCount,
                  design.Multipliers.data(), design.Levels.data(), design.LevelSteps.data(),
                  design.StartLevels.data(), list.Count, DataOrScratch(list.A, scratch),
                  DataOrScratch(list.M, scratch), DataOrScratch(list.N, scratch), DataOrScratch(list.B, scratch));
    if (code != 0) {
        ShowSaveFailure(VeskMessages::SaveS2DFailed, code, fileName);
        return false;
    }
    ArrayDetails().SetFileNameFromPath(fileName);
    return true;
}

bool TnSeq2D::Export(const std::string &fileName, int32_t filterIndex)
{
    std::string text;
    if (filterIndex == ExportFilterCsv)
        text = TextExport::Sequence2DCsv(Measurements());
    return TextExport::WriteTextFile(MainWindow(), fileName, text);
}

void TnSeq2D::Update()
{
    Presenter().ReadInspector();
    GenerateSequence2D();
    Presenter().Refresh();
}

bool TnSeq2D::GenerateSequence2D()
{
    TArrayDetails2D &details = ArrayDetails();
    TMeasurements2D &list = Measurements();
    const InstrumentFiles::TDesign2D design = InstrumentFiles::Design2DOf(details);
    const auto generate = [&](uint32_t mode, uint32_t *output) {
        return get_2d_sequence(mode, details.ArrayType, details.SequenceType, design.Cable1.data(),
                               design.Cable2.data(), details.GroupCount, design.Multipliers.data(),
                               design.Levels.data(), design.LevelSteps.data(), design.StartLevels.data(), output);
    };

    std::array<uint32_t, GroupSlots> groupCounts{};
    if (const uint8_t code = generate(CountPass, groupCounts.data()); code != 0) {
        ShowGenerateFailure(VeskMessages::Generate2DFailed, code);
        return false;
    }
    // The generator accepts at most four groups.
    const std::size_t groups = std::min<std::size_t>(details.GroupCount, GroupSlots);
    if (details.GroupCounts.size() < groups)
        details.GroupCounts.resize(groups);
    std::copy_n(groupCounts.begin(), groups, details.GroupCounts.begin());

    list.SizeFromGroups();
    uint32_t scratch = 0;
    if (const uint8_t code = generate(FillPass, DataOrScratch(list.GeneratorRecords, scratch)); code != 0) {
        ShowGenerateFailure(VeskMessages::Generate2DFailed, code);
        return false;
    }
    list.TakeGeneratorRecords();
    Presenter().ShowInfo();
    return true;
}

void TnSeq2D::SetBaseSequence(TnSeq2D *base)
{
    TArrayDetails2D &details = ArrayDetails();
    FBaseSequence = base;
    details.BaseSequence = base;
    if (base == nullptr) {
        details.BaseSequenceName.clear();
        return;
    }
    CopyArrayDetails(base->ArrayDetails());
    details.SequenceType = SequenceTypeRollAlong;
    details.SetOrigin(RollAlongOrigin(*base));
    details.BaseSequenceName = base->Name;
}

void TnSeq2D::CopyArrayDetails(const TArrayDetails2D &source)
{
    TArrayDetails2D &details = ArrayDetails();
    details.ArrayType = source.ArrayType;
    details.Origin = source.Origin;
    details.SetGroupCount(source.GroupCount);
    details.Comment = source.Comment;
    details.SequenceType = source.SequenceType;
    details.UnitSpacing = source.UnitSpacing;
    CopyCableFlags(details.Cable1, source.Cable1);
    CopyCableFlags(details.Cable2, source.Cable2);
    details.BaseSequenceName = source.BaseSequenceName;
    for (std::size_t k = 0; k < details.GroupCount; ++k) {
        details.OverlapCounts[k] = GroupEntry(source.OverlapCounts, k);
        details.GroupCounts[k] = GroupEntry(source.GroupCounts, k);
        details.SpacingFactors[k] = GroupEntry(source.SpacingFactors, k);
        details.LevelSteps[k] = GroupEntry(source.LevelSteps, k);
        details.LevelCounts[k] = GroupEntry(source.LevelCounts, k);
    }
}

double TnSeq2D::RollAlongOrigin(const TnSeq2D &base) const
{
    const TArrayDetails2D &details = base.ArrayDetails();
    int32_t highest = 1;
    for (int32_t i = 0; i < std::min(details.Cable1.Count, CableElectrodeCount); ++i)
        if (details.Cable1.IsEnabled(i))
            highest = i + 1;
    return details.OriginMetres() + highest * details.UnitSpacingMetres();
}

// ---- 1D sequence ----

TnSeq1D::TnSeq1D(TMainWindowHost &mainWindow) : TVeskObject1D(mainWindow, TDocumentKind::Seq1D)
{
}

bool TnSeq1D::LoadFromFile(const std::string &fileName)
{
    if (const std::string problem = FileChecks::InputProblem(fileName, Kind()); !problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    TArrayDetails1D &details = ArrayDetails();
    TMeasurements1D &list = Measurements();
    InstrumentFiles::SizeGroupArraysForHeader(details);
    InstrumentFiles::THeader1D header = InstrumentFiles::CurrentHeader1D(details, list);
    if (const uint8_t code = InstrumentFiles::ReadHeader1D(fileName, header); code != 0) {
        ShowReadFailure(VeskMessages::HeaderReadFailed, code, fileName);
        return false;
    }

    if (header.ArrayType != ArrayTypeCode::Custom) {
        InstrumentFiles::ApplyHeader1D(header, details, list);
        const bool generated = GenerateSequence1D();
        details.SetFileNameFromPath(fileName);
        return generated;
    }

    // A Custom sequence is never generated: its list comes from the file
    // (whose records the check above found complete).
    InstrumentFiles::ApplyHeader1D(header, details, list);
    list.SetCount(header.Count);
    uint32_t scratchAB = 0;
    uint32_t scratchMN = 0;
    const uint8_t code =
        s1d_read_data(fileName.c_str(), DataOrScratch(list.HalfAB, scratchAB), DataOrScratch(list.HalfMN, scratchMN));
    if (code != 0)
        ShowReadFailure(VeskMessages::RecordReadFailed, code, fileName);
    // The design was taken from the header, so the sequence carries the
    // file's name like any loaded sequence, also when its records failed.
    details.SetFileNameFromPath(fileName);
    return code == 0;
}

bool TnSeq1D::SaveToFile(const std::string &fileName)
{
    const TArrayDetails1D &details = ArrayDetails();
    const TMeasurements1D &list = Measurements();
    const InstrumentFiles::TDesign1D design = InstrumentFiles::Design1DOf(details);
    const uint32_t scratch = 0;
    const uint8_t code = s1d_write(fileName.c_str(), details.Comment.data(), details.ArrayType, details.IncrementType,
                                   details.GroupCount, design.Spacings.data(), design.Increments.data(),
                                   design.Levels.data(), design.Overlaps.data(), list.Count,
                                   DataOrScratch(list.HalfAB, scratch), DataOrScratch(list.HalfMN, scratch));
    if (code != 0) {
        ShowSaveFailure(VeskMessages::SaveS1DFailed, code, fileName);
        return false;
    }
    ArrayDetails().SetFileNameFromPath(fileName);
    return true;
}

bool TnSeq1D::Export(const std::string &, int32_t)
{
    return false;
}

void TnSeq1D::Update()
{
    Presenter().ReadInspector();
    GenerateSequence1D();
    Presenter().Refresh();
}

bool TnSeq1D::GenerateSequence1D()
{
    TArrayDetails1D &details = ArrayDetails();
    TMeasurements1D &list = Measurements();
    list.SizeFromGroups();
    if (details.ArrayType == ArrayTypeCode::Custom)
        return true;

    const InstrumentFiles::TDesign1D design = InstrumentFiles::Design1DOf(details);
    uint32_t scratchAB = 0;
    uint32_t scratchMN = 0;
    const uint8_t code =
        get_1d_sequence(details.ArrayType, details.IncrementType, details.GroupCount, design.Spacings.data(),
                        design.Increments.data(), design.Levels.data(), design.Overlaps.data(),
                        DataOrScratch(list.HalfAB, scratchAB), DataOrScratch(list.HalfMN, scratchMN));
    if (code != 0) {
        ShowGenerateFailure(VeskMessages::Generate1DFailed, code);
        return false;
    }
    Presenter().ShowInfo();
    return true;
}
