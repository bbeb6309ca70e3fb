#include "CFrameStream.h"

#include <gtest/gtest.h>

#include <vector>

namespace kt {

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(const CByteString& s) {
    return Bytes(s.Data(), s.Data() + s.Length());
}

// Feeds the bytes; the number of frames they completed.
int Feed(CFrameStream& stream, const Bytes& bytes) {
    int frames = 0;
    for (std::uint8_t b : bytes)
        frames += stream.AcceptByte(b) ? 1 : 0;
    return frames;
}

} // namespace

TEST(CFrameStreamTest, IdentityRequestGivesOneFrameWithASevenByteBody) {
    CFrameStream stream;
    EXPECT_EQ(Feed(stream, {0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x00, 0x00, 0x00, 0x00, 0xFD}), 1);
    EXPECT_EQ(BytesOf(stream.LastFrame()), (Bytes{0xEE, 0xEF, 0xE0, 0x00, 0x00, 0x00, 0x00}));
    // The collection still holds the body until the next preamble.
    EXPECT_EQ(BytesOf(stream.Collection()), BytesOf(stream.LastFrame()));
}

TEST(CFrameStreamTest, OnlyTheEndByteCompletesAFrame) {
    CFrameStream stream;
    const Bytes frame = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
    for (std::size_t i = 0; i < frame.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(stream.AcceptByte(frame[i]), i + 1 == frame.size());
    }
}

TEST(CFrameStreamTest, CuttingRules) {
    struct Case {
        const char* what;
        Bytes bytes;
        int frames;
        Bytes lastFrame;
    };
    const std::vector<Case> cases = {
        {"noise before the preamble is dropped by it",
         {0x11, 0x22, 0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD},
         1,
         {0xEF, 0xEE, 0xE6, 0x00}},
        {"bytes after an end byte without a preamble join the previous body",
         {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD, 0x33, 0xFD},
         2,
         {0xEF, 0xEE, 0xE6, 0x00, 0x33}},
        {"a preamble inside a frame starts it again",
         {0xFE, 0xFE, 0xEF, 0xEE, 0xE4, 0xFE, 0xEF, 0xEE, 0xE6, 0x01, 0xFD},
         1,
         {0xEF, 0xEE, 0xE6, 0x01}},
        {"an end byte alone gives an empty frame", {0xFD}, 1, {}},
        {"no end byte, no frame", {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CFrameStream stream;
        EXPECT_EQ(Feed(stream, c.bytes), c.frames);
        EXPECT_EQ(BytesOf(stream.LastFrame()), c.lastFrame);
    }
}

TEST(CFrameStreamTest, ABodyKeepsItsFirst255Bytes) {
    CFrameStream stream;
    Bytes frame = {0xFE, 0xFE};
    for (int i = 0; i < 300; ++i)
        frame.push_back(static_cast<std::uint8_t>(i % 200));
    frame.push_back(0xFD);
    EXPECT_EQ(Feed(stream, frame), 1);
    ASSERT_EQ(stream.LastFrame().Length(), 255);
    EXPECT_EQ(stream.LastFrame().At(254), 254 % 200);
}

} // namespace kt
