// Layout of SUR for both exports and the fixed-buffer block's memory. The
// block test is the only successful call of SCATDATA_INTERPOL in this
// program, so it sees the block as it is before the first call.
#include <gtest/gtest.h>

#include <vector>

#include "MeshInterp.h"

namespace {

const std::vector<double> kX{0, 4, 4, 0, 1.5, 2.5}, kY{0, 0, 3, 3, 1, 2};

double Plane(double x, double y) { return 7 - 2 * x + 5 * y; }

std::vector<double> Values() {
  std::vector<double> f;
  for (std::size_t k = 0; k < kX.size(); ++k) f.push_back(Plane(kX[k], kY[k]));
  return f;
}

std::vector<double> Steps(double lo, double step, int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(lo + i * step);
  return v;
}

TEST(Exports, DynamicExportWritesColumnMajorWithLeadingDimensionNxout) {
  const std::vector<double> f = Values();
  const std::vector<double> xout = Steps(-1, 0.75, 7), yout = Steps(-0.5, 1.25, 4);
  std::vector<double> sur(7 * 4 + 3, -1.0);
  SCATDATA_INTERPOL_DYN(6, kX.data(), kY.data(), f.data(), 7, 4, xout.data(), yout.data(), sur.data());
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(sur[j * 7 + i], Plane(xout[i], yout[j]), 1e-12) << i << "," << j;
  }
  EXPECT_EQ(sur[28], -1.0);  // nothing beyond NXOUT * NYOUT values
  EXPECT_EQ(sur[30], -1.0);
}

TEST(Exports, FixedBufferCopiesTheWholeBlockWhichKeepsItsContents) {
  const std::vector<double> f = Values();
  auto call = [&](int nx, int ny, std::vector<double>& sur) {
    const std::vector<double> xout = Steps(0, 4.0 / nx, nx), yout = Steps(0, 3.0 / ny, ny);
    SCATDATA_INTERPOL(6, kX.data(), kY.data(), f.data(), nx, ny, xout.data(), yout.data(), sur.data());
    for (int j = 0; j < ny; ++j) {
      for (int i = 0; i < nx; ++i) ASSERT_NEAR(sur[j * nx + i], Plane(xout[i], yout[j]), 1e-12);
    }
  };
  std::vector<double> first(10000, -1.0);
  call(5, 4, first);
  for (int k = 20; k < 10000; ++k) ASSERT_EQ(first[k], 0.0) << k;  // zeros before the first call

  std::vector<double> second(10000, -1.0);
  call(10, 10, second);
  for (int k = 100; k < 10000; ++k) ASSERT_EQ(second[k], 0.0) << k;

  std::vector<double> third(10000, -1.0);
  call(3, 3, third);
  for (int k = 9; k < 100; ++k) ASSERT_EQ(third[k], second[k]) << k;  // the 10 x 10 grid's values
  for (int k = 100; k < 10000; ++k) ASSERT_EQ(third[k], 0.0) << k;

  // A refused call leaves both SUR and the block alone.
  std::vector<double> refused(10000, -1.0);
  const std::vector<double> decreasing{1, 0};
  testing::internal::CaptureStdout();
  SCATDATA_INTERPOL(6, kX.data(), kY.data(), f.data(), 2, 2, decreasing.data(), decreasing.data(), refused.data());
  EXPECT_NE(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(refused, std::vector<double>(10000, -1.0));
  std::vector<double> fourth(10000, -1.0);
  call(3, 3, fourth);
  EXPECT_EQ(fourth, third);
}

}  // namespace
