#include "documents/DataDocuments.h"

#include "documents/VeskMessages.h"

#include "FileChecks.h"
#include "InstrumentFiles.h"
#include "TextExport.h"

#include "vesk_pro.h"

#include <cstdint>

using InstrumentFiles::DataOrScratch;

namespace {

// Electrode numbers of a roll-along spread continue those of the spread
// before it, one cable further along the line.
constexpr uint32_t RollAlongShift = 24;

// Forward and reverse pole-dipole of the same spread, in either order.
bool IsPoleDipolePair(uint8_t t, uint8_t u)
{
    return (t == ArrayTypeCode::FwdPoleDipole && u == ArrayTypeCode::RevPoleDipole) ||
           (t == ArrayTypeCode::RevPoleDipole && u == ArrayTypeCode::FwdPoleDipole);
}

// The arrays whose B is a real electrode.
bool UsesElectrodeB(uint8_t arrayType)
{
    return arrayType < ArrayTypeCode::FwdPoleDipole || arrayType == ArrayTypeCode::EquatDipoleDipole;
}

} // namespace

// ---- 2D data ----

TnData2D::TnData2D(TMainWindowHost &mainWindow) : TVeskObject2D(mainWindow, TDocumentKind::Data2D)
{
}

bool TnData2D::LoadFromFile(const std::string &fileName)
{
    if (const std::string problem = FileChecks::InputProblem(fileName, Kind()); !problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    TArrayDetails2D &details = ArrayDetails();
    TMeasurements2D &list = Measurements();
    InstrumentFiles::SizeGroupArraysForHeader(details);
    InstrumentFiles::THeader2D header = InstrumentFiles::CurrentHeader2D(details, list);
    if (const uint8_t code = InstrumentFiles::ReadHeader2D(fileName, header); code != 0) {
        ShowReadFailure(VeskMessages::HeaderReadFailed, code, fileName);
        return false;
    }
    InstrumentFiles::ApplyHeader2D(header, details, list);

    list.SetCount(header.Count);
    uint8_t scratchStatus = 0;
    uint32_t scratch[8] = {};
    const uint8_t code =
        d2d_read_data(fileName.c_str(), DataOrScratch(list.Used, scratchStatus), DataOrScratch(list.A, scratch[0]),
                      DataOrScratch(list.M, scratch[1]), DataOrScratch(list.N, scratch[2]),
                      DataOrScratch(list.B, scratch[3]), DataOrScratch(list.Chargeability, scratch[4]),
                      DataOrScratch(list.Voltage, scratch[5]), DataOrScratch(list.Current, scratch[6]),
                      DataOrScratch(list.Quality, scratch[7]));
    if (code != 0) {
        ShowReadFailure(VeskMessages::RecordReadFailed, code, fileName);
        return false;
    }
    for (uint32_t i = 0; i < list.Count; ++i) {
        list.SetNumber(i, static_cast<int32_t>(i) + 1);
        list.SetNotMerged(i, true);
    }
    details.SetFileNameFromPath(fileName);
    return true;
}

bool TnData2D::SaveToFile(const std::string &fileName)
{
    TArrayDetails2D &details = ArrayDetails();
    TMeasurements2D &list = Measurements();
    // Saving makes the current filtering permanent in the document too.
    for (uint32_t i = 0; i < list.Count; ++i)
        list.SetUsed(i, list.IsShown(i) && list.PassesFilter(i));

    const TLongwordArray resistivityMilli = list.ResistivityMilli();
    const InstrumentFiles::TDesign2D design = InstrumentFiles::Design2DOf(details);
    const uint8_t scratchStatus = 0;
    const uint32_t scratch = 0;
    const uint8_t code = d2d_save_data(
        fileName.c_str(), list.Count, details.Comment.data(), details.ArrayType, details.SequenceType,
        details.UnitSpacing, details.Origin, design.Cable1.data(), design.Cable2.data(), details.GroupCount,
        design.Multipliers.data(), design.Levels.data(), design.LevelSteps.data(), design.StartLevels.data(),
        list.MeasureSettings.data(), DataOrScratch(list.Used, scratchStatus), DataOrScratch(list.A, scratch),
        DataOrScratch(list.M, scratch), DataOrScratch(list.N, scratch), DataOrScratch(list.B, scratch),
        DataOrScratch(list.Chargeability, scratch), DataOrScratch(list.Voltage, scratch),
        DataOrScratch(list.Current, scratch), DataOrScratch(list.Quality, scratch),
        DataOrScratch(resistivityMilli, scratch));
    // The statuses changed: a table still showing the filtered rows as used
    // would switch them on again at the next read of its checks.
    Presenter().Refresh();
    if (code != 0) {
        ShowSaveFailure(VeskMessages::DataSaveFailed, code, fileName);
        return false;
    }
    details.SetFileNameFromPath(fileName);
    return true;
}

bool TnData2D::Export(const std::string &fileName, int32_t filterIndex)
{
    std::string text;
    if (filterIndex == ExportFilterRes2DInv)
        text = TextExport::Data2DRes2DInv(Measurements());
    else if (filterIndex == ExportFilterCsv2D)
        text = TextExport::Data2DCsv(Measurements());
    else if (filterIndex == ExportFilterUnified2D)
        text = TextExport::Data2DUnifiedFormat(Measurements());
    return TextExport::WriteTextFile(MainWindow(), fileName, text);
}

void TnData2D::Update()
{
    Presenter().ReadInspector();
    Presenter().Refresh();
}

bool TnData2D::AppendFile(const std::string &fileName, bool *loaded)
{
    TnData2D appended(MainWindow());
    const bool read = appended.LoadFromFile(fileName);
    if (loaded != nullptr)
        *loaded = read;
    if (!read)
        return false;

    TArrayDetails2D &details = ArrayDetails();
    TMeasurements2D &list = Measurements();
    const TArrayDetails2D &appendedDetails = appended.ArrayDetails();
    const TMeasurements2D &appendedList = appended.Measurements();
    const uint8_t t = details.ArrayType;
    const uint8_t u = appendedDetails.ArrayType;
    const bool pair = IsPoleDipolePair(t, u);
    if (!(t == u && appendedDetails.SequenceType == SequenceTypeRollAlong) && !pair)
        return false;

    const uint32_t c = list.Count;
    // The joined list is held to the limits of a single file.
    if (const std::string problem = FileChecks::CountProblem(fileName, uint64_t{c} + appendedList.Count, FileChecks::TCountSource::Join);
        !problem.empty()) {
        ShowMessage(problem);
        if (loaded != nullptr)
            *loaded = false;
        return false;
    }
    list.SetCount(c + appendedList.Count);
    if (t != u)
        details.MixedPoleDipole = true;
    if (!pair)
        ++list.RollCount;
    const uint32_t shift = RollAlongShift * static_cast<uint32_t>(list.RollCount);

    for (uint32_t j = 0; j < appendedList.Count; ++j) {
        const uint32_t i = c + j;
        list.A[i] = appendedList.A[j] + shift;
        list.M[i] = appendedList.M[j] + shift;
        list.N[i] = t == ArrayTypeCode::PolePole ? 0 : appendedList.N[j] + shift;
        list.B[i] = UsesElectrodeB(t) ? appendedList.B[j] + shift : 0;
        list.Chargeability[i] = appendedList.Chargeability[j];
        list.Voltage[i] = appendedList.Voltage[j];
        list.Current[i] = appendedList.Current[j];
        list.Quality[i] = appendedList.Quality[j];
        list.Used[i] = appendedList.Used[j];
        list.NotMerged[i] = appendedList.NotMerged[j];
        list.Number[i] = static_cast<int32_t>(c) + appendedList.Number[j];
    }
    list.MergeDuplicates();
    details.ArrayType = u;
    details.SequenceType = appendedDetails.SequenceType;
    Presenter().ShowAll();
    return true;
}

void TnData2D::DisableMeasurement(int32_t number)
{
    TMeasurements2D &list = Measurements();
    for (uint32_t i = 0; i < list.Count; ++i) {
        if (list.Number[i] == number) {
            list.SetUsed(i, false);
            break;
        }
    }
    Presenter().Refresh();
}

// ---- 1D data ----

void TnData1D::DisableMeasurement(int32_t number)
{
    TMeasurements1D &list = Measurements();
    if (number < 1 || uint32_t(number) > list.Count) return;
    list.SetUsed(uint32_t(number) - 1, false);
    Presenter().Refresh();
}

TnData1D::TnData1D(TMainWindowHost &mainWindow) : TVeskObject1D(mainWindow, TDocumentKind::Data1D)
{
}

bool TnData1D::LoadFromFile(const std::string &fileName)
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
    InstrumentFiles::ApplyHeader1D(header, details, list);

    list.SetCount(header.Count);
    uint8_t scratchStatus = 0;
    uint32_t scratch[6] = {};
    const uint8_t code = d1d_read_data(
        fileName.c_str(), DataOrScratch(list.Used, scratchStatus), DataOrScratch(list.HalfAB, scratch[0]),
        DataOrScratch(list.HalfMN, scratch[1]), DataOrScratch(list.Chargeability, scratch[2]),
        DataOrScratch(list.Voltage, scratch[3]), DataOrScratch(list.Current, scratch[4]),
        DataOrScratch(list.Quality, scratch[5]));
    if (code != 0) {
        ShowReadFailure(VeskMessages::RecordReadFailed, code, fileName);
        return false;
    }
    details.SetFileNameFromPath(fileName);
    return true;
}

bool TnData1D::SaveToFile(const std::string &fileName)
{
    TArrayDetails1D &details = ArrayDetails();
    const TMeasurements1D &list = Measurements();
    const TLongwordArray resistivityMilli = list.ResistivityMilli();
    const InstrumentFiles::TDesign1D design = InstrumentFiles::Design1DOf(details);
    const uint8_t scratchStatus = 0;
    const uint32_t scratch = 0;
    const uint8_t code = d1d_save_data(
        fileName.c_str(), list.Count, details.Comment.data(), details.ArrayType, details.IncrementType,
        details.GroupCount, design.Spacings.data(), design.Increments.data(), design.Levels.data(),
        design.Overlaps.data(), list.MeasureSettings.data(), DataOrScratch(list.Used, scratchStatus),
        DataOrScratch(list.HalfAB, scratch), DataOrScratch(list.HalfMN, scratch),
        DataOrScratch(list.Chargeability, scratch), DataOrScratch(list.Voltage, scratch),
        DataOrScratch(list.Current, scratch), DataOrScratch(list.Quality, scratch),
        DataOrScratch(resistivityMilli, scratch));
    if (code != 0) {
        ShowSaveFailure(VeskMessages::DataSaveFailed, code, fileName);
        return false;
    }
    details.SetFileNameFromPath(fileName);
    return true;
}

bool TnData1D::Export(const std::string &fileName, int32_t filterIndex)
{
    std::string text;
    if (filterIndex == ExportFilterCsv)
        text = TextExport::Data1DCsv(Measurements());
    return TextExport::WriteTextFile(MainWindow(), fileName, text);
}

void TnData1D::Update()
{
    Presenter().ReadInspector();
    Presenter().Refresh();
}

// ---- 0D data ----

TnData0D::TnData0D(TMainWindowHost &mainWindow) : TVeskObject1D(mainWindow, TDocumentKind::Data0D)
{
}

bool TnData0D::LoadFromFile(const std::string &fileName)
{
    if (const std::string problem = FileChecks::InputProblem(fileName, Kind()); !problem.empty()) {
        ShowMessage(problem);
        return false;
    }
    TMeasurements1D &list = Measurements();
    InstrumentFiles::THeader0D header = InstrumentFiles::CurrentHeader0D(list);
    if (const uint8_t code = InstrumentFiles::ReadHeader0D(fileName, header); code != 0) {
        ShowReadFailure(VeskMessages::Data0DHeaderReadFailed, code, fileName);
        return false;
    }
    list.MeasureSettings = header.Settings;

    list.SetCount(header.Count);
    uint32_t scratch[4] = {};
    const uint8_t code = d0d_read_data(fileName.c_str(), DataOrScratch(list.Chargeability, scratch[0]),
                                       DataOrScratch(list.Voltage, scratch[1]), DataOrScratch(list.Current, scratch[2]),
                                       DataOrScratch(list.Quality, scratch[3]));
    if (code != 0) {
        ShowReadFailure(VeskMessages::Data0DRecordReadFailed, code, fileName);
        return false;
    }
    ArrayDetails().SetFileNameFromPath(fileName);
    return true;
}

bool TnData0D::SaveToFile(const std::string &)
{
    return false;
}

bool TnData0D::Export(const std::string &fileName, int32_t filterIndex)
{
    std::string text;
    if (filterIndex == ExportFilterCsv)
        text = TextExport::Data0DCsv(Measurements());
    return TextExport::WriteTextFile(MainWindow(), fileName, text);
}

void TnData0D::Update()
{
    Presenter().ReadInspector();
    Presenter().Refresh();
}
