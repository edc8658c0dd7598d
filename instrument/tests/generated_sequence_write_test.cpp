// Every sequence the 2D generator produces passes the electrode check of the
// .s2d writer: only enabled electrodes, in the pattern of the array type.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "profile_design.h"
#include "temp_folder.h"
#include "vesk_pro.h"

namespace {

using vesk_test::Generate;
using vesk_test::ProfileDesign;
using vesk_test::Quadruple;

constexpr uint32_t kUnitSpacingMm = 1000;

struct Columns {
  std::vector<uint32_t> a, m, n, b;
};

Columns ToColumns(const std::vector<Quadruple>& records) {
  Columns c;
  for (const Quadruple& q : records) {
    c.a.push_back(q[0]);
    c.m.push_back(q[1]);
    c.n.push_back(q[2]);
    c.b.push_back(q[3]);
  }
  return c;
}

uint8_t Write(const std::string& path, const ProfileDesign& d, const Columns& c) {
  const vesk_test::DesignArrays arrays(d);
  return s2d_write(path.c_str(), nullptr, d.arrayType, d.rollAlong, kUnitSpacingMm, 0, arrays.cable1.data(),
                   arrays.cable2.data(), d.groupCount, arrays.multipliers.data(), arrays.levels.data(),
                   arrays.levelSteps.data(), arrays.startLevels.data(), static_cast<uint32_t>(c.a.size()), c.a.data(),
                   c.m.data(), c.n.data(), c.b.data());
}

// Each test writes into a folder of its own: CTest runs the tests of this
// file in parallel processes.
class GeneratedSequenceWriteTest : public testing::Test {
 protected:
  TempFolder folder_;
  const std::string path_ = folder_.file("generated.s2d");
};

TEST_F(GeneratedSequenceWriteTest, EveryGeneratedQuadruplePassesTheWritersElectrodeCheck) {
  std::mt19937 random(7310);
  int written = 0;
  for (int trial = 0; trial < 300; ++trial) {
    const ProfileDesign d = vesk_test::RandomDesign(random);
    const std::vector<Quadruple> records = Generate(d);
    if (records.empty()) continue;  // the writer refuses an empty sequence
    ASSERT_EQ(Write(path_, d, ToColumns(records)), 0)
        << "trial " << trial << ", array type " << d.arrayType << ", " << records.size() << " records";
    EXPECT_EQ(std::filesystem::file_size(path_), 335u + 4u * records.size());
    ++written;
  }
  EXPECT_GT(written, 100);
}

TEST_F(GeneratedSequenceWriteTest, WriterRefusesAQuadrupleOutsideTheDesign) {
  // Guards the property above: the same check does refuse a stray electrode.
  ProfileDesign d;
  d.arrayType = 3;  // Wenner Beta
  d.Group(0, 1, 4, 1, 1);
  d.enabled[40] = 0;
  Columns c = ToColumns(Generate(d));
  ASSERT_FALSE(c.a.empty());
  ASSERT_EQ(Write(path_, d, c), 0);
  c.b.back() = 41;
  EXPECT_EQ(Write(path_, d, c), 206);
}

}  // namespace
