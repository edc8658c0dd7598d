#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "synth/d0d_file.h"

namespace synth {
namespace {

namespace fs = std::filesystem;

class D0dFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(::testing::TempDir()) /
              ("synth_d0d_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  static std::vector<std::uint8_t> Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
};

Reading MakeReading(std::uint32_t c, std::uint32_t u, std::uint32_t i, std::uint32_t q, std::uint32_t rho) {
  Reading r;
  r.chargeability = c;
  r.voltage = u;
  r.current = i;
  r.quality = q;
  r.resistivityMilli = rho;
  return r;
}

TEST_F(D0dFile, WritesTheExactBytes) {
  const std::vector<Reading> readings{MakeReading(12345, 0x01020304, 150000, 870, 0xA1B2C3D4),
                                      MakeReading(0, 7, 0xFFFFFFFF, 0, 1)};
  const fs::path path = folder_ / "two.d0d";
  ASSERT_TRUE(WriteD0dFile(path, readings, {2, 2, 6, 2, 21, 9}, "Line 7"));

  std::vector<std::uint8_t> expected(261 + 2 * 20, 0);
  expected[0] = 201;
  expected[1] = 2;  // count, little-endian
  const std::string comment = "Line 7";
  std::copy(comment.begin(), comment.end(), expected.begin() + 5);
  const std::uint8_t settings[] = {2, 2, 6, 2, 21, 9};
  std::copy(std::begin(settings), std::end(settings), expected.begin() + 255);
  const std::uint8_t records[] = {
      0x39, 0x30, 0x00, 0x00,  // 12345
      0x04, 0x03, 0x02, 0x01,  // U
      0xF0, 0x49, 0x02, 0x00,  // 150000
      0x66, 0x03, 0x00, 0x00,  // 870
      0xD4, 0xC3, 0xB2, 0xA1,  // rho_a
      0x00, 0x00, 0x00, 0x00,  //
      0x07, 0x00, 0x00, 0x00,  //
      0xFF, 0xFF, 0xFF, 0xFF,  //
      0x00, 0x00, 0x00, 0x00,  //
      0x01, 0x00, 0x00, 0x00,
  };
  std::copy(std::begin(records), std::end(records), expected.begin() + 261);
  EXPECT_EQ(Bytes(path), expected);
  EXPECT_FALSE(fs::exists(folder_ / "two.d0d.tmp"));
}

TEST_F(D0dFile, EmptyListAndFullCommentAreWritten) {
  const fs::path path = folder_ / "empty.d0d";
  const std::string comment(250, 'x');
  ASSERT_TRUE(WriteD0dFile(path, {}, {1, 1, 1, 0, 0, 0}, comment));
  const std::vector<std::uint8_t> bytes = Bytes(path);
  ASSERT_EQ(bytes.size(), 261u);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3] | bytes[4], 0);
  EXPECT_EQ(bytes[5], 'x');
  EXPECT_EQ(bytes[254], 'x');
  EXPECT_EQ(bytes[255], 1);
}

TEST_F(D0dFile, FailureLeavesTheExistingFileAlone) {
  const fs::path path = folder_ / "kept.d0d";
  const std::vector<Reading> first{MakeReading(1, 2, 3, 4, 5)};
  ASSERT_TRUE(WriteD0dFile(path, first, {}, ""));
  const std::vector<std::uint8_t> before = Bytes(path);

  const std::vector<Reading> second{MakeReading(9, 9, 9, 9, 9), MakeReading(8, 8, 8, 8, 8)};
  EXPECT_FALSE(WriteD0dFile(path, second, {}, std::string(251, 'y')));  // comment too long
  EXPECT_EQ(Bytes(path), before);
  EXPECT_FALSE(WriteD0dFile(folder_ / "missing" / "x.d0d", second, {}, ""));
  EXPECT_FALSE(fs::exists(folder_ / "missing"));

  fs::create_directory(folder_ / "folder.d0d");
  EXPECT_FALSE(WriteD0dFile(folder_ / "folder.d0d", second, {}, ""));
  EXPECT_FALSE(fs::exists(folder_ / "folder.d0d.tmp"));
  fs::remove(folder_ / "folder.d0d");

  // A successful write replaces the file.
  ASSERT_TRUE(WriteD0dFile(path, second, {}, ""));
  EXPECT_EQ(Bytes(path).size(), 261u + 40u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace synth
