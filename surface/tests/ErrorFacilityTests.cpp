#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ErrorFacility.h"

namespace meshinterp {
namespace {

struct Recorder {
  std::string printed;
  ErrorFacility errors{[this](std::string_view text) { printed += text; }};
};

TEST(ErrorFacility, FillsPlaceholdersOfEveryKindWithoutRegardToLetterCase) {
  struct Case {
    const char* message;
    const char* expected;
  };
  const Case cases[] = {
      {"NDATA = %(I1) is given.", "NDATA = 3 is given."},
      {"NDATA = %(i1) is given.", "NDATA = 3 is given."},
      {"XOUT(%(I1)) = %(D1) and XOUT(%(I2)) = %(d2)", "XOUT(3) = 1.5 and XOUT(4) = -0.25"},
      {"(%(d1),%(D3))", "(1.5,1e-07)"},
      {"%(L1) and %(l2)", "XYDATA(7,1) and text"},
      {"unset %(I9), unknown %(X1), open %(I1", "unset %(I9), unknown %(X1), open %(I1"},
  };
  for (const Case& c : cases) {
    Recorder r;
    r.errors.StoreInteger(1, 3);
    r.errors.StoreInteger(2, 4);
    r.errors.StoreReal(1, 1.5);
    r.errors.StoreReal(2, -0.25);
    r.errors.StoreReal(3, 1e-7);
    r.errors.StoreText(1, "XYDATA(7,1)");
    r.errors.StoreText(2, "text");
    EXPECT_EQ(r.errors.FillPlaceholders(c.message), c.expected) << c.message;
  }
}

TEST(ErrorFacility, StoredValuesServeOnlyTheNextReport) {
  Recorder r;
  r.errors.Register("A");
  r.errors.StoreInteger(1, 5);
  r.errors.Post(ErrorClass::Terminal, 1, "n = %(I1)");
  r.errors.Post(ErrorClass::Terminal, 2, "n = %(I1)");
  r.errors.Deregister("A");
  EXPECT_EQ(r.printed,
            " *** TERMINAL ERROR 1 from A.  n = 5\n"
            " *** TERMINAL ERROR 2 from A.  n = %(I1)\n");
}

// Each class posted in an inner routine: when its report is printed and
// what the outer routine sees afterwards.
TEST(ErrorFacility, PrintsAndHandsDownEachClassByItsRule) {
  struct Case {
    ErrorClass posted;
    const char* word;
    bool printedWhenPosted;
    bool printedByOutermost;
    ErrorClass seenByOuter;
  };
  const Case cases[] = {
      {ErrorClass::Note, "NOTE", false, false, ErrorClass::None},
      {ErrorClass::Alert, "ALERT", false, false, ErrorClass::Alert},
      {ErrorClass::Warning, "WARNING", false, true, ErrorClass::Warning},
      {ErrorClass::Fatal, "FATAL", false, true, ErrorClass::Fatal},
      {ErrorClass::Terminal, "TERMINAL", true, false, ErrorClass::Terminal},
      {ErrorClass::WarningImmediate, "WARNING", true, false, ErrorClass::WarningImmediate},
      {ErrorClass::FatalImmediate, "FATAL", true, false, ErrorClass::FatalImmediate},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.posted));
    Recorder r;
    const std::string report = std::string(" *** ") + c.word + " ERROR 17 from INNER.  Something.\n";
    r.errors.Register("OUTER");
    r.errors.Register("INNER");
    r.errors.Post(c.posted, 17, "Something.");
    EXPECT_EQ(r.errors.PendingClass(), c.posted);
    EXPECT_EQ(r.errors.PendingCode(), 17);
    EXPECT_EQ(r.printed, c.printedWhenPosted ? report : "");
    r.errors.Deregister("INNER");
    EXPECT_EQ(r.errors.CalleeClass(), c.posted);
    EXPECT_EQ(r.errors.CalleeCode(), 17);
    EXPECT_EQ(r.errors.PendingClass(), c.seenByOuter);
    EXPECT_EQ(r.errors.PendingCode(), c.seenByOuter == ErrorClass::None ? 0 : 17);
    EXPECT_EQ(r.printed, c.printedWhenPosted ? report : "");
    r.errors.Deregister("OUTER");
    EXPECT_EQ(r.printed, (c.printedWhenPosted || c.printedByOutermost) ? report : "");
    EXPECT_EQ(r.errors.Depth(), 0);
  }
}

TEST(ErrorFacility, NewLevelStartsWithoutPendingErrorAndLaterPostReplaces) {
  Recorder r;
  r.errors.Register("OUTER");
  r.errors.Post(ErrorClass::Warning, 1, "first");
  r.errors.Register("INNER");
  EXPECT_EQ(r.errors.PendingClass(), ErrorClass::None);
  r.errors.Deregister("INNER");
  EXPECT_EQ(r.errors.PendingClass(), ErrorClass::Warning);
  r.errors.Post(ErrorClass::Fatal, 2, "second");
  r.errors.Deregister("OUTER");
  EXPECT_EQ(r.printed, " *** FATAL ERROR 2 from OUTER.  second\n");
}

TEST(ErrorFacility, WrapsLongReportsOntoContinuationLines) {
  const std::string message =
      "Two data points are equal.  XYDATA(2,I) = (0.125,7) and XYDATA(5,I) = (0.125,7).  These points must be "
      "distinct.";
  const std::string report = ErrorFacility::ComposeReport(ErrorClass::Fatal, 5, "SURFGRID_TRIANGULATE", message);
  EXPECT_EQ(report,
            " *** FATAL ERROR 5 from SURFGRID_TRIANGULATE.  Two data points are\n"
            " ***          equal.  XYDATA(2,I) = (0.125,7) and XYDATA(5,I) =\n"
            " ***          (0.125,7).  These points must be distinct.\n");
  // A word longer than a line is cut.
  const std::string longWord(100, 'x');
  const std::string cut = ErrorFacility::ComposeReport(ErrorClass::Terminal, 1, "R", longWord);
  std::size_t lineStart = 0;
  for (std::size_t end = cut.find('\n'); end != std::string::npos; end = cut.find('\n', lineStart)) {
    EXPECT_LE(end - lineStart, ErrorFacility::kLineWidth);
    lineStart = end + 1;
  }
  EXPECT_EQ(lineStart, cut.size());
}

TEST(ErrorFacility, KeepsRoutineNamesToThirtyTwoCharactersAndFiftyLevels) {
  Recorder r;
  const std::string name(40, 'N');
  r.errors.Register(name);
  r.errors.Post(ErrorClass::Terminal, 3, "x");
  r.errors.Deregister(name);
  EXPECT_EQ(r.printed, " *** TERMINAL ERROR 3 from " + std::string(32, 'N') + ".  x\n");

  for (int level = 0; level < ErrorFacility::kMaxLevels; ++level) r.errors.Register("L");
  EXPECT_THROW(r.errors.Register("L"), std::length_error);
}

}  // namespace
}  // namespace meshinterp
