// Inversion of a bundled example: the Schlumberger profile that vesk synth
// made over 120 / 25 / 400 Ohm*m with layers of 4 and 8 m (dipping 1.5
// degrees about x = 120 m).
#include "SectionFixture.h"

#include "inversion/SectionInversion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace inversion {
namespace {

TEST(SectionInversion, ExampleLayersComeBackWhereTheDataSeeThem)
{
    TPlainHost host;
    TVeskStore store(host);
    auto *document = dynamic_cast<TnData2D *>(
        store.CreateDocument(TDocumentKind::Data2D, std::string(VESK_EXAMPLES_DIR) + "/schlumberger.d2d"));
    ASSERT_NE(document, nullptr);
    const TSectionReadings readings = SectionReadings(document->Measurements(), 1.0);
    ASSERT_TRUE(readings.Problem.empty()) << readings.Problem;

    const TSectionModel model = InvertSection(readings.Readings, {});
    EXPECT_LE(model.ChiSquared, 1.5);

    // Median resistivity of each row of cells under the middle of the line,
    // where the readings overlap most.
    std::map<int, std::vector<double>> rows;
    for (std::size_t j = 0; j < model.Cells.size(); ++j)
        if (model.Cells[j].CentreX() > 60 && model.Cells[j].CentreX() < 180)
            rows[model.Cells[j].Row].push_back(model.Resistivity[j]);
    std::vector<std::pair<double, double>> profile; // depth, median resistivity
    for (auto &[row, values] : rows) {
        std::sort(values.begin(), values.end());
        const auto cell = std::find_if(model.Cells.begin(), model.Cells.end(),
                                       [row = row](const TSectionCell &c) { return c.Row == row; });
        profile.emplace_back(cell->CentreZ(), values[values.size() / 2]);
    }
    // The top row lies in the 120 Ohm*m layer; the most conductive row lies
    // within the 25 Ohm*m layer (4 to 12 m).
    EXPECT_NEAR(profile.front().second, 120.0, 0.25 * 120.0);
    const auto conductive = std::min_element(profile.begin(), profile.end(),
                                             [](const auto &a, const auto &b) { return a.second < b.second; });
    EXPECT_NEAR(conductive->second, 25.0, 0.25 * 25.0);
    EXPECT_GT(conductive->first, 4.0);
    EXPECT_LT(conductive->first, 12.0);
}

} // namespace
} // namespace inversion
