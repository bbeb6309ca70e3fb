#include "CCloneFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kt {

namespace {

using Bytes = std::vector<std::uint8_t>;

CByteString Make(const Bytes& bytes) {
    CByteString s;
    for (std::uint8_t b : bytes)
        s += b;
    return s;
}

Bytes BytesOf(const CByteString& s) {
    return Bytes(s.Data(), s.Data() + s.Length());
}

Bytes Ascii(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The body of a transceiver frame: EF EE, command, payload.
CByteString FromTransceiver(std::uint8_t command, const Bytes& payload) {
    return Make(Concat({{0xEF, 0xEE, command}, payload}));
}

} // namespace

TEST(CCloneFrameTest, IdentityRequestIsTheTenBytesOnTheLine) {
    EXPECT_EQ(BytesOf(CCloneFrame::IdentityRequest()),
              (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x00, 0x00, 0x00, 0x00, 0xFD}));
}

TEST(CCloneFrameTest, ReadAndWriteRequestsCarryModelAndRevision) {
    const CByteString model = Make({0x22, 0x70});
    const CByteString revision = Make({0x01, 0x00});
    EXPECT_EQ(BytesOf(CCloneFrame::ReadRequest(model, revision)),
              (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x22, 0x70, 0x01, 0x00, 0xFD}));
    EXPECT_EQ(BytesOf(CCloneFrame::WriteRequest(model, revision)),
              (Bytes{0xFE, 0xFE, 0xEE, 0xEF, 0xE3, 0x22, 0x70, 0x01, 0x00, 0xFD}));
}

TEST(CCloneFrameTest, EndFramesOfBothSides) {
    EXPECT_EQ(BytesOf(CCloneFrame::EndFrame()),
              Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE5}, Ascii("Velk Inc."), {0xFD}}));
    EXPECT_EQ(BytesOf(CCloneFrame::EndFrame(CFrameSender::Transceiver)),
              Concat({{0xFE, 0xFE, 0xEF, 0xEE, 0xE5}, Ascii("Velk Inc."), {0xFD}}));
}

TEST(CCloneFrameTest, BodyDropsPreambleAndEndByte) {
    EXPECT_EQ(BytesOf(CCloneFrame::Body(CCloneFrame::IdentityRequest())),
              (Bytes{0xEE, 0xEF, 0xE0, 0x00, 0x00, 0x00, 0x00}));
}

TEST(CCloneFrameTest, ChecksumMakesTheSumZero) {
    EXPECT_EQ(CCloneFrame::Checksum(Make({0x00, 0x10, 0x10, 0x20, 0x20})), 0xA0);
    EXPECT_EQ(CCloneFrame::Checksum(Make({0x80, 0x80})), 0x00);
    EXPECT_EQ(CCloneFrame::Checksum(Make({0x01})), 0xFF);
    EXPECT_EQ(CCloneFrame::Checksum(CByteString()), 0x00);
}

TEST(CCloneFrameTest, RecordLineOfSixteenBlanksIsThe46ByteFrameWithChecksumE0) {
    const std::string line = "0010"
                             "10"
                             "20202020202020202020202020202020";
    ASSERT_EQ(line.size(), 38u);
    const auto frame = CCloneFrame::RecordFrame(line);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(BytesOf(*frame),
              Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, Ascii(line), {0x45, 0x30}, {0xFD}}));
    EXPECT_EQ(frame->Length(), 46);
}

TEST(CCloneFrameTest, RecordFrameSendsTheLineAsItStands) {
    // Lower-case digits go out unchanged (and count as 0 in the checksum);
    // the count is not compared with the data.
    const auto frame = CCloneFrame::RecordFrame("00a0"
                                                "05"
                                                "01");
    ASSERT_TRUE(frame.has_value());
    // Decoded: 00 00 05 01 -> sum 6 -> checksum FA.
    EXPECT_EQ(BytesOf(*frame),
              Concat({{0xFE, 0xFE, 0xEE, 0xEF, 0xE4}, Ascii("00a00501FA"), {0xFD}}));
}

TEST(CCloneFrameTest, RecordFrameRefusesLinesThatAreNoWholeRecord) {
    struct Case {
        const char* what;
        std::string line;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"address and count only", "001000", true},
        {"shorter than address and count", "00100", false},
        {"empty", "", false},
        {"odd number of data digits", "0010012", false},
        {"120 data bytes fill a frame of 254",
         "0010"
         "78" +
             std::string(240, '1'),
         true},
        {"121 data bytes would lose the end byte",
         "0010"
         "79" +
             std::string(242, '1'),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto frame = CCloneFrame::RecordFrame(c.line);
        EXPECT_EQ(frame.has_value(), c.accepted);
        if (frame) {
            EXPECT_EQ(frame->At(frame->Length() - 1), 0xFD);
        }
    }
}

TEST(CCloneFrameTest, ClassifiesByAddressesAndCommand) {
    struct Case {
        Bytes body;
        CFrameKind kind;
    };
    const std::vector<Case> cases = {
        {{0xEE, 0xEF, 0xE0}, CFrameKind::EchoIdentityRequest},
        {{0xEE, 0xEF, 0xE1}, CFrameKind::Ignored},
        {{0xEE, 0xEF, 0xE2}, CFrameKind::EchoReadRequest},
        {{0xEE, 0xEF, 0xE3}, CFrameKind::EchoWriteRequest},
        {{0xEE, 0xEF, 0xE4}, CFrameKind::EchoRecord},
        {{0xEE, 0xEF, 0xE5}, CFrameKind::EchoEndFrame},
        {{0xEE, 0xEF, 0xE6}, CFrameKind::Ignored},
        {{0xEF, 0xEE, 0xE0}, CFrameKind::Ignored},
        {{0xEF, 0xEE, 0xE1}, CFrameKind::IdentityAnswer},
        {{0xEF, 0xEE, 0xE2}, CFrameKind::Ignored},
        {{0xEF, 0xEE, 0xE3}, CFrameKind::Ignored},
        {{0xEF, 0xEE, 0xE4}, CFrameKind::Record},
        {{0xEF, 0xEE, 0xE5}, CFrameKind::EndFrame},
        {{0xEF, 0xEE, 0xE6}, CFrameKind::WriteResult},
        {{0xEF, 0xEE, 0xE7}, CFrameKind::Ignored},
        // Either address byte of the transceiver suffices.
        {{0xEF, 0x00, 0xE4}, CFrameKind::Record},
        {{0x00, 0xEE, 0xE6}, CFrameKind::WriteResult},
        {{0xEE, 0xEE, 0xE4}, CFrameKind::Record},
        {{0x00, 0x00, 0xE4}, CFrameKind::Ignored},
        {{0xEF, 0xEF, 0xE4}, CFrameKind::Record},
        {{}, CFrameKind::Ignored},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.body));
        EXPECT_EQ(CCloneFrame::Classify(Make(c.body)), c.kind);
    }
}

TEST(CCloneFrameTest, IdentityAnswerGivesCodesAndText) {
    const auto identity = CCloneFrame::IdentityAnswer(
        FromTransceiver(0xE1, Concat({{0x22, 0x70, 0x01, 0x00}, Ascii("AIRBAND COMMENT!")})));
    ASSERT_TRUE(identity.has_value());
    EXPECT_EQ(identity->model, 0x2270);
    EXPECT_EQ(identity->revision, 0x0100);
    ASSERT_EQ(identity->length, 16);
    EXPECT_EQ(std::string(identity->data.begin(), identity->data.begin() + 16), "AIRBAND COMMENT!");
}

TEST(CCloneFrameTest, IdentityAnswerChecks) {
    struct Case {
        const char* what;
        Bytes payload;
        bool accepted;
    };
    const std::vector<Case> cases = {
        {"exactly the codes: empty text", {0x22, 0x70, 0x01, 0x00}, true},
        {"one code byte missing", {0x22, 0x70, 0x01}, false},
        {"text byte 0xEF is the highest allowed", {0x22, 0x70, 0x01, 0x00, 0x41, 0xEF}, true},
        {"text byte 0xF0", {0x22, 0x70, 0x01, 0x00, 0x41, 0xF0}, false},
        {"text byte 0xFF", {0x22, 0x70, 0x01, 0x00, 0xFF}, false},
        {"the codes themselves are not limited", {0xFF, 0xFF, 0xF0, 0xF0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CCloneFrame::IdentityAnswer(FromTransceiver(0xE1, c.payload)).has_value(),
                  c.accepted);
    }
}

TEST(CCloneFrameTest, RecordOfTheExampleGivesItsLineWithoutChecksum) {
    const std::string text = "0010"
                             "10"
                             "20202020202020202020202020202020"
                             "E0";
    const auto line = CCloneFrame::RecordLine(FromTransceiver(0xE4, Ascii(text)));
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, "0010"
                     "10"
                     "20202020202020202020202020202020");
}

TEST(CCloneFrameTest, RecordChecks) {
    struct Case {
        const char* what;
        std::string text;
        const char* line; // nullptr: refused
    };
    const std::vector<Case> cases = {
        {"one data byte",
         "01F0"
         "01"
         "AB"
         "63",
         "01F001AB"},
        {"checksum off by one",
         "01F0"
         "01"
         "AB"
         "64",
         nullptr},
        {"count says 2, one data byte",
         "01F0"
         "02"
         "AB"
         "62",
         nullptr},
        {"count says 0, one data byte",
         "01F0"
         "00"
         "AB"
         "64",
         nullptr},
        {"count 0 and no data",
         "01F0"
         "00"
         "0F",
         "01F000"},
        {"empty payload", "", nullptr},
        {"too short to hold address, count and checksum", "0000", nullptr},
        {"lower-case digits decode as 0",
         "00a0"
         "01"
         "00"
         "FF",
         "00000100"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto line = CCloneFrame::RecordLine(FromTransceiver(0xE4, Ascii(c.text)));
        EXPECT_EQ(line.has_value(), c.line != nullptr);
        if (line && c.line) {
            EXPECT_EQ(*line, c.line);
        }
    }
}

TEST(CCloneFrameTest, EndFrameNeedsExactlyVelkInc) {
    EXPECT_TRUE(CCloneFrame::IsEndFrame(FromTransceiver(0xE5, Ascii("Velk Inc."))));
    EXPECT_FALSE(CCloneFrame::IsEndFrame(FromTransceiver(0xE5, Ascii("Velk Inc"))));
    EXPECT_FALSE(CCloneFrame::IsEndFrame(FromTransceiver(0xE5, Ascii("Velk Inc.."))));
    EXPECT_FALSE(CCloneFrame::IsEndFrame(FromTransceiver(0xE5, Ascii("Velk inc."))));
}

TEST(CCloneFrameTest, WriteResultSucceedsOnlyWithZero) {
    EXPECT_TRUE(CCloneFrame::WriteSucceeded(FromTransceiver(0xE6, {0x00})));
    EXPECT_TRUE(CCloneFrame::WriteSucceeded(FromTransceiver(0xE6, {0x00, 0x12})));
    EXPECT_FALSE(CCloneFrame::WriteSucceeded(FromTransceiver(0xE6, {0x01})));
    EXPECT_FALSE(CCloneFrame::WriteSucceeded(FromTransceiver(0xE6, {})));
}

} // namespace kt
