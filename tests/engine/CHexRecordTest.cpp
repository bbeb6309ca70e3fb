#include "CHexRecord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {
struct ParseCase {
    const char* what;
    std::string line;
    const char* answer;
};

TEST(CHexRecord, ParseChecksEveryLineBeforeTouchingTheImage) {
    const std::vector<ParseCase> cases = {
        {"shortest record", "00100120", "OK"},
        {"lower-case digits", "001001af", "OK"},
        {"255 bytes, the longest record", "000AFF" + std::string(510, 'E'), "OK"},
        {"last byte of the image", "01FF0155", "OK"},
        {"seven characters", "0010012", "FORMAT_ERROR"},
        {"517 characters", "0010FF" + std::string(511, '0'), "FORMAT_ERROR"},
        {"a letter that is no digit", "0010021G20", "FORMAT_ERROR"},
        {"a blank at the end", "00100120 ", "FORMAT_ERROR"},
        {"a CR at the end", "00100120\r", "FORMAT_ERROR"},
        {"a byte above 0x7F", "0010012\xC3", "FORMAT_ERROR"},
        {"a zero byte", std::string("0010012\0", 8), "FORMAT_ERROR"},
        {"more bytes than counted", "001002202020", "FORMAT_ERROR"},
        {"fewer bytes than counted", "0010032020", "FORMAT_ERROR"},
        {"odd length", "001001200", "FORMAT_ERROR"},
        {"count of zero", "00100000", "FORMAT_ERROR"},
        {"reaches past the image", "01FF022020", "DATA_OVERFLOW"},
        {"starts past the image", "02000120", "DATA_OVERFLOW"},
        {"highest address", "FFFF0120", "DATA_OVERFLOW"},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.what);
        CMemoryImage image(512);
        CHexRecord record;
        record.Bind(image);
        EXPECT_EQ(record.Parse(c.line), c.answer);
        EXPECT_TRUE(image.Equals(CMemoryImage(512))); // Parse never writes
    }
}

TEST(CHexRecord, ParseWithoutAnImageIsAnError) {
    CHexRecord record;
    EXPECT_EQ(record.Parse("00100120"), "ERROR");
    EXPECT_FALSE(record.IsComplete());
}

TEST(CHexRecord, ParsedBytesReachTheImageOnlyThroughWriteToImage) {
    CMemoryImage image(512);
    CHexRecord record;
    record.Bind(image);
    ASSERT_EQ(record.Parse("001001af"), "OK");
    EXPECT_EQ(record.Address(), 0x0010u);
    ASSERT_EQ(record.Count(), 1u);
    EXPECT_EQ(record.Data()[0], 0xAF);
    EXPECT_EQ(record.Format(), "001001AF");
    record.WriteToImage();
    EXPECT_EQ(image.GetByte(0x010), 0xAF);

    // A failed parse leaves the last good record as it was.
    EXPECT_EQ(record.Parse("01FF022020"), "DATA_OVERFLOW");
    EXPECT_EQ(record.Format(), "001001AF");
}

TEST(CHexRecord, FormatWritesUpperCaseZeroPaddedDigits) {
    CMemoryImage image(512);
    for (std::uint32_t a = 0; a < 16; ++a)
        image.SetByte(0x1F0 + a, a * 0x11);
    CHexRecord record;
    record.Prepare(image, 0x1F0, 16);
    record.ReadFromImage();
    EXPECT_EQ(record.Format(), "01F01000112233445566778899AABBCCDDEEFF");

    image.FillBytes(0x010, 0x20, 16);
    record.Prepare(image, 0x010, 16);
    record.ReadFromImage();
    const std::string line = record.Format();
    EXPECT_EQ(line.size(), 38u);
    std::string expected = "001010";
    for (int i = 0; i < 16; ++i)
        expected += "20";
    EXPECT_EQ(line, expected);
}

TEST(CHexRecord, LaterRecordsOverwriteEarlierOnes) {
    CMemoryImage image(512);
    CHexRecord record;
    record.Bind(image);
    for (const char* line : {"0100031122AA", "0101022233"}) {
        ASSERT_EQ(record.Parse(line), "OK");
        record.WriteToImage();
    }
    EXPECT_EQ(image.GetByte(0x100), 0x11);
    EXPECT_EQ(image.GetByte(0x101), 0x22);
    EXPECT_EQ(image.GetByte(0x102), 0x33);
}

// Writes records of the given (address, count) runs and answers IsComplete.
bool CompleteAfter(const std::vector<std::pair<std::uint32_t, std::uint32_t>>& runs,
                   std::uint32_t imageSize = 512) {
    CMemoryImage image(imageSize);
    CHexRecord record;
    for (const auto& [address, count] : runs) {
        record.Prepare(image, address, count);
        record.WriteToImage();
    }
    return record.IsComplete();
}

TEST(CHexRecord, CoverageCountsEveryRequiredAddressWhateverTheOrder) {
    EXPECT_TRUE(CompleteAfter({{0x080, 0x180}}));
    EXPECT_FALSE(CompleteAfter({{0x010, 0x1EF}})); // 0x010 - 0x1FE: 0x1FF missing
    EXPECT_FALSE(CompleteAfter({{0x081, 0x17F}})); // 0x080 missing
    EXPECT_TRUE(CompleteAfter({{0x000, 0x080}, {0x080, 0x180}}));

    // Backwards, in odd-sized, unaligned and overlapping pieces.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
    for (std::uint32_t end = 0x200; end > 0x080;) {
        const std::uint32_t count = std::min<std::uint32_t>(end - 0x080, 13);
        runs.emplace_back(end - count, count);
        runs.emplace_back(end - count + 3 < end ? end - count + 3 : end - 1, 1); // overlap
        end -= count;
    }
    EXPECT_TRUE(CompleteAfter(runs));
    runs.erase(runs.begin() + 10); // one piece fewer leaves a gap
    EXPECT_FALSE(CompleteAfter(runs));

    // Single bytes, one missing.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> bytes;
    for (std::uint32_t a = 0x080; a < 0x200; ++a)
        if (a != 0x0C7)
            bytes.emplace_back(a, 1);
    EXPECT_FALSE(CompleteAfter(bytes));
    bytes.emplace_back(0x0C7, 1);
    EXPECT_TRUE(CompleteAfter(bytes));
}

TEST(CHexRecord, CoverageIgnoresBitsPastTheEndOfAnOddSizedImage) {
    EXPECT_TRUE(CompleteAfter({{0x080, 0x7D}}, 0xFD));
    EXPECT_FALSE(CompleteAfter({{0x080, 0x7C}}, 0xFD));
}

TEST(CHexRecord, RebindingTheSameImageKeepsCoverageAnotherImageClearsIt) {
    CMemoryImage image(512);
    CMemoryImage other(512);
    CHexRecord record;
    record.Prepare(image, 0x080, 0x100);
    record.WriteToImage();
    record.Prepare(image, 0x180, 0x80);
    record.WriteToImage();
    EXPECT_TRUE(record.IsComplete());
    record.Bind(image);
    EXPECT_TRUE(record.IsComplete());
    record.Bind(other);
    EXPECT_FALSE(record.IsComplete());
}
} // namespace

} // namespace kt
