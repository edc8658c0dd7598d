// .s2d and .d2d files: layouts, every accepted version, result codes.
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

class Files2d : public ::testing::Test {
protected:
    std::string fileWith(const std::vector<std::uint8_t> &bytes, const std::string &name = "profile.d2d") {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return path;
    }

    TempFolder folder;
    std::string missing = folder.file("missing.d2d");
};

std::vector<std::uint8_t> d2dImage(const Header2dFields &header, const std::vector<Record2dFields> &records) {
    ByteBuilder out;
    header.appendTo(out);
    const std::size_t width = header.prefix.version == 122 ? 4 : 1;
    for (const Record2dFields &record : records) record.appendTo(out, width);
    return out.data();
}

Header2dFields headerOf(std::uint8_t version, std::uint32_t count) {
    Header2dFields header;
    header.prefix.version = version;
    header.prefix.count = count;
    return header;
}

// ---- s2d_write ----

TEST_F(Files2d, SequenceFileHasExactLayout) {
    Sequence2dWrite call;
    call.arrayType = 0xABCD0005u; // Fwd Pole Dipole; upper bits are garbage
    call.rollAlong = 1;
    call.unitSpacing = 2000;
    call.electrode1Position = 0x01020304;
    call.cable1[3] = 0;
    for (std::size_t e = 0; e < 24; ++e) call.cable2[e] = static_cast<std::uint8_t>(e + 1);
    call.a = {1, 5, 48};
    call.m = {2, 6, 47};
    call.n = {3, 7, 46};
    call.b = {0, 0, 0};
    const std::string path = folder.file("line.s2d");
    ASSERT_EQ(call(path), 0);

    ByteBuilder expected;
    expected.u8(220).u32(3).zeros(250).bytes({1, 1, 1, 0, 0, 0}); // the comment argument is not stored
    expected.u8(5).u8(1).u32(2000).u32(0x01020304).bytes(call.cable1).bytes(call.cable2);
    expected.bytes({1, 8, 1, 1, 2, 4, 1, 2}).zeros(8); // groups beyond the group count are zero
    expected.bytes({1, 2, 3, 0, 5, 6, 7, 0, 48, 47, 46, 0});
    EXPECT_EQ(expected.size(), 335u + 3 * 4);
    EXPECT_EQ(readFileBytes(path), expected.data());
}

struct WriteCase {
    const char *name;
    std::function<void(Sequence2dWrite &)> change;
    int expected;
};

TEST_F(Files2d, SequenceWriterValidatesInOrder) {
    const auto poleDipole = [](Sequence2dWrite &c, std::uint32_t type) {
        c.arrayType = type;
        c.b = {0, 0, 0};
    };
    const auto polePole = [](Sequence2dWrite &c) {
        c.arrayType = 7;
        c.n = {0, 0, 0};
        c.b = {0, 0, 0};
    };
    const std::vector<WriteCase> cases = {
        {"valid Wenner", [](Sequence2dWrite &) {}, 0},
        {"count 0", [](Sequence2dWrite &c) { c.count = 0; }, 201},
        {"count 0 is tested before the array type", [](Sequence2dWrite &c) { c.count = 0, c.arrayType = 9; }, 201},
        {"array type 8", [](Sequence2dWrite &c) { c.arrayType = 8; }, 202},
        {"array type 9 (Custom)", [](Sequence2dWrite &c) { c.arrayType = 9; }, 202},
        {"array type 99", [](Sequence2dWrite &c) { c.arrayType = 99; }, 202},
        {"array type 108", [](Sequence2dWrite &c) { c.arrayType = 108; }, 202},
        {"array type 105 with B = 0", [&](Sequence2dWrite &c) { poleDipole(c, 105); }, 0},
        {"array type 8 under garbage upper bits", [](Sequence2dWrite &c) { c.arrayType = 0x100u | 8; }, 202},
        {"roll-along 2", [](Sequence2dWrite &c) { c.rollAlong = 2; }, 203},
        {"roll-along 2 is tested before unit spacing", [](Sequence2dWrite &c) { c.rollAlong = 2, c.unitSpacing = 0; },
         203},
        {"roll-along 1 under garbage upper bits", [](Sequence2dWrite &c) { c.rollAlong = 0xFFFFFF01u; }, 0},
        {"unit spacing 0", [](Sequence2dWrite &c) { c.unitSpacing = 0; }, 204},
        {"group count 0", [](Sequence2dWrite &c) { c.groupCount = 0; }, 205},
        {"group count 0x100 (low byte 0)", [](Sequence2dWrite &c) { c.groupCount = 0x100; }, 205},
        {"electrode 49", [](Sequence2dWrite &c) { c.b[1] = 49; }, 206},
        {"electrode 0 in Wenner", [](Sequence2dWrite &c) { c.n[2] = 0; }, 206},
        {"disabled electrode", [](Sequence2dWrite &c) { c.cable2[30 - 25] = 0; }, 206},
        {"electrode used twice", [](Sequence2dWrite &c) { c.m[0] = c.b[0]; }, 206},
        {"Fwd Pole Dipole with B", [&](Sequence2dWrite &c) { poleDipole(c, 5), c.b[2] = 40; }, 206},
        {"Rev Pole Dipole", [&](Sequence2dWrite &c) { poleDipole(c, 6); }, 0},
        {"Pole Pole", polePole, 0},
        {"Pole Pole with N = 3", [&](Sequence2dWrite &c) { polePole(c), c.n[0] = 3; }, 206},
        {"Pole Pole with A = M", [&](Sequence2dWrite &c) { polePole(c), c.m[1] = c.a[1]; }, 206},
    };
    for (const WriteCase &writeCase : cases) {
        SCOPED_TRACE(writeCase.name);
        Sequence2dWrite call;
        writeCase.change(call);
        const std::string path = folder.file(std::string(writeCase.name) + ".s2d");
        EXPECT_EQ(call(path), writeCase.expected);
        EXPECT_EQ(std::filesystem::exists(path), writeCase.expected == 0);
    }
}

TEST_F(Files2d, SequenceWriterChecksPointersFirst) {
    Sequence2dWrite refused;
    refused.count = 0;
    expectNullCodes(refused, folder.file("line.s2d"),
                    {{"fileName", 101}, {"cable1", 102}, {"cable2", 102}, {"multipliers", 103}, {"levels", 104},
                     {"levelSteps", 105}, {"startLevels", 106}, {"a", 107}, {"m", 108}, {"n", 109}, {"b", 110},
                     {"comment", 201}});
}

TEST_F(Files2d, SequenceFileReadsBackThroughTheHeaderReader) {
    Sequence2dWrite call;
    call.cable1[7] = 0;
    const std::string path = folder.file("line.s2d");
    ASSERT_EQ(call(path), 0);

    Header2dRead header;
    ASSERT_EQ(header(path), 0);
    EXPECT_EQ(header.comment, std::vector<std::uint8_t>(250, 0));
    EXPECT_EQ(header.settings, (std::vector<std::uint8_t>{1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(header.arrayType, 0);
    EXPECT_EQ(header.rollAlong, 0);
    EXPECT_EQ(header.unitSpacing, 5000u);
    EXPECT_EQ(header.electrode1Position, 2500u);
    EXPECT_EQ(header.cable1, call.cable1);
    EXPECT_EQ(header.cable2, call.cable2);
    EXPECT_EQ(header.groupCount, 2);
    EXPECT_EQ(header.multipliers, (std::vector<std::uint8_t>{1, 2, 0, 0}));
    EXPECT_EQ(header.levels, (std::vector<std::uint8_t>{8, 4, 0, 0}));
    EXPECT_EQ(header.levelSteps, (std::vector<std::uint8_t>{1, 1, 0, 0}));
    EXPECT_EQ(header.startLevels, (std::vector<std::uint8_t>{1, 2, 0, 0}));
    EXPECT_EQ(header.count, 3u);

    // There are no records to read from a sequence file.
    Records2dRead records(3);
    const Records2dRead before = records;
    EXPECT_EQ(records(path), 2);
    EXPECT_TRUE(records == before);
}

// ---- s2d_d2d_read_header ----

TEST_F(Files2d, HeaderReaderAcceptsEveryVersion) {
    struct VersionCase {
        std::uint8_t version;
        std::uint32_t lengthScale; // old formats store lengths ten times coarser
    };
    for (const VersionCase versionCase : {VersionCase{220, 1}, {221, 1}, {122, 1}, {120, 10}, {121, 10}}) {
        SCOPED_TRACE(static_cast<int>(versionCase.version));
        const Header2dFields stored = headerOf(versionCase.version, 2);
        const std::string path = fileWith(d2dImage(stored, {Record2dFields{}, Record2dFields{}}));

        Header2dRead header;
        ASSERT_EQ(header(path), 0);
        EXPECT_EQ(header.count, 2u);
        EXPECT_EQ(header.comment, stored.prefix.comment);
        EXPECT_EQ(header.settings, stored.prefix.settings);
        EXPECT_EQ(header.arrayType, stored.arrayType);
        EXPECT_EQ(header.rollAlong, stored.rollAlong);
        EXPECT_EQ(header.unitSpacing, stored.unitSpacing * versionCase.lengthScale);
        EXPECT_EQ(header.electrode1Position, stored.electrode1Position * versionCase.lengthScale);
        EXPECT_EQ(header.cable1, stored.cable1);
        EXPECT_EQ(header.cable2, stored.cable2);
        // Multipliers 1, 0, 5, 0: two groups; all four records arrive as stored.
        EXPECT_EQ(header.groupCount, 2);
        EXPECT_EQ(header.multipliers, (std::vector<std::uint8_t>{1, 0, 5, 0}));
        EXPECT_EQ(header.levels, (std::vector<std::uint8_t>{8, 6, 3, 0}));
        EXPECT_EQ(header.levelSteps, (std::vector<std::uint8_t>{1, 2, 2, 0}));
        EXPECT_EQ(header.startLevels, (std::vector<std::uint8_t>{1, 3, 1, 0}));
    }
}

TEST_F(Files2d, HeaderReaderStepsOverCommentAndSettingsWithoutBuffers) {
    const Header2dFields stored = headerOf(221, 0);
    const std::string path = fileWith(d2dImage(stored, {}));
    for (const std::set<std::string> &nulled :
         {std::set<std::string>{"comment"}, {"settings"}, {"comment", "settings"}}) {
        Header2dRead header;
        header.nulled = nulled;
        ASSERT_EQ(header(path), 0);
        EXPECT_EQ(header.comment, nulled.count("comment") ? std::vector<std::uint8_t>(250, kByteSentinel)
                                                          : stored.prefix.comment);
        EXPECT_EQ(header.settings,
                  nulled.count("settings") ? std::vector<std::uint8_t>(6, kByteSentinel) : stored.prefix.settings);
        EXPECT_EQ(header.count, 0u);
        EXPECT_EQ(header.arrayType, stored.arrayType);
        EXPECT_EQ(header.unitSpacing, stored.unitSpacing);
        EXPECT_EQ(header.cable2, stored.cable2);
        EXPECT_EQ(header.startLevels, (std::vector<std::uint8_t>{1, 3, 1, 0}));
    }
}

TEST_F(Files2d, HeaderReaderRefusesOtherVersionsWithoutTouchingOutputs) {
    for (const std::uint8_t version : {0, 1, 101, 110, 123, 201, 210, 211, 222, 255}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(d2dImage(headerOf(version, 0), {}));
        Header2dRead header;
        EXPECT_EQ(header(path), 2);
        EXPECT_TRUE(header == Header2dRead{});
    }
    Header2dRead header;
    EXPECT_EQ(header(fileWith({})), 2); // no version byte at all
    EXPECT_EQ(header(missing), 1);
    EXPECT_TRUE(header == Header2dRead{});
}

TEST_F(Files2d, HeaderReaderChecksPointersBeforeOpening) {
    expectNullCodes(Header2dRead{}, missing,
                    {{"fileName", 101}, {"arrayType", 102}, {"rollAlong", 103}, {"unitSpacing", 104},
                     {"electrode1Position", 105}, {"cable1", 106}, {"cable2", 106}, {"multipliers", 107},
                     {"levels", 108}, {"levelSteps", 109}, {"startLevels", 110}, {"count", 111},
                     {"groupCount", 112}, {"comment", 1}, {"settings", 1}});
}

// ---- d2d_read_data ----

TEST_F(Files2d, RecordReaderReadsEveryDataVersion) {
    Record2dFields first{1, {1, 2, 3, 0xFF}, {7, 1234, 56, 78, 99}};
    Record2dFields second{0x80, {48, 47, 46, 45}, {0xFFFFFFFF, 5, 0, 1, 2}};
    Record2dFields wide = second;
    wide.electrodes = {300, 70000, 5, 0x01020304};

    struct VersionCase {
        std::uint8_t version;
        std::vector<Record2dFields> records;
        bool oldFormat;
    };
    for (const VersionCase &versionCase :
         {VersionCase{221, {first, second}, false}, {122, {first, wide}, false}, {121, {first, second}, true}}) {
        SCOPED_TRACE(static_cast<int>(versionCase.version));
        const std::string path = fileWith(d2dImage(headerOf(versionCase.version, 2), versionCase.records));
        Records2dRead read(2);
        ASSERT_EQ(read(path), 0);
        for (std::size_t i = 0; i < 2; ++i) {
            const Record2dFields &stored = versionCase.records[i];
            EXPECT_EQ(read.status[i], stored.status);
            // One-byte numbers are zero-extended: 0xFF is electrode 255.
            EXPECT_EQ(read.a[i], stored.electrodes[0]);
            EXPECT_EQ(read.m[i], stored.electrodes[1]);
            EXPECT_EQ(read.n[i], stored.electrodes[2]);
            EXPECT_EQ(read.b[i], stored.electrodes[3]);
            const std::uint32_t scale = versionCase.oldFormat ? 10 : 1;
            EXPECT_EQ(read.slot1[i], versionCase.oldFormat ? 0 : stored.slots[0]);
            EXPECT_EQ(read.slot2[i], stored.slots[1] * scale);
            EXPECT_EQ(read.slot3[i], stored.slots[2] * scale);
            EXPECT_EQ(read.slot4[i], stored.slots[3] * scale);
        }
    }
}

TEST_F(Files2d, RecordReaderStepsOverElectrodesWithoutArrays) {
    const Record2dFields first{1, {1, 2, 3, 4}, {10, 20, 30, 40, 50}};
    const Record2dFields second{2, {9, 8, 7, 6}, {11, 21, 31, 41, 51}};
    for (const std::uint8_t version : {221, 122}) {
        const std::string path = fileWith(d2dImage(headerOf(version, 2), {first, second}));
        for (const std::set<std::string> &nulled :
             {std::set<std::string>{"a", "m", "n", "b"}, {"a", "n"}, {"m", "b"}}) {
            SCOPED_TRACE(static_cast<int>(version));
            Records2dRead read(2);
            read.nulled = nulled;
            ASSERT_EQ(read(path), 0);
            EXPECT_EQ(read.status, (std::vector<std::uint8_t>{1, 2}));
            EXPECT_EQ(read.slot1, (std::vector<std::uint32_t>{10, 11}));
            EXPECT_EQ(read.slot4, (std::vector<std::uint32_t>{40, 41}));
            const std::vector<std::uint32_t> untouched(2, kWordSentinel);
            EXPECT_EQ(read.a, (nulled.count("a") ? untouched : std::vector<std::uint32_t>{1, 9}));
            EXPECT_EQ(read.m, (nulled.count("m") ? untouched : std::vector<std::uint32_t>{2, 8}));
            EXPECT_EQ(read.n, (nulled.count("n") ? untouched : std::vector<std::uint32_t>{3, 7}));
            EXPECT_EQ(read.b, (nulled.count("b") ? untouched : std::vector<std::uint32_t>{4, 6}));
        }
    }
}

TEST_F(Files2d, RecordReaderRefusesOtherVersionsWithoutTouchingOutputs) {
    for (const std::uint8_t version : {0, 120, 123, 211, 220, 222}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::string path = fileWith(d2dImage(headerOf(version, 1), {Record2dFields{}}));
        Records2dRead read(1);
        EXPECT_EQ(read(path), 2);
        EXPECT_TRUE(read == Records2dRead(1));
    }
    Records2dRead read(1);
    EXPECT_EQ(read(missing), 1);
    EXPECT_TRUE(read == Records2dRead(1));
}

TEST_F(Files2d, RecordReaderChecksPointersBeforeOpening) {
    expectNullCodes(Records2dRead(1), missing,
                    {{"fileName", 101}, {"status", 102}, {"slot1", 103}, {"slot2", 104}, {"slot3", 105},
                     {"slot4", 106}, {"a", 1}, {"m", 1}, {"n", 1}, {"b", 1}});
}

TEST_F(Files2d, FileWithoutRecordsReadsAsEmpty) {
    const std::string path = fileWith(d2dImage(headerOf(221, 0), {}));
    Header2dRead header;
    ASSERT_EQ(header(path), 0);
    EXPECT_EQ(header.count, 0u);
    Records2dRead read(1);
    EXPECT_EQ(read(path), 0);
    EXPECT_TRUE(read == Records2dRead(1));
}

// ---- d2d_save_data ----

TEST_F(Files2d, DataFileHasExactLayout) {
    for (const bool withComment : {true, false}) {
        SCOPED_TRACE(withComment ? "comment given" : "no comment");
        Data2dSave call;
        call.comment = patternBytes(250, 'q');
        if (!withComment) call.nulled = {"comment"};
        call.arrayType = 0x77000002u; // Dipole Dipole; upper bits are garbage
        call.cable1[0] = 0;
        call.cable2[23] = 9;
        call.slot2[1] = 0xDEADBEEF;
        const std::string path = folder.file(withComment ? "with.d2d" : "without.d2d");
        ASSERT_EQ(call(path), 0);

        ByteBuilder expected;
        expected.u8(122).u32(3);
        if (withComment) expected.bytes(call.comment);
        else expected.zeros(250);
        expected.bytes(call.settings).u8(2).u8(1).u32(5000).u32(2500).bytes(call.cable1).bytes(call.cable2);
        expected.bytes({1, 8, 1, 1, 2, 4, 1, 2}).zeros(8);
        for (std::size_t i = 0; i < 3; ++i) {
            expected.u8(call.status[i]).u32(call.a[i]).u32(call.m[i]).u32(call.n[i]).u32(call.b[i]);
            expected.u32(call.slot1[i]).u32(call.slot2[i]).u32(call.slot3[i]).u32(call.slot4[i]).u32(call.slot5[i]);
        }
        EXPECT_EQ(expected.size(), 335u + 3 * 37);
        EXPECT_EQ(readFileBytes(path), expected.data());
    }
}

TEST_F(Files2d, DataWriterValidatesInOrder) {
    struct SaveCase {
        const char *name;
        std::function<void(Data2dSave &)> change;
        int expected;
    };
    const auto polePole = [](Data2dSave &c) {
        c.arrayType = 7;
        c.n = {0, 0, 0};
        c.b = {0, 0, 0};
    };
    const std::vector<SaveCase> cases = {
        {"valid, electrodes above 48", [](Data2dSave &c) { c.a[2] = 100000; }, 0},
        {"cable flags are not checked", [](Data2dSave &c) { c.cable1.assign(24, 0); }, 0},
        {"count 0", [](Data2dSave &c) { c.count = 0; }, 201},
        {"array type 8 (Equat. Dipole Dipole)", [](Data2dSave &c) { c.arrayType = 8; }, 202},
        {"array type 9 (Custom)", [](Data2dSave &c) { c.arrayType = 9; }, 202},
        {"array type 100", [](Data2dSave &c) { c.arrayType = 100; }, 202},
        {"array type 7 under garbage upper bits", [&](Data2dSave &c) { polePole(c), c.arrayType = 0xABC00007u; }, 0},
        {"roll-along 2", [](Data2dSave &c) { c.rollAlong = 2; }, 203},
        {"unit spacing 0", [](Data2dSave &c) { c.unitSpacing = 0; }, 204},
        {"group count 0", [](Data2dSave &c) { c.groupCount = 0; }, 205},
        {"group count 0x300 (low byte 0)", [](Data2dSave &c) { c.groupCount = 0x300; }, 205},
        {"group count 0 is tested before the electrodes", [](Data2dSave &c) { c.groupCount = 0, c.a[0] = 0; }, 205},
        {"electrode 0 in Dipole Dipole", [](Data2dSave &c) { c.a[1] = 0; }, 206},
        {"electrode used twice", [](Data2dSave &c) { c.n[2] = c.a[2]; }, 206},
        {"Fwd Pole Dipole with B", [](Data2dSave &c) { c.arrayType = 5, c.b = {0, 7, 0}; }, 206},
        {"Rev Pole Dipole", [](Data2dSave &c) { c.arrayType = 6, c.b = {0, 0, 0}; }, 0},
        {"Pole Pole", polePole, 0},
        {"Pole Pole with N", [&](Data2dSave &c) { polePole(c), c.n[0] = 3; }, 206},
    };
    for (const SaveCase &saveCase : cases) {
        SCOPED_TRACE(saveCase.name);
        Data2dSave call;
        saveCase.change(call);
        const std::string path = folder.file(std::string(saveCase.name) + ".d2d");
        EXPECT_EQ(call(path), saveCase.expected);
        EXPECT_EQ(std::filesystem::exists(path), saveCase.expected == 0);
    }
}

TEST_F(Files2d, DataWriterChecksPointersFirst) {
    Data2dSave refused;
    refused.count = 0;
    expectNullCodes(refused, folder.file("profile.d2d"),
                    {{"fileName", 101}, {"cable1", 102}, {"cable2", 102}, {"multipliers", 103}, {"levels", 104},
                     {"levelSteps", 105}, {"startLevels", 106}, {"status", 107}, {"a", 108}, {"m", 109},
                     {"n", 110}, {"b", 111}, {"slot1", 112}, {"slot2", 113}, {"slot3", 114}, {"slot4", 115},
                     {"slot5", 116}, {"settings", 117}, {"comment", 201}});
}

TEST_F(Files2d, InstrumentDataSavedAndReadBackKeepsEverything) {
    Header2dFields stored = headerOf(221, 3);
    stored.arrayType = 0; // Wenner
    const std::vector<Record2dFields> records = {
        {1, {1, 2, 3, 4}, {5, 600, 70, 8, 9}}, {0, {10, 20, 30, 40}, {1, 2, 3, 4, 5}}, {1, {255, 2, 254, 3}, {}}};
    const std::string instrumentFile = fileWith(d2dImage(stored, records));

    Header2dRead header;
    ASSERT_EQ(header(instrumentFile), 0);
    Records2dRead read(header.count);
    ASSERT_EQ(read(instrumentFile), 0);

    // Save what was read, as the program does, and read the saved file back.
    Data2dSave save;
    save.count = header.count;
    save.comment = header.comment;
    save.arrayType = header.arrayType;
    save.rollAlong = header.rollAlong;
    save.unitSpacing = header.unitSpacing;
    save.electrode1Position = header.electrode1Position;
    save.cable1 = header.cable1;
    save.cable2 = header.cable2;
    save.groupCount = 4; // all four records as they were read
    save.multipliers = header.multipliers;
    save.levels = header.levels;
    save.levelSteps = header.levelSteps;
    save.startLevels = header.startLevels;
    save.settings = header.settings;
    save.status = read.status;
    save.a = read.a, save.m = read.m, save.n = read.n, save.b = read.b;
    save.slot1 = read.slot1, save.slot2 = read.slot2, save.slot3 = read.slot3, save.slot4 = read.slot4;
    save.slot5.assign(3, 0);
    const std::string saved = folder.file("saved.d2d");
    ASSERT_EQ(save(saved), 0);

    const std::vector<std::uint8_t> bytes = readFileBytes(saved);
    ASSERT_EQ(bytes.size(), 335u + 3 * 37);
    EXPECT_EQ(bytes[0], 122);

    Header2dRead headerAgain;
    ASSERT_EQ(headerAgain(saved), 0);
    EXPECT_TRUE(headerAgain == header);
    Records2dRead readAgain(3);
    ASSERT_EQ(readAgain(saved), 0);
    EXPECT_TRUE(readAgain == read);
    EXPECT_EQ(readAgain.a[2], 255u);
}

} // namespace
