#include "HexCodec.h"
#include "TerminalText.h"

#include <gtest/gtest.h>

namespace kt {

TEST(HexCodecTest, EncodesUpperCaseAndDecodesEitherCase) {
    const ByteVector bytes{0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(HexCodec::Encode(bytes), "000FA5FF");
    EXPECT_EQ(HexCodec::Decode("000fa5FF"), bytes);
    std::string text;
    HexCodec::Append(text, 0x1F8, 4);
    HexCodec::Append(text, 0x1234, 2); // the high digits are dropped
    EXPECT_EQ(text, "01F834");
    EXPECT_EQ(HexCodec::Byte(0x9B), "9B");
}

TEST(HexCodecTest, RefusesWhatIsNotPairsOfDigits) {
    for (const char* bad : {"0", "0G", "G0", " 00", "00-"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(HexCodec::Decode(bad).has_value());
    }
    EXPECT_EQ(HexCodec::DigitValue('f'), 15);
    EXPECT_EQ(HexCodec::DigitValue('f', true), -1);
    EXPECT_EQ(HexCodec::DigitValue('F', true), 15);
    EXPECT_EQ(HexCodec::DigitValue('g'), -1);
}

TEST(TerminalSafeTest, ShowsEveryByteOutsidePrintableAsciiAsADot) {
    EXPECT_EQ(TerminalSafe("TOWER 1"), "TOWER 1");
    EXPECT_EQ(TerminalSafe("\x1b[38A121.500"), ".[38A121.500");
    EXPECT_EQ(TerminalSafe(std::string("a\x9b"
                                       "2J\x7f\t\r\n\0z",
                                       10)),
              "a.2J.....z");
    EXPECT_EQ(TerminalSafe("\xc3\xa4"), "..") << "non-ASCII letters are bytes too";
}

} // namespace kt
