#include "CByteString.h"
#include "CMemoryImage.h"
#include "CRangeList.h"
#include "TextFields.h"

#include <gtest/gtest.h>

namespace kt {

TEST(CByteString, DropsBytesPastItsCapacity) {
    CByteString s;
    for (int i = 0; i < 256; ++i)
        s.Append(static_cast<std::uint8_t>(i));
    EXPECT_EQ(s.Length(), 255);
    CByteString small(3);
    small = std::string_view("ABCDE");
    EXPECT_EQ(small.ToString(), "ABC");
    CByteString copy = small; // the copy keeps the capacity
    copy.Append('Z');
    EXPECT_EQ(copy.ToString(), "ABC");
}

TEST(CByteString, AtPastTheEndGivesTheLastByte) {
    CByteString s;
    s = std::string_view("xyz");
    EXPECT_EQ(s.At(10), 'z');
    EXPECT_EQ(CByteString().At(0), 0);
}

TEST(CByteString, HexConversions) {
    CByteString s;
    s = std::string_view("1a");
    s.FromHex();
    ASSERT_EQ(s.Length(), 1);
    EXPECT_EQ(s.At(0), 0x10); // lower-case letters count as 0
    s = std::string_view("ABC");
    s.FromHex();
    ASSERT_EQ(s.Length(), 2);
    EXPECT_EQ(s.At(0), 0xAB);
    EXPECT_EQ(s.At(1), 0x0C);
    s.ToHex();
    EXPECT_EQ(s.ToString(), "AB0C");
    s.SetHexOfByte(0x1E0);
    EXPECT_EQ(s.ToString(), "E0");
    CByteString small(2);
    small.SetHexOfByte(0x5);
    EXPECT_EQ(small.Capacity(), 255); // built values have the default capacity
}

TEST(CByteString, MidStopsAtTheEnd) {
    CByteString s;
    s = std::string_view("01234");
    s.Mid(2, 100);
    EXPECT_EQ(s.ToString(), "234");
    EXPECT_TRUE(s.Differs(CByteString()));
}

TEST(CMemoryImage, BitFieldsRunAcrossBytes) {
    CMemoryImage image(512);
    image.SetByte(0x30, 0x40);
    EXPECT_EQ(image.ReadBits(0x30, 6, 2), 2u);
    image.WriteBits(0x30, 6, 2, 1);
    EXPECT_EQ(image.GetByte(0x30), 0x20);
    image.SetByte(0x1FF, 0x00);
    EXPECT_EQ(image.ReadBits(0x1FF, 0, 2), 1u); // the invalid 0x200 reads as 1
    image.WriteBits(0x40, 0, 9, 0x1FF);
    EXPECT_EQ(image.GetByte(0x40), 0x01);
    EXPECT_EQ(image.GetByte(0x41), 0xFF);
}

TEST(CMemoryImage, AccessesOutsideTheImageAreIgnored) {
    CMemoryImage image(512);
    std::uint8_t dst[16];
    std::fill(std::begin(dst), std::end(dst), 0xAA);
    EXPECT_FALSE(image.Read(0x1F8, dst, 16));
    EXPECT_EQ(dst[0], 0xAA);
    EXPECT_EQ(image.GetByte(0x200), 255);
    EXPECT_EQ(image.GetBit(0x200, 3), 1);
    image.SetByte(0x200, 1);
    EXPECT_FALSE(image.Write(0xFFFFFFFFu, dst, 2)); // must not wrap into the image
    EXPECT_TRUE(image.Write(0x1F0, dst, 16));
    EXPECT_EQ(image.GetByte(0x1FF), 0xAA);
}

TEST(CRangeList, EndsAreInclusive) {
    CRangeList list;
    list.Add(136980000, 118000000);
    EXPECT_TRUE(list.Contains(118000000));
    EXPECT_TRUE(list.Contains(136980000));
    EXPECT_FALSE(list.Contains(136980001));
    list.Clear();
    EXPECT_FALSE(list.Contains(120000000));
}

TEST(TextFields, FieldsAndRemainders) {
    EXPECT_EQ(Field("CH.MCH.5.NAME=AB", '.', 1), "MCH");
    EXPECT_EQ(Field("COMMON.BEEP=ON", '=', 1), "ON");
    EXPECT_EQ(Field("COMMON.BEEP", '=', 1), "");
    EXPECT_EQ(Remainder("CH.MCH.5.NAME=A.B", '.', 3), "NAME=A.B");
    EXPECT_EQ(Field("A=B=C", '=', 1), "B");
    EXPECT_EQ(Remainder("ABC", '.', 1), "");
    EXPECT_EQ(Field("ABC", '.', 0), "ABC");
    EXPECT_EQ(Field("a<>b<>c", "<>", 2), "c");
}

TEST(TextFields, ScanLongReadsTheLeadingNumber) {
    long v = 0;
    EXPECT_TRUE(ScanLong("  -12abc", v));
    EXPECT_EQ(v, -12);
    EXPECT_FALSE(ScanLong("x1", v));
    EXPECT_FALSE(ScanLong("-", v));
    EXPECT_TRUE(ScanLong(std::string(100, '9'), v)); // clamped, not undefined
}

} // namespace kt
