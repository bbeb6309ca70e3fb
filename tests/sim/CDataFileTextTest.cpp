#include "CDataFileText.h"
#include "SimTestFrames.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(CDataFileTextTest, ComposesThirtyOneRecordLinesThatParseBack) {
    const SimImage image = SampleImage();
    const std::string text = CDataFileText::Compose(image);

    std::string first = "001010";
    for (int i = 0; i < 16; ++i)
        first += "20";
    EXPECT_TRUE(text.starts_with("22700100\r\n#\r\n" + first + "\r\n"));
    EXPECT_TRUE(text.ends_with("\r\n"));
    EXPECT_EQ(text.size(), 10u + 3u + 31u * 40u);
    EXPECT_NE(text.find("\r\n01F010"), std::string::npos);
    EXPECT_EQ(text.find("\r\n0000"), std::string::npos) << "0x000-0x00F are never written";

    SimImage read{};
    read[0] = 0x99;
    std::string error;
    ASSERT_TRUE(CDataFileText::Parse(text, read, error)) << error;
    EXPECT_EQ(read[0], 0x99) << "bytes outside the records keep their value";
    EXPECT_TRUE(std::equal(image.begin() + 0x10, image.end(), read.begin() + 0x10));
}

TEST(CDataFileTextTest, ParseRefusesBrokenTextAndLeavesTheImage) {
    const std::string good = CDataFileText::Compose(SampleImage());
    const std::size_t lastRecord = good.rfind("01F010");
    struct Case {
        const char* name;
        std::string text;
    };
    const Case cases[] = {
        {"empty", ""},
        {"another header", "22700101" + good.substr(8)},
        {"a record missing", good.substr(0, lastRecord)},
        {"not hexadecimal", good + "0010012G\r\n"},
        {"count differs", good + "00100220\r\n"},
        {"past the image", good + "01FF022020\r\n"},
        {"an empty line", good + "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimImage image{};
        image[0x20] = 0x77;
        const SimImage before = image;
        std::string error;
        EXPECT_FALSE(CDataFileText::Parse(c.text, image, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(image, before);
    }
}
