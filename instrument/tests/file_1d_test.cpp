// .s1d and .d1d files: layouts, every accepted version, result codes.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "byte_builder.h"
#include "file_calls.h"
#include "file_images.h"
#include "null_cases.h"
#include "temp_folder.h"

namespace {

class Files1d : public ::testing::Test {
protected:
    std::string fileWith(const std::vector<std::uint8_t> &bytes, const std::string &name = "sounding.d1d") {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    TempFolder folder;
    std::string missing = folder.file("missing.d1d");
};

Header1dFields headerOf(std::uint8_t version, std::uint32_t count) {
    Header1dFields header;
    header.prefix.version = version;
    header.prefix.count = count;
    return header;
}

std::vector<std::uint8_t> d1dImage(const Header1dFields &header, const std::vector<Record1dFields> &records) {
    ByteBuilder out;
    header.appendTo(out);
    for (const Record1dFields &record : records) record.appendTo(out);
    return out.data();
}

std::vector<std::uint8_t> s1dImage(const Header1dFields &header, const std::vector<std::uint32_t> &halfAB,
                                   const std::vector<std::uint32_t> &halfMN) {
    ByteBuilder out;
    header.appendTo(out);
    for (std::size_t i = 0; i < halfAB.size(); ++i) out.u32(halfAB[i]).u32(halfMN[i]);
    return out.data();
}

// The design fields of a 1D header as the writers store them for Design1dArgs.
void appendDesign(ByteBuilder &expected, std::uint8_t arrayType) {
    expected.u8(arrayType).u8(0).u8(2);
    expected.f64(1.5).f64(0.5).u8(10).u8(0);
    expected.f64(10.0).f64(2.0).u8(6).u8(2);
    expected.zeros(2 * 18); // groups beyond the group count are zero
}

// ---- writers ----

TEST_F(Files1d, SequenceFileHasExactLayout) {
    Sequence1dWrite call;
    call.arrayType = 0xFFFFFF65u; // 101 under garbage upper bits: Schlumberger, written as 101
    const std::string path = folder.file("sounding.s1d");
    ASSERT_EQ(call(path), 0);

    ByteBuilder expected;
    expected.u8(210).u32(16).zeros(250).bytes({1, 1, 1, 0, 0, 0}); // the comment argument is not stored
    appendDesign(expected, 101);
    for (std::size_t i = 0; i < 16; ++i) expected.u32(call.halfAB[i]).u32(call.halfMN[i]);
    EXPECT_EQ(expected.size(), 336u + 16 * 8);
    EXPECT_EQ(readFileBytes(path), expected.data());
}

TEST_F(Files1d, DataFileHasExactLayout) {
    for (const bool withComment : {true, false}) {
        SCOPED_TRACE(withComment ? "comment given" : "no comment");
        Data1dSave call;
        call.comment = patternBytes(250, 'q');
        if (!withComment) call.nulled = {"comment"};
        call.status[3] = 0;
        call.slot5[15] = 0xCAFEF00D;
        const std::string path = folder.file(withComment ? "with.d1d" : "without.d1d");
        ASSERT_EQ(call(path), 0);

        ByteBuilder expected;
        expected.u8(211).u32(16);
        if (withComment) expected.bytes(call.comment);
        else expected.zeros(250);
        expected.bytes(call.settings);
        appendDesign(expected, 1);
        for (std::size_t i = 0; i < 16; ++i) {
            expected.u8(call.status[i]).u32(call.halfAB[i]).u32(call.halfMN[i]);
            expected.u32(call.slot1[i]).u32(call.slot2[i]).u32(call.slot3[i]).u32(call.slot4[i]).u32(call.slot5[i]);
        }
        EXPECT_EQ(expected.size(), 336u + 16 * 29);
        EXPECT_EQ(readFileBytes(path), expected.data());
    }
}

// Both 1D writers validate the same way.
TEST_F(Files1d, WritersValidateInOrder) {
    struct DesignCase {
        const char *name;
        std::function<void(Design1dArgs &)> change;
        int expected;
    };
    const std::vector<DesignCase> cases = {
        {"valid", [](Design1dArgs &) {}, 0},
        {"count 0", [](Design1dArgs &c) { c.count = 0; }, 201},
        {"count 0 is tested before the array type", [](Design1dArgs &c) { c.count = 0, c.arrayType = 9; }, 201},
        {"array type 8", [](Design1dArgs &c) { c.arrayType = 8; }, 0},
        {"array type 9 (Custom)", [](Design1dArgs &c) { c.arrayType = 9; }, 202},
        {"array type 99", [](Design1dArgs &c) { c.arrayType = 99; }, 202},
        {"array type 108", [](Design1dArgs &c) { c.arrayType = 108; }, 0},
        {"array type 109", [](Design1dArgs &c) { c.arrayType = 109; }, 202},
        {"array type 9 under garbage upper bits", [](Design1dArgs &c) { c.arrayType = 0x12345609u; }, 202},
        {"increment type 2", [](Design1dArgs &c) { c.incrementType = 2; }, 203},
        {"increment type 1 under garbage upper bits", [](Design1dArgs &c) { c.incrementType = 0xFF01u; }, 0},
        {"group count 0", [](Design1dArgs &c) { c.groupCount = 0; }, 204},
        {"group count 5", [](Design1dArgs &c) { c.groupCount = 5; }, 204},
        {"group count 2 under garbage upper bits", [](Design1dArgs &c) { c.groupCount = 0x5502u; }, 0},
        {"count 15 for levels 10 + 6", [](Design1dArgs &c) { c.count = 15; }, 205},
        {"levels counted over the group count only", [](Design1dArgs &c) { c.groupCount = 1; }, 205},
        {"increment exactly 0.0", [](Design1dArgs &c) { c.increments[1] = 0.0; }, 206},
        {"levels 0 of group 1 before increment 0.0 of group 2",
         [](Design1dArgs &c) { c.levels = {0, 16, 9, 9}, c.increments[1] = 0.0; }, 207},
        {"increment before levels within a group",
         [](Design1dArgs &c) { c.levels = {0, 16, 9, 9}, c.increments[0] = 0.0; }, 206},
        {"spacings and overlaps are not checked",
         [](Design1dArgs &c) { c.firstSpacings[0] = -3.0, c.overlaps[0] = 200; }, 0},
    };
    for (const DesignCase &designCase : cases) {
        SCOPED_TRACE(designCase.name);
        Sequence1dWrite sequence;
        designCase.change(sequence);
        const std::string sequencePath = folder.file(std::string(designCase.name) + ".s1d");
        EXPECT_EQ(sequence(sequencePath), designCase.expected);
        EXPECT_EQ(std::filesystem::exists(sequencePath), designCase.expected == 0);

        Data1dSave data;
        designCase.change(data);
        const std::string dataPath = folder.file(std::string(designCase.name) + ".d1d");
        EXPECT_EQ(data(dataPath), designCase.expected);
        EXPECT_EQ(std::filesystem::exists(dataPath), designCase.expected == 0);
    }
}

TEST_F(Files1d, WritersCheckPointersFirst) {
    Sequence1dWrite sequence;
    sequence.count = 0;
    expectNullCodes(sequence, folder.file("sounding.s1d"),
                    {{"fileName", 101}, {"firstSpacings", 102}, {"increments", 103}, {"levels", 104},
                     {"overlaps", 105}, {"halfAB", 106}, {"halfMN", 107}, {"comment", 201}});
    Data1dSave data;
    data.count = 0;
    expectNullCodes(data, folder.file("sounding.d1d"),
                    {{"fileName", 101}, {"firstSpacings", 102}, {"increments", 103}, {"levels", 104},
                     {"overlaps", 105}, {"status", 106}, {"halfAB", 107}, {"halfMN", 108}, {"slot1", 109},
                     {"slot2", 110}, {"slot3", 111}, {"slot4", 112}, {"slot5", 113}, {"settings", 114},
                     {"comment", 201}});
}

TEST_F(Files1d, WrittenFilesReadBack) {
    Data1dSave data;
    const std::string dataPath = folder.file("sounding.d1d");
    ASSERT_EQ(data(dataPath), 0);
    Sequence1dWrite sequence;
    const std::string sequencePath = folder.file("sounding.s1d");
    ASSERT_EQ(sequence(sequencePath), 0);

    for (const std::string &path : {dataPath, sequencePath}) {
        SCOPED_TRACE(path);
        Header1dRead header;
        ASSERT_EQ(header(path), 0);
        EXPECT_EQ(header.count, 16u);
        EXPECT_EQ(header.arrayType, 1);
        EXPECT_EQ(header.incrementType, 0);
        EXPECT_EQ(header.groupCount, 2);
        EXPECT_EQ(header.firstSpacings, (std::vector<double>{1.5, 10.0, 0.0, 0.0}));
        EXPECT_EQ(header.increments, (std::vector<double>{0.5, 2.0, 0.0, 0.0}));
        EXPECT_EQ(header.levels, (std::vector<std::uint8_t>{10, 6, 0, 0}));
        EXPECT_EQ(header.overlaps, (std::vector<std::uint8_t>{0, 2, 0, 0}));
    }

    Records1dRead records(16);
    ASSERT_EQ(records(dataPath), 0);
    EXPECT_EQ(records.status, data.status);
    EXPECT_EQ(records.halfAB, data.halfAB);
    EXPECT_EQ(records.halfMN, data.halfMN);
    EXPECT_EQ(records.slot1, data.slot1);
    EXPECT_EQ(records.slot4, data.slot4);

    Sequence1dRead spacings(16);
    ASSERT_EQ(spacings(sequencePath), 0);
    EXPECT_EQ(spacings.halfAB, sequence.halfAB);
    EXPECT_EQ(spacings.halfMN, sequence.halfMN);
}

// ---- s1d_d1d_read_header ----

TEST_F(Files1d, HeaderReaderAcceptsBothKindsInBothFormats) {
    for (const std::uint8_t version : {210, 211, 110, 111}) {
        SCOPED_TRACE(static_cast<int>(version));
        const Header1dFields stored = headerOf(version, 19);
        const std::string path = fileWith(d1dImage(stored, {}));
        Header1dRead header;
        ASSERT_EQ(header(path), 0);
        // The 1D header is never converted, not even in the old formats.
        EXPECT_EQ(header.count, 19u);
        EXPECT_EQ(header.comment, stored.prefix.comment);
        EXPECT_EQ(header.settings, stored.prefix.settings);
        EXPECT_EQ(header.arrayType, 1);
        EXPECT_EQ(header.incrementType, 1);
        EXPECT_EQ(header.groupCount, 3);
        EXPECT_EQ(header.firstSpacings, (std::vector<double>{1.5, 12.0, 40.0, 0.0}));
        EXPECT_EQ(header.increments, (std::vector<double>{1.25, 1.5, 2.0, 0.0}));
        EXPECT_EQ(header.levels, (std::vector<std::uint8_t>{10, 6, 3, 0}));
        EXPECT_EQ(header.overlaps, (std::vector<std::uint8_t>{0, 2, 1, 0}));
    }
}

TEST_F(Files1d, HeaderReaderStepsOverCommentAndSettingsWithoutBuffers) {
    const Header1dFields stored = headerOf(211, 5);
    const std::string path = fileWith(d1dImage(stored, {}));
    for (const std::set<std::string> &nulled :
         {std::set<std::string>{"comment"}, {"settings"}, {"comment", "settings"}}) {
        Header1dRead header;
        header.nulled = nulled;
        ASSERT_EQ(header(path), 0);
        EXPECT_EQ(header.comment, nulled.count("comment") ? std::vector<std::uint8_t>(250, kByteSentinel)
                                                          : stored.prefix.comment);
        EXPECT_EQ(header.settings,
                  nulled.count("settings") ? std::vector<std::uint8_t>(6, kByteSentinel) : stored.prefix.settings);
        EXPECT_EQ(header.count, 5u);
        EXPECT_EQ(header.groupCount, 3);
        EXPECT_EQ(header.overlaps, (std::vector<std::uint8_t>{0, 2, 1, 0}));
    }
}

TEST_F(Files1d, HeaderReaderRefusesOtherVersionsWithoutTouchingOutputs) {
    for (const std::uint8_t version : {0, 101, 112, 201, 212, 220, 221, 122}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(d1dImage(headerOf(version, 0), {}));
        Header1dRead header;
        EXPECT_EQ(header(path), 2);
        EXPECT_TRUE(header == Header1dRead{});
    }
    Header1dRead header;
    EXPECT_EQ(header(missing), 1);
    EXPECT_TRUE(header == Header1dRead{});
}

TEST_F(Files1d, HeaderReaderChecksPointersBeforeOpening) {
    expectNullCodes(Header1dRead{}, missing,
                    {{"fileName", 101}, {"arrayType", 102}, {"incrementType", 103}, {"groupCount", 104},
                     {"firstSpacings", 105}, {"increments", 106}, {"levels", 107}, {"overlaps", 108},
                     {"count", 109}, {"comment", 1}, {"settings", 1}});
}

// ---- s1d_read_data ----

TEST_F(Files1d, SequenceReaderReadsBothFormats) {
    for (const auto &[version, scale] : {std::pair<std::uint8_t, std::uint32_t>{210, 1}, {110, 10}}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(s1dImage(headerOf(version, 2), {150, 0xFFFFF}, {50, 7}), "sounding.s1d");
        Sequence1dRead read(2);
        ASSERT_EQ(read(path), 0);
        EXPECT_EQ(read.halfAB, (std::vector<std::uint32_t>{150 * scale, 0xFFFFF * scale}));
        EXPECT_EQ(read.halfMN, (std::vector<std::uint32_t>{50 * scale, 7 * scale}));
    }
}

TEST_F(Files1d, SequenceReaderRefusesDataFilesAndOtherVersions) {
    for (const std::uint8_t version : {211, 111, 220, 0}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(s1dImage(headerOf(version, 1), {150}, {50}));
        Sequence1dRead read(1);
        EXPECT_EQ(read(path), 2);
        EXPECT_TRUE(read == Sequence1dRead(1));
    }
    expectNullCodes(Sequence1dRead(1), missing, {{"fileName", 101}, {"halfAB", 102}, {"halfMN", 103}});
    Sequence1dRead read(1);
    EXPECT_EQ(read(missing), 1);
}

// ---- d1d_read_data ----

TEST_F(Files1d, DataReaderReadsBothFormats) {
    const std::vector<Record1dFields> stored = {{1, 150, 50, {7, 1234, 56, 78, 99}},
                                                {3, 4000, 1000, {0xFFFFFFFF, 1, 2, 3, 4}}};
    for (const auto &[version, oldFormat] : {std::pair<std::uint8_t, bool>{211, false}, {111, true}}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(d1dImage(headerOf(version, 2), stored));
        Records1dRead read(2);
        ASSERT_EQ(read(path), 0);
        const std::uint32_t scale = oldFormat ? 10 : 1;
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(read.status[i], stored[i].status);
            EXPECT_EQ(read.halfAB[i], stored[i].halfAB * scale);
            EXPECT_EQ(read.halfMN[i], stored[i].halfMN * scale);
            EXPECT_EQ(read.slot1[i], oldFormat ? 0 : stored[i].slots[0]);
            EXPECT_EQ(read.slot2[i], stored[i].slots[1] * scale);
            EXPECT_EQ(read.slot3[i], stored[i].slots[2] * scale);
            EXPECT_EQ(read.slot4[i], stored[i].slots[3] * scale);
        }
        if (oldFormat) {
            EXPECT_EQ(read.halfAB[0], 1500u);
            EXPECT_EQ(read.slot2[0], 12340u);
        }
    }
}

TEST_F(Files1d, DataReaderStepsOverHalfSpacingsWithoutArrays) {
    const std::string path = fileWith(d1dImage(
        headerOf(211, 2), {{1, 150, 50, {7, 8, 9, 10, 11}}, {0, 300, 100, {17, 18, 19, 20, 21}}}));
    for (const std::set<std::string> &nulled :
         {std::set<std::string>{"halfAB", "halfMN"}, {"halfAB"}, {"halfMN"}}) {
        Records1dRead read(2);
        read.nulled = nulled;
        ASSERT_EQ(read(path), 0);
        EXPECT_EQ(read.status, (std::vector<std::uint8_t>{1, 0}));
        EXPECT_EQ(read.slot1, (std::vector<std::uint32_t>{7, 17}));
        EXPECT_EQ(read.slot4, (std::vector<std::uint32_t>{10, 20}));
        const std::vector<std::uint32_t> untouched(2, kWordSentinel);
        EXPECT_EQ(read.halfAB, (nulled.count("halfAB") ? untouched : std::vector<std::uint32_t>{150, 300}));
        EXPECT_EQ(read.halfMN, (nulled.count("halfMN") ? untouched : std::vector<std::uint32_t>{50, 100}));
    }
}

TEST_F(Files1d, DataReaderRefusesSequenceFilesAndOtherVersions) {
    for (const std::uint8_t version : {210, 110, 221, 0}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(d1dImage(headerOf(version, 1), {Record1dFields{}}));
        Records1dRead read(1);
        EXPECT_EQ(read(path), 2);
        EXPECT_TRUE(read == Records1dRead(1));
    }
    expectNullCodes(Records1dRead(1), missing,
                    {{"fileName", 101}, {"status", 102}, {"slot1", 103}, {"slot2", 104}, {"slot3", 105},
                     {"slot4", 106}, {"halfAB", 1}, {"halfMN", 1}});
}

} // namespace
