// The checks of the gridding routine, through the exported functions: the
// exact report on standard output, SUR left as it was, and the caller's
// process going on.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "MeshInterp.h"
#include "SurfGrid.h"

namespace {

constexpr double kUntouched = -12345.0;

struct Call {
  int32_t ndata;
  std::vector<double> x, y, f;
  int32_t nxout, nyout;
  std::vector<double> xout, yout;
};

Call Valid() {
  return {6, {0, 1, 2, 0, 1, 2.5}, {0, 0, 0, 1, 1, 1.2}, {1, 2, 3, 4, 5, 6}, 3, 2, {0, 1, 2}, {0, 1}};
}

struct Case {
  const char* name;
  std::function<void(Call&)> change;
  const char* report;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"too_few_points", [](Call& c) { c.ndata = 3; },
     " *** TERMINAL ERROR 1 from SURFGRID.  The number of data points must be\n"
     " ***          at least 4 while NDATA = 3 is given.\n"},
    {"no_grid_columns_and_rows",
     [](Call& c) {
       c.nxout = 0;
       c.nyout = 0;
     },
     " *** TERMINAL ERROR 2 from SURFGRID.  The number of elements in XOUT\n"
     " ***          must be greater than zero while NXOUT = 0 is given.\n"
     " *** TERMINAL ERROR 3 from SURFGRID.  The number of elements in YOUT\n"
     " ***          must be greater than zero while NYOUT = 0 is given.\n"},
    {"all_three_counts",
     [](Call& c) {
       c.ndata = -1;
       c.nxout = -2;
       c.nyout = 0;
     },
     " *** TERMINAL ERROR 1 from SURFGRID.  The number of data points must be\n"
     " ***          at least 4 while NDATA = -1 is given.\n"
     " *** TERMINAL ERROR 2 from SURFGRID.  The number of elements in XOUT\n"
     " ***          must be greater than zero while NXOUT = -2 is given.\n"
     " *** TERMINAL ERROR 3 from SURFGRID.  The number of elements in YOUT\n"
     " ***          must be greater than zero while NYOUT = 0 is given.\n"},
    {"storage",
     [](Call& c) {
       c.nxout = std::numeric_limits<int32_t>::max();
       c.nyout = std::numeric_limits<int32_t>::max();
     },
     " *** TERMINAL ERROR 9 from SURFGRID.  The required storage cannot be\n"
     " ***          allocated based on NDATA = 6, NXOUT = 2147483647, and\n"
     " ***          NYOUT = 2147483647.\n"},
    {"xout_not_increasing",
     [](Call& c) {
       c.xout = {0, 1, 1, 2};
       c.nxout = 4;
     },
     " *** FATAL ERROR 6 from SURFGRID_WORK.  The elements in XOUT must be\n"
     " ***          increasing, while XOUT(2) = 1 and XOUT(3) = 1 are given.\n"},
    {"xout_stops_before_yout",
     [](Call& c) {
       c.xout = {0, -1, 2};
       c.yout = {1, 0};
     },
     " *** FATAL ERROR 6 from SURFGRID_WORK.  The elements in XOUT must be\n"
     " ***          increasing, while XOUT(1) = 0 and XOUT(2) = -1 are given.\n"},
    {"yout_not_increasing", [](Call& c) { c.yout = {0.5, -0.25}; },
     " *** FATAL ERROR 7 from SURFGRID_WORK.  The elements in YOUT must be\n"
     " ***          increasing, while YOUT(1) = 0.5 and YOUT(2) = -0.25 are\n"
     " ***          given.\n"},
    {"equal_points",
     [](Call& c) {
       c.x[4] = c.x[1];
       c.y[4] = c.y[1];
       c.x[5] = c.x[4];  // a second equal pair that comes later
       c.y[5] = c.y[4];
     },
     " *** FATAL ERROR 5 from SURFGRID_TRIANGULATE.  Two data points are\n"
     " ***          equal.  XYDATA(2,I) = (1,0) and XYDATA(5,I) = (1,0).\n"
     " ***          These points must be distinct.\n"},
    {"collinear_points",
     [](Call& c) {
       c.ndata = 4;
       c.x = {0, 1, 2, 3};
       c.y = {0, 0, 1e-7, 0};
     },
     " *** TERMINAL ERROR 8 from SURFGRID_TRIANGULATE.  All points are\n"
     " ***          collinear.\n"},
    {"coordinate_not_finite", [](Call& c) { c.y[3] = std::numeric_limits<double>::quiet_NaN(); },
     " *** TERMINAL ERROR 10 from SURFGRID_WORK.  The coordinates must be\n"
     " ***          finite numbers, while XYDATA(4,2) = nan is given.\n"},
    {"grid_not_finite", [](Call& c) { c.xout[2] = std::numeric_limits<double>::infinity(); },
     " *** TERMINAL ERROR 10 from SURFGRID_WORK.  The coordinates must be\n"
     " ***          finite numbers, while XOUT(3) = inf is given.\n"},
};

class Checks : public ::testing::TestWithParam<Case> {};

std::string CallExport(void (*function)(int32_t, const double*, const double*, const double*, int32_t, int32_t,
                                 const double*, const double*, double*),
                       const Call& c, std::vector<double>& sur) {
  ::testing::internal::CaptureStdout();
  function(c.ndata, c.x.data(), c.y.data(), c.f.data(), c.nxout, c.nyout, c.xout.data(), c.yout.data(), sur.data());
  return ::testing::internal::GetCapturedStdout();
}

TEST_P(Checks, ReportsAndLeavesSurUntouched) {
  Call call = Valid();
  GetParam().change(call);
  std::vector<double> sur(10000, kUntouched);
  EXPECT_EQ(CallExport(SCATDATA_INTERPOL_DYN, call, sur), GetParam().report);
  EXPECT_EQ(sur, std::vector<double>(10000, kUntouched));
  if (call.nxout > 100 || call.nyout > 100) return;  // beyond the fixed buffers
  EXPECT_EQ(CallExport(SCATDATA_INTERPOL, call, sur), GetParam().report);
  EXPECT_EQ(sur, std::vector<double>(10000, kUntouched));
}

INSTANTIATE_TEST_SUITE_P(EachCheck, Checks, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(Checks, LeadingDimensionSmallerThanColumns) {
  // The exports always pass LDSUR = NXOUT; the routine itself checks it.
  const Call c = Valid();
  std::string printed;
  meshinterp::ErrorFacility errors([&](std::string_view text) { printed += text; });
  std::vector<double> sur(6, kUntouched);
  meshinterp::SurfGrid(errors, {c.ndata, c.x.data(), c.y.data(), c.f.data(), 3, 2, c.xout.data(), c.yout.data()},
                       sur.data(), 2);
  EXPECT_EQ(printed,
            " *** TERMINAL ERROR 4 from SURFGRID_WORK.  The leading dimension of SUR\n"
            " ***          must be at least as big as the number of elements in XOUT,\n"
            " ***          while LDSUR = 2 and NXOUT = 3 are given.\n");
  EXPECT_EQ(errors.CalleeClass(), meshinterp::ErrorClass::Terminal);
  EXPECT_EQ(errors.CalleeCode(), 4);
  EXPECT_EQ(sur, std::vector<double>(6, kUntouched));
}

TEST(Checks, FixedBuffersRefuseLargerRequests) {
  Call big = Valid();
  big.ndata = 1001;
  big.x.resize(1001);
  big.y.resize(1001);
  big.f.resize(1001);
  for (int k = 0; k < 1001; ++k) big.x[k] = k, big.y[k] = k * k % 37, big.f[k] = k;
  std::vector<double> sur(10000, kUntouched);
  EXPECT_EQ(CallExport(SCATDATA_INTERPOL, big, sur),
            " *** TERMINAL ERROR 11 from SCATDATA_INTERPOL.  The fixed buffers hold\n"
            " ***          at most 1000 data points and 10000 grid values, while\n"
            " ***          NDATA = 1001, NXOUT = 3, and NYOUT = 2 are given.\n");
  Call wide = Valid();
  wide.nxout = 101;
  wide.nyout = 100;
  EXPECT_NE(CallExport(SCATDATA_INTERPOL, wide, sur).find("ERROR 11 from SCATDATA_INTERPOL"), std::string::npos);
  EXPECT_EQ(sur, std::vector<double>(10000, kUntouched));
}

// A report of class FATAL or TERMINAL returns to the caller: the calling
// program can go on and make further calls.
TEST(Checks, ErrorsNeverEndTheCallingProcess) {
  Call duplicate = Valid();
  duplicate.x[3] = duplicate.x[0];
  duplicate.y[3] = duplicate.y[0];
  Call collinear = Valid();
  collinear.x = {0, 1, 2, 3, 4, 5};
  collinear.y = {0, 0.5, 1, 1.5, 2, 2.5};
  std::vector<double> sur(6, kUntouched);
  for (int round = 0; round < 2; ++round) {
    EXPECT_NE(CallExport(SCATDATA_INTERPOL_DYN, duplicate, sur).find("FATAL ERROR 5"), std::string::npos);
    EXPECT_NE(CallExport(SCATDATA_INTERPOL_DYN, collinear, sur).find("TERMINAL ERROR 8"), std::string::npos);
  }
  EXPECT_EQ(sur, std::vector<double>(6, kUntouched));
  EXPECT_EQ(CallExport(SCATDATA_INTERPOL_DYN, Valid(), sur), "");
  EXPECT_EQ(sur[0], 1);  // the node at the first data point
}

}  // namespace

// Large sets that the method cannot triangulate are refused after work in
// proportion to their size: a file of one repeated record gives hundreds of
// thousands of equal points, a single line of electrodes only collinear
// ones. (A search over all pairs would take minutes here.)
TEST(Checks, LargeDegenerateSetsAreRefusedWithTheirReport) {
  constexpr int kCount = 300000;
  struct Degenerate {
    const char* name;
    std::function<void(int, double&, double&)> place;
    const char* report;
  };
  const Degenerate cases[] = {
      {"one_repeated_point", [](int, double& x, double& y) { x = 12.5, y = -3; },
       " *** FATAL ERROR 5 from SURFGRID_TRIANGULATE.  Two data points are\n"
       " ***          equal.  XYDATA(1,I) = (12.5,-3) and XYDATA(2,I) =\n"
       " ***          (12.5,-3).  These points must be distinct.\n"},
      {"repeated_after_distinct_points",
       [](int k, double& x, double& y) { x = k < 1000 ? k : 2000, y = k < 1000 ? k % 7 : 1; },
       " *** FATAL ERROR 5 from SURFGRID_TRIANGULATE.  Two data points are\n"
       " ***          equal.  XYDATA(1001,I) = (2000,1) and XYDATA(1002,I) =\n"
       " ***          (2000,1).  These points must be distinct.\n"},
      {"one_row", [](int k, double& x, double& y) { x = 0.5 * k, y = 7; },
       " *** TERMINAL ERROR 8 from SURFGRID_TRIANGULATE.  All points are\n"
       " ***          collinear.\n"},
      {"one_column", [](int k, double& x, double& y) { x = -1, y = 0.25 * k; },
       " *** TERMINAL ERROR 8 from SURFGRID_TRIANGULATE.  All points are\n"
       " ***          collinear.\n"},
  };
  for (const Degenerate& c : cases) {
    SCOPED_TRACE(c.name);
    Call call{kCount, std::vector<double>(kCount), std::vector<double>(kCount), std::vector<double>(kCount, 1.0),
              100, 100, std::vector<double>(100), std::vector<double>(100)};
    for (int k = 0; k < kCount; ++k) c.place(k, call.x[k], call.y[k]);
    for (int i = 0; i < 100; ++i) call.xout[i] = call.yout[i] = i;
    std::vector<double> sur(10000, kUntouched);
    EXPECT_EQ(CallExport(SCATDATA_INTERPOL_DYN, call, sur), c.report);
    EXPECT_EQ(sur, std::vector<double>(10000, kUntouched));
  }
}
