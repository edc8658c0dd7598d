// The command line itself: help for every sub-command, and every kind of
// usage error ending with status 2 and a message on standard error.
#include "vesk_runner.h"

#include <gtest/gtest.h>

namespace vesk::test {
namespace {

struct HelpCase {
    std::vector<std::string> arguments;
    std::string usageLine;
};

TEST(VeskCommandLine, EveryCommandHasHelp)
{
    ScratchFolder folder;
    const HelpCase cases[] = {
        {{"--help"}, "Usage: vesk COMMAND"},
        {{"help"}, "Usage: vesk COMMAND"},
        {{"info", "--help"}, "Usage: vesk info FILE"},
        {{"export", "--help"}, "Usage: vesk export FILE"},
        {{"save", "-h"}, "Usage: vesk save FILE"},
        {{"sequence", "--help"}, "Usage: vesk sequence 2d"},
        {{"sequence", "2d", "--help"}, "Usage: vesk sequence 2d"},
        {{"sequence", "1d", "--help"}, "Usage: vesk sequence 1d"},
        {{"synth", "--help"}, "Usage: vesk synth SEQUENCE"},
        // Help wins over everything else on the line.
        {{"info", "no-such-file.d2d", "--help"}, "Usage: vesk info FILE"},
    };
    for (const HelpCase &c : cases) {
        const VeskRun run = RunVesk(c.arguments, folder.Path());
        EXPECT_EQ(run.status, 0) << c.arguments.front();
        EXPECT_EQ(run.out.rfind(c.usageLine, 0), 0u) << run.out;
        EXPECT_EQ(run.err, "");
    }
}

struct UsageCase {
    std::vector<std::string> arguments;
    std::string message;
};

TEST(VeskCommandLine, UsageErrorsEndWithStatus2AndAMessage)
{
    ScratchFolder folder;
    const std::string d2d = Example("wenner.d2d").string();
    const std::string d1d = Example("sounding.d1d").string();
    const std::string d0d = Example("series.d0d").string();
    const std::string s1d = Example("sounding.s1d").string();
    const std::string s2d = Example("schlumberger.s2d").string();
    const UsageCase cases[] = {
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"info"}, "missing the file to show"},
        {{"info", d2d, d1d}, "unexpected argument"},
        {{"info", "survey.txt"}, "cannot tell the kind of 'survey.txt'"},
        {{"info", d2d, "--kind", "d3d"}, "--kind: unknown kind 'd3d'"},
        {{"info", d2d, "--first", "many"}, "--first: 'many' is not a whole number"},
        {{"info", d2d, "--bogus"}, "unknown option '--bogus'"},
        {{"info", d2d, "--first"}, "option '--first' needs a value"},
        {{"info", d2d, "--kind", "d2d", "--kind", "d2d"}, "given more than once"},
        {{"info", d1d, "--coords", "numbers"}, "--coords applies to 2D documents only"},
        {{"export", d2d, "--format", "pdf"}, "--format: 'pdf'"},
        {{"export", s1d}, "1D sequences (.s1d) have no text export"},
        {{"export", d1d, "--format", "res2dinv"}, "--format res2dinv: only 2D data (.d2d) exports as Res2DInv"},
        {{"export", d1d, "--quality", "5"}, "the data filters apply to 2D data"},
        {{"export", d0d, "--append", d0d}, "--append: only 2D data"},
        {{"export", d2d, "--voltage", "5"}, "--voltage: '5' is not a range MIN:MAX"},
        {{"export", d2d, "--current", "1:x"}, "--current: 'x' is not a number"},
        {{"export", d2d, "--sliding-average", "4"}, "the window width is 3, 5, 7 or 9"},
        {{"export", d2d, "--sliding-average", "11"}, "outside 3 to 9"},
        {{"export", d2d, "--coords", "feet"}, "--coords: 'feet'"},
        {{"save", d2d}, "missing -o OUT"},
        {{"save", d0d, "-o", "x.d0d"}, "0D data (.d0d) cannot be saved"},
        {{"sequence"}, "missing the dimension"},
        {{"sequence", "3d"}, "unknown dimension '3d'"},
        {{"sequence", "2d", "-o", "x.s2d"}, "missing --array"},
        {{"sequence", "2d", "--array", "wenner"}, "missing --output"},
        {{"sequence", "2d", "--array", "dipole", "-o", "x.s2d"}, "unknown array type 'dipole'"},
        {{"sequence", "2d", "--array", "custom", "-o", "x.s2d"}, "unknown array type 'custom'"},
        {{"sequence", "2d", "--array", "8", "-o", "x.s2d"}, "unknown array type '8'"},
        {{"sequence", "2d", "--array", "wenner", "--group", "1,6,1,1", "--group", "3,6,1,4", "-o", "x.s2d"},
         "Wenner takes a single spacing group"},
        {{"sequence", "2d", "--array", "schlumberger", "--group", "1,6,1,1", "--group", "1,6,1,4", "-o", "x.s2d"},
         "--group MULT: '1' is outside 2 to 25"},
        {{"sequence", "2d", "--array", "schlumberger", "--group", "1,6,1", "-o", "x.s2d"},
         "is not MULT,LEVELS,STEP,START"},
        {{"sequence", "2d", "--array", "schlumberger", "--group", "1,256,1,1", "-o", "x.s2d"},
         "--group LEVELS: '256' is outside 1 to 255"},
        {{"sequence", "2d", "--array", "schlumberger", "--group", "1,6,0,1", "-o", "x.s2d"},
         "--group STEP: '0' is outside 1 to 255"},
        {{"sequence", "2d", "--array", "wenner", "--disable", "49", "-o", "x.s2d"}, "--disable: '49'"},
        {{"sequence", "2d", "--array", "wenner", "--disable", "9-3", "-o", "x.s2d"}, "runs backwards"},
        {{"sequence", "2d", "--array", "wenner", "--spacing", "-5", "-o", "x.s2d"}, "--spacing: '-5' is outside"},
        {{"sequence", "1d", "--array", "custom", "-o", "x.s1d"}, "unknown array type 'custom'"},
        {{"sequence", "1d", "--array", "pole-pole", "--group", "1,1,5", "--group", "2,1,5", "-o", "x.s1d"},
         "Pole Pole takes a single spacing group"},
        {{"sequence", "1d", "--array", "schlumberger", "--group", "1,1,5,2", "-o", "x.s1d"},
         "the first group has no overlaps"},
        {{"synth", s2d, "--rho", "100,10", "--thickness", "5"}, "missing -o OUT"},
        {{"synth", s2d, "-o", "x.d2d", "--thickness", "5"}, "missing --rho"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100", "--thickness", "5"}, "--rho: '100' must hold 2 to 3 numbers"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10,5", "--thickness", "5"}, "--thickness: '5' must hold 2"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,-10", "--thickness", "5"}, "every resistivity lies within"},
        // Contrasts beyond a million and micrometre layers would take hours.
        {{"synth", s2d, "-o", "x.d2d", "--rho", "1e-3,1e7,1e-3", "--thickness", "0.01,0.01"},
         "--rho: every resistivity lies within 0.1 to 100000 Ohm*m"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "0.1,1e5", "--thickness", "1e-10"},
         "--thickness: every thickness lies within 0.01 to 10000 m"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--dip", "90"}, "--dip"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--ip-window", "120"},
         "--ip-window needs --chargeability"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--chargeability", "0,0.1",
          "--ip-window", "100"},
         "the window is 60, 120, 160, 200, 240 or 320 ms"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--chargeability", "0,1.5"},
         "every chargeability lies in [0, 1)"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--file-version", "123"},
         "--file-version: '123'"},
        {{"synth", s1d, "-o", "x.d1d", "--rho", "100,10", "--thickness", "5", "--file-version", "221"},
         "--file-version applies to 2D data only"},
        {{"synth", d2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5"}, "is not a sequence"},
        {{"synth", "--series", "0", "-o", "x.d0d", "--rho", "100,10", "--thickness", "5"},
         "--series: '0' is outside"},
        {{"synth", "-o", "x.d0d", "--rho", "100,10", "--thickness", "5"}, "missing the sequence file"},
        {{"synth", s2d, "-o", "x.d2d", "--rho", "100,10", "--thickness", "5", "--comment", std::string(251, 'c')},
         "--comment: at most 250 bytes"},
        // Outputs whose extension names another kind of file.
        {{"export", d2d, "-o", "w.csv", "--format", "res2dinv"},
         "--format res2dinv contradicts the output name 'w.csv' (.csv is CSV)"},
        {{"export", d2d, "-o", "w.dat", "--format", "csv"}, "--format csv contradicts the output name 'w.dat'"},
        {{"export", d2d, "-o", "w.d2d"}, "-o: 'w.d2d' names 2D data, but an export writes text (.dat, .csv or .ohm)"},
        {{"export", d2d, "-o", "w.ohm", "--format", "csv"}, "--format csv contradicts the output name 'w.ohm' (.ohm is bert)"},
        {{"export", d2d, "-o", "w.dat", "--format", "bert"}, "--format bert contradicts the output name 'w.dat'"},
        {{"export", d2d, "--format", "ohm"}, "--format: 'ohm' is none of 'res2dinv', 'csv' and 'bert'"},
        {{"export", d1d, "-o", "s.dat"}, "the output name 's.dat' (.dat): only 2D data (.d2d) exports as Res2DInv"},
        {{"export", d1d, "-o", "s.ohm"}, "the output name 's.ohm' (.ohm): only 2D data (.d2d) exports as the BERT format"},
        {{"export", d1d, "--format", "bert"}, "--format bert: only 2D data (.d2d) exports as the BERT format"},
        {{"save", d2d, "-o", "x.csv"}, "-o: 'x.csv' names a text export, but this writes 2D data (.d2d)"},
        {{"save", d2d, "-o", "x.ohm"}, "-o: 'x.ohm' names a text export, but this writes 2D data (.d2d)"},
        {{"save", d2d, "-o", "x.s2d"}, "-o: 'x.s2d' names a 2D sequence, but this writes 2D data (.d2d)"},
        {{"sequence", "2d", "--array", "wenner", "-o", "x.d2d"},
         "-o: 'x.d2d' names 2D data, but this writes a 2D sequence (.s2d)"},
        {{"sequence", "2d", "--array", "wenner", "-o", "x.s2d", "--csv", "x.dat"}, "--csv: 'x.dat' names a Res2DInv"},
        {{"sequence", "2d", "--array", "wenner", "-o", "x.s2d", "--csv", "x.ohm"}, "--csv: 'x.ohm' names a BERT file"},
        {{"sequence", "1d", "--array", "wenner", "-o", "x.s2d"}, "-o: 'x.s2d' names a 2D sequence"},
        {{"synth", s2d, "-o", "y.s2d", "--rho", "100,10", "--thickness", "5"},
         "-o: 'y.s2d' names a 2D sequence, but this writes 2D data (.d2d)"},
        {{"synth", "--series", "5", "-o", "y.d2d", "--rho", "100,10", "--thickness", "5"},
         "-o: 'y.d2d' names 2D data, but this writes 0D data (.d0d)"},
        // Options that would do nothing, and values outside the inspector's limits.
        {{"save", d2d, "-o", "x.d2d", "--sliding-average", "3"},
         "--sliding-average: the saved file stores the readings, not smoothed values"},
        {{"export", d2d, "-o", "x.dat", "--coords", "numbers"},
         "--coords numbers: 2D data exports always give electrode positions in metres"},
        {{"export", d2d, "-o", "x.dat", "--quality", "-5"}, "--quality: '-5' is outside 0 to 100 %"},
        {{"export", d2d, "-o", "x.dat", "--quality", "101"}, "--quality: '101' is outside 0 to 100 %"},
        {{"export", d2d, "-o", "x.dat", "--voltage", "-1:10"}, "--voltage: '-1:10' has a bound below 0"},
        {{"export", d2d, "-o", "x.dat", "--resistivity", "1:-10"}, "--resistivity: '1:-10' has a bound below 0"},
        // Designs that give nothing to save are explained before any save.
        {{"sequence", "2d", "--array", "wenner", "--spacing", "0", "-o", "x.s2d"},
         "--spacing: the unit spacing must be above 0 m"},
        {{"sequence", "2d", "--array", "wenner", "--spacing", "0.0001", "-o", "x.s2d"},
         "--spacing: the unit spacing must be above 0 m"},
        {{"sequence", "2d", "--array", "wenner", "--disable", "1-48", "-o", "x.s2d"},
         "the design gives no measurement: no enabled electrode left on cable 1 or cable 2"},
        {{"sequence", "2d", "--array", "wenner", "--group", "25,255,1,255", "-o", "x.s2d"},
         "the design gives no measurement: the 48 enabled electrodes (24 on cable 1, 24 on cable 2) leave no room"},
        {{"sequence", "1d", "--array", "wenner", "--group", "0,1,10", "-o", "x.s1d"},
         "--group '0,1,10': the first spacing D must be above 0 m"},
        {{"sequence", "1d", "--array", "wenner", "--group", "1,0,10", "-o", "x.s1d"},
         "--group '1,0,10': the increment must be above 0 m"},
        {{"sequence", "1d", "--array", "wenner", "--geometric", "--group", "1,1,10", "-o", "x.s1d"},
         "--group '1,1,10': with --geometric the factor must be above 1"},
        {{"sequence", "1d", "--array", "schlumberger", "--group", "1,1,5", "--group", "2,1,5,6", "-o", "x.s1d"},
         "--group '2,1,5,6': 6 overlaps, but group 1 has only 5 levels"},
    };
    for (const UsageCase &c : cases) {
        const VeskRun run = RunVesk(c.arguments, folder.Path());
        std::string line;
        for (const std::string &argument : c.arguments) line += argument.substr(0, 40) + " ";
        EXPECT_EQ(run.status, 2) << line << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << line << "\n" << run.err;
        EXPECT_NE(run.err.find("--help"), std::string::npos) << line;
        EXPECT_EQ(run.out, "") << line;
    }
    // Nothing was written by any of them.
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST(VeskCommandLine, NoArgumentsShowsTheCommandsAsAUsageError)
{
    ScratchFolder folder;
    const VeskRun run = RunVesk({}, folder.Path());
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("Commands:"), std::string::npos);
}

} // namespace
} // namespace vesk::test
