// Readings of the bundled example designs for the section modelling tests.
#pragma once

#include "inversion/SectionSurvey.h"

#include "documents/DataDocuments.h"
#include "documents/PlainHost.h"
#include "documents/SequenceDocuments.h"
#include "documents/VeskStore.h"

#include <filesystem>
#include <string>
#include <vector>

namespace inversion::testing {

struct TExampleDesign {
    std::string Name;
    std::vector<TSectionReading> Readings;
};

// Every reading of the list with its geometry (readings set to 1 V / 1 A
// where the design has none, so that sequences count as well).
inline std::vector<TSectionReading> DesignReadings(const TMeasurements2D &list)
{
    TMeasurements2D design = list;
    for (uint32_t i = 0; i < design.Count; ++i) {
        design.Used[i] = 1;
        design.NotMerged[i] = 1;
        if (design.Current[i] == 0 || design.Voltage[i] == 0) {
            design.Current[i] = 1000000;
            design.Voltage[i] = 1000000;
        }
    }
    design.PassesFilters.assign(design.Count, true);
    return SectionReadings(design, 1.0).Readings;
}

// The 2D data files and the 2D sequence of examples/, loaded as the program does.
inline std::vector<TExampleDesign> ExampleDesigns()
{
    std::vector<TExampleDesign> designs;
    TPlainHost host;
    TVeskStore store(host);
    for (const auto &entry : std::filesystem::directory_iterator(VESK_EXAMPLES_DIR)) {
        const std::string path = entry.path().string();
        const std::string extension = entry.path().extension().string();
        if (extension == ".d2d") {
            auto *document = dynamic_cast<TnData2D *>(store.CreateDocument(TDocumentKind::Data2D, path));
            if (document)
                designs.push_back({entry.path().filename().string(), DesignReadings(document->Measurements())});
        } else if (extension == ".s2d") {
            auto *document = dynamic_cast<TnSeq2D *>(store.CreateDocument(TDocumentKind::Seq2D, path));
            if (document)
                designs.push_back({entry.path().filename().string(), DesignReadings(document->Measurements())});
        }
    }
    return designs;
}

// The designs without those whose readings repeat an earlier design's
// electrode positions (the same sequence measured or stored twice).
inline std::vector<TExampleDesign> DistinctDesigns(std::vector<TExampleDesign> designs)
{
    auto positions = [](const TExampleDesign &design) {
        std::vector<double> values;
        for (const TSectionReading &r : design.Readings)
            values.insert(values.end(), {r.A, r.B, r.M, r.N});
        return values;
    };
    std::vector<TExampleDesign> distinct;
    for (auto &design : designs) {
        bool repeated = false;
        for (const auto &kept : distinct)
            repeated = repeated || positions(kept) == positions(design);
        if (!repeated)
            distinct.push_back(std::move(design));
    }
    return distinct;
}

} // namespace inversion::testing
