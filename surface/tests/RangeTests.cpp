// Inputs that once gave a wrong surface without a report or ended the
// process: missing arrays, values that are not finite numbers, data at
// extreme scales, points too close to be resolved and extents in x and y
// too far apart. Each now gives a true surface or a report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "MeshInterp.h"

namespace {

constexpr double kUntouched = -12345.0;

using Export = void (*)(int32_t, const double*, const double*, const double*, int32_t, int32_t, const double*,
                        const double*, double*);

struct Data {
  std::vector<double> x, y, f, xout, yout;
};

std::vector<double> Steps(double lo, double hi, int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(lo + (hi - lo) * i / (count - 1));
  return v;
}

// The corners of the square [0, s]^2 with values of the plane
// 1 + 2 x / s + 3 y / s, and an 11 x 11 grid over the square.
Data Square(double s) {
  return {{0, s, s, 0}, {0, 0, s, s}, {1, 3, 6, 4}, Steps(0, s, 11), Steps(0, s, 11)};
}

// The printed reports with each report on one line: continuation prefixes
// become single blanks.
std::string Flat(const std::string& printed) {
  static const std::string kContinuation = "\n ***          ";
  std::string flat = printed;
  for (std::size_t at; (at = flat.find(kContinuation)) != std::string::npos;) flat.replace(at, kContinuation.size(), " ");
  return flat;
}

std::string Call(Export function, const Data& d, std::vector<double>& sur) {
  sur.assign(10000, kUntouched);
  ::testing::internal::CaptureStdout();
  function(static_cast<int32_t>(d.x.size()), d.x.data(), d.y.data(), d.f.data(), static_cast<int32_t>(d.xout.size()),
           static_cast<int32_t>(d.yout.size()), d.xout.data(), d.yout.data(), sur.data());
  return Flat(::testing::internal::GetCapturedStdout());
}

bool Untouched(const std::vector<double>& sur) {
  for (double v : sur) {
    if (v != kUntouched) return false;
  }
  return true;
}

TEST(Range, EveryMissingArrayIsRefusedInArgumentOrder) {
  const Data d = Square(1);
  const char* names[] = {"XDATA", "YDATA", "FDATA", "XOUT", "YOUT", "SUR"};
  for (Export function : {SCATDATA_INTERPOL_DYN, SCATDATA_INTERPOL}) {
    for (int missing = 0; missing < 6; ++missing) {
      const double* arrays[] = {d.x.data(), d.y.data(), d.f.data(), d.xout.data(), d.yout.data()};
      if (missing < 5) arrays[missing] = nullptr;
      std::vector<double> sur(10000, kUntouched);
      ::testing::internal::CaptureStdout();
      function(4, arrays[0], arrays[1], arrays[2], 11, 11, arrays[3], arrays[4], missing == 5 ? nullptr : sur.data());
      const std::string printed = Flat(::testing::internal::GetCapturedStdout());
      EXPECT_NE(printed.find("TERMINAL ERROR 12"), std::string::npos) << names[missing];
      EXPECT_NE(printed.find(std::string("The array ") + names[missing] + " must be given"), std::string::npos)
          << printed;
      EXPECT_TRUE(Untouched(sur)) << names[missing];
    }
    ::testing::internal::CaptureStdout();
    function(4, nullptr, nullptr, nullptr, 11, 11, nullptr, nullptr, nullptr);
    const std::string printed = Flat(::testing::internal::GetCapturedStdout());
    std::size_t at = 0;
    for (const char* name : names) {
      at = printed.find(std::string("The array ") + name + " must", at);
      ASSERT_NE(at, std::string::npos) << name << " in\n" << printed;
    }
  }
}

TEST(Range, ValuesThatAreNotFiniteAreRefused) {
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
    Data d = Square(1);
    d.f[2] = bad;
    std::vector<double> sur;
    const std::string printed = Call(SCATDATA_INTERPOL_DYN, d, sur);
    EXPECT_NE(printed.find("TERMINAL ERROR 10 from SURFGRID_WORK.  The values must be finite numbers, while"),
              std::string::npos)
        << printed;
    EXPECT_NE(printed.find("FDATA(3)"), std::string::npos) << printed;
    EXPECT_TRUE(Untouched(sur));
  }
}

// Scales at which squares and products of four coordinate differences
// overflow or underflow: the plane is reproduced at every node.
TEST(Range, ExtremeScalesOfCoordinatesGiveTheSurfaceOfTheUnitSquare) {
  std::vector<double> unit;
  ASSERT_EQ(Call(SCATDATA_INTERPOL_DYN, Square(1), unit), "");
  for (double s : {1e100, 1e-100, 1e200, 1e300, 1e-200, 1e-300}) {
    const Data d = Square(s);
    std::vector<double> sur;
    EXPECT_EQ(Call(SCATDATA_INTERPOL_DYN, d, sur), "") << s;
    for (int j = 0; j < 11; ++j) {
      for (int i = 0; i < 11; ++i) {
        ASSERT_NEAR(sur[j * 11 + i], 1 + 0.2 * i + 0.3 * j, 1e-12) << "scale " << s << " node " << i << "," << j;
      }
    }
  }
  // A power of two changes no rounding: the very same bits.
  for (int exponent : {-900, -400, 400, 1000}) {
    std::vector<double> sur;
    EXPECT_EQ(Call(SCATDATA_INTERPOL_DYN, Square(std::ldexp(1.0, exponent)), sur), "");
    EXPECT_EQ(sur, unit) << exponent;
  }
}

TEST(Range, ExtremeScalesOfValuesGiveTheScaledSurface) {
  for (double scale : {1e300, 1e-300, 1e-320}) {
    Data d = Square(1);
    for (double& v : d.f) v *= scale;
    std::vector<double> sur;
    EXPECT_EQ(Call(SCATDATA_INTERPOL_DYN, d, sur), "") << scale;
    for (int j = 0; j < 11; ++j) {
      for (int i = 0; i < 11; ++i) {
        const double plane = (1 + 0.2 * i + 0.3 * j) * scale;
        ASSERT_NEAR(sur[j * 11 + i], plane, std::fabs(plane) * 1e-9 + 1e-323) << scale << " node " << i << "," << j;
      }
    }
  }
}

struct Unresolvable {
  const char* name;
  Data data;
  const char* reason;
};

void PrintTo(const Unresolvable& c, std::ostream* os) { *os << c.name; }

Data OneUlpApart() {
  const double e = std::nextafter(0.5, 1.0);
  return {{0, 1, 0, 1, 0.5, e}, {0, 0, 1, 1, 0.5, 0.5}, {1, 2, 3, 4, 5, 6}, Steps(0, 1, 11), Steps(0, 1, 11)};
}

Data ThinPlane() {
  Data d{{0, 1e6, 0, 1e6, 5e5, 2.5e5}, {0, 0, 1e-6, 1e-6, 0.5e-6, 0.75e-6}, {}, Steps(0, 1e6, 11), Steps(0, 1e-6, 11)};
  for (int k = 0; k < 6; ++k) d.f.push_back(1 + 2e-6 * d.x[k] + 3e6 * d.y[k]);
  return d;
}

// Points 5 and 6 are 1e-170 apart: their squared distance is not a double
// (before, they were reported as equal).
Data CloserThanSquaresResolve() {
  return {{0, 1, 0, 1, 0, 1e-170}, {0, 0, 1, 1, 0.5, 0.5}, {1, 2, 3, 4, 5, 6}, Steps(0, 1, 5), Steps(0, 1, 5)};
}

class Beyond : public ::testing::TestWithParam<Unresolvable> {};

TEST_P(Beyond, IsReportedAndSurIsLeftAlone) {
  for (Export function : {SCATDATA_INTERPOL_DYN, SCATDATA_INTERPOL}) {
    std::vector<double> sur;
    const std::string printed = Call(function, GetParam().data, sur);
    EXPECT_NE(printed.find("TERMINAL ERROR 13"), std::string::npos) << printed;
    EXPECT_NE(printed.find(GetParam().reason), std::string::npos) << printed;
    EXPECT_TRUE(Untouched(sur));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Data, Beyond,
    ::testing::Values(Unresolvable{"one_ulp_apart", OneUlpApart(), "not a finite number"},
                      Unresolvable{"extent_1e6_by_1em6", ThinPlane(), "the points extend 1e+06 in x and 1e-06 in y"},
                      Unresolvable{"distance_below_squares", CloserThanSquaresResolve(),
                                   "the distance of points 5 and 6 is too small"}),
    [](const ::testing::TestParamInfo<Unresolvable>& info) { return info.param.name; });

// Data that are merely thin keep their surface: a plane over a strip 1e-5
// as high as it is wide is reproduced.
TEST(Range, ThinButResolvableDataKeepTheirSurface) {
  Data d;
  for (int k = 0; k < 40; ++k) {
    d.x.push_back(1000.0 * ((k * 37) % 40) / 39);
    d.y.push_back(1e-2 * ((k * 11) % 13) / 12);
    d.f.push_back(1 + 2e-3 * d.x.back() + 3e2 * d.y.back());
  }
  d.xout = Steps(0, 1000, 11);
  d.yout = Steps(0, 1e-2, 11);
  std::vector<double> sur;
  EXPECT_EQ(Call(SCATDATA_INTERPOL_DYN, d, sur), "");
  for (int j = 0; j < 11; ++j) {
    for (int i = 0; i < 11; ++i) ASSERT_NEAR(sur[j * 11 + i], 1 + 2e-3 * d.xout[i] + 3e2 * d.yout[j], 1e-9);
  }
}

// The pseudo-section of one Wenner spread 1000 wide pressed to a height of
// 1000 / ratio, with the values of a plane that rises by 2 along x and by 3
// across the height, and an 11 x 11 grid over the points' box.
Data PressedSpread(double ratio) {
  Data d;
  const double height = 1000 / ratio;
  for (int level = 1; level <= 15; ++level) {
    for (int first = 1; first + 3 * level <= 48; ++first) {
      d.x.push_back(1000 * ((first - 1) + 1.5 * level) / 48);
      d.y.push_back(level / 15.0 * height);
      d.f.push_back(1 + 2 * d.x.back() / 1000 + 3 * d.y.back() / height);
    }
  }
  const auto [xmin, xmax] = std::minmax_element(d.x.begin(), d.x.end());
  d.xout = Steps(*xmin, *xmax, 11);
  d.yout = Steps(height / 15, height, 11);
  return d;
}

// Up to the limit of extents 1e6 apart the plane is reproduced at every
// node; a little beyond it the same shape leaves nodes in no region, whose
// values would be the caller's old ones, so it is refused.
TEST(Range, ThinDataKeepTheirPlaneUpToTheExtentLimitAndAreRefusedBeyond) {
  for (double ratio : {1e3, 1e5, 9e5}) {
    const Data d = PressedSpread(ratio);
    std::vector<double> sur;
    EXPECT_EQ(Call(SCATDATA_INTERPOL_DYN, d, sur), "") << ratio;
    const double height = 1000 / ratio;
    for (int j = 0; j < 11; ++j) {
      for (int i = 0; i < 11; ++i) {
        const double plane = 1 + 2 * d.xout[i] / 1000 + 3 * d.yout[j] / height;
        ASSERT_NEAR(sur[j * 11 + i], plane, 1e-9) << "ratio " << ratio << " node " << i << "," << j;
      }
    }
  }
  for (double ratio : {1.5e6, 1e7}) {
    std::vector<double> sur;
    const std::string printed = Call(SCATDATA_INTERPOL_DYN, PressedSpread(ratio), sur);
    EXPECT_NE(printed.find("TERMINAL ERROR 13"), std::string::npos) << printed;
    EXPECT_NE(printed.find("the points extend 916.6666666666666 in x"), std::string::npos) << printed;
    EXPECT_TRUE(Untouched(sur)) << ratio;
  }
}

}  // namespace
