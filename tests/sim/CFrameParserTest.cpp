#include "CFrameParser.h"

#include <gtest/gtest.h>

namespace {
// Feeds bytes; gives the bodies of the frames they completed.
std::vector<std::vector<std::uint8_t>> Cut(CFrameParser& parser,
                                           const std::vector<std::uint8_t>& bytes) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (std::uint8_t b : bytes)
        if (parser.Accept(b))
            bodies.push_back(parser.Body());
    return bodies;
}
} // namespace

TEST(CFrameParserTest, CutsFramesAndDropsWhatLiesOutside) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        std::vector<std::vector<std::uint8_t>> bodies;
    };
    const Case cases[] = {
        {"identity request",
         {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0, 0, 0, 0, 0xFD},
         {{0xEE, 0xEF, 0xE0, 0, 0, 0, 0}}},
        {"junk before and between frames",
         {0x01, 0xFD, 0xFE, 0xFE, 0xEE, 0xFD, 0x33, 0xFD, 0xFE, 0xE1, 0xFD},
         {{0xEE}, {0xE1}}},
        {"a frame restarted by a preamble byte", {0xFE, 0x10, 0x11, 0xFE, 0x12, 0xFD}, {{0x12}}},
        {"an unfinished frame", {0xFE, 0xFE, 0xEE, 0xEF}, {}},
        {"an empty frame", {0xFE, 0xFD}, {{}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFrameParser parser;
        EXPECT_EQ(Cut(parser, c.bytes), c.bodies);
    }
}

TEST(CFrameParserTest, ALongBodyKeepsItsFirst255Bytes) {
    CFrameParser parser;
    std::vector<std::uint8_t> bytes{0xFE};
    for (int i = 0; i < 300; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i % 200));
    bytes.push_back(0xFD);
    const auto bodies = Cut(parser, bytes);
    ASSERT_EQ(bodies.size(), 1u);
    EXPECT_EQ(bodies[0].size(), 255u);
    EXPECT_EQ(bodies[0].back(), 254 % 200);
}
