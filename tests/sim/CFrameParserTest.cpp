#include "CFrameParser.h"

#include <gtest/gtest.h>

namespace kt {

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
        {"a body of 300 bytes keeps 255",
         [] {
             std::vector<std::uint8_t> bytes(302, 0x30);
             bytes.front() = 0xFE;
             bytes.back() = 0xFD;
             return bytes;
         }(),
         {std::vector<std::uint8_t>(255, 0x30)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFrameParser parser;
        EXPECT_EQ(Cut(parser, c.bytes), c.bodies);
    }
}

} // namespace kt
