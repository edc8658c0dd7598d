// Files that end early: every reader on every cut of a valid file. Fields the
// file does not hold keep the caller's values (electrodes of .d2d records
// read as 0); nothing outside the caller's arrays is touched.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "byte_builder.h"
#include "file_calls.h"
#include "file_images.h"
#include "temp_folder.h"

namespace {

// The first `length` bytes of a file.
struct Cut {
    std::size_t length;
    bool holds(std::size_t offset, std::size_t size) const { return offset + size <= length; }
    template <typename T>
    T pick(std::size_t offset, std::size_t size, T stored, T missing) const {
        return holds(offset, size) ? stored : missing;
    }
};

class ShortFiles : public ::testing::Test {
protected:
    // Runs `check` on every cut of `full`, from the empty file to the whole.
    void forEveryCut(const std::vector<std::uint8_t> &full, const std::function<void(const Cut &)> &check) {
        for (std::size_t length = 0; length <= full.size(); ++length) {
            SCOPED_TRACE("file cut to " + std::to_string(length) + " bytes");
            writeFileBytes(path, std::vector<std::uint8_t>(full.begin(), full.begin() + length));
            check(Cut{length});
            if (HasFailure()) return;
        }
    }

    TempFolder folder;
    std::string path = folder.file("cut.bin");
};

const std::vector<Record2dFields> kRecords2d = {
    {1, {1, 2, 3, 4}, {11, 12, 13, 14, 15}}, {0, {5, 6, 7, 8}, {21, 22, 23, 24, 25}}, {2, {9, 10, 11, 12}, {}}};

TEST_F(ShortFiles, RecordReader2d) {
    for (const std::uint8_t version : {221, 122, 121}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::size_t width = version == 122 ? 4 : 1;
        const std::size_t recordSize = 1 + 4 * width + 20;
        const bool oldFormat = version == 121;
        Header2dFields header;
        header.prefix.version = version;
        header.prefix.count = 3;
        ByteBuilder image;
        header.appendTo(image);
        for (const Record2dFields &record : kRecords2d) record.appendTo(image, width);

        forEveryCut(image.data(), [&](const Cut &cut) {
            Records2dRead read(3);
            const std::uint8_t code = read(path);
            Records2dRead expected(3);
            if (cut.length == 0) {
                EXPECT_EQ(code, 2);
            } else {
                EXPECT_EQ(code, 0);
                for (std::size_t i = 0; i < 3 && cut.holds(1, 4); ++i) {
                    const Record2dFields &stored = kRecords2d[i];
                    const std::size_t base = 335 + i * recordSize;
                    expected.status[i] = cut.pick(base, 1, stored.status, kByteSentinel);
                    std::uint32_t *electrodes[4] = {&expected.a[i], &expected.m[i], &expected.n[i], &expected.b[i]};
                    for (std::size_t e = 0; e < 4; ++e)
                        *electrodes[e] = cut.pick(base + 1 + e * width, width, stored.electrodes[e], 0u);
                    std::uint32_t *slots[4] = {&expected.slot1[i], &expected.slot2[i], &expected.slot3[i],
                                               &expected.slot4[i]};
                    for (std::size_t s = 0; s < 4; ++s) {
                        const std::uint32_t value = !oldFormat ? stored.slots[s] : s == 0 ? 0 : stored.slots[s] * 10;
                        *slots[s] = cut.pick(base + 1 + 4 * width + 4 * s, 4, value, kWordSentinel);
                    }
                }
            }
            EXPECT_EQ(read.status, expected.status);
            EXPECT_EQ(read.a, expected.a);
            EXPECT_EQ(read.m, expected.m);
            EXPECT_EQ(read.n, expected.n);
            EXPECT_EQ(read.b, expected.b);
            EXPECT_EQ(read.slot1, expected.slot1);
            EXPECT_EQ(read.slot2, expected.slot2);
            EXPECT_EQ(read.slot3, expected.slot3);
            EXPECT_EQ(read.slot4, expected.slot4);
        });
    }
}

TEST_F(ShortFiles, HeaderReader2d) {
    Header2dFields stored;
    stored.prefix.version = 121; // old format: lengths are converted when present
    ByteBuilder image;
    stored.appendTo(image);

    forEveryCut(image.data(), [&](const Cut &cut) {
        Header2dRead read;
        const std::uint8_t code = read(path);
        Header2dRead expected;
        if (cut.length == 0) {
            EXPECT_EQ(code, 2);
        } else {
            EXPECT_EQ(code, 0);
            expected.count = cut.pick(1, 4, stored.prefix.count, kWordSentinel);
            for (std::size_t j = 0; j < 250; ++j)
                expected.comment[j] = cut.pick(5 + j, 1, stored.prefix.comment[j], kByteSentinel);
            for (std::size_t j = 0; j < 6; ++j)
                expected.settings[j] = cut.pick(255 + j, 1, stored.prefix.settings[j], kByteSentinel);
            expected.arrayType = cut.pick(261, 1, stored.arrayType, kByteSentinel);
            expected.rollAlong = cut.pick(262, 1, stored.rollAlong, kByteSentinel);
            expected.unitSpacing = cut.pick(263, 4, stored.unitSpacing * 10, kWordSentinel);
            expected.electrode1Position = cut.pick(267, 4, stored.electrode1Position * 10, kWordSentinel);
            for (std::size_t j = 0; j < 24; ++j) {
                expected.cable1[j] = cut.pick(271 + j, 1, stored.cable1[j], kByteSentinel);
                expected.cable2[j] = cut.pick(295 + j, 1, stored.cable2[j], kByteSentinel);
            }
            std::vector<std::uint8_t> *groupArrays[4] = {&expected.multipliers, &expected.levels,
                                                         &expected.levelSteps, &expected.startLevels};
            for (std::size_t k = 0; k < 4; ++k)
                for (std::size_t j = 0; j < 4; ++j)
                    (*groupArrays[j])[k] = cut.pick(319 + 4 * k + j, 1, stored.groups[k][j], kByteSentinel);
            // The group count is that of the multipliers the caller ends up with.
            expected.groupCount = 0;
            for (const std::uint8_t multiplier : expected.multipliers)
                if (multiplier != 0) ++expected.groupCount;
        }
        EXPECT_EQ(read.count, expected.count);
        EXPECT_EQ(read.comment, expected.comment);
        EXPECT_EQ(read.settings, expected.settings);
        EXPECT_EQ(read.arrayType, expected.arrayType);
        EXPECT_EQ(read.rollAlong, expected.rollAlong);
        EXPECT_EQ(read.unitSpacing, expected.unitSpacing);
        EXPECT_EQ(read.electrode1Position, expected.electrode1Position);
        EXPECT_EQ(read.cable1, expected.cable1);
        EXPECT_EQ(read.cable2, expected.cable2);
        EXPECT_EQ(read.multipliers, expected.multipliers);
        EXPECT_EQ(read.levels, expected.levels);
        EXPECT_EQ(read.levelSteps, expected.levelSteps);
        EXPECT_EQ(read.startLevels, expected.startLevels);
        EXPECT_EQ(read.groupCount, expected.groupCount);
    });
}

TEST_F(ShortFiles, HeaderReader1d) {
    Header1dFields stored;
    stored.prefix.version = 111;
    stored.prefix.count = 4;
    ByteBuilder image;
    stored.appendTo(image);

    forEveryCut(image.data(), [&](const Cut &cut) {
        Header1dRead read;
        const std::uint8_t code = read(path);
        Header1dRead expected;
        if (cut.length == 0) {
            EXPECT_EQ(code, 2);
        } else {
            EXPECT_EQ(code, 0);
            expected.count = cut.pick(1, 4, stored.prefix.count, kWordSentinel);
            for (std::size_t j = 0; j < 250; ++j)
                expected.comment[j] = cut.pick(5 + j, 1, stored.prefix.comment[j], kByteSentinel);
            for (std::size_t j = 0; j < 6; ++j)
                expected.settings[j] = cut.pick(255 + j, 1, stored.prefix.settings[j], kByteSentinel);
            expected.arrayType = cut.pick(261, 1, stored.arrayType, kByteSentinel);
            expected.incrementType = cut.pick(262, 1, stored.incrementType, kByteSentinel);
            expected.groupCount = cut.pick(263, 1, stored.groupCount, kByteSentinel);
            for (std::size_t k = 0; k < 4; ++k) {
                const std::size_t base = 264 + 18 * k;
                const Group1dFields &group = stored.groups[k];
                expected.firstSpacings[k] = cut.pick(base, 8, group.firstSpacing, kDoubleSentinel);
                expected.increments[k] = cut.pick(base + 8, 8, group.increment, kDoubleSentinel);
                expected.levels[k] = cut.pick(base + 16, 1, group.levels, kByteSentinel);
                expected.overlaps[k] = cut.pick(base + 17, 1, group.overlaps, kByteSentinel);
            }
        }
        EXPECT_TRUE(read == expected);
    });
}

TEST_F(ShortFiles, RecordReader1d) {
    const std::vector<Record1dFields> records = {{1, 150, 50, {7, 8, 9, 10, 11}}, {0, 300, 100, {17, 18, 19, 20, 21}}};
    for (const std::uint8_t version : {211, 111}) {
        SCOPED_TRACE(static_cast<int>(version));
        const std::uint32_t scale = version == 111 ? 10 : 1;
        Header1dFields header;
        header.prefix.version = version;
        header.prefix.count = 2;
        ByteBuilder image;
        header.appendTo(image);
        for (const Record1dFields &record : records) record.appendTo(image);

        forEveryCut(image.data(), [&](const Cut &cut) {
            Records1dRead read(2);
            const std::uint8_t code = read(path);
            Records1dRead expected(2);
            EXPECT_EQ(code, cut.length == 0 ? 2 : 0);
            for (std::size_t i = 0; i < 2 && cut.holds(1, 4); ++i) {
                const std::size_t base = 336 + 29 * i;
                const Record1dFields &stored = records[i];
                expected.status[i] = cut.pick(base, 1, stored.status, kByteSentinel);
                expected.halfAB[i] = cut.pick(base + 1, 4, stored.halfAB * scale, kWordSentinel);
                expected.halfMN[i] = cut.pick(base + 5, 4, stored.halfMN * scale, kWordSentinel);
                expected.slot1[i] = cut.pick(base + 9, 4, scale == 10 ? 0 : stored.slots[0], kWordSentinel);
                expected.slot2[i] = cut.pick(base + 13, 4, stored.slots[1] * scale, kWordSentinel);
                expected.slot3[i] = cut.pick(base + 17, 4, stored.slots[2] * scale, kWordSentinel);
                expected.slot4[i] = cut.pick(base + 21, 4, stored.slots[3] * scale, kWordSentinel);
            }
            EXPECT_TRUE(read == expected);
        });
    }
}

TEST_F(ShortFiles, SequenceReader1d) {
    Header1dFields header;
    header.prefix.version = 110;
    header.prefix.count = 2;
    ByteBuilder image;
    header.appendTo(image);
    image.u32(150).u32(50).u32(300).u32(100);

    forEveryCut(image.data(), [&](const Cut &cut) {
        Sequence1dRead read(2);
        const std::uint8_t code = read(path);
        Sequence1dRead expected(2);
        EXPECT_EQ(code, cut.length == 0 ? 2 : 0);
        if (cut.holds(1, 4)) {
            expected.halfAB = {cut.pick(336, 4, 1500u, kWordSentinel), cut.pick(344, 4, 3000u, kWordSentinel)};
            expected.halfMN = {cut.pick(340, 4, 500u, kWordSentinel), cut.pick(348, 4, 1000u, kWordSentinel)};
        }
        EXPECT_EQ(read.halfAB, expected.halfAB);
        EXPECT_EQ(read.halfMN, expected.halfMN);
    });
}

TEST_F(ShortFiles, Readers0d) {
    const std::vector<Record0dFields> records = {{{7, 8, 9, 10, 11}}, {{17, 18, 19, 20, 21}}};
    PrefixFields header;
    header.version = 101;
    header.count = 2;
    ByteBuilder image;
    header.appendTo(image);
    for (const Record0dFields &record : records) record.appendTo(image);

    forEveryCut(image.data(), [&](const Cut &cut) {
        Header0dRead readHeader;
        const std::uint8_t headerCode = readHeader(path);
        Records0dRead read(2);
        const std::uint8_t code = read(path);
        EXPECT_EQ(headerCode, cut.length == 0 ? 2 : 0);
        EXPECT_EQ(code, cut.length == 0 ? 2 : 0);

        Header0dRead expectedHeader;
        Records0dRead expected(2);
        if (cut.length > 0) {
            expectedHeader.count = cut.pick(1, 4, 2u, kWordSentinel);
            for (std::size_t j = 0; j < 250; ++j)
                expectedHeader.comment[j] = cut.pick(5 + j, 1, header.comment[j], kByteSentinel);
            for (std::size_t j = 0; j < 6; ++j)
                expectedHeader.settings[j] = cut.pick(255 + j, 1, header.settings[j], kByteSentinel);
        }
        for (std::size_t i = 0; i < 2 && cut.holds(1, 4); ++i) {
            const std::size_t base = 261 + 20 * i;
            expected.slot1[i] = cut.pick(base, 4, 0u, kWordSentinel);
            expected.slot2[i] = cut.pick(base + 4, 4, records[i].slots[1] * 10, kWordSentinel);
            expected.slot3[i] = cut.pick(base + 8, 4, records[i].slots[2] * 10, kWordSentinel);
            expected.slot4[i] = cut.pick(base + 12, 4, records[i].slots[3] * 10, kWordSentinel);
        }
        EXPECT_TRUE(readHeader == expectedHeader);
        EXPECT_TRUE(read == expected);
    });
}

// A count far beyond what the file holds: the readers stop at the end of the
// file and leave the rest of the caller's arrays alone.
TEST_F(ShortFiles, CountFarBeyondTheFile) {
    constexpr std::uint32_t kCount = 200000;
    constexpr std::size_t kLast = kCount - 1;
    const auto withHeader = [&](auto header, auto appendRecords) {
        header.prefix.count = kCount;
        ByteBuilder image;
        header.appendTo(image);
        appendRecords(image);
        writeFileBytes(path, image.data());
    };

    Header2dFields header2d;
    header2d.prefix.version = 221;
    withHeader(header2d, [](ByteBuilder &out) { kRecords2d[0].appendTo(out, 1); });
    Records2dRead read2d(kCount);
    ASSERT_EQ(read2d(path), 0);
    EXPECT_EQ(read2d.a[0], 1u);
    EXPECT_EQ(read2d.slot4[0], 14u);
    EXPECT_EQ(read2d.a[kLast], 0u);
    EXPECT_EQ(read2d.status[kLast], kByteSentinel);
    EXPECT_EQ(read2d.slot1[kLast], kWordSentinel);

    Header1dFields header1d;
    header1d.prefix.version = 211;
    withHeader(header1d, [](ByteBuilder &out) { Record1dFields{}.appendTo(out); });
    Records1dRead read1d(kCount);
    ASSERT_EQ(read1d(path), 0);
    EXPECT_EQ(read1d.halfAB[0], 1500u);
    EXPECT_EQ(read1d.halfAB[kLast], kWordSentinel);
    EXPECT_EQ(read1d.slot4[kLast], kWordSentinel);

    header1d.prefix.version = 210;
    withHeader(header1d, [](ByteBuilder &out) { out.u32(150).u32(50); });
    Sequence1dRead readSequence(kCount);
    ASSERT_EQ(readSequence(path), 0);
    EXPECT_EQ(readSequence.halfAB[0], 150u);
    EXPECT_EQ(readSequence.halfMN[kLast], kWordSentinel);

    PrefixFields prefix;
    prefix.version = 201;
    prefix.count = kCount;
    ByteBuilder image0d;
    prefix.appendTo(image0d);
    Record0dFields{}.appendTo(image0d);
    writeFileBytes(path, image0d.data());
    Records0dRead read0d(kCount);
    ASSERT_EQ(read0d(path), 0);
    EXPECT_EQ(read0d.slot2[0], 22u);
    EXPECT_EQ(read0d.slot2[kLast], kWordSentinel);
}

} // namespace
