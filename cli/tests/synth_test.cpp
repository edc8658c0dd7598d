// vesk synth: data files of the sequence's kind with reproducible, realistic
// readings, in the library's format and in the two older 2D versions.
#include "reference_documents.h"
#include "vesk_runner.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vesk::test {
namespace {

// A flat earth keeps the tests quick: one layering serves every measurement.
const std::vector<std::string> Earth{"--rho", "150,30,600", "--thickness", "3,10"};

VeskRun Synth(const ScratchFolder &folder, std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "synth");
    arguments.insert(arguments.end(), Earth.begin(), Earth.end());
    return RunVesk(arguments, folder.Path());
}

TEST(VeskSynth, TheSameSeedGivesTheSameFile)
{
    ScratchFolder folder;
    const std::string sequence = Example("schlumberger.s2d").string();
    ASSERT_EQ(Synth(folder, {sequence, "--seed", "5", "-o", "a.d2d"}).status, 0);
    ASSERT_EQ(Synth(folder, {sequence, "--seed", "5", "-o", "b.d2d"}).status, 0);
    ASSERT_EQ(Synth(folder, {sequence, "--seed", "6", "-o", "c.d2d"}).status, 0);
    EXPECT_EQ(ReadBytes(folder / "a.d2d"), ReadBytes(folder / "b.d2d"));
    EXPECT_NE(ReadBytes(folder / "a.d2d"), ReadBytes(folder / "c.d2d"));
    // A dipping boundary changes the readings; noise and contacts stay with the seed.
    ASSERT_EQ(Synth(folder, {sequence, "--seed", "5", "--dip", "3", "--dip-origin", "100", "-o", "d.d2d"}).status, 0);
    const std::string dipped = ReadBytes(folder / "d.d2d");
    EXPECT_EQ(dipped.size(), ReadBytes(folder / "a.d2d").size());
    EXPECT_NE(dipped, ReadBytes(folder / "a.d2d"));
    EXPECT_EQ(ReadBytes(folder / "a.d2d").size(), 335u + 181u * 37u);
}

TEST(VeskSynth, TwoDimensionalDataCarryTheSequencesDesignAndElectrodes)
{
    ScratchFolder folder;
    const VeskRun run = Synth(folder, {Example("schlumberger.s2d").string(), "--comment", "line 7", "-o", "p.d2d"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");

    ReferenceSession reference;
    auto &sequence = reference.Open<TnSeq2D>(Example("schlumberger.s2d"), TDocumentKind::Seq2D);
    auto &data = reference.Open<TnData2D>(folder / "p.d2d", TDocumentKind::Data2D);
    const TArrayDetails2D &design = sequence.ArrayDetails();
    const TArrayDetails2D &details = data.ArrayDetails();
    EXPECT_EQ(details.ArrayType, design.ArrayType);
    EXPECT_EQ(details.UnitSpacing, design.UnitSpacing);
    EXPECT_EQ(details.Origin, design.Origin);
    EXPECT_EQ(details.GroupCount, design.GroupCount);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(details.Comment.data())), "line 7");
    const TMeasurements2D &electrodes = sequence.Measurements();
    const TMeasurements2D &list = data.Measurements();
    ASSERT_EQ(list.Count, electrodes.Count);
    for (uint32_t i = 0; i < list.Count; ++i) {
        EXPECT_EQ(list.A[i], electrodes.A[i]);
        EXPECT_EQ(list.M[i], electrodes.M[i]);
        EXPECT_EQ(list.N[i], electrodes.N[i]);
        EXPECT_EQ(list.B[i], electrodes.B[i]);
        EXPECT_TRUE(list.IsShown(i));
        EXPECT_GT(list.Current[i], 0u);
        EXPECT_EQ(list.Chargeability[i], 0u); // no chargeability asked for
    }
    EXPECT_EQ(list.IPCode(), 0);
}

TEST(VeskSynth, InstrumentAndOldFormatsHoldTheSameSurvey)
{
    ScratchFolder folder;
    const std::string sequence = Example("schlumberger.s2d").string();
    const std::vector<std::string> charge{"--chargeability", "0,0.05,0.01", "--ip-window", "200", "--seed", "9"};
    for (const std::string version : {"122", "221", "121"}) {
        std::vector<std::string> arguments{sequence, "--file-version", version, "-o", version + ".d2d"};
        arguments.insert(arguments.end(), charge.begin(), charge.end());
        const VeskRun run = Synth(folder, arguments);
        ASSERT_EQ(run.status, 0) << version << run.err;
    }
    EXPECT_EQ(ReadBytes(folder / "221.d2d").size(), 335u + 181u * 25u);
    EXPECT_EQ(ReadBytes(folder / "121.d2d").size(), 335u + 181u * 25u);
    EXPECT_EQ(static_cast<uint8_t>(ReadBytes(folder / "221.d2d")[0]), 221);
    EXPECT_EQ(static_cast<uint8_t>(ReadBytes(folder / "121.d2d")[0]), 121);

    ReferenceSession reference;
    const TnData2D &library = reference.Open<TnData2D>(folder / "122.d2d", TDocumentKind::Data2D);
    const TnData2D &instrument = reference.Open<TnData2D>(folder / "221.d2d", TDocumentKind::Data2D);
    const TnData2D &old = reference.Open<TnData2D>(folder / "121.d2d", TDocumentKind::Data2D);
    const TMeasurements2D &a = library.Measurements();
    for (const TnData2D *other : {&instrument, &old}) {
        const TMeasurements2D &b = other->Measurements();
        EXPECT_EQ(other->ArrayDetails().UnitSpacing, library.ArrayDetails().UnitSpacing);
        EXPECT_EQ(other->ArrayDetails().Origin, library.ArrayDetails().Origin);
        EXPECT_EQ(b.MeasureSettings, a.MeasureSettings);
        ASSERT_EQ(b.Count, a.Count);
        const bool coarse = other == &old;
        for (uint32_t i = 0; i < a.Count; ++i) {
            EXPECT_EQ(b.A[i], a.A[i]);
            EXPECT_EQ(b.M[i], a.M[i]);
            EXPECT_EQ(b.N[i], a.N[i]);
            EXPECT_EQ(b.B[i], a.B[i]);
            EXPECT_EQ(b.Used[i], a.Used[i]);
            // The old format stores tenfold units, read back times ten; its slot 1 reads as 0.
            const int64_t tolerance = coarse ? 5 : 0;
            EXPECT_LE(std::llabs(int64_t(b.Voltage[i]) - int64_t(a.Voltage[i])), tolerance);
            EXPECT_LE(std::llabs(int64_t(b.Current[i]) - int64_t(a.Current[i])), tolerance);
            EXPECT_LE(std::llabs(int64_t(b.Quality[i]) - int64_t(a.Quality[i])), tolerance);
            EXPECT_EQ(b.Chargeability[i], coarse ? 0u : a.Chargeability[i]);
        }
    }
    uint32_t charged = 0;
    for (uint32_t i = 0; i < a.Count; ++i) charged += a.Chargeability[i] > 0 ? 1 : 0;
    EXPECT_GT(charged, a.Count / 2);
    EXPECT_EQ(a.IPCode(), 4); // 200 ms
}

TEST(VeskSynth, OldFormatNeedsWholeCentimetres)
{
    ScratchFolder folder;
    ASSERT_EQ(RunVesk({"sequence", "2d", "--array", "wenner", "--spacing", "2.005", "-o", "odd.s2d"}, folder.Path())
                  .status,
              0);
    const VeskRun run = Synth(folder, {"odd.s2d", "--file-version", "121", "-o", "odd.d2d"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("whole centimetres"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "odd.d2d"));
    EXPECT_EQ(Synth(folder, {"odd.s2d", "--file-version", "221", "-o", "odd.d2d"}).status, 0);
}

TEST(VeskSynth, SoundingDataCarryTheDesignAndTheLayersResistivities)
{
    ScratchFolder folder;
    const VeskRun run = RunVesk({"synth", Example("sounding.s1d").string(), "--rho", "150,30,600", "--thickness",
                                 "3,10", "--bad-fraction", "0", "-o", "v.d1d"},
                                folder.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    ReferenceSession reference;
    auto &sequence = reference.Open<TnSeq1D>(Example("sounding.s1d"), TDocumentKind::Seq1D);
    auto &data = reference.Open<TnData1D>(folder / "v.d1d", TDocumentKind::Data1D);
    EXPECT_EQ(data.ArrayDetails().ArrayType, sequence.ArrayDetails().ArrayType);
    EXPECT_EQ(data.ArrayDetails().IncrementType, sequence.ArrayDetails().IncrementType);
    EXPECT_EQ(data.ArrayDetails().GroupCount, sequence.ArrayDetails().GroupCount);
    const TMeasurements1D &list = data.Measurements();
    ASSERT_EQ(list.Count, sequence.Measurements().Count);
    EXPECT_EQ(list.HalfAB, sequence.Measurements().HalfAB);
    EXPECT_EQ(list.HalfMN, sequence.Measurements().HalfMN);
    // The shortest spread sees the top layer, the longest one the bedrock rising.
    EXPECT_NEAR(list.ApparentResistivity1D(0), 150.0, 15.0);
    for (uint32_t i = 0; i < list.Count; ++i) {
        EXPECT_GT(list.ApparentResistivity1D(i), 30.0 * 0.95) << i;
        EXPECT_LT(list.ApparentResistivity1D(i), 600.0 * 1.05) << i;
    }
    EXPECT_GT(list.ApparentResistivity1D(list.Count - 1), list.ApparentResistivity1D(6));
}

TEST(VeskSynth, ZeroDSeries)
{
    ScratchFolder folder;
    const VeskRun run =
        Synth(folder, {"--series", "12", "--chargeability", "0,0.1,0", "--ip-window", "60", "-o", "s.d0d"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "s.d0d").size(), 261u + 12u * 20u);
    ReferenceSession reference;
    auto &data = reference.Open<TnData0D>(folder / "s.d0d", TDocumentKind::Data0D);
    EXPECT_EQ(data.Measurements().Count, 12u);
    EXPECT_EQ(data.Measurements().IPCode(), 1);
    EXPECT_GT(data.Measurements().Chargeability[0], 0u);
}

// The examples must look like real surveys over their site (120, 25 and
// 400 Ohm*m): apparent resistivities within the layers' range and smooth
// along each level.
TEST(VeskExamples, ProfilesLookLikeRealSurveys)
{
    const char *profiles[] = {"schlumberger.d2d",    "wenner.d2d",          "wenner-roll.d2d",
                              "dipole-dipole-ip.d2d", "pole-dipole-fwd.d2d", "pole-dipole-rev.d2d",
                              "instrument-221.d2d",  "old-format-121.d2d"};
    for (const char *name : profiles) {
        ReferenceSession reference;
        const TMeasurements2D &list = reference.Open<TnData2D>(Example(name), TDocumentKind::Data2D).Measurements();
        ASSERT_GT(list.Count, 90u) << name;
        uint32_t disturbed = 0, neighbours = 0;
        for (uint32_t i = 0; i < list.Count; ++i) {
            // Disturbed measurements carry a poor quality, as in the field.
            if (list.QualityPercent(i) > 5.0) {
                ++disturbed;
                continue;
            }
            const double rho = list.ApparentResistivity(i);
            EXPECT_GT(rho, 25.0) << name << " #" << i + 1;
            EXPECT_LT(rho, 400.0) << name << " #" << i + 1;
            if (i + 1 < list.Count && list.PseudoDepth(i + 1) == list.PseudoDepth(i) && list.QualityPercent(i + 1) <= 5.0) {
                ++neighbours;
                EXPECT_LT(std::abs(std::log(list.ApparentResistivity(i + 1) / rho)), 0.15) << name << " #" << i + 1;
            }
        }
        EXPECT_LE(disturbed, list.Count / 10) << name;
        EXPECT_GT(neighbours, list.Count * 3 / 4) << name;
    }
}

} // namespace
} // namespace vesk::test
