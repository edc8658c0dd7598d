// .d0d files: every accepted version and the result codes.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "byte_builder.h"
#include "file_calls.h"
#include "file_images.h"
#include "null_cases.h"
#include "temp_folder.h"

namespace {

class Files0d : public ::testing::Test {
protected:
    std::string fileWith(std::uint8_t version, const std::vector<Record0dFields> &records) {
        PrefixFields header;
        header.version = version;
        header.count = static_cast<std::uint32_t>(records.size());
        ByteBuilder out;
        header.appendTo(out);
        for (const Record0dFields &record : records) record.appendTo(out);
        const std::string path = folder.file("points.d0d");
        writeFileBytes(path, out.data());
        return path;
    }

    TempFolder folder;
    std::string missing = folder.file("missing.d0d");
    const std::vector<Record0dFields> stored = {
        {{7, 1234, 56, 78, 99}}, {{1, 2, 3, 4, 5}}, {{0xFFFFFFFF, 0x10000000, 0, 9, 0xFFFFFFFF}}};
};

TEST_F(Files0d, HeaderReaderReadsBothFormats) {
    for (const std::uint8_t version : {201, 101}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(version, stored);
        Header0dRead header;
        ASSERT_EQ(header(path), 0);
        EXPECT_EQ(header.count, 3u);
        EXPECT_EQ(header.comment, PrefixFields{}.comment);
        EXPECT_EQ(header.settings, PrefixFields{}.settings);

        Header0dRead countOnly;
        countOnly.nulled = {"comment", "settings"};
        ASSERT_EQ(countOnly(path), 0);
        EXPECT_EQ(countOnly.count, 3u);
    }
}

TEST_F(Files0d, RecordReaderReadsBothFormats) {
    for (const auto &[version, oldFormat] : {std::pair<std::uint8_t, bool>{201, false}, {101, true}}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(version, stored);
        ASSERT_EQ(readFileBytes(path).size(), 261u + 3 * 20);
        Records0dRead read(3);
        ASSERT_EQ(read(path), 0);
        const std::uint32_t scale = oldFormat ? 10 : 1;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(read.slot1[i], oldFormat ? 0 : stored[i].slots[0]);
            EXPECT_EQ(read.slot2[i], stored[i].slots[1] * scale);
            EXPECT_EQ(read.slot3[i], stored[i].slots[2] * scale);
            EXPECT_EQ(read.slot4[i], stored[i].slots[3] * scale);
        }
    }
}

TEST_F(Files0d, ReadersRefuseOtherVersionsWithoutTouchingOutputs) {
    for (const std::uint8_t version : {0, 102, 202, 211, 221}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(version, stored);
        Header0dRead header;
        EXPECT_EQ(header(path), 2);
        EXPECT_TRUE(header == Header0dRead{});
        Records0dRead read(3);
        EXPECT_EQ(read(path), 2);
        EXPECT_TRUE(read == Records0dRead(3));
    }
}

TEST_F(Files0d, ReadersCheckPointersBeforeOpening) {
    expectNullCodes(Header0dRead{}, missing, {{"fileName", 101}, {"count", 102}, {"comment", 1}, {"settings", 1}});
    expectNullCodes(Records0dRead(1), missing,
                    {{"fileName", 101}, {"slot1", 102}, {"slot2", 103}, {"slot3", 104}, {"slot4", 105}});
}

} // namespace
